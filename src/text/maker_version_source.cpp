#include "text/maker_version_source.h"

#include "text/version_check.h"

#include <utility>

void Start_Version_Request(Http10_Get& get, const QString& host, quint16 port,
                           std::chrono::milliseconds limit) {
    static const Http_Headers headers = {
        {"Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"},
        {"User-Agent", "Mozilla/3.0 (compatible; Indy Library)"},
    };
    get.Start(host, port, Version_Request_Path, headers, limit);
}

Version_Outcome Version_Outcome_Of(const Http_Answer& answer) {
    switch (answer.Failure) {
    case Http_Failure::Timed_Out:
        return Version_Outcome::Timed_Out;
    case Http_Failure::Unreachable:
        return Version_Outcome::Unreachable;
    case Http_Failure::Name_Not_Found:
        return Version_Outcome::Name_Not_Found;
    case Http_Failure::Broken:
        return Version_Outcome::Bad_Answer;
    case Http_Failure::None:
        break;
    }
    if (!answer.Ok)
        return Version_Outcome::Bad_Answer;
    if (Check_Version(answer.Body))
        return Version_Outcome::Newer;
    return Is_Version_Answer(answer.Body) ? Version_Outcome::Not_Newer : Version_Outcome::Bad_Answer;
}

QString Version_Answer_Text(const Http_Answer& answer) {
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

namespace {

// One request to the version service; its answer decides the check.
class Maker_Version_Check : public Version_Check {
public:
    Maker_Version_Check(const QString& host, quint16 port, std::chrono::milliseconds limit,
                        std::unique_ptr<Name_Lookup> lookup)
        : get_(std::move(lookup)) {
        connect(&get_, &Http10_Get::Finished, this,
                [this](const Http_Answer& answer) { Report(Version_Outcome_Of(answer)); });
        Start_Version_Request(get_, host, port, limit);
    }

private:
    Http10_Get get_;
};

} // namespace

Maker_Version_Source::Maker_Version_Source() {
    const Host_And_Port maker = Split_Host_Port(QStringLiteral(KC_MAKER_HOST));
    host_ = maker.host;
    port_ = maker.port;
    limit_ = Version_Request_Limit;
}

Maker_Version_Source::Maker_Version_Source(QString host, quint16 port, std::chrono::milliseconds limit,
                                           Lookup_Maker lookups)
    : host_(std::move(host)), port_(port), limit_(limit), lookups_(std::move(lookups)) {}

std::unique_ptr<Version_Check> Maker_Version_Source::Start_Check() {
    return std::make_unique<Maker_Version_Check>(host_, port_, limit_, lookups_ ? lookups_() : nullptr);
}
