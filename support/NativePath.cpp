#include "NativePath.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace yoheki {

#ifdef _WIN32

std::wstring Widen(const std::string& utf8) {
    if (utf8.empty())
        return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

std::string Narrow(const std::wstring& wide) {
    if (wide.empty())
        return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n, nullptr,
                        nullptr);
    return utf8;
}

std::wstring WidePath(const std::string& utf8) {
    std::wstring path = Widen(utf8);
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    // Folders are limited to 248 characters, files to 260, both counting the drive.
    if (path.size() < 240 || path.rfind(L"\\\\?\\", 0) == 0)
        return path;
    const DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0)
        return path;
    std::wstring full(n, L'\0');
    full.resize(GetFullPathNameW(path.c_str(), n, full.data(), nullptr));
    if (full.rfind(L"\\\\", 0) == 0)
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::filesystem::path FsPath(const std::string& utf8) {
    return std::filesystem::path(WidePath(utf8));
}

#else

std::filesystem::path FsPath(const std::string& utf8) {
    return std::filesystem::path(utf8);
}

#endif

} // namespace yoheki
