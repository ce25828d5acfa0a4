#pragma once
// Sheet names for take-off items. A sheet name holds at most 31 characters,
// none of []:*?/\, neither begins nor ends with an apostrophe, and differs
// from every other sheet's name without regard to letter case. Item names
// are mapped onto such names, never refused.
#include <QString>
#include <QStringList>

namespace workbook {

inline constexpr int kSheetNameMax = 31;

// One sheet name per entry of `names`, in order: the forbidden characters
// replaced by their full-width forms, a name a formula would take for a cell
// ("A1") written in full-width letters, cut to fit, and numbered "(2)", "(3)"
// ... where it would clash with an earlier name or with one of `reserved`.
QStringList SheetNames(const QStringList& names, const QStringList& reserved = {});

// The form under which two sheet names count as the same: letter case, full
// and half width, hiragana and katakana folded together, as a Japanese
// spreadsheet program may take them alike.
QString SheetNameKey(const QString& name);

} // namespace workbook
