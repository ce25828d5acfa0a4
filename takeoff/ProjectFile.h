#pragma once
// The open project file, parsed once and kept between the loads and saves of
// its items. Estimators' projects hold hundreds to thousands of items, and
// switching items must not read and parse the whole file each time: the
// parsed form is used as long as the file on disk is the one last read or
// written (same size, modification time and inode), and read again otherwise.
//
// Several programs may have the same project open. Each remembers the items
// as it loaded them, so that a save writes only what this program changed,
// into the file as it is on disk at that moment (Project.h).
#include "IniFile.h"

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>
#include <sys/types.h>

// The keys of one item with their values, in the file's order.
using KeyValues = std::vector<std::pair<std::string, std::string>>;

class ProjectFile {
  public:
    // The parsed file at `path`. A missing file reads as empty. Throws
    // yoheki::FileError when the file exists but cannot be read.
    yoheki::IniFile& Open(const std::string& path);

    // The parsed file at `path`, to be changed directly (sections copied,
    // renamed, moved); the next Update writes it.
    yoheki::IniFile& Edit(const std::string& path);

    // Changes one value of the open file; a key that already holds the value
    // is left alone, so that saving an unchanged item writes nothing. Throws
    // yoheki::EncodingError when CP932 cannot hold the text.
    void Write(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, long long value);
    void WriteBool(std::string_view section, std::string_view key, bool value);
    void EraseSection(std::string_view section);
    // The value of the open file; `def` when the key is missing.
    std::string Read(std::string_view section, std::string_view key,
                     std::string_view def = "") const;

    // The file at `path` exactly as it is on disk now, for a caller that holds
    // its save lock (yoheki::FileLock): the parsed form is kept when its bytes
    // are the disk's, else the file is parsed again.
    yoheki::IniFile& Reread(const std::string& path);

    // What this program last loaded or saved of `section`; nullptr when it
    // never did (a new item, or one another program added).
    const KeyValues* Loaded(std::string_view section) const;
    void Remember(std::string_view section, KeyValues values);
    void Forget(std::string_view section);

    // Writes the open file when its parsed form differs from the disk. Throws
    // yoheki::FileError; the disk then keeps its previous content.
    void Update();

    // Forgets the parsed form: the next Open reads the disk. Callers drop it
    // after a failed change, which may have altered some keys and not others.
    void Drop();

    // While read-only, Update writes nothing; the changes stay in the parsed
    // form, so later loads see them as if they had been saved.
    bool readOnly = false;

  private:
    struct Stamp {
        std::int64_t size = 0;
        std::int64_t mtime = 0; // nanoseconds, or the system's own finer unit
        std::uint64_t inode = 0;
        std::uint64_t device = 0;
        bool operator==(const Stamp& o) const;
    };
    static std::optional<Stamp> StampOf(const std::string& path);

    std::optional<yoheki::IniFile> ini_;
    std::string path_;
    std::optional<Stamp> stamp_; // nullopt: there was no file
    std::unordered_map<std::string, KeyValues> loaded_; // by ASCII-folded name
    bool synced_ = false;        // the parsed form is byte for byte the disk
};
