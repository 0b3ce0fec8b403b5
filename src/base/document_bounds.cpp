#include "base/document_bounds.h"

#include "base/kc_error.h"
#include "base/shown_text.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QXmlStreamReader>

#include <algorithm>

namespace {

QString Native(const QString& path) {
    return Shown_Path(path);
}

// `size` is the file's size, or -1 when only the bytes read so far are known.
[[noreturn]] void Too_Large(const QString& path, qint64 size) {
    const QString held = size >= 0 ? QStringLiteral("%1 bytes").arg(size) : QStringLiteral("more bytes");
    throw Kc_Error(QStringLiteral("Cannot read %1: the file holds %2, far more than any document of the "
                                  "configurator (at most %3 bytes).")
                       .arg(Native(path), held, QString::number(Max_Document_Bytes)));
}

} // namespace

QByteArray Read_Document_Bytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Kc_Error(QStringLiteral("Cannot read %1: %2").arg(Native(path), file.errorString()));
    // The size the file system gives is checked first; the read is bounded
    // all the same, for a file that grows or has no size (a device, a pipe).
    if (!file.isSequential() && file.size() > Max_Document_Bytes)
        Too_Large(path, file.size());
    QByteArray bytes;
    if (!file.isSequential())
        bytes.reserve(file.size());
    constexpr qint64 chunk = 64 * 1024;
    while (true) {
        const QByteArray part = file.read(std::min(chunk, Max_Document_Bytes + 1 - bytes.size()));
        if (file.error() != QFileDevice::NoError)
            throw Kc_Error(QStringLiteral("Cannot read %1: %2").arg(Native(path), file.errorString()));
        if (part.isEmpty())
            return bytes;
        bytes += part;
        if (bytes.size() > Max_Document_Bytes)
            Too_Large(path, file.isSequential() ? -1 : std::max<qint64>(file.size(), bytes.size()));
    }
}

void Check_Document_Shape(const QString& path, const QByteArray& bytes) {
    // Through a device the reader decodes a block at a time; given the bytes
    // themselves it would hold all of them decoded at once.
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QXmlStreamReader reader(&buffer);
    reader.setNamespaceProcessing(false);
    int depth = 0;
    qint64 nodes = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            if (++depth > Max_Document_Depth)
                throw Kc_Error(
                    QStringLiteral("Cannot read %1: its elements are nested more than %2 levels deep "
                                   "(line %3), far deeper than any document of the configurator.")
                        .arg(Native(path), QString::number(Max_Document_Depth),
                             QString::number(reader.lineNumber())));
            nodes += 1 + reader.attributes().size();
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        case QXmlStreamReader::Characters:
            if (!reader.isWhitespace())
                ++nodes;
            break;
        case QXmlStreamReader::Comment:
        case QXmlStreamReader::ProcessingInstruction:
        case QXmlStreamReader::EntityReference:
        case QXmlStreamReader::DTD:
            ++nodes;
            break;
        case QXmlStreamReader::Invalid:
            return; // not well-formed: the parse that follows says where
        default:
            break;
        }
        if (nodes > Max_Document_Nodes)
            throw Kc_Error(
                QStringLiteral("Cannot read %1: it holds more than %2 elements, attributes and other "
                               "nodes (line %3), far more than any document of the configurator.")
                    .arg(Native(path), QString::number(Max_Document_Nodes),
                         QString::number(reader.lineNumber())));
    }
}
