#pragma once

// Helpers shared by the image tests: hand-written expected images, and small
// configuration folders written on the fly.

#include "test_dirs.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QXmlStreamWriter>

using Xml_Values = QList<QPair<QString, QString>>;

// Expected image bytes written by hand from the layout tables. Tokens are
// two-digit hexadecimal bytes; "@size N" (decimal) starts an image of N zero
// bytes; "@XXXX" (hexadecimal) moves to a file offset; "#" starts a comment.
// Without "@size" the image is the bytes in order.
inline bool Read_Hex_Fixture(const QString& path, QByteArray& image, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = "cannot read " + path;
        return false;
    }
    image.clear();
    int position = 0;
    bool size_next = false;
    int line_number = 0;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        ++line_number;
        const QString line =
            QString::fromUtf8(raw.left(raw.indexOf('#') < 0 ? raw.size() : raw.indexOf('#')));
        for (const QString& token : line.split(u' ', Qt::SkipEmptyParts)) {
            bool ok = false;
            if (size_next) {
                image = QByteArray(token.toInt(&ok), '\0');
                size_next = false;
            } else if (token == "@size") {
                size_next = true;
                ok = true;
            } else if (token.startsWith(u'@')) {
                position = token.mid(1).toInt(&ok, 16);
            } else if (token.size() == 2) {
                const int value = token.toInt(&ok, 16);
                if (ok) {
                    if (position >= image.size())
                        image.resize(position + 1, '\0');
                    image[position++] = char(value);
                }
            }
            if (!ok) {
                error = QStringLiteral("%1:%2: bad token %3").arg(path).arg(line_number).arg(token);
                return false;
            }
        }
    }
    return true;
}

// Empty when equal; otherwise the sizes or the first offset that differs.
inline QString Image_Difference(const QByteArray& actual, const QByteArray& expected) {
    const int common = int(qMin(actual.size(), expected.size()));
    for (int i = 0; i < common; ++i) {
        if (actual[i] != expected[i])
            return QStringLiteral("first difference at offset 0x%1: got %2, expected %3")
                .arg(i, 4, 16, QLatin1Char('0'))
                .arg(quint8(actual[i]), 2, 16, QLatin1Char('0'))
                .arg(quint8(expected[i]), 2, 16, QLatin1Char('0'));
    }
    if (actual.size() != expected.size())
        return QStringLiteral("size %1, expected %2").arg(actual.size()).arg(expected.size());
    return {};
}

// The general parameters document with the given elements, in the given order.
inline QByteArray Par_Gen_Xml(const Xml_Values& elements) {
    QByteArray bytes;
    QXmlStreamWriter writer(&bytes);
    writer.writeStartElement("Par_Gen");
    for (const auto& [name, value] : elements)
        writer.writeTextElement(name, value);
    writer.writeEndElement();
    writer.writeComment("SW_VERSION = 2.110");
    return bytes;
}

// The rules document: one row per attribute list.
inline QByteArray Sdo_Xml(const QList<Xml_Values>& input_rules, const QList<Xml_Values>& output_rules) {
    QByteArray bytes;
    QXmlStreamWriter writer(&bytes);
    writer.writeStartElement("Serial_to_ProfiBus");
    for (const auto* list : {&input_rules, &output_rules}) {
        writer.writeStartElement(list == &input_rules ? "ProfiBUS_IN" : "ProfiBUS_OUT");
        for (const Xml_Values& rule : *list) {
            writer.writeStartElement("row");
            for (const auto& [name, value] : rule)
                writer.writeAttribute(name, value);
            writer.writeEndElement();
        }
        writer.writeEndElement();
    }
    writer.writeEndElement();
    writer.writeComment("SW_VERSION = 2.110");
    return bytes;
}

inline QByteArray Diagnosis_Xml(const QStringList& ids) {
    QByteArray bytes;
    QXmlStreamWriter writer(&bytes);
    writer.writeStartElement("Modbus_IDs");
    for (const QString& id : ids)
        writer.writeTextElement("ID", id);
    writer.writeEndElement();
    writer.writeComment("SW_VERSION = 2.110");
    return bytes;
}

// Replaces (or adds) one value of a list.
inline Xml_Values With(Xml_Values values, const QString& name, const QString& value) {
    for (auto& pair : values) {
        if (pair.first == name) {
            pair.second = value;
            return values;
        }
    }
    values.append({name, value});
    return values;
}

inline Xml_Values Without(Xml_Values values, const QString& name) {
    values.removeIf([&](const QPair<QString, QString>& pair) { return pair.first == name; });
    return values;
}

// A complete, valid rule of each kind.
inline Xml_Values Input_Rule() {
    return {{"Enable", "Y"},        {"Slave_ID", "1"},      {"Type", "Holding Register"},
            {"Address_Mod", "100"}, {"NPoint", "2"},        {"PollTime", "100"},
            {"MaxError", "0"},      {"Address_Profi", "0"}, {"Bit", ""},
            {"Swap", "N"},          {"Mnemonic", ""}};
}

inline Xml_Values Output_Rule() {
    return {{"Enable", "Y"},        {"Slave_ID", "1"}, {"Type", "Holding Register"},
            {"Address_Mod", "200"}, {"NPoint", "2"},   {"PollTime", "100"},
            {"OnChange", "Y"},      {"OnCMD", "N"},    {"MaxError", "0"},
            {"Address_Profi", "0"}, {"Bit", "0"},      {"Swap", "N"},
            {"ForceF15F16", "N"},   {"Mnemonic", ""}};
}

// A configuration folder with an empty bin folder.
inline QString Make_Conf_Dir(const QString& parent, const QString& name = "conf") {
    QDir(parent).mkpath(name + "/bin");
    return parent + "/" + name;
}

// Copies the documents of a fixture folder (not its expected image).
inline void Copy_Documents(const QString& from, const QString& to) {
    for (const QString& name : QDir(from).entryList(QStringList{"*.xml"}, QDir::Files))
        QFile::copy(from + "/" + name, to + "/" + name);
}
