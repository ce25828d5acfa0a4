#include "Calc.h"
#include "Checked.h"
#include "YohCalc.h"

#include <algorithm>

namespace engine {

namespace yoh {

namespace {

// The statement's label without its colon and the blanks that align it.
std::string Label(std::string text) {
    static const std::string colon = "：", wide = "\u3000";
    text = text.substr(0, text.find(colon));
    while (text.size() >= wide.size() && text.ends_with(wide))
        text.resize(text.size() - wide.size());
    return text;
}

void CollectFinishes(const Run& run, const Snapshot& s, std::vector<Quantities::Finish>& out) {
    const Finishes& f = run.fin;
    auto add = [&out](const char* label, const std::string& name, const char* unit,
                      std::int64_t v) {
        out.push_back({Label(label), name, unit, v});
    };
    if (!f.topName.empty())
        add("天端仕上：", f.topName, "ｍ", f.topLen);
    if (f.frontArea != 0)
        add("表面仕上：", f.frontName, "ｍ2", f.frontArea);
    if (!f.frontSubName.empty())
        add("表面下地：", f.frontSubName, "ｍ2", f.frontSubArea);
    if (!f.backName.empty())
        add("裏面仕上：", f.backName, "ｍ2", f.backArea);
    if (!f.backSubName.empty())
        add("裏面下地：", f.backSubName, "ｍ2", f.backSubArea);
    if (!f.block)
        return;
    bool bothFaced = f.cbFrontSubName.empty() && f.cbBackSubName.empty();
    add(bothFaced ? "ＣＢ(両面化粧)：Ｗ＝" : "ＣＢ　　　　　：Ｗ＝", "Ｗ＝" + s.REdit[16], "ｍ2",
        f.cbArea);
    if (!f.cbTopName.empty())
        add("ＣＢ天端仕上：", f.cbTopName, "ｍ", f.cbTopLen);
    if (!f.cbFrontName.empty())
        add("ＣＢ表面仕上：", f.cbFrontName, "ｍ2", f.cbArea);
    if (!f.cbFrontSubName.empty())
        add("ＣＢ表面下地：", f.cbFrontSubName, "ｍ2", f.cbFrontSubArea);
    if (!f.cbBackName.empty())
        add("ＣＢ裏面仕上：", f.cbBackName, "ｍ2", f.cbArea);
    if (!f.cbBackSubName.empty())
        add("ＣＢ裏面下地：", f.cbBackSubName, "ｍ2", f.cbBackSubArea);
}

} // namespace

Quantities Collect(const Run& run, const Snapshot& s) {
    Quantities q =
        CollectCommon(StructureMode::Wall, s.K3, Soil(run.vol), run.vol.rcTotal, run.formOrdinary, run.fin.fairFaced);
    // The numbers the statement lists, nothing it leaves out: a D10 weight
    // beside a D13 one, sheeting and pipes appear only when positive.
    const Bars& b = run.bars;
    const bool d10Listed = b.d13 == 0 || b.d10 > 0;
    q.barMerged = b.calculated ? 0 : b.d10;
    q.barD10 = b.calculated && d10Listed ? b.d10 : 0;
    q.barD13 = b.d13;
    CollectRetaining(run.retain, q);
    q.pipes = std::max<std::int64_t>(run.pipes, 0);
    CollectFinishes(run, s, q.finishes);
    return q;
}

} // namespace yoh

std::optional<CalcOutput> CalcYoH(const Snapshot& s, const yoheki::MessageFn& message) {
    using namespace yoh;
    Reader r(s, message);
    Run run;
    run.dims = ReadDims(r);
    if (run.dims.L == 0) {
        r.Message(kCorrectAndRetry);
        return std::nullopt;
    }
    ReadExcavation(r, run.dims);
    run.vol = ComputeConcrete(run.dims);
    run.retain = ComputeRetaining(s, run.dims);
    if (!BackHeightPossible(run.dims)) {
        r.Message(kBackHeight);
        return std::nullopt;
    }
    ComputeEarth(s, run.dims, run.vol);
    run.bars = ComputeBars(r, run.dims, run.vol.rcTotal);
    run.pipes = ComputePipes(r, run.dims);
    run.fin = ComputeFinishes(s, run.dims);
    run.formOrdinary = yoheki::Sub(run.vol.formTotal, run.fin.fairFaced);
    if (s.D2)
        r.Message(Summary(run));
    // Built whole before it is handed back, so a failed conversion in the head
    // leaves the caller's statement as it was.
    return CalcOutput{Statement(r, run), Collect(run, s)};
}

} // namespace engine
