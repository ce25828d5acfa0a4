#include "IniFile.h"
#include "NativePath.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <set>

using namespace yoheki;

TEST(BundledData, SettingsFileHoldsTenFinishesOfEachKindAndFactoryDefaults) {
    IniFile ini(YOHEKI_DATA_DIR "/Qrtt.dat");
    ASSERT_TRUE(ini.Existed());
    int names = 0;
    for (const char* section : {"表面仕上", "裏面仕上", "天端仕上"})
        for (int n = 1; n <= 10; ++n)
            names += !ini.ReadString(section, "LSF" + std::to_string(n), "").empty();
    EXPECT_EQ(names, 30);
    EXPECT_TRUE(ini.ValueExists("出力ファイル名", "DL"));
    const std::pair<const char*, int> defaults[] = {{"Ne", 1}, {"Ad", 1}, {"Nn", 2},
                                                    {"Sr", 1}, {"Sh", 1}, {"Ps", 1}};
    for (auto [key, value] : defaults) EXPECT_EQ(ini.ReadInteger("Default", key, -1), value);
}

TEST(BundledData, SampleProjectHoldsItemsOfAllThreeKinds) {
    IniFile ini(YOHEKI_DATA_DIR "/見本工事.Fa1");
    auto items = ini.ReadSections();
    ASSERT_GE(items.size(), 6u);
    std::set<int> modes;
    for (const auto& item : items) {
        bool base = ini.ReadBool(item, "ベース", false), ditch = ini.ReadBool(item, "Ｕ字溝", false);
        modes.insert(base ? 2 : ditch ? 3 : 1);
        EXPECT_FALSE(ini.ReadString(item, "延長さ", "").empty()) << item;
    }
    EXPECT_EQ(modes, (std::set<int>{1, 2, 3}));
    // Written in the normal form: saving it unchanged gives the same bytes.
    EXPECT_EQ(ini.Serialize().size(), static_cast<std::size_t>(std::filesystem::file_size(yoheki::FsPath(
                                          YOHEKI_DATA_DIR "/見本工事.Fa1"))));
}
