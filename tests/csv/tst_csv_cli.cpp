#include "cli_run.h"
#include "document/access_rules.h"
#include "document/diagnosis_list.h"
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
    void formula_cells_round_trip();
    void export_refuses_rows_it_would_drop_data();
    void export_refuses_rows_it_would_drop();
    void outputs_refuse_own_files_folders_and_devices_data();
    void outputs_refuse_own_files_folders_and_devices();
    void standard_output_data();
    void standard_output();

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
    QTest::newRow("flag that is none")
        << "read" << QByteArray("Slave_ID,Type,NPoint,Address_Profi,Swap\r\n1,Coil Status,1,0,on\r\n")
        << QStringList{"Nothing was imported: line 2, rule 1, column Swap: \"on\" is no check box value",
                       "row 1", "column Swap", "line 2 of"};
    QTest::newRow("Type of the other table")
        << "write" << QByteArray("Slave_ID,Type,NPoint,Address_Profi\r\n1,Input Register,1,0\r\n")
        << QStringList{"Nothing was imported: line 2, rule 1, column Type: \"Input Register\" is no Type of "
                       "this table: Coil Status, Holding Register",
                       "row 1", "column Type", "line 2 of"};
    QTest::newRow("unknown header") << "write" << QByteArray("Enable,Slave\r\n")
                                    << QStringList{"Error in line 1: unknown column Slave", "column Slave",
                                                   "line 1 of"};
    QTest::newRow("65 IDs") << "diagnosis" << QByteArray("ID\n") + QByteArray("1\n").repeated(65)
                            << QStringList{"Error in line 66: too many rows, at most 64", "line 66 of"};
    const QByteArray rule_header = "Enable,Slave_ID,Type,Address_Mod,NPoint,Address_Profi,Mnemonic\r\n";
    QTest::newRow("blank Slave_ID at the end, with data")
        << "read" << rule_header + "Y,1,Coil Status,0,1,0,a\r\nY,,Coil Status,0,1,0,b\r\n"
        << QStringList{"Error in line 3, row 2: Row 2 of the read table holds data that will not be saved, "
                       "because the table ends at row 2, the first row without a Slave ID.",
                       "(row 2, line 3 of"};
    QTest::newRow("empty row inside the table")
        << "write" << rule_header + "Y,1,Coil Status,0,1,0,a\r\n\r\nY,3,Coil Status,0,1,0,c\r\n"
        << QStringList{
               "Row 3 of the write table holds data that will not be saved, because the table ends at "
               "row 2",
               "(row 3, line 4 of"};
    QTest::newRow("gap in the IDs") << "diagnosis" << QByteArray("ID\n1\n\n3\n")
                                    << QStringList{"Error in line 4, row 3: Rows from row 3 on hold data",
                                                   "(row 3, column ID, line 4 of"};
    QTest::newRow("mnemonic of 1025 characters")
        << "read" << rule_header + "Y,1,Coil Status,0,1,0," + QByteArray(1025, 'm') + "\r\n"
        << QStringList{
               "Error in line 2, row 1, column Mnemonic: the value is longer than a document can hold, "
               "at most 1024 characters",
               "(row 1, column Mnemonic, line 2 of"};
    QTest::newRow("3 MB cell of quotes")
        << "write"
        << rule_header + "Y,1,Coil Status,0,1,0,\"" + QByteArray("\"\"").repeated(1500000) + "\"\r\n"
        << QStringList{"at most 1024 characters", "(row 1, column Mnemonic, line 2 of"};
    QTest::newRow("10 MB plain cell")
        << "read"
        << "Slave_ID,Mnemonic\n1\n2," + QByteArray(10 * 1024 * 1024, 'x') + "\n"
        << QStringList{"at most 1024 characters", "(row 2, column Mnemonic, line 3 of"};
    QTest::newRow("Slave_ID of 33 characters")
        << "read"
        << "Slave_ID\n" + QByteArray(32, ' ') + "1\n"
        << QStringList{"at most 32 characters", "(row 1, column Slave_ID, line 2 of"};
    QTest::newRow("control character in a mnemonic")
        << "read" << rule_header + "Y,1,Coil Status,0,1,0,ok\r\nY,2,Coil Status,0,1,0,a\x01z\r\n"
        << QStringList{"row 2, column Mnemonic: the value holds a character that a document cannot store",
                       "(row 2, column Mnemonic, line 3 of"};
    QTest::newRow("CR line ends, not UTF-8 in line 3")
        << "read" << QByteArray("Enable,Slave_ID\rY,1\rY,\xff\r")
        << QStringList{"Error in line 3: the text is not UTF-8", "(line 3 of"};
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
    QVERIFY(result.err.contains("Nothing was changed"));
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

void Tst_Csv_Cli::formula_cells_round_trip() {
    Access_Rules rules = Some_Rules();
    const QStringList mnemonics{"=1+2", "+A1", "-5", "@SUM(A1)", "\tx", "\rx", "'quoted", "''=2", "plain'"};
    Access_Rule rule = rules.Read_Rules.first();
    rules.Read_Rules.clear();
    for (int i = 0; i < mnemonics.size(); ++i) {
        rule.Slave_ID = QString::number(i + 1);
        rule.Mnemonic = mnemonics[i];
        rules.Read_Rules.append(rule);
    }
    rules.Read_Rules[2].PollTime = "-1000"; // any column, not only the mnemonic
    Save_Sdo(conf + "/sdo.xml", rules);
    const QByteArray sdo = Read_All(conf + "/sdo.xml");
    const QString csv = dir->filePath("read.csv");
    QCOMPARE(Run_Cli({"export-csv", conf, "read", csv}).status, 0);
    const QByteArray bytes = Read_All(csv);
    for (const QByteArray guarded :
         {",'=1+2\r\n", ",'+A1\r\n", ",'-5\r\n", ",'@SUM(A1)\r\n", ",'\tx\r\n", ",\"'\rx\"\r\n",
          ",''quoted\r\n", ",'''=2\r\n", ",plain'\r\n", ",'-1000,"})
        QVERIFY2(bytes.contains(guarded), bytes.constData());

    const Cli_Result imported = Run_Cli({"import-csv", conf, "read", csv});
    QCOMPARE(imported.status, 0);
    QCOMPARE(Read_All(conf + "/sdo.xml"), sdo);
}

void Tst_Csv_Cli::export_refuses_rows_it_would_drop_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("message");
    const QString rule = R"(<row Enable="Y" Slave_ID="%1" Type="Coil Status" Address_Mod="0" NPoint="1" )"
                         R"(Address_Profi="0" Mnemonic="%2"/>)";
    QByteArray rows;
    for (int row = 1; row <= 11; ++row)
        rows += row == 10 ? QByteArray("<row/>") : rule.arg(QString::number(row), "m").toUtf8();
    QTest::newRow("row 11 after an empty row 10")
        << "read"
        << "<Serial_to_ProfiBus><ProfiBUS_IN>" + rows + "</ProfiBUS_IN><ProfiBUS_OUT/></Serial_to_ProfiBus>"
        << "Row 11 of the read table holds data that will not be saved, because the table ends at row 10, "
           "the first row without a Slave ID.";
    QTest::newRow("data in the end row")
        << "write"
        << "<Serial_to_ProfiBus><ProfiBUS_IN/><ProfiBUS_OUT>" + rule.arg("1", "a").toUtf8() +
               rule.arg("", "b").toUtf8() + "</ProfiBUS_OUT></Serial_to_ProfiBus>"
        << "Row 2 of the write table holds data that will not be saved, because the table ends at row 2";
    QTest::newRow("diagnosis entry after a blank one")
        << "diagnosis" << QByteArray("<Modbus_IDs><ID>1</ID><ID> </ID><ID>3</ID></Modbus_IDs>")
        << "Rows from row 3 on hold data that would not be saved";
}

void Tst_Csv_Cli::export_refuses_rows_it_would_drop() {
    QFETCH(QString, table);
    QFETCH(QByteArray, document);
    QFETCH(QString, message);
    QVERIFY(Write_All(conf + (table == "diagnosis" ? "/diagnosis.xml" : "/sdo.xml"), document));
    const QString csv = dir->filePath("out.csv");
    QVERIFY(Write_All(csv, "old"));
    const Cli_Result result = Run_Cli({"export-csv", conf, table, csv});
    QCOMPARE(result.status, 1);
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
    QVERIFY(result.err.contains("Nothing was written"));
    QCOMPARE(Read_All(csv), QByteArray("old"));
}

void Tst_Csv_Cli::outputs_refuse_own_files_folders_and_devices_data() {
    QTest::addColumn<QStringList>("args"); // CONF and OUT (a folder beside it) replaced
    QTest::addColumn<QString>("link");     // the output (build: bin/bank.bin) made a link to this first
    QTest::addColumn<QString>("message");
    const QString own = "one of the configuration's own files";
    const QString folder = "it is a folder";
    const QString device = "it is not a regular file";
    QTest::newRow("export-csv: own document in other letter case")
        << QStringList{"export-csv", "CONF", "read", "CONF/SDO.XML"} << "" << own;
    QTest::newRow("export-csv: the general parameters")
        << QStringList{"export-csv", "CONF", "write", "CONF/pargen.xml"} << "" << own;
    QTest::newRow("export-csv: bank.bin")
        << QStringList{"export-csv", "CONF", "read", "CONF/Bin/BANK.bin"} << "" << own;
    QTest::newRow("export-csv: a link to a document")
        << QStringList{"export-csv", "CONF", "read", "OUT/link.csv"} << "CONF/diagnosis.xml" << own;
    QTest::newRow("export-csv: folder")
        << QStringList{"export-csv", "CONF", "read", "CONF/bin"} << "" << folder;
    QTest::newRow("export-csv: /dev/full")
        << QStringList{"export-csv", "CONF", "read", "/dev/full"} << ""
        << device +
               " (a device, a pipe or a socket). Nothing was written. Give - to write to standard output.";
    QTest::newRow("export-csv: a link to a device")
        << QStringList{"export-csv", "CONF", "read", "OUT/stdout.csv"} << "/dev/null" << device;
    QTest::newRow("gsd: own document") << QStringList{"gsd", "CONF", "CONF/Sdo.Xml", "--force"} << "" << own;
    QTest::newRow("gsd: folder") << QStringList{"gsd", "CONF", "CONF/bin", "--force"} << "" << folder;
    QTest::newRow("gsd: /dev/null") << QStringList{"gsd", "CONF", "/dev/null", "--force"} << "" << device;
    QTest::newRow("report: a link to a document")
        << QStringList{"report", "CONF", "OUT/report.html"} << "CONF/ParGen.xml" << own;
    QTest::newRow("report: folder") << QStringList{"report", "CONF", "OUT/folder.html"} << "OUT/folder"
                                    << folder;
    QTest::newRow("report: device") << QStringList{"report", "CONF", "OUT/full.pdf"} << "/dev/full" << device;
    QTest::newRow("build: bank.bin a folder") << QStringList{"build", "CONF"} << "OUT/folder" << folder;
    QTest::newRow("build: bank.bin a link to a document")
        << QStringList{"build", "CONF"} << "CONF/sdo.xml" << own;
    QTest::newRow("build: bank.bin a link to a device")
        << QStringList{"build", "CONF"} << "/dev/full" << device;
}

void Tst_Csv_Cli::outputs_refuse_own_files_folders_and_devices() {
    QFETCH(QStringList, args);
    QFETCH(QString, link);
    QFETCH(QString, message);
    const QString out = dir->filePath("Out");
    QVERIFY(QDir().mkpath(out + "/folder"));
    QVERIFY(QDir().mkpath(conf + "/bin"));
    QVERIFY(Write_All(conf + "/ParGen.xml",
                      "<Par_Gen><Hardware_Type>0</Hardware_Type></Par_Gen><!--SW_VERSION = 2.110-->"));
    Save_Sdo(conf + "/sdo.xml", Some_Rules());
    Save_Diagnosis(conf + "/diagnosis.xml", Diagnosis_List{{"5"}});
    const bool build = args[0] == "build";
    if (!build)
        QVERIFY(Write_All(conf + "/bin/bank.bin", "image"));
    const QStringList documents{"/ParGen.xml", "/sdo.xml", "/diagnosis.xml", "/bin/bank.bin"};
    QList<QByteArray> before;
    for (const QString& document : documents)
        before.append(QFileInfo(conf + document).isFile() ? Read_All(conf + document) : QByteArray());
    const QStringList out_before =
        QDir(out).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);

#ifdef Q_OS_WIN
    // A Windows "link" made here is a shortcut file, which no program follows
    // when writing; the devices are names Windows keeps in every folder.
    if (!link.isEmpty())
        QSKIP("Windows shortcuts are files of their own, not links");
    args.replaceInStrings("/dev/full", "NUL").replaceInStrings("/dev/null", "OUT/com1.txt");
#endif
    for (QString& arg : args)
        arg.replace("CONF", conf).replace("OUT", out);
    link.replace("CONF", conf).replace("OUT", out);
    if (!link.isEmpty()) {
        const QString at = build ? conf + "/bin/bank.bin" : (args[0] == "export-csv" ? args[3] : args[2]);
        QVERIFY(QFile::link(link, at));
    }
    const Cli_Result result = Run_Cli(args);
    QCOMPARE(result.status, 1);
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
    QVERIFY2(!result.out.contains("Wrote"), qPrintable(result.out));
    for (int i = 0; i < documents.size(); ++i)
        if (!build || i < 3)
            QCOMPARE(Read_All(conf + documents[i]), before[i]);
    QVERIFY(!QFileInfo("/dev/full").isFile());
    QVERIFY(!QFileInfo("/dev/null").isFile());
    // Nothing new beside the outputs (no temporary file left), the link kept.
    QStringList out_after = QDir(out).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
    if (!link.isEmpty() && !build)
        QCOMPARE(out_after.size(), out_before.size() + 1);
    else
        QCOMPARE(out_after, out_before);
    QCOMPARE(QDir(conf + "/bin").entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
             QStringList{"bank.bin"});
}

void Tst_Csv_Cli::standard_output_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("begins");
    QTest::newRow("export-csv") << QStringList{"export-csv", "CONF", "diagnosis", "-"} << "ID\r\n5\r\n";
    QTest::newRow("report") << QStringList{"report", "CONF", "-"} << "<!DOCTYPE html>";
    QTest::newRow("gsd") << QStringList{"gsd", "CONF", "-"} << ";";
}

void Tst_Csv_Cli::standard_output() {
    QFETCH(QStringList, args);
    QFETCH(QString, begins);
    Save_Diagnosis(conf + "/diagnosis.xml", Diagnosis_List{{"5"}});
    QVERIFY(Write_All(conf + "/ParGen.xml",
                      "<Par_Gen><Profi_NB_IN>8</Profi_NB_IN></Par_Gen><!--SW_VERSION = 2.110-->"));
    for (QString& arg : args)
        arg.replace("CONF", conf);
    const QStringList before = QDir(dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const QStringList conf_before = QDir(conf).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const Cli_Result result = Run_Cli(args);
    QCOMPARE(result.status, 0);
    QVERIFY2(result.err.isEmpty(), qPrintable(result.err));
    QVERIFY2(result.out.startsWith(begins), qPrintable(result.out.left(200)));
    QCOMPARE(QDir(dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QCOMPARE(QDir(conf).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), conf_before);
}

QTEST_GUILESS_MAIN(Tst_Csv_Cli)
#include "tst_csv_cli.moc"
