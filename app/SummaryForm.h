#pragma once
// The summary window: one row per item and one column per quantity with the
// total row, the finishes totalled by name below, and saving the table as CSV
// or as an Excel workbook. Against an earlier revision of the project it
// shows 当初 / 変更 / 増減.
#include "Compare.h"
#include "Dialogs.h"
#include "Summary.h"

#include <QCheckBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <memory>

class QPagedPaintDevice;
class QPlainTextEdit;
class QPrinter;
class QTabWidget;
class TEstimateTab;
class QVBoxLayout;

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
    QTabWidget* Tabs;         // "数量集計" and "内訳書"
    TEstimateTab* EstimateTab; // the priced estimate of the same table

    // Asks for a file and writes the table as CSV (CP932, or UTF-8 when
    // CheckBox1 is ticked). An existing file is replaced only after asking.
    void Button1Click();
    // Asks for a file and writes the workbook: the table, the finish totals
    // and every calculated item's statement. An existing file is replaced
    // only after asking; a failed save leaves it as it was.
    void Button3Click();
    // The selected cells of `grid` as tab-separated lines, as spreadsheets
    // paste them, under the headings of their columns; Ctrl+C in either table
    // puts them on the clipboard.
    static QString SelectedText(const QTableWidget& grid);

    // ---- printing (SummaryPrint.cpp) ----
    QPushButton* PrintButton; // "印刷…"
    // The printer set-up, then the table on show: the summary with the
    // finish totals, or the comparison; A4 landscape unless chosen otherwise,
    // the settings kept while the program runs.
    void PrintClick();
    // The table on show, on pages of `device`; the number of pages.
    int PrintTo(QPagedPaintDevice& device);
    bool TitleBlockOn = true;

    // ---- comparison with an earlier revision (SummaryCompare.cpp) ----
    QPushButton* CompareButton;  // "比較対象…"
    QPushButton* UncompareButton;  // "比較解除"
    QTableWidget* CompareGrid;   // 当初 / 変更 / 増減 per quantity, under grouped headings
    QPlainTextEdit* ChangesMemo; // the changed inputs of the selected item
    // The item on the main window's screen, which the current revision takes
    // instead of its saved section.
    void SetScreenItem(std::optional<compare::ScreenEdit> screen) { screen_ = std::move(screen); }
    // Asks for the earlier revision's project file and compares.
    void CompareButtonClick();
    // Compares with the earlier revision at `path` without asking.
    bool CompareWith(const QString& path);
    // Back to the plain summary.
    void UncompareButtonClick();
    bool Comparing() const { return comparison_.has_value(); }
    const std::optional<compare::Comparison>& Comparison() const { return comparison_; }
    // The grouped heading of CompareGrid's column `column`: the quantity, or empty.
    QString GroupHeading(int column) const;

  private:
    void BuildCompareControls(QHBoxLayout* buttons, QVBoxLayout* layout);
    bool ShowComparison();
    void FillComparison();
    void FillCompareRow(int row, const compare::Row& r);
    void FillCompareTotal(int row, const char* label, const compare::Totals& t);
    void FitComparison();
    void ShowChanges();
    void SetComparing(bool on);
    QByteArray CsvOnHand(bool utf8) const;

    std::optional<compare::ScreenEdit> screen_;
    QString earlier_;
    std::optional<compare::Comparison> comparison_;

    void BuildControls();
    void FillItems();
    void FillSumRow(int row, const QStringList& lead, const std::vector<std::int64_t>& totals);
    void FillItemRow(int row, const summary::Item& item);
    void FillTotalRow(int row);
    void FillFinishes();
    void FitToContents();
    bool WriteCsv(const QString& path, const QByteArray& bytes);
    std::optional<QString> ChooseFile(QString& last, const QString& title, const QString& filter,
                                      const QString& suffix);

    yoheki::Dialogs& dialogs_;
    summary::Table table_;
    int lead_ = 2; // text columns before the quantities
    QString project_;
    QString csvName_; // the file chosen last; offered again
    std::shared_ptr<QPrinter> printer_;
    QString xlsxName_;
};
