#include "TextCommand.h"

#include "BatchArgs.h"
#include "BatchDialogs.h"
#include "Error.h"
#include "IniFile.h"
#include "PrnSys.h"
#include "Takeoff.h"
#include "main1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

namespace {

using TextOptions = BatchOptions;

std::optional<TextOptions> Parse(const QStringList& args, QString& why) {
    return ParseBatchArgs(args, kOptItem | kOptOut | kOptUtf8, why);
}

// Where the drawings are: the settings file of the start folder says so, as
// it does for the window; without one, the start folder itself.
QString SettingsDirectory() {
    try {
        yoheki::IniFile ini("Qrtt.dat");
        const std::string dir = ini.ReadString("出力ファイル名", "TF", "");
        if (!dir.empty())
            return QString::fromStdString(dir);
    } catch (const yoheki::Error&) {
    }
    return QDir::currentPath();
}

bool Readable(const QString& path) {
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly);
}

// The window, headless and read-only, with the project open on it.
struct Headless {
    BatchDialogs dialogs;
    TForm2 form2;
    TForm1 form;
    explicit Headless(std::FILE* err, const QString& project)
        : dialogs(err), form(dialogs, QStringList()) {
        form.Attach(&form2, nullptr);
        ProjectStore::Of(form).SetReadOnly(true);
        form.SettingsDir = SettingsDirectory();
        OpenProject(form, project);
    }
};

// The lines of the output, or the reason there are none.
std::optional<QStringList> Compose(Headless& h, const TextOptions& o, QString& why) {
    TForm1& f = h.form;
    f.Q1->setChecked(!o.item);
    if (o.item) {
        const int index = f.ComboBox1->findText(*o.item);
        if (index < 0) {
            why = U("拾い【") + *o.item + U("】は物件にありません");
            return std::nullopt;
        }
        ShowItem(f, index);
        if (!CalculateItem(f)) {
            why = U("拾い【") + *o.item + U("】は演算できませんでした");
            return std::nullopt;
        }
    }
    return ComposeTextOutput(f);
}

int Write(std::FILE* out, const TextOptions& o, const QByteArray& bytes, std::FILE* err) {
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
    Headless headless(err, project);
    const std::optional<QStringList> lines = Compose(headless, *o, why);
    if (!lines)
        return Fail(err, why, kExitFailed);
    QByteArray bytes;
    try {
        bytes = EncodeTextOutput(*lines, o->utf8);
    } catch (const yoheki::Error& e) {
        return Fail(err, U(e.what()), kExitFailed);
    }
    return Write(out, *o, bytes, err);
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
