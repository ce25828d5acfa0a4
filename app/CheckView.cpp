// The quantity checks after a run: the count in the status bar and the list.
#include "CheckView.h"

#include "LivePane.h"
#include "main1.h"
#include "Utf8.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QIcon LevelIcon(checks::Level level) {
    return QApplication::style()->standardIcon(level == checks::Level::Error
                                                   ? QStyle::SP_MessageBoxCritical
                                                   : QStyle::SP_MessageBoxWarning);
}

QString CountText(const std::vector<checks::Finding>& findings) {
    int errors = 0;
    for (const checks::Finding& f : findings)
        errors += f.level == checks::Level::Error ? 1 : 0;
    const int cautions = static_cast<int>(findings.size()) - errors;
    QStringList parts;
    if (errors)
        parts << U("エラー %1件").arg(errors);
    if (cautions)
        parts << U("注意 %1件").arg(cautions);
    return U("検算：") + parts.join(U("　")) + U("（クリックで一覧）");
}

// The count in the status bar, holding the findings it counts.
class CountButton : public QPushButton {
  public:
    using QPushButton::QPushButton;
    QString item;
    std::vector<checks::Finding> findings;
};

CountButton* ButtonOf(const TForm1& form) {
    return static_cast<CountButton*>(checkview::CountButton(form));
}

void OpenList(TForm1& form, const CountButton* button) {
    TCheckList* list = checkview::ListWindow(form);
    if (!list)
        list = new TCheckList(&form);
    list->SetFindings(button->item, button->findings);
    list->show();
    list->raise();
    list->activateWindow();
}

// The count in the status bar, made at the first finding; it follows the
// item on screen with the statement pane.
CountButton* MakeButton(TForm1& form) {
    auto* button = new CountButton(&form);
    button->setObjectName(QStringLiteral("CheckButton"));
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setToolTip(U("演算結果の検算で見つかった点の一覧を開きます"));
    form.statusBar()->addWidget(button);
    form.statusBar()->setSizeGripEnabled(false);
    QObject::connect(button, &QPushButton::clicked, &form, [&form, button] { OpenList(form, button); });
    // Another item: its own findings follow with the pane's run.
    QObject::connect(form.ComboBox1, &QComboBox::currentIndexChanged, button,
                     [button] { button->hide(); });
    return button;
}

} // namespace

TCheckList::TCheckList(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CheckList"));
    setWindowTitle(U("検算結果"));
    setModal(false);
    setSizeGripEnabled(true);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    List1 = new QTreeWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setHeaderLabels({U("区分"), U("数量・入力"), U("内容")});
    List1->setRootIsDecorated(false);
    List1->setWordWrap(true);
    List1->setAlternatingRowColors(true);
    List1->header()->setStretchLastSection(true);
    Button1 = new QPushButton(U("閉じる"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(List1, 1);
    layout->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, &QDialog::close);
    resize(820, 320);
}

void TCheckList::SetFindings(const QString& item, const std::vector<checks::Finding>& findings) {
    Label1->setText(U("拾い：") + item + U("　　%1件").arg(findings.size()));
    List1->clear();
    for (const checks::Finding& f : findings) {
        auto* row = new QTreeWidgetItem(List1, {U(checks::LevelName(f.level)), U(f.quantity), U(f.text)});
        row->setIcon(0, LevelIcon(f.level));
        row->setToolTip(2, U(f.text));
    }
    for (int c = 0; c < 2; ++c)
        List1->resizeColumnToContents(c);
}

namespace checkview {

namespace {

void Present(TForm1& form, std::vector<checks::Finding> findings) {
    ::CountButton* button = ButtonOf(form);
    if (findings.empty() && !button)
        return;
    if (!button)
        button = MakeButton(form);
    button->item = form.ComboBox1->currentText();
    button->findings = std::move(findings);
    const bool any = !button->findings.empty();
    button->setVisible(any);
    if (any) {
        button->setText(CountText(button->findings));
        button->setIcon(LevelIcon(checks::HasError(button->findings) ? checks::Level::Error
                                                                     : checks::Level::Caution));
    }
    if (TCheckList* list = ListWindow(form)) {
        list->SetFindings(button->item, button->findings);
        if (!any)
            list->hide();
    }
}

std::vector<checks::Finding> FindingsOf(const engine::Snapshot& snapshot,
                                        const std::optional<engine::CalcOutput>& out) {
    return out ? checks::CheckItem(snapshot, *out) : checks::CheckStopped(snapshot);
}

} // namespace

void Show(TForm1& form, const std::optional<engine::CalcOutput>& out) {
    Present(form, FindingsOf(form.TakeSnapshot(), out));
}

void Follow(TForm1& form) {
    Present(form, FindingsOf(form.Live->Snapshot(), form.Live->Output()));
}

QPushButton* CountButton(const TForm1& form) {
    return form.findChild<QPushButton*>(QStringLiteral("CheckButton"));
}

TCheckList* ListWindow(const TForm1& form) {
    return form.findChild<TCheckList*>(QStringLiteral("CheckList"), Qt::FindDirectChildrenOnly);
}

} // namespace checkview
