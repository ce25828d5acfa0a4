#pragma once
// The quantity checks on the main window: after "演算実行" a count of the
// findings in the status bar, which opens their list in a window of its own.
// Nothing is shown for a run with nothing to report, and the message boxes of
// the run are not touched.
#include "Calc.h"
#include "Checks.h"

#include <QDialog>
#include <optional>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;
class TForm1;

// The findings of the last run, listed with their level, quantity and text.
class TCheckList : public QDialog {
    Q_OBJECT
  public:
    explicit TCheckList(QWidget* parent = nullptr);
    void SetFindings(const QString& item, const std::vector<checks::Finding>& findings);

    QLabel* Label1;      // the item
    QTreeWidget* List1;  // one row per finding
    QPushButton* Button1; // "閉じる"
};

namespace checkview {

// Shows the checks of a run of the item on screen; `out` empty (the run
// stopped) shows why it stopped, when the section is too low, and clears
// what an earlier run showed.
void Show(TForm1& form, const std::optional<engine::CalcOutput>& out);
// The same for the run the statement pane just made, so that the count and
// the list follow the screen as the pane does.
void Follow(TForm1& form);

// The status bar's count ("CheckButton"), nullptr before the first finding.
QPushButton* CountButton(const TForm1& form);
// The list window, nullptr before it was first opened.
TCheckList* ListWindow(const TForm1& form);

} // namespace checkview
