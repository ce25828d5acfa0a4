#include "OutputGuard.h"

#include "PrnSys.h"
#include "SameFile.h"
#include "PathBytes.h"

#include <QDir>
#include <QFile>

namespace {

bool Same(const QString& a, const QString& b) {
    return yoheki::SameFile(yoheki::PathBytes(a), yoheki::PathBytes(b));
}

QString Refusal(const QString& path, const QString& what) {
    return QStringLiteral("【%1】は%2です。\n\r上書きしないよう、別のファイル名を指定して下さい")
        .arg(QDir::toNativeSeparators(path), what);
}

} // namespace

std::optional<QString> OutputOntoInput(const QString& path, const QString& project,
                                       const QString& drawingFolder) {
    if (!project.isEmpty() && Same(path, project))
        return Refusal(path, QStringLiteral("開いている物件ファイル"));
    // The settings file is read from the current folder and recorded in the
    // settings folder; once a project is open these may differ.
    for (const QString& folder : {QDir::currentPath(), drawingFolder})
        if (!folder.isEmpty() && Same(path, QDir(folder).filePath(QStringLiteral("Qrtt.dat"))))
            return Refusal(path, QStringLiteral("設定ファイル（Qrtt.dat）"));
    for (StructureMode mode : {StructureMode::Wall, StructureMode::Base, StructureMode::Ditch}) {
        const QString drawing = FindDrawing(drawingFolder, mode);
        if (!drawing.isEmpty() && Same(path, drawing))
            return Refusal(path, QStringLiteral("図面ファイル"));
    }
    return std::nullopt;
}

bool RefuseOutput(yoheki::Dialogs& dialogs, const QString& path, const QString& project,
                  const QString& drawingFolder) {
    const std::optional<QString> refusal = OutputOntoInput(path, project, drawingFolder);
    if (refusal)
        dialogs.message(*refusal);
    return refusal.has_value();
}
