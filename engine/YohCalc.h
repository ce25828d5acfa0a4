#pragma once
// L-type retaining wall: a base slab on levelling concrete and crushed stone
// with an upstand rising from it, laid along a run length. The quantities are
// worked out first (YohQuantities, YohFinishes), then worded as the summary
// box and the statement (YohStatement).
#include "Calc.h"
#include "Helpers.h"
#include "QuantityCommon.h"

#include <cstdint>
#include <string>
#include <vector>

namespace engine::yoh {

// Millimetres, each typed dimension rounded to 10.
struct Dims {
    std::int64_t L = 0, Hf = 0, Hb = 0, E = 0, Tc = 0, Ts = 0;
    std::int64_t Bw = 0, W = 0, Bt = 0, Pp = 0;
    std::int64_t Hc = 0;         // block course height (CheckBox3)
    std::int64_t G = 0;          // design GL less average GL (A1)
    std::int64_t P = 0;          // sub-base projection of both sides together
    std::int64_t Bs = 0;         // width of stone and levelling concrete
    std::int64_t Dt = 0;         // front ground to the bottom of the stone
    std::int64_t Hw = 0;         // underside of the base to the top of the wall
    std::int64_t D1 = 0, D2 = 0; // excavation depth, front and back
    std::int64_t X1 = 0, X2 = 0; // extra excavation width, front and back
};

// Where the concrete below ground was taken from: the whole base below the
// line (Slab), or the base and the part of the upstand below it (Upstand);
// measured from the back ground when the back stands higher and the
// embedment difference is considered.
enum class BelowGl { FrontSlab, FrontUpstand, BackSlab, BackUpstand };

// Hundredths of m³, m², m or t.
struct Volumes {
    std::int64_t excavation = 0, stone = 0, levelling = 0;
    std::int64_t rcBase = 0, rcUpstand = 0, rcTotal = 0;
    std::int64_t rcBelowGl = 0, surplus = 0, backfill = 0, formTotal = 0;
    bool stepped = false; // heights differ and the embedment difference counts
    BelowGl below = BelowGl::FrontSlab;
    std::int64_t belowDepth = 0; // Dg of the slab cases, the upstand height otherwise
};

struct Finishes {
    std::string topName, frontName, frontSubName, backName, backSubName;
    std::int64_t topLen = 0, frontArea = 0, frontSubArea = 0, backArea = 0, backSubArea = 0;
    bool facesDiffer = false;
    std::int64_t backHeight = 0; // Hb, or Hf when the back height was left empty
    std::int64_t fairFaced = 0;
    bool block = false; // CheckBox3
    std::string cbTopName, cbFrontName, cbFrontSubName, cbBackName, cbBackSubName;
    std::int64_t cbTopLen = 0, cbArea = 0, cbFrontSubArea = 0, cbBackSubArea = 0;
};

struct Run {
    Dims dims;
    Volumes vol;
    Retaining retain;
    Bars bars;
    std::int64_t pipes = 0;
    Finishes fin;
    std::int64_t formOrdinary = 0;
};

// L .. Pp in field order, then Hc and G when they apply; P.
Dims ReadDims(const Reader& r);
// Bs, Dt, Hw, then the depths and widths through the condition helpers.
void ReadExcavation(const Reader& r, Dims& d);
Retaining ComputeRetaining(const Snapshot& s, const Dims& d);
// Stone, levelling concrete and the two concrete volumes.
Volumes ComputeConcrete(const Dims& d);
// The back face may stand at most 100 mm below the top of the wall.
bool BackHeightPossible(const Dims& d);
// Excavation, concrete below ground, surplus soil, backfill, formwork.
void ComputeEarth(const Snapshot& s, const Dims& d, Volumes& v);
Bars ComputeBars(const Reader& r, const Dims& d, std::int64_t rcTotal);
std::int64_t ComputePipes(const Reader& r, const Dims& d);
Finishes ComputeFinishes(const Snapshot& s, const Dims& d);

// The earthwork figures of the statement, the summary and the quantities.
SoilFigures Soil(const Volumes& v);
std::string Summary(const Run& run);
std::vector<std::string> Statement(const Reader& r, const Run& run);
Quantities Collect(const Run& run, const Snapshot& s);

} // namespace engine::yoh
