#include "Runs.h"

#include "Cp932.h"
#include "Error.h"
#include "IniFile.h"
#include "SectionReader.h"

#include <algorithm>

namespace takeoff {

namespace {

// Lines 12 to 19 of a statement are the labels of the printed drawing.
constexpr std::size_t kHeadLines = 12;
constexpr std::size_t kDrawingLabels = 8;

} // namespace

std::optional<engine::CalcOutput> RunItem(const engine::Snapshot& snapshot,
                                          const yoheki::MessageFn& message) {
    try {
        return engine::Calculate(snapshot, message);
    } catch (const yoheki::Error& e) {
        message(e.what());
        return std::nullopt;
    }
}

void ForEachRun(const yoheki::IniFile& project, const RunContext& context,
                const RunVisitor& visit) {
    const std::vector<std::string> names = project.ReadSections();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (context.leaveOut && context.leaveOut(names[i]))
            continue;
        const ItemRecord record = ReadItem(project, names[i]);
        const engine::Snapshot snapshot =
            ToSnapshot(record, names[i], context.caption, context.flags);
        const std::optional<engine::CalcOutput> output = RunItem(snapshot, context.message);
        visit(ItemRun{i, names[i], record, snapshot, output});
    }
}

void ForEachRun(SectionReader& project, const RunContext& context, const RunVisitor& visit,
                const UnreadableFn& unreadable) {
    std::size_t index = 0;
    project.ForEach([&](const std::string& name, const SectionView& view, std::size_t badLine) {
        if (badLine != 0) {
            unreadable(name, badLine);
            return;
        }
        const ItemRecord record = ReadItem(view, name);
        const engine::Snapshot snapshot = ToSnapshot(record, name, context.caption, context.flags);
        const std::optional<engine::CalcOutput> output = RunItem(snapshot, context.message);
        visit(ItemRun{index++, name, record, snapshot, output});
    });
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
        out.push_back(statement[k < kHeadLines ? k : k + kDrawingLabels]);
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
    std::string bytes;
    ForEachRun(project, context, [&](const ItemRun& run) {
        if (run.output)
            for (const std::string& line : run.output->lines)
                AppendEncoded(bytes, line, utf8);
    });
    AppendEncoded(bytes, ClosingLine(), utf8);
    return bytes;
}

} // namespace takeoff

namespace takeoff {

std::size_t WriteContinuous(SectionReader& project, const RunContext& context, bool utf8,
                            const ByteSink& sink, const UnreadableFn& unreadable) {
    std::size_t calculated = 0;
    std::string bytes;
    ForEachRun(
        project, context,
        [&](const ItemRun& run) {
            if (!run.output)
                return;
            ++calculated;
            bytes.clear();
            for (const std::string& line : run.output->lines)
                AppendEncoded(bytes, line, utf8);
            sink(bytes);
        },
        unreadable);
    bytes.clear();
    AppendEncoded(bytes, ClosingLine(), utf8);
    sink(bytes);
    return calculated;
}

} // namespace takeoff
