#pragma once
// The CP932 codec from tables made at build time by the C library's own
// converter (support/tools/cp932_tables.cpp). Builds whose C library has no
// CP932 converter use it, and it gives byte for byte what the converter gives.
#include <string>
#include <string_view>

namespace yoheki::cp932::table {

std::string Decode(std::string_view bytes);
std::string Encode(std::string_view utf8);    // throws EncodingError
bool CanDecode(std::string_view bytes);

} // namespace yoheki::cp932::table
