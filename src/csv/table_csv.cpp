#include "csv/table_csv.h"

#include "base/document_bounds.h"
#include "base/text_table.h"
#include "base/xml_text.h"
#include "document/diagnosis_check.h"
#include "document/diagnosis_names.h"
#include "document/diagnosis_text.h"
#include "document/lost_rows_text.h"
#include "document/rule_grid_columns.h"

#include <algorithm>

namespace {

bool All_Empty(const QStringList& fields) {
    for (const QString& field : fields)
        if (!field.isEmpty())
            return false;
    return true;
}

Csv_Table_Rows Refused(const Csv_Error& error) {
    Csv_Table_Rows refused;
    refused.Error = error;
    return refused;
}

// The most fields a record may have: the widest table and room for the empty
// columns spreadsheets add.
constexpr int max_fields = 256;

// The grid's header text of each CSV column, in the order of Csv_Header.
QList<int> Header_Texts(Csv_Table_Kind kind) {
    if (kind == Csv_Table_Kind::Diagnosis)
        return {Diagnosis_Text::Id_Header};
    const Rule_Table table = kind == Csv_Table_Kind::Read_Rules ? Rule_Table::Read : Rule_Table::Write;
    QList<int> header_texts;
    for (const Rule_Attribute& attribute : Rule_Attributes(table)) {
        int text = 0;
        for (const Rule_Column& column : Rule_Columns(table))
            if (column.field == attribute.Field)
                text = column.header_text;
        header_texts.append(text);
    }
    return header_texts;
}

// The table column a header name stands for, or -1: the attribute names
// first, then the grid's headers in English, then in the language in use.
int Column_Of(Csv_Table_Kind kind, const QString& name, const Text_Table* language) {
    const QStringList& columns = Csv_Header(kind);
    for (int c = 0; c < columns.size(); ++c)
        if (columns[c].compare(name, Qt::CaseInsensitive) == 0)
            return c;
    static const Text_Table english;
    const QList<int> header_texts = Header_Texts(kind);
    for (const Text_Table* texts : {&english, language}) {
        if (!texts)
            continue;
        for (int c = 0; c < header_texts.size(); ++c)
            if (header_texts[c] > 0 &&
                (*texts)[header_texts[c]].trimmed().compare(name, Qt::CaseInsensitive) == 0)
                return c;
    }
    return -1;
}

// A grid holding every rule, at least the editor's rows.
Grid_Texts Rule_Grid_Holding(Rule_Table table, const QList<Access_Rule>& rules) {
    Grid_Texts grid = New_Rule_Grid(table);
    if (rules.size() > grid.Last_Row()) {
        const QList<bool> check_columns = grid.Check_Columns;
        grid = Grid_Texts(static_cast<int>(rules.size()), grid.Column_Count());
        grid.Check_Columns = check_columns;
    }
    Fill_Rule_Grid(grid, table, rules);
    return grid;
}

Rule_Table Table_Of(Csv_Table_Kind kind) {
    return kind == Csv_Table_Kind::Write_Rules ? Rule_Table::Write : Rule_Table::Read;
}

} // namespace

const QStringList& Csv_Header(Csv_Table_Kind kind) {
    // A rule's attributes in the order the document writes them.
    static const auto names_of = [](bool write_section) {
        QStringList names;
        for (const Rule_Attribute& attribute :
             Rule_Attributes(write_section ? Rule_Table::Write : Rule_Table::Read))
            names.append(attribute.Name);
        return names;
    };
    static const QStringList read = names_of(false);
    static const QStringList write = names_of(true);
    static const QStringList diagnosis = {Diagnosis_Doc::Entry};
    switch (kind) {
    case Csv_Table_Kind::Read_Rules:
        return read;
    case Csv_Table_Kind::Write_Rules:
        return write;
    case Csv_Table_Kind::Diagnosis:
        break;
    }
    return diagnosis;
}

int Csv_Row_Limit(Csv_Table_Kind kind) {
    return kind == Csv_Table_Kind::Diagnosis ? Diagnosis_List::Max_Entries : Rule_Rows;
}

Csv_Table_Kind Csv_Kind_Of(Rule_Table table) {
    return table == Rule_Table::Read ? Csv_Table_Kind::Read_Rules : Csv_Table_Kind::Write_Rules;
}

std::optional<Csv_Table_Kind> Csv_Kind_From_Name(const QString& name) {
    if (name == QLatin1String("read"))
        return Csv_Table_Kind::Read_Rules;
    if (name == QLatin1String("write"))
        return Csv_Table_Kind::Write_Rules;
    if (name == QLatin1String("diagnosis"))
        return Csv_Table_Kind::Diagnosis;
    return std::nullopt;
}

Csv_Table_Rows Read_Table_Csv(Csv_Table_Kind kind, const QByteArray& bytes, const Text_Table* language) {
    const int limit = Csv_Row_Limit(kind);
    const Csv_Text csv = Parse_Csv(bytes, Csv_Bounds{limit, max_fields});
    if (csv.Error)
        return Refused(*csv.Error);
    if (csv.Records.isEmpty() || All_Empty(csv.Records.first().Fields))
        return Refused({Csv_Problem::No_Header, 1, {}, 0});

    // Where each file column goes: the index of its table column, or -1 for
    // a column without a name.
    const QStringList& columns = Csv_Header(kind);
    const Csv_Record& header = csv.Records.first();
    QList<int> target;
    QList<bool> taken(columns.size(), false);
    for (const QString& name : header.Fields) {
        const QString trimmed = name.trimmed();
        if (trimmed.isEmpty()) {
            target.append(-1);
            continue;
        }
        const int column = Column_Of(kind, trimmed, language);
        if (column < 0)
            return Refused({Csv_Problem::Unknown_Column, header.Line, name, 0});
        if (taken[column])
            return Refused({Csv_Problem::Duplicate_Column, header.Line, name, 0});
        taken[column] = true;
        target.append(column);
    }

    // Empty rows at the end carry nothing, wherever the spreadsheet stopped.
    qsizetype last = csv.Records.size() - 1;
    while (last >= 1 && All_Empty(csv.Records[last].Fields))
        --last;

    Csv_Table_Rows table;
    for (qsizetype r = 1; r <= last; ++r) {
        const Csv_Record& record = csv.Records[r];
        if (table.Rows.size() == limit)
            return Refused({Csv_Problem::Too_Many_Rows, record.Line, {}, limit});
        if (record.Fields.size() > target.size())
            return Refused({Csv_Problem::Too_Many_Fields, record.Line, {}, 0});
        QStringList row(columns.size());
        for (qsizetype f = 0; f < record.Fields.size(); ++f) {
            if (target[f] >= 0)
                row[target[f]] = Unguard_Formula(record.Fields[f]);
            else if (!record.Fields[f].isEmpty())
                return Refused({Csv_Problem::Too_Many_Fields, record.Line, {}, 0});
        }
        table.Rows.append(row);
        table.Lines.append(record.Line);
    }
    return table;
}

int Csv_Value_Limit(const QString& column) {
    return column == QLatin1String("Mnemonic") ? Max_Mnemonic_Chars : Max_Value_Chars;
}

std::optional<Csv_Row_Fault> Check_Csv_Rows(Csv_Table_Kind kind, const Csv_Table_Rows& rows) {
    const QStringList& columns = Csv_Header(kind);
    for (qsizetype r = 0; r < rows.Rows.size(); ++r) {
        const QStringList& row = rows.Rows[r];
        for (qsizetype c = 0; c < row.size() && c < columns.size(); ++c) {
            Csv_Row_Fault fault;
            fault.Row = static_cast<int>(r + 1);
            fault.Line = rows.Lines.value(r);
            fault.Column = columns[c];
            fault.Limit = Csv_Value_Limit(columns[c]);
            if (row[c].size() > fault.Limit)
                return fault;
            if (Xml_Cannot_Store(row[c])) {
                fault.Problem = Csv_Row_Problem::Not_Storable;
                fault.Limit = 0;
                return fault;
            }
        }
    }
    Csv_Row_Fault lost;
    lost.Problem = Csv_Row_Problem::Lost_Row;
    if (kind == Csv_Table_Kind::Diagnosis) {
        const QStringList cells = Diagnosis_Cells_From_Csv_Rows(rows.Rows);
        lost.Row = First_Row_Left_Out(cells);
        lost.End_Row = Diagnosis_List_End(cells) + 1;
        lost.Column = columns.first(); // the list's one column
    } else {
        const Rule_Table table = Table_Of(kind);
        const Grid_Texts grid = Rule_Grid_Holding(table, Rules_From_Csv_Rows(table, rows.Rows));
        lost.Row = First_Row_Lost_On_Save(grid);
        lost.End_Row = Table_End_Row(grid);
    }
    if (lost.Row == 0)
        return std::nullopt;
    lost.Line = rows.Lines.value(lost.Row - 1);
    return lost;
}

QString Csv_Row_Fault_Message(const Text_Table& texts, Csv_Table_Kind kind, const Csv_Row_Fault& fault) {
    QString message = texts[Csv_Texts::Line_Prefix] + QString::number(fault.Line) + texts[Csv_Texts::Row] +
                      QString::number(fault.Row);
    switch (fault.Problem) {
    case Csv_Row_Problem::Too_Long:
        return message + texts[Csv_Texts::Column] + fault.Column + texts[Csv_Texts::Too_Long] +
               QString::number(fault.Limit) + texts[Csv_Texts::Too_Long_End];
    case Csv_Row_Problem::Not_Storable:
        return message + texts[Csv_Texts::Column] + fault.Column + texts[Csv_Texts::Not_Storable];
    case Csv_Row_Problem::Lost_Row:
        break;
    }
    const QString words = kind == Csv_Table_Kind::Diagnosis
                              ? Diagnosis_Left_Out_Text(texts, fault.Row)
                              : Lost_Rule_Row_Text(texts, Table_Of(kind), fault.Row, fault.End_Row);
    return message + QStringLiteral(": ") + words;
}

QByteArray Rules_To_Csv(Rule_Table table, const QList<Access_Rule>& rules) {
    const auto& fields = Rule_Fields(table);
    QList<QStringList> records{Csv_Header(Csv_Kind_Of(table))};
    for (const Access_Rule& rule : rules) {
        if (rule.Slave_ID.trimmed().isEmpty())
            break;
        QStringList record;
        for (const auto field : fields)
            record.append(Guard_Formula(rule.*field));
        records.append(record);
    }
    return Write_Csv(records);
}

QString Rules_Export_Refusal(const Text_Table& texts, Rule_Table table, const QList<Access_Rule>& rules) {
    const Grid_Texts grid = Rule_Grid_Holding(table, rules);
    const int lost = First_Row_Lost_On_Save(grid);
    return lost > 0 ? Lost_Rule_Row_Text(texts, table, lost, Table_End_Row(grid)) : QString();
}

QList<Access_Rule> Rules_From_Csv_Rows(Rule_Table table, const QList<QStringList>& rows) {
    const auto& fields = Rule_Fields(table);
    QList<Access_Rule> rules;
    rules.reserve(rows.size());
    for (const QStringList& row : rows) {
        Access_Rule rule;
        for (qsizetype c = 0; c < fields.size() && c < row.size(); ++c)
            rule.*fields[c] = row[c];
        rules.append(rule);
    }
    return rules;
}

QByteArray Diagnosis_To_Csv(const Diagnosis_List& list) {
    QList<QStringList> records{Csv_Header(Csv_Table_Kind::Diagnosis)};
    for (qsizetype i = 0; i < list.IDs.size() && i < Diagnosis_List::Max_Entries; ++i) {
        if (list.IDs[i].trimmed().isEmpty())
            break;
        records.append(QStringList{Guard_Formula(list.IDs[i])});
    }
    return Write_Csv(records);
}

QString Diagnosis_Export_Refusal(const Text_Table& texts, const QStringList& ids) {
    if (const int left_out = First_Row_Left_Out(ids))
        return Diagnosis_Left_Out_Text(texts, left_out);
    if (ids.size() > Diagnosis_List::Max_Entries && Diagnosis_List_End(ids) == Diagnosis_List::Max_Entries &&
        std::any_of(ids.begin() + Diagnosis_List::Max_Entries, ids.end(),
                    [](const QString& id) { return !id.trimmed().isEmpty(); }))
        return texts[Diagnosis_Text::Too_Many_Begin] + QString::number(ids.size()) +
               texts[Diagnosis_Text::Too_Many_End];
    return {};
}

QStringList Diagnosis_Cells_From_Csv_Rows(const QList<QStringList>& rows) {
    QStringList cells;
    cells.reserve(rows.size());
    for (const QStringList& row : rows)
        cells.append(row.value(0));
    return cells;
}

QString Csv_Error_Message(const Text_Table& texts, const Csv_Error& error) {
    QString message = texts[Csv_Texts::Line_Prefix] + QString::number(error.Line);
    switch (error.Problem) {
    case Csv_Problem::Invalid_Utf8:
        return message + texts[Csv_Texts::Invalid_Utf8];
    case Csv_Problem::Unclosed_Quote:
        return message + texts[Csv_Texts::Unclosed_Quote];
    case Csv_Problem::No_Header:
        return message + texts[Csv_Texts::No_Header];
    case Csv_Problem::Unknown_Column:
        return message + texts[Csv_Texts::Unknown_Column] + error.Column;
    case Csv_Problem::Duplicate_Column:
        return message + texts[Csv_Texts::Duplicate_Column] + error.Column;
    case Csv_Problem::Too_Many_Fields:
        return message + texts[Csv_Texts::Too_Many_Fields];
    case Csv_Problem::Too_Many_Rows:
        return message + texts[Csv_Texts::Too_Many_Rows] + QString::number(error.Limit);
    }
    return message;
}
