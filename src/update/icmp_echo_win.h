#pragma once

#include "update/echo_client.h"

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QString>

// The Windows system echo API behind System_Echo_Client (icmp_echo_win.cpp).

// Sends one ICMP echo request carrying `data` to `target` through the
// system's IcmpSendEcho, on a thread of its own, and gives at once; the
// reply, when one with a success status comes, goes to `reply` with the bytes
// of data it brought back, from the event loop. Gives the request (dropped
// with Drop_Api_Echo), or null with the reason in `error` when nothing could
// be sent; always null where the API does not exist.
QObject* Send_Api_Echo(const QHostAddress& target, const QByteArray& data, const Echo_Client::Reply& reply,
                       QString& error);

// Drops a request of Send_Api_Echo: its reply is no longer delivered, and it
// is deleted once the system has let go of its buffers.
void Drop_Api_Echo(QObject* request);
