#include "StatementPreview.h"

#include "StatementPdf.h"

#include <QPaintEngine>
#include <QPrintPreviewDialog>
#include <QPrinter>

void PreviewStatements(QPrinter& printer, const QList<StatementPage>& pages, QWidget* parent,
                       const std::function<bool(const QPrinter&)>& mayPrint) {
    QStringList titles;
    for (const StatementPage& page : pages)
        titles << page.title;
    printer.setDocName(titles.join(QStringLiteral("、")));
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("印刷プレビュー"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&pages, &mayPrint](QPrinter* target) {
                         // The preview's own pictures are drawn on another
                         // engine; only real output is asked about.
                         const bool output = target->paintEngine() &&
                                             target->paintEngine()->type() == QPaintEngine::Pdf;
                         if (output && mayPrint && !mayPrint(*target))
                             return;
                         PaintStatements(*target, pages);
                     });
    dialog.exec();
}
