#include "update/start_program.h"
#include "update_fakes.h"
#include "updater_fixture.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTest>
#include <csignal>

class Tst_Start_Program : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void waits_until_the_program_ends();
    void gives_up_after_the_limit_leaving_it_running();
    void start_failure_is_reported();
    void real_stand_in_started_and_waited_for();
    void real_program_missing_or_not_executable();
    void real_program_outlives_a_short_wait();
};

void Tst_Start_Program::waits_until_the_program_ends() {
    Fake_Starter starter;
    Fake_Clock clock;
    starter.polls_until_end = 3;
    QList<qint64> waited;
    const Program_Run_Result result =
        Start_Program(starter, clock, Update_Timing{}, QStringLiteral("/p/Ser_40927_Update"),
                      QStringLiteral("args"), 0, [&](qint64 elapsed) { waited << elapsed; });
    QCOMPARE(result.run, Program_Run::Ended);
    QCOMPARE(starter.calls.size(), 1);
    QCOMPARE(starter.calls[0].program, QStringLiteral("/p/Ser_40927_Update"));
    QCOMPARE(starter.calls[0].command_line, QStringLiteral("args"));
    QVERIFY(starter.calls[0].show_window);
    QCOMPARE(starter.polls, 4);
    QCOMPARE(waited, (QList<qint64>{10, 20, 30}));
}

void Tst_Start_Program::gives_up_after_the_limit_leaving_it_running() {
    Fake_Starter starter;
    Fake_Clock clock;
    starter.polls_until_end = -1;
    const qint64 start = clock.now;
    const Program_Run_Result result =
        Start_Program(starter, clock, Update_Timing{}, QStringLiteral("p"), QString(), 1);
    QCOMPARE(result.run, Program_Run::Still_Running);
    QVERIFY(!starter.calls[0].show_window);
    // The last look comes at 150000 ms, the first moment past 149999 ms.
    QCOMPARE(clock.now - start, 150000);
    QCOMPARE(starter.polls, 15001);
}

void Tst_Start_Program::start_failure_is_reported() {
    Fake_Starter starter;
    Fake_Clock clock;
    starter.start_error = QStringLiteral("the file does not exist");
    bool waited = false;
    const Program_Run_Result result = Start_Program(starter, clock, Update_Timing{}, QStringLiteral("p"),
                                                    QString(), 0, [&](qint64) { waited = true; });
    QCOMPARE(result.run, Program_Run::Not_Started);
    QCOMPARE(result.error, QStringLiteral("the file does not exist"));
    QVERIFY(!waited);
    QCOMPARE(clock.slept, 0);
}

void Tst_Start_Program::real_stand_in_started_and_waited_for() {
    Updater_Folder folder;
    QVERIFY(folder.Copy_Updater(Serial_Updater_Name));
    folder.Add_Firmware();
    QVERIFY(Write_All(folder.Bank_Path(), Updater_Folder::Packed_Bank()));
    System_Program_Starter starter;
    System_Update_Clock clock;
    Update_Timing timing;
    timing.wait_limit_ms = 20000;
    const QString line =
        Serial_Command_Line(QStringLiteral("ttyUSB0"), 0, true, folder.master_dir, folder.conf_dir);
    const Program_Run_Result result = Start_Program(
        starter, clock, timing, Updater_Program_Path(folder.program_dir, Serial_Updater_Name), line, 1);
    QCOMPARE(result.run, Program_Run::Ended);
    const QString log = folder.Log(Serial_Updater_Name);
    QVERIFY2(log.contains(QStringLiteral("options: FW FR PW PR")), qPrintable(log));
    QVERIFY2(log.contains(QStringLiteral("sim40927.sim (1000 bytes), write, read back")), qPrintable(log));
    QVERIFY2(log.contains(QStringLiteral("Plant A/bin/bank.bin (51 bytes), write, read back")),
             qPrintable(log));
    QVERIFY2(log.contains(QStringLiteral("result: every file loaded")), qPrintable(log));
}

void Tst_Start_Program::real_program_missing_or_not_executable() {
    Updater_Folder folder;
    System_Program_Starter starter;
    System_Update_Clock clock;
    Program_Run_Result result =
        Start_Program(starter, clock, Update_Timing{},
                      Updater_Program_Path(folder.program_dir, Serial_Updater_Name), QStringLiteral("x"), 0);
    QCOMPARE(result.run, Program_Run::Not_Started);
    QVERIFY(!result.error.isEmpty());

    const QString plain = Updater_Program_Path(folder.program_dir, Ethernet_Updater_Name);
    QVERIFY(Write_All(plain, "not a program"));
    result = Start_Program(starter, clock, Update_Timing{}, plain, QString(), 0);
    QCOMPARE(result.run, Program_Run::Not_Started);
    QVERIFY(!result.error.isEmpty());
}

void Tst_Start_Program::real_program_outlives_a_short_wait() {
#ifndef Q_OS_UNIX
    QSKIP("uses the sleep program");
#else
    const QString sleep = QStandardPaths::findExecutable(QStringLiteral("sleep"));
    if (sleep.isEmpty())
        QSKIP("no sleep program");
    // Keeps the id of what the system starter started, to end it afterwards.
    struct Id_Keeping_Starter : Program_Starter {
        System_Program_Starter system;
        qint64 pid = 0;
        std::unique_ptr<Started_Program> Start(const QString& program, const QString& command_line,
                                               bool show_window, QString& error) override {
            auto started = system.Start(program, command_line, show_window, error);
            if (started)
                pid = started->Process_Id();
            return started;
        }
    } starter;
    System_Update_Clock clock;
    Update_Timing timing;
    timing.wait_limit_ms = 300;
    QElapsedTimer timer;
    timer.start();
    const Program_Run_Result result = Start_Program(starter, clock, timing, sleep, QStringLiteral("30"), 0);
    const qint64 waited = timer.elapsed();
    QCOMPARE(result.run, Program_Run::Still_Running);
    QVERIFY(starter.pid > 0);
    QVERIFY(waited >= 300);
    QVERIFY(waited < 5000);
    // Not waited for any longer, and still running.
    QCOMPARE(::kill(pid_t(starter.pid), 0), 0);
    QCOMPARE(::kill(pid_t(starter.pid), SIGTERM), 0);
#endif
}

QTEST_GUILESS_MAIN(Tst_Start_Program)
#include "tst_start_program.moc"
