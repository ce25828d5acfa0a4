// The summary window against an earlier revision: the grouped 当初 / 変更 /
// 増減 columns against each revision's own summary, the marks, highlighted
// differences, the detail pane, the unsaved screen, CSV, and going back.
#include "../takeoff/Revisions.h"
#include "SummaryForm.h"
#include "SummaryRun.h"
#include "TakeoffFixture.h"
#include "Utf8.h"

#include <QProcess>
#include <QHeaderView>
#include <QPlainTextEdit>

namespace {

class SummaryCompareTest : public TakeoffFixture {
  protected:
    void SetUp() override {
        TakeoffFixture::SetUp();
        std::tie(earlier, current) = revisions::Make(QDir(dir.path()));
        Open(QFileInfo(current).fileName());
    }
    TSummaryForm* Compared() {
        form->S4Click();
        auto* summary = form->findChild<TSummaryForm*>();
        if (!summary)
            return nullptr;
        dialogs.fileAnswers = {earlier};
        summary->CompareButtonClick();
        return summary;
    }
    static int RowOf(const QTableWidget* grid, const char* name) {
        for (int r = 0; r < grid->rowCount(); ++r)
            if (grid->item(r, 0) && grid->item(r, 0)->text() == U(name))
                return r;
        return -1;
    }
    static QString Text(const QTableWidget* grid, int row, int column) {
        const QTableWidgetItem* item = grid->item(row, column);
        return item ? item->text() : QString();
    }
    QString earlier, current;
};

TEST_F(SummaryCompareTest, ColumnsAgreeWithEachRevisionsSummary) {
    const QByteArray a = revisions::Hash(earlier), b = revisions::Hash(current);
    TSummaryForm* summary = Compared();
    ASSERT_NE(summary, nullptr);
    ASSERT_TRUE(summary->Comparing());
    EXPECT_EQ(revisions::Hash(earlier), a);
    EXPECT_EQ(revisions::Hash(current), b);
    EXPECT_TRUE(summary->CompareGrid->isVisible());
    EXPECT_FALSE(summary->Grid1->isVisible());

    const QTableWidget* grid = summary->CompareGrid;
    const auto& columns = summary::Columns();
    ASSERT_EQ(grid->columnCount(), 3 + 3 * static_cast<int>(columns.size()));
    EXPECT_EQ(summary->GroupHeading(3), U("根切量(ｍ3)"));
    EXPECT_EQ(summary->GroupHeading(5), U("根切量(ｍ3)"));
    EXPECT_EQ(summary->GroupHeading(6), U("不用土処分(ｍ3)"));
    EXPECT_EQ(grid->horizontalHeaderItem(4)->text(), U("変更"));

    const summary::Table before = summary::Summarize(CalculateProject(earlier).items);
    const summary::Table after = summary::Summarize(CalculateProject(current).items);
    const int row = RowOf(grid, revisions::kRaised);
    ASSERT_GE(row, 0);
    const auto value = [](const summary::Table& t, const char* name, std::size_t c) {
        for (const summary::Item& item : t.items)
            if (item.name == U(name))
                return (*item.quantities).*summary::Columns()[c].field;
        return std::int64_t{-1};
    };
    bool highlighted = false;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const int at = 3 + 3 * static_cast<int>(c);
        const std::int64_t e = value(before, revisions::kRaised, c);
        const std::int64_t n = value(after, revisions::kRaised, c);
        EXPECT_EQ(Text(grid, row, at), summary::FormatValue(columns[c], e));
        EXPECT_EQ(Text(grid, row, at + 1), summary::FormatValue(columns[c], n));
        EXPECT_EQ(Text(grid, row, at + 2),
                  (n > e ? U("+") : QString()) + summary::FormatValue(columns[c], n - e));
        const bool marked = grid->item(row, at + 2)->background().style() != Qt::NoBrush;
        EXPECT_EQ(marked, n != e) << c;
        highlighted |= marked;
    }
    EXPECT_TRUE(highlighted);
}

TEST_F(SummaryCompareTest, MarksStopsDetailAndBack) {
    TSummaryForm* summary = Compared();
    ASSERT_NE(summary, nullptr);
    const QTableWidget* grid = summary->CompareGrid;
    EXPECT_EQ(Text(grid, RowOf(grid, revisions::kAdded), 2), U("新規"));
    EXPECT_EQ(Text(grid, RowOf(grid, revisions::kRemoved), 2), U("削除"));
    EXPECT_EQ(Text(grid, RowOf(grid, revisions::kSame1), 2), QString());
    // The removed item has no current values.
    EXPECT_EQ(Text(grid, RowOf(grid, revisions::kRemoved), 4), QString());
    const int stops = RowOf(grid, revisions::kStops);
    EXPECT_TRUE(Text(grid, stops, 3).startsWith(U("演算できません：変更：")));
    EXPECT_EQ(grid->columnSpan(stops, 3), grid->columnCount() - 3);
    EXPECT_EQ(Text(grid, grid->rowCount() - 1, 0), U("合計"));
    EXPECT_EQ(Text(grid, grid->rowCount() - 1, 1), U("6 件"));

    summary->CompareGrid->setCurrentCell(RowOf(grid, revisions::kRule), 0);
    EXPECT_EQ(summary->ChangesMemo->toPlainText(),
              U("【設備基礎　Ｐ－１】\n  根切要項 積算基準 → 45度勾配[+500]"));
    EXPECT_TRUE(grid->item(RowOf(grid, revisions::kRule), 0)->toolTip().contains(U("45度勾配")));

    summary->UncompareButtonClick();
    EXPECT_FALSE(summary->Comparing());
    EXPECT_TRUE(summary->Grid1->isVisible());
    EXPECT_FALSE(summary->CompareGrid->isVisible());
    EXPECT_FALSE(summary->UncompareButton->isVisible());
    EXPECT_EQ(summary->Grid1->rowCount(), 7); // six items and the total
}

TEST_F(SummaryCompareTest, UnsavedScreenIsTheCurrentRevision) {
    ASSERT_EQ(form->ComboBox1->currentText(), U(revisions::kRaised));
    form->REdit3->setText(QStringLiteral("1800"));
    TSummaryForm* summary = Compared();
    ASSERT_NE(summary, nullptr);
    summary->CompareGrid->setCurrentCell(0, 0);
    EXPECT_TRUE(summary->ChangesMemo->toPlainText().contains(U("仕上げ高[裏] 1200 → 1800")));
}

TEST_F(SummaryCompareTest, CsvCarriesTheComparisonAndCancelKeepsThePlainTable) {
    TSummaryForm* summary = Compared();
    ASSERT_NE(summary, nullptr);
    summary->CheckBox1->setChecked(true);
    dialogs.fileAnswers = {Path(U("比較.csv"))};
    summary->Button1Click();
    const QString csv = QString::fromUtf8(ReadFile(U("比較.csv")));
    EXPECT_TRUE(csv.contains(U(",,,当初,変更,増減,"))) << csv.left(200).toStdString();
    EXPECT_TRUE(csv.contains(U(",削除,")));

    summary->UncompareButtonClick();
    dialogs.fileAnswers = {std::nullopt};
    summary->CompareButtonClick();
    EXPECT_FALSE(summary->Comparing());
    // A file that is no project: the reason is shown, the plain table stays.
    dialogs.clear();
    dialogs.fileAnswers = {Path(U("無い.Fa1"))};
    summary->CompareButtonClick();
    EXPECT_FALSE(summary->Comparing());
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].contains(U("を読めません")));
}

} // namespace

// "Excelに保存" while comparing: the sheet 数量比較 holds 当初 and 変更 as
// numbers and 増減 as the formula of the two, as a spreadsheet program reads it.
TEST_F(SummaryCompareTest, TheWorkbookCarriesTheComparisonWithDifferencesAsFormulas) {
    TSummaryForm* summary = Compared();
    ASSERT_NE(summary, nullptr);
    const QString xlsx = Path(QStringLiteral("比較.xlsx"));
    dialogs.fileAnswers = {xlsx};
    summary->Button3Click();
    ASSERT_TRUE(QFileInfo::exists(xlsx)) << dialogs.messages().join(" | ").toStdString();
    const summary::Table before = summary::Summarize(CalculateProject(earlier).items);
    const summary::Table after = summary::Summarize(CalculateProject(current).items);
    // The first quantity the change moved.
    const summary::Item* a = nullptr;
    const summary::Item* b = nullptr;
    for (const summary::Item& item : before.items)
        if (item.name == U(revisions::kRaised))
            a = &item;
    for (const summary::Item& item : after.items)
        if (item.name == U(revisions::kRaised))
            b = &item;
    ASSERT_TRUE(a && b && a->quantities && b->quantities);
    const auto& columns = summary::Columns();
    std::size_t c = 0;
    while (c < columns.size() && (*a->quantities).*columns[c].field == (*b->quantities).*columns[c].field)
        ++c;
    ASSERT_LT(c, columns.size());
    const double was = ((*a->quantities).*columns[c].field) / 100.0;
    const double is = ((*b->quantities).*columns[c].field) / 100.0;
    // openpyxl, the reader a spreadsheet user's scripts use, reads the cells.
    const QString script = QStringLiteral(
        "import sys, openpyxl\n"
        "wb = openpyxl.load_workbook(sys.argv[1])\n"
        "ws = wb['数量比較']\n"
        "c = 2 + 3 * int(sys.argv[3])\n"
        "for row in ws.iter_rows(min_row=5):\n"
        "    if row[0].value == sys.argv[2]:\n"
        "        print(row[c].value, row[c + 1].value, row[c + 2].value, row[c].coordinate,"
        " row[c + 1].coordinate)\n"
        // Printed legibly: landscape at 90 %, names and headings on every page.
        "print(ws['A2'].value.replace(' ', '_'), ws.page_setup.orientation, ws.page_setup.scale,"
        " ws.print_title_cols, ws.print_title_rows, len(ws.col_breaks.brk))\n");
    QProcess python;
    python.start(QStringLiteral(YOHEKI_PYTHON3), {QStringLiteral("-c"), script, xlsx,
                                             U(revisions::kRaised), QString::number(c)});
    ASSERT_TRUE(python.waitForFinished(30000));
    const QStringList lines =
        QString::fromUtf8(python.readAllStandardOutput()).trimmed().split(u'\n');
    ASSERT_EQ(lines.size(), 2) << python.readAllStandardError().toStdString();
    const QStringList got = lines[0].split(u' ');
    ASSERT_EQ(got.size(), 5);
    const QStringList page = lines[1].split(u' ');
    ASSERT_EQ(page.size(), 6);
    EXPECT_TRUE(page[0].contains(QFileInfo(earlier).fileName())) << page[0].toStdString();
    EXPECT_FALSE(page[0].contains(u'/')) << page[0].toStdString();
    EXPECT_EQ(page.mid(1, 4), (QStringList{"landscape", "90", "$A:$B", "$3:$4"}));
    EXPECT_GE(page[5].toInt(), 4);
    EXPECT_DOUBLE_EQ(got[0].toDouble(), was);
    EXPECT_DOUBLE_EQ(got[1].toDouble(), is);
    EXPECT_EQ(got[2], U("=") + got[4] + U("-") + got[3]);
}
