#pragma once

#include "config/access_rules_table.h"
#include "config/grid_rows.h"

#include <QString>
#include <QStringList>
#include <optional>

class ParGen_View;
class Text_Table;

// What the rules editor reads from the general parameters at each showing.
struct Rules_Limits {
    int Hardware_Type = 0; // 0 without Ethernet, 1 with Ethernet
    int NByte_IN = 244;    // size of the PROFIBUS input area in bytes
    int NByte_OUT = 244;   // size of the PROFIBUS output area in bytes
};

// The first failing check: its table, its row, the index of its message text
// and, for the checks that name one, the computed bound.
struct Rules_Check_Failure {
    Rule_Table Table = Rule_Table::Read;
    int Row = 0;
    int Text_Index = 0;
    std::optional<int> Bound;

    bool operator==(const Rules_Check_Failure&) const = default;
};

// Checks every enabled rule of the read table, then of the write table, rows in
// order, each table up to its first row with a blank Slave ID. Nothing when
// both tables may be saved, otherwise the first failure.
std::optional<Rules_Check_Failure> Controllo_dati(const Grid_Texts& read, const Grid_Texts& write,
                                                  const Rules_Limits& limits);

// A bit type (values packed eight to a byte): "COIL STATUS" in both tables
// and "INPUT STATUS" in the read table, compared after trimming in upper case.
// Every other Type, an unknown name included, counts as a register type.
bool Is_Bit_Type(Rule_Table table, const QString& type);

// The last PROFIBUS byte a rule occupies, from its Position P, its number of
// points N and its start bit S: P + 2N - 1 for registers; for bit types
// P + (N + S - 1) div 8 on hardware type 1, P + (N - 1) div 8 otherwise.
long long Last_Byte_Occupied(bool bit_type, int hardware_type, int position, int points, int start_bit);

// Text 668, the row number, the check's text and the bound, joined as they are.
QString Rules_Check_Message(const Text_Table& texts, const Rules_Check_Failure& failure);

// Hardware_Type, Profi_NB_IN and Profi_NB_OUT of the general parameters, each
// converted with the shared integer conversion and falling back by itself to
// 0, 244 and 244 when its element is missing or unreadable. No document gives
// the three defaults.
Rules_Limits Rules_Limits_Of(const ParGen_View& pargen);

// The items of a Position list: "0" to the decimal of area_bytes - 1 (none
// for an empty area; at most 65536 items for an absurd size).
QStringList Position_Items(int area_bytes);
