#pragma once
// "yoheki-batch pdf": the printed statement pages of a project as one PDF,
// without a display or a printer.
#include <QString>
#include <QStringList>
#include <cstdio>

int PdfCommand(const QStringList& args, std::FILE* out, std::FILE* err);
QString PdfHelp();

// The folder of the drawings, as the window finds it: "TF" of the settings
// file in the start folder, or that folder itself; failing those (no settings
// file, or no drawing there), the project's folder.
QString DrawingFolder(const QString& project);
