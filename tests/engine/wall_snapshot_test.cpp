#include "SnapshotFile.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using enginetest::ParseSnapshot;

TEST(SnapshotFile, ReadsEveryKindOfKey) {
    engine::Snapshot s = ParseSnapshot("# comment\n"
                                       "REdit1=10000\r\n"
                                       "REdit18=\n"
                                       "REdit17= 12 \n"
                                       "ComboBox2=打放補修\n"
                                       "caption=擁壁数量調書：現場A=1\n"
                                       "YH_T=コン鏝\n"
                                       "CheckBox5=1\n"
                                       "RG_TL=-1\n"
                                       "\n"
                                       "marks=S1 N5051  N5 K3\n"
                                       "A1=1\n");
    EXPECT_EQ(s.REdit[1], "10000");
    EXPECT_EQ(s.REdit[18], "");
    EXPECT_EQ(s.REdit[17], " 12 ");
    EXPECT_EQ(s.ComboBox[2], "打放補修");
    EXPECT_EQ(s.caption, "擁壁数量調書：現場A=1");
    EXPECT_EQ(s.YH_T, "コン鏝");
    EXPECT_TRUE(s.CheckBox5);
    EXPECT_FALSE(s.CheckBox1);
    EXPECT_EQ(s.RG_TL, -1);
    EXPECT_EQ(s.RG_BL, -1);
    EXPECT_TRUE(s.S1 && s.N5051 && s.N5 && s.K3 && s.A1);
    EXPECT_FALSE(s.N8 || s.M2 || s.Y1);
}

TEST(SnapshotFile, RejectsUnknownKeysAndBadFlags) {
    for (const char* text : {"REdit19=1", "REdit0=1", "ComboBox5=x", "Foo=1", "marks=S1 ZZ",
                             "CheckBox1=yes", "no equals sign"})
        EXPECT_THROW(ParseSnapshot(text), std::runtime_error) << text;
}

TEST(SnapshotFile, SameLinesNamesTheFirstDifference) {
    auto r = enginetest::SameLines({"a", "b", "c"}, {"a", "x", "c"}, "f");
    ASSERT_FALSE(r);
    EXPECT_NE(std::string(r.message()).find("line 1 differs"), std::string::npos);
    EXPECT_FALSE(enginetest::SameLines({"a"}, {"a", ""}, "f"));
    EXPECT_TRUE(enginetest::SameLines({"a", ""}, {"a", ""}, "f"));
}

} // namespace
