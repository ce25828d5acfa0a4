#include "PageLayout.h"

#include <cstdint>

namespace PageLayout {

namespace {

// The eight dimension labels around the drawing.
QPoint LabelPos(int line, StructureMode mode) {
    switch (line) {
    case 12:
        return {1300, 2850}; // front finished height
    case 13:
        return {7400, 2000}; // back finished height
    case 14:
        return {1300, mode == StructureMode::Ditch ? 3850 : 4850}; // embedment
    case 15:
        return {1300, 6500}; // crushed stone
    case 16:
        return {1300, 5900}; // levelling concrete
    case 17:
        return {5300 - (mode == StructureMode::Base ? 800 : 0), 8050}; // base width
    case 18:
        return {7400, 5350}; // base thickness
    default:
        return {4150, 1620}; // 19: wall thickness
    }
}

} // namespace

QPoint LinePos(int line, StructureMode mode) {
    if (line < kHeadingLines)
        return {10000, 2100 + kLinePitch * line};
    if (line < kFirstQuantity)
        return LabelPos(line, mode);
    return {2750, 10100 + kLinePitch * (line - kFirstQuantity)};
}

QPoint CaptionPos() {
    return {2750, 9600};
}

PageRect DrawingRect() {
    return {2200, 2000, 7400, 8000};
}

PageRect TitleBlockRect() {
    return {1300, 600, 19700, 1300};
}

} // namespace PageLayout

int DevicePos(int v, int dpi, int offset, int scale) {
    if (scale <= 0)
        scale = 100; // a device mode without a scale prints at full size
    const std::int64_t dots = std::int64_t{v} * dpi * 100 / scale / 2540;
    return static_cast<int>(dots - offset);
}

QPoint ToDevice(QPoint paper, const DeviceMetrics& m) {
    return {DevicePos(paper.x(), m.dpiX, m.offsetX, m.scale),
            DevicePos(paper.y(), m.dpiY, m.offsetY, m.scale)};
}

QRect ToDevice(const PageRect& paper, const DeviceMetrics& m) {
    const QPoint topLeft = ToDevice(QPoint(paper.left, paper.top), m);
    const QPoint bottomRight = ToDevice(QPoint(paper.right, paper.bottom), m);
    return {topLeft, QSize(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y())};
}
