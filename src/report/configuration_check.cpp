#include "report/configuration_check.h"

#include "base/file_lookup.h"
#include "base/kc_error.h"
#include "base/text_table.h"
#include "document/access_rules_check.h"
#include "document/access_rules_text.h"
#include "document/diagnosis_check.h"
#include "document/diagnosis_list.h"
#include "document/diagnosis_names.h"
#include "document/diagnosis_text.h"
#include "document/general_params_check.h"
#include "document/io_map_text.h"
#include "document/lost_rows_text.h"
#include "document/pargen_names.h"
#include "document/pargen_view.h"
#include "document/sdo_names.h"
#include "output/bank_build.h"

#include <optional>

namespace {

Conf_Finding Finding(Finding_Level level, const QString& code, const QString& document,
                     const QString& message) {
    Conf_Finding finding;
    finding.Level = level;
    finding.Code = code;
    finding.Document = document;
    finding.Message = message;
    return finding;
}

// The two stored documents the map needs, as the rules editor reads them.
struct Rule_Documents {
    Rules_Limits Limits;
    QList<Io_Occupant> Reserved;
    Grid_Texts Read;
    Grid_Texts Write;
};

Rule_Documents Read_Rule_Documents(const ParGen_View& pargen, const General_Params& params,
                                   const Access_Rules& rules) {
    Rule_Documents documents;
    documents.Limits = Rules_Limits_Of(pargen);
    documents.Reserved = Reserved_Areas(params);
    documents.Read = Rule_Grid_Of(Rule_Table::Read, rules.Read_Rules);
    documents.Write = Rule_Grid_Of(Rule_Table::Write, rules.Write_Rules);
    return documents;
}

// Every enabled rule the editor refuses, each with its first failing check.
// The editor stops at the first failure; here the failing rule is set aside
// (disabled in a copy) and the same validation runs again.
void Check_Rules(Conf_Check& check, const Text_Table& texts, Rule_Documents documents) {
    while (const auto failure = Check_Access_Rules(documents.Read, documents.Write, documents.Limits)) {
        Conf_Finding finding = Finding(Finding_Level::Error, QStringLiteral("invalid_rule"), Sdo::File_Name,
                                       Check_Failure_Message(texts, *failure));
        finding.Table = failure->Table;
        finding.Row = failure->Row;
        check.Errors.append(finding);
        Grid_Texts& grid = failure->Table == Rule_Table::Read ? documents.Read : documents.Write;
        grid.Cell(failure->Row, Read_Col::Enable) = QStringLiteral("N");
    }
}

void Check_Rule_Rows(Conf_Check& check, const Text_Table& texts, const Rule_Documents& documents,
                     const Access_Rules& rules) {
    for (Rule_Table table : {Rule_Table::Read, Rule_Table::Write}) {
        const Grid_Texts& grid = table == Rule_Table::Read ? documents.Read : documents.Write;
        const int lost = First_Row_Lost_On_Save(grid);
        if (lost == 0)
            continue;
        Conf_Finding finding =
            Finding(Finding_Level::Warning, QStringLiteral("rows_after_table_end"), Sdo::File_Name,
                    Lost_Rule_Row_Text(texts, table, lost, Table_End_Row(grid)));
        finding.Table = table;
        finding.Row = lost;
        check.Warnings.append(finding);
    }
    const qsizetype read_dropped = std::max<qsizetype>(0, rules.Read_Rules.size() - Rule_Rows);
    const qsizetype write_dropped = std::max<qsizetype>(0, rules.Write_Rules.size() - Rule_Rows);
    if (read_dropped > 0 || write_dropped > 0)
        check.Warnings.append(Finding(Finding_Level::Warning, QStringLiteral("rules_not_kept"),
                                      Sdo::File_Name,
                                      texts[Rules_Text::Dropped_Read] + QString::number(read_dropped) +
                                          texts[Rules_Text::Dropped_Write] + QString::number(write_dropped) +
                                          texts[Rules_Text::Dropped_End]));
}

void Check_Diagnosis(Conf_Check& check, const Text_Table& texts, const Diagnosis_List& list) {
    // As for the rules: every refused entry, each found by the editor's
    // validation after the ones before it were set aside.
    QStringList cells = list.IDs;
    while (const auto failure = Check_Diagnosis_Ids(cells)) {
        Conf_Finding finding = Finding(Finding_Level::Error, QStringLiteral("invalid_diagnosis_id"),
                                       Diagnosis_Doc::File_Name, Check_Failure_Message(texts, *failure));
        finding.Row = failure->Row;
        check.Errors.append(finding);
        cells[failure->Row - 1] = QString::number(Diagnosis_Id_Low);
    }
    const int left_out = First_Row_Left_Out(list.IDs);
    if (left_out > 0) {
        Conf_Finding finding = Finding(Finding_Level::Warning, QStringLiteral("diagnosis_rows_after_end"),
                                       Diagnosis_Doc::File_Name, Diagnosis_Left_Out_Text(texts, left_out));
        finding.Row = left_out;
        check.Warnings.append(finding);
    }
    if (list.IDs.size() > Diagnosis_List::Max_Entries)
        check.Warnings.append(Finding(
            Finding_Level::Warning, QStringLiteral("diagnosis_entries_not_kept"), Diagnosis_Doc::File_Name,
            texts[Diagnosis_Text::Too_Many_Begin] + QString::number(list.IDs.size()) +
                texts[Diagnosis_Text::Too_Many_End]));
}

void Add_Map_Findings(Conf_Check& check, const Text_Table& texts, const Io_Map& map) {
    for (const Io_Overlap& overlap : map.Overlaps) {
        const Io_Occupant& first = map.Occupants[overlap.First];
        const Io_Occupant& second = map.Occupants[overlap.Second];
        // Reserved areas come before the rules, so a rule, if any, is the
        // second; the finding points at the later rule of the pair.
        const Io_Occupant* rule = second.Is_Rule() ? &second : first.Is_Rule() ? &first : nullptr;
        Conf_Finding finding =
            Finding(Finding_Level::Warning, QStringLiteral("overlap"),
                    rule ? Sdo::File_Name : Par_Gen::File_Name, Io_Overlap_Message(texts, map, overlap));
        if (rule) {
            finding.Table = rule->Table;
            finding.Row = rule->Row;
        }
        finding.Overlap =
            Overlap_Detail{overlap.Area, overlap.First_Byte(), overlap.Last_Byte(), {first, second}};
        check.Warnings.append(finding);
    }
    for (const Io_Repeated_Read& repeated : map.Repeated_Reads) {
        Conf_Finding finding = Finding(Finding_Level::Warning, QStringLiteral("repeated_read"),
                                       Sdo::File_Name, Io_Repeated_Read_Message(texts, repeated));
        finding.Table = Rule_Table::Read;
        finding.Row = repeated.Second_Row;
        check.Warnings.append(finding);
    }
}

template <typename Read> bool Try_Read(Conf_Check& check, const QString& document, Read read) {
    try {
        read();
        return true;
    } catch (const Kc_Error& error) {
        check.Errors.append(
            Finding(Finding_Level::Error, QStringLiteral("unreadable_document"), document, error.Message()));
        return false;
    }
}

} // namespace

Grid_Texts Rule_Grid_Of(Rule_Table table, const QList<Access_Rule>& rules) {
    Grid_Texts grid = New_Rule_Grid(table);
    for (int row = grid.Last_Row() + 1; row <= rules.size(); ++row) {
        QStringList cells;
        cells.reserve(grid.Column_Count());
        cells.append(QString::number(row));
        cells.append(QStringLiteral("Y"));
        while (cells.size() < grid.Column_Count())
            cells.append(QString());
        grid.Texts.append(cells);
    }
    Fill_Rule_Grid(grid, table, rules);
    return grid;
}

Io_Map Io_Map_Of(const General_Params& params, const Rules_Limits& limits, const Access_Rules& rules) {
    return Build_Io_Map(Rule_Grid_Of(Rule_Table::Read, rules.Read_Rules),
                        Rule_Grid_Of(Rule_Table::Write, rules.Write_Rules), limits, Reserved_Areas(params));
}

Io_Map Stored_Io_Map(const QString& conf_dir) {
    const ParGen_View pargen = ParGen_View::Read_In(conf_dir);
    const Access_Rules rules = Load_Sdo(Find_File_No_Case(conf_dir, Sdo::File_Name));
    const Rule_Documents documents = Read_Rule_Documents(pargen, General_Params_Of(pargen), rules);
    return Build_Io_Map(documents.Read, documents.Write, documents.Limits, documents.Reserved);
}

Conf_Check Check_Configuration(const QString& conf_dir, const Text_Table& texts) {
    Conf_Check check;
    ParGen_View pargen;
    const bool pargen_read =
        Try_Read(check, Par_Gen::File_Name, [&] { pargen = ParGen_View::Read_In(conf_dir); });
    const General_Params params = General_Params_Of(pargen);
    if (pargen_read) {
        if (const auto failure = Check_General_Params(params))
            check.Errors.append(Finding(Finding_Level::Error, QStringLiteral("invalid_parameter"),
                                        Par_Gen::File_Name, Check_Failure_Message(texts, *failure)));
    }

    Access_Rules rules;
    const bool sdo_read = Try_Read(check, Sdo::File_Name,
                                   [&] { rules = Load_Sdo(Find_File_No_Case(conf_dir, Sdo::File_Name)); });
    std::optional<Rule_Documents> rule_documents;
    if (pargen_read && sdo_read) {
        rule_documents = Read_Rule_Documents(pargen, params, rules);
        Check_Rules(check, texts, *rule_documents);
        Check_Rule_Rows(check, texts, *rule_documents, rules);
    }

    bool diagnosis_read = true;
    if (!pargen_read || pargen.Number(Par_Gen::Hardware_Type, 0) != 1) {
        Diagnosis_List list;
        diagnosis_read = Try_Read(check, Diagnosis_Doc::File_Name, [&] {
            list = Load_Diagnosis(Find_File_No_Case(conf_dir, Diagnosis_Doc::File_Name));
        });
        if (diagnosis_read)
            Check_Diagnosis(check, texts, list);
    }

    if (pargen_read && sdo_read && diagnosis_read) {
        try {
            Build_Bank(conf_dir);
        } catch (const Kc_Error& error) {
            check.Errors.append(
                Finding(Finding_Level::Error, QStringLiteral("image_build"), QString(), error.Message()));
        }
    }

    if (rule_documents) {
        Add_Map_Findings(check, texts,
                         Build_Io_Map(rule_documents->Read, rule_documents->Write, rule_documents->Limits,
                                      rule_documents->Reserved));
    }
    return check;
}
