#pragma once
// "yoheki-batch estimate": the priced estimate (内訳書) of a project as
// aligned text, CSV, an Excel sheet or a PDF.
#include <QString>
#include <QStringList>
#include <cstdio>

int EstimateCommand(const QStringList& args, std::FILE* out, std::FILE* err);
QString EstimateHelp();
