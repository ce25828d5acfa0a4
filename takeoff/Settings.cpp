#include "Settings.h"

#include "IniFile.h"

namespace takeoff {

namespace {

const char* const kDefaultSection = "Default";

struct ConditionEntry {
    const char* key;
    int factory;
};
// By Condition: Ne 根入要領, Ad 出幅, Nn 根入れ差, Sr 簡易山止, Sh 仕上下地, Ps 埋戻.
constexpr ConditionEntry kConditionEntries[kConditions] = {
    {"Ne", 1}, {"Ad", 1}, {"Nn", 2}, {"Sr", 1}, {"Sh", 1}, {"Ps", 1}};

std::string FinishKey(int n) {
    return "LSF" + std::to_string(n);
}

} // namespace

const std::array<Condition, kConditions> kConditionReadOrder = {
    Condition::Ne, Condition::Ad, Condition::Nn, Condition::Sr, Condition::Sh, Condition::Ps};
const std::array<Condition, kConditions> kConditionStoreOrder = {
    Condition::Ne, Condition::Ps, Condition::Ad, Condition::Nn, Condition::Sr, Condition::Sh};

const char* ConditionKey(Condition c) {
    return kConditionEntries[static_cast<int>(c)].key;
}

int FactoryCode(Condition c) {
    return kConditionEntries[static_cast<int>(c)].factory;
}

std::int64_t ReadCondition(const yoheki::IniFile& file, Condition c) {
    return file.ReadInteger(kDefaultSection, ConditionKey(c), FactoryCode(c));
}

Settings ReadSettings(const yoheki::IniFile& file) {
    Settings s;
    for (int k = 0; k < kFinishKinds; ++k)
        for (int n = 1; n <= kFinishEntries; ++n)
            s.finishes[k][n - 1] = file.ReadString(kFinishSections[k], FinishKey(n), "");
    s.project = file.ReadString(kPathSection, "DL", "");
    s.drawingFolder = file.ReadString(kPathSection, "TF", "");
    for (Condition c : kConditionReadOrder)
        s.conditions[static_cast<int>(c)] = ReadCondition(file, c);
    return s;
}

void WriteFinishes(yoheki::IniFile& file,
                   const std::array<std::vector<std::string>, kFinishKinds>& lists) {
    // Entry by entry across the kinds, so that a file without the sections
    // gets them in their own order.
    for (int n = 1; n <= kFinishEntries; ++n)
        for (int k = 0; k < kFinishKinds; ++k)
            if (n <= static_cast<int>(lists[k].size()))
                file.WriteString(kFinishSections[k], FinishKey(n), lists[k][n - 1]);
}

void WriteDrawingFolder(yoheki::IniFile& file, const std::string& folder) {
    file.WriteString(kPathSection, "TF", folder);
}

void WriteProject(yoheki::IniFile& file, const std::string& project) {
    file.WriteString(kPathSection, "DL", project);
}

void WriteConditions(yoheki::IniFile& file, const std::array<std::int64_t, kConditions>& codes) {
    for (Condition c : kConditionStoreOrder)
        if (const std::int64_t code = codes[static_cast<int>(c)]; code != 0)
            file.WriteInteger(kDefaultSection, ConditionKey(c), code);
}

void WriteFactoryConditions(yoheki::IniFile& file) {
    for (Condition c : kConditionReadOrder)
        file.WriteInteger(kDefaultSection, ConditionKey(c), FactoryCode(c));
}

} // namespace takeoff
