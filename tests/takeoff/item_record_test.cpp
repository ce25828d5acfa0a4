// An item between its section of the project file and the record, without a
// window: every item of the sample written back unchanged leaves the file's
// bytes as they were, a record survives writing and reading, and a missing
// key reads as the screen's default.
#include "Error.h"
#include "IniFile.h"
#include "ItemRecord.h"
#include "NativePath.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

struct ItemFile : ::testing::Test {
    fs::path dir = fs::temp_directory_path() / ("item_record_test_" + std::to_string(::getpid()));
    fs::path path = dir / "p.Fa1";
    void SetUp() override {
        fs::create_directories(dir);
        fs::copy_file(yoheki::FsPath(YOHEKI_DATA_DIR "/見本工事.Fa1"), path);
    }
    void TearDown() override { fs::remove_all(dir); }
};

TEST_F(ItemFile, EveryItemWrittenBackUnchangedAndAgainUnderANewName) {
    const std::string before = Bytes(path);
    ProjectFile file;
    const std::vector<std::string> names = file.Open(path.string()).ReadSections();
    ASSERT_GE(names.size(), 3u);
    for (const std::string& name : names)
        takeoff::WriteItem(file, name, takeoff::ReadItem(file.Open(path.string()), name));
    file.Update();
    EXPECT_EQ(Bytes(path), before);
    for (const std::string& name : names) {
        const takeoff::ItemRecord item = takeoff::ReadItem(file.Open(path.string()), name);
        takeoff::WriteItem(file, name + "写", item);
        file.Update();
        EXPECT_EQ(takeoff::ReadItem(yoheki::IniFile(path.string()), name + "写"), item) << name;
    }
}

TEST_F(ItemFile, MissingKeysReadAsTheEmptyScreenAndUnwritableTextChangesNothing) {
    std::ofstream(path, std::ios::binary | std::ios::app) << "[bare]\r\n\r\n";
    ProjectFile file;
    const takeoff::ItemRecord bare = takeoff::ReadItem(file.Open(path.string()), "bare");
    takeoff::ItemRecord empty;
    // Pipe spacing, block height and width of an item without pipes or blocks.
    empty.REdit[10] = empty.REdit[11] = empty.REdit[16] = "0";
    EXPECT_EQ(bare, empty);
    EXPECT_EQ(takeoff::Mode(bare), engine::StructureMode::Wall);
    const std::string before = Bytes(path);
    takeoff::ItemRecord odd = bare;
    odd.front = "\u00e9\u20ac"; // CP932 holds neither
    EXPECT_THROW(takeoff::WriteItem(file, "bare", odd), yoheki::EncodingError);
    file.Drop();
    EXPECT_EQ(Bytes(path), before);
}

} // namespace
