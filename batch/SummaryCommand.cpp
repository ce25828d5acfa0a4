#include "SummaryCommand.h"

#include "BatchArgs.h"
#include "BatchDialogs.h"
#include "Cp932.h"
#include "Error.h"
#include "SaveBytes.h"
#include "SummaryRun.h"

#include <QFile>
#include <QFileInfo>
#include <optional>

namespace {

using SummaryOptions = BatchOptions;

std::optional<SummaryOptions> Parse(const QStringList& args, QString& why) {
    return ParseBatchArgs(args, kOptCsv | kOptUtf8, why);
}

std::optional<QString> Write(const SummaryOptions& o, const QByteArray& bytes, std::FILE* out) {
    if (o.csvFile.isEmpty()) {
        const auto size = static_cast<std::size_t>(bytes.size());
        if (std::fwrite(bytes.constData(), 1, size, out) != size || std::fflush(out) != 0)
            return U("出力を書き込めません");
        return std::nullopt;
    }
    // All or nothing, through the program's one save (links followed).
    if (const auto failed = yoheki::SaveBytes(o.csvFile, bytes))
        return U("CSVファイル【") + o.csvFile + U("】に書き込めません\n\r") + *failed;
    return std::nullopt;
}

int Run(const SummaryOptions& o, std::FILE* out, std::FILE* err) {
    ProjectRun run = CalculateProject(o.project, std::nullopt, false);
    for (const QString& note : run.notes)
        Print(err, QStringLiteral("message: ") + BatchDialogs::OneLine(note) + u'\n');
    if (run.items.empty())
        if (const auto why = NotAProject(o.project))
            return Fail(err, *why, kExitFailed);
    QByteArray bytes;
    bool calculated = false;
    try {
        const summary::Table table = summary::Summarize(std::move(run.items));
        for (const summary::Item& item : table.items)
            if (!item.quantities)
                Print(err, U("yoheki-batch: 拾い【") + item.name + U("】は演算できません：") +
                               summary::StopText(item) + u'\n');
            else
                calculated = true;
        // The CSV, like the workbook, holds each item's reason; the table on
        // standard output would hold nothing but the stops already reported.
        if (!calculated && o.csvFile.isEmpty())
            return Fail(err, U("演算できた拾いがありません（何も出力していません）"), kExitFailed);
        bytes = o.csvFile.isEmpty() ? TextBytes(summary::AlignedText(table), o.utf8)
                                    : summary::CsvBytes(table, o.utf8);
    } catch (const yoheki::Error& e) {
        return Fail(err, U(e.what()), kExitFailed);
    }
    if (const auto failure = Write(o, bytes, out))
        return Fail(err, *failure, kExitFailed);
    // The CSV is written as ever, with each item's reason; that nothing could
    // be calculated is still a failure of the run.
    if (!calculated)
        return Fail(err, U("演算できた拾いがありません（表には各拾いの理由を書きました）"), kExitFailed);
    return kExitOk;
}

} // namespace

int SummaryCommand(const QStringList& args, std::FILE* out, std::FILE* err) {
    QString why;
    std::optional<SummaryOptions> o = Parse(args, why);
    if (!o)
        return Fail(err, why + U("（yoheki-batch summary --help で使い方を表示）"), kExitUsage);
    if (o->help) {
        Print(out, SummaryHelp());
        return kExitOk;
    }
    const QString given = o->project;
    o->project = QFileInfo(given).absoluteFilePath();
    if (!o->csvFile.isEmpty())
        o->csvFile = QFileInfo(o->csvFile).absoluteFilePath();
    QFile project(o->project);
    if (!QFileInfo(o->project).isFile() || !project.open(QIODevice::ReadOnly))
        return Fail(err, U("物件ファイル【") + given + U("】を読めません"), kExitFailed);
    if (const auto refusal = OutputOntoInput(o->csvFile, {o->project}))
        return Fail(err, *refusal, kExitUsage);
    return Run(*o, out, err);
}

QString SummaryHelp() {
    return U("使い方: yoheki-batch summary 物件.Fa1 [--csv 出力.csv] [--utf8]\n"
             "\n"
             "物件の全ての拾いを演算し、数量を一覧にします（画面の「数量集計(&S)」と同じ表）。\n"
             "拾いごとに1行、数量ごとに1列、最後に合計行。演算できない拾いは理由を示し、\n"
             "合計には含めません。\n"
             "\n"
             "  (指定なし)        桁をそろえた表と仕上集計を標準出力へ\n"
             "  --csv 出力.csv    表をCSVファイルに書く（既にあれば置き換え）\n"
             "  --utf8            Shift-JIS の代わりに UTF-8 で出力（CSVはBOM付き）\n"
             "\n"
             "行末は CR LF です。物件ファイルも Qrtt.dat も変更しません。\n"
             "終了コード: 0 成功、1 物件を読めない・出力できない、2 指定の誤り\n");
}
