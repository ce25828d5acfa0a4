#include "Dxf.h"

#include "Cp932.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

namespace takeoff {

namespace sec = engine::section;

namespace {

constexpr double kItemGap = 3000; // between items in model space, mm
constexpr int kRed = 1;

const sec::Layer kLayers[] = {sec::Layer::Body, sec::Layer::Bed, sec::Layer::Excavation,
                              sec::Layer::Dimension, sec::Layer::Note};

// Group codes and values, one per line, CR LF as DXF files end their lines.
class Writer {
  public:
    void Code(int code, const std::string& value) {
        out_ += std::to_string(code);
        out_ += "\r\n";
        out_ += value;
        out_ += "\r\n";
    }
    void Code(int code, int value) { Code(code, std::to_string(value)); }
    void Real(int code, double v) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.3f", std::fabs(v) < 0.0005 ? 0.0 : v);
        Code(code, buf);
    }
    void Point(int base, sec::Pt p) {
        Real(base, p.x);
        Real(base + 10, p.y);
        Real(base + 20, 0);
    }
    // A text value: CP932 bytes, control characters kept out of the line.
    void Text(int code, const std::string& utf8) {
        std::string s = yoheki::cp932::Encode(utf8);
        for (char& c : s)
            if (static_cast<unsigned char>(c) < 0x20)
                c = ' ';
        Code(code, s);
    }
    std::string& bytes() { return out_; }

  private:
    std::string out_;
};

void Entity(Writer& w, const char* type, sec::Layer layer, bool fault) {
    w.Code(0, type);
    w.Text(8, DxfLayer(layer));
    if (fault)
        w.Code(62, kRed);
}

void Polyline(Writer& w, sec::Layer layer, const std::vector<sec::Pt>& pts, bool closed,
              bool fault, bool dashed, double dx) {
    if (pts.size() == 2 && !closed) {
        Entity(w, "LINE", layer, fault);
        if (dashed)
            w.Code(6, "DASHED");
        w.Point(10, {pts[0].x + dx, pts[0].y});
        w.Point(11, {pts[1].x + dx, pts[1].y});
        return;
    }
    Entity(w, "POLYLINE", layer, fault);
    if (dashed)
        w.Code(6, "DASHED");
    w.Code(66, 1);
    w.Point(10, {0, 0});
    w.Code(70, closed ? 1 : 0);
    for (sec::Pt p : pts) {
        Entity(w, "VERTEX", layer, fault);
        w.Point(10, {p.x + dx, p.y});
    }
    Entity(w, "SEQEND", layer, fault);
}

// Centred on `at`, turned by `angle` degrees.
void Text(Writer& w, sec::Layer layer, sec::Pt at, double height, double angle,
          const std::string& text, bool fault, bool centred) {
    Entity(w, "TEXT", layer, fault);
    w.Point(10, at);
    w.Real(40, height);
    w.Text(1, text);
    if (angle != 0)
        w.Real(50, angle);
    w.Code(7, "JP");
    if (centred) {
        w.Code(72, 1); // centre
        w.Point(11, at);
    }
}

void Dimension(Writer& w, const sec::Dim& d, double h, double dx) {
    const sec::DimLines l = sec::Layout(d);
    auto moved = [dx](sec::Pt p) { return sec::Pt{p.x + dx, p.y}; };
    Polyline(w, sec::Layer::Dimension, {l.ext1[0], l.ext1[1]}, false, d.fault, false, dx);
    Polyline(w, sec::Layer::Dimension, {l.ext2[0], l.ext2[1]}, false, d.fault, false, dx);
    Polyline(w, sec::Layer::Dimension, {l.line[0], l.line[1]}, false, d.fault, false, dx);
    const double t = h / 3;
    for (sec::Pt e : {l.line[0], l.line[1]})
        Polyline(w, sec::Layer::Dimension, {{e.x - t, e.y - t}, {e.x + t, e.y + t}}, false, d.fault,
                 false, dx);
    // The label stands just off the line, on the side away from what it measures.
    sec::Pt at = moved(l.label);
    if (l.angle == 0)
        at.y += h * 0.4;
    else
        at.x -= h * 0.4;
    Text(w, sec::Layer::Dimension, {at.x, at.y}, h, l.angle, l.text, d.fault, true);
}

double TextHeight(const sec::Box& b) {
    double h = std::max(b.width(), b.height()) / 45;
    return std::clamp(std::round(h / 10) * 10, 30.0, 300.0);
}

void View(Writer& w, const sec::View& v, double dx, double h) {
    for (const sec::Shape& s : v.shapes)
        if (s.fill != sec::Fill::Backfill)
            Polyline(w, s.layer, s.pts, s.closed, s.fault, s.dashed, dx);
    for (const sec::Dim& d : v.dims)
        Dimension(w, d, h, dx);
    for (const sec::Note& n : v.notes)
        Text(w, sec::Layer::Note, {n.at.x + dx + h / 2, n.at.y + h / 3}, h, 0, n.text, n.fault, false);
}

// One block: the views side by side, their titles, the length and the faults
// under them.
sec::Box Block(Writer& w, const DxfItem& item, const std::string& name) {
    w.Code(0, "BLOCK");
    w.Code(8, "0");
    w.Text(2, name);
    w.Code(70, 0);
    w.Point(10, {0, 0});
    w.Text(3, name);
    const std::vector<double> offsets = sec::ViewOffsets(item.drawing);
    sec::Box all{0, 0, 0, 0};
    for (size_t i = 0; i < item.drawing.views.size(); ++i) {
        sec::Box b = sec::Extents(item.drawing.views[i]);
        b.x0 += offsets[i], b.x1 += offsets[i];
        all = i == 0 ? b : sec::Box{std::min(all.x0, b.x0), std::min(all.y0, b.y0),
                                    std::max(all.x1, b.x1), std::max(all.y1, b.y1)};
    }
    const double h = TextHeight(all);
    for (size_t i = 0; i < item.drawing.views.size(); ++i) {
        const sec::View& v = item.drawing.views[i];
        View(w, v, offsets[i], h);
        sec::Box b = sec::Extents(v);
        Text(w, sec::Layer::Note, {b.x0 + offsets[i], b.y1 + h}, h * 1.2, 0, v.title, false, false);
    }
    double y = all.y0 - 2 * h;
    Text(w, sec::Layer::Note, {all.x0, y}, h * 1.4, 0, item.name, false, false);
    Text(w, sec::Layer::Note, {all.x0, y -= 2 * h}, h, 0, "S=1:1（原寸 mm）　" + item.drawing.length,
         false, false);
    for (const std::string& f : item.drawing.faults)
        Text(w, sec::Layer::Note, {all.x0, y -= 1.6 * h}, h, 0, f, true, false);
    w.Code(0, "ENDBLK");
    w.Code(8, "0");
    all.y0 = y - h;
    return all;
}

// Block names may not hold the characters DXF gives a meaning; the same name
// twice (after that change, in any letter case) is numbered.
std::string BlockName(const std::string& name, std::set<std::string>& used) {
    std::string s = name.empty() ? "item" : name;
    for (char& c : s)
        if (std::string_view("<>/\\\":;?*|,=`").find(c) != std::string_view::npos ||
            static_cast<unsigned char>(c) < 0x20)
            c = '_';
    std::string unique = s;
    auto key = [](std::string k) {
        for (char& c : k)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return k;
    };
    for (int n = 2; used.count(key(unique)); ++n)
        unique = s + "_" + std::to_string(n);
    used.insert(key(unique));
    return unique;
}

void Tables(Writer& w) {
    w.Code(0, "SECTION");
    w.Code(2, "TABLES");
    w.Code(0, "TABLE");
    w.Code(2, "LTYPE");
    w.Code(70, 2);
    const auto ltype = [&w](const char* name, const char* text, std::vector<double> dashes) {
        w.Code(0, "LTYPE");
        w.Code(2, name);
        w.Code(70, 0);
        w.Code(3, text);
        w.Code(72, 65);
        w.Code(73, static_cast<int>(dashes.size()));
        double total = 0;
        for (double d : dashes)
            total += std::fabs(d);
        w.Real(40, total);
        for (double d : dashes)
            w.Real(49, d);
    };
    ltype("CONTINUOUS", "Solid line", {});
    ltype("DASHED", "__ __ __", {200, -100});
    w.Code(0, "ENDTAB");

    w.Code(0, "TABLE");
    w.Code(2, "LAYER");
    w.Code(70, 6);
    const auto layer = [&w](const std::string& name, int colour) {
        w.Code(0, "LAYER");
        w.Text(2, name);
        w.Code(70, 0);
        w.Code(62, colour);
        w.Code(6, "CONTINUOUS");
    };
    layer("0", 7);
    const int colours[] = {7, 8, 30, 5, 3};
    for (size_t i = 0; i < std::size(kLayers); ++i)
        layer(DxfLayer(kLayers[i]), colours[i]);
    w.Code(0, "ENDTAB");

    w.Code(0, "TABLE");
    w.Code(2, "STYLE");
    w.Code(70, 1);
    w.Code(0, "STYLE");
    w.Code(2, "JP");
    w.Code(70, 0);
    w.Real(40, 0);
    w.Real(41, 1);
    w.Real(50, 0);
    w.Code(71, 0);
    w.Real(42, 100);
    w.Code(3, "msgothic.ttc");
    w.Code(4, "");
    w.Code(0, "ENDTAB");
    w.Code(0, "ENDSEC");
}

void Header(Writer& w, const sec::Box& ext) {
    w.Code(0, "SECTION");
    w.Code(2, "HEADER");
    w.Code(9, "$ACADVER");
    w.Code(1, "AC1009");
    w.Code(9, "$DWGCODEPAGE");
    w.Code(3, "ANSI_932");
    w.Code(9, "$INSUNITS");
    w.Code(70, 4); // millimetres
    w.Code(9, "$MEASUREMENT");
    w.Code(70, 1); // metric
    w.Code(9, "$EXTMIN");
    w.Point(10, {ext.x0, ext.y0});
    w.Code(9, "$EXTMAX");
    w.Point(10, {ext.x1, ext.y1});
    w.Code(9, "$TEXTSTYLE");
    w.Code(7, "JP");
    w.Code(0, "ENDSEC");
}

} // namespace

const char* DxfLayer(sec::Layer layer) {
    switch (layer) {
    case sec::Layer::Body: return "躯体";
    case sec::Layer::Bed: return "地業";
    case sec::Layer::Excavation: return "根切";
    case sec::Layer::Dimension: return "寸法";
    case sec::Layer::Note: return "注記";
    }
    return "0";
}

std::string DxfOf(const std::vector<DxfItem>& items) {
    Writer blocks;
    blocks.Code(0, "SECTION");
    blocks.Code(2, "BLOCKS");
    Writer entities;
    entities.Code(0, "SECTION");
    entities.Code(2, "ENTITIES");
    std::set<std::string> used;
    double x = 0;
    sec::Box ext{0, 0, 0, 0};
    for (const DxfItem& item : items) {
        const std::string name = BlockName(item.name, used);
        const sec::Box b = Block(blocks, item, name);
        const double at = x - b.x0;
        entities.Code(0, "INSERT");
        entities.Code(8, "0");
        entities.Text(2, name);
        entities.Point(10, {at, 0});
        ext = {std::min(ext.x0, at + b.x0), std::min(ext.y0, b.y0), std::max(ext.x1, at + b.x1),
               std::max(ext.y1, b.y1)};
        x = at + b.x1 + kItemGap;
    }
    blocks.Code(0, "ENDSEC");
    entities.Code(0, "ENDSEC");
    Writer file;
    Header(file, ext);
    Tables(file);
    file.bytes() += blocks.bytes();
    file.bytes() += entities.bytes();
    file.Code(0, "EOF");
    return std::move(file.bytes());
}

} // namespace takeoff
