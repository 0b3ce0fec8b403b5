#pragma once

#include "update/update_clock.h"

#include <QByteArray>
#include <QString>
#include <functional>

// Sends ICMP echo requests; tests replace it.
class Echo_Client {
public:
    virtual ~Echo_Client() = default;
    // Sends one echo request carrying `data` to `host` (a dotted address or a
    // host name) and waits up to `reply_timeout_ms` for its reply. Gives the
    // number of bytes received: 0 when no reply came in time. Throws Kc_Error
    // when the host cannot be resolved or the request cannot be sent.
    virtual int Send_Echo(const QString& host, const QByteArray& data, int reply_timeout_ms) = 0;
};

// Asks `host` for echoes until two attempts have been answered or
// timing.echo_limit_ms have passed. Each reply goes to `ping_reply` (which
// sets ping_res); after each attempt the caller's `process_events` runs every
// timing.echo_step_ms while ping_res is 0 and the attempt is younger than
// timing.echo_attempt_ms. True when the last attempt was answered (ping_res
// 1); false also when sending fails, with ping_res as it was then.
bool Echo_Check(Echo_Client& client, Update_Clock& clock, const Update_Timing& timing, const QString& host,
                int& ping_res, const std::function<void(int)>& ping_reply,
                const std::function<void()>& process_events);
