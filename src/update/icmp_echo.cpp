#include "update/icmp_echo.h"

#include "base/kc_error.h"
#include "update/ip_address.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QHostInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX

quint16 Checksum(const QByteArray& bytes) {
    quint32 sum = 0;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        sum += (quint8(bytes[i]) << 8) | quint8(bytes[i + 1]);
    if (bytes.size() % 2)
        sum += quint8(bytes[bytes.size() - 1]) << 8;
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<quint16>(~sum);
}

QByteArray Echo_Request(quint16 id, quint16 sequence, const QByteArray& data) {
    QByteArray packet(8, '\0');
    packet[0] = 8; // echo request
    packet[4] = char(id >> 8);
    packet[5] = char(id & 0xFF);
    packet[6] = char(sequence >> 8);
    packet[7] = char(sequence & 0xFF);
    packet += data;
    const quint16 sum = Checksum(packet);
    packet[2] = char(sum >> 8);
    packet[3] = char(sum & 0xFF);
    return packet;
}

int Open_Socket(System_Echo_Client::Method method) {
    const int type = method == System_Echo_Client::Method::Raw_Socket ? SOCK_RAW : SOCK_DGRAM;
    return ::socket(AF_INET, type | SOCK_CLOEXEC, IPPROTO_ICMP);
}

class Socket_Guard {
public:
    explicit Socket_Guard(int fd) : fd_(fd) {}
    ~Socket_Guard() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int fd() const { return fd_; }

private:
    int fd_;
};

// One echo through an ICMP socket: a datagram socket gets the ICMP message
// alone (the kernel owns the identifier), a raw socket the IP header before it
// and every ICMP message the host receives.
int Socket_Echo(System_Echo_Client::Method method, const QHostAddress& target, quint16 sequence,
                const QByteArray& data, int reply_timeout_ms) {
    const bool raw = method == System_Echo_Client::Method::Raw_Socket;
    Socket_Guard socket(Open_Socket(method));
    if (socket.fd() < 0)
        throw Kc_Error(
            QStringLiteral("Cannot open an ICMP socket: %1").arg(QString::fromLocal8Bit(strerror(errno))));
    const quint16 id = static_cast<quint16>(::getpid() & 0xFFFF);
    const QByteArray request = Echo_Request(id, sequence, data);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(target.toIPv4Address());
    if (::sendto(socket.fd(), request.constData(), size_t(request.size()), 0,
                 reinterpret_cast<sockaddr*>(&to), sizeof to) < 0)
        throw Kc_Error(QStringLiteral("Cannot send an echo request to %1: %2")
                           .arg(target.toString(), QString::fromLocal8Bit(strerror(errno))));

    QElapsedTimer timer;
    timer.start();
    char buffer[65536];
    for (;;) {
        const qint64 left = reply_timeout_ms - timer.elapsed();
        if (left <= 0)
            return 0;
        pollfd entry{socket.fd(), POLLIN, 0};
        const int ready = ::poll(&entry, 1, int(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return 0;
        sockaddr_in from{};
        socklen_t from_size = sizeof from;
        const ssize_t received =
            ::recvfrom(socket.fd(), buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &from_size);
        if (received <= 0)
            continue;
        if (from.sin_addr.s_addr != to.sin_addr.s_addr)
            continue;
        qsizetype offset = 0;
        if (raw) {
            offset = (quint8(buffer[0]) & 0x0F) * 4;
            if (received < offset + 8)
                continue;
        } else if (received < 8) {
            continue;
        }
        const quint8* icmp = reinterpret_cast<const quint8*>(buffer + offset);
        const quint16 reply_id = quint16((icmp[4] << 8) | icmp[5]);
        const quint16 reply_sequence = quint16((icmp[6] << 8) | icmp[7]);
        if (icmp[0] != 0 || reply_sequence != sequence || (raw && reply_id != id))
            continue;
        return int(received);
    }
}

#endif

// One echo through the system's ping program; a reply within the time-out
// counts as the request's data come back.
int Ping_Program_Echo(const QHostAddress& target, const QByteArray& data, int reply_timeout_ms) {
    const QString ping = QStandardPaths::findExecutable(QStringLiteral("ping"));
    if (ping.isEmpty())
        throw Kc_Error(QStringLiteral("No means to send an ICMP echo: no ICMP socket and no ping program"));
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
#ifdef Q_OS_WIN
    process.start(ping, {QStringLiteral("-n"), QStringLiteral("1"), QStringLiteral("-w"),
                         QString::number(reply_timeout_ms), target.toString()});
#else
    const int seconds = qMax(1, (reply_timeout_ms + 999) / 1000);
    process.start(ping,
                  {QStringLiteral("-n"), QStringLiteral("-q"), QStringLiteral("-c"), QStringLiteral("1"),
                   QStringLiteral("-W"), QString::number(seconds), target.toString()});
#endif
    if (!process.waitForStarted())
        throw Kc_Error(QStringLiteral("Cannot start %1: %2").arg(ping, process.errorString()));
    if (!process.waitForFinished(reply_timeout_ms)) {
        process.kill();
        process.waitForFinished();
        return 0;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return 0;
#ifdef Q_OS_WIN
    // Windows' ping also ends with 0 when a router reports the host
    // unreachable; only an echo reply line carries the TTL.
    if (!process.readAll().contains("TTL="))
        return 0;
#endif
    return int(8 + data.size());
}

} // namespace

Echo_Target Parse_Echo_Host(const QString& host) {
    Echo_Target target;
    const QStringList parts = host.split(QLatin1Char('.'));
    if (parts.size() == 4) {
        quint32 address = 0;
        bool valid = true;
        for (const QString& typed : parts) {
            const QString part = Trim_Blanks(typed);
            const bool digits =
                !part.isEmpty() && part.size() <= 3 && std::all_of(part.cbegin(), part.cend(), [](QChar c) {
                    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
                });
            if (!digits || (part.size() > 1 && part[0] == QLatin1Char('0')) || part.toInt() > 255) {
                valid = false;
                break;
            }
            address = (address << 8) | quint32(part.toInt());
        }
        if (valid) {
            target.kind = Echo_Target::Kind::Address;
            target.address = QHostAddress(address);
            return target;
        }
    }
    // A dotted number that is no address (10.0.0.256, 1.2.3.4.5) is no host
    // name either: the last label must hold a letter.
    static const QRegularExpression host_name(
        QStringLiteral("^([A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?\\.)*"
                       "(?=[A-Za-z0-9-]*[A-Za-z])[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?$"));
    if (host.size() <= 253 && host_name.match(host).hasMatch())
        target.kind = Echo_Target::Kind::Host_Name;
    return target;
}

QHostAddress Resolve_Echo_Host(const QString& host, const Name_Lookup& lookup) {
    const Echo_Target target = Parse_Echo_Host(host);
    if (target.kind == Echo_Target::Kind::Address)
        return target.address;
    if (target.kind == Echo_Target::Kind::Host_Name && lookup)
        for (const QHostAddress& found : lookup(host))
            if (found.protocol() == QAbstractSocket::IPv4Protocol)
                return found;
    throw Kc_Error(QStringLiteral("%1 is not an IPv4 address or a known host name").arg(host));
}

QList<QHostAddress> System_Name_Lookup(const QString& name) {
    return QHostInfo::fromName(name).addresses();
}

bool System_Echo_Client::Method_Available(Method method) {
    switch (method) {
    case Method::Automatic:
        return true;
    case Method::Ping_Program:
        return !QStandardPaths::findExecutable(QStringLiteral("ping")).isEmpty();
    case Method::Datagram_Socket:
    case Method::Raw_Socket:
#ifdef Q_OS_UNIX
    {
        const int fd = Open_Socket(method);
        if (fd < 0)
            return false;
        ::close(fd);
        return true;
    }
#else
        return false;
#endif
    }
    return false;
}

System_Echo_Client::Method System_Echo_Client::Method_Used() {
    if (method_ == Method::Automatic) {
        if (Method_Available(Method::Datagram_Socket))
            method_ = Method::Datagram_Socket;
        else if (Method_Available(Method::Raw_Socket))
            method_ = Method::Raw_Socket;
        else
            method_ = Method::Ping_Program;
    }
    return method_;
}

int System_Echo_Client::Send_Echo(const QString& host, const QByteArray& data, int reply_timeout_ms) {
    const QHostAddress target = Resolve_Echo_Host(host, lookup_);
    const Method method = Method_Used();
    ++sequence_;
#ifdef Q_OS_UNIX
    if (method == Method::Datagram_Socket || method == Method::Raw_Socket)
        return Socket_Echo(method, target, sequence_, data, reply_timeout_ms);
#endif
    return Ping_Program_Echo(target, data, reply_timeout_ms);
}
