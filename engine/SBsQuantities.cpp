#include "SBsCalc.h"

#include "Checked.h"

namespace engine::sbs {

using yoheki::Add;
using yoheki::Mul;
using yoheki::Sub;

Dims ReadDims(const Reader& r) {
    Dims d;
    d.A = r.Mm(1);
    d.Hf = r.Mm(2);
    d.Hn = r.Mm(4);
    d.tL = r.Mm(5);
    d.tS = r.Mm(6);
    d.Bw = r.Mm(7);
    d.H = Add(r.Mm(2), r.Mm(4));
    d.G = r.snap().A1 ? r.Mm(17) : 0;
    d.P = Add(Round10(r.SideProjection(1)), Round10(r.SideProjection(2)));
    return d;
}

void ReadExcavation(const Reader& r, Dims& d) {
    d.W = Round10(r.ExcavWidth(1));
    d.D = Round10(r.ExcavDepth(1));
}

std::int64_t BelowLineHeight(std::int64_t hn, std::int64_t g, std::int64_t hf) {
    if (g < 0 && yoheki::Neg(g) > hf)
        return hn;
    return Sub(hn, g);
}

Volumes ComputeVolumes(const Dims& d) {
    Volumes v;
    std::int64_t w2 = Mul(2, d.W);
    v.exc = Volume(Add(d.A, w2), Add(d.Bw, w2), d.D);
    v.stone = Volume(Add(d.Bw, d.P), Add(d.A, d.P), d.tS);
    v.lev = Volume(Add(d.Bw, d.P), Add(d.A, d.P), d.tL);
    v.rcBase = Volume(d.Bw, d.H, d.A);
    v.X = BelowLineHeight(d.Hn, d.G, d.Hf);
    v.rcBelow = Volume(d.Bw, d.A, v.X);
    v.disp = Add(v.stone, v.lev, v.rcBelow);
    v.back = Sub(v.exc, v.disp);
    v.formTotal = Area(Mul(d.H, Add(d.A, d.Bw), 2));
    return v;
}

SoilFigures Soil(const Volumes& v) {
    return {v.exc, v.stone, v.lev, v.rcBelow, v.disp, v.back};
}

TSR_CL_L FillRebar(const Reader& r, const Dims& d) {
    const Snapshot& s = r.snap();
    TSR_CL_L bar;
    bool along = d.A <= d.Bw;
    bar.BaseWidth = along ? d.Bw : d.A;
    bar.RunLength = along ? d.A : d.Bw;
    bar.BaseThick = d.H;
    bar.UpstandThick = 0;
    bar.UpstandHeight = d.H;
    bar.PitchBaseMain = r.Mm(12);
    bar.PitchBaseDist = r.Mm(14);
    bar.PitchUpstandVert = 0;
    bar.PitchUpstandHorz = 0;
    bar.KindBaseMain = s.RG_BL;
    bar.KindBaseDist = s.RG_HL;
    bar.KindUpstandVert = 0;
    bar.KindUpstandHorz = 0;
    bar.BaseDouble = s.CheckBox5;
    bar.UpstandDouble = false;
    return bar;
}

Bars ComputeBars(const Reader& r, const Dims& d, std::int64_t rcTotal) {
    if (!r.snap().CheckBox1)
        return BarsByRate(r, rcTotal);
    Bars b;
    b.calculated = true;
    TSR_CL_L bar = FillRebar(r, d);
    bar.CalcRebar(2, [&r](const std::string& text) { r.Message(text); });
    b.r10 = bar.ResultD10;
    b.r13 = bar.ResultD13;
    b.d10 = Hundredths(b.r10, 10.0L);
    b.d13 = Hundredths(b.r13, 10.0L);
    if (b.d13 <= 0) {
        r.Message(kD13Merged);
        b.d10 = Hundredths(Add(b.r10, b.r13), 10.0L);
    }
    return b;
}

FrontClass ClassifyFront(const std::string& name, std::int64_t area, const Snapshot& s) {
    FrontClass c;
    if (TakesSubstrate(name)) {
        c.fairFaced = area;
        if (!FairFacedSubstrate(s, c.substrate)) {
            // A mortar or special substrate covers the concrete: ordinary formwork.
            c.fairFaced = 0;
            c.substrate = PlainSubstrate(s);
        }
    }
    ApplyFinishMarks(name, c.fairFaced, c.substrate);
    return c;
}

Finishes ComputeFinishes(const Snapshot& s, const Dims& d) {
    Finishes f;
    f.topName = TopFinishName(s);
    f.top = Area(Mul(d.A, d.Bw));
    f.front = Area(Mul(Add(d.A, d.Bw), d.Hf, 2));
    f.sub = f.front;
    f.frontName = s.ComboBox[2];
    FrontClass c = ClassifyFront(f.frontName, f.front, s);
    f.fairFaced = c.fairFaced;
    f.subName = c.substrate;
    return f;
}

Quantities Collect(const Run& run, const Snapshot& s) {
    Quantities q =
        CollectCommon(StructureMode::Base, s.K3, Soil(run.vol), run.vol.rcBase, run.ordinary, run.fin.fairFaced);
    CollectListedBars(run.bars, q);
    const Finishes& f = run.fin;
    q.finishes.push_back({FinishLabel("天端仕上："), f.topName, "ｍ2", f.top});
    if (!f.frontName.empty())
        q.finishes.push_back({FinishLabel("表面仕上："), f.frontName, "ｍ2", f.front});
    if (!f.subName.empty())
        q.finishes.push_back({FinishLabel("表面下地："), f.subName, "ｍ2", f.sub});
    return q;
}

} // namespace engine::sbs
