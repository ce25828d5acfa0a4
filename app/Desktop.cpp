#include "Desktop.h"

#include "FileMenu.h"
#include "HelpWindow.h"
#include "SummaryForm.h"
#include "UndoStack.h"
#include "main1.h"
#include "Utf8.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace {

// A field keeps Ctrl+Z and Ctrl+Y for its own typing unless told otherwise;
// here they undo and redo the item as a whole, across its fields.
class UndoKeys : public QObject {
  public:
    explicit UndoKeys(QObject* parent) : QObject(parent) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
            key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y)) {
            event->ignore(); // left to the window's shortcut
            return true;
        }
        return false;
    }
};

QAction* NewAction(TForm1& f, const char* name, const char* caption, QKeySequence key) {
    auto* action = new QAction(U(caption), &f);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(key);
    return action;
}

void BuildEditMenu(TForm1& f) {
    ItemHistory& history = ItemHistory::Of(f);
    auto* menu = new QMenu(U("編集(&E)"), f.menuBar());
    menu->setObjectName(QStringLiteral("EditMenu"));
    f.menuBar()->insertMenu(f.J1, menu)->setObjectName(QStringLiteral("Edit1"));
    QAction* undo = NewAction(f, "EditUndo", "取り消し(&U)", QKeySequence::Undo);
    QAction* redo = NewAction(f, "EditRedo", "やり直し(&R)", QKeySequence(Qt::CTRL | Qt::Key_Y));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y),
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    QAction* revert = NewAction(f, "EditRevert", "元に戻す(&V)", QKeySequence());
    undo->setStatusTip(U("画面の拾いの直前の変更を取り消します"));
    redo->setStatusTip(U("取り消した変更をやり直します"));
    revert->setStatusTip(U("画面の拾いを物件ファイルに保存されている内容に戻します"));
    menu->addActions({undo, redo});
    menu->addSeparator();
    menu->addAction(revert);
    history.undoAction = undo;
    history.redoAction = redo;
    undo->setEnabled(false);
    redo->setEnabled(false);
    QObject::connect(undo, &QAction::triggered, &history, &ItemHistory::Undo);
    QObject::connect(redo, &QAction::triggered, &history, &ItemHistory::Redo);
    QObject::connect(revert, &QAction::triggered, &history, &ItemHistory::Revert);
    auto* keys = new UndoKeys(&f);
    for (QLineEdit* edit : f.findChildren<QLineEdit*>())
        edit->installEventFilter(keys);
}

// The commands used all day get keys of their own; F1 opens the manual.
void AddShortcuts(TForm1& f) {
    f.D1->setShortcut(Qt::Key_F5);
    f.T1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    f.Print1->setShortcut(QKeySequence::Print);
    f.PrintPreview1->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    f.S4->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
}

// The summary's workbook, straight from the main window.
void SaveWorkbook(TForm1& f) {
    f.S4Click();
    if (auto* summary = f.findChild<TSummaryForm*>(QString(), Qt::FindDirectChildrenOnly);
        summary && summary->isVisible())
        summary->Button3Click();
}

QIcon Icon(const char* theme, QStyle::StandardPixmap fallback) {
    return QIcon::fromTheme(QString::fromLatin1(theme),
                            QApplication::style()->standardIcon(fallback));
}

void BuildToolBar(TForm1& f) {
    auto* bar = f.addToolBar(U("標準"));
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto* excel = new QAction(U("Excelに保存"), &f);
    excel->setObjectName(QStringLiteral("SaveWorkbook"));
    excel->setStatusTip(U("数量総括表と各拾いの調書をExcelのブックに保存します"));
    QObject::connect(excel, &QAction::triggered, &f, [&f] { SaveWorkbook(f); });
    f.D1->setIcon(Icon("system-run", QStyle::SP_MediaPlay));
    f.T1->setIcon(Icon("document-export", QStyle::SP_FileDialogDetailedView));
    f.Print1->setIcon(Icon("document-print", QStyle::SP_DialogSaveButton));
    f.PrintPreview1->setIcon(Icon("document-print-preview", QStyle::SP_FileDialogContentsView));
    f.S4->setIcon(Icon("x-office-spreadsheet", QStyle::SP_FileDialogListView));
    excel->setIcon(Icon("document-save-as", QStyle::SP_DialogSaveButton));
    const QList<QAction*> actions{f.D1, f.T1, f.Print1, f.PrintPreview1, f.S4, excel};
    for (QAction* a : actions) {
        QString text = a->text();
        text.remove(QRegularExpression(QStringLiteral("\\(&.\\)"))); // no accelerator on a button
        bar->addAction(a);
        if (auto* button = bar->widgetForAction(a))
            button->setToolTip(text + (a->shortcut().isEmpty()
                                           ? QString()
                                           : U("（") + a->shortcut().toString(
                                                           QKeySequence::NativeText) + U("）")));
        if (a == f.T1 || a == f.PrintPreview1)
            bar->addSeparator();
    }
}

// The two entries the original keeps under Help → Help, reachable where they
// are looked for too; the same entries, so their check mark is one.
void BuildToolsMenu(TForm1& f) {
    auto* tools = new QMenu(U("ツール(&T)"), f.menuBar());
    tools->setObjectName(QStringLiteral("ToolsMenu"));
    f.menuBar()->insertMenu(f.HelpH1, tools)->setObjectName(QStringLiteral("Tools1"));
    tools->addActions({f.Q1, f.E1});
    f.I1Menu->insertAction(f.N6, f.Q1); // beside ﾃｷｽﾄ出力, which it changes
    f.I1Menu->addSeparator()->setObjectName(QStringLiteral("RunSep1"));
    f.I1Menu->addAction(f.E1);
}

int KindOnScreen(const TForm1& f) {
    return f.B1->isChecked() ? 1 : f.U2->isChecked() ? 2 : 0;
}

// The structure kind drives the same handlers as the option menu, with
// their question; the choice follows the check marks whatever set them.
void BuildStructureChoice(TForm1& f) {
    QWidget* area = f.ComboBox1->parentWidget();
    auto* label = new QLabel(U("構造"), area);
    label->setObjectName(QStringLiteral("StructureLabel"));
    label->setGeometry(596, 12, 36, 22);
    auto* choice = new QComboBox(area);
    choice->setObjectName(QStringLiteral("StructureKind"));
    choice->addItems({U("Ｌ型擁壁"), U("ベース"), U("Ｕ型側溝")}); // as the menu and the item table name them
    choice->setGeometry(634, 10, 132, 24);
    choice->setToolTip(U("拾いの構造（オプションメニューと同じ）"));
    // after the item's buttons, before its dimensions
    QWidget::setTabOrder(f.Button5, choice);
    const auto follow = [&f, choice] {
        const QSignalBlocker quiet(choice);
        choice->setCurrentIndex(KindOnScreen(f));
    };
    QObject::connect(f.B1, &QAction::toggled, choice, follow);
    QObject::connect(f.U2, &QAction::toggled, choice, follow);
    QObject::connect(choice, &QComboBox::activated, &f, [&f, follow](int wanted) {
        const int now = KindOnScreen(f);
        if (wanted != now) {
            if (wanted == 1 || (wanted == 0 && now == 1))
                f.B1Click();
            else
                f.U2Click();
        }
        follow();
    });
}

} // namespace

QComboBox* StructureChoice(const TForm1& form) {
    return form.findChild<QComboBox*>(QStringLiteral("StructureKind"));
}

void BuildDesktop(TForm1& f) {
    BuildFileMenu(f);
    BuildEditMenu(f);
    AddShortcuts(f);
    BuildToolBar(f);
    BuildToolsMenu(f);
    BuildStructureChoice(f);
    BuildHelp(f);
    // There from the start, so that a count of findings appearing in it
    // does not push the form up.
    f.statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    f.statusBar()->setSizeGripEnabled(false);
    f.statusBar()->show();
}
