// What is written is what the screen shows: single-item outputs run first
// when the screen changed, the check count follows the screen, numeric
// fields take full-width digits, no fields without an item, one box per
// message, bars by rate and nameless finishes in the summary.
#include "CLF.h"
#include "CheckView.h"
#include "LivePane.h"
#include "Lines.h"
#include "SummaryForm.h"
#include "TakeoffFixture.h"
#include "Utf8.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QPushButton>

namespace {

const char* const kItems =
    "[溝]\n延長さ=10000\n根入長=450\n均しｺﾝ=50\n砕石=100\nﾍﾞｰｽ幅=700\n幅=100\nﾍﾞｰｽ厚=100\n"
    "根切要項=1\nＵ字溝=1\n\n[壁]\n延長さ=12000\n仕上高表=1200\n仕上高裏=1200\n根入長=500\n"
    "均しｺﾝ=50\n砕石=100\nﾍﾞｰｽ幅=1500\n幅=200\nﾍﾞｰｽ厚=300\n表面仕上=打放補修\n裏面仕上=打放補修\n"
    "天端仕上=打放補修\n根切要項=1\n\n";

class ScreenOutputs : public TakeoffFixture {
  protected:
    void SetUp() override {
        TakeoffFixture::SetUp();
        WriteText("p.Fa1", kItems);
        Open("p.Fa1");
    }
    // The statement the screen gives now, as the engine alone makes it.
    QStringList ScreenStatement() {
        const auto out = engine::Calculate(form->TakeSnapshot(), [](const std::string&) {});
        return out ? takeoff::QtLines(out->lines) : QStringList();
    }
    QByteArray Written() { return EncodeTextOutput(SingleOutputLines(ScreenStatement()) << ClosingLine()); }
    int Count(const char* text) { return dialogs.messages().filter(U(text)).size(); }
};

TEST_F(ScreenOutputs, SingleOutputsRunFirstWhenTheScreenDiffersFromTheLastRun) {
    QByteArray expected = Written(); // nothing was run yet
    dialogs.fileAnswers << Path("a.txt");
    form->T1Click();
    EXPECT_EQ(ReadFile("a.txt"), expected);
    EXPECT_EQ(Count("単位重量"), 1);
    form->REdit8->setText("400");
    form->D1Click();
    const QStringList stale = form2->Lines();
    form->REdit8->setText("100");
    ASSERT_NE(stale, ScreenStatement());
    expected = Written();
    dialogs.fileAnswers << Path("b.txt");
    form->T1Click();
    EXPECT_EQ(ReadFile("b.txt"), expected);
    EXPECT_EQ(Value("p.Fa1", "溝", "幅"), "100");
    form->D1Click(); // an unchanged screen is not run again
    dialogs.clear();
    dialogs.fileAnswers << Path("c.txt");
    form->T1Click();
    EXPECT_EQ(ReadFile("c.txt"), expected);
    EXPECT_EQ(Count("単位重量"), 0);

    QList<StatementPage> pages;
    form2->PageSink = [&pages](const StatementPage& page) { pages << page; };
    form2->PreviewSink = [&pages](const QList<StatementPage>& shown) { pages << shown; };
    for (void (TForm1::*output)() : {&TForm1::Print1Click, &TForm1::PrintPreview1Click}) {
        Choose(U("壁"));
        form->D1Click();
        form->REdit1->setText("14000");
        pages.clear();
        (form.get()->*output)();
        ASSERT_EQ(pages.size(), 1);
        EXPECT_EQ(pages[0].lines, ScreenStatement());
        EXPECT_TRUE(pages[0].lines.join(u'\n').contains(U("14.00")));
    }
    form->REdit1->setText("0"); // a run that stops prints nothing
    pages.clear();
    form->Print1Click();
    EXPECT_TRUE(pages.isEmpty());
}

TEST_F(ScreenOutputs, TheCheckCountFollowsTheScreenAndNamesWhatMakesTheSectionTooLow) {
    Choose(U("壁"));
    form->REdit4->setText("-100");
    form->D1Click();
    EXPECT_EQ(Count("無理な数字だと思いますが？ >> 裏面高さ"), 1);
    QPushButton* count = checkview::CountButton(*form);
    ASSERT_NE(count, nullptr);
    EXPECT_TRUE(count->text().contains(U("エラー 1件"))) << count->text().toStdString();
    form->Live->Refresh();
    EXPECT_TRUE(form->Live->Messages().join(u' ').contains(U("根入長 -100 ㎜")));
    for (const char* embedment : {"600", "-100"}) {
        form->REdit4->setText(embedment);
        form->Live->Refresh();
        EXPECT_EQ(count->isVisibleTo(form.get()), *embedment == '-');
    }
}

TEST_F(ScreenOutputs, FullWidthDigitsBecomeAsciiAsTypedOrPastedButNotWhenLoaded) {
    form->REdit1->clear();
    QInputMethodEvent typed;
    typed.setCommitString(U("１５０００"));
    QApplication::sendEvent(form->REdit1, &typed);
    EXPECT_EQ(form->REdit1->text(), "15000");
    QApplication::clipboard()->setText(U("－２０"));
    form->REdit4->clear();
    form->REdit4->paste();
    EXPECT_EQ(form->REdit4->text(), "-20");
    form->REdit5->setText(U("５０"));
    EXPECT_EQ(form->REdit5->text(), U("５０"));
}

TEST_F(ScreenOutputs, AnEmptyProjectHasNoFieldsToTypeInto) {
    WriteText("e.Fa1", "");
    Open("e.Fa1");
    ASSERT_EQ(form->ComboBox1->count(), 0);
    const QList<QWidget*> fields = {form->REdit1, form->REdit9, form->ComboBox2, form->CheckBox1};
    for (QWidget* w : fields)
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    dialogs.inputAnswers << U("新");
    form->Button4Click();
    for (QWidget* w : fields)
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
}

TEST_F(ScreenOutputs, ARepeatedMessageIsShownOnceNamingItsFieldsAndOutputsReportAtTheEnd) {
    dialogs.inputAnswers << U("新");
    form->Button4Click();
    dialogs.clear();
    form->D1Click();
    const QStringList mm = dialogs.messages().filter(U(yoheki::kMmMessage));
    ASSERT_EQ(mm.size(), 1) << dialogs.messages().join(u'|').toStdString();
    // The new item takes the kind of the one on screen; the fields it shows.
    EXPECT_TRUE(mm[0].endsWith(U("対象の欄：延べ長さ、根入長、均しｺﾝ、砕石、ﾍﾞｰｽ幅、幅(W)、ﾍﾞｰｽ(B)")))
        << mm[0].toStdString();
    // Both items say the fixed rate: one report after the output, item by item.
    form->Q1->setChecked(true);
    dialogs.clear();
    dialogs.fileAnswers << Path("all.txt");
    form->T1Click();
    ASSERT_EQ(dialogs.messages().size(), 1) << dialogs.messages().join(u'|').toStdString();
    EXPECT_TRUE(dialogs.messages()[0].contains(U("【溝】単位重量７０㎏／ｍ3で計算します(固定)\n\r【壁】")));
    form->Q1->setChecked(false);
    dialogs.clear();
    form2->PageSink = [](const StatementPage&) {};
    form->A2Click();
    EXPECT_EQ(dialogs.records.first().kind, U("printerSetup"));
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_EQ(dialogs.messages()[0].count(U("単位重量")), 2); // 溝 and 壁; 新 stops before
}

TEST_F(ScreenOutputs, BarsByRateHaveTheirOwnColumnAndANamelessFinishIsReported) {
    form->S4Click();
    const auto* summary = form->findChild<TSummaryForm*>();
    ASSERT_NE(summary, nullptr);
    const QTableWidget* grid = summary->Grid1;
    int d10 = -1, merged = -1;
    for (int c = 0; c < grid->columnCount(); ++c) {
        const QString head = grid->horizontalHeaderItem(c)->text();
        d10 = head.startsWith(U("異形鉄筋\nD10\n")) ? c : d10;
        merged = head.startsWith(U("異形鉄筋\nD10・D13\n合算")) ? c : merged;
    }
    ASSERT_GE(d10, 0);
    ASSERT_GE(merged, 0);
    ASSERT_EQ(grid->rowCount(), 3);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(grid->item(r, d10)->text(), "0.00");
        EXPECT_GT(grid->item(r, merged)->text().toDouble(), 0) << r;
    }
    EXPECT_FALSE(summary->Grid2->findItems(U("（仕上名なし）"), Qt::MatchExactly).isEmpty());
    EXPECT_TRUE(grid->item(0, grid->columnCount() - 1)->text().contains(
        U("［注意］Ｕ字側溝内仕上：拾い「溝」のＵ字側溝内仕上に仕上名がありません")));
}

} // namespace
