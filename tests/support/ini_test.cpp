#include "Cp932.h"
#include "Error.h"
#include "IniFile.h"
#include "../ReadOnlyFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace yoheki;
namespace fs = std::filesystem;

namespace {

class IniTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/ini_test_XXXXXX";
        dir_ = mkdtemp(tmpl);
        path_ = dir_ + "/p.Fa1";
    }
    void TearDown() override {
        SetReadOnly(dir_, false);
        fs::permissions(dir_, fs::perms::all);
        fs::remove_all(dir_);
    }
    void Put(const std::string& bytes) { std::ofstream(path_, std::ios::binary) << bytes; }
    std::string Get() const {
        std::ifstream in(path_, std::ios::binary);
        std::ostringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    std::string S(const std::string& utf8) { return cp932::Encode(utf8); }

    std::string dir_, path_;
};

} // namespace

TEST_F(IniTest, ReadsValuesAsWrittenWithCaseInsensitiveNames) {
    Put(S("[現場A]\r\n延長さ=10000\r\nLevel差= -150 \r\nKey=a=b\r\n\r\n[Default]\r\nNe=3\r\n\r\n"));
    IniFile ini(path_);
    EXPECT_EQ(ini.ReadString("現場A", "延長さ", "x"), "10000");
    EXPECT_EQ(ini.ReadString("現場A", "level差", "x"), " -150 ");
    EXPECT_EQ(ini.ReadString("現場A", "KEY", "x"), "a=b");
    EXPECT_EQ(ini.ReadInteger("default", "ne", 1), 3);
    EXPECT_EQ(ini.ReadString("現場A", "無い", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadString("無い", "延長さ", "dflt"), "dflt");
}

TEST_F(IniTest, IntegersAndBooleansFallBackToTheDefault) {
    Put("[s]\r\na=12\r\nb=\r\nc=x1\r\nd=1.5\r\ne=2147483648\r\nf=-2147483648\r\ng=0\r\nh=7\r\n\r\n");
    IniFile ini(path_);
    EXPECT_EQ(ini.ReadInteger("s", "a", 5), 12);
    EXPECT_EQ(ini.ReadInteger("s", "b", 5), 5);
    EXPECT_EQ(ini.ReadInteger("s", "c", 5), 5);
    EXPECT_EQ(ini.ReadInteger("s", "d", 5), 5);
    EXPECT_EQ(ini.ReadInteger("s", "e", 5), 5);
    EXPECT_EQ(ini.ReadInteger("s", "f", 5), -2147483648LL);
    EXPECT_FALSE(ini.ReadBool("s", "g", true));
    EXPECT_TRUE(ini.ReadBool("s", "h", false));
    EXPECT_TRUE(ini.ReadBool("s", "missing", true));
}

TEST_F(IniTest, NewKeysGoToTheEndOfTheirSectionAndNewSectionsToTheEnd) {
    Put(S("[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n\r\n"));
    IniFile ini(path_);
    ini.WriteString("a", "z", "仕上");
    ini.WriteString("C", "w", "");
    ini.WriteString("B", "Y", "3"); // existing key keeps its place and spelling
    ini.UpdateFile();
    EXPECT_EQ(Get(), S("[A]\r\nx=1\r\nz=仕上\r\n\r\n[B]\r\ny=3\r\n\r\n[C]\r\nw=\r\n\r\n"));
}

TEST_F(IniTest, SectionsComeBackInFileOrder) {
    Put(S("[第3]\r\n[第1]\r\n[第2]\r\n"));
    IniFile ini(path_);
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"第3", "第1", "第2"}));
    ini.EraseSection("第1");
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"第3", "第2"}));
    EXPECT_FALSE(ini.SectionExists("第1"));
}

TEST_F(IniTest, UntouchedNormalFileIsWrittenBackByteForByte) {
    // Includes bytes that do not survive a decode/encode round trip (NEC and
    // IBM rows map to the same characters) and invalid bytes.
    std::string bytes = "[\x87\x90]\r\na=\xED\x40\r\nb=\xFA\x5C\r\nc=\xFF\xFE\r\n\r\n";
    Put(bytes);
    IniFile ini(path_);
    EXPECT_TRUE(ini.Normal());
    ini.WriteString("\xE2\x89\x92", "d", "1"); // ≒ names the section
    EXPECT_FALSE(ini.Normal());
    ini.UpdateFile();
    EXPECT_EQ(Get(), bytes.substr(0, bytes.size() - 2) + "d=1\r\n\r\n");
}

TEST_F(IniTest, UpdateNormalisesLayout) {
    Put("pre\n[s]\nk=v\n\n\n[t]\rx=1");
    IniFile ini(path_);
    EXPECT_FALSE(ini.Normal());
    ini.UpdateFile();
    EXPECT_TRUE(ini.Normal());
    EXPECT_EQ(Get(), "pre\r\n[s]\r\nk=v\r\n\r\n[t]\r\nx=1\r\n\r\n");
}

TEST_F(IniTest, BadInputIsReadWithoutCrashingAndFirstDuplicateWins) {
    Put(std::string("[s]\r\nk=first\r\nno equals sign\r\nk=second\r\n[s]\r\nk=third\r\n"
                    "[broken\r\n\x81\r\n=empty key\r\n[t]\r\nv=\x82"));
    IniFile ini(path_);
    EXPECT_EQ(ini.ReadString("s", "k", ""), "first");
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"s", "t"}));
    EXPECT_EQ(ini.ReadString("t", "v", "x"), "\xEF\xBF\xBD");
    std::string before = Get();
    IniFile again(path_); // reading never writes
    EXPECT_EQ(Get(), before);
}

TEST_F(IniTest, MissingFileReadsEmptyAndIsCreatedOnUpdate) {
    IniFile ini(path_);
    EXPECT_FALSE(ini.Existed());
    EXPECT_TRUE(ini.ReadSections().empty());
    ini.WriteInteger("Default", "Ne", 1);
    ini.UpdateFile();
    EXPECT_EQ(Get(), "[Default]\r\nNe=1\r\n\r\n");
}

TEST_F(IniTest, UnencodableValueChangesNothing) {
    Put("[s]\r\nk=v\r\n\r\n");
    IniFile ini(path_);
    EXPECT_THROW(ini.WriteString("s", "k", "😀"), EncodingError);
    EXPECT_THROW(ini.WriteString("新😀", "k", "v"), EncodingError);
    EXPECT_EQ(ini.ReadString("s", "k", ""), "v");
    EXPECT_FALSE(ini.SectionExists("新😀"));
}

// A pasted line break would split the line: the rest would come back as a key
// of its own, or "[...]" as a new section.
TEST_F(IniTest, TextWithALineBreakIsRefusedAndChangesNothing) {
    Put("[s]\r\nk=v\r\n\r\n");
    IniFile ini(path_);
    EXPECT_THROW(ini.WriteString("s", "k", "打放補修\r\n[t]"), EncodingError);
    EXPECT_THROW(ini.WriteString("s", "a\nb", "1"), EncodingError);
    EXPECT_THROW(ini.WriteString("x\ry", "k", "1"), EncodingError);
    ini.UpdateFile();
    EXPECT_EQ(Get(), "[s]\r\nk=v\r\n\r\n");
}

// A save that dies before the rename leaves the old file whole: the new
// content only ever exists under a temporary name.
TEST_F(IniTest, InterruptedSaveLeavesTheOldFileIntact) {
    Put("[s]\r\nk=old\r\n\r\n");
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        IniFile::BeforeRename = [] { _exit(3); }; // the process dies mid-save
        IniFile ini(path_);
        ini.WriteString("s", "k", std::string(1 << 20, 'n'));
        ini.UpdateFile();
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 3);
    EXPECT_EQ(Get(), "[s]\r\nk=old\r\n\r\n");
}

TEST_F(IniTest, FailedSaveIsReportedAndTheOldFileStays) {
    Put("[s]\r\nk=old\r\n\r\n");
    IniFile ini(path_);
    ini.WriteString("s", "k", "new");
    // The folder disappears under the file: fails for root as well.
    fs::rename(dir_, dir_ + ".moved");
    EXPECT_THROW(ini.UpdateFile(), FileError);
    fs::rename(dir_ + ".moved", dir_);
    EXPECT_EQ(Get(), "[s]\r\nk=old\r\n\r\n");
    if (SetReadOnly(dir_, true)) {
        EXPECT_THROW(ini.UpdateFile(), FileError);
        SetReadOnly(dir_, false);
        EXPECT_EQ(Get(), "[s]\r\nk=old\r\n\r\n");
    } else {
        ADD_FAILURE() << "no way to make a read-only folder here";
    }
    // No temporary files are left behind.
    int entries = 0;
    for (auto& e : fs::directory_iterator(dir_)) entries += e.is_regular_file();
    EXPECT_EQ(entries, 1);
}

TEST_F(IniTest, UnchangedFileIsNotRewritten) {
    Put("[s]\r\nk=v\r\n\r\n");
    auto before = fs::last_write_time(path_);
    IniFile ini(path_);
    ini.WriteString("s", "k", "v");
    struct stat st1, st2;
    stat(path_.c_str(), &st1);
    ini.UpdateFile();
    stat(path_.c_str(), &st2);
    EXPECT_EQ(st1.st_ino, st2.st_ino); // a rewrite would have renamed a new file in
    EXPECT_EQ(fs::last_write_time(path_), before);
}

// An item whose name holds bytes that are not CP932 (here 0xFF and a lead
// byte without its trail) must be reachable by its decoded name, take edits
// and come back under its own bytes, so switching away from it never fails.
TEST_F(IniTest, UndecodableNamesAndValuesKeepTheirBytesThroughEdits) {
    const std::string header = "[" + S("擁壁") + "\xFF" + S("北") + "\x81]";
    Put(header + "\r\n" + S("延長さ") + "=100\r\n" + S("仕上表") + "=\xFE\xFD\r\nk\xFF=1\r\n\r\n" +
        S("[次]") + "\r\n\r\n");
    IniFile ini(path_);
    const std::string name = ini.ReadSections().at(0);
    EXPECT_EQ(name, "擁壁\xEF\xBF\xBD北\xEF\xBF\xBD");
    EXPECT_EQ(ini.ReadString(name, "延長さ", ""), "100");
    // The screen writes back every key, the unchanged ones with their decoded text.
    ini.WriteString(name, "延長さ", "2500");
    ini.WriteString(name, "仕上表", ini.ReadString(name, "仕上表", ""));
    ini.WriteString(name, "k\xEF\xBF\xBD", "2");
    ini.WriteString(name, "新キー", "有");
    ini.UpdateFile();
    const std::string saved = header + "\r\n" + S("延長さ") + "=2500\r\n" + S("仕上表") +
                              "=\xFE\xFD\r\nk\xFF=2\r\n" + S("新キー=有") + "\r\n\r\n" +
                              S("[次]") + "\r\n\r\n";
    EXPECT_EQ(Get(), saved);

    IniFile again(path_);
    EXPECT_EQ(again.ReadSections(), ini.ReadSections());
    EXPECT_EQ(again.ReadString(name, "延長さ", ""), "2500");
    // A changed value still has to be CP932, and nothing changes when not.
    EXPECT_THROW(again.WriteString(name, "仕上表", "打放\xEF\xBF\xBD"), EncodingError);
    again.EraseSection(name);
    again.UpdateFile();
    EXPECT_EQ(Get(), S("[次]") + "\r\n\r\n");
}

TEST_F(IniTest, UnreadableLinesAreFoundWithTheirLineAndSection) {
    Put("stray\xFF\r\n\r\n[a]\r\nk=1\r\n\r\n[b\x81]\r\nk=\x82\r\n\r\n[c]\r\nk=1\r\nv=x" +
        std::string(1, '\0') + "y\r\n[c]\r\nk=\xFF\r\n" + S("[大]\r\n仕上=打放\r\n"));
    IniFile ini(path_);
    EXPECT_TRUE(ini.HasSections());
    EXPECT_FALSE(ini.Blank());
    std::vector<std::string> got;
    for (const auto& u : ini.UnreadableLines())
        got.push_back(std::to_string(u.line) + ":" + u.section + (u.inSection ? "" : "-"));
    // The second [c] is hidden by the first and never read.
    EXPECT_EQ(got, (std::vector<std::string>{"1:-", "6:b\xEF\xBF\xBD", "7:b\xEF\xBF\xBD", "11:c"}));
}

// After a save the file keeps being read and edited: it must answer and
// write as the same file read afresh, through erased, copied, renamed and
// edited sections, duplicate keys and lines before the first header.
TEST_F(IniTest, ASavedFileReadsAndSavesAsTheSameFileReadAfresh) {
    Put(S("pre=1\r\n[甲]\r\nA=1\r\na=dup\r\n長さ=10\r\n\r\n[乙]\r\nB=2\r\n\r\n[丙]\r\nC=3\r\n\r\n"));
    IniFile ini(path_);
    ini.EraseSection("乙");
    ASSERT_TRUE(ini.CopySection("甲", "丁"));
    ASSERT_TRUE(ini.RenameSection("丙", "戊"));
    ini.WriteString("甲", "長さ", "200");
    ini.WriteString("丁", "新", "x");
    ini.UpdateFile();
    const auto same = [&](const IniFile& a, const IniFile& b) {
        ASSERT_EQ(a.ReadSections(), b.ReadSections());
        for (const std::string& s : a.ReadSections()) {
            ASSERT_EQ(a.ReadSection(s), b.ReadSection(s)) << s;
            for (const std::string& k : a.ReadSection(s))
                EXPECT_EQ(a.ReadString(s, k, "-"), b.ReadString(s, k, "-")) << s << k;
        }
    };
    same(ini, IniFile(path_));
    EXPECT_EQ(ini.ReadString("丁", "長さ", "-"), "10");
    EXPECT_EQ(ini.ReadString("甲", "A", "-"), "1");
    IniFile fresh(path_);
    for (IniFile* f : {&ini, &fresh}) {
        f->WriteString("戊", "C", "33");
        f->WriteString("甲", "a", "11");
        f->WriteString("己", "F", "6");
    }
    ini.UpdateFile();
    const std::string written = Get();
    EXPECT_EQ(written, fresh.Serialize());
    EXPECT_EQ(written, S("pre=1\r\n[甲]\r\nA=11\r\na=dup\r\n長さ=200\r\n\r\n[丁]\r\nA=1\r\na=dup\r\n"
                         "長さ=10\r\n新=x\r\n\r\n[戊]\r\nC=33\r\n\r\n[己]\r\nF=6\r\n\r\n"));
    same(ini, IniFile(path_));
}
