#include "Dialogs.h"

namespace yoheki {

QString ShownText(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    return t;
}

void ScriptedDialogs::message(const QString& text) { records.append({"message", text}); }

bool ScriptedDialogs::question(const QString& text, Icon icon) {
    records.append({"question", text});
    questionIcons.append(icon);
    return questionAnswers.isEmpty() ? true : questionAnswers.takeFirst();
}

int Dialogs::choose(const QString& text, const QStringList& buttons, Icon icon) {
    return question(text, icon) ? 0 : static_cast<int>(buttons.size()) - 1;
}

int ScriptedDialogs::choose(const QString& text, const QStringList& buttons, Icon) {
    records.append({"choose", text + QLatin1Char('|') + buttons.join(QLatin1Char('|'))});
    return choiceAnswers.isEmpty() ? 0 : choiceAnswers.takeFirst();
}

std::optional<QString> ScriptedDialogs::input(const QString& caption, const QString& prompt,
                                              const QString&) {
    records.append({"input", caption + QLatin1Char('|') + prompt});
    return inputAnswers.isEmpty() ? std::nullopt : inputAnswers.takeFirst();
}

std::optional<QString> ScriptedDialogs::openFile(const OpenFileRequest& request) {
    records.append({"openFile", request.title});
    fileRequests.append(request);
    return fileAnswers.isEmpty() ? std::nullopt : fileAnswers.takeFirst();
}

bool ScriptedDialogs::printerSetup(QPrinter&) {
    records.append({"printerSetup", QString()});
    return printerAnswers.isEmpty() ? true : printerAnswers.takeFirst();
}

bool ScriptedDialogs::printSetup(QPrinter& printer, PrintOptions& options) {
    if (!printOptionAnswers.isEmpty())
        options = printOptionAnswers.takeFirst();
    return printerSetup(printer);
}

QStringList ScriptedDialogs::messages() const {
    QStringList out;
    for (const auto& r : records)
        if (r.kind == QLatin1String("message")) out << r.text;
    return out;
}

QStringList ScriptedDialogs::texts() const {
    QStringList out;
    for (const auto& r : records) out << r.text;
    return out;
}

void ScriptedDialogs::clear() {
    records.clear();
    fileRequests.clear();
    questionIcons.clear();
}

} // namespace yoheki
