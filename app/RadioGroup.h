#pragma once
// A framed group of the three bar sizes. ItemIndex() is -1 while nothing is
// chosen, which a plain exclusive button group cannot return to by itself.
#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <array>

class TRadioGroup : public QGroupBox {
    Q_OBJECT
  public:
    explicit TRadioGroup(const QString& caption, QWidget* parent = nullptr);

    int ItemIndex() const;
    void SetItemIndex(int index); // -1 (or any index out of range) clears the choice
    QRadioButton* Button(int index) const { return buttons_.at(index); }

  private:
    QButtonGroup* group_;
    std::array<QRadioButton*, 3> buttons_{};
};
