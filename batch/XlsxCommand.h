#pragma once
// "yoheki-batch xlsx": the project summary and every item's statement as an
// Excel workbook.
#include <QString>
#include <QStringList>
#include <cstdio>

int XlsxCommand(const QStringList& args, std::FILE* out, std::FILE* err);
QString XlsxHelp();
