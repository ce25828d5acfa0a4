// Items handled as a list: copying, renaming, moving and deleting several,
// from the form and from the item table. Each command saves the item on
// screen first, so the file holds what the user sees, then runs the take-off
// core's operation and brings the item list and the table up to date.
#include "ItemTable.h"
#include "PathBytes.h"
#include "PrnSys.h"
#include "Takeoff.h"
#include "main1.h"

#include "Error.h"
#include "ItemOps.h"
#include "ItemTexts.h"

#include "LivePane.h"
#include "Utf8.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTableView>

namespace {

std::string S(const QString& text) {
    return text.toStdString();
}
std::string FilePath(const TForm1& f) {
    return yoheki::PathBytes(f.CurrentProject);
}
std::vector<std::string> Names(const QStringList& names) {
    std::vector<std::string> out;
    for (const QString& n : names)
        out.push_back(S(n));
    return out;
}

// The item on screen reaches the file before the file is worked on.
bool SaveScreen(TForm1& f) {
    const QString shown = ItemOnScreen(f);
    return shown.isEmpty() || SaveItem(f, shown, f.CurrentProject);
}

void ClearStatement(TForm1& f) {
    if (f.Form2)
        f.Form2->SetLines({});
}

// Runs a core operation; its failure is reported and the list read again
// from the file, which kept its previous content.
template <class Op> bool Run(TForm1& f, const QString& what, Op op) {
    try {
        op(ProjectStore::Of(f).project, FilePath(f));
        return true;
    } catch (const yoheki::Error& e) {
        f.dialogs.message(what + U("\n\r") + QString::fromUtf8(e.what()));
        return false;
    }
}

} // namespace

void RefreshItemList(TForm1& f, const QString& shown) {
    QStringList items;
    try {
        for (const std::string& name : ProjectStore::Of(f).project.Open(FilePath(f)).ReadSections())
            items << QString::fromStdString(name);
    } catch (const yoheki::Error& e) {
        f.dialogs.message(QString::fromUtf8(e.what()));
    }
    const QSignalBlocker quiet(f.ComboBox1);
    f.ComboBox1->clear();
    f.ComboBox1->AddItems(items);
    const int index = items.indexOf(shown);
    f.ComboBox1->setCurrentIndex(index);
    f.ComboBox1->setEditText(index >= 0 ? shown : QString());
    f.RememberedIndex = std::max(index, 0);
    f.Button3->setVisible(items.size() >= 2);
    if (f.Items) {
        f.Items->Model()->Reload();
        f.Items->SelectScreenItem();
    }
}

bool SwitchToItem(TForm1& f, const QString& name) {
    const int index = f.ComboBox1->findText(name);
    if (index < 0)
        return false;
    if (ItemOnScreen(f) == name)
        return true;
    if (!SaveScreen(f))
        return false;
    ClearStatement(f);
    ShowItem(f, index);
    return true;
}

void DuplicateItems(TForm1& f, const QStringList& names) {
    if (names.isEmpty() || !SaveScreen(f))
        return;
    std::vector<std::string> copies;
    if (!Run(f, U("拾いを複写できませんでした"), [&](ProjectFile& file, const std::string& path) {
            copies = takeoff::DuplicateItems(file, path, Names(names));
        }))
        return RefreshItemList(f, ItemOnScreen(f));
    ClearStatement(f);
    // The copy comes on screen: the figures that differ are typed next.
    const QString first = QString::fromStdString(copies.front());
    RefreshItemList(f, ItemOnScreen(f));
    ShowItem(f, f.ComboBox1->findText(first));
    if (f.Items)
        f.Items->SelectScreenItem();
}

bool RenameItem(TForm1& f, const QString& from, const QString& to) {
    if (to == from)
        return true;
    if (!SaveScreen(f))
        return false;
    const bool done = Run(f, U("拾い【") + from + U("】の名称を変えられませんでした"),
                          [&](ProjectFile& file, const std::string& path) {
                              takeoff::RenameInPlace(file, path, S(from), S(to));
                          });
    const QString shown = ItemOnScreen(f);
    if (done)
        ClearStatement(f); // its heading names the old name
    RefreshItemList(f, done && shown == from ? to : shown);
    return done;
}

void MoveItems(TForm1& f, const QStringList& names, int delta) {
    if (names.isEmpty() || !SaveScreen(f))
        return;
    bool moved = false;
    Run(f, U("拾いの並びを変えられませんでした"), [&](ProjectFile& file, const std::string& path) {
        moved = takeoff::MoveItems(file, path, Names(names), delta);
    });
    RefreshItemList(f, ItemOnScreen(f));
    if (!moved)
        f.statusBar()->showMessage(delta < 0 ? U("先頭の拾いはこれ以上上へ移せません")
                                             : U("最後の拾いはこれ以上下へ移せません"),
                                   4000);
}

void ReorderItems(TForm1& f, const QStringList& order) {
    if (!SaveScreen(f))
        return;
    Run(f, U("拾いの並びを変えられませんでした"), [&](ProjectFile& file, const std::string& path) {
        takeoff::ReorderItems(file, path, Names(order));
    });
    RefreshItemList(f, ItemOnScreen(f));
}

// The question names the items; a long selection is named in part.
QString DeleteQuestion(const QStringList& names) {
    QStringList shown;
    for (const QString& n : names.mid(0, 10))
        shown << U("【") + n + U("】");
    QString text = U("拾い") + shown.join(U("\n\r")) + U("\n\r");
    if (names.size() > 10)
        text += U("ほか %1 件").arg(names.size() - 10) + U("\n\r");
    return text + U("を削除します\n\r") + U(itemtext::kDeleteQuestion);
}

void DeleteItems(TForm1& f, const QStringList& names) {
    if (names.isEmpty())
        return;
    if (names.size() >= f.ComboBox1->count())
        return f.dialogs.message(U("すべての拾いは削除できません\n\r少なくとも1件は残して下さい"));
    if (!f.dialogs.question(DeleteQuestion(names), yoheki::Dialogs::Icon::Warning))
        return;
    const QString shown = ItemOnScreen(f);
    const bool screenGoes = names.contains(shown);
    if (!screenGoes && !SaveScreen(f))
        return;
    const bool done =
        Run(f, U("拾いを削除できませんでした"), [&](ProjectFile& file, const std::string& path) {
            takeoff::DeleteItems(file, path, Names(names));
        });
    if (!done || !screenGoes)
        return RefreshItemList(f, shown);
    ClearStatement(f);
    RefreshItemList(f, QString());
    f.ActList();
    ShowItem(f, 0);
    if (f.Items)
        f.Items->SelectScreenItem();
}

// ---------------------------------------------------------------- form

// 複写 beside the add and delete buttons on the name row; the count, the
// group and the remark on a row of their own under the dimensions.
void TForm1::BuildItemFields(QWidget* area) {
    Button5 = new QPushButton(U("複写"), area);
    Button5->setObjectName(QStringLiteral("Button5"));
    Button5->setToolTip(U("画面の拾いを「名前 (2)」として複写します"));
    Button5->setGeometry(526, 9, 60, 26);
    CountLabel = new QLabel(U("箇所数"), area);
    CountLabel->setObjectName(QStringLiteral("CountLabel"));
    CountLabel->setGeometry(326, 366, 44, 22);
    CountEdit = new TREdit(area);
    CountEdit->setObjectName(QStringLiteral("CountEdit"));
    CountEdit->setGeometry(370, 364, 52, 24);
    CountEdit->setText(QStringLiteral("1"));
    CountEdit->setToolTip(U("同じ拾いの箇所数（1～%1）。集計はこの数を掛けます").arg(takeoff::kMaxCount));
    GroupLabel = new QLabel(U("区分"), area);
    GroupLabel->setObjectName(QStringLiteral("GroupLabel"));
    GroupLabel->setGeometry(432, 366, 32, 22);
    GroupEdit = new QLineEdit(area);
    GroupEdit->setObjectName(QStringLiteral("GroupEdit"));
    GroupEdit->setGeometry(466, 364, 120, 24);
    GroupEdit->setPlaceholderText(U("例：Ａ通り"));
    RemarkLabel = new QLabel(U("備考"), area);
    RemarkLabel->setObjectName(QStringLiteral("RemarkLabel"));
    RemarkLabel->setGeometry(596, 366, 32, 22);
    RemarkEdit = new QLineEdit(area);
    RemarkEdit->setObjectName(QStringLiteral("RemarkEdit"));
    RemarkEdit->setGeometry(630, 364, 136, 24);
    connect(Button5, &QPushButton::clicked, this, [this] {
        if (const QString shown = ItemOnScreen(*this); !shown.isEmpty())
            DuplicateItems(*this, {shown});
    });
    connect(CountEdit, &QLineEdit::editingFinished, this, &TForm1::CountEntered);
    // The last count that was one comes back when a typed one is refused.
    connect(CountEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (const auto count = takeoff::ParseCount(text.toStdString()))
            ProjectStore::Of(*this).keptCount = *count;
    });
}

void TForm1::BuildItemTable() {
    Items = new ItemTableDock(*this, this);
    addDockWidget(Qt::BottomDockWidgetArea, Items);
    Items->toggleViewAction()->setObjectName(QStringLiteral("ItemTable1"));
    Items->toggleViewAction()->setText(U("拾い一覧(&L)"));
    AddSeparator(V1Menu, "N34");
    V1Menu->addAction(Items->toggleViewAction());
    connect(Live, &LivePane::Refreshed, Items->Model(), &ItemTableModel::FollowScreen);
    // The table's selected rows when it has the focus, else the item on screen.
    auto chosen = [this] {
        if (Items->View()->hasFocus())
            return Items->SelectedNames();
        const QString shown = ItemOnScreen(*this);
        return shown.isEmpty() ? QStringList() : QStringList{shown};
    };
    MoveUp1 = new QAction(U("上へ移動"), this);
    MoveUp1->setObjectName(QStringLiteral("MoveUp1"));
    MoveUp1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Up));
    MoveDown1 = new QAction(U("下へ移動"), this);
    MoveDown1->setObjectName(QStringLiteral("MoveDown1"));
    MoveDown1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Down));
    for (QAction* a : {MoveUp1, MoveDown1}) {
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
    }
    connect(MoveUp1, &QAction::triggered, this, [this, chosen] { MoveItems(*this, chosen(), -1); });
    connect(MoveDown1, &QAction::triggered, this, [this, chosen] { MoveItems(*this, chosen(), +1); });
}

// A count that is no whole number from 1 to the limit is said so and the
// count before it comes back.
void TForm1::CountEntered() {
    const QString typed = CountEdit->text();
    if (const std::string why = takeoff::CountProblem(typed.toStdString()); !why.empty()) {
        CountEdit->setText(QString::number(ProjectStore::Of(*this).keptCount));
        dialogs.message(QString::fromStdString(why));
        return;
    }
    const int count = *takeoff::ParseCount(typed.toStdString());
    ProjectStore::Of(*this).keptCount = count;
    if (typed != QString::number(count))
        CountEdit->setText(QString::number(count));
}

// Enter in the name box with a name no item has renames the item on screen.
void TForm1::NameEntered() {
    const QString typed = ComboBox1->currentText();
    if (ComboBox1->findText(typed) >= 0 || ComboBox1->count() == 0)
        return;
    const QString shown = ItemOnScreen(*this);
    if (shown.isEmpty())
        return;
    if (typed.isEmpty() || !RenameItem(*this, shown, typed))
        ComboBox1->setEditText(ItemOnScreen(*this));
}
