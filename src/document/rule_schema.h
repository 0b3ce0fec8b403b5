#pragma once

#include "document/access_rules.h"
#include "document/sdo_names.h"

#include <iterator>
#include <span>
#include <string_view>

// A rule of sdo.xml described once, attribute by attribute, for each of the
// two sections (the attributes are listed in sdo_attributes.h): the
// attribute's name, the member of Access_Rule that holds it, the value a rule
// takes when the file does not give it, and how the rules editor shows it
// (kind of cell, header and hint texts, starting width, the hardware types
// that show it). Attributes are in the order they are written, which is also
// the order of the grid's columns after the row number: attribute i is
// column i + 1. The reader, the writer, the grids, the column numbers, the
// CSV header and the report's rule tables all come from these two tables.

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

// The attribute tables of the two sections, made from sdo_attributes.h.
#define SDO_TEXTS(header, hint) header, hint
#define SDO_ATTRIBUTE(name, fallback, kind, width, shown, texts)                                             \
    {Sdo::name, &Access_Rule::name, fallback, Kind::kind, SDO_TEXTS texts, width, Shown::shown},

// Read rules (ProfiBUS_IN).
inline constexpr Rule_Attribute Read[] = {
#define SDO_READ_WRITE(name, fallback, kind, width, shown, read_texts, write_texts)                          \
    SDO_ATTRIBUTE(name, fallback, kind, width, shown, read_texts)
#define SDO_WRITE_ONLY(name, fallback, kind, width, shown, write_texts)
#include "document/sdo_attributes.h"
#undef SDO_READ_WRITE
#undef SDO_WRITE_ONLY
};

// Write rules (ProfiBUS_OUT).
inline constexpr Rule_Attribute Write[] = {
#define SDO_READ_WRITE(name, fallback, kind, width, shown, read_texts, write_texts)                          \
    SDO_ATTRIBUTE(name, fallback, kind, width, shown, write_texts)
#define SDO_WRITE_ONLY(name, fallback, kind, width, shown, write_texts)                                      \
    SDO_ATTRIBUTE(name, fallback, kind, width, shown, write_texts)
#include "document/sdo_attributes.h"
#undef SDO_READ_WRITE
#undef SDO_WRITE_ONLY
};

#undef SDO_ATTRIBUTE
#undef SDO_TEXTS

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
