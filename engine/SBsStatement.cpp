#include "SBsCalc.h"

#include "Checked.h"
#include "StatementCommon.h"

namespace engine::sbs {

using yoheki::Add;
using yoheki::Mul;

namespace {

void AppendHead(const Reader& r, std::vector<std::string>& out) {
    AppendTitleLines(r, '2', out);
    out.emplace_back("〔ベース基礎〕");
    out.emplace_back("数量：１（ヶ所当り）");
    AppendBarSpecLines(r, 2, out);
    out.emplace_back();
    AppendConditionLines(r, out);
}

// The labels placed on the drawing of the printed page.
void AppendDrawingLabels(const Snapshot& s, std::vector<std::string>& out) {
    out.push_back(PadNum(s.REdit[2]));
    out.emplace_back();
    out.push_back(PadNum(s.REdit[4]));
    out.push_back(PadNum(s.REdit[6]));
    out.push_back(PadNum(s.REdit[5]));
    out.push_back(s.REdit[1] + "×" + s.REdit[7]);
    out.emplace_back();
    out.emplace_back();
}

void AppendSoil(const Run& run, bool ownSoil, std::vector<std::string>& out) {
    const Dims& d = run.dims;
    const Volumes& v = run.vol;
    std::int64_t w2 = Mul(2, d.W);
    out.push_back("根  切   量：" + Q(v.exc) + "（ｍ3）");
    out.push_back("　　　　　　　　　　　　　　 :=[L]" + M(Add(d.A, w2)) + "×[D]" +
                  M(Add(d.Bw, w2)) + "×[H]" + M(d.D));
    AppendSoilLines(Soil(v), "ＲＣ残土用", ownSoil, out);
}

void AppendSubBase(const Run& run, std::vector<std::string>& out) {
    const Dims& d = run.dims;
    std::int64_t bw = Add(d.Bw, d.P), a = Add(d.A, d.P);
    AppendSubBaseLines(run.vol.stone, Product(bw, a, d.tS), run.vol.lev, Product(bw, a, d.tL), out);
}

void AppendConcrete(const Run& run, std::vector<std::string>& out) {
    const Dims& d = run.dims;
    const Volumes& v = run.vol;
    out.push_back(RcTotalLine(v.rcBase, v.rcBase));
    out.push_back(RcMemberHead("ﾍﾞ ｰ ｽ", v.rcBase) + Product(d.A, d.Bw, d.H));
    out.push_back(RcMemberHead("残土用", v.rcBelow) + "ﾍﾞｰｽ[GL下]" + Product(d.A, d.Bw, v.X));
    AppendFormworkLines(run.ordinary, run.fin.fairFaced,
                        "（" + M(d.Bw) + "＋" + M(d.A) + "）×２×" + M(d.H), out);
}

void AppendBars(const Run& run, const Snapshot& s, std::vector<std::string>& out) {
    const Bars& b = run.bars;
    if (!b.calculated) {
        out.push_back(RateBarLine(b, s));
        return;
    }
    // Per base: the merged line gives the weight of one base, not a rate.
    std::string rc = "ＲＣ全量[" + Q(run.vol.rcBase) + "]×";
    AppendBarLines(out, b.d10, b.d13, BarLine("D10", b.d10, rc, b.r10, "ヶ所"),
                   BarLine("D13", b.d13, rc, b.r13, "ヶ所"),
                   BarLine("D10+D13", b.d10, "", Add(b.r10, b.r13), "ヶ所"));
}

void AppendFinishes(const Run& run, std::vector<std::string>& out) {
    const Dims& d = run.dims;
    const Finishes& f = run.fin;
    out.push_back("天端仕上：" + f.topName + " : " + Q(f.top) + "（ｍ2）");
    out.push_back("　　　　　　　　　　　　　　 :=" + M(d.A) + "×" + M(d.Bw));
    if (!f.frontName.empty()) {
        out.push_back("表面仕上：" + f.frontName + " : " + Q(f.front) + "（ｍ2）");
        out.push_back("　　　　　　　　　　　　　　 :=（" + M(d.A) + "＋" + M(d.Bw) + "）×２×" +
                      M(d.Hf));
    }
    if (!f.subName.empty())
        out.push_back("表面下地：" + f.subName + " : " + Q(f.sub) + "（ｍ2）：（表面仕上げより）");
}

} // namespace

std::string Summary(const Run& run) {
    const Finishes& f = run.fin;
    std::vector<std::string> lines = SummaryQuantityLines(
        Soil(run.vol), run.vol.rcBase, std::nullopt, run.ordinary, f.fairFaced, run.bars);
    lines.insert(lines.end(), 3, std::string());
    lines.push_back(SummaryFinish("天端仕上:", f.topName, f.top));
    lines.push_back(SummaryFinish("表面仕上:", f.frontName, f.front));
    lines.push_back(SummaryFinish("表面下地:", f.subName, f.sub));
    return SummaryText(lines, true);
}

std::vector<std::string> Statement(const Reader& r, const Run& run) {
    const Snapshot& s = r.snap();
    std::vector<std::string> out;
    AppendHead(r, out);
    AppendDrawingLabels(s, out);
    AppendSoil(run, s.K3, out);
    AppendSubBase(run, out);
    AppendConcrete(run, out);
    AppendBars(run, s, out);
    out.emplace_back();
    out.emplace_back();
    AppendFinishes(run, out);
    return out;
}

} // namespace engine::sbs
