#include "config/grid_rows.h"

#include "base/text_table.h"
#include "base/ui_services.h"

namespace {

// Texts of the row operations the rule grids and the diagnosis grid share.
namespace Row_Text {
constexpr int Overwrite_Row = 900;    // question: the target row holds data
constexpr int Copy_Invalid = 901;     // the row copied holds no valid values
constexpr int Nothing_Copied = 902;   // Paste before any Copy
constexpr int Row = 905;              // "Row " + number + Insert_Loses_Row
constexpr int Insert_Loses_Row = 906; // question: Insert pushes that row out
} // namespace Row_Text

} // namespace

void Delete_Row(Grid_Texts& grid, int row) {
    if (!grid.Is_Data_Row(row))
        return;
    const int last = grid.Last_Row();
    for (int k = row; k < last; ++k) {
        for (int column = 1; column < grid.Column_Count(); ++column)
            grid.Cell(k, column) = grid.Cell(k + 1, column);
    }
    for (int column = 1; column < grid.Column_Count(); ++column)
        grid.Cell(last, column).clear();
}

void Insert_Empty_Row(Grid_Texts& grid, int row, bool enabled) {
    if (!grid.Is_Data_Row(row))
        return;
    for (int k = grid.Last_Row() - 1; k >= row; --k) {
        for (int column = 1; column < grid.Column_Count(); ++column)
            grid.Cell(k + 1, column) = grid.Cell(k, column);
    }
    for (int column = 1; column < grid.Column_Count(); ++column)
        grid.Cell(row, column).clear();
    if (enabled && grid.Column_Count() > 1)
        grid.Cell(row, 1) = QStringLiteral("Y");
}

bool Insert_Row(Grid_Texts& grid, int row, bool enabled, const Text_Table& texts, Ui_Services& ui) {
    if (!grid.Is_Data_Row(row))
        return false;
    const int last = grid.Last_Row();
    // Inserting pushes the last row out of the grid: never lose typed data
    // without the user's word.
    if (Row_Used(grid, last) &&
        !ui.Question_Box(texts[Row_Text::Row] + QString::number(last) + texts[Row_Text::Insert_Loses_Row],
                         Ui_Services::Default_Answer::No))
        return false;
    Insert_Empty_Row(grid, row, enabled);
    return true;
}

void Copy_Row(const Grid_Texts& grid, int row, QStringList& clipboard) {
    if (!grid.Is_Data_Row(row))
        return;
    clipboard.clear();
    for (int column = 1; column < grid.Column_Count(); ++column)
        clipboard.append(grid.Cell(row, column));
}

Paste_Check Check_Paste(const Grid_Texts& grid, int row, const QStringList& clipboard, bool copied) {
    if (!copied)
        return Paste_Check::Not_Copied;
    if (clipboard.size() != grid.Column_Count() - 1)
        return Paste_Check::Wrong_Length;
    return Row_Used(grid, row) ? Paste_Check::Ask_Overwrite : Paste_Check::Paste;
}

void Paste_Into_Row(Grid_Texts& grid, int row, const QStringList& clipboard) {
    if (!grid.Is_Data_Row(row) || clipboard.size() != grid.Column_Count() - 1)
        return;
    for (int column = 1; column < grid.Column_Count(); ++column)
        grid.Cell(row, column) = clipboard[column - 1];
}

bool Paste_Row(Grid_Texts& grid, int row, const QStringList& clipboard, bool copied, const Text_Table& texts,
               Ui_Services& ui) {
    if (!grid.Is_Data_Row(row))
        return false;
    switch (Check_Paste(grid, row, clipboard, copied)) {
    case Paste_Check::Not_Copied:
        ui.Error_Box(texts[Row_Text::Nothing_Copied]);
        return false;
    case Paste_Check::Wrong_Length:
        ui.Error_Box(texts[Row_Text::Copy_Invalid]);
        return false;
    case Paste_Check::Ask_Overwrite:
        if (!ui.Question_Box(texts[Row_Text::Overwrite_Row], Ui_Services::Default_Answer::No))
            return false;
        break;
    case Paste_Check::Paste:
        break;
    }
    Paste_Into_Row(grid, row, clipboard);
    return true;
}

std::optional<Grid_Cell> Jump_Target(const Grid_Cell& current, int last_row,
                                     const QList<bool>& visible_columns) {
    const int columns = static_cast<int>(visible_columns.size());
    if (current.Row < 1 || current.Row > last_row || current.Column < 1 || current.Column >= columns)
        return std::nullopt;
    for (int column = current.Column + 1; column < columns; ++column) {
        if (visible_columns[column])
            return Grid_Cell{current.Row, column};
    }
    return Grid_Cell{current.Row < last_row ? current.Row + 1 : 1, 1};
}

int Header_Hint_Index(int column, const QList<bool>& visible_columns) {
    if (column < 1 || column >= visible_columns.size() || !visible_columns[column])
        return -1;
    int position = 0; // visible position of `column`; column 0 is position 0
    for (int c = 1; c <= column; ++c) {
        if (visible_columns[c])
            ++position;
    }
    return position - 1;
}
