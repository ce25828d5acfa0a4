#include "RadioGroup.h"

#include <QHBoxLayout>

TRadioGroup::TRadioGroup(const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this)) {
    const char* items[] = {"D10", "D10,13", "D13"};
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    for (int i = 0; i < 3; ++i) {
        buttons_[i] = new QRadioButton(QString::fromUtf8(items[i]), this);
        group_->addButton(buttons_[i], i);
        layout->addWidget(buttons_[i]);
    }
    group_->setExclusive(true);
}

int TRadioGroup::ItemIndex() const {
    return group_->checkedId();
}

void TRadioGroup::SetItemIndex(int index) {
    if (index >= 0 && index < 3) {
        buttons_[index]->setChecked(true);
        return;
    }
    // An exclusive group refuses to uncheck its last button.
    group_->setExclusive(false);
    for (auto* b : buttons_)
        b->setChecked(false);
    group_->setExclusive(true);
}
