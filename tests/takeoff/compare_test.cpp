// The comparison of two revisions: its numbers against each revision's own
// summary, the marks of new and removed items, the changed inputs, stopped
// items, the totals, the CSV and the text, and both files left alone.
#include "Compare.h"
#include "Revisions.h"
#include "SummaryRun.h"
#include "Utf8.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace {

using compare::Status;

std::map<QString, summary::Item> ByName(const summary::Table& t) {
    std::map<QString, summary::Item> out;
    for (const summary::Item& item : t.items)
        out.emplace(item.name, item);
    return out;
}

std::int64_t Value(const summary::Item& item, std::size_t c) {
    return (*item.quantities).*summary::Columns()[c].field;
}

class CompareTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        std::tie(earlier, current) = revisions::Make(QDir(dir.path()));
    }
    compare::Comparison Run() const {
        return compare::Compare(compare::ReadRevision(earlier), compare::ReadRevision(current));
    }
    static const compare::Row& RowOf(const compare::Comparison& c, const char* name) {
        for (const compare::Row& r : c.rows)
            if (r.name == U(name))
                return r;
        throw std::runtime_error(name);
    }

    QTemporaryDir dir;
    QString earlier, current;
};

TEST_F(CompareTest, ValuesAndTotalsAgreeWithEachRevisionsOwnSummary) {
    const summary::Table before = summary::Summarize(CalculateProject(earlier).items);
    const summary::Table after = summary::Summarize(CalculateProject(current).items);
    const auto b = ByName(before), a = ByName(after);
    const compare::Comparison cmp = Run();
    ASSERT_EQ(cmp.rows.size(), 7u);
    for (const compare::Row& row : cmp.rows) {
        if (row.Stopped())
            continue;
        for (std::size_t c = 0; c < summary::Columns().size(); ++c) {
            const std::int64_t e = b.count(row.name) ? Value(b.at(row.name), c) : 0;
            const std::int64_t n = a.count(row.name) ? Value(a.at(row.name), c) : 0;
            EXPECT_EQ(row.earlier[c], e) << row.name.toStdString() << c;
            EXPECT_EQ(row.current[c], n) << row.name.toStdString() << c;
            EXPECT_EQ(row.Difference(c), n - e);
        }
    }
    // The item that stops now counts in neither total; the earlier summary
    // still holds it.
    const summary::Item& stopsNow = b.at(U(revisions::kStops));
    for (std::size_t c = 0; c < summary::Columns().size(); ++c) {
        EXPECT_EQ(cmp.all.earlier[c], before.totals[c] - Value(stopsNow, c)) << c;
        EXPECT_EQ(cmp.all.current[c], after.totals[c]) << c;
        EXPECT_EQ(cmp.all.earlier[c],
                  cmp.matched.earlier[c] + cmp.added.earlier[c] + cmp.removed.earlier[c]);
        EXPECT_EQ(cmp.added.earlier[c], 0);
        EXPECT_EQ(cmp.removed.current[c], 0);
    }
    EXPECT_EQ(cmp.stopped, 1);
    EXPECT_EQ(cmp.all.items, 6);
    EXPECT_EQ(cmp.added.items, 1);
    EXPECT_EQ(cmp.removed.items, 1);
    EXPECT_FALSE(cmp.Same());
}

TEST_F(CompareTest, MarksChangedInputsAndStops) {
    const compare::Comparison cmp = Run();
    // Current order first, the removed item last.
    QStringList order;
    for (const compare::Row& r : cmp.rows)
        order << r.name;
    EXPECT_EQ(order.back(), U(revisions::kRemoved));
    EXPECT_EQ(order[order.size() - 2], U(revisions::kAdded));

    EXPECT_EQ(RowOf(cmp, revisions::kAdded).status, Status::Added);
    EXPECT_EQ(compare::StatusMark(Status::Added), U("新規"));
    EXPECT_EQ(RowOf(cmp, revisions::kRemoved).status, Status::Removed);
    EXPECT_EQ(compare::StatusMark(Status::Removed), U("削除"));
    EXPECT_FALSE(RowOf(cmp, revisions::kRemoved).currentMode);

    const compare::Row& raised = RowOf(cmp, revisions::kRaised);
    EXPECT_EQ(raised.changes, QStringList{U("仕上げ高[裏] 1200 → 1500")});
    EXPECT_TRUE(raised.Differs());
    EXPECT_NE(raised.earlier, raised.current);

    EXPECT_EQ(RowOf(cmp, revisions::kRule).changes,
              QStringList{U("根切要項 積算基準 → 45度勾配[+500]")});

    const compare::Row& stops = RowOf(cmp, revisions::kStops);
    EXPECT_TRUE(stops.Stopped());
    EXPECT_TRUE(stops.stopped.startsWith(U("変更：")));
    EXPECT_FALSE(stops.stopped.contains(U("当初：")));
    EXPECT_TRUE(stops.Differs());

    for (const char* same : {revisions::kSame1, revisions::kSame2}) {
        EXPECT_TRUE(RowOf(cmp, same).changes.isEmpty()) << same;
        EXPECT_FALSE(RowOf(cmp, same).Differs()) << same;
    }
}

TEST_F(CompareTest, NeitherFileChanges) {
    const QByteArray a = revisions::Hash(earlier), b = revisions::Hash(current);
    const compare::Comparison cmp = Run();
    (void)compare::CsvText(cmp);
    EXPECT_EQ(revisions::Hash(earlier), a);
    EXPECT_EQ(revisions::Hash(current), b);
}

TEST_F(CompareTest, ARevisionAgainstItselfIsTheSame) {
    const compare::Revision rev = compare::ReadRevision(current);
    const compare::Comparison cmp = compare::Compare(rev, rev);
    EXPECT_TRUE(cmp.Same());
    // Stopped in both and unchanged: nothing to look at, still in no total.
    EXPECT_FALSE(RowOf(cmp, revisions::kStops).Differs());
    EXPECT_EQ(cmp.stopped, 1);
    EXPECT_EQ(compare::AlignedText(cmp, false),
              U("当初と変更の数量は同じです\n演算できない拾い1件は合計に含みません\n"));
}

TEST_F(CompareTest, NamesMatchExactly) {
    yoheki::IniFile ini(revisions::Native(earlier));
    for (const std::string& key : ini.ReadSection(revisions::kSame1))
        ini.WriteString("設備基礎　p－２", key, ini.ReadString(revisions::kSame1, key, ""));
    ini.EraseSection(revisions::kSame1);
    ini.UpdateFile();
    const compare::Comparison cmp = Run();
    EXPECT_EQ(RowOf(cmp, revisions::kSame1).status, Status::Added);
    EXPECT_EQ(RowOf(cmp, "設備基礎　p－２").status, Status::Removed);
}

TEST_F(CompareTest, AFinishChangeDiffersThoughNoColumnMoves) {
    yoheki::IniFile ini(revisions::Native(current));
    ini.WriteString(revisions::kSame1, "表面仕上", "吹付タイル");
    ini.UpdateFile();
    const compare::Comparison cmp = Run();
    const compare::Row& row = RowOf(cmp, revisions::kSame1);
    EXPECT_EQ(row.earlier, row.current);
    EXPECT_TRUE(row.finishesDiffer);
    EXPECT_TRUE(row.Differs());
    ASSERT_EQ(row.changes.size(), 1);
    EXPECT_TRUE(row.changes[0].startsWith(U("仕上[表面] ")));
    EXPECT_TRUE(row.changes[0].endsWith(U(" → 吹付タイル")));
}

TEST_F(CompareTest, AnUnreadableRevisionSaysWhy) {
    QFile::remove(earlier);
    ASSERT_TRUE(QDir(dir.path()).mkdir(U("当初.Fa1")));
    const compare::Revision rev = compare::ReadRevision(earlier);
    EXPECT_FALSE(rev.opened);
    EXPECT_FALSE(rev.notes.isEmpty());
}

// ------------------------------------------------------------ changed inputs

TEST(ChangedInputs, NamesFieldsAsTheScreenDoes) {
    takeoff::ItemRecord a, b;
    a.REdit[1] = "10000";
    b.REdit[1] = "12000";
    a.REdit[8] = "200";
    b.Ne = 3; // a: nothing chosen
    a.Sr = 1, b.Sr = 4;
    a.Sh = 2, b.Sh = 9; // out of range reads as nothing chosen
    a.embedDiff = true;
    b.level = true;
    EXPECT_EQ(compare::ChangedInputs(a, b),
              (QStringList{U("延べ長さ 10000 → 12000"), U("幅(W) 200 → （空欄）"),
                           U("根切要項 （未選択） → 60度勾配[+500]"), U("簡易山止 なし → 両面"),
                           U("ﾀｲﾙ･塗装等下地 モルタル → （未選択）"),
                           U("根入差有無 根入差：有 → 根入差：無"), U("根切ﾗｲﾝ差異 無 → 有")}));
    EXPECT_TRUE(compare::ChangedInputs(a, a).isEmpty());
}

TEST(ChangedInputs, PanelFieldsOnlyWhileThePanelIsOnInBoth) {
    takeoff::ItemRecord a, b;
    a.blocks = true;
    a.REdit[11] = "600";
    b.REdit[11] = "0";
    a.REdit[18] = "70";
    b.rebar = true;
    b.RG_BL = 2;
    EXPECT_EQ(compare::ChangedInputs(a, b),
              (QStringList{U("鉄筋計算 無 → 有"), U("ＣＢの有無 有 → 無")}));
    a = b;
    a.RG_BL = 0;
    a.REdit[12] = "200";
    b.REdit[12] = "250";
    b.upDouble = true;
    b.blocks = a.blocks = true;
    b.blockTop = "笠木";
    EXPECT_EQ(compare::ChangedInputs(a, b),
              (QStringList{U("ベース筋(主) D10 → D13"), U("(主)ﾋﾟｯﾁ(＠) 200 → 250"),
                           U("立上り：複筋 無 → 有"), U("ＣＢ仕上[天端] （空欄） → 笠木")}));
}

// ------------------------------------------------------------ CSV and text

// Splits a CSV line without quoted commas.
QStringList Fields(const QString& line) {
    return line.split(u',');
}

TEST_F(CompareTest, CsvCarriesThreeValuesPerQuantity) {
    const compare::Comparison cmp = Run();
    const QStringList lines = compare::CsvText(cmp).split(QStringLiteral("\r\n"));
    const qsizetype width = 3 + 3 * static_cast<qsizetype>(summary::Columns().size()) + 2;
    ASSERT_GE(lines.size(), 2 + 7 + 4);
    EXPECT_EQ(Fields(lines[0]).mid(0, 4),
              (QStringList{U("拾い名称"), U("構造"), U("区分"), U("根切量(ｍ3)")}));
    EXPECT_EQ(Fields(lines[1]).mid(3, 4),
              (QStringList{U("当初"), U("変更"), U("増減"), U("当初")}));
    for (int i = 0; i < 2 + 7 + 4; ++i)
        EXPECT_EQ(Fields(lines[i]).size(), width) << i;
    const QStringList raised = Fields(lines[2]);
    EXPECT_EQ(raised[0], U(revisions::kRaised));
    const compare::Row& row = cmp.rows[0];
    EXPECT_EQ(raised[3], summary::FormatHundredths(row.earlier[0]));
    EXPECT_EQ(raised[5], summary::FormatHundredths(row.Difference(0)));
    EXPECT_EQ(raised.back(), U("仕上げ高[裏] 1200 → 1500"));
    const QStringList total = Fields(lines[2 + 7 + 3]);
    EXPECT_EQ(total[0], U("合計"));
    EXPECT_EQ(total[4], summary::FormatHundredths(cmp.all.current[0]));
    EXPECT_TRUE(total[width - 2].contains(U("1件")));
}

TEST_F(CompareTest, TextShowsOnlyWhatMovedUnlessAll) {
    const compare::Comparison cmp = Run();
    const QString brief = compare::AlignedText(cmp, false);
    const QString all = compare::AlignedText(cmp, true);
    EXPECT_FALSE(brief.contains(U(revisions::kSame1)));
    EXPECT_TRUE(all.contains(U(revisions::kSame1)));
    for (const char* name : {revisions::kRaised, revisions::kAdded, revisions::kRemoved})
        EXPECT_TRUE(brief.contains(U(name))) << name;
    EXPECT_TRUE(brief.contains(U("根切量(ｍ3)")));
    // No item's run length moved.
    EXPECT_FALSE(brief.contains(U("水抜ﾊﾟｲﾌﾟ(ヶ所)")));
    EXPECT_TRUE(all.contains(U("水抜ﾊﾟｲﾌﾟ(ヶ所)")));
    EXPECT_TRUE(brief.contains(U("【L型擁壁　Ａ通り】\n  仕上げ高[裏] 1200 → 1500\n")));
    EXPECT_TRUE(brief.contains(U("演算できない拾い1件は合計に含みません")));
}

} // namespace
