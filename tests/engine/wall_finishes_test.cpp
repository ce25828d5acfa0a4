#include "YohCalc.h"

#include <gtest/gtest.h>

namespace {

using engine::Snapshot;
using engine::yoh::ComputeFinishes;
using engine::yoh::Dims;
using engine::yoh::Finishes;

enum Sub { None, N22, M1, N110, N23 };

Snapshot Faces(const char* front, const char* back, Sub sub) {
    Snapshot s;
    s.ComboBox[2] = front;
    s.ComboBox[3] = back;
    s.ComboBox[4] = "笠木";
    s.REdit[3] = "800";
    s.N22 = sub == N22, s.M1 = sub == M1, s.N110 = sub == N110, s.N23 = sub == N23;
    return s;
}

// L 10 m, front 1.2 m, back 0.8 m: front 12.00 m², back 8.00 m², both 20.00 m².
Dims Wall() {
    Dims d;
    d.L = 10000, d.Hf = 1200, d.Hb = 800, d.Hc = 600;
    return d;
}

TEST(WallFinishes, FaceRules) {
    struct Case {
        const char* front;
        const char* back;
        Sub sub;
        std::int64_t frontArea, backArea, fairFaced;
        const char* frontSub;
        const char* backSub;
    } cases[] = {
        // One tiled finish on both faces over repaired fair-faced concrete.
        {"吹付タイル", "吹付タイル", N22, 2000, 0, 2000, "打放補修", ""},
        // Back has タ and モ: it adds its area and the モ rule takes it away again.
        {"吹付", "モザイクタイル", N22, 1200, 800, 1200, "打放補修", ""},
        // Special substrate without fair-faced: the front drops its own area, the
        // back adds and drops; never negative.
        {"吹付", "モザイクタイル", N23, 1200, 800, 0, "特殊打放補修", ""},
        // A repaired front on mortar: the substrate is emptied by 補.
        {"打放補修", "ﾀｲﾙ", M1, 1200, 800, 0, "", "下地モルタル"},
        // A back face keeps its fair-faced area only when its name holds 補.
        {"刷毛引き", "打放補修", M1, 1200, 800, 800, "", ""},
        // A shared finish keeps it unless its name holds 補.
        {"吹付タイル", "吹付タイル", M1, 2000, 0, 2000, "下地モルタル", ""},
        {"打放補修", "打放補修", N23, 2000, 0, 0, "", ""},
        // Special substrate on fair-faced concrete.
        {"撥水剤", "塗装", N110, 1200, 800, 2000, "特殊打放補修", "特殊打放補修"},
        // Mortar front: no fair-faced formwork and no substrate.
        {"モルタル", "刷毛引き", N22, 1200, 800, 0, "", ""},
        // Both boxes empty: one shared empty finish with no marker.
        {"", "", N22, 2000, 0, 0, "", ""},
        // No substrate condition at all: mortar bed.
        {"ﾀｲﾙ", "ﾀｲﾙ", None, 2000, 0, 2000, "下地モルタル", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.front << " / " << c.back << " / " << c.sub);
        Finishes f = ComputeFinishes(Faces(c.front, c.back, c.sub), Wall());
        EXPECT_EQ(f.frontName, c.front);
        EXPECT_EQ(f.backName, std::string(c.front) == c.back ? "" : c.back);
        EXPECT_EQ(f.frontArea, c.frontArea);
        EXPECT_EQ(f.frontSubArea, c.frontArea);
        EXPECT_EQ(f.backArea, c.backArea);
        EXPECT_EQ(f.backSubArea, c.backArea);
        EXPECT_EQ(f.fairFaced, c.fairFaced);
        EXPECT_EQ(f.frontSubName, c.frontSub);
        EXPECT_EQ(f.backSubName, c.backSub);
    }
}

TEST(WallFinishes, TopFinishAndStoredRepair) {
    Snapshot s = Faces("a", "a", N22);
    Finishes f = ComputeFinishes(s, Wall());
    EXPECT_EQ(f.topName, "笠木");
    EXPECT_EQ(f.topLen, 1000);
    s.YH_T = "打放補修";
    EXPECT_EQ(ComputeFinishes(s, Wall()).topName, "コン鏝");
    s.YH_T = "打放補修 ";
    EXPECT_EQ(ComputeFinishes(s, Wall()).topName, "笠木");
}

// An empty back height counts as the front height wherever the back face is
// measured, so the finish, its formula and the fair-faced area agree.
TEST(WallFinishes, EmptyBackHeightMeansAsHighAsTheFront) {
    Dims d = Wall();
    d.Hb = 0;
    Snapshot shared = Faces("吹付タイル", "吹付タイル", N22);
    shared.REdit[3] = "";
    Finishes f = ComputeFinishes(shared, d);
    EXPECT_EQ(f.frontArea, 2400);
    EXPECT_EQ(f.fairFaced, 2400);
    EXPECT_EQ(f.backHeight, 1200);

    Snapshot differ = Faces("吹付", "ﾀｲﾙ", N22);
    differ.REdit[3] = "";
    f = ComputeFinishes(differ, d);
    EXPECT_EQ(f.frontArea, 1200);
    EXPECT_EQ(f.backArea, 1200);
    EXPECT_EQ(f.fairFaced, 2400);
}

TEST(WallFinishes, BlockCourseBySubstrate) {
    struct Case {
        Sub sub;
        std::int64_t subArea;
        const char* subName;
    } cases[] = {{N22, 0, ""},
                 {M1, 600, "下地モルタル"},
                 {N110, 600, ""},
                 {N23, 600, "特殊下地処理"},
                 {None, 600, "下地モルタル"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sub);
        Snapshot s = Faces("吹付タイル", "吹付タイル", c.sub);
        s.CheckBox3 = true;
        s.CB_T = "笠木ﾓﾙﾀﾙ", s.CB_H = "打放補修", s.CB_U = "ﾀｲﾙ";
        Finishes f = ComputeFinishes(s, Wall());
        EXPECT_TRUE(f.block);
        EXPECT_EQ(f.topName, "");
        EXPECT_EQ(f.topLen, 0);
        EXPECT_EQ(f.cbTopName, "笠木ﾓﾙﾀﾙ");
        EXPECT_EQ(f.cbTopLen, 1000);
        EXPECT_EQ(f.cbArea, 600);
        EXPECT_EQ(f.cbFrontName, "");
        EXPECT_EQ(f.cbBackName, "ﾀｲﾙ");
        EXPECT_EQ(f.cbFrontSubArea, c.subArea);
        EXPECT_EQ(f.cbBackSubArea, c.subArea);
        EXPECT_EQ(f.cbFrontSubName, c.subName);
        EXPECT_EQ(f.cbBackSubName, c.subName);
        // A shared finish without 補 keeps its fair-faced area; block faces add nothing.
        EXPECT_EQ(f.fairFaced, 2000);
    }
}

} // namespace
