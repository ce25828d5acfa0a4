#include "Calc.h"

namespace engine {

std::optional<CalcOutput> CalcUJS(const Snapshot&, const yoheki::MessageFn&) { return std::nullopt; }

} // namespace engine
