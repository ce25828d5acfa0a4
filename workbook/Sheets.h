#pragma once
// The parts of a workbook, shared by the files that write its sheets.
#include "Summary.h"

namespace compare {
struct Comparison;
}
namespace estimate {
struct Estimate;
}

#include <QDate>
#include <QString>
#include <xlsxwriter.h>

namespace workbook {

// The cell formats of one workbook, all in one Japanese font.
struct Styles {
    explicit Styles(lxw_workbook* wb);
    lxw_format* title;     // the sheet's heading
    lxw_format* caption;   // the line under it
    lxw_format* date;      // 作成日
    lxw_format* header;    // column headings
    lxw_format* text;      // a bordered table cell
    lxw_format* number;    // two decimals, negatives in red
    lxw_format* count;     // a whole number, negatives in red
    lxw_format* stopped;   // the message of an item that was not calculated
    lxw_format* totalText; // the total row
    lxw_format* totalNumber;
    lxw_format* totalCount;
    // A statement line kept whole: the caption's format itself. The library
    // finds a second format of the same look by hashing it whole on every
    // cell, which on a large workbook costs more than writing the cells.
    lxw_format* line;
    lxw_format* quantity; // a statement's quantity: two decimals, negatives in red
    lxw_format* quantityCount;
};

// The font every cell is written in: a fixed-pitch Japanese font, so that
// statement lines keep their alignment. Spreadsheet programs without it
// substitute their own fixed-pitch Gothic.
inline constexpr const char kFontName[] = "ＭＳ ゴシック";

void WriteText(lxw_worksheet* ws, int row, int col, const QString& text, lxw_format* format);
// A column wide enough for `displayWidth` half-width characters.
void SetWidth(lxw_worksheet* ws, int col, int displayWidth, lxw_format* format = nullptr);
// A page header or footer text: "&" stands for itself.
QByteArray HeaderFooterText(const QString& text);
// A4, fitted to one page wide, page numbers at the foot.
void SetPage(lxw_worksheet* ws, bool landscape, int repeatedRow);

void WriteSummarySheet(lxw_worksheet* ws, const Styles& s, const QString& project,
                       const summary::Table& table, const QDate& date);
void WriteFinishSheet(lxw_worksheet* ws, const Styles& s, const QString& project,
                      const summary::Table& table);
void WriteItemSheet(lxw_worksheet* ws, const Styles& s, const summary::Item& item);
void WriteEstimateSheet(lxw_worksheet* ws, lxw_workbook* wb, const Styles& s,
                        const QString& project, const estimate::Estimate& e, const QDate& date);
void WriteComparisonSheet(lxw_worksheet* ws, const Styles& s, const QString& project,
                          const compare::Comparison& comparison);

} // namespace workbook
