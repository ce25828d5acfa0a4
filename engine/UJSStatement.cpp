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
    out.push_back(PadNum(s.REdit[4]));
    out.push_back(PadNum(s.REdit[6]));
    out.push_back(PadNum(s.REdit[5]));
    out.push_back(s.REdit[7]);
    out.push_back(s.REdit[9]);
    out.push_back(s.REdit[8]);
}

void AppendSoil(const Run& run, bool ownSoil, std::vector<std::string>& out) {
    const Dims& d = run.dims;
    const Volumes& v = run.vol;
    out.push_back("根  切   量：" + Q(v.exc) + "（ｍ3）");
    out.push_back("　　　　　　　　　　　　　　 :=[延L]" + M(Add(d.Xf, d.BW, d.Xb)) + "×[D]" +
                  M(d.Df) + "×[H]" + M(d.L));
    if (ownSoil) {
        out.push_back("不用土 処分：" + Q(v.out) + "（ｍ3）　［場外搬出］");
        out.push_back("　　　　　　　　　　　　　　 :=砕石(" + Q(v.stone) + ")+均しｺﾝ(" + Q(v.lev) +
                      ")+ＧＬ下体積(" + Q(v.gl) + ")");
        out.push_back("埋  戻  し ：" + Q(v.back) + "（ｍ3）　［根切土使用］");
        out.push_back("   　　　　　　　　　　　　　:=根切量［" + Q(v.exc) + "］－不用土処分［" +
                      Q(v.out) + "］");
        return;
    }
    out.push_back("不用土 処分：" + Q(v.exc) + "（ｍ3）　［場外搬出］　:=根切り量");
    out.push_back("埋　戻　し ：" + Q(v.back) + "（ｍ3）　［搬入土使用］");
    out.push_back("　　　　　 :=根切り量(" + Q(v.exc) + ")-(砕石(" + Q(v.stone) + ")+均しｺﾝ(" +
                  Q(v.lev) + ")+ＧＬ下体積(" + Q(v.gl) + "))");
}

void AppendConcrete(const Run& run, std::vector<std::string>& out) {
    const Dims& d = run.dims;
    const Volumes& v = run.vol;
    out.push_back("砕       石：" + Q(v.stone) + "（ｍ3）　:=" + Product(d.Wsb, d.Ts, d.L));
    if (v.lev != 0)
        out.push_back("均 し コ ン：" + Q(v.lev) + "（ｍ3）　:=" + Product(d.Wsb, d.Tl, d.L));
    out.push_back("ＲＣ:全  量：" + Q(v.rc) + "（ｍ3）　:=" + "ﾍﾞｰｽ(" + Q(v.base) + ")＋立上り(" +
                  Q(v.wall) + ")");
    out.push_back("     ＲＣ:ﾍﾞ ｰ ｽ：" + Q(v.base) + "（ｍ3）:=" + Product(d.BW, d.B, d.L));
    out.push_back("     ＲＣ:立上り：" + Q(v.wall) +
                  "（ｍ3）:=" + Product(d.W, Sub(Add(kHf, d.E), d.B), d.L) + "×２");
    out.push_back("     ＲＣ:残土用：" + Q(v.gl) + "（ｍ3）:=[GL以下](" +
                  Product(d.BW, Sub(d.E, d.G), d.L) + ")");
}

void AppendFormwork(const Run& run, std::vector<std::string>& out) {
    const Dims& d = run.dims;
    std::int64_t exp = run.fin.exposed;
    out.push_back("普 通 型 枠：" + Q(run.ordinary) + "（ｍ2）　:=" + "型枠全数量［" +
                  Q(Add(run.ordinary, exp)) + "］－打放し型枠［" + Q(exp) + "］");
    out.push_back("　　　　　　　　 (型枠全数量):=（" + M(d.E) + "×２－" + M(d.B) + "）×" + M(d.L) +
                  "×２");
    if (exp != 0)
        out.push_back("打 放 型 枠：" + Q(exp) + "（ｍ2）　:（仕上げより）");
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
    std::string rc = Q(run.vol.rc);
    AppendBarLines(out, b.d10, b.d13,
                   "異形鉄筋D10：" + Q(b.d10) + "（ｔ）" + "　 :=ＲＣ全量[" + rc + "]×" +
                       std::to_string(b.r10) + "㎏／ｍ3",
                   "異形鉄筋D13：" + Q(b.d13) + "（ｔ）" + "　 :=ＲＣ全量[" + rc + "]×" +
                       std::to_string(b.r13) + "㎏／ｍ3",
                   "異形鉄筋D10+D13：" + Q(b.d10) + "（ｔ）" + "　 :=ＲＣ全量[" + rc + "]×" +
                       std::to_string(Add(b.r10, b.r13)) + "㎏／ｍ3");
}

void AppendRetaining(const Retaining& t, std::vector<std::string>& out) {
    if (t.front > 0)
        out.push_back("簡易山止（表面）：" + t.frontText + " : " + Q(t.front) + "（ｍ）");
    if (t.back > 0)
        out.push_back("　　　　（裏面）：" + t.backText + " : " + Q(t.back) + "（ｍ）");
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
    const Retaining& t = run.ret;
    const std::string lines[] = {
        "根  切  量 ;" + Q(v.exc),
        "残 土 処 分;" + Q(v.out),
        "砕       石;" + Q(v.stone),
        "均 し コ ン;" + Q(v.lev),
        "ＲＣ:ﾍﾞ ｰ ｽ;" + Q(v.base),
        "ＲＣ:立上り;" + Q(v.wall),
        "ＲＣ:残土用;" + Q(v.gl),
        "普 通 型 枠;" + Q(run.ordinary),
        "打 放 型 枠;" + Q(f.exposed),
        "異形鉄筋D10;" + Q(run.bars.d10),
        "異形鉄筋D13;" + Q(run.bars.d13),
        "簡 易 山 止;" + t.frontText + " : " + Q(t.front),
        "            " + t.backText + " : " + Q(t.back),
        "天端仕上:" + f.topName + " : " + Q(f.top),
        "表面仕上:" + f.innerName + " : " + Q(f.inner),
        "表面下地:" + f.subName + " : " + Q(f.sub),
    };
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n\r";
    return text + "\n\r";
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
    AppendRetaining(run.ret, out);
    out.emplace_back();
    AppendFinishes(run, s, out);
    return out;
}

} // namespace engine::ujs
