#include "Cp932.h"
#include "Estimate.h"
#include "Utf8.h"

#include <QDir>
#include <tuple>

namespace estimate {

namespace {

std::vector<QStringList> Rows(const Estimate& e, bool grouped) {
    std::vector<QStringList> out;
    for (const TableRow& r : TableRows(e, grouped))
        out.push_back(r.cells);
    return out;
}

QStringList Notes(const Estimate& e) {
    return NoteLines(e);
}

QString BookName(const Estimate& e) {
    return e.book.isEmpty() ? U("（なし）") : QDir::toNativeSeparators(e.book);
}

} // namespace

std::vector<TableRow> TableRows(const Estimate& e, bool grouped) {
    const auto yen = [grouped](std::int64_t v) { return grouped ? YenText(v) : QString::number(v); };
    std::vector<TableRow> rows;
    const auto total = [&](const QString& label, std::int64_t v) {
        rows.push_back({TableRow::Total, {label, {}, {}, {}, {}, {}, yen(v), {}}});
    };
    for (const Group& g : e.groups) {
        rows.push_back({TableRow::Heading, {g.kind, {}, {}, {}, {}, {}, {}, {}}});
        for (const Line& l : g.lines)
            rows.push_back({TableRow::Item,
                            {QString(), l.name, l.grade, QuantityText(l.posted, l.digits), l.unit,
                             l.price ? yen(*l.price) : QString(),
                             l.amount ? yen(*l.amount) : QString(), l.note}});
        rows.push_back({TableRow::Subtotal,
                        {QString(), g.kind + U(" 小計"), {}, {}, {}, {}, yen(g.subtotal), {}}});
    }
    total(U("直接工事費"), e.direct);
    for (const auto& [rate, label, sum] :
         {std::tuple{&e.overhead, U("工事価格"), e.price}, std::tuple{&e.tax, U("工事費計"), e.total}})
        if (*rate) {
            const RateLine& r = **rate;
            rows.push_back({TableRow::Item, {r.rate.name, {}, {}, {}, {}, RateText(r.rate),
                                             yen(r.amount), r.rate.note}});
            total(label, sum);
        }
    return rows;
}

QStringList NoteLines(const Estimate& e) {
    QStringList out;
    for (const checks::Finding& f : e.unpriced)
        out << QString::fromStdString(checks::FindingLine(f));
    for (const QString& s : e.stopped)
        out << U("演算できない拾い（内訳書に含めず）：") + s;
    out << e.problems;
    return out;
}

QString CsvText(const Estimate& e, const QString& projectName) {
    const auto line = [](const QStringList& fields) {
        QStringList out;
        for (const QString& f : fields)
            out << summary::CsvField(f);
        return out.join(u',') + QStringLiteral("\r\n");
    };
    QString out = line({U("内訳書"), projectName});
    out += line({U("単価表"), BookName(e)});
    out += line({U("工種"), U("名称"), U("規格"), U("数量"), U("単位"), U("単価"), U("金額"),
                 U("摘要")});
    for (const QStringList& r : Rows(e, false))
        out += line(r);
    for (const QString& n : Notes(e))
        out += line({U("注記"), n});
    return out;
}

QByteArray CsvBytes(const Estimate& e, const QString& projectName, bool utf8) {
    const std::string text = CsvText(e, projectName).toStdString();
    if (utf8)
        return QByteArray("\xEF\xBB\xBF") + QByteArray::fromStdString(text);
    return QByteArray::fromStdString(yoheki::cp932::Encode(text));
}

QString AlignedText(const Estimate& e, const QString& projectName) {
    std::vector<QStringList> rows{{U("工種"), U("名称"), U("規格"), U("数量"), U("単位"),
                                   U("単価"), U("金額"), U("摘要")}};
    for (const QStringList& r : Rows(e, true))
        rows.push_back(r);
    std::vector<int> width(8, 0);
    for (const QStringList& r : rows)
        for (int c = 0; c < 8; ++c)
            width[c] = std::max(width[c], summary::DisplayWidth(r[c]));
    const auto pad = [](const QString& t, int w, bool right) {
        const QString fill(w - summary::DisplayWidth(t), u' ');
        return right ? fill + t : t + fill;
    };
    QString out = U("内訳書　") + projectName + U("\n単価表　") + BookName(e) + U("\n\n");
    for (const QStringList& r : rows) {
        QStringList cells;
        for (int c = 0; c < 8; ++c)
            cells << pad(r[c], width[c], c == 3 || c == 5 || c == 6);
        QString text = cells.join(U("  "));
        while (text.endsWith(u' '))
            text.chop(1);
        out += text + u'\n';
    }
    const QStringList notes = Notes(e);
    if (!notes.isEmpty())
        out += u'\n' + notes.join(u'\n') + u'\n';
    return out;
}

} // namespace estimate
