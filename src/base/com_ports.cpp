#include "base/com_ports.h"

#include <QSerialPortInfo>
#include <algorithm>

#ifndef Q_OS_WIN
// Windows probes its COM devices instead (com_ports_win.cpp).
QList<Serial_Port> System_Serial_Port_Source::Ports() {
    QList<Serial_Port> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.append({info.portName(), info.systemLocation()});
    return ports;
}
#endif

namespace {

// Splits "ttyUSB12" into "ttyUSB" and 12; a name without trailing digits
// gives -1.
std::pair<QString, qint64> Name_Key(const QString& name) {
    qsizetype digits = name.size();
    while (digits > 0 && name[digits - 1].isDigit())
        --digits;
    if (digits == name.size() || name.size() - digits > 9)
        return {name, -1};
    return {name.left(digits), name.mid(digits).toLongLong()};
}

} // namespace

QList<Serial_Port> List_COM_Ports(Serial_Port_Source& source) {
    QList<Serial_Port> ports;
    for (const Serial_Port& port : source.Ports()) {
        const bool known = std::any_of(ports.cbegin(), ports.cend(),
                                       [&](const Serial_Port& other) { return other.name == port.name; });
        if (!known && !port.name.isEmpty())
            ports.append(port);
    }
    std::stable_sort(ports.begin(), ports.end(), [](const Serial_Port& a, const Serial_Port& b) {
        const auto ka = Name_Key(a.name);
        const auto kb = Name_Key(b.name);
        const int by_prefix = ka.first.compare(kb.first, Qt::CaseInsensitive);
        if (by_prefix != 0)
            return by_prefix < 0;
        if (ka.second != kb.second)
            return ka.second < kb.second;
        return a.name < b.name;
    });
    return ports;
}
