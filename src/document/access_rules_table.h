#pragma once

#include "document/access_rules.h"
#include "document/grid_texts.h"
#include "document/rule_schema.h"

#include <QList>
#include <QString>

// The two rule tables of the access rules editor as grids of cell texts:
// 244 rule rows each, one rule per row, one attribute per column.

inline constexpr int Rule_Rows = 244;

// Columns of the read table (ProfiBUS_IN), as the schema orders them.
namespace Read_Col {
using Rule_Schema::Column_Of;
inline constexpr int N = 0;
inline constexpr int Enable = Column_Of(Rule_Schema::Read, Sdo::Enable);
inline constexpr int Slave_ID = Column_Of(Rule_Schema::Read, Sdo::Slave_ID);
inline constexpr int Type = Column_Of(Rule_Schema::Read, Sdo::Type);
inline constexpr int Address_Mod = Column_Of(Rule_Schema::Read, Sdo::Address_Mod);
inline constexpr int NPoint = Column_Of(Rule_Schema::Read, Sdo::NPoint);
inline constexpr int PollTime = Column_Of(Rule_Schema::Read, Sdo::PollTime);
inline constexpr int MaxError = Column_Of(Rule_Schema::Read, Sdo::MaxError);
inline constexpr int Address_Profi = Column_Of(Rule_Schema::Read, Sdo::Address_Profi);
inline constexpr int Bit = Column_Of(Rule_Schema::Read, Sdo::Bit);
inline constexpr int Swap = Column_Of(Rule_Schema::Read, Sdo::Swap);
inline constexpr int Mnemonic = Column_Of(Rule_Schema::Read, Sdo::Mnemonic);
inline constexpr int Count = int(std::size(Rule_Schema::Read)) + 1;
} // namespace Read_Col

// Columns of the write table (ProfiBUS_OUT).
namespace Write_Col {
using Rule_Schema::Column_Of;
inline constexpr int N = 0;
inline constexpr int Enable = Column_Of(Rule_Schema::Write, Sdo::Enable);
inline constexpr int Slave_ID = Column_Of(Rule_Schema::Write, Sdo::Slave_ID);
inline constexpr int Type = Column_Of(Rule_Schema::Write, Sdo::Type);
inline constexpr int Address_Mod = Column_Of(Rule_Schema::Write, Sdo::Address_Mod);
inline constexpr int NPoint = Column_Of(Rule_Schema::Write, Sdo::NPoint);
inline constexpr int PollTime = Column_Of(Rule_Schema::Write, Sdo::PollTime);
inline constexpr int OnChange = Column_Of(Rule_Schema::Write, Sdo::OnChange);
inline constexpr int OnCMD = Column_Of(Rule_Schema::Write, Sdo::OnCMD);
inline constexpr int MaxError = Column_Of(Rule_Schema::Write, Sdo::MaxError);
inline constexpr int Address_Profi = Column_Of(Rule_Schema::Write, Sdo::Address_Profi);
inline constexpr int Bit = Column_Of(Rule_Schema::Write, Sdo::Bit);
inline constexpr int Swap = Column_Of(Rule_Schema::Write, Sdo::Swap);
inline constexpr int ForceF15F16 = Column_Of(Rule_Schema::Write, Sdo::ForceF15F16);
inline constexpr int Mnemonic = Column_Of(Rule_Schema::Write, Sdo::Mnemonic);
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
