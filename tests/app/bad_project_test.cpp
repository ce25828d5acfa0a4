// Project files that are no project, or hold an item with bytes that are not
// CP932 text: said once, with the file and the item; the other items still
// run, and nothing is written over the file's bytes.
#include "SummaryRun.h"
#include "TakeoffFixture.h"
#include "Utf8.h"

namespace {

const char* const kWall = "延長さ=10000\n仕上高表=1200\n仕上高裏=1200\n根入長=500\n均しｺﾝ=50\n"
                          "砕石=100\nﾍﾞｰｽ幅=1500\n幅=200\nﾍﾞｰｽ厚=300\n根切要項=1\n\n";

class BadProject : public TakeoffFixture {
  protected:
    // Items A and C are walls; B holds a byte that is not CP932 text.
    void WriteWithBadItem() {
        std::string text = std::string("[A]\n") + kWall + "[B]\n" + kWall + "[C]\n" + kWall;
        std::string bytes;
        for (char c : text)
            bytes += c == '\n' ? std::string("\r\n") : std::string(1, c);
        bytes = yoheki::cp932::Encode(bytes);
        const std::string marker = yoheki::cp932::Encode("[B]\r\n");
        bytes.insert(bytes.find(marker) + marker.size(), "\xFF\r\n");
        WriteFile("bad.Fa1", QByteArray::fromStdString(bytes));
    }
};

TEST_F(BadProject, AFileWithoutItemsIsNoProjectAndListsNothing) {
    WriteFile("bin.Fa1", QByteArray("\x7f" "ELF\x02\x01\x00\x00 garbage", 16));
    const QByteArray before = ReadFile("bin.Fa1");
    Open("bin.Fa1");
    EXPECT_EQ(form->ComboBox1->count(), 0);
    ASSERT_EQ(dialogs.messages().size(), 0); // Open() cleared what opening said
    OpenProject(*form, Path("bin.Fa1"));
    ASSERT_FALSE(dialogs.messages().isEmpty());
    EXPECT_TRUE(dialogs.messages().last().contains(U("は物件ファイルではありません")));
    EXPECT_EQ(ReadFile("bin.Fa1"), before);
    const ProjectRun run = CalculateProject(Path("bin.Fa1"));
    EXPECT_TRUE(run.items.empty());
    EXPECT_TRUE(run.notes.join("").contains(U("物件ファイルではありません")));
}

TEST_F(BadProject, AnItemWithUnreadableBytesIsNamedAndLeftOutOfRuns) {
    WriteWithBadItem();
    OpenProject(*form, Path("bad.Fa1"));
    EXPECT_EQ(form->ComboBox1->count(), 3);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].contains(U("拾い【B】の")));
    EXPECT_TRUE(dialogs.messages()[0].contains(U("読めない文字")));
    dialogs.clear();

    form->Q1Click();
    dialogs.fileAnswers << Path("all.txt");
    form->T1Click();
    const QString text = QString::fromStdString(yoheki::cp932::Decode(ReadFile("all.txt").toStdString()));
    EXPECT_TRUE(text.contains(U("《A》")));
    EXPECT_FALSE(text.contains(U("《B》")));
    EXPECT_TRUE(text.contains(U("《C》")));
    // The unreadable line is still in its item, byte for byte.
    const QByteArray after = ReadFile("bad.Fa1");
    const qsizetype b = after.indexOf(QByteArray::fromStdString(yoheki::cp932::Encode("[B]")));
    ASSERT_GE(b, 0);
    EXPECT_EQ(after.mid(b + 5, 3), QByteArray("\xFF\r\n"));

    const ProjectRun run = CalculateProject(Path("bad.Fa1"));
    ASSERT_EQ(run.items.size(), 2u);
    EXPECT_EQ(run.items[0].name, "A");
    EXPECT_EQ(run.items[1].name, "C");
    EXPECT_TRUE(run.notes.join("").contains(U("拾い【B】")));
}

} // namespace
