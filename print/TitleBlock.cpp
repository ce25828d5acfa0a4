#include "TitleBlock.h"

#include <QFontMetrics>
#include <QPainter>

#include <array>

namespace {

// The face of the statement, so that the block reads as part of the page.
const QString kFamily = QStringLiteral("ＭＳ 明朝");

struct Cell {
    QString caption; // empty for the page number
    QString text;
    int weight;      // share of the block's width
};

void PaintCell(QPainter& canvas, const QRect& cell, const Cell& c, int pad) {
    const QFontMetrics metrics = canvas.fontMetrics();
    int x = cell.left() + pad;
    const int baseline = cell.top() + (cell.height() + metrics.ascent() - metrics.descent()) / 2;
    if (!c.caption.isEmpty()) {
        canvas.drawText(x, baseline, c.caption);
        x += metrics.horizontalAdvance(c.caption) + pad;
        canvas.drawLine(x, cell.top(), x, cell.bottom());
        x += pad;
    }
    const int room = cell.right() - pad - x;
    const QString text = metrics.elidedText(c.text, Qt::ElideRight, std::max(0, room));
    if (c.caption.isEmpty()) // the page number stands in the middle of its cell
        x = cell.left() + (cell.width() - metrics.horizontalAdvance(text)) / 2;
    canvas.drawText(x, baseline, text);
}

} // namespace

QString TitleBlockDate(const QDate& date) {
    return date.isValid() ? date.toString(QStringLiteral("yyyy/MM/dd")) : QString();
}

QString PageOfPages(int page, int pages) {
    return QStringLiteral("%1 / %2").arg(page).arg(pages);
}

void PaintTitleBlock(QPainter& canvas, const QRect& rect, const TitleBlock& block) {
    if (rect.isEmpty())
        return;
    const std::array<Cell, 4> cells{{
        {QStringLiteral("工事名"), block.project, 36},
        {QStringLiteral("拾い名称"), block.item, 34},
        {QStringLiteral("作成日"), TitleBlockDate(block.date), 20},
        {QString(), PageOfPages(block.page, block.pages), 10},
    }};
    canvas.save();
    QFont font(kFamily);
    font.setPixelSize(std::max(1, rect.height() * 11 / 20));
    canvas.setFont(font);
    QPen pen(Qt::black);
    pen.setWidth(std::max(1, rect.height() / 40));
    canvas.setPen(pen);
    canvas.setBrush(Qt::NoBrush);
    canvas.drawRect(rect);
    const int pad = std::max(1, rect.height() / 5);
    // The date and the page number take the room they need (never less than
    // their share); the project and the item share the rest by weight.
    const QFontMetrics metrics(font);
    const auto needed = [&](const Cell& c) {
        const int caption = c.caption.isEmpty() ? 0 : metrics.horizontalAdvance(c.caption) + 2 * pad;
        return caption + metrics.horizontalAdvance(c.text) + 2 * pad;
    };
    std::array<int, 4> widths{};
    int fixed = 0;
    for (std::size_t i = 2; i < cells.size(); ++i)
        fixed += widths[i] = std::max(needed(cells[i]), rect.width() * cells[i].weight / 100);
    const int rest = std::max(0, rect.width() - fixed);
    widths[0] = rest * cells[0].weight / (cells[0].weight + cells[1].weight);
    widths[1] = rest - widths[0];
    int left = rect.left();
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const bool last = i + 1 == cells.size();
        const int right = last ? rect.right() : left + widths[i];
        const QRect cell(QPoint(left, rect.top()), QPoint(right, rect.bottom()));
        PaintCell(canvas, cell, cells[i], pad);
        if (!last)
            canvas.drawLine(right, rect.top(), right, rect.bottom());
        left = right;
    }
    canvas.restore();
}

