#pragma once
// The command line's streams and arguments, alike on Linux and in a Windows
// console.
#include <QString>
#include <QStringList>
#include <cstdio>

// The statement's bytes go out as they are: no line-end translation of the
// Windows C library (which would write CR CR LF for the CR LF of CP932 text).
void UseBinaryStreams();

// A message: UTF-8 into a pipe or a file, as on Linux; in a Windows console,
// whose code page is the OEM one (932 on a Japanese desk, 437 elsewhere),
// the wide text the console shows in any case.
void WriteMessage(std::FILE* stream, const QString& text);

// The arguments after the program's name. Windows gives them as UTF-16, so
// a file name outside the ANSI code page arrives whole.
QStringList ProgramArguments(int argc, char** argv);
