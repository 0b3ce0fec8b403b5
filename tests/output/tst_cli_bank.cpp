// kc40927-cli build and inspect, run as the program an engineer runs.
#include "bank_test_support.h"
#include "cli_run.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {} // namespace

class Tst_Cli_Bank : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void build_then_inspect_data();
    void build_then_inspect();
    void failing_build_keeps_the_old_file();
    void wrong_arguments_data();
    void wrong_arguments();
    void help();
    void inspect_rejects_what_is_no_sound_image();
};

void Tst_Cli_Bank::initTestCase() {
    QVERIFY2(QFileInfo(Cli_Path).isExecutable(), "build the kc40927-cli target first");
}

// clang-format off
void Tst_Cli_Bank::build_then_inspect_data() {
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QStringList>("build_lines");
    QTest::addColumn<QStringList>("inspect_lines");
    QTest::newRow("packed") << "packed_rules_diagnosis"
                            << QStringList{"Layout: packed (hardware type 0)", "Size: 105 bytes",
                                           "Rules: 2 input, 1 output\n", "Diagnosis entries: 3"}
                            << QStringList{"Layout: packed", "0x0048  general section    33 bytes",
                                           "Diagnosis list: 3 entries: 1, 2, 9", "Profi_NB_OUT"};
    QTest::newRow("fixed") << "fixed_full"
                           << QStringList{"Layout: fixed (hardware type 1)", "Size: 18432 bytes",
                                          "Rules: 2 input, 2 output (enabled)"}
                           << QStringList{"Layout: fixed", "Rules: 4 (2 input, 2 output)",
                                          "Profi_Async_Req_Start_IN", "31862", "Checksum: stored 0x00000944, computed 0x00000944: matches"};
}
// clang-format on

void Tst_Cli_Bank::build_then_inspect() {
    QFETCH(QString, fixture);
    QFETCH(QStringList, build_lines);
    QFETCH(QStringList, inspect_lines);
    QTemporaryDir dir;
    const QString conf = Make_Conf_Dir(dir.path());
    Copy_Documents(Fixture_Path("bank/" + fixture), conf);

    const Cli_Result build = Run_Cli({"build", conf});
    QCOMPARE(build.status, 0);
    QCOMPARE(build.err, QString());
    for (const QString& line : build_lines)
        QVERIFY2(build.out.contains(line), qPrintable(build.out));
    QByteArray expected;
    QString error;
    QVERIFY(Read_Hex_Fixture(Fixture_Path("bank/" + fixture + "/expected.hex"), expected, error));
    QCOMPARE(Read_All(conf + "/bin/bank.bin"), expected);

    const Cli_Result inspect = Run_Cli({"inspect", conf + "/bin/bank.bin"});
    QCOMPARE(inspect.status, 0);
    for (const QString& line : inspect_lines)
        QVERIFY2(inspect.out.contains(line), qPrintable(line + " not in:\n" + inspect.out));
}

void Tst_Cli_Bank::failing_build_keeps_the_old_file() {
    QTemporaryDir dir;
    const QString conf = Make_Conf_Dir(dir.path());
    Copy_Documents(Fixture_Path("bank/fixed_full"), conf);
    QCOMPARE(Run_Cli({"build", conf}).status, 0);
    const QByteArray old_image = Read_All(conf + "/bin/bank.bin");
    Write_All(conf + "/sdo.xml", Sdo_Xml({Without(Input_Rule(), "Slave_ID")}, {}));

    const Cli_Result build = Run_Cli({"build", conf});
    QCOMPARE(build.status, 1);
    QCOMPARE(build.out, QString());
    QVERIFY2(build.err.contains("sdo.xml, rule 1 of ProfiBUS_IN: the value Slave_ID is missing"),
             qPrintable(build.err));
    QCOMPARE(Read_All(conf + "/bin/bank.bin"), old_image);
}

// clang-format off
void Tst_Cli_Bank::wrong_arguments_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("build without folder") << QStringList{"build"} << "usage: kc40927-cli build CONF_DIR";
    QTest::newRow("build with two folders") << QStringList{"build", "a", "b"} << "usage: kc40927-cli build CONF_DIR";
    QTest::newRow("build with an unknown option") << QStringList{"build", "--fast"} << "usage: kc40927-cli build CONF_DIR";
    QTest::newRow("build of no folder") << QStringList{"build", "/nonexistent/conf"} << "is not a folder";
    QTest::newRow("inspect without file") << QStringList{"inspect"} << "usage: kc40927-cli inspect BANK_FILE";
    QTest::newRow("inspect of no file") << QStringList{"inspect", "/nonexistent/bank.bin"} << "is not a file";
}
// clang-format on

void Tst_Cli_Bank::wrong_arguments() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    const Cli_Result result = Run_Cli(args);
    QCOMPARE(result.status, 2);
    QCOMPARE(result.out, QString());
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
    QCOMPARE(result.err.count('\n'), 1); // one line
}

void Tst_Cli_Bank::help() {
    for (const QString command : {"build", "inspect"}) {
        const Cli_Result result = Run_Cli({command, "--help"});
        QCOMPARE(result.status, 0);
        QVERIFY2(result.out.startsWith("Usage: kc40927-cli " + command + " "), qPrintable(result.out));
        QVERIFY(result.out.contains("Exit status"));
    }
    const Cli_Result list = Run_Cli({"--help"});
    QCOMPARE(list.status, 0);
    QVERIFY(list.out.contains("build CONF_DIR") && list.out.contains("inspect BANK_FILE"));
}

void Tst_Cli_Bank::inspect_rejects_what_is_no_sound_image() {
    QTemporaryDir dir;
    const QString junk = dir.filePath("junk.bin");
    Write_All(junk, "not an image");
    Cli_Result result = Run_Cli({"inspect", junk});
    QCOMPARE(result.status, 1);
    QVERIFY2(result.err.contains("junk.bin") && result.err.contains("Not a configuration image"),
             qPrintable(result.err));

    const QString conf = Make_Conf_Dir(dir.path());
    Copy_Documents(Fixture_Path("bank/fixed_full"), conf);
    QCOMPARE(Run_Cli({"build", conf}).status, 0);
    QByteArray image = Read_All(conf + "/bin/bank.bin");
    image[0x4000 + 0x081] = 6; // station address changed without a new checksum
    Write_All(conf + "/bin/bank.bin", image);
    result = Run_Cli({"inspect", conf + "/bin/bank.bin"});
    QCOMPARE(result.status, 1);
    QVERIFY2(result.out.contains("DOES NOT MATCH"), qPrintable(result.out));
    QVERIFY2(result.err.contains("checksum"), qPrintable(result.err));
}

QTEST_GUILESS_MAIN(Tst_Cli_Bank)
#include "tst_cli_bank.moc"
