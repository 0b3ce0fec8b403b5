#include "base/name_lookup.h"
#include "update/echo_client.h"
#include "update/icmp_echo.h"

#include "base/kc_error.h"
#include <QTimer>

Echo_Check::Echo_Check(Echo_Client& client, Name_Lookup& lookup, const Update_Timing& timing, QObject* parent)
    : QObject(parent), client_(client), lookup_(lookup), timing_(timing) {
    reply_timer_ = new QTimer(this);
    reply_timer_->setSingleShot(true);
    reply_timer_->setTimerType(Qt::PreciseTimer);
    connect(reply_timer_, &QTimer::timeout, this, [this] { Attempt_Over(0); });
    step_timer_ = new QTimer(this);
    step_timer_->setSingleShot(true);
    step_timer_->setTimerType(Qt::PreciseTimer);
    connect(step_timer_, &QTimer::timeout, this, &Echo_Check::After_Step);
    connect(&lookup_, &Name_Lookup::Finished, this, [this](const QList<QHostAddress>& addresses) {
        if (!running_ || !target_.isNull())
            return;
        for (const QHostAddress& address : addresses) {
            if (address.protocol() == QAbstractSocket::IPv4Protocol) {
                target_ = address;
                Send_Attempt();
                return;
            }
        }
        End(false); // a name without an IPv4 address
    });
}

Echo_Check::~Echo_Check() {
    Cancel();
}

void Echo_Check::Start(const QString& host, int& ping_res, std::function<void(int)> ping_reply) {
    Cancel();
    ping_res_ = &ping_res;
    ping_res = 0;
    ping_reply_ = std::move(ping_reply);
    data_ = host.toUtf8();
    attempts_ = 0;
    answered_ = 0;
    target_.clear();
    running_ = true;
    ++generation_;
    started_.start();
    const Echo_Target parsed = Parse_Echo_Host(host);
    switch (parsed.kind) {
    case Echo_Target::Kind::Address:
        target_ = parsed.address;
        QTimer::singleShot(0, this, [this, generation = generation_] {
            if (running_ && generation == generation_)
                Send_Attempt();
        });
        break;
    case Echo_Target::Kind::Host_Name:
        lookup_.Start(host);
        break;
    case Echo_Target::Kind::Invalid:
        // Never looked up, never sent to.
        QTimer::singleShot(0, this, [this, generation = generation_] {
            if (running_ && generation == generation_)
                End(false);
        });
        break;
    }
}

void Echo_Check::Cancel() {
    if (!running_)
        return;
    running_ = false;
    ++generation_;
    reply_timer_->stop();
    step_timer_->stop();
    lookup_.Cancel();
    client_.Stop();
}

void Echo_Check::Send_Attempt() {
    ++attempts_;
    QString error;
    const quint64 generation = generation_;
    const bool sent = client_.Send_Echo(
        target_, data_,
        [this, generation](int bytes) {
            if (running_ && generation == generation_ && reply_timer_->isActive())
                Attempt_Over(bytes);
        },
        error);
    if (!sent) {
        End(false);
        return;
    }
    reply_timer_->start(timing_.echo_reply_timeout_ms);
}

void Echo_Check::Attempt_Over(int bytes_received) {
    reply_timer_->stop();
    client_.Stop();
    if (ping_reply_)
        ping_reply_(bytes_received);
    step_timer_->start(timing_.echo_step_ms);
}

void Echo_Check::After_Step() {
    if (*ping_res_ == 1)
        ++answered_;
    if (answered_ >= 2 || started_.elapsed() > timing_.echo_limit_ms) {
        End(*ping_res_ == 1);
        return;
    }
    Send_Attempt();
}

void Echo_Check::End(bool answered) {
    running_ = false;
    ++generation_;
    reply_timer_->stop();
    step_timer_->stop();
    client_.Stop();
    emit Finished(answered);
}
