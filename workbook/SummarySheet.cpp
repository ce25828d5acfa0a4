// The sheets "数量総括表" and "仕上集計".
#include "Sheets.h"

#include <algorithm>

namespace workbook {

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

constexpr int kCaptionRow = 1, kHeaderRow = 2, kFirstRow = 3;
constexpr int kNameCol = 0, kKindCol = 1, kFirstQuantityCol = 2;
// Widths in half-width characters: a long name or note is cut off on
// screen rather than making the page unreadably small.
constexpr int kMaxNameWidth = 40, kMaxNoteWidth = 60, kPointsPerLine = 15;

int NoteCol() {
    return kFirstQuantityCol + static_cast<int>(summary::Columns().size());
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
    QStringList headers{U("拾い名称"), U("構造")};
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

void WriteItemRow(lxw_worksheet* ws, const Styles& s, int row, const summary::Item& item) {
    WriteText(ws, row, kNameCol, item.name, s.text);
    WriteText(ws, row, kKindCol, summary::ModeName(item.mode), s.text);
    const auto& columns = summary::Columns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const int col = kFirstQuantityCol + static_cast<int>(c);
        if (item.quantities)
            WriteQuantity(ws, row, col, columns[c], (*item.quantities).*columns[c].field, s);
        else
            worksheet_write_blank(ws, row, col, s.text);
    }
    if (item.quantities)
        WriteText(ws, row, NoteCol(), summary::FindingsText(item), s.text);
    else
        WriteText(ws, row, NoteCol(), StoppedNote(item), s.stopped);
}

// SUM over the item rows, with the total the program reckoned cached so
// that a viewer which does not recalculate shows it too.
void WriteTotalRow(lxw_worksheet* ws, const Styles& s, int row, const summary::Table& t) {
    const int calculated = static_cast<int>(t.items.size()) - t.stopped;
    WriteText(ws, row, kNameCol, U("合計"), s.totalText);
    WriteText(ws, row, kKindCol, U("%1 件").arg(calculated), s.totalText);
    const auto& columns = summary::Columns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const int col = kFirstQuantityCol + static_cast<int>(c);
        lxw_format* f = columns[c].count ? s.totalCount : s.totalNumber;
        const double total = Value(columns[c], t.totals[c]);
        if (t.items.empty()) {
            worksheet_write_number(ws, row, col, total, f);
            continue;
        }
        char range[LXW_MAX_CELL_RANGE_LENGTH];
        lxw_rowcol_to_range(range, kFirstRow, col, row - 1, col);
        const std::string formula = std::string("=SUM(") + range + ")";
        worksheet_write_formula_num(ws, row, col, formula.c_str(), f, total);
    }
    const QString note = t.stopped ? U("演算できない拾い%1件を除く").arg(t.stopped) : QString();
    WriteText(ws, row, NoteCol(), note, s.totalText);
}

void SetSummaryWidths(lxw_worksheet* ws, const summary::Table& t) {
    int name = Width(U("拾い名称")), note = Width(U("作成日 2000年10月10日"));
    for (const summary::Item& item : t.items) {
        name = std::max(name, Width(item.name));
        if (!item.quantities)
            note = std::max(note, Width(StoppedNote(item)));
    }
    SetWidth(ws, kNameCol, std::min(name, kMaxNameWidth));
    SetWidth(ws, kKindCol, Width(summary::ModeName(3)));
    const auto& columns = summary::Columns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        int width = std::max(Width(summary::HeaderText(columns[c], true)),
                             Width(summary::FormatValue(columns[c], t.totals[c])) + 1);
        for (const summary::Item& item : t.items)
            if (item.quantities)
                width = std::max(width, Width(summary::FormatValue(
                                            columns[c], (*item.quantities).*columns[c].field)));
        SetWidth(ws, kFirstQuantityCol + static_cast<int>(c), width);
    }
    SetWidth(ws, NoteCol(), std::min(note, kMaxNoteWidth));
}

} // namespace

void WriteSummarySheet(lxw_worksheet* ws, const Styles& s, const QString& project,
                       const summary::Table& t, const QDate& date) {
    WriteHeading(ws, s, project, t, date);
    int row = kFirstRow;
    for (const summary::Item& item : t.items)
        WriteItemRow(ws, s, row++, item);
    WriteTotalRow(ws, s, row, t);
    SetSummaryWidths(ws, t);
    worksheet_freeze_panes(ws, kFirstRow, kFirstQuantityCol - 1);
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
