#pragma once

#include "poll/poll_port.h"
#include "poll/poll_serial_settings.h"
#include "poll/rule_poll.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <optional>

class QModbusReply;
class QModbusRtuSerialClient;

// Asks the Modbus slaves on a serial line for what a list of rules reads: one
// request at a time, in list order, with the pause of the settings between two
// requests. Everything happens on the event loop; a window using it never
// waits. Rules that cannot be sent end at once with Poll_Error::Not_Sent.
class Rules_Poller : public QObject {
    Q_OBJECT
public:
    explicit Rules_Poller(QObject* parent = nullptr);
    ~Rules_Poller() override;

    // Opens the port and starts. When the port cannot be opened or refuses a
    // setting, gives the failure; nothing is sent and no signal follows.
    // Otherwise Rule_Done follows once per request and then Finished.
    std::optional<Poll_Port_Failure> Start(const QString& port, const Poll_Serial_Settings& settings,
                                           const QList<Poll_Request>& requests);
    // Stops a run: no further request is sent, the answer awaited is dropped,
    // the port is closed and Finished(true) is emitted before this returns.
    void Cancel();

    bool Running() const { return running_; }
    // The results so far, in the order of the requests.
    const QList<Poll_Result>& Results() const { return results_; }

Q_SIGNALS:
    void Rule_Done(int index, const Poll_Result& result);
    void Finished(bool cancelled);

private:
    void Send_Next();
    void Reply_Finished();
    void Line_Failed(const QString& error_text);
    // Forgets the reply awaited, if any: its answer is never read.
    void Drop_Reply();
    void Record(const Poll_Result& result);
    void Stop(bool cancelled);

    QModbusRtuSerialClient* client_ = nullptr;
    QTimer pause_;    // the pause before the next request
    QTimer watchdog_; // a request the client never ends
    QList<Poll_Request> requests_;
    QList<Poll_Result> results_;
    QPointer<QModbusReply> reply_;
    int pause_ms_ = 0;
    bool running_ = false;
};
