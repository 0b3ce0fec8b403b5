#include "update/icmp_echo.h"

#include "base/kc_error.h"
#include "update/icmp_echo_win.h"
#include "update/ip_address.h"

#include <QHostAddress>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QStringList>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
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

// The bytes of a reply to our request in what one socket read gave, or 0
// when it is something else (another host's message, another sequence).
int Matching_Reply(const char* buffer, ssize_t received, bool raw, quint16 id, quint16 sequence) {
    qsizetype offset = 0;
    if (raw) {
        offset = (quint8(buffer[0]) & 0x0F) * 4;
        if (received < offset + 8)
            return 0;
    } else if (received < 8) {
        return 0;
    }
    const quint8* icmp = reinterpret_cast<const quint8*>(buffer + offset);
    const quint16 reply_id = quint16((icmp[4] << 8) | icmp[5]);
    const quint16 reply_sequence = quint16((icmp[6] << 8) | icmp[7]);
    if (icmp[0] != 0 || reply_sequence != sequence || (raw && reply_id != id))
        return 0;
    return int(received);
}

#endif

QString Ping_Program() {
    return QStandardPaths::findExecutable(QStringLiteral("ping"));
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

// One request in flight: its socket and notifier, or its ping program. The
// notifier and the process may be the ones whose signal is being handled when
// the request is dropped, so they are deleted later.
struct System_Echo_Client::Request {
    int fd = -1;
    QPointer<QSocketNotifier> notifier;
    QPointer<QProcess> process;
    QPointer<QObject> api_request; // the system echo API's request (Windows)

    ~Request() {
        if (api_request)
            Drop_Api_Echo(api_request);
        if (notifier) {
            notifier->setEnabled(false);
            notifier->disconnect();
            notifier->deleteLater();
        }
#ifdef Q_OS_UNIX
        if (fd >= 0)
            ::close(fd);
#endif
        if (process) {
            process->disconnect();
            if (process->state() == QProcess::NotRunning) {
                process->deleteLater();
            } else {
                QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
                process->kill();
            }
        }
    }
};

System_Echo_Client::System_Echo_Client(Method method) : method_(method) {}

System_Echo_Client::~System_Echo_Client() = default;

void System_Echo_Client::Stop() {
    request_.reset();
}

bool System_Echo_Client::Method_Available(Method method) {
    switch (method) {
    case Method::Automatic:
        return true;
    case Method::Ping_Program:
#ifdef Q_OS_WIN
        return false; // Windows has the echo API: no program's output is read
#else
        return !QStandardPaths::findExecutable(QStringLiteral("ping")).isEmpty();
#endif
    case Method::Echo_Api:
#ifdef Q_OS_WIN
        return true;
#else
        return false;
#endif
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
        if (Method_Available(Method::Echo_Api))
            method_ = Method::Echo_Api;
        else if (Method_Available(Method::Datagram_Socket))
            method_ = Method::Datagram_Socket;
        else if (Method_Available(Method::Raw_Socket))
            method_ = Method::Raw_Socket;
        else
            method_ = Method::Ping_Program;
    }
    return method_;
}

bool System_Echo_Client::Send_Echo(const QHostAddress& target, const QByteArray& data, Reply reply,
                                   QString& error) {
    request_.reset();
    const Method method = Method_Used();
    ++sequence_;
    auto request = std::make_unique<Request>();
    if (method == Method::Echo_Api) {
        request->api_request = Send_Api_Echo(target, data, reply, error);
        if (!request->api_request)
            return false;
        request_ = std::move(request);
        return true;
    }
#ifdef Q_OS_UNIX
    if (method == Method::Datagram_Socket || method == Method::Raw_Socket) {
        // A datagram socket gets the ICMP message alone (the kernel owns the
        // identifier), a raw socket the IP header before it and every ICMP
        // message the host receives.
        const bool raw = method == Method::Raw_Socket;
        request->fd = Open_Socket(method);
        if (request->fd < 0) {
            error =
                QStringLiteral("Cannot open an ICMP socket: %1").arg(QString::fromLocal8Bit(strerror(errno)));
            return false;
        }
        ::fcntl(request->fd, F_SETFL, ::fcntl(request->fd, F_GETFL) | O_NONBLOCK);
        const quint16 id = static_cast<quint16>(::getpid() & 0xFFFF);
        const QByteArray packet = Echo_Request(id, sequence_, data);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = htonl(target.toIPv4Address());
        if (::sendto(request->fd, packet.constData(), size_t(packet.size()), 0,
                     reinterpret_cast<sockaddr*>(&to), sizeof to) < 0) {
            error = QStringLiteral("Cannot send an echo request to %1: %2")
                        .arg(target.toString(), QString::fromLocal8Bit(strerror(errno)));
            return false;
        }
        request->notifier = new QSocketNotifier(request->fd, QSocketNotifier::Read);
        const int fd = request->fd;
        const quint16 sequence = sequence_;
        QObject::connect(request->notifier, &QSocketNotifier::activated, request->notifier,
                         [fd, raw, id, sequence, to, reply] {
                             char buffer[65536];
                             for (;;) {
                                 sockaddr_in from{};
                                 socklen_t from_size = sizeof from;
                                 const ssize_t received =
                                     ::recvfrom(fd, buffer, sizeof buffer, 0,
                                                reinterpret_cast<sockaddr*>(&from), &from_size);
                                 if (received < 0)
                                     return; // nothing more to read now
                                 if (received == 0 || from.sin_addr.s_addr != to.sin_addr.s_addr)
                                     continue;
                                 if (const int bytes = Matching_Reply(buffer, received, raw, id, sequence)) {
                                     reply(bytes); // may drop this request: nothing after it
                                     return;
                                 }
                             }
                         });
        request_ = std::move(request);
        return true;
    }
#endif
    // The system's ping program; a reply within its wait counts as the
    // request's data come back. The check's own time-out kills it.
    const QString ping = Ping_Program();
    if (ping.isEmpty()) {
        error = QStringLiteral("No means to send an ICMP echo: no ICMP socket and no ping program");
        return false;
    }
    request->process = new QProcess;
    QProcess* process = request->process;
    process->setProcessChannelMode(QProcess::MergedChannels);
    const int bytes = int(8 + data.size());
    QObject::connect(process, &QProcess::finished, process,
                     [bytes, reply](int exit_code, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || exit_code != 0)
                             return;
                         reply(bytes);
                     });
    process->start(ping, {QStringLiteral("-n"), QStringLiteral("-q"), QStringLiteral("-c"),
                          QStringLiteral("1"), QStringLiteral("-W"), QStringLiteral("1"), target.toString()});
    request_ = std::move(request);
    return true;
}
