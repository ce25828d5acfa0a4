// The sheets "数量総括表" and "仕上集計".
#include "Sheets.h"
#include "Utf8.h"

#include <algorithm>

namespace workbook {

namespace {

constexpr int kCaptionRow = 1, kHeaderRow = 2, kFirstRow = 3;
constexpr int kNameCol = 0, kKindCol = 1;
// Widths in half-width characters: a long name or note is cut off on
// screen rather than making the page unreadably small.
constexpr int kMaxNameWidth = 40, kMaxNoteWidth = 60, kPointsPerLine = 15;

// The quantities follow the lead columns (name, kind, and 箇所数 and 区分
// when the project uses them); set for each sheet as it is written.
int firstQuantityCol = 2;

int NoteCol() {
    return firstQuantityCol + static_cast<int>(summary::Columns().size());
}

// The widest line of a heading or cell.
int Width(const QString& text) {
    int width = 0;
    for (const QString& line : text.split(u'\n'))
        width = std::max(width, summary::DisplayWidth(line));
    return width;
}

double Value(const summary::Column& column, std::int64_t value) {
    return column.count ? static_cast<double>(value) : static_cast<double>(value) / 100.0;
}

void WriteQuantity(lxw_worksheet* ws, int row, int col, const summary::Column& column,
                   std::int64_t value, const Styles& s) {
    worksheet_write_number(ws, row, col, Value(column, value), column.count ? s.count : s.number);
}

QString Caption(const QString& project, const summary::Table& t) {
    QString text = U("物件：%1　　拾い %2 件").arg(project).arg(t.items.size());
    if (t.stopped)
        text += U("（演算できない拾い %1 件は合計に含みません）").arg(t.stopped);
    return text;
}

void WriteHeading(lxw_worksheet* ws, const Styles& s, const QString& project,
                  const summary::Table& t, const QDate& date) {
    WriteText(ws, 0, kNameCol, U("数量総括表"), s.title);
    WriteText(ws, kCaptionRow, kNameCol, Caption(project, t), s.caption);
    lxw_datetime day{date.year(), date.month(), date.day(), 0, 0, 0};
    worksheet_write_datetime(ws, 0, NoteCol(), &day, s.date);
    QStringList headers = summary::LeadHeaders(t);
    for (const summary::Column& c : summary::Columns())
        headers << summary::HeaderText(c, true);
    headers << U("備考");
    qsizetype lines = 1;
    for (int col = 0; col < headers.size(); ++col) {
        WriteText(ws, kHeaderRow, col, headers[col], s.header);
        lines = std::max(lines, headers[col].count(u'\n') + 1);
    }
    worksheet_set_row(ws, kHeaderRow, static_cast<double>(lines * kPointsPerLine), nullptr);
}

QString StoppedNote(const summary::Item& item) {
    return U("演算できません：") + summary::StopText(item);
}

void WriteLead(lxw_worksheet* ws, int row, const QStringList& cells, lxw_format* f) {
    for (int col = 0; col < cells.size(); ++col)
        WriteText(ws, row, col, cells[col], f);
}

void WriteItemRow(lxw_worksheet* ws, const Styles& s, int row, const summary::Table& t,
                  const summary::Item& item) {
    WriteLead(ws, row, summary::LeadCells(t, item), s.text);
    if (t.counted)
        worksheet_write_number(ws, row, kKindCol + 1, item.count, s.count);
    const auto& columns = summary::Columns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const int col = firstQuantityCol + static_cast<int>(c);
        if (item.quantities)
            WriteQuantity(ws, row, col, columns[c], (*item.quantities).*columns[c].field, s);
        else
            worksheet_write_blank(ws, row, col, s.text);
    }
    if (item.quantities)
        WriteText(ws, row, NoteCol(), summary::NoteText(item), s.text);
    else
        WriteText(ws, row, NoteCol(), StoppedNote(item), s.stopped);
}

// One quantity cell of a subtotal or the total: a formula over the rows
// above, with the program's figure cached for viewers that do not calculate.
void WriteSumCell(lxw_worksheet* ws, int row, int col, int first, int last, bool subtotal,
                  const summary::Column& column, std::int64_t value, lxw_format* f) {
    const double total = Value(column, value);
    if (last < first) {
        worksheet_write_number(ws, row, col, total, f);
        return;
    }
    char range[LXW_MAX_CELL_RANGE_LENGTH];
    lxw_rowcol_to_range(range, first, col, last, col);
    // SUBTOTAL leaves out the subtotal rows inside its range.
    const std::string formula = (subtotal ? "=SUBTOTAL(9," : "=SUM(") + std::string(range) + ")";
    worksheet_write_formula_num(ws, row, col, formula.c_str(), f, total);
}

// A group's subtotal row under its items, which Excel's outline can fold.
void WriteSubtotalRow(lxw_worksheet* ws, const Styles& s, int row, int first,
                      const summary::Table& t, const summary::Group& g) {
    WriteLead(ws, row, summary::SubtotalCells(t, g), s.totalText);
    const auto& columns = summary::Columns();
    for (std::size_t c = 0; c < columns.size(); ++c)
        WriteSumCell(ws, row, firstQuantityCol + static_cast<int>(c), first, row - 1, true,
                     columns[c], g.totals[c], columns[c].count ? s.totalCount : s.totalNumber);
    WriteText(ws, row, NoteCol(), QString(), s.totalText);
}

// SUM over the item rows, with the total the program reckoned cached so
// that a viewer which does not recalculate shows it too.
void WriteTotalRow(lxw_worksheet* ws, const Styles& s, int row, const summary::Table& t) {
    const int calculated = static_cast<int>(t.items.size()) - t.stopped;
    WriteText(ws, row, kNameCol, U("合計"), s.totalText);
    WriteText(ws, row, kKindCol, U("%1 件").arg(calculated), s.totalText);
    for (int col = kKindCol + 1; col < firstQuantityCol; ++col)
        WriteText(ws, row, col, QString(), s.totalText);
    const auto& columns = summary::Columns();
    for (std::size_t c = 0; c < columns.size(); ++c)
        WriteSumCell(ws, row, firstQuantityCol + static_cast<int>(c), kFirstRow,
                     t.items.empty() ? kFirstRow - 1 : row - 1, !t.groups.empty(), columns[c],
                     t.totals[c], columns[c].count ? s.totalCount : s.totalNumber);
    const QString note = t.stopped ? U("演算できない拾い%1件を除く").arg(t.stopped) : QString();
    WriteText(ws, row, NoteCol(), note, s.totalText);
}

void SetSummaryWidths(lxw_worksheet* ws, const summary::Table& t) {
    int name = Width(U("拾い名称")), note = Width(U("作成日 2000年10月10日"));
    int group = Width(U("区分"));
    for (const summary::Item& item : t.items) {
        name = std::max(name, Width(item.name));
        group = std::max(group, Width(item.group));
        if (!item.quantities)
            note = std::max(note, Width(StoppedNote(item)));
        else if (!item.remark.isEmpty())
            note = std::max(note, Width(item.remark));
    }
    for (const summary::Group& g : t.groups)
        name = std::max(name, Width(summary::SubtotalName(g)));
    SetWidth(ws, kNameCol, std::min(name, kMaxNameWidth));
    SetWidth(ws, kKindCol, Width(summary::ModeName(engine::StructureMode::Ditch)));
    if (t.counted)
        SetWidth(ws, kKindCol + 1, Width(U("箇所数")));
    if (!t.groups.empty())
        SetWidth(ws, firstQuantityCol - 1, std::min(group, kMaxNameWidth));
    const auto& columns = summary::Columns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        int width = std::max(Width(summary::HeaderText(columns[c], true)),
                             Width(summary::FormatValue(columns[c], t.totals[c])) + 1);
        for (const summary::Item& item : t.items)
            if (item.quantities)
                width = std::max(width, Width(summary::FormatValue(
                                            columns[c], (*item.quantities).*columns[c].field)));
        SetWidth(ws, firstQuantityCol + static_cast<int>(c), width);
    }
    SetWidth(ws, NoteCol(), std::min(note, kMaxNoteWidth));
}

} // namespace

void WriteSummarySheet(lxw_worksheet* ws, const Styles& s, const QString& project,
                       const summary::Table& t, const QDate& date) {
    firstQuantityCol = static_cast<int>(summary::LeadHeaders(t).size());
    WriteHeading(ws, s, project, t, date);
    int row = kFirstRow, groupStart = kFirstRow;
    lxw_row_col_options inGroup{0, 1, 0}; // outline level 1, shown
    for (const summary::RowRef& ref : summary::RowOrder(t)) {
        if (ref.subtotal) {
            WriteSubtotalRow(ws, s, row, groupStart, t, t.groups[ref.index]);
            groupStart = ++row;
            continue;
        }
        WriteItemRow(ws, s, row, t, t.items[ref.index]);
        if (!t.groups.empty())
            worksheet_set_row_opt(ws, row, LXW_DEF_ROW_HEIGHT, nullptr, &inGroup);
        ++row;
    }
    WriteTotalRow(ws, s, row, t);
    SetSummaryWidths(ws, t);
    worksheet_freeze_panes(ws, kFirstRow, firstQuantityCol - 1);
    SetPage(ws, true, kHeaderRow);
    worksheet_activate(ws);
}

void WriteFinishSheet(lxw_worksheet* ws, const Styles& s, const QString& project,
                      const summary::Table& t) {
    WriteText(ws, 0, 0, U("仕上集計"), s.title);
    WriteText(ws, kCaptionRow, 0, U("物件：") + project, s.caption);
    const QStringList headers{U("仕上名称"), U("単位"), U("数量"), U("区分")};
    int widths[4] = {Width(U("仕上名称")), Width(U("単位")), Width(U("数量")), Width(U("区分"))};
    for (int col = 0; col < 4; ++col)
        WriteText(ws, kHeaderRow, col, headers[col], s.header);
    int row = kFirstRow;
    for (const summary::FinishTotal& f : t.finishes) {
        const QString kinds = f.kinds.join(U("・"));
        WriteText(ws, row, 0, f.name, s.text);
        WriteText(ws, row, 1, f.unit, s.text);
        worksheet_write_number(ws, row, 2, static_cast<double>(f.value) / 100.0, s.number);
        WriteText(ws, row, 3, kinds, s.text);
        widths[0] = std::max(widths[0], Width(f.name));
        widths[1] = std::max(widths[1], Width(f.unit));
        widths[2] = std::max(widths[2], Width(summary::FormatHundredths(f.value)));
        widths[3] = std::max(widths[3], Width(kinds));
        ++row;
    }
    if (t.finishes.empty())
        WriteText(ws, row, 0, U("仕上はありません"), s.line);
    for (int col = 0; col < 4; ++col)
        SetWidth(ws, col, std::min(widths[col], kMaxNoteWidth));
    worksheet_freeze_panes(ws, kFirstRow, 0);
    SetPage(ws, false, kHeaderRow);
}

} // namespace workbook
