// The summary's model without a window: totals, finishes, the CSV and the
// aligned text of the command line.
#include "Error.h"
#include "Summary.h"
#include "Utf8.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

namespace {

using Mode = engine::StructureMode;

engine::Quantities Wall(std::int64_t backfill) {
    engine::Quantities q;
    q.excavation = 1000;
    q.backfill = backfill;
    return q;
}

TEST(SummaryModel, FinishesTotalByNameAndUnitBlocksByKindAndWidth) {
    using F = engine::Quantities::Finish;
    engine::Quantities a, b;
    a.finishes = {F{"表面仕上", "吹付タイル", "ｍ2", 100}, F{"天端仕上", "金鏝", "ｍ", 20},
                  F{"ＣＢ", "Ｗ＝150", "ｍ2", 30}};
    b.finishes = {F{"裏面仕上", "吹付タイル", "ｍ2", 50}, F{"天端仕上", "金鏝", "ｍ2", 10},
                  F{"ＣＢ(両面化粧)", "Ｗ＝150", "ｍ2", 40}};
    const summary::Table t =
        summary::Summarize({{U("a"), Mode::Wall, a, {}}, {U("b"), Mode::Base, b, {}}, {U("c"), Mode::Wall, {}, {U("x")}}});
    std::vector<std::tuple<QString, QString, QString, std::int64_t>> got;
    for (const summary::FinishTotal& f : t.finishes)
        got.emplace_back(f.name, f.unit, f.kinds.join(u'/'), f.value);
    const decltype(got) expected = {
        {U("吹付タイル"), U("ｍ2"), U("表面仕上/裏面仕上"), 150},
        {U("金鏝"), U("ｍ"), U("天端仕上"), 20},
        {U("ＣＢ Ｗ＝150"), U("ｍ2"), U("ＣＢ"), 30},
        {U("金鏝"), U("ｍ2"), U("天端仕上"), 10},
        {U("ＣＢ(両面化粧) Ｗ＝150"), U("ｍ2"), U("ＣＢ(両面化粧)"), 40},
    };
    EXPECT_EQ(got, expected);
    EXPECT_EQ(t.stopped, 1);
}

TEST(SummaryModel, TotalThatOverflowsStopsTheSummary) {
    engine::Quantities big;
    big.rcTotal = std::numeric_limits<std::int64_t>::max() / 2 + 1;
    EXPECT_THROW(summary::Summarize({{U("a"), Mode::Wall, big, {}}, {U("b"), Mode::Wall, big, {}}}), yoheki::Error);
}

TEST(SummaryModel, CsvQuotesFieldsAndKeepsNamesFromBecomingFormulas) {
    const summary::Table t = summary::Summarize(
        {{U("=SUM(A1),\"x\""), Mode::Wall, std::nullopt, {U("a,b\n\rc")}},
         {U("-1通り"), Mode::Ditch, Wall(5), {}}});
    const QStringList rows = summary::CsvText(t).split(U("\r\n"));
    EXPECT_TRUE(rows[1].startsWith(U("\"'=SUM(A1),\"\"x\"\"\",Ｌ型擁壁,,")))
        << rows[1].toStdString();
    EXPECT_TRUE(rows[1].endsWith(U(",\"演算できません：a,b c\""))) << rows[1].toStdString();
    EXPECT_TRUE(rows[2].startsWith(U("'-1通り,Ｕ型側溝,10.00,0.00,0.05,")));
    EXPECT_TRUE(rows[3].endsWith(U(",演算できない拾い1件を除く")));
}

TEST(SummaryModel, AlignedTextLinesUpNumbersUnderTheirHeadings) {
    engine::Quantities q = Wall(-15);
    q.pipes = 12;
    const QStringList lines = summary::AlignedText(summary::Summarize({{U("擁壁ﾃｽﾄ"), Mode::Wall, q, {}},
                                                                       {U("b"), Mode::Base, Wall(5), {}}}))
                                  .split(u'\n');
    // A heading's right edge, in terminal columns, is where its numbers end.
    const auto rightEdge = [](const QString& line, const QString& text) {
        return summary::DisplayWidth(line.left(line.indexOf(text) + text.size()));
    };
    ASSERT_GE(lines.size(), 7);
    EXPECT_EQ(rightEdge(lines[0], U("埋戻し")), rightEdge(lines[3], QStringLiteral("-0.15")));
    EXPECT_EQ(rightEdge(lines[0], U("水抜ﾊﾟｲﾌﾟ")), rightEdge(lines[3], QStringLiteral("12")));
    EXPECT_EQ(rightEdge(lines[0], U("埋戻し")), rightEdge(lines[6], QStringLiteral("-0.10")));
    EXPECT_TRUE(lines[6].startsWith(U("合計")));
}

} // namespace
