#pragma once
// Shared set-up of the base foundation and U-ditch tests: the snapshots of the
// two worked examples, a run that records its messages, and line look-ups.
#include "Calc.h"
#include "SnapshotFile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bdtest {

// Texts the user sees, as the program writes them.
inline const std::string kMm = "全数量は㎜単位で入力して下さい\n\r  （裏画面も含みます！！)";
inline const std::string kRetry = "問題点を訂正して再度実行して下さい";
inline const std::string kD13 = "D13の重量が0.01ｔ以下です\n\r　D10に合算しておきます";
inline const std::string kRate70 = "単位重量７０㎏／ｍ3で計算します(固定)";
inline const std::string kRefused = "現在の配筋では計算出来ません";
inline const std::string kTooLow = "無理な数字だと思いますが？ >> 裏面高さ";

// The screens as the mode switch leaves them: the heights a structure does
// not use are empty.
//
// A base of 2000 × 1500, 300 above and 500 below ground, on 50 levelling
// concrete and 100 crushed stone; extra width 500 only, no projection, no
// retaining, backfill with the excavated soil, bars at 70 kg/m³.
inline engine::Snapshot WorkedBase() {
    return enginetest::ParseSnapshot("REdit1=2000\nREdit2=300\nREdit4=500\n"
                                     "REdit5=50\nREdit6=100\nREdit7=1500\nREdit18=70\n"
                                     "ComboBox1=B-1\ncaption="
                                     "擁壁数量調書："
                                     "現場\n"
                                     "marks=B1 Y1 N001 N8 K3\n");
}

// A ditch 10 m long, 600 high, 800 wide, walls and slab 150, on 50 levelling
// concrete and 100 crushed stone; extra width 500 only, no projection, no
// retaining, imported backfill, bars at 70 kg/m³.
inline engine::Snapshot WorkedDitch() {
    return enginetest::ParseSnapshot("REdit1=10000\nREdit4=600\n"
                                     "REdit5=50\nREdit6=100\nREdit7=800\nREdit8=150\n"
                                     "REdit9=150\nREdit18=70\nComboBox1=U-1\n"
                                     "caption="
                                     "擁壁数量調書："
                                     "現場\nmarks=U2 Y1 N001 N8 M2\n");
}

struct Outcome {
    std::optional<engine::CalcOutput> out;
    std::vector<std::string> messages;
    const std::vector<std::string>& lines() const { return out->lines; }
};

inline Outcome RunBase(const engine::Snapshot& s) {
    enginetest::Recorder rec;
    Outcome o;
    o.out = engine::CalcSBs(s, rec.fn());
    o.messages = rec.texts;
    return o;
}

inline Outcome RunDitch(const engine::Snapshot& s) {
    enginetest::Recorder rec;
    Outcome o;
    o.out = engine::CalcUJS(s, rec.fn());
    o.messages = rec.texts;
    return o;
}

// Index of the first line that starts with `prefix`, or -1.
inline int FindLine(const std::vector<std::string>& lines, std::string_view prefix) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (std::string_view(lines[i]).substr(0, prefix.size()) == prefix)
            return static_cast<int>(i);
    return -1;
}

inline int CountLines(const std::vector<std::string>& lines, std::string_view prefix) {
    int n = 0;
    for (const std::string& l : lines)
        if (std::string_view(l).substr(0, prefix.size()) == prefix)
            ++n;
    return n;
}

} // namespace bdtest
