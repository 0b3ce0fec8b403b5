#pragma once

#include "base/com_ports.h"
#include "base/kc_error.h"
#include "base/name_lookup.h"
#include "update/echo_client.h"
#include "update/icmp_echo.h"
#include "update/start_program.h"
#include "update/update_clock.h"

#include <QList>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <optional>

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
// looks at its status (never when negative), as `end` says, and writes
// output[n] before its n-th look.
class Fake_Starter : public Program_Starter {
public:
    struct Call {
        QString program;
        QStringList arguments;
        std::optional<QString> windows_command_line;
        bool show_window;
    };

    std::unique_ptr<Started_Program> Start(const QString& program, const Program_Arguments& arguments,
                                           bool show_window, QString& error) override {
        calls.append({program, arguments.list, arguments.windows_command_line, show_window});
        if (!start_error.isEmpty()) {
            error = start_error;
            return nullptr;
        }
        polls = 0;
        return std::make_unique<Program>(*this);
    }

    QList<Call> calls;
    QString start_error; // non-empty: the start fails with it
    int polls_until_end = 0;
    int polls = 0;
    Program_End end;
    QList<QByteArray> output;
    std::function<void()> on_poll;
    int stops = 0; // Stop calls; a stopped program ends at its next look, killed by signal 9

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
        Program_End End() const override { return starter_.end; }
        QByteArray Read_Output() override {
            QByteArray written;
            while (read_ < starter_.polls && read_ < starter_.output.size())
                written += starter_.output[read_++];
            return written;
        }
        qint64 Process_Id() const override { return 4711; }
        void Stop() override {
            ++starter_.stops;
            starter_.polls_until_end = starter_.polls;
            starter_.end = {true, 9};
        }

    private:
        Fake_Starter& starter_;
        int read_ = 0;
    };
};

// An echo client that answers as the script says: for attempt n (from 1) the
// number of bytes of the reply, delivered a moment later; 0 for no reply at
// all (the check's own time-out ends the attempt); -1 for a failure to send.
class Scripted_Echo : public Echo_Client {
public:
    bool Send_Echo(const QHostAddress& target, const QByteArray& data, Reply reply, QString& error) override {
        ++attempts;
        targets << target;
        payloads << data;
        if (on_send)
            on_send(attempts);
        const int bytes = script ? script(attempts) : 0;
        if (bytes < 0) {
            error = QStringLiteral("cannot send to ") + target.toString();
            return false;
        }
        Stop();
        if (bytes > 0) {
            pending_ = new QTimer;
            pending_->setSingleShot(true);
            QObject::connect(pending_, &QTimer::timeout, pending_, [reply, bytes] { reply(bytes); });
            pending_->start(1);
        }
        return true;
    }
    void Stop() override {
        ++stops;
        if (pending_) {
            pending_->stop();
            pending_->deleteLater();
            pending_ = nullptr;
        }
    }
    ~Scripted_Echo() override { delete pending_; }

    std::function<int(int)> script;
    std::function<void(int)> on_send;
    int attempts = 0;
    int stops = 0;
    QList<QHostAddress> targets;
    QList<QByteArray> payloads;

private:
    QTimer* pending_ = nullptr;
};

// The system's echo, allowed to send to the loopback address only: any other
// target is refused before it reaches a socket. Tests that send a real echo
// go through this.
class Loopback_Only_Echo : public Echo_Client {
public:
    explicit Loopback_Only_Echo(System_Echo_Client::Method method = System_Echo_Client::Method::Automatic)
        : real(method) {}
    bool Send_Echo(const QHostAddress& target, const QByteArray& data, Reply reply, QString& error) override {
        if (target != QHostAddress(QHostAddress::LocalHost)) {
            refused << target.toString();
            error = QStringLiteral("a test may only send to 127.0.0.1, not to ") + target.toString();
            return false;
        }
        ++sent;
        return real.Send_Echo(target, data, std::move(reply), error);
    }
    void Stop() override { real.Stop(); }
    System_Echo_Client real;
    int sent = 0;
    QStringList refused;
};

// A name lookup that never asks the system: it answers `answer` a moment
// later, or never when there is none.
class Fake_Lookup : public Name_Lookup {
public:
    void Start(const QString& name) override {
        names << name;
        if (!answer)
            return;
        QTimer::singleShot(1, this, [this, generation = ++generation_] {
            if (generation == generation_)
                Deliver(*answer);
        });
    }
    void Cancel() override {
        ++generation_;
        ++cancels;
    }
    std::optional<QList<QHostAddress>> answer;
    QStringList names;
    int cancels = 0;

private:
    int generation_ = 0;
};

class Fixed_Ports : public Serial_Port_Source {
public:
    QList<Serial_Port> Ports() override { return ports; }
    QList<Serial_Port> ports;
};
