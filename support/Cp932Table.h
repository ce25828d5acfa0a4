#pragma once
// The CP932 codec from tables made at build time by the C library's own
// converter (support/tools/cp932_tables.cpp): byte for byte what the converter
// gives, on systems whose C library has none too.
#include <string>
#include <string_view>

namespace yoheki::cp932::table {

std::string Decode(std::string_view bytes);
std::string Encode(std::string_view utf8);    // throws EncodingError
bool CanDecode(std::string_view bytes);

} // namespace yoheki::cp932::table
