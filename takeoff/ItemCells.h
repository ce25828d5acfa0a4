#pragma once
// The item table's columns over the item record: what each cell shows, and
// a typed cell checked and put into the record by the rules of the form's
// fields. Plain data; the window's table is a view of it.
#include "Calc.h"
#include "ItemRecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace takeoff::cells {

enum class Kind { Name, Mode, Group, Count, Dimension, Quantity, Remark };

struct Column {
    const char* header;
    Kind kind;
    int field = 0; // REdit number of a dimension
    // A quantity of one piece, as its statement gives it: the sum of these.
    std::vector<std::int64_t engine::Quantities::*> quantities = {};
    const char* unit = "";
};
const std::vector<Column>& Columns();

// Whether the item's structure has the dimension (a base foundation has no
// back height, wall width or base thickness; a ditch no finished heights).
bool HasDimension(const ItemRecord& item, int field);

// The text of a cell; a quantity is empty while `quantities` is missing.
std::string Text(const Column& column, const std::string& name, const ItemRecord& item,
                 const std::optional<engine::Quantities>& quantities);
// A quantity column's value in hundredths.
std::int64_t Quantity(const Column& column, const engine::Quantities& quantities);

// A typed dimension: a whole number of millimetres (full-width digits too),
// or "=" and arithmetic with + - * / and brackets ("=3000+4500",
// "=1200*2"), worked out and rounded to 10 mm as calculations read
// dimensions. The stored text, or the message why it cannot be.
struct Typed {
    std::string text;
    std::string problem;
};
Typed TypedDimension(std::string_view typed);

// Puts typed text into the record's cell of `column`; the message when it is
// refused (the record is then unchanged). Names are not set here: renaming
// is an operation on the project.
std::string SetCell(const Column& column, ItemRecord& item, std::string_view typed);

} // namespace takeoff::cells
