#pragma once

#include <QString>
#include <optional>

struct General_Params;
class Text_Table;

// How the Modbus line is driven for a test of the rules: the serial settings
// of the general parameters, always eight data bits.
struct Poll_Serial_Settings {
    int Baud_Rate = 115200; // bits per second
    int Parity = 0;         // 0 none, 1 even, 2 odd
    int Stop_Bits = 1;      // 1 or 2
    int Timeout_Ms = 1000;  // response time-out
    int Pause_Ms = 100;     // pause between two requests

    bool operator==(const Poll_Serial_Settings&) const = default;
};

// Why the general parameters cannot drive a test: a protocol other than
// Modbus RTU or JBUS (Text_Index 994, Detail the protocol's name), or a
// setting outside its list or range (Text_Index 998, Detail "element = text").
struct Poll_Settings_Failure {
    int Text_Index = 0;
    QString Detail;

    bool operator==(const Poll_Settings_Failure&) const = default;
};

// The settings of `params`: Ser_Baud (list A), Ser_Par, Ser_StopBits, Ser_TO
// and Ser_CD (0 to 60000 ms), for the protocols Modbus RTU and JBUS (the same
// frames). The first failure when the document cannot drive the test.
std::optional<Poll_Settings_Failure> Poll_Settings_From(const General_Params& params,
                                                        Poll_Serial_Settings& settings);

QString Poll_Settings_Message(const Text_Table& texts, const Poll_Settings_Failure& failure);

// The names the general parameters editor shows for list B and for parity.
QString Protocol_Name(int ser_prot);
QString Parity_Name(int parity);
