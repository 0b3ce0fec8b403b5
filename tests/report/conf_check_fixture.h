#pragma once

// Small configuration folders for the tests of the configuration check and
// of the check and map commands, written with the documents' own writers.

#include "document/access_rules.h"
#include "document/diagnosis_list.h"
#include "document/general_params.h"

#include <QDir>
#include <QString>

// An enabled rule that every check passes on both hardware types (Poll Time
// 1000, Max Error 0, Start Bit 0).
inline Access_Rule Valid_Rule(const QString& slave, const QString& type, const QString& position,
                              const QString& points, const QString& address = QStringLiteral("0")) {
    Access_Rule rule;
    rule.Enable = QStringLiteral("Y");
    rule.Slave_ID = slave;
    rule.Type = type;
    rule.Address_Mod = address;
    rule.NPoint = points;
    rule.PollTime = QStringLiteral("1000");
    rule.OnChange = QStringLiteral("N");
    rule.OnCMD = QStringLiteral("N");
    rule.MaxError = QStringLiteral("0");
    rule.Address_Profi = position;
    rule.Bit = QStringLiteral("0");
    rule.Swap = QStringLiteral("N");
    rule.ForceF15F16 = QStringLiteral("N");
    rule.Mnemonic = QStringLiteral("rule ") + slave;
    return rule;
}

// The three documents of a configuration folder; Save writes those set.
struct Conf_Documents {
    General_Params Params;
    Access_Rules Rules;
    Diagnosis_List Diagnosis;
    bool Write_ParGen = true;
    bool Write_Sdo = true;
    bool Write_Diagnosis = true;

    void Save(const QString& dir) const {
        QDir().mkpath(dir + QStringLiteral("/bin"));
        if (Write_ParGen)
            Save_ParGen(dir + QStringLiteral("/ParGen.xml"), Params);
        if (Write_Sdo)
            Save_Sdo(dir + QStringLiteral("/sdo.xml"), Rules);
        if (Write_Diagnosis)
            Save_Diagnosis(dir + QStringLiteral("/diagnosis.xml"), Diagnosis);
    }
};

// A clean configuration without Ethernet: two read rules side by side, one
// write rule, two diagnosis entries.
inline Conf_Documents Clean_Documents() {
    Conf_Documents documents;
    documents.Rules.Read_Rules = {Valid_Rule("1", "Holding Register", "0", "2", "100"),
                                  Valid_Rule("2", "Coil Status", "4", "16")};
    documents.Rules.Write_Rules = {Valid_Rule("3", "Holding Register", "0", "4")};
    documents.Diagnosis.IDs = {"1", "2"};
    return documents;
}
