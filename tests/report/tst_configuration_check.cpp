// The check of a stored configuration: the editors' checks, the image build
// and the I/O map, on the documents as they are on disk.
#include "base/text_table.h"
#include "conf_check_fixture.h"
#include "report/configuration_check.h"
#include "test_dirs.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// "code document table row: message" per finding; "-" where none applies.
QStringList Lines(const QList<Conf_Finding>& findings) {
    QStringList lines;
    for (const Conf_Finding& f : findings) {
        const QString table = !f.Table ? "-" : *f.Table == Rule_Table::Read ? "read" : "write";
        lines.append(QString("%1 %2 %3 %4: %5")
                         .arg(f.Code, f.Document.isEmpty() ? "-" : f.Document, table,
                              f.Row > 0 ? QString::number(f.Row) : "-", f.Message));
    }
    return lines;
}

struct Fixture {
    QTemporaryDir dir;
    Text_Table texts;
    Conf_Documents documents = Clean_Documents();

    Conf_Check Check() {
        documents.Save(dir.path());
        return Check_Configuration(dir.path(), texts);
    }
};

} // namespace

class Tst_Configuration_Check : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void clean_configurations();
    void every_refused_rule_with_its_first_failure();
    void first_refused_general_parameter();
    void diagnosis_entries();
    void no_diagnosis_check_with_ethernet();
    void what_only_the_image_build_refuses();
    void unreadable_document_leaves_out_what_needs_it();
    void data_the_editors_would_not_keep();
    void map_findings();
    void messages_follow_the_text_table();
};

void Tst_Configuration_Check::clean_configurations() {
    {
        Fixture f;
        const Conf_Check check = f.Check();
        QCOMPARE(Lines(check.Errors), QStringList());
        QCOMPARE(Lines(check.Warnings), QStringList());
    }
    {
        // A new configuration: no document at all.
        QTemporaryDir dir;
        const Conf_Check check = Check_Configuration(dir.path(), Text_Table());
        QCOMPARE(Lines(check.Errors), QStringList());
        QCOMPARE(Lines(check.Warnings), QStringList());
    }
}

void Tst_Configuration_Check::every_refused_rule_with_its_first_failure() {
    Fixture f;
    auto& read = f.documents.Rules.Read_Rules;
    auto& write = f.documents.Rules.Write_Rules;
    read.append(Valid_Rule("0", "Holding Register", "10", "1"));   // row 3: slave, type ok
    read.append(Valid_Rule("4", "Holding Register", "20", "126")); // row 4: too many points
    read[3].Type.clear();                                          // ... but the type fails first
    read.append(Valid_Rule("5", "Holding Register", "30", "1"));   // row 5: fine
    read.append(Valid_Rule("6", "Holding Register", "300", "1"));  // row 6: position
    read[5].Enable = "N";                                          // disabled: not checked
    write.append(Valid_Rule("7", "Holding Register", "243", "1")); // row 2: bytes occupied
    const Conf_Check check = f.Check();
    QCOMPARE(
        Lines(check.Errors),
        QStringList({"invalid_rule sdo.xml read 3: Error row 3!! [Modbus Read] Slave ID must be between 1 "
                     "and 247",
                     "invalid_rule sdo.xml read 4: Error row 4!! [Modbus Read] Type must be Coil Status or "
                     "Input Status or Holding Register or Input Register",
                     "invalid_rule sdo.xml write 2: Error row 2!! [Modbus Write] Too many bytes to read "
                     "starting from the Position indicate"}));
    QCOMPARE(Lines(check.Warnings), QStringList());
}

void Tst_Configuration_Check::first_refused_general_parameter() {
    Fixture f;
    f.documents.Params.Ser_TO = "60001";
    f.documents.Params.Profi_ID = "0";
    const Conf_Check check = f.Check();
    // The editor shows its first failure only; later checks depend on earlier values.
    QCOMPARE(
        Lines(check.Errors),
        QStringList({"invalid_parameter ParGen.xml - -: Error Modbus Master!! TimeOut must be between 0 and "
                     "60000 milliseconds"}));
}

void Tst_Configuration_Check::diagnosis_entries() {
    Fixture f;
    f.documents.Diagnosis.IDs = {"1", "0", "12 ", " 12", "abc", "247"};
    const Conf_Check check = f.Check();
    // The packed image refuses the ones that are no number as well.
    QCOMPARE(Lines(check.Errors).mid(0, 3),
             QStringList(
                 {"invalid_diagnosis_id diagnosis.xml - 2: Error row 2!! Modbus ID must be between 1 and 247",
                  "invalid_diagnosis_id diagnosis.xml - 3: Error row 3!! Modbus ID must be between 1 and 247",
                  "invalid_diagnosis_id diagnosis.xml - 5: Error row 5!! Modbus ID must be between 1 and "
                  "247"}));
    QCOMPARE(check.Errors.size(), 4);
    QCOMPARE(check.Errors[3].Code, QString("image_build"));
    QVERIFY2(check.Errors[3].Message.contains("diagnosis.xml"), qPrintable(check.Errors[3].Message));
}

void Tst_Configuration_Check::no_diagnosis_check_with_ethernet() {
    Fixture f;
    f.documents.Params.Hardware_Type = 1;
    f.documents.Write_Diagnosis = false;
    f.documents.Save(f.dir.path());
    // A device with Ethernet has no diagnosis list: even a broken document is not read.
    QVERIFY(Write_All(f.dir.filePath("Diagnosis.XML"), "<Modbus_IDs><ID>0</ID>"));
    const Conf_Check check = Check_Configuration(f.dir.path(), f.texts);
    QCOMPARE(Lines(check.Errors), QStringList());
    QCOMPARE(Lines(check.Warnings), QStringList());
}

void Tst_Configuration_Check::what_only_the_image_build_refuses() {
    Fixture f;
    // A disabled rule is not validated, but the packed image needs its values.
    Access_Rule disabled = Valid_Rule("9", "Holding Register", "50", "1");
    disabled.Enable = "N";
    disabled.Address_Mod = "abc";
    f.documents.Rules.Read_Rules.append(disabled);
    const Conf_Check check = f.Check();
    QCOMPARE(check.Errors.size(), 1);
    QCOMPARE(check.Errors[0].Code, QString("image_build"));
    QCOMPARE(check.Errors[0].Document, QString());
    QVERIFY2(check.Errors[0].Message.contains("Address_Mod"), qPrintable(check.Errors[0].Message));
    QVERIFY2(check.Errors[0].Message.contains("abc"), qPrintable(check.Errors[0].Message));
}

void Tst_Configuration_Check::unreadable_document_leaves_out_what_needs_it() {
    Fixture f;
    f.documents.Params.Ser_CD = "-1";
    f.documents.Rules.Read_Rules.append(
        Valid_Rule("0", "Holding Register", "0", "1")); // refused, overlapping
    f.documents.Save(f.dir.path());
    QVERIFY(Write_All(f.dir.filePath("sdo.xml"), "<Serial_to_ProfiBus><ProfiBUS_IN>"));
    const Conf_Check check = Check_Configuration(f.dir.path(), f.texts);
    QCOMPARE(check.Errors.size(), 2);
    QCOMPARE(check.Errors[0].Code, QString("invalid_parameter"));
    QCOMPARE(check.Errors[1].Code, QString("unreadable_document"));
    QCOMPARE(check.Errors[1].Document, QString("sdo.xml"));
    QVERIFY2(check.Errors[1].Message.contains("sdo.xml"), qPrintable(check.Errors[1].Message));
    // No rule check, no image build, no map.
    QCOMPARE(Lines(check.Warnings), QStringList());
}

void Tst_Configuration_Check::data_the_editors_would_not_keep() {
    Fixture f;
    auto& read = f.documents.Rules.Read_Rules;
    // 245 read rules, rule 3 without a Slave ID: the editor's table ends there.
    for (int i = read.size(); i < 245; ++i)
        read.append(
            Valid_Rule("5", "Coil Status", QString::number(10 + i / 8), "1", QString::number(1000 + i)));
    read[2].Slave_ID = " ";
    f.documents.Diagnosis.IDs.clear();
    for (int i = 0; i < 66; ++i)
        f.documents.Diagnosis.IDs.append(i == 10 ? "" : "1");
    f.documents.Save(f.dir.path());
    // The writers end the lists at the blank entries: write the documents by hand.
    QString rows;
    for (const Access_Rule& rule : read)
        rows +=
            QString(
                "<row Enable=\"Y\" Slave_ID=\"%1\" Type=\"%2\" Address_Mod=\"%3\" NPoint=\"%4\" "
                "PollTime=\"1000\" MaxError=\"0\" Address_Profi=\"%5\" Bit=\"0\" Swap=\"N\" Mnemonic=\"\"/>")
                .arg(rule.Slave_ID, rule.Type, rule.Address_Mod, rule.NPoint, rule.Address_Profi);
    QVERIFY(Write_All(f.dir.filePath("sdo.xml"),
                      ("<Serial_to_ProfiBus><ProfiBUS_IN>" + rows +
                       "</ProfiBUS_IN><ProfiBUS_OUT/></Serial_to_ProfiBus><!--SW_VERSION = 2.110-->")
                          .toUtf8()));
    QString ids;
    for (const QString& id : f.documents.Diagnosis.IDs)
        ids += "<ID>" + id + "</ID>";
    QVERIFY(Write_All(f.dir.filePath("diagnosis.xml"),
                      ("<Modbus_IDs>" + ids + "</Modbus_IDs><!--SW_VERSION = 2.110-->").toUtf8()));

    const Conf_Check check = Check_Configuration(f.dir.path(), f.texts);
    QStringList codes;
    for (const Conf_Finding& finding : check.Errors)
        codes.append(finding.Code);
    QCOMPARE(codes, QStringList({"image_build"})); // rule 3 has no Slave ID
    QCOMPARE(Lines(check.Warnings),
             QStringList(
                 {"rows_after_table_end sdo.xml read 3: Row 3 of the read table holds data that will not "
                  "be saved, because the table ends at row 3, the first row without a Slave ID.",
                  "rules_not_kept sdo.xml - -: The rules document holds more rules than the 244 rows of a "
                  "table. Read rules that will not be kept: 1, write rules that will not be kept: 0. Saving "
                  "writes only the rules shown.",
                  "diagnosis_rows_after_end diagnosis.xml - 12: Rows from row 12 on hold data that would "
                  "not be saved, because the diagnosis list ends at the first row without a Modbus Slave ID",
                  "diagnosis_entries_not_kept diagnosis.xml - -: The diagnosis list holds 66 entries, but "
                  "only 64 can be shown and saved: the entries after the 64th will not be kept when you "
                  "save."}));
}

void Tst_Configuration_Check::map_findings() {
    Fixture f;
    f.documents.Params.Profi_Enable_Async_Mod_Req = true;
    f.documents.Params.Profi_Async_Req_Start_IN = "2"; // bytes 2-5: the end of read rule 1
    f.documents.Params.Profi_Async_Req_Start_OUT = "20";
    auto& read = f.documents.Rules.Read_Rules;
    read.append(Valid_Rule("1", "Holding Register", "8", "1", "101")); // row 3: reads 101 again
    const Conf_Check check = f.Check();
    QCOMPARE(Lines(check.Errors), QStringList());
    QCOMPARE(Lines(check.Warnings),
             QStringList(
                 {"overlap sdo.xml read 1: Overlap in the PROFIBUS input area, byte(s) 2-3: Asynchronous "
                  "requests and Row 1",
                  "overlap sdo.xml read 2: Overlap in the PROFIBUS input area, byte(s) 4-5: Asynchronous "
                  "requests and Row 2",
                  "repeated_read sdo.xml read 3: Modbus read repeated: Row 3 reads the same slave, type and "
                  "addresses as Row 1"}));
    const Overlap_Detail& overlap = *check.Warnings[0].Overlap;
    QCOMPARE(overlap.Area, Io_Area::Input);
    QCOMPARE(overlap.First_Byte, 2);
    QCOMPARE(overlap.Last_Byte, 3);
    QCOMPARE(overlap.With[0].Reserved, Reserved_Area::Async_Requests);
    QCOMPARE(overlap.With[1].Row, 1);
    QVERIFY(!check.Warnings[2].Overlap);

    // Two reserved areas alone: the general parameters are to blame.
    Fixture g;
    g.documents.Params.Profi_Enable_Error = true;
    g.documents.Params.Profi_Diagnosis_Copy_Array = true;
    g.documents.Params.Profi_Diagnosis_Copy_Array_Position = "100";
    g.documents.Params.Profi_Enable_Async_Mod_Req = true;
    g.documents.Params.Profi_Async_Req_Start_IN = "104";
    g.documents.Params.Profi_Async_Req_Start_OUT = "20";
    const Conf_Check reserved = g.Check();
    QCOMPARE(
        Lines(reserved.Warnings),
        QStringList({"overlap ParGen.xml - -: Overlap in the PROFIBUS input area, byte(s) 104-107: Diagnosis "
                     "copy and Asynchronous requests"}));
}

void Tst_Configuration_Check::messages_follow_the_text_table() {
    Fixture f;
    f.texts.Set_Text(668, "Fehler Zeile ");
    f.texts.Set_Text(669, ": Slave-ID");
    f.texts.Set_Text(939, "Zeile ");
    f.texts.Set_Text(942, "Doppelt im Eingang, Byte ");
    f.texts.Set_Text(944, " und ");
    auto& read = f.documents.Rules.Read_Rules;
    read.append(Valid_Rule("300", "Holding Register", "100", "1"));
    read.append(Valid_Rule("8", "Holding Register", "0", "1"));
    const Conf_Check check = f.Check();
    QCOMPARE(Lines(check.Errors), QStringList({"invalid_rule sdo.xml read 3: Fehler Zeile 3: Slave-ID"}));
    QCOMPARE(Lines(check.Warnings),
             QStringList({"overlap sdo.xml read 4: Doppelt im Eingang, Byte 0-1: Zeile 1 und "
                          "Zeile 4"}));
}

QTEST_GUILESS_MAIN(Tst_Configuration_Check)
#include "tst_configuration_check.moc"
