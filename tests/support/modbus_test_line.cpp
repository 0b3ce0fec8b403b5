#include "modbus_test_line.h"

#include <QModbusDataUnitMap>
#include <QSerialPort>
#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {

// The relay forwards a frame after this much silence on its side.
constexpr int quiet_ms = 4;

} // namespace

Pty_Link::Pty_Link() {
    for (int i = 0; i < 2; ++i) {
        if (!Open_Side(sides_[i]))
            return;
        sides_[i].quiet = new QTimer(this);
        sides_[i].quiet->setSingleShot(true);
        sides_[i].quiet->setInterval(quiet_ms);
        connect(sides_[i].quiet, &QTimer::timeout, this, [this, i] { Forward(i); });
        sides_[i].notifier = new QSocketNotifier(sides_[i].master, QSocketNotifier::Read, this);
        connect(sides_[i].notifier, &QSocketNotifier::activated, this, [this, i] { Read(i); });
    }
}

Pty_Link::~Pty_Link() {
    for (Side& side : sides_) {
        delete side.notifier;
        if (side.master >= 0)
            ::close(side.master);
        if (side.slave >= 0)
            ::close(side.slave);
    }
}

bool Pty_Link::Open_Side(Side& side) {
    side.master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (side.master < 0 || ::grantpt(side.master) != 0 || ::unlockpt(side.master) != 0) {
        error_ =
            QStringLiteral("cannot create a pseudo-terminal: ") + QString::fromLocal8Bit(strerror(errno));
        return false;
    }
    const char* name = ::ptsname(side.master);
    if (!name) {
        error_ = QStringLiteral("ptsname failed");
        return false;
    }
    side.path = QString::fromLocal8Bit(name);
    side.slave = ::open(name, O_RDWR | O_NOCTTY);
    if (side.slave < 0) {
        error_ = QStringLiteral("cannot open ") + side.path;
        return false;
    }
    // Raw from the start: no echo, no line editing, bytes as they are.
    termios tio{};
    ::tcgetattr(side.slave, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(side.slave, TCSANOW, &tio);
    ::fcntl(side.master, F_SETFL, ::fcntl(side.master, F_GETFL) | O_NONBLOCK);
    return true;
}

void Pty_Link::Read(int from) {
    Side& side = sides_[from];
    char buffer[512];
    for (;;) {
        const ssize_t count = ::read(side.master, buffer, sizeof buffer);
        if (count <= 0)
            break;
        side.pending.append(buffer, count);
    }
    side.quiet->start();
}

void Pty_Link::Forward(int from) {
    QByteArray frame = sides_[from].pending;
    sides_[from].pending.clear();
    if (from == 0)
        To_Server_Frames.append(frame);
    if (from == 1 && To_Client)
        frame = To_Client(frame);
    if (!frame.isEmpty() && sides_[1 - from].master >= 0)
        (void)!::write(sides_[1 - from].master, frame.constData(), frame.size());
}

bool Pty_Link::Refuses_Parity(bool odd) const {
    termios tio{};
    if (::tcgetattr(sides_[0].slave, &tio) != 0)
        return false;
    const termios old = tio;
    tio.c_cflag |= odd ? PARENB | PARODD : PARENB;
    bool refused = ::tcsetattr(sides_[0].slave, TCSANOW, &tio) != 0;
    if (!refused && ::tcgetattr(sides_[0].slave, &tio) == 0)
        refused = !(tio.c_cflag & PARENB);
    ::tcsetattr(sides_[0].slave, TCSANOW, &old);
    return refused;
}

void Pty_Link::Hang_Up_Client() {
    Side& side = sides_[0];
    delete side.notifier;
    side.notifier = nullptr;
    ::close(side.slave);
    ::close(side.master);
    side.slave = side.master = -1;
}

QByteArray Modbus_Crc(const QByteArray& bytes) {
    quint16 crc = 0xFFFF;
    for (char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    QByteArray result;
    result.append(char(crc & 0xFF));
    result.append(char(crc >> 8));
    return result;
}

Test_Modbus_Slave::Test_Modbus_Slave(int address) {
    setServerAddress(address);
    QModbusDataUnitMap map;
    map.insert(QModbusDataUnit::Coils, {QModbusDataUnit::Coils, 0, 16});
    map.insert(QModbusDataUnit::DiscreteInputs, {QModbusDataUnit::DiscreteInputs, 0, 16});
    map.insert(QModbusDataUnit::HoldingRegisters, {QModbusDataUnit::HoldingRegisters, 0, 10});
    map.insert(QModbusDataUnit::InputRegisters, {QModbusDataUnit::InputRegisters, 0, 10});
    setMap(map);
    for (int i = 0; i < 16; ++i) {
        setData(QModbusDataUnit::Coils, quint16(i), Test_Bit(i));
        setData(QModbusDataUnit::DiscreteInputs, quint16(i), Test_Bit(i));
    }
    for (int i = 0; i < 10; ++i) {
        setData(QModbusDataUnit::HoldingRegisters, quint16(i), Test_Holding_Register(i));
        setData(QModbusDataUnit::InputRegisters, quint16(i), Test_Input_Register(i));
    }
}

bool Test_Modbus_Slave::Open(const QString& port) {
    setConnectionParameter(QModbusDevice::SerialPortNameParameter, port);
    setConnectionParameter(QModbusDevice::SerialBaudRateParameter, QSerialPort::Baud115200);
    setConnectionParameter(QModbusDevice::SerialDataBitsParameter, QSerialPort::Data8);
    setConnectionParameter(QModbusDevice::SerialParityParameter, QSerialPort::NoParity);
    setConnectionParameter(QModbusDevice::SerialStopBitsParameter, QSerialPort::OneStop);
    return connectDevice();
}

QModbusResponse Test_Modbus_Slave::processRequest(const QModbusPdu& request) {
    Functions_Seen.append(request.functionCode());
    if (Answer)
        if (std::optional<QModbusResponse> answer = Answer(request))
            return *answer;
    return QModbusRtuSerialServer::processRequest(request);
}
