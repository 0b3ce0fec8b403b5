#pragma once

#include "config/table_csv.h"

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
// document; the header only when the document is missing). Throws Kc_Error
// naming the document when it cannot be read.
QByteArray Export_Table_Csv(const QString& conf_dir, Csv_Table_Kind kind);

// Why an import was refused: the message (from the text table) and where the
// fault is. Row is the table row (from 1), Column the CSV column (the
// attribute name), Line the line of the CSV file; 0 and empty where they do
// not apply.
struct Csv_Import_Refusal {
    QString Message;
    int Row = 0;
    QString Column;
    int Line = 0;
};

// Replaces one table of its document with the rows of `csv`, keeping the
// other table of the rules document as stored (a missing document is created
// with the other table empty). Before anything is written the rows pass the
// checks the editor runs on OK, with the hardware type and area sizes of the
// general parameters, and a row holding data after the end of its table
// (first blank Slave_ID or ID) is refused, since saving would drop it. Gives
// the refusal, the document untouched, or nothing when the document has been
// written (atomically). Throws Kc_Error naming the file when a document
// cannot be read or written.
std::optional<Csv_Import_Refusal> Import_Table_Csv(const QString& conf_dir, Csv_Table_Kind kind,
                                                   const QByteArray& csv, const Text_Table& texts);

// The CSV column a failing rule check is about ("Slave_ID", ...).
QString Rules_Check_Column(const Check_Failure& failure);
