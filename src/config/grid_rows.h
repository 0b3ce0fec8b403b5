#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class Text_Table;
class Ui_Services;

// The cells of a fixed-size editable grid as texts. Row 0 is the header row,
// rows 1 to N the data rows; column 0 of a data row holds the row number and
// is never touched by the row operations, columns 1 to C - 1 are the data
// columns. Hidden columns are ordinary columns here: every operation moves,
// clears, copies and pastes them like the visible ones.
struct Grid_Texts {
    QList<QString> Texts;      // row-major: the C cells of row 0, then row 1, ...
    QList<bool> Check_Columns; // per column: a check-box column ("Y" set, "N" or empty clear)

    Grid_Texts() = default;
    // N data rows and C columns, every cell empty; column 0 of row r holds r.
    Grid_Texts(int last_row, int column_count);

    int Column_Count() const { return static_cast<int>(Check_Columns.size()); }
    int Last_Row() const {
        return Column_Count() > 0 ? static_cast<int>(Texts.size()) / Column_Count() - 1 : -1;
    }
    bool Is_Data_Row(int row) const { return row >= 1 && row <= Last_Row(); }

    const QString& Cell(int row, int column) const { return Texts[row * Column_Count() + column]; }
    QString& Cell(int row, int column) { return Texts[row * Column_Count() + column]; }

    // The texts of one row, column 0 included.
    QStringList Row(int row) const { return Texts.mid(row * Column_Count(), Column_Count()); }
    void Set_Row(int row, const QStringList& texts);

    bool operator==(const Grid_Texts&) const = default;
};

// A data row is used when a data column that is not a check-box column holds
// a text that is not blank; the "Y" of a fresh row never makes it used.
bool Row_Used(const Grid_Texts& grid, int row);

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
