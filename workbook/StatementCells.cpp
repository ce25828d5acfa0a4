#include "StatementCells.h"

#include <QRegularExpression>

namespace workbook {

namespace {

// A label, a full- or half-width colon, the quantity right-aligned with
// spaces, its unit in full-width brackets, then anything. The label is the
// shortest text that lets the rest match, so "ＲＣ:ﾍﾞ ｰ ｽ：   4.50（ｍ3）" keeps
// its inner colon.
const QRegularExpression kQuantityLine(
    QString::fromUtf8("^(.*?)[：:] *(-?)(\\d{1,15})(?:\\.(\\d\\d))?（([^）]+)）(.*)$"));

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\u3000';
}

QString TrimmedEnd(QString text) {
    while (!text.isEmpty() && IsBlank(text.back()))
        text.chop(1);
    return text;
}

QString TrimmedStart(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    return text.mid(i);
}

} // namespace

std::optional<StatementCells> SplitQuantityLine(const QString& line) {
    // Most lines of a statement hold no unit bracket: they are let go
    // without the expression, which a large project runs a million times.
    if (!line.contains(u'（'))
        return std::nullopt;
    const QRegularExpressionMatch m = kQuantityLine.match(line);
    if (!m.hasMatch())
        return std::nullopt;
    StatementCells cells;
    cells.label = TrimmedEnd(m.captured(1));
    cells.count = !m.hasCaptured(4) || m.captured(4).isEmpty();
    const std::int64_t whole = m.captured(3).toLongLong();
    const std::int64_t magnitude = cells.count ? whole : whole * 100 + m.captured(4).toLongLong();
    cells.value = m.captured(2).isEmpty() ? magnitude : -magnitude;
    cells.unit = m.captured(5);
    cells.formula = TrimmedStart(m.captured(6));
    return cells;
}

double CellValue(const StatementCells& cells) {
    return cells.count ? static_cast<double>(cells.value)
                       : static_cast<double>(cells.value) / 100.0;
}

} // namespace workbook
