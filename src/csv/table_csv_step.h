#pragma once

#include "csv/table_csv.h"

#include <QByteArray>
#include <QString>

#include <optional>

class Text_Table;
class Ui_Services;

// The Export and Import buttons of the editors: the file choosers, the
// messages and the file, around the pure CSV functions. Nothing here touches
// a document; the editor keeps the rows until OK.

// Reads a CSV file whole. Throws Kc_Error naming the file when it cannot be
// read or is far larger than any table (more than Csv_File_Limit bytes).
inline constexpr qint64 Csv_File_Limit = 16 * 1024 * 1024;
QByteArray Read_Csv_File(const QString& path);

// Asks where to save (in `dir`, the configuration folder, filter text 954,
// ".csv" appended unless the name ends in it, Choose_Output_File's checks,
// text 903 before replacing a file) and writes `csv`
// atomically. An error is shown in an error box naming the file. True when
// the file has been written.
bool Export_Csv_File(const QByteArray& csv, const QString& dir, const Text_Table& texts, Ui_Services& ui);

// Asks for a CSV file (in `dir`, filter text 954) and reads the table from
// it, header names in the language of `texts` understood. A file that cannot
// be read, is refused by Read_Table_Csv or holds a row Check_Csv_Rows refuses
// shows its message (with text 753, nothing changed) in an error box; then,
// as when the user cancels, nothing is given.
std::optional<Csv_Table_Rows> Import_Csv_File(Csv_Table_Kind kind, const QString& dir,
                                              const Text_Table& texts, Ui_Services& ui);
