#pragma once

#include "base/name_lookup.h"
#include "text/http_answer.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>
#include <chrono>
#include <memory>

class QTcpSocket;
class QTimer;

using Http_Headers = QList<QPair<QByteArray, QByteArray>>;

// The bytes of the request: the request line, a Host line and `headers` in
// their order, nothing else (no cookies, no authentication).
QByteArray Http10_Request_Bytes(const QString& host, quint16 port, const QByteArray& path_and_query,
                                const Http_Headers& headers);

// One HTTP/1.0 GET written directly on a TCP socket, never through a proxy,
// driven by the event loop: Start gives at once and the answer comes through
// Finished. Name lookup, connecting and reading the answer together end after
// `limit`, and a request that runs out fails like any other (the answer's
// Failure says which way a request failed); answers larger
// than 1 MiB fail too, and so does one whose Content-Length is no length or
// announces more than that. Deleting the object abandons the request at once.
class Http10_Get : public QObject {
    Q_OBJECT
public:
    explicit Http10_Get(QObject* parent = nullptr);
    // With the name lookup to use (tests hand in their own); nullptr: the
    // system's.
    explicit Http10_Get(std::unique_ptr<Name_Lookup> lookup, QObject* parent = nullptr);
    ~Http10_Get() override;

    // Starts the request (one per object). Finished follows exactly once,
    // never from inside Start.
    void Start(const QString& host, quint16 port, const QByteArray& path_and_query,
               const Http_Headers& headers, std::chrono::milliseconds limit);

Q_SIGNALS:
    void Finished(const Http_Answer& answer);

private:
    void Connect_Next();
    void Read_Available();
    void Socket_Failed();
    void Finish(const Http_Answer& answer);
    void Fail(Http_Failure failure);

    std::unique_ptr<Name_Lookup> lookup_;
    QTcpSocket* socket_ = nullptr;
    QTimer* deadline_ = nullptr;
    QList<QHostAddress> addresses_;
    QByteArray request_;
    QByteArray data_;
    quint16 port_ = 80;
    bool connected_ = false;
    bool finished_ = false;
};
