#include "StatementCommon.h"

#include "Checked.h"

namespace engine {

std::string Product(std::int64_t a, std::int64_t b, std::int64_t c) {
    return M(a) + "×" + M(b) + "×" + M(c);
}

void AppendTitleLines(const Reader& r, char digit, std::vector<std::string>& out) {
    std::string close = "】";
    if (r.snap().Q1)
        close += digit;
    out.push_back("【物件名：" + r.ProjectName() + close);
    out.push_back("《" + r.snap().ComboBox[1] + "》");
}

void AppendBarSpecLines(const Reader& r, int groups, std::vector<std::string>& out) {
    static const char* const captions[] = {" 　ベ ース　主　筋：", "　　　　　　配力筋：",
                                           "　　立上り　縦　筋：", "　　　　　　横　筋："};
    out.emplace_back("［拾い条件］");
    out.emplace_back("配筋");
    for (int group = 1; group <= groups; ++group)
        out.push_back(captions[group - 1] + r.BarSpec(group));
}

void AppendSectionLabels(const Snapshot& s, std::vector<std::string>& out) {
    out.push_back(PadNum(s.REdit[4]));
    out.push_back(PadNum(s.REdit[6]));
    out.push_back(PadNum(s.REdit[5]));
    out.push_back(s.REdit[7]);
    out.push_back(s.REdit[9]);
    out.push_back(s.REdit[8]);
}

namespace {

void AppendRuleLines(const Snapshot& s, std::vector<std::string>& out) {
    if (s.S1)
        out.emplace_back("根切要項：積算基準による");
    if (s.Y1)
        out.emplace_back("根切要項：余幅500のみ");
    if (s.N6061)
        out.emplace_back("根切要項：余幅500＋60度勾配");
    if (s.N4541)
        out.emplace_back("根切要項：余幅500＋45度勾配");
}

void AppendRetainingLines(const Snapshot& s, std::vector<std::string>& out) {
    if (s.N8)
        out.emplace_back("簡易山止：なし");
    if (s.H1)
        out.emplace_back("簡易山止：左側に");
    if (s.U1)
        out.emplace_back("簡易山止：右側に");
    if (s.R2)
        out.emplace_back("簡易山止：両側に");
}

std::string ExcavationLine(const Reader& r) {
    if (!r.snap().A1)
        return {};
    std::int64_t g = r.Mm(17);
    if (g > 0)
        return "根切りライン => ＧＬ－" + r.snap().REdit[17];
    return "根切りライン => ＧＬ＋" + std::to_string(yoheki::Neg(g));
}

} // namespace

void AppendConditionLines(const Reader& r, std::vector<std::string>& out) {
    AppendRuleLines(r.snap(), out);
    AppendRetainingLines(r.snap(), out);
    out.push_back(ExcavationLine(r));
}

void AppendSoilLines(const SoilFigures& f, std::string_view belowLabel, bool ownSoil,
                     std::vector<std::string>& out) {
    std::string parts = Q(f.stone) + ")+均しｺﾝ(" + Q(f.levelling) + ")+" + std::string(belowLabel) +
                        "(" + Q(f.below);
    if (ownSoil) {
        out.push_back("不用土 処分：" + Q(f.surplus) + "（ｍ3）　［場外搬出］");
        out.push_back("　　　　　　　　　　　　　　 :=砕石(" + parts + ")");
        out.push_back("埋  戻  し ：" + Q(f.backfill) + "（ｍ3）　［根切土使用］");
        out.push_back("   　　　　　　　　　　　　　:=根切量［" + Q(f.excavation) +
                      "］－不用土処分［" + Q(f.surplus) + "］");
        return;
    }
    out.push_back("不用土 処分：" + Q(f.excavation) + "（ｍ3）　［場外搬出］　:=根切り量");
    out.push_back("埋　戻　し ：" + Q(f.backfill) + "（ｍ3）　［搬入土使用］");
    out.push_back("　　　　　 :=根切り量(" + Q(f.excavation) + ")-(砕石(" + parts + "))");
}

void AppendSubBaseLines(std::int64_t stone, const std::string& stoneFormula, std::int64_t levelling,
                        const std::string& levFormula, std::vector<std::string>& out) {
    out.push_back("砕       石：" + Q(stone) + "（ｍ3）　:=" + stoneFormula);
    if (levelling != 0)
        out.push_back("均 し コ ン：" + Q(levelling) + "（ｍ3）　:=" + levFormula);
}

std::string RcTotalLine(std::int64_t total, std::int64_t base,
                        std::optional<std::int64_t> upstand) {
    std::string line = "ＲＣ:全  量：" + Q(total) + "（ｍ3）　:=ﾍﾞｰｽ(" + Q(base) + ")";
    if (upstand)
        line += "＋立上り(" + Q(*upstand) + ")";
    return line;
}

std::string RcMemberHead(std::string_view member, std::int64_t volume) {
    return "     ＲＣ:" + std::string(member) + "：" + Q(volume) + "（ｍ3）:=";
}

void AppendFormworkLines(std::int64_t ordinary, std::int64_t fairFaced,
                         const std::string& totalFormula, std::vector<std::string>& out) {
    out.push_back("普 通 型 枠：" + Q(ordinary) + "（ｍ2）　:=型枠全数量［" +
                  Q(yoheki::Add(ordinary, fairFaced)) + "］－打放し型枠［" + Q(fairFaced) + "］");
    out.push_back("　　　　　　　　 (型枠全数量):=" + totalFormula);
    if (fairFaced != 0)
        out.push_back("打 放 型 枠：" + Q(fairFaced) + "（ｍ2）　:（仕上げより）");
}

std::string RateBarLine(const Bars& b, const Snapshot& s) {
    std::string rate = b.rate.typed ? s.REdit[18] : "70";
    return "異形鉄筋D10,13：" + Q(b.d10) + "（ｔ）　 :=ＲＣ全量×" + rate + "㎏／ｍ3　[D10,D13合算]";
}

std::string BarLine(std::string_view size, std::int64_t tonnes, const std::string& basis,
                    std::int64_t kg, std::string_view per) {
    return "異形鉄筋" + std::string(size) + "：" + Q(tonnes) + "（ｔ）　 :=" + basis + Z(kg) +
           "㎏／" + std::string(per);
}

void AppendRetainingLines(const Retaining& k, std::vector<std::string>& out) {
    if (k.front > 0)
        out.push_back("簡易山止（表面）：" + k.frontText + " : " + Q(k.front) + "（ｍ）");
    if (k.back > 0)
        out.push_back("　　　　（裏面）：" + k.backText + " : " + Q(k.back) + "（ｍ）");
}

std::vector<std::string> SummaryQuantityLines(const SoilFigures& soil, std::int64_t rcBase,
                                              std::optional<std::int64_t> rcUpstand,
                                              std::int64_t ordinary, std::int64_t fairFaced,
                                              const Bars& bars) {
    return {
        "根  切  量 ;" + Q(soil.excavation),
        "残 土 処 分;" + Q(soil.surplus),
        "砕       石;" + Q(soil.stone),
        "均 し コ ン;" + Q(soil.levelling),
        "ＲＣ:ﾍﾞ ｰ ｽ;" + Q(rcBase),
        rcUpstand ? "ＲＣ:立上り;" + Q(*rcUpstand) : std::string(),
        "ＲＣ:残土用;" + Q(soil.below),
        "普 通 型 枠;" + Q(ordinary),
        "打 放 型 枠;" + Q(fairFaced),
        "異形鉄筋D10;" + Q(bars.d10),
        "異形鉄筋D13;" + Q(bars.d13),
    };
}

void AppendSummaryRetaining(const Retaining& k, std::vector<std::string>& lines) {
    lines.push_back("簡 易 山 止;" + k.frontText + " : " + Q(k.front));
    lines.push_back("            " + k.backText + " : " + Q(k.back));
}

std::string SummaryFinish(std::string_view label, const std::string& name, std::int64_t v) {
    return std::string(label) + name + " : " + Q(v);
}

std::string SummaryText(const std::vector<std::string>& lines, bool closed) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += (i ? "\n\r" : "") + lines[i];
    return closed ? text + "\n\r\n\r" : text;
}

void AppendBarLines(std::vector<std::string>& out, std::int64_t d10, std::int64_t d13,
                    const std::string& d10Line, const std::string& d13Line,
                    const std::string& mergedLine) {
    bool d10Written = d10 > 0;
    if (d10Written)
        out.push_back(d10Line);
    if (d13 > 0) {
        out.push_back(d13Line);
        return;
    }
    if (d10Written)
        out.pop_back();
    out.push_back(mergedLine);
}

} // namespace engine
