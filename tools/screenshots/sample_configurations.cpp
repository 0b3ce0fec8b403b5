#include "sample_configurations.h"

#include "base/app_state.h"
#include "base/document_files.h"
#include "document/access_rules.h"
#include "document/diagnosis_list.h"
#include "document/general_params.h"

#include <QDir>

namespace {

Access_Rule Rule(const QString& slave, const QString& type, const QString& address, const QString& points,
                 const QString& position, const QString& mnemonic,
                 const QString& poll = QStringLiteral("1000")) {
    Access_Rule rule;
    rule.Enable = QStringLiteral("Y");
    rule.Slave_ID = slave;
    rule.Type = type;
    rule.Address_Mod = address;
    rule.NPoint = points;
    rule.PollTime = poll;
    rule.OnChange = QStringLiteral("Y");
    rule.OnCMD = QStringLiteral("N");
    rule.MaxError = QStringLiteral("0");
    rule.Address_Profi = position;
    rule.Bit = QStringLiteral("0");
    rule.Swap = QStringLiteral("N");
    rule.ForceF15F16 = QStringLiteral("N");
    rule.Mnemonic = mnemonic;
    return rule;
}

void Save(const QString& dir, const General_Params& params, const Access_Rules& rules,
          const Diagnosis_List* diagnosis) {
    QDir().mkpath(Join_Path(dir, QStringLiteral("bin")));
    Save_ParGen(Join_Path(dir, Document_File::ParGen), params);
    Save_Sdo(Join_Path(dir, Document_File::Sdo), rules);
    if (diagnosis)
        Save_Diagnosis(Join_Path(dir, Document_File::Diagnosis), *diagnosis);
}

} // namespace

void Write_Sample_Configurations(const QString& projects_dir) {
    General_Params serial;
    serial.Hardware_Type = 0;
    serial.Ser_Type = 1; // RS485
    serial.Ser_Baud = 4; // 19200
    serial.Ser_Par = 1;  // even
    serial.Profi_ID = QStringLiteral("12");
    serial.Profi_NB_IN = QStringLiteral("32");
    serial.Profi_NB_OUT = QStringLiteral("16");
    serial.Profi_Enable_Error = true;
    serial.Profi_Enable_Diagnosis = true;
    Access_Rules serial_rules;
    serial_rules.Read_Rules = {
        Rule("1", "Holding Register", "100", "4", "0", "Pump 1 flow and pressure"),
        Rule("2", "Holding Register", "100", "4", "8", "Pump 2 flow and pressure"),
        Rule("3", "Input Register", "0", "2", "16", "Tank level"),
        Rule("3", "Input Status", "0", "8", "20", "Tank switches"),
    };
    serial_rules.Write_Rules = {
        Rule("1", "Holding Register", "200", "1", "0", "Pump 1 set point"),
        Rule("2", "Holding Register", "200", "1", "2", "Pump 2 set point"),
    };
    Diagnosis_List diagnosis;
    diagnosis.IDs = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
    Save(Join_Path(projects_dir, Serial_Sample), serial, serial_rules, &diagnosis);

    General_Params ethernet;
    ethernet.Hardware_Type = 1;
    ethernet.Ser_Baud = 7; // 115200
    ethernet.Profi_ID = QStringLiteral("5");
    ethernet.Profi_NB_IN = QStringLiteral("64");
    ethernet.Profi_NB_OUT = QStringLiteral("32");
    ethernet.Ethernet_IP3 = QStringLiteral("2");
    ethernet.Ethernet_IP4 = QStringLiteral("205");
    ethernet.Ethernet_EN_GAT = true;
    ethernet.Ethernet_GAT3 = QStringLiteral("2");
    Access_Rules ethernet_rules;
    ethernet_rules.Read_Rules = {
        Rule("10", "Holding Register", "0", "8", "0", "Filler status"),
        Rule("11", "Input Register", "40", "6", "16", "Labeller counters"),
        Rule("12", "Coil Status", "0", "16", "20", "Conveyor drives"), // bytes 20-21 lie in rule 2's
    };
    ethernet_rules.Write_Rules = {
        Rule("10", "Holding Register", "300", "2", "0", "Filler recipe"),
    };
    Save(Join_Path(projects_dir, Ethernet_Sample), ethernet, ethernet_rules, nullptr);
}
