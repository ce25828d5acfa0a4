#include "Drawings.h"

#include "DrawingKit.h"
#include "StatementPage.h"

#include <QFontMetrics>

namespace drawings {

namespace {

// Levels shared by the three sections: underside of the base, levelling
// concrete, crushed stone, and the lines that carry dimensions.
constexpr int kBaseBottom = 381;
constexpr int kLevellingBottom = 441;
constexpr int kStoneBottom = 501;
constexpr int kChainX = 14;   // left chain of heights, beside the labels 12, 14-16
constexpr int kRightX = 505;  // right dimensions, beside the labels 13 and 18
constexpr int kTopY = 8;      // wall thickness, under the label 19
constexpr int kBottomY = 585; // base width, over the label 17

struct Section {
    int top;      // top of the concrete
    int ground;   // front ground
    int left;     // front face of the base
    int right;    // back face of the base
    int slabTop;  // top of the base slab
    int wallLeft; // the upstand (wall) faces
    int wallRight;
};

constexpr Section kWall{20, 231, 180, 480, 331, 191, 261};
constexpr Section kBase{40, 231, 190, 480, 0, 0, 0};
constexpr Section kDitch{31, 31, 191, 480, 331, 191, 261};
constexpr int kWallBackGround = 110;
constexpr int kDitchInnerRight = 410;
constexpr int kProjection = 15; // stone and levelling stand out beyond the base

void SubBase(QPainter& p, const Section& s) {
    const int l = s.left - kProjection, w = s.right - s.left + 2 * kProjection;
    Levelling(p, QRect(l, kBaseBottom, w, kLevellingBottom - kBaseBottom));
    Stone(p, QRect(l, kLevellingBottom, w, kStoneBottom - kLevellingBottom));
    ExtH(p, kBaseBottom, s.left, kChainX);
    ExtH(p, kLevellingBottom, l, kChainX);
    ExtH(p, kStoneBottom, l, kChainX);
}

void WidthDimension(QPainter& p, const Section& s) {
    ExtV(p, s.left, kStoneBottom + 4, kBottomY);
    ExtV(p, s.right, kStoneBottom + 4, kBottomY);
    DimH(p, kBottomY, s.left, s.right);
}

void WallThickness(QPainter& p, const Section& s) {
    ExtV(p, s.wallLeft, s.top - 4, kTopY);
    ExtV(p, s.wallRight, s.top - 4, kTopY);
    DimH(p, kTopY, s.wallLeft, s.wallRight);
}

void SlabThickness(QPainter& p, const Section& s, int slabTopFromX) {
    ExtH(p, s.slabTop, slabTopFromX, kRightX);
    ExtH(p, kBaseBottom, s.right, kRightX);
    DimV(p, kRightX, s.slabTop, kBaseBottom);
}

void DrawWall(QPainter& p) {
    const Section& s = kWall;
    Ground(p, s.ground, kChainX + 8, s.wallLeft);
    Ground(p, kWallBackGround, s.wallRight, kRightX - 10);
    Outline(p, QPolygon({{s.wallLeft, s.top},
                         {s.wallRight, s.top},
                         {s.wallRight, s.slabTop},
                         {s.right, s.slabTop},
                         {s.right, kBaseBottom},
                         {s.left, kBaseBottom},
                         {s.left, s.slabTop},
                         {s.wallLeft, s.slabTop}}));
    SubBase(p, s);
    ExtH(p, s.top, s.wallLeft, kChainX);
    DimChainV(p, kChainX, {s.top, s.ground, kBaseBottom, kLevellingBottom, kStoneBottom});
    ExtH(p, s.top, s.wallRight, kRightX);
    ExtH(p, kWallBackGround, kRightX - 10, kRightX);
    DimV(p, kRightX, s.top, kWallBackGround);
    SlabThickness(p, s, s.right);
    WallThickness(p, s);
    WidthDimension(p, s);
    Note(p, QPoint(60, s.ground - 8), QStringLiteral("GL"));
    Note(p, QPoint(420, kWallBackGround - 8), QStringLiteral("GL"));
}

void DrawBase(QPainter& p) {
    const Section& s = kBase;
    Ground(p, s.ground, kChainX + 8, s.left);
    Ground(p, s.ground, s.right, kRightX + 10);
    Outline(p, QRect(s.left, s.top, s.right - s.left, kBaseBottom - s.top));
    // Anchor bolts for the equipment, hidden in the concrete.
    p.setPen(QPen(Qt::black, 1.2, Qt::DashLine));
    for (int x : {s.left + 50, s.right - 50})
        p.drawLine(x, s.top - 12, x, s.top + 130);
    SubBase(p, s);
    ExtH(p, s.top, s.left, kChainX);
    DimChainV(p, kChainX, {s.top, s.ground, kBaseBottom, kLevellingBottom, kStoneBottom});
    WidthDimension(p, s);
    Note(p, QPoint(60, s.ground - 8), QStringLiteral("GL"));
}

void DrawDitch(QPainter& p) {
    const Section& s = kDitch;
    Ground(p, s.ground, kChainX + 8, s.left);
    Ground(p, s.ground, s.right, kRightX + 10);
    Outline(p, QPolygon({{s.left, s.top},
                         {s.wallRight, s.top},
                         {s.wallRight, s.slabTop},
                         {kDitchInnerRight, s.slabTop},
                         {kDitchInnerRight, s.top},
                         {s.right, s.top},
                         {s.right, kBaseBottom},
                         {s.left, kBaseBottom}}));
    SubBase(p, s);
    DimChainV(p, kChainX, {s.top, kBaseBottom, kLevellingBottom, kStoneBottom});
    SlabThickness(p, s, kDitchInnerRight);
    WallThickness(p, s);
    WidthDimension(p, s);
    Note(p, QPoint(60, s.ground - 8), QStringLiteral("GL"));
}

// What a label typically holds: four digits, three for a wall thickness,
// the plan size of a base.
QString TypicalLabel(int line, StructureMode mode) {
    if (line == 19)
        return QStringLiteral("200");
    if (line == 17 && mode == StructureMode::Base)
        return QStringLiteral("2000×1500");
    return QStringLiteral("1500");
}

} // namespace

QImage Draw(StructureMode mode) {
    QImage image(kWidth, kHeight, QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (mode == StructureMode::Base)
        DrawBase(p);
    else if (mode == StructureMode::Ditch)
        DrawDitch(p);
    else
        DrawWall(p);
    p.end();
    return image;
}

QList<Dimension> Dimensions(StructureMode mode) {
    const int stone = kStoneBottom, lev = kLevellingBottom, bb = kBaseBottom;
    switch (mode) {
    case StructureMode::Base:
        return {{12, true, kBase.top, kBase.ground},
                {14, true, kBase.ground, bb},
                {16, true, bb, lev},
                {15, true, lev, stone},
                {17, false, kBase.left, kBase.right}};
    case StructureMode::Ditch:
        return {{14, true, kDitch.top, bb},     {16, true, bb, lev},
                {15, true, lev, stone},         {17, false, kDitch.left, kDitch.right},
                {18, true, kDitch.slabTop, bb}, {19, false, kDitch.wallLeft, kDitch.wallRight}};
    default:
        return {{12, true, kWall.top, kWall.ground},
                {13, true, kWall.top, kWallBackGround},
                {14, true, kWall.ground, bb},
                {16, true, bb, lev},
                {15, true, lev, stone},
                {17, false, kWall.left, kWall.right},
                {18, true, kWall.slabTop, bb},
                {19, false, kWall.wallLeft, kWall.wallRight}};
    }
}

QRect LabelBand(int line, StructureMode mode) {
    const PageRect r = PageLayout::DrawingRect();
    const QPoint paper = PageLayout::LinePos(line, mode);
    const int x = (paper.x() - r.left) * kWidth / (r.right - r.left);
    const int y = (paper.y() - r.top) * kHeight / (r.bottom - r.top);
    // The printed font at the drawing's own scale of 254 dots to the inch.
    const QFontMetrics fm(StatementFont({254, 254, 0, 0, 100}));
    return {x, y, fm.horizontalAdvance(TypicalLabel(line, mode)), fm.height()};
}

QStringList MisplacedLabels(StructureMode mode) {
    QStringList out;
    for (const Dimension& d : Dimensions(mode)) {
        const QPoint mid = LabelBand(d.line, mode).center();
        const int along = d.vertical ? mid.y() : mid.x();
        const int lo = qMin(d.from, d.to), hi = qMax(d.from, d.to);
        if (along < lo || along > hi)
            out << QString::number(d.line);
    }
    return out;
}

} // namespace drawings
