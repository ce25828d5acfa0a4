#pragma once
// The hidden form that carries the statement list and a print job, and the
// printer's side of printing a statement page.
#include "StatementPage.h"

#include <QLineEdit>
#include <QListWidget>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QPrinter;
class StatementDocument;

class TForm2 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;

    QListWidget* ListBox1; // the statement list of the last calculation
    QLineEdit* Edit1;      // document title: the item name
    QLineEdit* Edit2;      // folder of the drawing files
    // The 寸法図 printed in the drawing's place; none prints the standard picture.
    std::optional<engine::section::Drawing> Section;

    QStringList Lines() const;
    void SetLines(const QStringList& lines);
    // The print job the form holds, for a structure of `mode`; with the title
    // block (page 1 / 1) unless it is switched off.
    StatementPage Page(StructureMode mode) const;

    // The title block of printed pages: switched in the print set-up, kept
    // for the session; the project's name for its 工事名.
    bool TitleBlockOn = true;
    QString ProjectName;

    // The printer chosen in the set-up dialog; it keeps its settings for the
    // rest of the session.
    QPrinter& Printer();
    // Prints the job on Printer(), one document titled with Edit1.
    PrintResult Print(StructureMode mode);
    // Several pages as one print job on Printer(), titled `title`: each
    // AddPage prints the job the form holds now as the next page, EndDocument
    // ends the job and gives the number of pages printed. The printer is
    // opened by the first page, so a job without pages prints nothing.
    // `pages` is the number the document will hold, for the title blocks'
    // "x / y"; a page range set up on the printer is honoured: pages outside
    // it are numbered but not printed.
    void BeginDocument(const QString& title, int pages = 1);
    bool AddPage(StructureMode mode); // false when the printer could not be opened
    int EndDocument();

    // Shows pages in the print preview on Printer().
    void Preview(const QList<StatementPage>& pages, QWidget* parent);
    // Asked before the preview prints, with the printer as set up there;
    // false keeps it from printing.
    std::function<bool(const QPrinter&)> MayPrint;

    // When set, Print and Preview hand their pages here instead of to the
    // printer: for tests, and for output without a printer.
    std::function<void(const StatementPage&)> PageSink;
    std::function<void(const QList<StatementPage>&)> PreviewSink;

  private:
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<StatementDocument> document_;
    int documentPages_ = 0; // pages added, printed or outside the range
    int documentSize_ = 1;
};

// One page as one print job on `printer`, titled with the page's title.
PrintResult PrintStatement(QPrinter& printer, const StatementPage& page);
PrintResult PrintStatement(const TForm2& form, StructureMode mode, QPaintDevice& device);
