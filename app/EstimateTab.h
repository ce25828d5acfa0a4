#pragma once
// The summary window's tab 内訳書: the project priced with the book in use
// (the project's own "<project>_単価.csv", else the user's), grouped by 工種
// with subtotals and totals, the quantities without a price and the items
// left out under it; saving it as CSV, printing it or writing its PDF, and
// the book's editor. While revisions are compared it shows 当初 / 変更 /
// 増減 of 数量 and 金額. A view: every figure comes from estimate::MakeEstimate.
#include "Dialogs.h"
#include "Estimate.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QWidget>

class TEstimateTab : public QWidget {
    Q_OBJECT
  public:
    TEstimateTab(yoheki::Dialogs& dialogs, QWidget* parent = nullptr);

    // Prices `table`, the summary of the project at `projectPath`.
    void SetTable(const summary::Table& table, const QString& projectPath);
    // With an earlier revision's summary: 当初 / 変更 / 増減; nothing: back
    // to the plain 内訳書.
    void SetEarlier(std::optional<summary::Table> earlier);

    const estimate::Estimate& Estimate() const { return estimate_; }
    const QString& BookPath() const { return bookPath_; }

    QLabel* BookLabel;         // the book in use
    QPushButton* BookButton;   // "単価表…"
    QTableWidget* Grid;        // the 内訳書, or the comparison
    QPlainTextEdit* NotesMemo; // unpriced quantities, items left out, the book's faults
    QCheckBox* Utf8Box;        // "UTF-8で保存"
    QPushButton* CsvButton;    // "CSVに保存"
    QPushButton* PrintButton;  // "印刷…"
    QPushButton* PdfButton;    // "PDFに保存"

    void BookButtonClick();
    void CsvButtonClick();
    void PrintButtonClick();
    void PdfButtonClick();

  private:
    void Reprice();
    void Fill();
    void FillComparison();
    std::optional<QString> ChooseFile(const QString& title, const QString& filter,
                                      const QString& suffix);

    yoheki::Dialogs& dialogs_;
    summary::Table table_;
    std::optional<summary::Table> earlier_;
    QString project_, bookPath_;
    estimate::Estimate estimate_;
};
