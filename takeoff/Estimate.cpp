#include "Estimate.h"

#include "Checked.h"
#include "Utf8.h"

#include <QDir>
#include <algorithm>

namespace estimate {

namespace {

// The 工種 of the 内訳書 in the order estimators list them.
const QStringList kKinds = {U("土工"),   U("コンクリート工"), U("型枠工"),
                            U("鉄筋工"), U("仕上工"),         U("雑工")};

// One total of the project that the book may price.
struct Total {
    QString key;  // as the book names it
    QString name; // as the 内訳書 lists it without a book row
    QString unit;
    std::int64_t hundredths = 0;
    bool finish = false;
    bool used = false;
};

std::vector<Total> TotalsOf(const summary::Table& table) {
    std::vector<Total> out;
    const auto& columns = summary::Columns();
    for (std::size_t c = 0; c < columns.size() && c < table.totals.size(); ++c) {
        const std::int64_t v = table.totals[c];
        out.push_back({U(columns[c].name), U(columns[c].name), U(columns[c].unit),
                       columns[c].count ? yoheki::Mul(v, 100) : v, false, false});
    }
    for (const summary::FinishTotal& f : table.finishes)
        out.push_back({FinishKey(f.name), f.name, f.unit, f.value, true, false});
    return out;
}

bool Prices(const PriceRow& row, const Total& t) {
    if (Canonical(row.key) != Canonical(t.key))
        return false;
    return !t.finish || Canonical(row.unit) == Canonical(t.unit);
}

Group& GroupOf(std::vector<Group>& groups, const QString& kind) {
    auto it = std::find_if(groups.begin(), groups.end(),
                           [&](const Group& g) { return g.kind == kind; });
    return it != groups.end() ? *it : groups.emplace_back(Group{kind, {}, 0});
}

checks::Finding UnpricedFinding(const Line& line, const PriceBook& book) {
    const bool finish = Canonical(line.key).startsWith(Canonical(U("仕上：")));
    const QString quantity = finish ? line.key + U("（") + line.unit + U("）") : line.key;
    const QString text = book.path.isEmpty() ? U("単価表がありません（金額は空欄）")
                                             : U("単価がありません（金額は空欄）");
    return {checks::Level::Caution, checks::Check::Unpriced, quantity.toStdString(),
            text.toStdString()};
}

Line LineOf(const Total& t, const PriceRow* row, const PriceBook& book) {
    Line line;
    line.key = t.key;
    line.kind = row && !row->kind.isEmpty() ? row->kind : DefaultKind(t.key);
    line.name = row && !row->name.isEmpty() ? row->name : t.name;
    line.grade = row ? row->grade : QString();
    line.unit = t.unit;
    line.note = row ? row->note : QString();
    line.computed = t.hundredths;
    const DigitRule rule = DigitsFor(book, row, line.kind, line.unit);
    line.digits = std::min(rule.digits, 2);
    line.posted = RoundTo(t.hundredths, rule.digits, rule.rounding);
    if (row && row->price) {
        line.price = row->price;
        line.amount = AmountOf(line.posted, *row->price);
    }
    return line;
}

std::vector<Group> Ordered(std::vector<Group> groups) {
    std::stable_sort(groups.begin(), groups.end(), [](const Group& a, const Group& b) {
        const auto rank = [](const Group& g) {
            const qsizetype i = kKinds.indexOf(g.kind);
            return i < 0 ? kKinds.size() : i;
        };
        return rank(a) < rank(b);
    });
    return groups;
}

void AddRates(Estimate& e, const PriceBook& book) {
    e.price = e.direct;
    if (book.overhead) {
        e.overhead = RateLine{*book.overhead, e.direct,
                              RateAmount(e.direct, book.overhead->hundredthsPercent)};
        e.price = yoheki::Add(e.direct, e.overhead->amount);
    }
    e.total = e.price;
    if (book.tax) {
        e.tax = RateLine{*book.tax, e.price, RateAmount(e.price, book.tax->hundredthsPercent)};
        e.total = yoheki::Add(e.price, e.tax->amount);
    }
}

} // namespace

std::int64_t RoundTo(std::int64_t hundredths, int digits, Rounding rounding) {
    if (digits >= 2)
        return hundredths;
    std::int64_t step = 1;
    for (int d = digits; d < 2; ++d)
        step *= 10;
    const std::int64_t a = hundredths < 0 ? yoheki::Neg(hundredths) : hundredths;
    std::int64_t q = a / step;
    const std::int64_t r = a % step;
    if ((rounding == Rounding::HalfUp && 2 * r >= step) || (rounding == Rounding::Up && r > 0))
        ++q;
    const std::int64_t v = yoheki::Mul(q, step);
    return hundredths < 0 ? -v : v;
}

std::int64_t AmountOf(std::int64_t hundredths, std::int64_t price) {
    return yoheki::Mul(hundredths, price) / 100;
}

std::int64_t RateAmount(std::int64_t base, std::int64_t hundredthsPercent) {
    return yoheki::Mul(base, hundredthsPercent) / 10000;
}

QString DefaultKind(const QString& key) {
    const QString k = Canonical(key);
    const auto any = [&](std::initializer_list<const char*> names) {
        return std::any_of(names.begin(), names.end(),
                           [&](const char* n) { return k == Canonical(U(n)); });
    };
    if (any({"根切量", "不用土処分", "埋戻し"}))
        return kKinds[0];
    if (any({"砕石", "均しコン", "ＲＣ全量"}))
        return kKinds[1];
    if (any({"普通型枠", "打放型枠"}))
        return kKinds[2];
    if (k.startsWith(Canonical(U("異形鉄筋"))))
        return kKinds[3];
    if (k.startsWith(Canonical(U("仕上："))))
        return kKinds[4];
    return kKinds[5];
}

Estimate MakeEstimate(const summary::Table& table, const PriceBook& book) {
    Estimate e;
    e.book = book.path;
    e.problems = book.problems;
    std::vector<Total> totals = TotalsOf(table);
    std::vector<Group> groups;
    for (const PriceRow& row : book.rows)
        for (Total& t : totals)
            if (!t.used && Prices(row, t)) {
                t.used = true;
                if (t.hundredths != 0)
                    GroupOf(groups, row.kind.isEmpty() ? DefaultKind(t.key) : row.kind)
                        .lines.push_back(LineOf(t, &row, book));
            }
    for (const Total& t : totals)
        if (!t.used && t.hundredths != 0)
            GroupOf(groups, DefaultKind(t.key)).lines.push_back(LineOf(t, nullptr, book));
    e.groups = Ordered(std::move(groups));
    for (Group& g : e.groups) {
        for (const Line& line : g.lines)
            if (line.amount)
                g.subtotal = yoheki::Add(g.subtotal, *line.amount);
            else
                e.unpriced.push_back(UnpricedFinding(line, book));
        e.direct = yoheki::Add(e.direct, g.subtotal);
    }
    AddRates(e, book);
    for (const summary::Item& item : table.items)
        if (!item.quantities)
            e.stopped << item.name + U("：") + summary::StopText(item);
    return e;
}

QString QuantityText(std::int64_t hundredths, int digits) {
    const int shown = std::clamp(digits, 0, 2);
    const bool negative = hundredths < 0;
    const std::uint64_t a = negative ? 0 - static_cast<std::uint64_t>(hundredths)
                                     : static_cast<std::uint64_t>(hundredths);
    QString t = QString::number(a / 100);
    if (shown > 0) {
        const std::uint64_t frac = shown == 1 ? (a % 100) / 10 : a % 100;
        t += u'.' + QStringLiteral("%1").arg(frac, shown, 10, QLatin1Char('0'));
    }
    return negative ? u'-' + t : t;
}

QString YenText(std::int64_t yen) {
    const bool negative = yen < 0;
    QString digits = QString::number(negative ? -yen : yen);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, u',');
    return negative ? u'-' + digits : digits;
}

QString RateText(const Rate& rate) {
    QString t = QString::number(rate.hundredthsPercent / 100);
    if (const std::int64_t f = rate.hundredthsPercent % 100) {
        t += u'.' + QStringLiteral("%1").arg(f, 2, 10, QLatin1Char('0'));
        while (t.endsWith(u'0'))
            t.chop(1);
    }
    return t + u'%';
}

Comparison CompareEstimates(const Estimate& earlier, const Estimate& current) {
    Comparison c;
    const auto find = [&](const QString& kind, const QString& key, const QString& unit) {
        return std::find_if(c.lines.begin(), c.lines.end(), [&](const CompareLine& l) {
            return l.kind == kind && Canonical(l.key) == Canonical(key) &&
                   Canonical(l.unit) == Canonical(unit);
        });
    };
    for (const Group& g : current.groups)
        for (const Line& l : g.lines)
            c.lines.push_back({l.kind, l.key, l.name, l.grade, l.unit, l.digits, 0, l.posted,
                               std::nullopt, l.amount});
    for (const Group& g : earlier.groups)
        for (const Line& l : g.lines) {
            auto it = find(l.kind, l.key, l.unit);
            if (it == c.lines.end())
                it = c.lines.insert(c.lines.end(), {l.kind, l.key, l.name, l.grade, l.unit,
                                                    l.digits, 0, 0, std::nullopt, std::nullopt});
            it->earlierQty = l.posted;
            it->earlierAmount = l.amount;
        }
    c.earlierDirect = earlier.direct;
    c.currentDirect = current.direct;
    c.earlierTotal = earlier.total;
    c.currentTotal = current.total;
    return c;
}

} // namespace estimate
