#pragma once
// What every item shares whatever its structure: which of the three
// structures it is, and the shape of its statement.
#include "Snapshot.h"

#include <cstddef>

namespace engine {

// The structure of an item, numbered as the statement's heading digit and the
// hidden label of the window (Label21) number it.
enum class StructureMode { Wall = 1, Base = 2, Ditch = 3 };

// The structure the two check marks of the structure menu choose: 設備基礎
// (B1) wins over Ｕ字側溝 (U2); with neither the item is an L-type wall.
constexpr StructureMode ModeOf(bool base, bool ditch) {
    return base ? StructureMode::Base : ditch ? StructureMode::Ditch : StructureMode::Wall;
}
inline StructureMode ModeOf(const Snapshot& s) {
    return ModeOf(s.B1, s.U2);
}

// The digit of the structure in the statement's heading and the hidden label.
constexpr int ModeDigit(StructureMode mode) {
    return static_cast<int>(mode);
}

// The statement of every structure: lines 0-11 are the heading column, lines
// 12-19 the eight dimension labels of the structure's drawing, and the
// quantity lines start at line 20.
namespace statement {
constexpr std::size_t kHeadingLines = 12;
constexpr std::size_t kFirstLabel = kHeadingLines;
constexpr std::size_t kDrawingLabels = 8;
constexpr std::size_t kFirstQuantity = kFirstLabel + kDrawingLabels;
} // namespace statement

} // namespace engine
