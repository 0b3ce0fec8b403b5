#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <chrono>

// What one HTTP GET brought back.
struct Http_Answer {
    bool Ok = false; // a complete answer with a success status (2xx)
    int Status = 0;  // the status code; 0 when no status line arrived
    QString Body;    // the body as text (charset from Content-Type, else Latin-1)
};

using Http_Headers = QList<QPair<QByteArray, QByteArray>>;

// One HTTP/1.0 GET written directly on a TCP socket: the request line, a Host
// line and `headers` in their order, nothing else (no cookies, no
// authentication), never through a proxy. Blocks the calling thread; name
// lookup, connecting and reading the answer together end after `limit`, and
// a request that runs out fails like any other. Answers larger than 1 MiB
// fail too.
Http_Answer Http10_Get(const QString& host, quint16 port, const QByteArray& path_and_query,
                       const Http_Headers& headers, std::chrono::milliseconds limit);
