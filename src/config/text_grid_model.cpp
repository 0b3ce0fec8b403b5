#include "config/text_grid_model.h"

Text_Grid_Model::Text_Grid_Model(QObject* parent) : QAbstractTableModel(parent) {}

void Text_Grid_Model::Fit_Column_Lists() {
    const int columns = table_.Column_Count();
    editors_.resize(columns, Cell_Editor::Text);
    if (columns > 0)
        editors_[0] = Cell_Editor::Fixed;
    list_items_.resize(columns);
    header_hints_.resize(columns);
}

void Text_Grid_Model::Set_Table(Grid_Texts table) {
    // Same shape: the views keep their columns, widths and current cell, and
    // only repaint.
    const bool same_shape =
        table.Last_Row() == table_.Last_Row() && table.Column_Count() == table_.Column_Count();
    if (!same_shape)
        beginResetModel();
    table_ = std::move(table);
    Fit_Column_Lists();
    for (int column = 0; column < table_.Column_Count(); ++column) {
        if (table_.Check_Columns[column])
            editors_[column] = Cell_Editor::Check;
    }
    if (!same_shape)
        endResetModel();
    else if (rowCount() > 0 && columnCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

bool Text_Grid_Model::Edit_Table(const std::function<bool(Grid_Texts&)>& change) {
    const Grid_Texts before = table_;
    const bool changed = change(table_);
    if (table_ == before)
        return changed;
    if (rowCount() > 0 && columnCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    Q_EMIT Table_Edited(before);
    return changed;
}

void Text_Grid_Model::Set_Column_Editor(int column, Cell_Editor editor) {
    if (column < 0 || column >= editors_.size())
        return;
    editors_[column] = editor;
    table_.Check_Columns[column] = editor == Cell_Editor::Check;
}

Text_Grid_Model::Cell_Editor Text_Grid_Model::Column_Editor(int column) const {
    return column >= 0 && column < editors_.size() ? editors_[column] : Cell_Editor::Fixed;
}

void Text_Grid_Model::Set_List_Items(int column, const QStringList& items) {
    if (column >= 0 && column < list_items_.size())
        list_items_[column] = items;
}

QStringList Text_Grid_Model::List_Items(int column) const {
    return column >= 0 && column < list_items_.size() ? list_items_[column] : QStringList();
}

void Text_Grid_Model::Set_Header_Text(int column, const QString& text) {
    if (column < 0 || column >= table_.Column_Count() || table_.Last_Row() < 0)
        return;
    table_.Cell(0, column) = text;
    Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
}

void Text_Grid_Model::Set_Header_Hint(int column, const QString& hint) {
    if (column < 0 || column >= header_hints_.size())
        return;
    header_hints_[column] = hint;
}

int Text_Grid_Model::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, table_.Last_Row());
}

int Text_Grid_Model::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.Column_Count();
}

QVariant Text_Grid_Model::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const int column = index.column();
    const QString& text = table_.Cell(index.row() + 1, column);
    const Cell_Editor editor = editors_[column];
    switch (role) {
    case Qt::DisplayRole:
        return editor == Cell_Editor::Check ? QVariant() : QVariant(text);
    case Qt::EditRole:
        return text;
    case Qt::CheckStateRole:
        if (editor != Cell_Editor::Check)
            return {};
        return text == QLatin1String("Y") ? Qt::Checked : Qt::Unchecked;
    case List_Items_Role:
        return editor == Cell_Editor::List ? QVariant(list_items_[column]) : QVariant();
    default:
        return {};
    }
}

bool Text_Grid_Model::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid())
        return false;
    const int column = index.column();
    const Cell_Editor editor = editors_[column];
    QString text;
    if (editor == Cell_Editor::Check && role == Qt::CheckStateRole)
        text = value.toInt() == Qt::Checked ? QStringLiteral("Y") : QStringLiteral("N");
    else if ((editor == Cell_Editor::Text || editor == Cell_Editor::List) && role == Qt::EditRole)
        text = value.toString();
    else
        return false;
    if (table_.Cell(index.row() + 1, column) == text)
        return true;
    const Grid_Texts before = table_;
    table_.Cell(index.row() + 1, column) = text;
    Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole, Qt::CheckStateRole});
    Q_EMIT Table_Edited(before);
    return true;
}

Qt::ItemFlags Text_Grid_Model::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    switch (editors_[index.column()]) {
    case Cell_Editor::Fixed:
        break;
    case Cell_Editor::Check:
        result |= Qt::ItemIsUserCheckable;
        break;
    case Cell_Editor::Text:
    case Cell_Editor::List:
        result |= Qt::ItemIsEditable;
        break;
    }
    return result;
}

QVariant Text_Grid_Model::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= table_.Column_Count() ||
        table_.Last_Row() < 0)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return table_.Cell(0, section);
    if (role == Qt::ToolTipRole && !header_hints_[section].isEmpty())
        return header_hints_[section];
    return {};
}
