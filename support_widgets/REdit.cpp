#include "REdit.h"

TREdit::TREdit(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(this, &QLineEdit::textEdited, this, &TREdit::Normalize);
}

QString TREdit::AsciiDigits(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if (u >= u'０' && u <= u'９')
            c = QChar(u'0' + (u - u'０'));
        else if (u == u'－' || u == u'−' || u == u'ー' || u == u'‐')
            c = QLatin1Char('-');
    }
    return out;
}

// One character becomes one character, so the cursor keeps its place.
void TREdit::Normalize(const QString& text) {
    const QString ascii = AsciiDigits(text);
    if (ascii == text)
        return;
    const int cursor = cursorPosition();
    setText(ascii);
    setCursorPosition(cursor);
}
