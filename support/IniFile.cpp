#include "IniFile.h"

#include "AtomicFile.h"
#include "Cp932.h"
#include "Error.h"
#include "NativePath.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#ifdef _WIN32
#include <chrono>
#include <thread>
#endif

namespace yoheki {
namespace {

// "[name]" as the file holds it. Built by appending: GCC 12 at -O3 warns
// (-Wrestrict) that a literal put in front of a string may overlap it, a
// known false positive of that compiler.
std::string HeaderLine(std::string_view name) {
    std::string line(1, '[');
    line += cp932::Encode(name);
    line += ']';
    return line;
}

constexpr std::size_t npos = std::string::npos;

std::string Reason(int err) { return std::strerror(err); }

// NUL never occurs in a text file; CP932 decodes it, but it marks a binary
// file or blocks a crash left unwritten.
bool Readable(std::string_view raw) {
    return raw.find('\0') == npos && cp932::CanDecode(raw);
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

std::optional<std::string> IniFile::ReadBytes(const std::string& path) {
    std::ifstream in(FsPath(path), std::ios::binary);
#ifdef _WIN32
    // Windows refuses to open a file for the moment another program replaces
    // it (another estimator saving the project): tried again for a second.
    std::error_code unknown;
    for (int attempt = 0; !in && attempt < 20 && std::filesystem::exists(FsPath(path), unknown); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        in.clear();
        in.open(FsPath(path), std::ios::binary);
    }
#endif
    if (!in) {
        int err = errno;
        std::error_code missing;
        if (std::filesystem::exists(FsPath(path), missing))
            throw FileError("ファイル【" + path + "】を読めません（" + Reason(err) + "）");
        return std::nullopt;
    }
    // A plain file is read whole at its size, in one piece, and on to its end
    // should it grow meanwhile; anything else (a folder opens but has no size)
    // as a stream.
    std::string bytes;
    std::error_code sizeless;
    const std::streamoff size =
        std::filesystem::is_regular_file(FsPath(path), sizeless)
            ? static_cast<std::streamoff>(std::filesystem::file_size(FsPath(path), sizeless))
            : 0;
    if (size > 0 && !sizeless) {
        bytes.resize(static_cast<std::size_t>(size));
        in.read(bytes.data(), size);
        bytes.resize(static_cast<std::size_t>(in.gcount()));
    }
    if (!in.bad() && in.good()) {
        std::ostringstream rest;
        rest << in.rdbuf();
        bytes += rest.str();
    }
    if (in.bad()) throw FileError("ファイル【" + path + "】を読めません");
    return bytes;
}

IniFile::IniFile(std::string path) : path_(std::move(path)) {
    std::optional<std::string> bytes = ReadBytes(path_);
    if (!bytes) return;
    existed_ = true;
    original_ = std::move(*bytes);
    Parse(original_);
}

IniFile::IniFile(std::string path, std::string bytes)
    : path_(std::move(path)), existed_(true), original_(std::move(bytes)) {
    Parse(original_);
}

std::string_view IniFile::NextLine(std::string_view bytes, std::size_t& pos) {
    const std::size_t start = pos;
    // A plain loop: find_first_of looks each byte up in the set of two.
    std::size_t end = start;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
    pos = end + 1;
    if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n')
        ++pos;
    return bytes.substr(start, end - start);
}

// Lines are held as offsets of 32 bits; no project comes near 4 GiB.
void IniFile::Parse(std::string_view bytes) {
    if (bytes.size() >= UINT32_MAX) throw FileError("ファイル【" + path_ + "】を読めません");
    for (std::size_t pos = 0, number = 1; pos < bytes.size(); ++number)
        AddLine(NextLine(bytes, pos), number);
    FinishSection();
    rawKeys_.clear();
}

void IniFile::AddLine(std::string_view raw, std::size_t number) {
    if (raw.empty()) return; // blank lines are layout; the writer adds its own
    if (raw.front() == '[' && raw.back() == ']') {
        FinishSection();
        Section s;
        s.raw = std::string(raw);
        s.number = number;
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
    Line line{static_cast<std::uint64_t>(raw.data() - original_.data()),
              static_cast<std::uint32_t>(raw.size()), static_cast<std::uint32_t>(number), kNoKey};
    const std::size_t eq = raw.find('=');
    if (eq != npos && s.hasHeader) {
        const std::string_view name = raw.substr(0, eq);
        auto known = rawKeys_.find(name);
        if (known == rawKeys_.end())
            known = rawKeys_.emplace(name, KeyId(Fold(cp932::Decode(name)))).first;
        line.key = known->second;
        s.keys.emplace_back(line.key, static_cast<std::uint32_t>(s.lines.size()));
    }
    s.lines.push_back(line);
}

// The section read last: its keys sorted for lookup (the first line of a
// name wins), its vectors no larger than it needs.
void IniFile::FinishSection() {
    if (sections_.empty()) return;
    Section& s = sections_.back();
    std::stable_sort(s.keys.begin(), s.keys.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    s.keys.erase(std::unique(s.keys.begin(), s.keys.end(),
                             [](const auto& a, const auto& b) { return a.first == b.first; }),
                 s.keys.end());
    s.keys.shrink_to_fit();
    s.lines.shrink_to_fit();
}

std::string_view IniFile::Raw(const Line& line) const {
    if (line.at & kOwned) return owned_[line.at & ~kOwned];
    return std::string_view(original_).substr(line.at, line.size);
}

std::uint32_t IniFile::KeyId(const std::string& folded) {
    auto it = keyIds_.find(folded);
    if (it != keyIds_.end()) return it->second;
    const auto id = static_cast<std::uint32_t>(keyNames_.size());
    keyNames_.push_back(folded);
    keyIds_.emplace(folded, id);
    return id;
}

std::uint32_t IniFile::FindKey(const std::string& folded) const {
    auto it = keyIds_.find(folded);
    return it == keyIds_.end() ? kNoKey : it->second;
}

const std::pair<std::uint32_t, std::uint32_t>* IniFile::KeyLine(const Section& s,
                                                                std::uint32_t key) {
    auto it = std::lower_bound(s.keys.begin(), s.keys.end(), key,
                               [](const auto& entry, std::uint32_t k) { return entry.first < k; });
    return it != s.keys.end() && it->first == key ? &*it : nullptr;
}

// The line's bytes from now on are `raw`, held apart from the file as read.
void IniFile::Own(Line& line, std::string raw) {
    line.at = kOwned | owned_.size();
    line.size = 0;
    owned_.push_back(std::move(raw));
}

const IniFile::Line* IniFile::Find(std::string_view section, std::string_view key) const {
    auto si = index_.find(Fold(section));
    if (si == index_.end()) return nullptr;
    const Section& s = sections_[si->second];
    const std::uint32_t id = FindKey(Fold(key));
    if (id == kNoKey) return nullptr;
    const auto* entry = KeyLine(s, id);
    return entry ? &s.lines[entry->second] : nullptr;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view def) const {
    const Line* line = Find(section, key);
    if (!line) return std::string(def);
    const std::string_view raw = Raw(*line);
    return cp932::Decode(raw.substr(raw.find('=') + 1));
}

std::int64_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int64_t def) const {
    const Line* line = Find(section, key);
    if (!line) return def;
    std::int64_t v;
    const std::string_view raw = Raw(*line);
    return ParseInt32(raw.substr(raw.find('=') + 1), v) ? v : def;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

IniFile::Section& IniFile::SectionFor(std::string_view section) {
    auto folded = Fold(section);
    auto si = index_.find(folded);
    if (si != index_.end()) return sections_[si->second];
    Section s;
    s.raw = HeaderLine(section);
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

// Names and values already in the file keep the bytes they were read with:
// only new text is encoded. So an item whose name or value holds bytes that
// are not CP932 can still be saved, and comes back under its own bytes.
void IniFile::WriteString(std::string_view section, std::string_view key,
                          std::string_view value) {
    CheckOneLine(section);
    CheckOneLine(key);
    CheckOneLine(value);
    auto si = index_.find(Fold(section));
    auto folded = Fold(key);
    if (si != index_.end()) {
        Section& s = sections_[si->second];
        const std::uint32_t id = FindKey(folded);
        if (const auto* entry = id == kNoKey ? nullptr : KeyLine(s, id))
            return Replace(s.lines[entry->second], value);
    }
    std::string bytes = cp932::Encode(value); // may throw before anything changes
    std::string keyBytes = cp932::Encode(key);
    if (si == index_.end()) cp932::Encode(section);
    Section& s = SectionFor(section);
    const std::uint32_t id = KeyId(folded);
    const std::pair<std::uint32_t, std::uint32_t> entry(id,
                                                        static_cast<std::uint32_t>(s.lines.size()));
    s.keys.insert(std::lower_bound(s.keys.begin(), s.keys.end(), entry), entry);
    Line line{0, 0, 0, id};
    Own(line, keyBytes + "=" + bytes);
    s.lines.push_back(line);
    dirty_ = true;
}

void IniFile::Replace(Line& line, std::string_view value) {
    const std::string_view current = Raw(line);
    const std::size_t eq = current.find('=');
    std::string_view old = current.substr(eq + 1);
    if (cp932::Decode(old) == value) return;
    std::string raw = std::string(current.substr(0, eq + 1)) + cp932::Encode(value);
    if (raw == current) return;
    Own(line, std::move(raw));
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
        if (l.key == kNoKey || KeyLine(s, l.key)->second != i) continue;
        const std::string_view raw = Raw(l);
        keys.push_back(cp932::Decode(raw.substr(0, raw.find('='))));
    }
    return keys;
}

bool IniFile::SectionExists(std::string_view section) const {
    return index_.count(Fold(section)) != 0;
}

bool IniFile::HasSections() const {
    for (const Section& s : sections_)
        if (s.hasHeader && !s.erased) return true;
    return false;
}

bool IniFile::Blank() const {
    return original_.find_first_not_of(" \t\r\n") == npos;
}

std::vector<IniFile::Unreadable> IniFile::UnreadableLines() const {
    std::vector<Unreadable> found;
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        const Section& s = sections_[i];
        if (s.erased || (s.hasHeader && index_.at(Fold(s.name)) != i)) continue;
        const std::string name = s.hasHeader ? s.name : std::string();
        const auto tooLong = [](std::string_view raw) { return raw.size() > MaxLineLength; };
        // The name alone: a lead byte at its end would pair with the ']'.
        if (s.hasHeader && (tooLong(s.raw) ||
                            !Readable(std::string_view(s.raw).substr(1, s.raw.size() - 2))))
            found.push_back({s.number, name, true, tooLong(s.raw)});
        for (const Line& l : s.lines)
            if (const std::string_view raw = Raw(l); tooLong(raw) || !Readable(raw))
                found.push_back({l.number, name, s.hasHeader, tooLong(raw)});
    }
    return found;
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

std::vector<std::size_t> IniFile::Visible() const {
    std::vector<std::size_t> shown;
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        const Section& s = sections_[i];
        if (!s.hasHeader || s.erased) continue;
        auto it = index_.find(Fold(s.name));
        if (it != index_.end() && it->second == i) shown.push_back(i);
    }
    return shown;
}

// Positions changed: the first section of each name wins again, as on reading.
void IniFile::Reindex() {
    index_.clear();
    for (std::size_t i = 0; i < sections_.size(); ++i)
        if (sections_[i].hasHeader && !sections_[i].erased)
            index_.emplace(Fold(sections_[i].name), i);
}

bool IniFile::RenameSection(std::string_view from, std::string_view to) {
    CheckOneLine(to);
    auto si = index_.find(Fold(from));
    if (si == index_.end()) return false;
    const std::size_t at = si->second;
    auto other = index_.find(Fold(to));
    if (other != index_.end() && other->second != at) return false;
    std::string raw = HeaderLine(to); // may throw before anything changes
    Section& s = sections_[at];
    if (s.name == to && s.raw == raw) return true;
    index_.erase(si);
    s.raw = std::move(raw);
    s.name = std::string(to);
    index_.emplace(Fold(to), at);
    dirty_ = true;
    return true;
}

bool IniFile::CopySection(std::string_view from, std::string_view to) {
    CheckOneLine(to);
    auto si = index_.find(Fold(from));
    if (si == index_.end() || index_.count(Fold(to))) return false;
    Section copy = sections_[si->second];
    copy.raw = HeaderLine(to);
    copy.name = std::string(to);
    copy.number = 0;
    for (Line& l : copy.lines) l.number = 0;
    sections_.insert(sections_.begin() + static_cast<std::ptrdiff_t>(si->second) + 1,
                     std::move(copy));
    Reindex();
    dirty_ = true;
    return true;
}

void IniFile::MoveSection(std::string_view section, std::size_t position) {
    auto si = index_.find(Fold(section));
    if (si == index_.end()) return;
    std::vector<std::size_t> shown = Visible();
    position = std::min(position, shown.size() - 1);
    const std::size_t from = si->second;
    const auto at = std::find(shown.begin(), shown.end(), from) - shown.begin();
    if (static_cast<std::size_t>(at) == position) return;
    Section moving = std::move(sections_[from]);
    sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(from));
    shown.erase(shown.begin() + at);
    for (std::size_t& i : shown)
        if (i > from) --i;
    // Before the section now at `position`, or after the last one.
    const std::size_t target = position < shown.size() ? shown[position] : shown.back() + 1;
    sections_.insert(sections_.begin() + static_cast<std::ptrdiff_t>(target), std::move(moving));
    Reindex();
    dirty_ = true;
}

std::string IniFile::Serialize() const {
    std::string out;
    out.reserve(original_.size() + 256);
    for (const Section& s : sections_) {
        if (s.erased) continue;
        if (s.hasHeader) out.append(s.raw).append("\r\n");
        for (const Line& l : s.lines) out.append(Raw(l)).append("\r\n");
        if (s.hasHeader) out.append("\r\n");
    }
    return out;
}

bool IniFile::Normal() const {
    std::string_view rest(original_);
    const auto take = [&rest](std::string_view part) {
        if (rest.substr(0, part.size()) != part) return false;
        rest.remove_prefix(part.size());
        return true;
    };
    for (const Section& s : sections_) {
        if (s.erased) continue;
        if (s.hasHeader && !(take(s.raw) && take("\r\n"))) return false;
        for (const Line& l : s.lines)
            if (!(take(Raw(l)) && take("\r\n"))) return false;
        if (s.hasHeader && !take("\r\n")) return false;
    }
    return rest.empty();
}

void IniFile::UpdateFile() {
    std::string bytes = Serialize();
    if (existed_ && !dirty_ && bytes == original_) return;
    SaveAtomically(path_, bytes, SaveHooks{BeforeRename});
    original_ = std::move(bytes);
    existed_ = true;
    dirty_ = false;
    // Every line now stands in the bytes written, where Serialize put it;
    // erased sections are gone from them and from here.
    if (std::erase_if(sections_, [](const Section& s) { return s.erased; }) > 0) Reindex();
    std::uint64_t at = 0;
    for (Section& s : sections_) {
        if (s.hasHeader) at += s.raw.size() + 2;
        for (Line& l : s.lines) {
            const std::size_t size = l.at & kOwned ? owned_[l.at & ~kOwned].size() : l.size;
            l.at = at;
            l.size = static_cast<std::uint32_t>(size);
            at += size + 2;
        }
        if (s.hasHeader) at += 2;
    }
    owned_.clear();
}

} // namespace yoheki
