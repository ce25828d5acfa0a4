#pragma once
// Cast-in-place U-shaped side ditch of a given total length: base slab, two
// walls, levelling concrete and crushed stone in a trench. The quantities are
// worked out first, then worded as the summary box and the statement.
#include "Calc.h"
#include "Helpers.h"
#include "QuantityCommon.h"
#include "SRWtCALC.h"

#include <cstdint>
#include <string>
#include <vector>

namespace engine::ujs {

struct Dims {
    std::int64_t L = 0; // total length
    std::int64_t E = 0; // section height, slab underside to wall top
    std::int64_t Tl = 0, Ts = 0;
    std::int64_t BW = 0;                         // outer width = slab width
    std::int64_t W = 0;                          // wall thickness
    std::int64_t B = 0;                          // slab thickness
    std::int64_t G = 0;                          // excavation-line difference (A1)
    std::int64_t P = 0;                          // sub-base projection of both sides together
    std::int64_t Wsb = 0;                        // width of stone and levelling concrete
    std::int64_t D = 0;                          // wall top to the underside of the stone
    std::int64_t Df = 0, Xf = 0, Db = 0, Xb = 0; // depth and extra width per side
    std::int64_t Lh = 0;                         // the length in 0.01 m
};

// The finished heights of the wall screen take no part in a ditch.
inline constexpr std::int64_t kHf = 0;
inline constexpr std::int64_t kHb = 0;

// Hundredths of m³ or m².
struct Volumes {
    std::int64_t stone = 0, lev = 0, base = 0, wall = 0, rc = 0;
    std::int64_t exc = 0, gl = 0, out = 0, back = 0, formTotal = 0;
};

struct Finishes {
    std::string topName, innerName, subName;
    std::int64_t top = 0, inner = 0, sub = 0; // 0.01 m
    std::int64_t exposed = 0;                 // fair-faced formwork, 0.01 m²
};

struct Run {
    Dims dims;
    Retaining ret;
    Volumes vol;
    Bars bars;
    Finishes fin;
    std::int64_t ordinary = 0; // ordinary formwork, 0.01 m²
};

// L, E, Tl, Ts, BW, W, B, then G and P.
Dims ReadDims(const Reader& r);
// Stone width, depths and extra widths (front depth, front width, back depth,
// back width, in that order) and the length in hundredths of a metre.
void ReadExcavation(const Reader& r, Dims& d);
Retaining ComputeRetaining(const Snapshot& s, const Dims& d);
// Stone, levelling concrete and the concrete members.
void ComputeConcrete(const Dims& d, Volumes& v);
// Excavation, soil and formwork.
void ComputeEarthwork(const Dims& d, Volumes& v);

TSR_CL_L FillRebar(const Reader& r, const Dims& d);
Bars ComputeBars(const Reader& r, const Dims& d, std::int64_t rcTotal);

struct InnerClass {
    std::int64_t exposed = 0;
    std::string substrate;
};
// Fair-faced formwork of both inner wall faces and the substrate of the
// inner finish.
InnerClass ClassifyInner(const std::string& name, std::int64_t bothFaces, const Snapshot& s);
Finishes ComputeFinishes(const Snapshot& s, const Dims& d);

// The earthwork figures of the statement, the summary and the quantities.
SoilFigures Soil(const Volumes& v);
std::string Summary(const Run& run);
std::vector<std::string> Statement(const Reader& r, const Run& run);
Quantities Collect(const Run& run, const Snapshot& s);

} // namespace engine::ujs
