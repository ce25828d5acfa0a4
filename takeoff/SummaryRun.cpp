#include "SummaryRun.h"

#include "Checks.h"
#include "Error.h"
#include "IniFile.h"
#include "Lines.h"
#include "SectionReader.h"
#include "ProjectCheck.h"
#include "Runs.h"
#include "PathBytes.h"

#include <QFile>
#include <utility>

namespace {

summary::Item ItemOf(const QString& name, engine::StructureMode mode, const engine::Snapshot& snapshot,
                     const std::optional<engine::CalcOutput>& out, QStringList& said,
                     bool statement) {
    summary::Item item{name, out ? out->quantities.mode : mode, std::nullopt,
                       std::exchange(said, {}), {}};
    if (out) {
        item.quantities = out->quantities;
        item.findings = checks::CheckItem(snapshot, *out);
        if (!statement)
            return item;
        item.statement = takeoff::QtLines(takeoff::SingleOutputLines(out->lines));
        // Calculated as in the continuous output, whose title line ends with
        // the structure digit; a single item's statement has none.
        const QString digit = u'】' + QString::number(engine::ModeDigit(out->quantities.mode));
        if (!item.statement.isEmpty() && item.statement[0].endsWith(digit))
            item.statement[0].chop(1);
    }
    return item;
}

} // namespace

ProjectRun CalculateProject(const QString& path, const std::optional<ScreenItem>& screen,
                            bool statements) {
    ProjectRun run;
    const std::string file = yoheki::PathBytes(path);
    const std::string where = path.toStdString();
    std::string bytes;
    try {
        bytes = takeoff::ReadFileBytes(file);
    } catch (const yoheki::Error& e) {
        run.notes << QString::fromUtf8(e.what());
        return run;
    }
    // Read one section at a time: a project of a hundred thousand items is
    // summed in little more memory than its file and the table.
    takeoff::SectionReader reader(bytes);
    run.items.reserve(reader.Headers());
    QStringList said;
    const yoheki::MessageFn collect = [&said](const std::string& text) {
        said << QString::fromStdString(text);
    };
    // As the continuous output runs them: no summary box between items.
    const takeoff::RunContext context{takeoff::Caption(where), {false, true}, collect, {}};
    const auto add = [&](summary::Item item) { run.items.push_back(std::move(item)); };
    const takeoff::FileNotes notes = takeoff::ForEachRun(
        reader, where, context,
        [&](const takeoff::ItemRun& r) {
            const QString name = QString::fromStdString(r.name);
            if (screen && name == screen->name) {
                said.clear();
                engine::Snapshot s = screen->snapshot;
                s.Q1 = true;
                s.D2 = false;
                const auto out = takeoff::RunItem(s, collect);
                summary::Item item = ItemOf(name, engine::ModeOf(s), s, out, said, statements);
                summary::ApplyExtras(item, screen->count, screen->group, screen->remark);
                return add(std::move(item));
            }
            summary::Item item =
                ItemOf(name, takeoff::Mode(r.record), r.snapshot, r.output, said, statements);
            summary::ApplyExtras(item, r.record.count, QString::fromStdString(r.record.group),
                                 QString::fromStdString(r.record.remark));
            add(std::move(item));
        });
    if (notes.notAProject) {
        run.notes << QString::fromStdString(*notes.notAProject);
        return run;
    }
    for (const std::string& note : notes.notes)
        run.notes << QString::fromStdString(note);
    return run;
}
