#include "SRWtCALC.h"

#include "Checked.h"

#include <cmath>

namespace engine {

using yoheki::Add;
using yoheki::Mul;
using yoheki::RoundOff;

namespace {

// Truncating division that refuses what the hardware would trap on.
std::int64_t Div(std::int64_t a, std::int64_t b) {
    if (b == 0)
        throw yoheki::Error("0 で除算しました");
    if (a == INT64_MIN && b == -1)
        yoheki::throwOverflow();
    return a / b;
}

// Bars spaced over a width are counted by rounding the number of pitches up,
// so a part-pitch at the edge still gets its bar.
std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {
    if (b == 0)
        throw yoheki::Error("0 で除算しました");
    long double c = std::ceil(static_cast<long double>(a) / static_cast<long double>(b));
    return RoundOff(c);
}

// D10 count for selector 1, D13 count otherwise.
std::int64_t Pick(std::int64_t selector, std::int64_t d10, std::int64_t d13) {
    return selector == 1 ? d10 : d13;
}

// Main bars and upstand vertical bars share one rule: n positions, all D10,
// alternating, or all D13.
std::int64_t PositionCount(const TSR_CL_L& o, std::int32_t kind, std::int64_t pitch,
                           std::int64_t length, std::int64_t selector) {
    switch (kind) {
    case 0:
        return Pick(selector, o.BarCount(true, pitch, length), 0);
    case 1:
        return Pick(selector, o.BarCount(false, pitch, length), o.BarCountD13(pitch, length));
    case 2:
        return Pick(selector, 0, o.BarCount(true, pitch, length));
    default:
        return 0;
    }
}

} // namespace

std::int64_t TSR_CL_L::BarCount(bool whole, std::int64_t pitch, std::int64_t length) const {
    std::int64_t n = Add(Div(length, pitch), 1);
    if (whole)
        return n;
    return n % 2 == 0 ? n / 2 : (n - 1) / 2;
}

std::int64_t TSR_CL_L::BarCountD13(std::int64_t pitch, std::int64_t length) const {
    std::int64_t n = Add(Div(length, pitch), 1);
    return n % 2 != 0 ? Add(n, 1) / 2 : n / 2 + 1;
}

std::int64_t TSR_CL_L::BaseMainCount(std::int64_t selector) const {
    return PositionCount(*this, KindBaseMain, PitchBaseMain, RunLength, selector);
}

std::int64_t TSR_CL_L::UpstandVertCount(std::int64_t selector) const {
    return PositionCount(*this, KindUpstandVert, PitchUpstandVert, BaseWidth, selector);
}

std::int64_t TSR_CL_L::BaseDistCount(std::int64_t selector) const {
    bool twin = BaseDouble || UpstandDouble;
    switch (KindBaseDist) {
    case 0: {
        std::int64_t c = CeilDiv(BaseWidth, PitchBaseDist);
        return Pick(selector, yoheki::Sub(c, 1), twin ? 4 : 2);
    }
    case 1: {
        std::int64_t half = Div(Add(CeilDiv(BaseWidth, PitchBaseDist), 1), 2);
        return Pick(selector, half, Add(half, twin ? 2 : 1));
    }
    case 2:
        return Pick(selector, 0, Add(CeilDiv(BaseWidth, PitchBaseDist), 3));
    default:
        return 0;
    }
}

std::int64_t TSR_CL_L::UpstandHorzCount(std::int64_t selector) const {
    if (KindUpstandHorz < 0 || KindUpstandHorz > 2)
        return 0;
    std::int64_t h = CeilDiv(Add(UpstandHeight, BaseThick), PitchUpstandHorz);
    switch (KindUpstandHorz) {
    case 0:
        return Pick(selector, h, 1);
    case 1:
        return Pick(selector, Div(h, 2), Add(Div(h, 2), 1));
    default:
        return Pick(selector, 0, Add(h, 1));
    }
}

namespace {

struct Counts {
    std::int64_t a = 0, b = 0, c = 0, d = 0; // main, distribution, vertical, horizontal
};

bool Refused(const TSR_CL_L& o, int kind) {
    if (kind == 2)
        return o.PitchBaseMain == 0 || o.PitchBaseDist == 0 || o.KindBaseMain == -1 ||
               o.KindBaseDist == -1;
    return o.PitchBaseMain == 0 || o.PitchBaseDist == 0 || o.PitchUpstandVert == 0 ||
           o.PitchUpstandHorz == 0 || o.KindBaseMain == -1 || o.KindBaseDist == -1 ||
           o.KindUpstandVert == -1 || o.KindUpstandHorz == -1;
}

// Section area of one metre of wall in 0.01 m²; the per-m³ results divide by it.
long double SectionArea(const TSR_CL_L& o) {
    return static_cast<long double>(o.BaseWidth) * o.BaseThick / 10000 +
           static_cast<long double>(o.UpstandHeight) * o.UpstandThick / 10000;
}

// Total bar length in mm of one size; anchor is the vertical bar's anchorage
// into the slab, upstandFactor 2 for the two walls of a ditch.
std::int64_t TotalLength(const TSR_CL_L& o, int kind, const Counts& n, std::int64_t anchor) {
    std::int64_t k = o.BaseDouble ? 2 : 1;
    std::int64_t e = o.BaseDouble ? Mul(2, o.BaseThick) : 0;
    std::int64_t j = o.UpstandDouble ? 2 : 1;
    std::int64_t B = o.BaseWidth, R = o.RunLength;
    std::int64_t main = Mul(n.a, k, Add(B, e));
    if (kind == 2)
        return Add(main, Mul(n.b, k, Add(R, e)));
    std::int64_t U = Add(o.UpstandHeight, o.BaseThick);
    std::int64_t upstand = Add(Mul(n.c, j, Add(U, anchor)), Mul(n.d, j, R));
    if (kind == 3)
        upstand = Mul(upstand, 2);
    return Add(main, Mul(n.b, k, R), upstand);
}

// Grams of bar with the 4 % allowance; gramsPerM is 560 for D10, 995 for D13.
std::int64_t Grams(std::int64_t lengthMm, std::int64_t gramsPerM) {
    return RoundOff(static_cast<long double>(Mul(lengthMm, gramsPerM, 104)) / 100000);
}

} // namespace

void TSR_CL_L::CalcRebar(int kind, const yoheki::MessageFn& message) {
    ResultD10 = 0;
    ResultD13 = 0;
    if (kind < 1 || kind > 3)
        return;
    long double area = kind == 2 ? 1 : SectionArea(*this);
    if (Refused(*this, kind) || area == 0) {
        if (message)
            message(kRebarRefused);
        return;
    }
    Counts n10{BaseMainCount(1), BaseDistCount(1), 0, 0};
    Counts n13{BaseMainCount(2), BaseDistCount(2), 0, 0};
    if (kind != 2) {
        n10.c = UpstandVertCount(1), n10.d = UpstandHorzCount(1);
        n13.c = UpstandVertCount(2), n13.d = UpstandHorzCount(2);
    } else if (KindBaseMain == 0) {
        n13.a = Add(n13.a, 2);
    }
    std::int64_t w10 = Grams(TotalLength(*this, kind, n10, 350), 560);
    std::int64_t w13 = Grams(TotalLength(*this, kind, n13, 460), 995);
    if (kind == 2) {
        ResultD10 = RoundOff(static_cast<long double>(w10) / 1000);
        ResultD13 = RoundOff(static_cast<long double>(w13) / 1000);
    } else {
        ResultD10 = RoundOff(static_cast<long double>(w10) / area / 10);
        ResultD13 = RoundOff(static_cast<long double>(w13) / area / 10);
    }
}

} // namespace engine
