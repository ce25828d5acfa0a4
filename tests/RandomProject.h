#pragma once
// Random projects as users and other programs leave them: a few items of every
// kind, texts that are not numbers, keys left out now and then so that their
// defaults apply. Shared by the window's equivalence test and the program that
// writes projects for comparing the Linux and Windows builds.
#include "IniFile.h"
#include "ItemTexts.h"

#include <random>
#include <string>
#include <vector>

namespace randomproject {

using namespace itemkey;

// Texts a user or another program may leave in a field.
inline const char* const kTexts[] = {"",     "0",     "10",    "1500",  "1234", "2000", "-300",
                                     " 250", "12a",   "１２",  "abc",   "9999999999",
                                     "3000", "70",    "0050",  "+40",   "〜",  "ｺﾝｸﾘｰﾄ金ごて"};
inline const char* const kInts[] = {"0", "1", "2", "3", "4", "5", "-1", "7", "x", "", " 2", "99999999999"};
inline const char* const kBools[] = {"0", "1", "2", "-1", "x", ""};

inline const char* const kTextKeys[] = {kRunLength,   kFrontHeight,  kBackHeight,    kEmbedment,
                                        kLevelling,   kStone,        kBaseWidth,     kWallWidth,
                                        kBaseThick,   kBarRate,      kFrontFinish,   kBackFinish,
                                        kTopFinish,   kPipeSpacing,  kBlockFront,    kBlockBack,
                                        kBlockTop,    kBlockHeight,  kBlockWidth,    kBasePitch,
                                        kUpVertPitch, kBaseDistPitch, kUpHorzPitch,  kLevelDiff};
inline const char* const kIntKeys[] = {kBaseBars, kUpVertBars, kBaseDistBars, kUpHorzBars, kExcav,
                                       kBackfill, kSubBase,    kRetain,       kSubstrate};
inline const char* const kBoolKeys[] = {kPipes,    kBlocks,   kBlockCoping, kRebar,     kBaseDouble,
                                        kUpDouble, kEmbedDiff, kLevelOn,    kModeBase,  kModeDitch};

class Generator {
  public:
    explicit Generator(std::mt19937& rng) : rng_(rng) {}

    template <std::size_t N> const char* Pick(const char* const (&pool)[N]) {
        return pool[std::uniform_int_distribution<std::size_t>(0, N - 1)(rng_)];
    }
    bool Chance(int percent) { return std::uniform_int_distribution<int>(0, 99)(rng_) < percent; }

    // Items "拾い1" to "拾い<items>" into `ini`, saved.
    void Write(yoheki::IniFile& ini, int items) {
        const std::vector<std::string> finishes = {"", "ｺﾝｸﾘｰﾄ金ごて", "モルタル塗り", "吹付タイル"};
        for (int i = 0; i < items; ++i) {
            const std::string sec = "拾い" + std::to_string(i + 1);
            for (const char* key : kTextKeys)
                if (Chance(90))
                    ini.WriteString(sec, key, Pick(kTexts));
            for (const char* key : {kFrontFinish, kBackFinish, kTopFinish})
                if (Chance(50))
                    ini.WriteString(sec, key, finishes[rng_() % finishes.size()]);
            for (const char* key : kIntKeys)
                if (Chance(90))
                    ini.WriteString(sec, key, Pick(kInts));
            for (const char* key : kBoolKeys)
                if (Chance(85))
                    ini.WriteString(sec, key, Chance(60) ? Pick(kBools) : "1");
        }
        ini.UpdateFile();
    }

  private:
    std::mt19937& rng_;
};

} // namespace randomproject
