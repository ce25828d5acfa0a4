#include "UJSCalc.h"
#include "base_ditch_support.h"

#include "Error.h"

#include <gtest/gtest.h>

namespace {

using namespace bdtest;
using engine::Snapshot;

const std::string kFormTotal = "　　　　　　　　 (型枠全数量):=（";
const std::string kMerged = "異形鉄筋D10+D13：";
const std::string kTon = "（ｔ）";
const std::string kExposed = "打 放 型 枠：";

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
    EXPECT_EQ(q.mode, engine::StructureMode::Ditch);
    EXPECT_EQ(q.excavation, 1350);
    EXPECT_EQ(q.stone, 80);
    EXPECT_EQ(q.levelling, 40);
    EXPECT_EQ(q.rcTotal, 120 + 136);
    EXPECT_EQ(q.disposal, 1350); // imported soil: all excavated soil leaves
    EXPECT_EQ(q.backfill, 1350 - (80 + 40 + 480));
    EXPECT_EQ(q.formOrdinary, 2100);
    EXPECT_EQ(q.fairFaced, 0);
    EXPECT_EQ(q.barMerged, 18); // 2.56 × 70 kg = 179 kg
    EXPECT_EQ(q.barD10, 0);
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

// The finished heights are hidden in a ditch and count as 0: whatever they
// hold is neither reported nor used.
TEST(DitchChecks, HiddenHeightsAreIgnored) {
    Snapshot s = Worked();
    s.REdit[2] = "abc";
    s.REdit[3] = "900";
    s.N4 = true;
    s.S1 = true;
    s.Y1 = false;
    Outcome o = RunDitch(s);
    ASSERT_TRUE(o.out);
    EXPECT_TRUE(o.messages.empty());
    // Both sides 750 deep under the standard: (750 × 500 × 2 + 800 × 750) = 13.50 m³
    EXPECT_EQ(o.out->quantities.excavation, 1350);
}

TEST(DitchChecks, OverflowRaisesAnError) {
    Snapshot s = Worked();
    s.REdit[1] = s.REdit[7] = s.REdit[6] = "2000000000";
    EXPECT_THROW(RunDitch(s), yoheki::Error);
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

Snapshot BarDitch() {
    Snapshot s = Worked();
    s.CheckBox1 = true;
    s.REdit[12] = s.REdit[13] = s.REdit[14] = s.REdit[15] = "200";
    s.RG_BL = s.RG_HL = s.RG_TL = s.RG_YL = 0;
    return s;
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

} // namespace
