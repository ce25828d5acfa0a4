#pragma once
// A table printed page after page: the quantity summary and the revision
// comparison as handed to a client. The heading rows and the name columns
// are repeated on every page; columns that do not fit the width go on
// further pages, the name columns again at their left; every page carries
// the title block.
#include "TitleBlock.h"

#include <QList>
#include <QStringList>
#include <optional>

class QPagedPaintDevice;

struct PrintedTable {
    QString caption;             // above the table, e.g. "数量総括表"
    QList<QStringList> heading;  // heading rows, one text per column
    QList<QStringList> rows;     // the cells as shown
    QList<bool> rightAligned;    // per column: numbers stand right
    QList<bool> boldRows;        // per row: totals
    int keptColumns = 1;         // repeated at the left of every page
};

// The pages `tables` take on `device` as it is set up, in order: each
// table begins on a new page. The block's page numbers are set per page;
// without a block the pages carry none. Returns the number of pages, 0 when
// the device could not be opened.
int PrintTables(QPagedPaintDevice& device, const QList<PrintedTable>& tables,
                std::optional<TitleBlock> block);
