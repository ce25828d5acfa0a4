#pragma once
// Two revisions of a project side by side, as a design change is settled
// with the client: every item's earlier quantities (当初), current ones (変更)
// and the difference (増減), totals, and the inputs that moved. Items are
// matched by their exact name; a renamed item counts as removed under its old
// name and added under the new one. Nothing is written to either file.
#include "ItemRecord.h"
#include "Summary.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace compare {

// One item of a revision: what its section holds and what it calculated.
struct Entry {
    takeoff::ItemRecord record;
    summary::Item item;
};

struct Revision {
    QString path;
    std::vector<Entry> entries; // in list order
    QStringList notes;          // what opening the file said
    bool opened = false;        // false: the file could not be read
    QString notAProject;        // why the file read is no project (empty, no item), if so
};

// An item as the screen holds it, with what was typed and not yet saved.
struct ScreenEdit {
    QString name;
    takeoff::ItemRecord record;
};

// Every item of the project at `path`, calculated; the item named in
// `screen` from the screen instead of from the file. With `each`, the items
// are handed to it one by one as they are calculated instead of kept.
using EntryFn = std::function<void(Entry&&)>;
Revision ReadRevision(const QString& path, const std::optional<ScreenEdit>& screen = std::nullopt,
                      const EntryFn& each = {});

enum class Status { Matched, Added, Removed }; // Added 新規, Removed 削除

struct Row {
    QString name;
    Status status = Status::Matched;
    // Nothing where the item is not in that revision.
    std::optional<engine::StructureMode> earlierMode, currentMode;
    // Per quantity column of summary::Columns(); 0 where the item is absent.
    std::vector<std::int64_t> earlier, current;
    // Why the item cannot be compared: it stopped in a revision ("当初：..."
    // or "変更：..."); empty when both calculated. Counted in no total.
    QString stopped;
    bool stoppedOnce = false;    // calculated in one revision, stopped in the other
    bool finishesDiffer = false; // the finish quantities moved (not in the columns)
    QStringList changes;         // "仕上げ高[裏] 1200 → 1500", in screen order

    std::int64_t Difference(std::size_t column) const;
    bool Stopped() const { return !stopped.isEmpty(); }
    // Something for the checker to look at: a new or removed item, a
    // difference in any column, a stop in one revision only, or changed
    // inputs of an item that stopped in both.
    bool Differs() const;
};

struct Totals {
    std::vector<std::int64_t> earlier, current; // per column
    int items = 0;
    std::int64_t Difference(std::size_t column) const;
};

struct Comparison {
    QString earlierPath, currentPath;
    // The current revision's items in list order, then the removed ones in
    // the earlier revision's order.
    std::vector<Row> rows;
    Totals matched, added, removed, all; // over the items that calculated
    int stopped = 0;
    // True when no row differs: exit status 0 of the command line.
    bool Same() const;
};

// The rows of a comparison as the current revision's items come, so that
// revision need not be held whole; Finish, given that revision's path, adds
// the removed items and the totals, and throws yoheki::Error when a total
// overflows.
class Matcher {
  public:
    explicit Matcher(const Revision& earlier);
    void Match(const Entry& current);
    Comparison Finish(const QString& currentPath);

  private:
    const Revision& earlier_;
    QHash<QString, const Entry*> before_;
    QSet<QString> seen_;
    Comparison cmp_;
};

// Throws yoheki::Error when a total overflows.
Comparison Compare(const Revision& earlier, const Revision& current);

// The inputs of an item that differ between two records, each as
// "label before → after" with the labels the main window shows.
QStringList ChangedInputs(const takeoff::ItemRecord& before, const takeoff::ItemRecord& after);

// "新規", "削除", or nothing for a matched item.
QString StatusMark(Status status);

// Header rows and one row per item with 当初, 変更 and 増減 for every
// quantity column, then the totals; RFC 4180 quoting, CR LF.
QString CsvText(const Comparison& comparison);
QByteArray CsvBytes(const Comparison& comparison, bool utf8);

// Aligned text for a terminal: the rows that differ and the columns where
// something differs (every row and column with `all`), the totals, then the
// changed inputs item by item. Lines end with "\n".
QString AlignedText(const Comparison& comparison, bool all);

} // namespace compare
