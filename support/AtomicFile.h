#pragma once
// The one way this program replaces a file: the project file, Qrtt.dat, the
// CSV summary, PDFs and any later output all go through SaveAtomically.
//
// Estimators share project files on network folders, often through a link
// from their own folder, with group permissions. So a save
//  - follows symbolic links (chains too) and replaces the file they end at,
//    leaving the links as they are;
//  - writes a temporary file ".~NAME.XXXXXX" in that file's folder, flushes
//    it to disk, renames it over the file and then flushes the folder, so a
//    crash or power cut leaves the old file or the new one, never a mix;
//  - keeps the file's permission bits, and its owner and group where the
//    process may set them;
//  - removes its own temporary file when it fails, and temporary files of
//    the same name that an earlier, interrupted save left behind: those no
//    save holds locked any more, and any older than StaleTemporaryAge (a
//    younger one may belong to another instance still writing).
#include "Error.h"

#include <chrono>
#include <string>
#include <string_view>

namespace yoheki {

// A failed save: what() is the message for the user, naming the file;
// code() the system's error number, for callers with wording of their own.
class SaveError : public FileError {
  public:
    SaveError(const std::string& message, int code, std::string reason = {})
        : FileError(message), code_(code), reason_(std::move(reason)) {}
    int code() const { return code_; }
    // The reason in the program's words where the system's own text would not
    // do (Windows, whose C library speaks English); empty otherwise.
    const std::string& reason() const { return reason_; }

  private:
    int code_;
    std::string reason_;
};

// Temporary files of an interrupted save younger than this are left alone.
inline constexpr std::chrono::seconds StaleTemporaryAge{5 * 60};

struct SaveHooks {
    // Called between writing the temporary file and renaming it; lets tests
    // stand in for a crash at the worst moment.
    void (*beforeRename)() = nullptr;
};

// Replaces the file at `path` (or at the end of its links) with `bytes`.
// A path that names something other than a regular file (a terminal, a
// pipe, /dev/null) is written directly, since renaming over it would
// replace the device itself. Throws SaveError with a message that names
// `path` and the reason; the old file then stays as it was.
void SaveAtomically(const std::string& path, std::string_view bytes, SaveHooks hooks = {});

// The file a save of `path` writes: `path` with every symbolic link at its
// end followed (relative targets are taken from the link's folder). A path
// that is not a link comes back unchanged. Throws SaveError for a loop of
// links.
std::string LinkTarget(const std::string& path);

// The name of the temporary files a save of `target` makes: ".~NAME." plus
// six letters or digits, in the target's folder.
bool IsTemporaryOf(std::string_view entry, std::string_view fileName);

} // namespace yoheki
