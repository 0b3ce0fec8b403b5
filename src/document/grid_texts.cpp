#include "document/grid_texts.h"

Grid_Texts::Grid_Texts(int last_row, int column_count) {
    Check_Columns.fill(false, column_count);
    Texts.resize(static_cast<qsizetype>(last_row + 1) * column_count);
    if (column_count > 0) {
        for (int row = 1; row <= last_row; ++row)
            Cell(row, 0) = QString::number(row);
    }
}

void Grid_Texts::Set_Row(int row, const QStringList& texts) {
    for (int column = 0; column < Column_Count() && column < texts.size(); ++column)
        Cell(row, column) = texts[column];
}

bool Row_Used(const Grid_Texts& grid, int row) {
    if (!grid.Is_Data_Row(row))
        return false;
    for (int column = 1; column < grid.Column_Count(); ++column) {
        if (!grid.Check_Columns[column] && !grid.Cell(row, column).trimmed().isEmpty())
            return true;
    }
    return false;
}
