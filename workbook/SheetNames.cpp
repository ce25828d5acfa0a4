#include "SheetNames.h"

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
        const QString base = Cleaned(name);
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
