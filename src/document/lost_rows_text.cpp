#include "document/lost_rows_text.h"

#include "base/text_table.h"
#include "document/access_rules_text.h"
#include "document/diagnosis_text.h"

QString Lost_Rule_Row_Text(const Text_Table& texts, Rule_Table table, int lost_row, int end_row) {
    const int table_text =
        table == Rule_Table::Read ? Rules_Text::Lost_Row_Read_Table : Rules_Text::Lost_Row_Write_Table;
    return texts[Rules_Text::Lost_Row] + QString::number(lost_row) + texts[table_text] +
           QString::number(end_row) + texts[Rules_Text::Lost_Row_Finding_End];
}

QString Diagnosis_Left_Out_Text(const Text_Table& texts, int row) {
    return texts[Diagnosis_Text::Left_Out_Begin] + QString::number(row) +
           texts[Diagnosis_Text::Left_Out_Finding_End];
}
