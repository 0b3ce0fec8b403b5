#pragma once

#include "document/access_rules_table.h"

#include <QString>
#include <QStringList>

#include <optional>

// The Modbus data types a rule's Type names: its name as the editor offers it,
// the function codes that read and write it, and whether its values are bits
// (packed eight to a byte) or 16-bit registers. The read function code is also
// the type's code in the packed image layout.
enum class Modbus_Type {
    None = 0,
    Coil_Status = 1,
    Input_Status = 2,
    Holding_Register = 3,
    Input_Register = 4
};

struct Modbus_Type_Info {
    Modbus_Type Type;
    QLatin1StringView Name;
    int Read_Function;   // 1 to 4
    int Write_Single;    // 5 or 6; 0 when the type cannot be written
    int Write_Multiple;  // 15 or 16; 0 when the type cannot be written
    bool Bits;           // values are bits, else registers
    bool In_Write_Table; // offered in the write table too
};

inline constexpr Modbus_Type_Info Modbus_Types[] = {
    {Modbus_Type::Coil_Status, QLatin1StringView("Coil Status"), 1, 5, 15, true, true},
    {Modbus_Type::Input_Status, QLatin1StringView("Input Status"), 2, 0, 0, true, false},
    {Modbus_Type::Holding_Register, QLatin1StringView("Holding Register"), 3, 6, 16, false, true},
    {Modbus_Type::Input_Register, QLatin1StringView("Input Register"), 4, 0, 0, false, false},
};

// The entry of a type; nullptr for Modbus_Type::None.
const Modbus_Type_Info* Modbus_Type_Entry(Modbus_Type type);

// The type a Type text names, compared in upper case and exactly as given
// otherwise (callers that forgive blanks trim first); None
// for any other text.
Modbus_Type Modbus_Type_Named(const QString& text);

// The type a rule of `table` may have: None for a type the table does not
// offer (Input Status and Input Register in the write table).
Modbus_Type Modbus_Type_In(Rule_Table table, const QString& text);

// The name the editor offers for a Type text that names a type of `table`,
// compared after trimming and without regard to letter case ("input register "
// gives "Input Register"); nothing for any other text, an empty one included.
// Every way a Type enters (typing, paste, CSV) and every check uses it, so the
// grid and the documents keep the standard spelling.
std::optional<QLatin1StringView> Standard_Type_Name(Rule_Table table, const QString& text);

// The names the editor's Type list of `table` offers, in table order.
QStringList Modbus_Type_Names(Rule_Table table);
