#include "base/kc_error.h"
#include "document/general_params.h"
#include "test_dirs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The general parameters document ParGen.xml: reading rules, defaults, the
// exact bytes the writer produces and the name matched without regard to case.
class Tst_General_Params : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void missing_file_gives_defaults();
    void documents_giving_defaults_data();
    void documents_giving_defaults();
    void container_found_whatever_its_name();
    void odd_values();
    void writes_the_hand_written_fixture_data();
    void writes_the_hand_written_fixture();
    void round_trip_keeps_blanks_and_markup();
    void profi_baud_always_auto();
    void name_matched_without_regard_to_case();
    void new_file_gets_the_system_spelling();
    void broken_documents_name_the_file_data();
    void broken_documents_name_the_file();
    void failed_write_names_the_file();
};

Q_DECLARE_METATYPE(General_Params)

namespace {

General_Params Fixture_Record() {
    General_Params p;
    p.Hardware_Type = 1;
    p.Ser_Type = 1;
    p.Ser_Baud = 3;
    p.Ser_Par = 2;
    p.Ser_StopBits = 1;
    p.Ser_DataBits = 0;
    p.Ser_TO = " 500";
    p.Ser_CD = "";
    p.Ser_Prot = 4;
    p.Ser_Write_Mode = 1;
    p.Ser_Enable_Modbus_PROFIBUS_Active = true;
    p.Profi_ID = "125";
    p.Profi_NB_IN = "32";
    p.Profi_NB_OUT = "16";
    p.Profi_Enable_Error = true;
    p.Profi_Num_Cont_Err = "250";
    p.Profi_Enable_Diagnosis = true;
    p.Profi_Enable_Cancel_Data = true;
    p.Profi_Diagnosis_Zero = false;
    p.Profi_Diagnosis_Copy_Array = true;
    p.Profi_Diagnosis_Copy_Array_Position = "8";
    p.Profi_Enable_Async_Mod_Req = true;
    p.Profi_Async_Req_Start_IN = "31862";
    p.Profi_Async_Req_Start_OUT = "40571";
    p.Del_Modbus_on_PROFI_error = true;
    p.Profi_Enable_Error_Address = "a&b<c>";
    p.Ethernet_IP1 = "10";
    p.Ethernet_IP2 = "20";
    p.Ethernet_IP3 = "30";
    p.Ethernet_IP4 = "40";
    p.Ethernet_SM1 = "255";
    p.Ethernet_SM2 = "255";
    p.Ethernet_SM3 = "0";
    p.Ethernet_SM4 = "0";
    p.Ethernet_GAT1 = "10";
    p.Ethernet_GAT2 = "20";
    p.Ethernet_GAT3 = "30";
    p.Ethernet_GAT4 = "1";
    p.Ethernet_EN_GAT = true;
    return p;
}

} // namespace

void Tst_General_Params::missing_file_gives_defaults() {
    QTemporaryDir dir;
    const General_Params p = Load_ParGen(dir.filePath("ParGen.xml"));
    QCOMPARE(p, General_Params{});
    // The defaults the other readers and the editor rely on.
    QCOMPARE(p.Hardware_Type, 0);
    QCOMPARE(p.Ser_Baud, 7);
    QCOMPARE(p.Ser_DataBits, 1);
    QCOMPARE(p.Profi_ID, QString("1"));
    QCOMPARE(p.Ser_Write_Mode, 0);
    QCOMPARE(p.Profi_Baud, 10);
    QCOMPARE(p.Profi_NB_IN, QString("244"));
    QCOMPARE(p.Profi_NB_OUT, QString("244"));
    QCOMPARE(p.Profi_Enable_Error_Address, QString("0"));
    QCOMPARE(p.Ethernet_IP4, QString("10"));
    QCOMPARE(p.Ethernet_GAT4, QString("1"));
    QCOMPARE(p.Ethernet_EN_GAT, false);
    // A missing folder is no error either.
    QCOMPARE(Load_ParGen(dir.filePath("no_such_folder/ParGen.xml")), General_Params{});
}

void Tst_General_Params::documents_giving_defaults_data() {
    QTest::addColumn<QString>("fixture");
    QTest::newRow("empty container") << "pargen/empty_container.xml";
    QTest::newRow("declaration first") << "pargen/declaration_first.xml";
    QTest::newRow("comment first") << "pargen/comment_first.xml";
}

void Tst_General_Params::documents_giving_defaults() {
    QFETCH(QString, fixture);
    QCOMPARE(Load_ParGen(Fixture_Path(fixture)), General_Params{});
}

void Tst_General_Params::container_found_whatever_its_name() {
    const General_Params p = Load_ParGen(Fixture_Path("pargen/other_container_name.xml"));
    QCOMPARE(p.Hardware_Type, 1);
    QCOMPARE(p.Profi_ID, QString("7"));
}

void Tst_General_Params::odd_values() {
    const General_Params p = Load_ParGen(Fixture_Path("pargen/odd_values.xml"));
    General_Params expected;
    expected.Ser_Type = 1; // " 1": the integer conversion skips leading blanks
    expected.Ser_Prot = 2; // "$2": hexadecimal
    expected.Ethernet_EN_GAT = true;
    expected.Ser_TO = "";           // an empty number stays empty
    expected.Profi_NB_IN = "  12 "; // a number is taken unchanged
    // Ser_Baud "abc" and Ser_Par "" keep their defaults; the flags "true",
    // "01", " 1" and "" are off; hardware_type and PROFI_ID differ in case and
    // are not found; Profi_Baud 3 reads as 10.
    QCOMPARE(p.Ser_Baud, 7);
    QCOMPARE(p.Ser_Enable_Modbus_PROFIBUS_Active, false);
    QCOMPARE(p.Profi_Enable_Error, false);
    QCOMPARE(p.Profi_Enable_Diagnosis, false);
    QCOMPARE(p.Hardware_Type, 0);
    QCOMPARE(p.Profi_ID, QString("1"));
    QCOMPARE(p.Profi_Baud, 10);
    QCOMPARE(p, expected);
}

void Tst_General_Params::writes_the_hand_written_fixture_data() {
    QTest::addColumn<General_Params>("record");
    QTest::addColumn<QString>("fixture");
    QTest::newRow("defaults") << General_Params{} << "pargen/defaults.xml";
    QTest::newRow("every field changed") << Fixture_Record() << "pargen/written.xml";
}

void Tst_General_Params::writes_the_hand_written_fixture() {
    QFETCH(General_Params, record);
    QFETCH(QString, fixture);
    QTemporaryDir dir;
    const QString path = dir.filePath("ParGen.xml");
    Save_ParGen(path, record);
    QCOMPARE(Read_All(path), Read_All(Fixture_Path(fixture)));
    QCOMPARE(Load_ParGen(path), record);
    QCOMPARE(Load_ParGen(Fixture_Path(fixture)), record);
}

void Tst_General_Params::round_trip_keeps_blanks_and_markup() {
    QTemporaryDir dir;
    const QString path = dir.filePath("ParGen.xml");
    General_Params p;
    p.Ser_TO = "  7";
    p.Ser_CD = "\"quoted\" 'single' <tag> & more";
    p.Profi_ID = QString::fromUtf8("\u00e8\u00e9 \u4e2d");
    p.Ethernet_IP1 = "";
    Save_ParGen(path, p);
    QCOMPARE(Load_ParGen(path), p);
}

void Tst_General_Params::profi_baud_always_auto() {
    QTemporaryDir dir;
    const QString path = dir.filePath("ParGen.xml");
    General_Params p;
    p.Profi_Baud = 3;
    Save_ParGen(path, p);
    QVERIFY(Read_All(path).contains("<Profi_Baud>10</Profi_Baud>"));
    QCOMPARE(Load_ParGen(path).Profi_Baud, 10);
}

void Tst_General_Params::name_matched_without_regard_to_case() {
    QTemporaryDir dir;
    Save_ParGen(dir.filePath("ParGen.xml"), Fixture_Record());
    // The image compiler asks for pargen.xml.
    QCOMPARE(Load_ParGen(dir.filePath("pargen.xml")), Fixture_Record());

    // A file stored as pargen.xml is read, and replaced in place, through ParGen.xml.
    QTemporaryDir other;
    QVERIFY(QFile::copy(Fixture_Path("pargen/written.xml"), other.filePath("pargen.xml")));
    QCOMPARE(Load_ParGen(other.filePath("ParGen.xml")), Fixture_Record());
    Save_ParGen(other.filePath("ParGen.xml"), General_Params{});
    QCOMPARE(QDir(other.path()).entryList(QDir::Files), QStringList{"pargen.xml"});
    QCOMPARE(Load_ParGen(other.filePath("ParGen.xml")), General_Params{});
}

void Tst_General_Params::new_file_gets_the_system_spelling() {
    QTemporaryDir dir;
    Save_ParGen(dir.filePath("ParGen.xml"), General_Params{});
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"ParGen.xml"});
}

void Tst_General_Params::broken_documents_name_the_file_data() {
    QTest::addColumn<QString>("fixture");
    QTest::newRow("malformed") << "broken/malformed.xml";
    QTest::newRow("binary") << "broken/binary.xml";
    QTest::newRow("empty") << "broken/empty.xml";
    QTest::newRow("truncated") << "broken/truncated.xml";
}

void Tst_General_Params::broken_documents_name_the_file() {
    QFETCH(QString, fixture);
    // Copied under the document's own name, as it lies in a configuration folder.
    QTemporaryDir dir;
    const QString path = dir.filePath("ParGen.xml");
    QVERIFY(QFile::copy(Fixture_Path(fixture), path));
    try {
        Load_ParGen(path);
        QFAIL("a broken document read without an error");
    } catch (const Kc_Error& error) {
        QVERIFY2(error.Message().contains("ParGen.xml"), qPrintable(error.Message()));
        QVERIFY2(error.Message().contains("line"), qPrintable(error.Message()));
        QVERIFY2(error.Message().contains("column"), qPrintable(error.Message()));
    }
}

void Tst_General_Params::failed_write_names_the_file() {
    QTemporaryDir dir;
    try {
        Save_ParGen(dir.filePath("missing/ParGen.xml"), General_Params{});
        QFAIL("a write into a missing folder reported no error");
    } catch (const Kc_Error& error) {
        QVERIFY2(error.Message().contains("ParGen.xml"), qPrintable(error.Message()));
    }

    // A folder standing where the file should be: the write fails, the folder stays.
    const QString path = dir.filePath("ParGen.xml");
    QVERIFY(QDir(dir.path()).mkdir("ParGen.xml"));
    QVERIFY_THROWS_EXCEPTION(Kc_Error, Save_ParGen(path, General_Params{}));
    QVERIFY(QFileInfo(path).isDir());
}

QTEST_GUILESS_MAIN(Tst_General_Params)
#include "tst_general_params.moc"
