#pragma once
// The summary window: one row per item and one column per quantity with the
// total row, the finishes totalled by name below, and saving the table as CSV
// or as an Excel workbook.
#include "Dialogs.h"
#include "Summary.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

class TSummaryForm : public QDialog {
    Q_OBJECT
  public:
    explicit TSummaryForm(yoheki::Dialogs& dialogs, QWidget* parent = nullptr);

    // Shows `table`, the summary of the project at `projectPath`.
    void SetTable(summary::Table table, const QString& projectPath);
    const summary::Table& Table() const { return table_; }
    // The size that shows every column and the first rows whole; the window
    // opens at it, or as large as the screen allows.
    QSize ContentSize() const;

    QLabel* Label1;       // project and item counts
    QTableWidget* Grid1;  // the quantities
    QLabel* Label2;       // caption of the finish totals
    QTableWidget* Grid2;  // the finish totals
    QCheckBox* CheckBox1; // "UTF-8で保存"
    QPushButton* Button1; // "CSVに保存"
    QPushButton* Button2; // "閉じる"
    QPushButton* Button3; // "Excelに保存"

    // Asks for a file and writes the table as CSV (CP932, or UTF-8 when
    // CheckBox1 is ticked). An existing file is replaced only after asking.
    void Button1Click();
    // Asks for a file and writes the workbook: the table, the finish totals
    // and every calculated item's statement. An existing file is replaced
    // only after asking; a failed save leaves it as it was.
    void Button3Click();
    // The selected cells of `grid` as tab-separated lines, as spreadsheets
    // paste them; Ctrl+C in either table puts them on the clipboard.
    static QString SelectedText(const QTableWidget& grid);

  private:
    void BuildControls();
    void FillItems();
    void FillItemRow(int row, const summary::Item& item);
    void FillTotalRow(int row);
    void FillFinishes();
    void FitToContents();
    bool WriteCsv(const QString& path, const QByteArray& bytes);
    std::optional<QString> ChooseFile(QString& last, const QString& title, const QString& filter,
                                      const QString& suffix);

    yoheki::Dialogs& dialogs_;
    summary::Table table_;
    QString project_;
    QString csvName_; // the file chosen last; offered again
    QString xlsxName_;
};
