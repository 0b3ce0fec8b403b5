#pragma once

#include "document/access_rules.h"
#include "document/diagnosis_list.h"
#include "document/general_params.h"
#include "output/bank_decoder.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class Text_Table;

// What changed between two configurations, or two configuration images, named
// as an engineer reads it: a general parameter by its element, a rule row by
// its table and row with only the fields that differ, an inserted or removed
// row as one row. Rule rows and diagnosis entries are aligned like the lines
// of a text diff (Align_Rows), so an inserted row does not make every later row
// a change.

// One difference. Rows count from 1; a row only in B (inserted) has no Row_A,
// one only in A (removed) no Row_B, and then Field, A and B are empty.
struct Conf_Difference {
    QString Document;         // "ParGen", "sdo", "diagnosis" or "image"
    QString Table;            // "read", "write", or empty where there is no table
    std::optional<int> Row_A; // row in A
    std::optional<int> Row_B; // row in B
    std::optional<QString> Field;
    std::optional<QString> A; // the text as stored in A
    std::optional<QString> B;

    bool operator==(const Conf_Difference&) const = default;
};

// The three documents of a configuration folder as their readers give them.
struct Diff_Documents {
    General_Params Params;
    Access_Rules Rules;
    Diagnosis_List Diagnosis;
};

// Document by document: the 40 general parameters (as saving writes them, so
// a missing document compares as its defaults), the read and write rules (all
// attributes, rows as stored), the diagnosis entries.
QList<Conf_Difference> Compare_Documents(const Diff_Documents& a, const Diff_Documents& b);

// Two images through the decoder's fields: the layout, every parameter field,
// the rules of each direction (aligned as rows) and the diagnosis IDs.
QList<Conf_Difference> Compare_Images(const Decoded_Bank& a, const Decoded_Bank& b);

// One side of `kc40927-cli diff`: a configuration folder or an image file.
struct Diff_Side {
    QString Path;
    bool Is_Folder = false;
    Diff_Documents Documents; // a folder
    QByteArray Image;         // an image file, or a folder's image once built
};

// Reads a side: a folder's documents (each found without regard to letter
// case; a missing one gives what its editor shows without it) or the bytes of
// an image. Throws Kc_Error naming the path when it is neither or cannot be
// read.
Diff_Side Read_Diff_Side(const QString& path);

// Compares two sides: two folders document by document, otherwise image with
// image, a folder's image built from its documents first (nothing written).
// Throws Kc_Error when an image cannot be decoded or a folder's image cannot be
// built.
QList<Conf_Difference> Compare_Sides(Diff_Side a, Diff_Side b);

// The differences as text, one line each, in the order given:
//   ParGen: Baudrate (Ser_Baud): 9600 -> 19200
//   sdo read row 3: Address_Mod: 10 -> 12
//   sdo read row 4 (B): inserted
//   diagnosis row 2 (A): removed
// A general parameter shows its caption and the value as its editor shows it
// (list items by their text); every other value is the stored text. A changed
// row whose number differs in A and B shows both ("row 3 -> 4").
QString Differences_Text(const QList<Conf_Difference>& differences, const Text_Table& texts);

// {"equal": bool, "differences": [{"document", "table", "row_a", "row_b",
// "field", "a", "b"}, ...]}: one object per difference in the order given,
// null for what a difference lacks, keys sorted, so the same inputs always
// give the same bytes.
QByteArray Differences_Json(const QList<Conf_Difference>& differences);
