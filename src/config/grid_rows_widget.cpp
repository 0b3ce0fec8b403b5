#include "config/grid_rows_widget.h"

#include "base/app_state.h"
#include "config/grid_rows.h"

#include <QHeaderView>
#include <QTableView>

void Auto_Size_Col(QTableView& grid, int row, int column, const App_State& state) {
    if (!state.Double_Click_Auto_Size || row != 0 || !grid.model() || column < 0 ||
        column >= grid.model()->columnCount())
        return;
    const QAbstractItemView& view = grid;
    const int cells = view.sizeHintForColumn(column);
    const int header = grid.horizontalHeader()->sectionSizeHint(column);
    grid.setColumnWidth(column, std::max(cells, header));
}

bool Jump_Field(QTableView& grid, int key, const App_State& state) {
    if (!state.Enable_Jump_Field_Tables || (key != Qt::Key_Return && key != Qt::Key_Enter))
        return false;
    const QAbstractItemModel* model = grid.model();
    const QModelIndex current = grid.currentIndex();
    if (!model || !current.isValid())
        return true;
    QList<bool> visible;
    for (int column = 0; column < model->columnCount(); ++column)
        visible.append(!grid.isColumnHidden(column));
    // Model row i is grid row i + 1 (grid row 0 is the header).
    const auto target = Jump_Target({current.row() + 1, current.column()}, model->rowCount(), visible);
    if (target)
        grid.setCurrentIndex(model->index(target->Row - 1, target->Column));
    return true;
}
