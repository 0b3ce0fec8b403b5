#pragma once

#include <QStringList>

// The diagnosis document diagnosis.xml in memory: the Modbus slave IDs whose
// state is reported in the PROFIBUS diagnosis, texts kept as entered.
struct Diagnosis_List {
    static constexpr int Max_Entries = 64;
    QStringList IDs;

    bool operator==(const Diagnosis_List&) const = default;
};

#include <QString>

// Reads diagnosis.xml: the texts of the container's child nodes, in order.
// A missing file gives an empty list. Throws Kc_Error naming the file when it
// is not well-formed.
Diagnosis_List Load_Diagnosis(const QString& path);

// Writes the whole document atomically. Throws Kc_Error naming the file.
void Save_Diagnosis(const QString& path, const Diagnosis_List& list);

// "Byte:" + (row - 1) div 8 + ", Bit:" + (row - 1) mod 8, for entry rows 1..64.
QString ByteBit(int row);
