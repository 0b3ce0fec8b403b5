#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <span>

// One Modbus access rule: one text per attribute of its `row` (those of
// sdo_attributes.h), named as the attribute. OnChange, OnCMD and ForceF15F16
// exist only for write rules.
struct Access_Rule {
#define SDO_READ_WRITE(name, ...) QString name;
#define SDO_WRITE_ONLY(name, ...) QString name;
#include "document/sdo_attributes.h"
#undef SDO_READ_WRITE
#undef SDO_WRITE_ONLY

    bool operator==(const Access_Rule&) const = default;
};

// The Modbus access rules document sdo.xml in memory.
struct Access_Rules {
    QList<Access_Rule> Read_Rules;  // ProfiBUS_IN: Modbus reads into the PROFIBUS input area
    QList<Access_Rule> Write_Rules; // ProfiBUS_OUT: PROFIBUS output area written to Modbus

    bool operator==(const Access_Rules&) const = default;
};

// How one rule stands in the file: an element or another node (a comment, a
// processing instruction, text; such a rule takes every fallback), and which
// of its section's attributes the element gives (bit i: the i-th attribute of
// Rule_Attributes in rule_schema.h).
struct Sdo_Rule_Shape {
    bool Element = false;
    quint16 Given = 0;
};

// sdo.xml as read, for the editor and the image build alike: the first
// top-level node is the container; its first child element named ProfiBUS_IN
// and its first named ProfiBUS_OUT are the sections; every child node of a
// section is one rule, in document order.
struct Sdo_Document {
    QString Path;        // the file found, or the path asked for
    bool Exists = false; // false: no file, nothing else is set
    QString Container;   // the node name of the container
    int Container_Line = 0;
    int Container_Column = 0;
    bool Has_Read_Section = false;
    bool Has_Write_Section = false;
    Access_Rules Rules; // each missing attribute holds its fallback
    QList<Sdo_Rule_Shape> Read_Shapes, Write_Shapes;
};

// Reads sdo.xml (the file name matched without regard to case) with a stream
// reader that builds no tree but gives the same rules and errors a QDomDocument
// parse would. A missing file gives a document that does not exist. Throws
// Kc_Error naming the file when it is not well-formed or beyond the bounds of
// every real document; a missing section is no error here.
Sdo_Document Read_Sdo_Document(const QString& path);

// The editor's reading: a missing file gives two empty lists. Throws Kc_Error
// naming the file when it is not well-formed or its container lacks
// ProfiBUS_IN or ProfiBUS_OUT.
Access_Rules Load_Sdo(const QString& path);

// Writes the whole document atomically; each list ends at the first rule whose
// trimmed Slave_ID is empty. Throws Kc_Error naming the file on failure.
void Save_Sdo(const QString& path, const Access_Rules& rules);
