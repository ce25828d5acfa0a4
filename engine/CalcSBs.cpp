#include "Calc.h"
#include "Checked.h"
#include "SBsCalc.h"

namespace engine {

// One base foundation. Nothing is returned when the plan length is missing;
// the statement is handed back only once every line of it has been built.
std::optional<CalcOutput> CalcSBs(const Snapshot& s, const yoheki::MessageFn& message) {
    Reader r(s, message);
    sbs::Run run;
    run.dims = sbs::ReadDims(r);
    if (run.dims.A == 0) {
        r.Message(kCorrectAndRetry);
        return std::nullopt;
    }
    sbs::ReadExcavation(r, run.dims);
    run.vol = sbs::ComputeVolumes(run.dims);
    run.bars = sbs::ComputeBars(r, run.dims, run.vol.rcBase);
    run.fin = sbs::ComputeFinishes(s, run.dims);
    run.ordinary = yoheki::Sub(run.vol.formTotal, run.fin.fairFaced);
    if (s.D2)
        r.Message(sbs::Summary(run));
    CalcOutput out;
    out.lines = sbs::Statement(r, run);
    out.quantities = sbs::Collect(run, s);
    return out;
}

} // namespace engine
