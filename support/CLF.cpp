#include "CLF.h"

#include "Checked.h"
#include "IniFile.h"

#include <cmath>

namespace yoheki {

void throwOverflow() { throw Error("整数演算でオーバーフローしました"); }

std::int64_t StrToMm(std::string_view text, const MessageFn& message) {
    std::int64_t v;
    if (!ParseInt32(text, v)) {
        if (message) message(kMmMessage);
        return 0;
    }
    std::int64_t t = v / 10 * 10; // truncates toward zero
    if (v - t >= 5) t += 10;
    return t;
}

std::int64_t RoundOff(long double x) {
    long double r = x >= 0 ? std::trunc(x + 0.5L) : std::trunc(x - 0.5L);
    if (!(r >= -9223372036854775808.0L && r < 9223372036854775808.0L)) throwOverflow();
    return static_cast<std::int64_t>(r);
}

std::int64_t Round10(std::int64_t v) {
    return Mul(RoundOff(static_cast<long double>(v) / 10), 10);
}

std::int64_t StrToInt(std::string_view text) {
    std::int64_t v;
    if (!ParseInt32(text, v))
        throw Error("'" + std::string(text) + "' は有効な整数値ではありません");
    return v;
}

} // namespace yoheki
