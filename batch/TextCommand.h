#pragma once
// "yoheki-batch text": the text output of a project as the window's
// "ﾃｷｽﾄ出力(&T)" appends it to a new file.
#include <QString>
#include <QStringList>
#include <cstdio>

// Runs the subcommand with the arguments that follow it. The output goes to
// `out` unless -o names a file; messages and reasons go to `err`.
int TextCommand(const QStringList& args, std::FILE* out, std::FILE* err);
QString TextHelp();
