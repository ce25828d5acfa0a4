#include "SectionReader.h"

#include "ProjectCheck.h"

#include "Cp932.h"
#include "IniFile.h"

#include <algorithm>
#include <unordered_set>

namespace takeoff {

namespace {

bool IsHeader(std::string_view line) {
    return !line.empty() && line.front() == '[' && line.back() == ']';
}

} // namespace

// `folded` is already in lower case; UTF-8 bytes beyond ASCII are never
// letters, so folding byte by byte is folding the text.
static bool SameFolded(std::string_view folded, std::string_view key) {
    if (folded.size() != key.size())
        return false;
    for (std::size_t i = 0; i < key.size(); ++i) {
        const char c = key[i] >= 'A' && key[i] <= 'Z' ? static_cast<char>(key[i] - 'A' + 'a') : key[i];
        if (c != folded[i])
            return false;
    }
    return true;
}

const std::string_view* SectionView::Find(std::string_view key) const {
    // An item is read in about the order it was written: the search starts
    // after the key found last, and mostly ends at once.
    const std::size_t n = keys_.size();
    for (std::size_t i = 0, at = next_; i < n; ++i, at = at + 1 == n ? 0 : at + 1)
        if (SameFolded(keys_[at].first, key)) {
            next_ = at + 1 == n ? 0 : at + 1;
            return &keys_[at].second;
        }
    return nullptr;
}

std::string SectionView::ReadString(std::string_view, std::string_view key,
                                    std::string_view def) const {
    const std::string_view* value = Find(key);
    return value ? yoheki::cp932::Decode(*value) : std::string(def);
}

std::int64_t SectionView::ReadInteger(std::string_view, std::string_view key,
                                      std::int64_t def) const {
    const std::string_view* value = Find(key);
    std::int64_t v = 0;
    return value && yoheki::ParseInt32(*value, v) ? v : def;
}

bool SectionView::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

const SectionReader::KeyName& SectionReader::Key(std::string_view raw) {
    auto it = keyNames_.find(std::string(raw));
    if (it == keyNames_.end())
        it = keyNames_
                 .emplace(std::string(raw), KeyName{yoheki::IniFile::Fold(yoheki::cp932::Decode(raw)),
                                                    yoheki::cp932::CanDecode(raw)})
                 .first;
    return it->second;
}

std::size_t SectionReader::Headers() const {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < bytes_.size();)
        count += IsHeader(yoheki::IniFile::NextLine(bytes_, pos)) ? 1 : 0;
    return count;
}

bool SectionReader::Blank() const {
    return bytes_.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

void SectionReader::ForEach(const Visitor& visit) {
    std::unordered_set<std::string> seen;
    std::size_t pos = 0, number = 0;
    std::string_view line;
    const auto next = [&] {
        line = yoheki::IniFile::NextLine(bytes_, pos);
        ++number;
        return !IsHeader(line);
    };
    const auto bad = [&](std::string_view text) {
        if (line.size() > yoheki::IniFile::MaxLineLength) {
            longLines_.insert(number);
            return true;
        }
        return text.find('\0') != std::string_view::npos || !yoheki::cp932::CanDecode(text);
    };
    // Lines before the first header belong to no item.
    while (pos < bytes_.size() && next())
        if (bad(line))
            strayBad_.push_back(number);
    sections_ = IsHeader(line);
    while (IsHeader(line)) {
        const std::string name = yoheki::cp932::Decode(line.substr(1, line.size() - 2));
        const bool first = seen.insert(yoheki::IniFile::Fold(name)).second;
        // The name alone: a lead byte at its end would pair with the ']'.
        std::size_t badLine = bad(line.substr(1, line.size() - 2)) ? number : 0;
        SectionView view;
        line = {};
        while (pos < bytes_.size() && next()) {
            if (!first)
                continue;
            const std::size_t eq = line.find('=');
            if (eq == std::string_view::npos) {
                if (badLine == 0 && bad(line))
                    badLine = number;
                continue;
            }
            // Key names repeat in every section: their check is kept.
            const KeyName& key = Key(line.substr(0, eq));
            const std::string_view value = line.substr(eq + 1);
            if (badLine == 0 && (!key.readable || bad(value)))
                badLine = number;
            const auto same = [&key](const auto& k) { return k.first == key.folded; };
            if (std::none_of(view.keys_.begin(), view.keys_.end(), same))
                view.keys_.emplace_back(key.folded, value);
        }
        if (first)
            visit(name, view, badLine);
    }
}

std::string LeftOutMessage(const SectionReader& reader, const std::string& path,
                           const std::string& item, std::size_t line) {
    return reader.TooLong(line) ? yoheki::LongLineMessage(path, item, line)
                                : yoheki::UnreadableItemMessage(path, item, line);
}

std::string StrayLineMessage(const SectionReader& reader, const std::string& path,
                             std::size_t line) {
    return reader.TooLong(line) ? yoheki::LongLineMessage(path, "", line)
                                : yoheki::UnreadableLineMessage(path, line);
}

std::vector<std::string> StrayLineMessages(const SectionReader& reader, const std::string& path) {
    std::vector<std::string> out;
    for (const std::size_t line : reader.StrayBadLines())
        out.push_back(StrayLineMessage(reader, path, line));
    return out;
}

std::optional<std::string> NoProjectMessage(const SectionReader& reader, const std::string& path) {
    if (reader.HasSections())
        return std::nullopt;
    return reader.Blank() ? yoheki::EmptyProjectMessage(path) : yoheki::NotAProjectMessage(path);
}

std::string ReadFileBytes(const std::string& path) {
    return yoheki::IniFile::ReadBytes(path).value_or(std::string());
}

} // namespace takeoff
