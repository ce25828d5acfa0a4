#pragma once
// "yoheki-batch pdf": the printed statement pages of a project as one PDF,
// without a display or a printer.
#include <QString>
#include <QStringList>
#include <cstdio>

int PdfCommand(const QStringList& args, std::FILE* out, std::FILE* err);
QString PdfHelp();
