// kc40927-cli check and map, run as the program plant tooling runs.
#include "cli_run.h"
#include "conf_check_fixture.h"
#include "test_dirs.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

// ParGen.xml refused, rule 2 of the read table refused, diagnosis entry 2 refused.
Conf_Documents Erroneous_Documents() {
    Conf_Documents documents = Clean_Documents();
    documents.Params.Ser_TO = "70000";
    documents.Rules.Read_Rules[1].Slave_ID = "0";
    documents.Diagnosis.IDs = {"1", "300"};
    return documents;
}

// Read rule 3 on bytes 1-2 of rule 1; the asynchronous requests on the write rule's bytes.
Conf_Documents Overlapping_Documents() {
    Conf_Documents documents = Clean_Documents();
    documents.Rules.Read_Rules.append(Valid_Rule("3", "Holding Register", "1", "1", "500"));
    documents.Params.Profi_Enable_Async_Mod_Req = true;
    documents.Params.Profi_Async_Req_Start_IN = "200";
    documents.Params.Profi_Async_Req_Start_OUT = "0";
    return documents;
}

} // namespace

class Tst_Cli_Check : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void exit_status_and_json_data();
    void exit_status_and_json();
    void unreadable_document();
    void wrong_arguments_data();
    void wrong_arguments();
    void messages_in_the_configurators_language();
    void map_as_text();
    void map_of_an_unreadable_document();
};

void Tst_Cli_Check::initTestCase() {
    QVERIFY2(QFileInfo(Cli_Path).isExecutable(), "build the kc40927-cli target first");
}

// clang-format off
void Tst_Cli_Check::exit_status_and_json_data() {
    QTest::addColumn<int>("kind"); // 0 clean, 1 erroneous, 2 overlapping
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("json");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("clean") << 0 << 0 << R"({"errors": [], "warnings": []})" << QStringList{};
    QTest::newRow("erroneous") << 1 << 1 << R"({"errors": [
        {"code": "invalid_parameter", "document": "ParGen.xml", "table": null, "row": null,
         "message": "Error Modbus Master!! TimeOut must be between 0 and 60000 milliseconds"},
        {"code": "invalid_rule", "document": "sdo.xml", "table": "read", "row": 2,
         "message": "Error row 2!! [Modbus Read] Slave ID must be between 1 and 247"},
        {"code": "invalid_diagnosis_id", "document": "diagnosis.xml", "table": null, "row": 2,
         "message": "Error row 2!! Modbus ID must be between 1 and 247"}],
        "warnings": []})"
        << QStringList{
            "error: ParGen.xml: Error Modbus Master!! TimeOut must be between 0 and 60000 milliseconds",
            "error: sdo.xml, read table, row 2: Error row 2!! [Modbus Read] Slave ID must be between 1 and 247",
            "error: diagnosis.xml, row 2: Error row 2!! Modbus ID must be between 1 and 247"};
    QTest::newRow("overlapping") << 2 << 3 << R"({"errors": [], "warnings": [
        {"code": "overlap", "document": "sdo.xml", "table": "read", "row": 3,
         "message": "Overlap in the PROFIBUS input area, byte(s) 1-2: Row 1 and Row 3",
         "area": "input", "first_byte": 1, "last_byte": 2,
         "with": [{"table": "read", "row": 1}, {"table": "read", "row": 3}]},
        {"code": "overlap", "document": "sdo.xml", "table": "write", "row": 1,
         "message": "Overlap in the PROFIBUS output area, byte(s) 0-7: Asynchronous requests and Row 1",
         "area": "output", "first_byte": 0, "last_byte": 7,
         "with": [{"reserved": "async_requests"}, {"table": "write", "row": 1}]}]})"
        << QStringList{
            "warning: sdo.xml, read table, row 3: Overlap in the PROFIBUS input area, byte(s) 1-2: Row 1 and Row 3",
            "warning: sdo.xml, write table, row 1: Overlap in the PROFIBUS output area, byte(s) 0-7: Asynchronous "
            "requests and Row 1"};
}
// clang-format on

void Tst_Cli_Check::exit_status_and_json() {
    QFETCH(int, kind);
    QFETCH(int, status);
    QFETCH(QString, json);
    QFETCH(QStringList, lines);
    QTemporaryDir dir;
    const QString conf = dir.filePath("Plant");
    (kind == 0 ? Clean_Documents() : kind == 1 ? Erroneous_Documents() : Overlapping_Documents()).Save(conf);

    const Cli_Result as_json = Run_Cli({"check", conf, "--json"});
    QCOMPARE(as_json.err, QString());
    QCOMPARE(as_json.status, status);
    QVERIFY2(as_json.out.endsWith('\n') && as_json.out.count('\n') == 1, qPrintable(as_json.out));
    QVERIFY(!Json_Object(json).isEmpty());
    QCOMPARE(Json_Object(as_json.out), Json_Object(json));

    const Cli_Result plain = Run_Cli({"check", conf});
    QCOMPARE(plain.err, QString());
    QCOMPARE(plain.status, status);
    QCOMPARE(plain.out, lines.isEmpty() ? QString() : lines.join('\n') + '\n');
}

void Tst_Cli_Check::unreadable_document() {
#ifdef Q_OS_WIN
    QSKIP("SDO.xml and sdo.xml are one file where names ignore case");
#endif
    QTemporaryDir dir;
    Clean_Documents().Save(dir.path());
    QVERIFY(Write_All(dir.filePath("SDO.xml"), "<Serial_to_ProfiBus><ProfiBUS_IN>"));
    QVERIFY(QFile::remove(dir.filePath("sdo.xml")));
    const Cli_Result result = Run_Cli({"check", dir.path(), "--json"});
    QCOMPARE(result.status, 1);
    const QJsonObject json = Json_Object(result.out);
    QCOMPARE(json["warnings"].toArray().size(), 0);
    const QJsonArray errors = json["errors"].toArray();
    QCOMPARE(errors.size(), 1);
    const QJsonObject error = errors[0].toObject();
    QCOMPARE(error["code"].toString(), QString("unreadable_document"));
    QCOMPARE(error["document"].toString(), QString("sdo.xml"));
    QVERIFY(error["table"].isNull());
    QVERIFY(error["row"].isNull());
    QVERIFY2(error["message"].toString().contains("SDO.xml"), qPrintable(error["message"].toString()));
}

void Tst_Cli_Check::wrong_arguments_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("args"); // "@conf" is a folder, "@file" a file
    QTest::newRow("check, nothing") << "check" << QStringList{};
    QTest::newRow("check, two folders") << "check" << QStringList{"@conf", "@conf"};
    QTest::newRow("check, unknown option") << "check" << QStringList{"@conf", "--xml"};
    QTest::newRow("check, a file") << "check" << QStringList{"@file", "--json"};
    QTest::newRow("check, no such folder") << "check" << QStringList{"@conf/none"};
    QTest::newRow("map, nothing") << "map" << QStringList{};
    QTest::newRow("map, an option") << "map" << QStringList{"--json"};
    QTest::newRow("map, a file") << "map" << QStringList{"@file"};
}

void Tst_Cli_Check::wrong_arguments() {
    QFETCH(QString, command);
    QFETCH(QStringList, args);
    QTemporaryDir dir;
    QVERIFY(Write_All(dir.filePath("file"), "x"));
    for (QString& arg : args)
        arg.replace("@conf", dir.path()).replace("@file", dir.filePath("file"));
    const Cli_Result result = Run_Cli(QStringList{command} + args);
    QCOMPARE(result.status, 2);
    QCOMPARE(result.out, QString());
    QVERIFY2(result.err.contains("usage: kc40927-cli " + command + " CONF_DIR"), qPrintable(result.err));
}

void Tst_Cli_Check::messages_in_the_configurators_language() {
    // The configurator's program folder is the folder of the executable: a
    // copy of the tool next to Struttor.xml and LANGUAGE/Deutsch.lng speaks German.
    QTemporaryDir program_dir;
    const QString program = program_dir.filePath(QFileInfo(Cli_Path).fileName());
    QVERIFY(QFile::copy(Cli_Path, program));
    Find_Build_Libraries();
    QVERIFY(QFile::setPermissions(program, QFile::permissions(Cli_Path)));
    QVERIFY(QDir(program_dir.path()).mkdir("LANGUAGE"));
    QVERIFY(Write_All(program_dir.filePath("LANGUAGE/Deutsch.lng"),
                      "\xEF\xBB\xBFSTR474 =Zeitüberschreitung außerhalb 0 bis 60000\r\n"));
    QTemporaryDir dir;
    Erroneous_Documents().Save(dir.path());

    // Without Struttor.xml: English.
    Cli_Result result = Run_Cli({"check", dir.path()}, {.program = program});
    QCOMPARE(result.status, 1);
    QVERIFY2(result.out.startsWith("error: ParGen.xml: Error Modbus Master!! TimeOut"),
             qPrintable(result.out));

    QVERIFY(Write_All(program_dir.filePath("Struttor.xml"),
                      "<Conf_Settings><lastlang><language>Deutsch</language></lastlang></Conf_Settings>"));
    result = Run_Cli({"check", dir.path(), "--json"}, {.program = program});
    QCOMPARE(result.status, 1);
    const QJsonArray errors = Json_Object(result.out)["errors"].toArray();
    QCOMPARE(errors[0].toObject()["message"].toString(),
             QString::fromUtf8("Zeitüberschreitung außerhalb 0 bis 60000"));
    // Texts the language file leaves alone stay English.
    QCOMPARE(errors[1].toObject()["message"].toString(),
             QString("Error row 2!! [Modbus Read] Slave ID must be between 1 and 247"));
}

void Tst_Cli_Check::map_as_text() {
    QTemporaryDir dir;
    Conf_Documents documents = Overlapping_Documents();
    documents.Params.Profi_NB_IN = "20";
    documents.Params.Profi_NB_OUT = "8";
    documents.Params.Profi_Async_Req_Start_IN = "16";
    documents.Params.Hardware_Type = 1;
    // Two bit rules in one byte without sharing a bit.
    documents.Rules.Read_Rules.append(Valid_Rule("4", "Input Status", "8", "4"));
    documents.Rules.Read_Rules.append(Valid_Rule("5", "Input Status", "8", "4"));
    documents.Rules.Read_Rules.last().Bit = "4";
    documents.Save(dir.path());
    const Cli_Result result = Run_Cli({"map", dir.path()});
    QCOMPARE(result.err, QString());
    QCOMPARE(result.status, 0);
    const QString expected =
        "PROFIBUS input area (Modbus read rules): 20 bytes\n"
        "        +0  +1  +2  +3  +4  +5  +6  +7  +8  +9 +10 +11 +12 +13 +14 +15\n"
        "   0:    1   !   !   1   2   2   .   .   +   .   .   .   .   .   .   .\n"
        "  16:    A   A   A   A\n"
        "  overlap, bytes 1-2: read row 1 and read row 3\n"
        "  unused bytes: 6-7, 9-15\n"
        "\n"
        "PROFIBUS output area (Modbus write rules): 8 bytes\n"
        "        +0  +1  +2  +3  +4  +5  +6  +7  +8  +9 +10 +11 +12 +13 +14 +15\n"
        "   0:    !   !   !   !   !   !   !   !\n"
        "  overlap, bytes 0-7: asynchronous requests and write row 1\n"
        "\n"
        "Each byte shows the row of the rule that uses it; C diagnosis copy, D diagnosis\n"
        "address, A asynchronous requests; + several occupants in different bits;\n"
        "! occupants overlap; . unused.\n";
    QCOMPARE(result.out, expected);
}

void Tst_Cli_Check::map_of_an_unreadable_document() {
    QTemporaryDir dir;
    QVERIFY(Write_All(dir.filePath("pargen.xml"), "<Par_Gen>"));
    const Cli_Result result = Run_Cli({"map", dir.path()});
    QCOMPARE(result.status, 1);
    QCOMPARE(result.out, QString());
    QVERIFY2(result.err.startsWith("kc40927-cli map: ") && result.err.contains("pargen.xml"),
             qPrintable(result.err));
}

QTEST_GUILESS_MAIN(Tst_Cli_Check)
#include "tst_cli_check.moc"
