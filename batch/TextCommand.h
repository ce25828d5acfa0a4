#pragma once
// "yoheki-batch text": the text output of a project as the window's
// "ﾃｷｽﾄ出力(&T)" appends it to a new file.
#include <QString>
#include <QStringList>
#include <cstdio>

// Exit statuses of the command-line program.
enum ExitStatus { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

// Runs the subcommand with the arguments that follow it. The output goes to
// `out` unless -o names a file; messages and reasons go to `err`.
int TextCommand(const QStringList& args, std::FILE* out, std::FILE* err);
QString TextHelp();

// Writes `text` as UTF-8.
void Print(std::FILE* stream, const QString& text);
