#pragma once
// The manual in a window of its own: the contents beside the text, and a
// search field that finds the next place a word appears.
#include <QDialog>

class QLabel;
class QLineEdit;
class QTextBrowser;
class QTreeWidget;
class TForm1;

class THelpWindow : public QDialog {
    Q_OBJECT
  public:
    explicit THelpWindow(QWidget* parent = nullptr);

    // Loads the manual at `path`; false (with a note in its place) when
    // there is none.
    bool Load(const QString& path);
    // Finds `text` after the cursor, from the top again after the end; false
    // when the manual does not hold it.
    bool Find(const QString& text);
    // Shows the part under the heading `anchor`, e.g. "conditions".
    void ShowPart(const QString& anchor);

    QTreeWidget* Contents;
    QTextBrowser* Browser;
    QLineEdit* SearchField;
    QLabel* SearchNote;

  private:
    void FillContents();
};

// The manual delivered with the program (share/yoheki/manual/index.html).
QString ManualPath();
// The manual's window of `form`, shown and raised.
THelpWindow* ShowManual(TForm1& form);
// Help → マニュアル (F1) at the top of the help menu.
void BuildHelp(TForm1& form);
