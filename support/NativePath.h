#pragma once
// Paths are UTF-8 inside the program. On Windows the narrow file functions
// take the ANSI code page, which cannot hold every name an estimator may give
// (工事データ is fine in CP932, a Korean client's name is not), so paths reach
// the system through its wide functions; on Linux the bytes are the name.
#include <filesystem>
#include <string>

namespace yoheki {

// For std::ifstream and std::filesystem.
std::filesystem::path FsPath(const std::string& utf8);

#ifdef _WIN32
// The wide form for the Win32 functions: backslashes, and for a path longer
// than the old limit of 260 characters the full path with the \\?\ prefix
// (\\?\UNC\ for a network path) that lifts it.
std::wstring WidePath(const std::string& utf8);
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide); // to UTF-8
#endif

} // namespace yoheki
