// Printing the summary window: the quantity summary and the finish totals,
// or the comparison of two revisions, as tables on A4 landscape.
#include "SummaryForm.h"

#include "TablePrint.h"
#include "Utf8.h"

#include <QDate>
#include <QFileInfo>
#include <QHeaderView>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include <algorithm>

namespace {

// A heading of two lines ("根切量\n(m3)") becomes two heading rows.
QList<QStringList> HeadingRows(const QTableWidget& grid, const QStringList& groups) {
    QList<QStringList> rows;
    if (!groups.join(QString()).isEmpty())
        rows << groups;
    QList<QStringList> split;
    int depth = 1;
    for (int c = 0; c < grid.columnCount(); ++c) {
        const QTableWidgetItem* head = grid.horizontalHeaderItem(c);
        split << (head ? head->text() : QString()).split(u'\n');
        depth = std::max<int>(depth, split.last().size());
    }
    for (int line = 0; line < depth; ++line) {
        QStringList row;
        for (const QStringList& parts : split)
            row << parts.value(line);
        rows << row;
    }
    return rows;
}

PrintedTable TableOf(const QTableWidget& grid, const QString& caption, int kept,
                     const QStringList& groups = {}) {
    PrintedTable t;
    t.caption = caption;
    t.keptColumns = kept;
    t.heading = HeadingRows(grid, groups);
    for (int c = 0; c < grid.columnCount(); ++c) {
        const QTableWidgetItem* cell = grid.rowCount() > 0 ? grid.item(0, c) : nullptr;
        t.rightAligned << (cell && (cell->textAlignment() & Qt::AlignRight));
    }
    for (int r = 0; r < grid.rowCount(); ++r) {
        QStringList row;
        bool bold = false;
        for (int c = 0; c < grid.columnCount(); ++c) {
            const QTableWidgetItem* cell = grid.item(r, c);
            row << (cell ? cell->text() : QString());
            bold = bold || (cell && cell->font().bold());
        }
        t.rows << row;
        t.boldRows << bold;
    }
    return t;
}

} // namespace

int TSummaryForm::PrintTo(QPagedPaintDevice& device) {
    const QString project = QFileInfo(project_).completeBaseName();
    QList<PrintedTable> tables;
    QString name;
    if (Comparing()) {
        QStringList groups;
        int kept = 0;
        for (int c = 0; c < CompareGrid->columnCount(); ++c) {
            groups << GroupHeading(c);
            if (groups.last().isEmpty() && kept == c)
                ++kept;
        }
        name = U("数量比較");
        tables << TableOf(*CompareGrid,
                          name + U("　当初：") + QFileInfo(earlier_).fileName() + U("　変更：") +
                              QFileInfo(project_).fileName(),
                          std::max(1, kept), groups);
    } else {
        name = U("数量総括表");
        tables << TableOf(*Grid1, name, 2) << TableOf(*Grid2, U("仕上集計"), 1);
    }
    std::optional<TitleBlock> block;
    if (TitleBlockOn)
        block = TitleBlock{project, name, QDate::currentDate(), 1, 1};
    return PrintTables(device, tables, block);
}

void TSummaryForm::PrintClick() {
    if (!printer_) {
        printer_ = std::make_shared<QPrinter>(QPrinter::HighResolution);
        printer_->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                            QMarginsF(10, 8, 10, 8), QPageLayout::Millimeter));
    }
    printer_->setDocName(QFileInfo(project_).completeBaseName() +
                         (Comparing() ? U("_数量比較") : U("_数量総括表")));
    yoheki::PrintOptions options{TitleBlockOn};
    if (!dialogs_.printSetup(*printer_, options))
        return;
    TitleBlockOn = options.titleBlock;
    if (PrintTo(*printer_) == 0)
        dialogs_.message(U("プリンタに出力できませんでした。\n\rプリンタの設定を確かめてください。"));
}
