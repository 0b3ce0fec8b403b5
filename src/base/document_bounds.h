#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Bounds every XML document of the configurator is read within: the three
// configuration documents, Struttor.xml and Ethernet_Update.xml. A file
// beyond them cannot have been written by the program; it is refused before
// it is parsed, quickly and with a message naming the file, so that neither
// the time nor the memory of a reading grows with what a file may hold.

// The largest real document is sdo.xml with 244 read and 244 write rules. A
// write rule is one row element of 14 attributes: 165 bytes of markup (the
// names, blanks, equal signs and quotes, "<row" and "/>"). Its values are
// numbers, flags and a type name of at most 16 characters; allowing 32
// characters for each of the 13 values and 1024 for the mnemonic, with every
// character written as the longest escape the writer uses (6 bytes, "&quot;"),
// a row takes at most 165 + 13 * 32 * 6 + 1024 * 6 = 8805 bytes, and the 488
// rows 4.3 MB. The bound is about twice that.
inline constexpr qint64 Max_Document_Bytes = 8 * 1024 * 1024;

// The value lengths that estimate rests on. Values that come from outside
// (a CSV import) are held to them, so that what is imported always makes a
// document the program reads again.
inline constexpr int Max_Value_Chars = 32;
inline constexpr int Max_Mnemonic_Chars = 1024;

// Real documents nest three elements deep (Struttor.xml: root, group, value;
// sdo.xml: root, list, row).
inline constexpr int Max_Document_Depth = 32;

// Elements, attributes and text or other nodes. The largest real document
// holds 488 rows of 15 (the element and its 14 attributes), about 7,330 in
// all. The bound is 18 times that: rule lists long enough to fill the packed
// image's 131072-byte buffer (18,713 rules of the 6 nodes the packed build
// needs) still read, so the image build's own check of that buffer is what
// refuses them. It also bounds the memory of a parsed document, every node
// costing a few hundred bytes whatever its size in the file.
inline constexpr int Max_Document_Nodes = 131072;

// Reads the whole file, reading never more than Max_Document_Bytes + 1 bytes.
// Throws Kc_Error naming the file when it cannot be read or is larger.
QByteArray Read_Document_Bytes(const QString& path);

// Walks the document's elements without building them, stopping at the first
// element nested deeper than Max_Document_Depth or the first node beyond
// Max_Document_Nodes, and throws Kc_Error naming the file then. A document
// that is not well-formed passes: the parse that follows reports it.
void Check_Document_Shape(const QString& path, const QByteArray& bytes);
