#include "StatementPdf.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>

#include <optional>

StatementDocument::StatementDocument(QPagedPaintDevice& device) : device_(device) {}

StatementDocument::~StatementDocument() {
    End();
}

void StatementDocument::SetRange(int from, int to) {
    from_ = from;
    to_ = to;
}

bool StatementDocument::Add(const StatementPage& page) {
    ++offered_;
    if ((from_ > 0 && offered_ < from_) || (to_ > 0 && offered_ > to_))
        return true;
    if (pages_ == 0) {
        if (!canvas_.begin(&device_))
            return false;
        metrics_ = MetricsOf(device_);
    } else if (!device_.newPage()) {
        return false;
    }
    notes_ << PaintStatement(canvas_, metrics_, page);
    ++pages_;
    return true;
}

int StatementDocument::End() {
    if (canvas_.isActive())
        canvas_.end();
    return pages_;
}

std::optional<QStringList> PaintStatements(QPagedPaintDevice& device,
                                           const QList<StatementPage>& pages) {
    if (pages.isEmpty()) { // still a document, begun and ended, as before
        QPainter canvas;
        return canvas.begin(&device) ? std::optional<QStringList>(QStringList()) : std::nullopt;
    }
    StatementDocument document(device);
    for (int i = 0; i < pages.size(); ++i) {
        StatementPage page = pages[i];
        if (page.titleBlock) {
            page.titleBlock->page = i + 1;
            page.titleBlock->pages = pages.size();
        }
        if (!document.Add(page))
            return std::nullopt;
    }
    document.End();
    return document.Notes();
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
