#include "update/start_program.h"
#include "update_fakes.h"
#include "updater_fixture.h"

#include <QElapsedTimer>
#include <QTest>
#include <csignal>

namespace {

// A shell script written into the program folder, started as an updater.
QString Write_Script(const Updater_Folder& folder, const QByteArray& body) {
    const QString path = QDir(folder.program_dir).filePath(QStringLiteral("scripted_updater"));
    if (!Write_All(path, "#!/bin/sh\n" + body + "\n"))
        return {};
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner | QFile::ReadOwner);
    return path;
}

struct Real_Run {
    Program_Run_Result result;
    QByteArray output;
    int waits = 0;
};

Real_Run Run_Real(const QString& program, const QStringList& arguments, int wait_limit_ms = 20000) {
    System_Program_Starter starter;
    System_Update_Clock clock;
    Update_Timing timing;
    timing.wait_limit_ms = wait_limit_ms;
    Real_Run run;
    run.result =
        Start_Program(starter, clock, timing, program, arguments, 0, [&](qint64, const QByteArray& out) {
            run.output += out;
            ++run.waits;
        });
    return run;
}

} // namespace

class Tst_Start_Program : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void waits_until_the_program_ends();
    void gives_up_after_the_limit_leaving_it_running();
    void start_failure_is_reported();
    void scripted_endings_data();
    void scripted_endings();
    void arguments_reach_the_program_unsplit();
    void program_past_the_limit_stays_watched();
    void real_stand_in_started_and_waited_for();
    void real_program_missing_or_not_executable();
    void hung_program_stopped_when_asked();
};

void Tst_Start_Program::waits_until_the_program_ends() {
    Fake_Starter starter;
    Fake_Clock clock;
    starter.polls_until_end = 3;
    starter.end = {false, 3};
    starter.output = {"one\n", "", "two\n", "last\n"};
    QList<qint64> waited;
    QByteArray seen;
    const Program_Run_Result result =
        Start_Program(starter, clock, Update_Timing{}, QStringLiteral("/p/Ser_40927_Update"),
                      QStringList{QStringLiteral("a b"), QStringLiteral("c")}, 0,
                      [&](qint64 elapsed, const QByteArray& out) {
                          waited << elapsed;
                          seen += out;
                      });
    QCOMPARE(result.run, Program_Run::Ended);
    QCOMPARE(result.end.code, 3);
    QVERIFY(result.end.Failed());
    QVERIFY(!result.program);
    QCOMPARE(starter.calls.size(), 1);
    QCOMPARE(starter.calls[0].program, QStringLiteral("/p/Ser_40927_Update"));
    QCOMPARE(starter.calls[0].arguments, (QStringList{"a b", "c"}));
    QVERIFY(starter.calls[0].show_window);
    QCOMPARE(starter.polls, 4);
    // Every step of 10 ms, and the output written before the end comes last.
    QCOMPARE(waited, (QList<qint64>{10, 20, 30, 30}));
    QCOMPARE(seen, QByteArray("one\ntwo\nlast\n"));
}

void Tst_Start_Program::gives_up_after_the_limit_leaving_it_running() {
    Fake_Starter starter;
    Fake_Clock clock;
    starter.polls_until_end = -1;
    const qint64 start = clock.now;
    const Program_Run_Result result =
        Start_Program(starter, clock, Update_Timing{}, QStringLiteral("p"), {}, 1);
    QCOMPARE(result.run, Program_Run::Still_Running);
    QVERIFY(!starter.calls[0].show_window);
    // The last look comes at 150000 ms, the first moment past 149999 ms.
    QCOMPARE(clock.now - start, 150000);
    QCOMPARE(starter.polls, 15001);
    // The program is handed over to be watched further.
    QVERIFY(result.program);
    QVERIFY(!result.program->Has_Ended());
}

void Tst_Start_Program::start_failure_is_reported() {
    Fake_Starter starter;
    Fake_Clock clock;
    starter.start_error = QStringLiteral("the file does not exist");
    bool waited = false;
    const Program_Run_Result result = Start_Program(starter, clock, Update_Timing{}, QStringLiteral("p"), {},
                                                    0, [&](qint64, const QByteArray&) { waited = true; });
    QCOMPARE(result.run, Program_Run::Not_Started);
    QCOMPARE(result.error, QStringLiteral("the file does not exist"));
    QVERIFY(!waited);
    QCOMPARE(clock.slept, 0);
}

void Tst_Start_Program::scripted_endings_data() {
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<bool>("crashed");
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("output"); // what must have come, in order
    QTest::newRow("exit 0") << QByteArray("echo done") << false << 0 << QByteArray("done\n");
    QTest::newRow("exit 3") << QByteArray("echo 'cannot open port' >&2; exit 3") << false << 3
                            << QByteArray("cannot open port\n");
    QTest::newRow("crash") << QByteArray("echo started; kill -SEGV $$") << true << int(SIGSEGV)
                           << QByteArray("started\n");
    QTest::newRow("both channels in order")
        << QByteArray("echo out; echo err >&2; echo out2") << false << 0 << QByteArray("out\nerr\nout2\n");
    QTest::newRow("40 kB of garbage")
        << QByteArray("head -c 40000 /dev/urandom; exit 1") << false << 1 << QByteArray();
}

void Tst_Start_Program::scripted_endings() {
    QFETCH(QByteArray, script);
    QFETCH(bool, crashed);
    QFETCH(int, code);
    QFETCH(QByteArray, output);
    Updater_Folder folder;
    const QString program = Write_Script(folder, script);
    QVERIFY(!program.isEmpty());
    const Real_Run run = Run_Real(program, {});
    QCOMPARE(run.result.run, Program_Run::Ended);
    QCOMPARE(run.result.end.crashed, crashed);
    QCOMPARE(run.result.end.code, code);
    QCOMPARE(run.result.end.Failed(), crashed || code != 0);
    if (output.isEmpty())
        QCOMPARE(run.output.size(), 40000);
    else
        QCOMPARE(run.output, output);
}

void Tst_Start_Program::arguments_reach_the_program_unsplit() {
    Updater_Folder folder;
    const QString program = Write_Script(folder, "for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done");
    const QStringList arguments{QStringLiteral("/dev/ttyS0"),
                                QStringLiteral("FW"),
                                QStringLiteral("/x/PROJECTS/Plant \"B\" 2/bin/"),
                                QString(),
                                QStringLiteral("K\u00f6ln \u00e9t\u00e9 \\ 'q'"),
                                QStringLiteral("  ")};
    const Real_Run run = Run_Real(program, arguments);
    QCOMPARE(run.result.run, Program_Run::Ended);
    QStringList expected;
    for (const QString& argument : arguments)
        expected << QLatin1Char('[') + argument + QLatin1Char(']');
    QCOMPARE(QString::fromUtf8(run.output).split(QLatin1Char('\n'), Qt::SkipEmptyParts), expected);
}

void Tst_Start_Program::program_past_the_limit_stays_watched() {
    Updater_Folder folder;
    const QString program = Write_Script(folder, "echo waiting; sleep 30");
    QElapsedTimer timer;
    timer.start();
    Real_Run run = Run_Real(program, {}, 300);
    const qint64 waited = timer.elapsed();
    QCOMPARE(run.result.run, Program_Run::Still_Running);
    QVERIFY(waited >= 300);
    QVERIFY(waited < 10000);
    QVERIFY(run.waits > 0);
    QCOMPARE(run.output, QByteArray("waiting\n"));
    // Not waited for any longer, and still running, still watched.
    std::unique_ptr<Started_Program> still = std::move(run.result.program);
    QVERIFY(still);
    const pid_t pid = pid_t(still->Process_Id());
    QCOMPARE(::kill(pid, 0), 0);
    QVERIFY(!still->Has_Ended());
    QCOMPARE(::kill(pid, SIGTERM), 0);
    QTRY_VERIFY(still->Has_Ended());
    QVERIFY(still->End().crashed);
    QCOMPARE(still->End().code, int(SIGTERM));
}

void Tst_Start_Program::real_stand_in_started_and_waited_for() {
    Updater_Folder folder;
    QVERIFY(folder.Copy_Updater(Serial_Updater_Name));
    folder.Add_Firmware();
    QVERIFY(Write_All(folder.Bank_Path(), Updater_Folder::Packed_Bank()));
    const Real_Run run =
        Run_Real(Updater_Program_Path(folder.program_dir, Serial_Updater_Name),
                 Serial_Arguments(QStringLiteral("ttyUSB0"), 0, true, folder.master_dir, folder.conf_dir));
    QCOMPARE(run.result.run, Program_Run::Ended);
    QVERIFY(!run.result.end.Failed());
    const QString log = folder.Log(Serial_Updater_Name);
    QVERIFY2(log.contains(QStringLiteral("options: FW FR PW PR")), qPrintable(log));
    QVERIFY2(log.contains(QStringLiteral("sim40927.sim (1000 bytes), write, read back")), qPrintable(log));
    QVERIFY2(log.contains(QStringLiteral("Plant A/bin/bank.bin (51 bytes), write, read back")),
             qPrintable(log));
    QVERIFY2(log.contains(QStringLiteral("result: every file loaded")), qPrintable(log));
}

void Tst_Start_Program::real_program_missing_or_not_executable() {
    Updater_Folder folder;
    Real_Run run =
        Run_Real(Updater_Program_Path(folder.program_dir, Serial_Updater_Name), {QStringLiteral("x")});
    QCOMPARE(run.result.run, Program_Run::Not_Started);
    QVERIFY(!run.result.error.isEmpty());

    const QString plain = Updater_Program_Path(folder.program_dir, Ethernet_Updater_Name);
    QVERIFY(Write_All(plain, "not a program"));
    run = Run_Real(plain, {});
    QCOMPARE(run.result.run, Program_Run::Not_Started);
    QVERIFY(!run.result.error.isEmpty());
}

void Tst_Start_Program::hung_program_stopped_when_asked() {
    // A script that never ends by itself: after the stop its end is read,
    // killed, well before the limit.
    Updater_Folder folder;
    const QString script = Write_Script(folder, "echo loading\nwhile true; do sleep 1; done");
    QVERIFY(!script.isEmpty());
    System_Program_Starter starter;
    System_Update_Clock clock;
    Update_Timing timing;
    timing.wait_limit_ms = 60000;
    int asked = 0;
    QByteArray output;
    const Program_Run_Result result = Start_Program(
        starter, clock, timing, script, {}, 0, [&](qint64, const QByteArray& out) { output += out; },
        [&] {
            ++asked;
            return output.contains("loading");
        });
    QCOMPARE(int(result.run), int(Program_Run::Ended));
    QVERIFY(result.stopped);
    QVERIFY(result.end.crashed);
    QCOMPARE(result.end.code, int(SIGKILL));
    QVERIFY(asked >= 1);
}

QTEST_GUILESS_MAIN(Tst_Start_Program)
#include "tst_start_program.moc"
