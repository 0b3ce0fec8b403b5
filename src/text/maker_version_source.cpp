#include "text/maker_version_source.h"

#include "text/http_get.h"
#include "text/version_check.h"

#include <utility>

QString Fetch_Version_Answer(const QString& host, quint16 port, std::chrono::milliseconds limit) {
    static const Http_Headers headers = {
        {"Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"},
        {"User-Agent", "Mozilla/3.0 (compatible; Indy Library)"},
    };
    const Http_Answer answer = Http10_Get(host, port, Version_Request_Path, headers, limit);
    return answer.Ok ? answer.Body : QString();
}

Host_And_Port Split_Host_Port(const QString& text) {
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon < 0)
        return {text, 80};
    bool ok = false;
    const uint port = text.mid(colon + 1).toUInt(&ok);
    if (!ok || port == 0 || port > 65535)
        return {text.left(colon), 80};
    return {text.left(colon), static_cast<quint16>(port)};
}

Maker_Version_Source::Maker_Version_Source() {
    const Host_And_Port maker = Split_Host_Port(QStringLiteral(KC_MAKER_HOST));
    host_ = maker.host;
    port_ = maker.port;
    limit_ = Version_Request_Limit;
}

Maker_Version_Source::Maker_Version_Source(QString host, quint16 port, std::chrono::milliseconds limit)
    : host_(std::move(host)), port_(port), limit_(limit) {}

bool Maker_Version_Source::Newer_Version_Available() {
    return Check_Version(Fetch_Version_Answer(host_, port_, limit_));
}
