#pragma once
// A figure kept in hundredths written as the statement shows it: "16.25",
// "-0.05", "0.00". Tables of ten thousand rows and statements of hundreds of
// lines write many; a buffer on the stack costs none of the small strings.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>

namespace yoheki {

// Room enough for any 64-bit figure with its sign and point.
inline constexpr std::size_t kHundredthsRoom = 24;

// Writes `v` backwards so that it ends at `end`; returns where it starts.
inline char* WriteHundredths(std::int64_t v, char* end) {
    std::uint64_t a = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    char* at = end;
    *--at = static_cast<char>('0' + a % 10);
    *--at = static_cast<char>('0' + a / 10 % 10);
    *--at = '.';
    a /= 100;
    do {
        *--at = static_cast<char>('0' + a % 10);
        a /= 10;
    } while (a != 0);
    if (v < 0)
        *--at = '-';
    return at;
}

inline std::string Hundredths(std::int64_t v) {
    char text[kHundredthsRoom];
    return std::string(WriteHundredths(v, std::end(text)), std::end(text));
}

} // namespace yoheki
