// Reading images back: what inspect prints and an updater checks.
#include "bank_test_support.h"
#include "base/kc_error.h"
#include "output/bank_build.h"
#include "output/bank_decoder.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray Build_Fixture(const QString& fixture) {
    QTemporaryDir dir;
    const QString conf = Make_Conf_Dir(dir.path());
    Copy_Documents(Fixture_Path("bank/" + fixture), conf);
    return Build_Bank(conf).Bytes;
}

const Decoded_Field* Parameter(const Decoded_Bank& bank, const QString& name) {
    for (const Decoded_Field& field : bank.Parameters)
        if (field.Name == name || field.Name.startsWith(name + ":"))
            return &field;
    return nullptr;
}

} // namespace

class Tst_Bank_Decoder : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fixed_image_round_trip();
    void packed_image_round_trip();
    void packed_image_without_general_section();
    void checksum_and_inconsistencies_are_reported();
    void bytes_that_are_no_image_data();
    void bytes_that_are_no_image();
    void dump_names_every_part();
};

void Tst_Bank_Decoder::fixed_image_round_trip() {
    const Decoded_Bank bank = Decode_Bank(Build_Fixture("fixed_full"));
    QCOMPARE(bank.Layout, Bank_Layout::Fixed);
    QCOMPARE(bank.Size, 18432);
    QVERIFY(bank.Has_Checksum);
    QVERIFY(bank.Checksum_Matches);
    QCOMPARE(bank.Checksum_Stored, 2372u);
    QCOMPARE(bank.Problems, QStringList{});
    QCOMPARE(bank.Rules.size(), 4);

    const Decoded_Rule& in = bank.Rules[0];
    QCOMPARE(in.Kind, Decoded_Rule_Kind::Input);
    QCOMPARE(in.Address_Profi, 4);
    QCOMPARE(in.Bit, 2);
    QCOMPARE(in.Poll_Time, 500u);
    QCOMPARE(in.Slave_ID, 1);
    QCOMPARE(in.Function_Code, 1);
    QCOMPARE(in.Address_Mod, 100);
    QCOMPARE(in.NPoint, 10);
    QCOMPARE(in.Max_Error, 3u);
    QCOMPARE(in.Profi_Bytes, 2);
    QCOMPARE(bank.Rules[1].Address_Mod, 0xFFFF);
    QVERIFY(bank.Rules[1].Swap);
    const Decoded_Rule& out = bank.Rules[2];
    QCOMPARE(out.Kind, Decoded_Rule_Kind::Output);
    QCOMPARE(out.Function_Code, 6);
    QCOMPARE(out.Address_Mod, 40001);
    QVERIFY(out.On_Change);
    QCOMPARE(out.Offset, 64);
    QCOMPARE(bank.Rules[3].Function_Code, 15);

    QCOMPARE(Parameter(bank, "Ser_Baud")->Value, 38400u);
    QCOMPARE(Parameter(bank, "Ser_Baud")->Offset, 0x400C);
    QCOMPARE(Parameter(bank, "Ethernet_IP")->Text, QString("10.0.0.7"));
    QCOMPARE(Parameter(bank, "Profi_Async_Req_Start_OUT")->Value, 40571u);
    QCOMPARE(Parameter(bank, "error reporting word")->Value, 17u);
    QCOMPARE(Parameter(bank, "rule records in use")->Value, 4u);
}

void Tst_Bank_Decoder::packed_image_round_trip() {
    const Decoded_Bank bank = Decode_Bank(Build_Fixture("packed_rules_diagnosis"));
    QCOMPARE(bank.Layout, Bank_Layout::Packed);
    QCOMPARE(bank.Size, 105);
    QVERIFY(!bank.Has_Checksum);
    QVERIFY(bank.Has_General_Section);
    QCOMPARE(bank.Problems, QStringList{});
    QCOMPARE(bank.Sections.size(), 5);
    QCOMPARE(bank.Sections[2].Offset, 37);
    QCOMPARE(bank.Sections[4].Offset, 72);
    QCOMPARE(bank.Rules.size(), 3);
    QCOMPARE(bank.Rules[1].Kind, Decoded_Rule_Kind::Input);
    QCOMPARE(bank.Rules[1].Slave_ID, 247);
    QCOMPARE(bank.Rules[1].Type_Code, 1);
    QCOMPARE(bank.Rules[1].Address_Mod, 0x1234);
    QCOMPARE(bank.Rules[1].Address_Profi, 20);
    const Decoded_Rule& out = bank.Rules[2];
    QCOMPARE(out.Kind, Decoded_Rule_Kind::Output);
    QCOMPARE(out.Address_Mod, 5);
    QCOMPARE(out.NPoint, 1);
    QCOMPARE(out.Address_Profi, 3);
    QCOMPARE(out.Type_Code, 0x81);
    QVERIFY(out.Force_Multiple);
    QCOMPARE(bank.Diagnosis_IDs, (QList<int>{1, 2, 9}));
    QCOMPARE(Parameter(bank, "Profi_NB_IN")->Value, 244u);
    QCOMPARE(Parameter(bank, "Profi_Diagnosis_Copy_Array_Position")->Value, 100u);
    QCOMPARE(Parameter(bank, "offset of the general section")->Value, 72u);
}

void Tst_Bank_Decoder::packed_image_without_general_section() {
    const Decoded_Bank bank = Decode_Bank(Build_Fixture("packed_without_general"));
    QVERIFY(!bank.Has_General_Section);
    QCOMPARE(bank.Size, 71);
    // Without the general section nothing tells input from output rules.
    QCOMPARE(bank.Rules.size(), 3);
    QCOMPARE(bank.Rules[0].Kind, Decoded_Rule_Kind::Unknown);
    QCOMPARE(bank.Rules[2].Raw, QByteArray("\x02\x05\x00\x01\x03\x81\x00", 7));
    QCOMPARE(bank.Diagnosis_IDs, (QList<int>{247, 8}));
    QCOMPARE(bank.Problems, QStringList{});
}

void Tst_Bank_Decoder::checksum_and_inconsistencies_are_reported() {
    QByteArray fixed = Build_Fixture("fixed_full");
    fixed[0x4000 + 0x300] = 1; // a reserved byte
    Decoded_Bank bank = Decode_Bank(fixed);
    QCOMPARE(bank.Layout, Bank_Layout::Fixed);
    QVERIFY(!bank.Checksum_Matches);
    QCOMPARE(bank.Checksum_Computed, bank.Checksum_Stored + 1);
    QVERIFY2(bank.Problems.join('\n').contains("0x300"), qPrintable(bank.Problems.join('\n')));

    fixed = Build_Fixture("fixed_full");
    fixed[5 * 32] = 1; // a record past the ones in use
    QVERIFY(Decode_Bank(fixed).Problems.join('\n').contains("rule record 5 is not in use but not zero"));

    QByteArray packed = Build_Fixture("packed_rules_diagnosis");
    packed[40] = 0;      // bitmap byte 0 no longer matches IDs 1 and 2
    packed[72 + 12] = 5; // five input rules counted
    bank = Decode_Bank(packed);
    QCOMPARE(bank.Problems.size(), 2);
    QCOMPARE(bank.Rules[0].Kind, Decoded_Rule_Kind::Unknown);
}

// clang-format off
void Tst_Bank_Decoder::bytes_that_are_no_image_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QByteArray header(48, '\0');
    header[0] = 16;
    header[4] = 16;
    header[8] = 16;
    header[12] = 48;
    QByteArray bad_first = header;
    bad_first[0] = 17;
    QByteArray bad_rules = header;
    bad_rules[4] = 20;
    bad_rules[8] = 20;
    bad_rules[12] = 52;
    QByteArray long_tail = header + QByteArray(5, '\0');
    QTest::newRow("empty") << QByteArray() << "too few";
    QTest::newRow("rule offset not 16") << bad_first << "not 16";
    QTest::newRow("partial rule") << bad_rules << "whole 7-byte rules";
    QTest::newRow("length after the bitmap not 0 or 33") << long_tail << "file length 53";
}
// clang-format on

void Tst_Bank_Decoder::bytes_that_are_no_image() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    try {
        Decode_Bank(bytes);
        QFAIL("decoded");
    } catch (const Kc_Error& error) {
        QVERIFY2(error.Message().contains(message), qPrintable(error.Message()));
    }
}

void Tst_Bank_Decoder::dump_names_every_part() {
    const QString fixed = Format_Decoded_Bank(Decode_Bank(Build_Fixture("fixed_full")));
    for (const QString& line : QStringList{
             "Layout: fixed", "Size: 18432 bytes", "0x4000  parameter block    2048 bytes",
             "Rules: 4 (2 input, 2 output)", "function 6 (write single register)", "Ethernet_IP: IP address",
             "10.0.0.7", "Checksum: stored 0x00000944, computed 0x00000944: matches"})
        QVERIFY2(fixed.contains(line), qPrintable(line));
    const QString packed = Format_Decoded_Bank(Decode_Bank(Build_Fixture("packed_rules_diagnosis")));
    for (const QString& line : QStringList{"Layout: packed", "0x0025  diagnosis list     3 bytes",
                                           "Diagnosis list: 3 entries: 1, 2, 9", "type 129 (Coil Status)",
                                           "force F15/F16 yes", "Checksum: none"})
        QVERIFY2(packed.contains(line), qPrintable(line));
}

QTEST_GUILESS_MAIN(Tst_Bank_Decoder)
#include "tst_bank_decoder.moc"
