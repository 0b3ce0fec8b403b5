#include "config/table_csv.h"

#include "base/text_table.h"
#include "config/diagnosis_names.h"

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

} // namespace

const QStringList& Csv_Header(Csv_Table_Kind kind) {
    // A rule's attributes in the order the document writes them.
    static const auto names_of = [](bool write_section) {
        QStringList names;
        for (const Sdo_Attribute& attribute : Sdo_Attributes(write_section))
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

Csv_Table_Rows Read_Table_Csv(Csv_Table_Kind kind, const QByteArray& bytes) {
    const Csv_Text csv = Parse_Csv(bytes);
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
        int column = -1;
        for (int c = 0; c < columns.size(); ++c)
            if (columns[c].compare(trimmed, Qt::CaseInsensitive) == 0)
                column = c;
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
    const int limit = Csv_Row_Limit(kind);
    for (qsizetype r = 1; r <= last; ++r) {
        const Csv_Record& record = csv.Records[r];
        if (table.Rows.size() == limit)
            return Refused({Csv_Problem::Too_Many_Rows, record.Line, {}, limit});
        if (record.Fields.size() > target.size())
            return Refused({Csv_Problem::Too_Many_Fields, record.Line, {}, 0});
        QStringList row(columns.size());
        for (qsizetype f = 0; f < record.Fields.size(); ++f) {
            if (target[f] >= 0)
                row[target[f]] = record.Fields[f];
            else if (!record.Fields[f].isEmpty())
                return Refused({Csv_Problem::Too_Many_Fields, record.Line, {}, 0});
        }
        table.Rows.append(row);
        table.Lines.append(record.Line);
    }
    return table;
}

QByteArray Rules_To_Csv(Rule_Table table, const QList<Access_Rule>& rules) {
    const auto& fields = Rule_Fields(table);
    QList<QStringList> records{Csv_Header(Csv_Kind_Of(table))};
    for (const Access_Rule& rule : rules) {
        if (rule.Slave_ID.trimmed().isEmpty())
            break;
        QStringList record;
        for (const auto field : fields)
            record.append(rule.*field);
        records.append(record);
    }
    return Write_Csv(records);
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
        records.append(QStringList{list.IDs[i]});
    }
    return Write_Csv(records);
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
