#pragma once
// The quantities a statement shows, read back from its text lines by their
// labels, without the program's own code: what the summary is checked
// against. Quantities are hundredths of their unit; the pipes a plain count.
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

namespace statement {

struct Finish {
    QString kind, name, unit;
    std::int64_t value = 0;
    bool operator==(const Finish&) const = default;
};

struct Numbers {
    QString item;                           // from the line "《name》"
    std::map<QString, std::int64_t> values; // by the summary's column name
    std::vector<Finish> finishes;           // in statement order
};

// "  -1.05" -> -105.
inline std::int64_t Hundredths(const QString& text) {
    const QString t = text.trimmed();
    const bool negative = t.startsWith(u'-');
    const QStringList parts = t.mid(negative ? 1 : 0).split(u'.');
    const std::int64_t v = parts[0].toLongLong() * 100 + parts.value(1).toLongLong();
    return negative ? -v : v;
}

// One quantity line: the label at the start, the number after it.
struct Rule {
    const char* column;
    QRegularExpression pattern; // group 1: the number
    bool count = false;
};

inline const std::vector<Rule>& Rules() {
    static const QString n = QStringLiteral(" *(-?[0-9]+\\.[0-9]{2})");
    static const std::vector<Rule> rules = {
        {"根切量", QRegularExpression(QStringLiteral("^根  切   量：") + n)},
        {"不用土処分", QRegularExpression(QStringLiteral("^不用土 処分：") + n)},
        {"埋戻し", QRegularExpression(QStringLiteral("^埋(?:  戻  し|　戻　し) ：") + n)},
        {"砕石", QRegularExpression(QStringLiteral("^砕       石：") + n)},
        {"均しコン", QRegularExpression(QStringLiteral("^均 し コ ン：") + n)},
        {"ＲＣ全量", QRegularExpression(QStringLiteral("^ＲＣ:全  量：") + n)},
        {"普通型枠", QRegularExpression(QStringLiteral("^普 通 型 枠：") + n)},
        {"打放型枠", QRegularExpression(QStringLiteral("^打 放 型 枠：") + n)},
        {"異形鉄筋D10", QRegularExpression(QStringLiteral("^異形鉄筋D10(?:\\+D13)?：") + n)},
        {"異形鉄筋D13", QRegularExpression(QStringLiteral("^異形鉄筋D13：") + n)},
        {"異形鉄筋D10・D13合算", QRegularExpression(QStringLiteral("^異形鉄筋D10,13：") + n)},
        {"簡易山止 表面", QRegularExpression(QStringLiteral("^簡易山止（表面）：.* :") + n)},
        {"簡易山止 裏面", QRegularExpression(QStringLiteral("^　　　　（裏面）：.* :") + n)},
        {"水抜ﾊﾟｲﾌﾟ", QRegularExpression(QStringLiteral("^水抜ﾊﾟｲﾌﾟ：(-?[0-9]+)（ヶ所）")), true},
    };
    return rules;
}

// A finish line: "kind：name : value（unit）", the block as "ＣＢ…：Ｗ＝150 : …".
inline bool ReadFinish(const QString& line, Finish& out) {
    static const QRegularExpression finish(QStringLiteral(
        "^(天端仕上|表面仕上|表面下地|裏面仕上|裏面下地|ＣＢ天端仕上|ＣＢ表面仕上|ＣＢ表面下地|"
        "ＣＢ裏面仕上|ＣＢ裏面下地|Ｕ字側溝内仕上|同上下地|ＣＢ\\(両面化粧\\)|ＣＢ　*)："
        "(.*) : *(-?[0-9]+\\.[0-9]{2})（(ｍ2?)）"));
    const QRegularExpressionMatch m = finish.match(line);
    if (!m.hasMatch())
        return false;
    QString kind = m.captured(1);
    while (kind.endsWith(QChar(0x3000)))
        kind.chop(1);
    out = {kind, m.captured(2), m.captured(4), Hundredths(m.captured(3))};
    return true;
}

inline Numbers Read(const QStringList& lines) {
    Numbers out;
    for (const Rule& r : Rules())
        out.values[QString::fromUtf8(r.column)] = 0;
    for (const QString& line : lines) {
        if (out.item.isEmpty() && line.startsWith(u'《') && line.endsWith(u'》'))
            out.item = line.mid(1, line.size() - 2);
        for (const Rule& r : Rules())
            if (const auto m = r.pattern.match(line); m.hasMatch())
                out.values[QString::fromUtf8(r.column)] =
                    r.count ? m.captured(1).toLongLong() : Hundredths(m.captured(1));
        if (Finish f; ReadFinish(line, f))
            out.finishes.push_back(f);
    }
    return out;
}

// A continuous text output cut into its statements, each beginning with the
// heading line of the project.
inline std::vector<QStringList> Split(const QStringList& lines) {
    std::vector<QStringList> out;
    for (const QString& line : lines) {
        if (line.startsWith(QStringLiteral("【物件名：")))
            out.emplace_back();
        if (!out.empty())
            out.back() << line;
    }
    return out;
}

} // namespace statement
