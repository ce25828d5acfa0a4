// The statement lines a text output writes, and writing them to the file.
#include "main1.h"

#include "IniFile.h"
#include "Lines.h"
#include "ItemTexts.h"
#include "PrnSys.h"
#include "ProjectCheck.h"
#include "RunMessages.h"
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
// item on screen was saved first; the screen itself stays as it is. What the
// runs say is gathered in `said`, item by item, to be shown once at the end.
QByteArray ComposeTextOutput(TForm1& f, OutputMessages& said) {
    if (!f.Q1->isChecked())
        return EncodeTextOutput(SingleOutputLines(f.Form2->Lines()) << ClosingLine());
    const yoheki::IniFile& ini =
        ProjectStore::Of(f).project.Open(yoheki::PathBytes(f.CurrentProject));
    const yoheki::ProjectCheck check = yoheki::CheckProject(ini);
    const takeoff::RunContext context{
        ProjectCaption(f).toStdString(),
        {f.D2->isChecked(), true},
        said.Sink(),
        // Items holding bytes that are not CP932 text were named at opening.
        [&check](const std::string& name) { return check.Unreadable(name); }};
    std::string bytes;
    takeoff::ForEachRun(ini, context, [&](const takeoff::ItemRun& run) {
        said.EndItem(QString::fromStdString(run.name), run.snapshot);
        if (run.output)
            for (const std::string& line : run.output->lines)
                takeoff::AppendEncoded(bytes, line, false);
    });
    takeoff::AppendEncoded(bytes, takeoff::ClosingLine(), false);
    return Bytes(bytes);
}

QByteArray EncodeTextOutput(const QStringList& lines, bool utf8) {
    return Bytes(takeoff::EncodeLines(Strings(lines), utf8));
}

