#include "CompareCommand.h"

#include "BatchArgs.h"
#include "BatchDialogs.h"
#include "Compare.h"
#include "Cp932.h"
#include "Error.h"
#include "SaveBytes.h"

#include <QFileInfo>
#include <optional>

namespace {

// Like diff: the revisions agree, they differ, or the comparison failed.
enum CompareStatus { kSame = 0, kDiffer = 1, kTrouble = 2 };

struct CompareOptions {
    QString earlier, current, csvFile;
    bool utf8 = false, all = false, help = false;
};

// The two project files and the options; --all is ours, the rest is shared.
std::optional<CompareOptions> Parse(QStringList args, QString& why) {
    CompareOptions o;
    const auto all = args.removeAll(QStringLiteral("--all"));
    if (all > 1) {
        why = U("同じオプションが二度指定されています: --all");
        return std::nullopt;
    }
    o.all = all > 0;
    QStringList projects;
    for (qsizetype i = 0; i < args.size(); ++i)
        if (!args[i].startsWith(u'-') || args[i] == u"-")
            projects << args[i];
        else if (args[i] == u"--csv")
            ++i;
    if (projects.size() > 2) {
        why = U("物件ファイルは当初と変更の二つを指定して下さい: ") + projects[2];
        return std::nullopt;
    }
    if (projects.size() == 2) // the shared parser takes one project
        args.removeOne(projects.back());
    std::optional<BatchOptions> shared = ParseBatchArgs(args, kOptCsv | kOptUtf8, why);
    if (!shared)
        return std::nullopt;
    o.help = shared->help;
    o.utf8 = shared->utf8;
    o.csvFile = shared->csvFile;
    if (projects.size() < 2 && !o.help) {
        why = U("当初と変更の物件ファイル(.Fa1)を指定して下さい");
        return std::nullopt;
    }
    if (projects.size() == 2)
        o.earlier = projects[0], o.current = projects[1];
    return o;
}

std::optional<compare::Revision> Read(const QString& given, std::FILE* err,
                                      const compare::EntryFn& each = {}) {
    const QString path = QFileInfo(given).absoluteFilePath();
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        Fail(err, U("物件ファイル【") + given + U("】を読めません"), kTrouble);
        return std::nullopt;
    }
    compare::Revision rev = compare::ReadRevision(path, std::nullopt, each);
    if (!rev.opened) {
        Fail(err, rev.notes.isEmpty() ? U("物件ファイル【") + given + U("】を読めません") : rev.notes.front(),
             kTrouble);
        return std::nullopt;
    }
    // A file that is no project is said so, as text says it, rather than
    // compared as a project without items.
    if (!rev.notAProject.isEmpty()) {
        Fail(err, rev.notAProject, kTrouble);
        return std::nullopt;
    }
    for (const QString& note : rev.notes)
        Print(err, QStringLiteral("message: ") + BatchDialogs::OneLine(note) + u'\n');
    return rev;
}

std::optional<QString> Write(const CompareOptions& o, const QByteArray& bytes, std::FILE* out) {
    if (o.csvFile.isEmpty()) {
        const auto size = static_cast<std::size_t>(bytes.size());
        if (std::fwrite(bytes.constData(), 1, size, out) != size || std::fflush(out) != 0)
            return U("出力を書き込めません");
        return std::nullopt;
    }
    // All or nothing, through the program's one save (links followed).
    if (const auto failed = yoheki::SaveBytes(QFileInfo(o.csvFile).absoluteFilePath(), bytes))
        return U("CSVファイル【") + o.csvFile + U("】に書き込めません\n\r") + *failed;
    return std::nullopt;
}

void ReportStops(const compare::Comparison& cmp, std::FILE* err) {
    for (const compare::Row& row : cmp.rows)
        if (row.Stopped())
            Print(err, U("yoheki-batch: 拾い【") + row.name + U("】は演算できません：") +
                           row.stopped + u'\n');
}

int Run(const CompareOptions& o, std::FILE* out, std::FILE* err) {
    const std::optional<compare::Revision> earlier = Read(o.earlier, err);
    if (!earlier)
        return kTrouble;
    // The current revision is matched item by item as it is read, not held.
    compare::Matcher matcher(*earlier);
    const std::optional<compare::Revision> current =
        Read(o.current, err, [&matcher](compare::Entry&& e) { matcher.Match(e); });
    if (!current)
        return kTrouble;
    QByteArray bytes;
    compare::Comparison cmp;
    try {
        cmp = matcher.Finish(current->path);
        ReportStops(cmp, err);
        bytes = o.csvFile.isEmpty() ? TextBytes(compare::AlignedText(cmp, o.all), o.utf8)
                                    : compare::CsvBytes(cmp, o.utf8);
    } catch (const yoheki::Error& e) {
        return Fail(err, U(e.what()), kTrouble);
    }
    if (const auto failure = Write(o, bytes, out))
        return Fail(err, *failure, kTrouble);
    return cmp.Same() ? kSame : kDiffer;
}

} // namespace

int CompareCommand(const QStringList& args, std::FILE* out, std::FILE* err) {
    QString why;
    const std::optional<CompareOptions> o = Parse(args, why);
    if (!o)
        return Fail(err, why + U("（yoheki-batch compare --help で使い方を表示）"), kTrouble);
    if (o->help) {
        Print(out, CompareHelp());
        return kSame;
    }
    if (const auto refusal = OutputOntoInput(o->csvFile, {o->earlier, o->current}))
        return Fail(err, *refusal, kTrouble);
    return Run(*o, out, err);
}

QString CompareHelp() {
    return U(
        "使い方: yoheki-batch compare 当初.Fa1 変更.Fa1 [--csv 出力.csv] [--utf8] [--all]\n"
        "\n"
        "設計変更の前後の二つの物件を演算し、拾いごと・数量ごとに当初・変更・増減を\n"
        "比べます。拾いは名称の完全一致で対応させます（名称を変えた拾いは、旧名称の\n"
        "削除と新名称の新規になります）。演算できない拾いは理由を示し、合計には\n"
        "含めません。表の後に、拾いごとの変更された入力（当初 → 変更）を示します。\n"
        "\n"
        "  (指定なし)        変わった拾いと数量だけの表を標準出力へ\n"
        "  --all             全ての拾いと数量を表に含める\n"
        "  --csv 出力.csv    全ての拾いの比較表をCSVファイルに書く（既にあれば置き換え）\n"
        "  --utf8            Shift-JIS の代わりに UTF-8 で出力（CSVはBOM付き）\n"
        "\n"
        "行末は CR LF です。物件ファイルも Qrtt.dat も変更しません。\n"
        "終了コード: 0 数量が同じ、1 数量が異なる、2 物件を読めない・出力できない・指定の誤り\n");
}
