#include "XlsxCommand.h"

#include "BatchArgs.h"
#include "BatchDialogs.h"
#include "Error.h"
#include "SummaryRun.h"
#include "Workbook.h"

#include <QFile>
#include <QFileInfo>
#include <optional>
#include <utility>

namespace {

using XlsxOptions = BatchOptions;

std::optional<XlsxOptions> Parse(const QStringList& args, QString& why) {
    std::optional<XlsxOptions> o = ParseBatchArgs(args, kOptOut, why);
    if (o && !o->help && o->outFile.isEmpty()) {
        why = U("-o で出力するExcelファイル(.xlsx)を指定して下さい");
        return std::nullopt;
    }
    return o;
}

int Run(const XlsxOptions& o, std::FILE* err) {
    ProjectRun run = CalculateProject(o.project);
    for (const QString& note : run.notes)
        Print(err, QStringLiteral("message: ") + BatchDialogs::OneLine(note) + u'\n');
    if (run.items.empty())
        if (const auto why = NotAProject(o.project))
            return Fail(err, *why, kExitFailed);
    summary::Table table;
    try {
        table = summary::Summarize(std::move(run.items));
    } catch (const yoheki::Error& e) {
        return Fail(err, U(e.what()), kExitFailed);
    }
    bool calculated = false;
    for (const summary::Item& item : table.items)
        if (!item.quantities)
            Print(err, U("yoheki-batch: 拾い【") + item.name + U("】は演算できません：") +
                           summary::StopText(item) + u'\n');
        else
            calculated = true;
    const QString project = QFileInfo(o.project).completeBaseName();
    if (const auto failure = workbook::WriteWorkbook(o.outFile, project, std::move(table)))
        return Fail(err, *failure, kExitFailed);
    // The workbook is written as ever, with each item's reason; that nothing
    // could be calculated is still a failure of the run.
    if (!calculated)
        return Fail(err, U("演算できた拾いがありません（ブックには各拾いの理由を書きました）"), kExitFailed);
    return kExitOk;
}

} // namespace

int XlsxCommand(const QStringList& args, std::FILE* out, std::FILE* err) {
    QString why;
    std::optional<XlsxOptions> o = Parse(args, why);
    if (const std::optional<int> end = StartOutputCommand(o, why, "xlsx", XlsxHelp, out, err))
        return *end;
    return Run(*o, err);
}

QString XlsxHelp() {
    return U("使い方: yoheki-batch xlsx 物件.Fa1 -o 出力.xlsx\n"
             "\n"
             "物件の全ての拾いを演算し、Excelファイルに書きます。\n"
             "  シート「数量総括表」 拾いごとに1行、数量ごとに1列、合計はSUM式\n"
             "  シート「仕上集計」   仕上名称ごとの合計\n"
             "  拾いごとのシート     数量調書（数量は数値のセル）\n"
             "演算できない拾いは理由を示して合計から除き、そのシートは作りません。\n"
             "\n"
             "  -o 出力.xlsx      書き出すExcelファイル（既にあれば置き換え）\n"
             "\n"
             "書き出しに失敗したときは何も書かず、前からあるファイルもそのままです。\n"
             "物件ファイルも Qrtt.dat も変更しません。\n"
             "終了コード: 0 成功、1 物件を読めない・出力できない、2 指定の誤り\n");
}
