#include "TablePrint.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace {

const QString kFamily = QStringLiteral("ＭＳ ゴシック");

// One page: rows first..last of the table, with these columns.
struct Slice {
    int table = 0;
    int firstRow = 0, endRow = 0;
    QList<int> columns;
};

struct Metrics {
    QFont font;
    int rowHeight = 0;
    int pad = 0;
    int blockHeight = 0; // title block and the space under it
    QRect paper;         // the printable area in device pixels, from 0,0
};

int Mm(double mm, int dpi) {
    return static_cast<int>(mm * dpi / 25.4);
}

QList<int> ColumnWidths(const PrintedTable& t, const QFontMetrics& fm, int pad) {
    const int columns = t.heading.isEmpty() ? 0 : static_cast<int>(t.heading.first().size());
    QList<int> widths(columns, 0);
    const auto widen = [&](const QStringList& cells) {
        for (int c = 0; c < std::min<int>(columns, cells.size()); ++c)
            widths[c] = std::max(widths[c], fm.horizontalAdvance(cells[c]) + 2 * pad);
    };
    for (const QStringList& row : t.heading)
        widen(row);
    for (const QStringList& row : t.rows)
        widen(row);
    return widths;
}

// Columns after the kept ones, in groups that fit beside them.
QList<QList<int>> ColumnGroups(const PrintedTable& t, const QList<int>& widths, int room) {
    const int kept = std::min<int>(t.keptColumns, widths.size());
    int keptWidth = 0;
    QList<int> keptList;
    for (int c = 0; c < kept; ++c) {
        keptWidth += widths[c];
        keptList << c;
    }
    QList<QList<int>> groups;
    QList<int> group = keptList;
    int used = keptWidth;
    for (int c = kept; c < widths.size(); ++c) {
        if (used + widths[c] > room && group.size() > keptList.size()) {
            groups << group;
            group = keptList;
            used = keptWidth;
        }
        group << c;
        used += widths[c];
    }
    if (group.size() > keptList.size() || groups.isEmpty())
        groups << group;
    return groups;
}

QList<Slice> Slices(const QList<PrintedTable>& tables, const Metrics& m, QPaintDevice* device) {
    const QFontMetrics fm(m.font, device);
    QList<Slice> slices;
    for (int t = 0; t < tables.size(); ++t) {
        const PrintedTable& table = tables[t];
        const QList<int> widths = ColumnWidths(table, fm, m.pad);
        const int fixed = m.blockHeight + m.rowHeight * (2 + table.heading.size());
        const int perPage = std::max(1, (m.paper.height() - fixed) / m.rowHeight);
        const int rows = static_cast<int>(table.rows.size());
        for (const QList<int>& group : ColumnGroups(table, widths, m.paper.width()))
            for (int first = 0; first < std::max(rows, 1); first += perPage)
                slices << Slice{t, first, std::min(rows, first + perPage), group};
    }
    return slices;
}

void PaintRow(QPainter& p, const PrintedTable& t, const QStringList& cells, const Slice& s,
              const QList<int>& widths, int y, const Metrics& m, bool heading) {
    int x = m.paper.left();
    for (int c : s.columns) {
        const QRect cell(x, y, widths[c], m.rowHeight);
        if (heading)
            p.fillRect(cell, QColor(232, 236, 244));
        p.drawRect(cell);
        const bool right = !heading && c < t.rightAligned.size() && t.rightAligned[c];
        p.drawText(cell.adjusted(m.pad, 0, -m.pad, 0),
                   Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft),
                   c < cells.size() ? cells[c] : QString());
        x += widths[c];
    }
}

void PaintSlice(QPainter& p, const PrintedTable& t, const Slice& s, const Metrics& m) {
    const QList<int> widths = ColumnWidths(t, QFontMetrics(m.font, p.device()), m.pad);
    int y = m.paper.top() + m.blockHeight;
    QFont caption = m.font;
    caption.setBold(true);
    caption.setPixelSize(m.font.pixelSize() * 4 / 3);
    p.setFont(caption);
    p.drawText(QRect(m.paper.left(), y, m.paper.width(), m.rowHeight * 2),
               Qt::AlignLeft | Qt::AlignVCenter, t.caption);
    y += m.rowHeight * 2;
    p.setFont(m.font);
    for (const QStringList& heading : t.heading) {
        PaintRow(p, t, heading, s, widths, y, m, true);
        y += m.rowHeight;
    }
    for (int r = s.firstRow; r < s.endRow; ++r) {
        QFont font = m.font;
        font.setBold(r < t.boldRows.size() && t.boldRows[r]);
        p.setFont(font);
        PaintRow(p, t, t.rows[r], s, widths, y, m, false);
        y += m.rowHeight;
    }
}

} // namespace

int PrintTables(QPagedPaintDevice& device, const QList<PrintedTable>& tables,
                std::optional<TitleBlock> block) {
    QPainter p;
    if (!p.begin(&device))
        return 0;
    const int dpi = device.logicalDpiY();
    Metrics m;
    m.font = QFont(kFamily);
    m.font.setPixelSize(std::max(1, 9 * dpi / 72)); // 9 pt
    p.setFont(m.font);
    m.rowHeight = p.fontMetrics().height() * 3 / 2;
    m.pad = Mm(1.2, dpi);
    m.blockHeight = block ? Mm(11, dpi) : 0;
    m.paper = QRect(QPoint(0, 0), device.pageLayout().paintRectPixels(dpi).size());
    const QList<Slice> slices = Slices(tables, m, &device);
    p.setPen(QPen(Qt::black, std::max(1, dpi / 200)));
    for (int i = 0; i < slices.size(); ++i) {
        if (i > 0 && !device.newPage())
            return i;
        if (block) {
            block->page = i + 1;
            block->pages = static_cast<int>(slices.size());
            PaintTitleBlock(p, QRect(m.paper.left(), m.paper.top(), m.paper.width(), Mm(7, dpi)),
                            *block);
        }
        PaintSlice(p, tables[slices[i].table], slices[i], m);
    }
    p.end();
    return static_cast<int>(slices.size());
}
