#pragma once
// Where each element of a printed statement stands on the paper, and how a
// paper position becomes a position on the printer's device.
//
// Paper positions are hundredths of a millimetre from the paper's top-left
// corner. The statement's shape (heading, drawing labels, quantities) is the
// engine's (Structure.h).
#include "Structure.h"

#include <QPoint>
#include <QRect>

// The printing code and the window name the engine's kind without its namespace.
using engine::StructureMode;

// What the device reports: resolution in dots per inch, the offset of its
// printable area from the paper's corner in dots, and the scale in percent.
struct DeviceMetrics {
    int dpiX = 600;
    int dpiY = 600;
    int offsetX = 0;
    int offsetY = 0;
    int scale = 100;
    // The paper in hundredths of a millimetre, as oriented; 0 when the device
    // is no paper (an image), which prints the page as laid out, unfitted.
    int paperWidth = 0;
    int paperHeight = 0;
};

// A rectangle by its four edges, right and bottom exclusive.
struct PageRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

namespace PageLayout {

constexpr int kHeadingLines = static_cast<int>(engine::statement::kHeadingLines);
constexpr int kFirstQuantity = static_cast<int>(engine::statement::kFirstQuantity);
constexpr int kLinePitch = 500;    // 5 mm between lines

QPoint LinePos(int line, StructureMode mode); // any line of the statement
QPoint CaptionPos();                          // the quantity caption
PageRect DrawingRect();                       // the structure's drawing
// The title block: in the top margin, 13 mm in from either side of A4 and
// 6 to 13 mm from the top edge, clear of what printers cannot reach and of
// the wall thickness written at 16 mm.
PageRect TitleBlockRect();

} // namespace PageLayout

// One coordinate: v x dpi x 100 / scale / 2540 - offset, truncating each
// division. The products are taken in 64 bits so that long statements on
// 1200 dpi printers do not wrap; below 2^31 the result equals the 32-bit one.
int DevicePos(int v, int dpi, int offset, int scale);
QPoint ToDevice(QPoint paper, const DeviceMetrics& m);
QRect ToDevice(const PageRect& paper, const DeviceMetrics& m);
