#pragma once
// The project quantity summary: every item's quantities as its calculation
// produced them (the numbers its statement shows), the totals over the items
// that were calculated, and the finishes totalled by name. Written as CSV for
// spreadsheets and as aligned text for the command line. No widgets here.
#include "Calc.h"
#include "Checks.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace summary {

// One quantity column of the table.
struct Column {
    const char* name;  // "根切量"
    const char* unit;  // "ｍ3"
    const char* lines; // the name broken into lines for a narrow table heading
    std::int64_t engine::Quantities::*field;
    bool count;           // a plain count (pipes), not hundredths
    const char* negative; // why a negative value is suspect, for the tooltip
};
// The quantity columns in table order.
const std::vector<Column>& Columns();

// "Ｌ型擁壁", "設備基礎", "Ｕ型側溝".
QString ModeName(engine::StructureMode mode);

struct Item {
    QString name;
    engine::StructureMode mode = engine::StructureMode::Wall;
    std::optional<engine::Quantities> quantities; // nothing: the calculation stopped
    QStringList messages; // what the calculation said; the reason when it stopped
    // The lines a single text output writes of the item's statement (empty
    // when the calculation stopped).
    QStringList statement = {};
    std::vector<checks::Finding> findings = {}; // the quantity checks of a calculated item
    // 箇所数, 区分, 備考 of the item. The quantities above are those of all
    // `count` pieces; the statement and the findings are those of one.
    int count = 1;
    QString group = {};
    QString remark = {};
};

// The quantities of `count` identical pieces, finishes included. Throws
// yoheki::Error when a product overflows.
engine::Quantities Times(const engine::Quantities& one, int count);
// Gives a summary item the count, group and remark of its record and
// multiplies its quantities; an overflow stops the item with its message.
void ApplyExtras(Item& item, int count, const QString& group, const QString& remark);

// One finish, summed over the items: a block counts under its kind and width.
struct FinishTotal {
    QString name;
    QString unit;
    QStringList kinds; // where it was taken, in order of first use: 表面仕上, 裏面下地 ...
    std::int64_t value = 0;
};

// The items of one 区分, in the items' order, and their subtotals.
struct Group {
    QString name; // empty: the items without a group
    std::vector<std::size_t> items;
    std::vector<std::int64_t> totals; // per column, over its calculated items
    int calculated = 0;
};

struct Table {
    std::vector<Item> items;
    std::vector<std::int64_t> totals; // per column, over the calculated items
    std::vector<FinishTotal> finishes;
    int stopped = 0; // items left out of the totals
    // A project that uses counts or groups shows them as columns; one that
    // does not keeps the table, CSV and workbook it always had.
    bool counted = false; // some item stands for more than one piece
    std::vector<Group> groups; // in order of first use; empty when no item has a group
};

// The rows of a table in the order they are shown: every item in file order,
// or, when the items have groups, group by group, each followed by its
// subtotal row.
struct RowRef {
    bool subtotal = false;
    std::size_t index = 0; // into items, or into groups for a subtotal
};
std::vector<RowRef> RowOrder(const Table& table);

// The leading text columns: 拾い名称, 構造, then 箇所数 and 区分 when the
// table uses them; and their cells for an item and for a subtotal.
QStringList LeadHeaders(const Table& table);
QStringList LeadCells(const Table& table, const Item& item);
QStringList SubtotalCells(const Table& table, const Group& group);
QString SubtotalName(const Group& group);

// The 備考 column of a calculated item: the remark, then the findings.
QString NoteText(const Item& item);

// Totals the calculated items. Throws yoheki::Error when a sum overflows.
Table Summarize(std::vector<Item> items);

// The name a finish is totalled under.
QString FinishName(const engine::Quantities::Finish& finish);

// "12.34", "-0.05"; a count as a whole number.
QString FormatValue(const Column& column, std::int64_t value);
QString FormatHundredths(std::int64_t value);
// "根切量(ｍ3)"; with `lines` the name broken into lines and the unit on a
// line of its own.
QString HeaderText(const Column& column, bool lines = false);
// The messages of a stopped item on one line.
QString StopText(const Item& item);
// The findings of an item on one line, for the 備考 column; empty when none.
QString FindingsText(const Item& item);
// The findings about one column's quantity that are errors.
std::vector<checks::Finding> ErrorsAbout(const Item& item, const Column& column);

// One CSV field: RFC 4180 quoting, and a leading ' before a text a
// spreadsheet would take as a formula ("=1+1" stays a name).
QString CsvField(const QString& text);
// Header row, one row per item, the total row, then after an empty row the
// finish totals (仕上集計) under their own header; RFC 4180 quoting, CR LF.
QString CsvText(const Table& table);
// CSV bytes: CP932, or UTF-8 with a byte order mark so that spreadsheets
// detect it. Throws yoheki::EncodingError for a character CP932 lacks.
QByteArray CsvBytes(const Table& table, bool utf8);

// The table and the finish totals as text in columns, lines ended with "\n".
QString AlignedText(const Table& table);
// Columns a text takes on a Japanese terminal: full-width characters two,
// ASCII and half-width katakana one.
int DisplayWidth(const QString& text);

} // namespace summary
