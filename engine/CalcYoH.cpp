#include "Calc.h"

namespace engine {

std::optional<CalcOutput> CalcYoH(const Snapshot&, const yoheki::MessageFn&) { return std::nullopt; }

} // namespace engine
