#include "YohCalc.h"

#include "Checked.h"
#include "SRWtCALC.h"

namespace engine::yoh {

using yoheki::Add;
using yoheki::Mul;
using yoheki::Sub;

namespace {

constexpr const char* kNoPipePitch = "水抜きﾊﾟｲﾌﾟのピッチが0のため、水抜ﾊﾟｲﾌﾟは計上しません";

} // namespace

Dims ReadDims(const Reader& r) {
    Dims d;
    d.L = r.Mm(1);
    d.Hf = r.Mm(2);
    d.Hb = r.Mm(3);
    d.E = r.Mm(4);
    d.Tc = r.Mm(5);
    d.Ts = r.Mm(6);
    d.Bw = r.Mm(7);
    d.W = r.Mm(8);
    d.Bt = r.Mm(9);
    d.Pp = r.Mm(10);
    if (r.snap().CheckBox3)
        d.Hc = r.Mm(11);
    if (r.snap().A1)
        d.G = r.Mm(17);
    d.P = Add(Round10(r.SideProjection(1)), Round10(r.SideProjection(2)));
    return d;
}

void ReadExcavation(const Reader& r, Dims& d) {
    d.Bs = Add(d.Bw, d.P);
    d.Dt = Add(d.E, d.Tc, d.Ts);
    d.Hw = Add(d.E, d.Hf);
    d.D1 = Round10(r.ExcavDepth(1));
    d.D2 = Round10(r.ExcavDepth(2));
    d.X1 = Round10(r.ExcavWidth(1));
    d.X2 = Round10(r.ExcavWidth(2));
}

Retaining ComputeRetaining(const Snapshot& s, const Dims& d) {
    // Below the back ground the sheeting is deeper by the height difference.
    std::int64_t back = s.N4 ? Sub(Add(d.Hf, d.Dt), d.Hb) : d.Dt;
    return RetainingFor(s, d.Dt, back, Len(d.L));
}

Volumes ComputeConcrete(const Dims& d) {
    Volumes v;
    v.stone = Vol(Mul(d.L, d.Bs, d.Ts));
    v.levelling = Vol(Mul(d.L, d.Bs, d.Tc));
    v.rcBase = Vol(Mul(d.L, d.Bw, d.Bt));
    v.rcUpstand = Vol(Mul(d.L, d.W, Sub(d.Hw, d.Bt)));
    return v;
}

SoilFigures Soil(const Volumes& v) {
    return {v.excavation, v.stone, v.levelling, v.rcBelowGl, v.surplus, v.backfill};
}

bool BackHeightPossible(const Dims& d) {
    return Add(d.Hb, 100) <= d.Hw;
}

namespace {

// The concrete that takes the place of excavated soil: below the front
// ground, or below the back ground when the back stands higher and the
// embedment difference is considered.
void BelowGround(const Snapshot& s, const Dims& d, Volumes& v) {
    bool back = d.Hf < d.Hb && s.N4;
    std::int64_t dg = back ? Sub(d.Hw, Add(d.Hb, d.G)) : Sub(d.E, d.G);
    if (dg < d.Bt) {
        v.below = back ? BelowGl::BackSlab : BelowGl::FrontSlab;
        v.belowDepth = dg;
        v.rcBelowGl = Vol(Mul(d.L, d.Bw, dg));
        return;
    }
    v.below = back ? BelowGl::BackUpstand : BelowGl::FrontUpstand;
    std::int64_t top = back ? Sub(d.Hw, d.Hb) : d.E;
    v.belowDepth = Sub(top, Add(d.Bt, d.G));
    v.rcBelowGl = Add(Vol(Mul(d.L, d.W, v.belowDepth)), v.rcBase);
}

} // namespace

void ComputeEarth(const Snapshot& s, const Dims& d, Volumes& v) {
    v.stepped = d.Hf != d.Hb && s.N4;
    if (v.stepped) {
        // Base and back strip at the back depth, the front strip at the front depth.
        std::int64_t a = Add(Mul(d.Bw, d.D2), Mul(d.D1, d.X1), Mul(d.D2, d.X2));
        v.excavation = Vol(Mul(d.L, a));
    } else {
        v.excavation = Vol(Mul(d.L, d.D1, Add(d.X1, d.X2, d.Bw)));
    }
    BelowGround(s, d, v);
    v.surplus = Add(v.stone, v.levelling, v.rcBelowGl);
    v.backfill = Sub(v.excavation, v.surplus);
    v.formTotal = Area(Mul(d.L, d.Hw, 2));
    v.rcTotal = Add(v.rcBase, v.rcUpstand);
}

Bars ComputeBars(const Reader& r, const Dims& d, std::int64_t rcTotal) {
    if (!r.snap().CheckBox1)
        return BarsByRate(r, rcTotal);
    Bars b;
    b.calculated = true;
    TSR_CL_L o = UpstandRebar(r, d.Bw, d.Bt, d.W, Sub(d.Hw, d.Bt));
    o.CalcRebar(1, [&r](const std::string& t) { r.Message(t); });
    b.r10 = o.ResultD10;
    b.r13 = o.ResultD13;
    b.d10 = Tonnes(b.r10, rcTotal);
    b.d13 = Tonnes(b.r13, rcTotal);
    // Unlike the base and the ditch, only a D13 weight of exactly zero merges.
    if (b.d13 == 0) {
        r.Message(kD13Merged);
        b.d10 = Tonnes(Add(b.r10, b.r13), rcTotal);
    }
    return b;
}

std::int64_t ComputePipes(const Reader& r, const Dims& d) {
    if (!r.snap().CheckBox2)
        return 0;
    if (d.Pp == 0) {
        r.Message(kNoPipePitch);
        return 0;
    }
    return RoundOff(static_cast<long double>(d.L) / static_cast<long double>(d.Pp));
}

} // namespace engine::yoh
