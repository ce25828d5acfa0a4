#pragma once
// Base (equipment) foundation: a rectangular block on levelling concrete and
// crushed stone in an excavated pit, reckoned for one base. The quantities are
// worked out first, then worded as the summary box and the statement.
#include "Calc.h"
#include "Helpers.h"
#include "QuantityCommon.h"
#include "SRWtCALC.h"

#include <cstdint>
#include <string>
#include <vector>

namespace engine::sbs {

struct Dims {
    std::int64_t A = 0, Hf = 0, Hn = 0, tL = 0, tS = 0, Bw = 0; // as typed, rounded to 10
    std::int64_t H = 0;                                         // total height of the block
    std::int64_t G = 0;                                         // excavation-line difference (A1)
    std::int64_t P = 0; // sub-base projection of both sides together
    std::int64_t W = 0; // extra excavation width, the same on all four sides
    std::int64_t D = 0; // excavation depth
};

// Hundredths of m³ or m².
struct Volumes {
    std::int64_t exc = 0, stone = 0, lev = 0, rcBase = 0;
    std::int64_t X = 0;       // height of the block below the excavation line (mm)
    std::int64_t rcBelow = 0; // concrete that displaces excavated soil
    std::int64_t disp = 0, back = 0, formTotal = 0;
};

struct Finishes {
    std::string topName, frontName, subName;
    std::int64_t top = 0, front = 0, sub = 0; // 0.01 m²
    std::int64_t fairFaced = 0;               // fair-faced formwork, 0.01 m²
};

struct Run {
    Dims dims;
    Volumes vol;
    Bars bars;
    Finishes fin;
    std::int64_t ordinary = 0; // ordinary formwork, 0.01 m²
};

// A, Hf, Hn, tL, tS, Bw and H (Hf and Hn are read a second time), then G and P.
Dims ReadDims(const Reader& r);
// W and D, through the condition helpers (front side only).
void ReadExcavation(const Reader& r, Dims& d);

// X = Hn − G, except when the line lies above the block's top (−G > Hf).
std::int64_t BelowLineHeight(std::int64_t hn, std::int64_t g, std::int64_t hf);
Volumes ComputeVolumes(const Dims& d);

// The bar object for the base: the longer plan side carries the main bars'
// length, the shorter is the run over which they are spaced.
TSR_CL_L FillRebar(const Reader& r, const Dims& d);
Bars ComputeBars(const Reader& r, const Dims& d, std::int64_t rcTotal);

struct FrontClass {
    std::int64_t fairFaced = 0;
    std::string substrate;
};
// Which finishes need fair-faced formwork and which substrate goes under them.
FrontClass ClassifyFront(const std::string& name, std::int64_t area, const Snapshot& s);
Finishes ComputeFinishes(const Snapshot& s, const Dims& d);

// The earthwork figures of the statement, the summary and the quantities.
SoilFigures Soil(const Volumes& v);
std::string Summary(const Run& run);
std::vector<std::string> Statement(const Reader& r, const Run& run);
Quantities Collect(const Run& run, const Snapshot& s);

} // namespace engine::sbs
