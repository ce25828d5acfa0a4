#pragma once
// Several statements as one document, one page each: a PDF file, or the
// pages of a print preview.
#include "PrnSys.h"

#include <QList>

#include <optional>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

// Paints the pages one after another on `device`, each through
// PrintStatement's page painter. Returns the drawing notes, one per page
// (empty where the drawing was drawn), or nothing when the device could not
// be opened.
std::optional<QStringList> PaintStatements(QPagedPaintDevice& device,
                                           const QList<StatementPage>& pages);

// A4 portrait at 600 dpi, no margins, so that paper and device positions
// share their origin. The document title lists the pages' titles.
bool WriteStatementsPdf(const QString& path, const QList<StatementPage>& pages);

// The toolkit's print preview of the pages on `printer`; printing from the
// preview prints them all as one document.
void PreviewStatements(QPrinter& printer, const QList<StatementPage>& pages, QWidget* parent);
