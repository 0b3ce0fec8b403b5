#pragma once

#include <QList>
#include <QString>

// One serial port present on the machine: its name as the platform names it
// ("COM3" on Windows, "ttyUSB0" on Linux) and its system location
// ("\\.\COM3", "/dev/ttyUSB0").
struct Serial_Port {
    QString name;
    QString location;
};

// Where the list of serial ports comes from; tests replace it.
class Serial_Port_Source {
public:
    virtual ~Serial_Port_Source() = default;
    // Every serial port that exists, including those another program holds.
    virtual QList<Serial_Port> Ports() = 0;
};

// The system's serial ports, whether or not another program has them open:
// through QSerialPortInfo, and on Windows by opening each device \\.\COM1 to
// \\.\COM256 (a port another program holds refuses with access denied).
class System_Serial_Port_Source : public Serial_Port_Source {
public:
    QList<Serial_Port> Ports() override;
};

// The ports of the source in ascending order: by their number first (COM2
// before COM10, ttyS2 before ttyS10), ports without a number by name.
// Duplicate names are listed once.
QList<Serial_Port> List_COM_Ports(Serial_Port_Source& source);
