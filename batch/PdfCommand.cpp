#include "PdfCommand.h"

#include "BatchArgs.h"
#include "BatchDialogs.h"
#include "Error.h"
#include "IniFile.h"
#include "ProjectCheck.h"
#include "Lines.h"
#include "Runs.h"
#include "SaveBytes.h"
#include "StatementPdf.h"
#include "PathBytes.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <optional>

namespace {

struct PdfOptions : BatchOptions {
    bool section = false; // --section: the 寸法図 in the drawing's place
};

std::optional<PdfOptions> Parse(QStringList args, QString& why) {
    const bool section = args.removeAll(QStringLiteral("--section")) > 0;
    std::optional<BatchOptions> parsed = ParseBatchArgs(args, kOptItem | kOptOut, why);
    if (!parsed)
        return std::nullopt;
    std::optional<PdfOptions> o = PdfOptions{*parsed, section};
    if (o && !o->help && o->outFile.isEmpty()) {
        why = U("-o で出力するPDFファイルを指定して下さい");
        return std::nullopt;
    }
    return o;
}

// The pages of every item, or of the one named; an item whose calculation
// stops is left out (its messages went to standard error).
std::optional<QList<StatementPage>> Pages(const yoheki::IniFile& ini,
                                          const yoheki::ProjectCheck& check, const PdfOptions& o,
                                          std::FILE* err, QString& why) {
    const QString drawings = DrawingFolder(o.project);
    BatchDialogs dialogs(err);
    // Items with bytes that are not CP932 text are named and left out.
    for (const std::string& m : check.messages)
        dialogs.message(QString::fromStdString(m));
    const takeoff::RunContext context{
        takeoff::Caption(o.project.toStdString()),
        {false, false}, // "連続Text出力(&Q)" stays unchecked while printing
        [&dialogs](const std::string& text) { dialogs.message(QString::fromStdString(text)); },
        [&check](const std::string& name) { return check.Unreadable(name); }};
    QList<StatementPage> pages;
    const auto add = [&](const QString& name, const takeoff::ItemRecord& record,
                         const std::optional<engine::CalcOutput>& out) {
        if (!out)
            return;
        pages << StatementPage{name, drawings, takeoff::Mode(record), takeoff::QtLines(out->lines), {}};
        if (o.section)
            pages.back().section = engine::section::SectionOf(
                takeoff::ToSnapshot(record, name.toStdString(), context.caption, context.flags));
        // Numbered through the document when it is painted.
        pages.back().titleBlock = TitleBlock{QFileInfo(o.project).completeBaseName(), name,
                                             QDate::currentDate(), 1, 1};
    };
    if (!o.item) {
        takeoff::ForEachRun(ini, context, [&](const takeoff::ItemRun& run) {
            add(QString::fromStdString(run.name), run.record, run.output);
        });
        return pages;
    }
    const std::optional<takeoff::NamedRun> run =
        check.Unreadable(o.item->toStdString())
            ? std::nullopt
            : takeoff::RunNamed(ini, o.item->toStdString(), context);
    if (!run) {
        why = U("拾い【") + *o.item + U("】は物件にありません");
        return std::nullopt;
    }
    add(*o.item, run->record, run->output);
    return pages;
}

// A4 portrait at 600 dpi without margins, as the statements are printed;
// written whole or not at all.
std::optional<QString> WritePdf(const QString& path, const QList<StatementPage>& pages,
                                QStringList& notes) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(600);
        pdf.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        QStringList titles;
        for (const StatementPage& page : pages)
            titles << page.title;
        pdf.setTitle(titles.join(U("、")));
        pdf.setCreator(QStringLiteral("yoheki"));
        const std::optional<QStringList> painted = PaintStatements(pdf, pages);
        if (!painted)
            return U("頁を描けません");
        notes = *painted;
    }
    // Through the program's one save: links followed, the folder flushed.
    return yoheki::SaveBytes(path, buffer.data());
}

int Run(const PdfOptions& o, std::FILE* err) {
    QString why;
    std::optional<QList<StatementPage>> pages;
    try {
        const yoheki::IniFile ini(yoheki::PathBytes(o.project));
        const yoheki::ProjectCheck check = yoheki::CheckProject(ini);
        if (check.kind != yoheki::ProjectCheck::Kind::Project)
            return Fail(err, QString::fromStdString(check.messages.front()), kExitFailed);
        pages = Pages(ini, check, o, err, why);
    } catch (const yoheki::Error& e) {
        return Fail(err, U(e.what()), kExitFailed);
    }
    if (!pages)
        return Fail(err, why, kExitFailed);
    if (pages->isEmpty())
        return Fail(err, U("出力できる拾いがありません（PDFは作りませんでした）"), kExitFailed);
    QStringList notes;
    if (const auto failed = WritePdf(o.outFile, *pages, notes))
        return Fail(err, U("PDFファイル【") + o.outFile + U("】に書き込めません\n\r（") + *failed + U("）"),
                    kExitFailed);
    for (int i = 0; i < notes.size(); ++i)
        if (!notes[i].isEmpty())
            Print(err, QStringLiteral("message: ") + U("【") + (*pages)[i].title + U("】") +
                           BatchDialogs::OneLine(notes[i]) + u'\n');
    return kExitOk;
}

} // namespace

int PdfCommand(const QStringList& args, std::FILE* out, std::FILE* err) {
    QString why;
    const std::optional<PdfOptions> parsed = Parse(args, why);
    std::optional<BatchOptions> o;
    if (parsed)
        o = *parsed;
    if (const std::optional<int> end = StartOutputCommand(o, why, "pdf", PdfHelp, out, err))
        return *end;
    return Run(PdfOptions{*o, parsed->section}, err);
}

QString PdfHelp() {
    return U("使い方: yoheki-batch pdf 物件.Fa1 -o 出力.pdf [--item 拾い名称] [--section]\n"
             "\n"
             "物件の数量調書を、画面の「全印刷(&A)」と同じ頁（1拾い1頁、図面付き）で\n"
             "PDFファイルに書きます。プリンタも画面も要りません。\n"
             "\n"
             "  -o 出力.pdf       書き出すPDFファイル（既にあれば置き換え）\n"
             "  --item 拾い名称   その拾いの頁だけを出力\n"
             "  --section         図面の場所に寸法図（入力寸法から描いた断面と根切り）\n"
             "\n"
             "図面は Qrtt.dat の図面フォルダ（TF）から、Qrtt.dat が無ければ物件の\n"
             "フォルダから読みます。演算できない拾いは頁にせず、そのメッセージを\n"
             "「message: 本文」の1行ずつ標準エラーに出します。\n"
             "物件ファイルも Qrtt.dat も変更しません。\n"
             "終了コード: 0 成功、1 物件を読めない・出力できない、2 指定の誤り\n");
}
