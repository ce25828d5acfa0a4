#include "FrozenColumns.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

namespace {

class FrozenView : public QTableView {
  public:
    FrozenView(QTableView* table) : QTableView(table), table_(table) {
        setObjectName(QStringLiteral("FrozenColumns"));
        setModel(table->model());
        setSelectionModel(table->selectionModel());
        setFocusPolicy(Qt::NoFocus);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setSelectionMode(table->selectionMode());
        setWordWrap(false);
        verticalHeader()->hide();
        horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setStyleSheet(QStringLiteral("QTableView { border: none; border-right: 1px solid gray; }"));
        connect(verticalScrollBar(), &QScrollBar::valueChanged, table->verticalScrollBar(),
                &QScrollBar::setValue);
        connect(table->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(),
                &QScrollBar::setValue);
        // Queued: the table's model and headers signal also while the table is
        // being taken down, when its parts may no longer be asked about.
        const auto place = [this] { Place(); };
        connect(table->horizontalHeader(), &QHeaderView::sectionResized, this, place,
                Qt::QueuedConnection);
        connect(table->verticalHeader(), &QHeaderView::sectionResized, this, place,
                Qt::QueuedConnection);
        connect(table->model(), &QAbstractItemModel::modelReset, this, place,
                Qt::QueuedConnection);
        connect(table->model(), &QAbstractItemModel::columnsInserted, this, place,
                Qt::QueuedConnection);
        connect(table->model(), &QAbstractItemModel::rowsInserted, this, place,
                Qt::QueuedConnection);
        table->installEventFilter(this);
        table->viewport()->stackUnder(this);
    }

    void SetCount(int count) {
        count_ = count;
        Place();
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Show)
            QMetaObject::invokeMethod(this, [this] { Place(); }, Qt::QueuedConnection);
        return false;
    }

    // Over the table's first columns, header included, as wide as they are.
    void Place() {
        int width = 0;
        for (int c = 0; c < model()->columnCount(); ++c) {
            setColumnHidden(c, c >= count_);
            if (c < count_) {
                setColumnWidth(c, table_->columnWidth(c));
                width += table_->columnWidth(c);
            }
        }
        for (int r = 0; r < model()->rowCount(); ++r)
            setRowHeight(r, table_->rowHeight(r));
        horizontalHeader()->setFixedHeight(table_->horizontalHeader()->height());
        const int frame = table_->frameWidth();
        setGeometry(frame, frame, width + 1,
                    table_->viewport()->height() + table_->horizontalHeader()->height());
        setVisible(count_ > 0 && model()->columnCount() > count_);
        verticalScrollBar()->setValue(table_->verticalScrollBar()->value());
    }

  private:
    QTableView* table_;
    int count_ = 0;
};

} // namespace

void FreezeColumns(QTableView* table, int count) {
    auto* view = table->findChild<FrozenView*>(QString(), Qt::FindDirectChildrenOnly);
    if (!view)
        view = new FrozenView(table);
    view->SetCount(count);
}
