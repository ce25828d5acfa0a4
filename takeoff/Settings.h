#pragma once
// The settings file "Qrtt.dat" as a record, as ItemRecord is for an item:
// the standard finish lists, the recorded project and drawing folder, and the
// default estimating conditions. Reading and writing go through IniFile, so
// whatever the record does not change stays in the file byte for byte.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace yoheki {
class IniFile;
}

namespace takeoff {

inline constexpr const char kSettingsFile[] = "Qrtt.dat";
inline constexpr const char kPathSection[] = "出力ファイル名";

// The three kinds of standard finish, in the order of their sections.
inline constexpr int kFinishKinds = 3;
inline constexpr int kFinishEntries = 10; // keys LSF1 .. LSF10
inline constexpr std::array<const char*, kFinishKinds> kFinishSections = {"表面仕上", "裏面仕上",
                                                                         "天端仕上"};

// The six estimating conditions of section "Default": their keys, and the
// codes a settings file without them gives.
enum class Condition { Ne, Ad, Nn, Sr, Sh, Ps };
inline constexpr int kConditions = 6;
const char* ConditionKey(Condition c);
int FactoryCode(Condition c);
// The order the conditions are read and reset in, and the order "デフォルト"
// stores them in (new keys are added to the file in that order).
extern const std::array<Condition, kConditions> kConditionReadOrder;
extern const std::array<Condition, kConditions> kConditionStoreOrder;

struct Settings {
    std::array<std::array<std::string, kFinishEntries>, kFinishKinds> finishes;
    std::string project;       // DL: the project opened last
    std::string drawingFolder; // TF: where the structure drawings are
    // By Condition; the factory code where the file has none.
    std::array<std::int64_t, kConditions> conditions{};

    std::int64_t Code(Condition c) const { return conditions[static_cast<int>(c)]; }
};

// The record as the file holds it; an empty IniFile gives the factory record.
Settings ReadSettings(const yoheki::IniFile& file);
// The code of one condition, the factory code when the file has none.
std::int64_t ReadCondition(const yoheki::IniFile& file, Condition c);

// The first `count[k]` finishes of each kind, entry by entry.
void WriteFinishes(yoheki::IniFile& file,
                   const std::array<std::vector<std::string>, kFinishKinds>& lists);
void WriteDrawingFolder(yoheki::IniFile& file, const std::string& folder);
void WriteProject(yoheki::IniFile& file, const std::string& project);
// The conditions in store order; a code of 0 (no choice) is left as it is.
void WriteConditions(yoheki::IniFile& file, const std::array<std::int64_t, kConditions>& codes);
// Every condition back to its factory code, in read order.
void WriteFactoryConditions(yoheki::IniFile& file);

} // namespace takeoff
