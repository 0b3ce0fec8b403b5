#pragma once

#include "app/version_source.h"

#include <QString>
#include <chrono>

// Name lookup, connecting and reading the answer of the version request
// together end after this long; a request that runs out is a failure.
inline constexpr std::chrono::milliseconds Version_Request_Limit{10000};

// Sends the version request (HTTP/1.0 GET of Version_Request_Path with the
// fixed Accept and User-Agent lines) to host:port and gives the body of a
// successful answer, or the empty text on any failure: no network, a name
// that does not resolve, a refused connection, a status other than 2xx, a
// broken transfer, or the time limit.
QString Fetch_Version_Answer(const QString& host, quint16 port,
                             std::chrono::milliseconds limit = Version_Request_Limit);

// Asks the maker's version service (the build's maker host, port 80) whether
// a newer version of the configurator exists. Every failure means "no".
class Maker_Version_Source : public Version_Source {
public:
    explicit Maker_Version_Source(QString host = QStringLiteral(KC_MAKER_HOST), quint16 port = 80,
                                  std::chrono::milliseconds limit = Version_Request_Limit);

    bool Newer_Version_Available() override;

private:
    QString host_;
    quint16 port_;
    std::chrono::milliseconds limit_;
};
