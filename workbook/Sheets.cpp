// What the sheets share: the cell formats, text cells, widths and pages.
#include "Sheets.h"

namespace workbook {

namespace {

void SetFont(lxw_format* f) {
    format_set_font_name(f, kFontName);
    format_set_font_size(f, 11);
    format_set_font_charset(f, 128); // Shift-JIS
    format_set_font_family(f, 3);    // fixed pitch
}

lxw_format* Add(lxw_workbook* wb) {
    lxw_format* f = workbook_add_format(wb);
    SetFont(f);
    return f;
}

lxw_format* Bordered(lxw_workbook* wb) {
    lxw_format* f = Add(wb);
    format_set_border(f, LXW_BORDER_THIN);
    format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
    return f;
}

constexpr const char kHundredths[] = "0.00;[Red]-0.00";
constexpr const char kCount[] = "0;[Red]-0";

lxw_format* Plain(lxw_workbook* wb, const char* numFormat) {
    lxw_format* f = Add(wb);
    format_set_num_format(f, numFormat);
    return f;
}

lxw_format* Numbers(lxw_workbook* wb, const char* numFormat, bool bold) {
    lxw_format* f = Bordered(wb);
    format_set_num_format(f, numFormat);
    if (bold) {
        format_set_bold(f);
        format_set_top(f, LXW_BORDER_DOUBLE);
    }
    return f;
}

// The workbook's own default format is the "Normal" style, which a blank
// cell and the column width unit use: it gets the same font.
void SetNormalFont(lxw_workbook* wb) {
    if (lxw_format* normal = STAILQ_FIRST(wb->formats))
        SetFont(normal);
}

} // namespace

Styles::Styles(lxw_workbook* wb)
    : title(Add(wb)), caption(Add(wb)), date(Add(wb)), header(Bordered(wb)), text(Bordered(wb)),
      number(Numbers(wb, kHundredths, false)), count(Numbers(wb, kCount, false)),
      stopped(Bordered(wb)), totalText(Bordered(wb)), totalNumber(Numbers(wb, kHundredths, true)),
      totalCount(Numbers(wb, kCount, true)), line(caption), quantity(Plain(wb, kHundredths)),
      quantityCount(Plain(wb, kCount)) {
    SetNormalFont(wb);
    format_set_bold(title);
    format_set_font_size(title, 16);
    format_set_num_format(date, "\"作成日 \"yyyy\"年\"m\"月\"d\"日\"");
    format_set_align(date, LXW_ALIGN_LEFT);
    format_set_bold(header);
    format_set_text_wrap(header);
    format_set_align(header, LXW_ALIGN_CENTER);
    format_set_pattern(header, LXW_PATTERN_SOLID);
    format_set_bg_color(header, 0xE8ECF4);
    format_set_font_color(stopped, 0xC80000);
    format_set_bold(totalText);
    format_set_top(totalText, LXW_BORDER_DOUBLE);
}

void WriteText(lxw_worksheet* ws, int row, int col, const QString& text, lxw_format* format) {
    if (text.isEmpty()) {
        if (format)
            worksheet_write_blank(ws, row, col, format);
        return;
    }
    const QByteArray bytes = text.toUtf8();
    worksheet_write_string(ws, row, col, bytes.constData(), format);
}

void SetWidth(lxw_worksheet* ws, int col, int displayWidth, lxw_format* format) {
    worksheet_set_column(ws, col, col, displayWidth + 2, format);
}

QByteArray HeaderFooterText(const QString& text) {
    QString escaped = text;
    escaped.replace(u'&', QStringLiteral("&&"));
    return escaped.toUtf8();
}

void SetPage(lxw_worksheet* ws, bool landscape, int repeatedRow) {
    if (landscape)
        worksheet_set_landscape(ws);
    else
        worksheet_set_portrait(ws);
    worksheet_set_paper(ws, 9); // A4
    worksheet_fit_to_pages(ws, 1, 0);
    worksheet_repeat_rows(ws, repeatedRow, repeatedRow);
    worksheet_set_margins(ws, 0.5, 0.5, 0.75, 0.75);
    worksheet_set_footer(ws, "&C&P / &N");
}

} // namespace workbook
