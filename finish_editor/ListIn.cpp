#include "ListIn.h"

TLI_Menu::TLI_Menu(yoheki::Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("LI_Menu"));
    setWindowTitle(QStringLiteral("標準仕上編集"));
}
