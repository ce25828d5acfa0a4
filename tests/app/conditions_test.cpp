// Estimating conditions: the six setters and their menu entries, the settings
// file read at start-up, stored defaults and factory defaults.
#include "AppFixture.h"

#include "Cp932.h"
#include "IniFile.h"
#include "Utf8.h"

#include <climits>

namespace {

struct GroupCase {
    const char* name;
    void (TForm1::*setter)(int);
    QAction* TForm1::*menu;
    std::vector<QAction * TForm1::*> entries;
    std::vector<const char*> captions; // group caption for code 1, 2, ...
};

const std::vector<GroupCase> kGroups = {
    {"Ne",
     &TForm1::SelectrNe,
     &TForm1::N1,
     {&TForm1::S1, &TForm1::Y1, &TForm1::N6061, &TForm1::N4541},
     {"根入要領：積算基準(&B)", "根入要領：余幅のみ(&B)", "根入要領：60度勾配(&B)",
      "根入要領：45度勾配(&B)"}},
    {"Ad",
     &TForm1::SelectrAd,
     &TForm1::N2,
     {&TForm1::N1001, &TForm1::N5051, &TForm1::N001},
     {"出幅：100(&A)", "出幅：50(&A)", "出幅：0(&A)"}},
    {"Nn",
     &TForm1::SelectrNn,
     &TForm1::N3,
     {&TForm1::N4, &TForm1::N5},
     {"根入れ差：有(&N)", "根入れ差：無(&N)"}},
    {"Sr",
     &TForm1::SelectrSr,
     &TForm1::K2,
     {&TForm1::N8, &TForm1::H1, &TForm1::U1, &TForm1::R2},
     {"簡易山止:なし", "簡易山止:表面", "簡易山止:裏面", "簡易山止:両面"}},
    {"Sh",
     &TForm1::SelectrSh,
     &TForm1::N21,
     {&TForm1::N22, &TForm1::M1, &TForm1::N110, &TForm1::N23},
     {"仕上下地:打放", "仕上下地:ﾓﾙﾀﾙ", "仕上下地:特殊[打放有]", "仕上下地:特殊[打放無]"}},
    {"Ps",
     &TForm1::SelectrPs,
     &TForm1::S2,
     {&TForm1::K3, &TForm1::M2},
     {"埋戻:根切り土使用", "埋戻:搬入土使用"}},
};

// The checked entries of a group as a string of 0/1, e.g. "0100".
std::string Marks(const TForm1& f, const GroupCase& g) {
    std::string out;
    for (auto entry : g.entries)
        out += (f.*entry)->isChecked() ? '1' : '0';
    return out;
}

class ConditionsTest : public AppFixture {};

TEST_F(ConditionsTest, SetterChecksOneEntryAndSetsTheGroupCaption) {
    for (const GroupCase& g : kGroups) {
        const int n = static_cast<int>(g.entries.size());
        for (int value = 1; value <= n; ++value) {
            (form.get()->*g.setter)(value);
            std::string expected(n, '0');
            expected[value - 1] = '1';
            EXPECT_EQ(Marks(*form, g), expected) << g.name << value;
            EXPECT_EQ((form.get()->*g.menu)->text(), U(g.captions[value - 1])) << g.name << value;
        }
        // 0 and values outside the group uncheck it and keep the last caption.
        for (int value : {0, n + 1, -1, 7, INT_MAX, INT_MIN}) {
            (form.get()->*g.setter)(value);
            EXPECT_EQ(Marks(*form, g), std::string(n, '0')) << g.name << value;
            EXPECT_EQ((form.get()->*g.menu)->text(), U(g.captions[n - 1])) << g.name << value;
            EXPECT_EQ(form->ConditionCode(static_cast<TForm1::Cond>(&g - kGroups.data())), 0);
        }
    }
}

TEST_F(ConditionsTest, EachConditionEntryChoosesItsCode) {
    for (const GroupCase& g : kGroups) {
        const auto cond = static_cast<TForm1::Cond>(&g - kGroups.data());
        for (std::size_t i = 0; i < g.entries.size(); ++i) {
            (form.get()->*g.entries[i])->trigger();
            EXPECT_EQ(form->ConditionCode(cond), static_cast<int>(i + 1)) << g.name;
            const std::string marks = Marks(*form, g);
            EXPECT_EQ(std::count(marks.begin(), marks.end(), '1'), 1) << g.name;
        }
    }
}

// ---------------------------------------------------------------- EsttIn

class SettingsTest : public AppFixture {
  protected:
    bool CopySettings() const override { return false; }
    void WriteSettings(const char* utf8) {
        WriteFile(QStringLiteral("Qrtt.dat"),
                  QByteArray::fromStdString(yoheki::cp932::Encode(utf8)));
    }
    std::string Read(const char* section, const char* key) {
        return yoheki::IniFile(Path(QStringLiteral("Qrtt.dat")).toStdString())
            .ReadString(section, key, "?");
    }
    QString MissingMessage() const {
        return U("データファイルが見つかりません\n\r【") +
               QDir::toNativeSeparators(QDir::currentPath()) + U("】に") + U("\n\r") +
               U("【Qrtt.dat】をCopyして下さい");
    }
};

TEST_F(SettingsTest, ReadsFinishListsInOrderAndTheRecordedPaths) {
    WriteSettings("[表面仕上]\r\nLSF1=打放補修\r\nLSF2=吹付タイル\r\nLSF10=化粧型枠\r\n\r\n"
                  "[天端仕上]\r\nLSF2=金鏝押え\r\n\r\n"
                  "[出力ファイル名]\r\nDL=/projects/現場A.Fa1\r\nTF=/drawings\r\n\r\n");
    ASSERT_TRUE(form->EsttIn(QStringLiteral("Qrtt.dat")));
    ASSERT_EQ(form->ComboBox2->count(), 10);
    EXPECT_EQ(form->ComboBox2->itemText(0), U("打放補修"));
    EXPECT_EQ(form->ComboBox2->itemText(1), U("吹付タイル"));
    EXPECT_EQ(form->ComboBox2->itemText(2), QString());
    EXPECT_EQ(form->ComboBox2->itemText(9), U("化粧型枠"));
    EXPECT_EQ(form->ComboBox3->count(), 10);
    EXPECT_EQ(form->ComboBox4->itemText(1), U("金鏝押え"));
    // Filling the lists chooses nothing.
    EXPECT_EQ(form->ComboBox2->currentText(), QString());
    EXPECT_EQ(form->CurrentProject, U("/projects/現場A.Fa1"));
    EXPECT_EQ(form->SettingsDir, QStringLiteral("/drawings"));
    // A second reading does not add to full lists.
    ASSERT_TRUE(form->EsttIn(QStringLiteral("Qrtt.dat")));
    EXPECT_EQ(form->ComboBox2->count(), 10);
    EXPECT_TRUE(dialogs.records.isEmpty());
}

TEST_F(SettingsTest, MissingFinishSectionsGiveTenEmptyEntriesAndTheStartFolderIsRecorded) {
    WriteSettings("[Default]\r\nNe=2\r\n\r\n");
    ASSERT_TRUE(form->EsttIn(QStringLiteral("Qrtt.dat")));
    for (TComboBox* list : {form->ComboBox2, form->ComboBox3, form->ComboBox4}) {
        ASSERT_EQ(list->count(), 10);
        for (int i = 0; i < 10; ++i)
            EXPECT_TRUE(list->itemText(i).isEmpty());
    }
    const QString start = QDir::toNativeSeparators(QDir::currentPath());
    EXPECT_EQ(form->SettingsDir, start);
    EXPECT_EQ(Read("出力ファイル名", "TF"), start.toStdString());
    EXPECT_EQ(Read("Default", "Ne"), "2"); // the rest of the file is kept
    EXPECT_FALSE(form->terminated);
}

TEST_F(SettingsTest, MissingUnreadableOrForeignSettingsEndTheProgramWithTheMessage) {
    const QString name = QStringLiteral("Qrtt.dat");
    const std::function<void()> breakers[] = {
        [] {},                                                                // missing
        [&] { QDir(dir.path()).mkdir(name); },                                // a folder
        [&] { WriteFile(name, QByteArray("[A]\r\nLSF1=\xFF\xFD\xA0\r\n")); }, // not CP932
    };
    for (const auto& breakSettings : breakers) {
        QDir(dir.path()).rmdir(name);
        QFile::remove(Path(name));
        breakSettings();
        TForm1 window(dialogs, {});
        dialogs.clear();
        EXPECT_FALSE(window.EsttIn(name));
        ASSERT_FALSE(dialogs.messages().isEmpty());
        EXPECT_EQ(dialogs.messages().first(), MissingMessage());
        EXPECT_TRUE(window.terminated);
        EXPECT_EQ(window.ComboBox2->count(), 0);
    }
}

// ---------------------------------------------------------------- defaults

TEST_F(SettingsTest, DefaultsOfAnyIntegerLoadAndBadOnesFallBackToFactory) {
    WriteSettings("[Default]\r\nNe=7\r\nAd=-3\r\nNn=1\r\nSr=abc\r\nSh=2147483647\r\nPs=2\r\n\r\n");
    form->SelectrNe(4);
    form->ReadDefaults();
    EXPECT_EQ(form->ConditionCode(TForm1::Cond::Ne), 0);
    EXPECT_EQ(form->N1->text(), U("根入要領：45度勾配(&B)")); // caption of the last choice stays
    EXPECT_EQ(form->ConditionCode(TForm1::Cond::Ad), 0);
    EXPECT_EQ(form->ConditionCode(TForm1::Cond::Nn), 1);
    EXPECT_EQ(form->ConditionCode(TForm1::Cond::Sr), 1); // not a number: factory value
    EXPECT_EQ(form->ConditionCode(TForm1::Cond::Sh), 0);
    EXPECT_EQ(form->ConditionCode(TForm1::Cond::Ps), 2);
}

TEST_F(SettingsTest, StoredDefaultsApplyUntilTheFactoryValuesAreWrittenBack) {
    WriteSettings("[表面仕上]\r\nLSF1=打放補修\r\n\r\n[Default]\r\nNe=1\r\nAd=3\r\n\r\n");
    form->ReadDefaults();
    form->Y1Click();
    form->R2Click();
    form->SelectrAd(0); // nothing checked: its stored value stays
    dialogs.questionAnswers = {true};
    form->N32Click();
    EXPECT_EQ(dialogs.records.size(), 1);
    EXPECT_EQ(dialogs.records[0].text, U("現在の条件をデフォルトとして設定しますか？"));
    EXPECT_EQ(dialogs.questionIcons, QList{yoheki::Dialogs::Icon::Information});
    EXPECT_EQ(Read("Default", "Ne"), "2");
    EXPECT_EQ(Read("Default", "Sr"), "4");
    EXPECT_EQ(Read("Default", "Ad"), "3");
    EXPECT_EQ(Read("表面仕上", "LSF1"), "打放補修");

    form->S1Click();
    form->N8Click();
    form->ReadDefaults();
    EXPECT_TRUE(form->Y1->isChecked());
    EXPECT_TRUE(form->R2->isChecked());

    form->WriteFactoryDefaults();
    form->ReadDefaults();
    EXPECT_TRUE(form->S1->isChecked());
    EXPECT_TRUE(form->N8->isChecked());
    EXPECT_TRUE(form->N5->isChecked());
    EXPECT_EQ(Read("表面仕上", "LSF1"), "打放補修");
}

TEST_F(SettingsTest, CancelledDefaultsWriteNothingAndAMissingFileGetsOnlyTheDefaults) {
    WriteSettings("[Default]\r\nNe=3\r\n\r\n");
    const QByteArray before = ReadFile(QStringLiteral("Qrtt.dat"));
    form->Y1Click();
    dialogs.questionAnswers = {false};
    form->N32Click();
    EXPECT_EQ(ReadFile(QStringLiteral("Qrtt.dat")), before);

    QFile::remove(Path(QStringLiteral("Qrtt.dat")));
    form->N32Click(); // unscripted: OK
    yoheki::IniFile ini(Path(QStringLiteral("Qrtt.dat")).toStdString());
    EXPECT_EQ(ini.ReadSections(), std::vector<std::string>{"Default"});
    EXPECT_EQ(ini.ReadInteger("Default", "Ne", 0), 2);
}

} // namespace
