#include "SRWtCALC.h"
#include "SnapshotFile.h"

#include "Error.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using engine::TSR_CL_L;
using enginetest::Recorder;

TEST(BarCount, PositionsUseTruncatingDivision) {
    TSR_CL_L o;
    struct Case {
        std::int64_t pitch, length, whole, d10, d13;
    } cases[] = {
        {200, 1000, 6, 3, 4}, // even n: D13 gets one more than half
        {250, 1000, 5, 2, 3}, // odd n
        {200, 1050, 6, 3, 4}, // 1050 div 200 = 5, not rounded up
        {300, 200, 1, 0, 1},  // shorter than one pitch
        {1000, 0, 1, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pitch << " over " << c.length);
        EXPECT_EQ(o.BarCount(true, c.pitch, c.length), c.whole);
        EXPECT_EQ(o.BarCount(false, c.pitch, c.length), c.d10);
        EXPECT_EQ(o.BarCountD13(c.pitch, c.length), c.d13);
    }
}

TEST(BarCount, ZeroPitchAndOverflowRaiseInsteadOfTrapping) {
    TSR_CL_L o;
    EXPECT_THROW(o.BarCount(true, 0, 1000), yoheki::Error);
    EXPECT_THROW(o.BarCountD13(0, 1000), yoheki::Error);
    EXPECT_THROW(o.BarCount(true, -1, INT64_MIN), yoheki::Error);
    EXPECT_THROW(o.BarCount(true, 1, INT64_MAX), yoheki::Error);
}

TSR_CL_L Group(std::int32_t kind) {
    TSR_CL_L o;
    o.BaseWidth = 1000;
    o.RunLength = 1000;
    o.BaseThick = 250;
    o.UpstandHeight = 800;
    o.PitchBaseMain = o.PitchUpstandVert = 200;
    o.PitchBaseDist = 200;
    o.PitchUpstandHorz = 300;
    o.KindBaseMain = o.KindBaseDist = o.KindUpstandVert = o.KindUpstandHorz = kind;
    return o;
}

TEST(GroupCounters, MainAndVerticalBarsByKind) {
    // 6 positions over 1000 at 200.
    struct Case {
        std::int32_t kind;
        std::int64_t d10, d13;
    } cases[] = {{0, 6, 0}, {1, 3, 4}, {2, 0, 6}, {-1, 0, 0}, {3, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        TSR_CL_L o = Group(c.kind);
        EXPECT_EQ(o.BaseMainCount(1), c.d10);
        EXPECT_EQ(o.BaseMainCount(2), c.d13);
        EXPECT_EQ(o.UpstandVertCount(1), c.d10);
        EXPECT_EQ(o.UpstandVertCount(7), c.d13); // any selector but 1 asks for D13
    }
}

TEST(GroupCounters, DistributionBarsRoundUpAndAddEdgeBars) {
    struct Case {
        std::int32_t kind;
        std::int64_t width;
        bool baseDouble, upstandDouble;
        std::int64_t d10, d13;
    } cases[] = {
        {0, 1000, false, false, 4, 2}, // c = 5
        {0, 1000, true, false, 4, 4},   {0, 1000, false, true, 4, 4},
        {0, 1050, false, false, 5, 2},                                 // c = ceil(5.25) = 6
        {1, 1000, false, false, 3, 4},                                 // m = 6
        {1, 1000, true, true, 3, 5},    {1, 1050, false, false, 3, 4}, // m = 7
        {2, 1000, true, true, 0, 8},                                   // c + 3 whatever the layers
        {-1, 1000, false, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << " " << c.width);
        TSR_CL_L o = Group(c.kind);
        o.BaseWidth = c.width;
        o.BaseDouble = c.baseDouble;
        o.UpstandDouble = c.upstandDouble;
        EXPECT_EQ(o.BaseDistCount(1), c.d10);
        EXPECT_EQ(o.BaseDistCount(2), c.d13);
    }
}

TEST(GroupCounters, HorizontalBarsOverUpstandAndSlab) {
    // h = ceil((800 + 250) / 300) = ceil(3.5) = 4
    struct Case {
        std::int32_t kind;
        std::int64_t d10, d13;
    } cases[] = {{0, 4, 1}, {1, 2, 3}, {2, 0, 5}, {-1, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        TSR_CL_L o = Group(c.kind);
        EXPECT_EQ(o.UpstandHorzCount(1), c.d10);
        EXPECT_EQ(o.UpstandHorzCount(2), c.d13);
    }
}

// Base 1500 x 300, upstand 200 thick and 1400 high, every pitch 200; main bars
// alternating, distribution bars D10, vertical bars D13, horizontal bars D10.
TSR_CL_L Wall() {
    TSR_CL_L o;
    o.BaseWidth = 1500;
    o.BaseThick = 300;
    o.UpstandThick = 200;
    o.UpstandHeight = 1400;
    o.PitchBaseMain = o.PitchBaseDist = o.PitchUpstandVert = o.PitchUpstandHorz = 200;
    o.KindBaseMain = 1;
    o.KindBaseDist = 0;
    o.KindUpstandVert = 2;
    o.KindUpstandHorz = 0;
    o.RunLength = 1000;
    return o;
}

TEST(CalcRebar, WallSingleLayers) {
    // a: 6 positions -> 3 D10, 4 D13.  b: c = ceil(7.5) = 8 -> 7 D10, 2 D13.
    // c: 8 positions over 1500 -> 8 D13.  d: h = ceil(1700 / 200) = 9 -> 9 D10, 1 D13.
    // L10 = 3*1500 + 7*1000 + 9*1000 = 20500
    // L13 = 4*1500 + 2*1000 + 8*(1700+460) + 1*1000 = 26280
    // W10 = 20500*560*104/100000 = 11939.2 -> 11939
    // W13 = 26280*995*104/100000 = 27194.544 -> 27195
    // S = 1500*300/10000 + 1400*200/10000 = 73
    // D10 = 11939/73/10 = 16.35 -> 16; D13 = 27195/730 = 37.25 -> 37
    TSR_CL_L o = Wall();
    Recorder r;
    o.CalcRebar(1, r.fn());
    EXPECT_EQ(o.ResultD10, 16);
    EXPECT_EQ(o.ResultD13, 37);
    EXPECT_TRUE(r.texts.empty());
}

TEST(CalcRebar, WallDoubleLayers) {
    // All D10; base 1000 x 250, upstand 150 x 750; pitches 250, 300, 200, 250.
    // a: 5 -> 5 D10.  b: c = ceil(3.33) = 4 -> 3 D10, 4 D13 (double).
    // c: 6 -> 6 D10.  d: h = ceil(1000/250) = 4 -> 4 D10, 1 D13.
    // k = 2, e = 500, j = 2, U = 1000.
    // L10 = 5*2*1500 + 3*2*1000 + 6*2*1350 + 4*2*1000 = 45200
    // L13 = 4*2*1000 + 1*2*1000 = 10000
    // W10 = 45200*58240/100000 = 26324.48 -> 26324; W13 = 10348
    // S = 25 + 11.25 = 36.25; D10 = 26324/362.5 = 72.62 -> 73; D13 = 28.55 -> 29
    TSR_CL_L o;
    o.BaseWidth = 1000;
    o.BaseThick = 250;
    o.UpstandThick = 150;
    o.UpstandHeight = 750;
    o.PitchBaseMain = 250;
    o.PitchBaseDist = 300;
    o.PitchUpstandVert = 200;
    o.PitchUpstandHorz = 250;
    o.BaseDouble = o.UpstandDouble = true;
    o.RunLength = 1000;
    o.CalcRebar(1, nullptr);
    EXPECT_EQ(o.ResultD10, 73);
    EXPECT_EQ(o.ResultD13, 29);
}

TEST(CalcRebar, DitchDoublesTheUpstandTerms) {
    // As WallSingleLayers with both upstand terms twice:
    // L10 = 4500 + 7000 + 2*9000 = 29500 -> W10 = 17180.8 -> 17181 -> 17181/730 = 23.5 -> 24
    // L13 = 6000 + 2000 + 2*(17280 + 1000) = 44560 -> W13 = 46110.688 -> 46111 -> 63.2 -> 63
    TSR_CL_L o = Wall();
    o.CalcRebar(3, nullptr);
    EXPECT_EQ(o.ResultD10, 24);
    EXPECT_EQ(o.ResultD13, 63);
}

TEST(CalcRebar, BaseFoundationInKilograms) {
    // Base 1200 wide, 600 high, 800 run; main D10 @200, distribution D10,13 @250,
    // double base; the upstand pitch 0 is not looked at.
    // a: 5 -> 5 D10, and 2 D13 added for an all-D10 main direction.
    // b: c = ceil(4.8) = 5, m = 6 -> 3 D10, 3 + 2 D13.
    // k = 2, e = 1200: L10 = 5*2*2400 + 3*2*2000 = 36000; L13 = 2*2*2400 + 5*2*2000 = 29600
    // W10 = 36000*58240/100000 = 20966.4 -> 20966 g -> 21 kg
    // W13 = 29600*103480/100000 = 30630.08 -> 30630 g -> 31 kg
    TSR_CL_L o;
    o.BaseWidth = 1200;
    o.BaseThick = 600;
    o.RunLength = 800;
    o.PitchBaseMain = 200;
    o.PitchBaseDist = 250;
    o.KindBaseMain = 0;
    o.KindBaseDist = 1;
    o.BaseDouble = true;
    Recorder r;
    o.CalcRebar(2, r.fn());
    EXPECT_EQ(o.ResultD10, 21);
    EXPECT_EQ(o.ResultD13, 31);
    EXPECT_TRUE(r.texts.empty());
}

TEST(CalcRebar, RefusedArrangementsGiveZeroAndOneMessage) {
    struct Case {
        const char* what;
        int kind;
        void (*spoil)(TSR_CL_L&);
    } cases[] = {
        {"wall, vertical pitch 0", 1, [](TSR_CL_L& o) { o.PitchUpstandVert = 0; }},
        {"ditch, horizontal pitch 0", 3, [](TSR_CL_L& o) { o.PitchUpstandHorz = 0; }},
        {"base, distribution pitch 0", 2, [](TSR_CL_L& o) { o.PitchBaseDist = 0; }},
        {"wall, horizontal kind unchosen", 1, [](TSR_CL_L& o) { o.KindUpstandHorz = -1; }},
        {"base, main kind unchosen", 2, [](TSR_CL_L& o) { o.KindBaseMain = -1; }},
        {"wall, zero section", 1, [](TSR_CL_L& o) { o.BaseWidth = 0, o.UpstandThick = 0; }},
        {"ditch, zero section", 3, [](TSR_CL_L& o) { o.BaseThick = 0, o.UpstandHeight = 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TSR_CL_L o = Wall();
        o.ResultD10 = o.ResultD13 = 99;
        c.spoil(o);
        Recorder r;
        o.CalcRebar(c.kind, r.fn());
        EXPECT_EQ(o.ResultD10, 0);
        EXPECT_EQ(o.ResultD13, 0);
        EXPECT_EQ(r.texts, std::vector<std::string>{"現在の配筋では計算出来ません"});
    }
}

TEST(CalcRebar, BaseIgnoresUpstandPitchesAndKinds) {
    TSR_CL_L o = Wall();
    o.PitchUpstandVert = 0;
    o.KindUpstandHorz = -1;
    Recorder r;
    o.CalcRebar(2, r.fn());
    EXPECT_TRUE(r.texts.empty());
    EXPECT_GT(o.ResultD10 + o.ResultD13, 0);
}

TEST(CalcRebar, HugeDimensionsRaiseOverflow) {
    TSR_CL_L o = Wall();
    o.BaseWidth = INT64_MAX / 2;
    EXPECT_THROW(o.CalcRebar(1, nullptr), yoheki::Error);
}

} // namespace
