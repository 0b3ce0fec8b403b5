#include "text/http_get.h"
#include "text/maker_version_source.h"
#include "text/version_check.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QThread>

#include <atomic>
#include <future>
#include <memory>

using namespace std::chrono_literals;

namespace {

// A one-shot HTTP server on 127.0.0.1, run on its own thread: the request
// blocks the calling thread, as it does in the program, so the server cannot
// share it. It accepts one connection, reads the request up to the empty line,
// then sends `reply` and closes, or with an empty reply stays silent until the
// client gives up.
class One_Shot_Server {
public:
    explicit One_Shot_Server(QByteArray reply) : reply_(std::move(reply)) {
        std::promise<quint16> port_promise;
        std::future<quint16> port_future = port_promise.get_future();
        thread_.reset(
            QThread::create([this, promise = std::move(port_promise)]() mutable { Serve(promise); }));
        thread_->start();
        port_ = port_future.get();
    }

    ~One_Shot_Server() { thread_->wait(10000); }

    quint16 Port() const { return port_; }

    // The bytes of the request as they arrived; waits for the server to end.
    QByteArray Request() {
        thread_->wait(10000);
        return request_;
    }

private:
    void Serve(std::promise<quint16>& port_promise) {
        QTcpServer server;
        if (!server.listen(QHostAddress::LocalHost, 0)) {
            port_promise.set_value(0);
            return;
        }
        port_promise.set_value(server.serverPort());
        if (!server.waitForNewConnection(5000))
            return;
        std::unique_ptr<QTcpSocket> client(server.nextPendingConnection());
        QByteArray received;
        while (!received.contains("\r\n\r\n") && client->waitForReadyRead(5000))
            received += client->readAll();
        request_ = received;
        if (reply_.isEmpty()) {
            client->waitForDisconnected(5000);
            return;
        }
        client->write(reply_);
        client->waitForBytesWritten(5000);
        client->disconnectFromHost();
        if (client->state() != QAbstractSocket::UnconnectedState)
            client->waitForDisconnected(5000);
    }

    QByteArray reply_;
    QByteArray request_;
    quint16 port_ = 0;
    std::unique_ptr<QThread> thread_;
};

// A port on 127.0.0.1 that nobody listens on.
quint16 Closed_Port() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    const quint16 port = server.serverPort();
    server.close();
    return port;
}

} // namespace

class Tst_Version_Check : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void conv_version_data();
    void conv_version();
    void check_version_data();
    void check_version();
    void download_link();
    void split_host_port_data();
    void split_host_port();

    void request_bytes();
    void answers_data();
    void answers();
    void refused_connection();
    void silent_server_runs_out();
    void version_source_against_local_server();
};

void Tst_Version_Check::conv_version_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("answer form") << "VER. 2.110" << 2110;
    QTest::newRow("bare number") << "2.200" << 2200;
    QTest::newRow("blanks after the first blank") << "VER.   2.111  " << 2111;
    QTest::newRow("two digits before the point") << "VER. 10.000" << -1;
    QTest::newRow("too short") << "VER. 2.11" << -1;
    QTest::newRow("letters") << "VER. a.bcd" << -1;
    QTest::newRow("hex-looking digits are not a version") << "VER. $.FFF" << -1;
    QTest::newRow("sign is not a digit") << "VER. -.123" << -1;
    QTest::newRow("empty") << "" << -1;
}

void Tst_Version_Check::conv_version() {
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(Conv_Version(text), value);
}

void Tst_Version_Check::check_version_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("newer");
    QTest::newRow("2.111 is newer") << "VER. 2.111" << true;
    QTest::newRow("2.110 is the running one") << "VER. 2.110" << false;
    QTest::newRow("older") << "VER. 2.109" << false;
    QTest::newRow("lower case zero version") << "ver. 0.000" << false;
    QTest::newRow("zero version between line breaks") << "\r\nVER. 0.000\r\n" << false;
    QTest::newRow("newer between line breaks") << "\r\n\tVER. 2.111\r\n" << true;
    QTest::newRow("lower case newer") << "ver. 3.000" << true;
    QTest::newRow("ten point zero") << "VER. 10.000" << false;
    QTest::newRow("bare 2.200") << "2.200" << true;
    QTest::newRow("HTML error page")
        << "<html><head><title>Error</title></head><body>Server Error in '/' Application.</body></html>"
        << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blanks only") << " \r\n " << false;
}

void Tst_Version_Check::check_version() {
    QFETCH(QString, answer);
    QFETCH(bool, newer);
    QCOMPARE(Check_Version(answer), newer);
}

void Tst_Version_Check::download_link() {
    const QString url = Download_Url();
    QVERIFY(url.startsWith(QStringLiteral("http://" KC_MAKER_HOST "/")));
    QVERIFY(url.endsWith(QStringLiteral("/Home/download/download.asp#KX40927")));
    QCOMPARE(Download_Link_Html(QStringLiteral("New <Version> & more")),
             QStringLiteral("<a href=\"%1\">New &lt;Version&gt; &amp; more</a>").arg(url));
}

void Tst_Version_Check::split_host_port_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::newRow("name only") << "www.maker.invalid"
                               << "www.maker.invalid" << 80;
    QTest::newRow("local test server") << "127.0.0.1:8080"
                                       << "127.0.0.1" << 8080;
    QTest::newRow("port out of range") << "127.0.0.1:70000"
                                       << "127.0.0.1" << 80;
    QTest::newRow("port not a number") << "host:x"
                                       << "host" << 80;
}

void Tst_Version_Check::split_host_port() {
    QFETCH(QString, text);
    QFETCH(QString, host);
    QFETCH(int, port);
    const Host_And_Port split = Split_Host_Port(text);
    QCOMPARE(split.host, host);
    QCOMPARE(int(split.port), port);
}

void Tst_Version_Check::request_bytes() {
    One_Shot_Server server("HTTP/1.0 200 OK\r\n\r\nVER. 2.111");
    Fetch_Version_Answer(QStringLiteral("127.0.0.1"), server.Port(), 5s);
    const QByteArray expected = "GET /home/download/GetversionSW.asp?nomesw=KC40927 HTTP/1.0\r\n"
                                "Host: 127.0.0.1:" +
                                QByteArray::number(server.Port()) +
                                "\r\n"
                                "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"
                                "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"
                                "\r\n";
    QCOMPARE(server.Request(), expected);
}

void Tst_Version_Check::answers_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("body");
    QTest::newRow("good answer, closed by the server")
        << QByteArray("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\nVER. 2.111\r\n") << "VER. 2.111\r\n";
    QTest::newRow("good answer with a length")
        << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\nVER. 2.111") << "VER. 2.111";
    QTest::newRow("utf-8 body")
        << QByteArray("HTTP/1.0 200 OK\r\nContent-Type: text/plain; charset=UTF-8\r\n\r\n\xc3\xa9")
        << QString(QChar(0xe9));
    QTest::newRow("404") << QByteArray("HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nNot Found") << "";
    QTest::newRow("500 with a version-like body") << QByteArray("HTTP/1.0 500 Error\r\n\r\nVER. 9.999") << "";
    QTest::newRow("body shorter than its length")
        << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 50\r\n\r\nVER. 2.111") << "";
    QTest::newRow("largest 64-bit length")
        << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 9223372036854775807\r\n\r\nVER. 2.111") << "";
    QTest::newRow("negative length") << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: -1\r\n\r\nVER. 2.111")
                                     << "";
    QTest::newRow("empty length") << QByteArray("HTTP/1.0 200 OK\r\nContent-Length:\r\n\r\nVER. 2.111") << "";
    QTest::newRow("headers cut off") << QByteArray("HTTP/1.0 200 OK\r\nContent-Le") << "";
    QTest::newRow("not HTTP") << QByteArray("SSH-2.0-OpenSSH\r\n\r\n") << "";
}

void Tst_Version_Check::answers() {
    QFETCH(QByteArray, reply);
    QFETCH(QString, body);
    One_Shot_Server server(reply);
    QCOMPARE(Fetch_Version_Answer(QStringLiteral("127.0.0.1"), server.Port(), 5s), body);
}

void Tst_Version_Check::refused_connection() {
    const quint16 port = Closed_Port();
    QCOMPARE(Fetch_Version_Answer(QStringLiteral("127.0.0.1"), port, 5s), QString());
    QVERIFY(!Maker_Version_Source(QStringLiteral("127.0.0.1"), port, 5s).Newer_Version_Available());
}

void Tst_Version_Check::silent_server_runs_out() {
    One_Shot_Server server{QByteArray()};
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(Fetch_Version_Answer(QStringLiteral("127.0.0.1"), server.Port(), 300ms), QString());
    // Without the limit this would wait for the server forever (the server
    // gives up after 5 s).
    QVERIFY2(clock.elapsed() < 4000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(server.Request().startsWith("GET /home/download/GetversionSW.asp?nomesw=KC40927 HTTP/1.0\r\n"));
}

void Tst_Version_Check::version_source_against_local_server() {
    {
        One_Shot_Server server("HTTP/1.0 200 OK\r\n\r\nVER. 2.111");
        QVERIFY(
            Maker_Version_Source(QStringLiteral("127.0.0.1"), server.Port(), 5s).Newer_Version_Available());
    }
    {
        One_Shot_Server server("HTTP/1.0 200 OK\r\n\r\nVER. 0.000");
        QVERIFY(
            !Maker_Version_Source(QStringLiteral("127.0.0.1"), server.Port(), 5s).Newer_Version_Available());
    }
    {
        One_Shot_Server server("HTTP/1.0 404 Not Found\r\n\r\n2.200");
        QVERIFY(
            !Maker_Version_Source(QStringLiteral("127.0.0.1"), server.Port(), 5s).Newer_Version_Available());
    }
}

QTEST_GUILESS_MAIN(Tst_Version_Check)
#include "tst_version_check.moc"
