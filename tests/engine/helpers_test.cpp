#include "Helpers.h"
#include "SnapshotFile.h"

#include "Error.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using engine::Reader;
using engine::Snapshot;
using enginetest::Recorder;

// A wall with every dimension that ExcavDepth reads filled in, so no read
// reports; depth = embedment + levelling + stone.
Snapshot Depth(const char* embedment) {
    Snapshot s;
    s.REdit[2] = "1200";
    s.REdit[3] = "1200";
    s.REdit[4] = embedment;
    s.REdit[5] = "0";
    s.REdit[6] = "0";
    s.REdit[17] = "0";
    return s;
}

TEST(SubBaseProjection, LastCheckedItemWins) {
    struct Case {
        bool n1001, n5051, n001;
        std::int64_t expected;
    } cases[] = {
        {false, false, false, 0}, {true, false, false, 100}, {false, true, false, 50},
        {true, true, false, 50},  {true, false, true, 0},    {false, true, true, 0},
    };
    for (const Case& c : cases) {
        Snapshot s;
        s.N1001 = c.n1001, s.N5051 = c.n5051, s.N001 = c.n001;
        EXPECT_EQ(Reader(s, nullptr).SubBaseProjection(), c.expected)
            << c.n1001 << c.n5051 << c.n001;
    }
}

TEST(SideProjection, FiftyOnBothSidesOnlyWhenBothAreRetained) {
    struct Case {
        bool h1, u1, r2;
        std::int64_t front, back;
    } cases[] = {
        {false, false, false, 100, 100},
        {false, false, true, 50, 50},
        {true, false, false, 100, 100},
        {false, true, false, 100, 100},
    };
    for (const Case& c : cases) {
        Snapshot s;
        s.N1001 = true;
        s.H1 = c.h1, s.U1 = c.u1, s.R2 = c.r2;
        Reader r(s, nullptr);
        EXPECT_EQ(r.SideProjection(1), c.front) << c.h1 << c.u1 << c.r2;
        EXPECT_EQ(r.SideProjection(2), c.back) << c.h1 << c.u1 << c.r2;
    }
    Snapshot none;
    none.R2 = true;
    EXPECT_EQ(Reader(none, nullptr).SideProjection(2), 50);
}

TEST(ExcavDepth, EmbedmentLessHeightDifferenceAndGroundLine) {
    struct Case {
        const char* what;
        void (*set)(Snapshot&);
        std::int64_t front, back;
    } cases[] = {
        {"plain", [](Snapshot&) {}, 650, 650},
        {"N4, back lower", [](Snapshot& s) { s.N4 = true, s.REdit[3] = "800"; }, 650, 250},
        {"N4, back higher", [](Snapshot& s) { s.N4 = true, s.REdit[3] = "1500"; }, 650, 350},
        {"heights differ without N4", [](Snapshot& s) { s.REdit[3] = "800"; }, 650, 650},
        {"A1 subtracts G", [](Snapshot& s) { s.A1 = true, s.REdit[17] = "200"; }, 450, 450},
        {"A1 with G below GL", [](Snapshot& s) { s.A1 = true, s.REdit[17] = "-100"; }, 750, 750},
        {"G ignored without A1", [](Snapshot& s) { s.REdit[17] = "200"; }, 650, 650},
        {"base mode: back height 0",
         [](Snapshot& s) { s.B1 = true, s.N4 = true, s.REdit[3] = "800"; }, 650, -550},
        {"ditch mode: both heights 0",
         [](Snapshot& s) { s.U2 = true, s.N4 = true, s.REdit[3] = "800"; }, 650, 650},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Snapshot s = Depth("500");
        s.REdit[5] = "50";
        s.REdit[6] = "100";
        c.set(s);
        Reader r(s, nullptr);
        EXPECT_EQ(r.ExcavDepth(1), c.front);
        EXPECT_EQ(r.ExcavDepth(2), c.back);
    }
}

TEST(ExcavWidth, EstimatingStandardByDepth) {
    struct Case {
        const char* embedment;
        std::int64_t expected;
    } cases[] = {
        {"0", 500},     {"1500", 500},  {"1510", 727}, // 500 + RoundOff(226.5)
        {"5000", 1250}, {"5010", 2003},                // 500 + RoundOff(1503)
        {"-100", 470},                                 // negative: 500 + RoundOff(-30)
    };
    for (const Case& c : cases) {
        Snapshot s = Depth(c.embedment);
        s.S1 = true;
        EXPECT_EQ(Reader(s, nullptr).ExcavWidth(1), c.expected) << c.embedment;
    }
}

TEST(ExcavWidth, RetainedSideAndOtherRules) {
    struct Case {
        const char* what;
        void (*set)(Snapshot&);
        std::int64_t front, back;
    } cases[] = {
        {"S1, front retained, N1001", [](Snapshot& s) { s.S1 = s.H1 = s.N1001 = true; }, 50, 500},
        {"S1, back retained, N001", [](Snapshot& s) { s.S1 = s.U1 = s.N001 = true; }, 500, 0},
        {"S1, both retained, N5051", [](Snapshot& s) { s.S1 = s.R2 = s.N5051 = true; }, 50, 50},
        {"Y1", [](Snapshot& s) { s.Y1 = true; }, 500, 500},
        {"Y1, back retained", [](Snapshot& s) { s.Y1 = s.U1 = true; }, 500, 50},
        {"N6061", [](Snapshot& s) { s.N6061 = true; }, 846, 846}, // 500 + RoundOff(346.41)
        {"N6061, front retained", [](Snapshot& s) { s.N6061 = s.H1 = true; }, 50, 846},
        {"N4541", [](Snapshot& s) { s.N4541 = true; }, 1100, 1100},
        {"N4541, both retained", [](Snapshot& s) { s.N4541 = s.R2 = true; }, 50, 50},
        {"no rule", [](Snapshot&) {}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Snapshot s = Depth("1200");
        c.set(s);
        Reader r(s, nullptr);
        EXPECT_EQ(r.ExcavWidth(1), c.front);
        EXPECT_EQ(r.ExcavWidth(2), c.back);
    }
}

TEST(ExcavWidth, GroundLineCountsTwiceExceptOnTheSixtyDegreeSlope) {
    // Depth 2000 less G 200 = 1800.
    struct Case {
        void (*set)(Snapshot&);
        std::int64_t expected;
    } cases[] = {
        {[](Snapshot& s) { s.S1 = true; }, 740},     // D = 1600: 500 + 240
        {[](Snapshot& s) { s.N4541 = true; }, 1300}, // 500 + 1600 / 2
        {[](Snapshot& s) { s.N6061 = true; }, 1020}, // 500 + RoundOff(1800 / √3 / 2 = 519.6)
    };
    for (const Case& c : cases) {
        Snapshot s = Depth("2000");
        s.A1 = true;
        s.REdit[17] = "200";
        c.set(s);
        EXPECT_EQ(Reader(s, nullptr).ExcavWidth(1), c.expected);
    }
}

TEST(ExcavWidth, EveryReadOfABadTextReports) {
    // Under S1 with A1: G once, then the depth's five fields and G again.
    Snapshot s = Depth("1200");
    s.S1 = s.A1 = true;
    s.REdit[17] = "x";
    s.REdit[5] = "1.5";
    Recorder r;
    EXPECT_EQ(Reader(s, r.fn()).ExcavWidth(1), 500);
    EXPECT_EQ(r.texts.size(), 3u);
    for (const auto& t : r.texts)
        EXPECT_EQ(t, yoheki::kMmMessage);
}

TEST(FmtQty, TableRangeAndValuesBeyondIt) {
    struct Case {
        std::int64_t v;
        const char* text;
    } cases[] = {
        {0, "   0.00"},
        {7, "   0.07"},
        {9, "   0.09"},
        {10, "   0.10"},
        {45, "   0.45"},
        {99, "   0.99"},
        {100, "   1.00"},
        {999, "   9.99"},
        {1000, "  10.00"},
        {1234, "  12.34"},
        {9999, "  99.99"},
        {10000, " 100.00"},
        {12345, " 123.45"},
        {99999, " 999.99"},
        {100000, "1000.00"},
        {123456, "1234.56"},
        {999999, "9999.99"},
        {1000000, "10000.00"},
        {-5, "  -0.05"},
        {-100, "  -1.00"},
        {-123456, "-1234.56"},
        {4294967301, "42949673.01"}, // would wrap to 5 in 32 bits
        {INT64_MAX, "92233720368547758.07"},
        {INT64_MIN, "-92233720368547758.08"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(engine::FmtQty(c.v), c.text) << c.v;
}

TEST(FmtM, MillimetresAsMetres) {
    EXPECT_EQ(engine::FmtM(10000), "  10.00");
    EXPECT_EQ(engine::FmtM(2505), "   2.51"); // RoundOff(250.5)
    EXPECT_EQ(engine::FmtM(-15), "  -0.02");
}

TEST(PadNum, LinesUpTwoToFourDigits) {
    struct Case {
        const char* text;
        const char* padded;
    } cases[] = {
        {"5", "  5"},    {"50", "  50"},   {"99", "  99"},   {"100", " 100"}, {"500", " 500"},
        {"999", " 999"}, {"1000", "1000"}, {"5000", "5000"}, {"-5", "  -5"},  {"12000", "12000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(engine::PadNum(c.text), c.padded) << c.text;
    for (const char* bad : {"", "12.5", "abc", "99999999999"})
        EXPECT_THROW(engine::PadNum(bad), yoheki::Error) << bad;
}

TEST(BarSpec, PrefixPitchAndLayers) {
    Snapshot s;
    s.REdit[12] = "200", s.REdit[14] = "250", s.REdit[13] = "150", s.REdit[15] = "300";
    s.RG_BL = 1, s.RG_HL = 0, s.RG_TL = 2, s.RG_YL = -1;
    s.CheckBox5 = false, s.CheckBox6 = true;
    Reader r(s, nullptr);
    EXPECT_EQ(r.BarSpec(1), "D10,13@200(S)");
    EXPECT_EQ(r.BarSpec(2), "D10@250(S)");
    EXPECT_EQ(r.BarSpec(3), "D13@150(W)");
    EXPECT_EQ(r.BarSpec(4), "(W)"); // nothing chosen: neither prefix nor pitch
}

TEST(ProjectName, AfterTheFirstFullWidthColon) {
    struct Case {
        const char* caption;
        const char* name;
    } cases[] = {
        {"擁壁数量調書：現場A", "現場A"},
        {"擁壁数量調書：A：B", "A：B"},
        {"擁壁数量調書：", ""},
        {"no colon", "no colon"},
    };
    for (const Case& c : cases) {
        Snapshot s;
        s.caption = c.caption;
        EXPECT_EQ(Reader(s, nullptr).ProjectName(), c.name);
    }
}

TEST(TakesSubstrate, MarkerCharactersExactlyAsWritten) {
    for (const char* yes :
         {"ﾀｲﾙ", "タイル", "Tile", "ＡＥＰ Ｔ", "吹付", "撥水", "塗装", "打放補修", "調合"})
        EXPECT_TRUE(engine::TakesSubstrate(yes)) << yes;
    for (const char* no : {"", "刷毛引き", "tile", "ｔ", "コン鏝", "打放"})
        EXPECT_FALSE(engine::TakesSubstrate(no)) << no;
}

} // namespace
