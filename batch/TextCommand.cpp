#include "TextCommand.h"

#include "BatchArgs.h"
#include "BatchDialogs.h"
#include "Console.h"
#include "Error.h"
#include "IniFile.h"
#include "ProjectCheck.h"
#include "Runs.h"
#include "SectionReader.h"
#include "TextFile.h"
#include "PathBytes.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <optional>

namespace {

using TextOptions = BatchOptions;

std::optional<TextOptions> Parse(const QStringList& args, QString& why) {
    return ParseBatchArgs(args, kOptItem | kOptOut | kOptUtf8, why);
}

bool Readable(const QString& path) {
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly);
}

std::string Utf8(const QString& text) {
    return text.toStdString();
}

// The item named on the command line, calculated as the window's
// "演算実行(&D)" calculates it after choosing it: its lines without the
// drawing labels, then the closing line.
std::optional<std::string> OneItem(const yoheki::IniFile& ini, const takeoff::RunContext& context,
                                   const TextOptions& o, QString& why) {
    const std::optional<takeoff::NamedRun> run = takeoff::RunNamed(ini, Utf8(*o.item), context);
    if (!run) {
        why = U("拾い【") + *o.item + U("】は物件にありません");
        return std::nullopt;
    }
    const std::optional<engine::CalcOutput>& out = run->output;
    if (!out) {
        why = U("拾い【") + *o.item + U("】は演算できませんでした");
        return std::nullopt;
    }
    std::vector<std::string> lines = takeoff::SingleOutputLines(out->lines);
    lines.push_back(takeoff::ClosingLine());
    return takeoff::EncodeLines(lines, o.utf8);
}

takeoff::RunContext Context(const QString& project, const TextOptions& o,
                            BatchDialogs& dialogs) {
    return {takeoff::Caption(Utf8(project)),
            {false, !o.item},
            [&dialogs](const std::string& text) { dialogs.message(QString::fromStdString(text)); },
            {}};
}

// The one item named on the command line, or the reason there is none.
std::optional<std::string> Compose(const QString& project, const TextOptions& o, std::FILE* err,
                                   QString& why) {
    BatchDialogs dialogs(err);
    try {
        const yoheki::IniFile ini(yoheki::PathBytes(project));
        return OneItem(ini, Context(project, o, dialogs), o, why);
    } catch (const yoheki::Error& e) {
        why = U(e.what());
        return std::nullopt;
    }
}

// Every item's statement, written to `spool` as it is produced, so that a
// project of any size needs little more memory than its file. False with
// the reason when nothing could be calculated.
bool Continuous(const QString& project, const TextOptions& o, std::FILE* err, QFile& spool,
                QString& why) {
    BatchDialogs dialogs(err);
    const std::string path = yoheki::PathBytes(project);
    const std::string bytes = takeoff::ReadFileBytes(path);
    takeoff::SectionReader reader(bytes);
    bool written = true;
    const std::size_t calculated = takeoff::WriteContinuous(
        reader, Context(project, o, dialogs), o.utf8,
        [&](const std::string& chunk) {
            written = written && spool.write(chunk.data(), static_cast<qint64>(chunk.size())) ==
                                     static_cast<qint64>(chunk.size());
        },
        [&](const std::string& item, std::size_t line) {
            dialogs.message(QString::fromStdString(takeoff::LeftOutMessage(reader, Utf8(project), item, line)));
        });
    for (const std::string& note : takeoff::StrayLineMessages(reader, Utf8(project)))
        dialogs.message(QString::fromStdString(note));
    if (const auto notProject = takeoff::NoProjectMessage(reader, Utf8(project)))
        why = QString::fromStdString(*notProject);
    else if (calculated == 0)
        why = U("演算できた拾いがありません（何も出力していません）");
    else if (!written || !spool.flush())
        why = U("一時ファイルに書き込めません：") + spool.errorString();
    return why.isEmpty();
}

// Copies the spooled output to the stream or appends it to the file named
// with -o, in pieces. A file that cannot take it all is put back as it was.
std::optional<QString> CopyOut(QFile& spool, std::FILE* out, const TextOptions& o) {
    spool.seek(0);
    if (!o.outFile.isEmpty()) {
        TextAppender target(o.outFile);
        if (auto failed = target.Open())
            return failed;
        while (!spool.atEnd())
            if (auto failed = target.Write(spool.read(1 << 20)))
                return failed;
        return target.Finish();
    }
    QFile target;
    if (!target.open(out, QIODevice::WriteOnly))
        return U("出力を書き込めません");
    while (!spool.atEnd()) {
        const QByteArray piece = spool.read(1 << 20);
        if (piece.isEmpty() || target.write(piece) != piece.size())
            return U("出力を書き込めません：") + target.errorString();
    }
    if (!target.flush())
        return U("出力を書き込めません：") + target.errorString();
    return std::nullopt;
}

int RunContinuous(const QString& project, const TextOptions& o, std::FILE* out, std::FILE* err) {
    QTemporaryFile spool;
    if (!spool.open())
        return Fail(err, U("一時ファイルを作れません：") + spool.errorString(), kExitFailed);
    QString why;
    try {
        if (!Continuous(project, o, err, spool, why))
            return Fail(err, why, kExitFailed);
    } catch (const yoheki::Error& e) {
        return Fail(err, U(e.what()), kExitFailed);
    }
    if (const auto failure = CopyOut(spool, out, o))
        return Fail(err, *failure, kExitFailed);
    return kExitOk;
}

int Write(std::FILE* out, const TextOptions& o, const std::string& text, std::FILE* err) {
    const QByteArray bytes = QByteArray::fromStdString(text);
    if (!o.outFile.isEmpty()) {
        if (const auto failure = AppendToFile(o.outFile, bytes))
            return Fail(err, *failure, kExitFailed);
        return kExitOk;
    }
    if (std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), out) !=
            static_cast<std::size_t>(bytes.size()) ||
        std::fflush(out) != 0)
        return Fail(err, U("出力を書き込めません"), kExitFailed);
    return kExitOk;
}

} // namespace

int TextCommand(const QStringList& args, std::FILE* out, std::FILE* err) {
    QString why;
    std::optional<TextOptions> o = Parse(args, why);
    if (!o)
        return Fail(err, why + U("（yoheki-batch text --help で使い方を表示）"), kExitUsage);
    if (o->help) {
        Print(out, TextHelp());
        return kExitOk;
    }
    // Paths are taken from the start folder; opening the project moves there.
    const QString project = QFileInfo(o->project).absoluteFilePath();
    if (!o->outFile.isEmpty())
        o->outFile = QFileInfo(o->outFile).absoluteFilePath();
    if (!Readable(project))
        return Fail(err, U("物件ファイル【") + o->project + U("】を読めません"), kExitFailed);
    if (const auto refusal = OutputOntoInput(o->outFile, {project}))
        return Fail(err, *refusal, kExitUsage);
    if (!o->item)
        return RunContinuous(project, *o, out, err);
    const std::optional<std::string> bytes = Compose(project, *o, err, why);
    if (!bytes)
        return Fail(err, why, kExitFailed);
    return Write(out, *o, *bytes, err);
}

QString TextHelp() {
    return U("使い方: yoheki-batch text 物件.Fa1 [--item 拾い名称] [-o 出力ファイル] [--utf8]\n"
             "\n"
             "物件の数量調書をテキストで出力します。画面の「ﾃｷｽﾄ出力(&T)」が新しい\n"
             "ファイルに書くものと同じバイト列です（Shift-JIS、行末 CR LF、最後に区切り行）。\n"
             "\n"
             "  (指定なし)        全ての拾いを順に演算して出力（「連続Text出力(&Q)」と同じ）\n"
             "  --item 拾い名称   その拾いだけを出力（図面用の8行を除く）\n"
             "  -o 出力ファイル   標準出力の代わりにこのファイルへ追記（無ければ作成）\n"
             "  --utf8            Shift-JIS の代わりに UTF-8 で出力\n"
             "\n"
             "メッセージは「message: 本文」の1行ずつ標準エラーに出します。確認には OK と\n"
             "答えます。物件ファイルも Qrtt.dat も変更しません。\n"
             "終了コード: 0 成功、1 物件を読めない・出力できない、2 指定の誤り\n");
}
