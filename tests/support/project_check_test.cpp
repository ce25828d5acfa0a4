#include "IniFile.h"
#include "ProjectCheck.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>

using namespace yoheki;
namespace fs = std::filesystem;

namespace {

class ProjectCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = (fs::temp_directory_path() / ("check_test_" + std::to_string(std::random_device{}())))
                   .string();
        fs::create_directories(dir_);
        path_ = dir_ + "/p.Fa1";
    }
    void TearDown() override { fs::remove_all(dir_); }
    ProjectCheck Check(const std::string& bytes) {
        std::ofstream(path_, std::ios::binary) << bytes;
        return CheckProject(IniFile(path_));
    }
    std::string dir_, path_;
};

} // namespace

TEST_F(ProjectCheckTest, EmptyAndSectionlessFilesAreNoProject) {
    EXPECT_EQ(CheckProject(IniFile(path_)).kind, ProjectCheck::Kind::Empty); // missing
    for (const std::string& blank : {std::string(), std::string("\r\n\r\n"), std::string(" \n")}) {
        const ProjectCheck c = Check(blank);
        EXPECT_EQ(c.kind, ProjectCheck::Kind::Empty);
        EXPECT_EQ(c.messages, std::vector<std::string>{EmptyProjectMessage(path_)});
    }
    std::mt19937 random(18);
    std::string noise(1 << 20, '\0');
    for (char& b : noise) b = static_cast<char>(random());
    const std::string binaries[] = {std::string("\x7F" "ELF\x02\x01\x01", 7) + std::string(4096, '\0'),
                                    std::string(1000, '\0'), "k=v\r\nno header\r\n[open\r\n"};
    for (const std::string& bytes : binaries) {
        const ProjectCheck c = Check(bytes);
        EXPECT_EQ(c.kind, ProjectCheck::Kind::NotProject);
        ASSERT_EQ(c.messages.size(), 1u);
        EXPECT_EQ(c.messages[0], "ファイル【" + path_ +
                                     "】は物件ファイルではありません\n\r（「[拾い名称]」の行が1つもありません）");
    }
    // Random bytes may hold a chance "[...]" line; whatever they hold, every
    // item found in them is unreadable.
    const ProjectCheck c = Check(noise);
    IniFile ini(path_);
    EXPECT_EQ(c.unreadableItems, ini.ReadSections());
}

TEST_F(ProjectCheckTest, UnreadableItemsAreNamedOnceWithTheirFirstLine) {
    const ProjectCheck c = Check("x\xFF\r\n[ok]\r\nk=1\r\n\r\n[bad]\r\nk=1\r\nv=\x82\r\nw=\xFF\r\n\r\n"
                                 "[n\xFF]\r\nk=1\r\n\r\n[ok2]\r\n\r\n");
    EXPECT_EQ(c.kind, ProjectCheck::Kind::Project);
    const std::string n = "n\xEF\xBF\xBD";
    EXPECT_EQ(c.unreadableItems, (std::vector<std::string>{"bad", n}));
    EXPECT_TRUE(c.Unreadable("bad"));
    EXPECT_TRUE(c.Unreadable(n));
    EXPECT_FALSE(c.Unreadable("ok"));
    EXPECT_FALSE(c.Unreadable("ok2"));
    const std::string file = "物件ファイル【" + path_ + "】";
    EXPECT_EQ(c.messages,
              (std::vector<std::string>{
                  file + "の1行目にShift-JIS(CP932)として読めない文字があります（拾いの外の行なので使いません）",
                  file + "の拾い【bad】の7行目にShift-JIS(CP932)として読めない文字があります\n\r"
                         "この拾いは除いて続けます",
                  file + "の拾い【" + n + "】の10行目にShift-JIS(CP932)として読めない文字があります\n\r"
                         "この拾いは除いて続けます"}));
    EXPECT_TRUE(Check("[a]\r\nk=" + std::string("\x88\x9F", 2) + "\r\n").messages.empty()); // 亜
}
