#include "config/diagnosis_check.h"

#include "base/int_conversion.h"

#include <algorithm>

namespace {

constexpr int lowest_id = 1;
constexpr int highest_id = 247;

int Row_Count(const QStringList& cells) {
    return std::min<int>(static_cast<int>(cells.size()), Diagnosis_List::Max_Entries);
}

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

std::optional<Diagnosis_Failure> Controllo_dati(const QStringList& cells) {
    const int end = Diagnosis_List_End(cells);
    for (int i = 0; i < end; ++i) {
        const int id = Str_To_Int_Def(cells[i], -1);
        if (id < lowest_id || id > highest_id) {
            Diagnosis_Failure failure;
            failure.row = i + 1;
            failure.low = lowest_id;
            failure.high = highest_id;
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
