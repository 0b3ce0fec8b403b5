#pragma once

#include <QStringList>

// The diagnosis document diagnosis.xml in memory: the Modbus slave IDs whose
// state is reported in the PROFIBUS diagnosis, texts kept as entered.
struct Diagnosis_List {
    static constexpr int Max_Entries = 64;
    QStringList IDs;

    bool operator==(const Diagnosis_List&) const = default;
};
