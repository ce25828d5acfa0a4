// One sheet per calculated item: its statement as the text output writes
// it, each quantity line split so that its quantity is a number another
// sheet can refer to.
#include "Sheets.h"
#include "StatementCells.h"
#include "Utf8.h"

#include <algorithm>

namespace workbook {

namespace {

constexpr int kHeaderRow = 1, kFirstRow = 2;
constexpr int kLabelCol = 0, kValueCol = 1, kUnitCol = 2, kFormulaCol = 3;
constexpr int kMaxLabelWidth = 40, kMaxFormulaWidth = 80;
// Excel keeps a page header under 256 characters, codes included.
constexpr int kMaxHeaderName = 200;

// A line that carries on the formula of the quantity above it, indented
// under the formula column of the statement: ":=根切量［...］－...",
// "(型枠全数量):=..." or "＋立上り[GL以下](...)". Its text without the indent; empty for other lines.
QString Continuation(const QString& line) {
    qsizetype indent = 0;
    while (indent < line.size() && (line[indent] == u' ' || line[indent] == u'\u3000'))
        ++indent;
    const QString rest = line.mid(indent);
    if (indent < 4 || rest.isEmpty())
        return {};
    static const QString kStarts = QStringLiteral(":：(（［+＋-－");
    return kStarts.contains(rest.front()) ? rest : QString();
}

} // namespace

void WriteItemSheet(lxw_worksheet* ws, const Styles& s, const summary::Item& item) {
    WriteText(ws, 0, 0, item.name, s.title);
    const QStringList headers{U("項目"), U("数量"), U("単位"), U("計算式・備考")};
    int widths[4] = {0, 0, 0, 0};
    for (int col = 0; col < 4; ++col) {
        WriteText(ws, kHeaderRow, col, headers[col], s.header);
        widths[col] = summary::DisplayWidth(headers[col]);
    }
    int row = kFirstRow;
    for (const QString& line : item.statement) {
        if (const auto cells = SplitQuantityLine(line)) {
            WriteText(ws, row, kLabelCol, cells->label, s.line);
            worksheet_write_number(ws, row, kValueCol, CellValue(*cells),
                                   cells->count ? s.quantityCount : s.quantity);
            WriteText(ws, row, kUnitCol, cells->unit, s.line);
            WriteText(ws, row, kFormulaCol, cells->formula, s.line);
            widths[kLabelCol] = std::max(widths[kLabelCol], summary::DisplayWidth(cells->label));
            widths[kUnitCol] = std::max(widths[kUnitCol], summary::DisplayWidth(cells->unit));
            widths[kFormulaCol] =
                std::max(widths[kFormulaCol], summary::DisplayWidth(cells->formula));
        } else if (const QString formula = Continuation(line); !formula.isEmpty()) {
            WriteText(ws, row, kFormulaCol, formula, s.line);
            widths[kFormulaCol] = std::max(widths[kFormulaCol], summary::DisplayWidth(formula));
        } else {
            WriteText(ws, row, kLabelCol, line, s.line);
        }
        ++row;
    }
    SetWidth(ws, kLabelCol, std::min(widths[kLabelCol], kMaxLabelWidth));
    SetWidth(ws, kValueCol, std::max(widths[kValueCol], 10));
    SetWidth(ws, kUnitCol, widths[kUnitCol]);
    SetWidth(ws, kFormulaCol, std::min(widths[kFormulaCol], kMaxFormulaWidth));
    worksheet_freeze_panes(ws, kFirstRow, 0);
    SetPage(ws, false, kHeaderRow);
    const QByteArray header = "&C" + HeaderFooterText(item.name.left(kMaxHeaderName));
    worksheet_set_header(ws, header.constData());
}

} // namespace workbook
