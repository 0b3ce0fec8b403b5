#pragma once

#include <QList>
#include <QString>
#include <QStringList>

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
