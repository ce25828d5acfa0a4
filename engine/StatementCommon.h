#pragma once
// Statement pieces shared by the runs of the three structures: the number
// wrappers, the heading's title, bar and condition lines, and the placing of
// the bar weight lines.
#include "Helpers.h"
#include "QuantityCommon.h"

#include <cstdint>
#include <optional>
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

// The conditions caption and the bar description of the first `groups`
// bar groups: 2 for the base slab alone, 4 with an upstand.
void AppendBarSpecLines(const Reader& r, int groups, std::vector<std::string>& out);

// The last six drawing labels of a slab with an upstand: embedment, stone,
// levelling concrete, base width, base thickness and wall thickness.
void AppendSectionLabels(const Snapshot& s, std::vector<std::string>& out);

// Adds the excavation rule lines, the simple earth retaining lines and the
// excavation line (which reads REdit17 once more when A1 is checked).
void AppendConditionLines(const Reader& r, std::vector<std::string>& out);

// Surplus soil and backfill; `belowLabel` names what the structure puts
// below ground in the formulas ("ＲＣ残土用", "ＧＬ下体積"). With the
// excavated soil reused (K3) only the surplus leaves the site; with imported
// backfill everything excavated does.
void AppendSoilLines(const SoilFigures& f, std::string_view belowLabel, bool ownSoil,
                     std::vector<std::string>& out);

// Crushed stone, and levelling concrete when there is any, with their formulas.
void AppendSubBaseLines(std::int64_t stone, const std::string& stoneFormula, std::int64_t levelling,
                        const std::string& levFormula, std::vector<std::string>& out);
// "ＲＣ:全  量：" over the base and, where the structure has one, the upstand.
std::string RcTotalLine(std::int64_t total, std::int64_t base,
                        std::optional<std::int64_t> upstand = std::nullopt);
// The start of a concrete member line up to its formula: "     ＲＣ:" + member.
std::string RcMemberHead(std::string_view member, std::int64_t volume);

// Ordinary formwork as the total less the fair-faced part, the total's
// formula, and the fair-faced line when there is fair-faced formwork.
void AppendFormworkLines(std::int64_t ordinary, std::int64_t fairFaced,
                         const std::string& totalFormula, std::vector<std::string>& out);

// The reinforcement line when bars go by a rate per m³ of concrete.
std::string RateBarLine(const Bars& b, const Snapshot& s);
// "異形鉄筋" + size + "：" + tonnes + "（ｔ）　 :=" + basis + kg + "㎏／" + per.
std::string BarLine(std::string_view size, std::int64_t tonnes, const std::string& basis,
                    std::int64_t kg, std::string_view per);

// The sheeting lines of the sides that have simple earth retaining.
void AppendRetainingLines(const Retaining& k, std::vector<std::string>& out);

// The summary box's lines from the excavation to the D13 weight. A structure
// without an upstand leaves that line empty.
std::vector<std::string> SummaryQuantityLines(const SoilFigures& soil, std::int64_t rcBase,
                                              std::optional<std::int64_t> rcUpstand,
                                              std::int64_t ordinary, std::int64_t fairFaced,
                                              const Bars& bars);
// The two sheeting lines of the summary box, shown even without sheeting.
void AppendSummaryRetaining(const Retaining& k, std::vector<std::string>& lines);
// A finish of the summary box: label + name + " : " + quantity.
std::string SummaryFinish(std::string_view label, const std::string& name, std::int64_t v);
// The summary box's text: the lines joined by "\n\r", closed by two more
// when `closed`.
std::string SummaryText(const std::vector<std::string>& lines, bool closed);

// The D10 line goes in when there is D10; the D13 line when there is D13.
// Without D13 the two sizes are reported together: a D10 line just written
// is taken out again and the merged line stands in its place.
void AppendBarLines(std::vector<std::string>& out, std::int64_t d10, std::int64_t d13,
                    const std::string& d10Line, const std::string& d13Line,
                    const std::string& mergedLine);

} // namespace engine
