#include "csv/csv_rule_values.h"

#include "base/text_table.h"
#include "document/cell_values.h"

std::optional<Csv_Refused_Value> Take_Csv_Rule_Values(Rule_Table table, Csv_Table_Rows& rows,
                                                      const Text_Table& texts) {
    const QStringList& header = Csv_Header(Csv_Kind_Of(table));
    QList<QStringList> taken = rows.Rows;
    for (qsizetype r = 0; r < taken.size(); ++r) {
        QStringList& row = taken[r];
        // CSV column c holds the attribute of grid column c + 1.
        for (qsizetype c = 0; c < row.size() && c < header.size(); ++c) {
            const int column = static_cast<int>(c) + 1;
            if (const std::optional<QString> value = Rule_Cell_Value(table, column, row[c])) {
                row[c] = *value;
                continue;
            }
            Csv_Refused_Value refused;
            refused.Row = static_cast<int>(r) + 1;
            refused.Column = header[c];
            refused.Line = static_cast<int>(r) < rows.Lines.size() ? rows.Lines[r] : 0;
            refused.Message = texts[Cell_Value_Text::Import_Line] + QString::number(refused.Line) +
                              texts[Cell_Value_Text::Import_Rule] + QString::number(refused.Row) +
                              texts[Cell_Value_Text::Column] + refused.Column + QStringLiteral(": ") +
                              Refused_Value_Reason(texts, table, column, row[c]);
            return refused;
        }
    }
    rows.Rows = std::move(taken);
    return std::nullopt;
}
