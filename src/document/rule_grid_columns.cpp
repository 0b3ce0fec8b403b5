#include "document/rule_grid_columns.h"

#include "document/access_rules_text.h"

const std::vector<Rule_Column>& Rule_Columns(Rule_Table table) {
    static const auto columns_of = [](Rule_Table of) {
        std::vector<Rule_Column> columns = {{0, nullptr, Rule_Column_Kind::Row_Number, Row_Number_Header(of),
                                             0, Rule_Schema::Row_Number_Width, Rule_Column_Shown::Always}};
        for (const Rule_Attribute& attribute : Rule_Attributes(of))
            columns.push_back({int(columns.size()), attribute.Field, attribute.Kind, attribute.Header_Text,
                               attribute.Hint_Text, attribute.Width, attribute.Shown});
        return columns;
    };
    static const std::vector<Rule_Column> read = columns_of(Rule_Table::Read);
    static const std::vector<Rule_Column> write = columns_of(Rule_Table::Write);
    return table == Rule_Table::Read ? read : write;
}

bool Rule_Column_Shown_For(const Rule_Column& column, int hardware_type) {
    switch (column.shown) {
    case Rule_Column_Shown::Always:
        return true;
    case Rule_Column_Shown::With_Ethernet:
        return hardware_type != 0;
    case Rule_Column_Shown::Never:
        break;
    }
    return false;
}

QList<int> Rule_Hint_Texts(Rule_Table table, int hardware_type) {
    QList<int> hints;
    for (const Rule_Column& column : Rule_Columns(table)) {
        if (column.hint_text != 0 && Rule_Column_Shown_For(column, hardware_type))
            hints.append(column.hint_text);
    }
    return hints;
}

QList<int> Rule_Hint_Texts_Before_Showing(Rule_Table table) {
    QList<int> hints;
    for (const Rule_Column& column : Rule_Columns(table)) {
        if (column.hint_text == 0)
            continue;
        if (column.column == Read_Col::Mnemonic && table == Rule_Table::Read)
            hints.append(Rules_Text::Read_Hint_Blank);
        hints.append(column.hint_text);
    }
    return hints;
}
