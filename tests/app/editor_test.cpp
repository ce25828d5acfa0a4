// Opening the standard-finish editor from the main window and coming back.
#include "AppFixture.h"
#include "Cp932.h"

#include <QLineEdit>
#include <QListWidget>

namespace {

const char* const kSections[] = {"表面仕上", "裏面仕上", "天端仕上"};

QByteArray Cp932(const std::string& text) {
    return QByteArray::fromStdString(yoheki::cp932::Encode(text));
}

class EditorLinkTest : public AppFixture {
  protected:
    // Ten finishes per kind, the fourth back finish as given, and a project
    // with one item recorded, so that activation asks for nothing.
    QByteArray Settings(const std::string& backFourth) const {
        std::string text;
        for (int k = 0; k < 3; ++k) {
            text += std::string("[") + kSections[k] + "]\r\n";
            for (int n = 1; n <= 10; ++n)
                text += "LSF" + std::to_string(n) + "=" +
                        (k == 1 && n == 4 ? backFourth : kSections[k] + std::to_string(n)) + "\r\n";
            text += "\r\n";
        }
        text += "[出力ファイル名]\r\nDL=" + Path("現場.Fa1").toStdString() +
                "\r\nTF=" + dir.path().toStdString() + "\r\n\r\n";
        return Cp932(text);
    }
    void Start() {
        WriteFile("Qrtt.dat", Settings("防水モルタル"));
        WriteFile("現場.Fa1", Cp932("[擁壁A]\r\n延長さ=10000\r\n\r\n"));
        form->show();
        form->FormActivate();
    }
};

} // namespace

TEST_F(EditorLinkTest, RegisteredBackFinishReachesTheMainWindowsList) {
    Start();
    ASSERT_EQ(form->ComboBox3->count(), 10);
    EXPECT_EQ(form->ComboBox3->itemText(3), "防水モルタル");
    form->E1Click();
    EXPECT_TRUE(liMenu->isVisible());
    EXPECT_TRUE(form->isVisible()); // in sight behind the editor, closed to input
    EXPECT_EQ(liMenu->windowModality(), Qt::ApplicationModal);
    EXPECT_LE((liMenu->frameGeometry().center() - form->frameGeometry().center()).manhattanLength(),
              8);
    liMenu->ListBox2->setCurrentRow(2);
    EXPECT_EQ(liMenu->focusWidget(), liMenu->Edit1);

    liMenu->ListBox2->setCurrentRow(3);
    liMenu->Edit1->setText("アスファルト防水");
    liMenu->Edit1KeyPress(QChar(13)); // the question is answered OK
    liMenu->S1->trigger();

    EXPECT_EQ(ReadFile("Qrtt.dat"), Settings("アスファルト防水"));
    EXPECT_EQ(form->ComboBox3->itemText(3), "アスファルト防水");
    for (TComboBox* combo : {form->ComboBox2, form->ComboBox3, form->ComboBox4})
        EXPECT_EQ(combo->count(), 10);
    EXPECT_EQ(form->ComboBox2->itemText(3), QString(kSections[0]) + "4");
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(liMenu->isVisible());
}

TEST_F(EditorLinkTest, ItemOnScreenComesBackWithTheValuesItHad) {
    Start();
    ASSERT_EQ(form->ComboBox1->currentText(), "擁壁A");
    form->REdit1->setText("15000"); // typed, not yet stored
    form->E1Click();
    EXPECT_TRUE(ReadFile("現場.Fa1").contains(Cp932("延長さ=15000")));
    liMenu->Q1->trigger();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->ComboBox1->currentText(), "擁壁A");
    EXPECT_EQ(form->REdit1->text(), "15000");
}

TEST_F(EditorLinkTest, ItemThatCannotBeStoredKeepsTheEditorShut) {
    Start();
    form->REdit1->setText("길이"); // no CP932 code: the save fails
    form->E1Click();
    EXPECT_EQ(dialogs.messages().size(), 1);
    EXPECT_FALSE(liMenu->isVisible());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->REdit1->text(), "길이");
}
