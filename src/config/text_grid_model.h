#pragma once

#include "config/grid_rows.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <functional>

// Item model over a Grid_Texts: model row i is grid row i + 1 (row 0 of the
// grid is the horizontal header), model column c is grid column c. Column 0
// (the row number) is read-only; check-box columns show a check state and take
// "Y"/"N"; list columns carry their items for the delegate.
class Text_Grid_Model : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Cell_Editor { Fixed, Text, List, Check };
    // Item role giving a list column's items (QStringList).
    static constexpr int List_Items_Role = Qt::UserRole + 1;

    explicit Text_Grid_Model(QObject* parent = nullptr);

    // Replaces every cell; the column editors stay as set. Not an edit of
    // the user's: Table_Edited is not sent.
    void Set_Table(Grid_Texts table);
    const Grid_Texts& Table() const { return table_; }
    // Runs `change` on the cells and tells the views; returns its result.
    // When the cells changed, Table_Edited follows.
    bool Edit_Table(const std::function<bool(Grid_Texts&)>& change);

    void Set_Column_Editor(int column, Cell_Editor editor);
    Cell_Editor Column_Editor(int column) const;
    void Set_List_Items(int column, const QStringList& items);
    QStringList List_Items(int column) const;
    void Set_Header_Text(int column, const QString& text);
    void Set_Header_Hint(int column, const QString& hint);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    // The cells were changed by a cell editor (setData) or by Edit_Table;
    // `before` holds them as they were. One signal per change, so an undo
    // history can keep each as one step.
    void Table_Edited(const Grid_Texts& before);

private:
    void Fit_Column_Lists();

    Grid_Texts table_;
    QList<Cell_Editor> editors_;
    QList<QStringList> list_items_;
    QStringList header_hints_;
};
