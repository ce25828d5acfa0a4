#include "BatchArgs.h"

#include "BatchDialogs.h"
#include "Cp932.h"
#include "Error.h"
#include "IniFile.h"
#include "StatementPage.h"
#include "ProjectCheck.h"
#include "SameFile.h"
#include "Console.h"
#include "PathBytes.h"
#include "Settings.h"
#include "Utf8.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <cstring>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <langinfo.h>
#include <unistd.h>
#endif

namespace {

// The option that takes a value, or nullptr.
QString* ValueOf(BatchOptions& o, const QString& a, int accepted) {
    if (a == u"--item" && (accepted & kOptItem)) {
        o.item = QString();
        return &*o.item;
    }
    if (a == u"-o" && (accepted & kOptOut))
        return &o.outFile;
    if (a == u"--csv" && (accepted & kOptCsv))
        return &o.csvFile;
    return nullptr;
}

// One argument; false with `why` set when it cannot be used. An option given
// twice is refused: which of the two was meant cannot be known.
bool Take(BatchOptions& o, const QStringList& args, int& i, int accepted, QStringList& seen,
          QString& why) {
    const QString& a = args[i];
    const bool option = a.startsWith(u'-') && a != u"-" && a != u"--help" && a != u"-h";
    if (option && seen.contains(a))
        why = U("同じオプションが二度指定されています: ") + a;
    else if (option)
        seen << a;
    if (!why.isEmpty())
        return false;
    if (a == u"--help" || a == u"-h")
        o.help = true;
    else if (a == u"--utf8" && (accepted & kOptUtf8))
        o.utf8 = true;
    else if (QString* value = ValueOf(o, a, accepted)) {
        if (i + 1 >= args.size())
            why = a + U(" の後に値がありません");
        else
            *value = args[++i];
    } else if (a.startsWith(u'-') && a != u"-")
        why = U("知らないオプションです: ") + a;
    else if (!o.project.isEmpty())
        why = U("物件ファイルは一つだけ指定して下さい: ") + a;
    else
        o.project = a;
    return why.isEmpty();
}

bool Same(const QString& a, const QString& b) {
    return yoheki::SameFile(yoheki::PathBytes(a), yoheki::PathBytes(b));
}

QString Refusal(const QString& output, const QString& what) {
    return U("出力ファイル【") + output + U("】は") + what +
           U("です。\n\r上書きしないよう、別のファイル名を指定して下さい");
}

} // namespace

void Print(std::FILE* stream, const QString& text) {
    WriteMessage(stream, text);
}

QByteArray TextBytes(const QString& text, bool utf8) {
    // A line at a time: a table of ten thousand rows is held a second time
    // only as the bytes written, not as a copy with CR LF and another in UTF-8.
    QByteArray bytes;
    bytes.reserve(text.size() + text.size() / 4); // blanks and digits, some kanji
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf(u'\n', start);
        const bool ended = end >= 0;
        if (!ended)
            end = text.size();
        const QByteArray line = QStringView(text).sliced(start, end - start).toUtf8();
        if (utf8) {
            bytes += line;
        } else {
            const std::string encoded = yoheki::cp932::Encode(
                std::string_view(line.constData(), static_cast<std::size_t>(line.size())));
            bytes.append(encoded.data(), static_cast<qsizetype>(encoded.size()));
        }
        if (ended)
            bytes += "\r\n";
        start = end + 1;
    }
    return bytes;
}

QString DrawingFolder(const QString& project) {
    QStringList folders;
    if (QFileInfo::exists(U(takeoff::kSettingsFile))) {
        try {
            const std::string dir =
                takeoff::ReadSettings(yoheki::IniFile(takeoff::kSettingsFile)).drawingFolder;
            if (!dir.empty())
                folders << QString::fromStdString(dir);
        } catch (const yoheki::Error&) {
        }
        folders << QDir::currentPath();
    }
    folders << QFileInfo(project).absolutePath();
    for (const QString& folder : folders)
        for (StructureMode mode : {StructureMode::Wall, StructureMode::Base, StructureMode::Ditch})
            if (!FindDrawing(folder, mode).isEmpty())
                return folder;
    return folders.first();
}

std::optional<QString> OutputOntoInput(const QString& output, const QStringList& projects) {
    if (output.isEmpty())
        return std::nullopt;
    for (const QString& project : projects)
        if (Same(output, project))
            return Refusal(output, U("物件ファイル"));
    QStringList folders{QDir::currentPath()};
    for (const QString& project : projects)
        folders << DrawingFolder(QFileInfo(project).absoluteFilePath());
    for (const QString& folder : folders)
        if (Same(output, QDir(folder).filePath(QStringLiteral("Qrtt.dat"))))
            return Refusal(output, U("設定ファイル（Qrtt.dat）"));
    for (const QString& folder : folders)
        for (StructureMode mode : {StructureMode::Wall, StructureMode::Base, StructureMode::Ditch}) {
            // The drawing in the folder or, failing that, the delivered one.
            const QString drawing = LocateDrawing(folder, DrawingFileName(mode));
            if (!drawing.isEmpty() && Same(output, drawing))
                return Refusal(output, U("図面ファイル"));
        }
    return std::nullopt;
}

std::optional<QString> NotAProject(const QString& project) {
    try {
        const yoheki::ProjectCheck check =
            yoheki::CheckProject(yoheki::IniFile(yoheki::PathBytes(project)));
        if (check.kind == yoheki::ProjectCheck::Kind::Project)
            return std::nullopt;
        return QString::fromStdString(check.messages.front());
    } catch (const yoheki::Error& e) {
        return U(e.what());
    }
}

// Text for a person at a terminal that shows UTF-8; files and pipes get the
// Shift-JIS bytes they always had, which other programs rely on.
bool TerminalShowsUtf8() {
#ifdef _WIN32
    return _isatty(_fileno(stdout)) && GetConsoleOutputCP() == CP_UTF8;
#else
    const char* codeset = nl_langinfo(CODESET);
    return isatty(STDOUT_FILENO) && codeset && std::strcmp(codeset, "UTF-8") == 0;
#endif
}

std::optional<BatchOptions> ParseBatchArgs(const QStringList& args, int accepted, QString& why) {
    BatchOptions o;
    QStringList seen;
    for (int i = 0; i < args.size(); ++i)
        if (!Take(o, args, i, accepted, seen, why))
            return std::nullopt;
    if ((accepted & kOptUtf8) && o.outFile.isEmpty() && o.csvFile.isEmpty() && TerminalShowsUtf8())
        o.utf8 = true;
    if (o.project.isEmpty() && !o.help) {
        why = U("物件ファイル(.Fa1)を指定して下さい");
        return std::nullopt;
    }
    return o;
}

int Fail(std::FILE* err, const QString& why, int status) {
    const QString prefix = QStringLiteral("yoheki-batch: ");
    Print(err, prefix + BatchDialogs::OneLine(why, static_cast<int>(prefix.size())) + u'\n');
    return status;
}

std::optional<int> StartOutputCommand(std::optional<BatchOptions>& o, const QString& why,
                                      const char* command, QString (*help)(), std::FILE* out,
                                      std::FILE* err) {
    if (!o)
        return Fail(err, why + U("（yoheki-batch ") + QLatin1String(command) +
                             U(" --help で使い方を表示）"),
                    kExitUsage);
    if (o->help) {
        Print(out, help());
        return kExitOk;
    }
    // Paths are taken from the start folder.
    const QString given = o->project;
    o->project = QFileInfo(given).absoluteFilePath();
    o->outFile = QFileInfo(o->outFile).absoluteFilePath();
    QFile project(o->project);
    if (!QFileInfo(o->project).isFile() || !project.open(QIODevice::ReadOnly))
        return Fail(err, U("物件ファイル【") + given + U("】を読めません"), kExitFailed);
    if (const auto refusal = OutputOntoInput(o->outFile, {o->project}))
        return Fail(err, *refusal, kExitUsage);
    return std::nullopt;
}
