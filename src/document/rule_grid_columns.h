#pragma once

#include "document/access_rules_table.h"
#include "document/rule_schema.h"

#include <QList>

#include <vector>

// The columns of the two rule grids: the row number, then one column per
// attribute of the rule schema (rule_schema.h), in its order. The rules
// editor builds its grids from them, and the commissioning report lays out
// its rule tables with them.

struct Rule_Column {
    int column;                  // Read_Col or Write_Col
    QString Access_Rule::*field; // the attribute the column holds; none for column 0
    Rule_Column_Kind kind;
    int header_text;
    int hint_text; // 0: the column has no hint
    int width;     // 0: as wide as its header asks, set at the first showing
    Rule_Column_Shown shown;
};

// Every column of the table, in column order (entry c is column c), made
// from the schema.
const std::vector<Rule_Column>& Rule_Columns(Rule_Table table);

bool Rule_Column_Shown_For(const Rule_Column& column, int hardware_type);

// The header hints of the data columns the hardware type shows, in column
// order: entry k belongs to the (k + 1)th visible column after column 0.
QList<int> Rule_Hint_Texts(Rule_Table table, int hardware_type);

// What the hint lists hold between a language change and the next showing:
// every hint of the table's text block; for the read table that block has a
// blank slot before the Mnemonic hint, which no column owns.
QList<int> Rule_Hint_Texts_Before_Showing(Rule_Table table);
