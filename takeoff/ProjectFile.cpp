#include "ProjectFile.h"

#include "NativePath.h"

#include <filesystem>
#include <string>
#ifndef _WIN32
#include <sys/stat.h>
#endif

bool ProjectFile::Stamp::operator==(const Stamp& o) const {
    return size == o.size && mtime == o.mtime && inode == o.inode && device == o.device;
}

#ifdef _WIN32
// Windows has no inode to tell a replaced file by; a save by another program
// changes the time of last writing, kept in units of 100 ns.
std::optional<ProjectFile::Stamp> ProjectFile::StampOf(const std::string& path) {
    std::error_code error;
    const auto fsPath = yoheki::FsPath(path);
    const auto size = std::filesystem::file_size(fsPath, error);
    if (error)
        return std::nullopt;
    const auto written = std::filesystem::last_write_time(fsPath, error);
    if (error)
        return std::nullopt;
    return Stamp{static_cast<std::int64_t>(size),
                 static_cast<std::int64_t>(written.time_since_epoch().count()), 0, 0};
}
#else
std::optional<ProjectFile::Stamp> ProjectFile::StampOf(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return Stamp{st.st_size, st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec, st.st_ino,
                 st.st_dev};
}
#endif

yoheki::IniFile& ProjectFile::Open(const std::string& path) {
    const auto now = StampOf(path);
    if (ini_ && path == path_ && now == stamp_)
        return *ini_;
    if (path != path_)
        loaded_.clear();
    ini_.reset();
    ini_.emplace(path);
    path_ = path;
    stamp_ = now;
    synced_ = false; // not yet known to be in the form the writer produces
    return *ini_;
}

yoheki::IniFile& ProjectFile::Reread(const std::string& path) {
    std::optional<std::string> bytes = yoheki::IniFile::ReadBytes(path);
    const bool same = ini_ && path == path_ && !ini_->Dirty() &&
                      (bytes ? ini_->Existed() && *bytes == ini_->Bytes() : !ini_->Existed());
    if (!same) {
        if (path != path_)
            loaded_.clear();
        ini_.reset();
        if (bytes)
            ini_.emplace(path, std::move(*bytes));
        else
            ini_.emplace(path);
        path_ = path;
        synced_ = false;
    }
    stamp_ = StampOf(path);
    return *ini_;
}

const KeyValues* ProjectFile::Loaded(std::string_view section) const {
    const auto it = loaded_.find(yoheki::IniFile::Fold(section));
    return it == loaded_.end() ? nullptr : &it->second;
}

void ProjectFile::Remember(std::string_view section, KeyValues values) {
    loaded_[yoheki::IniFile::Fold(section)] = std::move(values);
}

void ProjectFile::Forget(std::string_view section) {
    loaded_.erase(yoheki::IniFile::Fold(section));
}

yoheki::IniFile& ProjectFile::Edit(const std::string& path) {
    yoheki::IniFile& ini = Open(path);
    synced_ = false;
    return ini;
}

void ProjectFile::Write(std::string_view section, std::string_view key, std::string_view value) {
    if (ini_->ValueExists(section, key) && ini_->ReadString(section, key, "") == value)
        return;
    ini_->WriteString(section, key, value);
    synced_ = false;
}

void ProjectFile::WriteInteger(std::string_view section, std::string_view key, long long value) {
    Write(section, key, std::to_string(value));
}

void ProjectFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    Write(section, key, value ? "1" : "0");
}

std::string ProjectFile::Read(std::string_view section, std::string_view key,
                              std::string_view def) const {
    return ini_ ? ini_->ReadString(section, key, def) : std::string(def);
}

void ProjectFile::EraseSection(std::string_view section) {
    ini_->EraseSection(section);
    synced_ = false;
}

void ProjectFile::Update() {
    if (!ini_ || synced_ || readOnly)
        return;
    ini_->UpdateFile(); // writes only when the bytes differ
    stamp_ = StampOf(path_);
    synced_ = true;
}

void ProjectFile::Drop() {
    ini_.reset();
    stamp_.reset();
    synced_ = false;
}
