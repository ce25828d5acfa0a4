#pragma once
// Deformed-bar quantities of a slab-and-upstand section: bar counts from the
// pitches and bar kinds of four groups, lengths with anchorage, weights of D10
// (0.560 kg/m) and D13 (0.995 kg/m) with 4 % allowance. One object lives for
// one calculation run.
#include "CLF.h"

#include <cstdint>

namespace engine {

class TSR_CL_L {
public:
    std::int64_t BaseWidth = 0;
    std::int64_t BaseThick = 0;
    std::int64_t UpstandThick = 0;
    std::int64_t UpstandHeight = 0;
    std::int64_t PitchBaseMain = 0;
    std::int64_t PitchBaseDist = 0;
    std::int64_t PitchUpstandVert = 0;
    std::int64_t PitchUpstandHorz = 0;
    std::int32_t KindBaseMain = 0; // 0 D10, 1 D10,13 alternating, 2 D13, -1 none
    std::int32_t KindBaseDist = 0;
    std::int32_t KindUpstandVert = 0;
    std::int32_t KindUpstandHorz = 0;
    bool BaseDouble = false;
    bool UpstandDouble = false;
    std::int64_t ResultD10 = 0; // output
    std::int64_t ResultD13 = 0; // output
    std::int64_t RunLength = 0;

    // Positions (length div pitch) + 1; whole: all of them, else the D10 share
    // of an alternating arrangement.
    std::int64_t BarCount(bool whole, std::int64_t pitch, std::int64_t length) const;
    // The D13 share of an alternating arrangement (one more than half when even).
    std::int64_t BarCountD13(std::int64_t pitch, std::int64_t length) const;

    // Selector 1 asks for the D10 count, anything else for the D13 count.
    std::int64_t BaseMainCount(std::int64_t selector) const;
    std::int64_t BaseDistCount(std::int64_t selector) const;
    std::int64_t UpstandVertCount(std::int64_t selector) const;
    std::int64_t UpstandHorzCount(std::int64_t selector) const;

    // Kind 1 L-type wall, 2 base foundation, 3 U-shaped ditch. Kinds 1 and 3
    // give kg per m³ of concrete, kind 2 kg per base. A zero pitch, an unchosen
    // bar kind or (kinds 1 and 3) a zero section area is refused with
    // "現在の配筋では計算出来ません" and both results 0.
    void CalcRebar(int kind, const yoheki::MessageFn& message);
};

inline constexpr const char* kRebarRefused = "現在の配筋では計算出来ません";

} // namespace engine
