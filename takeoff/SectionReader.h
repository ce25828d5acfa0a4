#pragma once
// A project file read one section at a time, for runs over whole projects:
// the bytes are held once, and only the section at hand is taken apart, so a
// run over a project of a hundred thousand items needs little more memory
// than the file itself. Reads exactly as yoheki::IniFile reads: the same
// lines, headers, ASCII-case-insensitive names, first of duplicates.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace takeoff {

// The keys of one section, looked up as IniFile looks them up. The section
// argument of the readers is the section's own name and is not consulted.
class SectionView {
  public:
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def) const;
    std::int64_t ReadInteger(std::string_view section, std::string_view key,
                             std::int64_t def) const;
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;

  private:
    friend class SectionReader;
    const std::string_view* Find(std::string_view key) const;
    // Folded key name -> raw value bytes, first of duplicates, in file order.
    std::vector<std::pair<std::string, std::string_view>> keys_;
    mutable std::size_t next_ = 0; // where the next search starts
};

class SectionReader {
  public:
    // `bytes` must outlive the reader.
    explicit SectionReader(std::string_view bytes) : bytes_(bytes) {}

    // Every section in file order, each name once (its first occurrence),
    // with the number (from 1) of its first line holding bytes that are not
    // CP932 text, or 0.
    using Visitor =
        std::function<void(const std::string& name, const SectionView&, std::size_t badLine)>;
    void ForEach(const Visitor& visit);
    // The section headers in the file: the most items ForEach can visit, for
    // reserving room before it runs.
    std::size_t Headers() const;

    // After ForEach: whether the file held a section header at all, whether
    // it held nothing but blanks and line ends, and the unreadable lines
    // before the first header.
    bool HasSections() const { return sections_; }
    bool Blank() const;
    const std::vector<std::size_t>& StrayBadLines() const { return strayBad_; }
    // Whether that unreadable line was one longer than any item needs.
    bool TooLong(std::size_t line) const { return longLines_.count(line) != 0; }

  private:
    struct KeyName {
        std::string folded;
        bool readable; // the raw bytes are CP932 text
    };
    const KeyName& Key(std::string_view raw);

    std::string_view bytes_;
    bool sections_ = false;
    std::vector<std::size_t> strayBad_;
    std::unordered_set<std::size_t> longLines_;
    // Key names repeat in every section: decoded once each.
    std::unordered_map<std::string, KeyName> keyNames_;
};

// The bytes of the file at `path`. Throws yoheki::FileError when it exists
// but cannot be read; a missing file reads as empty, as IniFile reads it.
std::string ReadFileBytes(const std::string& path);

// The message for the item `item` left out for its line `line`, and for an
// unreadable line before the first item: a line too long, or one holding
// bytes that are not CP932 text.
std::string LeftOutMessage(const SectionReader& reader, const std::string& path,
                           const std::string& item, std::size_t line);
std::string StrayLineMessage(const SectionReader& reader, const std::string& path,
                             std::size_t line);
// After ForEach: the messages for the unreadable lines before the first item,
// and why the file is no project (it is empty, or has no item), or nothing.
std::vector<std::string> StrayLineMessages(const SectionReader& reader, const std::string& path);
std::optional<std::string> NoProjectMessage(const SectionReader& reader, const std::string& path);

} // namespace takeoff
