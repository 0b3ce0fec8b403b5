#include "cli_run.h"
#include "config/access_rules.h"
#include "config/diagnosis_list.h"
#include "test_dirs.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// kc40927-cli export-csv and import-csv as a script uses them: the files,
// the exit status and the messages.
class Tst_Csv_Cli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void export_then_import_gives_the_document_back();
    void export_of_a_missing_document_is_the_header();
    void import_creates_the_document();
    void refused_import_names_row_column_and_line_data();
    void refused_import_names_row_column_and_line();
    void usage_errors_data();
    void usage_errors();

private:
    std::unique_ptr<QTemporaryDir> dir;
    QString conf;
};

namespace {

Access_Rules Some_Rules() {
    Access_Rule rule;
    rule.Enable = "Y";
    rule.Slave_ID = "1";
    rule.Type = "Holding Register";
    rule.Address_Mod = "0";
    rule.NPoint = "2";
    rule.Address_Profi = "0";
    rule.Swap = "N";
    rule.Mnemonic = QString::fromUtf8("Druck \"A\", Kessel; 2\nbar");
    Access_Rules rules;
    rules.Read_Rules = {rule, rule};
    rules.Read_Rules[1].Slave_ID = " 2";
    rules.Read_Rules[1].Address_Profi = "4";
    rule.OnCMD = "N";
    rule.ForceF15F16 = "Y";
    rules.Write_Rules = {rule};
    return rules;
}

} // namespace

void Tst_Csv_Cli::initTestCase() {
    QVERIFY2(QFileInfo(Cli_Path).isExecutable(),
             qPrintable(Cli_Path + " is not built (build target kc40927-cli)"));
}

void Tst_Csv_Cli::init() {
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    conf = dir->filePath("Plant");
    QVERIFY(QDir().mkpath(conf));
}

void Tst_Csv_Cli::export_then_import_gives_the_document_back() {
    Save_Sdo(conf + "/sdo.xml", Some_Rules());
    Save_Diagnosis(conf + "/diagnosis.xml", Diagnosis_List{{"5", " 6"}});
    const QByteArray sdo = Read_All(conf + "/sdo.xml");
    const QByteArray diagnosis = Read_All(conf + "/diagnosis.xml");

    for (const QString table : {"read", "write", "diagnosis"}) {
        const QString csv = dir->filePath(table + ".csv");
        const Cli_Result exported = Run_Cli({"export-csv", conf, table, csv});
        QCOMPARE(exported.status, 0);
        QVERIFY2(exported.err.isEmpty(), qPrintable(exported.err));
        QVERIFY(exported.out.contains(QDir::toNativeSeparators(csv)));
        const Cli_Result imported = Run_Cli({"import-csv", conf, table, csv});
        QCOMPARE(imported.status, 0);
        QVERIFY2(imported.err.isEmpty(), qPrintable(imported.err));
    }
    QCOMPARE(Read_All(conf + "/sdo.xml"), sdo);
    QCOMPARE(Read_All(conf + "/diagnosis.xml"), diagnosis);
    QCOMPARE(Read_All(dir->filePath("diagnosis.csv")), QByteArray("ID\r\n5\r\n\" 6\"\r\n"));
}

void Tst_Csv_Cli::export_of_a_missing_document_is_the_header() {
    const QString csv = dir->filePath("read.csv");
    QVERIFY(Write_All(csv, "old content"));
    QCOMPARE(Run_Cli({"export-csv", conf, "read", csv}).status, 0);
    QCOMPARE(
        Read_All(csv),
        QByteArray(
            "Enable,Slave_ID,Type,Address_Mod,NPoint,PollTime,MaxError,Address_Profi,Bit,Swap,Mnemonic\r\n"));
    QVERIFY(!QFileInfo::exists(conf + "/sdo.xml"));
}

void Tst_Csv_Cli::import_creates_the_document() {
    const QString csv = dir->filePath("write.csv");
    QVERIFY(Write_All(
        csv, "\xEF\xBB\xBFslave_id;type;address_mod;npoint;address_profi\r\n7;Coil Status;0;9;0\r\n"));
    const Cli_Result result = Run_Cli({"import-csv", conf, "write", csv});
    QCOMPARE(result.status, 0);
    const Access_Rules stored = Load_Sdo(conf + "/sdo.xml");
    QVERIFY(stored.Read_Rules.isEmpty());
    QCOMPARE(stored.Write_Rules.size(), 1);
    QCOMPARE(stored.Write_Rules[0].Slave_ID, QString("7"));
    QCOMPARE(stored.Write_Rules[0].NPoint, QString("9"));
}

void Tst_Csv_Cli::refused_import_names_row_column_and_line_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("check of the editor")
        << "read"
        << QByteArray("Enable,Slave_ID,Type,Address_Mod,NPoint,Address_Profi\r\nY,1,Coil Status,0,1,0\r\n"
                      "Y,1,Coil Status,70000,1,0\r\n")
        << QStringList{"Error row 2!! [Modbus Read] Address must be between 0 and 65535", "row 2",
                       "column Address_Mod", "line 3 of"};
    QTest::newRow("unknown header") << "write" << QByteArray("Enable,Slave\r\n")
                                    << QStringList{"Error in line 1: unknown column Slave", "column Slave",
                                                   "line 1 of"};
    QTest::newRow("65 IDs") << "diagnosis" << QByteArray("ID\n") + QByteArray("1\n").repeated(65)
                            << QStringList{"Error in line 66: too many rows, at most 64", "line 66 of"};
}

void Tst_Csv_Cli::refused_import_names_row_column_and_line() {
    QFETCH(QString, table);
    QFETCH(QByteArray, csv);
    QFETCH(QStringList, expected);
    Save_Sdo(conf + "/sdo.xml", Some_Rules());
    Save_Diagnosis(conf + "/diagnosis.xml", Diagnosis_List{{"5"}});
    const QByteArray sdo = Read_All(conf + "/sdo.xml");
    const QByteArray diagnosis = Read_All(conf + "/diagnosis.xml");
    const QString file = dir->filePath("in.csv");
    QVERIFY(Write_All(file, csv));

    const Cli_Result result = Run_Cli({"import-csv", conf, table, file});
    QCOMPARE(result.status, 1);
    for (const QString& text : expected)
        QVERIFY2(result.err.contains(text), qPrintable(result.err));
    QVERIFY(result.err.contains("unchanged"));
    QCOMPARE(Read_All(conf + "/sdo.xml"), sdo);
    QCOMPARE(Read_All(conf + "/diagnosis.xml"), diagnosis);
}

void Tst_Csv_Cli::usage_errors_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown table") << QStringList{"export-csv", "CONF", "rules", "out.csv"} << 2
                                   << "unknown table";
    QTest::newRow("missing argument") << QStringList{"import-csv", "CONF", "read"} << 2 << "usage";
    QTest::newRow("no folder") << QStringList{"import-csv", "CONF/none", "read", "in.csv"} << 2
                               << "not a folder";
    QTest::newRow("missing file") << QStringList{"import-csv", "CONF", "read", "none.csv"} << 1
                                  << "Cannot read";
    QTest::newRow("broken document") << QStringList{"export-csv", "BROKEN", "read", "out.csv"} << 1
                                     << "not a well-formed XML document";
}

void Tst_Csv_Cli::usage_errors() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, message);
    const QString broken = dir->filePath("Broken");
    QVERIFY(QDir().mkpath(broken));
    QVERIFY(Write_All(broken + "/sdo.xml", "<Serial_to_ProfiBus>"));
    for (QString& arg : args) {
        arg.replace("CONF", conf).replace("BROKEN", broken);
        if (arg.endsWith(".csv"))
            arg = dir->filePath(arg);
    }
    const Cli_Result result = Run_Cli(args);
    QCOMPARE(result.status, status);
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
    QVERIFY(!QFileInfo::exists(dir->filePath("out.csv")));
}

QTEST_GUILESS_MAIN(Tst_Csv_Cli)
#include "tst_csv_cli.moc"
