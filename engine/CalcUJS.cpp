#include "Calc.h"
#include "Checked.h"
#include "UJSCalc.h"

namespace engine {

namespace {

// Everything from the volumes to the finishes, once the inputs passed.
void ComputeQuantities(const Reader& r, ujs::Run& run) {
    ujs::ComputeEarthwork(run.dims, run.vol);
    run.bars = ujs::ComputeBars(r, run.dims, run.vol.rc);
    run.fin = ujs::ComputeFinishes(r.snap(), run.dims);
    run.ordinary = yoheki::Sub(run.vol.formTotal, run.fin.exposed);
}

} // namespace

// One U-shaped ditch item. Nothing is returned when the length is missing or
// the section is too low; the statement is handed back only once every line of
// it has been built.
std::optional<CalcOutput> CalcUJS(const Snapshot& s, const yoheki::MessageFn& message) {
    Reader r(s, message);
    ujs::Run run;
    run.dims = ujs::ReadDims(r);
    if (run.dims.L == 0) {
        r.Message(kCorrectAndRetry);
        return std::nullopt;
    }
    ujs::ReadExcavation(r, run.dims);
    ujs::ComputeConcrete(run.dims, run.vol);
    run.ret = ujs::ComputeRetaining(s, run.dims);
    if (yoheki::Add(ujs::kHb, 100) > run.dims.E) {
        r.Message(kBackHeight);
        return std::nullopt;
    }
    ComputeQuantities(r, run);
    if (s.D2)
        r.Message(ujs::Summary(run));
    CalcOutput out;
    out.lines = ujs::Statement(r, run);
    out.quantities = ujs::Collect(run, s);
    return out;
}

} // namespace engine
