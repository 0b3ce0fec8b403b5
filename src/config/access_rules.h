#pragma once

#include <QList>
#include <QString>

// One Modbus access rule: one text per attribute of its `row`, named as the
// attribute. Read rules use the first eleven; OnChange, OnCMD and ForceF15F16
// exist only for write rules.
struct Access_Rule {
    QString Enable;
    QString Slave_ID;
    QString Type;
    QString Address_Mod;
    QString NPoint;
    QString PollTime;
    QString OnChange;    // write rules only
    QString OnCMD;       // write rules only
    QString MaxError;
    QString Address_Profi;
    QString Bit;
    QString Swap;
    QString ForceF15F16; // write rules only
    QString Mnemonic;

    bool operator==(const Access_Rule&) const = default;
};

// The Modbus access rules document sdo.xml in memory.
struct Access_Rules {
    QList<Access_Rule> Read_Rules;  // ProfiBUS_IN: Modbus reads into the PROFIBUS input area
    QList<Access_Rule> Write_Rules; // ProfiBUS_OUT: PROFIBUS output area written to Modbus

    bool operator==(const Access_Rules&) const = default;
};

// Reads sdo.xml. A missing file gives two empty lists. Throws Kc_Error naming
// the file when it is not well-formed or its container lacks ProfiBUS_IN or
// ProfiBUS_OUT.
Access_Rules Load_Sdo(const QString& path);

// Writes the whole document atomically; each list ends at the first rule whose
// trimmed Slave_ID is empty. Throws Kc_Error naming the file on failure.
void Save_Sdo(const QString& path, const Access_Rules& rules);
