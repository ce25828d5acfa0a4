#pragma once
// The toolkit's print preview of statement pages.
#include "StatementPage.h"

#include <QList>
#include <functional>

class QPrinter;
class QWidget;

// The toolkit's print preview of the pages on `printer`; printing from the
// preview prints them all as one document, unless `mayPrint` (when given)
// refuses the printer as the user set it up there, say for its PDF file.
void PreviewStatements(QPrinter& printer, const QList<StatementPage>& pages, QWidget* parent,
                       const std::function<bool(const QPrinter&)>& mayPrint = {});
