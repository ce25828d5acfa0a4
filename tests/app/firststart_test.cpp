// Where the settings of a start come from: the start folder's Qrtt.dat, else
// the user's own one, made from the delivered settings on the first start; a
// project named on the command line; settings that cannot be had.
#include "BundledData.h"
#include "FirstStart.h"
#include "TakeoffFixture.h"
#include "Utf8.h"

#include <QDirIterator>

namespace {

const QString kBuiltData = QStringLiteral(YOHEKI_BINARY_DIR "/share/yoheki");

// A start with the XDG data folder in a folder of the test's own and the
// delivered files of the build tree.
class FirstStartTest : public TakeoffFixture {
  protected:
    bool CopySettings() const override { return false; }
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        oldXdg = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
        yoheki::SetBundledDataDir(QString()); // beside the test program, as for yoheki
        TakeoffFixture::SetUp();
        startFiles = Listing(dir.path());
    }
    void TearDown() override {
        TakeoffFixture::TearDown();
        yoheki::SetBundledDataDir(nothing.path());
        qputenv("XDG_DATA_HOME", oldXdg);
    }
    QString UserFile(const QString& name = QStringLiteral("Qrtt.dat")) const {
        return QDir(home.filePath(QStringLiteral("yoheki"))).filePath(name);
    }
    static QByteArray Bytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }
    // Every file below `folder` with its bytes, to tell that nothing changed.
    static QStringList Listing(const QString& folder) {
        QStringList out;
        QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            out << path + QLatin1Char(' ') + QString::fromLatin1(Bytes(path).toHex().left(64)) +
                       QString::number(QFileInfo(path).size());
        }
        out.sort();
        return out;
    }
    // The main window of the next start in the same folder.
    std::unique_ptr<TForm1> Restart(const QStringList& args = {}) {
        form->close();
        QDir::setCurrent(dir.path());
        dialogs.clear();
        auto next = std::make_unique<TForm1>(dialogs, args);
        next->Attach(form2.get(), liMenu.get());
        return next;
    }

    QTemporaryDir home, nothing;
    QByteArray oldXdg;
    QStringList startFiles;
};

TEST_F(FirstStartTest, TheDeliveredFilesAreFoundBesideTheProgram) {
    EXPECT_EQ(yoheki::BundledDataDir(), QDir::cleanPath(kBuiltData));
    for (const char* name : {"Qrtt.dat", "見本工事.Fa1", "擁壁１.bmp", "設備基礎.bmp", "Ｕ字側溝.bmp"})
        EXPECT_EQ(Bytes(QDir(kBuiltData).filePath(U(name))),
                  Bytes(QDir(QStringLiteral(YOHEKI_DATA_DIR)).filePath(U(name))))
            << name;
}

TEST_F(FirstStartTest, AFreshAccountGetsItsOwnSettingsFromTheDeliveredOnes) {
    dialogs.fileAnswers << UserFile(U("見本工事.Fa1"));
    form->FormActivate();
    ASSERT_FALSE(form->terminated);
    // Told once where the settings are; then the project dialog, in that folder.
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].startsWith(U("設定ファイルを作成しました")));
    EXPECT_TRUE(dialogs.messages()[0].contains(UserFile()));
    EXPECT_TRUE(dialogs.messages()[0].contains(kBuiltData));
    ASSERT_EQ(dialogs.fileRequests.size(), 1);
    EXPECT_EQ(dialogs.fileRequests[0].initialDir, home.filePath(QStringLiteral("yoheki")));
    // The delivered settings, with the delivered drawings' folder; the sample beside them.
    const yoheki::IniFile made(UserFile().toStdString());
    const yoheki::IniFile bundled(QDir(kBuiltData).filePath(U("Qrtt.dat")).toStdString());
    EXPECT_EQ(made.ReadString("出力ファイル名", "TF", ""), kBuiltData.toStdString());
    for (int n = 1; n <= 10; ++n) {
        const std::string key = "LSF" + std::to_string(n);
        EXPECT_EQ(made.ReadString("天端仕上", key, "?"), bundled.ReadString("天端仕上", key, "!"));
        EXPECT_EQ(form->ComboBox2->itemText(n - 1).toStdString(),
                  bundled.ReadString("表面仕上", key, "!"));
    }
    EXPECT_EQ(Bytes(UserFile(U("見本工事.Fa1"))), Bytes(QDir(kBuiltData).filePath(U("見本工事.Fa1"))));
    EXPECT_EQ(form->windowTitle(), U("擁壁数量調書：見本工事"));
    EXPECT_GT(form->ComboBox1->count(), 1);
    EXPECT_EQ(form->SettingsDir, kBuiltData);
    EXPECT_FALSE(form->Image1->pixmap().isNull()); // the delivered drawing
    // The chosen project is recorded there; the start folder stays as it was.
    form->close();
    EXPECT_EQ(yoheki::IniFile(UserFile().toStdString()).ReadString("出力ファイル名", "DL", ""),
              UserFile(U("見本工事.Fa1")).toStdString());
    EXPECT_EQ(Listing(dir.path()), startFiles);

    // The next start says nothing and opens the same project.
    auto next = Restart();
    next->FormActivate();
    EXPECT_TRUE(dialogs.records.isEmpty());
    EXPECT_EQ(next->windowTitle(), U("擁壁数量調書：見本工事"));
    next->close();
    EXPECT_EQ(Listing(dir.path()), startFiles);
}

TEST_F(FirstStartTest, ASettingsFileInTheStartFolderTakesPrecedence) {
    ASSERT_TRUE(QDir().mkpath(home.filePath(QStringLiteral("yoheki"))));
    WriteText(QStringLiteral("p.Fa1"), "[X]\n延長さ=1234\n\n");
    WriteText(QStringLiteral("Qrtt.dat"), "[表面仕上]\nLSF1=ここの仕上\n\n[出力ファイル名]\nDL=" +
                                              Path(QStringLiteral("p.Fa1")).toStdString() +
                                              "\nTF=\n\n");
    {
        QFile user(UserFile());
        ASSERT_TRUE(user.open(QIODevice::WriteOnly));
        user.write("[x]\r\nLSF1=other\r\n\r\n");
    }
    const QByteArray userBefore = Bytes(UserFile());
    form->FormActivate();
    EXPECT_TRUE(dialogs.records.isEmpty());
    EXPECT_EQ(form->ComboBox2->itemText(0), U("ここの仕上"));
    EXPECT_EQ(form->SettingsFile, Path(QStringLiteral("Qrtt.dat")));
    EXPECT_EQ(form->SettingsDir, QDir::toNativeSeparators(dir.path())); // recorded as before
    EXPECT_EQ(form->REdit1->text(), QStringLiteral("1234"));
    form->close();
    EXPECT_EQ(Bytes(UserFile()), userBefore);
    EXPECT_EQ(QDir(home.filePath(QStringLiteral("yoheki"))).entryList(QDir::Files),
              QStringList{QStringLiteral("Qrtt.dat")});
}

TEST_F(FirstStartTest, AProjectNamedOnTheCommandLineOpensInsteadOfTheRecordedOne) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("site")));
    WriteText(QStringLiteral("site/現場A.FA1"), "[擁壁A]\n延長さ=5000\n\n[擁壁B]\n\n");
    WriteText(QStringLiteral("p.Fa1"), "[X]\n延長さ=1234\n\n");
    CopyData(QStringLiteral("Qrtt.dat"));
    {
        yoheki::IniFile ini("Qrtt.dat");
        ini.WriteString("出力ファイル名", "DL", Path(QStringLiteral("p.Fa1")).toStdString());
        ini.UpdateFile();
    }
    // A name relative to the start folder, with the extension in capitals.
    auto started = Restart({U("site/現場A.FA1")});
    EXPECT_TRUE(dialogs.records.isEmpty());
    started->FormActivate();
    EXPECT_TRUE(dialogs.fileRequests.isEmpty());
    EXPECT_EQ(started->windowTitle(), U("擁壁数量調書：現場A"));
    EXPECT_EQ(started->ComboBox1->currentText(), U("擁壁A"));
    EXPECT_EQ(started->REdit1->text(), QStringLiteral("5000"));
    EXPECT_FALSE(started->N30->isVisible());
    // It becomes the current project, as choosing it would make it.
    EXPECT_EQ(Value(QStringLiteral("Qrtt.dat"), "出力ファイル名", "DL"),
              Path(U("site/現場A.FA1")).toStdString());
}

TEST_F(FirstStartTest, OnlyTheTestModeWordAndExistingProjectsAreArguments) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.Fa1")));
    WriteText(QStringLiteral("notes.txt"), "memo\n");
    const QString bad = U("現在パラメータは使用しませんのでやり直して下さい :-P");
    const struct {
        QString argument;
        bool ends;
    } cases[] = {
        {QStringLiteral("QKXW"), false},      {QStringLiteral("qkxw"), true},
        {QStringLiteral("gone.Fa1"), true},   {QStringLiteral("folder.Fa1"), true},
        {QStringLiteral("notes.txt"), true},  {QStringLiteral("-x"), true},
    };
    for (const auto& c : cases) {
        dialogs.clear();
        TForm1 window(dialogs, {c.argument});
        SCOPED_TRACE(c.argument.toStdString());
        EXPECT_EQ(window.terminated, c.ends);
        EXPECT_EQ(dialogs.messages(), c.ends ? QStringList{bad} : QStringList());
        EXPECT_EQ(window.N30->isVisible(), !c.ends);
        EXPECT_TRUE(window.ArgumentProject.isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("Qrtt.dat"))));
}

// ---------------------------------------------------------------- no settings

class NoSettingsTest : public FirstStartTest {
  protected:
    void SetUp() override {
        FirstStartTest::SetUp();
        yoheki::SetBundledDataDir(nothing.path()); // nothing delivered
    }
};

TEST_F(NoSettingsTest, NothingToReadEndsTheProgramAndLeavesNoFileBehind) {
    form->FormActivate();
    EXPECT_TRUE(form->terminated);
    EXPECT_EQ(dialogs.messages(),
              QStringList{U("データファイルが見つかりません\n\r【") +
                          home.filePath(QStringLiteral("yoheki")) + U("】に\n\r") +
                          U("【Qrtt.dat】をCopyして下さい")});
    EXPECT_TRUE(dialogs.fileRequests.isEmpty());
    form->close();
    EXPECT_EQ(Listing(dir.path()), startFiles);
    EXPECT_FALSE(QFileInfo::exists(UserFile()));
}

TEST_F(NoSettingsTest, AnUnreadableSettingsFileIsNamedInItsOwnFolderAndKept) {
    WriteFile(QStringLiteral("Qrtt.dat"), QByteArray("[A]\r\nLSF1=\xFF\xFD\xA0\r\n"));
    startFiles = Listing(dir.path());
    form->FormActivate();
    EXPECT_TRUE(form->terminated);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].contains(U("【") + dir.path() + U("】に")));
    form->close();
    EXPECT_EQ(Listing(dir.path()), startFiles);
    EXPECT_FALSE(QFileInfo::exists(home.filePath(QStringLiteral("yoheki"))));
}

TEST_F(NoSettingsTest, ClosingInAFolderWithoutSettingsWritesNone) {
    CopyData(QStringLiteral("Qrtt.dat"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("site")));
    WriteText(QStringLiteral("site/p.Fa1"), "[X]\n延長さ=1234\n\n");
    dialogs.fileAnswers << Path(QStringLiteral("site/p.Fa1"));
    form->FormActivate();
    ASSERT_EQ(QDir::currentPath(), Path(QStringLiteral("site")));
    form->REdit1->setText(QStringLiteral("4321"));
    form->close();
    EXPECT_EQ(Value(QStringLiteral("site/p.Fa1"), "X", "延長さ"), "4321");
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("site/Qrtt.dat"))));
}

} // namespace
