// Start-up with its argument, the first and later activations, and closing.
#include "TakeoffFixture.h"
#include "Utf8.h"

namespace {

class LifecycleTest : public TakeoffFixture {
  protected:
    void Record(const QString& project) {
        yoheki::IniFile ini("Qrtt.dat");
        ini.WriteString("出力ファイル名", "DL", project.toStdString());
        ini.UpdateFile();
    }
};

class TestModeStart : public LifecycleTest {
    QStringList Args() const override { return {"QKXW", "ignored"}; }
};

TEST_F(TestModeStart, ShowsTheEditFilePrintEntry) {
    EXPECT_TRUE(form->N30->isVisible());
    EXPECT_TRUE(form->FileE1->isVisible());
    EXPECT_TRUE(dialogs.records.isEmpty());
}

class ForeignArgumentStart : public LifecycleTest {
    QStringList Args() const override { return {"qkxw"}; }
};

TEST_F(ForeignArgumentStart, EndsTheProgramWithTheMessage) {
    EXPECT_EQ(dialogs.messages(),
              QStringList{U("現在パラメータは使用しませんのでやり直して下さい :-P")});
    EXPECT_TRUE(form->terminated);
}

TEST_F(LifecycleTest, ARecordedProjectOpensWithoutADialog) {
    WriteText("p.Fa1", "[X]\n延長さ=1234\n\n[Y]\n\n");
    Record(Path("p.Fa1"));
    form->FormActivate();
    EXPECT_TRUE(dialogs.fileRequests.isEmpty());
    EXPECT_EQ(form->ComboBox1->currentText(), "X");
    EXPECT_EQ(form->REdit1->text(), "1234");
    EXPECT_EQ(form->windowTitle(), U("擁壁数量調書：p"));
    EXPECT_FALSE(form->Button3->isHidden());
}

TEST_F(LifecycleTest, NoRecordedProjectAsksForOne) {
    dialogs.fileAnswers << Path("neu");
    form->FormActivate();
    ASSERT_EQ(dialogs.fileRequests.size(), 1);
    EXPECT_EQ(dialogs.fileRequests[0].title, U("物件の選択《表示拡張子以外は【不許可】》"));
    EXPECT_EQ(dialogs.fileRequests[0].initialDir, dir.path());
    EXPECT_TRUE(QFileInfo::exists(Path("neu.Fa1")));
    EXPECT_EQ(form->windowTitle(), U("擁壁数量調書：neu"));
}

TEST_F(LifecycleTest, AProjectThatIsGoneAsksAndCancellingEnds) {
    Record(Path("gone.Fa1"));
    form->FormActivate();
    EXPECT_EQ(dialogs.fileRequests.size(), 1);
    EXPECT_EQ(dialogs.messages().value(0), U("終了させて頂きます"));
    EXPECT_TRUE(form->terminated);
}

TEST_F(LifecycleTest, ALaterActivationReloadsTheItemOnScreenUnderItsName) {
    WriteText("p.Fa1", "[X]\n延長さ=1234\n\n[Y]\n\n");
    Record(Path("p.Fa1"));
    form->FormActivate();
    form->REdit1->setText("1");
    form->ComboBox1->setEditText("junk");
    form->FormActivate();
    EXPECT_EQ(form->ComboBox1->currentText(), "X");
    EXPECT_EQ(form->REdit1->text(), "1234");
    EXPECT_FALSE(Ini("p.Fa1").SectionExists("junk"));
}

TEST_F(LifecycleTest, ClosingSavesTheItemAndResetsTheDefaults) {
    WriteText("p.Fa1", "[X]\n延長さ=1234\n\n");
    Record(Path("p.Fa1"));
    form->FormActivate();
    {
        yoheki::IniFile ini("Qrtt.dat");
        ini.WriteInteger("Default", "Ne", 3);
        ini.WriteInteger("Default", "Nn", 1);
        ini.UpdateFile();
    }
    form->REdit1->setText("4321");
    form->close();
    EXPECT_TRUE(form->terminated);
    EXPECT_EQ(Value("p.Fa1", "X", "延長さ"), "4321");
    const yoheki::IniFile settings = Ini("Qrtt.dat");
    const std::pair<const char*, int> factory[] = {{"Ne", 1}, {"Ad", 1}, {"Nn", 2},
                                                   {"Sr", 1}, {"Sh", 1}, {"Ps", 1}};
    for (const auto& [key, value] : factory)
        EXPECT_EQ(settings.ReadInteger("Default", key, -1), value) << key;
}

} // namespace
