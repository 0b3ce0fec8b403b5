#include "document/access_rules_table.h"

#include "document/rule_grid_columns.h"

const QList<QString Access_Rule::*>& Rule_Fields(Rule_Table table) {
    static const auto fields_of = [](Rule_Table of) {
        QList<QString Access_Rule::*> fields;
        for (const Rule_Column& column : Rule_Columns(of)) {
            if (column.field)
                fields.append(column.field);
        }
        return fields;
    };
    static const QList<QString Access_Rule::*> read_fields = fields_of(Rule_Table::Read);
    static const QList<QString Access_Rule::*> write_fields = fields_of(Rule_Table::Write);
    return table == Rule_Table::Read ? read_fields : write_fields;
}

Grid_Texts New_Rule_Grid(Rule_Table table) {
    const auto& columns = Rule_Columns(table);
    Grid_Texts grid(Rule_Rows, static_cast<int>(columns.size()));
    for (const Rule_Column& column : columns)
        grid.Check_Columns[column.column] = column.kind == Rule_Column_Kind::Check;
    for (int row = 1; row <= Rule_Rows; ++row)
        grid.Cell(row, 1) = QStringLiteral("Y");
    return grid;
}

void Fill_Rule_Grid(Grid_Texts& grid, Rule_Table table, const QList<Access_Rule>& rules) {
    const auto& fields = Rule_Fields(table);
    const int rows = std::min<int>(static_cast<int>(rules.size()), grid.Last_Row());
    for (int k = 1; k <= rows; ++k) {
        const Access_Rule& rule = rules[k - 1];
        for (int column = 1; column <= fields.size() && column < grid.Column_Count(); ++column)
            grid.Cell(k, column) = rule.*fields[column - 1];
    }
}

QList<Access_Rule> Rules_From_Grid(const Grid_Texts& grid, Rule_Table table) {
    const auto& fields = Rule_Fields(table);
    QList<Access_Rule> rules;
    rules.reserve(grid.Last_Row());
    for (int row = 1; row <= grid.Last_Row(); ++row) {
        Access_Rule rule;
        for (int column = 1; column <= fields.size() && column < grid.Column_Count(); ++column)
            rule.*fields[column - 1] = grid.Cell(row, column);
        rules.append(rule);
    }
    return rules;
}

int Table_End_Row(const Grid_Texts& grid) {
    // Slave ID is column 2 in both tables.
    for (int row = 1; row <= grid.Last_Row(); ++row) {
        if (grid.Cell(row, Read_Col::Slave_ID).trimmed().isEmpty())
            return row;
    }
    return grid.Last_Row() + 1;
}

int First_Row_Lost_On_Save(const Grid_Texts& grid) {
    // The end row itself may hold data: a Type, an address, a mnemonic
    // without a Slave ID.
    for (int row = Table_End_Row(grid); row <= grid.Last_Row(); ++row) {
        if (Row_Used(grid, row))
            return row;
    }
    return 0;
}
