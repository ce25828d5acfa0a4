#include "EstimateCommand.h"

#include "BatchArgs.h"
#include "BatchDialogs.h"
#include "BundledData.h"
#include "Cp932.h"
#include "Error.h"
#include "EstimatePrint.h"
#include "SaveBytes.h"
#include "SummaryRun.h"
#include "TextCommand.h"
#include "Workbook.h"

#include <QFile>
#include <QFileInfo>

namespace {

struct EstimateOptions {
    BatchOptions common; // the project, --csv, --utf8, --help
    QString prices, xlsx, pdf;
};

// Takes out the options only this command has, then the shared ones.
std::optional<EstimateOptions> Parse(const QStringList& args, QString& why) {
    EstimateOptions o;
    QStringList rest;
    for (int i = 0; i < args.size(); ++i) {
        QString* value = args[i] == u"--prices" ? &o.prices
                         : args[i] == u"--xlsx" ? &o.xlsx
                         : args[i] == u"--pdf"  ? &o.pdf
                                                : nullptr;
        if (!value) {
            rest << args[i];
            continue;
        }
        if (i + 1 >= args.size()) {
            why = args[i] + U(" の後に値がありません");
            return std::nullopt;
        }
        *value = QFileInfo(args[++i]).absoluteFilePath();
    }
    auto common = ParseBatchArgs(rest, kOptCsv | kOptUtf8, why);
    if (!common)
        return std::nullopt;
    o.common = *common;
    return o;
}

// The outputs asked for; the reason of the first that fails.
std::optional<QString> WriteOutputs(const EstimateOptions& o, const summary::Table& table,
                                    const estimate::Estimate& e, std::FILE* out) {
    const QString project = QFileInfo(o.common.project).completeBaseName();
    const bool any = !o.common.csvFile.isEmpty() || !o.xlsx.isEmpty() || !o.pdf.isEmpty();
    if (!any) {
        const QByteArray bytes = TextBytes(estimate::AlignedText(e, project), o.common.utf8);
        const auto size = static_cast<std::size_t>(bytes.size());
        if (std::fwrite(bytes.constData(), 1, size, out) != size || std::fflush(out) != 0)
            return U("出力を書き込めません");
    }
    if (!o.common.csvFile.isEmpty())
        if (const auto failed = yoheki::SaveBytes(
                o.common.csvFile, estimate::CsvBytes(e, project, o.common.utf8)))
            return U("CSVファイル【") + o.common.csvFile + U("】に書き込めません\n\r") + *failed;
    if (!o.xlsx.isEmpty())
        if (const auto failed =
                workbook::WriteWorkbook(o.xlsx, project, table, QDate::currentDate(), nullptr, &e))
            return *failed;
    if (!o.pdf.isEmpty())
        if (const auto failed = WriteEstimatePdf(o.pdf, {project, QDate::currentDate(), e}))
            return U("PDFファイル【") + o.pdf + U("】に書き込めません\n\r") + *failed;
    return std::nullopt;
}

int Run(const EstimateOptions& o, std::FILE* out, std::FILE* err) {
    ProjectRun run = CalculateProject(o.common.project, std::nullopt, !o.xlsx.isEmpty());
    for (const QString& note : run.notes)
        Print(err, QStringLiteral("message: ") + BatchDialogs::OneLine(note) + u'\n');
    if (run.items.empty())
        if (const auto why = NotAProject(o.common.project))
            return Fail(err, *why, kExitFailed);
    const QString bookPath =
        o.prices.isEmpty() ? estimate::BookFor(o.common.project, yoheki::BundledDataDir())
                           : o.prices;
    estimate::PriceBook book;
    if (!bookPath.isEmpty())
        book = estimate::ReadPriceBook(bookPath);
    try {
        const summary::Table table = summary::Summarize(std::move(run.items));
        const estimate::Estimate e = estimate::MakeEstimate(table, book);
        for (const QString& p : e.problems)
            Print(err, QStringLiteral("message: ") + BatchDialogs::OneLine(p) + u'\n');
        // The table on standard output lists them under it already.
        const bool toFiles = !o.common.csvFile.isEmpty() || !o.xlsx.isEmpty() || !o.pdf.isEmpty();
        for (const checks::Finding& f : e.unpriced)
            if (toFiles)
                Print(err, QString::fromStdString(checks::FindingLine(f)) + u'\n');
        for (const QString& s : e.stopped)
            Print(err, U("yoheki-batch: 拾い【") + s.section(U("："), 0, 0) +
                           U("】は演算できません：") + s.section(U("："), 1) + u'\n');
        if (const auto failure = WriteOutputs(o, table, e, out))
            return Fail(err, *failure, kExitFailed);
    } catch (const yoheki::Error& e) {
        return Fail(err, U(e.what()), kExitFailed);
    }
    return kExitOk;
}

} // namespace

int EstimateCommand(const QStringList& args, std::FILE* out, std::FILE* err) {
    QString why;
    std::optional<EstimateOptions> o = Parse(args, why);
    std::optional<BatchOptions> common = o ? std::optional(o->common) : std::nullopt;
    if (const auto end = StartOutputCommand(common, why, "estimate", EstimateHelp, out, err))
        return *end;
    o->common = *common;
    o->common.csvFile =
        o->common.csvFile.isEmpty() ? QString() : QFileInfo(o->common.csvFile).absoluteFilePath();
    const QStringList inputs{o->common.project};
    for (const QString& output : {o->common.csvFile, o->xlsx, o->pdf}) {
        if (const auto refusal = OutputOntoInput(output, inputs))
            return Fail(err, *refusal, kExitUsage);
        if (!output.isEmpty() && !o->prices.isEmpty() && QFileInfo(output) == QFileInfo(o->prices))
            return Fail(err, U("出力ファイル【") + output + U("】は単価表です"), kExitUsage);
    }
    if (!o->prices.isEmpty() && !QFileInfo(o->prices).isFile())
        return Fail(err, U("単価表【") + o->prices + U("】を読めません"), kExitFailed);
    return Run(*o, out, err);
}

QString EstimateHelp() {
    return U("使い方: yoheki-batch estimate 物件.Fa1 [--prices 単価表.csv] [--csv 出力.csv]\n"
             "                                [--xlsx 出力.xlsx] [--pdf 出力.pdf] [--utf8]\n"
             "\n"
             "物件の全ての拾いを演算して数量を合計し、数位表で丸めた計上数量に単価表の単価を掛けて\n"
             "内訳書（工種ごとの小計、直接工事費、単価表にあれば諸経費・消費税）を作ります。\n"
             "金額は円未満切り捨て。単価のない数量は空欄で載せ、「注意」として標準エラーに示します。\n"
             "\n"
             "  --prices 単価表.csv  使う単価表（指定なし: 物件と同じフォルダの「物件名_単価.csv」、\n"
             "                       なければ利用者の単価表、なければ添付の見本単価表）\n"
             "  (出力の指定なし)     桁をそろえた内訳書を標準出力へ\n"
             "  --csv 出力.csv       内訳書をCSVファイルに書く\n"
             "  --xlsx 出力.xlsx     シート「内訳書」（金額・合計は式）を含むExcelファイルに書く\n"
             "  --pdf 出力.pdf       印刷する内訳書（A4縦）をPDFファイルに書く\n"
             "  --utf8               Shift-JIS の代わりに UTF-8 で出力（CSVはBOM付き）\n"
             "\n"
             "単価表の誤りは行と列を示して標準エラーに出し、その単価を空欄にして内訳書を作ります。\n"
             "物件ファイルも単価表も Qrtt.dat も変更しません。出力は全部書けたものだけ置き換えます。\n"
             "終了コード: 0 成功、1 物件を読めない・出力できない、2 指定の誤り\n");
}
