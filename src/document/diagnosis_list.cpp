#include "document/diagnosis_list.h"

#include "base/file_lookup.h"
#include "base/xml_document.h"
#include "document/diagnosis_names.h"

#include <QFileInfo>
#include <QXmlStreamWriter>

namespace {

// The text a child of Modbus_IDs holds: an element's content, or the data of
// any other node (text, comment, CDATA).
QString Node_Text(const QDomNode& node) {
    if (node.isElement())
        return node.toElement().text();
    if (node.isCharacterData())
        return node.toCharacterData().data();
    return node.nodeValue();
}

} // namespace

Diagnosis_Document Read_Diagnosis_Document(const QString& path) {
    Diagnosis_Document result;
    result.Path = Resolve_File_No_Case(path);
    result.Exists = !result.Path.isEmpty() && QFileInfo(result.Path).isFile();
    if (!result.Exists)
        return result;

    const QDomDocument document = Load_Xml_File(result.Path);
    const QDomNode container = First_Top_Node(document);
    for (QDomNode child = container.firstChild(); !child.isNull(); child = child.nextSibling())
        result.List.IDs.append(Node_Text(child));
    return result;
}

Diagnosis_List Load_Diagnosis(const QString& path) {
    return Read_Diagnosis_Document(path).List;
}

void Save_Diagnosis(const QString& path, const Diagnosis_List& list) {
    Save_Xml_Document(Resolve_File_No_Case(path), Diagnosis_Doc::Root, [&](QXmlStreamWriter& writer) {
        for (int i = 0; i < list.IDs.size() && i < Diagnosis_List::Max_Entries; ++i) {
            if (list.IDs[i].trimmed().isEmpty())
                break;
            writer.writeTextElement(Diagnosis_Doc::Entry, list.IDs[i]);
        }
    });
}

QString ByteBit(int row) {
    return QStringLiteral("Byte:%1, Bit:%2").arg((row - 1) / 8).arg((row - 1) % 8);
}
