#include "TextCommand.h"

#include "BatchArgs.h"
#include "BatchDialogs.h"
#include "Error.h"
#include "IniFile.h"
#include "Runs.h"
#include "TextFile.h"

#include <QFile>
#include <QFileInfo>
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

// The bytes of the output, or the reason there are none. Every item is
// calculated from the file alone: no window, no display.
std::optional<std::string> Compose(const QString& project, const TextOptions& o, std::FILE* err,
                                   QString& why) {
    BatchDialogs dialogs(err);
    const takeoff::RunContext context{
        takeoff::Caption(Utf8(project)),
        {false, !o.item},
        [&dialogs](const std::string& text) { dialogs.message(QString::fromStdString(text)); }};
    try {
        const yoheki::IniFile ini(QFile::encodeName(project).toStdString());
        if (o.item)
            return OneItem(ini, context, o, why);
        return takeoff::ContinuousOutput(ini, context, o.utf8);
    } catch (const yoheki::Error& e) {
        why = U(e.what());
        return std::nullopt;
    }
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

void Print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

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
