#pragma once
// The item and finish lists. The item list must know when the user drops it
// down (the statement is cleared and the item on screen remembered then), which
// QComboBox does not signal.
#include <QComboBox>

class TComboBox : public QComboBox {
    Q_OBJECT
  public:
    explicit TComboBox(QWidget* parent = nullptr);
    void showPopup() override;
    // Appends to the list without choosing anything: adding to an empty list
    // would otherwise select the first entry and change the text.
    void AddItems(const QStringList& items);

  signals:
    void DropDown();
};
