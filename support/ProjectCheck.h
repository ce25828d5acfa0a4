#pragma once
// What a project file given by the user turns out to hold, before anything
// is calculated: a project at all, and which items hold bytes that are not
// CP932 text. Every message names the file and the item or line, so the
// estimator knows what to open and where to look.
#include "IniFile.h"

#include <string>
#include <unordered_set>
#include <vector>

namespace yoheki {

class ProjectCheck {
  public:
    enum class Kind {
        Empty,      // no file, or nothing in it but blank lines: a new project
        NotProject, // something, but not a single "[item]" header
        Project,
    };
    Kind kind = Kind::Empty;
    // Decoded names (U+FFFD for the bad bytes) of the items whose header or
    // lines hold unreadable bytes, in file order, each once. Such an item is
    // reported and left out of a run; the others still run.
    std::vector<std::string> unreadableItems;
    // One message for each unreadable item and each unreadable line before the
    // first item; or the one message for an empty or non-project file.
    std::vector<std::string> messages;

    bool Unreadable(const std::string& item) const { return unreadable_.count(item) != 0; }

  private:
    friend ProjectCheck CheckProject(const IniFile& project);
    std::unordered_set<std::string> unreadable_;
};

// Reads nothing from disk: the file was read when `project` was made.
ProjectCheck CheckProject(const IniFile& project);

std::string NotAProjectMessage(const std::string& path);
std::string EmptyProjectMessage(const std::string& path);
std::string UnreadableItemMessage(const std::string& path, const std::string& item,
                                  std::size_t line);
std::string UnreadableLineMessage(const std::string& path, std::size_t line);
// A line longer than IniFile::MaxLineLength; `item` empty for a line before
// the first item.
std::string LongLineMessage(const std::string& path, const std::string& item, std::size_t line);

} // namespace yoheki
