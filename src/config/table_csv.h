#pragma once

#include "config/access_rules.h"
#include "config/access_rules_table.h"
#include "config/csv_format.h"
#include "config/diagnosis_list.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class Text_Table;

// The rule tables and the diagnosis list as CSV files for spreadsheets: a
// header row of the document's attribute names (the same in every language),
// then one row per rule or entry holding the cell texts exactly as the
// document holds them.

enum class Csv_Table_Kind { Read_Rules, Write_Rules, Diagnosis };

// The header row: the read rules' 11 attribute names, the write rules' 14,
// or "ID"; in the order the document writes them.
const QStringList& Csv_Header(Csv_Table_Kind kind);

// The most rows a table holds: 244 rules, 64 diagnosis entries.
int Csv_Row_Limit(Csv_Table_Kind kind);

Csv_Table_Kind Csv_Kind_Of(Rule_Table table);

// "read", "write" or "diagnosis" as the command line names the tables.
std::optional<Csv_Table_Kind> Csv_Kind_From_Name(const QString& name);

// The rows of a CSV file, each with one text per header column in the order
// of Csv_Header, and the line each row starts on.
struct Csv_Table_Rows {
    QList<QStringList> Rows;
    QList<int> Lines;
    std::optional<Csv_Error> Error; // set: no rows, the file is refused
};

// Reads a table from CSV bytes. Header names match the columns without regard
// to letter case or surrounding blanks, in any order; a column the file lacks
// is empty in every row, a column without a name is ignored when it holds
// nothing. Empty rows at the end of the file are dropped. Refused, naming the
// line: bytes that are not UTF-8, an unclosed quoted field, no header, an
// unknown or repeated header name, a row with data beyond the named columns,
// more rows than Csv_Row_Limit.
Csv_Table_Rows Read_Table_Csv(Csv_Table_Kind kind, const QByteArray& bytes);

// The rules as saving writes them (up to the first rule whose Slave_ID is
// blank) in CSV, header first.
QByteArray Rules_To_Csv(Rule_Table table, const QList<Access_Rule>& rules);

// Rows of Read_Table_Csv as rules, one field per column.
QList<Access_Rule> Rules_From_Csv_Rows(Rule_Table table, const QList<QStringList>& rows);

// The entries as saving writes them (up to the first blank one, at most 64)
// in CSV, header first.
QByteArray Diagnosis_To_Csv(const Diagnosis_List& list);

// Rows of Read_Table_Csv as the texts of the diagnosis grid's ID cells.
QStringList Diagnosis_Cells_From_Csv_Rows(const QList<QStringList>& rows);

// Texts of the CSV exchange, shared by both editors.
namespace Csv_Texts {
inline constexpr int File_Filter = 954;
inline constexpr int Line_Prefix = 955; // "Error in line "
inline constexpr int Unknown_Column = 956;
inline constexpr int Duplicate_Column = 957;
inline constexpr int Too_Many_Fields = 958;
inline constexpr int Invalid_Utf8 = 959;
inline constexpr int Unclosed_Quote = 960;
inline constexpr int No_Header = 961;
inline constexpr int Too_Many_Rows = 962;
} // namespace Csv_Texts

// The message of a refused file: text 955, the line, the problem's text and,
// where there is one, the column name or the limit.
QString Csv_Error_Message(const Text_Table& texts, const Csv_Error& error);
