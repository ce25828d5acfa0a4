#include "StatementPdf.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <optional>

std::optional<QStringList> PaintStatements(QPagedPaintDevice& device,
                                           const QList<StatementPage>& pages) {
    QPainter canvas;
    if (!canvas.begin(&device))
        return std::nullopt;
    const DeviceMetrics metrics = MetricsOf(device);
    QStringList notes;
    for (int i = 0; i < pages.size(); ++i) {
        if (i > 0)
            device.newPage();
        notes << PaintStatement(canvas, metrics, pages[i]);
    }
    canvas.end();
    return notes;
}

bool WriteStatementsPdf(const QString& path, const QList<StatementPage>& pages) {
    QPdfWriter pdf(path);
    pdf.setResolution(600);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    QStringList titles;
    for (const StatementPage& page : pages)
        titles << page.title;
    pdf.setTitle(titles.join(QStringLiteral("、")));
    pdf.setCreator(QStringLiteral("yoheki"));
    return PaintStatements(pdf, pages).has_value();
}

void PreviewStatements(QPrinter& printer, const QList<StatementPage>& pages, QWidget* parent) {
    QStringList titles;
    for (const StatementPage& page : pages)
        titles << page.title;
    printer.setDocName(titles.join(QStringLiteral("、")));
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&pages](QPrinter* target) { PaintStatements(*target, pages); });
    dialog.exec();
}
