#include "HelpWindow.h"

#include "BundledData.h"
#include "main1.h"
#include "Utf8.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kPositionRole = Qt::UserRole;

} // namespace

THelpWindow::THelpWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(U("擁壁数量調書 マニュアル"));
    setModal(false);
    setSizeGripEnabled(true);
    Contents = new QTreeWidget(this);
    Contents->setObjectName(QStringLiteral("Contents"));
    Contents->setHeaderLabel(U("目次"));
    Browser = new QTextBrowser(this);
    Browser->setObjectName(QStringLiteral("Browser"));
    Browser->setOpenExternalLinks(true);
    SearchField = new QLineEdit(this);
    SearchField->setObjectName(QStringLiteral("SearchField"));
    SearchField->setPlaceholderText(U("検索する語"));
    SearchField->setClearButtonEnabled(true);
    auto* next = new QPushButton(U("次を検索"), this);
    next->setObjectName(QStringLiteral("FindNext"));
    next->setAutoDefault(false);
    SearchNote = new QLabel(this);
    SearchNote->setObjectName(QStringLiteral("SearchNote"));
    auto* close = new QPushButton(U("閉じる"), this);
    close->setAutoDefault(false);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(U("検索："), this));
    top->addWidget(SearchField, 1);
    top->addWidget(next);
    top->addWidget(SearchNote, 1);
    top->addWidget(close);
    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(Contents);
    split->addWidget(Browser);
    split->setStretchFactor(1, 1);
    split->setSizes({230, 700});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(split, 1);
    const auto find = [this] { Find(SearchField->text()); };
    connect(SearchField, &QLineEdit::returnPressed, this, find);
    connect(next, &QPushButton::clicked, this, find);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(Contents, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        const QTextBlock block =
            Browser->document()->findBlock(item->data(0, kPositionRole).toInt());
        QTextCursor cursor(block);
        Browser->setTextCursor(cursor);
        const int y = static_cast<int>(
            Browser->document()->documentLayout()->blockBoundingRect(block).top());
        Browser->verticalScrollBar()->setValue(y);
    });
    resize(980, 680);
}

bool THelpWindow::Load(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        Browser->setHtml(U("<p>マニュアルが見つかりません：") +
                         QDir::toNativeSeparators(path).toHtmlEscaped() + U("</p>"));
        FillContents();
        return false;
    }
    // The pictures of the structures are the drawings delivered beside it.
    Browser->setSearchPaths({QFileInfo(path).absolutePath(), yoheki::BundledDataDir()});
    Browser->setSource(QUrl::fromLocalFile(path));
    FillContents();
    return true;
}

// The headings of the document, chapters with their sections below.
void THelpWindow::FillContents() {
    Contents->clear();
    QTreeWidgetItem* chapter = nullptr;
    for (QTextBlock b = Browser->document()->begin(); b.isValid(); b = b.next()) {
        const int level = b.blockFormat().headingLevel();
        if (level < 2 || level > 3 || b.text().trimmed().isEmpty())
            continue;
        QTreeWidgetItem* item = level == 2 || !chapter ? new QTreeWidgetItem(Contents)
                                                       : new QTreeWidgetItem(chapter);
        if (level == 2)
            chapter = item;
        item->setText(0, b.text().trimmed());
        item->setData(0, kPositionRole, b.position());
    }
    Contents->expandAll();
}

bool THelpWindow::Find(const QString& text) {
    SearchNote->clear();
    if (text.isEmpty())
        return false;
    if (Browser->find(text))
        return true;
    QTextCursor cursor = Browser->textCursor();
    cursor.movePosition(QTextCursor::Start);
    Browser->setTextCursor(cursor);
    if (Browser->find(text))
        return true;
    SearchNote->setText(U("「") + text + U("」は見つかりません"));
    return false;
}

void THelpWindow::ShowPart(const QString& anchor) {
    Browser->scrollToAnchor(anchor);
}

QString ManualPath() {
    return QDir(yoheki::BundledDataDir()).filePath(QStringLiteral("manual/index.html"));
}

THelpWindow* ShowManual(TForm1& form) {
    auto* window = form.findChild<THelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window) {
        window = new THelpWindow(&form);
        window->Load(ManualPath());
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void BuildHelp(TForm1& form) {
    auto* manual = new QAction(U("マニュアル(&M)"), &form);
    manual->setObjectName(QStringLiteral("Manual"));
    manual->setShortcut(QKeySequence::HelpContents);
    manual->setStatusTip(U("操作説明書を開きます"));
    form.HelpH1Menu->insertAction(form.R1, manual);
    form.HelpH1Menu->insertSeparator(form.R1)->setObjectName(QStringLiteral("HelpSep1"));
    QObject::connect(manual, &QAction::triggered, &form, [&form] { ShowManual(form); });
}
