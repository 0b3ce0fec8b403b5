#include "update/update_options.h"
#include "updater_fixture.h"

#include <QProcess>
#include <QTest>

// The stand-in updaters run as the configurator starts them: from the program
// folder, with the arguments or the parameter file it hands them.
class Tst_Stand_In_Updaters : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void serial_data();
    void serial();
    void ethernet_data();
    void ethernet();
};

namespace {

struct Run {
    int status = -1;
    QString output;
};

// Starts the updater with `args`, or on Windows with the one command line
// `windows_line` when that is given.
Run Run_Updater(const Updater_Folder& folder, const QString& name, const QStringList& args,
                const QString& windows_line = QString()) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
#ifdef Q_OS_WIN
    if (!windows_line.isEmpty()) {
        process.setProgram(Updater_Program_Path(folder.program_dir, name));
        process.setNativeArguments(windows_line);
        process.start();
    } else {
        process.start(Updater_Program_Path(folder.program_dir, name), args);
    }
#else
    Q_UNUSED(windows_line);
    process.start(Updater_Program_Path(folder.program_dir, name), args);
#endif
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAll())};
}

} // namespace

void Tst_Stand_In_Updaters::serial_data() {
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("missing");  // "firmware", "bank" or empty
    QTest::addColumn<QString>("bank");     // "packed", "fixed"
    QTest::addColumn<QString>("override"); // replaces the command line when set
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("says");
    // Command lines as this platform's configurator writes them.
    const QString device = Native_Command_Line_Style().device_prefix;
    const QString sep = Native_Command_Line_Style().separator;
    QTest::newRow("everything") << 0 << ""
                                << "packed"
                                << "" << 0 << "every file loaded";
    QTest::newRow("configuration needs no firmware") << 2 << "firmware"
                                                     << "packed"
                                                     << "" << 0 << "every file loaded";
    QTest::newRow("firmware missing") << 1 << "firmware"
                                      << "packed"
                                      << "" << 1 << "sim40927.sim does not exist";
    QTest::newRow("bank missing") << 0 << "bank"
                                  << "packed"
                                  << "" << 1 << "bank.bin does not exist";
    QTest::newRow("image of the other hardware")
        << 2 << ""
        << "fixed"
        << "" << 1 << "not a configuration image of the serial hardware";
    QTest::newRow("unknown option") << 0 << ""
                                    << "packed" << device + "ttyS0 FW FR XX PR \"a\" \"b" + sep + "\"" << 2
                                    << "option 3 is XX";
    QTest::newRow("too few arguments") << 0 << ""
                                       << "packed" << device + "ttyS0 FW FR" << 2 << "got 3 arguments";
    QTest::newRow("no port named") << 0 << ""
                                   << "packed" << device + " FW FR PW PR \"a\" \"b" + sep + "\"" << 2
                                   << "no serial port named";
}

void Tst_Stand_In_Updaters::serial() {
    QFETCH(int, option);
    QFETCH(QString, missing);
    QFETCH(QString, bank);
    QFETCH(QString, override);
    QFETCH(int, status);
    QFETCH(QString, says);
    Updater_Folder folder;
    QVERIFY(folder.Copy_Updater(Serial_Updater_Name));
    if (missing != QLatin1String("firmware"))
        folder.Add_Firmware();
    if (missing != QLatin1String("bank"))
        QVERIFY(Write_All(folder.Bank_Path(), bank == QLatin1String("fixed")
                                                  ? Updater_Folder::Fixed_Bank()
                                                  : Updater_Folder::Packed_Bank()));
#ifdef Q_OS_WIN
    // The configurator's one command line, which the updater reads itself.
    const QString line = override.isEmpty() ? Serial_Command_Line(QStringLiteral("COM1"), option, true,
                                                                  folder.master_dir, folder.conf_dir)
                                            : override;
    const Run run = Run_Updater(folder, Serial_Updater_Name, {}, line);
#else
    const QStringList args = override.isEmpty() ? Serial_Arguments(QStringLiteral("ttyS0"), option, true,
                                                                   folder.master_dir, folder.conf_dir)
                                                : QProcess::splitCommand(override);
    const Run run = Run_Updater(folder, Serial_Updater_Name, args);
#endif
    QCOMPARE(run.status, status);
    const QString log = folder.Log(Serial_Updater_Name);
    QVERIFY2(log.contains(says), qPrintable(log));
    // A failure says which file or argument, in one line on its error channel.
    if (status != 0) {
        QVERIFY2(run.output.contains(says), qPrintable(run.output));
        QCOMPARE(run.output.trimmed().count(QLatin1Char('\n')), 0);
    } else {
        QVERIFY2(run.output.isEmpty(), qPrintable(run.output));
    }
}

void Tst_Stand_In_Updaters::ethernet_data() {
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("says");
    QTest::newRow("both steps") << 0 << "" << 0 << "operation 2: configuration";
    QTest::newRow("firmware only") << 1 << "" << 0 << "operation 1: firmware";
    QTest::newRow("no parameter file")
        << 0 << "no parameter file" << 1 << "Ethernet_Update.xml does not exist";
    QTest::newRow("bank missing") << 2 << "no bank" << 1 << "bank.bin does not exist";
    QTest::newRow("bank checksum wrong") << 2 << "bad checksum" << 1 << "checksum";
    QTest::newRow("elements out of order") << 0 << "order" << 2 << "expected Version,Title";
    QTest::newRow("not well-formed") << 0 << "broken" << 1 << "not a well-formed XML document";
}

void Tst_Stand_In_Updaters::ethernet() {
    QFETCH(int, option);
    QFETCH(QString, fault);
    QFETCH(int, status);
    QFETCH(QString, says);
    Updater_Folder folder;
    QVERIFY(folder.Copy_Updater(Ethernet_Updater_Name));
    folder.Add_Firmware();
    QByteArray bank = Updater_Folder::Fixed_Bank();
    if (fault == QLatin1String("bad checksum"))
        bank[0x4002] = 1;
    if (fault != QLatin1String("no bank"))
        QVERIFY(Write_All(folder.Bank_Path(), bank));
    Ethernet_Update_Params params;
    params.ip_address = QStringLiteral("127.0.0.1");
    params.option_index = option;
    params.master_dir = folder.master_dir;
    params.conf_dir = folder.conf_dir;
    QByteArray xml = Ethernet_Update_Xml(params);
    if (fault == QLatin1String("order"))
        xml.replace("<Version>1000</Version>", "").replace("</Title>", "</Title><Version>1000</Version>");
    if (fault == QLatin1String("broken"))
        xml.chop(20);
    if (fault != QLatin1String("no parameter file"))
        QVERIFY(Write_All(QDir(folder.program_dir).filePath(Ethernet_Parameter_File), xml));
    const Run run = Run_Updater(folder, Ethernet_Updater_Name, {});
    QCOMPARE(run.status, status);
    const QString log = folder.Log(Ethernet_Updater_Name);
    QVERIFY2(log.contains(says), qPrintable(log));
    if (status != 0) {
        QVERIFY2(run.output.contains(says), qPrintable(run.output));
        QCOMPARE(run.output.trimmed().count(QLatin1Char('\n')), 0);
    }
    if (status == 0) {
        QVERIFY2(log.contains(QStringLiteral("device: 127.0.0.1")), qPrintable(log));
        QVERIFY2(log.contains(QStringLiteral("every file loaded")), qPrintable(log));
    }
}

QTEST_GUILESS_MAIN(Tst_Stand_In_Updaters)
#include "tst_stand_in_updaters.moc"
