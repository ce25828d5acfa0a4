// The project read one section at a time gives every item exactly as the
// whole-file reader does, over files with the oddities estimators' files
// have: names and keys in other letter cases, duplicates, stray lines, bare
// CR line ends, bytes that are not CP932.
#include "Cp932.h"
#include "IniFile.h"
#include "ItemRecord.h"
#include "ItemTexts.h"
#include "SectionReader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

using namespace itemkey;

const char* const kKeys[] = {kRunLength, kFrontHeight, kBarRate,   kFrontFinish, kPipes,
                             kPipeSpacing, kBlocks,    kBlockWidth, kRebar,      kBasePitch,
                             kBaseBars,  kExcav,       kEmbedDiff,  kLevelOn,    kLevelDiff,
                             kModeBase,  kModeDitch,   "level有無", "LEVEL差"};
const char* const kValues[] = {"", "0", "1", "2", "1500", "-20", " 7", "x", "ｺﾝｸﾘｰﾄ", "\xFF"};
const char* const kNames[] = {"A", "a", "壁1", "Ｕ字溝", "基礎\xFF", "B"};

std::string Cp932(const std::string& utf8) {
    // Bytes that are not UTF-8 text stand for bad bytes in the file.
    return utf8.find('\xFF') != std::string::npos ? utf8 : yoheki::cp932::Encode(utf8);
}

std::string RandomFile(std::mt19937& rng) {
    const auto pick = [&](auto& pool) { return pool[rng() % std::size(pool)]; };
    const char* const ends[] = {"\r\n", "\n", "\r"};
    std::string file;
    if (rng() % 4 == 0)
        file += "stray line\r\n";
    for (int s = 0, n = 1 + static_cast<int>(rng() % 6); s < n; ++s) {
        file += '[';
        file += Cp932(pick(kNames)) + "]" + pick(ends);
        for (int k = 0, m = static_cast<int>(rng() % 12); k < m; ++k) {
            if (rng() % 10 == 0)
                file += std::string("no equals sign") + pick(ends);
            file += Cp932(std::string(pick(kKeys)) + "=" + pick(kValues)) + pick(ends);
        }
        if (rng() % 2)
            file += "\r\n";
    }
    return file;
}

TEST(SectionReader, ReadsEveryItemAsTheWholeFileReaderDoes) {
    std::mt19937 rng(8);
    const std::string path =
        (std::filesystem::temp_directory_path() / "section_reader_test.Fa1").string();
    for (int round = 0; round < 500; ++round) {
        const std::string bytes = RandomFile(rng);
        std::ofstream(path, std::ios::binary) << bytes;
        const yoheki::IniFile ini(path);
        takeoff::SectionReader reader(bytes);
        std::vector<std::string> names;
        reader.ForEach([&](const std::string& name, const takeoff::SectionView& view, std::size_t) {
            names.push_back(name);
            EXPECT_TRUE(takeoff::ReadItem(view, name) == takeoff::ReadItem(ini, name))
                << "round " << round << " item " << name;
        });
        EXPECT_EQ(names, ini.ReadSections()) << "round " << round;
        EXPECT_EQ(reader.HasSections(), ini.HasSections());
    }
    std::remove(path.c_str());
}

TEST(SectionReader, TellsTheFirstUnreadableLineOfAnItemAndTheStrayOnes) {
    const std::string bytes = "\xFF\r\n[A]\r\n" + Cp932("延長さ=10") + "\r\n" + Cp932("幅=") +
                              "\x81\r\n[B]\r\n" + Cp932("延長さ=20") + "\r\n";
    takeoff::SectionReader reader(bytes);
    std::vector<std::pair<std::string, std::size_t>> seen;
    reader.ForEach([&](const std::string& name, const takeoff::SectionView&, std::size_t bad) {
        seen.emplace_back(name, bad);
    });
    EXPECT_EQ(seen, (std::vector<std::pair<std::string, std::size_t>>{{"A", 4}, {"B", 0}}));
    EXPECT_EQ(reader.StrayBadLines(), std::vector<std::size_t>{1});
    EXPECT_FALSE(reader.Blank());
    EXPECT_TRUE(takeoff::SectionReader(" \r\n\r\n").Blank());
}

} // namespace
