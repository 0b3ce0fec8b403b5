#include "output/bank_documents.h"

#include "base/file_lookup.h"
#include "base/int_conversion.h"
#include "base/kc_error.h"
#include "document/diagnosis_names.h"
#include "document/sdo_names.h"

#include <QDir>

namespace {

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString Quoted(const QString& text) {
    return u'"' + text + u'"';
}

} // namespace

QString Bank_Error_Prefix() {
    return QStringLiteral("Cannot build the configuration image: ");
}

ParGen_View Read_Bank_ParGen(const QString& conf_dir) {
    try {
        return ParGen_View::Read_In(conf_dir);
    } catch (const Kc_Error& error) {
        throw Kc_Error(Bank_Error_Prefix() + error.Message());
    }
}

int Mandatory_General(const ParGen_View& general, QLatin1StringView name) {
    QString text;
    if (!general.Text(name, text))
        throw Kc_Error(Bank_Error_Prefix() + QStringLiteral("%1, element %2: %3.")
                                                 .arg(Native(general.Path()), name,
                                                      general.Has_Element(name)
                                                          ? QStringLiteral("the value is not plain text")
                                                          : QStringLiteral("the value is missing")));
    int value = 0;
    if (!Try_Str_To_Int(text, value))
        throw Kc_Error(Bank_Error_Prefix() + QStringLiteral("%1, element %2: %3 is not a number.")
                                                 .arg(Native(general.Path()), name, Quoted(text)));
    return value;
}

Sdo_Document Read_Bank_Sdo(const QString& conf_dir) {
    try {
        return Read_Sdo_Document(Find_File_No_Case(conf_dir, Sdo::File_Name));
    } catch (const Kc_Error& error) {
        throw Kc_Error(Bank_Error_Prefix() + error.Message());
    }
}

Bank_Rule_List Rule_List(const Sdo_Document& document, bool write_list) {
    Bank_Rule_List result;
    result.Name = write_list ? Sdo::Write_Section : Sdo::Read_Section;
    result.Write = write_list;
    if (!(write_list ? document.Has_Write_Section : document.Has_Read_Section))
        throw Kc_Error(Bank_Error_Prefix() +
                       QStringLiteral("%1 has no %2 list in its first node %3.")
                           .arg(Native(document.Path), result.Name, Quoted(document.Container)));
    result.Rules = write_list ? document.Rules.Write_Rules : document.Rules.Read_Rules;
    result.Shapes = write_list ? document.Write_Shapes : document.Read_Shapes;
    return result;
}

Rule_Values::Rule_Values(const Sdo_Document& document, const Bank_Rule_List& list, int index,
                         Bank_Int_Conversion conversion)
    : document_(document), list_(list), index_(index), conversion_(conversion) {}

const Rule_Attribute* Rule_Values::Attribute(QLatin1StringView name) const {
    const Sdo_Rule_Shape& shape = list_.Shapes[index_];
    if (!shape.Element)
        return nullptr;
    const std::span<const Rule_Attribute> attributes =
        Rule_Attributes(list_.Write ? Rule_Table::Write : Rule_Table::Read);
    for (std::size_t i = 0; i < attributes.size(); ++i)
        if (name == attributes[i].Name)
            return shape.Given & (1u << i) ? &attributes[i] : nullptr;
    return nullptr;
}

bool Rule_Values::Has(QLatin1StringView name) const {
    return Attribute(name) != nullptr;
}

QString Rule_Values::Text(QLatin1StringView name) const {
    const Rule_Attribute* attribute = Attribute(name);
    return attribute ? list_.Rules[index_].*attribute->Field : QString();
}

bool Rule_Values::Is_Set(QLatin1StringView name) const {
    return Text(name).toUpper() == u"Y";
}

void Rule_Values::Fail(const QString& problem) const {
    throw Kc_Error(Bank_Error_Prefix() + QStringLiteral("%1, rule %2 of %3: %4")
                                             .arg(Native(document_.Path))
                                             .arg(index_ + 1)
                                             .arg(list_.Name, problem));
}

QString Rule_Values::Mandatory_Text(QLatin1StringView name) const {
    if (!Has(name))
        Fail(QStringLiteral("the value %1 is missing.").arg(name));
    return Text(name);
}

int Rule_Values::Mandatory(QLatin1StringView name) const {
    const QString text = Mandatory_Text(name);
    int value = 0;
    if (!conversion_(text, value))
        Fail(QStringLiteral("%1 %2 is not a number.").arg(name, Quoted(text)));
    return value;
}

int Rule_Values::Number(QLatin1StringView name, int default_value) const {
    int value = 0;
    return Has(name) && conversion_(Text(name), value) ? value : default_value;
}

Diagnosis_Document Read_Bank_Diagnosis(const QString& conf_dir) {
    try {
        return Read_Diagnosis_Document(Find_File_No_Case(conf_dir, Diagnosis_Doc::File_Name));
    } catch (const Kc_Error& error) {
        throw Kc_Error(Bank_Error_Prefix() + error.Message());
    }
}

int Diagnosis_Entry_Value(const Diagnosis_Document& document, int index) {
    const QStringList& entries = document.List.IDs;
    int value = 0;
    if (!Try_Str_To_Int(entries[index], value))
        throw Kc_Error(Bank_Error_Prefix() +
                       QStringLiteral("%1, entry %2 of the diagnosis list: %3 is not a number.")
                           .arg(Native(document.Path))
                           .arg(index + 1)
                           .arg(Quoted(entries[index])));
    return value;
}
