#pragma once
// Conversion between UTF-8 (inside the program) and Windows code page 932
// (every file the program reads or writes). Code page 932 differs from JIS
// Shift_JIS: 0x5C is a backslash, 0x817C is U+FF0D, 0x8160 is U+FF5E, and the
// NEC and IBM extension rows (㎜, ①, 髙 ...) are present.
#include <string>
#include <string_view>

namespace yoheki::cp932 {

// Bytes that are not valid CP932 become U+FFFD, one per bad byte; never throws.
std::string Decode(std::string_view bytes);

// Throws EncodingError naming the first character CP932 cannot hold. Characters
// that Windows writes with a best fit (U+301C wave dash, U+2212 minus ...) are
// written as Windows would.
std::string Encode(std::string_view utf8);

// True when Encode would succeed.
bool CanEncode(std::string_view utf8);

// True when every byte is part of a valid CP932 character (Decode would put
// no U+FFFD).
bool CanDecode(std::string_view bytes);

} // namespace yoheki::cp932
