#include "FileLock.h"

#include "AtomicFile.h"
#include "NativePath.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace yoheki {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kRetry = std::chrono::milliseconds(2);

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    return path.substr(path.find_last_of("/\\") + 1);
}

[[noreturn]] void LockFailed(const std::string& target, const std::string& why, int code) {
    throw SaveError("ファイル【" + target + "】を保存できませんでした\n\r（" + why +
                        "）\n\r元のファイルはそのまま残っています",
                    code);
}

[[noreturn]] void Busy(const std::string& target) {
    LockFailed(target, "他のプログラムが保存を続けています。しばらくしてからもう一度保存して下さい",
               EBUSY);
}

std::string Now() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y/%m/%d %H:%M", &local);
    return text;
}

// The note's lines: user, machine, time, process id, and a number that tells
// two notes of the same process apart.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(yoheki::FsPath(path), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

#ifdef _WIN32

std::string UserName() {
    wchar_t name[256];
    DWORD size = 256;
    return ::GetUserNameW(name, &size) ? yoheki::Narrow(name) : std::string();
}

std::string MachineName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    return ::GetComputerNameW(name, &size) ? yoheki::Narrow(name) : std::string();
}

unsigned long ProcessId() {
    return ::GetCurrentProcessId();
}

bool Running(unsigned long pid) {
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process)
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    const bool running = ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    ::CloseHandle(process);
    return running;
}

void WriteNote(const std::string& path, const std::string& text) {
    HANDLE file = ::CreateFileW(yoheki::WidePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
}

void RemoveNote(const std::string& path) {
    ::DeleteFileW(yoheki::WidePath(path).c_str());
}

#else

std::string UserName() {
    if (const passwd* pw = ::getpwuid(::geteuid()))
        return pw->pw_name;
    const char* user = std::getenv("USER");
    return user ? user : "";
}

std::string MachineName() {
    char name[256] = {};
    ::gethostname(name, sizeof name - 1);
    return name;
}

unsigned long ProcessId() {
    return static_cast<unsigned long>(::getpid());
}

bool Running(unsigned long pid) {
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// Written under a temporary name and renamed, so a reader never sees half.
void WriteNote(const std::string& path, const std::string& text) {
    const std::string tmp = path + "." + std::to_string(::getpid());
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return;
    const bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(fd);
    if (!ok || ::rename(tmp.c_str(), path.c_str()) != 0)
        ::unlink(tmp.c_str());
}

void RemoveNote(const std::string& path) {
    ::unlink(path.c_str());
}

#endif

// The project's own file, links followed where the system has them.
std::string Resolved(const std::string& target) {
#ifdef _WIN32
    return target;
#else
    return LinkTarget(target);
#endif
}

} // namespace

std::string FileLock::LockFileOf(const std::string& target) {
    const std::string file = Resolved(target);
    return FolderOf(file) + "/.~" + NameOf(file) + ".lck";
}

#ifdef _WIN32

// The lock file is deleted when its last holder closes it; opening one that
// is being deleted fails with access denied, and is tried again.
FileLock::FileLock(const std::string& target) : lockPath_(LockFileOf(target)) {
    const auto deadline = Clock::now() + LockWait;
    const std::wstring wide = yoheki::WidePath(lockPath_);
    for (;;) {
        HANDLE h = ::CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE,
                                 nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            const DWORD err = ::GetLastError();
            if (err != ERROR_ACCESS_DENIED && err != ERROR_SHARING_VIOLATION)
                LockFailed(target, "ロックファイルを作れません", EACCES);
        } else {
            OVERLAPPED at{};
            if (::LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                             &at)) {
                handle_ = h;
                return;
            }
            ::CloseHandle(h);
        }
        if (Clock::now() > deadline)
            Busy(target);
        std::this_thread::sleep_for(kRetry);
    }
}

FileLock::~FileLock() {
    OVERLAPPED at{};
    ::UnlockFileEx(handle_, 0, 1, 0, &at);
    ::CloseHandle(handle_);
}

#else

namespace {

bool SameFile(int fd, const std::string& path) {
    struct stat held, named;
    return ::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
           held.st_ino == named.st_ino && held.st_dev == named.st_dev;
}

} // namespace

// flock, not fcntl: an fcntl lock belongs to the process, so two windows of
// one program would not keep each other out. The holder removes the lock
// file before it lets go; a waiter that then gets the lock on the removed
// file sees that the name no longer leads to it and starts again.
FileLock::FileLock(const std::string& target) : lockPath_(LockFileOf(target)) {
    const auto deadline = Clock::now() + LockWait;
    for (;;) {
        const int fd = ::open(lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0)
            LockFailed(target, std::strerror(errno), errno);
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            if (SameFile(fd, lockPath_)) {
                fd_ = fd;
                return;
            }
        } else if (errno != EWOULDBLOCK && errno != EINTR) {
            const int err = errno;
            ::close(fd);
            LockFailed(target, std::strerror(err), err);
        }
        ::close(fd);
        if (Clock::now() > deadline)
            Busy(target);
        std::this_thread::sleep_for(kRetry);
    }
}

FileLock::~FileLock() {
    ::unlink(lockPath_.c_str());
    ::close(fd_);
}

#endif

std::string InUseMark::MarkFileOf(const std::string& target) {
    const std::string file = Resolved(target);
    return FolderOf(file) + "/.~lock." + NameOf(file) + "#";
}

InUseMark::InUseMark(const std::string& target) : path_(MarkFileOf(target)) {
    if (Other(target))
        return; // the other program's note stays until it closes
    static unsigned long count = 0;
    content_ = UserName() + "\n" + MachineName() + "\n" + Now() + "\n" +
               std::to_string(ProcessId()) + "\n" + std::to_string(++count) + "\n";
    WriteNote(path_, content_);
}

InUseMark::~InUseMark() {
    if (!content_.empty() && ReadAll(path_) == content_)
        RemoveNote(path_);
}

std::optional<InUse> InUseMark::Other(const std::string& target, const InUseMark* self) {
    const std::string text = ReadAll(MarkFileOf(target));
    if (text.empty() || (self && text == self->content_))
        return std::nullopt;
    const std::vector<std::string> lines = Lines(text);
    if (lines.size() < 4)
        return std::nullopt; // not a note this program wrote
    // A program on this machine that is no longer running left it behind.
    char* end = nullptr;
    const unsigned long pid = std::strtoul(lines[3].c_str(), &end, 10);
    if (lines[1] == MachineName() && (end == lines[3].c_str() || !Running(pid)))
        return std::nullopt;
    return InUse{lines[0], lines[1], lines[2]};
}

bool ProcessRunning(unsigned long pid) {
    return Running(pid);
}

} // namespace yoheki
