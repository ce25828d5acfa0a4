#pragma once
// The arguments the subcommands of the command-line program share, and the
// one-line reason they print when something is wrong.
#include "Utf8.h"

#include <QString>
#include <QStringList>
#include <cstdio>
#include <optional>

// Exit statuses of the command-line program.
enum ExitStatus { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

struct BatchOptions {
    QString project;
    std::optional<QString> item; // --item NAME
    QString outFile;             // -o FILE
    QString csvFile;             // --csv FILE
    bool utf8 = false;           // --utf8
    bool help = false;           // --help, -h
};

// The options a subcommand takes besides the project and --help.
enum BatchOption { kOptItem = 1, kOptOut = 2, kOptCsv = 4, kOptUtf8 = 8 };

// The options, or nullopt with the reason in `why`. An option the subcommand
// does not take counts as unknown; the project must be given unless --help is.
std::optional<BatchOptions> ParseBatchArgs(const QStringList& args, int accepted, QString& why);

// Why an output must not be written to `output`: it is one of the `projects`,
// "Qrtt.dat" of the start folder or of a project's drawing folder, or one of
// the drawings the statements are printed with, however the name was spelled
// (links and "./" included). Nothing when `output` is empty or none of these.
// Call it from the start folder, before anything is written.
std::optional<QString> OutputOntoInput(const QString& output, const QStringList& projects);

// Why the project file at `project` gave no item to calculate: it is empty,
// not a project, or cannot be read. Nothing when it is a project (whose items
// were all left out for reasons already reported).
std::optional<QString> NotAProject(const QString& project);

// Prints "yoheki-batch: WHY" on one line and gives back `status`.
int Fail(std::FILE* err, const QString& why, int status);

// The common start of a subcommand that reads one project and writes one
// file named with -o: the usage error, --help, absolute paths from the start
// folder, an unreadable project and an output onto an input. The exit status
// when the command ends there; nothing when `o` is ready to run.
std::optional<int> StartOutputCommand(std::optional<BatchOptions>& o, const QString& why,
                                      const char* command, QString (*help)(), std::FILE* out,
                                      std::FILE* err);

// Writes `text` as UTF-8.
void Print(std::FILE* stream, const QString& text);

// A text output's bytes: CR LF line ends, as every text the program writes,
// in Shift-JIS (or UTF-8). Throws yoheki::EncodingError naming a character
// Shift-JIS has not.
QByteArray TextBytes(const QString& text, bool utf8);

// The folder of the drawings, as the window finds it: "TF" of the settings
// file in the start folder, or that folder itself; failing those (no settings
// file, or no drawing there), the project's folder.
QString DrawingFolder(const QString& project);
