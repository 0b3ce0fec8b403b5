#pragma once

#include <QString>
#include <optional>

struct Poll_Serial_Settings;
class Text_Table;

// A serial port that cannot be opened (Setting empty) or that refuses one of
// the settings (Setting names it and its value). A Port that is empty or only
// blanks was never tried: the name itself is missing.
struct Poll_Port_Failure {
    QString Port;
    QString Setting;
    QString System_Error;

    bool operator==(const Poll_Port_Failure&) const = default;
};

// Opens `port` (a name such as COM3 or ttyUSB0, or a device path), applies
// the baud rate, eight data bits, the parity and the stop bits one after the
// other, so that the setting the device refuses can be named, and closes it
// again. Nothing when the port takes every setting.
std::optional<Poll_Port_Failure> Check_Poll_Port(const QString& port, const Poll_Serial_Settings& settings);

// Texts 780 (the port name is empty), 995 (cannot open) or 996/997 (refuses a
// setting) with the port, the setting and the system's text.
QString Poll_Port_Message(const Text_Table& texts, const Poll_Port_Failure& failure);
