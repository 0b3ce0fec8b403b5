// kc40927-cli poll against a real Modbus RTU slave held by this test at the far
// end of two joined pseudo-terminals; the command runs as its own process.
#include "cli_run.h"
#include "modbus_test_line.h"
#include "test_dirs.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

// The poll command may wait for every rule of a silent slave.
const Cli_Run poll_run{.limit = std::chrono::milliseconds(60000)};

// A time-out that leaves room for a loaded machine; no pause.
const QByteArray pargen_rtu =
    "<Par_Gen><Ser_TO>1000</Ser_TO><Ser_CD>0</Ser_CD></Par_Gen><!--SW_VERSION = 2.110-->";

QByteArray Sdo(const QByteArray& read_rows, const QByteArray& write_rows) {
    return "<Serial_to_ProfiBus><ProfiBUS_IN>" + read_rows + "</ProfiBUS_IN><ProfiBUS_OUT>" + write_rows +
           "</ProfiBUS_OUT></Serial_to_ProfiBus><!--SW_VERSION = 2.110-->";
}

QByteArray Row(const char* enable, const char* slave, const char* type, const char* address,
               const char* points, const char* mnemonic = "") {
    return QByteArray("<row Enable=\"") + enable + "\" Slave_ID=\"" + slave + "\" Type=\"" + type +
           "\" Address_Mod=\"" + address + "\" NPoint=\"" + points + "\" Mnemonic=\"" + mnemonic + "\"/>";
}

// Read rows 1 (registers), 2 (disabled), 3 (coils); write rows 1 (register),
// 2 (coils). Every enabled rule is answered.
const QByteArray sdo_all_answered =
    Sdo(Row("Y", "1", "Holding Register", "0", "2", "Level") + Row("N", "1", "Holding Register", "7", "1") +
            Row("Y", "1", "Coil Status", "0", "5"),
        Row("Y", "1", "Holding Register", "3", "1") + Row("Y", "1", "Coil Status", "1", "2"));

QJsonArray Results_Of(const QString& out) {
    return Json_Object(out).value("results").toArray();
}

// "table:row" of every result.
QStringList Rows_Of(const QJsonArray& results) {
    QStringList rows;
    for (const QJsonValue& value : results)
        rows.append(value["table"].toString() + ":" + QString::number(value["row"].toInt()));
    return rows;
}

} // namespace

class Tst_Poll_Cli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void json_when_every_rule_answers();
    void plain_output_one_line_per_rule();
    void tables_and_rows_data();
    void tables_and_rows();
    void failures_give_status_1_data();
    void failures_give_status_1();
    void cannot_run_gives_status_2_data();
    void cannot_run_gives_status_2();

private:
    void Write_Conf(const QByteArray& pargen, const QByteArray& sdo);

    std::unique_ptr<QTemporaryDir> dir_;
    QString conf_;
    std::unique_ptr<Pty_Link> link_;
    std::unique_ptr<Test_Modbus_Slave> slave_;
};

void Tst_Poll_Cli::initTestCase() {
    QVERIFY2(QFileInfo(Cli_Path).isExecutable(),
             qPrintable(Cli_Path + " is not built (build target kc40927-cli)"));
}

void Tst_Poll_Cli::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    conf_ = dir_->filePath("Plant");
    QVERIFY(QDir().mkpath(conf_));
    Write_Conf(pargen_rtu, sdo_all_answered);
    link_ = std::make_unique<Pty_Link>();
    QVERIFY2(link_->Ok(), qPrintable(link_->Error()));
    slave_ = std::make_unique<Test_Modbus_Slave>(1);
    QVERIFY2(slave_->Open(link_->Server_Port()), qPrintable(slave_->errorString()));
}

void Tst_Poll_Cli::cleanup() {
    slave_.reset();
    link_.reset();
    dir_.reset();
}

void Tst_Poll_Cli::Write_Conf(const QByteArray& pargen, const QByteArray& sdo) {
    QVERIFY(Write_All(conf_ + "/ParGen.xml", pargen));
    QVERIFY(Write_All(conf_ + "/sdo.xml", sdo));
}

void Tst_Poll_Cli::json_when_every_rule_answers() {
    QSignalSpy written(slave_.get(), &QModbusServer::dataWritten);
    const Cli_Result result = Run_Cli({"poll", conf_, link_->Client_Port(), "--json"}, poll_run);
    QVERIFY2(result.err.isEmpty(), qPrintable(result.err));
    QCOMPARE(result.status, 0);
    const QJsonArray results = Results_Of(result.out);
    QCOMPARE(Rows_Of(results), (QStringList{"read:1", "read:3", "write:1", "write:2"}));

    const QJsonObject expected_first{
        {"table", "read"},      {"row", 1},   {"slave", 1},     {"function", 3},
        {"address", 0},         {"count", 2}, {"status", "ok"}, {"values", QJsonArray{1000, 1001}},
        {"message", "Answered"}};
    QCOMPARE(results[0].toObject(), expected_first);
    QCOMPARE(results[1]["function"].toInt(), 1);
    QCOMPARE(results[1]["values"].toArray(), (QJsonArray{1, 0, 0, 1, 0}));
    QCOMPARE(results[2]["function"].toInt(), 3);
    QCOMPARE(results[2]["values"].toArray(), QJsonArray{1003});
    QCOMPARE(results[3]["function"].toInt(), 1);
    QCOMPARE(results[3]["values"].toArray(), (QJsonArray{0, 0}));
    for (const QJsonValue& value : results)
        QVERIFY(!value.toObject().contains("exception"));

    // The write rules were read back, never written.
    QCOMPARE(slave_->Functions_Seen, (QList<int>{3, 1, 3, 1}));
    QCOMPARE(written.size(), 0);
}

void Tst_Poll_Cli::plain_output_one_line_per_rule() {
    const Cli_Result result = Run_Cli({"poll", conf_, link_->Client_Port(), "--table", "read"}, poll_run);
    QCOMPARE(result.status, 0);
    QCOMPARE(result.out,
             QString("read row 1: slave 1, function 3, address 0, count 2: Answered: "
                     "1000 (0x03E8) 1001 (0x03E9)\n"
                     "read row 3: slave 1, function 1, address 0, count 5: Answered: 1 0 0 1 0\n"));
}

void Tst_Poll_Cli::tables_and_rows_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("both by default") << QStringList{}
                                     << QStringList{"read:1", "read:3", "write:1", "write:2"};
    QTest::newRow("both") << QStringList{"--table", "both"}
                          << QStringList{"read:1", "read:3", "write:1", "write:2"};
    QTest::newRow("read") << QStringList{"--table", "read"} << QStringList{"read:1", "read:3"};
    QTest::newRow("write") << QStringList{"--table", "write"} << QStringList{"write:1", "write:2"};
    QTest::newRow("rows 2-3 of both") << QStringList{"--rows", "2-3"} << QStringList{"read:3", "write:2"};
    QTest::newRow("write row 1") << QStringList{"--rows", "1-1", "--table", "write"}
                                 << QStringList{"write:1"};
    QTest::newRow("rows past every rule") << QStringList{"--rows", "4-244"} << QStringList{};
}

void Tst_Poll_Cli::tables_and_rows() {
    QFETCH(QStringList, options);
    QFETCH(QStringList, rows);
    const Cli_Result result =
        Run_Cli(QStringList{"poll", conf_, link_->Client_Port(), "--json"} + options, poll_run);
    QVERIFY2(result.err.isEmpty(), qPrintable(result.err));
    QCOMPARE(result.status, 0);
    QCOMPARE(Rows_Of(Results_Of(result.out)), rows);
}

void Tst_Poll_Cli::failures_give_status_1_data() {
    QTest::addColumn<QByteArray>("read_row");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("exception") << Row("Y", "1", "Holding Register", "50", "1") << "exception"
                               << "Exception 2: Illegal data address";
    QTest::newRow("no answer") << Row("Y", "9", "Holding Register", "0", "1") << "timeout"
                               << "No answer within the time-out";
    QTest::newRow("invalid rule") << Row("Y", "1", "Holding Register", "0", "126") << "error"
                                  << "Not sent: Error row 1!! [Modbus Read] NPoint must be between 1 and 125";
}

void Tst_Poll_Cli::failures_give_status_1() {
    QFETCH(QByteArray, read_row);
    QFETCH(QString, status);
    QFETCH(QString, message);
    Write_Conf(pargen_rtu, Sdo(read_row + Row("Y", "1", "Input Register", "2", "1"), ""));
    const Cli_Result json = Run_Cli({"poll", conf_, link_->Client_Port(), "--json"}, poll_run);
    QVERIFY2(json.err.isEmpty(), qPrintable(json.err));
    QCOMPARE(json.status, 1);
    const QJsonArray results = Results_Of(json.out);
    QCOMPARE(results.size(), 2);
    QCOMPARE(results[0]["status"].toString(), status);
    QCOMPARE(results[0]["message"].toString(), message);
    QVERIFY(!results[0].toObject().contains("values"));
    QCOMPARE(results[0].toObject().contains("exception"), status == "exception");
    if (status == "exception")
        QCOMPARE(results[0]["exception"].toInt(), 2);
    QCOMPARE(results[1]["status"].toString(), QString("ok"));

    const Cli_Result plain = Run_Cli({"poll", conf_, link_->Client_Port()}, poll_run);
    QCOMPARE(plain.status, 1);
    const QStringList lines = plain.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines[0].endsWith(": " + message), qPrintable(lines[0]));
}

void Tst_Poll_Cli::cannot_run_gives_status_2_data() {
    QTest::addColumn<QStringList>("args"); // {conf}: the configuration folder, {port}: the line's port
    QTest::addColumn<QByteArray>("pargen");
    QTest::addColumn<QByteArray>("sdo");
    QTest::addColumn<QString>("code");    // the JSON error's code
    QTest::addColumn<QString>("message"); // a part of the error output and of the JSON message

    const QByteArray sdo = sdo_all_answered;
    QTest::newRow("no port") << QStringList{"{conf}"} << pargen_rtu << sdo << "usage"
                             << "expected CONF_DIR and PORT";
    QTest::newRow("unknown option") << QStringList{"{conf}", "{port}", "--fast"} << pargen_rtu << sdo
                                    << "usage"
                                    << "unknown option --fast";
    QTest::newRow("bad table") << QStringList{"{conf}", "{port}", "--table", "out"} << pargen_rtu << sdo
                               << "usage"
                               << "--table takes read, write or both";
    QTest::newRow("table without value")
        << QStringList{"{conf}", "{port}", "--table"} << pargen_rtu << sdo << "usage"
        << "--table needs a value";
    QTest::newRow("rows from 0") << QStringList{"{conf}", "{port}", "--rows", "0-3"} << pargen_rtu << sdo
                                 << "usage"
                                 << "--rows needs 1 <= FIRST <= LAST";
    QTest::newRow("rows backwards") << QStringList{"{conf}", "{port}", "--rows", "5-2"} << pargen_rtu << sdo
                                    << "usage"
                                    << "--rows needs 1 <= FIRST <= LAST";
    QTest::newRow("rows not a range")
        << QStringList{"{conf}", "{port}", "--rows", "a-b"} << pargen_rtu << sdo << "usage"
        << "--rows takes FIRST-LAST";
    QTest::newRow("not a folder") << QStringList{"{conf}/nothing", "{port}"} << pargen_rtu << sdo
                                  << "not_a_configuration"
                                  << "is not a configuration folder";
    QTest::newRow("Modbus ASCII")
        << QStringList{"{conf}", "{port}"} << QByteArray("<Par_Gen><Ser_Prot>1</Ser_Prot></Par_Gen>") << sdo
        << "serial_settings"
        << "The test speaks Modbus RTU and JBUS only; the protocol of the configuration is Modbus ASCII";
    QTest::newRow("time-out not a number")
        << QStringList{"{conf}", "{port}"} << QByteArray("<Par_Gen><Ser_TO>1 s</Ser_TO></Par_Gen>") << sdo
        << "serial_settings"
        << "The general parameters hold a serial setting the test cannot use: Ser_TO = 1 s";
    QTest::newRow("no such port") << QStringList{"{conf}", "/dev/kc40927-no-such-port"} << pargen_rtu << sdo
                                  << "port_not_opened"
                                  << "Cannot open the serial port /dev/kc40927-no-such-port: ";
    QTest::newRow("empty port name") << QStringList{"{conf}", ""} << pargen_rtu << sdo << "port_name_empty"
                                     << "The serial port name is empty";
    QTest::newRow("port name of blanks")
        << QStringList{"{conf}", "  "} << pargen_rtu << sdo << "port_name_empty"
        << "The serial port name is empty";
    QTest::newRow("parity refused") << QStringList{"{conf}", "{port}"}
                                    << QByteArray(
                                           "<Par_Gen><Ser_TO>200</Ser_TO><Ser_Par>1</Ser_Par></Par_Gen>")
                                    << sdo << "port_setting_refused"
                                    << " refuses the setting Ser_Par = EVEN: ";
    QTest::newRow("malformed rules document") << QStringList{"{conf}", "{port}"} << pargen_rtu
                                              << QByteArray("<Serial_to_ProfiBus><ProfiBUS_IN>") << "document"
                                              << "sdo.xml";
}

void Tst_Poll_Cli::cannot_run_gives_status_2() {
    QFETCH(QStringList, args);
    QFETCH(QByteArray, pargen);
    QFETCH(QByteArray, sdo);
    QFETCH(QString, code);
    QFETCH(QString, message);
    if (QString(QTest::currentDataTag()) == "parity refused" && !link_->Refuses_Parity())
        QSKIP("this kernel's pseudo-terminals take a parity bit");
    Write_Conf(pargen, sdo);
    for (QString& arg : args)
        arg.replace("{conf}", conf_).replace("{port}", link_->Client_Port());

    // A script reading the JSON learns every outcome from the standard output.
    const Cli_Result json = Run_Cli(QStringList{"poll", "--json"} + args, poll_run);
    QCOMPARE(json.status, 2);
    QVERIFY2(json.err.contains(message), qPrintable(json.err));
    QVERIFY2(!json.err.contains("Unknown error"), qPrintable(json.err));
    QJsonParseError parse_error;
    const QJsonDocument document = QJsonDocument::fromJson(json.out.toUtf8(), &parse_error);
    QVERIFY2(parse_error.error == QJsonParseError::NoError && document.isObject(), qPrintable(json.out));
    QCOMPARE(json.out.count('\n'), 1);
    const QJsonObject error = document.object().value("error").toObject();
    QCOMPARE(error.value("code").toString(), code);
    QVERIFY2(error.value("message").toString().contains(message), qPrintable(json.out));
    QCOMPARE(document.object().value("results").toArray(), QJsonArray());
    if (code.startsWith("port_")) {
        QCOMPARE(error.value("port").toString(), args[1]);
        QCOMPARE(error.contains("setting"), code == "port_setting_refused");
    }

    // Without --json the standard output stays empty.
    const Cli_Result plain = Run_Cli(QStringList{"poll"} + args, poll_run);
    QCOMPARE(plain.status, 2);
    QVERIFY2(plain.err.contains(message), qPrintable(plain.err));
    QVERIFY2(plain.out.isEmpty(), qPrintable(plain.out));
    QVERIFY(link_->To_Server_Frames.isEmpty());
}

QTEST_GUILESS_MAIN(Tst_Poll_Cli)
#include "tst_poll_cli.moc"
