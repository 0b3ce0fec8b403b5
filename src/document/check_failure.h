#pragma once

#include "document/access_rules_table.h"

#include <QString>
#include <optional>

class Text_Table;

// The first failure of an editor's validation (general parameters, access
// rules, diagnosis list) as data. The window builds the message from the text
// table when it shows it: the lead text and the row number when the failure
// names a row, then the check's text, then the computed bound if any.
struct Check_Failure {
    int Text_Index = 0;                  // the check's text
    std::optional<int> Bound;            // ends the message; may be negative
    int Row = 0;                         // the failing row, from 1; 0 when none is named
    std::optional<int> Lead_Text_Index;  // the text before the row number
    Rule_Table Table = Rule_Table::Read; // access rules: the table of Row

    bool operator==(const Check_Failure&) const = default;
};

// The message of a failure, its pieces joined as they are.
QString Check_Failure_Message(const Text_Table& texts, const Check_Failure& failure);
