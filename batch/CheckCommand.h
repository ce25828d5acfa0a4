#pragma once
// "yoheki-batch check": the quantity checks of a project's items, one line
// per finding.
#include <QString>
#include <QStringList>
#include <cstdio>

// Exit status 0 with no error finding, 1 with at least one, 2 when the
// project cannot be checked at all (or the arguments are wrong).
int CheckCommand(const QStringList& args, std::FILE* out, std::FILE* err);
QString CheckHelp();
