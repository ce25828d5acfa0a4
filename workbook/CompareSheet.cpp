// The sheet "数量比較": 当初 / 変更 / 増減 of every item and quantity, the
// differences as formulas of the two value cells beside them.
#include "Compare.h"
#include "Sheets.h"
#include "Utf8.h"

#include <QFileInfo>

#include <algorithm>
#include <vector>

namespace workbook {

namespace {

constexpr int kTitleRow = 0, kCaptionRow = 1, kGroupRow = 2, kSubRow = 3, kFirstRow = 4;
constexpr int kNameCol = 0, kMarkCol = 1, kFirstCol = 2;
constexpr std::size_t kQuantitiesPerPage = 3;

int ColumnOf(std::size_t quantity, int part) {
    return kFirstCol + 3 * static_cast<int>(quantity) + part; // part: 0 当初, 1 変更, 2 増減
}
int NoteCol() {
    return ColumnOf(summary::Columns().size(), 0);
}

double Value(const summary::Column& column, std::int64_t value) {
    return column.count ? static_cast<double>(value) : static_cast<double>(value) / 100.0;
}

std::string Cell(int row, int col) {
    char name[LXW_MAX_CELL_NAME_LENGTH];
    lxw_rowcol_to_cell(name, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(col));
    return name;
}

// 増減 as the formula of the two cells to its left, with its value cached.
void WriteDifference(lxw_worksheet* ws, int row, std::size_t c, std::int64_t diff,
                     lxw_format* format) {
    // GCC 12 at -O3 warns (-Wrestrict) that putting a literal in front of a
    // string may copy overlapping memory; a literal never overlaps the string's
    // own buffer (a known false positive of that compiler).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
    const std::string formula =
        "=" + Cell(row, ColumnOf(c, 1)) + "-" + Cell(row, ColumnOf(c, 0));
#pragma GCC diagnostic pop
    worksheet_write_formula_num(ws, row, ColumnOf(c, 2), formula.c_str(), format,
                                Value(summary::Columns()[c], diff));
}

void WriteHeadings(lxw_worksheet* ws, const Styles& s, const compare::Comparison& cmp,
                   const QString& project) {
    WriteText(ws, kTitleRow, 0, U("数量比較（当初・変更・増減）　") + project, s.title);
    WriteText(ws, kCaptionRow, 0,
              U("当初：") + QFileInfo(cmp.earlierPath).fileName() + U("　　変更：") +
                  QFileInfo(cmp.currentPath).fileName(),
              s.caption);
    WriteText(ws, kGroupRow, kNameCol, U("拾い名称"), s.header);
    WriteText(ws, kSubRow, kNameCol, QString(), s.header);
    WriteText(ws, kGroupRow, kMarkCol, U("区分"), s.header);
    WriteText(ws, kSubRow, kMarkCol, QString(), s.header);
    const auto& columns = summary::Columns();
    const char* parts[] = {"当初", "変更", "増減"};
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const QByteArray head = summary::HeaderText(columns[c]).toUtf8();
        worksheet_merge_range(ws, kGroupRow, ColumnOf(c, 0), kGroupRow, ColumnOf(c, 2),
                              head.constData(), s.header);
        for (int p = 0; p < 3; ++p)
            WriteText(ws, kSubRow, ColumnOf(c, p), U(parts[p]), s.header);
    }
    WriteText(ws, kGroupRow, NoteCol(), U("備考"), s.header);
    WriteText(ws, kSubRow, NoteCol(), QString(), s.header);
}

void WriteRow(lxw_worksheet* ws, const Styles& s, int row, const compare::Row& r) {
    WriteText(ws, row, kNameCol, r.name, s.text);
    WriteText(ws, row, kMarkCol, compare::StatusMark(r.status), s.text);
    const auto& columns = summary::Columns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        lxw_format* f = columns[c].count ? s.count : s.number;
        // A stopped item is counted in no total: its cells stay empty.
        const bool before = !r.Stopped() && r.status != compare::Status::Added;
        const bool after = !r.Stopped() && r.status != compare::Status::Removed;
        if (before)
            worksheet_write_number(ws, row, ColumnOf(c, 0), Value(columns[c], r.earlier[c]), f);
        else
            worksheet_write_blank(ws, row, ColumnOf(c, 0), s.text);
        if (after)
            worksheet_write_number(ws, row, ColumnOf(c, 1), Value(columns[c], r.current[c]), f);
        else
            worksheet_write_blank(ws, row, ColumnOf(c, 1), s.text);
        if (r.Stopped())
            worksheet_write_blank(ws, row, ColumnOf(c, 2), s.text);
        else
            WriteDifference(ws, row, c, r.Difference(c), f);
    }
    QString note = r.Stopped() ? r.stopped : r.changes.join(U("、"));
    WriteText(ws, row, NoteCol(), note, r.Stopped() ? s.stopped : s.text);
}

void WriteTotals(lxw_worksheet* ws, const Styles& s, int row, const compare::Comparison& cmp) {
    WriteText(ws, row, kNameCol, U("合計"), s.totalText);
    WriteText(ws, row, kMarkCol, QString(), s.totalText);
    const auto& columns = summary::Columns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        lxw_format* f = columns[c].count ? s.totalCount : s.totalNumber;
        const std::int64_t values[] = {cmp.all.earlier[c], cmp.all.current[c]};
        for (int p = 0; p < 2; ++p) {
            const std::string formula = "=SUM(" + Cell(kFirstRow, ColumnOf(c, p)) + ":" +
                                        Cell(std::max(kFirstRow, row - 1), ColumnOf(c, p)) + ")";
            worksheet_write_formula_num(ws, row, ColumnOf(c, p), formula.c_str(), f,
                                        Value(columns[c], values[p]));
        }
        WriteDifference(ws, row, c, cmp.all.Difference(c), f);
    }
    const QString note = cmp.stopped ? U("演算できない拾い%1件を除く").arg(cmp.stopped) : QString();
    WriteText(ws, row, NoteCol(), note, s.totalText);
}

// A4 landscape at a readable size: a few quantities per page, the item names
// and the two heading rows on every page, rather than every column shrunk
// onto one page width.
void SetComparisonPages(lxw_worksheet* ws) {
    SetPage(ws, true, kSubRow);
    worksheet_fit_to_pages(ws, 0, 0);
    worksheet_set_print_scale(ws, 90);
    worksheet_repeat_rows(ws, kGroupRow, kSubRow);
    worksheet_repeat_columns(ws, kNameCol, kMarkCol);
    static std::vector<lxw_col_t> breaks;
    breaks.clear();
    for (std::size_t c = kQuantitiesPerPage; c <= summary::Columns().size(); c += kQuantitiesPerPage)
        breaks.push_back(static_cast<lxw_col_t>(ColumnOf(c, 0)));
    breaks.push_back(0); // the list ends with a 0
    worksheet_set_v_pagebreaks(ws, breaks.data());
}

} // namespace

void WriteComparisonSheet(lxw_worksheet* ws, const Styles& s, const QString& project,
                          const compare::Comparison& cmp) {
    WriteHeadings(ws, s, cmp, project);
    int row = kFirstRow;
    for (const compare::Row& r : cmp.rows)
        WriteRow(ws, s, row++, r);
    WriteTotals(ws, s, row, cmp);
    SetWidth(ws, kNameCol, 24);
    SetWidth(ws, kMarkCol, 6);
    for (int col = kFirstCol; col < NoteCol(); ++col)
        SetWidth(ws, col, 10);
    SetWidth(ws, NoteCol(), 50);
    worksheet_freeze_panes(ws, kFirstRow, kFirstCol);
    SetComparisonPages(ws);
}

} // namespace workbook
