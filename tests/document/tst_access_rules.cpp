#include "base/kc_error.h"
#include "document/access_rules.h"
#include "test_dirs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The Modbus access rules document sdo.xml: the two sections, rules by
// position, attribute fallbacks, the fixed attribute order of the writer and
// the end of each list at the first rule without a Slave ID.
class Tst_Access_Rules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void missing_file_gives_empty_lists();
    void sections_in_any_order_and_container_of_any_name();
    void writes_the_hand_written_fixture_data();
    void writes_the_hand_written_fixture();
    void hand_edited_document();
    void row_without_attributes_ends_the_list_when_written();
    void list_ends_at_blank_slave_id_data();
    void list_ends_at_blank_slave_id();
    void values_read_back_unchanged();
    void broken_documents_name_the_file_data();
    void broken_documents_name_the_file();
    void failed_write_names_the_file();
    void text_xml_cannot_carry_keeps_the_old_file_data();
    void text_xml_cannot_carry_keeps_the_old_file();
};

Q_DECLARE_METATYPE(Access_Rules)

namespace {

Access_Rule Read_Rule(const QString& enable, const QString& slave, const QString& type,
                      const QString& address_mod, const QString& npoint, const QString& poll,
                      const QString& max_error, const QString& address_profi, const QString& bit,
                      const QString& swap, const QString& mnemonic) {
    Access_Rule r;
    r.Enable = enable;
    r.Slave_ID = slave;
    r.Type = type;
    r.Address_Mod = address_mod;
    r.NPoint = npoint;
    r.PollTime = poll;
    r.MaxError = max_error;
    r.Address_Profi = address_profi;
    r.Bit = bit;
    r.Swap = swap;
    r.Mnemonic = mnemonic;
    return r;
}

Access_Rule Write_Rule(const QString& enable, const QString& slave, const QString& type,
                       const QString& address_mod, const QString& npoint, const QString& poll,
                       const QString& on_change, const QString& on_cmd, const QString& max_error,
                       const QString& address_profi, const QString& bit, const QString& swap,
                       const QString& force, const QString& mnemonic) {
    Access_Rule r = Read_Rule(enable, slave, type, address_mod, npoint, poll, max_error, address_profi, bit,
                              swap, mnemonic);
    r.OnChange = on_change;
    r.OnCMD = on_cmd;
    r.ForceF15F16 = force;
    return r;
}

// The record of tests/fixtures/sdo/three_read_rules.xml.
Access_Rules Three_Read_Rules() {
    Access_Rules rules;
    rules.Read_Rules = {
        Read_Rule("Y", "1", "Holding Register", "100", "10", "500", "0", "0", "", "N",
                  "Tank & pump <1> \"level\" 'a'"),
        Read_Rule("N", " 2", "coil status", "$10", "16", "", "3", "20", "7", "Y", "  leading blanks"),
        Read_Rule("", "247", "Input Status", "0", "1", "1000", "", "243", "0", "", ""),
    };
    return rules;
}

// The record of tests/fixtures/sdo/written.xml.
Access_Rules Both_Sections() {
    Access_Rules rules;
    rules.Read_Rules = {Read_Rule("Y", "5", "Input Register", "1", "2", "100", "1", "4", "", "N", "in")};
    rules.Write_Rules = {
        Write_Rule("Y", "9", "Holding Register", "300", "4", "250", "Y", "N", "2", "8", "", "Y", "Y",
                   "x < y && y > z"),
        Write_Rule("N", "10", "Coil Status", "0", "8", "", "", "", "", "12", "3", "", "", ""),
    };
    return rules;
}

Access_Rule Fallback_Read_Rule() {
    Access_Rule r;
    r.Enable = "Y";
    r.Swap = "N";
    return r;
}

Access_Rule Fallback_Write_Rule() {
    Access_Rule r = Fallback_Read_Rule();
    r.OnCMD = "N";
    r.ForceF15F16 = "N";
    return r;
}

} // namespace

void Tst_Access_Rules::missing_file_gives_empty_lists() {
    QTemporaryDir dir;
    QCOMPARE(Load_Sdo(dir.filePath("sdo.xml")), Access_Rules{});
}

void Tst_Access_Rules::sections_in_any_order_and_container_of_any_name() {
    // <Other><ProfiBUS_OUT/><ProfiBUS_IN/></Other>
    QCOMPARE(Load_Sdo(Fixture_Path("sdo/empty_sections.xml")), Access_Rules{});
}

void Tst_Access_Rules::writes_the_hand_written_fixture_data() {
    QTest::addColumn<Access_Rules>("rules");
    QTest::addColumn<QString>("fixture");
    QTest::newRow("three read rules, no write rule") << Three_Read_Rules() << "sdo/three_read_rules.xml";
    QTest::newRow("both sections") << Both_Sections() << "sdo/written.xml";
}

void Tst_Access_Rules::writes_the_hand_written_fixture() {
    QFETCH(Access_Rules, rules);
    QFETCH(QString, fixture);
    QTemporaryDir dir;
    const QString path = dir.filePath("sdo.xml");
    Save_Sdo(path, rules);
    QCOMPARE(Read_All(path), Read_All(Fixture_Path(fixture)));
    QCOMPARE(Load_Sdo(Fixture_Path(fixture)), rules);

    // Reading what the writer produced and writing it again gives the same bytes.
    const QString again = dir.filePath("again.xml");
    Save_Sdo(again, Load_Sdo(path));
    QCOMPARE(Read_All(again), Read_All(path));
}

void Tst_Access_Rules::hand_edited_document() {
    const Access_Rules rules = Load_Sdo(Fixture_Path("sdo/hand_edited.xml"));

    // Read section: the first ProfiBUS_IN only; a foreign element name is a
    // rule at its position; unknown attributes are ignored; a row without
    // attributes takes every fallback.
    Access_Rule r1 = Fallback_Read_Rule();
    r1.Slave_ID = "1";
    Access_Rule r2 = Fallback_Read_Rule();
    r2.Slave_ID = "2";
    r2.Enable = "N";
    Access_Rule r4 = Fallback_Read_Rule();
    r4.Slave_ID = "6";
    QCOMPARE(rules.Read_Rules, (QList<Access_Rule>{r1, r2, Fallback_Read_Rule(), r4}));

    // Write section, stored before the read section: an older row without
    // OnCMD and ForceF15F16 reads them as "N"; an attribute present and empty
    // stays empty.
    QCOMPARE(rules.Write_Rules.size(), 2);
    const Access_Rule w1 = Write_Rule("Y", "3", "Coil Status", "0", "1", "10", "Y", "N", "0", "0", "0", "N",
                                      "N", "older 'write' row");
    QCOMPARE(rules.Write_Rules[0], w1);
    Access_Rule w2 = Fallback_Write_Rule();
    w2.Slave_ID = "4";
    w2.ForceF15F16 = "";
    w2.OnCMD = "Y";
    QCOMPARE(rules.Write_Rules[1], w2);
}

void Tst_Access_Rules::row_without_attributes_ends_the_list_when_written() {
    QTemporaryDir dir;
    const QString path = dir.filePath("sdo.xml");
    Save_Sdo(path, Load_Sdo(Fixture_Path("sdo/hand_edited.xml")));
    const Access_Rules back = Load_Sdo(path);
    QCOMPARE(back.Read_Rules.size(), 2); // rule 3 has no Slave_ID: rules 3 and 4 are not written
    QCOMPARE(back.Read_Rules[1].Slave_ID, QString("2"));
    QCOMPARE(back.Write_Rules.size(), 2);
    // Every attribute is written on every row, in its fixed order.
    const QByteArray bytes = Read_All(path);
    QVERIFY2(
        bytes.contains("<row Enable=\"Y\" Slave_ID=\"1\" Type=\"\" Address_Mod=\"\" NPoint=\"\" "
                       "PollTime=\"\" MaxError=\"\" Address_Profi=\"\" Bit=\"\" Swap=\"N\" Mnemonic=\"\"/>"),
        bytes.constData());
    QVERIFY2(
        bytes.contains("<row Enable=\"Y\" Slave_ID=\"4\" Type=\"\" Address_Mod=\"\" NPoint=\"\" "
                       "PollTime=\"\" OnChange=\"\" OnCMD=\"Y\" MaxError=\"\" Address_Profi=\"\" Bit=\"\" "
                       "Swap=\"N\" ForceF15F16=\"\" Mnemonic=\"\"/>"),
        bytes.constData());
}

void Tst_Access_Rules::list_ends_at_blank_slave_id_data() {
    QTest::addColumn<QString>("blank");
    QTest::newRow("empty") << "";
    QTest::newRow("blanks only") << "   ";
    QTest::newRow("tab") << "\t";
}

void Tst_Access_Rules::list_ends_at_blank_slave_id() {
    QFETCH(QString, blank);
    Access_Rules rules;
    for (int i = 1; i <= 6; ++i) {
        Access_Rule r = Fallback_Write_Rule();
        r.Slave_ID = QString::number(i);
        rules.Read_Rules.append(r);
        rules.Write_Rules.append(r);
    }
    rules.Read_Rules[3].Slave_ID = blank;  // rule 4
    rules.Write_Rules[0].Slave_ID = blank; // rule 1
    QTemporaryDir dir;
    const QString path = dir.filePath("sdo.xml");
    Save_Sdo(path, rules);
    const Access_Rules back = Load_Sdo(path);
    QCOMPARE(back.Read_Rules.size(), 3);
    QCOMPARE(back.Read_Rules[2].Slave_ID, QString("3"));
    QCOMPARE(back.Write_Rules.size(), 0);
    QVERIFY(Read_All(path).contains("<ProfiBUS_OUT/>"));
}

void Tst_Access_Rules::values_read_back_unchanged() {
    Access_Rules rules;
    Access_Rule r = Write_Rule(" Y", "  12", " Holding Register ", " 0x10", "1 ", "", "y", "n", "-1", " 3",
                               "8", "Y ", "", "");
    const QStringList mnemonics = {"&amp; is not an entity here",
                                   "<row>",
                                   "\"\"",
                                   "''",
                                   "  two leading blanks",
                                   "trailing blank ",
                                   QString::fromUtf8("Pumpe \u00fc\u00df \u4e2d\u6587"),
                                   "a\tb",
                                   "line\nbreak"};
    for (const QString& mnemonic : mnemonics) {
        r.Mnemonic = mnemonic;
        rules.Read_Rules.append(r);
        rules.Write_Rules.append(r);
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("sdo.xml");
    Save_Sdo(path, rules);
    const Access_Rules back = Load_Sdo(path);
    QCOMPARE(back.Write_Rules, rules.Write_Rules);
    // A read rule has no OnChange, OnCMD or ForceF15F16 in the document.
    for (Access_Rule& rule : rules.Read_Rules) {
        rule.OnChange.clear();
        rule.OnCMD.clear();
        rule.ForceF15F16.clear();
    }
    QCOMPARE(back.Read_Rules, rules.Read_Rules);
}

void Tst_Access_Rules::broken_documents_name_the_file_data() {
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("detail");
    QTest::newRow("malformed") << "broken/malformed.xml"
                               << "line";
    QTest::newRow("binary") << "broken/binary.xml"
                            << "line";
    QTest::newRow("empty") << "broken/empty.xml"
                           << "line";
    QTest::newRow("truncated") << "broken/truncated.xml"
                               << "line";
    QTest::newRow("no ProfiBUS_OUT") << "broken/sdo_without_out_section.xml"
                                     << "ProfiBUS_OUT";
    QTest::newRow("sections in the wrong case") << "broken/sdo_sections_wrong_case.xml"
                                                << "ProfiBUS_IN";
    QTest::newRow("declaration first") << "broken/sdo_declaration_first.xml"
                                       << "ProfiBUS_IN";
    QTest::newRow("comment first") << "broken/sdo_comment_first.xml"
                                   << "ProfiBUS_IN";
}

void Tst_Access_Rules::broken_documents_name_the_file() {
    QFETCH(QString, fixture);
    QFETCH(QString, detail);
    QTemporaryDir dir;
    const QString path = dir.filePath("sdo.xml");
    QVERIFY(QFile::copy(Fixture_Path(fixture), path));
    try {
        Load_Sdo(path);
        QFAIL("a broken document read without an error");
    } catch (const Kc_Error& error) {
        QVERIFY2(error.Message().contains("sdo.xml"), qPrintable(error.Message()));
        QVERIFY2(error.Message().contains(detail), qPrintable(error.Message()));
    }
}

void Tst_Access_Rules::failed_write_names_the_file() {
    QTemporaryDir dir;
    try {
        Save_Sdo(dir.filePath("missing/sdo.xml"), Three_Read_Rules());
        QFAIL("a write into a missing folder reported no error");
    } catch (const Kc_Error& error) {
        QVERIFY2(error.Message().contains("sdo.xml"), qPrintable(error.Message()));
    }
}

void Tst_Access_Rules::text_xml_cannot_carry_keeps_the_old_file_data() {
    QTest::addColumn<QString>("mnemonic");
    QTest::newRow("control character") << QString("a") + QChar(1) + "b";
    QTest::newRow("lone surrogate") << QString("a") + QChar(0xD800) + "b";
}

void Tst_Access_Rules::text_xml_cannot_carry_keeps_the_old_file() {
    QFETCH(QString, mnemonic);
    QTemporaryDir dir;
    const QString path = dir.filePath("sdo.xml");
    Save_Sdo(path, Three_Read_Rules());
    const QByteArray before = Read_All(path);
    Access_Rules rules = Three_Read_Rules();
    rules.Read_Rules[1].Mnemonic = mnemonic;
    try {
        Save_Sdo(path, rules);
        QFAIL("a document that cannot be read back was written without an error");
    } catch (const Kc_Error& error) {
        QVERIFY2(error.Message().contains("sdo.xml"), qPrintable(error.Message()));
    }
    QCOMPARE(Read_All(path), before);
}

QTEST_GUILESS_MAIN(Tst_Access_Rules)
#include "tst_access_rules.moc"
