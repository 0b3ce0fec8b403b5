#include "report/configuration_diff.h"

#include "base/file_lookup.h"
#include "base/kc_error.h"
#include "base/shown_text.h"
#include "base/text_table.h"
#include "document/diagnosis_names.h"
#include "document/pargen_names.h"
#include "document/pargen_schema.h"
#include "document/pargen_view.h"
#include "document/rule_schema.h"
#include "document/sdo_names.h"
#include "output/bank_build.h"
#include "report/row_alignment.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString doc_pargen = QStringLiteral("ParGen");
const QString doc_sdo = QStringLiteral("sdo");
const QString doc_diagnosis = QStringLiteral("diagnosis");
const QString doc_image = QStringLiteral("image");
const QString table_read = QStringLiteral("read");
const QString table_write = QStringLiteral("write");

Conf_Difference Changed(const QString& document, const QString& table, std::optional<int> row_a,
                        std::optional<int> row_b, const QString& field, const QString& a, const QString& b) {
    return {document, table, row_a, row_b, field, a, b};
}

// A list of rows, each a list of (field name, text), aligned and compared:
// changed rows give one difference per differing field, a row on one side
// only gives one difference without field.
using Row_Fields = QList<std::pair<QString, QString>>;

void Compare_Rows(QList<Conf_Difference>& out, const QString& document, const QString& table,
                  const QList<Row_Fields>& a, const QList<Row_Fields>& b) {
    const auto same = [&](int i, int j) { return a[i] == b[j]; };
    for (const Row_Pair& pair : Align_Rows(int(a.size()), int(b.size()), same)) {
        if (pair.Equal)
            continue;
        const std::optional<int> row_a = pair.A ? std::optional<int>(*pair.A + 1) : std::nullopt;
        const std::optional<int> row_b = pair.B ? std::optional<int>(*pair.B + 1) : std::nullopt;
        if (!pair.A || !pair.B) {
            out.append({document, table, row_a, row_b, std::nullopt, std::nullopt, std::nullopt});
            continue;
        }
        const Row_Fields& fields_a = a[*pair.A];
        const Row_Fields& fields_b = b[*pair.B];
        for (qsizetype f = 0; f < fields_a.size() && f < fields_b.size(); ++f) {
            if (fields_a[f].second != fields_b[f].second)
                out.append(Changed(document, table, row_a, row_b, fields_a[f].first, fields_a[f].second,
                                   fields_b[f].second));
        }
    }
}

QList<Row_Fields> Rule_Rows(const QList<Access_Rule>& rules, bool write_section) {
    const auto attributes = Rule_Attributes(write_section ? Rule_Table::Write : Rule_Table::Read);
    QList<Row_Fields> rows;
    rows.reserve(rules.size());
    for (const Access_Rule& rule : rules) {
        Row_Fields row;
        for (const Rule_Attribute& attribute : attributes)
            row.append({QString(attribute.Name), rule.*attribute.Field});
        rows.append(row);
    }
    return rows;
}

QList<Row_Fields> Single_Field_Rows(const QString& field, const QStringList& values) {
    QList<Row_Fields> rows;
    rows.reserve(values.size());
    for (const QString& value : values)
        rows.append(Row_Fields{{field, value}});
    return rows;
}

Row_Fields Decoded_Rule_Fields(const Decoded_Rule& rule) {
    const auto number = [](long long value) { return QString::number(value); };
    const auto flag = [](bool value) { return value ? QStringLiteral("1") : QStringLiteral("0"); };
    return {
        {QStringLiteral("Slave_ID"), number(rule.Slave_ID)},
        {QStringLiteral("Function_Code"), number(rule.Function_Code)},
        {QStringLiteral("Type_Code"), number(rule.Type_Code)},
        {QStringLiteral("Address_Mod"), number(rule.Address_Mod)},
        {QStringLiteral("NPoint"), number(rule.NPoint)},
        {QStringLiteral("Address_Profi"), number(rule.Address_Profi)},
        {QStringLiteral("Bit"), number(rule.Bit)},
        {QStringLiteral("PollTime"), number(rule.Poll_Time)},
        {QStringLiteral("MaxError"), number(rule.Max_Error)},
        {QStringLiteral("Profi_Bytes"), number(rule.Profi_Bytes)},
        {QStringLiteral("Swap"), flag(rule.Swap)},
        {QStringLiteral("OnChange"), flag(rule.On_Change)},
        {QStringLiteral("ForceF15F16"), flag(rule.Force_Multiple)},
        {QStringLiteral("Raw"), QString::fromLatin1(rule.Raw.toHex(' ').toUpper())},
    };
}

QList<Row_Fields> Decoded_Rule_Rows(const Decoded_Bank& bank, Decoded_Rule_Kind kind) {
    QList<Row_Fields> rows;
    for (const Decoded_Rule& rule : bank.Rules)
        if (rule.Kind == kind)
            rows.append(Decoded_Rule_Fields(rule));
    return rows;
}

QString Decoded_Field_Text(const Decoded_Field& field) {
    return field.Text.isEmpty() ? QString::number(field.Value) : field.Text;
}

// The caption and the shown value of a general parameter, from the
// document's schema; nothing for a name that is no element.
struct Parameter_Shown {
    QString Caption;
    QString Value;
};

std::optional<Parameter_Shown> Shown_Parameter(QStringView element, const QString& stored,
                                               const Text_Table& texts) {
    const ParGen_Schema::Row* row = ParGen_Schema::Find_Row(element);
    if (!row)
        return std::nullopt;
    Parameter_Shown shown{texts[row->Caption].trimmed(), stored};
    if (!std::holds_alternative<int General_Params::*>(row->Member))
        return shown;
    bool ok = false;
    const int item = stored.toInt(&ok);
    if (ok && item >= 0 && item < int(row->Values.size()))
        shown.Value = row->Values[item];
    else if (ok && item >= 0 && item < int(row->Value_Texts.size()))
        shown.Value = texts[row->Value_Texts[size_t(item)]].trimmed();
    return shown;
}

QString Row_Text(const Conf_Difference& difference) {
    if (difference.Row_A && difference.Row_B) {
        if (*difference.Row_A == *difference.Row_B)
            return QStringLiteral(" row ") + QString::number(*difference.Row_A);
        return QStringLiteral(" row ") + QString::number(*difference.Row_A) + QStringLiteral(" -> ") +
               QString::number(*difference.Row_B);
    }
    if (difference.Row_A)
        return QStringLiteral(" row ") + QString::number(*difference.Row_A) + QStringLiteral(" (A): removed");
    if (difference.Row_B)
        return QStringLiteral(" row ") + QString::number(*difference.Row_B) +
               QStringLiteral(" (B): inserted");
    return {};
}

QJsonValue Json_Text(const std::optional<QString>& text) {
    return text ? QJsonValue(*text) : QJsonValue(QJsonValue::Null);
}

QJsonValue Json_Row(const std::optional<int>& row) {
    return row ? QJsonValue(*row) : QJsonValue(QJsonValue::Null);
}

} // namespace

QList<Conf_Difference> Compare_Documents(const Diff_Documents& a, const Diff_Documents& b) {
    QList<Conf_Difference> out;
    const QList<ParGen_Element_Text> params_a = ParGen_Element_Texts(a.Params);
    const QList<ParGen_Element_Text> params_b = ParGen_Element_Texts(b.Params);
    for (qsizetype e = 0; e < params_a.size(); ++e) {
        if (params_a[e].Text != params_b[e].Text)
            out.append(Changed(doc_pargen, {}, std::nullopt, std::nullopt, QString(params_a[e].Element),
                               params_a[e].Text, params_b[e].Text));
    }
    Compare_Rows(out, doc_sdo, table_read, Rule_Rows(a.Rules.Read_Rules, false),
                 Rule_Rows(b.Rules.Read_Rules, false));
    Compare_Rows(out, doc_sdo, table_write, Rule_Rows(a.Rules.Write_Rules, true),
                 Rule_Rows(b.Rules.Write_Rules, true));
    const QString entry = QString(Diagnosis_Doc::Entry);
    Compare_Rows(out, doc_diagnosis, {}, Single_Field_Rows(entry, a.Diagnosis.IDs),
                 Single_Field_Rows(entry, b.Diagnosis.IDs));
    return out;
}

QList<Conf_Difference> Compare_Images(const Decoded_Bank& a, const Decoded_Bank& b) {
    QList<Conf_Difference> out;
    if (a.Layout != b.Layout || a.Size != b.Size) {
        const auto layout = [](const Decoded_Bank& bank) {
            return Bank_Layout_Name(bank.Layout) + QStringLiteral(", ") + QString::number(bank.Size) +
                   QStringLiteral(" bytes");
        };
        out.append(Changed(doc_image, {}, std::nullopt, std::nullopt, QStringLiteral("layout"), layout(a),
                           layout(b)));
    }
    // Parameters by name: both images of one layout carry the same fields;
    // a field only one side carries (the packed general section) counts too.
    for (const Decoded_Field& field_a : a.Parameters) {
        const auto match =
            std::find_if(b.Parameters.begin(), b.Parameters.end(), [&](const Decoded_Field& f) {
                return f.Name == field_a.Name && f.Offset == field_a.Offset;
            });
        if (match == b.Parameters.end())
            out.append({doc_image,
                        {},
                        std::nullopt,
                        std::nullopt,
                        field_a.Name,
                        Decoded_Field_Text(field_a),
                        std::nullopt});
        else if (match->Value != field_a.Value || match->Text != field_a.Text)
            out.append(Changed(doc_image, {}, std::nullopt, std::nullopt, field_a.Name,
                               Decoded_Field_Text(field_a), Decoded_Field_Text(*match)));
    }
    for (const Decoded_Field& field_b : b.Parameters) {
        const bool in_a = std::any_of(a.Parameters.begin(), a.Parameters.end(), [&](const Decoded_Field& f) {
            return f.Name == field_b.Name && f.Offset == field_b.Offset;
        });
        if (!in_a)
            out.append({doc_image,
                        {},
                        std::nullopt,
                        std::nullopt,
                        field_b.Name,
                        std::nullopt,
                        Decoded_Field_Text(field_b)});
    }
    Compare_Rows(out, doc_image, table_read, Decoded_Rule_Rows(a, Decoded_Rule_Kind::Input),
                 Decoded_Rule_Rows(b, Decoded_Rule_Kind::Input));
    Compare_Rows(out, doc_image, table_write, Decoded_Rule_Rows(a, Decoded_Rule_Kind::Output),
                 Decoded_Rule_Rows(b, Decoded_Rule_Kind::Output));
    const auto ids = [](const Decoded_Bank& bank) {
        QStringList texts;
        for (int id : bank.Diagnosis_IDs)
            texts.append(QString::number(id));
        return texts;
    };
    const QString entry = QString(Diagnosis_Doc::Entry);
    Compare_Rows(out, doc_image, doc_diagnosis, Single_Field_Rows(entry, ids(a)),
                 Single_Field_Rows(entry, ids(b)));
    return out;
}

Diff_Side Read_Diff_Side(const QString& path) {
    Diff_Side side;
    side.Path = path;
    const QFileInfo info(path);
    if (info.isDir()) {
        side.Is_Folder = true;
        side.Documents.Params = General_Params_Of(ParGen_View::Read_In(path));
        side.Documents.Rules = Load_Sdo(Find_File_No_Case(path, Sdo::File_Name));
        side.Documents.Diagnosis = Load_Diagnosis(Find_File_No_Case(path, Diagnosis_Doc::File_Name));
        return side;
    }
    if (!info.exists())
        throw Kc_Error(Shown_Path(path) +
                       QStringLiteral(" is neither a configuration folder nor an image file"));
    if (!info.isFile())
        throw Kc_Error(Shown_Path(path) + QStringLiteral(" is not a regular file"));
    // The largest image the device takes, and a little more, so an oversized
    // file is read only that far and then refused by the decoder.
    constexpr qint64 read_limit = Bank::Packed_Image_Limit + 1;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Kc_Error(QStringLiteral("Cannot read ") + Shown_Path(path) + QStringLiteral(": ") +
                       file.errorString());
    side.Image = file.read(read_limit);
    if (file.error() != QFileDevice::NoError)
        throw Kc_Error(QStringLiteral("Cannot read ") + Shown_Path(path) + QStringLiteral(": ") +
                       file.errorString());
    return side;
}

QList<Conf_Difference> Compare_Sides(Diff_Side a, Diff_Side b) {
    if (a.Is_Folder && b.Is_Folder)
        return Compare_Documents(a.Documents, b.Documents);
    const auto decoded = [](Diff_Side& side) {
        if (side.Is_Folder)
            side.Image = Build_Bank(side.Path).Bytes;
        try {
            return Decode_Bank(side.Image);
        } catch (const Kc_Error& error) {
            throw Kc_Error(Shown_Path(side.Path) + QStringLiteral(": ") + error.Message());
        }
    };
    const Decoded_Bank bank_a = decoded(a);
    const Decoded_Bank bank_b = decoded(b);
    return Compare_Images(bank_a, bank_b);
}

QString Differences_Text(const QList<Conf_Difference>& differences, const Text_Table& texts) {
    QString text;
    for (const Conf_Difference& difference : differences) {
        QString line = difference.Document;
        if (!difference.Table.isEmpty())
            line += u' ' + difference.Table;
        line += Row_Text(difference);
        if (difference.Field) {
            QString field = *difference.Field;
            QString value_a = difference.A.value_or(QStringLiteral("(none)"));
            QString value_b = difference.B.value_or(QStringLiteral("(none)"));
            if (difference.Document == doc_pargen) {
                const auto shown_a = Shown_Parameter(field, value_a, texts);
                const auto shown_b = Shown_Parameter(field, value_b, texts);
                if (shown_a && shown_b) {
                    field = shown_a->Caption + QStringLiteral(" (") + field + u')';
                    value_a = shown_a->Value;
                    value_b = shown_b->Value;
                }
            }
            line += QStringLiteral(": ") + field + QStringLiteral(": ") + value_a + QStringLiteral(" -> ") +
                    value_b;
        }
        text += Escape_Controls(line) + u'\n';
    }
    return text;
}

QByteArray Differences_Json(const QList<Conf_Difference>& differences) {
    QJsonArray list;
    for (const Conf_Difference& difference : differences) {
        list.append(QJsonObject{
            {QStringLiteral("document"), difference.Document},
            {QStringLiteral("table"), difference.Table},
            {QStringLiteral("row_a"), Json_Row(difference.Row_A)},
            {QStringLiteral("row_b"), Json_Row(difference.Row_B)},
            {QStringLiteral("field"), Json_Text(difference.Field)},
            {QStringLiteral("a"), Json_Text(difference.A)},
            {QStringLiteral("b"), Json_Text(difference.B)},
        });
    }
    const QJsonObject root{{QStringLiteral("equal"), differences.isEmpty()},
                           {QStringLiteral("differences"), list}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact) + '\n';
}
