#pragma once
// Paints an item's section, drawn to scale from its dimensions, on any paint
// device: the window's drawing, a printed page, a PDF or an image in a test.
#include "Section.h"

#include <QRectF>
#include <QString>

class QPainter;

namespace print {

// The smallest of the draughtsman's scales (1:1, 1:2, 1:5, 1:10, 1:20, 1:25,
// 1:30, 1:40, 1:50 ...) at which `sizeMm` of the structure fits in `roomMm`
// of paper; 0 when nothing fits.
int ScaleFor(double sizeMm, double roomMm);

// Fits the drawing into `area` (device units; `mmPerUnit` millimetres of the
// device per unit) at a standard scale and writes that scale under it, with
// the length note. A drawing without views paints a short notice instead.
void PaintSection(QPainter& p, const QRectF& area, const engine::section::Drawing& d,
                  double mmPerUnit);

// The scale PaintSection chooses for the same arguments.
int SectionScale(const QRectF& area, const engine::section::Drawing& d, double mmPerUnit);

} // namespace print
