#include "config/table_csv_document.h"

#include "base/file_lookup.h"
#include "base/text_table.h"
#include "config/access_rules_check.h"
#include "config/diagnosis_check.h"
#include "config/diagnosis_names.h"
#include "config/pargen_view.h"
#include "config/rule_grid_columns.h"
#include "config/sdo_names.h"

namespace {

// Texts of the refusal of rows after the end of a table.
constexpr int text_rules_row = 692;      // "Row "
constexpr int text_read_lost = 693;      // " of the read table holds data that will not be saved, ..."
constexpr int text_write_lost = 694;     // " of the write table holds data ..."
constexpr int text_diagnosis_rows = 712; // "Rows from row "
constexpr int text_diagnosis_lost = 724; // " on hold data that will not be saved, ..."

int Line_Of(const Csv_Table_Rows& rows, int row) {
    return row >= 1 && row <= rows.Lines.size() ? rows.Lines[row - 1] : 0;
}

std::optional<Csv_Import_Refusal> Import_Rules(const QString& conf_dir, Rule_Table table,
                                               const Csv_Table_Rows& rows, const Text_Table& texts) {
    const QString sdo_path = Table_Document_Path(conf_dir, Csv_Kind_Of(table));
    Access_Rules document = Load_Sdo(sdo_path);
    const Rules_Limits limits = Rules_Limits_Of(ParGen_View::Read_In(conf_dir));
    QList<Access_Rule>& replaced = table == Rule_Table::Read ? document.Read_Rules : document.Write_Rules;
    replaced = Rules_From_Csv_Rows(table, rows.Rows);

    // The editor's grids: both tables as its OK sees them.
    Grid_Texts read = New_Rule_Grid(Rule_Table::Read);
    Fill_Rule_Grid(read, Rule_Table::Read, document.Read_Rules);
    Grid_Texts write = New_Rule_Grid(Rule_Table::Write);
    Fill_Rule_Grid(write, Rule_Table::Write, document.Write_Rules);
    if (const auto failure = Check_Access_Rules(read, write, limits)) {
        Csv_Import_Refusal refusal;
        refusal.Message = Check_Failure_Message(texts, *failure);
        refusal.Row = failure->Row;
        refusal.Column = Rules_Check_Column(*failure);
        if (failure->Table == table)
            refusal.Line = Line_Of(rows, failure->Row);
        return refusal;
    }
    const Grid_Texts& imported = table == Rule_Table::Read ? read : write;
    if (const int lost = First_Row_Lost_On_Save(imported)) {
        Csv_Import_Refusal refusal;
        refusal.Message = texts[text_rules_row] + QString::number(lost) +
                          texts[table == Rule_Table::Read ? text_read_lost : text_write_lost] +
                          QString::number(Table_End_Row(imported));
        refusal.Row = lost;
        refusal.Line = Line_Of(rows, lost);
        return refusal;
    }
    Save_Sdo(sdo_path, document);
    return std::nullopt;
}

std::optional<Csv_Import_Refusal> Import_Diagnosis(const QString& conf_dir, const Csv_Table_Rows& rows,
                                                   const Text_Table& texts) {
    const QStringList cells = Diagnosis_Cells_From_Csv_Rows(rows.Rows);
    const QString column = Csv_Header(Csv_Table_Kind::Diagnosis).first();
    if (const auto failure = Check_Diagnosis_Ids(cells)) {
        Csv_Import_Refusal refusal;
        refusal.Message = Check_Failure_Message(texts, *failure);
        refusal.Row = failure->Row;
        refusal.Column = column;
        refusal.Line = Line_Of(rows, failure->Row);
        return refusal;
    }
    if (const int lost = First_Row_Left_Out(cells)) {
        Csv_Import_Refusal refusal;
        refusal.Message = texts[text_diagnosis_rows] + QString::number(lost) + texts[text_diagnosis_lost];
        refusal.Row = lost;
        refusal.Column = column;
        refusal.Line = Line_Of(rows, lost);
        return refusal;
    }
    Save_Diagnosis(Table_Document_Path(conf_dir, Csv_Table_Kind::Diagnosis), Diagnosis_From_Cells(cells));
    return std::nullopt;
}

} // namespace

QString Table_Document_Path(const QString& conf_dir, Csv_Table_Kind kind) {
    return Find_File_No_Case(conf_dir,
                             kind == Csv_Table_Kind::Diagnosis ? Diagnosis_Doc::File_Name : Sdo::File_Name);
}

QByteArray Export_Table_Csv(const QString& conf_dir, Csv_Table_Kind kind) {
    const QString path = Table_Document_Path(conf_dir, kind);
    switch (kind) {
    case Csv_Table_Kind::Read_Rules:
        return Rules_To_Csv(Rule_Table::Read, Load_Sdo(path).Read_Rules);
    case Csv_Table_Kind::Write_Rules:
        return Rules_To_Csv(Rule_Table::Write, Load_Sdo(path).Write_Rules);
    case Csv_Table_Kind::Diagnosis:
        break;
    }
    return Diagnosis_To_Csv(Load_Diagnosis(path));
}

std::optional<Csv_Import_Refusal> Import_Table_Csv(const QString& conf_dir, Csv_Table_Kind kind,
                                                   const QByteArray& csv, const Text_Table& texts) {
    const Csv_Table_Rows rows = Read_Table_Csv(kind, csv);
    if (rows.Error) {
        Csv_Import_Refusal refusal;
        refusal.Message = Csv_Error_Message(texts, *rows.Error);
        refusal.Column = rows.Error->Column;
        refusal.Line = rows.Error->Line;
        return refusal;
    }
    switch (kind) {
    case Csv_Table_Kind::Read_Rules:
        return Import_Rules(conf_dir, Rule_Table::Read, rows, texts);
    case Csv_Table_Kind::Write_Rules:
        return Import_Rules(conf_dir, Rule_Table::Write, rows, texts);
    case Csv_Table_Kind::Diagnosis:
        break;
    }
    return Import_Diagnosis(conf_dir, rows, texts);
}

QString Rules_Check_Column(const Check_Failure& failure) {
    const std::optional<int> column = Checked_Column(failure);
    if (!column)
        return {};
    const auto field = Rule_Columns(failure.Table)[*column].field;
    for (const Sdo_Attribute& attribute : Sdo_Attributes(failure.Table == Rule_Table::Write)) {
        if (attribute.Field == field)
            return attribute.Name;
    }
    return {};
}
