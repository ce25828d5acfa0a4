#pragma once
// Helpers shared by the three calculations: dimensions read as rounded
// millimetres, the condition-dependent widths and depths, and the number and
// bar formats of the statement lines.
#include "CLF.h"
#include "Snapshot.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace engine {

using yoheki::MessageFn;
using yoheki::RoundOff;
using yoheki::Round10;

// Reads the snapshot as the main window's helpers read the screen. Every
// dimension goes through StrToMm, so a bad text reports each time it is read.
class Reader {
public:
    Reader(const Snapshot& s, const MessageFn& message) : s_(s), message_(message) {}

    const Snapshot& snap() const { return s_; }
    void Message(const std::string& text) const;

    std::int64_t Mm(int edit) const; // StrToMm(REdit<edit>)

    std::int64_t SubBaseProjection() const;         // 0, 50 or 100
    std::int64_t SideProjection(int side) const;    // 1 front, 2 back
    std::int64_t ExcavDepth(int side) const;
    std::int64_t ExcavWidth(int side) const;
    std::string BarSpec(int group) const;           // 1..4

    // The project name: the caption after its first "：" (all of it without one).
    std::string ProjectName() const;

private:
    const Snapshot& s_;
    const MessageFn& message_;
};

// Hundredths as a decimal with two places, right-aligned in 7 characters
// (12 -> "   0.12", 123456 -> "1234.56"). Values outside 0 .. 999 999 are shown
// too, signed and as wide as they need ("  -0.05", "10000.00"), so that no
// quantity silently disappears from a statement.
std::string FmtQty(std::int64_t v);

// A millimetre length in metres: FmtQty(RoundOff(mm / 10)).
std::string FmtM(std::int64_t mm);

// Lines up counts of two to four digits in four characters. Throws
// yoheki::Error for a text that is not an integer.
std::string PadNum(std::string_view text);

// True when a finish name needs a substrate: it holds one of
// T Ｔ タ ﾀ 調 塗 補 吹 撥.
bool TakesSubstrate(std::string_view finish);
bool Contains(std::string_view text, std::string_view part);

} // namespace engine
