// Program entry: the main window, the hidden statement form and the finish
// editor, created in this order; the first activation once the loop runs.
#include "ListIn.h"
#include "PrnSys.h"
#include "Translations.h"
#include "main1.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    NameApplication();
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
    form1.show();
    QTimer::singleShot(0, &form1, [&form1] { form1.FormActivate(); });
    return app.exec();
}
