#include "cli_run.h"
#include "test_dirs.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {} // namespace

class Tst_Gsd_Cli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void writes_file();
    void existing_file_needs_force();
    void failures_data();
    void failures();
    void usage_errors_data();
    void usage_errors();
    void help();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString conf_;
};

void Tst_Gsd_Cli::initTestCase() {
    QVERIFY2(QFileInfo(Cli_Path).isExecutable(),
             qPrintable(Cli_Path + " is not built (build target kc40927-cli)"));
}

void Tst_Gsd_Cli::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    conf_ = dir_->filePath("Plant");
    QVERIFY(QDir().mkpath(conf_));
    QVERIFY(Write_All(conf_ + "/ParGen.xml",
                      "<Par_Gen><Profi_NB_IN>244</Profi_NB_IN><Profi_NB_OUT>100</Profi_NB_OUT>"
                      "</Par_Gen><!--SW_VERSION = 2.110-->"));
}

void Tst_Gsd_Cli::writes_file() {
    // The file name is used as given: no suffix is added.
    const QString out = dir_->filePath("device");
    const Cli_Result result = Run_Cli({"gsd", conf_, out});
    QCOMPARE(result.status, 0);
    QVERIFY2(result.err.isEmpty(), qPrintable(result.err));
    QCOMPARE(Read_All(out), Read_All(Fixture_Path("gsd/I244_O100.gsd")));
}

void Tst_Gsd_Cli::existing_file_needs_force() {
    const QString out = dir_->filePath("device.gsd");
    QVERIFY(Write_All(out, "old"));
    Cli_Result result = Run_Cli({"gsd", conf_, out});
    QCOMPARE(result.status, 1);
    QVERIFY2(result.err.contains("--force") && result.err.contains(QDir::toNativeSeparators(out)),
             qPrintable(result.err));
    QCOMPARE(Read_All(out), QByteArray("old"));

    result = Run_Cli({"gsd", "--force", conf_, out});
    QCOMPARE(result.status, 0);
    QCOMPARE(Read_All(out), Read_All(Fixture_Path("gsd/I244_O100.gsd")));
}

void Tst_Gsd_Cli::failures_data() {
    QTest::addColumn<QByteArray>("pargen"); // null: no document
    QTest::addColumn<QString>("out_name");
    QTest::addColumn<QString>("message_part");
    QTest::newRow("no general parameters") << QByteArray() << "d.gsd"
                                           << "ParGen.xml";
    QTest::newRow("malformed general parameters")
        << Read_All(Fixture_Path("gsd_broken/ParGen.xml")) << "d.gsd"
        << "not a well-formed";
    QTest::newRow("too many modules")
        << QByteArray("<Par_Gen><Profi_NB_OUT>2000000000</Profi_NB_OUT></Par_Gen>") << "d.gsd"
        << "at most 255";
    QTest::newRow("unwritable") << QByteArray("<Par_Gen/>") << "missing/d.gsd"
                                << "missing";
    QTest::newRow("folder") << QByteArray("<Par_Gen/>") << "Plant"
                            << "folder";
}

void Tst_Gsd_Cli::failures() {
    QFETCH(QByteArray, pargen);
    QFETCH(QString, out_name);
    QFETCH(QString, message_part);
    QVERIFY(QFile::remove(conf_ + "/ParGen.xml"));
    if (!pargen.isNull())
        QVERIFY(Write_All(conf_ + "/ParGen.xml", pargen));
    const QString out = dir_->filePath(out_name);
    const Cli_Result result = Run_Cli({"gsd", conf_, out});
    QCOMPARE(result.status, 1);
    QVERIFY2(result.err.contains(message_part), qPrintable(result.err));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList());
}

void Tst_Gsd_Cli::usage_errors_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no arguments") << QStringList{"gsd"};
    QTest::newRow("one argument") << QStringList{"gsd", "conf"};
    QTest::newRow("three arguments") << QStringList{"gsd", "conf", "a.gsd", "b.gsd"};
    QTest::newRow("unknown option") << QStringList{"gsd", "conf", "a.gsd", "--forse"};
}

void Tst_Gsd_Cli::usage_errors() {
    QFETCH(QStringList, args);
    const Cli_Result result = Run_Cli(args);
    QCOMPARE(result.status, 2);
    QVERIFY2(result.err.contains("Usage: kc40927-cli gsd CONF_DIR OUT_FILE [--force]"),
             qPrintable(result.err));
}

void Tst_Gsd_Cli::help() {
    Cli_Result result = Run_Cli({"gsd", "--help"});
    QCOMPARE(result.status, 0);
    QVERIFY(result.out.contains("gsd CONF_DIR OUT_FILE [--force]"));
    QVERIFY(result.out.contains("--force"));
    result = Run_Cli({"--help"});
    QCOMPARE(result.status, 0);
    QVERIFY(result.out.contains("gsd CONF_DIR OUT_FILE [--force]"));
}

QTEST_GUILESS_MAIN(Tst_Gsd_Cli)
#include "tst_gsd_cli.moc"
