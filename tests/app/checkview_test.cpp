// The checks on the main window after "演算実行": a count in the status bar
// that opens the list, nothing for a clean item, and the run's statement,
// messages, text output and project file exactly as without them.
#include "Calc.h"
#include "CheckView.h"
#include "TakeoffFixture.h"
#include "Utf8.h"

#include <QDir>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>

namespace {

// A wall whose front stands 1500 above its back with the embedment
// difference counted: the excavation and the backfill come out negative, and
// the base width 1495 is rounded to 1500.
#define kFinishes "表面仕上=打放補修\n裏面仕上=打放補修\n天端仕上=打放補修\n"
const char* const kProject =
    "[高い表面]\n延長さ=10000\n仕上高表=2000\n仕上高裏=500\n根入長=500\n均しｺﾝ=50\n"
    "砕石=100\nﾍﾞｰｽ幅=1495\n幅=200\nﾍﾞｰｽ厚=300\n根切要項=1\n根入差=1\n簡易山止=1\n" kFinishes "\n"
    "[普通]\n延長さ=10000\n仕上高表=1200\n仕上高裏=1200\n根入長=500\n均しｺﾝ=50\n"
    "砕石=100\nﾍﾞｰｽ幅=1500\n幅=200\nﾍﾞｰｽ厚=300\n根切要項=1\n簡易山止=1\n" kFinishes "\n";

class CheckViewTest : public TakeoffFixture {
  protected:
    // What the engine alone gives for the screen: lines and messages.
    std::pair<QStringList, QStringList> EngineRun() {
        QStringList lines, messages;
        const auto out = engine::Calculate(form->TakeSnapshot(), [&](const std::string& m) {
            messages << QString::fromStdString(m);
        });
        if (out)
            for (const std::string& l : out->lines)
                lines << QString::fromStdString(l);
        return {lines, messages};
    }
};

TEST_F(CheckViewTest, FindingsAreCountedAndListedWithoutTouchingTheRun) {
    WriteText("p.Fa1", kProject);
    const QByteArray project = ReadFile("p.Fa1");
    Open("p.Fa1");
    Choose(U("高い表面"));
    dialogs.clear();
    const auto [lines, messages] = EngineRun();
    form->D1Click();
    EXPECT_EQ(form2->Lines(), lines);
    EXPECT_EQ(dialogs.texts(), messages);
    EXPECT_EQ(ReadFile("p.Fa1"), project);

    QPushButton* count = checkview::CountButton(*form);
    ASSERT_NE(count, nullptr);
    EXPECT_TRUE(count->isVisibleTo(form.get()));
    EXPECT_TRUE(count->text().contains(U("エラー"))) << count->text().toStdString();
    EXPECT_TRUE(count->text().contains(U("注意 1件"))) << count->text().toStdString();
    count->click();
    TCheckList* list = checkview::ListWindow(*form);
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(list->isModal());
    QStringList quantities;
    for (int r = 0; r < list->List1->topLevelItemCount(); ++r)
        quantities << list->List1->topLevelItem(r)->text(1);
    EXPECT_TRUE(quantities.contains(U("根切量")));
    EXPECT_TRUE(quantities.contains(U("埋戻し")));
    EXPECT_EQ(quantities.last(), U("ﾍﾞｰｽ幅"));
    // The pictures go to YOHEKI_SCREENSHOT_DIR when that is set.
    if (const QString shots = qEnvironmentVariable("YOHEKI_SCREENSHOT_DIR"); !shots.isEmpty()) {
        EXPECT_TRUE(form->grab().save(QDir(shots).filePath(QStringLiteral("check-count.png"))));
        EXPECT_TRUE(list->grab().save(QDir(shots).filePath(QStringLiteral("check-list.png"))));
    }

    // The text output writes what it wrote before the checks existed.
    dialogs.fileAnswers << Path("out.txt");
    form->T1Click();
    EXPECT_EQ(ReadFile("out.txt"), EncodeTextOutput(SingleOutputLines(lines) << ClosingLine()));
}

TEST_F(CheckViewTest, ACleanItemShowsNothingAndClearsTheLastCount) {
    WriteText("p.Fa1", kProject);
    Open("p.Fa1");
    Choose(U("普通"));
    form->D1Click();
    EXPECT_EQ(checkview::CountButton(*form), nullptr);
    // The status bar is there from the start, so a count appearing later
    // does not move the form; it shows no count.
    ASSERT_NE(form->findChild<QStatusBar*>(), nullptr);
    EXPECT_TRUE(form->findChild<QStatusBar*>()->isVisibleTo(form.get()));

    Choose(U("高い表面"));
    form->D1Click();
    ASSERT_NE(checkview::CountButton(*form), nullptr);
    EXPECT_TRUE(checkview::CountButton(*form)->isVisibleTo(form.get()));
    // Another item on screen: the count was not about it.
    Choose(U("普通"));
    EXPECT_FALSE(checkview::CountButton(*form)->isVisibleTo(form.get()));
    Choose(U("高い表面"));
    form->D1Click();
    form->REdit1->setText("0"); // the run stops on the length
    form->D1Click();
    EXPECT_FALSE(checkview::CountButton(*form)->isVisibleTo(form.get()));
}

} // namespace
