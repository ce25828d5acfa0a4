#pragma once
// A statement line that gives a quantity, split into the cells of an item
// sheet: "砕       石：   1.60（ｍ3）　:=   1.60×   0.10×  10.00" becomes the
// label "砕       石", the quantity 1.60, the unit "ｍ3" and the formula text
// ":=   1.60×   0.10×  10.00".
#include <QString>
#include <cstdint>
#include <optional>

namespace workbook {

struct StatementCells {
    QString label;          // the text before the quantity, without its colon
    std::int64_t value = 0; // hundredths, or a plain count
    bool count = false;     // written without decimals ("9（ヶ所）")
    QString unit;           // between the brackets after the quantity
    QString formula;        // the rest of the line
};

// The cells of `line`, or nothing when the line gives no quantity (a
// heading, a condition, a formula continued from the line before).
std::optional<StatementCells> SplitQuantityLine(const QString& line);

// The quantity as a spreadsheet number: 1.60 for 160 hundredths, 9 for a
// count of 9.
double CellValue(const StatementCells& cells);

} // namespace workbook
