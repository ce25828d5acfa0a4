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
    if (ownSoil) {
        out.push_back("不用土 処分：" + Q(v.disp) + "（ｍ3）　［場外搬出］");
        out.push_back("　　　　　　　　　　　　　　 :=砕石(" + Q(v.stone) + ")+均しｺﾝ(" + Q(v.lev) +
                      ")+ＲＣ残土用(" + Q(v.rcBelow) + ")");
        out.push_back("埋  戻  し ：" + Q(v.back) + "（ｍ3）　［根切土使用］");
        out.push_back("   　　　　　　　　　　　　　:=根切量［" + Q(v.exc) + "］－不用土処分［" +
                      Q(v.disp) + "］");
        return;
    }
    out.push_back("不用土 処分：" + Q(v.exc) + "（ｍ3）　［場外搬出］　:=根切り量");
    out.push_back("埋　戻　し ：" + Q(v.back) + "（ｍ3）　［搬入土使用］");
    out.push_back("　　　　　 :=根切り量(" + Q(v.exc) + ")-(砕石(" + Q(v.stone) + ")+均しｺﾝ(" +
                  Q(v.lev) + ")+ＲＣ残土用(" + Q(v.rcBelow) + "))");
}

void AppendSubBase(const Run& run, std::vector<std::string>& out) {
    const Dims& d = run.dims;
    std::int64_t bw = Add(d.Bw, d.P), a = Add(d.A, d.P);
    out.push_back("砕       石：" + Q(run.vol.stone) + "（ｍ3）　:=" + Product(bw, a, d.tS));
    if (run.vol.lev != 0)
        out.push_back("均 し コ ン：" + Q(run.vol.lev) + "（ｍ3）　:=" + Product(bw, a, d.tL));
}

void AppendConcrete(const Run& run, std::vector<std::string>& out) {
    const Dims& d = run.dims;
    const Volumes& v = run.vol;
    std::int64_t ff = run.fin.fairFaced;
    out.push_back("ＲＣ:全  量：" + Q(v.rcBase) + "（ｍ3）　:=" + "ﾍﾞｰｽ(" + Q(v.rcBase) + ")");
    out.push_back("     ＲＣ:ﾍﾞ ｰ ｽ：" + Q(v.rcBase) + "（ｍ3）:=" + Product(d.A, d.Bw, d.H));
    out.push_back("     ＲＣ:残土用：" + Q(v.rcBelow) + "（ｍ3）:=ﾍﾞｰｽ[GL下]" +
                  Product(d.A, d.Bw, v.X));
    out.push_back("普 通 型 枠：" + Q(run.ordinary) + "（ｍ2）　:=" + "型枠全数量［" +
                  Q(Add(run.ordinary, ff)) + "］－打放し型枠［" + Q(ff) + "］");
    out.push_back("　　　　　　　　 (型枠全数量):=（" + M(d.Bw) + "＋" + M(d.A) + "）×２×" +
                  M(d.H));
    if (ff != 0)
        out.push_back("打 放 型 枠：" + Q(ff) + "（ｍ2）　:（仕上げより）");
}

void AppendBars(const Run& run, const Snapshot& s, std::vector<std::string>& out) {
    const Bars& b = run.bars;
    if (!b.calculated) {
        if (!b.rate.typed)
            out.push_back("異形鉄筋D10,13：" + Q(b.d10) + "（ｔ）" +
                          "　 :=ＲＣ全量×70㎏／ｍ3　[D10,D13合算]");
        else
            out.push_back("異形鉄筋D10,13：" + Q(b.d10) + "（ｔ）" + "　 :=ＲＣ全量×" +
                          s.REdit[18] + "㎏／ｍ3　[D10,D13合算]");
        return;
    }
    std::string rc = Q(run.vol.rcBase);
    AppendBarLines(out, b.d10, b.d13,
                   "異形鉄筋D10：" + Q(b.d10) + "（ｔ）" + "　 :=ＲＣ全量[" + rc + "]×" +
                       std::to_string(b.r10) + "㎏／ヶ所",
                   "異形鉄筋D13：" + Q(b.d13) + "（ｔ）" + "　 :=ＲＣ全量[" + rc + "]×" +
                       std::to_string(b.r13) + "㎏／ヶ所",
                   "異形鉄筋D10+D13：" + Q(b.d10) + "（ｔ）" +
                       "　 :=" + std::to_string(Add(b.r10, b.r13)) + "㎏／ヶ所");
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
    const Volumes& v = run.vol;
    const Finishes& f = run.fin;
    const std::string br = "\n\r";
    return "根  切  量 ;" + Q(v.exc) + br + "残 土 処 分;" + Q(v.disp) + br + "砕       石;" +
           Q(v.stone) + br + "均 し コ ン;" + Q(v.lev) + br + "ＲＣ:ﾍﾞ ｰ ｽ;" + Q(v.rcBase) + br +
           br + "ＲＣ:残土用;" + Q(v.rcBelow) + br + "普 通 型 枠;" + Q(run.ordinary) + br +
           "打 放 型 枠;" + Q(f.fairFaced) + br + "異形鉄筋D10;" + Q(run.bars.d10) + br +
           "異形鉄筋D13;" + Q(run.bars.d13) + br + br + br + br + "天端仕上:" + f.topName + " : " +
           Q(f.top) + br + "表面仕上:" + f.frontName + " : " + Q(f.front) + br +
           "表面下地:" + f.subName + " : " + Q(f.sub) + br + br;
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
