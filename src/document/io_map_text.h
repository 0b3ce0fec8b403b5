#pragma once

#include "document/io_map.h"

#include <QString>

class Text_Table;

// Texts of the I/O map, taken from the text table when they are shown.
namespace Io_Text {
inline constexpr int Button = 930;         // "I/O Map"
inline constexpr int Button_Hint = 931;    // the button's hint
inline constexpr int Overlaps_Begin = 932; // overlaps line: text, count, text
inline constexpr int Overlaps_End = 933;
inline constexpr int Caption = 934;        // the map window's caption and heading
inline constexpr int Diagnosis_Copy = 935; // names of the reserved areas
inline constexpr int Diagnosis_Address = 936;
inline constexpr int Async_Requests = 937;
inline constexpr int Byte = 938;                // "Byte " + number
inline constexpr int Row = 939;                 // "Row " + number
inline constexpr int Modbus_Address = 940;      // ", Modbus address " + address
inline constexpr int Unused = 941;              // a byte nothing uses
inline constexpr int Overlap_Input = 942;       // overlap message, input area
inline constexpr int Overlap_Output = 943;      // overlap message, output area
inline constexpr int And = 944;                 // joins the two occupants of an overlap
inline constexpr int Repeated_Read_Begin = 945; // text, later row, text, earlier row
inline constexpr int Repeated_Read_End = 946;
inline constexpr int Bits = 947;         // ", bits " + first-last
inline constexpr int Overlap_Mark = 948; // hover line of a byte whose occupants overlap
inline constexpr int Map_Hint = 949;     // how to use the map window
} // namespace Io_Text

// "Row 3" for a rule, the area's name for a reserved area.
QString Io_Occupant_Name(const Text_Table& texts, const Io_Occupant& occupant);

// The short mark of an occupant in a byte of the map: a rule's row number,
// or the letter of a reserved area (C diagnosis copy, D diagnosis address,
// A asynchronous requests).
QString Io_Occupant_Symbol(const Io_Occupant& occupant);

// "10" or "10-11".
QString Io_Range_Text(long long first, long long last);

// The overlap as a message: text 942 or 943, the bytes shared, ": ", the two
// occupants joined by text 944.
QString Io_Overlap_Message(const Text_Table& texts, const Io_Map& map, const Io_Overlap& overlap);

// Text 945, the later row, text 946, the earlier row.
QString Io_Repeated_Read_Message(const Text_Table& texts, const Io_Repeated_Read& repeated);

// The line under the rule grids: text 932, the number of overlaps, text 933.
QString Io_Overlaps_Line(const Text_Table& texts, int overlaps);

// What hovering a byte shows: "Byte N", then one line per occupant (a rule:
// its row, Type, Modbus address and Mnemonic, and for a bit rule the bits it
// holds in the byte; a reserved area: its name), then text 948 when
// occupants of the byte overlap in it; text 941 when nothing uses it.
QString Io_Byte_Hover_Text(const Text_Table& texts, const Io_Map& map, Io_Area area, int byte);
