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
    const Lines lines = {
        "根  切  量 ;" + Q(v.excavation),
        "残 土 処 分;" + Q(v.surplus),
        "砕       石;" + Q(v.stone),
        "均 し コ ン;" + Q(v.levelling),
        "ＲＣ:ﾍﾞ ｰ ｽ;" + Q(v.rcBase),
        "ＲＣ:立上り;" + Q(v.rcUpstand),
        "ＲＣ:残土用;" + Q(v.rcBelowGl),
        "普 通 型 枠;" + Q(run.formOrdinary),
        "打 放 型 枠;" + Q(f.fairFaced),
        "異形鉄筋D10;" + Q(run.bars.d10),
        "異形鉄筋D13;" + Q(run.bars.d13),
        "簡 易 山 止;" + run.retain.frontText + kSep + Q(run.retain.front),
        "            " + run.retain.backText + kSep + Q(run.retain.back),
        "水抜ﾊﾟｲﾌﾟ;" + Z(run.pipes),
        "天端仕上:" + f.topName + kSep + Q(f.topLen),
        "表面仕上:" + f.frontName + kSep + Q(f.frontArea),
        "表面下地:" + f.frontSubName + kSep + Q(f.frontSubArea),
        "裏面仕上:" + f.backName + kSep + Q(f.backArea),
        "裏面下地:" + f.backSubName + kSep + Q(f.backSubArea),
    };
    std::string text;
    for (const std::string& line : lines) {
        if (!text.empty())
            text += "\n\r";
        text += line;
    }
    return text;
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
    out.push_back(PadNum(s.REdit[4]));
    out.push_back(PadNum(s.REdit[6]));
    out.push_back(PadNum(s.REdit[5]));
    out.push_back(s.REdit[7]);
    out.push_back(s.REdit[9]);
    out.push_back(s.REdit[8]);
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
    std::string parts =
        Q(v.stone) + ")+均しｺﾝ(" + Q(v.levelling) + ")+ＲＣ残土用(" + Q(v.rcBelowGl);
    if (s.K3) {
        out.push_back("不用土 処分：" + Q(v.surplus) + "（ｍ3）　［場外搬出］");
        out.push_back("　　　　　　　　　　　　　　 :=砕石(" + parts + ")");
        out.push_back("埋  戻  し ：" + Q(v.backfill) + "（ｍ3）　［根切土使用］");
        out.push_back("   　　　　　　　　　　　　　:=根切量［" + Q(v.excavation) +
                      "］－不用土処分［" + Q(v.surplus) + "］");
        return;
    }
    // Imported backfill: everything excavated leaves the site.
    out.push_back("不用土 処分：" + Q(v.excavation) + "（ｍ3）　［場外搬出］　:=根切り量");
    out.push_back("埋　戻　し ：" + Q(v.backfill) + "（ｍ3）　［搬入土使用］");
    out.push_back("　　　　　 :=根切り量(" + Q(v.excavation) + ")-(砕石(" + parts + "))");
}

void BelowGroundLines(const Run& run, Lines& out) {
    const Dims& d = run.dims;
    const Volumes& v = run.vol;
    std::string head = "     ＲＣ:残土用：" + Q(v.rcBelowGl);
    if (v.below == BelowGl::FrontSlab || v.below == BelowGl::BackSlab) {
        out.push_back(head + "（ｍ3）:=ﾍﾞｰｽ[GL以下](" + Product(d.Bw, v.belowDepth, d.L) + ")");
        return;
    }
    out.push_back(head + "（ｍ3）:=ﾍﾞｰｽ(" + Q(v.rcBase) + ")");
    std::string indent = v.below == BelowGl::BackUpstand
                             ? "   　　 　　　　　　　　　　　　＋立上り[GL以下]("
                             : "   　　　　　　　　 　　　　　　＋立上り[GL以下](";
    out.push_back(indent + Product(d.W, v.belowDepth, d.L) + ")");
}

void ConcreteLines(const Run& run, Lines& out) {
    const Dims& d = run.dims;
    const Volumes& v = run.vol;
    out.push_back("砕       石：" + Q(v.stone) + "（ｍ3）　:=" + Product(d.Bs, d.Ts, d.L));
    if (v.levelling != 0)
        out.push_back("均 し コ ン：" + Q(v.levelling) + "（ｍ3）　:=" + Product(d.Bs, d.Tc, d.L));
    out.push_back("ＲＣ:全  量：" + Q(v.rcTotal) + "（ｍ3）　:=" + "ﾍﾞｰｽ(" + Q(v.rcBase) +
                  ")＋立上り(" + Q(v.rcUpstand) + ")");
    out.push_back("     ＲＣ:ﾍﾞ ｰ ｽ：" + Q(v.rcBase) + "（ｍ3）:=" + Product(d.Bw, d.Bt, d.L));
    out.push_back("     ＲＣ:立上り：" + Q(v.rcUpstand) +
                  "（ｍ3）:=" + Product(d.W, Sub(d.Hw, d.Bt), d.L));
    BelowGroundLines(run, out);
}

void FormLines(const Run& run, Lines& out) {
    std::int64_t ff = run.fin.fairFaced;
    out.push_back("普 通 型 枠：" + Q(run.formOrdinary) + "（ｍ2）　:=" + "型枠全数量［" +
                  Q(Add(run.formOrdinary, ff)) + "］－打放し型枠［" + Q(ff) + "］");
    out.push_back("　　　　　　　　 (型枠全数量):=" + M(run.dims.Hw) + kTimes + M(run.dims.L) +
                  "×２");
    if (ff != 0)
        out.push_back("打 放 型 枠：" + Q(ff) + "（ｍ2）　:（仕上げより）");
}

void BarLines(const Snapshot& s, const Run& run, Lines& out) {
    const Bars& b = run.bars;
    std::string rc = "　 :=ＲＣ全量[" + Q(run.vol.rcTotal) + "]×";
    if (!b.calculated) {
        std::string head = "異形鉄筋D10,13：" + Q(b.d10) + "（ｔ）";
        out.push_back(!b.rate.typed
                          ? head + "　 :=ＲＣ全量×70㎏／ｍ3　[D10,D13合算]"
                          : head + "　 :=ＲＣ全量×" + s.REdit[18] + "㎏／ｍ3　[D10,D13合算]");
    } else if (b.d13 == 0) {
        out.push_back("異形鉄筋D10+D13：" + Q(b.d10) + "（ｔ）" + rc + Z(Add(b.r10, b.r13)) +
                      "㎏／ｍ3");
    } else {
        if (b.d10 > 0)
            out.push_back("異形鉄筋D10：" + Q(b.d10) + "（ｔ）" + rc + Z(b.r10) + "㎏／ｍ3");
        out.push_back("異形鉄筋D13：" + Q(b.d13) + "（ｔ）" + rc + Z(b.r13) + "㎏／ｍ3");
    }
}

void RetainAndPipeLines(const Run& run, Lines& out) {
    const Retaining& k = run.retain;
    if (k.front > 0)
        out.push_back("簡易山止（表面）：" + k.frontText + kSep + Q(k.front) + kM);
    if (k.back > 0)
        out.push_back("　　　　（裏面）：" + k.backText + kSep + Q(k.back) + kM);
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
