#include "text/http_get.h"

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkProxy>
#include <QTcpSocket>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace {

constexpr qsizetype Max_Answer_Size = 1024 * 1024;

int Remaining_Ms(const QDeadlineTimer& deadline) {
    return static_cast<int>(qMax<qint64>(0, deadline.remainingTime()));
}

// The blocking system lookup has no time-out of its own, so it runs on a
// helper thread and the caller waits only until the deadline. A lookup that
// outlives the deadline finishes on its own and its result is dropped.
QList<QHostAddress> Resolve(const QString& host, const QDeadlineTimer& deadline) {
    QHostAddress literal;
    if (literal.setAddress(host))
        return {literal};

    struct Lookup {
        std::mutex mutex;
        std::condition_variable done_signal;
        bool done = false;
        QList<QHostAddress> addresses;
    };
    auto lookup = std::make_shared<Lookup>();
    std::thread([lookup, host] {
        const QHostInfo info = QHostInfo::fromName(host);
        std::lock_guard lock(lookup->mutex);
        if (info.error() == QHostInfo::NoError)
            lookup->addresses = info.addresses();
        lookup->done = true;
        lookup->done_signal.notify_all();
    }).detach();

    std::unique_lock lock(lookup->mutex);
    lookup->done_signal.wait_for(lock, std::chrono::milliseconds(Remaining_Ms(deadline)),
                                 [&] { return lookup->done; });
    return lookup->done ? lookup->addresses : QList<QHostAddress>{};
}

bool Connect(QTcpSocket& socket, const QList<QHostAddress>& addresses, quint16 port,
             const QDeadlineTimer& deadline) {
    for (const QHostAddress& address : addresses) {
        if (deadline.hasExpired())
            return false;
        socket.connectToHost(address, port);
        if (socket.waitForConnected(Remaining_Ms(deadline)))
            return true;
        socket.abort();
    }
    return false;
}

} // namespace

Http_Answer Http10_Get(const QString& host, quint16 port, const QByteArray& path_and_query,
                       const Http_Headers& headers, std::chrono::milliseconds limit) {
    const QDeadlineTimer deadline(limit.count());

    QTcpSocket socket;
    socket.setProxy(QNetworkProxy::NoProxy);
    if (!Connect(socket, Resolve(host, deadline), port, deadline))
        return {};

    QByteArray request = "GET " + path_and_query + " HTTP/1.0\r\n";
    request += "Host: " + host.toUtf8();
    if (port != 80)
        request += ':' + QByteArray::number(port);
    request += "\r\n";
    for (const auto& [name, value] : headers)
        request += name + ": " + value + "\r\n";
    request += "\r\n";
    socket.write(request);

    QByteArray data;
    bool closed_by_server = false;
    while (true) {
        data += socket.readAll();
        if (data.size() > Max_Answer_Size)
            return {};
        const qint64 expected = Http_Answer_Size(data, Max_Answer_Size);
        if (expected == Http_Size_Malformed)
            return {};
        if (expected >= 0 && data.size() >= expected)
            break;
        if (socket.state() != QAbstractSocket::ConnectedState) {
            closed_by_server = socket.error() == QAbstractSocket::RemoteHostClosedError;
            break;
        }
        if (deadline.hasExpired())
            return {};
        if (!socket.waitForReadyRead(Remaining_Ms(deadline))) {
            data += socket.readAll();
            if (socket.error() != QAbstractSocket::RemoteHostClosedError)
                return {}; // time-out or a broken connection
            closed_by_server = true;
            break;
        }
    }
    socket.abort();
    if (data.size() > Max_Answer_Size)
        return {};
    return Parse_Http_Answer(data, closed_by_server, Max_Answer_Size);
}
