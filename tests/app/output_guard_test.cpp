// Outputs chosen in the window's file dialogs that would land on an input:
// the open project, the settings file or a drawing, under any spelling.
#include "OutputGuard.h"
#include "SummaryForm.h"
#include "TakeoffFixture.h"
#include "Utf8.h"

namespace {

class OutputGuardTest : public TakeoffFixture {
  protected:
    void SetUp() override {
        TakeoffFixture::SetUp();
        ASSERT_TRUE(CopyData(U("見本工事.Fa1")));
        Open(U("見本工事.Fa1"));
        project = ReadFile(U("見本工事.Fa1"));
        settings = ReadFile(U("Qrtt.dat"));
        drawing = ReadFile(U("擁壁１.bmp"));
    }
    // `name` in the working folder, a symbolic link to `target` there.
    QString Link(const char* name, const QString& target) const {
        QFile::link(Path(target), Path(U(name)));
        return Path(U(name));
    }
    void ExpectInputsUnchanged() const {
        EXPECT_EQ(ReadFile(U("見本工事.Fa1")), project);
        EXPECT_EQ(ReadFile(U("Qrtt.dat")), settings);
        EXPECT_EQ(ReadFile(U("擁壁１.bmp")), drawing);
    }
    QByteArray project, settings, drawing;
};

TEST_F(OutputGuardTest, EachInputIsNamedAndOtherFilesPass) {
    const QString folder = dir.path();
    const QString projectPath = form->CurrentProject;
    const struct {
        QString output;
        const char* named; // empty: not an input
    } cases[] = {
        {projectPath, "開いている物件ファイル"},
        {Link("p.txt", U("見本工事.Fa1")), "開いている物件ファイル"},
        {U("Qrtt.dat"), "設定ファイル（Qrtt.dat）"},
        {Link("q.csv", U("Qrtt.dat")), "設定ファイル（Qrtt.dat）"},
        {Link("d.pdf", U("擁壁１.bmp")), "図面ファイル"},
        {Path(U("Ｕ字側溝.bmp")), "図面ファイル"},
        {Path(U("new.txt")), ""},
        {Path(U("new.csv")), ""},
    };
    for (const auto& c : cases) {
        const std::optional<QString> refusal = OutputOntoInput(c.output, projectPath, folder);
        ASSERT_EQ(refusal.has_value(), *c.named != '\0') << c.output.toStdString();
        if (refusal) {
            EXPECT_TRUE(refusal->contains(U(c.named))) << refusal->toStdString();
        }
    }
    // The settings folder's Qrtt.dat, also when the project's folder is current.
    QDir(folder).mkdir(QStringLiteral("site"));
    ASSERT_TRUE(QDir::setCurrent(Path(QStringLiteral("site"))));
    EXPECT_TRUE(OutputOntoInput(Path(QStringLiteral("Qrtt.dat")), projectPath, folder));
    EXPECT_FALSE(OutputOntoInput(Path(QStringLiteral("Qrtt.dat")), projectPath, QString()));
    ASSERT_TRUE(QDir::setCurrent(folder));
    // Another project of the same content is not the open one.
    QFile::copy(projectPath, Path(U("copy.Fa1")));
    EXPECT_FALSE(OutputOntoInput(Path(U("copy.Fa1")), projectPath, folder));
}

TEST_F(OutputGuardTest, TextOutputOntoAnInputIsRefusedAndWritesNothing) {
    form->D1Click();
    ASSERT_FALSE(form2->Lines().isEmpty());
    for (const QString& target :
         {Link("out.txt", U("見本工事.Fa1")), Link("settings.txt", U("Qrtt.dat")),
          Link("picture.txt", U("擁壁１.bmp"))}) {
        SCOPED_TRACE(target.toStdString());
        dialogs.clear();
        dialogs.fileAnswers = {target};
        form->T1Click();
        ASSERT_EQ(dialogs.messages().size(), 1);
        EXPECT_TRUE(dialogs.messages()[0].contains(U("別のファイル名")));
        ExpectInputsUnchanged();
    }
    EXPECT_TRUE(dialogs.fileRequests.value(0).save);
    dialogs.fileAnswers = {Path(U("out2"))}; // an ordinary new file is written
    form->T1Click();
    EXPECT_FALSE(ReadFile(U("out2.txt")).isEmpty());
}

TEST_F(OutputGuardTest, CsvOntoAnInputIsRefusedBeforeAnyQuestion) {
    form->S4Click();
    auto* summary = form->findChild<TSummaryForm*>();
    ASSERT_NE(summary, nullptr);
    dialogs.clear();
    dialogs.fileAnswers = {Link("sum.csv", U("見本工事.Fa1")), Link("q.csv", U("Qrtt.dat"))};
    summary->Button1Click();
    summary->Button1Click();
    ASSERT_EQ(dialogs.records.size(), 4); // dialog, refusal, dialog, refusal: no "replace?"
    EXPECT_EQ(dialogs.records[1].kind, QStringLiteral("message"));
    EXPECT_TRUE(dialogs.records[1].text.contains(U("開いている物件ファイル")));
    EXPECT_TRUE(dialogs.records[3].text.contains(U("Qrtt.dat")));
    EXPECT_TRUE(dialogs.fileRequests.value(0).save);
    ExpectInputsUnchanged();
    delete summary;
}

} // namespace
