// yoheki-screenshot <folder>: pictures of the main window for checking the
// layout and for the documentation: the start-up screen of the sample, the
// statement pane over a wall, a base and a ditch item, the three structure
// screens, both panels, the condition menu, the project summary and the save
// and print dialogs (in Japanese under a Japanese locale), as PNG files in
// <folder>. Runs headless on
// the offscreen platform unless another platform is asked for.
#include "HelpWindow.h"
#include "IniFile.h"
#include "LivePane.h"
#include "ListIn.h"
#include "Takeoff.h"
#include "PrnSys.h"
#include "SummaryForm.h"
#include "Takeoff.h"
#include "SummaryRun.h"
#include "Translations.h"
#include "ItemCells.h"
#include "ItemTable.h"
#include "main1.h"
#include "PathBytes.h"
#include "Utf8.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QSplitter>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QToolBar>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

// The delivered settings file, drawings and sample project in a scratch
// folder that becomes the current directory, so nothing in data/ is touched.
// The settings file records the sample as the current project and the folder
// as the drawing folder, as after a first run on the sample.
bool PrepareFolder(const QTemporaryDir& scratch) {
    const QDir data(QStringLiteral(YOHEKI_DATA_DIR));
    const QStringList files = data.entryList(QDir::Files);
    for (const QString& name : files)
        QFile::copy(data.filePath(name), scratch.filePath(name));
    if (!QDir::setCurrent(scratch.path()))
        return false;
    yoheki::IniFile settings("Qrtt.dat");
    const std::string folder = yoheki::PathBytes(scratch.path());
    settings.WriteString("出力ファイル名", "DL", folder + "/見本工事.Fa1");
    settings.WriteString("出力ファイル名", "TF", folder);
    settings.UpdateFile();
    return true;
}

void FillSampleItem(TForm1& f) {
    f.ComboBox1->addItem(U("擁壁 Ｌ－１（北側）"));
    f.ComboBox1->setCurrentIndex(0);
    const char* values[] = {"", "12500", "1200", "1500", "400", "50", "100", "1200", "200", "250"};
    for (int n = 1; n <= 9; ++n)
        f.REdit(n)->setText(U(values[n]));
    f.ComboBox2->setCurrentIndex(0);
    f.ComboBox3->setCurrentIndex(1);
    f.ComboBox4->setCurrentIndex(0);
    f.CheckBox2->setChecked(true);
    f.REdit10->setText(QStringLiteral("3000"));
    f.CheckBox3->setChecked(true);
    f.CB_H->setText(U("モルタル金鏝"));
    f.REdit11->setText(QStringLiteral("600"));
    f.REdit16->setText(QStringLiteral("150"));
    f.RG_BL->SetItemIndex(2);
    f.RG_HL->SetItemIndex(0);
    f.RG_TL->SetItemIndex(1);
    f.RG_YL->SetItemIndex(0);
    f.REdit12->setText(QStringLiteral("200"));
    f.REdit14->setText(QStringLiteral("200"));
    f.REdit13->setText(QStringLiteral("250"));
    f.REdit15->setText(QStringLiteral("250"));
}

bool Save(QWidget& w, const QDir& out, const QString& name) {
    // The pane as it stands once the user pauses.
    if (auto* form = qobject_cast<TForm1*>(&w); form && form->Live->Pending())
        form->Live->Refresh();
    QApplication::processEvents();
    const QString path = out.filePath(name);
    const bool ok = w.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(QDir::toNativeSeparators(path)));
    return ok;
}

bool SaveMenu(QMenu* menu, QPoint at, const QDir& out, const QString& name) {
    menu->popup(at);
    const bool ok = Save(*menu, out, name);
    menu->hide();
    return ok;
}

// The sample item `index` chosen from the list with its statement worked out, as the
// pane shows it once the user pauses.
void Choose(TForm1& f, int index) {
    f.ComboBox1DropDown();
    f.ComboBox1->setCurrentIndex(index);
    f.ComboBox1Change();
}

bool SaveItem(TForm1& f, int index, const QDir& out, const QString& name) {
    Choose(f, index);
    f.Live->Refresh();
    return Save(f, out, name);
}

// What the user sees after start-up, and the pane over the sample's wall,
// base and ditch items.
bool ShootStartUp(TForm1& f, const QDir& out) {
    f.Live->Refresh();
    bool ok = Save(f, out, QStringLiteral("start.png"));
    // The 寸法図 of the three structures, then the standard picture with its labels.
    f.SectionDrawing1->setChecked(true);
    ok &= SaveItem(f, 1, out, QStringLiteral("section-wall.png"));
    ok &= SaveItem(f, 2, out, QStringLiteral("section-base.png"));
    ok &= SaveItem(f, 4, out, QStringLiteral("section-ditch.png"));
    f.StandardDrawing1->setChecked(true);
    ok &= SaveItem(f, 1, out, QStringLiteral("pane-wall.png"));
    ok &= SaveItem(f, 2, out, QStringLiteral("pane-base.png"));
    ok &= SaveItem(f, 4, out, QStringLiteral("pane-ditch.png"));
    return ok;
}

// The screen after "ﾃｷｽﾄ出力(&T)" with "連続Text出力(&Q)" checked, started
// from the ditch item: the first item, a wall, as a fresh load shows it.
bool ShootAfterContinuousOutput(TForm1& f, yoheki::ScriptedDialogs& dialogs,
                                const QTemporaryDir& scratch, const QDir& out) {
    SaveItem(f, 4, out, QStringLiteral("pane-ditch.png"));
    f.Q1->setChecked(true);
    dialogs.fileAnswers = {scratch.filePath(QStringLiteral("all.txt"))};
    f.T1Click();
    f.Q1->setChecked(false);
    f.Live->Refresh();
    return Save(f, out, QStringLiteral("after-continuous-output.png"));
}

bool Shoot(TForm1& f, const QDir& out) {
    bool ok = Save(f, out, QStringLiteral("wall.png"));
    f.Button1Click();
    ok &= Save(f, out, QStringLiteral("block-panel.png"));
    f.Button1Click();
    f.CheckBox1->setChecked(true);
    f.Button2Click();
    ok &= Save(f, out, QStringLiteral("rebar-panel.png"));
    f.Button2Click();
    ok &= Save(f, out, QStringLiteral("wall-after-panel.png"));
    f.A1->setChecked(true);
    f.Label20->show();
    f.REdit17->show();
    ok &= Save(f, out, QStringLiteral("wall-level.png"));
    f.B1Click();
    ok &= Save(f, out, QStringLiteral("base.png"));
    f.CheckBox1->setChecked(true);
    f.Button2Click();
    ok &= Save(f, out, QStringLiteral("base-rebar-panel.png"));
    f.Button2Click();
    f.U2Click();
    ok &= Save(f, out, QStringLiteral("ditch.png"));
    const QPoint below = f.mapToGlobal(QPoint(0, f.menuBar()->height()));
    ok &= SaveMenu(f.J1Menu, below, out, QStringLiteral("menu-conditions.png"));
    ok &= SaveMenu(f.I1Menu, below, out, QStringLiteral("menu-run.png"));
    ok &= SaveMenu(f.HelpH2Menu, below, out, QStringLiteral("menu-help.png"));
    return ok;
}

// The summary window of the bundled sample project.
bool ShootSummary(TForm1& f, const QTemporaryDir& scratch, const QDir& out) {
    const QString project = scratch.filePath(U("見本工事.Fa1"));
    QFile::copy(QDir(QStringLiteral(YOHEKI_DATA_DIR)).filePath(U("見本工事.Fa1")), project);
    OpenProject(f, project);
    f.S4Click();
    auto* summary = f.findChild<TSummaryForm*>();
    if (!summary)
        return false;
    // As large as on a desktop, beyond the small offscreen screen.
    summary->resize(summary->ContentSize().boundedTo(QSize(1040, 500)));
    return Save(*summary, out, QStringLiteral("summary-window.png"));
}

// The item table under the form, with groups, counts and a remark typed
// into its cells, and the summary that subtotals and multiplies them.
bool ShootItemTable(TForm1& f, const QDir& out) {
    ItemTableModel& model = *f.Items->Model();
    const auto& columns = takeoff::cells::Columns();
    auto column = [&](const char* header) {
        for (std::size_t c = 0; c < columns.size(); ++c)
            if (std::string(columns[c].header) == header)
                return static_cast<int>(c);
        return -1;
    };
    const char* groups[] = {"Ａ通り", "Ａ通り", "設備基礎", "設備基礎", "外構", "外構"};
    const char* counts[] = {"1", "1", "8", "2", "1", "1"};
    for (int row = 0; row < std::min(model.rowCount(), 6); ++row) {
        model.setData(model.index(row, column("区分")), U(groups[row]), Qt::EditRole);
        model.setData(model.index(row, column("箇所数")), U(counts[row]), Qt::EditRole);
    }
    model.setData(model.index(2, column("備考")), U("屋上設備架台"), Qt::EditRole);
    f.resize(1340, 820);
    Choose(f, 2);
    f.Items->View()->selectRow(2);
    f.Live->Refresh();
    bool ok = Save(f, out, QStringLiteral("item-table.png"));
    f.S4Click();
    if (auto* summary = f.findChild<TSummaryForm*>()) {
        summary->resize(summary->ContentSize().boundedTo(QSize(1200, 560)));
        ok &= Save(*summary, out, QStringLiteral("summary-groups.png"));
        summary->close();
    }
    return ok;
}

// Two revisions of the sample after a design change, in the summary
// window's comparison: a raised back face, another excavation rule, one
// ditch replaced by a longer one, and a wall that no longer calculates.
bool ShootComparison(const QTemporaryDir& scratch, const QDir& out) {
    const QString sample = QDir(QStringLiteral(YOHEKI_DATA_DIR)).filePath(U("見本工事.Fa1"));
    const QString earlier = scratch.filePath(U("見本工事_当初.Fa1"));
    const QString current = scratch.filePath(U("見本工事_変更.Fa1"));
    if (!QFile::copy(sample, earlier) || !QFile::copy(sample, current))
        return false;
    yoheki::IniFile ini(yoheki::PathBytes(current));
    ini.WriteString("L型擁壁　Ａ通り", "仕上高裏", "1500");
    ini.WriteString("L型擁壁　Ｂ通り", "仕上高裏", "1500");
    ini.WriteInteger("設備基礎　Ｐ－１", "根切要項", 4);
    for (const std::string& key : ini.ReadSection("Ｕ字側溝　Ｕ－５００"))
        ini.WriteString("Ｕ字側溝　Ｕ－６００", key, ini.ReadString("Ｕ字側溝　Ｕ－５００", key, ""));
    ini.WriteString("Ｕ字側溝　Ｕ－６００", "延長さ", "6000");
    ini.EraseSection("Ｕ字側溝　Ｕ－３００");
    ini.UpdateFile();
    yoheki::ScriptedDialogs dialogs;
    TSummaryForm form(dialogs);
    form.SetTable(summary::Summarize(CalculateProject(current).items), current);
    dialogs.fileAnswers = {earlier};
    form.CompareButtonClick();
    form.CompareGrid->setCurrentCell(0, 0);
    form.resize(1280, 560);
    form.show();
    return Save(form, out, QStringLiteral("summary-compare.png"));
}

// The menu bar and the tool bar of the main window, the file and edit menus,
// and the manual's window searching for a word.
bool ShootDesktop(TForm1& f, const QDir& out) {
    QApplication::processEvents();
    auto* bar = f.findChild<QToolBar*>(QStringLiteral("ToolBar1"));
    const int bottom = bar ? bar->geometry().bottom() + 1 : f.menuBar()->height();
    const QString path = out.filePath(QStringLiteral("toolbar.png"));
    bool ok = f.grab(QRect(0, 0, std::min(f.width(), 900), bottom)).save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(QDir::toNativeSeparators(path)));
    const QPoint below = f.menuBar()->mapToGlobal(QPoint(0, f.menuBar()->height()));
    ok &= SaveMenu(f.File1Menu, below, out, QStringLiteral("menu-file.png"));
    if (auto* edit = f.findChild<QMenu*>(QStringLiteral("EditMenu")))
        ok &= SaveMenu(edit, below, out, QStringLiteral("menu-edit.png"));
    THelpWindow* help = ShowManual(f);
    help->resize(980, 640);
    help->SearchField->setText(U("簡易山止"));
    help->Find(help->SearchField->text());
    ok &= Save(*help, out, QStringLiteral("help-window.png"));
    help->close();
    return ok;
}

// The summary as printed on A4 landscape: a PDF, its first page as a picture.
bool ShootSummaryPrint(TForm1& f, const QTemporaryDir& scratch, const QDir& out) {
    auto* summary = f.findChild<TSummaryForm*>();
    if (!summary)
        return false;
    const QString pdfPath = scratch.filePath(QStringLiteral("summary.pdf"));
    {
        QPdfWriter pdf(pdfPath);
        pdf.setResolution(300);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                      QMarginsF(10, 8, 10, 8), QPageLayout::Millimeter));
        if (summary->PrintTo(pdf) == 0)
            return false;
    }
    const QString png = out.filePath(QStringLiteral("printed-summary"));
    const int status = QProcess::execute(
        QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("80"),
                                     QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-singlefile"),
                                     pdfPath, png});
    std::printf("%s %s.png\n", status == 0 ? "wrote" : "FAILED", qPrintable(png));
    return status == 0;
}

// A modal dialog as `open` shows it: pictured once it is up, then cancelled.
bool SaveDialog(const std::function<void()>& open, const QDir& out, const QString& name) {
    bool ok = false;
    QTimer::singleShot(300, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            ok = Save(*dialog, out, name);
            dialog->close();
        }
    });
    open();
    return ok;
}

bool ShootDialogs(TForm1& f, const QDir& out) {
    yoheki::QtDialogs dialogs(&f);
    yoheki::OpenFileRequest text{U("テキスト出力ファイルを選択"), U("テキストファイル(*.txt)|*.TXT"),
                                 QDir::currentPath(), U("見本工事.txt"), true};
    text.save = true;
    bool ok = SaveDialog([&] { dialogs.openFile(text); }, out, QStringLiteral("dialog-save.png"));
    f.Form2->Printer().setDocName(U("見本工事"));
    ok &= SaveDialog([&] { dialogs.printerSetup(f.Form2->Printer()); }, out,
                     QStringLiteral("dialog-print.png"));
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InstallFontSubstitutes();
    InstallToolkitTranslation();
    if (argc < 2) {
        std::fprintf(stderr, "usage: yoheki-screenshot <output folder>\n");
        return 2;
    }
    QDir out(QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[1])));
    QTemporaryDir scratch;
    if (!out.mkpath(QStringLiteral(".")) || !scratch.isValid() || !PrepareFolder(scratch)) {
        std::fprintf(stderr, "cannot prepare the folders\n");
        return 1;
    }
    yoheki::ScriptedDialogs dialogs; // every question answered OK
    TForm1 form(dialogs, {});
    TForm2 form2;
    TLI_Menu liMenu(dialogs);
    form.Attach(&form2, &liMenu);
    form.resize(1340, 600);
    form.show();
    form.FormActivate(); // the start-up a user sees, with nothing switched by hand
    if (form.terminated)
        return 1;
    bool ok = ShootStartUp(form, out);
    ok &= ShootDesktop(form, out);
    ok &= ShootAfterContinuousOutput(form, dialogs, scratch, out);
    // The screens and panels with one item filled in by hand.
    Choose(form, 0);
    FillSampleItem(form);
    ok &= Shoot(form, out);
    return ok && ShootSummary(form, scratch, out) && ShootSummaryPrint(form, scratch, out) &&
                   ShootItemTable(form, out) &&
                   ShootComparison(scratch, out) &&
                   ShootDialogs(form, out)
               ? 0
               : 1;
}
