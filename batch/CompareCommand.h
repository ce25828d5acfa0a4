#pragma once
// "yoheki-batch compare": two revisions of a project, item by item and
// quantity by quantity (当初 / 変更 / 増減), with the inputs that moved.
#include <QString>
#include <QStringList>
#include <cstdio>

int CompareCommand(const QStringList& args, std::FILE* out, std::FILE* err);
QString CompareHelp();
