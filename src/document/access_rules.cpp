#include "document/access_rules.h"

#include "base/document_bounds.h"
#include "base/file_lookup.h"
#include "base/kc_error.h"
#include "base/shown_text.h"
#include "base/xml_document.h"
#include "document/rule_schema.h"
#include "document/sdo_names.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <span>
#include <utility>
#include <vector>

namespace {

const QString read_section = Sdo::Read_Section;
const QString write_section = Sdo::Write_Section;

// What reading the rows of one section needs, made once: the attribute names
// with their lengths and a rule holding every fallback, copied for each row.
struct Section_Reading {
    std::vector<std::pair<QLatin1String, QString Access_Rule::*>> attributes;
    Access_Rule fallback_rule;
};

Section_Reading Make_Section_Reading(std::span<const Rule_Attribute> attributes) {
    Section_Reading reading;
    for (const Rule_Attribute& attribute : attributes) {
        reading.attributes.emplace_back(attribute.Name, attribute.Field);
        reading.fallback_rule.*attribute.Field = QLatin1String(attribute.Fallback);
    }
    return reading;
}

static_assert(std::size(Rule_Schema::Write) <= 16, "one bit of Sdo_Rule_Shape::Given per attribute");

const Section_Reading& Read_Section_Reading() {
    static const Section_Reading reading = Make_Section_Reading(Rule_Schema::Read);
    return reading;
}

const Section_Reading& Write_Section_Reading() {
    static const Section_Reading reading = Make_Section_Reading(Rule_Schema::Write);
    return reading;
}

// Reads the document with the same token rules a QDomDocument parse uses, so
// that rules, the container and every error are exactly what a DOM reader
// gives, without building the tree: the first top-level node (an XML
// declaration, a comment or a processing instruction count) is the container;
// its first child element of each section name is that section; every child
// node of a section is one rule in document order (an element of any name, a
// comment, a processing instruction, an entity reference, a CDATA section and
// each run of text that is not only blanks; all but an element take every
// fallback). Sections it does not find are left to the caller.
class Sdo_Reader {
public:
    explicit Sdo_Reader(const QString& path) : file(path) {}

    Sdo_Document Read() {
        // A document larger or deeper than any real one is refused before
        // a single rule is kept.
        const QByteArray bytes = Read_Document_Bytes(file);
        Check_Document_Shape(file, bytes);
        // Read from a device, decoded a block at a time.
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        reader.setDevice(&buffer);
        reader.setNamespaceProcessing(false);
        Read_Prolog();
        Read_Body();
        document.Path = file;
        document.Exists = true;
        document.Container = container_name;
        document.Container_Line = container_line;
        document.Container_Column = container_column;
        document.Has_Read_Section = in_found;
        document.Has_Write_Section = out_found;
        return std::move(document);
    }

private:
    enum class Section_Kind { None, In, Out };

    const QString& file;
    QXmlStreamReader reader;
    Sdo_Document document;
    Access_Rules& rules = document.Rules;
    // The container: the document's first top-level node.
    bool have_container = false;
    bool container_is_element = false;
    QString container_name;
    int container_line = 0;
    int container_column = 0;
    int depth = 0; // open elements
    bool in_found = false;
    bool out_found = false;
    Section_Kind section = Section_Kind::None; // the section whose children are being read

    [[noreturn]] void Fail(const QString& message) {
        throw Kc_Error(QStringLiteral("%1 is not a well-formed XML document: %2 (line %3, column %4)")
                           .arg(Shown_Path(file), message, QString::number(reader.lineNumber()),
                                QString::number(reader.columnNumber())));
    }

    void Top_Node(const QString& name, bool element) {
        if (have_container)
            return;
        have_container = true;
        container_is_element = element;
        container_name = name;
        container_line = static_cast<int>(reader.lineNumber());
        container_column = static_cast<int>(reader.columnNumber());
    }

    QList<Access_Rule>& Rules_Of_Section() {
        return section == Section_Kind::In ? rules.Read_Rules : rules.Write_Rules;
    }

    QList<Sdo_Rule_Shape>& Shapes_Of_Section() {
        return section == Section_Kind::In ? document.Read_Shapes : document.Write_Shapes;
    }

    const Section_Reading& Reading_Of_Section() const {
        return section == Section_Kind::In ? Read_Section_Reading() : Write_Section_Reading();
    }

    // A node that is no element (comment, processing instruction, text,
    // entity reference): at the top a possible container, in a section a rule
    // with every fallback.
    void Other_Node(const QString& name) {
        if (depth == 0)
            Top_Node(name, false);
        else if (depth == 2 && section != Section_Kind::None) {
            Rules_Of_Section().append(Reading_Of_Section().fallback_rule);
            Shapes_Of_Section().append(Sdo_Rule_Shape{});
        }
    }

    void Start_Element() {
        const QStringView name = reader.qualifiedName();
        if (depth == 0) {
            Top_Node(name.toString(), true);
        } else if (depth == 1 && container_is_element) {
            // A child of the container: the first of each section name counts.
            section = Section_Kind::None;
            if (!in_found && name == read_section) {
                in_found = true;
                section = Section_Kind::In;
            } else if (!out_found && name == write_section) {
                out_found = true;
                section = Section_Kind::Out;
            }
        } else if (depth == 2 && section != Section_Kind::None) {
            const Section_Reading& reading = Reading_Of_Section();
            Access_Rule rule = reading.fallback_rule;
            Sdo_Rule_Shape shape{true, 0};
            // A later attribute of the same name replaces an earlier one.
            const QXmlStreamAttributes attributes = reader.attributes();
            for (const QXmlStreamAttribute& attribute : attributes) {
                const QStringView attribute_name = attribute.qualifiedName();
                for (std::size_t index = 0; index < reading.attributes.size(); ++index) {
                    const auto& [known, field] = reading.attributes[index];
                    if (attribute_name == known) {
                        rule.*field = attribute.value().toString();
                        shape.Given |= quint16(1u << index);
                        break;
                    }
                }
            }
            Rules_Of_Section().append(std::move(rule));
            Shapes_Of_Section().append(shape);
        }
        ++depth;
    }

    void End_Element() {
        --depth;
        if (depth == 1)
            section = Section_Kind::None;
    }

    // The declaration, a DOCTYPE, comments and processing instructions before
    // the first other token.
    void Read_Prolog() {
        bool found_dtd = false;
        while (!reader.atEnd()) {
            reader.readNext();
            if (reader.hasError())
                Fail(reader.errorString());
            switch (reader.tokenType()) {
            case QXmlStreamReader::StartDocument:
                if (!reader.documentVersion().isEmpty())
                    Top_Node(QStringLiteral("xml"), false);
                break;
            case QXmlStreamReader::DTD:
                if (found_dtd)
                    Fail(QCoreApplication::translate("QDomParser", "Multiple DTD sections are not allowed"));
                found_dtd = true;
                break;
            case QXmlStreamReader::Comment:
                Top_Node(QStringLiteral("#comment"), false);
                break;
            case QXmlStreamReader::ProcessingInstruction:
                Top_Node(reader.processingInstructionTarget().toString(), false);
                break;
            default:
                return;
            }
        }
    }

    void Read_Body() {
        int open_elements = 0;
        while (!reader.atEnd() && !reader.hasError()) {
            switch (reader.tokenType()) {
            case QXmlStreamReader::StartElement:
                ++open_elements;
                Start_Element();
                break;
            case QXmlStreamReader::EndElement:
                if (open_elements == 0)
                    Fail(QCoreApplication::translate("QDomParser", "Unexpected end element '%1'")
                             .arg(reader.name()));
                --open_elements;
                End_Element();
                break;
            case QXmlStreamReader::Characters:
                // Text of blanks only is no node; a CDATA section always is one.
                if (!reader.isWhitespace() && (reader.isCDATA() || !reader.text().trimmed().isEmpty())) {
                    if (depth == 0)
                        Fail(QCoreApplication::translate(
                            "QDomParser", "Error occurred while processing the element content"));
                    Other_Node(QStringLiteral("#text"));
                }
                break;
            case QXmlStreamReader::Comment:
                Other_Node(QStringLiteral("#comment"));
                break;
            case QXmlStreamReader::ProcessingInstruction:
                Other_Node(reader.processingInstructionTarget().toString());
                break;
            case QXmlStreamReader::EntityReference:
                Other_Node(reader.name().toString());
                break;
            default:
                Fail(QCoreApplication::translate("QDomParser", "Unexpected token"));
            }
            reader.readNext();
        }
        if (reader.hasError())
            Fail(reader.errorString());
        if (open_elements != 0)
            Fail(QCoreApplication::translate("QDomParser", "Tag mismatch"));
    }
};

[[noreturn]] void Missing_Section(const Sdo_Document& document, const QString& name) {
    QString where;
    if (document.Container_Line > 0)
        where = QStringLiteral(" (line %1, column %2)")
                    .arg(document.Container_Line)
                    .arg(document.Container_Column);
    throw Kc_Error(QStringLiteral("%1 is not a Modbus access rules document: its first node \"%2\" has no %3 "
                                  "element%4")
                       .arg(Shown_Path(document.Path), Escape_Controls(document.Container), name, where));
}

// A list ends at the first rule without a Slave ID (blanks only count as none).
void Write_Section(QXmlStreamWriter& writer, const QString& name, const QList<Access_Rule>& rules,
                   std::span<const Rule_Attribute> attributes) {
    writer.writeStartElement(name);
    for (const Access_Rule& rule : rules) {
        if (rule.Slave_ID.trimmed().isEmpty())
            break;
        writer.writeStartElement(Sdo::Row);
        for (const Rule_Attribute& attribute : attributes)
            writer.writeAttribute(attribute.Name, rule.*attribute.Field);
        writer.writeEndElement();
    }
    writer.writeEndElement();
}

} // namespace

Sdo_Document Read_Sdo_Document(const QString& path) {
    const QString file = Resolve_File_No_Case(path);
    if (file.isEmpty() || !QFileInfo(file).isFile()) {
        Sdo_Document missing;
        missing.Path = file;
        return missing;
    }
    return Sdo_Reader(file).Read();
}

Access_Rules Load_Sdo(const QString& path) {
    Sdo_Document document = Read_Sdo_Document(path);
    if (!document.Exists)
        return {};
    if (!document.Has_Read_Section)
        Missing_Section(document, read_section);
    if (!document.Has_Write_Section)
        Missing_Section(document, write_section);
    return std::move(document.Rules);
}

void Save_Sdo(const QString& path, const Access_Rules& rules) {
    Save_Xml_Document(Resolve_File_No_Case(path), Sdo::Root, [&](QXmlStreamWriter& writer) {
        Write_Section(writer, read_section, rules.Read_Rules, Rule_Schema::Read);
        Write_Section(writer, write_section, rules.Write_Rules, Rule_Schema::Write);
    });
}
