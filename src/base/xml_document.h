#pragma once

#include <QDomDocument>
#include <QDomElement>
#include <QDomNode>
#include <QString>
#include <functional>

class QXmlStreamWriter;

// The shape every configuration document shares: XML 1.0 in UTF-8 without a
// declaration, the root element, then the comment "SW_VERSION = 2.110".
// Readers take the document's first top-level node as the container, whatever
// it is, and look children up by exact name.

inline const QString Version_Comment = QStringLiteral("SW_VERSION = 2.110");

// Parses the file. Throws Kc_Error naming the file, with the parser's message,
// line and column, when it cannot be read or is not well-formed, and when it
// is larger, deeper or holds more nodes than any real document (the bounds of
// document_bounds.h), before it is parsed.
QDomDocument Load_Xml_File(const QString& path);

// The first top-level node (an XML declaration and a leading comment count).
QDomNode First_Top_Node(const QDomDocument& document);

// The first child element of the node named exactly `name`; null when none.
QDomElement Child_Element(const QDomNode& parent, const QString& name);

// The text of the first child element named `name`; false when there is none
// or its content is not plain text.
bool Child_Text(const QDomNode& parent, const QString& name, QString& text);

// Writes a whole document atomically through QSaveFile: the root element with
// the content `write_content` adds, then the version comment; no declaration,
// no indentation. Throws Kc_Error naming the file when it cannot be written;
// the old file then stays whole.
void Save_Xml_Document(const QString& path, const QString& root_name,
                       const std::function<void(QXmlStreamWriter&)>& write_content,
                       bool with_version_comment = true);
