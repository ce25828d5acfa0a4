#pragma once
// Golden-file support for the engine tests: a snapshot written as a small
// UTF-8 text file, and comparison of a statement (or the messages of a run)
// with an expected file under the test data folder.
//
// Snapshot file lines, '#' starts a comment line, blank lines are skipped:
//   REdit1=10000          REdit1..REdit18, ComboBox1..ComboBox4 (text as typed)
//   ComboBox2=打放補修     YH_H YH_U YH_T CB_H CB_U CB_T caption (text)
//   CheckBox1=1           CheckBox1/2/3/5/6 (0 or 1)
//   RG_BL=1               RG_BL RG_HL RG_TL RG_YL (-1 .. 2)
//   marks=S1 N5051 N5 N8 K3   the checked menu marks; any mark may also be
//   A1=1                      given alone as 0 or 1
// A value runs from after the first '=' to the end of the line, blanks kept.
#include "CLF.h"
#include "Snapshot.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace enginetest {

// Collects the texts a calculation sends to its message sink, in order.
struct Recorder {
    std::vector<std::string> texts;
    yoheki::MessageFn fn() {
        return [this](const std::string& t) { texts.push_back(t); };
    }
};

// Path of a file in the engine's test data folder.
std::string DataPath(const std::string& name);

// Lines of a UTF-8 text file, without line ends (LF or CR LF). Throws
// std::runtime_error when the file cannot be read.
std::vector<std::string> ReadLines(const std::string& path);

// Throws std::runtime_error naming the line for an unknown key or bad value.
engine::Snapshot ParseSnapshot(std::string_view text);
engine::Snapshot LoadSnapshot(const std::string& path);

// The menu mark of that name ("S1", "N5051", ...), or nullptr.
bool* MarkByName(engine::Snapshot& s, std::string_view name);

// Compares exactly with <data>/engine/<name>.expected.txt; on a difference
// names the first differing line and shows both texts.
::testing::AssertionResult MatchesExpected(const std::vector<std::string>& lines,
                                           const std::string& name);

// Compares the messages of a run with <data>/engine/<name>.messages.txt: one
// message a line, its line breaks written as the escapes \n and \r.
::testing::AssertionResult MatchesMessages(const std::vector<std::string>& messages,
                                           const std::string& name);

// Compares two line lists; `what` names the expected side in the failure text.
::testing::AssertionResult SameLines(const std::vector<std::string>& actual,
                                     const std::vector<std::string>& expected,
                                     const std::string& what);

} // namespace enginetest
