#include "CheckCommand.h"

#include "BatchArgs.h"
#include "BatchDialogs.h"
#include "Checks.h"
#include "Cp932.h"
#include "Error.h"
#include "ProjectCheck.h"
#include "Runs.h"
#include "SectionReader.h"
#include "PathBytes.h"

#include <QFile>
#include <QFileInfo>
#include <functional>
#include <optional>
#include <utility>

namespace {

constexpr int kFindings = 1, kCannotCheck = 2;

// Keeps the messages of the item being calculated, for the line of an item
// that could not be calculated; the run goes on.
class Quiet : public BatchDialogs {
  public:
    void message(const QString& text) override { texts << text; }
    bool question(const QString& text, Icon) override {
        texts << text;
        return true;
    }
    QStringList Take() { return std::exchange(texts, {}); }

  private:
    QStringList texts;
};

struct Checked {
    QString name;
    std::optional<std::vector<checks::Finding>> findings; // nothing: not calculated
    QStringList messages;
};
using CheckVisitor = std::function<void(Checked)>;

// Every item of the project (or the one named), calculated from the file
// alone, with the snapshot its run read. False with `why` when the file is
// no project or the named item is not in it.
bool VisitItems(const QString& project, Quiet& dialogs, const std::optional<QString>& only,
                const CheckVisitor& visit, QString& why) {
    const std::string path = yoheki::PathBytes(project);
    const std::string bytes = takeoff::ReadFileBytes(path);
    takeoff::SectionReader reader(bytes);
    const takeoff::RunContext context{
        takeoff::Caption(project.toStdString()),
        {false, false},
        [&dialogs](const std::string& text) { dialogs.message(QString::fromStdString(text)); },
        {}};
    bool found = !only;
    takeoff::ForEachRun(
        reader, context,
        [&](const takeoff::ItemRun& run) {
            const QString name = QString::fromStdString(run.name);
            if (only && name != *only) {
                dialogs.Take();
                return;
            }
            found = true;
            Checked c{name, std::nullopt, dialogs.Take()};
            if (run.output)
                c.findings = checks::CheckItem(run.snapshot, *run.output);
            visit(std::move(c));
        },
        // Named by file and line on standard error and left out of the
        // table, as every other subcommand does.
        [&](const std::string& name, std::size_t line) {
            dialogs.BatchDialogs::message(QString::fromStdString(
                takeoff::LeftOutMessage(reader, project.toStdString(), name, line)));
        });
    for (const std::string& note : takeoff::StrayLineMessages(reader, project.toStdString()))
        dialogs.BatchDialogs::message(QString::fromStdString(note));
    if (const auto notProject = takeoff::NoProjectMessage(reader, path))
        why = QString::fromStdString(*notProject);
    else if (!found)
        why = U("拾い【") + *only + U("】は物件にありません");
    return why.isEmpty();
}

QString Flat(QString text) {
    text.replace(QStringLiteral("\n\r"), QStringLiteral(" "));
    text.replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' ');
    return text;
}

// item<TAB>level<TAB>quantity<TAB>text for each finding; an item that could
// not be calculated is an error of its own.
QString Lines(const Checked& c, bool& error) {
    const QString item = Flat(c.name) + u'\t';
    if (!c.findings) {
        error = true;
        QStringList said;
        for (const QString& m : c.messages)
            said << Flat(m).simplified();
        said.removeDuplicates();
        return item + U("エラー\t演算\t演算できませんでした：") +
               (said.isEmpty() ? U("入力を確かめて下さい") : said.join(U("　／　"))) + u'\n';
    }
    QString out;
    for (const checks::Finding& f : *c.findings)
        out += item + QString::fromStdString(checks::FindingFields(f)) + u'\n';
    error = error || checks::HasError(*c.findings);
    return out;
}

int Run(const BatchOptions& o, std::FILE* out, std::FILE* err) {
    Quiet dialogs;
    QString text, why;
    bool error = false;
    if (!VisitItems(o.project, dialogs, o.item, [&](Checked c) { text += Lines(c, error); }, why))
        return Fail(err, why, kCannotCheck);
    text.replace(u'\n', QStringLiteral("\r\n"));
    std::string bytes = text.toStdString();
    try {
        if (!o.utf8)
            bytes = yoheki::cp932::Encode(bytes);
    } catch (const yoheki::Error& e) {
        return Fail(err, U(e.what()) + U("（--utf8 で出力して下さい）"), kCannotCheck);
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() || std::fflush(out) != 0)
        return Fail(err, U("出力を書き込めません"), kCannotCheck);
    return error ? kFindings : kExitOk;
}

} // namespace

int CheckCommand(const QStringList& args, std::FILE* out, std::FILE* err) {
    QString why;
    std::optional<BatchOptions> o = ParseBatchArgs(args, kOptItem | kOptUtf8, why);
    if (!o)
        return Fail(err, why + U("（yoheki-batch check --help で使い方を表示）"), kCannotCheck);
    if (o->help) {
        Print(out, CheckHelp());
        return kExitOk;
    }
    const QString given = o->project;
    o->project = QFileInfo(o->project).absoluteFilePath();
    QFile project(o->project);
    if (!QFileInfo(o->project).isFile() || !project.open(QIODevice::ReadOnly))
        return Fail(err, U("物件ファイル【") + given + U("】を読めません"), kCannotCheck);
    return Run(*o, out, err);
}

QString CheckHelp() {
    return U("使い方: yoheki-batch check 物件.Fa1 [--item 拾い名称] [--utf8]\n"
             "\n"
             "物件の拾いを演算して数量を検算し、気になる点を1件1行で出力します:\n"
             "  拾い名称<TAB>レベル<TAB>数量・入力<TAB>内容\n"
             "レベルは「エラー」（あり得ない数量、式と合わない数量）か「注意」（確かめたい入力）。\n"
             "演算できない拾いはエラーとして理由を示します。何も見つからなければ何も出力しません。\n"
             "\n"
             "  (指定なし)        全ての拾いを順に検算\n"
             "  --item 拾い名称   その拾いだけを検算\n"
             "  --utf8            Shift-JIS の代わりに UTF-8 で出力\n"
             "\n"
             "行末は CR LF です。物件ファイルも Qrtt.dat も変更しません。\n"
             "終了コード: 0 エラーなし、1 エラーあり、2 検算できない（物件を読めない・指定の誤り）\n");
}
