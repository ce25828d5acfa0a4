#pragma once
// The project summary as an Excel workbook: the sheet "数量総括表" (one row
// per item, one column per quantity, a total row of SUM formulas), the
// sheet "仕上集計" (the finishes totalled by name) and one sheet per
// calculated item holding its statement, each quantity in a number cell.
// No widgets here.
#include "Summary.h"

#include <QDate>
#include <QString>
#include <optional>

namespace compare {
struct Comparison;
}
namespace estimate {
struct Estimate;
}

namespace workbook {

// Sheet names of the two summary sheets; item sheets never take them.
QString SummarySheetName(); // "数量総括表"
QString FinishSheetName();  // "仕上集計"
QString ComparisonSheetName(); // "数量比較"
QString EstimateSheetName();   // "内訳書"

// Writes the workbook of `table` for the project named `projectName` at
// `path`, dated `date`. The file is built beside its target and put in
// place whole: on failure nothing is written, any older file stays as it
// was, and the reason comes back as a message.
// With `comparison` the sheet "数量比較" follows the summary: 当初 / 変更 /
// 増減 against an earlier revision, each difference a formula.
// With `estimate` the sheet "内訳書" opens the workbook: the priced estimate, each
// 金額 and total a formula with its value cached.
std::optional<QString> WriteWorkbook(const QString& path, const QString& projectName,
                                     const summary::Table& table,
                                     const QDate& date = QDate::currentDate(),
                                     const compare::Comparison* comparison = nullptr,
                                     const estimate::Estimate* estimate = nullptr);
// The same for a caller done with `table`: each item's statement is let go
// once its sheet holds it, so that a large project is not held twice.
std::optional<QString> WriteWorkbook(const QString& path, const QString& projectName,
                                     summary::Table&& table,
                                     const QDate& date = QDate::currentDate(),
                                     const compare::Comparison* comparison = nullptr,
                                     const estimate::Estimate* estimate = nullptr);

} // namespace workbook
