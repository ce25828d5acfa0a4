// The comparison as CSV and as aligned text.
#include "Compare.h"

#include "Checked.h"
#include "Cp932.h"
#include "Utf8.h"


namespace compare {

namespace {

const QStringList& Sides() {
    static const QStringList sides{U("当初"), U("変更"), U("増減")};
    return sides;
}

// A difference with its sign, as 増減 columns show it: "+1.25", "-0.50".
QString Signed(const summary::Column& column, std::int64_t value) {
    const QString text = summary::FormatValue(column, value);
    return value > 0 ? u'+' + text : text;
}

QString Kind(const Row& row) {
    if (!row.earlierMode || !row.currentMode || row.earlierMode == row.currentMode)
        return summary::ModeName(*(row.currentMode ? row.currentMode : row.earlierMode));
    return summary::ModeName(*row.earlierMode) + U("→") + summary::ModeName(*row.currentMode);
}

QString StopNote(const Row& row) {
    return U("演算できません：") + row.stopped;
}

// The three values of column `c`.
QStringList Triple(std::size_t c, std::int64_t before, std::int64_t after, bool sign) {
    const summary::Column& col = summary::Columns()[c];
    const std::int64_t diff = yoheki::Sub(after, before);
    return {summary::FormatValue(col, before), summary::FormatValue(col, after),
            sign ? Signed(col, diff) : summary::FormatValue(col, diff)};
}

// ---------------------------------------------------------------- CSV

QString CsvRow(const QStringList& head, const QStringList& numbers, const QStringList& tail) {
    QStringList fields;
    for (const QString& t : head)
        fields << summary::CsvField(t);
    fields << numbers; // ours, never formulas
    for (const QString& t : tail)
        fields << summary::CsvField(t);
    return fields.join(u',') + QStringLiteral("\r\n");
}

QStringList CsvNumbers(const std::vector<std::int64_t>& before,
                       const std::vector<std::int64_t>& after) {
    QStringList out;
    for (std::size_t c = 0; c < before.size(); ++c)
        out << Triple(c, before[c], after[c], false);
    return out;
}

QString CsvTotal(const char* label, const Totals& t, const QString& note) {
    return CsvRow({U(label), QString(), QString()}, CsvNumbers(t.earlier, t.current),
                  {note, QString()});
}

// ---------------------------------------------------------------- text

int Width(const QString& text) {
    return summary::DisplayWidth(text);
}
QString PadRight(const QString& text, int width) {
    return text + QString(std::max(0, width - Width(text)), u' ');
}
QString PadLeft(const QString& text, int width) {
    return QString(std::max(0, width - Width(text)), u' ') + text;
}

struct TextRow {
    QStringList head;  // name, kind, mark
    QStringList cells; // three per shown column
    QString note;      // a stopped item's reason instead of the cells
    bool total = false;
};

std::vector<std::size_t> ShownColumns(const Comparison& cmp, bool all) {
    std::vector<std::size_t> shown;
    for (std::size_t c = 0; c < summary::Columns().size(); ++c) {
        bool moved = all;
        for (const Row& r : cmp.rows)
            moved = moved || (!r.Stopped() && r.earlier[c] != r.current[c]);
        if (moved)
            shown.push_back(c);
    }
    return shown;
}

TextRow ItemRow(const Row& r, const std::vector<std::size_t>& shown) {
    TextRow t{{r.name, Kind(r), StatusMark(r.status)}, {}, {}};
    if (r.Stopped())
        t.note = StopNote(r);
    for (std::size_t c : shown)
        if (!r.Stopped())
            t.cells << Triple(c, r.earlier[c], r.current[c], true);
    return t;
}

TextRow TotalRow(const char* label, const Totals& tot, const std::vector<std::size_t>& shown) {
    TextRow t{{U(label), U("%1 件").arg(tot.items), QString()}, {}, {}, true};
    for (std::size_t c : shown)
        t.cells << Triple(c, tot.earlier[c], tot.current[c], true);
    return t;
}

std::vector<TextRow> Rows(const Comparison& cmp, const std::vector<std::size_t>& shown, bool all) {
    TextRow names{{U("拾い名称"), U("構造"), U("区分")}, {}, {}};
    TextRow sides{{QString(), QString(), QString()}, {}, {}};
    for (std::size_t c : shown) {
        names.cells << summary::HeaderText(summary::Columns()[c]) << QString() << QString();
        sides.cells << Sides();
    }
    std::vector<TextRow> rows{names, sides};
    for (const Row& r : cmp.rows)
        if (all || r.Differs())
            rows.push_back(ItemRow(r, shown));
    if (cmp.added.items || cmp.removed.items) {
        rows.push_back(TotalRow("既存計", cmp.matched, shown));
        if (cmp.added.items)
            rows.push_back(TotalRow("新規計", cmp.added, shown));
        if (cmp.removed.items)
            rows.push_back(TotalRow("削除計", cmp.removed, shown));
    }
    rows.push_back(TotalRow("合計", cmp.all, shown));
    return rows;
}

// Widths of the three head columns, then of every value cell; a group's
// name may be wider than its three cells and then widens the last.
std::vector<int> Widths(const std::vector<TextRow>& rows, std::size_t cells) {
    std::vector<int> w(3 + cells, 0);
    for (const TextRow& r : rows) {
        for (int i = 0; i < 3; ++i)
            w[static_cast<std::size_t>(i)] =
                std::max(w[static_cast<std::size_t>(i)], Width(r.head[i]));
        if (&r == &rows.front())
            continue;
        for (qsizetype i = 0; i < r.cells.size(); ++i)
            w[3 + static_cast<std::size_t>(i)] =
                std::max(w[3 + static_cast<std::size_t>(i)], Width(r.cells[i]));
    }
    for (std::size_t g = 0; g * 3 < cells; ++g) {
        const int group = w[3 + 3 * g] + w[4 + 3 * g] + w[5 + 3 * g] + 4;
        w[5 + 3 * g] +=
            std::max(0, Width(rows.front().cells[static_cast<qsizetype>(3 * g)]) - group);
    }
    return w;
}

QString TextLine(const TextRow& r, const std::vector<int>& w, bool groupNames) {
    QString line;
    for (int i = 0; i < 3; ++i)
        line += PadRight(r.head[i], w[static_cast<std::size_t>(i)]) + QStringLiteral("  ");
    if (!r.note.isEmpty())
        return line + r.note;
    for (qsizetype i = 0; i < r.cells.size(); i += groupNames ? 3 : 1) {
        const std::size_t k = 3 + static_cast<std::size_t>(i);
        if (groupNames)
            line += PadRight(r.cells[i], w[k] + w[k + 1] + w[k + 2] + 4) + QStringLiteral("  ");
        else
            line += PadLeft(r.cells[i], w[k]) + QStringLiteral("  ");
    }
    if (line.trimmed().isEmpty())
        return QString();
    qsizetype end = line.size();
    while (end > 0 && line[end - 1] == u' ')
        --end;
    line.truncate(end);
    return line;
}

QString StopsText(const Comparison& cmp) {
    return cmp.stopped ? U("演算できない拾い%1件は合計に含みません\n").arg(cmp.stopped) : QString();
}

QString ChangesText(const Comparison& cmp) {
    QString out;
    for (const Row& r : cmp.rows) {
        if (r.changes.isEmpty())
            continue;
        out += U("【") + r.name + U("】\n");
        for (const QString& c : r.changes)
            out += QStringLiteral("  ") + c + u'\n';
    }
    return out.isEmpty() ? out : U("\n変更された入力\n") + out;
}

} // namespace

QString CsvText(const Comparison& cmp) {
    QStringList groups, sides;
    for (const summary::Column& c : summary::Columns()) {
        groups << summary::HeaderText(c) << QString() << QString();
        sides << Sides();
    }
    QString out = CsvRow({U("拾い名称"), U("構造"), U("区分")}, groups, {U("備考"), U("変更内容")});
    out += CsvRow({QString(), QString(), QString()}, sides, {QString(), QString()});
    const QStringList blank(static_cast<qsizetype>(3 * summary::Columns().size()), QString());
    for (const Row& r : cmp.rows) {
        const QStringList head{r.name, Kind(r), StatusMark(r.status)};
        const QString changes = r.changes.join(U("／"));
        if (r.Stopped())
            out += CsvRow(head, blank, {StopNote(r), changes});
        else
            out += CsvRow(head, CsvNumbers(r.earlier, r.current), {QString(), changes});
    }
    const QString note = cmp.stopped ? U("演算できない拾い%1件を除く").arg(cmp.stopped) : QString();
    return out + CsvTotal("既存計", cmp.matched, QString()) +
           CsvTotal("新規計", cmp.added, QString()) + CsvTotal("削除計", cmp.removed, QString()) +
           CsvTotal("合計", cmp.all, note);
}

QByteArray CsvBytes(const Comparison& cmp, bool utf8) {
    const std::string text = CsvText(cmp).toStdString();
    if (utf8)
        return QByteArray("\xEF\xBB\xBF") + QByteArray::fromStdString(text);
    return QByteArray::fromStdString(yoheki::cp932::Encode(text));
}

QString AlignedText(const Comparison& cmp, bool all) {
    if (!all && cmp.Same())
        return U("当初と変更の数量は同じです\n") + StopsText(cmp) + ChangesText(cmp);
    const std::vector<std::size_t> shown = ShownColumns(cmp, all);
    const std::vector<TextRow> rows = Rows(cmp, shown, all);
    const std::vector<int> w = Widths(rows, 3 * shown.size());
    int total = -2;
    for (int v : w)
        total += v + 2;
    const QString rule(total, u'-');
    QString out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i == 2 || (rows[i].total && !rows[i - 1].total))
            out += rule + u'\n';
        out += TextLine(rows[i], w, i == 0) + u'\n';
    }
    out += StopsText(cmp);
    if (cmp.Same())
        out += U("当初と変更の数量は同じです\n");
    return out + ChangesText(cmp);
}

} // namespace compare
