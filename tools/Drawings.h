#pragma once
// The three structure drawings that the main window shows and the printed
// statement stretches into its drawing rectangle. Each is drawn so that the
// dimension labels printed around the rectangle stand beside the matching
// dimension line.
#include "PageLayout.h"

#include <QImage>
#include <QList>
#include <QString>

namespace drawings {

constexpr int kWidth = 520; // 10 pixels to the printed millimetre
constexpr int kHeight = 600;

QImage Draw(StructureMode mode);

// A dimension line of a drawing and the statement line that labels it.
struct Dimension {
    int line; // 12..19
    bool vertical;
    int from, to; // the span along the line, in pixels
};
QList<Dimension> Dimensions(StructureMode mode);

// Where a printed label falls in the drawing's pixels, for a typical text.
QRect LabelBand(int line, StructureMode mode);

// The labels whose middle misses their dimension line; empty when all fit.
QStringList MisplacedLabels(StructureMode mode);

} // namespace drawings
