#include "base/name_lookup.h"

#include <QHostInfo>
#include <QMetaObject>
#include <QTimer>
#include <QUrl>
#include <mutex>
#include <thread>

#ifdef Q_OS_UNIX
#include <netdb.h>
#include <sys/socket.h>
#endif

// What the lookup thread hands back. The thread posts to `receiver` only
// while holding the mutex, and the receiver clears itself under the same
// mutex before it is destroyed, so a late answer finds nobody and is dropped.
struct Name_Lookup::Mailbox {
    std::mutex mutex;
    Name_Lookup* receiver = nullptr;
};

Name_Lookup::Name_Lookup(QObject* parent) : QObject(parent), mailbox_(std::make_shared<Mailbox>()) {
    mailbox_->receiver = this;
}

Name_Lookup::~Name_Lookup() {
    std::lock_guard lock(mailbox_->mutex);
    mailbox_->receiver = nullptr;
}

void Name_Lookup::Start(const QString& name) {
    const quint64 generation = ++generation_;
    running_ = true;
    QHostAddress literal;
    if (literal.setAddress(name)) {
        QTimer::singleShot(0, this, [this, generation, literal] {
            if (generation == generation_)
                Deliver({literal});
        });
        return;
    }
    std::thread([mailbox = mailbox_, generation, name] {
        const QList<QHostAddress> addresses = Blocking_Name_Lookup(name);
        std::lock_guard lock(mailbox->mutex);
        if (Name_Lookup* receiver = mailbox->receiver)
            QMetaObject::invokeMethod(
                receiver,
                [receiver, generation, addresses] {
                    if (generation == receiver->generation_)
                        receiver->Deliver(addresses);
                },
                Qt::QueuedConnection);
    }).detach();
}

void Name_Lookup::Cancel() {
    ++generation_;
    running_ = false;
}

void Name_Lookup::Deliver(const QList<QHostAddress>& addresses) {
    running_ = false;
    emit Finished(addresses);
}

QList<QHostAddress> Blocking_Name_Lookup(const QString& name) {
    QList<QHostAddress> v4;
    QList<QHostAddress> other;
#ifdef Q_OS_UNIX
    // getaddrinfo directly: QHostInfo::fromName also fills Qt's lookup cache,
    // which may already be gone when a lookup ends during the program's exit.
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    const QByteArray ace = QUrl::toAce(name);
    addrinfo* result = nullptr;
    if (!ace.isEmpty() && ::getaddrinfo(ace.constData(), nullptr, &hints, &result) == 0) {
        for (addrinfo* entry = result; entry; entry = entry->ai_next) {
            const QHostAddress address(entry->ai_addr);
            if (address.isNull() || v4.contains(address) || other.contains(address))
                continue;
            (address.protocol() == QAbstractSocket::IPv4Protocol ? v4 : other).append(address);
        }
        ::freeaddrinfo(result);
    }
#else
    const QHostInfo info = QHostInfo::fromName(name);
    if (info.error() == QHostInfo::NoError)
        for (const QHostAddress& address : info.addresses())
            (address.protocol() == QAbstractSocket::IPv4Protocol ? v4 : other).append(address);
#endif
    return v4 + other;
}
