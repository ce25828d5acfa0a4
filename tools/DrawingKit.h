#pragma once
// Drafting primitives for the structure drawings: dimension lines with
// arrowheads, extension lines, ground lines with earth hatching, and the
// fills of levelling concrete and crushed stone. Coordinates are pixels of
// the drawing.
#include <QPainter>
#include <QRect>

namespace drawings {

// A dimension line between two points on one vertical or horizontal line.
void DimV(QPainter& p, int x, int y1, int y2);
void DimH(QPainter& p, int y, int x1, int x2);
// Chain of vertical dimensions through the given levels, top to bottom.
void DimChainV(QPainter& p, int x, std::initializer_list<int> levels);

// Thin line from the object edge out to where a dimension line stands.
void ExtH(QPainter& p, int y, int fromX, int toX);
void ExtV(QPainter& p, int x, int fromY, int toY);

// Ground surface from x1 to x2 with earth hatching below it.
void Ground(QPainter& p, int y, int x1, int x2);
// A concrete outline, heavy.
void Outline(QPainter& p, const QPolygon& shape);
void Outline(QPainter& p, const QRect& r);
// Levelling concrete: outline and close diagonal hatching.
void Levelling(QPainter& p, const QRect& r);
// Crushed stone: outline and scattered small stones.
void Stone(QPainter& p, const QRect& r);
// A small annotation ("GL") with its baseline at the point.
void Note(QPainter& p, QPoint at, const QString& text);

} // namespace drawings
