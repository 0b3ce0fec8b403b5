#pragma once

#include "text/http_answer.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <chrono>

using Http_Headers = QList<QPair<QByteArray, QByteArray>>;

// One HTTP/1.0 GET written directly on a TCP socket: the request line, a Host
// line and `headers` in their order, nothing else (no cookies, no
// authentication), never through a proxy. Blocks the calling thread; name
// lookup, connecting and reading the answer together end after `limit`, and
// a request that runs out fails like any other. Answers larger than 1 MiB
// fail too, and so does one whose Content-Length is no length or announces
// more than that.
Http_Answer Http10_Get(const QString& host, quint16 port, const QByteArray& path_and_query,
                       const Http_Headers& headers, std::chrono::milliseconds limit);
