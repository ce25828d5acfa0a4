#pragma once
// The printed 内訳書: A4 portrait pages with a title block (工事名, 作成日,
// page x / y) on each, the table of the priced estimate across as many pages
// as it needs, and the notes under it. Painted on any paged device: a
// printer, a PDF or, through PaintEstimatePage, an image in a test.
#include "Estimate.h"

#include <QDate>
#include <QPainter>
#include <QString>
#include <optional>
#include <vector>

class QPagedPaintDevice;

struct EstimatePrint {
    QString project; // 工事名
    QDate date;      // 作成日
    estimate::Estimate estimate;
};

// One printed line: a row of the table or a note under it.
struct PrintedRow {
    estimate::TableRow row;
    bool note = false;
};

// The rows of each page, `perPage` at most; the notes follow the table.
std::vector<std::vector<PrintedRow>> EstimatePages(const estimate::Estimate& e, int perPage);
// Rows a page holds.
int EstimateRowsPerPage();

// Paints page `index` (from 0) in `area` (tenths of a millimetre).
void PaintEstimatePage(QPainter& canvas, const QRectF& area, const EstimatePrint& print,
                       const std::vector<std::vector<PrintedRow>>& pages, int index);

// Every page on `device`; false when the device cannot be begun.
bool PaintEstimate(QPagedPaintDevice& device, const EstimatePrint& print);
// A4 portrait PDF at `path`, put in place whole by the program's one save.
// Nothing on success, else the reason.
std::optional<QString> WriteEstimatePdf(const QString& path, const EstimatePrint& print);
