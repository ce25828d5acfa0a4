#include "UT_CLDir.h"

namespace yoheki {
namespace {

// Position of the last separator, not counting the path's last character.
std::string_view::size_type LastSeparator(std::string_view path) {
    if (path.size() < 2) return std::string_view::npos;
    return path.substr(0, path.size() - 1).find_last_of("/\\");
}

// Drops the last n UTF-8 characters.
std::string DropChars(std::string_view s, int n) {
    std::size_t end = s.size();
    while (n > 0 && end > 0) {
        --end;
        while (end > 0 && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80) --end;
        --n;
    }
    return n > 0 ? std::string() : std::string(s.substr(0, end));
}

} // namespace

std::string BareName(std::string_view path) {
    auto sep = LastSeparator(path);
    std::string_view rest = sep == std::string_view::npos ? path : path.substr(sep + 1);
    return DropChars(rest, 4);
}

std::string FolderOf(std::string_view path) {
    auto sep = LastSeparator(path);
    if (sep == std::string_view::npos) return {};
    if (sep == 0 && path[0] == '/') return "/"; // a file at the root of the file system
    return std::string(path.substr(0, sep));
}

} // namespace yoheki
