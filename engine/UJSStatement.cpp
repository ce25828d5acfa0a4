#include "UJSCalc.h"

#include "Checked.h"
#include "StatementCommon.h"

namespace engine::ujs {

using yoheki::Add;
using yoheki::Mul;
using yoheki::Sub;

namespace {

void AppendHead(const Reader& r, const Run& run, std::vector<std::string>& out) {
    AppendTitleLines(r, '3', out);
    out.push_back("延べ数量：" + Q(run.dims.Lh) + "（ｍ）");
    AppendBarSpecLines(r, 4, out);
    AppendConditionLines(r, out);
}

// The labels placed on the drawing of the printed page.
void AppendDrawingLabels(const Snapshot& s, std::vector<std::string>& out) {
    out.emplace_back();
    out.emplace_back();
    AppendSectionLabels(s, out);
}

void AppendSoil(const Run& run, bool ownSoil, std::vector<std::string>& out) {
    const Dims& d = run.dims;
    const Volumes& v = run.vol;
    out.push_back("根  切   量：" + Q(v.exc) + "（ｍ3）");
    out.push_back("　　　　　　　　　　　　　　 :=[延L]" + M(Add(d.Xf, d.BW, d.Xb)) + "×[D]" +
                  M(d.Df) + "×[H]" + M(d.L));
    AppendSoilLines(Soil(v), "ＧＬ下体積", ownSoil, out);
}

void AppendConcrete(const Run& run, std::vector<std::string>& out) {
    const Dims& d = run.dims;
    const Volumes& v = run.vol;
    AppendSubBaseLines(v.stone, Product(d.Wsb, d.Ts, d.L), v.lev, Product(d.Wsb, d.Tl, d.L), out);
    out.push_back(RcTotalLine(v.rc, v.base, v.wall));
    out.push_back(RcMemberHead("ﾍﾞ ｰ ｽ", v.base) + Product(d.BW, d.B, d.L));
    out.push_back(RcMemberHead("立上り", v.wall) + Product(d.W, Sub(Add(kHf, d.E), d.B), d.L) +
                  "×２");
    out.push_back(RcMemberHead("残土用", v.gl) + "[GL以下](" + Product(d.BW, Sub(d.E, d.G), d.L) +
                  ")");
}

void AppendFormwork(const Run& run, std::vector<std::string>& out) {
    const Dims& d = run.dims;
    AppendFormworkLines(run.ordinary, run.fin.exposed,
                        "（" + M(d.E) + "×２－" + M(d.B) + "）×" + M(d.L) + "×２", out);
}

void AppendBars(const Run& run, const Snapshot& s, std::vector<std::string>& out) {
    const Bars& b = run.bars;
    if (!b.calculated) {
        out.push_back(RateBarLine(b, s));
        return;
    }
    std::string rc = "ＲＣ全量[" + Q(run.vol.rc) + "]×";
    AppendBarLines(out, b.d10, b.d13, BarLine("D10", b.d10, rc, b.r10, "ｍ3"),
                   BarLine("D13", b.d13, rc, b.r13, "ｍ3"),
                   BarLine("D10+D13", b.d10, rc, Add(b.r10, b.r13), "ｍ3"));
}

void AppendFinishes(const Run& run, const Snapshot& s, std::vector<std::string>& out) {
    const Dims& d = run.dims;
    const Finishes& f = run.fin;
    if (!f.topName.empty()) {
        out.push_back("天端仕上：" + f.topName + " : " + Q(f.top) + "（ｍ）" + "[Ｗ " + s.REdit[8] +
                      "]");
        out.push_back("　　　　　　　　　　　　　　 :=" + Q(d.Lh) + "×２");
    }
    out.push_back("Ｕ字側溝内仕上：" + f.innerName + " : " + Q(f.inner) + "（ｍ）" + "　Ｕ型［Ｗ" +
                  Z(Sub(d.BW, Mul(d.W, 2))) + "×Ｈ" + Z(Sub(d.E, d.B)) + "］");
    if (!f.subName.empty())
        out.push_back("同上下地：" + f.subName + " : " + Q(f.sub) + "（ｍ）：（仕上げより）");
}

} // namespace

std::string Summary(const Run& run) {
    const Volumes& v = run.vol;
    const Finishes& f = run.fin;
    std::vector<std::string> lines =
        SummaryQuantityLines(Soil(v), v.base, v.wall, run.ordinary, f.exposed, run.bars);
    AppendSummaryRetaining(run.ret, lines);
    lines.push_back(SummaryFinish("天端仕上:", f.topName, f.top));
    lines.push_back(SummaryFinish("表面仕上:", f.innerName, f.inner));
    lines.push_back(SummaryFinish("表面下地:", f.subName, f.sub));
    return SummaryText(lines, true);
}

std::vector<std::string> Statement(const Reader& r, const Run& run) {
    const Snapshot& s = r.snap();
    std::vector<std::string> out;
    AppendHead(r, run, out);
    AppendDrawingLabels(s, out);
    AppendSoil(run, s.K3, out);
    AppendConcrete(run, out);
    AppendFormwork(run, out);
    AppendBars(run, s, out);
    out.emplace_back();
    AppendRetainingLines(run.ret, out);
    out.emplace_back();
    AppendFinishes(run, s, out);
    return out;
}

} // namespace engine::ujs
