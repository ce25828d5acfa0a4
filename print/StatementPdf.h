#pragma once
// Several statements as one document, one page each: a PDF file, or the
// pages of a print preview.
#include "StatementPage.h"

#include <QList>
#include <QPainter>

#include <optional>

class QPagedPaintDevice;

// Statements printed as one document, one page each, handed over one at a
// time so that a long project is never held whole. The device is begun by
// the first page, so a document without pages writes no file and sends no
// job; it is ended by End() or at the latest when the object goes.
class StatementDocument {
  public:
    explicit StatementDocument(QPagedPaintDevice& device);
    ~StatementDocument();
    StatementDocument(const StatementDocument&) = delete;
    StatementDocument& operator=(const StatementDocument&) = delete;

    // Only pages `from` to `to` (counted from 1) are painted; the others are
    // passed over, so a range chosen in the print dialog prints those pages.
    void SetRange(int from, int to);
    // Paints `page` as the next page; false when the device cannot be begun.
    // A page outside the range is passed over and counts as done.
    bool Add(const StatementPage& page);
    // Ends the document; the number of pages it holds.
    int End();
    int Pages() const { return pages_; }
    // One note per page, empty where the drawing was drawn.
    const QStringList& Notes() const { return notes_; }

  private:
    QPagedPaintDevice& device_;
    QPainter canvas_;
    DeviceMetrics metrics_;
    int pages_ = 0;   // painted
    int offered_ = 0; // handed to Add
    int from_ = 0, to_ = 0;
    QStringList notes_;
};

// Paints the pages one after another on `device`, each through
// PrintStatement's page painter. Returns the drawing notes, one per page
// (empty where the drawing was drawn), or nothing when the device could not
// be opened.
std::optional<QStringList> PaintStatements(QPagedPaintDevice& device,
                                           const QList<StatementPage>& pages);

// A4 portrait at 600 dpi, no margins, so that paper and device positions
// share their origin. The document title lists the pages' titles; pages with
// a title block are numbered through the document.
bool WriteStatementsPdf(const QString& path, const QList<StatementPage>& pages);
