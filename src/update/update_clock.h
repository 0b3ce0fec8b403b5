#pragma once

#include <QElapsedTimer>
#include <QtGlobal>

// Time as the wait for an updater sees it; tests replace it so the wait runs
// in no time.
class Update_Clock {
public:
    virtual ~Update_Clock() = default;
    // Milliseconds since some fixed moment.
    virtual qint64 Now_Ms() = 0;
    // Blocks the calling thread for about `ms` milliseconds.
    virtual void Sleep_Ms(int ms) = 0;
};

class System_Update_Clock : public Update_Clock {
public:
    System_Update_Clock() { timer_.start(); }
    qint64 Now_Ms() override { return timer_.elapsed(); }
    void Sleep_Ms(int ms) override;

private:
    QElapsedTimer timer_;
};

// The time-outs and steps of the echo check and of the wait for an updater.
struct Update_Timing {
    int echo_reply_timeout_ms = 400; // an echo request's reply is waited for this long
    int echo_step_ms = 10;           // pause after an attempt before the next one
    int echo_limit_ms = 5000;        // no new attempt after this long
    int wait_step_ms = 10;           // pause between two looks at the updater
    int wait_limit_ms = 150000;      // the updater is no longer waited for after this long
};
