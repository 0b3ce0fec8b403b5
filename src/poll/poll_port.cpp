#include "poll/poll_port.h"

#include "base/text_table.h"
#include "poll/poll_serial_settings.h"
#include "poll/rules_test_text.h"

#include <QSerialPort>
#include <functional>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <termios.h>
#endif

namespace {

// One setting applied to the open port: its name in messages, the call, and
// the control flag bits it must leave as `expected` within `mask`.
struct Port_Setting {
    QString name;
    std::function<bool()> apply;
    unsigned mask = 0;
    unsigned expected = 0;
};

// Whether the port kept the control flag bits of a setting. Some drivers,
// pseudo-terminals among them, drop a setting they cannot do and still report
// success.
bool Kept([[maybe_unused]] const QSerialPort& serial, [[maybe_unused]] const Port_Setting& setting) {
#ifdef Q_OS_UNIX
    termios tio{};
    if (setting.mask == 0 || ::tcgetattr(serial.handle(), &tio) != 0)
        return true; // nothing to compare with
    return (tio.c_cflag & setting.mask) == setting.expected;
#else
    return true; // the system refuses what the device cannot do
#endif
}

} // namespace

std::optional<Poll_Port_Failure> Check_Poll_Port(const QString& port, const Poll_Serial_Settings& settings) {
    // An empty name would reach the system as no port at all; it has no
    // system error to tell, so the message says what is wrong.
    if (port.trimmed().isEmpty())
        return Poll_Port_Failure{port, QString(), QString()};
    QSerialPort serial;
    serial.setPortName(port);
    if (!serial.open(QIODevice::ReadWrite))
        return Poll_Port_Failure{port, QString(), serial.errorString()};

    const QSerialPort::Parity parity = settings.Parity == 1   ? QSerialPort::EvenParity
                                       : settings.Parity == 2 ? QSerialPort::OddParity
                                                              : QSerialPort::NoParity;
    const QSerialPort::StopBits stop_bits =
        settings.Stop_Bits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop;
    Port_Setting steps[] = {
        {QStringLiteral("Ser_Baud = %1").arg(settings.Baud_Rate),
         [&] { return serial.setBaudRate(settings.Baud_Rate); }},
        {QStringLiteral("8 data bits"), [&] { return serial.setDataBits(QSerialPort::Data8); }},
        {QStringLiteral("Ser_Par = ") + Parity_Name(settings.Parity),
         [&] { return serial.setParity(parity); }},
        {QStringLiteral("Ser_StopBits = %1").arg(settings.Stop_Bits),
         [&] { return serial.setStopBits(stop_bits); }},
    };
#ifdef Q_OS_UNIX
    steps[1].mask = CSIZE;
    steps[1].expected = CS8;
    steps[2].mask = PARENB | PARODD;
    steps[2].expected = settings.Parity == 1 ? PARENB : settings.Parity == 2 ? PARENB | PARODD : 0;
    steps[3].mask = CSTOPB;
    steps[3].expected = settings.Stop_Bits == 2 ? CSTOPB : 0;
#endif
    for (const Port_Setting& step : steps) {
        QString error;
        if (!step.apply())
            error = serial.errorString();
#ifdef Q_OS_UNIX
        else if (!Kept(serial, step))
            error = qt_error_string(EINVAL); // dropped without a word: as good as refused
#endif
        if (!error.isEmpty()) {
            Poll_Port_Failure failure{port, step.name, error};
            serial.close();
            return failure;
        }
    }
    serial.close();
    return std::nullopt;
}

QString Poll_Port_Message(const Text_Table& texts, const Poll_Port_Failure& failure) {
    if (failure.Port.trimmed().isEmpty())
        return texts[Poll_Text::Port_Name_Empty];
    if (failure.Setting.isEmpty())
        return texts[Poll_Text::Port_Not_Opened] + failure.Port + QStringLiteral(": ") + failure.System_Error;
    return texts[Poll_Text::Port_Refused] + failure.Port + texts[Poll_Text::Setting_Refused] +
           failure.Setting + QStringLiteral(": ") + failure.System_Error;
}
