#include "Runs.h"

#include "Cp932.h"
#include "Error.h"
#include "IniFile.h"
#include "SectionReader.h"

#include <algorithm>

namespace takeoff {

namespace {

using engine::statement::kDrawingLabels;
using engine::statement::kHeadingLines;

} // namespace

std::optional<engine::CalcOutput> RunItem(const engine::Snapshot& snapshot,
                                          const yoheki::MessageFn& message,
                                          Calculation calculation) {
    try {
        return calculation(snapshot, message);
    } catch (const yoheki::Error& e) {
        message(e.what());
        return std::nullopt;
    }
}

namespace {

// One item of a loop over a project: read from its section, calculated as the
// continuous output calculates it, handed to `visit`.
template <class Section>
bool RunOne(std::size_t index, const std::string& name, const Section& section,
            const RunContext& context, const RunUntil& visit) {
    const ItemRecord record = ReadItem(section, name);
    const engine::Snapshot snapshot = ToSnapshot(record, name, context.caption, context.flags);
    const std::optional<engine::CalcOutput> output = RunItem(snapshot, context.message);
    return visit(ItemRun{index, name, record, snapshot, output});
}

RunUntil Always(const RunVisitor& visit) {
    return [&visit](const ItemRun& run) {
        visit(run);
        return true;
    };
}

// The continuous output over any loop: each calculated item's statement as
// one piece, then the closing line.
template <class Loop>
std::size_t Continuous(const Loop& loop, bool utf8, const ByteSink& sink) {
    std::size_t calculated = 0;
    std::string bytes;
    loop([&](const ItemRun& run) {
        if (!run.output)
            return;
        ++calculated;
        bytes.clear();
        for (const std::string& line : run.output->lines)
            AppendEncoded(bytes, line, utf8);
        sink(bytes);
    });
    bytes.clear();
    AppendEncoded(bytes, ClosingLine(), utf8);
    sink(bytes);
    return calculated;
}

} // namespace

bool ForEachRunUntil(const yoheki::IniFile& project, const RunContext& context,
                     const RunUntil& visit) {
    const std::vector<std::string> names = project.ReadSections();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (context.leaveOut && context.leaveOut(names[i]))
            continue;
        if (!RunOne(i, names[i], project, context, visit))
            return false;
    }
    return true;
}

void ForEachRun(const yoheki::IniFile& project, const RunContext& context,
                const RunVisitor& visit) {
    ForEachRunUntil(project, context, Always(visit));
}

void ForEachRun(SectionReader& project, const RunContext& context, const RunVisitor& visit,
                const UnreadableFn& unreadable) {
    std::size_t index = 0;
    project.ForEach([&](const std::string& name, const SectionView& view, std::size_t badLine) {
        if (badLine != 0) {
            unreadable(name, badLine);
            return;
        }
        RunOne(index++, name, view, context, Always(visit));
    });
}

FileNotes ForEachRun(SectionReader& project, const std::string& path, const RunContext& context,
                     const RunVisitor& visit) {
    std::vector<std::string> leftOut;
    ForEachRun(project, context, visit, [&](const std::string& name, std::size_t line) {
        leftOut.push_back(LeftOutMessage(project, path, name, line));
    });
    FileNotes said{NoProjectMessage(project, path), {}};
    if (said.notAProject)
        return said;
    said.notes = StrayLineMessages(project, path);
    said.notes.insert(said.notes.end(), leftOut.begin(), leftOut.end());
    return said;
}

std::optional<NamedRun> RunNamed(const yoheki::IniFile& project, const std::string& name,
                                 const RunContext& context) {
    const std::vector<std::string> names = project.ReadSections();
    if (std::find(names.begin(), names.end(), name) == names.end())
        return std::nullopt;
    NamedRun run{ReadItem(project, name), std::nullopt};
    run.output =
        RunItem(ToSnapshot(run.record, name, context.caption, context.flags), context.message);
    return run;
}

std::vector<std::string> SingleOutputLines(const std::vector<std::string>& statement) {
    std::vector<std::string> out;
    for (std::size_t k = 0; k + kDrawingLabels < statement.size(); ++k)
        out.push_back(statement[k < kHeadingLines ? k : k + kDrawingLabels]);
    return out;
}

const std::string& ClosingLine() {
    static const std::string line = "\n\r";
    return line;
}

void AppendEncoded(std::string& bytes, const std::string& line, bool utf8) {
    bytes += utf8 ? line : yoheki::cp932::Encode(line);
    bytes += "\r\n";
}

std::string EncodeLines(const std::vector<std::string>& lines, bool utf8) {
    std::string bytes;
    for (const std::string& line : lines)
        AppendEncoded(bytes, line, utf8);
    return bytes;
}

std::string ContinuousOutput(const yoheki::IniFile& project, const RunContext& context,
                             bool utf8) {
    std::string all;
    Continuous([&](const RunVisitor& visit) { ForEachRun(project, context, visit); }, utf8,
               [&all](const std::string& bytes) { all += bytes; });
    return all;
}

std::size_t WriteContinuous(SectionReader& project, const RunContext& context, bool utf8,
                            const ByteSink& sink, const UnreadableFn& unreadable) {
    return Continuous(
        [&](const RunVisitor& visit) { ForEachRun(project, context, visit, unreadable); }, utf8,
        sink);
}

} // namespace takeoff
