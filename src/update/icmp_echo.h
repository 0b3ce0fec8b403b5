#pragma once

#include "update/echo_client.h"

#include <QHostAddress>
#include <QList>
#include <functional>

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

// Gives the IPv4 addresses a host name stands for (empty when it has none).
using Name_Lookup = std::function<QList<QHostAddress>(const QString& name)>;

// The IPv4 address an echo for `host` goes to: the address itself, or the
// first IPv4 address `lookup` gives for a host name. Throws Kc_Error for an
// invalid text (without asking `lookup`) and for a name without an address.
QHostAddress Resolve_Echo_Host(const QString& host, const Name_Lookup& lookup);

// The system's name lookup.
QList<QHostAddress> System_Name_Lookup(const QString& name);

// ICMP echo over IPv4 with the means the process has: an ICMP datagram
// socket where the system allows it to this user, a raw ICMP socket where the
// process may open one (root, CAP_NET_RAW), and otherwise the system's ping
// program. Used only against the address the user enters.
class System_Echo_Client : public Echo_Client {
public:
    enum class Method { Automatic, Datagram_Socket, Raw_Socket, Ping_Program };

    explicit System_Echo_Client(Method method = Method::Automatic, Name_Lookup lookup = System_Name_Lookup)
        : method_(method), lookup_(std::move(lookup)) {}

    int Send_Echo(const QString& host, const QByteArray& data, int reply_timeout_ms) override;

    // The means the next echo uses (Automatic is decided at the first echo).
    Method Method_Used();

    // True when this process may open a socket of the method.
    static bool Method_Available(Method method);

private:
    Method method_;
    Name_Lookup lookup_;
    quint16 sequence_ = 0;
};
