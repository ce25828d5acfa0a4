// The summary window against an earlier revision of the project: each item's
// earlier, current and difference for every quantity under one heading per
// quantity, new and removed items marked, and the inputs that moved.
#include "SummaryForm.h"

#include "FrozenColumns.h"
#include "EstimateTab.h"

#include "Error.h"
#include "Utf8.h"

#include <QApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int kHead = 3; // item name, structure kind, 新規 / 削除
const QColor kChanged(255, 236, 170);
const QColor kAddedBack(228, 246, 228);
const QColor kRemovedBack(236, 236, 236);
const QColor kStoppedBack(255, 238, 238);
const QColor kTotalBack(232, 236, 244);
const QColor kNegative(200, 0, 0);

// A heading in two tiers: the quantity over its three columns, and 当初,
// 変更, 増減 under it. The head columns take both tiers.
class GroupHeader : public QHeaderView {
  public:
    explicit GroupHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
        setSectionsClickable(false);
        setDefaultAlignment(Qt::AlignCenter);
    }
    QStringList groups; // one per quantity

    QSize sizeHint() const override {
        QSize size = QHeaderView::sizeHint();
        size.setHeight(2 * (fontMetrics().height() + 8));
        return size;
    }

  protected:
    void paintSection(QPainter* p, const QRect& rect, int logical) const override {
        if (logical < kHead) {
            Paint(p, rect, rect, logical);
            return;
        }
        const int first = kHead + (logical - kHead) / 3 * 3;
        int width = 0;
        for (int s = first; s < first + 3; ++s)
            width += sectionSize(s);
        const QRect top(rect.left(), rect.top(), rect.width(), rect.height() / 2);
        const QRect group(sectionViewportPosition(first), rect.top(), width, top.height());
        Paint(p, top, group, -1, groups.value((logical - kHead) / 3));
        Paint(p, QRect(rect.left(), top.bottom() + 1, rect.width(), rect.height() - top.height()),
              {}, logical);
    }

  private:
    // A header cell over `whole`, of which `visible` is this section's part.
    void Paint(QPainter* p, const QRect& visible, QRect whole, int logical,
               const QString& text = QString()) const {
        if (whole.isNull())
            whole = visible;
        QStyleOptionHeader opt;
        initStyleOption(&opt);
        opt.rect = whole;
        opt.section = std::max(logical, 0);
        opt.textAlignment = Qt::AlignCenter;
        opt.text = logical >= 0 ? model()->headerData(logical, Qt::Horizontal).toString() : text;
        p->save();
        p->setClipRect(visible);
        style()->drawControl(QStyle::CE_Header, &opt, p, this);
        p->restore();
    }
};

QTableWidgetItem* Cell(const QString& text, Qt::Alignment align = Qt::AlignLeft) {
    auto* cell = new QTableWidgetItem(text);
    cell->setTextAlignment(align | Qt::AlignVCenter);
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return cell;
}

QString Signed(const summary::Column& c, std::int64_t v) {
    return (v > 0 ? QStringLiteral("+") : QString()) + summary::FormatValue(c, v);
}

QString Kind(const compare::Row& r) {
    if (r.earlierMode && r.currentMode && r.earlierMode != r.currentMode)
        return summary::ModeName(*r.earlierMode) + U("→") + summary::ModeName(*r.currentMode);
    return summary::ModeName(*(r.currentMode ? r.currentMode : r.earlierMode));
}

// What the detail pane says about an item.
QString Detail(const compare::Row& r) {
    QStringList lines{U("【") + r.name + U("】")};
    if (r.status == compare::Status::Added)
        lines << U("新規：当初の物件にはない拾いです");
    else if (r.status == compare::Status::Removed)
        lines << U("削除：変更後の物件にはない拾いです");
    if (r.Stopped())
        lines << U("演算できません：") + r.stopped;
    for (const QString& c : r.changes)
        lines << QStringLiteral("  ") + c;
    if (r.status == compare::Status::Matched && r.changes.isEmpty())
        lines << U("入力の変更はありません");
    return lines.join(u'\n');
}

} // namespace

void TSummaryForm::BuildCompareControls(QHBoxLayout* buttons, QVBoxLayout* layout) {
    CompareButton = new QPushButton(U("比較対象…"), this);
    CompareButton->setObjectName(QStringLiteral("CompareButton"));
    CompareButton->setToolTip(U("設計変更前（当初）の物件ファイルを選んで数量を比べます"));
    UncompareButton = new QPushButton(U("比較解除"), this);
    UncompareButton->setObjectName(QStringLiteral("UncompareButton"));
    for (QPushButton* b : {CompareButton, UncompareButton})
        b->setAutoDefault(false);
    buttons->insertWidget(1, CompareButton);
    buttons->insertWidget(2, UncompareButton);
    CompareGrid = new QTableWidget(this);
    CompareGrid->setObjectName(QStringLiteral("CompareGrid"));
    CompareGrid->setHorizontalHeader(new GroupHeader(CompareGrid));
    CompareGrid->verticalHeader()->hide();
    CompareGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    CompareGrid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    CompareGrid->setWordWrap(false);
    ChangesMemo = new QPlainTextEdit(this);
    ChangesMemo->setObjectName(QStringLiteral("ChangesMemo"));
    ChangesMemo->setReadOnly(true);
    ChangesMemo->setPlaceholderText(U("拾いを選ぶと、変更された入力（当初 → 変更）を示します"));
    ChangesMemo->setMaximumHeight(7 * fontMetrics().height());
    layout->insertWidget(layout->indexOf(Grid1) + 1, CompareGrid, 3);
    layout->insertWidget(layout->indexOf(CompareGrid) + 1, ChangesMemo, 1);
    connect(CompareButton, &QPushButton::clicked, this, &TSummaryForm::CompareButtonClick);
    connect(UncompareButton, &QPushButton::clicked, this, &TSummaryForm::UncompareButtonClick);
    connect(CompareGrid, &QTableWidget::currentCellChanged, this, &TSummaryForm::ShowChanges);
    SetComparing(false);
}

void TSummaryForm::SetComparing(bool on) {
    if (!on) {
        comparison_.reset();
        earlier_.clear();
        if (EstimateTab)
            EstimateTab->SetEarlier(std::nullopt);
    }
    for (QWidget* w : {static_cast<QWidget*>(CompareGrid), static_cast<QWidget*>(ChangesMemo),
                       static_cast<QWidget*>(UncompareButton)})
        w->setVisible(on);
    for (QWidget* w : {static_cast<QWidget*>(Grid1), static_cast<QWidget*>(Label2),
                       static_cast<QWidget*>(Grid2)})
        w->setVisible(!on);
}

void TSummaryForm::CompareButtonClick() {
    const QString folder = QFileInfo(earlier_.isEmpty() ? project_ : earlier_).absolutePath();
    const yoheki::OpenFileRequest request{
        U("比較する当初の物件を選択"), U("物件ファイル (*.Fa1)|*.Fa1"), folder, QString(), false};
    const std::optional<QString> chosen = dialogs_.openFile(request);
    if (!chosen)
        return;
    const QString previous = earlier_;
    earlier_ = *chosen;
    if (!ShowComparison())
        earlier_ = previous;
}

bool TSummaryForm::CompareWith(const QString& path) {
    const QString previous = earlier_;
    earlier_ = path;
    if (ShowComparison())
        return true;
    earlier_ = previous;
    return false;
}

void TSummaryForm::UncompareButtonClick() {
    SetComparing(false);
    SetTable(std::move(table_), project_);
}

bool TSummaryForm::ShowComparison() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const compare::Revision before = compare::ReadRevision(earlier_);
    const compare::Revision after = compare::ReadRevision(project_, screen_);
    QApplication::restoreOverrideCursor();
    const compare::Revision& failed = before.opened ? after : before;
    if (!before.opened || !after.opened) {
        dialogs_.message(U("物件ファイル【") + failed.path + U("】を読めません\n\r") +
                         failed.notes.join(U("\n\r")));
        return false;
    }
    try {
        comparison_ = compare::Compare(before, after);
    } catch (const yoheki::Error& e) {
        dialogs_.message(U("数量比較を中止しました\n\r") + U(e.what()));
        return false;
    }
    SetComparing(true);
    std::vector<summary::Item> earlierItems;
    for (const compare::Entry& entry : before.entries)
        earlierItems.push_back(entry.item);
    try {
        EstimateTab->SetEarlier(summary::Summarize(std::move(earlierItems)));
    } catch (const yoheki::Error&) {
        EstimateTab->SetEarlier(std::nullopt); // the quantity comparison says why
    }
    FillComparison();
    FitComparison();
    return true;
}

void TSummaryForm::FillComparison() {
    const compare::Comparison& cmp = *comparison_;
    QString text = U("当初：%1　→　変更：%2　　拾い %3 件")
                       .arg(QFileInfo(cmp.earlierPath).completeBaseName(),
                            QFileInfo(cmp.currentPath).completeBaseName())
                       .arg(cmp.rows.size());
    text += U("（新規 %1 件、削除 %2 件）").arg(cmp.added.items).arg(cmp.removed.items);
    if (cmp.stopped)
        text += U("　演算できない拾い %1 件は合計に含みません").arg(cmp.stopped);
    Label1->setText(text);
    QStringList headers{U("拾い名称"), U("構造"), U("区分")};
    auto* header = static_cast<GroupHeader*>(CompareGrid->horizontalHeader());
    header->groups.clear();
    for (const summary::Column& c : summary::Columns()) {
        header->groups << summary::HeaderText(c);
        headers << U("当初") << U("変更") << U("増減");
    }
    CompareGrid->clear();
    CompareGrid->clearSpans();
    CompareGrid->setColumnCount(static_cast<int>(headers.size()));
    CompareGrid->setHorizontalHeaderLabels(headers);
    const bool subtotals = cmp.added.items || cmp.removed.items;
    CompareGrid->setRowCount(static_cast<int>(cmp.rows.size()) + (subtotals ? 4 : 1));
    int row = 0;
    for (const compare::Row& r : cmp.rows)
        FillCompareRow(row++, r);
    if (subtotals) {
        FillCompareTotal(row++, "既存計", cmp.matched);
        FillCompareTotal(row++, "新規計", cmp.added);
        FillCompareTotal(row++, "削除計", cmp.removed);
    }
    FillCompareTotal(row, "合計", cmp.all);
    ChangesMemo->clear();
}

void TSummaryForm::FillCompareRow(int row, const compare::Row& r) {
    const QColor back = r.Stopped()                            ? kStoppedBack
                        : r.status == compare::Status::Added   ? kAddedBack
                        : r.status == compare::Status::Removed ? kRemovedBack
                                                               : QColor();
    QTableWidgetItem* head[] = {Cell(r.name), Cell(Kind(r)),
                                Cell(compare::StatusMark(r.status), Qt::AlignHCenter)};
    head[0]->setToolTip(Detail(r));
    for (int c = 0; c < kHead; ++c) {
        if (back.isValid())
            head[c]->setBackground(back);
        CompareGrid->setItem(row, c, head[c]);
    }
    if (r.Stopped()) {
        QTableWidgetItem* note = Cell(U("演算できません：") + r.stopped);
        note->setForeground(kNegative);
        note->setBackground(kStoppedBack);
        CompareGrid->setItem(row, kHead, note);
        CompareGrid->setSpan(row, kHead, 1, CompareGrid->columnCount() - kHead);
        return;
    }
    const auto& columns = summary::Columns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const int at = kHead + 3 * static_cast<int>(c);
        const std::int64_t diff = r.Difference(c);
        QTableWidgetItem* cells[] = {
            Cell(r.earlierMode ? summary::FormatValue(columns[c], r.earlier[c]) : QString(),
                 Qt::AlignRight),
            Cell(r.currentMode ? summary::FormatValue(columns[c], r.current[c]) : QString(),
                 Qt::AlignRight),
            Cell(Signed(columns[c], diff), Qt::AlignRight)};
        for (int k = 0; k < 3; ++k) {
            if (back.isValid())
                cells[k]->setBackground(back);
            CompareGrid->setItem(row, at + k, cells[k]);
        }
        if (diff != 0)
            cells[2]->setBackground(kChanged);
    }
}

void TSummaryForm::FillCompareTotal(int row, const char* label, const compare::Totals& t) {
    QFont bold = font();
    bold.setBold(true);
    QList<QTableWidgetItem*> cells{Cell(U(label)), Cell(U("%1 件").arg(t.items)), Cell(QString())};
    const auto& columns = summary::Columns();
    for (std::size_t c = 0; c < columns.size(); ++c)
        cells << Cell(summary::FormatValue(columns[c], t.earlier[c]), Qt::AlignRight)
              << Cell(summary::FormatValue(columns[c], t.current[c]), Qt::AlignRight)
              << Cell(Signed(columns[c], t.Difference(c)), Qt::AlignRight);
    for (int c = 0; c < cells.size(); ++c) {
        cells[c]->setFont(bold);
        const bool moved = c >= kHead && (c - kHead) % 3 == 2 &&
                           t.Difference(static_cast<std::size_t>((c - kHead) / 3)) != 0;
        cells[c]->setBackground(moved ? kChanged : kTotalBack);
        CompareGrid->setItem(row, c, cells[c]);
    }
}

// Each quantity's three columns together at least as wide as its heading.
void TSummaryForm::FitComparison() {
    CompareGrid->resizeColumnsToContents();
    CompareGrid->resizeRowsToContents();
    const auto* header = static_cast<const GroupHeader*>(CompareGrid->horizontalHeader());
    const QFontMetrics metrics(header->font());
    for (int c = 0; c < CompareGrid->columnCount(); ++c)
        CompareGrid->setColumnWidth(c, CompareGrid->columnWidth(c) + 8);
    for (qsizetype g = 0; g < header->groups.size(); ++g) {
        const int first = kHead + 3 * static_cast<int>(g);
        const int need = metrics.horizontalAdvance(header->groups[g]) + 16;
        const int have = CompareGrid->columnWidth(first) + CompareGrid->columnWidth(first + 1) +
                         CompareGrid->columnWidth(first + 2);
        for (int k = 0; k < 3 && have < need; ++k)
            CompareGrid->setColumnWidth(first + k, CompareGrid->columnWidth(first + k) +
                                                       (need - have + 2) / 3);
    }
    int width = 2 * CompareGrid->frameWidth() + 40;
    for (int c = 0; c < CompareGrid->columnCount(); ++c)
        width += CompareGrid->columnWidth(c);
    const QRect screen = this->screen()->availableGeometry();
    resize(std::min(std::max(width, this->width()), screen.width() - 40), height());
    // The names stay in sight while the quantities scroll sideways.
    FreezeColumns(CompareGrid, 1);
}

void TSummaryForm::ShowChanges() {
    const int row = CompareGrid->currentRow();
    if (!comparison_ || row < 0 || row >= static_cast<int>(comparison_->rows.size()))
        return ChangesMemo->clear();
    ChangesMemo->setPlainText(Detail(comparison_->rows[static_cast<std::size_t>(row)]));
}

QString TSummaryForm::GroupHeading(int column) const {
    const auto* header = static_cast<const GroupHeader*>(CompareGrid->horizontalHeader());
    return column < kHead ? QString() : header->groups.value((column - kHead) / 3);
}

QByteArray TSummaryForm::CsvOnHand(bool utf8) const {
    return comparison_ ? compare::CsvBytes(*comparison_, utf8) : summary::CsvBytes(table_, utf8);
}
