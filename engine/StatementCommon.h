#pragma once
// Pieces shared by the runs of the three structures: the roundings of
// volumes and areas, the condition lines of the statement heading, the top
// finish name, the bar rate typed per cubic metre and the placing of the bar
// weight lines.
#include "Helpers.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// The short names the statement lines are written with: a quantity in
// hundredths, a millimetre size in metres, a plain whole number.
inline std::string Q(std::int64_t v) {
    return FmtQty(v);
}
inline std::string M(std::int64_t mm) {
    return FmtM(mm);
}
inline std::string Z(std::int64_t v) {
    return std::to_string(v);
}
// Three millimetre sizes in metres with "×" between them.
std::string Product(std::int64_t a, std::int64_t b, std::int64_t c);

// RoundOff(product / scale): an exact millimetre product brought to
// hundredths of its unit (10^7 for 0.01 m³, 10^4 for 0.01 m²).
std::int64_t Hundredths(std::int64_t product, long double scale);
// Hundredths of a cubic metre from three millimetre lengths.
std::int64_t Volume(std::int64_t a, std::int64_t b, std::int64_t c);

// The project heading and the item name. In continuous text output the
// heading carries the structure's digit, so the items can be told apart.
void AppendTitleLines(const Reader& r, char digit, std::vector<std::string>& out);

// The conditions caption and the bar specification of the first `groups`
// bar groups: 2 for the base slab alone, 4 with an upstand.
void AppendBarSpecLines(const Reader& r, int groups, std::vector<std::string>& out);

// Adds the excavation rule lines, the simple earth retaining lines and the
// excavation line (which reads REdit17 once more when A1 is checked).
void AppendConditionLines(const Reader& r, std::vector<std::string>& out);

// The top finish: "コン鏝" when the stored top finish is fair-faced repair,
// else the finish chosen on screen.
std::string TopFinishName(const Snapshot& s);

// The finish label of a statement line start, without its closing "：".
std::string FinishLabel(std::string_view lineStart);

// Bar weight per cubic metre when bars are not calculated from pitches.
struct UnitRate {
    std::int64_t kgPerM3 = 0;
    bool typed = false; // false: the field was empty and the fixed 70 is used
};
// An empty REdit18 gives the fixed-rate message and 70; any other text must be
// an integer (yoheki::Error otherwise).
UnitRate ReadUnitRate(const Reader& r);

// The D10 line goes in when there is D10; the D13 line when there is D13.
// Without D13 the two sizes are reported together: a D10 line just written
// is taken out again and the merged line stands in its place.
void AppendBarLines(std::vector<std::string>& out, std::int64_t d10, std::int64_t d13,
                    const std::string& d10Line, const std::string& d13Line,
                    const std::string& mergedLine);

inline constexpr const char* kCorrectAndRetry = "問題点を訂正して再度実行して下さい";
inline constexpr const char* kD13Merged = "D13の重量が0.01ｔ以下です\n\r　D10に合算しておきます";
inline constexpr const char* kFixedRate = "単位重量７０㎏／ｍ3で計算します(固定)";

} // namespace engine
