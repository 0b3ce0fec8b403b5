#pragma once

#include "csv/csv_format.h"
#include "document/access_rules.h"
#include "document/access_rules_table.h"
#include "document/diagnosis_list.h"

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
// to letter case or surrounding blanks, in any order: the document's attribute
// names, the grid's header texts in English ("Slave ID") and, given
// `language`, in the language in use. A column the file lacks is empty in
// every row, a column without a name is ignored when it holds nothing. Empty
// rows at the end of the file are dropped; the apostrophe the export puts
// before a formula-like cell is taken away (Unguard_Formula). Refused, naming
// the line: bytes that are not UTF-8, an unclosed quoted field, no header, an
// unknown or repeated header name, a row with data beyond the named columns,
// more rows than Csv_Row_Limit. The file is read in time and memory bounded
// by the table, whatever it holds after the rows it may have.
Csv_Table_Rows Read_Table_Csv(Csv_Table_Kind kind, const QByteArray& bytes,
                              const Text_Table* language = nullptr);

// A row of a CSV file that the table cannot take as it stands.
enum class Csv_Row_Problem {
    Too_Long,     // a value longer than the document bounds allow (Limit)
    Not_Storable, // a character no XML document can hold
    Lost_Row,     // data in a row from the table's end on, which saving drops
};

struct Csv_Row_Fault {
    Csv_Row_Problem Problem = Csv_Row_Problem::Too_Long;
    int Row = 0;     // table row, from 1
    int Line = 0;    // line of the CSV file
    QString Column;  // attribute name; empty for Lost_Row
    int Limit = 0;   // Too_Long: the most characters
    int End_Row = 0; // Lost_Row: the row the table ends at
};

// The most characters a value of the column may have (Max_Mnemonic_Chars
// for Mnemonic, Max_Value_Chars for the others).
int Csv_Value_Limit(const QString& column);

// The first row of the file a document could not keep as the editor would
// save it: a value too long or not storable (rows in order, columns in header
// order), then a row holding data from the table's end on (the first row
// without a Slave ID, or without an ID; as the editor's OK and the check see
// it). Nothing when every row would be saved as it is.
std::optional<Csv_Row_Fault> Check_Csv_Rows(Csv_Table_Kind kind, const Csv_Table_Rows& rows);

// "Error in line 7, row 6, column Mnemonic: the value is longer than a
// document can hold, at most 1024 characters"; for a lost row the check's
// words for it after line and row.
QString Csv_Row_Fault_Message(const Text_Table& texts, Csv_Table_Kind kind, const Csv_Row_Fault& fault);

// The rules as saving writes them (up to the first rule whose Slave_ID is
// blank) in CSV, header first; each cell through Guard_Formula.
QByteArray Rules_To_Csv(Rule_Table table, const QList<Access_Rule>& rules);

// Why the rules cannot be exported without dropping some: the check's words
// for the first row holding data from the table's end on. Empty when none.
QString Rules_Export_Refusal(const Text_Table& texts, Rule_Table table, const QList<Access_Rule>& rules);

// Rows of Read_Table_Csv as rules, one field per column.
QList<Access_Rule> Rules_From_Csv_Rows(Rule_Table table, const QList<QStringList>& rows);

// The entries as saving writes them (up to the first blank one, at most 64)
// in CSV, header first; each cell through Guard_Formula.
QByteArray Diagnosis_To_Csv(const Diagnosis_List& list);

// Why the IDs (the grid's cells, or a document's entries) cannot be exported
// without dropping some: the check's words for data after the end of the
// list, or for entries beyond 64. Empty when none.
QString Diagnosis_Export_Refusal(const Text_Table& texts, const QStringList& ids);

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
inline constexpr int Row = 746;    // ", row "
inline constexpr int Column = 747; // ", column "
inline constexpr int Too_Long = 748;
inline constexpr int Too_Long_End = 749;
inline constexpr int Not_Storable = 750;
inline constexpr int Nothing_Changed = 753;
inline constexpr int Stored_Fault = 754;
} // namespace Csv_Texts

// The message of a refused file: text 955, the line, the problem's text and,
// where there is one, the column name or the limit.
QString Csv_Error_Message(const Text_Table& texts, const Csv_Error& error);
