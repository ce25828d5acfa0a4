#include "ComboBox.h"

TComboBox::TComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert); // Enter must not add typed text to the list
}

void TComboBox::showPopup() {
    emit DropDown();
    QComboBox::showPopup();
}

void TComboBox::AddItems(const QStringList& items) {
    const int index = currentIndex();
    const QString text = currentText();
    addItems(items);
    setCurrentIndex(index);
    setEditText(text);
}
