#include "config/grid_edit.h"

#include "document/cell_values.h"

#include <algorithm>

namespace {

bool Is_Data_Cell(const Grid_Texts& grid, int row, int column) {
    return grid.Is_Data_Row(row) && column >= 1 && column < grid.Column_Count();
}

} // namespace

bool Clear_Cells(Grid_Texts& grid, const QList<Grid_Cell>& cells, bool check_boxes) {
    bool changed = false;
    for (const Grid_Cell& cell : cells) {
        if (!Is_Data_Cell(grid, cell.Row, cell.Column))
            continue;
        const bool check = grid.Check_Columns[cell.Column];
        if (check && !check_boxes)
            continue;
        const QString cleared = check ? QStringLiteral("N") : QString();
        QString& text = grid.Cell(cell.Row, cell.Column);
        if (text != cleared) {
            text = cleared;
            changed = true;
        }
    }
    return changed;
}

QString Cells_To_Tsv(const Grid_Texts& grid, const QList<int>& rows, const QList<int>& columns) {
    QString text;
    for (int row : rows) {
        for (int j = 0; j < columns.size(); ++j) {
            if (j > 0)
                text += QLatin1Char('\t');
            QString cell = grid.Cell(row, columns[j]);
            for (QChar& c : cell) {
                if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
                    c = QLatin1Char(' ');
            }
            text += cell;
        }
        text += QLatin1Char('\n');
    }
    return text;
}

QList<QStringList> Parse_Tsv(const QString& text) {
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (lines.endsWith(QLatin1Char('\n')))
        lines.chop(1);
    QList<QStringList> rows;
    if (text.isEmpty())
        return rows;
    for (const QString& line : lines.split(QLatin1Char('\n')))
        rows.append(line.split(QLatin1Char('\t')));
    return rows;
}

Tsv_Fit Check_Tsv_Paste(const Grid_Texts& grid, int row, const QList<int>& columns,
                        const QList<QStringList>& cells) {
    if (row + static_cast<int>(cells.size()) - 1 > grid.Last_Row())
        return Tsv_Fit::Past_Last_Row;
    for (const QStringList& line : cells) {
        if (line.size() > columns.size())
            return Tsv_Fit::Past_Last_Column;
    }
    return Tsv_Fit::Fits;
}

void Paste_Tsv(Grid_Texts& grid, int row, const QList<int>& columns, const QList<QStringList>& cells) {
    for (int i = 0; i < cells.size(); ++i) {
        const QStringList& line = cells[i];
        for (int j = 0; j < line.size() && j < columns.size(); ++j) {
            const int column = columns[j];
            if (!Is_Data_Cell(grid, row + i, column))
                continue;
            QString& cell = grid.Cell(row + i, column);
            cell = grid.Check_Columns[column] ? Flag_Cell_Text(line[j]).value_or(cell) : line[j];
        }
    }
}

QList<int> All_Data_Columns(const Grid_Texts& grid) {
    QList<int> columns;
    for (int column = 1; column < grid.Column_Count(); ++column)
        columns.append(column);
    return columns;
}

QList<int> Tsv_Paste_Columns(const Grid_Texts& grid, const QList<QStringList>& cells,
                             const QList<int>& shown_columns) {
    const qsizetype data_columns = grid.Column_Count() - 1;
    const bool whole_rows =
        !cells.isEmpty() && std::all_of(cells.begin(), cells.end(),
                                        [&](const QStringList& line) { return line.size() == data_columns; });
    return whole_rows ? All_Data_Columns(grid) : shown_columns;
}

std::optional<Refused_Cell> Take_Pasted_Cells(int row, const QList<int>& columns, QList<QStringList>& cells,
                                              const Cell_Intake& intake) {
    if (!intake)
        return std::nullopt;
    QList<QStringList> taken = cells;
    for (int i = 0; i < taken.size(); ++i) {
        QStringList& line = taken[i];
        for (int j = 0; j < line.size() && j < columns.size(); ++j) {
            const std::optional<QString> value = intake(columns[j], line[j]);
            if (!value)
                return Refused_Cell{row + i, columns[j], line[j]};
            line[j] = *value;
        }
    }
    cells = std::move(taken);
    return std::nullopt;
}

bool Move_Row(Grid_Texts& grid, int row, int delta) {
    const int other = row + delta;
    if (!grid.Is_Data_Row(row) || !grid.Is_Data_Row(other) || other == row)
        return false;
    for (int column = 1; column < grid.Column_Count(); ++column)
        std::swap(grid.Cell(row, column), grid.Cell(other, column));
    return true;
}

void Delete_Rows(Grid_Texts& grid, QList<int> rows) {
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int row : rows)
        Delete_Row(grid, row);
}

bool Same_Data_Rows(const Grid_Texts& a, const Grid_Texts& b) {
    if (a.Column_Count() != b.Column_Count() || a.Last_Row() != b.Last_Row())
        return false;
    const qsizetype header = a.Column_Count();
    return std::equal(a.Texts.begin() + header, a.Texts.end(), b.Texts.begin() + header);
}
