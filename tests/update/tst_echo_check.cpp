#include "update/icmp_echo.h"
#include "update_fakes.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// Short time-outs: each attempt waits 30 ms for its reply, no attempt starts
// after 300 ms.
Update_Timing Short_Timing() {
    Update_Timing timing;
    timing.echo_reply_timeout_ms = 30;
    timing.echo_step_ms = 1;
    timing.echo_limit_ms = 300;
    return timing;
}

struct Check_Run {
    bool returned_at_once = false; // Start gave before any answer
    bool finished = false;
    bool answered = false;
    int ping_res = -1;
    QList<int> replies; // what ping_reply got, attempt by attempt
};

Check_Run Run_Check(Echo_Client& client, Name_Lookup& lookup, const Update_Timing& timing,
                    const QString& host) {
    Echo_Check check(client, lookup, timing);
    QSignalSpy spy(&check, &Echo_Check::Finished);
    Check_Run run;
    check.Start(host, run.ping_res, [&](int bytes) {
        run.replies << bytes;
        run.ping_res = bytes > 0 ? 1 : 2;
    });
    run.returned_at_once = spy.isEmpty() && run.replies.isEmpty();
    run.finished = spy.wait(10000);
    if (run.finished)
        run.answered = spy[0][0].toBool();
    return run;
}

} // namespace

class Tst_Echo_Check : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scripted_data();
    void scripted();
    void failure_keeps_ping_res();
    void cancel_stops_the_check();
    void real_echo_to_loopback_data();
    void real_echo_to_loopback();
    void automatic_method();
    void host_texts_data();
    void host_texts();
};

void Tst_Echo_Check::scripted_data() {
    QTest::addColumn<QList<int>>("replies"); // per attempt; the last one repeats
    QTest::addColumn<bool>("answered");
    QTest::addColumn<int>("ping_res");
    QTest::addColumn<int>("attempts"); // exactly, or at least when negative
    // Two answered attempts end the check at once.
    QTest::newRow("answers always") << QList<int>{40} << true << 1 << 2;
    // Without replies the attempts go on until the time is over.
    QTest::newRow("never answers") << QList<int>{0} << false << 2 << -3;
    QTest::newRow("answers only the first") << QList<int>{40, 0} << false << 2 << -3;
    QTest::newRow("answers the second and the third") << QList<int>{0, 40} << true << 1 << 3;
}

void Tst_Echo_Check::scripted() {
    QFETCH(QList<int>, replies);
    QFETCH(bool, answered);
    QFETCH(int, ping_res);
    QFETCH(int, attempts);
    Scripted_Echo echo;
    Fake_Lookup lookup;
    echo.script = [&](int attempt) { return replies[qMin(attempt, int(replies.size())) - 1]; };
    const Check_Run run = Run_Check(echo, lookup, Short_Timing(), QStringLiteral("127.0.0.1"));
    QVERIFY(run.returned_at_once);
    QVERIFY(run.finished);
    QCOMPARE(run.answered, answered);
    QCOMPARE(run.ping_res, ping_res);
    if (attempts > 0)
        QCOMPARE(echo.attempts, attempts);
    else
        QVERIFY2(echo.attempts >= -attempts, qPrintable(QString::number(echo.attempts)));
    // Every attempt ends in one reply, 0 bytes when none came in time.
    QCOMPARE(run.replies.size(), echo.attempts);
    for (int n = 0; n < run.replies.size(); ++n)
        QCOMPARE(run.replies[n], replies[qMin(n, int(replies.size()) - 1)]);
    // The data is the host text, the target the address.
    QCOMPARE(echo.payloads.first(), QByteArray("127.0.0.1"));
    QCOMPARE(echo.targets.first(), QHostAddress(QHostAddress::LocalHost));
    QVERIFY(lookup.names.isEmpty());
}

void Tst_Echo_Check::failure_keeps_ping_res() {
    Scripted_Echo echo;
    Fake_Lookup lookup;
    echo.script = [](int) { return -1; };
    Check_Run run = Run_Check(echo, lookup, Short_Timing(), QStringLiteral("127.0.0.9"));
    QVERIFY(run.finished);
    QVERIFY(!run.answered);
    QCOMPARE(run.ping_res, 0);
    // A failure after an answered attempt ends the check too, ping_res as it was.
    echo.attempts = 0;
    echo.script = [](int attempt) { return attempt == 1 ? 40 : -1; };
    run = Run_Check(echo, lookup, Short_Timing(), QStringLiteral("127.0.0.9"));
    QVERIFY(run.finished);
    QVERIFY(!run.answered);
    QCOMPARE(run.ping_res, 1);
}

void Tst_Echo_Check::cancel_stops_the_check() {
    // During the attempts: nothing more is sent and no answer comes.
    Scripted_Echo echo;
    Fake_Lookup lookup;
    Echo_Check check(echo, lookup, Short_Timing());
    QSignalSpy spy(&check, &Echo_Check::Finished);
    int res = -1;
    check.Start(QStringLiteral("127.0.0.1"), res, [&](int bytes) { res = bytes > 0 ? 1 : 2; });
    QVERIFY(check.Running());
    QTRY_COMPARE(echo.attempts, 2);
    check.Cancel();
    QVERIFY(!check.Running());
    const int sent = echo.attempts;
    QTest::qWait(150);
    QCOMPARE(echo.attempts, sent);
    QVERIFY(spy.isEmpty());

    // During the name lookup: the lookup is dropped, nothing is sent.
    Scripted_Echo named;
    Fake_Lookup silent; // never answers
    Echo_Check by_name(named, silent, Short_Timing());
    QSignalSpy named_spy(&by_name, &Echo_Check::Finished);
    by_name.Start(QStringLiteral("plc.plant"), res, [&](int bytes) { res = bytes > 0 ? 1 : 2; });
    QCOMPARE(silent.names, QStringList{"plc.plant"});
    QTest::qWait(50);
    by_name.Cancel();
    QCOMPARE(silent.cancels, 1);
    silent.answer = QList<QHostAddress>{QHostAddress(QHostAddress::LocalHost)};
    QTest::qWait(100);
    QCOMPARE(named.attempts, 0);
    QVERIFY(named_spy.isEmpty());
    QCOMPARE(res, 0);
}

void Tst_Echo_Check::real_echo_to_loopback_data() {
    QTest::addColumn<int>("method");
    QTest::newRow("automatic") << int(System_Echo_Client::Method::Automatic);
    QTest::newRow("datagram socket") << int(System_Echo_Client::Method::Datagram_Socket);
    QTest::newRow("raw socket") << int(System_Echo_Client::Method::Raw_Socket);
    QTest::newRow("ping program") << int(System_Echo_Client::Method::Ping_Program);
    QTest::newRow("system echo API") << int(System_Echo_Client::Method::Echo_Api);
}

void Tst_Echo_Check::real_echo_to_loopback() {
    QFETCH(int, method);
    const auto chosen = System_Echo_Client::Method(method);
    if (!System_Echo_Client::Method_Available(chosen))
        QSKIP("this process may not use the method");
    // Only the loopback address is ever asked; a literal address is never
    // looked up.
    Loopback_Only_Echo client(chosen);
    Fake_Lookup lookup;
    const Check_Run run = Run_Check(client, lookup, Update_Timing{}, QStringLiteral("127.0.0.1"));
    QVERIFY(run.finished);
    QVERIFY(run.answered);
    QCOMPARE(run.ping_res, 1);
    QCOMPARE(client.sent, 2);
    QVERIFY(client.refused.isEmpty());
    QVERIFY(lookup.names.isEmpty());
}

void Tst_Echo_Check::automatic_method() {
    System_Echo_Client client;
#ifdef Q_OS_WIN
    // Windows answers through its echo API; no ping program's output is read.
    QCOMPARE(client.Method_Used(), System_Echo_Client::Method::Echo_Api);
    QVERIFY(!System_Echo_Client::Method_Available(System_Echo_Client::Method::Ping_Program));
#else
    QVERIFY(client.Method_Used() != System_Echo_Client::Method::Echo_Api);
    QVERIFY(!System_Echo_Client::Method_Available(System_Echo_Client::Method::Echo_Api));
#endif
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
    // A scripted echo and a recording lookup: nothing leaves the process.
    Scripted_Echo echo;
    echo.script = [](int) { return 40; };
    Fake_Lookup lookup;
    if (host.endsWith(QLatin1String("known")))
        lookup.answer = QList<QHostAddress>{QHostAddress(QStringLiteral("::1")),
                                            QHostAddress(QStringLiteral("127.0.0.1"))};
    else
        lookup.answer = QList<QHostAddress>{};
    const Check_Run run = Run_Check(echo, lookup, Short_Timing(), host);
    QVERIFY(run.returned_at_once);
    QVERIFY(run.finished);
    QCOMPARE(lookup.names, looked_up ? QStringList{host} : QStringList{});
    if (address.isEmpty()) {
        QVERIFY(!run.answered);
        QCOMPARE(run.ping_res, 0);
        QCOMPARE(echo.attempts, 0);
    } else {
        QVERIFY(run.answered);
        QCOMPARE(echo.targets.first(), QHostAddress(address));
        QCOMPARE(echo.payloads.first(), host.toUtf8());
    }
}

QTEST_GUILESS_MAIN(Tst_Echo_Check)
#include "tst_echo_check.moc"
