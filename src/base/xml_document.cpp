#include "base/xml_document.h"

#include "base/document_bounds.h"
#include "base/kc_error.h"
#include "base/save_file.h"
#include "base/shown_text.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QXmlStreamWriter>

QDomDocument Load_Xml_File(const QString& path) {
    // A document larger or deeper than any real one is refused before the
    // tree is built: both the time and the memory of a parse grow with it.
    const QByteArray bytes = Read_Document_Bytes(path);
    Check_Document_Shape(path, bytes);
    // Parsed from a device, decoded a block at a time.
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QDomDocument document;
    QString message;
    int line = 0;
    int column = 0;
    if (!document.setContent(&buffer, &message, &line, &column))
        throw Kc_Error(QStringLiteral("%1 is not a well-formed XML document: %2 (line %3, column %4)")
                           .arg(Shown_Path(path), message, QString::number(line), QString::number(column)));
    return document;
}

QDomNode First_Top_Node(const QDomDocument& document) {
    return document.firstChild();
}

QDomElement Child_Element(const QDomNode& parent, const QString& name) {
    if (parent.isNull())
        return {};
    return parent.firstChildElement(name);
}

bool Child_Text(const QDomNode& parent, const QString& name, QString& text) {
    const QDomElement element = Child_Element(parent, name);
    if (element.isNull())
        return false;
    // Only plain text (and CDATA) content counts; an element holding further
    // elements has no readable value.
    QString value;
    for (QDomNode child = element.firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (child.isText() || child.isCDATASection())
            value += child.toCharacterData().data();
        else if (!child.isComment() && !child.isProcessingInstruction())
            return false;
    }
    text = value;
    return true;
}

void Save_Xml_Document(const QString& path, const QString& root_name,
                       const std::function<void(QXmlStreamWriter&)>& write_content,
                       bool with_version_comment) {
    QByteArray bytes;
    {
        QXmlStreamWriter writer(&bytes);
        writer.setAutoFormatting(false);
        writer.writeStartElement(root_name);
        write_content(writer);
        writer.writeEndElement();
        if (with_version_comment)
            writer.writeComment(Version_Comment);
        // A text holding a character XML 1.0 cannot carry (a control character,
        // a lone surrogate) stops the writer; what it produced is then broken
        // and must not replace the file.
        if (writer.hasError())
            throw Kc_Error(QStringLiteral("Cannot write ") + Shown_Path(path) +
                           QStringLiteral(": a value holds a character that an XML document cannot store (a "
                                          "control character). Nothing was written."));
    }
    // Reading refuses a larger document; the program never writes one.
    if (bytes.size() > Max_Document_Bytes)
        throw Kc_Error(
            QStringLiteral("Cannot write %1: the document would hold %2 bytes, more than the "
                           "configurator reads (at most %3 bytes). Nothing was written.")
                .arg(Shown_Path(path), QString::number(bytes.size()), QString::number(Max_Document_Bytes)));
    Save_File_Atomically(path, bytes);
}
