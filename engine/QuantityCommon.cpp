#include "QuantityCommon.h"

#include "Checked.h"

#include <algorithm>

namespace engine {

using yoheki::Mul;

std::int64_t Hundredths(std::int64_t product, long double scale) {
    return RoundOff(static_cast<long double>(product) / scale);
}

std::int64_t Vol(std::int64_t mm3) {
    return Hundredths(mm3, 10000000.0L);
}
std::int64_t Area(std::int64_t mm2) {
    return Hundredths(mm2, 10000.0L);
}
std::int64_t Len(std::int64_t mm) {
    return Hundredths(mm, 10.0L);
}

std::int64_t Volume(std::int64_t a, std::int64_t b, std::int64_t c) {
    return Vol(Mul(a, b, c));
}

std::int64_t Tonnes(std::int64_t kgPerM3, std::int64_t rc) {
    return Hundredths(Mul(kgPerM3, rc), 1000.0L);
}

UnitRate ReadUnitRate(const Reader& r) {
    const std::string& text = r.snap().REdit[18];
    if (text.empty()) {
        r.Message(kFixedRate);
        return {70, false};
    }
    return {yoheki::StrToInt(text), true};
}

Bars BarsByRate(const Reader& r, std::int64_t rcTotal) {
    Bars b;
    b.rate = ReadUnitRate(r);
    b.d10 = Tonnes(b.rate.kgPerM3, rcTotal);
    return b;
}

void CollectListedBars(const Bars& b, Quantities& q) {
    if (!b.calculated) {
        q.barMerged = b.d10;
        return;
    }
    const bool merged = b.d13 <= 0;
    q.barD10 = merged || b.d10 > 0 ? b.d10 : 0;
    q.barD13 = merged ? 0 : b.d13;
}

Retaining RetainingFor(const Snapshot& s, std::int64_t frontH, std::int64_t backH,
                       std::int64_t len) {
    Retaining k;
    std::string front = "表面H=" + std::to_string(frontH);
    std::string back = "裏面H=" + std::to_string(backH);
    if (s.H1) {
        k.frontText = front;
        k.front = len;
    } else if (s.U1) {
        k.backText = back;
        k.back = len;
    } else if (s.R2) {
        k.frontText = front;
        k.backText = back;
        k.front = k.back = len;
    }
    return k;
}

TSR_CL_L UpstandRebar(const Reader& r, std::int64_t baseWidth, std::int64_t baseThick,
                      std::int64_t upstandThick, std::int64_t upstandHeight) {
    const Snapshot& s = r.snap();
    TSR_CL_L bar;
    bar.BaseWidth = baseWidth;
    bar.BaseThick = baseThick;
    bar.UpstandThick = upstandThick;
    bar.UpstandHeight = upstandHeight;
    bar.PitchBaseMain = r.Mm(12);
    bar.PitchBaseDist = r.Mm(14);
    bar.PitchUpstandVert = r.Mm(13);
    bar.PitchUpstandHorz = r.Mm(15);
    bar.KindBaseMain = s.RG_BL;
    bar.KindBaseDist = s.RG_HL;
    bar.KindUpstandVert = s.RG_TL;
    bar.KindUpstandHorz = s.RG_YL;
    bar.BaseDouble = s.CheckBox5;
    bar.UpstandDouble = s.CheckBox6;
    bar.RunLength = 1000;
    return bar;
}

Quantities CollectCommon(StructureMode mode, bool ownSoil, const SoilFigures& soil, std::int64_t rcTotal,
                         std::int64_t ordinary, std::int64_t fairFaced) {
    Quantities q;
    q.mode = mode;
    q.excavation = soil.excavation;
    q.disposal = ownSoil ? soil.surplus : soil.excavation;
    q.backfill = soil.backfill;
    q.stone = soil.stone;
    q.levelling = soil.levelling;
    q.rcTotal = rcTotal;
    q.formOrdinary = ordinary;
    q.fairFaced = fairFaced;
    return q;
}

void CollectRetaining(const Retaining& k, Quantities& q) {
    q.retainFront = std::max<std::int64_t>(k.front, 0);
    q.retainBack = std::max<std::int64_t>(k.back, 0);
}

bool FairFacedSubstrate(const Snapshot& s, std::string& name) {
    if (s.N22)
        name = "打放補修";
    else if (s.N110)
        name = "特殊打放補修";
    return s.N22 || s.N110;
}

std::string PlainSubstrate(const Snapshot& s) {
    return s.N23 ? "特殊打放補修" : "下地モルタル";
}

void ApplyFinishMarks(const std::string& name, std::int64_t& fairFaced, std::string& substrate) {
    if (Contains(name, "補"))
        substrate.clear();
    if (Contains(name, "モ")) {
        fairFaced = 0;
        substrate.clear();
    }
}

std::string FinishLabel(std::string_view lineStart) {
    static constexpr std::string_view colon = "：";
    if (lineStart.ends_with(colon))
        lineStart.remove_suffix(colon.size());
    return std::string(lineStart);
}

std::string TopFinishName(const Snapshot& s) {
    return s.YH_T == "打放補修" ? "コン鏝" : s.ComboBox[4];
}

} // namespace engine
