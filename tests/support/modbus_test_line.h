#pragma once

#include <QByteArray>
#include <QList>
#include <QModbusPdu>
#include <QModbusRtuSerialServer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>

class QSocketNotifier;

// Two pseudo-terminals joined by a relay in this process: what a program
// writes to Client_Port() reaches Server_Port() and back. The relay forwards
// a frame once the line has been quiet for a few milliseconds, so a hook sees
// whole RTU frames and can damage or drop them.
class Pty_Link : public QObject {
    Q_OBJECT
public:
    Pty_Link();
    ~Pty_Link() override;

    bool Ok() const { return error_.isEmpty(); }
    QString Error() const { return error_; }
    QString Client_Port() const { return sides_[0].path; }
    QString Server_Port() const { return sides_[1].path; }

    // Each frame from the server to the client passes through this; an empty
    // result drops the frame.
    std::function<QByteArray(const QByteArray&)> To_Client;
    // Every frame the client sent, as it reached the server's side.
    QList<QByteArray> To_Server_Frames;
    // True when the client's pseudo-terminal refuses or drops a parity bit
    // (even or odd), as Linux pseudo-terminals do.
    bool Refuses_Parity(bool odd = false) const;
    // Closes the client's side as an unplugged adapter would.
    void Hang_Up_Client();

private:
    struct Side {
        int master = -1;
        int slave = -1; // kept open so the master never reads a hang-up
        QString path;
        QSocketNotifier* notifier = nullptr;
        QByteArray pending;
        QTimer* quiet = nullptr;
    };
    bool Open_Side(Side& side);
    void Read(int from);
    void Forward(int from);

    Side sides_[2];
    QString error_;
};

// A Modbus RTU slave on a serial port holding a known map:
//   coils 0..15 and discrete inputs 0..15 (bit i is i % 3 == 0),
//   holding registers 0..9 = 1000 + i, input registers 0..9 = 2000 + i.
// It keeps the function code of every request it receives.
class Test_Modbus_Slave : public QModbusRtuSerialServer {
    Q_OBJECT
public:
    explicit Test_Modbus_Slave(int address = 1);
    bool Open(const QString& port);

    QList<int> Functions_Seen;
    // When set and giving a response, that response answers the request.
    std::function<std::optional<QModbusResponse>(const QModbusPdu&)> Answer;

protected:
    QModbusResponse processRequest(const QModbusPdu& request) override;
};

// The Modbus RTU CRC of the bytes, low byte first as it is sent.
QByteArray Modbus_Crc(const QByteArray& bytes);

// The values of the known map.
inline quint16 Test_Holding_Register(int address) {
    return quint16(1000 + address);
}
inline quint16 Test_Input_Register(int address) {
    return quint16(2000 + address);
}
inline quint16 Test_Bit(int address) {
    return address % 3 == 0 ? 1 : 0;
}
