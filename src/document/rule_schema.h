#pragma once

#include "document/access_rules.h"
#include "document/access_rules_text.h"
#include "document/sdo_names.h"

#include <iterator>
#include <span>
#include <string_view>

// A rule of sdo.xml described once, attribute by attribute, for each of the
// two sections: the attribute's name, the member of Access_Rule that holds
// it, the value a rule takes when the file does not give it, and how the
// rules editor shows it (kind of cell, header and hint texts, starting width,
// the hardware types that show it). Attributes are in the order they are
// written, which is also the order of the grid's columns after the row
// number: attribute i is column i + 1. The reader, the writer, the grids,
// the column numbers, the CSV header and the report's rule tables all come
// from these two tables.

enum class Rule_Table { Read, Write };

enum class Rule_Column_Kind {
    Row_Number,    // column 0, not editable
    Check,         // "Y" or "N"
    Edit,          // free text
    Type_List,     // the table's Modbus type names
    Position_List, // "0" to the PROFIBUS area size - 1, set at each showing
    Bit_List,      // "0" to "7"
};

enum class Rule_Column_Shown {
    Always,
    With_Ethernet, // only when the hardware type is not 0
    Never,         // kept, loaded and saved, but never shown
};

struct Rule_Attribute {
    QLatin1StringView Name;
    QString Access_Rule::*Field;
    const char* Fallback; // the value of a rule whose row does not give the attribute
    Rule_Column_Kind Kind;
    int Header_Text;
    int Hint_Text; // 0: the column has no hint
    int Width;     // 0: as wide as its header asks, set at the first showing
    Rule_Column_Shown Shown;
};

namespace Rule_Schema {

using Kind = Rule_Column_Kind;
using Shown = Rule_Column_Shown;

// The row number and the Type and Mnemonic columns start at these widths;
// Type fits its longest item, Mnemonic leaves room for a description.
inline constexpr int Row_Number_Width = 40;
inline constexpr int Type_Width = 130;
inline constexpr int Mnemonic_Width = 220;

// Read rules (ProfiBUS_IN).
inline constexpr Rule_Attribute Read[] = {
    {Sdo::Enable, &Access_Rule::Enable, "Y", Kind::Check, Rules_Text::Read_Header_N + 1,
     Rules_Text::Read_Hint_Enable, 0, Shown::Always},
    {Sdo::Slave_ID, &Access_Rule::Slave_ID, "", Kind::Edit, Rules_Text::Read_Header_N + 2,
     Rules_Text::Read_Hint_Slave_Id, 0, Shown::Always},
    {Sdo::Type, &Access_Rule::Type, "", Kind::Type_List, Rules_Text::Read_Header_N + 3,
     Rules_Text::Read_Hint_Type, Type_Width, Shown::Always},
    {Sdo::Address_Mod, &Access_Rule::Address_Mod, "", Kind::Edit, Rules_Text::Read_Header_N + 4,
     Rules_Text::Read_Hint_Address, 0, Shown::Always},
    {Sdo::NPoint, &Access_Rule::NPoint, "", Kind::Edit, Rules_Text::Read_Header_N + 5,
     Rules_Text::Read_Hint_NPoint, 0, Shown::Always},
    {Sdo::PollTime, &Access_Rule::PollTime, "", Kind::Edit, Rules_Text::Read_Header_N + 6,
     Rules_Text::Read_Hint_Poll_Time, 0, Shown::With_Ethernet},
    {Sdo::MaxError, &Access_Rule::MaxError, "", Kind::Edit, Rules_Text::Read_Header_N + 7,
     Rules_Text::Read_Hint_Max_Error, 0, Shown::With_Ethernet},
    {Sdo::Address_Profi, &Access_Rule::Address_Profi, "", Kind::Position_List, Rules_Text::Read_Header_N + 8,
     Rules_Text::Read_Hint_Position, 0, Shown::Always},
    {Sdo::Bit, &Access_Rule::Bit, "", Kind::Bit_List, Rules_Text::Read_Header_N + 9,
     Rules_Text::Read_Hint_Start_Bit, 0, Shown::With_Ethernet},
    {Sdo::Swap, &Access_Rule::Swap, "N", Kind::Check, Rules_Text::Read_Header_N + 10,
     Rules_Text::Read_Hint_Swap, 0, Shown::Always},
    {Sdo::Mnemonic, &Access_Rule::Mnemonic, "", Kind::Edit, Rules_Text::Read_Header_Mnemonic,
     Rules_Text::Read_Hint_Mnemonic, Mnemonic_Width, Shown::Always},
};

// Write rules (ProfiBUS_OUT).
inline constexpr Rule_Attribute Write[] = {
    {Sdo::Enable, &Access_Rule::Enable, "Y", Kind::Check, Rules_Text::Write_Header_N + 1,
     Rules_Text::Write_Hint_Enable, 0, Shown::Always},
    {Sdo::Slave_ID, &Access_Rule::Slave_ID, "", Kind::Edit, Rules_Text::Write_Header_N + 2,
     Rules_Text::Write_Hint_Slave_Id, 0, Shown::Always},
    {Sdo::Type, &Access_Rule::Type, "", Kind::Type_List, Rules_Text::Write_Header_N + 3,
     Rules_Text::Write_Hint_Type, Type_Width, Shown::Always},
    {Sdo::Address_Mod, &Access_Rule::Address_Mod, "", Kind::Edit, Rules_Text::Write_Header_N + 4,
     Rules_Text::Write_Hint_Address, 0, Shown::Always},
    {Sdo::NPoint, &Access_Rule::NPoint, "", Kind::Edit, Rules_Text::Write_Header_N + 5,
     Rules_Text::Write_Hint_NPoint, 0, Shown::Always},
    {Sdo::PollTime, &Access_Rule::PollTime, "", Kind::Edit, Rules_Text::Write_Header_N + 6,
     Rules_Text::Write_Hint_Poll_Time, 0, Shown::With_Ethernet},
    {Sdo::OnChange, &Access_Rule::OnChange, "", Kind::Check, Rules_Text::Write_Header_N + 7,
     Rules_Text::Write_Hint_On_Change, 0, Shown::With_Ethernet},
    // On command keeps what the document holds; the editor never shows it.
    {Sdo::OnCMD, &Access_Rule::OnCMD, "N", Kind::Check, Rules_Text::Write_Header_N + 8,
     Rules_Text::Write_Hint_On_Cmd, 0, Shown::Never},
    {Sdo::MaxError, &Access_Rule::MaxError, "", Kind::Edit, Rules_Text::Write_Header_N + 9,
     Rules_Text::Write_Hint_Max_Error, 0, Shown::With_Ethernet},
    {Sdo::Address_Profi, &Access_Rule::Address_Profi, "", Kind::Position_List,
     Rules_Text::Write_Header_N + 10, Rules_Text::Write_Hint_Position, 0, Shown::Always},
    {Sdo::Bit, &Access_Rule::Bit, "", Kind::Bit_List, Rules_Text::Write_Header_N + 11,
     Rules_Text::Write_Hint_Start_Bit, 0, Shown::With_Ethernet},
    {Sdo::Swap, &Access_Rule::Swap, "N", Kind::Check, Rules_Text::Write_Header_N + 12,
     Rules_Text::Write_Hint_Swap, 0, Shown::Always},
    {Sdo::ForceF15F16, &Access_Rule::ForceF15F16, "N", Kind::Check, Rules_Text::Write_Header_Force_F15_F16,
     Rules_Text::Write_Hint_Force_F15_F16, 0, Shown::Always},
    {Sdo::Mnemonic, &Access_Rule::Mnemonic, "", Kind::Edit, Rules_Text::Write_Header_Mnemonic,
     Rules_Text::Write_Hint_Mnemonic, Mnemonic_Width, Shown::Always},
};

// The grid column of the attribute `name`: its position in the table + 1.
// Used in constant expressions, where a name that is no attribute fails to
// compile.
constexpr int Column_Of(std::span<const Rule_Attribute> attributes, QLatin1StringView name) {
    const std::string_view wanted(name.data(), std::size_t(name.size()));
    for (std::size_t i = 0; i < attributes.size(); ++i)
        if (std::string_view(attributes[i].Name.data(), std::size_t(attributes[i].Name.size())) == wanted)
            return int(i) + 1;
    throw "no such attribute";
}

} // namespace Rule_Schema

// The attributes of one section, in the order they are written.
std::span<const Rule_Attribute> Rule_Attributes(Rule_Table table);

// The header text of a table's row number column.
int Row_Number_Header(Rule_Table table);
