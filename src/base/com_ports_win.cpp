// The serial ports of a Windows machine: every device \\.\COM1 to
// \\.\COM256 that opens, or that refuses the open because another program
// holds it (access denied). A port opened here is closed at once.
#include "base/com_ports.h"

#ifdef Q_OS_WIN

#include <windows.h>

QList<Serial_Port> System_Serial_Port_Source::Ports() {
    QList<Serial_Port> ports;
    for (int number = 1; number <= 256; ++number) {
        const QString name = QStringLiteral("COM%1").arg(number);
        const QString location = QStringLiteral("\\\\.\\") + name;
        const HANDLE handle =
            CreateFileW(reinterpret_cast<LPCWSTR>(location.utf16()), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                        OPEN_EXISTING, 0, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
            ports.append({name, location});
        } else if (GetLastError() == ERROR_ACCESS_DENIED) {
            ports.append({name, location});
        }
    }
    return ports;
}

#endif
