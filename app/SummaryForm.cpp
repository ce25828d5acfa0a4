#include "SummaryForm.h"

#include "EstimateTab.h"

#include "Error.h"
#include "SaveBytes.h"
#include "Workbook.h"
#include "OutputGuard.h"
#include "Utf8.h"

#include <QApplication>
#include <QDate>
#include <QBrush>
#include <QClipboard>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <map>

namespace {

// Rows the window opens tall enough for; more scroll.
constexpr int kShownItems = 30, kShownFinishes = 10;
constexpr int kNoteWidth = 420;
const QColor kNegative(200, 0, 0);
const QColor kStoppedBack(255, 238, 238);
const QColor kTotalBack(232, 236, 244);
const QColor kErrorBack(255, 214, 214);

// A table whose Ctrl+C copies the whole selection, not the current cell.
class Grid : public QTableWidget {
  public:
    using QTableWidget::QTableWidget;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Copy)) {
            QApplication::clipboard()->setText(TSummaryForm::SelectedText(*this));
            event->accept();
            return;
        }
        QTableWidget::keyPressEvent(event);
    }
};

QTableWidgetItem* Cell(const QString& text, Qt::Alignment align = Qt::AlignLeft) {
    auto* cell = new QTableWidgetItem(text);
    cell->setTextAlignment(align | Qt::AlignVCenter);
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return cell;
}

// A quantity the checks call impossible: a red ground and their texts.
void MarkErrors(QTableWidgetItem* cell, const std::vector<checks::Finding>& errors) {
    if (errors.empty())
        return;
    cell->setBackground(kErrorBack);
    QStringList lines;
    for (const checks::Finding& f : errors)
        lines << QString::fromStdString(checks::FindingLine(f));
    cell->setToolTip(lines.join(u'\n'));
}

// A number, right-aligned; red with the reason when it is negative.
QTableWidgetItem* NumberCell(const QString& text, std::int64_t value, const char* negative) {
    QTableWidgetItem* cell = Cell(text, Qt::AlignRight);
    if (value < 0) {
        cell->setForeground(kNegative);
        cell->setToolTip(U(negative));
    }
    return cell;
}

QTableWidget* MakeGrid(QWidget* parent, const QString& name, const QStringList& headers) {
    auto* grid = new Grid(parent);
    grid->setObjectName(name);
    grid->setColumnCount(static_cast<int>(headers.size()));
    grid->setHorizontalHeaderLabels(headers);
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid->setAlternatingRowColors(true);
    grid->setWordWrap(false);
    return grid;
}

// Every column, and the first `rows` rows.
int TableHeight(const QTableWidget& grid, int rows) {
    int height = grid.horizontalHeader()->sizeHint().height() + 2 * grid.frameWidth() +
                 grid.horizontalScrollBar()->sizeHint().height();
    for (int r = 0; r < std::min(grid.rowCount(), rows); ++r)
        height += grid.rowHeight(r);
    return height;
}

int TableWidth(const QTableWidget& grid) {
    int width = 2 * grid.frameWidth() + grid.verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < grid.columnCount(); ++c)
        width += grid.columnWidth(c);
    return width;
}

QStringList ItemHeaders(const summary::Table& table = {}) {
    QStringList headers = summary::LeadHeaders(table);
    for (const summary::Column& c : summary::Columns())
        headers << summary::HeaderText(c, true);
    return headers << U("備考");
}

} // namespace

TSummaryForm::TSummaryForm(yoheki::Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("SummaryForm"));
    setWindowTitle(U("数量集計"));
    setModal(false);
    setSizeGripEnabled(true);
    QFont font(U("ＭＳ ゴシック"));
    font.setPixelSize(13);
    setFont(font);
    BuildControls();
}

void TSummaryForm::BuildControls() {
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Grid1 = MakeGrid(this, QStringLiteral("Grid1"), ItemHeaders());
    Label2 = new QLabel(U("仕上集計（仕上名称ごとの合計）"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Grid2 =
        MakeGrid(this, QStringLiteral("Grid2"), {U("仕上名称"), U("数量"), U("単位"), U("区分")});
    CheckBox1 = new QCheckBox(U("UTF-8で保存"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    Button1 = new QPushButton(U("CSVに保存"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(U("閉じる"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button3 = new QPushButton(U("Excelに保存"), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    PrintButton = new QPushButton(U("印刷…"), this);
    PrintButton->setObjectName(QStringLiteral("PrintButton"));
    PrintButton->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CheckBox1);
    buttons->addStretch(1);
    buttons->addWidget(PrintButton);
    buttons->addWidget(Button1);
    buttons->addWidget(Button3);
    buttons->addWidget(Button2);
    // The quantities on one tab, the priced estimate of them on the other.
    Tabs = new QTabWidget(this);
    Tabs->setObjectName(QStringLiteral("Tabs"));
    auto* quantities = new QWidget(Tabs);
    auto* layout = new QVBoxLayout(quantities);
    layout->addWidget(Label1);
    layout->addWidget(Grid1, 3);
    layout->addWidget(Label2);
    layout->addWidget(Grid2, 1);
    EstimateTab = new TEstimateTab(dialogs_, Tabs);
    Tabs->addTab(quantities, U("数量集計"));
    Tabs->addTab(EstimateTab, U("内訳書"));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(Tabs, 1);
    outer->addLayout(buttons);
    // Enter in a table must not start a save or close the window.
    Button1->setAutoDefault(false);
    Button2->setAutoDefault(false);
    Button3->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &TSummaryForm::Button1Click);
    connect(Button3, &QPushButton::clicked, this, &TSummaryForm::Button3Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::close);
    connect(PrintButton, &QPushButton::clicked, this, &TSummaryForm::PrintClick);
    BuildCompareControls(buttons, layout);
}

void TSummaryForm::SetTable(summary::Table table, const QString& projectPath) {
    table_ = std::move(table);
    project_ = projectPath;
    const QString name = QFileInfo(projectPath).completeBaseName();
    setWindowTitle(U("数量集計 － ") + name);
    const int count = static_cast<int>(table_.items.size());
    QString text = U("物件：%1　　拾い %2 件").arg(name).arg(count);
    if (table_.stopped)
        text += U("（演算できない拾い %1 件は合計に含みません）").arg(table_.stopped);
    Label1->setText(text);
    FillItems();
    FillFinishes();
    EstimateTab->SetTable(table_, projectPath);
    FitToContents();
    if (Comparing() && !ShowComparison())
        SetComparing(false);
}

void TSummaryForm::FillItems() {
    Grid1->clearSpans();
    const QStringList headers = ItemHeaders(table_);
    Grid1->setColumnCount(static_cast<int>(headers.size()));
    Grid1->setHorizontalHeaderLabels(headers);
    lead_ = static_cast<int>(summary::LeadHeaders(table_).size());
    const std::vector<summary::RowRef> order = summary::RowOrder(table_);
    Grid1->setRowCount(static_cast<int>(order.size()) + 1);
    int row = 0;
    for (const summary::RowRef& ref : order) {
        if (ref.subtotal)
            FillSumRow(row++, summary::SubtotalCells(table_, table_.groups[ref.index]),
                       table_.groups[ref.index].totals);
        else
            FillItemRow(row++, table_.items[ref.index]);
    }
    FillTotalRow(row);
}

void TSummaryForm::FillItemRow(int row, const summary::Item& item) {
    const QStringList lead = summary::LeadCells(table_, item);
    QTableWidgetItem* name = Cell(lead[0]);
    Grid1->setItem(row, 0, name);
    for (int c = 1; c < lead_; ++c)
        Grid1->setItem(row, c, Cell(lead[c], table_.counted && c == 2 ? Qt::AlignRight
                                                                      : Qt::AlignLeft));
    const auto& columns = summary::Columns();
    if (!item.quantities) {
        QTableWidgetItem* note = Cell(U("演算できません：") + summary::StopText(item));
        if (!item.remark.isEmpty())
            note->setText(item.remark + U("　") + note->text());
        note->setForeground(kNegative);
        note->setToolTip(yoheki::ShownText(item.messages.join(U("\n"))));
        for (int c = 0; c < lead_; ++c)
            Grid1->item(row, c)->setBackground(kStoppedBack);
        note->setBackground(kStoppedBack);
        Grid1->setItem(row, lead_, note);
        Grid1->setSpan(row, lead_, 1, static_cast<int>(columns.size()));
        return;
    }
    name->setToolTip(yoheki::ShownText(item.messages.join(U("\n"))));
    const engine::Quantities& q = *item.quantities;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const std::int64_t v = q.*columns[c].field;
        QTableWidgetItem* cell =
            NumberCell(summary::FormatValue(columns[c], v), v, columns[c].negative);
        MarkErrors(cell, summary::ErrorsAbout(item, columns[c]));
        Grid1->setItem(row, lead_ + static_cast<int>(c), cell);
    }
    QTableWidgetItem* note = Cell(summary::NoteText(item));
    QStringList lines;
    if (!item.remark.isEmpty())
        lines << item.remark;
    for (const checks::Finding& f : item.findings)
        lines << QString::fromStdString(checks::FindingLine(f));
    note->setToolTip(lines.join(u'\n'));
    if (checks::HasError(item.findings))
        note->setForeground(kNegative);
    Grid1->setItem(row, lead_ + static_cast<int>(columns.size()), note);
}

void TSummaryForm::FillTotalRow(int row) {
    const int calculated = static_cast<int>(table_.items.size()) - table_.stopped;
    QStringList lead{U("合計"), U("%1 件").arg(calculated)};
    while (lead.size() < lead_)
        lead << QString();
    FillSumRow(row, lead, table_.totals);
}

// A subtotal or the total, bold on a tinted ground.
void TSummaryForm::FillSumRow(int row, const QStringList& lead,
                              const std::vector<std::int64_t>& totals) {
    const auto& columns = summary::Columns();
    QList<QTableWidgetItem*> cells;
    for (const QString& text : lead)
        cells << Cell(text);
    for (std::size_t c = 0; c < columns.size(); ++c)
        cells << NumberCell(summary::FormatValue(columns[c], totals[c]), totals[c],
                            columns[c].negative);
    cells << Cell(QString());
    QFont bold = font();
    bold.setBold(true);
    for (int c = 0; c < cells.size(); ++c) {
        cells[c]->setFont(bold);
        cells[c]->setBackground(kTotalBack);
        Grid1->setItem(row, c, cells[c]);
    }
}

void TSummaryForm::FillFinishes() {
    Grid2->setRowCount(static_cast<int>(table_.finishes.size()));
    int row = 0;
    for (const summary::FinishTotal& f : table_.finishes) {
        Grid2->setItem(row, 0, Cell(f.name));
        Grid2->setItem(row, 1,
                       NumberCell(summary::FormatHundredths(f.value), f.value,
                                  "負の数量です：寸法の入力を確かめて下さい"));
        Grid2->setItem(row, 2, Cell(f.unit));
        Grid2->setItem(row, 3, Cell(f.kinds.join(U("・"))));
        ++row;
    }
}

// Wide enough for every column and tall enough for every row, as far as the
// screen allows; what does not fit scrolls.
void TSummaryForm::FitToContents() {
    for (QTableWidget* grid : {Grid1, Grid2}) {
        grid->resizeColumnsToContents();
        grid->resizeRowsToContents();
        for (int c = 0; c < grid->columnCount(); ++c)
            grid->setColumnWidth(c, grid->columnWidth(c) + 8);
    }
    // The findings can run long: their column keeps a readable width and
    // shows the whole text in its tooltip.
    const int note = Grid1->columnCount() - 1;
    Grid1->setColumnWidth(note, std::min(Grid1->columnWidth(note), kNoteWidth));
    auto* box = static_cast<QVBoxLayout*>(Grid1->parentWidget()->layout());
    box->setStretchFactor(Grid1, TableHeight(*Grid1, kShownItems));
    box->setStretchFactor(Grid2, TableHeight(*Grid2, kShownFinishes));
    const QSize size = ContentSize();
    const QRect screen = this->screen()->availableGeometry();
    resize(std::min(size.width(), screen.width() - 40),
           std::min(size.height(), screen.height() - 60));
}

QSize TSummaryForm::ContentSize() const {
    const auto* box = static_cast<const QVBoxLayout*>(Grid1->parentWidget()->layout());
    const QMargins m = box->contentsMargins() + layout()->contentsMargins();
    const int width = std::max(TableWidth(*Grid1), TableWidth(*Grid2)) + m.left() + m.right();
    const int height = TableHeight(*Grid1, kShownItems) + TableHeight(*Grid2, kShownFinishes) +
                       Label1->sizeHint().height() + Label2->sizeHint().height() +
                       Button1->sizeHint().height() + Tabs->tabBar()->sizeHint().height() +
                       6 * box->spacing() + m.top() + m.bottom();
    return {width, height};
}

// ---------------------------------------------------------------- CSV

void TSummaryForm::Button1Click() {
    const std::optional<QString> chosen = ChooseFile(
        csvName_, U("CSVファイルに保存"), U("CSVファイル(*.csv)|*.CSV"), QStringLiteral(".csv"));
    if (!chosen)
        return;
    const QString& path = *chosen;
    QByteArray bytes;
    try {
        bytes = CsvOnHand(CheckBox1->isChecked());
    } catch (const yoheki::EncodingError& e) {
        return dialogs_.message(U("Shift-JISで書けない文字があるため保存できません\n\r") +
                                U(e.what()) + U("\n\r「UTF-8で保存」にして保存して下さい"));
    }
    if (WriteCsv(path, bytes))
        dialogs_.message(U("CSVファイル【") + path + U("】に保存しました"));
}

// The file the user chose, with `suffix` added when it lacks it, and
// consent to replace it when it exists; nothing on Cancel.
std::optional<QString> TSummaryForm::ChooseFile(QString& last, const QString& title,
                                                const QString& filter, const QString& suffix) {
    const QString folder = QFileInfo(project_).absolutePath();
    if (last.isEmpty())
        last = QFileInfo(project_).completeBaseName() + U("_数量集計") + suffix;
    yoheki::OpenFileRequest request{title, filter, folder, last, true};
    request.save = true;
    std::optional<QString> chosen = dialogs_.openFile(request);
    if (!chosen)
        return std::nullopt;
    QString path = *chosen;
    if (!path.endsWith(suffix, Qt::CaseInsensitive))
        path += suffix;
    last = path;
    if (RefuseOutput(dialogs_, path, project_, QString()))
        return std::nullopt;
    if (QFileInfo::exists(path) &&
        !dialogs_.question(U("【") + path + U("】は既にあります。\n\r置き換えますか？"),
                           yoheki::Dialogs::Icon::Warning))
        return std::nullopt;
    return path;
}

// ---------------------------------------------------------------- Excel

void TSummaryForm::Button3Click() {
    const std::optional<QString> path =
        ChooseFile(xlsxName_, U("Excelファイルに保存"), U("Excelファイル(*.xlsx)|*.XLSX"),
                   QStringLiteral(".xlsx"));
    if (!path)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Against an earlier revision the workbook carries the comparison too.
    const std::optional<QString> failure =
        workbook::WriteWorkbook(*path, QFileInfo(project_).completeBaseName(), table_,
                                QDate::currentDate(), comparison_ ? &*comparison_ : nullptr,
                                &EstimateTab->Estimate());
    QApplication::restoreOverrideCursor();
    dialogs_.message(failure ? *failure : U("Excelファイル【") + *path + U("】に保存しました"));
}

// All or nothing, by the project file's rules: a failed save leaves any
// earlier file as it was, a link to a shared file keeps pointing at it.
bool TSummaryForm::WriteCsv(const QString& path, const QByteArray& bytes) {
    const std::optional<QString> failed = yoheki::SaveBytes(path, bytes);
    if (!failed)
        return true;
    dialogs_.message(U("CSVファイル【") + path + U("】に保存できませんでした\n\r") + *failed);
    return false;
}

QString TSummaryForm::SelectedText(const QTableWidget& grid) {
    std::map<int, std::map<int, QString>> cells;
    for (const QModelIndex& index : grid.selectionModel()->selectedIndexes())
        cells[index.row()][index.column()] = index.data().toString();
    int first = grid.columnCount(), last = -1;
    for (const auto& [row, columns] : cells) {
        first = std::min(first, columns.begin()->first);
        last = std::max(last, columns.rbegin()->first);
    }
    // The headings of the copied columns come first, so the pasted numbers
    // say what they are.
    QStringList heads;
    for (int c = first; c <= last; ++c) {
        const QTableWidgetItem* head = grid.horizontalHeaderItem(c);
        heads << (head ? head->text().replace(u'\n', u' ') : QString());
    }
    QString text = cells.empty() ? QString() : heads.join(u'\t') + u'\n';
    for (const auto& [row, columns] : cells) {
        QStringList fields;
        for (int c = first; c <= last; ++c)
            fields << (columns.contains(c) ? columns.at(c) : QString());
        text += fields.join(u'\t') + u'\n';
    }
    return text;
}
