#include "SBsCalc.h"
#include "base_ditch_support.h"

#include "Error.h"

#include <gtest/gtest.h>

namespace {

using namespace bdtest;
using engine::Snapshot;

const std::string kStone = "砕       石：";
const std::string kBelow = "     ＲＣ:残土用：";
const std::string kFormTotal = "　　　　　　　　 (型枠全数量):=（";
const std::string kMerged = "異形鉄筋D10+D13：";
const std::string kTon = "（ｔ）";

// Worked example: 0.30 m³ stone, 0.15 levelling, 2.40 concrete, 5.60 m² of
// formwork, 3.00 m² top and 2.10 m² front.
TEST(BaseQuantities, WorkedExample) {
    Snapshot s = WorkedBase();
    s.ComboBox[2] = "吹付タイル";
    s.ComboBox[4] = "金鏝";
    s.N22 = true;
    Outcome o = RunBase(s);
    ASSERT_TRUE(o.out);
    EXPECT_TRUE(o.messages.empty());
    const engine::Quantities& q = o.out->quantities;
    EXPECT_EQ(q.mode, engine::StructureMode::Base);
    EXPECT_EQ(q.stone, 30);
    EXPECT_EQ(q.levelling, 15);
    EXPECT_EQ(q.rcTotal, 240);
    EXPECT_EQ(q.fairFaced, 210); // the tile goes on fair-faced concrete
    EXPECT_EQ(q.formOrdinary, 560 - 210);
    // W 500, D = 500 + 50 + 100: 3000 × 2500 × 650 / 10^7 = 487.5
    EXPECT_EQ(q.excavation, 488);
    // Below the line 1500 × 2000 × 500 = 1.50 m³; disposal 0.30 + 0.15 + 1.50.
    EXPECT_EQ(q.disposal, 195);
    EXPECT_EQ(q.backfill, 488 - 195);
    EXPECT_EQ(q.barMerged, 17); // 2.40 × 70 kg = 168 kg
    EXPECT_EQ(q.barD10, 0);
    EXPECT_EQ(q.barD13, 0);
    ASSERT_EQ(q.finishes.size(), 3u);
    EXPECT_EQ(q.finishes[0].kind, "天端仕上");
    EXPECT_EQ(q.finishes[0].name, "金鏝");
    EXPECT_EQ(q.finishes[0].unit, "ｍ2");
    EXPECT_EQ(q.finishes[0].value, 300);
    EXPECT_EQ(q.finishes[1].kind, "表面仕上");
    EXPECT_EQ(q.finishes[1].value, 210);
    EXPECT_EQ(q.finishes[2].kind, "表面下地");
    EXPECT_EQ(q.finishes[2].name, "打放補修");
    EXPECT_EQ(q.finishes[2].value, 210);
}

TEST(BaseStatement, HeadingBlockAndDrawingLabelsStayInPlace) {
    Outcome o = RunBase(WorkedBase());
    ASSERT_TRUE(o.out);
    const auto& l = o.lines();
    ASSERT_GT(l.size(), 20u);
    EXPECT_EQ(l[0], "【物件名："
                    "現場"
                    "】");
    EXPECT_EQ(l[1], "《"
                    "B-1"
                    "》");
    EXPECT_EQ(l[2], "〔ベース基礎〕");
    EXPECT_EQ(l[3], "数量：１（ヶ所当り）");
    EXPECT_EQ(l[6], " 　ベ ース　主　筋："
                    "(S)");
    EXPECT_EQ(l[8], "");
    EXPECT_EQ(l[9], "根切要項：余幅500のみ");
    EXPECT_EQ(l[10], "簡易山止：なし");
    EXPECT_EQ(l[11], "");
    const std::vector<std::string> labels = {" 300", "",          " 500", " 100",
                                             "  50", "2000×1500", "",     ""};
    EXPECT_EQ(std::vector<std::string>(l.begin() + 12, l.begin() + 20), labels);
    EXPECT_EQ(l[20], "根  切   量："
                     "   4.88"
                     "（ｍ3）");
}

TEST(BaseStatement, HeadingEndsWithTheStructureDigitForContinuousOutput) {
    Snapshot s = WorkedBase();
    s.Q1 = true;
    s.caption = "擁壁数量調書："
                "東：棟";
    Outcome o = RunBase(s);
    ASSERT_TRUE(o.out);
    EXPECT_EQ(o.lines()[0], "【物件名："
                            "東：棟"
                            "】2");
}

TEST(BaseStatement, ExcavationFormulaShowsThePitInMetres) {
    Snapshot s = WorkedBase();
    s.REdit[4] = "800"; // D = 800 + 50 + 100 = 950
    Outcome o = RunBase(s);
    ASSERT_TRUE(o.out);
    EXPECT_EQ(o.lines()[21], "　　　　　　　　　　　　　　 :=[L]"
                             "   3.00"
                             "×[D]"
                             "   2.50"
                             "×[H]"
                             "   0.95");
}

// The concrete below the excavation line displaces soil. When the line lies
// above the top of the block (−G > Hf) the whole embedded depth counts.
TEST(BaseQuantities, ConcreteBelowTheExcavationLine) {
    struct Case {
        const char* g;
        std::int64_t x;
    } cases[] = {{"-400", 500}, {"100", 400}, {"-300", 800}, {"-200", 700}, {"0", 500}};
    for (const Case& c : cases) {
        Snapshot s = WorkedBase();
        s.A1 = true;
        s.REdit[17] = c.g;
        Outcome o = RunBase(s);
        ASSERT_TRUE(o.out) << c.g;
        std::int64_t below = 1500 * 2000 * c.x / 10000000; // exact for these heights
        EXPECT_EQ(o.out->quantities.disposal, 30 + 15 + below) << c.g;
        int at = FindLine(o.lines(), kBelow);
        ASSERT_GE(at, 0);
        EXPECT_EQ(o.lines()[at], kBelow + engine::FmtQty(below) +
                                     "（ｍ3）:=ﾍﾞｰｽ[GL下]"
                                     "   2.00"
                                     "×"
                                     "   1.50"
                                     "×" +
                                     engine::FmtM(c.x))
            << c.g;
    }
}

TEST(BaseStatement, ExcavationLineQuotesTheDifference) {
    struct Case {
        const char* typed;
        std::string line;
    } cases[] = {{"150", "根切りライン => ＧＬ－"
                         "150"},
                 {"155", "根切りライン => ＧＬ－"
                         "155"}, // as typed, although 160 is used
                 {"-150", "根切りライン => ＧＬ＋"
                          "150"},
                 {"-155", "根切りライン => ＧＬ＋"
                          "150"}, // the millimetres used
                 {"0", "根切りライン => ＧＬ＋"
                       "0"}};
    for (const Case& c : cases) {
        Snapshot s = WorkedBase();
        s.A1 = true;
        s.REdit[17] = c.typed;
        Outcome o = RunBase(s);
        ASSERT_TRUE(o.out);
        EXPECT_EQ(o.lines()[11], c.line) << c.typed;
    }
}

TEST(BaseFinishes, FrontFinishDecidesFairFacedFormworkAndSubstrate) {
    const std::string repair = "打放補修", special = "特殊打放補修", mortar = "下地モルタル";
    struct Case {
        const char* name;
        const char* mark;
        bool fairFaced;
        std::string substrate;
    } cases[] = {
        {"タイル貼", "N22", true, repair}, {"タイル貼", "N110", true, special},
        {"タイル貼", "M1", false, mortar}, {"タイル貼", "N23", false, special},
        {"ﾀｲﾙ", "", false, mortar},        {"吹付Ｔ", "N22", true, repair},
        {"打放補修", "N22", true, ""},     {"打放補修", "N110", true, ""},
        {"打放補修", "M1", false, ""},     {"モルタル塗", "N22", false, ""},
        {"打放し", "N22", false, ""},      {"", "N22", false, ""},
    };
    for (const Case& c : cases) {
        Snapshot s;
        if (*c.mark)
            *enginetest::MarkByName(s, c.mark) = true;
        engine::sbs::FrontClass f = engine::sbs::ClassifyFront(c.name, 210, s);
        EXPECT_EQ(f.fairFaced, c.fairFaced ? 210 : 0) << c.name << " " << c.mark;
        EXPECT_EQ(f.substrate, c.substrate) << c.name << " " << c.mark;
    }
}

TEST(BaseRebar, LongerPlanSideCarriesTheMainBars) {
    struct Case {
        const char* a;
        const char* bw;
        std::int64_t width, run;
    } cases[] = {{"1200", "1300", 1300, 1200},
                 {"1300", "1200", 1300, 1200},
                 {"1200", "1200", 1200, 1200},
                 {"2000", "1500", 2000, 1500}};
    for (const Case& c : cases) {
        Snapshot s = WorkedBase();
        s.REdit[1] = c.a;
        s.REdit[7] = c.bw;
        s.REdit[12] = "200";
        s.REdit[14] = "250";
        s.RG_BL = 1;
        s.RG_HL = 2;
        s.CheckBox5 = true;
        enginetest::Recorder rec;
        engine::Reader r(s, rec.fn());
        engine::sbs::Dims d = engine::sbs::ReadDims(r);
        engine::TSR_CL_L bar = engine::sbs::FillRebar(r, d);
        EXPECT_EQ(bar.BaseWidth, c.width) << c.a << "×" << c.bw;
        EXPECT_EQ(bar.RunLength, c.run) << c.a << "×" << c.bw;
        EXPECT_EQ(bar.BaseThick, 800);
        EXPECT_EQ(bar.PitchBaseMain, 200);
        EXPECT_EQ(bar.PitchBaseDist, 250);
        EXPECT_EQ(bar.PitchUpstandVert, 0);
        EXPECT_EQ(bar.KindBaseMain, 1);
        EXPECT_EQ(bar.KindBaseDist, 2);
        EXPECT_TRUE(bar.BaseDouble);
        EXPECT_FALSE(bar.UpstandDouble);
    }
}

Snapshot BarBase(const char* a, const char* bw) {
    Snapshot s = WorkedBase();
    s.REdit[1] = a;
    s.REdit[7] = bw;
    s.CheckBox1 = true;
    s.REdit[12] = s.REdit[14] = "200";
    s.RG_BL = s.RG_HL = 0;
    return s;
}

TEST(BaseRebar, RefusedArrangementLeavesOnlyAZeroMergedLine) {
    Snapshot s = BarBase("2000", "1500");
    s.RG_BL = -1;
    Outcome o = RunBase(s);
    ASSERT_TRUE(o.out);
    EXPECT_EQ(o.messages, (std::vector<std::string>{kRefused, kD13}));
    EXPECT_EQ(o.out->quantities.barD10, 0);
    const auto& l = o.lines();
    int at = FindLine(l, kMerged);
    ASSERT_GE(at, 1);
    EXPECT_EQ(l[at], kMerged + "   0.00" + kTon +
                         "　 :="
                         "0"
                         "㎏／ヶ所");
    EXPECT_EQ(l[at - 1].rfind(kFormTotal, 0), 0u); // nothing else was taken out
    EXPECT_EQ(l.size(), RunBase(WorkedBase()).lines().size());
}

TEST(BaseRebar, UnitRateWhenBarsAreNotCalculated) {
    Snapshot s = WorkedBase();
    s.REdit[18] = "";
    Outcome o = RunBase(s);
    ASSERT_TRUE(o.out);
    EXPECT_EQ(o.messages, std::vector<std::string>{kRate70});
    EXPECT_EQ(FindLine(o.lines(), "異形鉄筋D10,13："
                                  "   0.17"
                                  "（ｔ）"
                                  "　 :=ＲＣ全量×70㎏／ｍ3　[D10,D13合算]") >= 0,
              true);

    s.REdit[18] = "100"; // 2.40 × 100 kg
    o = RunBase(s);
    ASSERT_TRUE(o.out);
    EXPECT_TRUE(o.messages.empty());
    EXPECT_EQ(o.out->quantities.barMerged, 24);
    EXPECT_GE(FindLine(o.lines(), "異形鉄筋D10,13："
                                  "   0.24"
                                  "（ｔ）"
                                  "　 :=ＲＣ全量×"
                                  "100"
                                  "㎏／ｍ3　[D10,D13合算]"),
              0);

    s.REdit[18] = "7O";
    EXPECT_THROW(RunBase(s), yoheki::Error);
}

TEST(BaseSoil, ImportedBackfillSendsAllExcavatedSoilAway) {
    Snapshot s = WorkedBase();
    s.K3 = false;
    s.M2 = true;
    s.REdit[5] = "0"; // no levelling concrete: D = 500 + 100
    // 3000 × 2500 × 600 = 4.50 m³
    Outcome o = RunBase(s);
    ASSERT_TRUE(o.out);
    const engine::Quantities& q = o.out->quantities;
    EXPECT_EQ(q.disposal, 450);
    EXPECT_EQ(q.backfill, 450 - (30 + 150));
    EXPECT_EQ(q.levelling, 0);
    const auto& l = o.lines();
    int at = FindLine(l, "不用土 処分：");
    ASSERT_EQ(at, 22);
    EXPECT_EQ(l[22], "不用土 処分："
                     "   4.50"
                     "（ｍ3）　［場外搬出］　:=根切り量");
    EXPECT_EQ(l[23], "埋　戻　し ："
                     "   2.70"
                     "（ｍ3）　［搬入土使用］");
    EXPECT_EQ(l[24], "　　　　　 :=根切り量("
                     "   4.50"
                     ")-(砕石("
                     "   0.30"
                     ")+均しｺﾝ("
                     "   0.00"
                     ")+ＲＣ残土用("
                     "   1.50"
                     "))");
    EXPECT_EQ(l[25].rfind(kStone, 0), 0u);
    EXPECT_EQ(CountLines(l, "均 し コ ン："), 0);
}

// With no extra width the pit is the block's own plan, yet the stone and
// levelling concrete stand out 100 on each side: more soil leaves than was dug.
// The negative backfill is shown, not dropped.
TEST(BaseSoil, NegativeBackfillIsShown) {
    Snapshot s = WorkedBase();
    s.Y1 = s.N001 = false;
    s.N1001 = true;
    Outcome o = RunBase(s);
    ASSERT_TRUE(o.out);
    // excavation 2000 × 1500 × 650 = 1.95; stone 1700 × 2200 × 100 = 0.374,
    // levelling 0.187, below the line 1.50: disposal 0.37 + 0.19 + 1.50 = 2.06
    EXPECT_EQ(o.out->quantities.backfill, 195 - 206);
    EXPECT_GE(FindLine(o.lines(), "埋  戻  し ："
                                  "  -0.11"
                                  "（ｍ3）　［根切土使用］"),
              0);
}

TEST(BaseChecks, MissingPlanLengthStopsTheRun) {
    for (const char* a : {"", "0", "4", "abc", "12.5"}) {
        Snapshot s = WorkedBase();
        s.REdit[1] = a;
        s.D2 = true;
        Outcome o = RunBase(s);
        EXPECT_FALSE(o.out) << a;
        std::vector<std::string> expected;
        if (std::string_view(a) != "0" && std::string_view(a) != "4")
            expected.push_back(kMm);
        expected.push_back(kRetry);
        EXPECT_EQ(o.messages, expected) << a;
    }
}

// Every read of a bad field repeats its message: Hf, Hf again inside the total
// height, and Hf inside the excavation depth. Its drawing label then cannot be
// written, and the run ends with an error instead of a half-built statement.
TEST(BaseChecks, BadHeightRepeatsItsMessageAndEndsInAnError) {
    Snapshot s = WorkedBase();
    s.REdit[2] = "3OO";
    enginetest::Recorder rec;
    EXPECT_THROW(engine::CalcSBs(s, rec.fn()), yoheki::Error);
    EXPECT_EQ(rec.texts, std::vector<std::string>(3, kMm));
}

TEST(BaseChecks, HiddenBackHeightIsIgnored) {
    Snapshot s = WorkedBase();
    s.REdit[3] = "abc";
    s.N4 = true;
    Outcome o = RunBase(s);
    ASSERT_TRUE(o.out);
    EXPECT_TRUE(o.messages.empty());
    EXPECT_EQ(o.out->quantities.excavation, 488);
}

TEST(BaseChecks, OverflowRaisesAnError) {
    Snapshot s = WorkedBase();
    s.REdit[1] = s.REdit[7] = s.REdit[4] = "2000000000";
    EXPECT_THROW(RunBase(s), yoheki::Error);
}

} // namespace
