#include "Calc.h"

namespace engine {

std::optional<CalcOutput> CalcSBs(const Snapshot&, const yoheki::MessageFn&) { return std::nullopt; }

} // namespace engine
