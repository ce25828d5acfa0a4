#include "Section.h"

#include "SBsCalc.h"
#include "UJSCalc.h"
#include "YohCalc.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "Error.h"

namespace engine::section {

namespace {

using I = std::int64_t;

// The working width at the bottom of a trench side: a slope rule counts
// 500 mm at the bottom and half the slope's run on top of it, so the counted
// width is the side's mean width. A side narrower than that (retained, or no
// rule) is dug straight down.
constexpr I kWorkingWidth = 500;

// Ground lines run on this far beyond the excavation.
constexpr double kGroundRun = 400;
// Dimension lines stand this far off what they measure, and step out by this.
constexpr double kDimGap = 250;
// A concrete block course: a 190 mm block and its 10 mm joint.
constexpr I kCourse = 200;

Shape Rect(Layer layer, Fill fill, double x0, double y0, double x1, double y1) {
    return {layer, fill, {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, true, false, false};
}

Shape Line(Layer layer, Pt a, Pt b, bool dashed = false) {
    return {layer, Fill::None, {a, b}, false, dashed, false};
}

// One side of the trench as counted: its mean extra width and its depth.
struct Side {
    I width = 0, depth = 0;
    double top = 0; // level of the excavation line on that side
    double bottomOffset() const { return static_cast<double>(std::min(width, kWorkingWidth)); }
    double topOffset() const { return 2.0 * static_cast<double>(width) - bottomOffset(); }
};

// The trench around a body from x0 to x1: the front side at its own depth,
// the body's width and the back side at the back depth (one depth when the
// two are the same). Returns the open outline and the closed area.
struct Trench {
    Shape outline, area;
};

Trench TrenchOf(double x0, double x1, const Side& front, const Side& back) {
    std::vector<Pt> p;
    double fb = front.top - static_cast<double>(front.depth);
    double bb = back.top - static_cast<double>(back.depth);
    p.push_back({x0 - front.topOffset(), front.top});
    p.push_back({x0 - front.bottomOffset(), fb});
    if (fb != bb || front.top != back.top) {
        p.push_back({x0, fb});
        p.push_back({x0, bb});
    }
    p.push_back({x1 + back.bottomOffset(), bb});
    p.push_back({x1 + back.topOffset(), back.top});
    Trench t;
    t.outline = {Layer::Excavation, Fill::None, p, false, false, false};
    std::vector<Pt> a = p;
    if (front.top != back.top) {
        a.push_back({x0, back.top});
        a.push_back({x0, front.top});
    }
    t.area = {Layer::Excavation, Fill::Backfill, a, true, false, false};
    return t;
}

// The excavation line, dashed, where it is not the ground (design GL above or
// below the average GL).
void ExcavationLine(View& v, I g, double x0, double x1) {
    if (g == 0)
        return;
    v.shapes.push_back(Line(Layer::Excavation, {x0, -double(g)}, {x1, -double(g)}, true));
    v.notes.push_back({{x1, -double(g)}, "根切りライン GL" + std::string(g < 0 ? "＋" : "－") +
                                             std::to_string(g < 0 ? -g : g)});
}

void Ground(View& v, double x0, double x1, double y) {
    v.shapes.push_back(Line(Layer::Excavation, {x0, y}, {x1, y}));
}

// Levelling concrete and crushed stone under a body from x0 to x1.
void Bed(View& v, double x0, double x1, double underside, I tl, I ts) {
    double l = underside - double(tl), s = l - double(ts);
    if (tl > 0)
        v.shapes.push_back(Rect(Layer::Bed, Fill::Levelling, x0, l, x1, underside));
    if (ts > 0)
        v.shapes.push_back(Rect(Layer::Bed, Fill::Stone, x0, s, x1, l));
}

// From x0 to x1, measured at the level `from`, its line drawn at the level `at`.
Dim Horizontal(double x0, double x1, double from, double at, std::string symbol) {
    return {{x0, from}, {x1, from}, at - from, std::move(symbol), std::llround(x1 - x0), false};
}

// From y1 down to y0, measured at `from`, its line drawn at `at`.
Dim Vertical(double from, double at, double y0, double y1, std::string symbol) {
    return {{from, y1}, {from, y0}, at - from, std::move(symbol), std::llround(y1 - y0), false};
}

std::string Mm(I v) { return std::to_string(v); }

void MarkFault(Drawing& d, View& v, Shape shape, Pt at, std::string text) {
    shape.fault = true;
    shape.layer = Layer::Body;
    v.shapes.push_back(std::move(shape));
    v.notes.push_back({at, text, true});
    d.faults.push_back(std::move(text));
}

Box ExtentsOf(const View& v);

// L-type wall: the upstand on the front edge of the base, the heel under the
// back ground.
void Wall(const Snapshot& s, const Reader& r, Drawing& out) {
    yoh::Dims d = yoh::ReadDims(r);
    yoh::ReadExcavation(r, d);
    View v;
    v.title = "断面図";
    const double top = double(d.Hf), bottom = -double(d.E), slab = bottom + double(d.Bt);
    const double backGround = double(d.Hf - d.Hb);
    const double bw = double(d.Bw), w = double(d.W);
    const I p1 = Round10(r.SideProjection(1)), p2 = Round10(r.SideProjection(2));

    bool stepped = d.Hf != d.Hb && s.N4;
    Side front{d.X1, d.D1, -double(d.G)};
    Side back{d.X2, stepped ? d.D2 : d.D1, stepped ? backGround - double(d.G) : -double(d.G)};
    Trench t = TrenchOf(0, bw, front, back);
    v.shapes.push_back(t.area);
    v.shapes.push_back(t.outline);

    v.shapes.push_back({Layer::Body, Fill::Concrete,
                        {{0, top}, {w, top}, {w, slab}, {bw, slab}, {bw, bottom}, {0, bottom}},
                        true, false, false});
    Bed(v, -double(p1), bw + double(p2), bottom, d.Tc, d.Ts);
    if (s.CheckBox3 && d.Hc > 0) {
        I bwid = std::clamp<I>(yoheki::StrToMm(s.REdit[16], nullptr), 0, d.W);
        if (bwid == 0)
            bwid = d.W;
        for (I y = 0; y < d.Hc; y += kCourse)
            v.shapes.push_back(Rect(Layer::Body, Fill::Block, 0, top + double(y), double(bwid),
                                    top + double(std::min(d.Hc, y + kCourse))));
        v.dims.push_back(Vertical(double(bwid), double(bwid) + kDimGap, top, top + double(d.Hc), "ＣＢ"));
    }
    if (s.CheckBox2 && d.Pp > 0) {
        double y = std::max(0.0, backGround) + 100;
        if (y < top)
            v.shapes.push_back(Line(Layer::Note, {-150, y - 30}, {w, y}));
        v.notes.push_back({{-150, y}, "水抜ﾊﾟｲﾌﾟ @" + Mm(d.Pp)});
    }

    const double left = -t.outline.pts.front().x;
    Ground(v, -std::max({left, double(p1), 0.0}) - kGroundRun, 0, 0);
    Ground(v, w, bw + std::max({back.topOffset(), double(p2), 0.0}) + kGroundRun, backGround);
    ExcavationLine(v, d.G, -left, bw + back.topOffset());

    const double chain = -std::max(left, double(p1)) - kDimGap, bedLeft = -double(p1);
    v.dims.push_back(Vertical(0, chain, 0, top, "H表"));
    v.dims.push_back(Vertical(0, chain, bottom, 0, "根入"));
    v.dims.push_back(Vertical(bedLeft, chain, bottom - double(d.Tc), bottom, "均"));
    v.dims.push_back(Vertical(bedLeft, chain, bottom - double(d.Tc + d.Ts), bottom - double(d.Tc), "砕"));
    const double right = bw + std::max(back.topOffset(), double(p2)) + kDimGap;
    v.dims.push_back(Vertical(w, right, backGround, top, "H裏"));
    v.dims.push_back(Vertical(bw, right, bottom, slab, "B"));
    v.dims.push_back(Horizontal(0, w, top, top + kDimGap, "W"));
    const double bedBottom = bottom - double(d.Tc + d.Ts);
    v.dims.push_back(Horizontal(0, bw, bottom, bedBottom - kDimGap, "ﾍﾞｰｽ幅"));
    // The counted excavation: its mean width at mid-depth and its front depth.
    const double mid = front.top - double(d.D1) / 2;
    v.dims.push_back(Horizontal(-double(d.X1), bw + double(d.X2), mid, mid, "[延L]"));
    v.dims.push_back(Vertical(-front.bottomOffset(), chain - kDimGap, front.top - double(d.D1),
                              front.top, "[D]"));
    if (stepped)
        v.dims.push_back(Vertical(bw + back.bottomOffset(), right + kDimGap,
                                  back.top - double(back.depth), back.top, "[D]裏"));
    out.excavationWidth = d.X1 + d.Bw + d.X2;
    out.excavationDepth = d.D1;
    out.length = "[H] 延べ長さ " + Mm(d.L);

    if (d.E < 0)
        MarkFault(out, v, Line(Layer::Body, {0, bottom}, {bw, bottom}), {bw, bottom},
                  "根入長 " + Mm(d.E) + " mm：ベースが地盤より上にあります");
    if (d.Bt <= 0)
        MarkFault(out, v, Line(Layer::Body, {w, slab}, {bw, slab}), {bw, slab},
                  "ﾍﾞｰｽ(B) " + Mm(d.Bt) + " mm：ベースの厚さがありません");
    if (d.Bw <= d.W)
        MarkFault(out, v, Rect(Layer::Body, Fill::None, 0, bottom, std::max(bw, w), slab), {w, slab},
                  "ﾍﾞｰｽ幅 " + Mm(d.Bw) + " mm が幅(W) " + Mm(d.W) + " mm 以下です");
    out.views.push_back(std::move(v));
}

// Base foundation: a section across the base width and the plan.
void Base(const Reader& r, Drawing& out) {
    sbs::Dims d = sbs::ReadDims(r);
    sbs::ReadExcavation(r, d);
    const double bw = double(d.Bw), a = double(d.A), top = double(d.Hf), bottom = -double(d.Hn);
    const I p1 = Round10(r.SideProjection(1)), p2 = Round10(r.SideProjection(2));
    Side side{d.W, d.D, -double(d.G)};

    View sec;
    sec.title = "断面図";
    Trench t = TrenchOf(0, bw, side, side);
    sec.shapes.push_back(t.area);
    sec.shapes.push_back(t.outline);
    sec.shapes.push_back(Rect(Layer::Body, Fill::Concrete, 0, bottom, bw, top));
    Bed(sec, -double(p1), bw + double(p2), bottom, d.tL, d.tS);
    const double reach = std::max(side.topOffset(), double(std::max(p1, p2)));
    Ground(sec, -reach - kGroundRun, 0, 0);
    Ground(sec, bw, bw + reach + kGroundRun, 0);
    ExcavationLine(sec, d.G, -side.topOffset(), bw + side.topOffset());
    const double chain = -reach - kDimGap, bedLeft = -double(p1);
    sec.dims.push_back(Vertical(0, chain, 0, top, "H"));
    sec.dims.push_back(Vertical(0, chain, bottom, 0, "根入"));
    sec.dims.push_back(Vertical(bedLeft, chain, bottom - double(d.tL), bottom, "均"));
    sec.dims.push_back(Vertical(bedLeft, chain, bottom - double(d.tL + d.tS), bottom - double(d.tL), "砕"));
    sec.dims.push_back(Horizontal(0, bw, bottom, bottom - double(d.tL + d.tS) - kDimGap, "ﾍﾞｰｽ幅"));
    const double mid = side.top - double(d.D) / 2;
    sec.dims.push_back(Horizontal(-double(d.W), bw + double(d.W), mid, mid, "[D]"));
    sec.dims.push_back(Vertical(bw + side.bottomOffset(), bw + reach + kDimGap, side.top - double(d.D),
                                side.top, "[H]"));

    // The plan: the base, the sub-base and the excavation at mid-depth.
    View plan;
    plan.title = "平面図";
    const double w = double(d.W);
    plan.shapes.push_back(Rect(Layer::Excavation, Fill::None, -w, -w, bw + w, a + w));
    plan.shapes.back().dashed = true;
    plan.shapes.push_back(Rect(Layer::Bed, Fill::None, -double(p1), -double(p1), bw + double(p2),
                               a + double(p2)));
    plan.shapes.push_back(Rect(Layer::Body, Fill::Concrete, 0, 0, bw, a));
    plan.dims.push_back(Horizontal(0, bw, 0, -w - kDimGap, "ﾍﾞｰｽ幅"));
    plan.dims.push_back(Vertical(bw, bw + w + kDimGap, 0, a, "長さ"));
    plan.dims.push_back(Horizontal(-w, bw + w, a + w, a + w + kDimGap, "[D]"));
    plan.dims.push_back(Vertical(-w, -w - kDimGap, -w, a + w, "[L]"));
    // The plan stands under the section, the base's edges in line.
    const double dy = ExtentsOf(sec).y0 - 3 * kDimGap - (a + w + 2 * kDimGap);
    for (Shape& shape : plan.shapes)
        for (Pt& pt : shape.pts)
            pt.y += dy;
    for (Dim& dim : plan.dims)
        dim.a.y += dy, dim.b.y += dy;
    out.views.push_back(std::move(sec));
    out.views.push_back(std::move(plan));

    out.excavationWidth = d.Bw + 2 * d.W;
    out.excavationDepth = d.D;
    out.length = "数量：１ヶ所";
}

// U-shaped ditch: both walls on the slab, the tops at the ground.
void Ditch(const Reader& r, Drawing& out) {
    ujs::Dims d = ujs::ReadDims(r);
    ujs::ReadExcavation(r, d);
    View v;
    v.title = "断面図";
    const double bw = double(d.BW), w = double(d.W), bottom = -double(d.E);
    const double slab = bottom + double(d.B);
    const I p1 = Round10(r.SideProjection(1)), p2 = Round10(r.SideProjection(2));
    Side front{d.Xf, d.Df, -double(d.G)}, back{d.Xb, d.Db, -double(d.G)};
    Trench t = TrenchOf(0, bw, front, back);
    v.shapes.push_back(t.area);
    v.shapes.push_back(t.outline);
    v.shapes.push_back({Layer::Body, Fill::Concrete,
                        {{0, 0}, {w, 0}, {w, slab}, {bw - w, slab}, {bw - w, 0}, {bw, 0}, {bw, bottom},
                         {0, bottom}},
                        true, false, false});
    Bed(v, -double(p1), bw + double(p2), bottom, d.Tl, d.Ts);
    const double left = std::max(front.topOffset(), double(p1));
    const double right = std::max(back.topOffset(), double(p2));
    Ground(v, -left - kGroundRun, 0, 0);
    Ground(v, bw, bw + right + kGroundRun, 0);
    ExcavationLine(v, d.G, -front.topOffset(), bw + back.topOffset());
    const double chain = -left - kDimGap, bedLeft = -double(p1);
    v.dims.push_back(Vertical(0, chain, bottom, 0, "根入"));
    v.dims.push_back(Vertical(bedLeft, chain, bottom - double(d.Tl), bottom, "均"));
    v.dims.push_back(Vertical(bedLeft, chain, bottom - double(d.Tl + d.Ts), bottom - double(d.Tl), "砕"));
    v.dims.push_back(Vertical(bw, bw + right + kDimGap, bottom, slab, "B"));
    v.dims.push_back(Horizontal(0, w, 0, kDimGap, "W"));
    v.dims.push_back(Horizontal(0, bw, bottom, bottom - double(d.Tl + d.Ts) - kDimGap, "ﾍﾞｰｽ幅"));
    const double mid = front.top - double(d.Df) / 2;
    v.dims.push_back(Horizontal(-double(d.Xf), bw + double(d.Xb), mid, mid, "[延L]"));
    v.dims.push_back(Vertical(-front.bottomOffset(), chain - kDimGap, front.top - double(d.Df),
                              front.top, "[D]"));
    out.excavationWidth = d.Xf + d.BW + d.Xb;
    out.excavationDepth = d.Df;
    out.length = "[H] 延べ長さ " + Mm(d.L);
    if (2 * d.W >= d.BW)
        MarkFault(out, v, Rect(Layer::Body, Fill::None, 0, slab, bw, 0), {bw, 0},
                  "幅(W) " + Mm(d.W) + " mm ×２ がﾍﾞｰｽ幅 " + Mm(d.BW) + " mm 以上です");
    if (d.B >= d.E)
        MarkFault(out, v, Line(Layer::Body, {0, slab}, {bw, slab}), {bw, slab},
                  "ﾍﾞｰｽ(B) " + Mm(d.B) + " mm が側溝の高さ " + Mm(d.E) + " mm 以上です");
    out.views.push_back(std::move(v));
}

void Grow(Box& b, Pt p) {
    b.x0 = std::min(b.x0, p.x);
    b.y0 = std::min(b.y0, p.y);
    b.x1 = std::max(b.x1, p.x);
    b.y1 = std::max(b.y1, p.y);
}

Pt Offset(const Dim& d, Pt p) {
    double dx = d.b.x - d.a.x, dy = d.b.y - d.a.y, len = std::hypot(dx, dy);
    if (len == 0)
        return p;
    return {p.x - dy / len * d.offset, p.y + dx / len * d.offset};
}

Box ExtentsOf(const View& v) { return Extents(v); }

} // namespace

DimLines Layout(const Dim& d) {
    DimLines l;
    Pt a = Offset(d, d.a), b = Offset(d, d.b);
    // Extension lines start a little off the measured point and pass the dimension line.
    double dx = a.x - d.a.x, dy = a.y - d.a.y, len = std::hypot(dx, dy);
    double ux = len > 0 ? dx / len : 0, uy = len > 0 ? dy / len : 0;
    constexpr double kClear = 30, kPass = 60;
    l.ext1[0] = {d.a.x + ux * std::min(kClear, len), d.a.y + uy * std::min(kClear, len)};
    l.ext1[1] = {a.x + ux * kPass, a.y + uy * kPass};
    l.ext2[0] = {d.b.x + ux * std::min(kClear, len), d.b.y + uy * std::min(kClear, len)};
    l.ext2[1] = {b.x + ux * kPass, b.y + uy * kPass};
    if (len == 0)
        l.ext1[1] = l.ext1[0] = d.a, l.ext2[1] = l.ext2[0] = d.b;
    l.line[0] = a;
    l.line[1] = b;
    l.label = {(a.x + b.x) / 2, (a.y + b.y) / 2};
    l.angle = std::fabs(b.x - a.x) >= std::fabs(b.y - a.y) ? 0 : 90;
    l.text = d.symbol + " " + std::to_string(d.mm);
    return l;
}

std::vector<double> ViewOffsets(const Drawing& d) {
    // Views are placed by SectionOf itself (a base's plan under its section).
    return std::vector<double>(d.views.size(), 0.0);
}

Drawing SectionOf(const Snapshot& s) {
    Drawing d;
    d.mode = s.B1 ? 2 : s.U2 ? 3 : 1;
    const yoheki::MessageFn quiet;
    const Reader r(s, quiet);
    try {
        if (d.mode == 2)
            Base(r, d);
        else if (d.mode == 3)
            Ditch(r, d);
        else
            Wall(s, r, d);
    } catch (const yoheki::Error&) {
        const int mode = d.mode;
        d = Drawing{};
        d.mode = mode;
    }
    return d;
}

Box Extents(const View& v) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    Box b{inf, inf, -inf, -inf};
    for (const Shape& s : v.shapes)
        for (Pt p : s.pts)
            Grow(b, p);
    for (const Dim& d : v.dims) {
        Grow(b, Offset(d, d.a));
        Grow(b, Offset(d, d.b));
    }
    for (const Note& n : v.notes)
        Grow(b, n.at);
    if (b.x0 > b.x1)
        return {};
    return b;
}

} // namespace engine::section
