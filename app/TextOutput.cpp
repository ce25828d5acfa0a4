// The statement lines a text output writes, and writing them to the file.
#include "main1.h"

#include "IniFile.h"
#include "Lines.h"
#include "ItemTexts.h"
#include "PrnSys.h"
#include "ProjectCheck.h"
#include "Runs.h"
#include "Takeoff.h"
#include "PathBytes.h"
#include "UndoStack.h"

#include <QFile>

namespace {

std::vector<std::string> Strings(const QStringList& lines) {
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(lines.size()));
    for (const QString& line : lines)
        out.push_back(line.toStdString());
    return out;
}

QByteArray Bytes(const std::string& bytes) {
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace

QStringList SingleOutputLines(const QStringList& statement) {
    return takeoff::QtLines(takeoff::SingleOutputLines(Strings(statement)));
}

QString ClosingLine() {
    return QString::fromStdString(takeoff::ClosingLine());
}

// The continuous output reads every item from the project file, where the
// item on screen was saved first; the screen itself stays as it is. The
// messages of each run are shown as "演算実行(&D)" shows them.
QByteArray ComposeTextOutput(TForm1& f) {
    if (!f.Q1->isChecked())
        return EncodeTextOutput(SingleOutputLines(f.Form2->Lines()) << ClosingLine());
    const yoheki::IniFile& ini =
        ProjectStore::Of(f).project.Open(yoheki::PathBytes(f.CurrentProject));
    const yoheki::ProjectCheck check = yoheki::CheckProject(ini);
    const takeoff::RunContext context{
        ProjectCaption(f).toStdString(),
        {f.D2->isChecked(), true},
        [&f](const std::string& text) { f.dialogs.message(QString::fromStdString(text)); },
        // Items holding bytes that are not CP932 text were named at opening.
        [&check](const std::string& name) { return check.Unreadable(name); }};
    return Bytes(takeoff::ContinuousOutput(ini, context, false));
}

QByteArray EncodeTextOutput(const QStringList& lines, bool utf8) {
    return Bytes(takeoff::EncodeLines(Strings(lines), utf8));
}

