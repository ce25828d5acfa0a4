#include "CLF.h"
#include "Checked.h"
#include "UT_CLDir.h"

#include <climits>
#include <gtest/gtest.h>
#include <vector>

using namespace yoheki;

TEST(StrToMm, RoundsToTenAndReportsTextThatIsNotAWholeNumber) {
    struct Case {
        const char* text;
        std::int64_t mm;
        bool message;
    } cases[] = {
        {"1234", 1230, false}, {"1235", 1240, false}, {"5", 10, false},     {"4", 0, false},
        {"-17", -10, false},   {"-15", -10, false},   {"0", 0, false},      {"+25", 30, false},
        {"", 0, true},         {"12.5", 0, true},     {"abc", 0, true},     {"12a", 0, true},
        {"2147483647", 2147483650LL, false},          {"2147483648", 0, true},
        {"-2147483648", -2147483640LL, false},        {"１２", 0, true},
    };
    for (const auto& c : cases) {
        std::vector<std::string> shown;
        EXPECT_EQ(StrToMm(c.text, [&](const std::string& m) { shown.push_back(m); }), c.mm)
            << c.text;
        ASSERT_EQ(shown.size(), c.message ? 1u : 0u) << c.text;
        if (c.message) {
            EXPECT_EQ(shown[0], kMmMessage);
        }
    }
}

TEST(RoundOff, RoundsHalfAwayFromZero) {
    EXPECT_EQ(RoundOff(0.5), 1);
    EXPECT_EQ(RoundOff(-0.5), -1);
    EXPECT_EQ(RoundOff(1.49), 1);
    EXPECT_EQ(RoundOff(2.5), 3);
    EXPECT_EQ(RoundOff(-2.5), -3);
    EXPECT_EQ(RoundOff(226.5), 227);
    EXPECT_THROW(RoundOff(1e30L), Error);
}

TEST(Round10, NearestMultipleOfTenHalfAwayFromZero) {
    EXPECT_EQ(Round10(25), 30);
    EXPECT_EQ(Round10(24), 20);
    EXPECT_EQ(Round10(-25), -30);
    EXPECT_EQ(Round10(15), 20);
    EXPECT_EQ(Round10(-15), -20);
    EXPECT_EQ(Round10(0), 0);
}

TEST(StrToInt, RaisesTheConversionError) {
    EXPECT_EQ(StrToInt("70"), 70);
    EXPECT_EQ(StrToInt("-3"), -3);
    EXPECT_THROW(StrToInt("7O"), Error);
    EXPECT_THROW(StrToInt(""), Error);
}

TEST(Checked, OverflowRaisesInsteadOfWrapping) {
    EXPECT_EQ(Mul(100000, 100000, 100000), 1000000000000000LL);
    EXPECT_THROW(Mul(INT64_MAX / 2 + 1, 2), Error);
    EXPECT_THROW(Add(INT64_MAX, 1), Error);
    EXPECT_THROW(Sub(INT64_MIN, 1), Error);
    EXPECT_THROW(Neg(INT64_MIN), Error);
    EXPECT_EQ(Add(1, 2, 3), 6);
}

TEST(PathFunctions, SplitFolderAndBareName) {
    struct Case {
        const char* path;
        const char* bare;
        const char* folder;
    } cases[] = {
        {"C:\\dir\\sub\\file.Fa1", "file", "C:\\dir\\sub"},
        {"file.Fa1", "file", ""},
        {"a\\bcd.txt1", "bcd.", "a"},
        {"/home/est/現場A.Fa1", "現場A", "/home/est"},
        {"/home/est\\mixed/現場.Fa1", "現場", "/home/est\\mixed"},
        {"/x.Fa1", "x", "/"},
        {"", "", ""},
        {"dir\\", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BareName(c.path), c.bare) << c.path;
        EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
    }
}
