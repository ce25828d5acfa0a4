// Calculation run and text output: the dispatch, the snapshot, the lines a
// text output writes, its file rules and the continuous output.
#include "Calc.h"
#include "TakeoffFixture.h"
#include "Utf8.h"

namespace {

QByteArray Cp932(const QString& text) {
    const std::string bytes = yoheki::cp932::Encode(text.toStdString());
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

const QByteArray kClosing("\n\r\r\n");

// A wall that calculates, and one whose zero run length stops the run.
const char* const kWall = "延長さ=10000\n仕上高表=1200\n仕上高裏=1200\n根入長=500\n均しｺﾝ=50\n"
                          "砕石=100\nﾍﾞｰｽ幅=1500\n幅=200\nﾍﾞｰｽ厚=300\n根切要項=1\n\n";
const char* const kNoLength = "延長さ=0\n仕上高表=1200\n仕上高裏=1200\n根入長=500\n均しｺﾝ=50\n"
                              "砕石=100\nﾍﾞｰｽ幅=1500\n幅=200\nﾍﾞｰｽ厚=300\n根切要項=1\n\n";

QStringList Statement(int n) {
    QStringList lines;
    for (int i = 0; i < n; ++i)
        lines << U("行") + QString::number(i);
    return lines;
}

class RunTest : public TakeoffFixture {
  protected:
    // Statement heads ("《item》") in the order they appear in `bytes`.
    static QStringList Heads(const QByteArray& bytes) {
        QStringList heads;
        const QString text = QString::fromStdString(yoheki::cp932::Decode(bytes.toStdString()));
        for (const QString& line : text.split(QStringLiteral("\r\n")))
            if (line.startsWith(U("《")))
                heads << line;
        return heads;
    }
};

TEST(SingleOutputLines, LeaveOutTheEightDrawingLabels) {
    const struct {
        int n;
        QList<int> written;
    } cases[] = {
        {25, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 20, 21, 22, 23, 24}},
        {20, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        {12, {0, 1, 2, 3}},
        {9, {0}},
        {8, {}},
        {0, {}},
    };
    for (const auto& c : cases) {
        QStringList expected;
        for (int i : c.written)
            expected << U("行") + QString::number(i);
        EXPECT_EQ(SingleOutputLines(Statement(c.n)), expected) << c.n;
    }
}

TEST(TextFileName, KeepsOnlyTheThreeUsualSpellingsOfTheExtension) {
    for (const char* kept : {"a.txt", "a.TXT", "a.Txt", "/d/b.txt"})
        EXPECT_EQ(TextFileName(kept), kept);
    EXPECT_EQ(TextFileName("a"), "a.txt");
    EXPECT_EQ(TextFileName("a.tXt"), "a.tXt.txt");
    EXPECT_EQ(TextFileName("a.TxT"), "a.TxT.txt");
}

TEST_F(RunTest, SingleOutputAppendsAfterTheLastClosingLineAndShowsTheFirstItem) {
    WriteText("p.Fa1", std::string("[A]\n延長さ=11\n\n[B]\n延長さ=22\n\n"));
    Open("p.Fa1");
    Choose("B");
    form2->SetLines(Statement(25));
    dialogs.fileAnswers << Path("out") << Path("out.txt");
    for (int i = 0; i < 2; ++i) {
        ProjectStore::Of(*form).lastRun = form->TakeSnapshot(); // the lines are the screen's
        form->T1Click();
    }

    QByteArray one;
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 20, 21, 22, 23, 24})
        one += Cp932(U("行") + QString::number(i)) + "\r\n";
    one += kClosing;
    EXPECT_EQ(ReadFile("out.txt"), one + one);
    EXPECT_EQ(form->ComboBox1->currentText(), "A");
    EXPECT_EQ(form->REdit1->text(), "11");

    const auto& first = dialogs.fileRequests[0];
    EXPECT_EQ(first.title, U("テキスト出力ファイルを選択"));
    EXPECT_EQ(first.filter, U("テキストファイル(*.txt)|*.TXT"));
    EXPECT_EQ(first.initialDir, QDir::currentPath());
    EXPECT_EQ(dialogs.fileRequests[1].fileName, Path("out.txt")); // remembered
}

TEST_F(RunTest, NothingToWriteWithoutAnItemUnlessContinuous) {
    WriteText("e.Fa1", "");
    Open("e.Fa1");
    form->T1Click();
    EXPECT_EQ(dialogs.texts(), QStringList{U("演算の実行は無理です")});
    form->Q1Click();
    dialogs.fileAnswers << Path("all.txt");
    form->T1Click();
    EXPECT_EQ(ReadFile("all.txt"), kClosing);
}

TEST_F(RunTest, ContinuousOutputSkipsAnItemWhoseRunStoppedAndGoesOn) {
    WriteText("p.Fa1", std::string("[A]\n") + kWall + "[B]\n" + kNoLength + "[C]\n" + kWall);
    Open("p.Fa1");
    form->Q1Click();
    dialogs.fileAnswers << Path("all.txt");
    form->T1Click();
    EXPECT_EQ(Heads(ReadFile("all.txt")), (QStringList{U("《A》"), U("《C》")}));
    ASSERT_EQ(dialogs.messages().size(), 1); // one report after the output
    EXPECT_TRUE(dialogs.messages()[0].contains(U("\n\r【B】問題点を訂正して再度実行して下さい\n\r【C】")));
    EXPECT_TRUE(ReadFile("all.txt").endsWith("\r\n" + kClosing));
    EXPECT_EQ(form->ComboBox1->currentText(), "A");
}

TEST_F(RunTest, ContinuousOutputWritesWhatIsTypedOnScreenFirst) {
    WriteText("p.Fa1", std::string("[A]\n") + kWall + "[B]\n" + kNoLength);
    Open("p.Fa1");
    Choose("B");
    form->REdit1->setText("5000"); // the stopped run now calculates
    form->Q1Click();
    dialogs.fileAnswers << Path("all.txt");
    form->T1Click();
    EXPECT_EQ(Heads(ReadFile("all.txt")), (QStringList{U("《A》"), U("《B》")}));
    EXPECT_EQ(Value("p.Fa1", "B", "延長さ"), "5000");
}

TEST_F(RunTest, ContinuousOutputOfTheSampleIsTheGoldenStatement) {
    ASSERT_TRUE(CopyData(U("見本工事.Fa1")));
    const QByteArray project = ReadFile(U("見本工事.Fa1"));
    Open(U("見本工事.Fa1"));
    form->Q1Click();
    dialogs.fileAnswers << Path("sample.txt");
    form->T1Click();
    QFile golden(QDir(YOHEKI_TESTDATA_DIR).filePath("sample.expected.txt"));
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    EXPECT_EQ(ReadFile("sample.txt"), golden.readAll());
    EXPECT_EQ(ReadFile(U("見本工事.Fa1")), project);
}

TEST_F(RunTest, RunNeedsAnItemNameAndDispatchesByStructure) {
    form2->SetLines({"old"});
    form->D1Click();
    EXPECT_EQ(dialogs.texts(), QStringList{U("演算の実行は無理です")});
    EXPECT_EQ(form2->Lines(), QStringList{"old"});

    ASSERT_TRUE(CopyData(U("見本工事.Fa1")));
    Open(U("見本工事.Fa1"));
    // Items 0, 2 and 4 of the sample are a wall, a base and a ditch.
    for (int i : {0, 2, 4}) {
        Choose(Items()[i]);
        form->D1Click();
        const auto expected = engine::Calculate(form->TakeSnapshot(), [](const std::string&) {});
        ASSERT_TRUE(expected);
        QStringList lines;
        for (const std::string& line : expected->lines)
            lines << QString::fromStdString(line);
        EXPECT_EQ(form2->Lines(), lines) << i;
    }
    EXPECT_EQ(form2->Lines().value(0), U("【物件名：見本工事】"));
}

TEST_F(RunTest, AnOverflowIsShownAndKeepsThePreviousStatement) {
    WriteText("p.Fa1", std::string("[A]\n") + kWall);
    Open("p.Fa1");
    for (TREdit* e : {form->REdit1, form->REdit4, form->REdit7, form->REdit9})
        e->setText("2000000000");
    form2->SetLines({"old"});
    form->D1Click();
    EXPECT_EQ(form2->Lines(), QStringList{"old"});
    EXPECT_FALSE(dialogs.messages().isEmpty());
}

TEST_F(RunTest, SnapshotTakesEachControlUnderItsOwnName) {
    for (int n = 1; n <= 18; ++n)
        form->REdit(n)->setText(QString::number(n));
    form->ComboBox1->setEditText("c1");
    form->ComboBox3->setEditText("c3");
    form->CB_T->setText("cbt");
    form->YH_U->setText("yhu");
    form->RG_BL->SetItemIndex(0);
    form->RG_HL->SetItemIndex(1);
    form->RG_TL->SetItemIndex(2);
    form->CheckBox5->setChecked(true);
    form->SelectrSh(3);
    form->Q1Click();
    form->setWindowTitle(U("擁壁数量調書：X"));
    const engine::Snapshot s = form->TakeSnapshot();
    for (int n = 1; n <= 18; ++n)
        EXPECT_EQ(s.REdit[n], std::to_string(n));
    EXPECT_EQ(s.ComboBox[1], "c1");
    EXPECT_EQ(s.ComboBox[3], "c3");
    EXPECT_EQ(s.CB_T, "cbt");
    EXPECT_EQ(s.YH_U, "yhu");
    EXPECT_EQ(s.RG_BL, 0);
    EXPECT_EQ(s.RG_HL, 1);
    EXPECT_EQ(s.RG_TL, 2);
    EXPECT_EQ(s.RG_YL, -1);
    EXPECT_TRUE(s.CheckBox5);
    EXPECT_FALSE(s.CheckBox6);
    EXPECT_TRUE(s.N110);
    EXPECT_FALSE(s.M1);
    EXPECT_TRUE(s.Q1);
    EXPECT_FALSE(s.D2);
    EXPECT_EQ(s.caption, "擁壁数量調書：X");
}

} // namespace
