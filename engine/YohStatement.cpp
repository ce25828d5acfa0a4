#include "YohCalc.h"

#include "Checked.h"
#include "StatementCommon.h"

namespace engine::yoh {

using yoheki::Add;
using yoheki::Sub;

namespace {

using Lines = std::vector<std::string>;

const std::string kSep = " : ";
const std::string kTimes = "×";
const std::string kM3 = "（ｍ3）";
const std::string kM2 = "（ｍ2）";
const std::string kM = "（ｍ）";

} // namespace

std::string Summary(const Run& run) {
    const Volumes& v = run.vol;
    const Finishes& f = run.fin;
    Lines lines = SummaryQuantityLines(Soil(v), v.rcBase, v.rcUpstand, run.formOrdinary,
                                       f.fairFaced, run.bars);
    AppendSummaryRetaining(run.retain, lines);
    lines.push_back("水抜ﾊﾟｲﾌﾟ;" + Z(run.pipes));
    lines.push_back(SummaryFinish("天端仕上:", f.topName, f.topLen));
    lines.push_back(SummaryFinish("表面仕上:", f.frontName, f.frontArea));
    lines.push_back(SummaryFinish("表面下地:", f.frontSubName, f.frontSubArea));
    lines.push_back(SummaryFinish("裏面仕上:", f.backName, f.backArea));
    lines.push_back(SummaryFinish("裏面下地:", f.backSubName, f.backSubArea));
    return SummaryText(lines, false);
}

namespace {

void Head(const Reader& r, const Run& run, Lines& out) {
    const Snapshot& s = r.snap();
    AppendTitleLines(r, '1', out);
    out.push_back("延べ数量：" + M(run.dims.L) + kM);
    AppendBarSpecLines(r, 4, out);
    AppendConditionLines(r, out);
    // The bare sizes the printed drawing places on the picture of the wall.
    out.push_back(PadNum(s.REdit[2]));
    out.push_back(s.REdit[3]);
    AppendSectionLabels(s, out);
}

void ExcavationLines(const Run& run, Lines& out) {
    const Dims& d = run.dims;
    std::string head = "根  切   量：" + Q(run.vol.excavation);
    if (!run.vol.stepped) {
        out.push_back(head + kM3);
        out.push_back("　　　　　　　　　　　　　　 :=[延L]" + M(Add(d.X1, d.Bw, d.X2)) + "×[D]" +
                      M(d.D1) + "×[H]" + M(d.L));
        return;
    }
    out.push_back(head + "（ｍ3）　［高低差考慮］");
    out.push_back("　　　　　　　　　　　　　　 :=" + Product(d.X1, d.D1, d.L));
    out.push_back("　　　　　　　　　　　　　　  +" + Product(Add(d.X2, d.Bw), d.D2, d.L));
}

void SoilLines(const Snapshot& s, const Volumes& v, Lines& out) {
    AppendSoilLines(Soil(v), "ＲＣ残土用", s.K3, out);
}

void BelowGroundLines(const Run& run, Lines& out) {
    const Dims& d = run.dims;
    const Volumes& v = run.vol;
    std::string head = RcMemberHead("残土用", v.rcBelowGl);
    if (v.below == BelowGl::FrontSlab || v.below == BelowGl::BackSlab) {
        out.push_back(head + "ﾍﾞｰｽ[GL以下](" + Product(d.Bw, v.belowDepth, d.L) + ")");
        return;
    }
    out.push_back(head + "ﾍﾞｰｽ(" + Q(v.rcBase) + ")");
    std::string indent = v.below == BelowGl::BackUpstand
                             ? "   　　 　　　　　　　　　　　　＋立上り[GL以下]("
                             : "   　　　　　　　　 　　　　　　＋立上り[GL以下](";
    out.push_back(indent + Product(d.W, v.belowDepth, d.L) + ")");
}

void ConcreteLines(const Run& run, Lines& out) {
    const Dims& d = run.dims;
    const Volumes& v = run.vol;
    AppendSubBaseLines(v.stone, Product(d.Bs, d.Ts, d.L), v.levelling, Product(d.Bs, d.Tc, d.L),
                       out);
    out.push_back(RcTotalLine(v.rcTotal, v.rcBase, v.rcUpstand));
    out.push_back(RcMemberHead("ﾍﾞ ｰ ｽ", v.rcBase) + Product(d.Bw, d.Bt, d.L));
    out.push_back(RcMemberHead("立上り", v.rcUpstand) + Product(d.W, Sub(d.Hw, d.Bt), d.L));
    BelowGroundLines(run, out);
}

void FormLines(const Run& run, Lines& out) {
    AppendFormworkLines(run.formOrdinary, run.fin.fairFaced,
                        M(run.dims.Hw) + kTimes + M(run.dims.L) + "×２", out);
}

void BarLines(const Snapshot& s, const Run& run, Lines& out) {
    const Bars& b = run.bars;
    std::string rc = "ＲＣ全量[" + Q(run.vol.rcTotal) + "]×";
    if (!b.calculated) {
        out.push_back(RateBarLine(b, s));
    } else if (b.d13 == 0) {
        out.push_back(BarLine("D10+D13", b.d10, rc, Add(b.r10, b.r13), "ｍ3"));
    } else {
        if (b.d10 > 0)
            out.push_back(BarLine("D10", b.d10, rc, b.r10, "ｍ3"));
        out.push_back(BarLine("D13", b.d13, rc, b.r13, "ｍ3"));
    }
}

void RetainAndPipeLines(const Run& run, Lines& out) {
    AppendRetainingLines(run.retain, out);
    if (run.pipes > 0)
        out.push_back("水抜ﾊﾟｲﾌﾟ：" + Z(run.pipes) + "（ヶ所）");
}

void FinishLines(const Snapshot& s, const Run& run, Lines& out) {
    const Finishes& f = run.fin;
    const Dims& d = run.dims;
    if (!f.topName.empty())
        out.push_back("天端仕上：" + f.topName + kSep + Q(f.topLen) + kM + "[Ｗ " + s.REdit[8] +
                      "]");
    if (f.frontArea != 0) {
        out.push_back("表面仕上：" + f.frontName + kSep + Q(f.frontArea) + kM2);
        if (f.facesDiffer)
            out.push_back("　　　　　　　　　　　　　　 :=" + M(d.Hf) + kTimes + M(d.L));
        else
            out.push_back("　　　　　　　　　　　　　　 :=（" + M(d.Hf) + "＋" + M(f.backHeight) +
                          "）×" + M(d.L));
    }
    if (!f.frontSubName.empty())
        out.push_back("表面下地：" + f.frontSubName + kSep + Q(f.frontSubArea) +
                      "（ｍ2）：（表面仕上げより）");
    if (!f.backName.empty()) {
        out.push_back("裏面仕上：" + f.backName + kSep + Q(f.backArea) + kM2);
        out.push_back("　　　　　　　　　　　　　　　　:=" + M(f.backHeight) + kTimes + M(d.L));
    }
    if (!f.backSubName.empty())
        out.push_back("裏面下地：" + f.backSubName + kSep + Q(f.backSubArea) +
                      "（ｍ2）：（裏面仕上げより）");
}

void BlockLines(const Snapshot& s, const Run& run, Lines& out) {
    const Finishes& f = run.fin;
    bool bothFaced = f.cbFrontSubName.empty() && f.cbBackSubName.empty();
    out.emplace_back();
    out.push_back((bothFaced ? "ＣＢ(両面化粧)：Ｗ＝" : "ＣＢ　　　　　：Ｗ＝") + s.REdit[16] +
                  kSep + Q(f.cbArea) + kM2);
    out.push_back("　　　　　　　　　　　　　　　　:=" + M(run.dims.Hc) + kTimes + M(run.dims.L));
    if (!f.cbTopName.empty())
        out.push_back("ＣＢ天端仕上：" + f.cbTopName + kSep + Q(f.cbTopLen) + kM);
    if (!f.cbFrontName.empty())
        out.push_back("ＣＢ表面仕上：" + f.cbFrontName + kSep + Q(f.cbArea) + kM2);
    if (!f.cbFrontSubName.empty())
        out.push_back("ＣＢ表面下地：" + f.cbFrontSubName + kSep + Q(f.cbFrontSubArea) + kM2);
    if (!f.cbBackName.empty())
        out.push_back("ＣＢ裏面仕上：" + f.cbBackName + kSep + Q(f.cbArea) + kM2);
    if (!f.cbBackSubName.empty())
        out.push_back("ＣＢ裏面下地：" + f.cbBackSubName + kSep + Q(f.cbBackSubArea) + kM2);
}

} // namespace

std::vector<std::string> Statement(const Reader& r, const Run& run) {
    const Snapshot& s = r.snap();
    Lines out;
    Head(r, run, out);
    ExcavationLines(run, out);
    SoilLines(s, run.vol, out);
    ConcreteLines(run, out);
    FormLines(run, out);
    BarLines(s, run, out);
    out.emplace_back();
    RetainAndPipeLines(run, out);
    out.emplace_back();
    FinishLines(s, run, out);
    if (run.fin.block)
        BlockLines(s, run, out);
    return out;
}

} // namespace engine::yoh
