// Printing commands: the statement on screen, every item of the project, a
// preview, and the separate edit-file print tool.
#include "main1.h"

#include "OutputGuard.h"
#include "Error.h"
#include "IniFile.h"
#include "Lines.h"
#include "PrnSys.h"
#include "RunMessages.h"
#include "Runs.h"
#include "Takeoff.h"
#include "PathBytes.h"
#include "UndoStack.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QProcess>

namespace {

const QString kCannotPrint =
    QStringLiteral("印刷は出来ません。説明書の【数量算出及び印刷】をお読みください");
const QString kAllPrinted = QStringLiteral("全データの印刷が終わりました");
const QString kEditTool = QStringLiteral("Hakobe.EXE");
const QString kNothingToPrint = QStringLiteral(
    "印刷できるデータがありませんでした。\n\r演算が止まった拾いは印刷していません。");
const QString kPrinterFailed =
    QStringLiteral("プリンタに出力できませんでした。\n\rプリンタの設定を確かめてください。");

StructureMode ModeOf(const TForm1& f) {
    return engine::ModeOf(f.B1->isChecked(), f.U2->isChecked());
}

// The drawing printed with a statement follows the window's choice.
std::optional<engine::section::Drawing> PrintedSection(const TForm1& f, const engine::Snapshot& s) {
    if (!f.SectionDrawingChosen())
        return std::nullopt;
    return engine::section::SectionOf(s);
}

// The print job fields: the item's name as the title, the drawings' folder,
// the project's name for the title block.
void FillJob(TForm1& f) {
    f.Form2->Edit1->setText(f.ComboBox1->currentText());
    f.Form2->Edit2->setText(f.SettingsDir);
    f.Form2->Section = PrintedSection(f, f.TakeSnapshot());
    f.Form2->ProjectName = QFileInfo(f.CurrentProject).completeBaseName();
}

// The printer set-up with the title block's switch, kept for the session.
bool PrinterSetup(TForm1& f) {
    yoheki::PrintOptions options{f.Form2->TitleBlockOn};
    if (!f.dialogs.printSetup(f.Form2->Printer(), options))
        return false;
    f.Form2->TitleBlockOn = options.titleBlock;
    return true;
}

// A PDF chosen in the printer set-up must not overwrite what the program
// reads: true (after the message) when it would.
bool PdfOntoInput(TForm1& f) {
    const QPrinter& printer = f.Form2->Printer();
    return printer.outputFormat() == QPrinter::PdfFormat &&
           RefuseOutput(f.dialogs, printer.outputFileName(), f.CurrentProject, f.SettingsDir);
}

// The printer set-up before the first page, offering a PDF named `title`.
bool ChoosePrinter(TForm1& f, const QString& title) {
    f.Form2->Printer().setDocName(title);
    return PrinterSetup(f) && !PdfOntoInput(f);
}

bool PrintJob(TForm1& f) {
    FillJob(f);
    if (f.Form2->Print(ModeOf(f)).printed)
        return true;
    f.dialogs.message(kPrinterFailed);
    return false;
}

// After printing every item, the project's first item is on screen again.
void BackToFirstItem(TForm1& f) {
    f.ListOutPut(f.ComboBox1->currentText(), f.CurrentProject);
    if (f.ComboBox1->count() == 0)
        return;
    f.ComboBox1->setCurrentIndex(0);
    f.ComboBox1->setEditText(f.ComboBox1->itemText(0));
    f.ListInput(f.ComboBox1->itemText(0), f.CurrentProject);
    f.RememberedIndex = 0;
}

// How many pages printing every item gives: the items whose run goes through,
// worked out silently before the first page so each page can say "x / y".
int PrintablePages(const yoheki::IniFile& ini, const std::vector<std::string>& names,
                   const takeoff::RunContext& context) {
    int pages = 0;
    for (const std::string& name : names) {
        const takeoff::ItemRecord item = takeoff::ReadItem(ini, name);
        pages += takeoff::RunItem(takeoff::ToSnapshot(item, name, context.caption, context.flags),
                                  [](const std::string&) {})
                     .has_value();
    }
    return pages;
}

} // namespace

void TForm1::Print1Click() {
    if (!StatementOfScreen(*this))
        return;
    Form2->Printer().setDocName(ComboBox1->currentText());
    if (Form2->ListBox1->count() == 0 || !PrinterSetup(*this)) {
        dialogs.message(kCannotPrint);
        return;
    }
    if (!PdfOntoInput(*this))
        PrintJob(*this);
}

// Every item as one print job, one page per item whose calculation ran, in
// list order; on a PDF printer that is one file.
// Every item is calculated from the project file (the item on screen saved
// there first), without loading it onto the screen; each run's messages are
// shown as "演算実行(&D)" shows them, and an item whose run stopped is not
// printed. The screen then shows the first item as a fresh load does.
void TForm1::A2Click() {
    ListOutPut(ComboBox1->currentText(), CurrentProject);
    D2->setChecked(false);
    const QString title = QFileInfo(CurrentProject).completeBaseName();
    const QStringList onHand = Form2->Lines();
    std::vector<std::string> names;
    const yoheki::IniFile* ini = nullptr;
    try {
        ini = &ProjectStore::Of(*this).project.Open(yoheki::PathBytes(CurrentProject));
        names = ini->ReadSections();
    } catch (const yoheki::Error& e) {
        return dialogs.message(QString::fromUtf8(e.what()));
    }
    // What the runs say is shown once, after the last page.
    OutputMessages said;
    const takeoff::RunContext context{
        ProjectCaption(*this).toStdString(), {false, Q1->isChecked()}, said.Sink(), {}};
    Form2->ProjectName = title;
    // The printer is chosen once the first item's run has been seen.
    bool failed = false;
    const bool finished = takeoff::ForEachRunUntil(*ini, context, [&](const takeoff::ItemRun& run) {
        said.EndItem(QString::fromStdString(run.name), run.snapshot);
        if (run.index == 0) {
            if (!ChoosePrinter(*this, title))
                return false;
            Form2->BeginDocument(title, PrintablePages(*ini, names, context));
        }
        if (!run.output)
            return true;
        Form2->SetLines(takeoff::QtLines(run.output->lines));
        Form2->Edit1->setText(QString::fromStdString(run.name));
        Form2->Edit2->setText(SettingsDir);
        Form2->Section = PrintedSection(*this, run.snapshot);
        if (Form2->AddPage(takeoff::Mode(run.record)))
            return true;
        failed = true;
        return false;
    });
    if (failed) {
        Form2->EndDocument();
        Form2->SetLines(onHand);
        return dialogs.message(kPrinterFailed);
    }
    if (!finished)
        return; // no printer chosen
    const int printed = Form2->EndDocument();
    Form2->SetLines(onHand);
    BackToFirstItem(*this);
    if (const QString report = said.Report(); !report.isEmpty())
        dialogs.message(report);
    dialogs.message(printed > 0 || names.empty() ? kAllPrinted : kNothingToPrint);
}

void TForm1::PrintPreview1Click() {
    if (!StatementOfScreen(*this))
        return;
    if (Form2->ListBox1->count() == 0) {
        dialogs.message(kCannotPrint);
        return;
    }
    FillJob(*this);
    Form2->MayPrint = [this](const QPrinter&) { return !PdfOntoInput(*this); };
    Form2->Preview({Form2->Page(ModeOf(*this))}, this);
}

void TForm1::FileE1Click() {
    QProcess tool;
    tool.setProgram(kEditTool);
    tool.setWorkingDirectory(QDir::currentPath());
    tool.setProcessChannelMode(QProcess::ForwardedChannels);
    tool.start();
    if (!tool.waitForStarted()) {
        show();
        dialogs.message(kEditTool + QStringLiteral("を起動できませんでした。\n\r"
                                                   "プログラムの置き場所を確かめてください。"));
        return;
    }
    hide();
    // The window stays responsive to the system while it waits for the tool.
    QEventLoop wait;
    connect(&tool, &QProcess::finished, &wait, &QEventLoop::quit);
    if (tool.state() != QProcess::NotRunning)
        wait.exec();
    show();
}
