#include "SheetNames.h"

#include <QRegularExpression>
#include <QSet>

namespace workbook {

namespace {

// The characters a sheet name cannot hold, and what stands for each.
const QString kForbidden = QStringLiteral("[]:*?/\\");
const QString kStandIns = QString::fromUtf8("［］：＊？／＼");

QString Cleaned(const QString& name) {
    QString out;
    out.reserve(name.size());
    for (const QChar c : name) {
        const qsizetype i = kForbidden.indexOf(c);
        out += i >= 0 ? kStandIns[i] : c.unicode() < 0x20 ? QChar(u' ') : c;
    }
    return out.isEmpty() ? QString::fromUtf8("拾い") : out;
}

// At most `max` UTF-16 units, never half a surrogate pair, and no
// apostrophe at either end.
QString Fitted(const QString& text, int max) {
    QString out = text.left(max);
    if (out.size() < text.size() && !out.isEmpty() && out.back().isHighSurrogate())
        out.chop(1);
    if (out.startsWith(u'\''))
        out[0] = u'’';
    if (out.endsWith(u'\''))
        out.back() = u'’';
    return out;
}

// A name of plain letters and digits that a formula would read as a cell
// ("A1", "R1C1"), a number or a truth value. References to such a sheet need
// quotes, which the library writing the print titles leaves out.
bool ReadsAsReference(const QString& name) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_.]+$"));
    static const QRegularExpression reference(
        QStringLiteral("^([0-9].*|[A-Za-z]{1,3}[0-9]+|[RrCc][0-9]*|[Rr][0-9]*[Cc][0-9]*|"
                       "[Tt][Rr][Uu][Ee]|[Ff][Aa][Ll][Ss][Ee])$"));
    return plain.match(name).hasMatch() && reference.match(name).hasMatch();
}

// The name in full-width letters and digits, as Japanese documents often
// write them anyway: "Ａ１".
QString FullWidth(QString name) {
    for (QChar& c : name)
        if (c.unicode() > 0x20 && c.unicode() < 0x7F)
            c = QChar(static_cast<char16_t>(c.unicode() + 0xFEE0));
    return name;
}

} // namespace

QString SheetNameKey(const QString& name) {
    QString key = name.normalized(QString::NormalizationForm_KC).toCaseFolded();
    for (QChar& c : key)
        if (c.unicode() >= 0x3041 && c.unicode() <= 0x3096) // hiragana to katakana
            c = QChar(static_cast<char16_t>(c.unicode() + 0x60));
    return key;
}

QStringList SheetNames(const QStringList& names, const QStringList& reserved) {
    QSet<QString> used{SheetNameKey(QStringLiteral("History"))}; // kept by Excel
    for (const QString& r : reserved)
        used.insert(SheetNameKey(r));
    QStringList out;
    out.reserve(names.size());
    for (const QString& name : names) {
        QString base = Cleaned(name);
        if (ReadsAsReference(base))
            base = FullWidth(base);
        QString candidate = Fitted(base, kSheetNameMax);
        for (int n = 2; used.contains(SheetNameKey(candidate)); ++n) {
            const QString suffix = QStringLiteral("(%1)").arg(n);
            candidate = Fitted(base, kSheetNameMax - static_cast<int>(suffix.size())) + suffix;
        }
        used.insert(SheetNameKey(candidate));
        out << candidate;
    }
    return out;
}

} // namespace workbook
