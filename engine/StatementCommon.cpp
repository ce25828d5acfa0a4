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
