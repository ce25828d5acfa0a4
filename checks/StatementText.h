#pragma once
// Reading a statement's own text: the quantity lines by their label, with
// the figure each one shows (hundredths), in statement order. Labels lose
// their aligning blanks and colons ("根  切   量" -> "根切量", "ＲＣ:ﾍﾞ ｰ ｽ" ->
// "ＲＣﾍﾞｰｽ"); a sub-formula such as "(型枠全数量):=" counts as a line of
// its own.
#include "Checks.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace checks {

std::vector<std::pair<std::string, std::int64_t>>
StatementQuantities(const std::vector<std::string>& lines);

// The figures and the formula check from one reading of the lines.
struct StatementReading {
    std::vector<std::pair<std::string, std::int64_t>> quantities;
    std::vector<Finding> mismatches; // as CheckFormulas gives them
};
StatementReading ReadStatement(const std::vector<std::string>& lines);

} // namespace checks
