#pragma once

#include "output/bank_image.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Reads a configuration image back into its fields, for people (the inspect
// command) and for programs that load images into a device. Pure: bytes in,
// structure out.

// One field of the image.
struct Decoded_Field {
    QString Name;      // the document value it comes from, or what it is
    int Offset = 0;    // file offset
    int Size = 0;      // bytes
    quint32 Value = 0; // the field as an unsigned little-endian number
    QString Text;      // the value as a reader wants it ("115200 bit/s", "192.168.2.205")
};

struct Decoded_Section {
    QString Name;
    int Offset = 0;
    int Size = 0;
};

enum class Decoded_Rule_Kind { Input, Output, Unknown };

// One rule of either layout. Fields a layout does not carry stay 0/false.
struct Decoded_Rule {
    int Index = 0;  // record (fixed) or position in the rule section (packed), from 0
    int Offset = 0; // file offset
    Decoded_Rule_Kind Kind = Decoded_Rule_Kind::Unknown;
    int Slave_ID = 0;
    int Function_Code = 0; // fixed: Modbus function code
    int Type_Code = 0;     // packed: 1 coil, 2 input status, 3 holding, 4 input register (+0x80)
    int Address_Mod = 0;
    int NPoint = 0;
    int Address_Profi = 0;
    int Bit = 0;           // fixed
    quint32 Poll_Time = 0; // fixed
    quint32 Max_Error = 0; // fixed
    int Profi_Bytes = 0;   // fixed: PROFIBUS bytes an input rule fills
    bool Swap = false;
    bool On_Change = false;      // fixed, output rules
    bool Force_Multiple = false; // packed, output rules: the 0x80 of the type code
    QByteArray Raw;              // the record's bytes
};

struct Decoded_Bank {
    Bank_Layout Layout = Bank_Layout::Packed;
    int Size = 0;
    QList<Decoded_Section> Sections;
    QList<Decoded_Rule> Rules;
    QList<Decoded_Field> Parameters; // header offsets, general section or parameter block
    QList<int> Diagnosis_IDs;        // packed
    QByteArray Diagnosis_Bitmap;     // packed, 32 bytes
    bool Has_General_Section = false;
    bool Has_Checksum = false; // fixed
    quint32 Checksum_Stored = 0;
    quint32 Checksum_Computed = 0;
    bool Checksum_Matches = false;
    // Things that disagree inside the image (counts, copies, constants,
    // non-zero reserved bytes, a bitmap that does not match its list).
    QStringList Problems;
};

// Decodes an image of either layout: 18432 bytes is the fixed layout unless the
// bytes are also a consistent packed image whose checksum test fails; a
// consistent packed header otherwise. Throws Kc_Error when the bytes are
// neither.
Decoded_Bank Decode_Bank(const QByteArray& bytes);

// Decodes the bytes as the given layout. Throws Kc_Error when they cannot be
// (wrong size, inconsistent header).
Decoded_Bank Decode_Bank(const QByteArray& bytes, Bank_Layout layout);

// The readable dump the inspect command prints.
QString Format_Decoded_Bank(const Decoded_Bank& bank);
