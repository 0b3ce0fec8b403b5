#include "text/http_get.h"
#include "text/maker_version_source.h"
#include "text/version_check.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <future>
#include <memory>
#include <optional>

using namespace std::chrono_literals;

Q_DECLARE_METATYPE(Version_Outcome)

namespace {

// A one-shot HTTP server on 127.0.0.1, run on its own thread, so that it
// answers whatever the test's own thread does. It accepts one connection, reads the request up to the empty
// line, then sends `reply` and closes, or with an empty reply stays silent until the client gives up.
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
            client_closed_ = client->waitForDisconnected(5000);
            return;
        }
        client->write(reply_);
        client->waitForBytesWritten(5000);
        client->disconnectFromHost();
        if (client->state() != QAbstractSocket::UnconnectedState)
            client->waitForDisconnected(5000);
    }

public:
    // A silent server saw the client close the connection.
    bool Client_Closed() {
        thread_->wait(10000);
        return client_closed_;
    }

private:
    QByteArray reply_;
    QByteArray request_;
    std::atomic<bool> client_closed_{false};
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

// One version request through the event loop, as the program sends it.
struct Fetched {
    bool answered_inside_start = false;
    bool done = false;
    QString text;
};

Fetched Fetch(const QString& host, quint16 port, std::chrono::milliseconds limit) {
    Http10_Get get;
    Fetched fetched;
    QObject::connect(&get, &Http10_Get::Finished, [&](const Http_Answer& answer) {
        fetched.done = true;
        fetched.text = Version_Answer_Text(answer);
    });
    Start_Version_Request(get, host, port, limit);
    fetched.answered_inside_start = fetched.done;
    QElapsedTimer timer;
    timer.start();
    while (!fetched.done && timer.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return fetched;
}

QString Fetch_Version_Answer(const QString& host, quint16 port, std::chrono::milliseconds limit) {
    return Fetch(host, port, limit).text;
}

// A name lookup that never asks the system: it finds no address for any
// name, a moment later.
class No_Address_Lookup : public Name_Lookup {
public:
    void Start(const QString& name) override {
        names.append(name);
        QTimer::singleShot(1, this, [this] { Deliver({}); });
    }
    QStringList names;
};

// The outcome of one check of the source; nothing when none came in 20 s.
std::optional<Version_Outcome> Outcome_Of(Version_Source& source) {
    std::unique_ptr<Version_Check> check = source.Start_Check();
    QSignalSpy spy(check.get(), &Version_Check::Finished);
    if (!spy.wait(20000))
        return std::nullopt;
    if (spy[0][0].toBool() != (check->Outcome() == Version_Outcome::Newer))
        return std::nullopt;
    return check->Outcome();
}

// The answer of one check of the source; nothing when none came in 20 s.
std::optional<bool> Newer_Version_Available(Version_Source& source) {
    std::unique_ptr<Version_Check> check = source.Start_Check();
    std::optional<bool> newer;
    QObject::connect(check.get(), &Version_Check::Finished, [&](bool answer) { newer = answer; });
    QElapsedTimer timer;
    timer.start();
    while (!newer && timer.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return newer;
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
    void name_looked_up_on_the_way();
    void check_answers_through_its_signal();
    void abandoned_check_closes_at_once();
    void version_source_against_local_server();
    void outcomes_data();
    void outcomes();
    void name_not_found_asks_the_lookup();
    void outcome_of_answer_data();
    void outcome_of_answer();
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
    Maker_Version_Source source(QStringLiteral("127.0.0.1"), port, 5s);
    QCOMPARE(Newer_Version_Available(source), std::optional<bool>(false));
}

void Tst_Version_Check::silent_server_runs_out() {
    One_Shot_Server server{QByteArray()};
    // The request gives at once; events are served while it waits.
    int ticks = 0;
    QTimer heartbeat;
    QObject::connect(&heartbeat, &QTimer::timeout, [&] { ++ticks; });
    heartbeat.start(5);
    const Fetched fetched = Fetch(QStringLiteral("127.0.0.1"), server.Port(), 300ms);
    QVERIFY(!fetched.answered_inside_start);
    QVERIFY(fetched.done);
    QCOMPARE(fetched.text, QString());
    QVERIFY(ticks > 0);
    QVERIFY(server.Request().startsWith("GET /home/download/GetversionSW.asp?nomesw=KC40927 HTTP/1.0\r\n"));
}

void Tst_Version_Check::name_looked_up_on_the_way() {
    // "localhost" comes from the hosts file; the answer arrives as for an address.
    One_Shot_Server server("HTTP/1.0 200 OK\r\n\r\nVER. 2.111");
    const Fetched fetched = Fetch(QStringLiteral("localhost"), server.Port(), 5s);
    QVERIFY(!fetched.answered_inside_start);
    QCOMPARE(fetched.text, QStringLiteral("VER. 2.111"));
    QVERIFY(server.Request().contains("Host: localhost:"));
}

void Tst_Version_Check::check_answers_through_its_signal() {
    One_Shot_Server server("HTTP/1.0 200 OK\r\n\r\nVER. 2.111");
    Maker_Version_Source source(QStringLiteral("127.0.0.1"), server.Port(), 5s);
    std::unique_ptr<Version_Check> check = source.Start_Check();
    QSignalSpy spy(check.get(), &Version_Check::Finished);
    QVERIFY(!check->Done());
    QVERIFY(spy.wait(10000));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy[0][0].toBool(), true);
    QVERIFY(check->Done());
}

void Tst_Version_Check::abandoned_check_closes_at_once() {
    // Deleting a check waits for nothing: the connection is closed and no
    // answer follows.
    One_Shot_Server server{QByteArray()};
    Maker_Version_Source source(QStringLiteral("127.0.0.1"), server.Port());
    std::unique_ptr<Version_Check> check = source.Start_Check();
    bool answered = false;
    QObject::connect(check.get(), &Version_Check::Finished, [&] { answered = true; });
    QTest::qWait(200);
    check.reset();
    QVERIFY(server.Client_Closed());
    QTest::qWait(50);
    QVERIFY(!answered);
    QVERIFY(server.Request().startsWith("GET "));
}

void Tst_Version_Check::version_source_against_local_server() {
    {
        One_Shot_Server server("HTTP/1.0 200 OK\r\n\r\nVER. 2.111");
        Maker_Version_Source source(QStringLiteral("127.0.0.1"), server.Port(), 5s);
        QCOMPARE(Newer_Version_Available(source), std::optional<bool>(true));
    }
    {
        One_Shot_Server server("HTTP/1.0 200 OK\r\n\r\nVER. 0.000");
        Maker_Version_Source source(QStringLiteral("127.0.0.1"), server.Port(), 5s);
        QCOMPARE(Newer_Version_Available(source), std::optional<bool>(false));
    }
    {
        One_Shot_Server server("HTTP/1.0 404 Not Found\r\n\r\n2.200");
        Maker_Version_Source source(QStringLiteral("127.0.0.1"), server.Port(), 5s);
        QCOMPARE(Newer_Version_Available(source), std::optional<bool>(false));
    }
}

void Tst_Version_Check::outcomes_data() {
    // "silent": a server that takes the request and never answers; "closed":
    // a port nobody listens on; otherwise a server answering `reply`.
    QTest::addColumn<QString>("server");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<Version_Outcome>("outcome");
    QTest::newRow("newer") << "answer" << QByteArray("HTTP/1.0 200 OK\r\n\r\nVER. 2.111")
                           << Version_Outcome::Newer;
    QTest::newRow("same version") << "answer" << QByteArray("HTTP/1.0 200 OK\r\n\r\nVER. 2.110")
                                  << Version_Outcome::Not_Newer;
    QTest::newRow("zero version") << "answer" << QByteArray("HTTP/1.0 200 OK\r\n\r\nver. 0.000\r\n")
                                  << Version_Outcome::Not_Newer;
    QTest::newRow("never answers") << "silent" << QByteArray() << Version_Outcome::Timed_Out;
    QTest::newRow("closed port") << "closed" << QByteArray() << Version_Outcome::Unreachable;
    QTest::newRow("404") << "answer" << QByteArray("HTTP/1.0 404 Not Found\r\n\r\nVER. 2.111")
                         << Version_Outcome::Bad_Answer;
    QTest::newRow("HTML page with success")
        << "answer" << QByteArray("HTTP/1.0 200 OK\r\n\r\n<html><body>Moved</body></html>")
        << Version_Outcome::Bad_Answer;
    QTest::newRow("not HTTP") << "answer" << QByteArray("SSH-2.0-OpenSSH\r\n\r\n")
                              << Version_Outcome::Bad_Answer;
}

void Tst_Version_Check::outcomes() {
    QFETCH(QString, server);
    QFETCH(QByteArray, reply);
    QFETCH(Version_Outcome, outcome);
    std::optional<One_Shot_Server> listening;
    quint16 port = 0;
    if (server == "closed") {
        port = Closed_Port();
    } else {
        listening.emplace(reply);
        port = listening->Port();
    }
    Maker_Version_Source source(QStringLiteral("127.0.0.1"), port, server == "silent" ? 300ms : 5000ms);
    QCOMPARE(Outcome_Of(source), std::optional<Version_Outcome>(outcome));
}

void Tst_Version_Check::name_not_found_asks_the_lookup() {
    // The host name goes to the lookup only; it finds no address.
    No_Address_Lookup* lookup = nullptr;
    Maker_Version_Source source(QStringLiteral("www.maker.invalid"), 80, 5s, [&lookup] {
        auto made = std::make_unique<No_Address_Lookup>();
        lookup = made.get();
        return made;
    });
    std::unique_ptr<Version_Check> check = source.Start_Check();
    QSignalSpy spy(check.get(), &Version_Check::Finished);
    QVERIFY(spy.wait(10000));
    QCOMPARE(spy[0][0].toBool(), false);
    QCOMPARE(check->Outcome(), Version_Outcome::Name_Not_Found);
    QVERIFY(lookup);
    QCOMPARE(lookup->names, QStringList{"www.maker.invalid"});
}

void Tst_Version_Check::outcome_of_answer_data() {
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("failure");
    QTest::addColumn<QString>("body");
    QTest::addColumn<Version_Outcome>("outcome");
    QTest::newRow("newer") << true << int(Http_Failure::None) << "VER. 2.111" << Version_Outcome::Newer;
    QTest::newRow("bare older number")
        << true << int(Http_Failure::None) << "2.000" << Version_Outcome::Not_Newer;
    QTest::newRow("ten point zero is no number")
        << true << int(Http_Failure::None) << "VER. 10.000" << Version_Outcome::Bad_Answer;
    QTest::newRow("empty body") << true << int(Http_Failure::None) << "" << Version_Outcome::Bad_Answer;
    QTest::newRow("error status") << false << int(Http_Failure::None) << "" << Version_Outcome::Bad_Answer;
    QTest::newRow("timed out") << false << int(Http_Failure::Timed_Out) << "" << Version_Outcome::Timed_Out;
    QTest::newRow("unreachable") << false << int(Http_Failure::Unreachable) << ""
                                 << Version_Outcome::Unreachable;
    QTest::newRow("name not found") << false << int(Http_Failure::Name_Not_Found) << ""
                                    << Version_Outcome::Name_Not_Found;
    QTest::newRow("broken") << false << int(Http_Failure::Broken) << "" << Version_Outcome::Bad_Answer;
}

void Tst_Version_Check::outcome_of_answer() {
    QFETCH(bool, ok);
    QFETCH(int, failure);
    QFETCH(QString, body);
    QFETCH(Version_Outcome, outcome);
    Http_Answer answer;
    answer.Ok = ok;
    answer.Status = ok ? 200 : 0;
    answer.Failure = Http_Failure(failure);
    answer.Body = body;
    QCOMPARE(Version_Outcome_Of(answer), outcome);
}

QTEST_GUILESS_MAIN(Tst_Version_Check)
#include "tst_version_check.moc"
