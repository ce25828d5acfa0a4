// The one save on Windows: the same promise as on Linux (the old file or the
// new one, never a mix; no temporary file left behind), kept with Windows'
// own calls. ReplaceFileW keeps the old file's attributes, security and
// streams; a new file is moved into place with MOVEFILE_WRITE_THROUGH, which
// returns only once the move is on disk.
#include "AtomicFile.h"
#include "TemporaryName.h"

#include "NativePath.h"

#include <cerrno>
#include <cstring>
#include <algorithm>
#include <random>
#include <windows.h>

namespace yoheki {
namespace {

constexpr std::size_t npos = std::string::npos;
constexpr int kMaxLinks = 40;
// A file another program holds is tried again this often, this far apart.
constexpr int kHeldRetries = 20;
constexpr DWORD kHeldWaitMs = 50;

std::size_t LastSeparator(const std::string& path) {
    return path.find_last_of("/\\");
}

std::string FolderOf(const std::string& path) {
    const auto slash = LastSeparator(path);
    return slash == npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
}

std::string NameOf(const std::string& path) {
    return path.substr(LastSeparator(path) + 1);
}

// The reason in words an estimator can act on; the system's text otherwise.
std::string Reason(DWORD error) {
    switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
        return "他のプログラムで開かれています\n\rそのプログラムで閉じてから保存して下さい";
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return "書き込みが禁止されています";
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return "フォルダがありません";
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_NETNAME_DELETED:
    case ERROR_UNEXP_NET_ERR:
        return "ネットワーク上の場所に接続できません";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return "ディスクの空き容量が足りません";
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_INVALID_NAME:
        return "ファイル名かパスが正しくないか長すぎます";
    case ERROR_DIRECTORY:
        return "同じ名前のフォルダがあります";
    default:
        break;
    }
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring wide = text ? text : L"";
    LocalFree(text);
    while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L' '))
        wide.pop_back();
    return wide.empty() ? "エラー " + std::to_string(error) : Narrow(wide);
}

// The nearest C error number, for callers that tell reasons apart by it.
int ErrnoOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
        return EBUSY;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_DIRECTORY:
        return EISDIR;
    default:
        return EIO;
    }
}

[[noreturn]] void SaveFailed(const std::string& path, DWORD error) {
    const std::string reason = Reason(error);
    throw SaveError("ファイル【" + path + "】を保存できませんでした\n\r（" + reason +
                        "）\n\r元のファイルはそのまま残っています",
                    ErrnoOf(error), reason);
}

class Handle {
  public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return h_; }
    bool Close() {
        const bool ok = !Valid() || CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

  private:
    HANDLE h_;
};

void WriteAll(HANDLE h, std::string_view bytes, const std::string& path) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(h, bytes.data(), chunk, &written, nullptr))
            SaveFailed(path, GetLastError());
        bytes.remove_prefix(written);
    }
}

// ".~NAME.XXXXXX" beside the target, created only if no such file exists.
HANDLE CreateTemporary(std::string& name, const std::string& target) {
    std::random_device random;
    const std::string stem = FolderOf(target) + "\\.~" + NameOf(target) + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = stem;
        for (std::size_t i = 0; i < kTemporarySuffix; ++i)
            name += kTemporaryLetters[random() % (sizeof kTemporaryLetters - 1)];
        HANDLE h = CreateFileW(WidePath(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return h;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

bool OlderThan(const FILETIME& written, std::chrono::seconds age) {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) {
        return static_cast<long long>(t.dwHighDateTime) << 32 | t.dwLowDateTime;
    };
    return ticks(now) - ticks(written) > age.count() * 10'000'000LL; // 100 ns units
}

// Removes what earlier saves of `target` left when they were killed.
void RemoveStaleTemporaries(const std::string& target) {
    const std::string folder = FolderOf(target), name = NameOf(target);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(WidePath(folder + "\\.~" + name + ".*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string entry = Narrow(found.cFileName);
        // A save still writing holds its file open without sharing it, so
        // deleting it fails; one whose program was killed is free. A
        // second's grace covers the moment between writing and renaming.
        if (IsTemporaryOf(entry, name) && !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            OlderThan(found.ftLastWriteTime, std::chrono::seconds(1)))
            DeleteFileW(WidePath(folder + "\\" + entry).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// A device (NUL, CON) or a pipe cannot be replaced, only written.
void WriteInPlace(const std::string& target, std::string_view bytes, const std::string& path) {
    Handle h(CreateFileW(WidePath(target).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.Valid())
        SaveFailed(path, GetLastError());
    WriteAll(h.Get(), bytes, path);
}

// A program that holds the file open without letting others delete it
// (a spreadsheet, another estimator's program) makes the replacing fail; it
// is asked before anything is written.
// A reader that holds it a moment (another estimator's program loading an
// item, a virus scanner, the search indexer) is waited for, up to a second.
void RefuseIfOpenElsewhere(const std::string& target, const std::string& path) {
    for (int attempt = 0;; ++attempt) {
        HANDLE h = CreateFileW(WidePath(target).c_str(), DELETE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            CloseHandle(h);
            return;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION)
            return;
        if (attempt == kHeldRetries)
            SaveFailed(path, error);
        Sleep(kHeldWaitMs);
    }
}

// ReplaceFileW where it works; file systems without it (some network shares,
// FAT) say so with an error of their own, and take the plain replacing move.
bool PutInPlace(const std::wstring& tmp, const std::wstring& target, bool existed, DWORD& error) {
    if (existed) {
        for (int attempt = 0;; ++attempt) {
            if (ReplaceFileW(target.c_str(), tmp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                             nullptr, nullptr))
                return true;
            error = GetLastError();
            if ((error != ERROR_SHARING_VIOLATION && error != ERROR_UNABLE_TO_REMOVE_REPLACED) ||
                attempt == kHeldRetries)
                break;
            Sleep(kHeldWaitMs); // held a moment by a reader, as above
        }
        if (error != ERROR_INVALID_FUNCTION && error != ERROR_NOT_SUPPORTED &&
            error != ERROR_INVALID_PARAMETER && error != ERROR_CALL_NOT_IMPLEMENTED)
            return false;
    }
    if (MoveFileExW(tmp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    error = GetLastError();
    return false;
}

void Replace(const std::string& target, bool existed, std::string_view bytes,
             const std::string& path, SaveHooks hooks) {
    std::string tmp;
    Handle h(CreateTemporary(tmp, target));
    if (!h.Valid())
        SaveFailed(path, GetLastError());
    const std::wstring wideTmp = WidePath(tmp);
    try {
        WriteAll(h.Get(), bytes, path);
        if (!FlushFileBuffers(h.Get()))
            SaveFailed(path, GetLastError());
        if (!h.Close())
            SaveFailed(path, GetLastError());
        if (hooks.beforeRename)
            hooks.beforeRename();
        DWORD error = 0;
        if (!PutInPlace(wideTmp, WidePath(target), existed, error))
            SaveFailed(path, error);
    } catch (...) {
        h.Close();
        DeleteFileW(wideTmp.c_str());
        throw;
    }
}

} // namespace

std::string LinkTarget(const std::string& path) {
    std::string at = path;
    for (int hops = 0;; ++hops) {
        std::error_code error;
        if (!std::filesystem::is_symlink(FsPath(at), error))
            return at;
        if (hops == kMaxLinks)
            SaveFailed(path, ERROR_CANT_RESOLVE_FILENAME);
        const auto to = std::filesystem::read_symlink(FsPath(at), error);
        if (error)
            return at;
        const std::string next = Narrow(to.wstring());
        at = to.is_absolute() || LastSeparator(at) == npos ? next : FolderOf(at) + "\\" + next;
    }
}

namespace {

// The full path: the replacing works on full paths only (Wine refuses a
// relative one, "Qrtt.dat" in the start folder, as a folder).
std::string FullPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(FsPath(path), error);
    return error ? path : Narrow(full.wstring());
}

} // namespace

void SaveAtomically(const std::string& path, std::string_view bytes, SaveHooks hooks) {
    const std::string target = FullPath(LinkTarget(path));
    const DWORD attributes = GetFileAttributesW(WidePath(target).c_str());
    const bool existed = attributes != INVALID_FILE_ATTRIBUTES;
    if (!existed && GetLastError() != ERROR_FILE_NOT_FOUND)
        SaveFailed(path, GetLastError()); // no folder, no network, a name Windows refuses
    if (existed && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        SaveFailed(path, ERROR_DIRECTORY);
    if (existed && (attributes & FILE_ATTRIBUTE_DEVICE))
        return WriteInPlace(target, bytes, path);
    // Replacing needs only the folder's permission; a read-only file is not
    // replaced, as Explorer would not either.
    if (existed && (attributes & FILE_ATTRIBUTE_READONLY))
        SaveFailed(path, ERROR_ACCESS_DENIED);
    if (existed)
        RefuseIfOpenElsewhere(target, path);
    Replace(target, existed, bytes, path, hooks);
    RemoveStaleTemporaries(target);
}

} // namespace yoheki
