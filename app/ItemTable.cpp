#include "ItemTable.h"
#include "PathBytes.h"

#include "ItemCells.h"
#include "ItemOps.h"
#include "Runs.h"
#include "Takeoff.h"
#include "main1.h"

#include "Error.h"
#include "IniFile.h"
#include "Utf8.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMimeData>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <map>

namespace {

namespace cells = takeoff::cells;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
const QString kRowsMime = QStringLiteral("application/x-yoheki-item-rows");

const cells::Column& ColumnAt(int c) {
    return cells::Columns()[static_cast<std::size_t>(c)];
}
bool Editable(const cells::Column& c) {
    return c.kind != cells::Kind::Mode && c.kind != cells::Kind::Quantity;
}
bool Numeric(const cells::Column& c) {
    return c.kind == cells::Kind::Count || c.kind == cells::Kind::Dimension ||
           c.kind == cells::Kind::Quantity;
}

} // namespace

// ---------------------------------------------------------------- model

ItemTableModel::ItemTableModel(TForm1& form, QObject* parent)
    : QAbstractTableModel(parent), form_(form) {}

QString ItemTableModel::ScreenName() const {
    return ItemOnScreen(form_);
}

void ItemTableModel::Reload() {
    beginResetModel();
    rows_.clear();
    if (!form_.CurrentProject.isEmpty()) {
        try {
            const yoheki::IniFile& ini = ProjectStore::Of(form_).project.Open(
                yoheki::PathBytes(form_.CurrentProject));
            std::vector<std::string> names = ini.ReadSections();
            rows_.reserve(names.size());
            for (std::string& name : names)
                rows_.push_back(Row{std::move(name), nullptr});
        } catch (const yoheki::Error&) {
            rows_.clear(); // the window has said so when the project was opened
        }
    }
    endResetModel();
}

void ItemTableModel::FollowScreen() {
    const int row = RowOf(ScreenName());
    if (row < 0)
        return;
    Row& r = rows_[static_cast<std::size_t>(row)];
    takeoff::ItemRecord now = ScreenRecord(form_);
    if (r.cells && now == r.cells->record && r.cells->calculated)
        return;
    r.cells = std::make_unique<Cells>(Cells{std::move(now), std::nullopt, false});
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

// Whether the row is the item on screen. Only a name the item box shows or
// remembers can be; the box is searched for that one name alone, not for
// every cell painted.
bool ItemTableModel::OnScreen(const std::string& name) const {
    const QString n = Q(name);
    const QComboBox& box = *form_.ComboBox1;
    return (n == box.currentText() || n == box.itemText(form_.RememberedIndex)) &&
           n == ScreenName();
}

// The item on screen comes from the form, the others from the project as it
// is now; a file that can no longer be read shows an empty item.
ItemTableModel::Cells& ItemTableModel::Loaded(const Row& row) const {
    if (row.cells)
        return *row.cells;
    row.cells = std::make_unique<Cells>();
    if (OnScreen(row.name)) {
        row.cells->record = ScreenRecord(form_);
        return *row.cells;
    }
    try {
        const yoheki::IniFile& ini =
            ProjectStore::Of(form_).project.Open(yoheki::PathBytes(form_.CurrentProject));
        row.cells->record = takeoff::ReadItem(ini, row.name);
    } catch (const yoheki::Error&) {
    }
    return *row.cells;
}

// The item's statement run without message boxes, as the pane runs it.
void ItemTableModel::Calculate(const Row& row) const {
    Cells& cells = Loaded(row);
    cells.calculated = true;
    const engine::Snapshot s =
        takeoff::ToSnapshot(cells.record, row.name, std::string(), takeoff::RunFlags{});
    const auto out = takeoff::RunItem(s, [](const std::string&) {});
    cells.quantities = out ? std::optional(out->quantities) : std::nullopt;
}

int ItemTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ItemTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(cells::Columns().size());
}

QVariant ItemTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const Row& row = rows_[static_cast<std::size_t>(index.row())];
    const cells::Column& c = ColumnAt(index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (Numeric(c) ? Qt::AlignRight : Qt::AlignLeft));
    if (role == Qt::FontRole) {
        if (!OnScreen(row.name))
            return {};
        QFont bold = form_.font();
        bold.setBold(true);
        return bold;
    }
    const Cells& r = Loaded(row);
    if (c.kind == cells::Kind::Quantity && !r.calculated &&
        (role == Qt::DisplayRole || role == SortRole || role == Qt::ToolTipRole))
        Calculate(row);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return Q(cells::Text(c, row.name, r.record, r.quantities));
    case SortRole:
        if (c.kind == cells::Kind::Quantity)
            return r.quantities ? QVariant::fromValue(cells::Quantity(c, *r.quantities))
                                : QVariant::fromValue(std::numeric_limits<qint64>::min());
        if (Numeric(c))
            return Q(cells::Text(c, row.name, r.record, r.quantities)).toLongLong();
        return Q(cells::Text(c, row.name, r.record, r.quantities));
    case Qt::ToolTipRole:
        if (c.kind == cells::Kind::Quantity && !r.quantities)
            return U("演算できません：寸法を確かめて下さい");
        if (c.kind == cells::Kind::Quantity)
            return U("1ヶ所当り（%1）").arg(U(c.unit));
        return {};
    case Qt::ForegroundRole:
        if (c.kind == cells::Kind::Dimension && !cells::HasDimension(r.record, c.field))
            return QColor(160, 160, 160);
        return {};
    default:
        return {};
    }
}

QVariant ItemTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical)
        return section + 1;
    const cells::Column& c = ColumnAt(section);
    return *c.unit ? U(c.header) + u'\n' + u'(' + U(c.unit) + u')' : U(c.header);
}

Qt::ItemFlags ItemTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index) | Qt::ItemIsDropEnabled;
    if (!index.isValid())
        return f;
    f |= Qt::ItemIsDragEnabled;
    const cells::Column& c = ColumnAt(index.column());
    const Row& r = rows_[static_cast<std::size_t>(index.row())];
    if (Editable(c) &&
        (c.kind != cells::Kind::Dimension || cells::HasDimension(Loaded(r).record, c.field)))
        f |= Qt::ItemIsEditable;
    return f;
}

bool ItemTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid())
        return false;
    const cells::Column& c = ColumnAt(index.column());
    const QString typed = value.toString();
    const Row& r = rows_[static_cast<std::size_t>(index.row())];
    if (c.kind == cells::Kind::Name)
        return typed.isEmpty() ? false : RenameItem(form_, Q(r.name), typed);
    takeoff::ItemRecord record = Loaded(r).record;
    if (const std::string why = cells::SetCell(c, record, typed.toStdString()); !why.empty()) {
        form_.dialogs.message(Q(why));
        return false;
    }
    const QString failed = Store({{index.row(), std::move(record)}});
    if (!failed.isEmpty())
        form_.dialogs.message(failed);
    return failed.isEmpty();
}

// The rows show their new quantities first, then the file is saved (the
// save waits for the disk); a failed save puts the rows back as they were.
QString ItemTableModel::Store(const std::vector<std::pair<int, takeoff::ItemRecord>>& changed) {
    const QString screen = ScreenName();
    std::vector<std::pair<std::string, takeoff::ItemRecord>> toFile;
    std::vector<std::pair<int, takeoff::ItemRecord>> before;
    for (const auto& [row, record] : changed) {
        Row& r = rows_[static_cast<std::size_t>(row)];
        Cells& cells = Loaded(r);
        before.emplace_back(row, cells.record);
        // The item on screen takes the cell into the form, and the screen
        // (with whatever else was typed there) goes to the file with the rest.
        if (Q(r.name) == screen)
            ShowOnScreen(form_, record);
        cells.record = Q(r.name) == screen ? ScreenRecord(form_) : record;
        toFile.emplace_back(r.name, cells.record);
        Calculate(r);
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    }
    try {
        if (!toFile.empty())
            takeoff::SaveItems(ProjectStore::Of(form_).project,
                               yoheki::PathBytes(form_.CurrentProject), toFile);
        return QString();
    } catch (const yoheki::Error& e) {
        for (const auto& [row, record] : before) {
            Row& r = rows_[static_cast<std::size_t>(row)];
            if (Q(r.name) == screen)
                continue; // the form holds it; it is saved or reported with the screen
            r.cells->record = record;
            r.cells->calculated = false;
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
        }
        return U("一覧の変更を保存できませんでした\n\r") + QString::fromUtf8(e.what());
    }
}

QString ItemTableModel::Paste(int row, int column, const QString& text,
                              const std::vector<int>& order) {
    QStringList lines = text.split(u'\n');
    for (QString& line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // a spreadsheet ends the block with a line break
    std::vector<std::pair<int, takeoff::ItemRecord>> changed;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qsizetype at = std::find(order.begin(), order.end(), row) - order.begin() + i;
        const QStringList fields = lines[i].split(u'\t');
        if (at >= static_cast<qsizetype>(order.size()) || column + fields.size() > columnCount())
            return U("貼り付ける範囲（%1行×%2列）が一覧からはみ出します\n\r何も変えていません")
                .arg(lines.size())
                .arg(fields.size());
        const int target = order[static_cast<std::size_t>(at)];
        takeoff::ItemRecord record = Loaded(rows_[static_cast<std::size_t>(target)]).record;
        for (qsizetype k = 0; k < fields.size(); ++k) {
            const cells::Column& c = ColumnAt(column + static_cast<int>(k));
            if (c.kind == cells::Kind::Name || c.kind == cells::Kind::Mode ||
                c.kind == cells::Kind::Quantity)
                continue; // what cannot be typed is left as it is, as a sheet's formula cell
            if (const std::string why = cells::SetCell(c, record, fields[k].trimmed().toStdString());
                !why.empty())
                return U("%1行目：").arg(target + 1) + Q(why) + U("\n\r何も変えていません");
        }
        changed.emplace_back(target, std::move(record));
    }
    return Store(changed);
}

QString ItemTableModel::NameAt(int row) const {
    return row >= 0 && row < rowCount() ? Q(rows_[static_cast<std::size_t>(row)].name) : QString();
}

int ItemTableModel::RowOf(const QString& name) const {
    const std::string n = name.toStdString();
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].name == n)
            return static_cast<int>(i);
    return -1;
}

Qt::DropActions ItemTableModel::supportedDropActions() const {
    return Qt::MoveAction;
}

QStringList ItemTableModel::mimeTypes() const {
    return {kRowsMime};
}

QMimeData* ItemTableModel::mimeData(const QModelIndexList& indexes) const {
    QStringList names;
    for (const QModelIndex& i : indexes)
        if (!names.contains(NameAt(i.row())))
            names << NameAt(i.row());
    auto* data = new QMimeData;
    data->setData(kRowsMime, names.join(u'\n').toUtf8());
    return data;
}

// Rows dragged within the table go before the row they are dropped on.
bool ItemTableModel::dropMimeData(const QMimeData* data, Qt::DropAction, int row, int,
                                  const QModelIndex& parent) {
    if (!data->hasFormat(kRowsMime))
        return false;
    const QStringList moving = QString::fromUtf8(data->data(kRowsMime)).split(u'\n');
    const int before = row >= 0 ? row : parent.isValid() ? parent.row() : rowCount();
    QStringList order;
    for (int i = 0; i < rowCount(); ++i) {
        if (i == before)
            order << moving;
        if (!moving.contains(NameAt(i)))
            order << NameAt(i);
    }
    if (before >= rowCount())
        order << moving;
    QMetaObject::invokeMethod(this, [this, order] { ReorderItems(form_, order); },
                              Qt::QueuedConnection);
    return false; // the list is read again from the file; the view moves nothing itself
}

// ---------------------------------------------------------------- dock

ItemTableDock::ItemTableDock(TForm1& form, QWidget* parent)
    : QDockWidget(U("拾い一覧"), parent), form_(form) {
    setObjectName(QStringLiteral("ItemTable"));
    auto* body = new QWidget(this);
    model_ = new ItemTableModel(form, this);
    proxy_ = new QSortFilterProxyModel(this);
    proxy_->setSourceModel(model_);
    proxy_->setSortRole(ItemTableModel::SortRole);
    view_ = new QTableView(body);
    view_->setObjectName(QStringLiteral("ItemTableView"));
    view_->setModel(proxy_);
    view_->setSortingEnabled(true);
    view_->sortByColumn(-1, Qt::AscendingOrder); // the file's order until a heading is clicked
    view_->setSelectionBehavior(QAbstractItemView::SelectItems);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    view_->setDragDropMode(QAbstractItemView::DragDrop);
    view_->setDefaultDropAction(Qt::MoveAction);
    view_->setDragDropOverwriteMode(false);
    view_->setAlternatingRowColors(true);
    view_->setWordWrap(false);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
    view_->horizontalHeader()->setDefaultSectionSize(76);
    view_->horizontalHeader()->resizeSection(0, 150);
    view_->installEventFilter(this);

    auto* tools = new QHBoxLayout;
    auto button = [&](const char* text, const char* tip, auto slot) {
        auto* b = new QToolButton(body);
        b->setText(U(text));
        b->setToolTip(U(tip));
        tools->addWidget(b);
        connect(b, &QToolButton::clicked, this, slot);
        return b;
    };
    button("複写", "選んだ拾いを「名前 (2)」として複写", [this] { DuplicateItems(form_, SelectedNames()); });
    button("▲", "選んだ拾いを上へ (Alt+↑)", [this] { MoveItems(form_, SelectedNames(), -1); });
    button("▼", "選んだ拾いを下へ (Alt+↓)", [this] { MoveItems(form_, SelectedNames(), +1); });
    button("削除", "選んだ拾いを削除 (Delete)", [this] { DeleteItems(form_, SelectedNames()); });
    button("並び解除", "ファイルの順に戻す", [this] { view_->sortByColumn(-1, Qt::AscendingOrder); proxy_->sort(-1); });
    tools->addStretch(1);
    auto* box = new QVBoxLayout(body);
    box->setContentsMargins(4, 2, 4, 4);
    box->addLayout(tools);
    box->addWidget(view_);
    setWidget(body);
    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &ItemTableDock::RowChosen);
}

void ItemTableDock::RowChosen() {
    if (selecting_)
        return;
    const QModelIndex current = proxy_->mapToSource(view_->currentIndex());
    const QString name = model_->NameAt(current.row());
    if (!name.isEmpty() && name != ItemOnScreen(form_) && !SwitchToItem(form_, name))
        SelectScreenItem(); // the item on screen could not be saved: it stays
}

void ItemTableDock::SelectScreenItem() {
    const int row = model_->RowOf(ItemOnScreen(form_));
    if (row < 0)
        return;
    selecting_ = true;
    const QModelIndex at = proxy_->mapFromSource(model_->index(row, 0));
    if (proxy_->mapToSource(view_->currentIndex()).row() != row)
        view_->setCurrentIndex(at);
    view_->scrollTo(at);
    selecting_ = false;
}

std::vector<int> ItemTableDock::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& i : view_->selectionModel()->selectedIndexes())
        rows.push_back(proxy_->mapToSource(i).row());
    if (rows.empty() && view_->currentIndex().isValid())
        rows.push_back(proxy_->mapToSource(view_->currentIndex()).row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

QStringList ItemTableDock::SelectedNames() const {
    QStringList names;
    for (int row : SelectedRows())
        names << model_->NameAt(row);
    return names;
}

void ItemTableDock::CopySelection() {
    std::map<int, std::map<int, QString>> cells;
    for (const QModelIndex& i : view_->selectionModel()->selectedIndexes())
        cells[i.row()][i.column()] = i.data().toString();
    int first = proxy_->columnCount(), last = -1;
    for (const auto& [row, columns] : cells) {
        first = std::min(first, columns.begin()->first);
        last = std::max(last, columns.rbegin()->first);
    }
    QString text;
    for (const auto& [row, columns] : cells) {
        QStringList fields;
        for (int c = first; c <= last; ++c)
            fields << (columns.contains(c) ? columns.at(c) : QString());
        text += fields.join(u'\t') + QStringLiteral("\r\n");
    }
    QApplication::clipboard()->setText(text);
}

void ItemTableDock::PasteClipboard() {
    const QModelIndex at = view_->currentIndex();
    if (!at.isValid())
        return;
    // Rows in the order the table shows them, so a sorted table pastes as seen.
    std::vector<int> order;
    for (int r = 0; r < proxy_->rowCount(); ++r)
        order.push_back(proxy_->mapToSource(proxy_->index(r, 0)).row());
    const QModelIndex source = proxy_->mapToSource(at);
    const QString failed = model_->Paste(source.row(), source.column(),
                                         QApplication::clipboard()->text(), order);
    if (!failed.isEmpty())
        form_.dialogs.message(failed);
}

bool ItemTableDock::eventFilter(QObject* watched, QEvent* event) {
    if (watched != view_ || event->type() != QEvent::KeyPress)
        return QDockWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Copy)) {
        CopySelection();
        return true;
    }
    if (key->matches(QKeySequence::Paste)) {
        PasteClipboard();
        return true;
    }
    if (key->key() == Qt::Key_Delete) { // an open editor has the keys itself
        DeleteItems(form_, SelectedNames());
        return true;
    }
    if (key->key() == Qt::Key_F2 && view_->currentIndex().isValid()) {
        view_->edit(view_->currentIndex().siblingAtColumn(0)); // F2 renames
        return true;
    }
    return false;
}
