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
    void real_echo_refuses_a_text_that_is_no_address();
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
    System_Echo_Client client(chosen);
    // Only the loopback address is ever asked.
    const int bytes = client.Send_Echo(QStringLiteral("127.0.0.1"), QByteArray("127.0.0.1"), 400);
    QVERIFY(bytes > 0);
    System_Update_Clock clock;
    int res = 0;
    QVERIFY(Echo_Check(client, clock, Update_Timing{}, QStringLiteral("127.0.0.1"), res,
                       [&](int b) { res = b > 0 ? 1 : 2; }, {}));
    QCOMPARE(res, 1);
}

void Tst_Echo_Check::real_echo_refuses_a_text_that_is_no_address() {
    System_Echo_Client client;
    // Four empty edits and the like are neither an address nor shaped like
    // a host name, so nothing is looked up or sent.
    for (const char* host : {"...", "127.0.0.", "a b.c.d", "127.0.0.256", "1.2.3.4.5", "-a.b"})
        QVERIFY_THROWS_EXCEPTION(Kc_Error, client.Send_Echo(QLatin1String(host), QByteArray("x"), 400));
    // Blanks typed around the parts of an address are tolerated.
    QVERIFY(client.Send_Echo(QStringLiteral(" 127. 0.0.1"), QByteArray("x"), 400) > 0);
}

QTEST_GUILESS_MAIN(Tst_Echo_Check)
#include "tst_echo_check.moc"
