#pragma once

#include "csv/table_csv.h"
#include "document/access_rules_table.h"

#include <QString>

#include <optional>

class Text_Table;

// A cell of a rule row read from a CSV file that its column refuses: where it
// is and the message that says so.
struct Csv_Refused_Value {
    int Row = 0;     // the table row, from 1
    QString Column;  // the column's attribute name ("Type", "Swap", ...)
    int Line = 0;    // the line of the CSV file the row starts on
    QString Message; // text 729, the line, text 730, the row, text 726, the column and the reason
};

// Puts the Type and flag cells of rule rows read from a CSV file into the form
// the grid keeps (Rule_Cell_Value): the standard Type name, "Y" or "N" for a
// spreadsheet's flag. Rows then columns in order, the first cell refused is
// given back, and then `rows` is left as it came.
std::optional<Csv_Refused_Value> Take_Csv_Rule_Values(Rule_Table table, Csv_Table_Rows& rows,
                                                      const Text_Table& texts);
