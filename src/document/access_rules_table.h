#pragma once

#include "document/access_rules.h"
#include "document/grid_texts.h"
#include "document/rule_schema.h"

#include <QList>
#include <QString>

// The two rule tables of the access rules editor as grids of cell texts:
// 244 rule rows each, one rule per row, one attribute per column.

inline constexpr int Rule_Rows = 244;

// The grid column of each attribute of sdo_attributes.h, named as the
// attribute, after the row number N.
// Columns of the read table (ProfiBUS_IN).
namespace Read_Col {
inline constexpr int N = 0;
#define SDO_READ_WRITE(name, ...)                                                                            \
    inline constexpr int name = Rule_Schema::Column_Of(Rule_Schema::Read, Sdo::name);
#define SDO_WRITE_ONLY(name, ...)
#include "document/sdo_attributes.h"
#undef SDO_READ_WRITE
#undef SDO_WRITE_ONLY
inline constexpr int Count = int(std::size(Rule_Schema::Read)) + 1;
} // namespace Read_Col

// Columns of the write table (ProfiBUS_OUT).
namespace Write_Col {
inline constexpr int N = 0;
#define SDO_WRITE_COLUMN(name, ...)                                                                          \
    inline constexpr int name = Rule_Schema::Column_Of(Rule_Schema::Write, Sdo::name);
#define SDO_READ_WRITE SDO_WRITE_COLUMN
#define SDO_WRITE_ONLY SDO_WRITE_COLUMN
#include "document/sdo_attributes.h"
#undef SDO_READ_WRITE
#undef SDO_WRITE_ONLY
#undef SDO_WRITE_COLUMN
inline constexpr int Count = int(std::size(Rule_Schema::Write)) + 1;
} // namespace Write_Col

// The code counts on Slave ID and Type standing in the same column of both tables.
static_assert(Read_Col::Slave_ID == Write_Col::Slave_ID && Read_Col::Type == Write_Col::Type);

// The field of Access_Rule each data column holds, columns 1..C-1 in order.
const QList<QString Access_Rule::*>& Rule_Fields(Rule_Table table);

// An empty table as a showing resets it: column 0 the row number, column 1
// "Y", every other cell empty; the check-box columns marked.
Grid_Texts New_Rule_Grid(Rule_Table table);

// Puts rule k into row k (rules beyond row 244 have no row). Rows without a
// rule keep what they held.
void Fill_Rule_Grid(Grid_Texts& grid, Rule_Table table, const QList<Access_Rule>& rules);

// Rows 1..244 as rules, cells taken unchanged, hidden columns included.
QList<Access_Rule> Rules_From_Grid(const Grid_Texts& grid, Rule_Table table);

// The row at which a table ends: the first row whose Slave ID is blank, or
// Last_Row() + 1 when every row has one. Neither validation nor saving goes
// past it.
int Table_End_Row(const Grid_Texts& grid);

// The first row from the end of the table on (the end row included) that
// holds data (a non-blank text in a column that is not a check-box column),
// or 0 when there is none: that data would be dropped by a save.
int First_Row_Lost_On_Save(const Grid_Texts& grid);
