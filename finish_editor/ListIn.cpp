#include "ListIn.h"

#include "Error.h"
#include "IniFile.h"
#include "PathBytes.h"
#include "Settings.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QShowEvent>
#include <QTimer>
#include <algorithm>

namespace {

// The editor always works on the settings file of the current directory: the
// start directory, or the project's folder once a project has been chosen.
const QString kFileName = QStringLiteral("Qrtt.dat");

constexpr int kEntries = takeoff::kFinishEntries;
constexpr int kKinds = takeoff::kFinishKinds;

// Front, back and top, in the order of the lists and of the file's sections.
const auto& kSections = takeoff::kFinishSections;

QString Caption(int kind) {
    return QString::fromUtf8(kSections[kind]);
}

int KindOf(const QString& caption) {
    for (int k = 0; k < kKinds; ++k)
        if (caption == Caption(k))
            return k;
    return -1;
}

std::string LocalName(const QString& fileName) {
    return yoheki::PathBytes(fileName);
}

int SelectedIndex(const QListWidget* list) {
    const auto rows = list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

QLabel* NewLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QListWidget* NewList(const char* name, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return list;
}

// Wide enough for the longer finish names.
void SetListWidth(QListWidget* list) {
    const QFontMetrics fm(list->font());
    list->setMinimumWidth(fm.horizontalAdvance(QChar(0x3000)) * 12 + 2 * list->frameWidth());
}

// Exactly tall enough for all ten entries, without a scroll bar. The row height
// depends on the style, so it is measured once entries exist.
void SetListHeight(QListWidget* list, const QListWidget* measured) {
    int row = QFontMetrics(list->font()).height();
    if (measured->count() > 0)
        row = std::max(row, measured->sizeHintForRow(0));
    list->setFixedHeight(row * kEntries + 2 * list->frameWidth());
}

} // namespace

TLI_Menu::TLI_Menu(yoheki::Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("LI_Menu"));
    setWindowTitle(QStringLiteral("標準仕上編集"));
    setAttribute(Qt::WA_QuitOnClose, false); // only the main window ends the program
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPixelSize(12);
    setFont(font);
    BuildControls();
    BuildMenu();
    LayOut();
    ConnectHandlers();
}

void TLI_Menu::BuildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    Label1 = NewLabel("Label1", Caption(0), central);
    Label3 = NewLabel("Label3", Caption(1), central);
    Label2 = NewLabel("Label2", Caption(2), central);
    Label6 = NewLabel("Label6", QStringLiteral("拡張用"), central);
    Label4 = NewLabel("Label4", QString(), central);
    Label5 = NewLabel("Label5", QString(), central);
    Label5->hide();
    ListBox1 = NewList("ListBox1", central);
    ListBox2 = NewList("ListBox2", central);
    ListBox3 = NewList("ListBox3", central);
    ListBox4 = NewList("ListBox4", central);
    QPalette orange = ListBox4->palette();
    orange.setColor(QPalette::Base, QColor(0xFF, 0x80, 0x00)); // 33023 (BGR 0x0080FF)
    ListBox4->setPalette(orange);
    ListBox4->setAutoFillBackground(true);
    ListBox4->setEnabled(false);
    // Reserved and never used: not shown, so nothing on screen is an empty
    // placeholder.
    Label6->hide();
    ListBox4->hide();
    Edit1 = new QLineEdit(central);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    for (QWidget* w : {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(Label4)}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true); // the window keeps its shape
        w->setSizePolicy(policy);
    }
    SetEditorVisible(false);
}

void TLI_Menu::BuildMenu() {
    FILEF1 = menuBar()->addMenu(QStringLiteral("FILE(&F)"));
    FILEF1->setObjectName(QStringLiteral("FILEF1"));
    S1 = FILEF1->addAction(QStringLiteral("登録終了(&S)"));
    S1->setObjectName(QStringLiteral("S1"));
    Q1 = FILEF1->addAction(QStringLiteral("編集放棄(&Q)"));
    Q1->setObjectName(QStringLiteral("Q1"));
}

void TLI_Menu::LayOut() {
    auto* grid = new QGridLayout(centralWidget());
    grid->setContentsMargins(8, 6, 8, 8);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    const std::array<QLabel*, 4> labels = {Label1, Label3, Label2, Label6};
    const std::array<QListWidget*, 4> lists = {ListBox1, ListBox2, ListBox3, ListBox4};
    for (int c = 0; c < 4; ++c) {
        grid->addWidget(labels[c], 0, c);
        grid->addWidget(lists[c], 1, c);
        SetListWidth(lists[c]);
        SetListHeight(lists[c], lists[c]);
    }
    grid->addItem(new QSpacerItem(0, 6), 2, 0);
    grid->addWidget(Label4, 3, 0, Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(Edit1, 3, 1, 1, 3);
    grid->setRowStretch(4, 1);
}

void TLI_Menu::ConnectHandlers() {
    // A click on an entry, also on the one already chosen, and a choice made
    // with the arrow keys both open the entry for editing.
    for (int k = 0; k < kKinds; ++k) {
        QListWidget* list = ListFor(k);
        connect(list, &QListWidget::clicked, this, [this, k] { ListBoxClick(k); });
        connect(list, &QListWidget::itemSelectionChanged, this, [this, k] { ListBoxClick(k); });
    }
    connect(Edit1, &QLineEdit::returnPressed, this, [this] { Edit1KeyPress(QChar(13)); });
    connect(S1, &QAction::triggered, this, &TLI_Menu::S1Click);
    connect(Q1, &QAction::triggered, this, &TLI_Menu::Q1Click);
}

QListWidget* TLI_Menu::ListFor(int kind) const {
    switch (kind) {
    case 0:
        return ListBox1;
    case 1:
        return ListBox2;
    case 2:
        return ListBox3;
    default:
        return nullptr;
    }
}

void TLI_Menu::SetEditorVisible(bool visible) {
    Edit1->setVisible(visible);
    Label4->setVisible(visible);
}

QString TLI_Menu::MissingFileText() const {
    return QStringLiteral("データファイルが見つかりません\n\r【") +
           QDir::toNativeSeparators(QDir::currentPath()) + QStringLiteral("】に") +
           QStringLiteral("\n\r") + QStringLiteral("【Qrtt.dat】をCopyして下さい");
}

bool TLI_Menu::ReadLists(const QString& fileName, std::array<QStringList, 3>& lists) {
    if (!QFileInfo(fileName).isFile())
        return false;
    try {
        const yoheki::IniFile ini(LocalName(fileName));
        if (!ini.Existed())
            return false;
        const takeoff::Settings settings = takeoff::ReadSettings(ini);
        for (int k = 0; k < kKinds; ++k)
            for (const std::string& finish : settings.finishes[k])
                lists[k] << QString::fromStdString(finish);
    } catch (const yoheki::Error&) {
        return false;
    }
    return true;
}

void TLI_Menu::FillLists(const std::array<QStringList, 3>& lists) {
    for (int k = 0; k < kKinds; ++k) {
        ListFor(k)->clear();
        ListFor(k)->addItems(lists[k]);
    }
    for (QListWidget* list : {ListBox1, ListBox2, ListBox3, ListBox4})
        SetListHeight(list, ListBox1);
}

bool TLI_Menu::EsttIn(const QString& fileName) {
    std::array<QStringList, 3> lists;
    if (!ReadLists(fileName, lists)) {
        dialogs_.message(MissingFileText());
        CloseSoon();
        return false;
    }
    FillLists(lists);
    return true;
}

bool TLI_Menu::EsttOut(const QString& fileName) {
    try {
        yoheki::IniFile ini(LocalName(fileName));
        std::array<std::vector<std::string>, kKinds> lists;
        for (int k = 0; k < kKinds; ++k)
            for (int n = 1; n <= std::min(kEntries, ListFor(k)->count()); ++n)
                lists[k].push_back(ListFor(k)->item(n - 1)->text().toStdString());
        takeoff::WriteFinishes(ini, lists);
        ini.UpdateFile();
    } catch (const yoheki::EncodingError& e) {
        // Found before anything was written: the file is as it was.
        dialogs_.message(QString::fromStdString(e.what()) + QStringLiteral("\n\r【") + fileName +
                         QStringLiteral("】は変更していません"));
        return false;
    } catch (const yoheki::Error& e) {
        dialogs_.message(QString::fromStdString(e.what()));
        return false;
    }
    return true;
}

void TLI_Menu::FormShow() {
    EsttIn(kFileName);
}

void TLI_Menu::showEvent(QShowEvent* event) {
    // Restoring a minimised window is no new opening: keep the edits.
    if (!event->spontaneous())
        FormShow();
    QMainWindow::showEvent(event);
}

void TLI_Menu::ListBox1Click() {
    ListBoxClick(0);
}
void TLI_Menu::ListBox2Click() {
    ListBoxClick(1);
}
void TLI_Menu::ListBox3Click() {
    ListBoxClick(2);
}

void TLI_Menu::ListBoxClick(int kind) {
    const QListWidget* list = ListFor(kind);
    const int index = SelectedIndex(list);
    if (index < 0)
        return; // no entry chosen: nothing to edit
    for (int k = 0; k < kKinds; ++k)
        if (k != kind)
            ListFor(k)->clearSelection();
    SetEditorVisible(true);
    Label4->setText(Caption(kind));
    Label5->setText(QString::number(index));
    Edit1->setText(list->item(index)->text());
    // The text is there to be changed: typing replaces it, Enter registers.
    Edit1->setFocus(Qt::OtherFocusReason);
    Edit1->selectAll();
}

void TLI_Menu::Edit1KeyPress(QChar key) {
    if (key != QChar(13))
        return;
    // A pasted spreadsheet cell brings its line break along; written into the
    // settings file it would split the entry and could start a new section.
    const QString text = Edit1->text();
    if (text.contains(u'\n') || text.contains(u'\r')) {
        dialogs_.message(QStringLiteral("改行を含む仕上名は登録できません\n\r"
                                        "改行を取り除いてから、もう一度Enterを押して下さい"));
        return;
    }
    if (!dialogs_.question(Label4->text() + QStringLiteral("に登録しますか？"),
                           yoheki::Dialogs::Icon::Information))
        return;
    QListWidget* list = ListFor(KindOf(Label4->text()));
    bool ok = false;
    const int index = Label5->text().toInt(&ok);
    if (list && ok && index >= 0 && index < list->count())
        list->item(index)->setText(text);
    SetEditorVisible(false);
}

void TLI_Menu::S1Click() {
    if (!EsttOut(kFileName))
        return; // stay open: the edits are not lost
    if (mainWindow_)
        mainWindow_->show();
    RefreshMainWindow(kFileName);
    close();
}

void TLI_Menu::RefreshMainWindow(const QString& fileName) {
    std::array<QStringList, 3> lists;
    if (RefreshLists && ReadLists(fileName, lists))
        RefreshLists(lists[0], lists[1], lists[2]);
}

void TLI_Menu::Q1Click() {
    close();
}

void TLI_Menu::closeEvent(QCloseEvent* event) {
    bool canClose = true;
    FormCloseQuery(canClose);
    if (!canClose) {
        event->ignore();
        return;
    }
    event->accept();
    if (Closed)
        Closed();
}

void TLI_Menu::FormCloseQuery(bool& canClose) {
    if (mainWindow_)
        mainWindow_->show();
    for (int k = 0; k < kKinds; ++k)
        ListFor(k)->clear();
    // The next opening reads the file afresh; no entry is chosen then.
    SetEditorVisible(false);
    canClose = true;
}

void TLI_Menu::CloseSoon() {
    // Closing is put off until the window has finished showing itself.
    QTimer::singleShot(0, this, [this] { close(); });
}
