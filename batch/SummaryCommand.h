#pragma once
// "yoheki-batch summary": the project quantity summary as aligned text, or
// as a CSV file.
#include <QString>
#include <QStringList>
#include <cstdio>

int SummaryCommand(const QStringList& args, std::FILE* out, std::FILE* err);
QString SummaryHelp();
