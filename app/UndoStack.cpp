#include "UndoStack.h"

#include "Error.h"
#include "IniFile.h"
#include "Takeoff.h"
#include "main1.h"
#include "PathBytes.h"

#include <QAction>
#include <QFile>

namespace {

const QString kMark = QStringLiteral("[*]");

} // namespace

ItemHistory& ItemHistory::Of(TForm1& form) {
    if (auto* history = form.findChild<ItemHistory*>(QString(), Qt::FindDirectChildrenOnly))
        return *history;
    return *new ItemHistory(form);
}

// Every control a record holds reports its changes here, as the statement
// pane hears them.
ItemHistory::ItemHistory(TForm1& form) : QObject(&form), form_(form) {
    step_.setSingleShot(true);
    step_.setInterval(kStepMs);
    connect(&step_, &QTimer::timeout, this, &ItemHistory::Capture);
    mark_.setSingleShot(true);
    mark_.setInterval(0);
    connect(&mark_, &QTimer::timeout, this, &ItemHistory::UpdateMark);
    const auto changed = [this] { Changed(); };
    for (int n = 1; n <= 18; ++n)
        connect(form.REdit(n), &QLineEdit::textChanged, this, changed);
    for (TComboBox* combo : {form.ComboBox2, form.ComboBox3, form.ComboBox4})
        connect(combo, &QComboBox::currentTextChanged, this, changed);
    for (QCheckBox* box :
         {form.CheckBox1, form.CheckBox2, form.CheckBox3, form.CheckBox5, form.CheckBox6})
        connect(box, &QCheckBox::toggled, this, changed);
    for (TRadioGroup* group : {form.RG_BL, form.RG_HL, form.RG_TL, form.RG_YL})
        for (int i = 0; i < 3; ++i)
            connect(group->Button(i), &QRadioButton::toggled, this, changed);
    for (QAction* mark : form.findChildren<QAction*>())
        if (mark->isCheckable() && mark != form.D2 && mark != form.Q1)
            connect(mark, &QAction::toggled, this, changed);
    states_.push_back(ScreenRecord(form));
}

void ItemHistory::Changed() {
    if (restoring_)
        return;
    step_.start();
    mark_.start();
}

void ItemHistory::Loaded() {
    step_.stop();
    file_ = ScreenRecord(form_);
    states_.assign(1, file_);
    index_ = 0;
    UpdateMark();
}

void ItemHistory::Saved() {
    Flush();
    file_ = ScreenRecord(form_);
    UpdateMark();
}

void ItemHistory::Flush() {
    if (step_.isActive()) {
        step_.stop();
        Capture();
    }
}

void ItemHistory::Capture() {
    takeoff::ItemRecord now = ScreenRecord(form_);
    if (now == states_[index_])
        return UpdateMark();
    states_.resize(index_ + 1); // a new edit drops what could be redone
    states_.push_back(std::move(now));
    index_ = states_.size() - 1;
    UpdateMark();
}

bool ItemHistory::CanUndo() const {
    return index_ > 0 || step_.isActive();
}

bool ItemHistory::CanRedo() const {
    return index_ + 1 < states_.size() && !step_.isActive();
}

void ItemHistory::Undo() {
    Flush();
    if (index_ == 0)
        return;
    Restore(states_[--index_]);
}

void ItemHistory::Redo() {
    Flush();
    if (index_ + 1 >= states_.size())
        return;
    Restore(states_[++index_]);
}

void ItemHistory::Revert() {
    Flush();
    const QString item = ItemOnScreen(form_);
    if (item.isEmpty())
        return;
    takeoff::ItemRecord stored;
    try {
        const yoheki::IniFile& ini = ProjectStore::Of(form_).project.Open(
            yoheki::PathBytes(form_.CurrentProject));
        stored = takeoff::ReadItem(ini, item.toStdString());
    } catch (const yoheki::Error& e) {
        return form_.dialogs.message(QString::fromUtf8(e.what()));
    }
    Restore(stored);
    Capture();
}

// The record goes onto the screen as loading puts it there; the panels
// close, since their fields belong to the state being left.
void ItemHistory::Restore(const takeoff::ItemRecord& record) {
    restoring_ = true;
    form_.CloseOpenPanel();
    // Loading switches the layout from the mode the screen shows.
    form_.Label21->setText(form_.U2->isChecked()   ? QStringLiteral("3")
                           : form_.B1->isChecked() ? QStringLiteral("2")
                                                   : QStringLiteral("1"));
    ShowScreenRecord(form_, record);
    restoring_ = false;
    step_.stop();
    UpdateMark();
}

bool ItemHistory::Modified() const {
    return modified_;
}

void ItemHistory::UpdateMark() {
    const bool modified = !ItemOnScreen(form_).isEmpty() && ScreenRecord(form_) != file_;
    if (undoAction)
        undoAction->setEnabled(CanUndo());
    if (redoAction)
        redoAction->setEnabled(CanRedo());
    const QString caption = ProjectCaption(form_);
    const QString title = modified ? caption + kMark : caption;
    if (form_.windowTitle() != title)
        form_.setWindowTitle(title);
    form_.setWindowModified(modified);
    if (modified != modified_) {
        modified_ = modified;
        emit ModifiedChanged(modified);
    }
}

QString ProjectCaption(const TForm1& form) {
    QString caption = form.windowTitle();
    if (caption.endsWith(kMark))
        caption.chop(kMark.size());
    return caption;
}
