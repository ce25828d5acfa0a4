#pragma once
// The hidden form that carries the statement list and a print job, and the
// printed statement page: the heading column, the structure's drawing with
// its dimension labels, the quantity caption and the quantity lines.
#include "PageLayout.h"

#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

class QPaintDevice;
class QPainter;
class QPrinter;
class StatementDocument;

// Everything one printed page needs.
struct StatementPage {
    QString title;         // the document title: the item name
    QString drawingFolder; // where the drawing files are
    StructureMode mode = StructureMode::Wall;
    QStringList lines; // the statement list
};

// What came of printing a page.
struct PrintResult {
    bool printed = false; // the document could be begun (and was ended)
    QString note;         // written in the drawing's place; empty when it was drawn
};

class TForm2 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;

    QListWidget* ListBox1; // the statement list of the last calculation
    QLineEdit* Edit1;      // document title: the item name
    QLineEdit* Edit2;      // folder of the drawing files

    QStringList Lines() const;
    void SetLines(const QStringList& lines);
    // The print job the form holds, for a structure of `mode`.
    StatementPage Page(StructureMode mode) const;

    // The printer chosen in the set-up dialog; it keeps its settings for the
    // rest of the session.
    QPrinter& Printer();
    // Prints the job on Printer(), one document titled with Edit1.
    PrintResult Print(StructureMode mode);
    // Several pages as one print job on Printer(), titled `title`: each
    // AddPage prints the job the form holds now as the next page, EndDocument
    // ends the job and gives the number of pages printed. The printer is
    // opened by the first page, so a job without pages prints nothing.
    void BeginDocument(const QString& title);
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
    int documentPages_ = 0;
};

// The drawing file of a mode as the program names it, e.g. "擁壁１.BMP".
QString DrawingFileName(StructureMode mode);
// The path of that file in `folder`, matched without regard to letter case;
// empty when the folder holds no such file.
// The file `name` in `folder`, matched without regard to letter case (a
// drawing may be delivered as ".BMP" or ".bmp"); empty when there is none or
// no folder is given.
QString FindDrawing(const QString& folder, const QString& name);
QString FindDrawing(const QString& folder, StructureMode mode);
// The drawing in the recorded folder or, when that folder lacks it, the one
// delivered with the program; empty when neither has it.
QString LocateDrawing(const QString& folder, const QString& name);

// Draws the whole bitmap scaled into `rect` (device units); its pixels
// replace what was there.
void StretchDrawBitmap(QPainter& canvas, const QRect& rect, const QImage& bitmap);

// The statement font, 12 pt at the device's vertical resolution.
QFont StatementFont(const DeviceMetrics& m);

// Paints one page on an active painter: text first, then the drawing.
// Returns the note that stands in for a missing or unreadable drawing.
QString PaintStatement(QPainter& canvas, const DeviceMetrics& m, const StatementPage& page);

// The device's resolution and the offset of its printable area. No device
// reports a scale to the toolkit, so it is 100.
DeviceMetrics MetricsOf(const QPaintDevice& device);

// The document title of a printer or PDF writer; other devices keep none.
void SetDocumentTitle(QPaintDevice& device, const QString& title);

// One document of one page on `device`, titled with the page's title where
// the device keeps a title (printer, PDF). The document is ended on every path.
PrintResult PrintStatement(QPaintDevice& device, const DeviceMetrics& m, const StatementPage& page);
PrintResult PrintStatement(QPaintDevice& device, const StatementPage& page);
PrintResult PrintStatement(const TForm2& form, StructureMode mode, QPaintDevice& device);
