#pragma once
// Quantity pieces shared by the runs of the three structures: the roundings
// of millimetre products to the statement's units, bar weights by a rate per
// cubic metre, simple earth retaining along a run, the bar object of a slab
// with an upstand, the top finish name and the messages of the runs.
#include "Calc.h"
#include "Helpers.h"
#include "SRWtCALC.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace engine {

// RoundOff(product / scale): an exact millimetre product brought to
// hundredths of its unit (10^7 for 0.01 m³, 10^4 for 0.01 m²).
std::int64_t Hundredths(std::int64_t product, long double scale);
std::int64_t Vol(std::int64_t mm3);  // 0.01 m³
std::int64_t Area(std::int64_t mm2); // 0.01 m²
std::int64_t Len(std::int64_t mm);   // 0.01 m
// Hundredths of a cubic metre from three millimetre lengths.
std::int64_t Volume(std::int64_t a, std::int64_t b, std::int64_t c);
// Kilograms per m³ times hundredths of m³, as hundredths of a tonne.
std::int64_t Tonnes(std::int64_t kgPerM3, std::int64_t rc);

// The earthwork of a run: what is dug, what goes back and what leaves the
// site. `below` is the concrete that takes the place of excavated soil.
struct SoilFigures {
    std::int64_t excavation = 0, stone = 0, levelling = 0, below = 0;
    std::int64_t surplus = 0, backfill = 0;
};

// Bar weight per cubic metre when bars are not calculated from pitches.
struct UnitRate {
    std::int64_t kgPerM3 = 0;
    bool typed = false; // false: the field was empty and the fixed 70 is used
};
// An empty REdit18 gives the fixed-rate message and 70; any other text must be
// an integer (yoheki::Error otherwise).
UnitRate ReadUnitRate(const Reader& r);

struct Bars {
    bool calculated = false;       // from pitches (CheckBox1), else by unit rate
    std::int64_t d10 = 0, d13 = 0; // 0.01 t; d10 holds both sizes when merged
    // Kilograms from the bar object: per m³ of concrete, or per base for a
    // base foundation.
    std::int64_t r10 = 0, r13 = 0;
    UnitRate rate;
};
// Bars by the rate of REdit18 over the whole concrete, both sizes in d10.
Bars BarsByRate(const Reader& r, std::int64_t rcTotal);
// The bar weights as a base or ditch statement lists them: a weight by rate
// is both sizes together, kept apart from either; without D13 the D10 weight
// stands alone, and a D10 weight beside a D13 one only when positive.
void CollectListedBars(const Bars& b, Quantities& q);

// Simple earth retaining along the run.
struct Retaining {
    std::string frontText, backText;  // "表面H=650"
    std::int64_t front = 0, back = 0; // 0.01 m
};
// The sides the retaining menu names (H1 front, U1 back, R2 both), each the
// run's length, with the heights of the sheeting in their texts.
Retaining RetainingFor(const Snapshot& s, std::int64_t frontH, std::int64_t backH,
                       std::int64_t len);

// The bar object of a base slab with an upstand, reckoned for a metre of run.
TSR_CL_L UpstandRebar(const Reader& r, std::int64_t baseWidth, std::int64_t baseThick,
                      std::int64_t upstandThick, std::int64_t upstandHeight);

// What every run hands on: earthwork, concrete and formwork, with the
// disposal as the statement shows it (all that is excavated when the
// backfill is imported).
Quantities CollectCommon(StructureMode mode, bool ownSoil, const SoilFigures& soil, std::int64_t rcTotal,
                         std::int64_t ordinary, std::int64_t fairFaced);
// Sheeting only where the statement lists it, that is when positive.
void CollectRetaining(const Retaining& k, Quantities& q);

// The substrate under a finish on fair-faced concrete: repair (N22) or
// special repair (N110). False when neither is chosen.
bool FairFacedSubstrate(const Snapshot& s, std::string& name);
// The substrate when the concrete is covered instead: special (N23) or mortar.
std::string PlainSubstrate(const Snapshot& s);
// A repair finish ("補") needs no substrate of its own; a mortar finish
// ("モ") covers the concrete, so it has neither fair-faced formwork nor a
// substrate.
void ApplyFinishMarks(const std::string& name, std::int64_t& fairFaced, std::string& substrate);

// The finish label of a statement line start, without its closing "：".
std::string FinishLabel(std::string_view lineStart);

// The top finish: "コン鏝" when the stored top finish is fair-faced repair,
// else the finish chosen on screen.
std::string TopFinishName(const Snapshot& s);

inline constexpr const char* kCorrectAndRetry = "問題点を訂正して再度実行して下さい";
inline constexpr const char* kBackHeight = "無理な数字だと思いますが？ >> 裏面高さ";
inline constexpr const char* kD13Merged = "D13の重量が0.01ｔ以下です\n\r　D10に合算しておきます";
inline constexpr const char* kFixedRate = "単位重量７０㎏／ｍ3で計算します(固定)";

} // namespace engine
