#include "UJSCalc.h"

#include "Checked.h"

namespace engine::ujs {

using yoheki::Add;
using yoheki::Mul;
using yoheki::Sub;

Dims ReadDims(const Reader& r) {
    Dims d;
    d.L = r.Mm(1);
    d.E = r.Mm(4);
    d.Tl = r.Mm(5);
    d.Ts = r.Mm(6);
    d.BW = r.Mm(7);
    d.W = r.Mm(8);
    d.B = r.Mm(9);
    d.G = r.snap().A1 ? r.Mm(17) : 0;
    d.P = Add(Round10(r.SideProjection(1)), Round10(r.SideProjection(2)));
    return d;
}

void ReadExcavation(const Reader& r, Dims& d) {
    d.Wsb = Add(d.BW, d.P);
    d.D = Add(d.E, d.Tl, d.Ts);
    d.Df = Round10(r.ExcavDepth(1));
    d.Xf = Round10(r.ExcavWidth(1));
    d.Db = Round10(r.ExcavDepth(2));
    d.Xb = Round10(r.ExcavWidth(2));
    d.Lh = Len(d.L);
}

Retaining ComputeRetaining(const Snapshot& s, const Dims& d) {
    return RetainingFor(s, d.D, s.N4 ? Sub(d.D, kHb) : d.D, d.Lh);
}

void ComputeConcrete(const Dims& d, Volumes& v) {
    v.stone = Volume(d.Wsb, d.Ts, d.L);
    v.lev = Volume(d.Wsb, d.Tl, d.L);
    v.base = Volume(d.BW, d.B, d.L);
    v.wall = Mul(Volume(d.W, Sub(d.E, d.B), d.L), 2);
    v.rc = Add(v.base, v.wall);
}

void ComputeEarthwork(const Dims& d, Volumes& v) {
    std::int64_t section = Add(Mul(d.Df, d.Xf), Mul(d.Db, d.Xb), Mul(d.BW, d.Db));
    v.exc = Volume(section, d.L, 1);
    v.gl = Volume(d.BW, Sub(d.E, d.G), d.L);
    v.out = Add(v.stone, v.lev, v.gl);
    v.back = Sub(v.exc, v.out);
    v.formTotal = Area(Mul(Sub(Mul(d.E, 2), d.B), d.L, 2));
}

SoilFigures Soil(const Volumes& v) {
    return {v.exc, v.stone, v.lev, v.gl, v.out, v.back};
}

TSR_CL_L FillRebar(const Reader& r, const Dims& d) {
    return UpstandRebar(r, d.BW, d.B, d.W, Sub(Add(kHf, d.E), d.B));
}

Bars ComputeBars(const Reader& r, const Dims& d, std::int64_t rcTotal) {
    if (!r.snap().CheckBox1)
        return BarsByRate(r, rcTotal);
    Bars b;
    b.calculated = true;
    TSR_CL_L bar = FillRebar(r, d);
    bar.CalcRebar(3, [&r](const std::string& text) { r.Message(text); });
    b.r10 = bar.ResultD10;
    b.r13 = bar.ResultD13;
    b.d10 = Tonnes(b.r10, rcTotal);
    b.d13 = Tonnes(b.r13, rcTotal);
    if (b.d13 <= 0) {
        r.Message(kD13Merged);
        b.d10 = Tonnes(Add(b.r10, b.r13), rcTotal);
    }
    return b;
}

InnerClass ClassifyInner(const std::string& name, std::int64_t bothFaces, const Snapshot& s) {
    InnerClass c;
    if (TakesSubstrate(name)) {
        c.exposed = bothFaces;
        if (!FairFacedSubstrate(s, c.substrate)) {
            // Unlike a base's front, only a repair finish loses its fair-faced formwork here.
            if (Contains(name, "補"))
                c.exposed = 0;
            c.substrate = PlainSubstrate(s);
        }
    }
    ApplyFinishMarks(name, c.exposed, c.substrate);
    return c;
}

Finishes ComputeFinishes(const Snapshot& s, const Dims& d) {
    Finishes f;
    f.topName = TopFinishName(s);
    f.top = Mul(d.Lh, 2); // both wall tops
    f.innerName = s.ComboBox[2];
    f.inner = f.sub = d.Lh;
    std::int64_t bothFaces = Mul(Area(Mul(Sub(d.E, d.B), d.L)), 2);
    InnerClass c = ClassifyInner(f.innerName, bothFaces, s);
    f.exposed = c.exposed;
    f.subName = c.substrate;
    return f;
}

Quantities Collect(const Run& run, const Snapshot& s) {
    Quantities q = CollectCommon(StructureMode::Ditch, s.K3, Soil(run.vol), run.vol.rc, run.ordinary, run.fin.exposed);
    CollectListedBars(run.bars, q);
    CollectRetaining(run.ret, q);
    const Finishes& f = run.fin;
    if (!f.topName.empty())
        q.finishes.push_back({FinishLabel("天端仕上："), f.topName, "ｍ", f.top});
    q.finishes.push_back({FinishLabel("Ｕ字側溝内仕上："), f.innerName, "ｍ", f.inner});
    if (!f.subName.empty())
        q.finishes.push_back({FinishLabel("同上下地："), f.subName, "ｍ", f.sub});
    return q;
}

} // namespace engine::ujs
