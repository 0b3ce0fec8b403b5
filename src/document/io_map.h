#pragma once

#include "document/access_rules_check.h"
#include "document/access_rules_table.h"
#include "document/general_params.h"
#include "document/grid_texts.h"

#include <QList>
#include <QString>

// The PROFIBUS I/O map: which bits of the input area and of the output area
// each rule and each area reserved by the general parameters occupies, where
// two of them share bits, which bytes nothing uses, and which enabled read
// rules read the same Modbus data twice. Bit b of byte B is bit B * 8 + b.

enum class Io_Area { Input, Output };

// Areas the general parameters reserve; None marks a rule.
enum class Reserved_Area { None, Diagnosis_Copy, Diagnosis_Address, Async_Requests };

// The largest area the device has; the map shows no byte beyond it.
inline constexpr int Io_Area_Max_Bytes = 244;

// Byte of a bit, rounding down also for a bit before byte 0.
long long Io_Byte_Of_Bit(long long bit);

// One thing that occupies bits of an area: an enabled rule or a reserved area.
struct Io_Occupant {
    Io_Area Area = Io_Area::Input;
    Reserved_Area Reserved = Reserved_Area::None;
    Rule_Table Table = Rule_Table::Read; // a rule's table (Read in the input area)
    int Row = 0;                         // a rule's grid row, counted from 1
    long long First_Bit = 0;
    long long Bit_Count = 0;
    bool Bit_Type = false; // a rule of Coil Status or Input Status
    // A rule's cells as they are in the grid, for naming it.
    QString Slave_ID, Type, Address_Mod, NPoint, Mnemonic;

    bool Is_Rule() const { return Reserved == Reserved_Area::None; }
    long long Last_Bit() const { return First_Bit + Bit_Count - 1; }
    long long First_Byte() const { return Io_Byte_Of_Bit(First_Bit); }
    long long Last_Byte() const { return Io_Byte_Of_Bit(Last_Bit()); }
    bool operator==(const Io_Occupant&) const = default;
};

// Two occupants of one area that share at least one bit. First and Second
// index Io_Map::Occupants, First < Second.
struct Io_Overlap {
    Io_Area Area = Io_Area::Input;
    int First = 0;
    int Second = 0;
    long long First_Bit = 0; // the bits shared
    long long Last_Bit = 0;

    long long First_Byte() const { return Io_Byte_Of_Bit(First_Bit); }
    long long Last_Byte() const { return Io_Byte_Of_Bit(Last_Bit); }
    bool operator==(const Io_Overlap&) const = default;
};

// Bytes of an area that nothing uses, First_Byte to Last_Byte.
struct Io_Byte_Range {
    Io_Area Area = Io_Area::Input;
    int First_Byte = 0;
    int Last_Byte = 0;
    bool operator==(const Io_Byte_Range&) const = default;
};

// Two enabled read rules that read the same slave and type at overlapping
// Modbus addresses (grid rows, First_Row < Second_Row).
struct Io_Repeated_Read {
    int First_Row = 0;
    int Second_Row = 0;
    bool operator==(const Io_Repeated_Read&) const = default;
};

struct Io_Map {
    int Input_Bytes = 0; // area sizes, 0 to Io_Area_Max_Bytes
    int Output_Bytes = 0;
    // Input area first, then output; in each, the reserved areas in the
    // order of Reserved_Area, then the rules by row.
    QList<Io_Occupant> Occupants;
    QList<Io_Overlap> Overlaps; // by area, then by First, then by Second
    QList<Io_Byte_Range> Unused;
    QList<Io_Repeated_Read> Repeated_Reads;

    int Area_Bytes(Io_Area area) const { return area == Io_Area::Input ? Input_Bytes : Output_Bytes; }
    // For every byte of the area, the indices of the occupants with at least
    // one bit in it, in occupant order.
    QList<QList<int>> Byte_Occupants(Io_Area area) const;
    // The overlaps of an area that share at least one bit of the byte.
    QList<int> Overlaps_In_Byte(Io_Area area, long long byte) const;
    bool operator==(const Io_Map&) const = default;
};

// The areas the general parameters reserve. Hardware_Type 1 is the variant
// with Ethernet, any other value the one without.
// - Diagnosis_Copy: input, 8 bytes at Profi_Diagnosis_Copy_Array_Position,
//   without Ethernet, when Profi_Enable_Error and Profi_Diagnosis_Copy_Array
//   are on;
// - Diagnosis_Address: input, 1 byte at Profi_Enable_Error_Address, with
//   Ethernet, when Profi_Enable_Error is on and Profi_Enable_Diagnosis off;
// - Async_Requests: input, 4 bytes at Profi_Async_Req_Start_IN, and output,
//   8 bytes at Profi_Async_Req_Start_OUT, when Profi_Enable_Async_Mod_Req is
//   on and the pair is not the special 31862 / 40571.
// A start that is no integer or negative places nothing (the editor's check
// refuses it).
QList<Io_Occupant> Reserved_Areas(const General_Params& params);

// The map of the rule grids (as the rules editor holds them) with the limits
// the editor read and the reserved areas. Each table counts up to its first
// row with a blank Slave ID; only enabled rules ("Y" after trimming) occupy
// bits: a register type from P * 8 for 16 * N bits; a bit type on hardware
// type 1 from P * 8 + S for N bits; a bit type otherwise from P * 8 for N bits
// (P Position, N NPoint, S Start Bit, as the editor's bytes-occupied check
// counts them). A rule without a Type, or whose Position is no integer from 0
// or NPoint no integer from 1, occupies nothing. Area sizes are limited to
// 0 .. Io_Area_Max_Bytes; occupants may reach past them.
Io_Map Build_Io_Map(const Grid_Texts& read, const Grid_Texts& write, const Rules_Limits& limits,
                    const QList<Io_Occupant>& reserved);
