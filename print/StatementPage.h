#pragma once
// The printed statement page: the heading column, the structure's drawing
// with its dimension labels, the quantity caption and the quantity lines,
// painted on any paint device. Qt Gui only: the printer and its form are a
// layer up (PrnSys.h).
#include "PageLayout.h"
#include "Section.h"
#include "TitleBlock.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>

class QPaintDevice;
class QPainter;

// Everything one printed page needs.
struct StatementPage {
    QString title;         // the document title: the item name
    QString drawingFolder; // where the drawing files are
    StructureMode mode = StructureMode::Wall;
    QStringList lines; // the statement list
    // When set, the section drawn to scale (寸法図) stands in the drawing's
    // place, without the picture and its eight labels.
    std::optional<engine::section::Drawing> section;
    // The block in the top margin; none on a page printed without it.
    std::optional<TitleBlock> titleBlock{};
};

// What came of printing a page.
struct PrintResult {
    bool printed = false; // the document could be begun (and was ended)
    QString note;         // written in the drawing's place; empty when it was drawn
};

// The drawing file of a mode as the program names it, e.g. "擁壁１.BMP".
QString DrawingFileName(StructureMode mode);
// The path of that file in `folder`, matched without regard to letter case;
// empty when the folder holds no such file.
// The file `name` in `folder`, matched without regard to letter case (a
// drawing may be delivered as ".BMP" or ".bmp"); empty when there is none or
// no folder is given.
QString FindDrawing(const QString& folder, const QString& name);
QString FindDrawing(const QString& folder, StructureMode mode);
// The drawing in the recorded folder or, when that folder lacks it, the one
// delivered with the program; empty when neither has it.
QString LocateDrawing(const QString& folder, const QString& name);

// Draws the whole bitmap scaled into `rect` (device units); its pixels
// replace what was there.
void StretchDrawBitmap(QPainter& canvas, const QRect& rect, const QImage& bitmap);

// The statement font, 12 pt at the device's vertical resolution.
QFont StatementFont(const DeviceMetrics& m);

// Paints one page on an active painter: the title block, the text, then the
// drawing. The page is laid out for A4 portrait; on paper that cannot hold it
// (a smaller size, landscape, a statement longer than the sheet) it is scaled
// down as a whole and centred across, never cut. Returns the note that stands
// in for a missing or unreadable drawing.
QString PaintStatement(QPainter& canvas, const DeviceMetrics& m, const StatementPage& page);

// How much a statement page is scaled down to fit the paper of `m`: 1 when it
// fits (or the device is no paper), else the largest factor that fits.
double StatementFit(QPainter& canvas, const DeviceMetrics& m, const StatementPage& page);

// The device's resolution, the offset of its printable area and the paper as
// oriented. No device reports a scale to the toolkit, so it is 100.
DeviceMetrics MetricsOf(const QPaintDevice& device);

// The document title of a PDF writer; other devices keep none here (a
// printer's is set by PrintStatement of PrnSys.h).
void SetDocumentTitle(QPaintDevice& device, const QString& title);

// One document of one page on `device`, titled with the page's title where
// the device keeps a title (printer, PDF). The document is ended on every path.
PrintResult PrintStatement(QPaintDevice& device, const DeviceMetrics& m, const StatementPage& page);
PrintResult PrintStatement(QPaintDevice& device, const StatementPage& page);
