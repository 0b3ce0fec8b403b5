#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// CSV text as spreadsheets read and write it (RFC 4180): records of fields
// separated by a comma, ended by CR LF; a field that holds the separator, a
// quotation mark or a line break stands between quotation marks, with every
// quotation mark inside it doubled.
//
// Reading also takes what spreadsheets of other locales write: a UTF-8
// byte-order mark, ";" as separator, LF or CR line ends, and text after a
// closing quotation mark (kept as it stands). Line numbers count physical
// lines from 1, so a field with line breaks makes its record span several.

// What can make a CSV text unusable, with the line it was found on.
enum class Csv_Problem {
    Invalid_Utf8,     // the bytes are not UTF-8 text
    Unclosed_Quote,   // a quoted field runs to the end of the text
    No_Header,        // the first line is empty or there is no line at all
    Unknown_Column,   // a header name that is not one of the table's columns
    Duplicate_Column, // a header name given twice
    Too_Many_Fields,  // a record holds data beyond the named columns
    Too_Many_Rows,    // more records than the table can hold
};

struct Csv_Error {
    Csv_Problem Problem = Csv_Problem::No_Header;
    int Line = 0;   // physical line, from 1
    QString Column; // Unknown_Column, Duplicate_Column: the header name as written
    int Limit = 0;  // Too_Many_Rows: the most records the table holds

    bool operator==(const Csv_Error&) const = default;
};

// One record and the physical line it starts on.
struct Csv_Record {
    int Line = 0;
    QStringList Fields;

    bool operator==(const Csv_Record&) const = default;
};

struct Csv_Text {
    QChar Separator = u',';
    QList<Csv_Record> Records; // the header first
    std::optional<Csv_Error> Error;
};

// Bounds of a parse, so that neither time nor memory grows with what a file
// may hold beyond a table. With Max_Rows set, the records after the first
// (the header) count as rows: records whose fields are all empty are held
// back as a count, kept only when a record with data follows them, and
// dropped at the end of the text; the parse stops with Too_Many_Rows at the
// line of the first row beyond Max_Rows. A record of more than Max_Fields
// fields stops it with Too_Many_Fields.
struct Csv_Bounds {
    std::optional<int> Max_Rows;
    std::optional<int> Max_Fields;
};

// Splits UTF-8 CSV bytes into records. The separator is the first "," or ";"
// outside quotation marks in the first record (a comma when it holds
// neither). An empty line is a record of one empty field (but see
// Csv_Bounds). Line breaks are CR LF, LF or CR, each one line. Gives the
// first problem found instead of the records when the bytes are not UTF-8,
// a quoted field is never closed or a bound is passed.
Csv_Text Parse_Csv(const QByteArray& bytes, const Csv_Bounds& bounds = {});

// Spreadsheets evaluate a cell that begins with "=", "+", "-", "@", a tab or
// a CR as a formula. Guard_Formula puts an apostrophe before such a text,
// and before a text that begins with an apostrophe itself, so that the cell
// is read as text; Unguard_Formula takes exactly that one apostrophe away
// again (an apostrophe followed by one of those six characters or by a
// second apostrophe), so that Unguard_Formula(Guard_Formula(t)) == t for
// every text t.
QString Guard_Formula(const QString& text);
QString Unguard_Formula(const QString& text);

// The records as CSV bytes: UTF-8 without byte-order mark, comma separator,
// CR LF after every record. A field is quoted when it holds a comma, a
// semicolon, a quotation mark or a line break, when it begins or ends with a
// blank or a tab (so no program trims it), and when it is the only field of
// its record and empty (so the record is not an empty line).
QByteArray Write_Csv(const QList<QStringList>& records);
