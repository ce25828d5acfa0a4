#include "UJSCalc.h"
#include "base_ditch_support.h"

#include "Error.h"

#include <gtest/gtest.h>

namespace {

using namespace bdtest;
using engine::Snapshot;

const std::string kFormTotal = "　　　　　　　　 (型枠全数量):=（";
const std::string kBarD10 = "異形鉄筋D10：";
const std::string kBarD13 = "異形鉄筋D13：";
const std::string kMerged = "異形鉄筋D10+D13：";
const std::string kTon = "（ｔ）";
const std::string kLev = "均 し コ ン：";
const std::string kExposed = "打 放 型 枠：";
const std::string kRetainFront = "簡易山止（表面）：";
const std::string kRetainBack = "　　　　（裏面）：";

Snapshot Worked() {
    Snapshot s = WorkedDitch();
    s.ComboBox[2] = "モルタル";
    s.ComboBox[4] = "金鏝";
    return s;
}

// Worked example: 10 m of ditch 800 wide and 600 high.
TEST(DitchQuantities, WorkedExample) {
    Outcome o = RunDitch(Worked());
    ASSERT_TRUE(o.out);
    EXPECT_TRUE(o.messages.empty());
    const engine::Quantities& q = o.out->quantities;
    EXPECT_EQ(q.mode, 3);
    EXPECT_EQ(q.excavation, 1350);
    EXPECT_EQ(q.stone, 80);
    EXPECT_EQ(q.levelling, 40);
    EXPECT_EQ(q.rcTotal, 120 + 136);
    EXPECT_EQ(q.disposal, 1350); // imported soil: all excavated soil leaves
    EXPECT_EQ(q.backfill, 1350 - (80 + 40 + 480));
    EXPECT_EQ(q.formOrdinary, 2100);
    EXPECT_EQ(q.fairFaced, 0);
    EXPECT_EQ(q.barD10, 18); // 2.56 × 70 kg = 179 kg
    EXPECT_EQ(q.barD13, 0);
    EXPECT_EQ(q.retainFront, 0);
    EXPECT_EQ(q.retainBack, 0);
    ASSERT_EQ(q.finishes.size(), 2u);
    EXPECT_EQ(q.finishes[0].kind, "天端仕上");
    EXPECT_EQ(q.finishes[0].unit, "ｍ");
    EXPECT_EQ(q.finishes[0].value, 2000);
    EXPECT_EQ(q.finishes[1].kind, "Ｕ字側溝内仕上");
    EXPECT_EQ(q.finishes[1].name, "モルタル");
    EXPECT_EQ(q.finishes[1].value, 1000);

    const auto& l = o.lines();
    ASSERT_GT(l.size(), 21u);
    EXPECT_EQ(l[2], "延べ数量："
                    "  10.00"
                    "（ｍ）");
    EXPECT_EQ(l[20], "根  切   量："
                     "  13.50"
                     "（ｍ3）");
    EXPECT_EQ(l[21], "　　　　　　　　　　　　　　 :=[延L]"
                     "   1.80"
                     "×[D]"
                     "   0.75"
                     "×[H]"
                     "  10.00");
    EXPECT_EQ(l.back(), "Ｕ字側溝内仕上："
                        "モルタル"
                        " : "
                        "  10.00"
                        "（ｍ）"
                        "　Ｕ型［Ｗ"
                        "500"
                        "×Ｈ"
                        "450"
                        "］");
    EXPECT_EQ(CountLines(l, kExposed), 0);
}

TEST(DitchStatement, HeadingBlockAndDrawingLabelsStayInPlace) {
    Snapshot s = Worked();
    s.Q1 = true;
    Outcome o = RunDitch(s);
    ASSERT_TRUE(o.out);
    const auto& l = o.lines();
    EXPECT_EQ(l[0], "【物件名："
                    "現場"
                    "】3");
    EXPECT_EQ(l[1], "《"
                    "U-1"
                    "》");
    EXPECT_EQ(l[8], "　　　　　　横　筋："
                    "(S)");
    EXPECT_EQ(l[9], "根切要項：余幅500のみ");
    EXPECT_EQ(l[10], "簡易山止：なし");
    EXPECT_EQ(l[11], "");
    const std::vector<std::string> labels = {"", "", " 600", " 100", "  50", "800", "150", "150"};
    EXPECT_EQ(std::vector<std::string>(l.begin() + 12, l.begin() + 20), labels);
}

TEST(DitchChecks, LengthAndSectionHeight) {
    struct Case {
        const char* length;
        const char* height;
        std::vector<std::string> messages;
        bool runs;
    } cases[] = {{"5", "600", {}, true},
                 {"4", "600", {kRetry}, false},
                 {"", "600", {kMm, kRetry}, false},
                 {"10000", "90", {kTooLow}, false},
                 {"10000", "94", {kTooLow}, false},
                 {"10000", "95", {}, true},
                 {"10000", "100", {}, true},
                 {"0", "90", {kRetry}, false}};
    for (const Case& c : cases) {
        Snapshot s = Worked();
        s.REdit[1] = c.length;
        s.REdit[4] = c.height;
        s.D2 = false;
        Outcome o = RunDitch(s);
        EXPECT_EQ(bool(o.out), c.runs) << c.length << " " << c.height;
        EXPECT_EQ(o.messages, c.messages) << c.length << " " << c.height;
    }
    Snapshot s = Worked();
    s.REdit[1] = "5"; // rounds to 10 mm
    Outcome o = RunDitch(s);
    ASSERT_TRUE(o.out);
    EXPECT_EQ(o.lines()[2], "延べ数量："
                            "   0.01"
                            "（ｍ）");
}

// A bad height is read once for the dimensions and once for each side's
// excavation depth before the section is found too low.
TEST(DitchChecks, EveryReadOfABadFieldRepeatsItsMessage) {
    Snapshot s = Worked();
    s.REdit[4] = "6OO";
    Outcome o = RunDitch(s);
    EXPECT_FALSE(o.out);
    EXPECT_EQ(o.messages, (std::vector<std::string>{kMm, kMm, kMm, kTooLow}));

    s = Worked();
    s.REdit[6] = "1OO"; // its drawing label cannot be written
    enginetest::Recorder rec;
    EXPECT_THROW(engine::CalcUJS(s, rec.fn()), yoheki::Error);
    EXPECT_EQ(rec.texts, std::vector<std::string>(3, kMm));
}

TEST(DitchChecks, OverflowRaisesAnError) {
    Snapshot s = Worked();
    s.REdit[1] = s.REdit[7] = s.REdit[6] = "2000000000";
    EXPECT_THROW(RunDitch(s), yoheki::Error);
}

TEST(DitchStatement, NoLevellingLineWithoutLevellingConcrete) {
    Snapshot s = Worked();
    s.REdit[5] = "0";
    s.D2 = true;
    Outcome o = RunDitch(s);
    ASSERT_TRUE(o.out);
    EXPECT_EQ(CountLines(o.lines(), kLev), 0);
    EXPECT_EQ(CountLines(o.lines(), "砕       石："), 1);
    ASSERT_EQ(o.messages.size(), 1u);
    EXPECT_EQ(SplitBreaks(o.messages[0])[3], "均 し コ ン;"
                                             "   0.00");
}

TEST(DitchFinishes, InnerFinishDecidesExposedFormworkAndSubstrate) {
    const std::string repair = "打放補修", special = "特殊打放補修", mortar = "下地モルタル";
    struct Case {
        const char* name;
        const char* mark;
        bool exposed;
        std::string substrate;
    } cases[] = {
        {"塗装", "N22", true, repair},  {"塗装", "N110", true, special},
        {"タイル", "M1", true, mortar}, {"タイル", "N23", true, special},
        {"ﾀｲﾙ", "", true, mortar},      {"打放補修", "N22", true, ""},
        {"打放補修", "N110", true, ""}, {"打放補修", "M1", false, ""},
        {"モルタル", "N22", false, ""}, {"モルタル塗", "N22", false, ""},
        {"打放し", "N22", false, ""},   {"", "M1", false, ""},
    };
    for (const Case& c : cases) {
        Snapshot s;
        if (*c.mark)
            *enginetest::MarkByName(s, c.mark) = true;
        engine::ujs::InnerClass f = engine::ujs::ClassifyInner(c.name, 900, s);
        EXPECT_EQ(f.exposed, c.exposed ? 900 : 0) << c.name << " " << c.mark;
        EXPECT_EQ(f.substrate, c.substrate) << c.name << " " << c.mark;
    }
}

// Both inner faces of 450 over 10 m are fair-faced: 9.00 m² of the 21.00.
TEST(DitchFinishes, PaintedInnerFacesNeedFairFacedFormwork) {
    Snapshot s = Worked();
    s.ComboBox[2] = "塗装";
    s.N22 = true;
    Outcome o = RunDitch(s);
    ASSERT_TRUE(o.out);
    EXPECT_EQ(o.out->quantities.fairFaced, 900);
    EXPECT_EQ(o.out->quantities.formOrdinary, 1200);
    const auto& l = o.lines();
    int at = FindLine(l, "普 通 型 枠：");
    ASSERT_GE(at, 0);
    EXPECT_EQ(l[at], "普 通 型 枠："
                     "  12.00"
                     "（ｍ2）　:="
                     "型枠全数量［"
                     "  21.00"
                     "］－打放し型枠［"
                     "   9.00"
                     "］");
    EXPECT_EQ(l[at + 1], kFormTotal + "   0.60"
                                      "×２－"
                                      "   0.15"
                                      "）×"
                                      "  10.00"
                                      "×２");
    EXPECT_EQ(l[at + 2], kExposed + "   9.00"
                                    "（ｍ2）　:（仕上げより）");
    EXPECT_EQ(l.back(), "同上下地："
                        "打放補修"
                        " : "
                        "  10.00"
                        "（ｍ）：（仕上げより）");
    ASSERT_EQ(o.out->quantities.finishes.size(), 3u);
    EXPECT_EQ(o.out->quantities.finishes[2].kind, "同上下地");
}

TEST(DitchFinishes, NoTopLinesWithoutATopFinish) {
    Snapshot s = Worked();
    s.ComboBox[4] = "";
    Outcome o = RunDitch(s);
    ASSERT_TRUE(o.out);
    EXPECT_EQ(CountLines(o.lines(), "天端仕上："), 0);
    EXPECT_EQ(o.out->quantities.finishes.size(), 1u);

    s.YH_T = "打放補修"; // the stored top finish wins
    o = RunDitch(s);
    ASSERT_TRUE(o.out);
    EXPECT_GE(FindLine(o.lines(), "天端仕上："
                                  "コン鏝"
                                  " : "
                                  "  20.00"
                                  "（ｍ）"
                                  "[Ｗ "
                                  "150"
                                  "]"),
              0);
}

TEST(DitchSoil, ExcavatedSoilReusedForBackfill) {
    Snapshot s = Worked();
    s.M2 = false;
    s.K3 = true;
    Outcome o = RunDitch(s);
    ASSERT_TRUE(o.out);
    EXPECT_EQ(o.out->quantities.disposal, 600);
    EXPECT_EQ(o.out->quantities.backfill, 750);
    const auto& l = o.lines();
    const std::vector<std::string> soil = {"不用土 処分："
                                           "   6.00"
                                           "（ｍ3）　［場外搬出］",
                                           "　　　　　　　　　　　　　　 :=砕石("
                                           "   0.80"
                                           ")+均しｺﾝ("
                                           "   0.40"
                                           ")+ＧＬ下体積("
                                           "   4.80"
                                           ")",
                                           "埋  戻  し ："
                                           "   7.50"
                                           "（ｍ3）　［根切土使用］",
                                           "   　　　　　　　　　　　　　:=根切量［"
                                           "  13.50"
                                           "］－不用土処分［"
                                           "   6.00"
                                           "］"};
    EXPECT_EQ(std::vector<std::string>(l.begin() + 22, l.begin() + 26), soil);
}

TEST(DitchRetaining, LinesFollowTheRetainedSides) {
    const std::string front = kRetainFront + "表面H="
                                             "750"
                                             " : "
                                             "  10.00"
                                             "（ｍ）";
    const std::string back = kRetainBack + "裏面H="
                                           "750"
                                           " : "
                                           "  10.00"
                                           "（ｍ）";
    struct Case {
        const char* mark;
        bool n4;
        std::string heading;
        std::vector<std::string> lines;
    } cases[] = {{"N8", false, "簡易山止：なし", {}},
                 {"H1", false, "簡易山止：左側に", {front}},
                 {"U1", true, "簡易山止：右側に", {back}},
                 {"R2", true, "簡易山止：両側に", {front, back}}};
    for (const Case& c : cases) {
        Snapshot s = Worked();
        s.N8 = false;
        *enginetest::MarkByName(s, c.mark) = true;
        s.N4 = c.n4;
        Outcome o = RunDitch(s);
        ASSERT_TRUE(o.out) << c.mark;
        const auto& l = o.lines();
        EXPECT_EQ(l[10], c.heading);
        int at = FindLine(l, "異形鉄筋D10,13：");
        ASSERT_GE(at, 0);
        std::vector<std::string> block(l.begin() + at + 1, l.begin() + at + 3 + c.lines.size());
        std::vector<std::string> expected = {""};
        expected.insert(expected.end(), c.lines.begin(), c.lines.end());
        expected.push_back("");
        EXPECT_EQ(block, expected) << c.mark;
        EXPECT_EQ(o.out->quantities.retainFront,
                  c.lines.size() == 2 || c.mark[0] == 'H' ? 1000 : 0);
        EXPECT_EQ(o.out->quantities.retainBack, c.lines.size() == 2 || c.mark[0] == 'U' ? 1000 : 0);
    }
}

Snapshot BarDitch() {
    Snapshot s = Worked();
    s.CheckBox1 = true;
    s.REdit[12] = s.REdit[13] = s.REdit[14] = s.REdit[15] = "200";
    s.RG_BL = s.RG_HL = s.RG_TL = s.RG_YL = 0;
    return s;
}

// All D10 at 200 over one metre of ditch: main 6 × 0.80, distribution 3 × 1.00,
// vertical 5 × 0.95 × 2, horizontal 3 × 1.00 × 2 = 23.30 m of D10 (13.57 kg);
// D13 2 × 1.00 + 1 × 1.00 × 2 = 4.00 m (4.14 kg). Section 0.12 + 0.0675 m²:
// 72 and 22 kg/m³.
TEST(DitchRebar, WeightsPerCubicMetreOfConcrete) {
    Outcome o = RunDitch(BarDitch());
    ASSERT_TRUE(o.out);
    EXPECT_TRUE(o.messages.empty());
    EXPECT_EQ(o.out->quantities.barD10, 18); // 2.56 × 72 = 184 kg
    EXPECT_EQ(o.out->quantities.barD13, 6);  // 2.56 × 22 = 56 kg
    const auto& l = o.lines();
    int at = FindLine(l, kBarD10);
    ASSERT_GE(at, 0);
    EXPECT_EQ(l[at], kBarD10 + "   0.18" + kTon +
                         "　 :=ＲＣ全量["
                         "   2.56"
                         "]×"
                         "72"
                         "㎏／ｍ3");
    EXPECT_EQ(l[at + 1], kBarD13 + "   0.06" + kTon +
                             "　 :=ＲＣ全量["
                             "   2.56"
                             "]×"
                             "22"
                             "㎏／ｍ3");
}

// 0.8 m of ditch holds 0.20 m³: D13 0.20 × 22 = 4.4 kg rounds to 0.00 t.
TEST(DitchRebar, LightD13IsMergedIntoOneLineWhereD10Stood) {
    Snapshot s = BarDitch();
    s.REdit[1] = "800";
    Outcome o = RunDitch(s);
    ASSERT_TRUE(o.out);
    EXPECT_EQ(o.messages, std::vector<std::string>{kD13});
    EXPECT_EQ(o.out->quantities.barD10, 2); // 0.20 × 94 = 18.8 kg
    const auto& l = o.lines();
    EXPECT_EQ(CountLines(l, kBarD10), 0);
    int at = FindLine(l, kMerged);
    ASSERT_GE(at, 1);
    EXPECT_EQ(l[at], kMerged + "   0.02" + kTon +
                         "　 :=ＲＣ全量["
                         "   0.20"
                         "]×"
                         "94"
                         "㎏／ｍ3");
    EXPECT_EQ(l[at - 1].rfind(kFormTotal, 0), 0u);
}

TEST(DitchRebar, RefusedArrangementLeavesOnlyAZeroMergedLine) {
    Snapshot s = BarDitch();
    s.RG_TL = -1;
    Outcome o = RunDitch(s);
    ASSERT_TRUE(o.out);
    EXPECT_EQ(o.messages, (std::vector<std::string>{kRefused, kD13}));
    const auto& l = o.lines();
    int at = FindLine(l, kMerged);
    ASSERT_GE(at, 1);
    EXPECT_EQ(l[at], kMerged + "   0.00" + kTon +
                         "　 :=ＲＣ全量["
                         "   2.56"
                         "]×"
                         "0"
                         "㎏／ｍ3");
    EXPECT_EQ(l[at - 1].rfind(kFormTotal, 0), 0u);
    EXPECT_EQ(l.size(), RunDitch(Worked()).lines().size());
}

TEST(DitchRebar, FixedRateWhenTheRateFieldIsEmpty) {
    Snapshot s = Worked();
    s.REdit[18] = "";
    Outcome o = RunDitch(s);
    ASSERT_TRUE(o.out);
    EXPECT_EQ(o.messages, std::vector<std::string>{kRate70});
    EXPECT_GE(FindLine(o.lines(), "異形鉄筋D10,13："
                                  "   0.18"
                                  "（ｔ）"
                                  "　 :=ＲＣ全量×70㎏／ｍ3　[D10,D13合算]"),
              0);
    s.REdit[18] = "x";
    EXPECT_THROW(RunDitch(s), yoheki::Error);
}

TEST(DitchSummary, SixteenLinesAndTwoClosingBreaks) {
    Snapshot s = Worked();
    s.D2 = true;
    s.H1 = true;
    s.N8 = false;
    Outcome o = RunDitch(s);
    ASSERT_TRUE(o.out);
    ASSERT_EQ(o.messages.size(), 1u);
    // The retained front side needs only 50 of extra width:
    // (750 × 50 + 750 × 500 + 800 × 750) × 10 000 = 10.125 m³.
    const std::vector<std::string> expected = {"根  切  量 ;"
                                               "  10.13",
                                               "残 土 処 分;"
                                               "   6.00",
                                               "砕       石;"
                                               "   0.80",
                                               "均 し コ ン;"
                                               "   0.40",
                                               "ＲＣ:ﾍﾞ ｰ ｽ;"
                                               "   1.20",
                                               "ＲＣ:立上り;"
                                               "   1.36",
                                               "ＲＣ:残土用;"
                                               "   4.80",
                                               "普 通 型 枠;"
                                               "  21.00",
                                               "打 放 型 枠;"
                                               "   0.00",
                                               "異形鉄筋D10;"
                                               "   0.18",
                                               "異形鉄筋D13;"
                                               "   0.00",
                                               "簡 易 山 止;"
                                               "表面H="
                                               "750"
                                               " : "
                                               "  10.00",
                                               "            "
                                               " : "
                                               "   0.00",
                                               "天端仕上:"
                                               "金鏝"
                                               " : "
                                               "  20.00",
                                               "表面仕上:"
                                               "モルタル"
                                               " : "
                                               "  10.00",
                                               "表面下地:"
                                               " : "
                                               "  10.00",
                                               "",
                                               ""};
    EXPECT_EQ(SplitBreaks(o.messages[0]), expected);
}

} // namespace
