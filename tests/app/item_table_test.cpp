// Many items at once, through the window: the item table (拾い一覧) and its
// edits, block paste and copy, sorting; copying, renaming, moving and
// deleting items; the count, group and remark fields and the summary they
// multiply; a new item made after the one on screen.
#include "ItemCells.h"
#include "ItemTable.h"
#include "ItemTexts.h"
#include "LivePane.h"
#include "SummaryForm.h"
#include "TakeoffFixture.h"
#include "Utf8.h"

#include <QApplication>
#include <QClipboard>
#include <QSortFilterProxyModel>
#include <QStatusBar>
#include <QTableView>

namespace {

using namespace itemkey;
// Five walls, 1000 mm long, with heights the pane can calculate.
std::string FiveWalls() {
    std::string text;
    for (const char* name : {"W1", "W2", "W3", "W4", "W5"})
        text += std::string("[") + name +
                "]\n延長さ=1000\n仕上高表=600\n仕上高裏=600\n根入長=300\n均しｺﾝ=50\n砕石=100\n"
                "ﾍﾞｰｽ幅=800\n幅=150\nﾍﾞｰｽ厚=200\n歩掛=70\n\n";
    return text;
}

class ItemTableTest : public TakeoffFixture {
  protected:
    void OpenWalls() {
        WriteText("p.Fa1", FiveWalls());
        Open("p.Fa1");
    }
    ItemTableModel& Model() { return *form->Items->Model(); }
    int Col(const char* header) {
        const auto& columns = takeoff::cells::Columns();
        for (std::size_t c = 0; c < columns.size(); ++c)
            if (std::string(columns[c].header) == header)
                return static_cast<int>(c);
        throw std::runtime_error(header);
    }
    QString Cell(int row, const char* header) {
        return Model().index(row, Col(header)).data().toString();
    }
    QStringList Sections() { return Items(); }
};

TEST_F(ItemTableTest, RowsFollowTheFormAndChoosingARowShowsItsItem) {
    OpenWalls();
    ASSERT_EQ(Model().rowCount(), 5);
    EXPECT_EQ(Cell(2, "延べ長さ"), "1000");
    EXPECT_EQ(Cell(2, "構造"), U("Ｌ型擁壁"));
    const QString rc = Cell(0, "ＲＣ全量");
    EXPECT_FALSE(rc.isEmpty());
    form->REdit1->setText("2000"); // the screen item, W1
    form->Live->Refresh();
    EXPECT_EQ(Cell(0, "延べ長さ"), "2000");
    EXPECT_NEAR(Cell(0, "ＲＣ全量").toDouble(), 2 * rc.toDouble(), 0.015);
    QTableView* view = form->Items->View();
    view->setCurrentIndex(view->model()->index(3, Col("砕石")));
    EXPECT_EQ(form->ComboBox1->currentText(), "W4");
    EXPECT_EQ(Value("p.Fa1", "W1", kRunLength), "2000"); // saved on the switch
    // Sorting changes the view, never the file.
    const QByteArray before = ReadFile("p.Fa1");
    view->sortByColumn(0, Qt::DescendingOrder);
    EXPECT_EQ(view->model()->index(0, 0).data().toString(), "W5");
    EXPECT_EQ(ReadFile("p.Fa1"), before);
}

TEST_F(ItemTableTest, CellsTakeTheFormsRulesAndSimpleArithmetic) {
    OpenWalls();
    const int len = Col("延べ長さ");
    const std::pair<const char*, const char*> good[] = {
        {"=3000+4500", "7500"}, {"=1200*2", "2400"}, {"１２３４", "1230"}, {"=(1000-5)/2", "500"}};
    for (const auto& [typed, stored] : good) {
        EXPECT_TRUE(Model().setData(Model().index(2, len), U(typed), Qt::EditRole)) << typed;
        EXPECT_EQ(Value("p.Fa1", "W3", kRunLength), stored) << typed;
    }
    const QByteArray before = ReadFile("p.Fa1");
    for (const char* bad : {"abc", "=1/0", "=1+", "=99999999999*99999999999", "-5", "12a"}) {
        dialogs.clear();
        EXPECT_FALSE(Model().setData(Model().index(2, len), U(bad), Qt::EditRole)) << bad;
        EXPECT_EQ(dialogs.messages().size(), 1) << bad;
    }
    for (const char* bad : {"0", "-1", "x", "10001"}) {
        dialogs.clear();
        EXPECT_FALSE(Model().setData(Model().index(2, Col("箇所数")), U(bad), Qt::EditRole));
        EXPECT_TRUE(dialogs.messages().value(0).contains(U("箇所数"))) << bad;
    }
    EXPECT_EQ(ReadFile("p.Fa1"), before);
}

TEST_F(ItemTableTest, ABlockFromASpreadsheetFillsFiveRowsAndThreeColumns) {
    OpenWalls();
    const int first = Col("延べ長さ");
    QString block;
    for (int r = 1; r <= 5; ++r)
        block += QStringLiteral("%1\t%2\t%3\r\n").arg(r * 1000).arg(r * 100 + 500).arg(r * 100 + 600);
    std::vector<int> order{0, 1, 2, 3, 4};
    EXPECT_EQ(Model().Paste(0, first, block, order), QString());
    for (int r = 0; r < 5; ++r) {
        const std::string name = "W" + std::to_string(r + 1);
        EXPECT_EQ(Value("p.Fa1", name.c_str(), kRunLength), std::to_string((r + 1) * 1000));
        EXPECT_EQ(Value("p.Fa1", name.c_str(), kBackHeight), std::to_string((r + 1) * 100 + 600));
    }
    EXPECT_EQ(form->REdit3->text(), "700"); // the item on screen took its row
    EXPECT_EQ(Cell(4, "仕上げ高[表]"), "1000");
    // Too large, or text in a number column: refused whole.
    const QByteArray before = ReadFile("p.Fa1");
    EXPECT_TRUE(Model().Paste(3, first, block, order).contains(U("はみ出します")));
    EXPECT_TRUE(Model().Paste(0, first, "1\t2\n3\tabc\n", order).contains(U("2行目")));
    EXPECT_EQ(ReadFile("p.Fa1"), before);
    // Copied back as a spreadsheet reads it.
    QTableView* view = form->Items->View();
    view->selectionModel()->select(
        QItemSelection(view->model()->index(0, first), view->model()->index(1, first + 1)),
        QItemSelectionModel::ClearAndSelect);
    form->Items->CopySelection();
    EXPECT_EQ(QApplication::clipboard()->text(), "1000\t600\r\n2000\t700\r\n");
}

TEST_F(ItemTableTest, RenameMoveCopyAndDeleteKeepTheFileWhole) {
    OpenWalls();
    SaveItem(*form, "W1", form->CurrentProject); // what every rename saves first
    const QByteArray before = ReadFile("p.Fa1");
    // Rename from the name box: only the header changes.
    form->ComboBox1->setEditText(U("Ａ通り１"));
    form->NameEntered();
    QByteArray expected = before;
    expected.replace("[W1]", QByteArray::fromStdString(yoheki::cp932::Encode("[Ａ通り１]")));
    EXPECT_EQ(ReadFile("p.Fa1"), expected);
    EXPECT_EQ(form->ComboBox1->currentText(), U("Ａ通り１"));
    form->ComboBox1->setEditText("w2"); // another item's name in another case
    form->NameEntered();
    EXPECT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(ReadFile("p.Fa1"), expected);
    // Moving: the first item up is refused in the status bar; Alt+Down moves.
    form->MoveUp1->trigger();
    EXPECT_EQ(ReadFile("p.Fa1"), expected);
    EXPECT_FALSE(form->statusBar()->currentMessage().isEmpty());
    form->MoveDown1->trigger();
    EXPECT_EQ(Sections(), (QStringList{"W2", U("Ａ通り１"), "W3", "W4", "W5"}));
    EXPECT_EQ(Ini("p.Fa1").ReadSections(),
              (std::vector<std::string>{"W2", "Ａ通り１", "W3", "W4", "W5"}));
    EXPECT_EQ(ReadFile("p.Fa1").size(), expected.size());
    // Copy: "名前 (2)" right after, on screen.
    DuplicateItems(*form, {"W3"});
    EXPECT_EQ(Sections()[3], "W3 (2)");
    EXPECT_EQ(form->ComboBox1->currentText(), "W3 (2)");
    EXPECT_EQ(Value("p.Fa1", "W3 (2)", kRunLength), "1000");
    // Deleting several names them; all of them cannot go.
    dialogs.clear();
    dialogs.questionAnswers << true;
    DeleteItems(*form, {"W3", "W3 (2)"});
    EXPECT_TRUE(dialogs.texts().value(0).contains(U("【W3 (2)】")));
    EXPECT_EQ(Sections(), (QStringList{"W2", U("Ａ通り１"), "W4", "W5"}));
    EXPECT_EQ(form->ComboBox1->currentText(), "W2");
    DeleteItems(*form, Sections());
    EXPECT_EQ(Sections().size(), 4);
    EXPECT_EQ(form->Items->Model()->rowCount(), 4);
}

TEST_F(ItemTableTest, CountsMultiplyTheSummaryAndGroupsSubtotalIt) {
    OpenWalls();
    form->S4Click();
    auto* summary = form->findChild<TSummaryForm*>();
    ASSERT_NE(summary, nullptr);
    const std::int64_t one = summary->Table().items[0].quantities->rcTotal;
    const std::int64_t total = summary->Table().totals[5];
    EXPECT_FALSE(summary->Table().counted);
    form->D1Click();
    const QStringList statement = form2->Lines();
    form->CountEdit->setText("8");
    form->GroupEdit->setText(U("Ａ通り"));
    form->RemarkEdit->setText(U("門扉脇"));
    form->S4Click();
    const summary::Table& t = summary->Table();
    EXPECT_TRUE(t.counted);
    EXPECT_EQ(t.items[0].quantities->rcTotal, 8 * one);
    EXPECT_EQ(t.totals[5], total + 7 * one);
    ASSERT_EQ(t.groups.size(), 2u);
    EXPECT_EQ(t.groups[0].name, U("Ａ通り"));
    EXPECT_EQ(t.groups[0].totals[5], 8 * one);
    EXPECT_TRUE(summary::CsvText(t).contains(U("門扉脇")));
    // The statement stays that of one piece.
    form->D1Click();
    EXPECT_EQ(form2->Lines(), statement);
    // A count that is no count is refused, and the one before stays.
    dialogs.clear();
    form->CountEdit->setText("0");
    form->CountEntered();
    EXPECT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(form->CountEdit->text(), "8");
    Choose("W2");
    EXPECT_EQ(Value("p.Fa1", "W1", kCount), "8");
    EXPECT_EQ(Value("p.Fa1", "W2", kCount), "<missing>");
}

TEST_F(ItemTableTest, ANewItemTakesTheKindConditionsAndFinishesButNoDimensions) {
    WriteText("p.Fa1", "[P1]\n延長さ=2000\n仕上高表=300\n表面仕上=磁器タイル張\n根切要項=3\n"
                       "簡易山止=2\nベース=1\n\n");
    Open("p.Fa1");
    dialogs.inputAnswers << U("P2");
    form->Button4Click();
    EXPECT_EQ(form->ComboBox1->currentText(), "P2");
    EXPECT_TRUE(form->B1->isChecked());
    EXPECT_TRUE(form->N6061->isChecked());
    EXPECT_TRUE(form->H1->isChecked());
    EXPECT_EQ(form->ComboBox2->currentText(), U("磁器タイル張"));
    EXPECT_EQ(form->REdit1->text(), "");
    EXPECT_EQ(Value("p.Fa1", "P2", kRunLength), "");
    EXPECT_EQ(form->Items->Model()->rowCount(), 2);
}

} // namespace
