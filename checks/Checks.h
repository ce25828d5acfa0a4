#pragma once
// Quantity checks (検算): what an item's run produced, looked at the way a
// checker looks at a statement. Impossible quantities are errors, suspect
// inputs cautions. The checks only read: the statement, the text output and
// the files stay exactly as the run left them.
#include "Calc.h"
#include "Snapshot.h"

#include <string>
#include <vector>

namespace checks {

enum class Level { Error, Caution }; // エラー: impossible, 注意: suspect

// Which check a finding comes from, for counting and for tests.
enum class Check {
    Negative,     // a quantity below zero
    Formula,      // a statement line whose printed formula does not give its quantity
    BarRate,      // bars from pitches outside 20 .. 250 kg per m³ of concrete
    Pipes,        // drain pipes ticked, none counted
    UpstandThick, // upstand thicker than its base
    BaseThick,    // base thicker than the wall height
    Rounded,      // a dimension rounded to 10 mm
    ZeroField,    // a field left empty (or unreadable) that counted as 0
    Shape,        // a section that cannot be built: walls filling a ditch, a wall without a base
    TooLow,       // the run stopped: the wall or ditch is too low for its back height
    FinishName,   // a finish with no name
    Unpriced,     // a quantity of the priced estimate without a unit price
};

struct Finding {
    Level level = Level::Caution;
    Check check = Check::Negative;
    std::string quantity; // the quantity or input concerned: "根切量", "ﾍﾞｰｽ厚"
    std::string text;     // what is wrong and what to look at, one line
};

// Every finding for one calculated item, errors first, each group in the
// order of the statement and the screen.
std::vector<Finding> CheckItem(const engine::Snapshot& snapshot, const engine::CalcOutput& out);

// Why a run that stopped on the back height stopped: the typed values that
// make the section too low. Empty when the section is high enough.
std::vector<Finding> CheckStopped(const engine::Snapshot& snapshot);

// The fields a run reads whose text is no whole number (each gives the
// millimetre message once and counts as 0), in screen order.
std::vector<int> UnreadableFields(const engine::Snapshot& snapshot);

// The formula check alone, over the lines of a statement (heading included).
std::vector<Finding> CheckFormulas(const std::vector<std::string>& lines);

// "エラー" or "注意".
std::string LevelName(Level level);
// A check's short name for tallies: "負の数量", "式と数量の不一致", ...
std::string CheckName(Check check);
// One finding as a line of text: "［エラー］根切量：…".
std::string FindingLine(const Finding& finding);
// Level, quantity and text separated by tabs; tabs and line breaks inside the
// texts become blanks, so one finding always stays one line.
std::string FindingFields(const Finding& finding);
// True when any finding is an error.
bool HasError(const std::vector<Finding>& findings);

} // namespace checks
