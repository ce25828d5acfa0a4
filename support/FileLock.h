#pragma once
// Two kinds of lock for a file that several estimators share on a folder:
//
//  - FileLock: an exclusive lock held while one program re-reads the project
//    file, merges its changes in and renames the new file into place. Other
//    programs wait for it, so no save is built from a copy that another save
//    has already replaced. The lock lives on a small file beside the target
//    (".~NAME.lck"), since the target itself is replaced by every save.
//
//  - InUseMark: a note beside the project (".~lock.NAME#") saying who has it
//    open, on which machine and since when, so that a second program can tell
//    its user before they start editing. It is removed when the project is
//    closed; a note left by a program that is no longer running is stale and
//    ignored.
#include <chrono>
#include <optional>
#include <string>

namespace yoheki {

// Whether the process `pid` of this machine is still running (one that may
// not be asked counts as running).
bool ProcessRunning(unsigned long pid);

// How long FileLock waits for another program's save before giving up.
inline constexpr std::chrono::seconds LockWait{20};

class FileLock {
  public:
    // Blocks until the lock for `target` (its links followed) is held.
    // Throws SaveError naming `target` when the lock file cannot be made
    // (a folder the user may not write) or another save holds it too long.
    explicit FileLock(const std::string& target);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // The lock file of `target`: ".~NAME.lck" in the target's folder.
    static std::string LockFileOf(const std::string& target);

  private:
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
    std::string lockPath_;
};

// Who has a project open.
struct InUse {
    std::string user;
    std::string machine;
    std::string since; // local time, "YYYY/MM/DD hh:mm"
};

class InUseMark {
  public:
    // Puts this program's note beside `target` (its links followed). A
    // folder that refuses it leaves no note; nothing else depends on it.
    explicit InUseMark(const std::string& target);
    // Removes the note if it is still this program's.
    ~InUseMark();
    InUseMark(const InUseMark&) = delete;
    InUseMark& operator=(const InUseMark&) = delete;

    // Who else has `target` open: the note beside it unless it is stale (its
    // program on this machine is gone) or belongs to `self`.
    static std::optional<InUse> Other(const std::string& target, const InUseMark* self = nullptr);

    static std::string MarkFileOf(const std::string& target);

  private:
    std::string path_;
    std::string content_; // what this program wrote
};

} // namespace yoheki
