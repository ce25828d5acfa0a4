#include "SameFile.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;
using yoheki::SameFile;

namespace {

class SameFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("samefile-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "sub");
        Write(root / "P.Fa1", "[A]\r\n");
        Write(root / "copy.Fa1", "[A]\r\n"); // equal bytes, another file
        fs::create_symlink(root / "P.Fa1", root / "link.txt");
        fs::create_symlink("P.Fa1", root / "relative-link.txt");
        fs::create_hard_link(root / "P.Fa1", root / "hard.csv");
        fs::create_symlink(root / "missing", root / "dangling.txt");
    }
    void TearDown() override { fs::remove_all(root); }

    static void Write(const fs::path& p, const char* text) { std::ofstream(p) << text; }
    std::string At(const std::string& name) const { return (root / name).string(); }

    fs::path root;
};

TEST_F(SameFileTest, OneFileUnderEverySpellingAndNoOtherFile) {
    const std::string project = At("P.Fa1");
    struct Case {
        std::string output;
        bool same;
    } cases[] = {
        {project, true},
        {At("./P.Fa1"), true},
        {At("sub/../P.Fa1"), true},
        {root.string() + "//P.Fa1", true},
        {At("link.txt"), true},
        {At("relative-link.txt"), true},
        {At("hard.csv"), true},
        {At("copy.Fa1"), false},     // same content is not the same file
        {At("new.txt"), false},      // not there yet: nothing to overwrite
        {At("dangling.txt"), false}, // a link to nothing names no input either
        {At("sub"), false},
        {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SameFile(c.output, project), c.same) << c.output;
        EXPECT_EQ(SameFile(project, c.output), c.same) << c.output; // either order
    }
}

} // namespace
