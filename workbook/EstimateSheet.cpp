// The sheet "内訳書": the priced estimate on A4 portrait. Each 金額 is the
// formula of its 数量 and 単価 cells, each subtotal and total a formula over
// the amounts, every formula with the value the program worked out cached, so
// a reader that does not recalculate shows the same figures.
#include "Estimate.h"
#include "Sheets.h"
#include "Utf8.h"

namespace workbook {

namespace {

enum { kName, kGrade, kQty, kUnit, kPrice, kAmount, kNote, kCols };
constexpr int kHeaderRow = 5;

struct Formats {
    explicit Formats(lxw_workbook* wb, const Styles& s) : s(s) {
        for (int d = 0; d < 3; ++d)
            qty[d] = Number(wb, d == 0 ? "#,##0" : d == 1 ? "#,##0.0" : "#,##0.00", false);
        yen = Number(wb, "#,##0;[Red]-#,##0", false);
        totalYen = Number(wb, "#,##0;[Red]-#,##0", true);
        rate = Number(wb, "0.0#%", false);
        kind = workbook_add_format(wb);
        format_set_font_name(kind, kFontName);
        format_set_bold(kind);
        format_set_border(kind, LXW_BORDER_THIN);
    }
    static lxw_format* Number(lxw_workbook* wb, const char* num, bool total) {
        lxw_format* f = workbook_add_format(wb);
        format_set_font_name(f, kFontName);
        format_set_num_format(f, num);
        format_set_border(f, LXW_BORDER_THIN);
        if (total) {
            format_set_bold(f);
            format_set_top(f, LXW_BORDER_DOUBLE);
        }
        return f;
    }
    const Styles& s;
    lxw_format* qty[3];
    lxw_format *yen, *totalYen, *rate, *kind;
};

QByteArray Cell(int row, int col) {
    return (QString(QChar(u'A' + col)) + QString::number(row + 1)).toLatin1();
}

void Blank(lxw_worksheet* ws, int row, const Formats& f, lxw_format* format = nullptr) {
    for (int c = 0; c < kCols; ++c)
        worksheet_write_blank(ws, row, c, format ? format : f.s.text);
}

void Formula(lxw_worksheet* ws, int row, int col, const QString& formula, std::int64_t value,
             lxw_format* format) {
    worksheet_write_formula_num(ws, row, col, formula.toUtf8().constData(), format,
                                static_cast<double>(value));
}

void WriteLine(lxw_worksheet* ws, int row, const estimate::Line& l, const Formats& f) {
    Blank(ws, row, f);
    WriteText(ws, row, kName, U("　") + l.name, f.s.text);
    WriteText(ws, row, kGrade, l.grade, f.s.text);
    worksheet_write_number(ws, row, kQty, static_cast<double>(l.posted) / 100.0,
                           f.qty[std::clamp(l.digits, 0, 2)]);
    WriteText(ws, row, kUnit, l.unit, f.s.text);
    WriteText(ws, row, kNote, l.note, f.s.text);
    if (!l.price)
        return;
    worksheet_write_number(ws, row, kPrice, static_cast<double>(*l.price), f.yen);
    // The product of a quantity of two decimals and whole yen has at most two
    // decimals: rounding to them first keeps a binary fraction just under a
    // whole yen from being cut down to the yen below.
    Formula(ws, row, kAmount,
            QStringLiteral("ROUNDDOWN(ROUND(%1*%2,2),0)")
                .arg(QLatin1String(Cell(row, kQty)), QLatin1String(Cell(row, kPrice))),
            *l.amount, f.yen);
}

int WriteGroup(lxw_worksheet* ws, int row, const estimate::Group& g, const Formats& f,
               QStringList& subtotals) {
    Blank(ws, row, f);
    WriteText(ws, row++, kName, g.kind, f.kind);
    const int first = row;
    for (const estimate::Line& l : g.lines)
        WriteLine(ws, row++, l, f);
    Blank(ws, row, f, f.s.totalText);
    WriteText(ws, row, kName, g.kind + U(" 小計"), f.s.totalText);
    Formula(ws, row, kAmount,
            QStringLiteral("SUM(%1:%2)")
                .arg(QLatin1String(Cell(first, kAmount)), QLatin1String(Cell(row - 1, kAmount))),
            g.subtotal, f.totalYen);
    subtotals << QLatin1String(Cell(row, kAmount));
    return row + 1;
}

int Total(lxw_worksheet* ws, int row, const QString& label, const QString& formula,
          std::int64_t value, const Formats& f) {
    Blank(ws, row, f, f.s.totalText);
    WriteText(ws, row, kName, label, f.s.totalText);
    Formula(ws, row, kAmount, formula, value, f.totalYen);
    return row + 1;
}

// 諸経費 or 消費税: the rate in its own cell, the amount cut down to whole yen.
int RateRow(lxw_worksheet* ws, int row, const estimate::RateLine& r, int baseRow,
            const Formats& f) {
    Blank(ws, row, f);
    WriteText(ws, row, kName, r.rate.name, f.s.text);
    WriteText(ws, row, kNote, r.rate.note, f.s.text);
    worksheet_write_number(ws, row, kPrice, static_cast<double>(r.rate.hundredthsPercent) / 10000.0,
                           f.rate);
    Formula(ws, row, kAmount,
            QStringLiteral("ROUNDDOWN(ROUND(%1*%2,4),0)")
                .arg(QLatin1String(Cell(baseRow, kAmount)), QLatin1String(Cell(row, kPrice))),
            r.amount, f.yen);
    return row + 1;
}

void WriteHeading(lxw_worksheet* ws, const Formats& f, const QString& project,
                  const estimate::Estimate& e, const QDate& date) {
    WriteText(ws, 0, kName, U("内訳書"), f.s.title);
    WriteText(ws, 1, kName, U("工事名：") + project, f.s.caption);
    lxw_datetime day{date.year(), date.month(), date.day(), 0, 0, 0};
    worksheet_write_datetime(ws, 1, kAmount, &day, f.s.date);
    WriteText(ws, 2, kName,
              U("単価表：") + (e.book.isEmpty() ? U("（なし）") : e.book), f.s.caption);
    const QStringList headers{U("名称"), U("規格"), U("数量"), U("単位"),
                              U("単価"), U("金額"), U("摘要")};
    for (int c = 0; c < kCols; ++c)
        WriteText(ws, kHeaderRow, c, headers[c], f.s.header);
    const int widths[kCols] = {26, 18, 10, 6, 11, 13, 20};
    for (int c = 0; c < kCols; ++c)
        SetWidth(ws, c, widths[c]);
}

} // namespace

void WriteEstimateSheet(lxw_worksheet* ws, lxw_workbook* wb, const Styles& s,
                        const QString& project, const estimate::Estimate& e, const QDate& date) {
    const Formats f(wb, s);
    WriteHeading(ws, f, project, e, date);
    int row = kHeaderRow + 1;
    QStringList subtotals;
    for (const estimate::Group& g : e.groups)
        row = WriteGroup(ws, row, g, f, subtotals);
    const int direct = row;
    row = Total(ws, row, U("直接工事費"),
                subtotals.isEmpty() ? QStringLiteral("0") : subtotals.join(u'+'), e.direct, f);
    int base = direct;
    if (e.overhead) {
        const int overhead = row;
        row = RateRow(ws, row, *e.overhead, direct, f);
        base = row;
        row = Total(ws, row, U("工事価格"),
                    QStringLiteral("%1+%2").arg(QLatin1String(Cell(direct, kAmount)),
                                                QLatin1String(Cell(overhead, kAmount))),
                    e.price, f);
    }
    if (e.tax) {
        const int tax = row;
        row = RateRow(ws, row, *e.tax, base, f);
        row = Total(ws, row, U("工事費計"),
                    QStringLiteral("%1+%2").arg(QLatin1String(Cell(base, kAmount)),
                                                QLatin1String(Cell(tax, kAmount))),
                    e.total, f);
    }
    ++row;
    for (const checks::Finding& x : e.unpriced)
        WriteText(ws, row++, kName, QString::fromStdString(checks::FindingLine(x)), f.s.stopped);
    for (const QString& x : e.stopped)
        WriteText(ws, row++, kName, U("演算できない拾い（内訳書に含めず）：") + x, f.s.stopped);
    for (const QString& x : e.problems)
        WriteText(ws, row++, kName, x, f.s.stopped);
    SetPage(ws, false, kHeaderRow);
    const QByteArray header = "&L" + HeaderFooterText(project) + "&R" + U("内訳書").toUtf8();
    worksheet_set_header(ws, header.constData());
}

} // namespace workbook
