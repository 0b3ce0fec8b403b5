#include "text/http_answer.h"

#include <QList>

namespace {

qsizetype Header_End(const QByteArray& data, qsizetype* separator_size) {
    qsizetype end = data.indexOf("\r\n\r\n");
    *separator_size = 4;
    const qsizetype bare = data.indexOf("\n\n");
    if (bare >= 0 && (end < 0 || bare < end)) {
        end = bare;
        *separator_size = 2;
    }
    return end;
}

// Value of the header `name` (lower case; matched without regard to case),
// trimmed; nullopt when the header is absent. An empty value is present.
std::optional<QByteArray> Header_Value(const QList<QByteArray>& lines, const QByteArray& name) {
    for (const QByteArray& line : lines) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().toLower() == name)
            return line.mid(colon + 1).trimmed();
    }
    return std::nullopt;
}

// The body length the headers announce: nullopt without Content-Length,
// Http_Size_Malformed when it is no length or more than `max_body`.
std::optional<qint64> Content_Length(const QList<QByteArray>& lines, qint64 max_body) {
    const std::optional<QByteArray> text = Header_Value(lines, "content-length");
    if (!text)
        return std::nullopt;
    return Http_Decimal_Value(*text, max_body).value_or(Http_Size_Malformed);
}

} // namespace

std::optional<qint64> Http_Decimal_Value(QByteArrayView text, qint64 max) {
    if (text.isEmpty() || max < 0)
        return std::nullopt;
    qint64 value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        const int digit = c - '0';
        // value * 10 + digit <= max, checked without computing it.
        if (digit > max || value > (max - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

qint64 Http_Answer_Size(const QByteArray& data, qint64 max_size) {
    qsizetype separator = 0;
    const qsizetype end = Header_End(data, &separator);
    if (end < 0)
        return Http_Size_Unknown;
    const qint64 head = end + separator;
    if (head > max_size)
        return Http_Size_Malformed;
    const std::optional<qint64> length = Content_Length(data.left(end).split('\n'), max_size - head);
    if (!length)
        return Http_Size_Unknown;
    if (*length == Http_Size_Malformed)
        return Http_Size_Malformed;
    return head + *length;
}

Http_Answer Parse_Http_Answer(const QByteArray& data, bool closed_by_server, qint64 max_size) {
    Http_Answer answer;
    qsizetype separator = 0;
    const qsizetype end = Header_End(data, &separator);
    if (end < 0)
        return answer;
    QList<QByteArray> lines = data.left(end).split('\n');
    for (QByteArray& line : lines)
        line = line.trimmed();

    const QList<QByteArray> status_line = lines.value(0).split(' ');
    if (status_line.size() < 2 || !status_line[0].startsWith("HTTP/"))
        return answer;
    const std::optional<qint64> status = Http_Decimal_Value(status_line[1], 999);
    if (!status)
        return answer;
    answer.Status = static_cast<int>(*status);

    QByteArray body = data.mid(end + separator);
    const std::optional<qint64> length = Content_Length(lines, max_size);
    if (length) {
        if (*length == Http_Size_Malformed || body.size() < *length)
            return answer; // an absurd length or a broken transfer
        body.truncate(*length);
    } else if (!closed_by_server) {
        return answer; // without a length only the server's close ends the body
    }

    const QByteArray content_type = Header_Value(lines, "content-type").value_or(QByteArray()).toLower();
    answer.Body =
        content_type.contains("charset=utf-8") ? QString::fromUtf8(body) : QString::fromLatin1(body);
    answer.Ok = answer.Status >= 200 && answer.Status <= 299;
    return answer;
}
