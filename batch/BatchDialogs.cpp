#include "BatchDialogs.h"

QString BatchDialogs::OneLine(const QString& text) {
    QString out;
    out.reserve(text.size() + 8);
    for (QChar c : text) {
        if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

void BatchDialogs::message(const QString& text) {
    const QByteArray line = (QStringLiteral("message: ") + OneLine(text) + u'\n').toUtf8();
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), out_);
    std::fflush(out_);
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
