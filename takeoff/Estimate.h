#pragma once
// The priced estimate (内訳書): the project's totals (計算数量) rounded by the
// 数位 table (計上数量), multiplied by the book's unit prices, grouped by 工種
// with a subtotal each and the 直接工事費, and optional 諸経費 and 消費税
// lines. Amounts are whole yen, cut down. The window, the workbook, the PDF
// and the command line all show what this model holds. No widgets here.
#include "Checks.h"
#include "PriceBook.h"
#include "Summary.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace estimate {

struct Line {
    QString key;  // what it prices: "根切量", "仕上：コン鏝"
    QString kind; // 工種
    QString name, grade, unit, note; // 名称, 規格, 単位, 摘要
    std::int64_t computed = 0; // 計算数量, hundredths
    std::int64_t posted = 0;   // 計上数量, hundredths, rounded to `digits`
    int digits = 2;
    std::optional<std::int64_t> price;  // whole yen; nothing: no price
    std::optional<std::int64_t> amount; // whole yen, cut down
};

struct Group {
    QString kind;
    std::vector<Line> lines;
    std::int64_t subtotal = 0; // over the priced lines
};

// 諸経費 or 消費税 as priced: the rate and the amount it gives.
struct RateLine {
    Rate rate;
    std::int64_t base = 0;
    std::int64_t amount = 0;
};

struct Estimate {
    QString book;                      // the price book's path
    std::vector<Group> groups;         // 土工, コンクリート工 ... then any other 工種
    std::int64_t direct = 0;           // 直接工事費
    std::optional<RateLine> overhead;  // 諸経費 on the 直接工事費
    std::int64_t price = 0;            // 工事価格: 直接工事費 + 諸経費
    std::optional<RateLine> tax;       // 消費税 on the 工事価格
    std::int64_t total = 0;            // 工事費計
    QStringList stopped;               // "NAME：reason" of items left out
    std::vector<checks::Finding> unpriced; // 注意: a quantity without a unit price
    QStringList problems;              // what reading the book said
};

// Rounds a hundredths quantity to `digits` decimals.
std::int64_t RoundTo(std::int64_t hundredths, int digits, Rounding rounding);
// Whole yen of `hundredths` × `price`, cut down (towards zero).
std::int64_t AmountOf(std::int64_t hundredths, std::int64_t price);
// Whole yen of `base` × rate, cut down.
std::int64_t RateAmount(std::int64_t base, std::int64_t hundredthsPercent);

// The 内訳書 of `table` priced by `book`. Throws yoheki::Error when a sum
// overflows.
Estimate MakeEstimate(const summary::Table& table, const PriceBook& book);

// The 工種 a quantity is listed under when the book does not price it.
QString DefaultKind(const QString& key);
// "91", "7.3", "1.25": a posted quantity with its digits.
QString QuantityText(std::int64_t hundredths, int digits);
// "1,234,500"
QString YenText(std::int64_t yen);
// "15%" or "8.5%"
QString RateText(const Rate& rate);

// The rows of the 内訳書 in the eight columns 工種, 名称, 規格, 数量, 単位,
// 単価, 金額, 摘要: plain numbers for a spreadsheet, or yen grouped by
// thousands for reading. Every view lists these rows.
struct TableRow {
    enum Kind { Heading, Item, Subtotal, Total } kind = Item;
    QStringList cells;
};
std::vector<TableRow> TableRows(const Estimate& estimate, bool grouped);
// What is said under the table: the quantities without a price (注意), the
// items left out and what reading the book said.
QStringList NoteLines(const Estimate& estimate);

// The 内訳書 as CSV rows (工種, 名称, 規格, 数量, 単位, 単価, 金額, 摘要), the
// subtotals, totals, the unpriced and stopped items below; CR LF. Bytes in
// CP932, or UTF-8 with a byte order mark.
QString CsvText(const Estimate& estimate, const QString& projectName);
QByteArray CsvBytes(const Estimate& estimate, const QString& projectName, bool utf8);
// The same as aligned text for a terminal, lines ended with "\n".
QString AlignedText(const Estimate& estimate, const QString& projectName);

// 当初 / 変更 / 増減 of 数量 and 金額 per line, matched by 工種 and key.
struct CompareLine {
    QString kind, key, name, grade, unit;
    int digits = 2;
    std::int64_t earlierQty = 0, currentQty = 0;
    std::optional<std::int64_t> earlierAmount, currentAmount;
};
struct Comparison {
    std::vector<CompareLine> lines; // the current order, then lines only the earlier had
    std::int64_t earlierDirect = 0, currentDirect = 0;
    std::int64_t earlierTotal = 0, currentTotal = 0;
};
Comparison CompareEstimates(const Estimate& earlier, const Estimate& current);

} // namespace estimate
