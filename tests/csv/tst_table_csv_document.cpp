#include "base/kc_error.h"
#include "base/text_table.h"
#include "csv/table_csv_document.h"
#include "document/access_rules.h"
#include "document/diagnosis_list.h"
#include "document/general_params.h"
#include "test_dirs.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// A table of a configuration's documents through CSV: export then import
// gives the document back byte for byte, import keeps the other table and
// creates a missing document, and every refusal (of the file or of the
// editor's checks) names where it is and leaves the document untouched.
class Tst_Table_Csv_Document : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void export_then_import_gives_the_document_back_data();
    void export_then_import_gives_the_document_back();
    void spreadsheet_file_with_semicolons_bom_and_crlf();
    void import_keeps_the_other_table_and_creates_documents();
    void refusals_leave_the_document_untouched_data();
    void refusals_leave_the_document_untouched();
    void checks_follow_the_general_parameters();
    void import_stores_standard_type_and_flags_data();
    void import_stores_standard_type_and_flags();
    void broken_document_throws();

private:
    QString Sdo() const { return conf + "/sdo.xml"; }
    QString Diagnosis() const { return conf + "/diagnosis.xml"; }

    std::unique_ptr<QTemporaryDir> dir;
    QString conf;
    Text_Table texts;
};

namespace {

Access_Rule Rule(const QString& slave, const QString& type, const QString& points, const QString& position,
                 const QString& mnemonic, bool write) {
    Access_Rule rule;
    rule.Enable = "Y";
    rule.Slave_ID = slave;
    rule.Type = type;
    rule.Address_Mod = "100";
    rule.NPoint = points;
    rule.PollTime = "1000";
    rule.MaxError = "0";
    rule.Address_Profi = position;
    rule.Bit = "";
    rule.Swap = "N";
    rule.Mnemonic = mnemonic;
    if (write) {
        rule.OnChange = "Y";
        rule.OnCMD = "N";
        rule.ForceF15F16 = "";
    }
    return rule;
}

// Both tables with texts a spreadsheet mangles easily.
Access_Rules Awkward_Rules() {
    Access_Rules rules;
    rules.Read_Rules = {
        Rule("1", "Holding Register", "2", "0", QString::fromUtf8("Kessel \"A\", Vorlauf; °C"), false),
        Rule(" 2", "Coil Status", "16", "4", "two\nlines\r\nand blanks  ", false),
        Rule("3", "Input Register", "1", "10", QString::fromUtf8("  温度 & <tag>"), false),
    };
    rules.Read_Rules[1].Enable = "N";
    rules.Write_Rules = {
        Rule("7", "Holding Register", "1", "0", "=A1+1", true),
        Rule("8", "Coil Status", "3", "2", "", true),
    };
    return rules;
}

QByteArray Csv(const QStringList& lines) {
    return lines.join("\r\n").toUtf8() + "\r\n";
}

} // namespace

void Tst_Table_Csv_Document::init() {
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    conf = dir->path();
    texts.Set_Default_Texts();
}

void Tst_Table_Csv_Document::export_then_import_gives_the_document_back_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("read rules") << int(Csv_Table_Kind::Read_Rules);
    QTest::newRow("write rules") << int(Csv_Table_Kind::Write_Rules);
    QTest::newRow("diagnosis list") << int(Csv_Table_Kind::Diagnosis);
}

void Tst_Table_Csv_Document::export_then_import_gives_the_document_back() {
    QFETCH(int, kind);
    Save_Sdo(Sdo(), Awkward_Rules());
    Save_Diagnosis(Diagnosis(), Diagnosis_List{{"1", " 17", "247", "0x20"}});
    const QByteArray sdo = Read_All(Sdo());
    const QByteArray diagnosis = Read_All(Diagnosis());

    const QByteArray csv = Export_Table_Csv(conf, Csv_Table_Kind(kind), texts).Csv;
    // Another table in between, so the import really rewrites the file.
    Save_Sdo(Sdo(), Access_Rules{});
    Save_Diagnosis(Diagnosis(), Diagnosis_List{});
    if (kind != int(Csv_Table_Kind::Diagnosis))
        QVERIFY(Write_All(Sdo(), sdo));
    else
        QVERIFY(Write_All(Diagnosis(), "<Modbus_IDs><ID>9</ID></Modbus_IDs><!--SW_VERSION = 2.110-->"));

    const auto refusal = Import_Table_Csv(conf, Csv_Table_Kind(kind), csv, texts);
    QVERIFY2(!refusal, qPrintable(refusal ? refusal->Message : QString()));
    if (kind == int(Csv_Table_Kind::Diagnosis))
        QCOMPARE(Read_All(Diagnosis()), diagnosis);
    else
        QCOMPARE(Read_All(Sdo()), sdo);
}

void Tst_Table_Csv_Document::spreadsheet_file_with_semicolons_bom_and_crlf() {
    // As a spreadsheet of a European locale saves it: byte-order mark,
    // semicolons, CR LF, its own column order and letter case, a quoted
    // mnemonic with a line break.
    const QByteArray csv = "\xEF\xBB\xBF"
                           "MNEMONIC;enable;Slave_ID;Type;Address_Mod;NPoint;Address_Profi;Swap\r\n"
                           "\"Pumpe 1; \"\"Druck\"\"\r\nin bar\";Y;5;Holding Register;40001;2;0;Y\r\n"
                           "\xC3\x96l;Y;6;Input Status;7;9;4;N\r\n";
    QVERIFY(!Import_Table_Csv(conf, Csv_Table_Kind::Read_Rules, csv, texts));
    const Access_Rules stored = Load_Sdo(Sdo());
    QCOMPARE(stored.Read_Rules.size(), 2);
    QCOMPARE(stored.Read_Rules[0].Mnemonic, QString("Pumpe 1; \"Druck\"\r\nin bar"));
    QCOMPARE(stored.Read_Rules[0].Address_Mod, QString("40001"));
    QCOMPARE(stored.Read_Rules[0].Swap, QString("Y"));
    QCOMPARE(stored.Read_Rules[0].PollTime, QString()); // a column the file lacks is empty
    QCOMPARE(stored.Read_Rules[1].Mnemonic, QString::fromUtf8("Öl"));
    QCOMPARE(stored.Read_Rules[1].Type, QString("Input Status"));
    QVERIFY(stored.Write_Rules.isEmpty());
}

void Tst_Table_Csv_Document::import_keeps_the_other_table_and_creates_documents() {
    QVERIFY(!QFileInfo::exists(Sdo()));
    const QByteArray write_csv =
        Csv({"Slave_ID,Type,Address_Mod,NPoint,Address_Profi,Enable", "9,Coil Status,0,1,0,Y"});
    QVERIFY(!Import_Table_Csv(conf, Csv_Table_Kind::Write_Rules, write_csv, texts));
    Access_Rules stored = Load_Sdo(Sdo());
    QVERIFY(stored.Read_Rules.isEmpty());
    QCOMPARE(stored.Write_Rules.size(), 1);

    const QByteArray read_csv = Csv({"Slave_ID,Type,Address_Mod,NPoint,Address_Profi,Enable",
                                     "3,Input Register,0,4,8,Y", "4,Input Register,0,4,16,N"});
    QVERIFY(!Import_Table_Csv(conf, Csv_Table_Kind::Read_Rules, read_csv, texts));
    stored = Load_Sdo(Sdo());
    QCOMPARE(stored.Read_Rules.size(), 2);
    QCOMPARE(stored.Write_Rules.size(), 1);
    QCOMPARE(stored.Write_Rules[0].Slave_ID, QString("9"));

    // A header only empties the table.
    QVERIFY(!Import_Table_Csv(conf, Csv_Table_Kind::Read_Rules, "Slave_ID\r\n", texts));
    stored = Load_Sdo(Sdo());
    QVERIFY(stored.Read_Rules.isEmpty());
    QCOMPARE(stored.Write_Rules.size(), 1);

    QVERIFY(!Import_Table_Csv(conf, Csv_Table_Kind::Diagnosis, Csv({"ID", "4", "5"}), texts));
    QCOMPARE(Load_Diagnosis(Diagnosis()).IDs, (QStringList{"4", "5"}));
}

void Tst_Table_Csv_Document::refusals_leave_the_document_untouched_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("line");
    const int read = int(Csv_Table_Kind::Read_Rules);
    const int write = int(Csv_Table_Kind::Write_Rules);
    const int diagnosis = int(Csv_Table_Kind::Diagnosis);
    const QString header = "Enable,Slave_ID,Type,Address_Mod,NPoint,Address_Profi,Mnemonic";

    QTest::newRow("unknown header") << read << Csv({"Enable,SlaveID"})
                                    << "Error in line 1: unknown column SlaveID" << 0 << "SlaveID" << 1;
    QTest::newRow("too many fields") << read
                                     << Csv({header, "Y,1,Coil Status,0,1,0,a", "Y,2,Coil Status,0,1,0,b,c"})
                                     << "Error in line 3: too many fields" << 0 << "" << 3;
    QTest::newRow("not UTF-8") << diagnosis << QByteArray("ID\r\n1\r\n\xFC\r\n")
                               << "Error in line 3: the text is not UTF-8" << 0 << "" << 3;
    QTest::newRow("245 rules") << read <<
        [] {
            QStringList lines{"Slave_ID,Type,NPoint,Address_Profi"};
            for (int i = 0; i < 245; ++i)
                lines.append("1,Coil Status,1,0");
            return Csv(lines);
        }() << "Error in line 246: too many rows, at most 244"
                               << 0 << "" << 246;
    QTest::newRow("65 IDs") << diagnosis <<
        [] {
            QStringList lines{"ID"};
            for (int i = 0; i < 65; ++i)
                lines.append("1");
            return Csv(lines);
        }() << "Error in line 66: too many rows, at most 64"
                            << 0 << "" << 66;
    QTest::newRow("slave ID out of range, line after a two-line mnemonic")
        << read << Csv({header, "Y,1,Coil Status,0,1,0,\"two\r\nlines\"", "Y,248,Coil Status,0,1,0,x"})
        << "Error row 2!! [Modbus Read] Slave ID must be between 1 and 247" << 2 << "Slave_ID" << 4;
    const QString flags_header = "Enable,Slave_ID,Type,Address_Mod,NPoint,Address_Profi,Swap";
    const QString not_a_flag =
        "\" is no check box value: Y or N, TRUE or FALSE, YES or NO, 1 or 0, X, or empty";
    const QString read_types =
        "\" is no Type of this table: Coil Status, Input Status, Holding Register, Input "
        "Register";
    QTest::newRow("flag that is none")
        << read << Csv({flags_header, "Y,1,Coil Status,0,1,0,N", "Y,2,Coil Status,0,1,0,maybe"})
        << "Nothing was imported: line 3, rule 2, column Swap: \"maybe" + not_a_flag << 2 << "Swap" << 3;
    QTest::newRow("Enable that is none, disabled or not")
        << write << Csv({flags_header, "on,1,Coil Status,0,1,0,N"})
        << "Nothing was imported: line 2, rule 1, column Enable: \"on" + not_a_flag << 1 << "Enable" << 2;
    QTest::newRow("unknown Type") << read << Csv({header, "Y,1,xyz,0,1,0,a"})
                                  << "Nothing was imported: line 2, rule 1, column Type: \"xyz" + read_types
                                  << 1 << "Type" << 2;
    QTest::newRow("Type cut short") << read << Csv({header, "Y,1,Input Reg,0,1,0,a"})
                                    << "Nothing was imported: line 2, rule 1, column Type: \"Input Reg" +
                                           read_types
                                    << 1 << "Type" << 2;
    QTest::newRow("unknown Type of a disabled rule")
        << read << Csv({header, "Y,1,Coil Status,0,1,0,a", "N,2,Input,0,1,0,b"})
        << "Nothing was imported: line 3, rule 2, column Type: \"Input" + read_types << 2 << "Type" << 3;
    QTest::newRow("write rule reading inputs") << write << Csv({header, "Y,1,Input Status,0,1,0,a"})
                                               << "Nothing was imported: line 2, rule 1, column Type: "
                                                  "\"Input Status\" is no Type of this table: Coil "
                                                  "Status, Holding Register"
                                               << 1 << "Type" << 2;
    QTest::newRow("write type missing")
        << write << Csv({header, "Y,5,,0,1,0,x"})
        << "Error row 1!! [Modbus Write] Type must be Coil Status or Holding Register" << 1 << "Type" << 2;
    QTest::newRow("register rule past the input area")
        << read << Csv({header, "Y,1,Holding Register,0,3,240,x"})
        << "Error row 1!! [Modbus Read] Too many bytes to save starting from the Position indicate" << 1
        << "Address_Profi" << 2;
    QTest::newRow("NPoint bound") << read << Csv({header, "Y,1,Holding Register,0,126,0,x"})
                                  << "Error row 1!! [Modbus Read] NPoint must be between 1 and 125" << 1
                                  << "NPoint" << 2;
    QTest::newRow("rule after the end of the table")
        << read << Csv({header, "Y,1,Coil Status,0,1,0,a", "Y,,,,,,", "Y,3,Coil Status,0,1,0,c"})
        << "Error in line 4, row 3: Row 3 of the read table holds data that will not be saved, because the "
           "table ends at row 2, the first row without a Slave ID."
        << 3 << "" << 4;
    QTest::newRow("data in the row that ends the table")
        << read
        << Csv({header, "Y,1,Coil Status,0,1,0,a", "Y,,Coil Status,0,1,0,b", "Y,3,Coil Status,0,1,0,c"})
        << "Error in line 3, row 2: Row 2 of the read table holds data that will not be saved, because the "
           "table ends at row 2, the first row without a Slave ID."
        << 2 << "" << 3;
    QTest::newRow("bad ID") << diagnosis << Csv({"ID", "1", "12 "})
                            << "Error row 2!! Modbus ID must be between 1 and 247" << 2 << "ID" << 3;
    QTest::newRow("ID after the end of the list") << diagnosis << Csv({"ID", "1", "", "3"})
                                                  << "Error in line 4, row 3: Rows from row 3 on hold data "
                                                     "that would not be saved, "
                                                     "because the diagnosis list ends at the first row "
                                                     "without a Modbus Slave ID"
                                                  << 3 << "ID" << 4;
}

void Tst_Table_Csv_Document::refusals_leave_the_document_untouched() {
    QFETCH(int, kind);
    QFETCH(QByteArray, csv);
    QFETCH(QString, message);
    QFETCH(int, row);
    QFETCH(QString, column);
    QFETCH(int, line);
    Save_Sdo(Sdo(), Awkward_Rules());
    Save_Diagnosis(Diagnosis(), Diagnosis_List{{"3"}});
    const QByteArray sdo = Read_All(Sdo());
    const QByteArray diagnosis = Read_All(Diagnosis());

    const auto refusal = Import_Table_Csv(conf, Csv_Table_Kind(kind), csv, texts);
    QVERIFY(refusal);
    QCOMPARE(refusal->Message, message);
    QCOMPARE(refusal->Row, row);
    QCOMPARE(refusal->Column, column);
    QCOMPARE(refusal->Line, line);
    QCOMPARE(Read_All(Sdo()), sdo);
    QCOMPARE(Read_All(Diagnosis()), diagnosis);
}

void Tst_Table_Csv_Document::checks_follow_the_general_parameters() {
    // The rules editor reads the hardware type and the area sizes at every
    // showing; so does the import.
    General_Params params;
    params.Hardware_Type = 1;
    params.Profi_NB_OUT = "8";
    Save_ParGen(conf + "/ParGen.xml", params);
    const QString header = "Enable,Slave_ID,Type,Address_Mod,NPoint,PollTime,MaxError,Address_Profi,Bit";

    auto refusal = Import_Table_Csv(conf, Csv_Table_Kind::Read_Rules,
                                    Csv({header, "Y,1,Holding Register,0,1,999,0,0,"}), texts);
    QVERIFY(refusal);
    QCOMPARE(refusal->Message,
             QString("Error row 1!! [Modbus Read] Poll Time must be between 1000 and 100000000"));
    QCOMPARE(refusal->Column, QString("PollTime"));

    refusal = Import_Table_Csv(conf, Csv_Table_Kind::Read_Rules,
                               Csv({header, "Y,1,Input Status,0,1,1000,0,0,"}), texts);
    QVERIFY(refusal);
    QCOMPARE(refusal->Column, QString("Bit"));

    refusal = Import_Table_Csv(conf, Csv_Table_Kind::Write_Rules,
                               Csv({header, "Y,1,Holding Register,0,1,0,0,8,"}), texts);
    QVERIFY(refusal);
    QCOMPARE(refusal->Message, QString("Error row 1!! [Modbus Write] Position must be between 0 and 7"));
    QCOMPARE(refusal->Column, QString("Address_Profi"));

    // A rule of the other table that no longer fits stops the import too:
    // the editor's OK would refuse the same document.
    QVERIFY(!Import_Table_Csv(conf, Csv_Table_Kind::Write_Rules,
                              Csv({header, "Y,1,Holding Register,0,1,0,0,6,"}), texts));
    params.Profi_NB_OUT = "4";
    Save_ParGen(conf + "/ParGen.xml", params);
    refusal = Import_Table_Csv(conf, Csv_Table_Kind::Read_Rules, Csv({header}), texts);
    QVERIFY(refusal);
    // ... and is named as a fault of the stored document, not of the file.
    QCOMPARE(refusal->Message, texts[754] + "Error row 1!! [Modbus Write] Position must be between 0 and 3");
    QCOMPARE(refusal->Line, 0);
    QCOMPARE(refusal->Column, QString());
    QCOMPARE(refusal->Document, Sdo());
    QCOMPARE(refusal->Table, std::optional<Rule_Table>(Rule_Table::Write));
    QCOMPARE(refusal->Row, 1);
}

void Tst_Table_Csv_Document::import_stores_standard_type_and_flags_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("row");
    QTest::addColumn<QStringList>("stored"); // Enable, Type, Swap of the rule
    const int read = int(Csv_Table_Kind::Read_Rules);
    const int write = int(Csv_Table_Kind::Write_Rules);
    QTest::newRow("read: TRUE, lower case with blanks, 0")
        << read << "TRUE,1, input register ,0,1,0,0" << QStringList{"Y", "Input Register", "N"};
    QTest::newRow("read: x, upper case, yes")
        << read << "x,1,COIL STATUS,0,1,0,yes" << QStringList{"Y", "Coil Status", "Y"};
    QTest::newRow("read: empty flag stays empty")
        << read << "Y,1,Holding Register,0,1,0," << QStringList{"Y", "Holding Register", ""};
    QTest::newRow("write: 1, lower case, FALSE")
        << write << "1,1,holding register,0,1,0,FALSE" << QStringList{"Y", "Holding Register", "N"};
    QTest::newRow("write: disabled by no")
        << write << "no,1,coil status,0,1,0,N" << QStringList{"N", "Coil Status", "N"};
}

void Tst_Table_Csv_Document::import_stores_standard_type_and_flags() {
    QFETCH(int, kind);
    QFETCH(QString, row);
    QFETCH(QStringList, stored);
    const QByteArray csv = Csv({"Enable,Slave_ID,Type,Address_Mod,NPoint,Address_Profi,Swap", row});
    const auto refusal = Import_Table_Csv(conf, Csv_Table_Kind(kind), csv, texts);
    QVERIFY2(!refusal, qPrintable(refusal ? refusal->Message : QString()));
    const Access_Rules rules = Load_Sdo(Sdo());
    const QList<Access_Rule>& list =
        kind == int(Csv_Table_Kind::Read_Rules) ? rules.Read_Rules : rules.Write_Rules;
    QCOMPARE(list.size(), 1);
    QCOMPARE((QStringList{list[0].Enable, list[0].Type, list[0].Swap}), stored);
}

void Tst_Table_Csv_Document::broken_document_throws() {
    QVERIFY(Write_All(Sdo(), "<Serial_to_ProfiBus><ProfiBUS_IN>"));
    QVERIFY_THROWS_EXCEPTION(Kc_Error, Export_Table_Csv(conf, Csv_Table_Kind::Read_Rules, texts));
    QVERIFY_THROWS_EXCEPTION(Kc_Error,
                             Import_Table_Csv(conf, Csv_Table_Kind::Write_Rules, "Slave_ID\r\n", texts));
    QCOMPARE(Read_All(Sdo()), QByteArray("<Serial_to_ProfiBus><ProfiBUS_IN>"));
}

QTEST_GUILESS_MAIN(Tst_Table_Csv_Document)
#include "tst_table_csv_document.moc"
