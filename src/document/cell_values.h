#pragma once

#include "document/access_rules_table.h"

#include <QString>
#include <QStringList>

#include <optional>

class Text_Table;

// What a check-box cell of a rule grid holds for a text that arrives from
// outside the grid (a paste from a spreadsheet, a CSV import). Spreadsheets
// write a flag as Y/N, TRUE/FALSE, 1/0, yes/no or x/empty, in any letter case:
// the on spellings give "Y", the off spellings "N", and an empty or blank text
// stays empty (off, as the device reads it, and what a new row holds, so a
// copied or exported cell comes back as it was). Any other text is no flag:
// nothing, never a silent "N".
std::optional<QString> Flag_Cell_Text(const QString& text);

// What a column of a rule grid keeps of a text from outside the grid (a paste,
// a row of a CSV file): a check-box column the flag of Flag_Cell_Text, the
// Type column the name of Standard_Type_Name (a blank text gives an empty
// cell, as a rule not yet typed has), every other column the text as it is.
// Nothing when the column refuses the text.
std::optional<QString> Rule_Cell_Value(Rule_Table table, int column, const QString& text);

// Texts of a refused value.
namespace Cell_Value_Text {
inline constexpr int Paste_Row = 725;   // "Nothing was pasted: row "
inline constexpr int Column = 726;      // ", column "
inline constexpr int Not_A_Type = 727;  // " is no Type of this table: " and the names
inline constexpr int Not_A_Flag = 728;  // " is no check box value: ..."
inline constexpr int Import_Line = 729; // "Nothing was imported: line "
inline constexpr int Import_Rule = 730; // ", rule "
} // namespace Cell_Value_Text

// Why a column of a rule grid refuses `text`: the text in quotes (control
// characters escaped) and what the column takes. Empty for a column that
// takes any text.
QString Refused_Value_Reason(const Text_Table& texts, Rule_Table table, int column, const QString& text);

// Typing into a list cell. The item a typed text picks: the item whose whole
// text it is (surrounding blanks and letter case aside), otherwise the first
// item it begins, as the completion shows it; nothing for a text that picks
// none, an empty one included.
std::optional<QString> Typed_List_Item(const QStringList& items, const QString& text);

// Whether typing may go on from `text`: it is empty or begins an item, letter
// case aside. Any other key typed into a list cell is refused.
bool Begins_List_Item(const QStringList& items, const QString& text);
