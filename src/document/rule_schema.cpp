#include "document/rule_schema.h"

#include "document/access_rules_text.h"

std::span<const Rule_Attribute> Rule_Attributes(Rule_Table table) {
    if (table == Rule_Table::Write)
        return Rule_Schema::Write;
    return Rule_Schema::Read;
}

int Row_Number_Header(Rule_Table table) {
    return table == Rule_Table::Write ? Rules_Text::Write_Header_N : Rules_Text::Read_Header_N;
}
