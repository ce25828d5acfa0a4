#include "Calc.h"
#include "SnapshotFile.h"

#include "Error.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace enginetest;
using engine::Snapshot;

const char* const kFixedRate = "単位重量７０㎏／ｍ3で計算します(固定)";
const char* const kD13Merged = "D13の重量が0.01ｔ以下です\n\r　D10に合算しておきます";

Snapshot Example() {
    return LoadSnapshot(DataPath("wall_example.snap.txt"));
}

struct Result {
    std::optional<engine::CalcOutput> out;
    std::vector<std::string> messages;
};

Result RunWall(const Snapshot& s) {
    Recorder r;
    auto out = engine::CalcYoH(s, r.fn());
    return {std::move(out), r.texts};
}

bool StartsWith(const std::string& line, const std::string& head) {
    return line.compare(0, head.size(), head) == 0;
}

// The first statement line that starts with `head`, or "" when none does.
std::string LineStarting(const std::vector<std::string>& lines, const std::string& head) {
    for (const auto& l : lines)
        if (StartsWith(l, head))
            return l;
    return "";
}

TEST(CalcYoH, WorkedExampleQuantities) {
    Result r = RunWall(Example());
    ASSERT_TRUE(r.out);
    const engine::Quantities& q = r.out->quantities;
    EXPECT_EQ(q.mode, engine::StructureMode::Wall);
    EXPECT_EQ(q.excavation, 1625);
    EXPECT_EQ(q.stone, 160);
    EXPECT_EQ(q.levelling, 80);
    EXPECT_EQ(q.rcTotal, 730);
    EXPECT_EQ(q.disposal, 730); // excavated soil reused: surplus only
    EXPECT_EQ(q.backfill, 895);
    EXPECT_EQ(q.formOrdinary + q.fairFaced, 3400);
    EXPECT_EQ(q.barMerged, 51); // by rate: both sizes, not D10
    EXPECT_EQ(q.barD10, 0);
    EXPECT_EQ(q.barD13, 0);
    EXPECT_EQ(q.pipes, 0);
    EXPECT_EQ(r.messages, std::vector<std::string>{kFixedRate});

    const auto& lines = r.out->lines;
    ASSERT_GT(lines.size(), 21u);
    EXPECT_EQ(lines[2], "延べ数量：  10.00（ｍ）");
    EXPECT_EQ(lines[11], "");
    EXPECT_NE(lines[20].find("  16.25"), std::string::npos);
    EXPECT_NE(lines[21].find("   2.50×[D]   0.65×[H]  10.00"), std::string::npos);
    std::string bars = LineStarting(lines, "異形鉄筋");
    EXPECT_NE(bars.find("   0.51"), std::string::npos);
    EXPECT_TRUE(bars.ends_with("70㎏／ｍ3　[D10,D13合算]"));
}

TEST(CalcYoH, StopsWithoutAStatement) {
    struct Case {
        const char* what;
        void (*spoil)(Snapshot&);
        std::vector<std::string> messages;
    } cases[] = {
        {"back height",
         [](Snapshot& s) { s.REdit[3] = "1650"; },
         {"無理な数字だと思いますが？ >> 裏面高さ"}},
        {"length 0", [](Snapshot& s) { s.REdit[1] = "0"; }, {"問題点を訂正して再度実行して下さい"}},
        {"length 4 rounds to 0",
         [](Snapshot& s) { s.REdit[1] = "4"; },
         {"問題点を訂正して再度実行して下さい"}},
        {"length not a number",
         [](Snapshot& s) { s.REdit[1] = "10m"; },
         {yoheki::kMmMessage, "問題点を訂正して再度実行して下さい"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Snapshot s = Example();
        s.D2 = true; // no summary either
        c.spoil(s);
        Result r = RunWall(s);
        EXPECT_FALSE(r.out);
        EXPECT_EQ(r.messages, c.messages);
    }
    Snapshot edge = Example();
    edge.REdit[3] = "1600"; // exactly 100 below the top: allowed
    EXPECT_TRUE(RunWall(edge).out);
}

// A negative pitch gives a negative count, which the statement leaves out;
// the quantities hand on what the statement lists.
TEST(CalcYoH, DrainPipes) {
    struct Case {
        const char* pitch;
        std::int64_t pipes;
        std::size_t messages;
    } cases[] = {{"3000", 3, 1}, {"2500", 4, 1}, {"0", 0, 2}, {"4", 0, 2}, {"-2500", 0, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pitch);
        Snapshot s = Example();
        s.CheckBox2 = true;
        s.REdit[10] = c.pitch;
        Result r = RunWall(s);
        ASSERT_TRUE(r.out);
        EXPECT_EQ(r.out->quantities.pipes, c.pipes);
        ASSERT_EQ(r.messages.size(), c.messages);
        std::string line = LineStarting(r.out->lines, "水抜ﾊﾟｲﾌﾟ：");
        EXPECT_EQ(line.empty(), c.pipes <= 0);
        if (c.pipes > 0) {
            EXPECT_EQ(line, "水抜ﾊﾟｲﾌﾟ：" + std::to_string(c.pipes) + "（ヶ所）");
        }
    }
    Snapshot s = Example();
    s.REdit[10] = "0"; // not ticked: the pitch does not matter
    EXPECT_EQ(RunWall(s).messages.size(), 1u);
}

TEST(CalcYoH, NegativeQuantitiesStayVisible) {
    // No extra width and a thick base: excavation vol(10000 x 650 x 1500) = 975,
    // surplus 160 + 80 + vol(10000 x 1500 x 500) = 990, backfill -15.
    Snapshot s = Example();
    s.S1 = false;
    s.REdit[9] = "500";
    Result r = RunWall(s);
    ASSERT_TRUE(r.out);
    EXPECT_EQ(r.out->quantities.backfill, -15);
    EXPECT_EQ(LineStarting(r.out->lines, "埋  戻  し ："),
              "埋  戻  し ：  -0.15（ｍ3）　［根切土使用］");
}

TEST(CalcYoH, BarsFromPitchesAndTheirMessages) {
    Snapshot s = Example();
    s.CheckBox1 = true;
    s.REdit[12] = "abc"; // reported when read, then refused as pitch 0
    Result r = RunWall(s);
    ASSERT_TRUE(r.out);
    EXPECT_EQ(r.messages, (std::vector<std::string>{yoheki::kMmMessage,
                                                    "現在の配筋では計算出来ません", kD13Merged}));
    auto bars = std::count_if(r.out->lines.begin(), r.out->lines.end(),
                              [](const std::string& l) { return StartsWith(l, "異形鉄筋"); });
    EXPECT_EQ(bars, 1);
    EXPECT_EQ(LineStarting(r.out->lines, "異形鉄筋"),
              "異形鉄筋D10+D13：   0.00（ｔ）　 :=ＲＣ全量[   7.30]×0㎏／ｍ3");
}

TEST(CalcYoH, GroundLineReadTwiceAndReportedEachTime) {
    Snapshot s = Example();
    s.A1 = true;
    s.REdit[17] = "x";
    Result r = RunWall(s);
    ASSERT_TRUE(r.out);
    // Read with the other sizes, in both depths, in both widths (once itself and
    // once in the depth), then for the head line; the rate message comes between.
    std::vector<std::string> expected(7, yoheki::kMmMessage);
    expected.push_back(kFixedRate);
    expected.push_back(yoheki::kMmMessage);
    EXPECT_EQ(r.messages, expected);
    EXPECT_EQ(r.out->lines[11], "根切りライン => ＧＬ＋0");
}

TEST(CalcYoH, FrameworkErrorsEndTheRunWithoutAStatement) {
    struct Case {
        const char* what;
        void (*spoil)(Snapshot&);
    } cases[] = {
        // The sizes read as 0 pass the checks; the head line then fails.
        {"front height not an integer", [](Snapshot& s) { s.REdit[2] = "1.2", s.REdit[3] = "0"; }},
        {"embedment empty", [](Snapshot& s) { s.REdit[4] = "", s.REdit[3] = "100"; }},
        {"bar rate not an integer", [](Snapshot& s) { s.REdit[18] = "70kg"; }},
        {"huge sizes overflow",
         [](Snapshot& s) { s.REdit[1] = s.REdit[7] = s.REdit[6] = "2000000000"; }},
        {"huge run with a deep wall",
         [](Snapshot& s) {
             s.REdit[1] = "2000000000", s.REdit[2] = "2000000000", s.REdit[8] = "2000000000";
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Snapshot s = Example();
        c.spoil(s);
        EXPECT_THROW(engine::CalcYoH(s, nullptr), yoheki::Error);
    }
    Snapshot s = Example();
    s.REdit[18] = "abc";
    try {
        engine::CalcYoH(s, nullptr);
        FAIL();
    } catch (const yoheki::Error& e) {
        EXPECT_STREQ(e.what(), "'abc' は有効な整数値ではありません");
    }
}

TEST(CalcYoH, FinishesListedAsTheStatementListsThem) {
    Result r = RunWall(LoadSnapshot(DataPath("wall_block.snap.txt")));
    ASSERT_TRUE(r.out);
    using F = engine::Quantities::Finish;
    std::vector<std::tuple<std::string, std::string, std::string, std::int64_t>> got;
    for (const F& f : r.out->quantities.finishes)
        got.emplace_back(f.kind, f.name, f.unit, f.value);
    decltype(got) expected = {
        {"表面仕上", "打放し", "ｍ2", 2400},        {"ＣＢ", "Ｗ＝100", "ｍ2", 720},
        {"ＣＢ天端仕上", "天端ﾓﾙﾀﾙ", "ｍ", 1200},   {"ＣＢ表面下地", "特殊下地処理", "ｍ2", 720},
        {"ＣＢ裏面仕上", "吹付タイル", "ｍ2", 720}, {"ＣＢ裏面下地", "特殊下地処理", "ｍ2", 720},
    };
    EXPECT_EQ(got, expected);
}

TEST(CalcYoH, EmptyBackFinishShowsTheFrontFormula) {
    // Faces differ but the back box is empty: the front covers the front only.
    Snapshot s = Example();
    s.ComboBox[3] = "";
    Result r = RunWall(s);
    ASSERT_TRUE(r.out);
    auto it = std::find_if(r.out->lines.begin(), r.out->lines.end(),
                           [](const std::string& l) { return StartsWith(l, "表面仕上："); });
    ASSERT_NE(it, r.out->lines.end());
    EXPECT_EQ(*it, "表面仕上：打放補修 :   12.00（ｍ2）");
    EXPECT_EQ(*(it + 1), "　　　　　　　　　　　　　　 :=   1.20×  10.00");
    EXPECT_EQ(LineStarting(r.out->lines, "裏面仕上："), "");
}

} // namespace
