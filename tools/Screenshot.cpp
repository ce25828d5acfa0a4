// yoheki-screenshot <folder>: pictures of the main window for checking the
// layout and for the documentation: the three structure screens, both
// panels, the menus and the save and print dialogs (in Japanese under a
// Japanese locale), as PNG files in <folder>. Runs headless on
// the offscreen platform unless another platform is asked for.
#include "ListIn.h"
#include "PrnSys.h"
#include "Translations.h"
#include "main1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The delivered settings file and drawings, in a scratch folder that becomes
// the current directory, so nothing in data/ is touched.
bool PrepareFolder(const QTemporaryDir& scratch) {
    const QDir data(QStringLiteral(YOHEKI_DATA_DIR));
    const QStringList files = data.entryList(QDir::Files);
    for (const QString& name : files)
        if (name.endsWith(QStringLiteral(".dat")) || name.endsWith(QStringLiteral(".bmp")))
            QFile::copy(data.filePath(name), scratch.filePath(name));
    return QDir::setCurrent(scratch.path());
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
    if (!form.EsttIn(QStringLiteral("Qrtt.dat")))
        return 1;
    form.SettingsDir = scratch.path();
    form.EquBase();
    FillSampleItem(form);
    form.show();
    const bool screens = Shoot(form, out);
    return screens && ShootDialogs(form, out) ? 0 : 1;
}
