#include "AtomicFile.h"
#include "TemporaryName.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace yoheki {
namespace {

constexpr std::size_t npos = std::string::npos;
constexpr int kMaxLinks = 40; // as the kernel's own limit for a path

std::string FolderOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    return path.substr(path.find_last_of('/') + 1);
}

[[noreturn]] void SaveFailed(const std::string& path, int err) {
    throw SaveError("ファイル【" + path + "】を保存できませんでした\n\r（" + std::strerror(err) +
                        "）\n\r元のファイルはそのまま残っています",
                    err);
}

void WriteAll(int fd, std::string_view bytes, const std::string& path) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            SaveFailed(path, errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

// Like mkstemp, but the new file gets 0666 less the umask as any new file
// would, so a file that did not exist before ends up as the user's other
// files do.
int CreateTemporary(std::string& name, const std::string& target) {
    const std::string stem = FolderOf(target) + "/.~" + NameOf(target) + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned char random[kTemporarySuffix];
        if (::getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random))
            for (unsigned char& r : random)
                r = static_cast<unsigned char>(std::rand());
        name = stem;
        for (unsigned char r : random)
            name += kTemporaryLetters[r % (sizeof kTemporaryLetters - 1)];
        int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            ::flock(fd, LOCK_EX | LOCK_NB); // held until closed: see Abandoned
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// The old file's owner and group where the process may set them (root may
// set both, a member of the group the group alone), then its permission
// bits: a change of owner clears the set-id bits, so the mode comes last.
void CopyOwnership(int fd, const struct stat& old) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0)
        (void)::fchown(fd, -1, old.st_gid);
    ::fchmod(fd, old.st_mode & 07777);
}

// After the rename the new name lives in the folder's entry: flush that too,
// or a power cut can bring the old file back after the save was reported.
// File systems that cannot flush a folder say EINVAL; nothing is lost there.
void SyncFolder(const std::string& folder, const std::string& path) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    int err = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    if (err == EIO || err == ENOSPC || err == EDQUOT)
        throw SaveError("ファイル【" + path +
                            "】を保存しましたが、ディスクへの書き込みを確認できませんでした\n\r（" +
                            std::strerror(err) + "）",
                        err);
}

bool OlderThan(const struct stat& st, std::chrono::seconds age) {
    return st.st_mtime < std::time(nullptr) - static_cast<std::time_t>(age.count());
}

// A temporary file whose save is over: old, or no longer locked by the save
// writing it (the kernel lets go of a killed process's lock). A second's
// grace covers the moment between a save creating its file and locking it.
bool Abandoned(int dir, const char* name, const struct stat& st) {
    if (OlderThan(st, StaleTemporaryAge))
        return true;
    if (!OlderThan(st, std::chrono::seconds(1)))
        return false;
    int fd = ::openat(dir, name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

// Removes what earlier saves of `target` left when they were killed.
void RemoveStaleTemporaries(const std::string& target) {
    DIR* dir = ::opendir(FolderOf(target).c_str());
    if (!dir)
        return;
    const std::string name = NameOf(target);
    while (const dirent* e = ::readdir(dir)) {
        if (!IsTemporaryOf(e->d_name, name))
            continue;
        struct stat st;
        if (::fstatat(::dirfd(dir), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(st.st_mode) && Abandoned(::dirfd(dir), e->d_name, st))
            ::unlinkat(::dirfd(dir), e->d_name, 0);
    }
    ::closedir(dir);
}

// A terminal, a pipe or a device cannot be replaced, only written.
void WriteInPlace(const std::string& target, std::string_view bytes, const std::string& path) {
    int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        SaveFailed(path, errno);
    try {
        WriteAll(fd, bytes, path);
    } catch (...) {
        ::close(fd);
        throw;
    }
    if (::close(fd) != 0)
        SaveFailed(path, errno);
}

void WriteTemporary(int fd, const struct stat* old, std::string_view bytes,
                    const std::string& path) {
    if (old)
        CopyOwnership(fd, *old);
    WriteAll(fd, bytes, path);
    if (::fsync(fd) != 0)
        SaveFailed(path, errno);
}

void Replace(const std::string& target, const struct stat* old, std::string_view bytes,
             const std::string& path, SaveHooks hooks) {
    std::string tmp;
    int fd = CreateTemporary(tmp, target);
    if (fd < 0)
        SaveFailed(path, errno);
    try {
        WriteTemporary(fd, old, bytes, path);
        int closed = ::close(fd);
        fd = -1;
        if (closed != 0)
            SaveFailed(path, errno);
        if (hooks.beforeRename)
            hooks.beforeRename();
        if (::rename(tmp.c_str(), target.c_str()) != 0)
            SaveFailed(path, errno);
    } catch (...) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(tmp.c_str());
        throw;
    }
}

} // namespace

std::string LinkTarget(const std::string& path) {
    std::string at = path;
    for (int hops = 0;; ++hops) {
        struct stat st;
        if (::lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return at;
        if (hops == kMaxLinks)
            SaveFailed(path, ELOOP);
        std::string to(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        ssize_t n = ::readlink(at.c_str(), to.data(), to.size());
        if (n <= 0)
            return at; // changed under us: the rename will say what is wrong
        to.resize(static_cast<std::size_t>(n));
        at = (to.front() == '/' || at.find('/') == npos) ? to : FolderOf(at) + "/" + to;
    }
}

void SaveAtomically(const std::string& path, std::string_view bytes, SaveHooks hooks) {
    const std::string target = LinkTarget(path);
    struct stat old;
    const bool existed = ::stat(target.c_str(), &old) == 0;
    if (existed && S_ISDIR(old.st_mode))
        SaveFailed(path, EISDIR);
    if (existed && !S_ISREG(old.st_mode))
        return WriteInPlace(target, bytes, path);
    // The rename needs only the folder's permission; a file the user may not
    // write (read-only, or another's without group write) is not replaced.
    if (existed && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        SaveFailed(path, errno);
    Replace(target, existed ? &old : nullptr, bytes, path, hooks);
    SyncFolder(FolderOf(target), path);
    RemoveStaleTemporaries(target);
}

} // namespace yoheki
