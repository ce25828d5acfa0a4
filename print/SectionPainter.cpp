#include "SectionPainter.h"

#include <QBrush>
#include <QFont>
#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <cmath>

namespace print {

namespace sec = engine::section;

namespace {

// Sizes on paper, in millimetres.
constexpr double kTextMm = 2.2;
constexpr double kBodyPenMm = 0.5;
constexpr double kThinPenMm = 0.18;
constexpr double kTickMm = 1.2;

const QColor kEarth(150, 90, 40);
const QColor kFault(220, 0, 0);

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Drawing millimetres to device units: scaled, moved and turned y-up.
struct Mapping {
    double factor = 1; // device units per drawing millimetre
    double x0 = 0, y0 = 0;
    double unit = 1; // device units per paper millimetre
    QPointF operator()(sec::Pt p, double dx = 0) const {
        return {x0 + (p.x + dx) * factor, y0 - p.y * factor};
    }
};

struct Layout {
    sec::Box box;
    std::vector<double> offsets;
};

Layout LayoutOf(const sec::Drawing& d) {
    Layout l{{}, sec::ViewOffsets(d)};
    bool first = true;
    for (size_t i = 0; i < d.views.size(); ++i) {
        sec::Box b = sec::Extents(d.views[i]);
        b.x0 += l.offsets[i];
        b.x1 += l.offsets[i];
        if (first)
            l.box = b;
        l.box = {std::min(l.box.x0, b.x0), std::min(l.box.y0, b.y0), std::max(l.box.x1, b.x1),
                 std::max(l.box.y1, b.y1)};
        first = false;
    }
    return l;
}

// The room left for the drawing: a margin for the labels that stand beside
// dimension lines and a band under it for the scale and the notes.
QRectF Room(const QRectF& area, double unit, size_t faults) {
    const double text = kTextMm * unit;
    return area.adjusted(3 * text, 2 * text, -3 * text, -(3.0 + double(faults) * 1.4) * text);
}

QPen Pen(const QColor& c, double mm, double unit, Qt::PenStyle style = Qt::SolidLine) {
    QPen pen(c, mm * unit, style);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

QBrush BrushOf(sec::Fill fill) {
    switch (fill) {
    case sec::Fill::Backfill: return QBrush(kEarth, Qt::BDiagPattern);
    case sec::Fill::Concrete: return QBrush(QColor(215, 215, 215));
    case sec::Fill::Levelling: return QBrush(QColor(185, 185, 185));
    case sec::Fill::Stone: return QBrush(QColor(90, 90, 90), Qt::Dense6Pattern);
    case sec::Fill::Block: return QBrush(QColor(230, 215, 170));
    case sec::Fill::None: break;
    }
    return Qt::NoBrush;
}

QPen OutlinePen(const sec::Shape& s, double unit) {
    if (s.fault)
        return Pen(kFault, kBodyPenMm * 1.5, unit);
    Qt::PenStyle style = s.dashed ? Qt::DashLine : Qt::SolidLine;
    switch (s.layer) {
    case sec::Layer::Body: return Pen(Qt::black, kBodyPenMm, unit, style);
    case sec::Layer::Bed: return Pen(QColor(60, 60, 60), kThinPenMm * 1.5, unit, style);
    case sec::Layer::Excavation: return Pen(kEarth, kThinPenMm * 2, unit, style);
    default: return Pen(Qt::black, kThinPenMm, unit, style);
    }
}

void PaintShape(QPainter& p, const Mapping& m, const sec::Shape& s, double dx) {
    QPolygonF poly;
    for (sec::Pt pt : s.pts)
        poly << m(pt, dx);
    if (s.closed && s.fill != sec::Fill::None) {
        p.setPen(Qt::NoPen);
        if (s.fill == sec::Fill::Stone)
            p.setBrush(Qt::white), p.drawPolygon(poly);
        p.setBrush(s.fault ? QBrush(QColor(255, 200, 200)) : BrushOf(s.fill));
        p.drawPolygon(poly);
    }
    if (s.fill == sec::Fill::Backfill)
        return; // its outline is the excavation line, drawn on its own
    p.setBrush(Qt::NoBrush);
    p.setPen(OutlinePen(s, m.unit));
    if (s.closed)
        p.drawPolygon(poly);
    else
        p.drawPolyline(poly);
}

void PaintDim(QPainter& p, const Mapping& m, const sec::Dim& d, double dx) {
    const sec::DimLines l = sec::Layout(d);
    p.setPen(Pen(d.fault ? kFault : QColor(0, 0, 140), kThinPenMm, m.unit));
    p.drawLine(m(l.ext1[0], dx), m(l.ext1[1], dx));
    p.drawLine(m(l.ext2[0], dx), m(l.ext2[1], dx));
    const QPointF a = m(l.line[0], dx), b = m(l.line[1], dx);
    p.drawLine(a, b);
    const double t = kTickMm * m.unit / 2;
    for (QPointF e : {a, b})
        p.drawLine(e + QPointF(-t, t), e + QPointF(t, -t));
    // A label longer than its line keeps only the figure; a figure still too
    // long stands upright beside the line's end.
    const QFontMetricsF fm(p.font());
    const double room = QLineF(a, b).length();
    QString text = Q(l.text);
    if (fm.horizontalAdvance(text) > room)
        text = QString::number(d.mm);
    const QPointF at = m(l.label, dx);
    p.save();
    p.translate(at);
    if (fm.horizontalAdvance(text) <= room || l.angle == 0) {
        p.rotate(-l.angle);
        p.drawText(QPointF(-fm.horizontalAdvance(text) / 2, -fm.descent() - kThinPenMm * m.unit), text);
    } else {
        p.drawText(QPointF(-fm.horizontalAdvance(text) - t * 2, fm.ascent() / 2), text);
    }
    p.restore();
}

void PaintNote(QPainter& p, const Mapping& m, const sec::Note& n, double dx) {
    p.setPen(n.fault ? kFault : QColor(Qt::black));
    const QPointF at = m(n.at, dx);
    p.drawText(at + QPointF(kTextMm * m.unit / 2, -kTextMm * m.unit / 3), Q(n.text));
}

void PaintView(QPainter& p, const Mapping& m, const sec::View& v, double dx) {
    for (const sec::Shape& s : v.shapes)
        if (s.fill == sec::Fill::Backfill)
            PaintShape(p, m, s, dx);
    for (const sec::Shape& s : v.shapes)
        if (s.fill != sec::Fill::Backfill)
            PaintShape(p, m, s, dx);
    for (const sec::Dim& d : v.dims)
        PaintDim(p, m, d, dx);
    for (const sec::Note& n : v.notes)
        PaintNote(p, m, n, dx);
}

QFont TextFont(double unit) {
    QFont f(QStringLiteral("ＭＳ ゴシック"));
    f.setPixelSize(std::max(8, static_cast<int>(std::lround(kTextMm * unit * 1.4))));
    return f;
}

} // namespace

int ScaleFor(double sizeMm, double roomMm) {
    if (sizeMm <= 0)
        return 1;
    if (roomMm <= 0)
        return 0;
    static constexpr std::array<int, 12> kSteps{1, 2, 5, 10, 15, 20, 25, 30, 40, 50, 60, 75};
    for (int decade = 1; decade <= 100000; decade *= 100)
        for (int step : kSteps)
            if (sizeMm / (double(step) * decade) <= roomMm)
                return step * decade;
    return 0;
}

int SectionScale(const QRectF& area, const sec::Drawing& d, double mmPerUnit) {
    const Layout l = LayoutOf(d);
    const QRectF room = Room(area, 1 / mmPerUnit, d.faults.size());
    return std::max(ScaleFor(l.box.width(), room.width() * mmPerUnit),
                    ScaleFor(l.box.height(), room.height() * mmPerUnit));
}

void PaintSection(QPainter& p, const QRectF& area, const sec::Drawing& d, double mmPerUnit) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(area);
    const double unit = 1 / mmPerUnit;
    p.setFont(TextFont(unit));
    const double line = QFontMetricsF(p.font()).height();
    if (d.views.empty()) {
        p.setPen(Qt::black);
        p.drawText(area, Qt::AlignCenter, QStringLiteral("寸法が読めないため寸法図を描けません"));
        p.restore();
        return;
    }
    const Layout l = LayoutOf(d);
    const QRectF room = Room(area, unit, d.faults.size());
    const int scale = SectionScale(area, d, mmPerUnit);
    Mapping m;
    m.unit = unit;
    m.factor = scale > 0 ? unit / scale : 0;
    m.x0 = room.center().x() - (l.box.x0 + l.box.width() / 2) * m.factor;
    m.y0 = room.center().y() + (l.box.y0 + l.box.height() / 2) * m.factor;
    for (size_t i = 0; i < d.views.size(); ++i) {
        PaintView(p, m, d.views[i], l.offsets[i]);
        if (d.views.size() > 1) {
            const sec::Box b = sec::Extents(d.views[i]);
            p.setPen(Qt::black);
            p.drawText(m({b.x0, b.y1}, l.offsets[i]) + QPointF(0, -line / 2), Q(d.views[i].title));
        }
    }
    double y = room.bottom() + line * 1.5;
    p.setPen(Qt::black);
    p.drawText(QPointF(area.left() + line, y),
               QStringLiteral("S=1:%1　（寸法 mm）　%2").arg(scale).arg(Q(d.length)));
    p.setPen(kFault);
    for (const std::string& f : d.faults)
        p.drawText(QPointF(area.left() + line, y += line * 1.2), Q(f));
    p.restore();
}

} // namespace print
