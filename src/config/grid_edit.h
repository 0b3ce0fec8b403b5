#pragma once

#include "config/grid_rows.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Spreadsheet-style editing of a Grid_Texts: clearing cells, the
// tab-separated text that spreadsheets exchange through the clipboard, and
// moving or deleting rows. Rows and columns are grid rows and columns (row 0
// the header, column 0 the row number); neither the header row nor column 0 is
// ever written.

// Clears the cells: a text cell becomes empty; a check-box cell becomes "N"
// when `check_boxes` is set and is left alone otherwise. True when a cell
// changed.
bool Clear_Cells(Grid_Texts& grid, const QList<Grid_Cell>& cells, bool check_boxes);

// The cells where each of `rows` meets each of `columns`, as tab-separated
// text: the cells of a row joined by a tab, every row ended by a newline. A
// tab or a line break inside a cell becomes a blank, so the text always
// splits back into the same cells.
QString Cells_To_Tsv(const Grid_Texts& grid, const QList<int>& rows, const QList<int>& columns);

// Tab-separated text as rows of cells. "\r\n", "\n" or "\r" ends a row; the
// row end after the last row adds no empty row. Empty text gives no rows.
QList<QStringList> Parse_Tsv(const QString& text);

enum class Tsv_Fit { Fits, Past_Last_Row, Past_Last_Column };

// Whether `cells` fit from data row `row` on, cell j of a row going into
// `columns[j]` (the shown data columns from the current one rightwards).
Tsv_Fit Check_Tsv_Paste(const Grid_Texts& grid, int row, const QList<int>& columns,
                        const QList<QStringList>& cells);

// The data columns 1 to C - 1 in order, hidden ones included: what a copy of
// whole rows gives, in the order of the columns of the table's CSV file.
QList<int> All_Data_Columns(const Grid_Texts& grid);

// Where the cells of a paste go: when every row of `cells` holds exactly one
// cell per data column (whole rows copied from the grid or from the table's
// CSV file), into all data columns, hidden ones included; otherwise into
// `shown_columns` (the shown data columns from the current one rightwards).
QList<int> Tsv_Paste_Columns(const Grid_Texts& grid, const QList<QStringList>& cells,
                             const QList<int>& shown_columns);

// What a column keeps of a text from outside the grid: the text for the cell,
// or nothing when the column refuses it.
using Cell_Intake = std::function<std::optional<QString>(int column, const QString& text)>;

// A text from outside the grid that its column refuses: the grid row and
// column it was meant for and the text as it came.
struct Refused_Cell {
    int Row = 0;
    int Column = 0;
    QString Text;
    bool operator==(const Refused_Cell&) const = default;
};

// Puts each cell of a paste, placed as Check_Tsv_Paste places them, into the
// form its column keeps (`intake`), rows then columns in order. The first cell
// refused is given back and then `cells` is left as it came.
std::optional<Refused_Cell> Take_Pasted_Cells(int row, const QList<int>& columns, QList<QStringList>& cells,
                                              const Cell_Intake& intake);

// Writes `cells` as Check_Tsv_Paste places them; the caller has checked that
// they fit. A check-box cell takes the flag of Flag_Cell_Text ("Y" for Y,
// TRUE, 1, YES or X; "N" for N, FALSE, 0 or NO; empty for empty), so a copied
// check-box cell comes back as it was; a text that is no flag leaves the cell
// as it is (Take_Pasted_Cells refuses it first).
void Paste_Tsv(Grid_Texts& grid, int row, const QList<int>& columns, const QList<QStringList>& cells);

// Swaps the data columns of data row `row` with those of the row above
// (delta -1) or below (delta +1). False, and nothing changed, when there is
// no such row.
bool Move_Row(Grid_Texts& grid, int row, int delta);

// Delete_Row for each of the data rows, the lowest first, so every row
// deleted is the one named.
void Delete_Rows(Grid_Texts& grid, QList<int> rows);

// True when the data rows of both grids hold the same texts; the header rows
// are not compared.
bool Same_Data_Rows(const Grid_Texts& a, const Grid_Texts& b);
