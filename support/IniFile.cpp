#include "IniFile.h"

#include "Cp932.h"
#include "Error.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace yoheki {
namespace {

constexpr std::size_t npos = std::string::npos;

std::string FolderPart(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string Reason(int err) { return std::strerror(err); }

[[noreturn]] void SaveFailed(const std::string& path, int err) {
    throw FileError("ファイル【" + path + "】を保存できませんでした\n\r（" + Reason(err) +
                    "）\n\r元のファイルはそのまま残っています");
}

void WriteAll(int fd, const std::string& bytes, const std::string& path) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            SaveFailed(path, errno);
        }
        done += static_cast<std::size_t>(n);
    }
}

} // namespace

bool ParseInt32(std::string_view text, std::int64_t& out) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool neg = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) neg = text[i++] == '-';
    if (i == text.size()) return false;
    std::int64_t v = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
        if (v > 2147483648LL) return false;
    }
    v = neg ? -v : v;
    if (v > 2147483647LL) return false;
    out = v;
    return true;
}

std::string IniFile::Fold(std::string_view utf8) {
    std::string s(utf8);
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

IniFile::IniFile(std::string path) : path_(std::move(path)) {
    std::ifstream in(path_, std::ios::binary);
    if (!in) {
        struct stat st;
        if (::stat(path_.c_str(), &st) == 0)
            throw FileError("ファイル【" + path_ + "】を読めません（" + Reason(errno) + "）");
        return;
    }
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad()) throw FileError("ファイル【" + path_ + "】を読めません");
    existed_ = true;
    original_ = ss.str();
    Parse(original_);
}

void IniFile::Parse(std::string_view bytes) {
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == npos) end = bytes.size();
        AddLine(bytes.substr(start, end - start));
        if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() &&
            bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
}

void IniFile::AddLine(std::string_view raw) {
    if (raw.empty()) return; // blank lines are layout; the writer adds its own
    if (raw.front() == '[' && raw.back() == ']') {
        Section s;
        s.raw = std::string(raw);
        s.name = cp932::Decode(raw.substr(1, raw.size() - 2));
        index_.emplace(Fold(s.name), sections_.size()); // first of duplicates wins
        sections_.push_back(std::move(s));
        return;
    }
    if (sections_.empty()) {
        Section pre;
        pre.hasHeader = false;
        sections_.push_back(std::move(pre));
    }
    Section& s = sections_.back();
    Line line{std::string(raw), raw.find('=')};
    if (line.eq != npos && s.hasHeader)
        s.keys.emplace(Fold(cp932::Decode(raw.substr(0, line.eq))), s.lines.size());
    s.lines.push_back(std::move(line));
}

const IniFile::Line* IniFile::Find(std::string_view section, std::string_view key) const {
    auto si = index_.find(Fold(section));
    if (si == index_.end()) return nullptr;
    const Section& s = sections_[si->second];
    auto ki = s.keys.find(Fold(key));
    return ki == s.keys.end() ? nullptr : &s.lines[ki->second];
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view def) const {
    const Line* line = Find(section, key);
    if (!line) return std::string(def);
    return cp932::Decode(std::string_view(line->raw).substr(line->eq + 1));
}

std::int64_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int64_t def) const {
    const Line* line = Find(section, key);
    if (!line) return def;
    std::int64_t v;
    return ParseInt32(std::string_view(line->raw).substr(line->eq + 1), v) ? v : def;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

IniFile::Section& IniFile::SectionFor(std::string_view section) {
    auto folded = Fold(section);
    auto si = index_.find(folded);
    if (si != index_.end()) return sections_[si->second];
    Section s;
    s.raw = "[" + cp932::Encode(section) + "]";
    s.name = std::string(section);
    index_.emplace(folded, sections_.size());
    sections_.push_back(std::move(s));
    return sections_.back();
}

namespace {

// A line break would end the line early and the rest would be read back as a
// key of its own, or as a new section: such a text cannot be held here.
void CheckOneLine(std::string_view text) {
    if (text.find_first_of("\r\n") != std::string_view::npos)
        throw EncodingError("改行を含む文字列は保存できません");
}

} // namespace

void IniFile::WriteString(std::string_view section, std::string_view key,
                          std::string_view value) {
    CheckOneLine(section);
    CheckOneLine(key);
    CheckOneLine(value);
    std::string bytes = cp932::Encode(value); // may throw before anything changes
    std::string keyBytes = cp932::Encode(key);
    cp932::Encode(section);
    Section& s = SectionFor(section);
    auto folded = Fold(key);
    auto ki = s.keys.find(folded);
    if (ki != s.keys.end()) {
        Line& line = s.lines[ki->second];
        std::string raw = line.raw.substr(0, line.eq + 1) + bytes;
        if (raw == line.raw) return;
        line.raw = std::move(raw);
    } else {
        s.keys.emplace(folded, s.lines.size());
        s.lines.push_back(Line{keyBytes + "=" + bytes, keyBytes.size()});
    }
    dirty_ = true;
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, std::int64_t value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

std::vector<std::string> IniFile::ReadSections() const {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        const Section& s = sections_[i];
        if (!s.hasHeader || s.erased) continue;
        auto it = index_.find(Fold(s.name));
        if (it != index_.end() && it->second == i) names.push_back(s.name);
    }
    return names;
}

std::vector<std::string> IniFile::ReadSection(std::string_view section) const {
    std::vector<std::string> keys;
    auto si = index_.find(Fold(section));
    if (si == index_.end()) return keys;
    const Section& s = sections_[si->second];
    for (std::size_t i = 0; i < s.lines.size(); ++i) {
        const Line& l = s.lines[i];
        if (l.eq == npos) continue;
        auto name = cp932::Decode(std::string_view(l.raw).substr(0, l.eq));
        if (s.keys.at(Fold(name)) == i) keys.push_back(name);
    }
    return keys;
}

bool IniFile::SectionExists(std::string_view section) const {
    return index_.count(Fold(section)) != 0;
}

bool IniFile::ValueExists(std::string_view section, std::string_view key) const {
    return Find(section, key) != nullptr;
}

void IniFile::EraseSection(std::string_view section) {
    auto folded = Fold(section);
    bool any = false;
    for (Section& s : sections_)
        if (s.hasHeader && !s.erased && Fold(s.name) == folded) s.erased = any = true;
    if (!any) return;
    index_.erase(folded);
    dirty_ = true;
}

std::string IniFile::Serialize() const {
    std::string out;
    out.reserve(original_.size() + 256);
    for (const Section& s : sections_) {
        if (s.erased) continue;
        if (s.hasHeader) out.append(s.raw).append("\r\n");
        for (const Line& l : s.lines) out.append(l.raw).append("\r\n");
        if (s.hasHeader) out.append("\r\n");
    }
    return out;
}

void IniFile::UpdateFile() {
    std::string bytes = Serialize();
    if (existed_ && !dirty_ && bytes == original_) return;
    std::string tmp = FolderPart(path_) + "/.~" + path_.substr(path_.find_last_of('/') + 1) +
                      ".XXXXXX";
    int fd = ::mkstemp(tmp.data());
    if (fd < 0) SaveFailed(path_, errno);
    try {
        struct stat st;
        mode_t mode = 0644;
        if (::stat(path_.c_str(), &st) == 0) mode = st.st_mode & 07777;
        ::fchmod(fd, mode);
        WriteAll(fd, bytes, path_);
        if (::fsync(fd) != 0) SaveFailed(path_, errno);
        if (::close(fd) != 0) {
            fd = -1;
            SaveFailed(path_, errno);
        }
        fd = -1;
        if (BeforeRename) BeforeRename();
        if (::rename(tmp.c_str(), path_.c_str()) != 0) SaveFailed(path_, errno);
    } catch (...) {
        if (fd >= 0) ::close(fd);
        ::unlink(tmp.c_str());
        throw;
    }
    original_ = std::move(bytes);
    existed_ = true;
    dirty_ = false;
}

} // namespace yoheki
