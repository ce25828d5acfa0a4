#include "Cp932.h"

#include "Cp932Table.h"
#include "Error.h"

// The tables are the C library's own converter's, made at build time; reading
// them is several times faster than the converter, which opening a project of
// ten thousand items felt, and gives every system the same bytes.
namespace yoheki::cp932 {
namespace {

bool IsAscii(std::string_view s) {
    for (unsigned char ch : s)
        if (ch >= 0x80) return false;
    return true;
}

} // namespace

std::string Decode(std::string_view bytes) {
    if (IsAscii(bytes)) return std::string(bytes);
    return table::Decode(bytes);
}

std::string Encode(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    return table::Encode(utf8);
}

bool CanDecode(std::string_view bytes) {
    return IsAscii(bytes) || table::CanDecode(bytes);
}

bool CanEncode(std::string_view utf8) {
    try {
        Encode(utf8);
        return true;
    } catch (const EncodingError&) {
        return false;
    }
}

} // namespace yoheki::cp932
