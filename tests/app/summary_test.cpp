// The project quantity summary: its numbers against the statements read
// back independently, stopped items, the window's table, CSV and text.
#include "Error.h"
#include "StatementNumbers.h"
#include "SummaryForm.h"
#include "TakeoffFixture.h"
#include "Utf8.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <limits>

namespace {

QString Decode(const QByteArray& bytes) {
    return QString::fromStdString(yoheki::cp932::Decode(bytes.toStdString()));
}

// "16.25" -> 1625; a count as it stands.
std::int64_t Number(const QString& text, bool count) {
    return count ? text.toLongLong() : statement::Hundredths(text);
}

// The bundled sample's statements, from the golden continuous text output.
std::vector<statement::Numbers> SampleStatements() {
    QFile file(QStringLiteral(YOHEKI_TESTDATA_DIR "/sample.expected.txt"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    std::vector<statement::Numbers> out;
    for (const QStringList& lines : statement::Split(Decode(file.readAll()).split(U("\r\n"))))
        out.push_back(statement::Read(lines));
    return out;
}

std::map<QString, std::int64_t> Sums(const std::vector<statement::Numbers>& statements) {
    std::map<QString, std::int64_t> sums;
    for (const statement::Numbers& s : statements)
        for (const auto& [column, value] : s.values)
            sums[column] += value;
    return sums;
}

const char* const kNoLength =
    "[擁壁 延長なし]\n延長さ=0\n仕上高表=1200\n仕上高裏=1200\n根入長=500\n"
    "均しｺﾝ=50\n砕石=100\nﾍﾞｰｽ幅=1500\n幅=200\nﾍﾞｰｽ厚=300\n根切要項=1\n\n";

class SummaryTest : public TakeoffFixture {
  protected:
    void OpenSample(const std::string& extra = std::string()) {
        ASSERT_TRUE(CopyData(U("見本工事.Fa1")));
        if (!extra.empty()) {
            const QByteArray sample = ReadFile(U("見本工事.Fa1"));
            WriteText(U("extra.tmp"), extra);
            WriteFile(U("見本工事.Fa1"), sample + ReadFile(U("extra.tmp")));
            QFile::remove(Path(U("extra.tmp")));
        }
        Open(U("見本工事.Fa1"));
    }
    TSummaryForm* Shown() {
        form->S4Click();
        auto* summary = form->findChild<TSummaryForm*>();
        return summary && summary->isVisible() ? summary : nullptr;
    }
    static QString Text(const QTableWidget* grid, int row, int column) {
        const QTableWidgetItem* item = grid->item(row, column);
        return item ? item->text() : QString();
    }
    // Row `row` of the quantity table against the statement's numbers.
    static void ExpectRow(const QTableWidget* grid, int row,
                          const std::map<QString, std::int64_t>& values) {
        const auto& columns = summary::Columns();
        for (std::size_t c = 0; c < columns.size(); ++c)
            EXPECT_EQ(Number(Text(grid, row, 2 + static_cast<int>(c)), columns[c].count),
                      values.at(U(columns[c].name)))
                << "row " << row << " " << columns[c].name;
    }
};

TEST_F(SummaryTest, SampleIsTheSumOfItsStatementsAndNothingChanges) {
    OpenSample();
    form->REdit1->setText(QStringLiteral("20000")); // typed, not saved
    form->D1Click();
    dialogs.clear();
    const QStringList screen = ScreenState(), statementList = form2->Lines();
    const QByteArray project = ReadFile(U("見本工事.Fa1")), settings = ReadFile(U("Qrtt.dat"));
    const QString folder = QDir::currentPath();

    TSummaryForm* summary = Shown();
    ASSERT_NE(summary, nullptr);
    // The screen's twice-as-long wall: 2.50 x 0.65 x 20.00 = 32.50 excavated.
    EXPECT_EQ(Text(summary->Grid1, 0, 2), QStringLiteral("32.50"));
    EXPECT_TRUE(dialogs.messages().isEmpty()) << dialogs.messages().join(u'|').toStdString();
    delete summary; // what is left is the main window alone
    EXPECT_EQ(ScreenState(), screen);
    EXPECT_EQ(form2->Lines(), statementList);
    EXPECT_EQ(ReadFile(U("見本工事.Fa1")), project);
    EXPECT_EQ(ReadFile(U("Qrtt.dat")), settings);
    EXPECT_EQ(QDir::currentPath(), folder);

    std::vector<statement::Numbers> statements = SampleStatements();
    ASSERT_EQ(statements.size(), 6u);
    form->REdit1->setText(QStringLiteral("10000"));
    summary = Shown();
    ASSERT_EQ(summary->Grid1->rowCount(), 7);
    for (int r = 0; r < 6; ++r) {
        EXPECT_EQ(Text(summary->Grid1, r, 0), statements[static_cast<std::size_t>(r)].item);
        ExpectRow(summary->Grid1, r, statements[static_cast<std::size_t>(r)].values);
    }
    EXPECT_EQ(Text(summary->Grid1, 6, 0), U("合計"));
    ExpectRow(summary->Grid1, 6, Sums(statements));
    EXPECT_EQ(Text(summary->Grid1, 6, 2),
              QStringLiteral("90.88")); // 16.25+18.92+4.88+4.33+13.50+33.00
}

TEST_F(SummaryTest, FinishTotalsKeepEveryAreaOnce) {
    OpenSample();
    TSummaryForm* summary = Shown();
    ASSERT_NE(summary, nullptr);
    std::map<QString, std::int64_t> shown, byUnit;
    for (int r = 0; r < summary->Grid2->rowCount(); ++r) {
        const QString key = Text(summary->Grid2, r, 0) + u'|' + Text(summary->Grid2, r, 2);
        shown[key] = statement::Hundredths(Text(summary->Grid2, r, 1));
        byUnit[Text(summary->Grid2, r, 2)] += shown[key];
    }
    // Front 24.00 of wall A, substrate 2.10 of P-1, front 0.96 of P-2.
    EXPECT_EQ(shown[U("打放補修|ｍ2")], 2706);
    // Block top 18.50 of wall B, top 20.00 and inside 10.00 of U-300.
    EXPECT_EQ(shown[U("モルタル金鏝|ｍ")], 4850);
    EXPECT_EQ(shown[U("ＣＢ Ｗ＝150|ｍ2")], 740);
    std::map<QString, std::int64_t> statementUnits;
    for (const statement::Numbers& s : SampleStatements())
        for (const statement::Finish& f : s.finishes)
            statementUnits[f.unit] += f.value;
    EXPECT_EQ(byUnit, statementUnits);
}

TEST_F(SummaryTest, StoppedItemIsNamedWithItsMessageAndLeftOutOfTotals) {
    OpenSample(kNoLength);
    TSummaryForm* summary = Shown();
    ASSERT_NE(summary, nullptr);
    const QTableWidget* grid = summary->Grid1;
    ASSERT_EQ(grid->rowCount(), 8);
    EXPECT_EQ(Text(grid, 6, 0), U("擁壁 延長なし"));
    EXPECT_TRUE(Text(grid, 6, 2).contains(U("問題点を訂正して再度実行して下さい")))
        << Text(grid, 6, 2).toStdString();
    EXPECT_EQ(grid->columnSpan(6, 2), static_cast<int>(summary::Columns().size()));
    ExpectRow(grid, 7, Sums(SampleStatements()));
    EXPECT_TRUE(summary->Label1->text().contains(U("演算できない拾い 1 件")));
}

TEST_F(SummaryTest, CsvIsCp932OrUtf8WithHeaderItemRowsAndTotal) {
    OpenSample(kNoLength);
    TSummaryForm* summary = Shown();
    ASSERT_NE(summary, nullptr);
    dialogs.fileAnswers = {Path(U("集計")), Path(U("集計u.csv"))};
    summary->Button1Click();
    summary->CheckBox1->setChecked(true);
    summary->Button1Click();
    ASSERT_EQ(dialogs.fileRequests.size(), 2);
    EXPECT_TRUE(dialogs.fileRequests[0].allowNonExisting);

    const QByteArray cp932 = ReadFile(U("集計.csv")), utf8 = ReadFile(U("集計u.csv"));
    ASSERT_TRUE(cp932.startsWith(QByteArray::fromStdString(yoheki::cp932::Encode("拾い名称,"))));
    ASSERT_TRUE(utf8.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(QString::fromUtf8(utf8.mid(3)), Decode(cp932));
    QStringList rows = Decode(cp932).split(U("\r\n"));
    EXPECT_EQ(rows.takeLast(), QString()); // every row ends with CR LF
    // The finish totals follow the table after an empty row.
    const qsizetype gap = rows.indexOf(QString());
    ASSERT_EQ(gap, 1 + 7 + 1);
    const QStringList finishes = rows.mid(gap + 1);
    rows = rows.mid(0, gap);
    ASSERT_GE(finishes.size(), 3);
    EXPECT_EQ(finishes[0], U("仕上集計"));
    EXPECT_EQ(finishes[1], U("仕上名称,数量,単位,区分"));
    EXPECT_EQ(finishes.size() - 2, summary->Grid2->rowCount());
    EXPECT_EQ(finishes[2].section(u',', 0, 0), summary->Grid2->item(0, 0)->text());
    for (const QString& row : rows)
        EXPECT_EQ(row.count(u','), 2 + 14) << row.toStdString();
    EXPECT_TRUE(rows[0].startsWith(U("拾い名称,構造,根切量(ｍ3),不用土処分(ｍ3),埋戻し(ｍ3)")));
    EXPECT_TRUE(rows[1].startsWith(U("L型擁壁　Ａ通り,Ｌ型擁壁,16.25,7.30,8.95,")));
    EXPECT_TRUE(rows[7].startsWith(U("擁壁 延長なし,Ｌ型擁壁,,,")));
    EXPECT_TRUE(rows[8].startsWith(U("合計,,90.88,")));
    EXPECT_EQ(dialogs.messages().size(), 2);
}

TEST_F(SummaryTest, ExistingCsvIsReplacedOnlyOnOkAndFailuresAreReported) {
    OpenSample();
    TSummaryForm* summary = Shown();
    ASSERT_NE(summary, nullptr);
    WriteFile(U("old.csv"), "keep");
    dialogs.fileAnswers = {Path(U("old.csv")), Path(U("old.csv")), Path(U("no such folder/x.csv"))};
    dialogs.questionAnswers = {false, true};
    summary->Button1Click();
    EXPECT_EQ(ReadFile(U("old.csv")), QByteArray("keep"));
    summary->Button1Click();
    EXPECT_TRUE(ReadFile(U("old.csv"))
                    .startsWith(QByteArray::fromStdString(yoheki::cp932::Encode("拾い名称,"))));
    dialogs.clear();
    summary->Button1Click();
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].contains(U("保存できませんでした")));
}

// A CSV kept in a shared folder and reached through a link: the shared file
// is updated with its permission bits, the link stays a link.
TEST_F(SummaryTest, CsvThroughALinkUpdatesTheSharedFileAndKeepsTheLink) {
    OpenSample();
    TSummaryForm* summary = Shown();
    ASSERT_NE(summary, nullptr);
    ASSERT_TRUE(QDir().mkpath(Path(U("共有"))));
    WriteFile(U("共有/集計.csv"), "old");
    ASSERT_TRUE(QFile::setPermissions(Path(U("共有/集計.csv")),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                          QFile::WriteGroup));
    ASSERT_TRUE(QFile::link(U("共有/集計.csv"), Path(U("私の集計.csv"))));
    dialogs.fileAnswers = {Path(U("私の集計.csv"))};
    dialogs.questionAnswers = {true};
    summary->Button1Click();
    EXPECT_TRUE(QFileInfo(Path(U("私の集計.csv"))).isSymLink());
    EXPECT_TRUE(ReadFile(U("共有/集計.csv"))
                    .startsWith(QByteArray::fromStdString(yoheki::cp932::Encode("拾い名称,"))));
    const auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
    EXPECT_EQ(QFile::permissions(Path(U("共有/集計.csv"))) & others,
              QFile::ReadGroup | QFile::WriteGroup);
    EXPECT_EQ(QDir(Path(U("共有"))).entryList(QDir::Files | QDir::Hidden),
              QStringList{U("集計.csv")});
}

TEST_F(SummaryTest, CopyPutsTheSelectionOnTheClipboardAsTabSeparatedRows) {
    OpenSample();
    TSummaryForm* summary = Shown();
    ASSERT_NE(summary, nullptr);
    summary->Grid1->setRangeSelected(QTableWidgetSelectionRange(0, 0, 1, 2), true);
    QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
    QApplication::sendEvent(summary->Grid1, &copy);
    EXPECT_EQ(QApplication::clipboard()->text(),
              U("拾い名称\t構造\t根切量 (ｍ3)\n"
                "L型擁壁　Ａ通り\tＬ型擁壁\t16.25\nL型擁壁　Ｂ通り\tＬ型擁壁\t18.92\n"));
}

// Readable: no header or number is cut off. The picture goes to
// YOHEKI_SCREENSHOT_DIR when that is set.
TEST_F(SummaryTest, EveryColumnShowsItsWholeText) {
    OpenSample();
    TSummaryForm* summary = Shown();
    ASSERT_NE(summary, nullptr);
    QApplication::processEvents();
    for (const QTableWidget* grid : {summary->Grid1, summary->Grid2}) {
        for (int c = 0; c < grid->columnCount(); ++c) {
            EXPECT_GE(grid->columnWidth(c), grid->horizontalHeader()->sectionSizeHint(c));
            for (int r = 0; r < grid->rowCount(); ++r) {
                const QTableWidgetItem* item = grid->item(r, c);
                if (!item || grid->columnSpan(r, c) > 1)
                    continue;
                const QFont font = item->data(Qt::FontRole).isValid() ? item->font() : grid->font();
                EXPECT_GT(grid->columnWidth(c), QFontMetrics(font).horizontalAdvance(item->text()))
                    << r << "," << c;
            }
        }
    }
    if (const QString dir = qEnvironmentVariable("YOHEKI_SCREENSHOT_DIR"); !dir.isEmpty()) {
        summary->resize(summary->ContentSize()); // as on a screen wider than the test's
        EXPECT_TRUE(summary->grab().save(QDir(dir).filePath(QStringLiteral("summary-window.png"))));
    }
}

TEST_F(SummaryTest, ProjectWithoutItemsHasNothingToSum) {
    WriteText(U("empty.Fa1"), "");
    Open(U("empty.Fa1"));
    EXPECT_EQ(Shown(), nullptr);
    EXPECT_EQ(dialogs.messages(), QStringList{U("集計する拾いがありません")});
}

// ---------------------------------------------------------------- the table

engine::Quantities Wall(std::int64_t backfill) {
    engine::Quantities q;
    q.excavation = 1000;
    q.backfill = backfill;
    return q;
}

TEST(SummaryWindow, NegativeQuantityIsRedWithTheReason) {
    yoheki::ScriptedDialogs dialogs;
    TSummaryForm window(dialogs);
    window.SetTable(summary::Summarize({{U("Ａ"), engine::StructureMode::Wall, Wall(-15), {}},
                                        {U("Ｂ"), engine::StructureMode::Wall, Wall(5), {}}}),
                    QStringLiteral("/x/p.Fa1"));
    const int backfill = 2 + 2; // after the name, the kind, excavation and disposal
    const QTableWidgetItem* negative = window.Grid1->item(0, backfill);
    const QTableWidgetItem* positive = window.Grid1->item(1, backfill);
    const QTableWidgetItem* total = window.Grid1->item(2, backfill);
    EXPECT_EQ(negative->text(), QStringLiteral("-0.15"));
    EXPECT_EQ(negative->foreground().color(), QColor(200, 0, 0));
    EXPECT_TRUE(negative->toolTip().contains(U("根切量より不用土処分が多い")));
    EXPECT_NE(positive->foreground().color(), QColor(200, 0, 0));
    EXPECT_TRUE(positive->toolTip().isEmpty());
    EXPECT_EQ(total->text(), QStringLiteral("-0.10"));
    EXPECT_EQ(total->foreground().color(), QColor(200, 0, 0));
}

} // namespace
