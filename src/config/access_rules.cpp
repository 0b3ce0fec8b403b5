#include "config/access_rules.h"

#include "app/kc_error.h"
#include "config/file_lookup.h"
#include "config/xml_document.h"

#include <QDir>
#include <QFileInfo>
#include <QXmlStreamWriter>

namespace {

// One attribute of a `row`: its name, the field that holds it and the value a
// rule takes when the attribute is absent.
struct Rule_Attribute {
    const char* name;
    QString Access_Rule::*field;
    const char* fallback;
};

// Read rules (ProfiBUS_IN): 11 attributes in the order they are written.
const Rule_Attribute read_attributes[] = {
    {"Enable", &Access_Rule::Enable, "Y"},    {"Slave_ID", &Access_Rule::Slave_ID, ""},
    {"Type", &Access_Rule::Type, ""},         {"Address_Mod", &Access_Rule::Address_Mod, ""},
    {"NPoint", &Access_Rule::NPoint, ""},     {"PollTime", &Access_Rule::PollTime, ""},
    {"MaxError", &Access_Rule::MaxError, ""}, {"Address_Profi", &Access_Rule::Address_Profi, ""},
    {"Bit", &Access_Rule::Bit, ""},           {"Swap", &Access_Rule::Swap, "N"},
    {"Mnemonic", &Access_Rule::Mnemonic, ""},
};

// Write rules (ProfiBUS_OUT): 14 attributes in the order they are written.
const Rule_Attribute write_attributes[] = {
    {"Enable", &Access_Rule::Enable, "Y"},
    {"Slave_ID", &Access_Rule::Slave_ID, ""},
    {"Type", &Access_Rule::Type, ""},
    {"Address_Mod", &Access_Rule::Address_Mod, ""},
    {"NPoint", &Access_Rule::NPoint, ""},
    {"PollTime", &Access_Rule::PollTime, ""},
    {"OnChange", &Access_Rule::OnChange, ""},
    {"OnCMD", &Access_Rule::OnCMD, "N"},
    {"MaxError", &Access_Rule::MaxError, ""},
    {"Address_Profi", &Access_Rule::Address_Profi, ""},
    {"Bit", &Access_Rule::Bit, ""},
    {"Swap", &Access_Rule::Swap, "N"},
    {"ForceF15F16", &Access_Rule::ForceF15F16, "N"},
    {"Mnemonic", &Access_Rule::Mnemonic, ""},
};

const QString read_section = QStringLiteral("ProfiBUS_IN");
const QString write_section = QStringLiteral("ProfiBUS_OUT");

QDomNode Section(const QDomNode& container, const QString& name, const QString& file) {
    const QDomElement section = Child_Element(container, name);
    if (section.isNull()) {
        QString where;
        if (!container.isNull() && container.lineNumber() > 0)
            where = QStringLiteral(" (line %1, column %2)")
                        .arg(container.lineNumber())
                        .arg(container.columnNumber());
        throw Kc_Error(
            QStringLiteral("%1 is not a Modbus access rules document: its first node \"%2\" has no %3 "
                           "element%4")
                .arg(QDir::toNativeSeparators(file), container.nodeName(), name, where));
    }
    return section;
}

// Every child node of a section is one rule, at its position, whatever its name.
template <std::size_t N>
QList<Access_Rule> Read_Section(const QDomNode& section, const Rule_Attribute (&attributes)[N]) {
    QList<Access_Rule> rules;
    for (QDomNode node = section.firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QDomElement row = node.toElement(); // null for a node that is no element: all fallbacks
        Access_Rule rule;
        for (const Rule_Attribute& attribute : attributes)
            rule.*attribute.field =
                row.attribute(QLatin1String(attribute.name), QLatin1String(attribute.fallback));
        rules.append(rule);
    }
    return rules;
}

// A list ends at the first rule without a Slave ID (blanks only count as none).
template <std::size_t N>
void Write_Section(QXmlStreamWriter& writer, const QString& name, const QList<Access_Rule>& rules,
                   const Rule_Attribute (&attributes)[N]) {
    writer.writeStartElement(name);
    for (const Access_Rule& rule : rules) {
        if (rule.Slave_ID.trimmed().isEmpty())
            break;
        writer.writeStartElement(QStringLiteral("row"));
        for (const Rule_Attribute& attribute : attributes)
            writer.writeAttribute(QLatin1String(attribute.name), rule.*attribute.field);
        writer.writeEndElement();
    }
    writer.writeEndElement();
}

} // namespace

Access_Rules Load_Sdo(const QString& path) {
    Access_Rules rules;
    const QString file = Resolve_File_No_Case(path);
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return rules;

    const QDomDocument document = Load_Xml_File(file);
    const QDomNode container = First_Top_Node(document);
    const QDomNode in = Section(container, read_section, file);
    const QDomNode out = Section(container, write_section, file);
    rules.Read_Rules = Read_Section(in, read_attributes);
    rules.Write_Rules = Read_Section(out, write_attributes);
    return rules;
}

void Save_Sdo(const QString& path, const Access_Rules& rules) {
    Save_Xml_Document(Resolve_File_No_Case(path), QStringLiteral("Serial_to_ProfiBus"),
                      [&](QXmlStreamWriter& writer) {
                          Write_Section(writer, read_section, rules.Read_Rules, read_attributes);
                          Write_Section(writer, write_section, rules.Write_Rules, write_attributes);
                      });
}
