#include "DrawingKit.h"

#include <QFont>
#include <QPolygon>

namespace drawings {

namespace {

constexpr int kArrow = 9;     // arrowhead length
constexpr int kArrowHalf = 3; // arrowhead half width

QPen Thin() {
    return QPen(Qt::black, 1.2, Qt::SolidLine, Qt::FlatCap);
}
QPen Heavy() {
    return QPen(Qt::black, 3.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

// A filled arrowhead with its tip at `tip`, pointing along (dx, dy).
void Arrow(QPainter& p, QPoint tip, int dx, int dy) {
    const QPoint back(tip.x() - dx * kArrow, tip.y() - dy * kArrow);
    const QPoint side(dy * kArrowHalf, dx * kArrowHalf);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygon({tip, back + side, back - side}));
    p.restore();
}

} // namespace

void DimV(QPainter& p, int x, int y1, int y2) {
    p.setPen(Thin());
    p.drawLine(x, y1, x, y2);
    Arrow(p, QPoint(x, y1), 0, -1);
    Arrow(p, QPoint(x, y2), 0, 1);
}

void DimH(QPainter& p, int y, int x1, int x2) {
    p.setPen(Thin());
    p.drawLine(x1, y, x2, y);
    Arrow(p, QPoint(x1, y), -1, 0);
    Arrow(p, QPoint(x2, y), 1, 0);
}

void DimChainV(QPainter& p, int x, std::initializer_list<int> levels) {
    const int* prev = nullptr;
    for (const int& level : levels) {
        if (prev)
            DimV(p, x, *prev, level);
        prev = &level;
    }
}

void ExtH(QPainter& p, int y, int fromX, int toX) {
    p.setPen(Thin());
    p.drawLine(fromX, y, toX + (toX > fromX ? 5 : -5), y);
}

void ExtV(QPainter& p, int x, int fromY, int toY) {
    p.setPen(Thin());
    p.drawLine(x, fromY, x, toY + (toY > fromY ? 5 : -5));
}

void Ground(QPainter& p, int y, int x1, int x2) {
    p.setPen(QPen(Qt::black, 2.0));
    p.drawLine(x1, y, x2, y);
    p.setPen(Thin());
    for (int x = x1 + 4; x + 8 <= x2; x += 12)
        p.drawLine(x + 8, y + 1, x, y + 9);
}

void Outline(QPainter& p, const QPolygon& shape) {
    p.setPen(Heavy());
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(shape);
}

void Outline(QPainter& p, const QRect& r) {
    Outline(p, QPolygon(r, true));
}

void Levelling(QPainter& p, const QRect& r) {
    p.save();
    p.setClipRect(r);
    p.setPen(QPen(Qt::black, 1.0));
    for (int x = r.left() - r.height(); x < r.right(); x += 7)
        p.drawLine(x, r.bottom(), x + r.height(), r.top());
    p.restore();
    p.setPen(QPen(Qt::black, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
}

void Stone(QPainter& p, const QRect& r) {
    p.save();
    p.setClipRect(r.adjusted(2, 2, -2, -2));
    p.setPen(QPen(Qt::black, 1.0));
    const int rows = r.height() / 11;
    for (int row = 0; row <= rows; ++row) {
        const int y = r.top() + 6 + row * 11;
        for (int x = r.left() + 5 + (row % 2) * 7; x < r.right(); x += 14)
            p.drawEllipse(QPoint(x, y), 3 + (x + row) % 2, 3);
    }
    p.restore();
    p.setPen(QPen(Qt::black, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
}

void Note(QPainter& p, QPoint at, const QString& text) {
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(22);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(at, text);
}

} // namespace drawings
