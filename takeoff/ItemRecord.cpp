#include "ItemRecord.h"

#include "IniFile.h"
#include "ItemTexts.h"
#include "SectionReader.h"
#include "UT_CLDir.h"

using namespace itemkey;

namespace takeoff {

namespace {

// One section of the parsed project file, read with the defaults of a
// missing key.
template <class Source> struct Section {
    const Source& ini;
    std::string_view name;
    std::string Str(const char* key, const char* def = "") const {
        return ini.ReadString(name, key, def);
    }
    int Int(const char* key, int def) const {
        return static_cast<int>(ini.ReadInteger(name, key, def));
    }
    bool Bool(const char* key) const { return ini.ReadBool(name, key, false); }
};

// A radio group given an index it does not have selects nothing.
int BarIndex(int value) {
    return value >= 0 && value < 3 ? value : -1;
}

// A condition code outside 1..entries unchecks the whole group.
int Code(int value, int entries) {
    return value >= 1 && value <= entries ? value : 0;
}

constexpr const char* kDimensionKeys[] = {kRunLength, kFrontHeight, kBackHeight,
                                          kEmbedment, kLevelling,   kStone,
                                          kBaseWidth, kWallWidth,   kBaseThick};

// The screen switches that loading runs between the modes (the base and
// ditch screens empty and hide some fields) all happen before the fields are
// set from the file, so every value below is the file's own.
template <class Source> void ReadDimensions(ItemRecord& r, const Section<Source>& s) {
    for (int n = 1; n <= 9; ++n)
        r.REdit[n] = s.Str(kDimensionKeys[n - 1]);
    r.front = s.Str(kFrontFinish);
    r.back = s.Str(kBackFinish);
    r.top = s.Str(kTopFinish);
}

// Ticking a check box runs its click behaviour; the values read after it
// override whatever that behaviour put into the fields.
template <class Source> void ReadPipesAndBlocks(ItemRecord& r, const Section<Source>& s) {
    r.pipes = s.Bool(kPipes);
    r.REdit[10] = r.pipes ? s.Str(kPipeSpacing, "3000") : "0";
    r.blocks = s.Bool(kBlocks);
    r.blockFront = r.blocks ? s.Str(kBlockFront) : "";
    r.blockBack = r.blocks ? s.Str(kBlockBack) : "";
    r.blockTop = r.blocks ? s.Str(kBlockTop) : "";
    r.REdit[11] = r.blocks ? s.Str(kBlockHeight) : "0";
    r.REdit[16] = r.blocks ? s.Str(kBlockWidth) : "0";
}

// With the reinforcement calculation on, the bar-rate field is emptied and
// hidden (the check box's click behaviour); the rate itself stays with the
// item so that saving it keeps the file's value.
template <class Source> void ReadReinforcement(ItemRecord& r, const Section<Source>& s) {
    r.rebar = s.Bool(kRebar);
    const char* pitchKeys[] = {kBasePitch, kUpVertPitch, kBaseDistPitch, kUpHorzPitch};
    for (int k = 0; k < 4; ++k)
        r.REdit[12 + k] = r.rebar ? s.Str(pitchKeys[k]) : "";
    r.RG_BL = r.rebar ? BarIndex(s.Int(kBaseBars, -1)) : -1;
    r.RG_TL = r.rebar ? BarIndex(s.Int(kUpVertBars, -1)) : -1;
    r.RG_HL = r.rebar ? BarIndex(s.Int(kBaseDistBars, -1)) : -1;
    r.RG_YL = r.rebar ? BarIndex(s.Int(kUpHorzBars, -1)) : -1;
    r.baseDouble = s.Bool(kBaseDouble);
    r.upDouble = s.Bool(kUpDouble);
    r.barRate = s.Str(kBarRate);
    r.REdit[18] = r.rebar ? "" : r.barRate;
}

// The condition setters check the entry of the code, or none when the code
// is outside the group; the embedment difference is "有" or "無".
template <class Source> void ReadConditions(ItemRecord& r, const Section<Source>& s) {
    r.Ne = Code(s.Int(kExcav, 0), 4);
    r.Ps = Code(s.Int(kBackfill, 0), 2);
    r.Ad = Code(s.Int(kSubBase, 0), 3);
    r.embedDiff = s.Bool(kEmbedDiff);
    r.Sr = Code(s.Int(kRetain, 0), 4);
    r.Sh = Code(s.Int(kSubstrate, 0), 4);
    r.level = s.Bool(kLevelOn);
    r.REdit[17] = s.Str(kLevelDiff);
}

template <class Source> void ReadExtras(ItemRecord& r, const Section<Source>& s) {
    r.count = ParseCount(s.Str(kCount, "1")).value_or(1);
    r.group = s.Str(kGroup);
    r.remark = s.Str(kRemark);
}

// Every value of the extras, for comparing what was loaded with the screen.
template <class Sink> void WriteExtras(Sink& sink, std::string_view sec, const ItemRecord& r) {
    sink.WriteInteger(sec, kCount, r.count);
    sink.Write(sec, kGroup, r.group);
    sink.Write(sec, kRemark, r.remark);
}

// Into the file they go by WriteKey's rule.
void WriteExtras(ProjectFile& file, std::string_view sec, const ItemRecord& r) {
    WriteKey(file, sec, kCount, std::to_string(r.count));
    WriteKey(file, sec, kGroup, r.group);
    WriteKey(file, sec, kRemark, r.remark);
}

template <class Sink> void WriteFields(Sink& file, std::string_view sec, const ItemRecord& r) {
    for (int n = 1; n <= 9; ++n)
        file.Write(sec, kDimensionKeys[n - 1], r.REdit[n]);
    file.Write(sec, kBarRate, r.barRate);
    file.Write(sec, kFrontFinish, r.front);
    file.Write(sec, kBackFinish, r.back);
    file.Write(sec, kTopFinish, r.top);
    file.WriteBool(sec, kPipes, r.pipes);
    file.Write(sec, kPipeSpacing, r.pipes ? r.REdit[10] : "");
    file.WriteBool(sec, kBlocks, r.blocks);
    file.Write(sec, kBlockFront, r.blocks ? r.blockFront : "");
    file.Write(sec, kBlockBack, r.blocks ? r.blockBack : "");
    file.Write(sec, kBlockTop, r.blocks ? r.blockTop : "");
    file.Write(sec, kBlockHeight, r.blocks ? r.REdit[11] : "");
    file.Write(sec, kBlockWidth, r.blocks ? r.REdit[16] : "");
    if (!r.blocks)
        file.WriteBool(sec, kBlockCoping, false);
}

template <class Sink> void WriteReinforcement(Sink& file, std::string_view sec, const ItemRecord& r) {
    file.WriteBool(sec, kRebar, r.rebar);
    const char* pitchKeys[] = {kBasePitch, kUpVertPitch, kBaseDistPitch, kUpHorzPitch};
    for (int k = 0; k < 4; ++k)
        file.Write(sec, pitchKeys[k], r.rebar ? r.REdit[12 + k] : "");
    const char* barKeys[] = {kBaseBars, kUpVertBars, kBaseDistBars, kUpHorzBars};
    const int bars[] = {r.RG_BL, r.RG_TL, r.RG_HL, r.RG_YL};
    for (int k = 0; k < 4; ++k)
        file.WriteInteger(sec, barKeys[k], r.rebar ? bars[k] : 0);
    file.WriteBool(sec, kBaseDouble, r.baseDouble);
    file.WriteBool(sec, kUpDouble, r.upDouble);
}

template <class Sink> void WriteConditions(Sink& file, std::string_view sec, const ItemRecord& r) {
    file.WriteInteger(sec, kExcav, r.Ne);
    file.WriteInteger(sec, kBackfill, r.Ps);
    file.WriteInteger(sec, kSubBase, r.Ad);
    file.WriteBool(sec, kEmbedDiff, r.embedDiff);
    file.WriteInteger(sec, kRetain, r.Sr);
    file.WriteInteger(sec, kSubstrate, r.Sh);
    file.WriteBool(sec, kLevelOn, r.level);
    file.Write(sec, kLevelDiff, r.level ? r.REdit[17] : "");
    file.WriteBool(sec, kModeBase, r.base);
    file.WriteBool(sec, kModeDitch, r.ditch);
}

void SetMarks(engine::Snapshot& s, const ItemRecord& r) {
    s.S1 = r.Ne == 1, s.Y1 = r.Ne == 2, s.N6061 = r.Ne == 3, s.N4541 = r.Ne == 4;
    s.N1001 = r.Ad == 1, s.N5051 = r.Ad == 2, s.N001 = r.Ad == 3;
    s.N4 = r.embedDiff, s.N5 = !r.embedDiff;
    s.N8 = r.Sr == 1, s.H1 = r.Sr == 2, s.U1 = r.Sr == 3, s.R2 = r.Sr == 4;
    s.N22 = r.Sh == 1, s.M1 = r.Sh == 2, s.N110 = r.Sh == 3, s.N23 = r.Sh == 4;
    s.K3 = r.Ps == 1, s.M2 = r.Ps == 2;
    s.A1 = r.level;
    s.B1 = r.base, s.U2 = r.ditch;
}

} // namespace

engine::StructureMode Mode(const ItemRecord& item) {
    return engine::ModeOf(item.base, item.ditch);
}

template <class Source> ItemRecord ReadFrom(const Source& ini, std::string_view section) {
    const Section<Source> s{ini, section};
    ItemRecord r;
    // An item stored as both a base and a ditch loads as a wall.
    r.base = s.Bool(kModeBase);
    r.ditch = s.Bool(kModeDitch);
    if (r.base && r.ditch)
        r.base = r.ditch = false;
    ReadDimensions(r, s);
    ReadPipesAndBlocks(r, s);
    ReadReinforcement(r, s);
    ReadConditions(r, s);
    ReadExtras(r, s);
    return r;
}

ItemRecord ReadItem(const yoheki::IniFile& ini, std::string_view section) {
    return ReadFrom(ini, section);
}

ItemRecord ReadItem(const SectionView& view, std::string_view section) {
    return ReadFrom(view, section);
}

namespace {

// Collects what WriteItem would write, in its order.
struct Collector {
    KeyValues values;
    void Write(std::string_view, std::string_view key, std::string_view value) {
        values.emplace_back(std::string(key), std::string(value));
    }
    void WriteInteger(std::string_view s, std::string_view key, long long value) {
        Write(s, key, std::to_string(value));
    }
    void WriteBool(std::string_view s, std::string_view key, bool value) {
        Write(s, key, value ? "1" : "0");
    }
};

template <class Sink> void WriteAll(Sink& sink, std::string_view section, const ItemRecord& item) {
    WriteFields(sink, section, item);
    WriteReinforcement(sink, section, item);
    WriteConditions(sink, section, item);
    WriteExtras(sink, section, item);
}

} // namespace

void WriteItem(ProjectFile& file, std::string_view section, const ItemRecord& item) {
    WriteAll(file, section, item);
}

KeyValues ItemValues(const ItemRecord& item) {
    Collector c;
    WriteAll(c, "", item);
    return std::move(c.values);
}

void WriteKey(ProjectFile& file, std::string_view section, std::string_view key,
              const std::string& value) {
    // The keys beyond the original ones are written only when the item's
    // value differs from what the file gives for it: a project that never
    // sets them keeps its bytes, and a stored count that is no number stays
    // as typed until the user gives the item another count.
    if (key == kCount) {
        if (ParseCount(file.Read(section, kCount, "1")).value_or(1) != ParseCount(value).value_or(1))
            file.Write(section, key, value);
    } else if (key == kGroup || key == kRemark) {
        if (file.Read(section, key) != value)
            file.Write(section, key, value);
    } else {
        file.Write(section, key, value);
    }
}

std::optional<int> ParseCount(std::string_view text) {
    // Full-width digits are what a Japanese input method gives.
    std::string ascii;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == 0xEF && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xBC &&
            static_cast<unsigned char>(text[i + 2]) >= 0x90 &&
            static_cast<unsigned char>(text[i + 2]) <= 0x99) {
            ascii += static_cast<char>('0' + static_cast<unsigned char>(text[i + 2]) - 0x90);
            i += 2;
        } else if (c == 0xE3 && text.substr(i, 3) == "\u3000") {
            i += 2;
        } else if (c != ' ' && c != '\t') {
            ascii += static_cast<char>(c);
        }
    }
    if (ascii.empty() || ascii.size() > 5 || ascii.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const int n = std::stoi(ascii);
    if (n < 1 || n > kMaxCount)
        return std::nullopt;
    return n;
}

std::string CountProblem(std::string_view text) {
    if (ParseCount(text))
        return "";
    return "箇所数【" + std::string(text) + "】は使えません\n\r1から" +
           std::to_string(kMaxCount) + "までの整数を入力して下さい";
}

std::string Caption(const std::string& projectPath) {
    return itemtext::kCaptionPrefix + yoheki::BareName(projectPath);
}

engine::Snapshot ToSnapshot(const ItemRecord& r, const std::string& name,
                            const std::string& caption, RunFlags flags) {
    engine::Snapshot s;
    s.REdit = r.REdit;
    s.ComboBox[1] = name;
    s.ComboBox[2] = r.front;
    s.ComboBox[3] = r.back;
    s.ComboBox[4] = r.top;
    // Loading copies the wall finishes into the stash.
    s.YH_H = r.front;
    s.YH_U = r.back;
    s.YH_T = r.top;
    s.CB_H = r.blockFront;
    s.CB_U = r.blockBack;
    s.CB_T = r.blockTop;
    s.caption = caption;
    s.CheckBox1 = r.rebar;
    s.CheckBox2 = r.pipes;
    s.CheckBox3 = r.blocks;
    s.CheckBox5 = r.baseDouble;
    s.CheckBox6 = r.upDouble;
    s.RG_BL = r.RG_BL;
    s.RG_HL = r.RG_HL;
    s.RG_TL = r.RG_TL;
    s.RG_YL = r.RG_YL;
    SetMarks(s, r);
    s.D2 = flags.summaryBox;
    s.Q1 = flags.continuous;
    return s;
}

} // namespace takeoff
