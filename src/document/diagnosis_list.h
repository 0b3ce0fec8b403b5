#pragma once

#include <QStringList>

// The diagnosis document diagnosis.xml in memory: the Modbus slave IDs whose
// state is reported in the PROFIBUS diagnosis, texts kept as entered. The
// device watches at most Max_Entries slaves; a document edited by hand may
// list more, and the reader gives them all so the editor can say what it
// cannot keep.
struct Diagnosis_List {
    static constexpr int Max_Entries = 64;
    QStringList IDs;

    bool operator==(const Diagnosis_List&) const = default;
};

#include <QString>

// A read diagnosis.xml: the file found without regard to letter case (or the
// name asked for when there is none), whether it exists, and its entries.
struct Diagnosis_Document {
    QString Path;
    bool Exists = false;
    Diagnosis_List List;
};

// The one reader of diagnosis.xml, for the editor and the image build alike:
// the texts of the container's child nodes (an element's text, any other
// node's data), in order. A missing file gives an empty list. Throws Kc_Error
// naming the file when it is not well-formed.
Diagnosis_Document Read_Diagnosis_Document(const QString& path);

// The entries alone: Read_Diagnosis_Document(path).List.
Diagnosis_List Load_Diagnosis(const QString& path);

// Writes the whole document atomically: one ID per entry, in order, ending at
// the first entry that is blank after trimming and after Max_Entries entries.
// Throws Kc_Error naming the file.
void Save_Diagnosis(const QString& path, const Diagnosis_List& list);

// "Byte:" + (row - 1) div 8 + ", Bit:" + (row - 1) mod 8, for entry rows 1..64.
QString ByteBit(int row);
