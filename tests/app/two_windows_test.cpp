// Two windows with one project open, as two estimators on a shared folder
// have it: nothing one saves is undone by the other, a field both changed is
// asked about, and the second is told who has the project open. Also run on
// a real X server (Xvfb) by the test "two_windows_xvfb".
#include "ItemTexts.h"
#include "TakeoffFixture.h"
#include "Utf8.h"

#include <QGuiApplication>

namespace {

using namespace itemkey;
class TwoWindows : public TakeoffFixture {
  protected:
    void SetUp() override {
        TakeoffFixture::SetUp();
        other = std::make_unique<TForm1>(otherDialogs, QStringList{});
        otherForm2 = std::make_unique<TForm2>();
        otherMenu = std::make_unique<TLI_Menu>(otherDialogs);
        other->Attach(otherForm2.get(), otherMenu.get());
        other->SettingsDir = dir.path();
        OpenBoth();
        form->show();
        other->show();
        // The Xvfb run must not quietly fall back to the offscreen platform.
        if (qEnvironmentVariableIsSet("YOHEKI_EXPECT_PLATFORM")) {
            ASSERT_EQ(QGuiApplication::platformName(),
                      qEnvironmentVariable("YOHEKI_EXPECT_PLATFORM"));
        }
    }
    void OpenBoth() {
        WriteText("p.Fa1", "[Ａ通り]\n延長さ=10000\n仕上高表=1200\n\n[B]\n延長さ=2\n\n");
        Open("p.Fa1");
        otherDialogs.clear();
        otherDialogs.choiceAnswers = {1}; // open it for editing too
        OpenProject(*other, Path("p.Fa1"));
    }
    void TearDown() override {
        otherMenu.reset();
        otherForm2.reset();
        other.reset();
        TakeoffFixture::TearDown();
    }
    static void ChooseIn(TForm1& f, const QString& name) {
        f.ComboBox1DropDown();
        f.ComboBox1->setCurrentIndex(f.ComboBox1->findText(name));
        f.ComboBox1Change();
    }

    yoheki::ScriptedDialogs otherDialogs;
    std::unique_ptr<TForm1> other;
    std::unique_ptr<TForm2> otherForm2;
    std::unique_ptr<TLI_Menu> otherMenu;
};

TEST_F(TwoWindows, TheSecondIsToldWhoHasTheProjectOpen) {
    ASSERT_EQ(otherDialogs.records.size(), 1);
    const QString asked = otherDialogs.records.front().text;
    EXPECT_EQ(otherDialogs.records.front().kind, "choose");
    EXPECT_TRUE(asked.startsWith(U("物件【p】は【"))) << asked.toStdString();
    EXPECT_TRUE(asked.contains(U("読み取り専用で開きますか？")));
    EXPECT_TRUE(QFile::exists(Path(".~lock.p.Fa1#")));
    // Read-only: its edits never reach the file.
    OpenProject(*other, Path("p.Fa1")); // unscripted: the first button, read-only
    other->REdit1->setText("999");
    ChooseIn(*other, "B");
    EXPECT_EQ(Value("p.Fa1", "Ａ通り", kRunLength), "10000");
    // Closing the first window takes its note away.
    form->close();
    EXPECT_FALSE(QFile::exists(Path(".~lock.p.Fa1#")));
}

TEST_F(TwoWindows, AnUntouchedItemInTheOtherWindowDoesNotUndoASave) {
    form->REdit1->setText("11110");
    ChooseIn(*form, "B");
    ChooseIn(*other, "B"); // the other still shows Ａ通り as loaded
    EXPECT_EQ(Value("p.Fa1", "Ａ通り", kRunLength), "11110");
    other->close();
    EXPECT_EQ(Value("p.Fa1", "Ａ通り", kRunLength), "11110");
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_TRUE(otherDialogs.messages().isEmpty());
}

TEST_F(TwoWindows, ANameTheOtherWindowAddedIsRefusedWithTheExistingNameMessage) {
    dialogs.inputAnswers = {U("NEWD")};
    form->Button4Click();
    form->REdit1->setText("7770");
    ChooseIn(*form, "B");
    otherDialogs.inputAnswers = {U("NEWD")};
    other->Button4Click();
    EXPECT_EQ(otherDialogs.messages(), QStringList{U("拾い【NEWD】は既にあります")});
    EXPECT_EQ(other->ComboBox1->count(), 2);
    EXPECT_EQ(other->ComboBox1->currentText(), U("Ａ通り"));
    EXPECT_EQ(Value("p.Fa1", "NEWD", kRunLength), "7770");
}

TEST_F(TwoWindows, AFieldBothChangedAsksWhichToKeep) {
    struct Case {
        int answer; // 0 this window's value, 1 the saved one, 2 cancel
        const char* kept;
        const char* onScreen; // the item the other window shows afterwards
    };
    for (const Case c : {Case{0, "33330", "B"}, Case{1, "11110", "B"}, Case{2, "11110", "Ａ通り"}}) {
        OpenBoth();
        form->REdit1->setText("11110");
        ChooseIn(*form, "B");
        other->REdit1->setText("33330");
        other->REdit2->setText("1300");
        otherDialogs.clear();
        otherDialogs.choiceAnswers = {c.answer};
        ChooseIn(*other, "B");
        ASSERT_EQ(otherDialogs.records.size(), 1);
        EXPECT_TRUE(otherDialogs.records.front().text.contains(
            U("】は、この画面に読み込んだ後に他のウィンドウまたは他のプログラムで保存されています"
              "\n\r両方で変更された項目：延長さ\n\r")))
            << otherDialogs.records.front().text.toStdString();
        EXPECT_TRUE(otherDialogs.records.front().text.startsWith(U("拾い【Ａ通り】")));
        EXPECT_EQ(Value("p.Fa1", "Ａ通り", kRunLength), c.kept);
        EXPECT_EQ(Value("p.Fa1", "Ａ通り", kFrontHeight), c.answer == 2 ? "1200" : "1300");
        EXPECT_EQ(other->ComboBox1->currentText(), U(c.onScreen));
    }
}

TEST_F(TwoWindows, ClosingAfterAFailedSaveOffersToStay) {
    form->REdit1->setText("4444");
    form->ComboBox2->setEditText(U("\U0001F600")); // no CP932 for it: the save fails
    dialogs.questionAnswers = {false};
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->REdit1->text(), "4444");
    ASSERT_EQ(dialogs.records.size(), 2);
    EXPECT_EQ(dialogs.records[1].text,
              U("拾い【Ａ通り】の変更は保存されていません\n\r保存せずに終了しますか？"
                "（キャンセルで画面に戻ります）"));
    dialogs.questionAnswers = {true};
    EXPECT_TRUE(form->close());
    EXPECT_EQ(Value("p.Fa1", "Ａ通り", kRunLength), "10000");
}

} // namespace
