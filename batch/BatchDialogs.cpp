#include "BatchDialogs.h"

#include "Console.h"

QString BatchDialogs::OneLine(const QString& text, int indent) {
    const QString margin(indent, u' ');
    QString out;
    out.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\n' && c != u'\r') {
            out += c;
            continue;
        }
        if (c == u'\n' && i + 1 < text.size() && text[i + 1] == u'\r')
            ++i; // the message boxes' own line break is the pair
        if (i + 1 < text.size())
            out += u'\n' + margin;
    }
    return out;
}

void BatchDialogs::message(const QString& text) {
    WriteMessage(out_, QStringLiteral("message: ") + OneLine(text) + u'\n');
}

bool BatchDialogs::question(const QString& text, Icon) {
    message(text);
    return true;
}

std::optional<QString> BatchDialogs::input(const QString&, const QString&, const QString&) {
    return std::nullopt;
}

std::optional<QString> BatchDialogs::openFile(const yoheki::OpenFileRequest&) {
    return std::nullopt;
}

bool BatchDialogs::printerSetup(QPrinter&) {
    return false;
}
