// Program entry: the main window, the hidden statement form and the finish
// editor, created in this order; the first activation once the loop runs.
#include "BundledData.h"
#include "ListIn.h"
#include "PrnSys.h"
#include "Translations.h"
#include "main1.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>

namespace {

// The icon of the desktop theme; in the build tree, the sizes drawn there.
QIcon ProgramIcon() {
    QIcon icon = QIcon::fromTheme(QStringLiteral("yoheki"));
    if (!icon.isNull())
        return icon;
    const QDir theme(yoheki::BundledDataDir() + QStringLiteral("/../icons/hicolor"));
    for (const QString& size : theme.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (const QString png = theme.filePath(size + QStringLiteral("/apps/yoheki.png"));
            QFileInfo::exists(png))
            icon.addFile(png);
    return icon;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    NameApplication();
    QGuiApplication::setDesktopFileName(QStringLiteral("yoheki"));
    QApplication::setWindowIcon(ProgramIcon());
    InstallFontSubstitutes();
    InstallToolkitTranslation();

    QStringList args = QApplication::arguments();
    if (!args.isEmpty())
        args.removeFirst();
    yoheki::QtDialogs dialogs;
    TForm1 form1(dialogs, args);
    if (form1.terminated)
        return 0;
    dialogs.setParent(&form1);
    TForm2 form2;
    TLI_Menu liMenu(dialogs);
    form1.Attach(&form2, &liMenu);

    // The editor may be the only window on screen for a while; the program
    // ends with the main window, not with the last window.
    app.setQuitOnLastWindowClosed(false);
    QObject::connect(&form1, &TForm1::Closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    RestoreWindowState(form1);
    // Kept before the program's end is queued, while the window still exists.
    QObject::connect(&form1, &TForm1::Closed, &form1, [&form1] { SaveWindowState(form1); });
    form1.show();
    QTimer::singleShot(0, &form1, [&form1] { form1.FormActivate(); });
    return app.exec();
}
