#pragma once

#include "document/access_rules_table.h"
#include "document/check_failure.h"
#include "document/grid_texts.h"

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

// The message texts of one table's rule checks, in check order.
struct Rule_Check_Texts {
    int slave, type, address, npoint, poll, max_error, position, bit, bytes;
};
const Rule_Check_Texts& Rule_Check_Texts_Of(Rule_Table table);

// The most points one rule may read or write: for a bit type (values packed
// eight to a byte) or a register type.
int Max_Points(Rule_Table table, bool bit_type);

// A failing check of a rule: its table, its row, the index of its message
// text and, for the checks that name one, the computed bound; the message
// begins with text 668 and the row number.
Check_Failure Rule_Check_Failure(Rule_Table table, int row, int text_index, std::optional<int> bound = {});

// Checks every enabled rule of the read table, then of the write table, rows in
// order, each table up to its first row with a blank Slave ID. A Type must name
// one of the table's types (Standard_Type_Name): an empty, blank or unknown
// text fails, and so does Input Status or Input Register in the write table.
// Nothing when both tables may be saved, otherwise the first failure.
std::optional<Check_Failure> Check_Access_Rules(const Grid_Texts& read, const Grid_Texts& write,
                                                const Rules_Limits& limits);

// The grid column of the cell a failure is about: the checked cell, or the
// Position for a rule that runs past the end of its area. Nothing for a text
// that is no check's; Failing_Column gives column 1 (Enable) then.
std::optional<int> Checked_Column(const Check_Failure& failure);
int Failing_Column(const Check_Failure& failure);

// A bit type (values packed eight to a byte): "COIL STATUS" in both tables
// and "INPUT STATUS" in the read table, compared after trimming in upper case.
// Every other Type counts as a register type (the checks refuse an unknown
// name before they ask).
bool Is_Bit_Type(Rule_Table table, const QString& type);

// The last PROFIBUS byte a rule occupies, from its Position P, its number of
// points N and its start bit S: P + 2N - 1 for registers; for bit types
// P + (N + S - 1) div 8 on hardware type 1, P + (N - 1) div 8 otherwise.
long long Last_Byte_Occupied(bool bit_type, int hardware_type, int position, int points, int start_bit);

// Hardware_Type, Profi_NB_IN and Profi_NB_OUT of the general parameters, each
// converted with the shared integer conversion and falling back by itself to
// 0, 244 and 244 when its element is missing or unreadable. No document gives
// the three defaults.
Rules_Limits Rules_Limits_Of(const ParGen_View& pargen);

// The items of a Position list: "0" to the decimal of area_bytes - 1 (none
// for an empty area; at most 65536 items for an absurd size).
QStringList Position_Items(int area_bytes);
