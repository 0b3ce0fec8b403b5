#pragma once

#include "update/update_clock.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <functional>

class Name_Lookup;
class QTimer;

// Sends ICMP echo requests without waiting for their replies; tests replace
// it.
class Echo_Client {
public:
    using Reply = std::function<void(int bytes_received)>;

    virtual ~Echo_Client() = default;
    // Sends one echo request carrying `data` to `target` and gives at once.
    // Its reply, when one comes, goes to `reply` with the number of bytes
    // received, later, on the calling thread's event loop and never from
    // inside this call. A new request or Stop drops the one before. False,
    // with the reason in `error`, when the request cannot be sent.
    virtual bool Send_Echo(const QHostAddress& target, const QByteArray& data, Reply reply,
                           QString& error) = 0;
    // Drops the request in flight: its reply is no longer delivered.
    virtual void Stop() = 0;
};

// The echo check of the update dialog, driven by the event loop. It asks the
// host for echoes until two attempts have been answered or
// timing.echo_limit_ms have passed. Each attempt waits up to
// timing.echo_reply_timeout_ms for its reply; the reply, or its absence
// (0 bytes), goes to `ping_reply`, which sets ping_res; after
// timing.echo_step_ms the next attempt starts. A host name is looked up
// first, once. The answer comes through Finished: true when the last attempt
// was answered (ping_res 1); false also when the text is no address or name,
// the name has no IPv4 address or sending fails, ping_res then as it was.
class Echo_Check : public QObject {
    Q_OBJECT
public:
    Echo_Check(Echo_Client& client, Name_Lookup& lookup, const Update_Timing& timing,
               QObject* parent = nullptr);
    ~Echo_Check() override;

    // Starts the check of `host` (the four address edits joined by ".") and
    // gives at once; ping_res is set to 0 here and updated through
    // `ping_reply` while the check runs.
    void Start(const QString& host, int& ping_res, std::function<void(int)> ping_reply);
    // Stops the check: no further echo is sent and Finished does not come.
    void Cancel();
    bool Running() const { return running_; }
    int Attempts() const { return attempts_; }

Q_SIGNALS:
    void Finished(bool answered);

private:
    void Send_Attempt();
    void Attempt_Over(int bytes_received);
    void After_Step();
    void End(bool answered);

    Echo_Client& client_;
    Name_Lookup& lookup_;
    Update_Timing timing_;
    QTimer* reply_timer_ = nullptr;
    QTimer* step_timer_ = nullptr;
    QElapsedTimer started_;
    QHostAddress target_;
    QByteArray data_;
    int* ping_res_ = nullptr;
    std::function<void(int)> ping_reply_;
    int attempts_ = 0;
    int answered_ = 0;
    quint64 generation_ = 0;
    bool running_ = false;
};
