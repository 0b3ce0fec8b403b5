#include "document/diagnosis_check.h"

#include "base/int_conversion.h"

#include <algorithm>

namespace {

int Row_Count(const QStringList& cells) {
    return std::min<int>(static_cast<int>(cells.size()), Diagnosis_List::Max_Entries);
}

// The message of a refused ID: text 708, the row, text 709.
constexpr int text_id_row = 708;
constexpr int text_id_range_end = 709;

bool Blank(const QString& cell) {
    return cell.trimmed().isEmpty();
}

} // namespace

int Diagnosis_List_End(const QStringList& cells) {
    const int rows = Row_Count(cells);
    int end = 0;
    while (end < rows && !Blank(cells[end]))
        ++end;
    return end;
}

std::optional<Check_Failure> Check_Diagnosis_Ids(const QStringList& cells) {
    const int end = Diagnosis_List_End(cells);
    for (int i = 0; i < end; ++i) {
        const int id = Str_To_Int_Def(cells[i], -1);
        if (id < Diagnosis_Id_Low || id > Diagnosis_Id_High) {
            Check_Failure failure;
            failure.Text_Index = text_id_range_end;
            failure.Row = i + 1;
            failure.Lead_Text_Index = text_id_row;
            return failure;
        }
    }
    return std::nullopt;
}

Diagnosis_List Diagnosis_From_Cells(const QStringList& cells) {
    Diagnosis_List list;
    list.IDs = cells.mid(0, Diagnosis_List_End(cells));
    return list;
}

int First_Row_Left_Out(const QStringList& cells) {
    const int rows = Row_Count(cells);
    for (int i = Diagnosis_List_End(cells) + 1; i < rows; ++i) {
        if (!Blank(cells[i]))
            return i + 1;
    }
    return 0;
}
