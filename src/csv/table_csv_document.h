#pragma once

#include "csv/table_csv.h"

#include <QByteArray>
#include <QString>

#include <optional>

struct Check_Failure;

class Text_Table;

// A table of the documents of a configuration folder to and from CSV, as the
// command line does it: the same checks as the editors' OK, then the same
// writers.

// Paths of the documents in `conf_dir`, each found without regard to letter
// case (a missing one with the system's spelling).
QString Table_Document_Path(const QString& conf_dir, Csv_Table_Kind kind);

// The table as CSV bytes (Rules_To_Csv, Diagnosis_To_Csv of the stored
// document; the header only when the document is missing), or, when the
// document holds rows after the end of the table that the export would drop,
// the refusal in the check's words and no bytes. Throws Kc_Error naming the
// document when it cannot be read.
struct Csv_Export {
    QByteArray Csv;
    QString Refusal; // set: nothing to write
};
Csv_Export Export_Table_Csv(const QString& conf_dir, Csv_Table_Kind kind, const Text_Table& texts);

// Why an import was refused: the message (from the text table) and where the
// fault is. Row is the table row (from 1), Column the CSV column (the
// attribute name), Line the line of the CSV file; 0 and empty where they do
// not apply. A fault of the stored document instead names that document
// (Document, its path) and, for the rules, the table and row there; Line is
// then 0.
struct Csv_Import_Refusal {
    QString Message;
    int Row = 0;
    QString Column;
    int Line = 0;
    QString Document;
    std::optional<Rule_Table> Table;
};

// Replaces one table of its document with the rows of `csv`, keeping the
// other table of the rules document as stored (a missing document is created
// with the other table empty). Before anything is written the rows pass
// Check_Csv_Rows (values the document bounds refuse, characters no document
// can hold, a row holding data from the end of its table on, which saving
// would drop) and the checks the editor runs on OK, with the hardware type
// and area sizes of the general parameters; the stored other table must pass
// them too (and keep all its rows). Header names in the language of `texts`
// are understood. Gives the refusal, the document untouched, or nothing when
// the document has been written (atomically). Throws Kc_Error naming the file
// when a document cannot be read or written.
std::optional<Csv_Import_Refusal> Import_Table_Csv(const QString& conf_dir, Csv_Table_Kind kind,
                                                   const QByteArray& csv, const Text_Table& texts);

// The CSV column a failing rule check is about ("Slave_ID", ...).
QString Rules_Check_Column(const Check_Failure& failure);
