#pragma once

#include "update/echo_client.h"

// ICMP echo over IPv4 with the means the process has: an ICMP datagram
// socket where the system allows it to this user, a raw ICMP socket where the
// process may open one (root, CAP_NET_RAW), and otherwise the system's ping
// program. Used only against the address the user enters.
class System_Echo_Client : public Echo_Client {
public:
    enum class Method { Automatic, Datagram_Socket, Raw_Socket, Ping_Program };

    explicit System_Echo_Client(Method method = Method::Automatic) : method_(method) {}

    int Send_Echo(const QString& host, const QByteArray& data, int reply_timeout_ms) override;

    // The means the next echo uses (Automatic is decided at the first echo).
    Method Method_Used();

    // True when this process may open a socket of the method.
    static bool Method_Available(Method method);

private:
    Method method_;
    quint16 sequence_ = 0;
};
