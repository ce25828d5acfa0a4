#pragma once
// Statement pieces shared by the runs of the three structures: the number
// wrappers, the heading's title, bar and condition lines, and the placing of
// the bar weight lines.
#include "Helpers.h"
#include "QuantityCommon.h"

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

// The project heading and the item name. In continuous text output the
// heading carries the structure's digit, so the items can be told apart.
void AppendTitleLines(const Reader& r, char digit, std::vector<std::string>& out);

// The conditions caption and the bar specification of the first `groups`
// bar groups: 2 for the base slab alone, 4 with an upstand.
void AppendBarSpecLines(const Reader& r, int groups, std::vector<std::string>& out);

// Adds the excavation rule lines, the simple earth retaining lines and the
// excavation line (which reads REdit17 once more when A1 is checked).
void AppendConditionLines(const Reader& r, std::vector<std::string>& out);

// The D10 line goes in when there is D10; the D13 line when there is D13.
// Without D13 the two sizes are reported together: a D10 line just written
// is taken out again and the merged line stands in its place.
void AppendBarLines(std::vector<std::string>& out, std::int64_t d10, std::int64_t d13,
                    const std::string& d10Line, const std::string& d13Line,
                    const std::string& mergedLine);

} // namespace engine
