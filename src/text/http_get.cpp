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

qsizetype Header_End(const QByteArray& data, qsizetype* separator_size) {
    qsizetype end = data.indexOf("\r\n\r\n");
    *separator_size = 4;
    const qsizetype bare = data.indexOf("\n\n");
    if (bare >= 0 && (end < 0 || bare < end)) {
        end = bare;
        *separator_size = 2;
    }
    return end;
}

// Value of the header `name` (case-insensitive), or a null array.
QByteArray Header_Value(const QList<QByteArray>& lines, const QByteArray& name) {
    for (const QByteArray& line : lines) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().toLower() == name)
            return line.mid(colon + 1).trimmed();
    }
    return {};
}

// -1 while the headers are incomplete or carry no Content-Length.
qint64 Expected_Total(const QByteArray& data) {
    qsizetype separator = 0;
    const qsizetype end = Header_End(data, &separator);
    if (end < 0)
        return -1;
    const QByteArray length = Header_Value(data.left(end).split('\n'), "content-length");
    bool ok = false;
    const qint64 value = length.toLongLong(&ok);
    return ok && value >= 0 ? end + separator + value : -1;
}

Http_Answer Parse_Answer(const QByteArray& data, bool closed_by_server) {
    Http_Answer answer;
    qsizetype separator = 0;
    const qsizetype end = Header_End(data, &separator);
    if (end < 0)
        return answer;
    QList<QByteArray> lines = data.left(end).split('\n');
    for (QByteArray& line : lines)
        line = line.trimmed();

    const QList<QByteArray> status_line = lines.value(0).split(' ');
    if (status_line.size() < 2 || !status_line[0].startsWith("HTTP/"))
        return answer;
    bool status_ok = false;
    answer.Status = status_line[1].toInt(&status_ok);
    if (!status_ok) {
        answer.Status = 0;
        return answer;
    }

    QByteArray body = data.mid(end + separator);
    const QByteArray length = Header_Value(lines, "content-length");
    if (!length.isNull()) {
        bool length_ok = false;
        const qint64 expected = length.toLongLong(&length_ok);
        if (!length_ok || expected < 0 || body.size() < expected)
            return answer; // a broken transfer
        body.truncate(expected);
    } else if (!closed_by_server) {
        return answer; // without a length only the server's close ends the body
    }

    const QByteArray content_type = Header_Value(lines, "content-type").toLower();
    answer.Body =
        content_type.contains("charset=utf-8") ? QString::fromUtf8(body) : QString::fromLatin1(body);
    answer.Ok = answer.Status >= 200 && answer.Status <= 299;
    return answer;
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
        const qint64 expected = Expected_Total(data);
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
    return Parse_Answer(data, closed_by_server);
}
