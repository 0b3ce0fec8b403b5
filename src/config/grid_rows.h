#pragma once

#include "document/grid_texts.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class Text_Table;
class Ui_Services;

// Removes data row r and closes the gap; the last row ends with every data
// cell empty, its enable cell included.
void Delete_Row(Grid_Texts& grid, int row);

// Pushes rows r..N-1 one row down (the content of row N is lost) and empties
// row r; column 1 of the new row receives "Y" when `enabled`.
void Insert_Empty_Row(Grid_Texts& grid, int row, bool enabled);

// Insert_Empty_Row, but when the last row holds data the user is asked first
// (texts 905, row number, 906); No changes nothing. True when inserted.
bool Insert_Row(Grid_Texts& grid, int row, bool enabled, const Text_Table& texts, Ui_Services& ui);

// Replaces the clipboard with the texts of data columns 1..C-1 of row r.
void Copy_Row(const Grid_Texts& grid, int row, QStringList& clipboard);

enum class Paste_Check {
    Paste,         // free row: paste without asking
    Ask_Overwrite, // used row: ask text 900 first
    Not_Copied,    // no row copied from this grid: text 902
    Wrong_Length,  // clipboard not C - 1 texts: text 901
};
Paste_Check Check_Paste(const Grid_Texts& grid, int row, const QStringList& clipboard, bool copied);

// Writes clipboard text j into data column j of row r (j = 1..C-1).
void Paste_Into_Row(Grid_Texts& grid, int row, const QStringList& clipboard);

// The whole paste with its messages and question. True when the row changed.
bool Paste_Row(Grid_Texts& grid, int row, const QStringList& clipboard, bool copied, const Text_Table& texts,
               Ui_Services& ui);

struct Grid_Cell {
    int Row = 0;
    int Column = 0;
    bool operator==(const Grid_Cell&) const = default;
};

// Where Enter moves the current cell: to the next visible column of the row,
// or from the last visible column to column 1 of the next row (row 1 after
// row N). No move when the current cell is not a data cell.
std::optional<Grid_Cell> Jump_Target(const Grid_Cell& current, int last_row,
                                     const QList<bool>& visible_columns);

// Index into a header hint list for column c, counting visible columns only
// (column 0 counts as the first): the hint of column c is entry (visible
// position of c) - 1. -1 for column 0 or a hidden column.
int Header_Hint_Index(int column, const QList<bool>& visible_columns);
