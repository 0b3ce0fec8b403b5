#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// Reading the answer of an HTTP/1.0 server. The bytes come from the network
// and are untrusted: numbers are read with overflow-safe arithmetic and a
// value no real answer carries makes the answer malformed. Pure functions.

// Why a request brought no usable answer.
enum class Http_Failure {
    None,           // an answer came (Ok tells whether it is a success)
    Timed_Out,      // the time limit ran out first
    Unreachable,    // no connection to any address of the host
    Name_Not_Found, // the host name has no address
    Broken,         // the connection broke, or the answer is no HTTP answer
};

// What one HTTP GET brought back.
struct Http_Answer {
    bool Ok = false; // a complete answer with a success status (2xx)
    Http_Failure Failure = Http_Failure::None;
    int Status = 0; // the status code; 0 when no status line arrived
    QString Body;   // the body as text (charset from Content-Type, else Latin-1)
};

// The value of a numeric header field or of the status code: one or more
// ASCII digits and nothing else (no sign, no blank, no "0x"), at most `max`
// (max >= 0). nullopt for anything else, however many digits it has.
std::optional<qint64> Http_Decimal_Value(QByteArrayView text, qint64 max);

// What the bytes received so far tell about the size of the whole answer.
inline constexpr qint64 Http_Size_Unknown = -1;   // headers incomplete, or no Content-Length
inline constexpr qint64 Http_Size_Malformed = -2; // a Content-Length that is no length, or too large

// The size of the whole answer (headers and body) when its headers are
// complete and carry a Content-Length; Http_Size_Malformed when that length
// is not a decimal number or would make the answer larger than `max_size`.
qint64 Http_Answer_Size(const QByteArray& data, qint64 max_size);

// The answer in `data`. `closed_by_server`: the server ended the connection,
// which ends a body without Content-Length. Without a status line, with a
// malformed Content-Length (not a number, or larger than `max_size`) or a
// body shorter than it, the answer is not Ok and has no body.
Http_Answer Parse_Http_Answer(const QByteArray& data, bool closed_by_server, qint64 max_size);
