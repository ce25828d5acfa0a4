#pragma once
// The unit-price book's editor (単価表…): the book in use as a table whose
// rows are added, changed and deleted, checked as the program reads it and
// saved whole through the program's atomic save. It hands the result back by
// its return code; the summary window reads the book again.
#include "Dialogs.h"
#include "PriceBook.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

class TPriceBookDialog : public QDialog {
    Q_OBJECT
  public:
    TPriceBookDialog(yoheki::Dialogs& dialogs, QWidget* parent = nullptr);

    // Shows the rows of the book at `path` (the delivered book's when the
    // user has none yet); saving writes `path`.
    void SetBook(const QString& source, const QString& path);

    QLabel* PathLabel;
    QTableWidget* Grid;
    QPushButton* AddButton;    // "行を追加"
    QPushButton* DeleteButton; // "行を削除"
    QPushButton* SaveButton;   // "保存"
    QPushButton* CancelButton; // "キャンセル"

    void AddButtonClick();
    void DeleteButtonClick();
    // Checks the rows, saves them and closes; a fault keeps the dialog open.
    void SaveButtonClick();
    // The rows as they stand.
    QList<QStringList> Rows() const;

  private:
    yoheki::Dialogs& dialogs_;
    QString path_;
};
