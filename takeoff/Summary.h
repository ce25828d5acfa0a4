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
QString ModeName(int mode);

struct Item {
    QString name;
    int mode = 1;                                 // 1 wall, 2 base, 3 ditch
    std::optional<engine::Quantities> quantities; // nothing: the calculation stopped
    QStringList messages; // what the calculation said; the reason when it stopped
    // The lines a single text output writes of the item's statement (empty
    // when the calculation stopped).
    QStringList statement = {};
    std::vector<checks::Finding> findings = {}; // the quantity checks of a calculated item
};

// One finish, summed over the items: a block counts under its kind and width.
struct FinishTotal {
    QString name;
    QString unit;
    QStringList kinds; // where it was taken, in order of first use: 表面仕上, 裏面下地 ...
    std::int64_t value = 0;
};

struct Table {
    std::vector<Item> items;
    std::vector<std::int64_t> totals; // per column, over the calculated items
    std::vector<FinishTotal> finishes;
    int stopped = 0; // items left out of the totals
};

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
