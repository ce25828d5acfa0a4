#pragma once
// 拾い一覧: the project's items as a table in a dock beside the form, one row
// per item with its kind, group, count, main dimensions and the key
// quantities of one piece, worked out as the statement pane works them out.
// The table is a view: the row of the item on screen follows the form, a
// selected row is shown in the form, and an edited cell goes through the
// take-off core into the project file.
#include "Calc.h"
#include "ItemRecord.h"

#include <QAbstractTableModel>
#include <QDockWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TForm1;
class QSortFilterProxyModel;
class QTableView;

class ItemTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    // Sort key of a cell: numbers as numbers.
    static constexpr int SortRole = Qt::UserRole + 1;

    ItemTableModel(TForm1& form, QObject* parent = nullptr);

    // Every item of the open project, read from the file (the item on
    // screen from the form). Quantities are worked out when a row is shown.
    void Reload();
    // The row of the item on screen again from the form.
    void FollowScreen();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

    QString NameAt(int row) const;
    int RowOf(const QString& name) const;
    // Fills the block of rows and columns from tab-separated text (a block
    // copied from a spreadsheet) starting at the cell (row, column), as one
    // change and one save. The message when it is refused; nothing changes then.
    QString Paste(int row, int column, const QString& text, const std::vector<int>& rows);

  private:
    // A row's item is read from the project when the row is first shown (or
    // sorted, copied or edited): a project of thousands of items opens
    // without reading every item into the table.
    struct Cells {
        takeoff::ItemRecord record;
        std::optional<engine::Quantities> quantities;
        bool calculated = false; // quantities worked out (or the run stopped)
    };
    struct Row {
        std::string name;
        mutable std::unique_ptr<Cells> cells; // read when first needed
    };
    // The row's item, read now if it was not yet.
    Cells& Loaded(const Row& row) const;
    bool OnScreen(const std::string& name) const;
    void Calculate(const Row& row) const;
    // Writes the changed records; the screen item goes into the form.
    QString Store(const std::vector<std::pair<int, takeoff::ItemRecord>>& changed);
    QString ScreenName() const;

    TForm1& form_;
    std::vector<Row> rows_;
};

class ItemTableDock : public QDockWidget {
    Q_OBJECT
  public:
    ItemTableDock(TForm1& form, QWidget* parent);
    ItemTableModel* Model() const { return model_; }
    QTableView* View() const { return view_; }
    QSortFilterProxyModel* Proxy() const { return proxy_; }
    // Selects the row of the item on screen.
    void SelectScreenItem();
    // Model rows of the selected rows, in the file's order.
    std::vector<int> SelectedRows() const;
    QStringList SelectedNames() const;
    // Ctrl+C: the selected cells as tab-separated text; Ctrl+V: paste.
    void CopySelection();
    void PasteClipboard();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void RowChosen();
    TForm1& form_;
    ItemTableModel* model_;
    QSortFilterProxyModel* proxy_;
    QTableView* view_;
    bool selecting_ = false;
};
