#pragma once

#include "document/access_rules_table.h"

#include <QString>

class Text_Table;

// What is said of rows a save would drop, as a finding (no question): the
// check's findings, and the refusals of CSV import and export, use the same
// words. The editors ask their own question with the same beginning.

// Text 692, the row, text 693 (read table) or 694 (write table), the end row,
// text 751: "Row 11 of the read table holds data that will not be saved,
// because the table ends at row 10, the first row without a Slave ID."
QString Lost_Rule_Row_Text(const Text_Table& texts, Rule_Table table, int lost_row, int end_row);

// Text 712, the row, text 724.
QString Diagnosis_Left_Out_Text(const Text_Table& texts, int row);
