#pragma once
// One take-off item as plain data: what the main window's controls hold once
// the item is loaded, and the two mappings the window performs with it, from
// a section of the project file and back. The window fills its controls from
// a record and reads one back from them; everything else (runs, text output,
// the summary, the command-line program) works on records alone.
#include "ProjectFile.h"
#include "Snapshot.h"
#include "Structure.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace yoheki {
class IniFile;
}

namespace takeoff {

struct ItemRecord {
    // REdit1 .. REdit18 at their own numbers: dimensions, pipe spacing, block
    // height and width, the four pitches, level difference, bar rate.
    std::array<std::string, 19> REdit;
    // The wall finishes (ComboBox2, ComboBox3, ComboBox4) and the block
    // finish store (CB_H, CB_U, CB_T).
    std::string front, back, top;
    std::string blockFront, blockBack, blockTop;
    bool rebar = false;  // CheckBox1 鉄筋計算
    bool pipes = false;  // CheckBox2 水抜きﾊﾟｲﾌﾟ
    bool blocks = false; // CheckBox3 ＣＢの有無
    bool baseDouble = false, upDouble = false; // CheckBox5, CheckBox6
    int RG_BL = -1, RG_TL = -1, RG_HL = -1, RG_YL = -1; // 0 D10, 1 D10,13, 2 D13, -1 none
    // Condition codes as the check marks stand for them; 0: nothing checked.
    int Ne = 0, Ps = 0, Ad = 0, Sr = 0, Sh = 0;
    bool embedDiff = false; // N4 checked (N5 otherwise)
    bool level = false;     // A1 excavation-line difference
    bool base = false, ditch = false; // B1, U2; both false: wall
    // The bar rate the item keeps while the rate field is hidden behind the
    // reinforcement calculation (REdit18 is then empty).
    std::string barRate;
    // How many identical pieces the item stands for (箇所数), its group
    // (区分, e.g. "Ａ通り") and a remark (備考). The statement is always that
    // of one piece; totals multiply by the count.
    int count = 1;
    std::string group;
    std::string remark;

    bool operator==(const ItemRecord&) const = default;
};

// The structure the item's two check marks choose.
engine::StructureMode Mode(const ItemRecord& item);

// The number of pieces an item stands for: 1 .. kMaxCount, 1 when the file
// holds no count (or one that is no such number; its text stays in the file).
inline constexpr int kMaxCount = 10000;
inline int Count(const ItemRecord& item) {
    return item.count;
}
// A typed or stored count: blanks around it and full-width digits allowed;
// nothing when it is not a whole number from 1 to kMaxCount.
std::optional<int> ParseCount(std::string_view text);
// What is wrong with a typed count, as a message; empty when it is fine.
std::string CountProblem(std::string_view text);

// What the screen holds after loading `section` of `ini`: a missing key
// gives its default, a code outside its range checks nothing.
ItemRecord ReadItem(const yoheki::IniFile& ini, std::string_view section);
// The same from a section read on its own (SectionReader).
class SectionView;
ItemRecord ReadItem(const SectionView& view, std::string_view section);

// Stores the item into `section` of the open project file, key by key in the
// file's order. Throws yoheki::EncodingError when CP932 cannot hold a text.
void WriteItem(ProjectFile& file, std::string_view section, const ItemRecord& item);
// The keys and values WriteItem writes for `item`, in the same order.
KeyValues ItemValues(const ItemRecord& item);
// Writes one of those values as WriteItem does: 箇所数, 区分 and 備考 only
// where they differ from what the file gives for them.
void WriteKey(ProjectFile& file, std::string_view section, std::string_view key,
              const std::string& value);

// The menu flags a calculation reads beside the item: "画面表示(&D)" (D2)
// and "連続Text出力(&Q)" (Q1).
struct RunFlags {
    bool summaryBox = false;
    bool continuous = false;
};

// The main window's caption for the project at `path`: "擁壁数量調書：" and
// the project's bare name.
std::string Caption(const std::string& projectPath);

// What a calculation reads from the window showing `item` under `name` with
// the caption `caption`.
engine::Snapshot ToSnapshot(const ItemRecord& item, const std::string& name,
                            const std::string& caption, RunFlags flags);

} // namespace takeoff
