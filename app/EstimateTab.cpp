#include "EstimateTab.h"

#include "BundledData.h"
#include "Error.h"
#include "EstimatePrint.h"
#include "OutputGuard.h"
#include "PriceBookDialog.h"
#include "SaveBytes.h"
#include "Utf8.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPrinter>
#include <QVBoxLayout>
#include <tuple>

namespace {

const QColor kKindBack(244, 246, 250), kTotalBack(232, 236, 244), kUnpricedBack(255, 248, 220);
const QColor kNegative(200, 0, 0);

QTableWidgetItem* Cell(const QString& text, bool right = false) {
    auto* cell = new QTableWidgetItem(text);
    cell->setTextAlignment((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return cell;
}

void SetRow(QTableWidget* grid, int row, const QStringList& cells, const QList<int>& right) {
    for (int c = 0; c < cells.size(); ++c)
        grid->setItem(row, c, Cell(cells[c], right.contains(c)));
}

void Paint(QTableWidget* grid, int row, const QColor& back, bool bold) {
    for (int c = 0; c < grid->columnCount(); ++c) {
        if (!grid->item(row, c))
            grid->setItem(row, c, Cell(QString()));
        grid->item(row, c)->setBackground(back);
        QFont f = grid->item(row, c)->font();
        f.setBold(bold);
        grid->item(row, c)->setFont(f);
    }
}

QString Signed(std::int64_t v, const QString& text) {
    return v > 0 ? u'+' + text : text;
}

} // namespace

TEstimateTab::TEstimateTab(yoheki::Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("EstimateTab"));
    BookLabel = new QLabel(this);
    BookLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    BookButton = new QPushButton(U("単価表…"), this);
    BookButton->setToolTip(U("使っている単価表を開いて単価・数位・諸経費・消費税を編集します"));
    Grid = new QTableWidget(this);
    Grid->setObjectName(QStringLiteral("EstimateGrid"));
    Grid->verticalHeader()->hide();
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Grid->setWordWrap(false);
    NotesMemo = new QPlainTextEdit(this);
    NotesMemo->setReadOnly(true);
    NotesMemo->setMaximumHeight(6 * fontMetrics().height());
    Utf8Box = new QCheckBox(U("UTF-8で保存"), this);
    CsvButton = new QPushButton(U("CSVに保存"), this);
    PrintButton = new QPushButton(U("印刷…"), this);
    PdfButton = new QPushButton(U("PDFに保存"), this);
    auto* top = new QHBoxLayout;
    top->addWidget(BookLabel, 1);
    top->addWidget(BookButton);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Utf8Box);
    buttons->addStretch(1);
    for (QPushButton* b : {CsvButton, PrintButton, PdfButton}) {
        buttons->addWidget(b);
        b->setAutoDefault(false);
    }
    BookButton->setAutoDefault(false);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Grid, 1);
    layout->addWidget(NotesMemo);
    layout->addLayout(buttons);
    connect(BookButton, &QPushButton::clicked, this, &TEstimateTab::BookButtonClick);
    connect(CsvButton, &QPushButton::clicked, this, &TEstimateTab::CsvButtonClick);
    connect(PrintButton, &QPushButton::clicked, this, &TEstimateTab::PrintButtonClick);
    connect(PdfButton, &QPushButton::clicked, this, &TEstimateTab::PdfButtonClick);
}

void TEstimateTab::SetTable(const summary::Table& table, const QString& projectPath) {
    table_ = table;
    project_ = projectPath;
    Reprice();
}

void TEstimateTab::SetEarlier(std::optional<summary::Table> earlier) {
    earlier_ = std::move(earlier);
    Fill();
}

// Reads the book in use again and prices the table with it.
void TEstimateTab::Reprice() {
    bookPath_ = estimate::BookFor(project_, yoheki::BundledDataDir());
    estimate::PriceBook book;
    if (!bookPath_.isEmpty())
        book = estimate::ReadPriceBook(bookPath_);
    try {
        estimate_ = estimate::MakeEstimate(table_, book);
    } catch (const yoheki::Error& e) {
        estimate_ = {};
        estimate_.problems << U("内訳書を作れません：") + U(e.what());
    }
    const QString where = bookPath_.isEmpty() ? U("（単価表がありません：単価表…で作ります）")
                                              : QDir::toNativeSeparators(bookPath_);
    BookLabel->setText(U("単価表：") + where);
    Fill();
}

void TEstimateTab::Fill() {
    NotesMemo->setPlainText(estimate::NoteLines(estimate_).join(u'\n'));
    NotesMemo->setVisible(!NotesMemo->toPlainText().isEmpty());
    if (earlier_)
        return FillComparison();
    const auto rows = estimate::TableRows(estimate_, true);
    Grid->clear();
    Grid->setColumnCount(8);
    Grid->setHorizontalHeaderLabels({U("工種"), U("名称"), U("規格"), U("数量"), U("単位"),
                                     U("単価"), U("金額"), U("摘要")});
    Grid->setRowCount(static_cast<int>(rows.size()));
    int row = 0, line = 0;
    std::vector<const estimate::Line*> lines;
    for (const auto& g : estimate_.groups)
        for (const auto& l : g.lines)
            lines.push_back(&l);
    for (const estimate::TableRow& r : rows) {
        SetRow(Grid, row, r.cells, {3, 5, 6});
        if (r.kind == estimate::TableRow::Heading)
            Paint(Grid, row, kKindBack, true);
        else if (r.kind != estimate::TableRow::Item)
            Paint(Grid, row, kTotalBack, true);
        else if (r.cells[0].isEmpty() && line < static_cast<int>(lines.size())) {
            const estimate::Line& l = *lines[static_cast<std::size_t>(line++)];
            Grid->item(row, 3)->setToolTip(
                U("計算数量 %1 → 計上数量 %2").arg(estimate::QuantityText(l.computed, 2),
                                                   estimate::QuantityText(l.posted, l.digits)));
            if (!l.price) {
                Paint(Grid, row, kUnpricedBack, false);
                Grid->item(row, 5)->setToolTip(U("単価表に単価がありません"));
            }
            if (l.posted < 0)
                Grid->item(row, 3)->setForeground(kNegative);
        }
        ++row;
    }
    Grid->resizeColumnsToContents();
}

void TEstimateTab::FillComparison() {
    estimate::PriceBook book = bookPath_.isEmpty() ? estimate::PriceBook{}
                                                   : estimate::ReadPriceBook(bookPath_);
    estimate::Comparison c;
    try {
        c = estimate::CompareEstimates(estimate::MakeEstimate(*earlier_, book), estimate_);
    } catch (const yoheki::Error& e) {
        NotesMemo->setPlainText(U("比較できません：") + U(e.what()));
        return;
    }
    Grid->clear();
    Grid->setColumnCount(10);
    Grid->setHorizontalHeaderLabels({U("工種"), U("名称"), U("規格"), U("単位"), U("数量 当初"),
                                     U("数量 変更"), U("数量 増減"), U("金額 当初"),
                                     U("金額 変更"), U("金額 増減")});
    Grid->setRowCount(static_cast<int>(c.lines.size()) + 2);
    const auto yen = [](const std::optional<std::int64_t>& v) {
        return v ? estimate::YenText(*v) : QString();
    };
    int row = 0;
    for (const estimate::CompareLine& l : c.lines) {
        const std::int64_t dq = l.currentQty - l.earlierQty;
        const bool priced = l.currentAmount || l.earlierAmount;
        const std::int64_t da = l.currentAmount.value_or(0) - l.earlierAmount.value_or(0);
        SetRow(Grid, row++,
               {l.kind, l.name, l.grade, l.unit, estimate::QuantityText(l.earlierQty, l.digits),
                estimate::QuantityText(l.currentQty, l.digits),
                Signed(dq, estimate::QuantityText(dq, l.digits)), yen(l.earlierAmount),
                yen(l.currentAmount), priced ? Signed(da, estimate::YenText(da)) : QString()},
               {4, 5, 6, 7, 8, 9});
    }
    for (const auto& [label, before, after] :
         {std::tuple{U("直接工事費"), c.earlierDirect, c.currentDirect},
          std::tuple{U("工事費計"), c.earlierTotal, c.currentTotal}}) {
        SetRow(Grid, row, {label, {}, {}, {}, {}, {}, {}, estimate::YenText(before),
                           estimate::YenText(after), Signed(after - before, estimate::YenText(after - before))},
               {7, 8, 9});
        Paint(Grid, row++, kTotalBack, true);
    }
    Grid->resizeColumnsToContents();
}

void TEstimateTab::BookButtonClick() {
    // A delivered book is not the user's to change: edits go to the user's own.
    QString target = bookPath_;
    if (target.isEmpty() || target == estimate::DeliveredBookPath(yoheki::BundledDataDir()))
        target = estimate::UserBookPath();
    TPriceBookDialog dialog(dialogs_, this);
    dialog.SetBook(bookPath_, target);
    if (dialog.exec() == QDialog::Accepted)
        Reprice();
}

std::optional<QString> TEstimateTab::ChooseFile(const QString& title, const QString& filter,
                                                const QString& suffix) {
    const QFileInfo project(project_);
    yoheki::OpenFileRequest request{title, filter, project.absolutePath(),
                                    project.completeBaseName() + U("_内訳書") + suffix, true};
    request.save = true;
    std::optional<QString> chosen = dialogs_.openFile(request);
    if (!chosen)
        return std::nullopt;
    QString path = *chosen;
    if (!path.endsWith(suffix, Qt::CaseInsensitive))
        path += suffix;
    if (RefuseOutput(dialogs_, path, project_, QString()) ||
        (!bookPath_.isEmpty() && QFileInfo(path) == QFileInfo(bookPath_)))
        return std::nullopt;
    if (QFileInfo::exists(path) &&
        !dialogs_.question(U("【") + path + U("】は既にあります。\n\r置き換えますか？"),
                           yoheki::Dialogs::Icon::Warning))
        return std::nullopt;
    return path;
}

void TEstimateTab::CsvButtonClick() {
    const auto path = ChooseFile(U("内訳書をCSVファイルに保存"), U("CSVファイル(*.csv)|*.CSV"),
                                 QStringLiteral(".csv"));
    if (!path)
        return;
    QByteArray bytes;
    try {
        bytes = estimate::CsvBytes(estimate_, QFileInfo(project_).completeBaseName(),
                                   Utf8Box->isChecked());
    } catch (const yoheki::EncodingError& e) {
        return dialogs_.message(U("Shift-JISで書けない文字があるため保存できません\n\r") +
                                U(e.what()) + U("\n\r「UTF-8で保存」にして保存して下さい"));
    }
    const auto failed = yoheki::SaveBytes(*path, bytes);
    dialogs_.message(failed ? U("CSVファイル【") + *path + U("】に保存できませんでした\n\r") + *failed
                            : U("CSVファイル【") + *path + U("】に保存しました"));
}

void TEstimateTab::PrintButtonClick() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    printer.setDocName(U("内訳書　") + QFileInfo(project_).completeBaseName());
    if (!dialogs_.printerSetup(printer))
        return;
    if (!PaintEstimate(printer, {QFileInfo(project_).completeBaseName(), QDate::currentDate(),
                                 estimate_}))
        dialogs_.message(U("印刷できませんでした"));
}

void TEstimateTab::PdfButtonClick() {
    const auto path = ChooseFile(U("内訳書をPDFファイルに保存"), U("PDFファイル(*.pdf)|*.PDF"),
                                 QStringLiteral(".pdf"));
    if (!path)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto failed = WriteEstimatePdf(
        *path, {QFileInfo(project_).completeBaseName(), QDate::currentDate(), estimate_});
    QApplication::restoreOverrideCursor();
    dialogs_.message(failed ? U("PDFファイル【") + *path + U("】に保存できませんでした\n\r") + *failed
                            : U("PDFファイル【") + *path + U("】に保存しました"));
}
