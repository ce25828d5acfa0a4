#pragma once
// Number conversions shared by the calculations.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace yoheki {

using MessageFn = std::function<void(const std::string&)>;

// Shown when a dimension is not a whole number of millimetres.
inline constexpr const char* kMmMessage = "全数量は㎜単位で入力して下さい\n\r  （裏画面も含みます！！)";

// A typed dimension as millimetres rounded to 10: non-negative values round half
// up (1234 -> 1230, 1235 -> 1240), negative ones drop the units digit
// (-17 -> -10). A text that is not a 32-bit integer gives kMmMessage through
// `message` and 0.
std::int64_t StrToMm(std::string_view text, const MessageFn& message);

// Round half away from zero (2.5 -> 3, -2.5 -> -3). Throws Error when the value
// does not fit 64 bits.
std::int64_t RoundOff(long double x);

// Nearest multiple of 10, half away from zero (15 -> 20, -15 -> -20).
std::int64_t Round10(std::int64_t v);

// The toolkit's integer conversion: throws Error("'x' は有効な整数値ではありません")
// for a text that is not a 32-bit decimal integer.
std::int64_t StrToInt(std::string_view text);

} // namespace yoheki
