// The summary as CSV and as aligned text.
#include "Summary.h"

#include "Cp932.h"
#include "Utf8.h"

#include <functional>

namespace summary {

namespace {

// ---------------------------------------------------------------- CSV

// Numbers are written bare: they are ours, never formulas.
QString Row(const QStringList& texts, const QStringList& numbers, const QString& note) {
    QStringList fields;
    for (const QString& t : texts)
        fields << CsvField(t);
    fields << numbers << CsvField(note);
    return fields.join(u',') + QStringLiteral("\r\n");
}

QStringList Values(const std::vector<std::int64_t>& values) {
    QStringList out;
    for (std::size_t c = 0; c < Columns().size(); ++c)
        out << FormatValue(Columns()[c], values[c]);
    return out;
}

std::vector<std::int64_t> ValuesOf(const engine::Quantities& q) {
    std::vector<std::int64_t> out;
    for (const Column& c : Columns())
        out.push_back(q.*c.field);
    return out;
}

QString StoppedNote(const Item& item) {
    const QString note = U("演算できません：") + StopText(item);
    return item.remark.isEmpty() ? note : item.remark + U("　") + note;
}

QString TotalNote(const Table& t) {
    return t.stopped ? U("演算できない拾い%1件を除く").arg(t.stopped) : QString();
}

// ---------------------------------------------------------------- text

struct TextRow {
    QStringList cells; // the lead cells, then one per column, or the note alone
    bool spans = false;
};

QString PadRight(const QString& text, int width) {
    return text + QString(std::max(0, width - DisplayWidth(text)), u' ');
}
QString PadLeft(const QString& text, int width) {
    return QString(std::max(0, width - DisplayWidth(text)), u' ') + text;
}

// The widths of the lead columns and every quantity column, widened to hold
// the row's cells.
void Widen(std::vector<int>& w, const TextRow& r, qsizetype lead) {
    for (qsizetype i = 0; i < r.cells.size() && !(r.spans && i >= lead); ++i)
        w[static_cast<std::size_t>(i)] =
            std::max(w[static_cast<std::size_t>(i)], DisplayWidth(r.cells[i]));
}

// `text` and blanks to `width` display columns, the blanks after it (left
// aligned) or before it, appended in place: ten thousand rows of twenty cells
// make no string of their own for each.
void AppendPadded(QString& line, const QString& text, int width, bool right) {
    const qsizetype blanks = std::max(0, width - DisplayWidth(text));
    if (!right)
        line += text;
    line.resize(line.size() + blanks, u' ');
    if (right)
        line += text;
}

QString Line(const TextRow& r, const std::vector<int>& w, qsizetype lead) {
    QString line;
    line.reserve(256);
    AppendPadded(line, r.cells.value(0), w[0], false);
    for (qsizetype i = 1; i < lead; ++i) {
        line += QLatin1StringView("  ");
        AppendPadded(line, r.cells.value(i), w[static_cast<std::size_t>(i)], false);
    }
    if (r.spans)
        return line + QLatin1StringView("  ") + r.cells.value(lead);
    for (qsizetype i = lead; i < r.cells.size(); ++i) {
        line += QLatin1StringView("  ");
        AppendPadded(line, r.cells[i], w[static_cast<std::size_t>(i)], true);
    }
    return line;
}

QStringList TotalLead(const Table& t) {
    QStringList lead{U("合計")};
    while (lead.size() < LeadHeaders(t).size())
        lead << QString();
    return lead;
}

// The rows of the table in order, one at a time (the headers, the items and
// subtotals, the total): ten thousand rows of cells are never held at once.
void EachRow(const Table& t, const std::function<void(const TextRow&)>& visit) {
    QStringList names = LeadHeaders(t), units;
    while (units.size() < names.size())
        units << QString();
    for (const Column& c : Columns()) {
        names << U(c.name);
        units << u'(' + U(c.unit) + u')';
    }
    visit({names});
    visit({units});
    for (const RowRef& ref : RowOrder(t)) {
        if (ref.subtotal) {
            const Group& g = t.groups[ref.index];
            visit({SubtotalCells(t, g) + Values(g.totals)});
            continue;
        }
        const Item& item = t.items[ref.index];
        const QStringList head = LeadCells(t, item);
        if (item.quantities)
            visit({head + Values(ValuesOf(*item.quantities))});
        else
            visit({head + QStringList{StoppedNote(item)}, true});
    }
    visit({TotalLead(t) + Values(t.totals)});
}

QString FinishText(const Table& t) {
    std::vector<TextRow> rows{{{U("仕上名称"), U("単位"), U("数量"), U("区分")}}};
    for (const FinishTotal& f : t.finishes) {
        rows.push_back({{f.name, f.unit, FormatHundredths(f.value), f.kinds.join(u'・')}});
    }
    int w[3] = {0, 0, 0};
    for (const TextRow& r : rows)
        for (int i = 0; i < 3; ++i)
            w[i] = std::max(w[i], DisplayWidth(r.cells[i]));
    QString out;
    for (const TextRow& r : rows)
        out += PadRight(r.cells[0], w[0]) + QStringLiteral("  ") + PadRight(r.cells[1], w[1]) +
               QStringLiteral("  ") + PadLeft(r.cells[2], w[2]) + QStringLiteral("  ") +
               r.cells[3] + u'\n';
    return out;
}

} // namespace

// A spreadsheet takes a cell that begins with one of these as a formula; an
// item name such as "=1+1" must stay a name.
static bool LooksLikeFormula(const QString& text) {
    return !text.isEmpty() && QStringLiteral("=+-@\t\r").contains(text.front());
}

QString CsvField(const QString& text) {
    if (LooksLikeFormula(text))
        return CsvField(u'\'' + text);
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString CsvText(const Table& t) {
    QStringList header = LeadHeaders(t);
    for (const Column& c : Columns())
        header << HeaderText(c);
    QString out = Row(header, {}, U("備考"));
    for (const RowRef& ref : RowOrder(t)) {
        if (ref.subtotal) {
            const Group& g = t.groups[ref.index];
            out += Row(SubtotalCells(t, g), Values(g.totals), QString());
            continue;
        }
        const Item& item = t.items[ref.index];
        const QStringList head = LeadCells(t, item);
        if (item.quantities)
            out += Row(head, Values(ValuesOf(*item.quantities)), NoteText(item));
        else
            out += Row(head, QStringList(Columns().size(), QString()), StoppedNote(item));
    }
    out += Row(TotalLead(t), Values(t.totals), TotalNote(t));
    // The finish totals follow after an empty row, as the window shows them
    // under the table.
    if (t.finishes.empty())
        return out;
    out += QStringLiteral("\r\n") + CsvField(U("仕上集計")) + QStringLiteral("\r\n");
    out += QStringList{U("仕上名称"), U("数量"), U("単位"), U("区分")}.join(u',') +
           QStringLiteral("\r\n");
    for (const FinishTotal& f : t.finishes)
        out += QStringList{CsvField(f.name), FormatHundredths(f.value), CsvField(f.unit),
                           CsvField(f.kinds.join(U("・")))}
                   .join(u',') +
               QStringLiteral("\r\n");
    return out;
}

QByteArray CsvBytes(const Table& table, bool utf8) {
    const std::string text = CsvText(table).toStdString();
    if (utf8)
        return QByteArray("\xEF\xBB\xBF") + QByteArray::fromStdString(text);
    return QByteArray::fromStdString(yoheki::cp932::Encode(text));
}

QString AlignedText(const Table& t) {
    const qsizetype lead = LeadHeaders(t).size();
    // Two passes: the widths, then the lines at those widths.
    std::vector<int> w(static_cast<std::size_t>(lead) + Columns().size(), 0);
    std::size_t rows = 0;
    EachRow(t, [&](const TextRow& r) {
        Widen(w, r, lead);
        ++rows;
    });
    int total = 0;
    for (int v : w)
        total += v + 2;
    const QString rule(total - 2, u'-');
    QString out;
    std::size_t i = 0;
    EachRow(t, [&](const TextRow& r) {
        if (i == 2 || i + 1 == rows)
            out += rule + u'\n';
        out += Line(r, w, lead) + u'\n';
        ++i;
    });
    if (t.stopped)
        out += TotalNote(t) + u'\n';
    if (!t.finishes.empty())
        out += u'\n' + FinishText(t);
    return out;
}

} // namespace summary
