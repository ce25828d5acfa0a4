#pragma once
// The INI text file of the project file (.Fa1) and the settings file
// (Qrtt.dat): CP932 text, "[section]" headers, "key=value" lines.
//
// The whole file is read on construction and written whole by UpdateFile.
// Section and key names match without regard to ASCII case. What was not
// written keeps its bytes: each line is held as read, so an untouched file in
// the normal form (a blank line after each section, CR LF) is written back
// byte for byte. Lookups go through hash maps; nothing scans the file.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace yoheki {

class IniFile {
public:
    // A name as the file matches it: ASCII letters without regard to case.
    static std::string Fold(std::string_view utf8);
    // The line of `bytes` at `pos` without its end (CR, LF or CR LF), and
    // `pos` moved past that end: the file's lines as this reader splits them.
    static std::string_view NextLine(std::string_view bytes, std::size_t& pos);
    // A missing file reads as empty. Throws FileError when the file exists but
    // cannot be read.
    explicit IniFile(std::string path);
    // The file at `path` as the bytes given (already read by the caller).
    IniFile(std::string path, std::string bytes);

    // The whole file's bytes, or nullopt when there is no file. Throws
    // FileError when the file exists but cannot be read.
    static std::optional<std::string> ReadBytes(const std::string& path);

    const std::string& FileName() const { return path_; }
    bool Existed() const { return existed_; }

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def) const;
    // The value as a 32-bit decimal integer; def when missing or not a number.
    std::int64_t ReadInteger(std::string_view section, std::string_view key,
                             std::int64_t def) const;
    // True when the integer value is not 0.
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;

    // Throws EncodingError (and changes nothing) when CP932 cannot hold the
    // text or it holds a line break. A section or key that is already in the
    // file keeps its bytes, and so does a value whose text is unchanged: a
    // name read with bytes that are not CP932 (U+FFFD in the decoded text)
    // can still be written to and is written back as read.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, std::int64_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    std::vector<std::string> ReadSections() const; // in file order, first of duplicates
    std::vector<std::string> ReadSection(std::string_view section) const; // key names
    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    void EraseSection(std::string_view section);
    // Gives a section another name in place: its keys, their bytes and its
    // place in the file stay. Throws EncodingError (and changes nothing) when
    // CP932 cannot hold the name; false when `from` is missing or `to` names
    // another section.
    bool RenameSection(std::string_view from, std::string_view to);
    // A new section `to` holding every line of `from` as stored, placed right
    // after it; same failures as RenameSection.
    bool CopySection(std::string_view from, std::string_view to);
    // Moves a section to `position` in the order ReadSections gives (clamped
    // to the last place). Lines before the first header stay first.
    void MoveSection(std::string_view section, std::size_t position);

    // True when the file holds at least one "[section]" header.
    bool HasSections() const;
    // True when the file as read held nothing but blanks and line ends (or
    // did not exist).
    bool Blank() const;

    // A line holding bytes that are not CP932 text (bytes that do not decode,
    // or NUL, which no text file holds), or longer than any item needs.
    struct Unreadable {
        std::size_t line;     // 1-based line number in the file as read
        std::string section;  // decoded name of the section it belongs to
        bool inSection;       // false: a line before the first header
        bool tooLong = false; // longer than MaxLineLength
    };
    // No dimension, finish or item name comes near this many bytes; a longer
    // line is damage or another kind of file, and is not used.
    static constexpr std::size_t MaxLineLength = 64 * 1024;
    // In file order; a header line counts for its own section. A section that
    // an earlier one of the same name hides is never read and not reported.
    std::vector<Unreadable> UnreadableLines() const;

    // Writes the file whole through SaveAtomically (AtomicFile.h): links
    // followed, a temporary file in the target's folder flushed to disk and
    // renamed over the old one, so a crash leaves the old file or the new one.
    // Skips the write when the bytes would not change. Throws FileError with a
    // reason the user can read; the old file then stays.
    void UpdateFile();

    // Called between writing the temporary file and renaming it; lets tests
    // stand in for a crash at the worst moment.
    static inline void (*BeforeRename)() = nullptr;

    // The bytes UpdateFile would write.
    std::string Serialize() const;
    // True when those bytes are the bytes last read or written (the file is
    // in the form this class writes and nothing was changed since).
    bool Normal() const;

    // The bytes last read or written; Dirty() tells whether anything was
    // changed since.
    const std::string& Bytes() const { return original_; }
    bool Dirty() const { return dirty_; }

private:
    // A line's bytes are a stretch of original_ as long as the line is as
    // read; a line written here holds its bytes in owned_ until the next
    // write of the file puts every line back into original_. A project of
    // thousands of items thus keeps its text once, not once per line.
    static constexpr std::uint64_t kOwned = std::uint64_t(1) << 63;
    static constexpr std::uint32_t kNoKey = UINT32_MAX;
    struct Line {
        std::uint64_t at;     // offset in original_, or kOwned | index in owned_
        std::uint32_t size;   // bytes, no line end
        std::uint32_t number; // line number as read; 0 for a line added here
        std::uint32_t key;    // folded key name's index in keyNames_, or kNoKey
    };
    struct Section {
        bool hasHeader = true;
        bool erased = false;
        std::string raw;      // header line bytes
        std::size_t number = 0; // header's line number as read
        std::string name;     // decoded name
        std::vector<Line> lines;
        // (key, line) sorted by key: the first line of each key name.
        std::vector<std::pair<std::uint32_t, std::uint32_t>> keys;
    };

    void Parse(std::string_view bytes);
    void AddLine(std::string_view raw, std::size_t number);
    void FinishSection();
    std::string_view Raw(const Line& line) const;
    std::uint32_t KeyId(const std::string& folded);
    std::uint32_t FindKey(const std::string& folded) const;
    static const std::pair<std::uint32_t, std::uint32_t>* KeyLine(const Section& s,
                                                                  std::uint32_t key);
    void Own(Line& line, std::string raw);
    void Replace(Line& line, std::string_view value);
    const Line* Find(std::string_view section, std::string_view key) const;
    Section& SectionFor(std::string_view section);
    void Reindex();
    std::vector<std::size_t> Visible() const; // indexes of the sections ReadSections names

    std::string path_;
    bool existed_ = false;
    bool dirty_ = false;
    std::string original_;
    std::vector<std::string> owned_;
    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t> index_; // folded name -> section
    std::vector<std::string> keyNames_;                  // folded key names by index
    std::unordered_map<std::string, std::uint32_t> keyIds_; // folded key name -> index
    // While parsing: key bytes as read -> index, so each spelling is decoded once.
    std::unordered_map<std::string_view, std::uint32_t> rawKeys_;
};

// Parses a decimal integer as the toolkit's integer conversion does: optional
// leading blanks, optional sign, digits, 32-bit range. False when it fails.
bool ParseInt32(std::string_view text, std::int64_t& out);

} // namespace yoheki
