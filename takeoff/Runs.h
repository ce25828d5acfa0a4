#pragma once
// Runs over a project without a window: one item, or every item in list
// order as the continuous text output calculates them, and the lines and
// bytes a text output writes.
#include "Calc.h"
#include "ItemRecord.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace yoheki {
class IniFile;
}

namespace takeoff {

// What a run needs beside the item: the window's caption, its menu flags and
// where the message boxes of the run go, in the order the user sees them.
struct RunContext {
    std::string caption;
    RunFlags flags;
    yoheki::MessageFn message;
    // Items not to run (those whose bytes are not CP932 text, reported when
    // the project was opened); none when empty.
    std::function<bool(const std::string& name)> leaveOut;
};

// One calculation, as "演算実行(&D)" runs it: the structure the snapshot's
// check marks choose, or the calculation given. A framework error (a failed
// conversion, an overflow) is reported through `message` and stops this run
// alone. Every run of the program goes through here.
using Calculation = std::optional<engine::CalcOutput> (*)(const engine::Snapshot&,
                                                          const yoheki::MessageFn&);
std::optional<engine::CalcOutput> RunItem(const engine::Snapshot& snapshot,
                                          const yoheki::MessageFn& message,
                                          Calculation calculation = engine::Calculate);

struct ItemRun {
    std::size_t index = 0;
    const std::string& name;
    const ItemRecord& record;
    const engine::Snapshot& snapshot;
    const std::optional<engine::CalcOutput>& output; // nothing: the run stopped
};
using RunVisitor = std::function<void(const ItemRun&)>;
// A visitor that may end the loop: false stops it after this item.
using RunUntil = std::function<bool(const ItemRun&)>;

// Every item of the project in file order, each read from its section and
// calculated; nothing is written. The Until form says whether every item
// was visited.
void ForEachRun(const yoheki::IniFile& project, const RunContext& context,
                const RunVisitor& visit);
bool ForEachRunUntil(const yoheki::IniFile& project, const RunContext& context,
                     const RunUntil& visit);

class SectionReader;
// The same over a project read one section at a time. An item whose bytes
// are not CP932 text is not run: `unreadable` gets its name and the line.
using UnreadableFn = std::function<void(const std::string& name, std::size_t line)>;
void ForEachRun(SectionReader& project, const RunContext& context, const RunVisitor& visit,
                const UnreadableFn& unreadable);
// The same, with what the file at `path` said besides its items: why it is
// no project (empty, or no item), or else the messages for its unreadable
// lines before the first item, then for the items left out.
struct FileNotes {
    std::optional<std::string> notAProject;
    std::vector<std::string> notes;
};
FileNotes ForEachRun(SectionReader& project, const std::string& path, const RunContext& context,
                     const RunVisitor& visit);

// The item named `name` (exactly: letter case counts, as in the item list),
// calculated alone; nothing when the project has no such item.
struct NamedRun {
    ItemRecord record;
    std::optional<engine::CalcOutput> output; // nothing: the run stopped
};
std::optional<NamedRun> RunNamed(const yoheki::IniFile& project, const std::string& name,
                                 const RunContext& context);

// Lines a single-item text output writes from a statement: the heading block
// and the quantity lines, without the eight drawing labels.
std::vector<std::string> SingleOutputLines(const std::vector<std::string>& statement);
// The closing line that ends every text output.
const std::string& ClosingLine();

// One line as the text file holds it: CP932 (throws yoheki::EncodingError
// for a character it cannot hold) or UTF-8, ended with CR LF.
void AppendEncoded(std::string& bytes, const std::string& line, bool utf8);
std::string EncodeLines(const std::vector<std::string>& lines, bool utf8);

// The bytes of the continuous text output: every item's whole statement in
// list order (a stopped item adds nothing), then the closing line. Throws
// yoheki::EncodingError before anything is returned.
std::string ContinuousOutput(const yoheki::IniFile& project, const RunContext& context,
                             bool utf8);
// The same bytes handed to `sink` item by item as they are produced, from a
// project read one section at a time; the number of items calculated.
using ByteSink = std::function<void(const std::string& bytes)>;
std::size_t WriteContinuous(SectionReader& project, const RunContext& context, bool utf8,
                            const ByteSink& sink, const UnreadableFn& unreadable);

} // namespace takeoff
