#include "EstimatePrint.h"

#include "SaveBytes.h"
#include "TitleBlock.h"
#include "Utf8.h"

#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPdfWriter>

namespace {

// Sizes in tenths of a millimetre on A4 portrait (2100 × 2970).
constexpr double kMargin = 150, kTitleHeight = 260, kHeaderHeight = 75, kRowHeight = 68;
constexpr double kPageHeight = 2970;
// Column widths of 名称, 規格, 数量, 単位, 単価, 金額, 摘要 (sum 1800).
constexpr double kWidths[] = {470, 280, 160, 90, 200, 250, 350};
constexpr int kCols = 7;

const QString kFamily = U("ＭＳ ゴシック");

QFont Font(double height, bool bold = false) {
    if (QFont::substitutes(kFamily).isEmpty())
        QFont::insertSubstitutions(kFamily, {U("IPAGothic"), U("IPAゴシック")});
    QFont f(kFamily);
    f.setPixelSize(qRound(height));
    f.setBold(bold);
    return f;
}

// The printed cells of a row: 名称 takes the 工種 of a heading or total.
QStringList Cells(const estimate::TableRow& r) {
    const QStringList& c = r.cells;
    QString name = c[1];
    if (r.kind == estimate::TableRow::Item && c[0].isEmpty())
        name = U("　") + name;
    else if (!c[0].isEmpty())
        name = c[0];
    return {name, c[2], c[3], c[4], c[5], c[6], c[7]};
}

void PaintRow(QPainter& p, double x, double y, const PrintedRow& pr) {
    if (pr.note) {
        p.setFont(Font(30));
        p.drawText(QRectF(x, y, 1800, kRowHeight), Qt::AlignVCenter | Qt::AlignLeft,
                   pr.row.cells.value(0));
        return;
    }
    const bool strong = pr.row.kind != estimate::TableRow::Item;
    p.setFont(Font(32, strong));
    const QStringList cells = Cells(pr.row);
    if (pr.row.kind == estimate::TableRow::Subtotal || pr.row.kind == estimate::TableRow::Total)
        p.fillRect(QRectF(x, y, 1800, kRowHeight), QColor(0xEE, 0xF1, 0xF6));
    for (int c = 0; c < kCols; ++c) {
        const QRectF cell(x, y, kWidths[c], kRowHeight);
        const bool number = c == 2 || c == 4 || c == 5;
        p.drawRect(cell);
        p.drawText(cell.adjusted(15, 0, -15, 0),
                   Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft), cells[c]);
        x += kWidths[c];
    }
}

void PaintHeader(QPainter& p, double x, double y) {
    const QStringList headers{U("名　称"), U("規　格"), U("数　量"), U("単位"),
                              U("単　価"), U("金　額"), U("摘　要")};
    p.setFont(Font(32, true));
    for (int c = 0; c < kCols; ++c) {
        const QRectF cell(x, y, kWidths[c], kHeaderHeight);
        p.fillRect(cell, QColor(0xE8, 0xEC, 0xF4));
        p.drawRect(cell);
        p.drawText(cell, Qt::AlignCenter, headers[c]);
        x += kWidths[c];
    }
}

} // namespace

int EstimateRowsPerPage() {
    return static_cast<int>((kPageHeight - 2 * kMargin - kTitleHeight - kHeaderHeight) / kRowHeight);
}

std::vector<std::vector<PrintedRow>> EstimatePages(const estimate::Estimate& e, int perPage) {
    std::vector<PrintedRow> all;
    for (const estimate::TableRow& r : estimate::TableRows(e, true))
        all.push_back({r, false});
    const QStringList notes = estimate::NoteLines(e);
    if (!notes.isEmpty())
        all.push_back({{estimate::TableRow::Item, {QString()}}, true});
    for (const QString& n : notes)
        all.push_back({{estimate::TableRow::Item, {n}}, true});
    std::vector<std::vector<PrintedRow>> pages(1);
    for (const PrintedRow& r : all) {
        if (static_cast<int>(pages.back().size()) >= std::max(1, perPage))
            pages.emplace_back();
        pages.back().push_back(r);
    }
    return pages;
}

void PaintEstimatePage(QPainter& p, const QRectF& area, const EstimatePrint& print,
                       const std::vector<std::vector<PrintedRow>>& pages, int index) {
    p.save();
    p.setPen(QPen(Qt::black, 3));
    // The document's name, then the title block every printed document of
    // the project carries.
    p.setFont(Font(70, true));
    p.drawText(QRectF(area.left(), area.top(), area.width(), 100), Qt::AlignCenter, U("内　訳　書"));
    PaintTitleBlock(p, QRectF(area.left(), area.top() + 140, area.width(), 70).toRect(),
                    {print.project, U("内訳書"), print.date, index + 1,
                     static_cast<int>(pages.size())});
    double y = area.top() + kTitleHeight;
    PaintHeader(p, area.left(), y);
    y += kHeaderHeight;
    for (const PrintedRow& r : pages[static_cast<std::size_t>(index)]) {
        PaintRow(p, area.left(), y, r);
        y += kRowHeight;
    }
    p.restore();
}

bool PaintEstimate(QPagedPaintDevice& device, const EstimatePrint& print) {
    QPainter p;
    if (!p.begin(&device))
        return false;
    // Tenths of a millimetre from the paper's corner, whatever the device.
    const QPageLayout layout = device.pageLayout();
    const QRectF paint = layout.paintRect(QPageLayout::Millimeter);
    const double scale = device.logicalDpiX() / 254.0;
    p.scale(scale, scale);
    p.translate(-paint.left() * 10, -paint.top() * 10);
    const auto pages = EstimatePages(print.estimate, EstimateRowsPerPage());
    const QRectF area(kMargin, kMargin, 2100 - 2 * kMargin, kPageHeight - 2 * kMargin);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage())
            return false;
        PaintEstimatePage(p, area, print, pages, static_cast<int>(i));
    }
    return p.end();
}

std::optional<QString> WriteEstimatePdf(const QString& path, const EstimatePrint& print) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(600);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    pdf.setTitle(U("内訳書　") + print.project);
    pdf.setCreator(QStringLiteral("yoheki"));
    if (!PaintEstimate(pdf, print))
        return U("PDFを作れません");
    return yoheki::SaveBytes(path, buffer.data());
}
