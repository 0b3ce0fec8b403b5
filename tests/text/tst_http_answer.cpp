// Reading an HTTP answer from untrusted bytes: numbers that overflow, are
// negative or are no numbers make the answer malformed.
#include "text/http_answer.h"

#include <QTest>
#include <limits>

namespace {

constexpr qint64 Max_Size = 1024 * 1024;

QByteArray Answer_With_Length(const QByteArray& length, const QByteArray& body = "VER. 2.111") {
    return "HTTP/1.0 200 OK\r\nContent-Length: " + length + "\r\n\r\n" + body;
}

} // namespace

class Tst_Http_Answer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void decimal_value_data();
    void decimal_value();
    void content_length_data();
    void content_length();
    void status_line_data();
    void status_line();
};

void Tst_Http_Answer::decimal_value_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<qint64>("max");
    QTest::addColumn<qint64>("expected"); // -1: no value
    const qint64 int64_max = std::numeric_limits<qint64>::max();
    QTest::newRow("small") << QByteArray("10") << Max_Size << qint64(10);
    QTest::newRow("zero") << QByteArray("0") << Max_Size << qint64(0);
    QTest::newRow("leading zeros") << QByteArray("0007") << Max_Size << qint64(7);
    QTest::newRow("exactly the limit") << QByteArray("1048576") << Max_Size << Max_Size;
    QTest::newRow("one past the limit") << QByteArray("1048577") << Max_Size << qint64(-1);
    QTest::newRow("limit 0 takes 0") << QByteArray("0") << qint64(0) << qint64(0);
    QTest::newRow("limit 0 refuses 5") << QByteArray("5") << qint64(0) << qint64(-1);
    QTest::newRow("largest 64-bit value fits the 64-bit limit")
        << QByteArray("9223372036854775807") << int64_max << int64_max;
    QTest::newRow("one past the 64-bit range")
        << QByteArray("9223372036854775808") << int64_max << qint64(-1);
    QTest::newRow("twenty nines") << QByteArray("99999999999999999999") << int64_max << qint64(-1);
    QTest::newRow("empty") << QByteArray("") << Max_Size << qint64(-1);
    QTest::newRow("minus one") << QByteArray("-1") << Max_Size << qint64(-1);
    QTest::newRow("plus sign") << QByteArray("+5") << Max_Size << qint64(-1);
    QTest::newRow("letters") << QByteArray("abc") << Max_Size << qint64(-1);
    QTest::newRow("hexadecimal") << QByteArray("0x10") << Max_Size << qint64(-1);
    QTest::newRow("blank inside") << QByteArray("1 0") << Max_Size << qint64(-1);
    QTest::newRow("list of lengths") << QByteArray("10, 10") << Max_Size << qint64(-1);
}

void Tst_Http_Answer::decimal_value() {
    QFETCH(QByteArray, text);
    QFETCH(qint64, max);
    QFETCH(qint64, expected);
    const std::optional<qint64> value = Http_Decimal_Value(text, max);
    if (expected < 0)
        QVERIFY2(!value, qPrintable(QString::number(value.value_or(0))));
    else
        QCOMPARE(value, std::optional<qint64>(expected));
}

// clang-format off
void Tst_Http_Answer::content_length_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<qint64>("size");   // Http_Answer_Size on the whole data
    QTest::addColumn<QString>("body");  // of a parsed answer the server closed; empty: not Ok
    const QByteArray head = "HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\n";
    QTest::newRow("exact length") << Answer_With_Length("10") << qint64(head.size() + 10) << "VER. 2.111";
    QTest::newRow("longer body is cut") << Answer_With_Length("4") << qint64(head.size() - 1 + 4) << "VER.";
    const QByteArray spaced_head = "HTTP/1.0 200 OK\r\ncontent-LENGTH:   10  \r\n\r\n";
    QTest::newRow("header name in any case, blanks around the value")
        << spaced_head + "VER. 2.111" << qint64(spaced_head.size() + 10) << "VER. 2.111";
    QTest::newRow("no length: the close ends the body")
        << QByteArray("HTTP/1.0 200 OK\r\n\r\nVER. 2.111") << Http_Size_Unknown << "VER. 2.111";
    QTest::newRow("headers incomplete") << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 10\r\n")
                                        << Http_Size_Unknown << "";
    QTest::newRow("largest 64-bit length") << Answer_With_Length("9223372036854775807") << Http_Size_Malformed << "";
    QTest::newRow("overflowing length") << Answer_With_Length("9223372036854775808") << Http_Size_Malformed << "";
    QTest::newRow("huge but fitting length") << Answer_With_Length("1000000000000") << Http_Size_Malformed << "";
    QTest::newRow("length just past the answer limit") << Answer_With_Length("1048577") << Http_Size_Malformed << "";
    QTest::newRow("negative length") << Answer_With_Length("-1") << Http_Size_Malformed << "";
    QTest::newRow("empty length") << Answer_With_Length("") << Http_Size_Malformed << "";
    QTest::newRow("length not digits") << Answer_With_Length("ten") << Http_Size_Malformed << "";
    QTest::newRow("body shorter than its length")
        << Answer_With_Length("50") << qint64(head.size() + 50) << "";
}
// clang-format on

void Tst_Http_Answer::content_length() {
    QFETCH(QByteArray, data);
    QFETCH(qint64, size);
    QFETCH(QString, body);
    QCOMPARE(Http_Answer_Size(data, Max_Size), size);
    const Http_Answer answer = Parse_Http_Answer(data, true, Max_Size);
    QCOMPARE(answer.Ok, !body.isEmpty());
    QCOMPARE(answer.Body, body);
}

void Tst_Http_Answer::status_line_data() {
    QTest::addColumn<QByteArray>("status_line");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("ok");
    QTest::newRow("200") << QByteArray("HTTP/1.0 200 OK") << 200 << true;
    QTest::newRow("299") << QByteArray("HTTP/1.1 299 Fine") << 299 << true;
    QTest::newRow("404") << QByteArray("HTTP/1.0 404 Not Found") << 404 << false;
    QTest::newRow("status out of range") << QByteArray("HTTP/1.0 99999999999999999999 OK") << 0 << false;
    QTest::newRow("negative status") << QByteArray("HTTP/1.0 -200 OK") << 0 << false;
    QTest::newRow("no status") << QByteArray("HTTP/1.0") << 0 << false;
    QTest::newRow("not HTTP") << QByteArray("SSH-2.0-OpenSSH") << 0 << false;
}

void Tst_Http_Answer::status_line() {
    QFETCH(QByteArray, status_line);
    QFETCH(int, status);
    QFETCH(bool, ok);
    const Http_Answer answer = Parse_Http_Answer(status_line + "\r\n\r\nVER. 2.111", true, Max_Size);
    QCOMPARE(answer.Status, status);
    QCOMPARE(answer.Ok, ok);
}

QTEST_GUILESS_MAIN(Tst_Http_Answer)
#include "tst_http_answer.moc"
