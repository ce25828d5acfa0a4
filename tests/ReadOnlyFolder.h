#pragma once
// A folder that refuses new files, for the tests of failed saves. Root
// ignores permission bits, so as root (CI runs so) the folder gets the
// immutable flag instead. False when neither can be set.
#include <fcntl.h>
#include <filesystem>
#include <linux/fs.h>
#include <string>
#include <sys/ioctl.h>
#include <unistd.h>

inline bool SetReadOnly(const std::string& dir, bool on) {
    namespace fs = std::filesystem;
    if (geteuid() != 0) {
        fs::permissions(dir, on ? fs::perms::owner_read | fs::perms::owner_exec : fs::perms::all);
        return true;
    }
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return ok;
}
