#pragma once
// The cross-section of an item drawn from its own dimensions: the concrete
// body, the levelling concrete and crushed stone under it, the ground lines
// and the excavation as the quantities count it. Worked out from the same
// snapshot and the same readers as the calculation, so every drawn size is a
// counted size. Millimetres; x runs from the front toward the back, y upward
// from the front ground line.
#include "Snapshot.h"

#include <cstdint>
#include <string>
#include <vector>

namespace engine::section {

struct Pt {
    double x = 0, y = 0;
};

// What a line belongs to; the DXF layers and the pens follow it.
enum class Layer { Body, Bed, Excavation, Dimension, Note };

enum class Fill { None, Concrete, Levelling, Stone, Backfill, Block };

struct Shape {
    Layer layer = Layer::Body;
    Fill fill = Fill::None;
    std::vector<Pt> pts;
    bool closed = true;
    bool dashed = false;
    bool fault = false; // part of a shape that cannot be built
};

// A dimension between two points, drawn `offset` millimetres to the left of
// the direction a -> b, labelled with the statement's symbol and the size.
struct Dim {
    Pt a, b;
    double offset = 0;
    std::string symbol; // the formula's "[延L]", "[D]", "[H]"; "W", "B", "H表", "根入" ...
    std::int64_t mm = 0;
    bool fault = false;
};

struct Note {
    Pt at;
    std::string text;
    bool fault = false;
};

struct Box {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    double width() const { return x1 - x0; }
    double height() const { return y1 - y0; }
};

// One view: the section, or a base's plan.
struct View {
    std::string title; // "断面図", "平面図"
    std::vector<Shape> shapes;
    std::vector<Dim> dims;
    std::vector<Note> notes;
};

struct Drawing {
    int mode = 1;           // 1 wall, 2 base, 3 ditch
    std::vector<View> views; // empty when the dimensions cannot be read
    std::string length;      // the run length note, "[H] 延べ長さ 10000"
    std::vector<std::string> faults; // what makes the shape impossible
    // The excavation as counted: its width at mid-depth and its depth.
    std::int64_t excavationWidth = 0, excavationDepth = 0;
};

// Never shows a message: a text that is not a number counts as 0, as the
// calculation counts it. An overflow leaves the drawing without views.
Drawing SectionOf(const Snapshot& s);

// A dimension as lines: two extension lines from the measured points, the
// dimension line between them, and where its label stands (rotated by
// `angle` degrees, counter-clockwise, reading upward for vertical ones).
struct DimLines {
    Pt ext1[2], ext2[2], line[2];
    Pt label;
    double angle = 0;
    std::string text; // "[延L] 2500"
};
DimLines Layout(const Dim& d);

// The x offset at which each view is drawn: none, as SectionOf places a
// base's plan under its section.
std::vector<double> ViewOffsets(const Drawing& d);

// The extents of a view: shapes, dimension lines and notes' anchors.
Box Extents(const View& v);

} // namespace engine::section
