// Take-off items in the project file: saving and loading the screen, the
// project dialog, adding, deleting and switching items, failed saves.
#include "ItemTexts.h"
#include "TakeoffFixture.h"
#include "Utf8.h"

#include <QRegularExpression>

#include <QFileInfo>

namespace {

using namespace itemkey;
using ItemsTest = TakeoffFixture;

TEST_F(ItemsTest, BlocksPipesAndBarsSwitchedOffAreStoredEmptyAndLoadAsTheirDefaults) {
    WriteText("p.Fa1", "[壁]\n延長さ=1000\n\n");
    Open("p.Fa1");
    form->CheckBox3->setChecked(true);
    form->CB_H->setText(U("タイル"));
    form->REdit11->setText("400");
    form->REdit16->setText("150");
    form->CheckBox3->setChecked(false);
    form->REdit10->setText("2000");
    form->RG_BL->SetItemIndex(2);
    form->REdit12->setText("200");
    form->REdit18->setText("85");
    form->ListOutPut(U("壁"), Path("p.Fa1"));

    for (const char* key : {kBlockFront, kBlockBack, kBlockTop, kBlockHeight, kBlockWidth,
                            kPipeSpacing, kBasePitch, kUpVertPitch})
        EXPECT_EQ(Value("p.Fa1", "壁", key), "") << key;
    EXPECT_EQ(Value("p.Fa1", "壁", kBlockCoping), "0");
    EXPECT_EQ(Value("p.Fa1", "壁", kBaseBars), "0");
    EXPECT_EQ(Value("p.Fa1", "壁", kBarRate), "85");

    form->ActList();
    form->ListInput(U("壁"), Path("p.Fa1"));
    EXPECT_EQ(form->REdit11->text(), "0");
    EXPECT_EQ(form->REdit16->text(), "0");
    EXPECT_EQ(form->REdit10->text(), "0");
    EXPECT_EQ(form->RG_BL->ItemIndex(), -1);
    EXPECT_EQ(form->REdit18->text(), "85");
    EXPECT_FALSE(form->REdit18->isHidden());
}

TEST_F(ItemsTest, ValuesReadAfterTheirCheckBoxOverrideWhatTheBoxPutThere) {
    WriteText("p.Fa1", "[A]\n水抜有無=1\nＣＢ有無=1\nＣＢ天端=笠木\nＣＢＨ=600\n鉄筋=1\n"
                       "ベＰ=250\nべ筋=1\n配筋=2\n歩掛=90\n\n");
    Open("p.Fa1");
    EXPECT_EQ(form->REdit10->text(), "3000"); // pipes on, no spacing stored
    EXPECT_EQ(form->CB_T->text(), U("笠木"));
    EXPECT_EQ(form->REdit11->text(), "600");
    EXPECT_EQ(form->REdit16->text(), "");
    EXPECT_EQ(form->REdit12->text(), "250");
    EXPECT_EQ(form->RG_BL->ItemIndex(), 1);
    EXPECT_EQ(form->RG_HL->ItemIndex(), 2);
    EXPECT_EQ(form->RG_TL->ItemIndex(), -1); // missing with bars on
    // With bars calculated the bar rate does not apply.
    EXPECT_EQ(form->REdit18->text(), "");
    EXPECT_TRUE(form->REdit18->isHidden());
}

TEST_F(ItemsTest, WithTheBlockPanelOpenTheWallFinishesAreSavedAndLoadingClosesIt) {
    WriteText("p.Fa1", "[A]\n表面仕上=壁表\nＣＢ有無=1\nＣＢ表面=塊表\n\n[B]\n\n");
    Open("p.Fa1");
    form->Button1Click(); // the combo boxes now show the block finishes
    ASSERT_EQ(form->ComboBox2->currentText(), U("塊表"));
    form->ComboBox2->setEditText(U("塊新"));
    form->ListOutPut("A", Path("p.Fa1"));
    EXPECT_EQ(Value("p.Fa1", "A", kFrontFinish), "壁表");
    EXPECT_EQ(Value("p.Fa1", "A", kBlockFront), "塊表"); // reaches the store on closing
    form->ListInput("B", Path("p.Fa1"));
    EXPECT_EQ(form->Button1->text(), U("ＣＢ設定"));
    EXPECT_TRUE(form->ComboBox1->isEnabled());
    EXPECT_TRUE(form->REdit11->isHidden());
}

TEST_F(ItemsTest, KeysAreWrittenInTheOrderAndCharactersOfTheSampleProject) {
    ASSERT_TRUE(CopyData(U("見本工事.Fa1")));
    WriteText("n.Fa1", "");
    Open("n.Fa1");
    dialogs.inputAnswers << U("新");
    form->Button4Click();
    const auto written = Ini("n.Fa1").ReadSection("新");
    const yoheki::IniFile sample = Ini(U("見本工事.Fa1"));
    EXPECT_EQ(written, sample.ReadSection(sample.ReadSections().front()));
    // Hiragana "be" for the base bars, katakana "be" for the base pitch and layers.
    ASSERT_EQ(written.size(), 43u);
    EXPECT_EQ(written[27], "\u3079\u7b4b");
    EXPECT_EQ(written[23], "\u30d9\uff30");
    EXPECT_EQ(written[31], "\u30d9\u8907");
}

TEST_F(ItemsTest, ConflictingModesLoadAWallAndAnUnknownCodeUnchecksItsGroup) {
    WriteText("p.Fa1", "[両方]\nベース=1\nＵ字溝=1\n根切要項=7\n地業出幅=2\n\n");
    Open("p.Fa1");
    EXPECT_FALSE(form->B1->isChecked());
    EXPECT_FALSE(form->U2->isChecked());
    EXPECT_FALSE(form->REdit3->isHidden());
    for (QAction* entry : {form->S1, form->Y1, form->N6061, form->N4541})
        EXPECT_FALSE(entry->isChecked());
    EXPECT_TRUE(form->N5051->isChecked());
}

// Each load runs only the switches from the screen's mode to the item's.
TEST_F(ItemsTest, LoadingMovesTheScreenBetweenEveryPairOfStructures) {
    WriteText("p.Fa1", "[壁]\n\n[基礎]\nベース=1\n\n[溝]\nＵ字溝=1\n\n");
    Open("p.Fa1");
    struct Screen {
        const char* item;
        bool front, back, width;
    };
    const Screen wall{"壁", true, true, true}, base{"基礎", true, false, false},
        ditch{"溝", false, false, true};
    for (const Screen& s : {base, ditch, wall, ditch, base, wall}) {
        Choose(U(s.item));
        EXPECT_EQ(!form->REdit2->isHidden(), s.front) << s.item;
        EXPECT_EQ(!form->REdit3->isHidden(), s.back) << s.item;
        EXPECT_EQ(!form->REdit8->isHidden(), s.width) << s.item;
    }
}

TEST_F(ItemsTest, SavingUnchangedItemsLeavesTheFileByteForByte) {
    ASSERT_TRUE(CopyData(U("見本工事.Fa1")));
    const QByteArray before = ReadFile(U("見本工事.Fa1"));
    Open(U("見本工事.Fa1"));
    for (const QString& item : Items())
        Choose(item);
    Choose(Items().front());
    EXPECT_EQ(ReadFile(U("見本工事.Fa1")), before);
    EXPECT_TRUE(dialogs.messages().isEmpty()) << dialogs.messages().join("|").toStdString();
}

TEST_F(ItemsTest, ChosenNamesGetTheExtensionAndNewProjectsAreCreated) {
    dialogs.fileAnswers << Path("upper.FA1");
    form->SelectProject();
    EXPECT_EQ(form->CurrentProject, Path("upper.FA1.Fa1"));
    EXPECT_TRUE(QFileInfo::exists(Path("upper.FA1.Fa1")));
    EXPECT_EQ(form->windowTitle(), U("擁壁数量調書：upper.FA1"));
    EXPECT_EQ(dialogs.messages(),
              QStringList{U("現在の【") + dir.path() + U("】に【upper.FA1】を作成します(Y/y)")});
    EXPECT_EQ(Value("Qrtt.dat", "出力ファイル名", "DL"), Path("upper.FA1.Fa1").toStdString());
    const auto& request = dialogs.fileRequests.front();
    EXPECT_EQ(request.fileName, U("新規作成"));
    EXPECT_TRUE(request.allowNonExisting);
    EXPECT_EQ(form->ComboBox1->count(), 0);
}

TEST_F(ItemsTest, AThreeCharacterFirstLineIsAProjectAndAnEmptyFileAnEmptyOne) {
    WriteText("one.Fa1", "[A]\n延長さ=5\n\n");
    WriteText("empty.Fa1", "");
    dialogs.fileAnswers << Path("one.Fa1") << Path("empty.Fa1");
    form->SelectProject();
    EXPECT_EQ(Items(), QStringList{"A"});
    EXPECT_EQ(form->REdit1->text(), "5");
    EXPECT_FALSE(form->Button3->isHidden());
    form->SelectProject();
    EXPECT_TRUE(Items().isEmpty());
    EXPECT_EQ(form->REdit1->text(), "");
    EXPECT_TRUE(form->Button3->isHidden());
    form->SelectProject(); // cancelled
    EXPECT_EQ(dialogs.messages().last(), U("終了させて頂きます"));
    EXPECT_TRUE(form->terminated);
}

TEST_F(ItemsTest, AddingSavesTheScreenFirstAndIgnoresADuplicate) {
    WriteText("p.Fa1", "[A]\n延長さ=100\n\n");
    Open("p.Fa1");
    form->REdit1->setText("200");
    dialogs.inputAnswers << U("B");
    form->Button4Click();
    EXPECT_EQ(Items(), (QStringList{"A", "B"}));
    EXPECT_EQ(form->ComboBox1->currentText(), "B");
    EXPECT_EQ(Value("p.Fa1", "A", kRunLength), "200");
    EXPECT_EQ(Value("p.Fa1", "B", kBarRate), "70");
    EXPECT_EQ(Value("p.Fa1", "B", kExcav), "0"); // A's conditions: nothing checked
    EXPECT_EQ(Value("p.Fa1", "B", kRunLength), ""); // and none of its dimensions
    EXPECT_FALSE(form->Button3->isHidden());

    form->REdit1->setText("300");
    dialogs.inputAnswers << U("A");
    form->Button4Click();
    EXPECT_EQ(Items(), (QStringList{"A", "B"}));
    EXPECT_EQ(Value("p.Fa1", "B", kRunLength), "300");
    EXPECT_EQ(Value("p.Fa1", "A", kRunLength), "200");
}

TEST_F(ItemsTest, NamesTheFileCannotHoldAreRefusedAndNothingChanges) {
    WriteText("p.Fa1", "[Ab]\n\n");
    Open("p.Fa1");
    form2->SetLines({"statement"});
    const QByteArray before = ReadFile("p.Fa1");
    for (const char* name :
         {"a\nb", "a\rb", "[x", "x]", " x", "x\t", "\u3000x", "x\u3000", "\U0001F600", "aB"}) {
        dialogs.clear();
        dialogs.inputAnswers << U(name);
        form->Button4Click();
        ASSERT_EQ(dialogs.messages().size(), 1) << name;
        EXPECT_TRUE(dialogs.messages().front().startsWith(U("拾い名称【"))) << name;
        EXPECT_EQ(Items(), QStringList{"Ab"});
        EXPECT_EQ(form2->Lines(), QStringList{"statement"});
    }
    EXPECT_EQ(ReadFile("p.Fa1"), before);
}

TEST_F(ItemsTest, DeletingNeverTakesTheFirstItem) {
    WriteText("p.Fa1", "[A]\n延長さ=1\n\n[B]\n\n[C]\n\n");
    Open("p.Fa1");
    dialogs.questionAnswers << true;
    form->Button3Click(); // index 0
    EXPECT_EQ(Items(), (QStringList{"A", "B", "C"}));
    EXPECT_TRUE(Ini("p.Fa1").SectionExists("A"));

    Choose("B");
    dialogs.questionAnswers << false;
    form->Button3Click();
    EXPECT_EQ(Items().size(), 3);
    dialogs.questionAnswers << true;
    form->Button3Click();
    EXPECT_EQ(Items(), (QStringList{"A", "C"}));
    EXPECT_FALSE(Ini("p.Fa1").SectionExists("B"));
    EXPECT_EQ(form->ComboBox1->currentText(), "A");
    EXPECT_EQ(form->REdit1->text(), "1");
    EXPECT_FALSE(form->Button3->isHidden());
    Choose("C");
    dialogs.questionAnswers << true;
    form->Button3Click();
    EXPECT_TRUE(form->Button3->isHidden()); // one item left
}

TEST_F(ItemsTest, TypedTextSwitchesOnlyToAnItemItNames) {
    WriteText("p.Fa1", "[A]\n延長さ=1\n\n[B]\n延長さ=2\n\n");
    Open("p.Fa1");
    form->REdit1->setText("5");
    const QByteArray before = ReadFile("p.Fa1");
    form->ComboBox1->setEditText("Z");
    form->ComboBox1Change();
    EXPECT_EQ(ReadFile("p.Fa1"), before);
    EXPECT_EQ(form->REdit1->text(), "5");
    form->ComboBox1->setEditText("B");
    form->ComboBox1Change();
    EXPECT_EQ(form->REdit1->text(), "2");
    EXPECT_EQ(form->RememberedIndex, 1);
    EXPECT_EQ(Value("p.Fa1", "A", kRunLength), "5");
}

TEST_F(ItemsTest, TheFrontFinishChoosesTheTopFinishOfTheSameRow) {
    form->ComboBox2->addItems({"f1", "f2", "f3"});
    form->ComboBox4->addItems({"t1", "t2", "t3"});
    form->ComboBox2->setCurrentIndex(2);
    form->ComboBox2Change();
    EXPECT_EQ(form->ComboBox4->currentText(), "t3");
    form->ComboBox2->setEditText("typed");
    form->ComboBox2Change();
    EXPECT_EQ(form->ComboBox4->currentText(), "");
}

TEST_F(ItemsTest, AFailedSaveIsReportedAndKeepsTheFileAndTheScreen) {
    WriteText("p.Fa1", "[A]\n延長さ=1\n\n[B]\n延長さ=2\n\n");
    Open("p.Fa1");
    const QByteArray before = ReadFile("p.Fa1");
    form->REdit1->setText("7");
    form->ComboBox2->setEditText(U("\U0001F600"));
    Choose("B");
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().front().startsWith(U("拾い【A】")))
        << dialogs.messages().front().toStdString();
    EXPECT_EQ(ReadFile("p.Fa1"), before);
    EXPECT_EQ(form->ComboBox1->currentText(), "A");
    EXPECT_EQ(form->REdit1->text(), "7");
    // A pasted line break would split the section: refused the same way.
    form->ComboBox2->setEditText(U("吹付タイル\r\n[B]"));
    Choose("B");
    EXPECT_EQ(dialogs.messages().size(), 2);
    EXPECT_EQ(ReadFile("p.Fa1"), before);
    // Once the text can be stored, the switch goes through.
    form->ComboBox2->setEditText(U("打放補修"));
    Choose("B");
    EXPECT_EQ(Value("p.Fa1", "A", kRunLength), "7");
    EXPECT_EQ(form->REdit1->text(), "2");
}

TEST_F(ItemsTest, AFolderThatIsGoneStopsTheSwitchWithAMessage) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    WriteText("sub/p.Fa1", "[A]\n\n[B]\n\n");
    Open("sub/p.Fa1");
    ASSERT_TRUE(QDir(Path("sub")).removeRecursively());
    WriteFile("sub", "not a folder"); // fails even for a user who may write anywhere
    form->REdit1->setText("9");
    Choose("B");
    EXPECT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(form->ComboBox1->currentText(), "A");
    EXPECT_EQ(form->REdit1->text(), "9");
}

TEST_F(ItemsTest, ChangesMadeToTheFileOutsideTheProgramAreSeen) {
    WriteText("p.Fa1", "[A]\n延長さ=1\n\n[B]\n延長さ=2\n\n");
    Open("p.Fa1");
    WriteText("p.Fa1", "[A]\n延長さ=1\n\n[B]\n延長さ=4242\n\n");
    Choose("B");
    EXPECT_EQ(form->REdit1->text(), "4242");
}

} // namespace

namespace {

// An item whose name holds bytes that are not CP932: edited, switched away
// from and back, it keeps its header bytes and its edits; no save error.
TEST_F(ItemsTest, ItemWithUndecodableNameBytesSurvivesAnEditAndASwitch) {
    const std::string header = "[" + yoheki::cp932::Encode("擁壁") + "\xFF" + "]";
    const std::string rest = yoheki::cp932::Encode("\r\n延長さ=1000\r\n\r\n[次]\r\n延長さ=500\r\n\r\n");
    WriteFile("p.Fa1", QByteArray::fromStdString(header + rest));
    Open("p.Fa1");
    const QString odd = U("擁壁\xEF\xBF\xBD");
    ASSERT_EQ(Items(), (QStringList{odd, U("次")}));
    form->REdit1->setText("2500");
    Choose(U("次"));
    EXPECT_TRUE(dialogs.messages().isEmpty()) << dialogs.messages().join(u'|').toStdString();
    Choose(odd);
    EXPECT_EQ(form->REdit1->text(), "2500");
    const QByteArray bytes = ReadFile("p.Fa1");
    EXPECT_TRUE(bytes.startsWith(QByteArray::fromStdString(header + "\r\n"))) << bytes.left(20).toHex().toStdString();
    EXPECT_EQ(bytes.count(QByteArray::fromStdString(header)), 1);
    EXPECT_EQ(Ini("p.Fa1").ReadString(odd.toStdString(), "延長さ", ""), "2500");
}

} // namespace

// Names that CP932 holds only by a look-alike would read back as another
// name: refused, naming what the file would give back; no two items ever
// share a header, and deleting one leaves the others.
TEST_F(ItemsTest, NamesTheFileWouldGiveBackChangedAreRefused) {
    WriteText("p.Fa1", "[Ab]\n\n");
    Open("p.Fa1");
    const struct {
        const char* typed;
        const char* stored;
    } cases[] = {{"A〜B", "A～B"}, {"A—B", "A―B"}, {"A¥B", "A\\B"}, {"A−B", "A－B"}};
    for (const auto& c : cases) {
        dialogs.clear();
        const QByteArray before = ReadFile("p.Fa1");
        dialogs.inputAnswers << U(c.typed);
        form->Button4Click();
        ASSERT_EQ(dialogs.messages().size(), 1) << c.typed;
        EXPECT_TRUE(dialogs.messages()[0].contains(U(c.stored))) << c.typed;
        EXPECT_EQ(ReadFile("p.Fa1"), before);
        EXPECT_EQ(Items(), QStringList{"Ab"});
    }
    // The full-width tilde reads back as itself: it is taken; the wave dash
    // that would give the same header is not.
    for (const char* name : {"A～B", "A〜B", "C"}) {
        dialogs.inputAnswers << U(name);
        form->Button4Click();
    }
    EXPECT_EQ(Items(), (QStringList{"Ab", U("A～B"), "C"}));
    const QStringList headers =
        QString::fromStdString(yoheki::cp932::Decode(ReadFile("p.Fa1").toStdString()))
            .split(QStringLiteral("\r\n"))
            .filter(QRegularExpression(QStringLiteral("^\\[.*\\]$")));
    EXPECT_EQ(headers, (QStringList{"[Ab]", U("[A～B]"), "[C]"}));
    // Deleting the middle item removes it alone.
    form->ComboBox1->setCurrentIndex(1);
    form->Button3Click();
    EXPECT_EQ(Items(), (QStringList{"Ab", "C"}));
    EXPECT_EQ(Ini("p.Fa1").ReadSections(), (std::vector<std::string>{"Ab", "C"}));
}
