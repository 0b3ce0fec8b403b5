#pragma once

#include "base/kc_error.h"
#include "update/com_ports.h"
#include "update/echo_client.h"
#include "update/icmp_echo.h"
#include "update/start_program.h"
#include "update/update_clock.h"

#include <QList>
#include <QStringList>
#include <functional>

// Time that moves only when someone sleeps or the test advances it.
class Fake_Clock : public Update_Clock {
public:
    qint64 Now_Ms() override { return now; }
    void Sleep_Ms(int ms) override {
        now += ms;
        slept += ms;
    }
    qint64 now = 1000;
    qint64 slept = 0;
};

// Records every start; the started program ends after `polls_until_end`
// looks at its status (never when negative).
class Fake_Starter : public Program_Starter {
public:
    struct Call {
        QString program;
        QString command_line;
        bool show_window;
    };

    std::unique_ptr<Started_Program> Start(const QString& program, const QString& command_line,
                                           bool show_window, QString& error) override {
        calls.append({program, command_line, show_window});
        if (!start_error.isEmpty()) {
            error = start_error;
            return nullptr;
        }
        return std::make_unique<Program>(*this);
    }

    QList<Call> calls;
    QString start_error; // non-empty: the start fails with it
    int polls_until_end = 0;
    int polls = 0;
    std::function<void()> on_poll;

private:
    class Program : public Started_Program {
    public:
        explicit Program(Fake_Starter& starter) : starter_(starter) {}
        bool Has_Ended() override {
            ++starter_.polls;
            if (starter_.on_poll)
                starter_.on_poll();
            return starter_.polls_until_end >= 0 && starter_.polls > starter_.polls_until_end;
        }
        qint64 Process_Id() const override { return 4711; }

    private:
        Fake_Starter& starter_;
    };
};

// An echo client that answers as the script says: for attempt n (from 1) the
// number of bytes received, 0 for a time-out (the clock then moves by the
// reply time-out), or -1 for a failure to send.
class Scripted_Echo : public Echo_Client {
public:
    explicit Scripted_Echo(Fake_Clock& clock) : clock_(clock) {}
    int Send_Echo(const QString& host, const QByteArray& data, int reply_timeout_ms) override {
        ++attempts;
        hosts << host;
        payloads << data;
        const int bytes = script ? script(attempts) : 0;
        if (bytes < 0)
            throw Kc_Error(QStringLiteral("cannot send to ") + host);
        clock_.Sleep_Ms(bytes == 0 ? reply_timeout_ms : 1);
        return bytes;
    }
    std::function<int(int)> script;
    int attempts = 0;
    QStringList hosts;
    QList<QByteArray> payloads;

private:
    Fake_Clock& clock_;
};

// The system's echo, allowed to ask the loopback address only: any other host
// text is refused before it reaches a socket, and a name lookup ends the test
// run at once. Tests that send a real echo go through this.
class Loopback_Only_Echo : public Echo_Client {
public:
    explicit Loopback_Only_Echo(System_Echo_Client::Method method = System_Echo_Client::Method::Automatic)
        : real(method, [](const QString& name) -> QList<QHostAddress> {
              qFatal("a test asked for a name lookup of %s", qPrintable(name));
          }) {}
    int Send_Echo(const QString& host, const QByteArray& data, int reply_timeout_ms) override {
        if (host != QLatin1String("127.0.0.1")) {
            refused << host;
            throw Kc_Error(QStringLiteral("a test may only send to 127.0.0.1, not to ") + host);
        }
        ++sent;
        return real.Send_Echo(host, data, reply_timeout_ms);
    }
    System_Echo_Client real;
    int sent = 0;
    QStringList refused;
};

class Fixed_Ports : public Serial_Port_Source {
public:
    QList<Serial_Port> Ports() override { return ports; }
    QList<Serial_Port> ports;
};
