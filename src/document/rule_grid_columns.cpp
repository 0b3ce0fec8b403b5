#include "document/rule_grid_columns.h"

#include "document/access_rules_text.h"

namespace {

using Kind = Rule_Column_Kind;
using Shown = Rule_Column_Shown;
namespace T = Rules_Text;

// The row number and the Type and Mnemonic columns start at these widths;
// Type fits its longest item, Mnemonic leaves room for a description.
constexpr int row_number_width = 40;
constexpr int type_width = 130;
constexpr int mnemonic_width = 220;

} // namespace

const std::vector<Rule_Column>& Rule_Columns(Rule_Table table) {
    static const std::vector<Rule_Column> read = {
        {Read_Col::N, nullptr, Kind::Row_Number, T::Read_Header_N, 0, row_number_width, Shown::Always},
        {Read_Col::Enable, &Access_Rule::Enable, Kind::Check, T::Read_Header_N + 1, T::Read_Hint_Enable, 0,
         Shown::Always},
        {Read_Col::Slave_ID, &Access_Rule::Slave_ID, Kind::Edit, T::Read_Header_N + 2, T::Read_Hint_Slave_Id,
         0, Shown::Always},
        {Read_Col::Type, &Access_Rule::Type, Kind::Type_List, T::Read_Header_N + 3, T::Read_Hint_Type,
         type_width, Shown::Always},
        {Read_Col::Address_Mod, &Access_Rule::Address_Mod, Kind::Edit, T::Read_Header_N + 4,
         T::Read_Hint_Address, 0, Shown::Always},
        {Read_Col::NPoint, &Access_Rule::NPoint, Kind::Edit, T::Read_Header_N + 5, T::Read_Hint_NPoint, 0,
         Shown::Always},
        {Read_Col::PollTime, &Access_Rule::PollTime, Kind::Edit, T::Read_Header_N + 6, T::Read_Hint_Poll_Time,
         0, Shown::With_Ethernet},
        {Read_Col::MaxError, &Access_Rule::MaxError, Kind::Edit, T::Read_Header_N + 7, T::Read_Hint_Max_Error,
         0, Shown::With_Ethernet},
        {Read_Col::Address_Profi, &Access_Rule::Address_Profi, Kind::Position_List, T::Read_Header_N + 8,
         T::Read_Hint_Position, 0, Shown::Always},
        {Read_Col::Bit, &Access_Rule::Bit, Kind::Bit_List, T::Read_Header_N + 9, T::Read_Hint_Start_Bit, 0,
         Shown::With_Ethernet},
        {Read_Col::Swap, &Access_Rule::Swap, Kind::Check, T::Read_Header_N + 10, T::Read_Hint_Swap, 0,
         Shown::Always},
        {Read_Col::Mnemonic, &Access_Rule::Mnemonic, Kind::Edit, T::Read_Header_Mnemonic,
         T::Read_Hint_Mnemonic, mnemonic_width, Shown::Always},
    };
    static const std::vector<Rule_Column> write = {
        {Write_Col::N, nullptr, Kind::Row_Number, T::Write_Header_N, 0, row_number_width, Shown::Always},
        {Write_Col::Enable, &Access_Rule::Enable, Kind::Check, T::Write_Header_N + 1, T::Write_Hint_Enable, 0,
         Shown::Always},
        {Write_Col::Slave_ID, &Access_Rule::Slave_ID, Kind::Edit, T::Write_Header_N + 2,
         T::Write_Hint_Slave_Id, 0, Shown::Always},
        {Write_Col::Type, &Access_Rule::Type, Kind::Type_List, T::Write_Header_N + 3, T::Write_Hint_Type,
         type_width, Shown::Always},
        {Write_Col::Address_Mod, &Access_Rule::Address_Mod, Kind::Edit, T::Write_Header_N + 4,
         T::Write_Hint_Address, 0, Shown::Always},
        {Write_Col::NPoint, &Access_Rule::NPoint, Kind::Edit, T::Write_Header_N + 5, T::Write_Hint_NPoint, 0,
         Shown::Always},
        {Write_Col::PollTime, &Access_Rule::PollTime, Kind::Edit, T::Write_Header_N + 6,
         T::Write_Hint_Poll_Time, 0, Shown::With_Ethernet},
        {Write_Col::OnChange, &Access_Rule::OnChange, Kind::Check, T::Write_Header_N + 7,
         T::Write_Hint_On_Change, 0, Shown::With_Ethernet},
        // On command keeps what the document holds; the editor never shows it.
        {Write_Col::OnCMD, &Access_Rule::OnCMD, Kind::Check, T::Write_Header_N + 8, T::Write_Hint_On_Cmd, 0,
         Shown::Never},
        {Write_Col::MaxError, &Access_Rule::MaxError, Kind::Edit, T::Write_Header_N + 9,
         T::Write_Hint_Max_Error, 0, Shown::With_Ethernet},
        {Write_Col::Address_Profi, &Access_Rule::Address_Profi, Kind::Position_List, T::Write_Header_N + 10,
         T::Write_Hint_Position, 0, Shown::Always},
        {Write_Col::Bit, &Access_Rule::Bit, Kind::Bit_List, T::Write_Header_N + 11, T::Write_Hint_Start_Bit,
         0, Shown::With_Ethernet},
        {Write_Col::Swap, &Access_Rule::Swap, Kind::Check, T::Write_Header_N + 12, T::Write_Hint_Swap, 0,
         Shown::Always},
        {Write_Col::ForceF15F16, &Access_Rule::ForceF15F16, Kind::Check, T::Write_Header_Force_F15_F16,
         T::Write_Hint_Force_F15_F16, 0, Shown::Always},
        {Write_Col::Mnemonic, &Access_Rule::Mnemonic, Kind::Edit, T::Write_Header_Mnemonic,
         T::Write_Hint_Mnemonic, mnemonic_width, Shown::Always},
    };
    return table == Rule_Table::Read ? read : write;
}

bool Rule_Column_Shown_For(const Rule_Column& column, int hardware_type) {
    switch (column.shown) {
    case Shown::Always:
        return true;
    case Shown::With_Ethernet:
        return hardware_type != 0;
    case Shown::Never:
        break;
    }
    return false;
}

QList<int> Rule_Hint_Texts(Rule_Table table, int hardware_type) {
    QList<int> hints;
    for (const Rule_Column& column : Rule_Columns(table)) {
        if (column.hint_text != 0 && Rule_Column_Shown_For(column, hardware_type))
            hints.append(column.hint_text);
    }
    return hints;
}

QList<int> Rule_Hint_Texts_Before_Showing(Rule_Table table) {
    QList<int> hints;
    for (const Rule_Column& column : Rule_Columns(table)) {
        if (column.hint_text == 0)
            continue;
        if (column.column == Read_Col::Mnemonic && table == Rule_Table::Read)
            hints.append(T::Read_Hint_Blank);
        hints.append(column.hint_text);
    }
    return hints;
}
