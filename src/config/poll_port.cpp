#include "config/poll_port.h"

#include "config/poll_serial_settings.h"
#include "text/text_table.h"

#include <QSerialPort>
#include <functional>

std::optional<Poll_Port_Failure> Check_Poll_Port(const QString& port, const Poll_Serial_Settings& settings) {
    QSerialPort serial;
    serial.setPortName(port);
    if (port.trimmed().isEmpty() || !serial.open(QIODevice::ReadWrite))
        return Poll_Port_Failure{port, QString(), serial.errorString()};

    const QSerialPort::Parity parity = settings.Parity == 1   ? QSerialPort::EvenParity
                                       : settings.Parity == 2 ? QSerialPort::OddParity
                                                              : QSerialPort::NoParity;
    const struct {
        QString name;
        std::function<bool()> apply;
    } steps[] = {
        {QStringLiteral("Ser_Baud = %1").arg(settings.Baud_Rate),
         [&] { return serial.setBaudRate(settings.Baud_Rate); }},
        {QStringLiteral("8 data bits"), [&] { return serial.setDataBits(QSerialPort::Data8); }},
        {QStringLiteral("Ser_Par = ") + Parity_Name(settings.Parity),
         [&] { return serial.setParity(parity); }},
        {QStringLiteral("Ser_StopBits = %1").arg(settings.Stop_Bits),
         [&] {
             return serial.setStopBits(settings.Stop_Bits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
         }},
    };
    for (const auto& step : steps) {
        if (!step.apply()) {
            Poll_Port_Failure failure{port, step.name, serial.errorString()};
            serial.close();
            return failure;
        }
    }
    serial.close();
    return std::nullopt;
}

QString Poll_Port_Message(const Text_Table& texts, const Poll_Port_Failure& failure) {
    if (failure.Setting.isEmpty())
        return texts[995] + failure.Port + QStringLiteral(": ") + failure.System_Error;
    return texts[996] + failure.Port + texts[997] + failure.Setting + QStringLiteral(": ") +
           failure.System_Error;
}
