#pragma once

#include "text/http_get.h"
#include "text/version_source.h"

#include <QString>
#include <chrono>
#include <functional>
#include <memory>

// Name lookup, connecting and reading the answer of the version request
// together end after this long; a request that runs out is a failure.
inline constexpr std::chrono::milliseconds Version_Request_Limit{10000};

// Starts the version request on `get`: an HTTP/1.0 GET of
// Version_Request_Path with the fixed Accept and User-Agent lines to
// host:port.
void Start_Version_Request(Http10_Get& get, const QString& host, quint16 port,
                           std::chrono::milliseconds limit = Version_Request_Limit);

// How a version check ends with `answer`: a failure of the request as its
// kind (a broken transfer or a status other than 2xx is a bad answer), else
// the body as Check_Version reads it: newer, not newer ("VER. 0.000" or a
// version not above the running one), or a bad answer when it holds no
// version number.
Version_Outcome Version_Outcome_Of(const Http_Answer& answer);

// The text a version check compares: the body of a successful answer, or the
// empty text on any failure (no network, a name that does not resolve, a
// refused connection, a status other than 2xx, a broken transfer, the time
// limit).
QString Version_Answer_Text(const Http_Answer& answer);

// Host and port of a "host" or "host:port" text (port 80 when none is given
// or it is not a valid port number).
struct Host_And_Port {
    QString host;
    quint16 port = 80;
};
Host_And_Port Split_Host_Port(const QString& text);

// Asks the maker's version service whether a newer version of the
// configurator exists. Every failure means "no", and the check's Outcome
// names it. By default it asks the build's maker host (KC_MAKER_HOST, "host"
// or "host:port"). `lookups` makes the name lookup of each request (tests
// hand in their own); without it, the system's.
class Maker_Version_Source : public Version_Source {
public:
    using Lookup_Maker = std::function<std::unique_ptr<Name_Lookup>()>;

    Maker_Version_Source();
    Maker_Version_Source(QString host, quint16 port, std::chrono::milliseconds limit = Version_Request_Limit,
                         Lookup_Maker lookups = {});

    std::unique_ptr<Version_Check> Start_Check() override;

private:
    QString host_;
    quint16 port_ = 80;
    std::chrono::milliseconds limit_ = Version_Request_Limit;
    Lookup_Maker lookups_;
};
