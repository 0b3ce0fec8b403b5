#include "poll/rules_poller.h"

#include "poll/rule_poll_reply.h"

#include <QModbusReply>
#include <QModbusRtuSerialClient>
#include <QSerialPort>
#include <QVariant>
#include <algorithm>

namespace {

// The client refuses response time-outs below 10 ms.
constexpr int shortest_timeout_ms = 10;
// How long past its time-out a request may stay open before the line counts
// as failed: the client ends every request it could send by then.
constexpr int watchdog_margin_ms = 2000;

} // namespace

Rules_Poller::Rules_Poller(QObject* parent) : QObject(parent) {
    pause_.setSingleShot(true);
    watchdog_.setSingleShot(true);
    connect(&pause_, &QTimer::timeout, this, &Rules_Poller::Send_Next);
    connect(&watchdog_, &QTimer::timeout, this,
            [this] { Line_Failed(client_ ? client_->errorString() : QString()); });
}

Rules_Poller::~Rules_Poller() {
    if (client_) {
        client_->disconnect(this);
        client_->disconnectDevice();
    }
}

std::optional<Poll_Port_Failure> Rules_Poller::Start(const QString& port,
                                                     const Poll_Serial_Settings& settings,
                                                     const QList<Poll_Request>& requests) {
    Cancel();
    if (auto failure = Check_Poll_Port(port, settings))
        return failure;

    if (client_)
        client_->deleteLater();
    client_ = new QModbusRtuSerialClient(this);
    client_->setConnectionParameter(QModbusDevice::SerialPortNameParameter, port);
    client_->setConnectionParameter(QModbusDevice::SerialBaudRateParameter, settings.Baud_Rate);
    client_->setConnectionParameter(QModbusDevice::SerialDataBitsParameter, QSerialPort::Data8);
    client_->setConnectionParameter(QModbusDevice::SerialParityParameter,
                                    settings.Parity == 1   ? QSerialPort::EvenParity
                                    : settings.Parity == 2 ? QSerialPort::OddParity
                                                           : QSerialPort::NoParity);
    client_->setConnectionParameter(QModbusDevice::SerialStopBitsParameter,
                                    settings.Stop_Bits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    client_->setTimeout(std::max(settings.Timeout_Ms, shortest_timeout_ms));
    client_->setNumberOfRetries(0);
    if (!client_->connectDevice())
        return Poll_Port_Failure{port, QString(), client_->errorString()};
    connect(client_, &QModbusDevice::errorOccurred, this, [this](QModbusDevice::Error error) {
        if (error == QModbusDevice::ConnectionError || error == QModbusDevice::ReadError ||
            error == QModbusDevice::WriteError)
            Line_Failed(client_->errorString());
    });

    requests_ = requests;
    results_.clear();
    pause_ms_ = settings.Pause_Ms;
    running_ = true;
    pause_.start(0);
    return std::nullopt;
}

void Rules_Poller::Cancel() {
    if (running_)
        Stop(true);
}

void Rules_Poller::Send_Next() {
    if (!running_)
        return;
    if (results_.size() >= requests_.size()) {
        Stop(false);
        return;
    }
    const Poll_Request& request = requests_[results_.size()];
    if (request.Invalid) {
        Poll_Result result;
        result.Request = request;
        result.Status = Poll_Status::Error;
        result.Error = Poll_Error::Not_Sent;
        Record(result);
        if (running_)
            pause_.start(0);
        return;
    }
    const QModbusRequest pdu(QModbusPdu::FunctionCode(request.Function), quint16(request.Address),
                             quint16(request.Count));
    QModbusReply* reply = client_->sendRawRequest(pdu, request.Slave);
    if (!reply) {
        Line_Failed(client_->errorString());
        return;
    }
    reply_ = reply;
    if (reply->isFinished()) {
        QTimer::singleShot(0, this, &Rules_Poller::Reply_Finished);
    } else {
        connect(reply, &QModbusReply::finished, this, &Rules_Poller::Reply_Finished);
        watchdog_.start(client_->timeout() + watchdog_margin_ms);
    }
}

void Rules_Poller::Reply_Finished() {
    QModbusReply* reply = reply_;
    if (!running_ || !reply)
        return;
    watchdog_.stop();
    reply_ = nullptr;
    reply->disconnect(this);
    reply->deleteLater();
    Record(Decode_Poll_Reply(requests_[results_.size()], Reply_Facts(*reply)));
    if (!running_)
        return;
    if (results_.size() >= requests_.size())
        Stop(false);
    else
        pause_.start(pause_ms_);
}

void Rules_Poller::Line_Failed(const QString& error_text) {
    if (!running_)
        return;
    pause_.stop();
    watchdog_.stop();
    Drop_Reply();
    // The line is gone: the request awaited and every one after it end with
    // the port's error.
    while (running_ && results_.size() < requests_.size()) {
        Poll_Result result;
        result.Request = requests_[results_.size()];
        result.Status = Poll_Status::Error;
        result.Error = Poll_Error::Line;
        result.Detail = error_text;
        Record(result);
    }
    if (running_)
        Stop(false);
}

void Rules_Poller::Drop_Reply() {
    if (!reply_)
        return;
    reply_->disconnect(this);
    reply_->deleteLater();
    reply_ = nullptr;
}

void Rules_Poller::Record(const Poll_Result& result) {
    results_.append(result);
    emit Rule_Done(static_cast<int>(results_.size()) - 1, result);
}

void Rules_Poller::Stop(bool cancelled) {
    running_ = false;
    pause_.stop();
    watchdog_.stop();
    Drop_Reply();
    if (client_) {
        client_->disconnect(this);
        client_->disconnectDevice();
    }
    emit Finished(cancelled);
}
