#include "Compare.h"

#include "ProjectCheck.h"

#include "Checked.h"
#include "Error.h"
#include "Runs.h"
#include "SectionReader.h"
#include "PathBytes.h"
#include "Utf8.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <utility>

namespace compare {

namespace {

// The quantities of all the item's pieces.
summary::Item ItemOf(const QString& name, const takeoff::ItemRecord& record,
                     const std::optional<engine::CalcOutput>& out, QStringList& said) {
    summary::Item item{name, out ? out->quantities.mode : takeoff::Mode(record), std::nullopt,
                       std::exchange(said, {}), {}};
    if (out)
        item.quantities = out->quantities;
    summary::ApplyExtras(item, record.count, QString::fromStdString(record.group),
                         QString::fromStdString(record.remark));
    return item;
}

std::vector<std::int64_t> ValuesOf(const std::optional<engine::Quantities>& q) {
    std::vector<std::int64_t> out(summary::Columns().size(), 0);
    if (q)
        for (std::size_t c = 0; c < out.size(); ++c)
            out[c] = (*q).*summary::Columns()[c].field;
    return out;
}

bool SameFinishes(const engine::Quantities& a, const engine::Quantities& b) {
    if (a.finishes.size() != b.finishes.size())
        return false;
    for (std::size_t i = 0; i < a.finishes.size(); ++i) {
        const auto &x = a.finishes[i], &y = b.finishes[i];
        if (x.kind != y.kind || x.name != y.name || x.unit != y.unit || x.value != y.value)
            return false;
    }
    return true;
}

void Add(Totals& t, const Row& row) {
    ++t.items;
    for (std::size_t c = 0; c < t.earlier.size(); ++c) {
        t.earlier[c] = yoheki::Add(t.earlier[c], row.earlier[c]);
        t.current[c] = yoheki::Add(t.current[c], row.current[c]);
    }
}

Totals Empty() {
    const std::size_t n = summary::Columns().size();
    return {std::vector<std::int64_t>(n, 0), std::vector<std::int64_t>(n, 0), 0};
}

// A row for an item in either or both revisions.
Row MakeRow(const Entry* before, const Entry* after) {
    Row row;
    const Entry& any = after ? *after : *before;
    row.name = any.item.name;
    row.status = !before ? Status::Added : !after ? Status::Removed : Status::Matched;
    QStringList why;
    if (before) {
        row.earlierMode = before->item.mode;
        row.earlier = ValuesOf(before->item.quantities);
        if (!before->item.quantities)
            why << U("当初：") + summary::StopText(before->item);
    } else {
        row.earlier = ValuesOf(std::nullopt);
    }
    if (after) {
        row.currentMode = after->item.mode;
        row.current = ValuesOf(after->item.quantities);
        if (!after->item.quantities)
            why << U("変更：") + summary::StopText(after->item);
    } else {
        row.current = ValuesOf(std::nullopt);
    }
    row.stopped = why.join(U("　／　"));
    if (before && after) {
        row.stoppedOnce = before->item.quantities.has_value() != after->item.quantities.has_value();
        if (row.earlierMode != row.currentMode)
            row.changes << U("構造 ") + summary::ModeName(*row.earlierMode) + U(" → ") +
                               summary::ModeName(*row.currentMode);
        row.changes << ChangedInputs(before->record, after->record);
        row.finishesDiffer = before->item.quantities && after->item.quantities &&
                             !SameFinishes(*before->item.quantities, *after->item.quantities);
    }
    return row;
}

} // namespace

Revision ReadRevision(const QString& path, const std::optional<ScreenEdit>& screen,
                      const EntryFn& each) {
    Revision rev;
    rev.path = path;
    if (!QFileInfo(path).isFile()) {
        rev.notes << U("物件ファイル【") + path + U("】が見つかりません");
        return rev;
    }
    const std::string where = yoheki::PathBytes(path);
    std::string bytes;
    try {
        bytes = takeoff::ReadFileBytes(where);
    } catch (const yoheki::Error& e) {
        rev.notes << QString::fromUtf8(e.what());
        return rev;
    }
    rev.opened = true;
    QStringList said;
    const yoheki::MessageFn collect = [&said](const std::string& text) {
        said << QString::fromStdString(text);
    };
    // As the continuous output runs them: no summary box between items.
    const takeoff::RunContext context{takeoff::Caption(path.toStdString()), {false, true}, collect, {}};
    // One section at a time: two revisions of ten thousand items are compared
    // in little more memory than their files and the rows.
    takeoff::SectionReader reader(bytes);
    if (!each)
        rev.entries.reserve(reader.Headers());
    const auto keep = [&](Entry entry) {
        if (each)
            each(std::move(entry));
        else
            rev.entries.push_back(std::move(entry));
    };
    const takeoff::FileNotes notes = takeoff::ForEachRun(
        reader, where, context,
        [&](const takeoff::ItemRun& r) {
            const QString name = QString::fromStdString(r.name);
            if (screen && name == screen->name) {
                said.clear();
                const engine::Snapshot s =
                    takeoff::ToSnapshot(screen->record, r.name, context.caption, context.flags);
                const auto out = takeoff::RunItem(s, collect);
                keep({screen->record, ItemOf(name, screen->record, out, said)});
                return;
            }
            keep({r.record, ItemOf(name, r.record, r.output, said)});
        });
    if (notes.notAProject) {
        rev.notAProject = QString::fromStdString(*notes.notAProject);
        return rev;
    }
    for (const std::string& note : notes.notes)
        rev.notes << QString::fromStdString(note);
    return rev;
}

std::int64_t Row::Difference(std::size_t column) const {
    return yoheki::Sub(current[column], earlier[column]);
}

bool Row::Differs() const {
    if (status != Status::Matched || stoppedOnce || finishesDiffer)
        return true;
    if (Stopped())
        return !changes.isEmpty();
    return earlier != current;
}

std::int64_t Totals::Difference(std::size_t column) const {
    return yoheki::Sub(current[column], earlier[column]);
}

bool Comparison::Same() const {
    for (const Row& row : rows)
        if (row.Differs())
            return false;
    return true;
}

Matcher::Matcher(const Revision& earlier)
    : earlier_(earlier), cmp_{earlier.path, {}, {}, Empty(), Empty(), Empty(), Empty(), 0} {
    for (const Entry& e : earlier.entries)
        before_.insert(e.item.name, &e);
}

void Matcher::Match(const Entry& current) {
    seen_.insert(current.item.name);
    cmp_.rows.push_back(MakeRow(before_.value(current.item.name), &current));
}

Comparison Matcher::Finish(const QString& currentPath) {
    Comparison cmp = std::move(cmp_);
    cmp.currentPath = currentPath;
    for (const Entry& e : earlier_.entries)
        if (!seen_.contains(e.item.name))
            cmp.rows.push_back(MakeRow(&e, nullptr));
    for (const Row& row : cmp.rows) {
        if (row.Stopped()) {
            ++cmp.stopped;
            continue;
        }
        Add(row.status == Status::Added     ? cmp.added
            : row.status == Status::Removed ? cmp.removed
                                            : cmp.matched,
            row);
        Add(cmp.all, row);
    }
    return cmp;
}

Comparison Compare(const Revision& earlier, const Revision& current) {
    Matcher matcher(earlier);
    for (const Entry& e : current.entries)
        matcher.Match(e);
    return matcher.Finish(current.path);
}

QString StatusMark(Status status) {
    switch (status) {
    case Status::Added:
        return U("新規");
    case Status::Removed:
        return U("削除");
    case Status::Matched:
        break;
    }
    return QString();
}

} // namespace compare
