#include "PriceBookDialog.h"

#include "Error.h"
#include "SaveBytes.h"
#include "Utf8.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

TPriceBookDialog::TPriceBookDialog(yoheki::Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("PriceBookDialog"));
    setWindowTitle(U("単価表"));
    setSizeGripEnabled(true);
    PathLabel = new QLabel(this);
    PathLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Grid = new QTableWidget(0, static_cast<int>(estimate::BookColumns().size()), this);
    Grid->setObjectName(QStringLiteral("BookGrid"));
    Grid->setHorizontalHeaderLabels(estimate::BookColumns());
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    auto* help = new QLabel(
        U("キー：数量集計の列名（根切量、ＲＣ全量 …）か「仕上：仕上名」。"
          "「数位」の行は丸めの表（数位＝小数以下の桁数）、「諸経費」「消費税」の行は単価欄に率（％）。"),
        this);
    help->setWordWrap(true);
    AddButton = new QPushButton(U("行を追加"), this);
    DeleteButton = new QPushButton(U("行を削除"), this);
    SaveButton = new QPushButton(U("保存"), this);
    CancelButton = new QPushButton(U("キャンセル"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(AddButton);
    buttons->addWidget(DeleteButton);
    buttons->addStretch(1);
    buttons->addWidget(SaveButton);
    buttons->addWidget(CancelButton);
    for (QPushButton* b : {AddButton, DeleteButton, SaveButton, CancelButton})
        b->setAutoDefault(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PathLabel);
    layout->addWidget(Grid, 1);
    layout->addWidget(help);
    layout->addLayout(buttons);
    connect(AddButton, &QPushButton::clicked, this, &TPriceBookDialog::AddButtonClick);
    connect(DeleteButton, &QPushButton::clicked, this, &TPriceBookDialog::DeleteButtonClick);
    connect(SaveButton, &QPushButton::clicked, this, &TPriceBookDialog::SaveButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    resize(1000, 600);
}

void TPriceBookDialog::SetBook(const QString& source, const QString& path) {
    path_ = path;
    PathLabel->setText(U("単価表：") + QDir::toNativeSeparators(path));
    const QList<QStringList> rows = source.isEmpty() ? QList<QStringList>()
                                                     : estimate::ReadBookTable(source);
    Grid->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            Grid->setItem(r, c, new QTableWidgetItem(rows[r][c]));
    Grid->resizeColumnsToContents();
}

void TPriceBookDialog::AddButtonClick() {
    const int row = Grid->currentRow() < 0 ? Grid->rowCount() : Grid->currentRow() + 1;
    Grid->insertRow(row);
    Grid->setCurrentCell(row, 0);
}

void TPriceBookDialog::DeleteButtonClick() {
    QList<int> rows;
    for (const QModelIndex& i : Grid->selectionModel()->selectedRows())
        rows << i.row();
    std::sort(rows.rbegin(), rows.rend());
    for (const int r : rows)
        Grid->removeRow(r);
}

QList<QStringList> TPriceBookDialog::Rows() const {
    QList<QStringList> rows;
    for (int r = 0; r < Grid->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < Grid->columnCount(); ++c)
            row << (Grid->item(r, c) ? Grid->item(r, c)->text().trimmed() : QString());
        if (!row.join(QString()).isEmpty())
            rows << row;
    }
    return rows;
}

void TPriceBookDialog::SaveButtonClick() {
    QByteArray bytes;
    try {
        bytes = estimate::BookTableBytes(Rows());
    } catch (const yoheki::EncodingError& e) {
        return dialogs_.message(U("Shift-JISで書けない文字があるため保存できません\n\r") +
                                U(e.what()));
    }
    // Checked as every reader will read it; the line numbers are the file's.
    const estimate::PriceBook book = estimate::ParsePriceBook(bytes, path_);
    if (!book.problems.isEmpty() &&
        !dialogs_.question(book.problems.mid(0, 8).join(U("\n\r")) +
                               U("\n\r\n\rこの行は内訳書で使われません。このまま保存しますか？"),
                           yoheki::Dialogs::Icon::Warning))
        return;
    QDir().mkpath(QFileInfo(path_).absolutePath());
    if (const auto failed = yoheki::SaveBytes(path_, bytes))
        return dialogs_.message(U("単価表【") + QDir::toNativeSeparators(path_) +
                                U("】に保存できませんでした\n\r") + *failed);
    accept();
}
