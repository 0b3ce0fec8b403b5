#include "update/icmp_echo.h"
#include "update_fakes.h"

#include <QTest>

class Tst_Echo_Check : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scripted_data();
    void scripted();
    void failure_keeps_ping_res();
    void real_echo_to_loopback_data();
    void real_echo_to_loopback();
    void host_texts_data();
    void host_texts();
};

void Tst_Echo_Check::scripted_data() {
    QTest::addColumn<QList<int>>("replies"); // per attempt; the last one repeats
    QTest::addColumn<bool>("answered");
    QTest::addColumn<int>("ping_res");
    QTest::addColumn<int>("attempts");
    QTest::addColumn<int>("min_ms");
    QTest::addColumn<int>("max_ms");
    // Two answered attempts end the check at once.
    QTest::newRow("answers always") << QList<int>{40} << true << 1 << 2 << 0 << 100;
    // Each attempt waits 400 ms for the reply and 10 ms more; the 13th ends past 5000 ms.
    QTest::newRow("never answers") << QList<int>{0} << false << 2 << 13 << 5001 << 5500;
    QTest::newRow("answers only the first") << QList<int>{40, 0} << false << 2 << 14 << 5001 << 5500;
    QTest::newRow("answers the first and the last") << QList<int>{0, 40} << true << 1 << 3 << 400 << 900;
}

void Tst_Echo_Check::scripted() {
    QFETCH(QList<int>, replies);
    QFETCH(bool, answered);
    QFETCH(int, ping_res);
    QFETCH(int, attempts);
    QFETCH(int, min_ms);
    QFETCH(int, max_ms);
    Fake_Clock clock;
    Scripted_Echo echo(clock);
    echo.script = [&](int attempt) { return replies[qMin(attempt, int(replies.size())) - 1]; };
    int res = -1;
    int events = 0;
    const qint64 start = clock.now;
    const bool result = Echo_Check(
        echo, clock, Update_Timing{}, QStringLiteral("127.0.0.1"), res,
        [&](int bytes) { res = bytes > 0 ? 1 : 2; }, [&] { ++events; });
    QCOMPARE(result, answered);
    QCOMPARE(res, ping_res);
    QCOMPARE(echo.attempts, attempts);
    QVERIFY2(clock.now - start >= min_ms && clock.now - start <= max_ms,
             qPrintable(QString::number(clock.now - start)));
    // The GUI was served at least once per attempt, and the data is the host text.
    QVERIFY(events >= attempts);
    QCOMPARE(echo.payloads.first(), QByteArray("127.0.0.1"));
}

void Tst_Echo_Check::failure_keeps_ping_res() {
    Fake_Clock clock;
    Scripted_Echo echo(clock);
    int res = -1;
    const auto reply = [&](int bytes) { res = bytes > 0 ? 1 : 2; };
    echo.script = [](int) { return -1; };
    QVERIFY(!Echo_Check(echo, clock, Update_Timing{}, QStringLiteral("..."), res, reply, {}));
    QCOMPARE(res, 0);
    // A failure after an answered attempt ends the check too, ping_res as it was.
    echo.attempts = 0;
    echo.script = [](int attempt) { return attempt == 1 ? 40 : -1; };
    QVERIFY(!Echo_Check(echo, clock, Update_Timing{}, QStringLiteral("127.0.0.9"), res, reply, {}));
    QCOMPARE(res, 1);
}

void Tst_Echo_Check::real_echo_to_loopback_data() {
    QTest::addColumn<int>("method");
    QTest::newRow("automatic") << int(System_Echo_Client::Method::Automatic);
    QTest::newRow("datagram socket") << int(System_Echo_Client::Method::Datagram_Socket);
    QTest::newRow("raw socket") << int(System_Echo_Client::Method::Raw_Socket);
    QTest::newRow("ping program") << int(System_Echo_Client::Method::Ping_Program);
}

void Tst_Echo_Check::real_echo_to_loopback() {
    QFETCH(int, method);
    const auto chosen = System_Echo_Client::Method(method);
    if (!System_Echo_Client::Method_Available(chosen))
        QSKIP("this process may not use the method");
    // Only the loopback address is ever asked.
    Loopback_Only_Echo client(chosen);
    const int bytes = client.Send_Echo(QStringLiteral("127.0.0.1"), QByteArray("127.0.0.1"), 400);
    QVERIFY(bytes > 0);
    System_Update_Clock clock;
    int res = 0;
    QVERIFY(Echo_Check(client, clock, Update_Timing{}, QStringLiteral("127.0.0.1"), res,
                       [&](int b) { res = b > 0 ? 1 : 2; }, {}));
    QCOMPARE(res, 1);
    QVERIFY(client.refused.isEmpty());
}

void Tst_Echo_Check::host_texts_data() {
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("address"); // where the echo goes; empty: refused
    QTest::addColumn<bool>("looked_up");  // whether a name lookup was asked
    // Blanks typed around the parts of an address are tolerated.
    QTest::newRow("plain") << "192.168.2.205"
                           << "192.168.2.205" << false;
    QTest::newRow("blanks around parts") << " 127. 0.0.1 "
                                         << "127.0.0.1" << false;
    QTest::newRow("bounds") << "0.0.255.255"
                            << "0.0.255.255" << false;
    // Nothing of this is an address, and none of it is looked up.
    QTest::newRow("four empty edits") << "..."
                                      << "" << false;
    QTest::newRow("empty") << ""
                           << "" << false;
    QTest::newRow("empty part") << "127.0.0."
                                << "" << false;
    QTest::newRow("three parts") << "10.0.0"
                                 << "" << false;
    QTest::newRow("short form") << "10.1"
                                << "" << false;
    QTest::newRow("one number") << "167772161"
                                << "" << false;
    QTest::newRow("256") << "127.0.0.256"
                         << "" << false;
    QTest::newRow("five parts") << "1.2.3.4.5"
                                << "" << false;
    QTest::newRow("blank inside a part") << "10.0.0.1 1"
                                         << "" << false;
    QTest::newRow("leading zero") << "10.0.0.010"
                                  << "" << false;
    QTest::newRow("hexadecimal part") << "0x0A.0.0.1"
                                      << "" << false;
    QTest::newRow("hexadecimal after a blank") << " 0x7f.0.0.1"
                                               << "" << false;
    QTest::newRow("sign") << "+10.0.0.1"
                          << "" << false;
    QTest::newRow("blank in a name") << "a b.c.d"
                                     << "" << false;
    QTest::newRow("label starts with a hyphen") << "-a.b"
                                                << "" << false;
    QTest::newRow("last label a hyphen") << "a.-"
                                         << "" << false;
    QTest::newRow("blank around a name") << " plc.local"
                                         << "" << false;
    QTest::newRow("other digits") << QString::fromUtf8("\u0661.0.0.1") << "" << false;
    // A host name is looked up; its first IPv4 address is taken.
    QTest::newRow("unknown host name") << "device-7.plant.local"
                                       << "" << true;
    QTest::newRow("known host name") << "plc.known"
                                     << "127.0.0.1" << true;
}

void Tst_Echo_Check::host_texts() {
    QFETCH(QString, host);
    QFETCH(QString, address);
    QFETCH(bool, looked_up);
    // Only the strict parse and a recording lookup: nothing is sent here.
    QStringList asked;
    const Name_Lookup lookup = [&](const QString& name) {
        asked << name;
        return name.endsWith(QLatin1String("known"))
                   ? QList<QHostAddress>{QHostAddress(QStringLiteral("::1")),
                                         QHostAddress(QStringLiteral("127.0.0.1"))}
                   : QList<QHostAddress>{};
    };
    if (address.isEmpty()) {
        QVERIFY_THROWS_EXCEPTION(Kc_Error, Resolve_Echo_Host(host, lookup));
    } else {
        QCOMPARE(Resolve_Echo_Host(host, lookup), QHostAddress(address));
    }
    QCOMPARE(asked, looked_up ? QStringList{host} : QStringList{});
}

QTEST_GUILESS_MAIN(Tst_Echo_Check)
#include "tst_echo_check.moc"
