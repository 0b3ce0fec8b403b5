#pragma once

#include <QList>
#include <QString>

#include <variant>

class ParGen_View;

// The general parameters document ParGen.xml in memory: one field per element,
// named as the element. Index fields hold the position in their fixed list,
// flags are on/off, number fields keep the text exactly as the user left it.
// The initial values are the document's defaults.
struct General_Params {
    int Hardware_Type = 0; // 0 without Ethernet, 1 with Ethernet
    int Ser_Type = 0;      // 0 RS232, 1 RS485
    int Ser_Baud = 7;      // list A, 7 = 115200
    int Ser_Par = 0;       // 0 NONE, 1 EVEN, 2 ODD
    int Ser_StopBits = 0;  // 0 one, 1 two
    int Ser_DataBits = 1;  // 0 seven, 1 eight
    QString Ser_TO = QStringLiteral("1000");
    QString Ser_CD = QStringLiteral("100");
    int Ser_Prot = 0;       // list B, 0 = Modbus RTU
    int Ser_Write_Mode = 0; // 0 write on change, 1 cyclic write
    bool Ser_Enable_Modbus_PROFIBUS_Active = false;
    QString Profi_ID = QStringLiteral("1");
    int Profi_Baud = 10; // list C; always 10, "Auto Baudrate"
    QString Profi_NB_IN = QStringLiteral("244");
    QString Profi_NB_OUT = QStringLiteral("244");
    bool Profi_Enable_Error = false;
    QString Profi_Num_Cont_Err = QStringLiteral("3");
    bool Profi_Enable_Diagnosis = false;
    bool Profi_Enable_Cancel_Data = false;
    bool Profi_Diagnosis_Zero = false;
    bool Profi_Diagnosis_Copy_Array = false;
    QString Profi_Diagnosis_Copy_Array_Position = QStringLiteral("100");
    bool Profi_Enable_Async_Mod_Req = false;
    QString Profi_Async_Req_Start_IN = QStringLiteral("0");
    QString Profi_Async_Req_Start_OUT = QStringLiteral("0");
    bool Del_Modbus_on_PROFI_error = false;
    QString Profi_Enable_Error_Address = QStringLiteral("0");
    QString Ethernet_IP1 = QStringLiteral("192");
    QString Ethernet_IP2 = QStringLiteral("168");
    QString Ethernet_IP3 = QStringLiteral("0");
    QString Ethernet_IP4 = QStringLiteral("10");
    QString Ethernet_SM1 = QStringLiteral("255");
    QString Ethernet_SM2 = QStringLiteral("255");
    QString Ethernet_SM3 = QStringLiteral("255");
    QString Ethernet_SM4 = QStringLiteral("0");
    QString Ethernet_GAT1 = QStringLiteral("192");
    QString Ethernet_GAT2 = QStringLiteral("168");
    QString Ethernet_GAT3 = QStringLiteral("0");
    QString Ethernet_GAT4 = QStringLiteral("1");
    bool Ethernet_EN_GAT = false;

    bool operator==(const General_Params&) const = default;
};

// The values of a read document; a missing document or element gives the
// defaults, silently, and so does an index that is no integer.
General_Params General_Params_Of(const ParGen_View& document);

// Reads ParGen.xml (the file name matched without regard to case) into the
// record: General_Params_Of(ParGen_View::Read(path)). Throws Kc_Error naming
// the file when it exists but cannot be read or is not well-formed.
General_Params Load_ParGen(const QString& path);

// One element of the document and the text saving writes for it.
struct ParGen_Element_Text {
    QLatin1StringView Element;
    QString Text;
};

// The 40 elements in document order, each with the text Save_ParGen writes
// for the record: what the device and every editor see, a missing element
// already holding its default.
QList<ParGen_Element_Text> ParGen_Element_Texts(const General_Params& params);

// The member of the record that holds an element's value (pargen_schema.h
// gives each element's).
using ParGen_Member = std::variant<int General_Params::*, bool General_Params::*, QString General_Params::*>;

// Writes the whole document, replacing the file atomically. Throws Kc_Error
// naming the file when it cannot be written.
void Save_ParGen(const QString& path, const General_Params& params);
