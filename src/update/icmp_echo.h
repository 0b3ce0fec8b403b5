#pragma once

#include "update/echo_client.h"

#include <QHostAddress>
#include <memory>

// How the text of the four address edits (joined by ".") is taken.
struct Echo_Target {
    enum class Kind {
        Address,   // four decimal numbers from 0 to 255, blanks allowed around each
        Host_Name, // labels of letters, digits and hyphens, the last holding a letter
        Invalid    // anything else: never looked up, never sent to
    };
    Kind kind = Kind::Invalid;
    QHostAddress address; // the IPv4 address when kind is Address
};

// Strict reading of a host text: no short forms (10.1), no octal or
// hexadecimal parts, no leading zeros, no empty part, no fifth part.
Echo_Target Parse_Echo_Host(const QString& host);

// ICMP echo over IPv4 with the means the process has. On Windows the
// system's echo API (IcmpSendEcho2, its reply signalled through an event).
// Elsewhere an ICMP datagram socket where the system allows it to this user,
// a raw ICMP socket where the process may open one (root, CAP_NET_RAW), and
// otherwise the system's ping program. Used only against the address the
// user enters. Nothing here waits: a reply is seen by a socket or event
// notifier, the ping program's end by its process signal.
class System_Echo_Client : public Echo_Client {
public:
    enum class Method { Automatic, Datagram_Socket, Raw_Socket, Ping_Program, Echo_Api };

    explicit System_Echo_Client(Method method = Method::Automatic);
    ~System_Echo_Client() override;

    bool Send_Echo(const QHostAddress& target, const QByteArray& data, Reply reply, QString& error) override;
    void Stop() override;

    // The means the next echo uses (Automatic is decided at the first echo).
    Method Method_Used();

    // True when this process may open a socket of the method.
    static bool Method_Available(Method method);

private:
    struct Request;
    Method method_;
    quint16 sequence_ = 0;
    std::unique_ptr<Request> request_;
};
