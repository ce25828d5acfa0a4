#pragma once
// The unit-price book (単価表): a CSV file in CP932 that estimators keep and
// edit in a spreadsheet. Each row prices one quantity of the summary (キー
// "根切量", "ＲＣ全量" ...) or one finish ("仕上：コン鏝" with its unit), and
// names the 工種 it is listed under in the 内訳書. Rows with the key "数位"
// make the table that rounds the totals for the 内訳書 (計上数量); rows
// "諸経費" and "消費税" give optional rates. Reading never changes the file;
// whatever cannot be used is reported with the file, line and column, and
// the rest of the book still prices.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace estimate {

enum class Rounding { HalfUp, Down, Up }; // 四捨五入, 切り捨て, 切り上げ

// One entry of the 数位 table: a total in `unit` under `kind` (every kind
// when empty) keeps `digits` decimals (negative: rounded to tens, hundreds).
struct DigitRule {
    QString kind;
    QString unit;
    int digits = 2;
    Rounding rounding = Rounding::HalfUp;
};

struct PriceRow {
    QString key, kind, name, grade, unit; // grade: 規格
    std::optional<std::int64_t> price; // whole yen; nothing: left blank
    QString note;
    std::optional<DigitRule> digits; // the row's own 数位, when it gives one
    int line = 0;                    // in the file, from 1
};

// 諸経費 or 消費税: a rate in hundredths of a percent (10% = 1000).
struct Rate {
    QString name;
    std::int64_t hundredthsPercent = 0;
    QString note;
};

struct PriceBook {
    QString path;                  // where it was read from; empty for the defaults
    std::vector<PriceRow> rows;    // priced rows in file order
    std::vector<DigitRule> digits; // the book's own 数位 entries
    std::optional<Rate> overhead, tax;
    QStringList problems; // "単価表【…】3行目6列目（単価）：…"
};

// The columns of a book, in the order a new book is written.
const QStringList& BookColumns();

// The book in `bytes`; `path` names it in the messages.
PriceBook ParsePriceBook(const QByteArray& bytes, const QString& path);
// The book at `path`; a file that cannot be read gives an empty book whose
// problems say why.
PriceBook ReadPriceBook(const QString& path);
// The book as CSV in CP932 with CR LF, the form ParsePriceBook reads back.
// Throws yoheki::EncodingError for a character CP932 lacks.
QByteArray PriceBookBytes(const PriceBook& book);
// Replaces the file at `path` whole (the program's atomic save). Nothing on
// success, else the reason.
std::optional<QString> SavePriceBook(const PriceBook& book, const QString& path);

// The book as a table for editing: one row per record, in the columns of
// BookColumns() whatever order the file had them in; rows that cannot be
// used are kept, so that they can be put right. The header is not a row.
QList<QStringList> ReadBookTable(const QString& path);
// A table in BookColumns() order as the bytes of a book (CP932, CR LF).
// Throws yoheki::EncodingError for a character CP932 lacks.
QByteArray BookTableBytes(const QList<QStringList>& rows);

// The 数位 table the public civil take-off guidelines give for these
// quantities; a book's entries take precedence over it.
const std::vector<DigitRule>& DefaultDigits();
// The rule for a total in `unit` under `kind`: the row's own, else the
// book's, else the default, else two decimals as calculated.
DigitRule DigitsFor(const PriceBook& book, const PriceRow* row, const QString& kind,
                    const QString& unit);
// "四捨五入", "切り捨て", "切り上げ", and back.
QString RoundingName(Rounding rounding);
std::optional<Rounding> RoundingNamed(const QString& name);

// A key or unit as compared: compatibility forms folded (ｍ3 = m3 = ㎥,
// ﾊﾟ = パ), blanks removed.
QString Canonical(const QString& text);
// "仕上：NAME" for a finish's key.
QString FinishKey(const QString& finishName);

// Where the book of a project is looked for: "<project>_単価.csv" beside it.
QString ProjectBookPath(const QString& projectPath);
// The user's own book, "単価表.csv" in the user's settings folder.
QString UserBookPath();
// The delivered sample book, or empty when it is missing.
QString DeliveredBookPath(const QString& bundledDir);
// The book a project is priced with: its own, else the user's, else the
// delivered one; empty when there is none.
QString BookFor(const QString& projectPath, const QString& bundledDir);
// Copies the delivered book to the user's settings folder unless one is
// there already. True when the user's book exists afterwards.
bool EnsureUserBook(const QString& bundledDir);

} // namespace estimate
