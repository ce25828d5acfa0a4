#include "Calc.h"

namespace engine {

std::optional<CalcOutput> Calculate(const Snapshot& s, const yoheki::MessageFn& message) {
    if (s.B1) return CalcSBs(s, message);
    if (s.U2) return CalcUJS(s, message);
    return CalcYoH(s, message);
}

} // namespace engine
