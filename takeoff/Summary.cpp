#include "Summary.h"

#include "Checked.h"
#include "Error.h"
#include "Hundredths.h"
#include "Utf8.h"

#include <algorithm>
#include <iterator>

namespace summary {

namespace {

using Q = engine::Quantities;

constexpr const char* kCheckSizes = "負の数量です：寸法の入力を確かめて下さい";

const std::vector<Column> kColumns = {
    {"根切量", "ｍ3", "根切量", &Q::excavation, false,
     "負の数量です：根切り深さか根切りライン差が負の可能性があります"},
    {"不用土処分", "ｍ3", "不用土\n処分", &Q::disposal, false,
     "負の数量です：ＧＬ以下のコンクリートが負の可能性があります"},
    {"埋戻し", "ｍ3", "埋戻し", &Q::backfill, false,
     "負の数量です：根切量より不用土処分が多い可能性があります"},
    {"砕石", "ｍ3", "砕石", &Q::stone, false, kCheckSizes},
    {"均しコン", "ｍ3", "均しコン", &Q::levelling, false, kCheckSizes},
    {"ＲＣ全量", "ｍ3", "ＲＣ全量", &Q::rcTotal, false, kCheckSizes},
    {"普通型枠", "ｍ2", "普通型枠", &Q::formOrdinary, false,
     "負の数量です：打放型枠が型枠全数量より多い可能性があります"},
    {"打放型枠", "ｍ2", "打放型枠", &Q::fairFaced, false, kCheckSizes},
    {"異形鉄筋D10", "ｔ", "異形鉄筋\nD10", &Q::barD10, false,
     "負の数量です：寸法か単位重量の入力を確かめて下さい"},
    {"異形鉄筋D13", "ｔ", "異形鉄筋\nD13", &Q::barD13, false,
     "負の数量です：寸法か配筋の入力を確かめて下さい"},
    {"異形鉄筋D10・D13合算", "ｔ", "異形鉄筋\nD10・D13\n合算", &Q::barMerged, false,
     "負の数量です：寸法か単位重量の入力を確かめて下さい"},
    {"簡易山止 表面", "ｍ", "簡易山止\n表面", &Q::retainFront, false, kCheckSizes},
    {"簡易山止 裏面", "ｍ", "簡易山止\n裏面", &Q::retainBack, false, kCheckSizes},
    {"水抜ﾊﾟｲﾌﾟ", "ヶ所", "水抜ﾊﾟｲﾌﾟ", &Q::pipes, true, kCheckSizes},
};

// A block is a finish by its width: it is totalled under its kind with it.
bool IsBlock(const Q::Finish& f) {
    return f.kind.starts_with("ＣＢ") && f.name.starts_with("Ｗ＝");
}

void AddFinish(std::vector<FinishTotal>& totals, const Q::Finish& f) {
    const QString name = FinishName(f), unit = QString::fromStdString(f.unit);
    const QString kind = QString::fromStdString(f.kind);
    auto it = std::find_if(totals.begin(), totals.end(),
                           [&](const FinishTotal& t) { return t.name == name && t.unit == unit; });
    if (it == totals.end())
        it = totals.insert(totals.end(), FinishTotal{name, unit, {}, 0});
    if (!it->kinds.contains(kind))
        it->kinds << kind;
    it->value = yoheki::Add(it->value, f.value);
}

} // namespace

const std::vector<Column>& Columns() {
    return kColumns;
}

QString ModeName(engine::StructureMode mode) {
    switch (mode) {
    case engine::StructureMode::Base:
        return U("設備基礎");
    case engine::StructureMode::Ditch:
        return U("Ｕ型側溝");
    default:
        return U("Ｌ型擁壁");
    }
}

namespace {

void AddTo(std::vector<std::int64_t>& totals, const Q& q) {
    for (std::size_t c = 0; c < kColumns.size(); ++c)
        totals[c] = yoheki::Add(totals[c], q.*kColumns[c].field);
}

Group& GroupOf(std::vector<Group>& groups, const QString& name) {
    for (Group& g : groups)
        if (g.name == name)
            return g;
    groups.push_back(Group{name, {}, std::vector<std::int64_t>(kColumns.size(), 0), 0});
    return groups.back();
}

} // namespace

Table Summarize(std::vector<Item> items) {
    Table t;
    t.totals.assign(kColumns.size(), 0);
    const bool grouped =
        std::any_of(items.begin(), items.end(), [](const Item& i) { return !i.group.isEmpty(); });
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Item& item = items[i];
        t.counted = t.counted || item.count != 1;
        Group* group = grouped ? &GroupOf(t.groups, item.group) : nullptr;
        if (group)
            group->items.push_back(i);
        if (!item.quantities) {
            ++t.stopped;
            continue;
        }
        AddTo(t.totals, *item.quantities);
        if (group) {
            AddTo(group->totals, *item.quantities);
            ++group->calculated;
        }
        for (const Q::Finish& f : item.quantities->finishes)
            AddFinish(t.finishes, f);
    }
    t.items = std::move(items);
    return t;
}

std::vector<RowRef> RowOrder(const Table& t) {
    std::vector<RowRef> rows;
    if (t.groups.empty()) {
        for (std::size_t i = 0; i < t.items.size(); ++i)
            rows.push_back({false, i});
        return rows;
    }
    for (std::size_t g = 0; g < t.groups.size(); ++g) {
        for (std::size_t i : t.groups[g].items)
            rows.push_back({false, i});
        rows.push_back({true, g});
    }
    return rows;
}

QStringList LeadHeaders(const Table& t) {
    QStringList h{U("拾い名称"), U("構造")};
    if (t.counted)
        h << U("箇所数");
    if (!t.groups.empty())
        h << U("区分");
    return h;
}

QStringList LeadCells(const Table& t, const Item& item) {
    QStringList c{item.name, ModeName(item.mode)};
    if (t.counted)
        c << QString::number(item.count);
    if (!t.groups.empty())
        c << item.group;
    return c;
}

QString SubtotalName(const Group& g) {
    return U("小計：") + (g.name.isEmpty() ? U("（区分なし）") : g.name);
}

QStringList SubtotalCells(const Table& t, const Group& g) {
    QStringList c{SubtotalName(g), U("%1 件").arg(g.calculated)};
    if (t.counted)
        c << QString();
    c << g.name;
    return c;
}

QString NoteText(const Item& item) {
    const QString findings = FindingsText(item);
    if (item.remark.isEmpty())
        return findings;
    return findings.isEmpty() ? item.remark : item.remark + U("　") + findings;
}

Q Times(const Q& one, int count) {
    Q q = one;
    for (const Column& c : kColumns)
        q.*c.field = yoheki::Mul(one.*c.field, count);
    for (Q::Finish& f : q.finishes)
        f.value = yoheki::Mul(f.value, count);
    return q;
}

void ApplyExtras(Item& item, int count, const QString& group, const QString& remark) {
    item.count = count;
    item.group = group;
    item.remark = remark;
    if (!item.quantities || count == 1)
        return;
    try {
        item.quantities = Times(*item.quantities, count);
    } catch (const yoheki::Error& e) {
        item.quantities.reset();
        item.messages << QString::fromUtf8(e.what());
    }
}

QString FinishName(const Q::Finish& f) {
    if (IsBlock(f))
        return QString::fromStdString(f.kind + " " + f.name);
    if (f.name.empty())
        return U("（仕上名なし）");
    return QString::fromStdString(f.name);
}

QString FormatValue(const Column& column, std::int64_t value) {
    return column.count ? QString::number(value) : FormatHundredths(value);
}

QString FormatHundredths(std::int64_t value) {
    char text[yoheki::kHundredthsRoom];
    const char* at = yoheki::WriteHundredths(value, std::end(text));
    return QString::fromLatin1(at, std::end(text) - at);
}

QString HeaderText(const Column& column, bool lines) {
    const QString unit = u'(' + U(column.unit) + u')';
    return lines ? U(column.lines) + u'\n' + unit : U(column.name) + unit;
}

QString StopText(const Item& item) {
    QStringList parts;
    for (QString m : item.messages) {
        m.replace(QStringLiteral("\n\r"), QStringLiteral(" "));
        m.replace(u'\n', u' ').replace(u'\r', u' ');
        parts << m.simplified();
    }
    parts.removeAll(QString());
    return parts.isEmpty() ? U("演算できませんでした") : parts.join(U("　／　"));
}

QString FindingsText(const Item& item) {
    QStringList lines;
    for (const checks::Finding& f : item.findings)
        lines << QString::fromStdString(checks::FindingLine(f));
    return lines.join(U("　"));
}

// A finding is about a column when it names the column's quantity; the bar
// line of a weight by rate names both sizes ("異形鉄筋D10,13"), which the
// merged column holds, another D10 line ("異形鉄筋D10+D13") the D10 column.
std::vector<checks::Finding> ErrorsAbout(const Item& item, const Column& column) {
    std::vector<checks::Finding> out;
    const std::string name = column.name;
    for (const checks::Finding& f : item.findings) {
        const bool merged = f.quantity == "異形鉄筋D10,13";
        const bool about = f.quantity == name ||
                           (name == "異形鉄筋D10・D13合算" && merged) ||
                           (name == "異形鉄筋D10" && f.quantity.starts_with(name) && !merged &&
                            f.quantity != "異形鉄筋D13");
        if (about && f.level == checks::Level::Error)
            out.push_back(f);
    }
    return out;
}

int DisplayWidth(const QString& text) {
    int width = 0;
    for (const QChar c : text) {
        if (c.isLowSurrogate())
            continue;
        const char16_t u = c.unicode();
        width += (u < 0x80 || (u >= 0xFF61 && u <= 0xFF9F)) ? 1 : 2;
    }
    return width;
}

} // namespace summary
