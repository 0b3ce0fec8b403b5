#include "csv/table_csv_document.h"

#include "base/file_lookup.h"
#include "base/text_table.h"
#include "csv/csv_rule_values.h"
#include "document/access_rules_check.h"
#include "document/diagnosis_check.h"
#include "document/diagnosis_names.h"
#include "document/pargen_view.h"
#include "document/rule_grid_columns.h"
#include "document/sdo_names.h"

namespace {

int Line_Of(const Csv_Table_Rows& rows, int row) {
    return row >= 1 && row <= rows.Lines.size() ? rows.Lines[row - 1] : 0;
}

// A fault of the stored document, not of the CSV file.
Csv_Import_Refusal Stored_Fault(const Text_Table& texts, const QString& document, Rule_Table table, int row,
                                const QString& words) {
    Csv_Import_Refusal refusal;
    refusal.Message = texts[Csv_Texts::Stored_Fault] + words;
    refusal.Row = row;
    refusal.Document = document;
    refusal.Table = table;
    return refusal;
}

std::optional<Csv_Import_Refusal> Import_Rules(const QString& conf_dir, Rule_Table table, Csv_Table_Rows rows,
                                               const Text_Table& texts) {
    // Type and flags in the grid's form; a cell that is neither refuses the file.
    if (const auto refused = Take_Csv_Rule_Values(table, rows, texts))
        return Csv_Import_Refusal{refused->Message, refused->Row, refused->Column, refused->Line};
    const QString sdo_path = Table_Document_Path(conf_dir, Csv_Kind_Of(table));
    Access_Rules document = Load_Sdo(sdo_path);
    const Rules_Limits limits = Rules_Limits_Of(ParGen_View::Read_In(conf_dir));
    QList<Access_Rule>& replaced = table == Rule_Table::Read ? document.Read_Rules : document.Write_Rules;
    replaced = Rules_From_Csv_Rows(table, rows.Rows);

    // The other table as stored: saving it again must not drop rows of it.
    const Rule_Table other = table == Rule_Table::Read ? Rule_Table::Write : Rule_Table::Read;
    const QList<Access_Rule>& kept = other == Rule_Table::Read ? document.Read_Rules : document.Write_Rules;
    const QString other_lost = Rules_Export_Refusal(texts, other, kept);
    if (!other_lost.isEmpty()) {
        Grid_Texts grid = New_Rule_Grid(other);
        Fill_Rule_Grid(grid, other, kept);
        return Stored_Fault(texts, sdo_path, other, First_Row_Lost_On_Save(grid), other_lost);
    }

    // The editor's grids: both tables as its OK sees them.
    Grid_Texts read = New_Rule_Grid(Rule_Table::Read);
    Fill_Rule_Grid(read, Rule_Table::Read, document.Read_Rules);
    Grid_Texts write = New_Rule_Grid(Rule_Table::Write);
    Fill_Rule_Grid(write, Rule_Table::Write, document.Write_Rules);
    if (const auto failure = Check_Access_Rules(read, write, limits)) {
        if (failure->Table != table)
            return Stored_Fault(texts, sdo_path, failure->Table, failure->Row,
                                Check_Failure_Message(texts, *failure));
        Csv_Import_Refusal refusal;
        refusal.Message = Check_Failure_Message(texts, *failure);
        refusal.Row = failure->Row;
        refusal.Column = Rules_Check_Column(*failure);
        refusal.Line = Line_Of(rows, failure->Row);
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
    Save_Diagnosis(Table_Document_Path(conf_dir, Csv_Table_Kind::Diagnosis), Diagnosis_From_Cells(cells));
    return std::nullopt;
}

} // namespace

QString Table_Document_Path(const QString& conf_dir, Csv_Table_Kind kind) {
    return Find_File_No_Case(conf_dir,
                             kind == Csv_Table_Kind::Diagnosis ? Diagnosis_Doc::File_Name : Sdo::File_Name);
}

Csv_Export Export_Table_Csv(const QString& conf_dir, Csv_Table_Kind kind, const Text_Table& texts) {
    const QString path = Table_Document_Path(conf_dir, kind);
    Csv_Export result;
    if (kind == Csv_Table_Kind::Diagnosis) {
        const Diagnosis_List list = Load_Diagnosis(path);
        result.Refusal = Diagnosis_Export_Refusal(texts, list.IDs);
        if (result.Refusal.isEmpty())
            result.Csv = Diagnosis_To_Csv(list);
        return result;
    }
    const Rule_Table table = kind == Csv_Table_Kind::Read_Rules ? Rule_Table::Read : Rule_Table::Write;
    const Access_Rules rules = Load_Sdo(path);
    const QList<Access_Rule>& list = table == Rule_Table::Read ? rules.Read_Rules : rules.Write_Rules;
    result.Refusal = Rules_Export_Refusal(texts, table, list);
    if (result.Refusal.isEmpty())
        result.Csv = Rules_To_Csv(table, list);
    return result;
}

std::optional<Csv_Import_Refusal> Import_Table_Csv(const QString& conf_dir, Csv_Table_Kind kind,
                                                   const QByteArray& csv, const Text_Table& texts) {
    const Csv_Table_Rows rows = Read_Table_Csv(kind, csv, &texts);
    if (rows.Error) {
        Csv_Import_Refusal refusal;
        refusal.Message = Csv_Error_Message(texts, *rows.Error);
        refusal.Column = rows.Error->Column;
        refusal.Line = rows.Error->Line;
        return refusal;
    }
    if (const auto fault = Check_Csv_Rows(kind, rows)) {
        Csv_Import_Refusal refusal;
        refusal.Message = Csv_Row_Fault_Message(texts, kind, *fault);
        refusal.Row = fault->Row;
        refusal.Column = fault->Column;
        refusal.Line = fault->Line;
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
    for (const Rule_Attribute& attribute : Rule_Attributes(failure.Table)) {
        if (attribute.Field == field)
            return attribute.Name;
    }
    return {};
}
