// The settings file as a record, read from and written to the delivered
// Qrtt.dat without a window: what the record does not change keeps its bytes.
#include "IniFile.h"
#include "Settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using takeoff::Condition;

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

struct SettingsFile : ::testing::Test {
    fs::path path = fs::temp_directory_path() /
                    ("settings_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".dat");
    void SetUp() override { fs::copy_file(YOHEKI_DATA_DIR "/Qrtt.dat", path, fs::copy_options::overwrite_existing); }
    void TearDown() override { fs::remove(path); }
};

TEST_F(SettingsFile, DeliveredFileAndEmptyFileReadAsTheWindowShowsThem) {
    const takeoff::Settings s = takeoff::ReadSettings(yoheki::IniFile(path.string()));
    EXPECT_EQ(s.finishes[0][0], "打放補修");
    EXPECT_EQ(s.finishes[1][2], "モルタル刷毛引");
    EXPECT_EQ(s.finishes[2][9], "アルミ笠木");
    EXPECT_EQ(s.project, "");
    EXPECT_EQ(s.drawingFolder, "");
    const takeoff::Settings none = takeoff::ReadSettings(yoheki::IniFile((path.string() + ".missing")));
    for (Condition c : takeoff::kConditionReadOrder) {
        EXPECT_EQ(s.Code(c), takeoff::FactoryCode(c)) << takeoff::ConditionKey(c);
        EXPECT_EQ(none.Code(c), takeoff::FactoryCode(c)) << takeoff::ConditionKey(c);
    }
    EXPECT_EQ(none.Code(Condition::Nn), 2); // 根入れ差：無
}

TEST_F(SettingsFile, WritesChangeOnlyTheirValues) {
    const std::string before = Bytes(path);
    {
        yoheki::IniFile ini(path.string());
        takeoff::WriteFinishes(ini, {{{"打放補修"}, {}, {}}}); // unchanged text
        ini.UpdateFile();
    }
    EXPECT_EQ(Bytes(path), before);
    yoheki::IniFile ini(path.string());
    std::array<std::int64_t, takeoff::kConditions> codes{};
    codes[static_cast<int>(Condition::Sr)] = 4; // 簡易山止:両面; 0 leaves a code as it is
    takeoff::WriteConditions(ini, codes);
    takeoff::WriteProject(ini, "/home/estimator/A工区.Fa1");
    ini.UpdateFile();
    std::string expected = before;
    expected.replace(expected.find("Sr=1"), 4, "Sr=4");
    expected.replace(expected.find("DL="), 3, "DL=/home/estimator/A\x8dH\x8b\xe6.Fa1");
    EXPECT_EQ(Bytes(path), expected);
    EXPECT_EQ(takeoff::ReadSettings(yoheki::IniFile(path.string())).Code(Condition::Sr), 4);
}

TEST(SettingsRecord, NewKeysFollowTheOrderOfTheirMenu) {
    const fs::path path = fs::temp_directory_path() / "settings_order_test.dat";
    fs::remove(path);
    yoheki::IniFile ini(path.string());
    takeoff::WriteConditions(ini, {1, 2, 1, 3, 2, 2});
    ini.UpdateFile();
    EXPECT_EQ(Bytes(path), "[Default]\r\nNe=1\r\nPs=2\r\nAd=2\r\nNn=1\r\nSr=3\r\nSh=2\r\n\r\n");
    fs::remove(path);
}

} // namespace
