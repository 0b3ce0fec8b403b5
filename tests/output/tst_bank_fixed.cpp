// The fixed layout (hardware type 1), field by field.
#include "bank_test_support.h"
#include "base/kc_error.h"
#include "output/bank_build.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int Block = 0x4000;

quint32 U32(const QByteArray& b, int at) {
    return quint8(b[at]) | quint8(b[at + 1]) << 8 | quint8(b[at + 2]) << 16 |
           quint32(quint8(b[at + 3])) << 24;
}

quint32 Field(const QByteArray& b, int at, int size) {
    return size == 1   ? quint8(b[at])
           : size == 2 ? quint32(quint8(b[at]) | quint8(b[at + 1]) << 8)
                       : U32(b, at);
}

// Builds a hardware-type-1 configuration in a fresh folder; no rules document
// when both rule lists are null.
Bank_Image Build_Fixed(const Xml_Values& general, const QList<Xml_Values>* in = nullptr,
                       const QList<Xml_Values>* out = nullptr) {
    QTemporaryDir dir;
    const QString conf = Make_Conf_Dir(dir.path());
    Write_All(conf + "/ParGen.xml", Par_Gen_Xml(Xml_Values{{"Hardware_Type", "1"}} + general));
    if (in || out)
        Write_All(conf + "/sdo.xml",
                  Sdo_Xml(in ? *in : QList<Xml_Values>{}, out ? *out : QList<Xml_Values>{}));
    return Build_Bank(conf);
}

QString Build_Error(const QList<Xml_Values>& in, const QList<Xml_Values>& out) {
    try {
        Build_Fixed({}, &in, &out);
    } catch (const Kc_Error& error) {
        return error.Message();
    }
    return {};
}

} // namespace

class Tst_Bank_Fixed : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void general_value_data();
    void general_value();
    void error_reporting_data();
    void error_reporting();
    void rule_codes_data();
    void rule_codes();
    void rule_flags_data();
    void rule_flags();
    void only_enabled_rules_fill_records();
    void full_tables_of_244_rules();
    void more_than_512_enabled_rules_stop_the_build();
    void lenient_conversion_data();
    void lenient_conversion();
    void mandatory_values_data();
    void mandatory_values();
    void rules_document_needs_both_lists_data();
    void rules_document_needs_both_lists();
};

// clang-format off
void Tst_Bank_Fixed::general_value_data() {
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("size");
    QTest::addColumn<quint32>("expected");
    QTest::newRow("baud index 0") << "Ser_Baud" << "0" << 0x00C << 4 << 1200u;
    QTest::newRow("baud index 3") << "Ser_Baud" << "3" << 0x00C << 4 << 9600u;
    QTest::newRow("baud index 6, copy") << "Ser_Baud" << "6" << 0x03C << 4 << 57600u;
    QTest::newRow("baud index 9") << "Ser_Baud" << "9" << 0x00C << 4 << 9600u;
    QTest::newRow("baud index -1") << "Ser_Baud" << "-1" << 0x00C << 4 << 9600u;
    QTest::newRow("baud fast") << "Ser_Baud" << "fast" << 0x00C << 4 << 115200u;
    QTest::newRow("baud with trailing blank") << "Ser_Baud" << "3 " << 0x03C << 4 << 115200u;
    QTest::newRow("parity even 1 -> 2") << "Ser_Par" << "1" << 0x012 << 2 << 2u;
    QTest::newRow("parity odd 2 -> 1, copy") << "Ser_Par" << "2" << 0x042 << 2 << 1u;
    QTest::newRow("parity none") << "Ser_Par" << "0" << 0x012 << 2 << 0u;
    QTest::newRow("parity other unchanged") << "Ser_Par" << "5" << 0x012 << 2 << 5u;
    QTest::newRow("parity no number") << "Ser_Par" << "odd" << 0x012 << 2 << 0u;
    QTest::newRow("two stop bits 1 -> 2") << "Ser_StopBits" << "1" << 0x014 << 4 << 2u;
    QTest::newRow("two stop bits, copy") << "Ser_StopBits" << "1" << 0x044 << 4 << 2u;
    QTest::newRow("stop bits other unchanged") << "Ser_StopBits" << "3" << 0x014 << 4 << 3u;
    QTest::newRow("RS232 is text 0") << "Ser_Type" << "0" << 0x061 << 1 << 1u;
    QTest::newRow("RS485") << "Ser_Type" << "1" << 0x061 << 1 << 0u;
    QTest::newRow("serial line text compared, not converted") << "Ser_Type" << " 0" << 0x061 << 1 << 0u;
    QTest::newRow("time-out") << "Ser_TO" << "60000" << 0x020 << 4 << 60000u;
    QTest::newRow("time-out no number") << "Ser_TO" << "abc" << 0x020 << 4 << 1000u;
    QTest::newRow("delay empty") << "Ser_CD" << "" << 0x024 << 4 << 100u;
    QTest::newRow("delay hexadecimal") << "Ser_CD" << "$20" << 0x024 << 4 << 32u;
    QTest::newRow("PROFIBUS-active flag") << "Ser_Enable_Modbus_PROFIBUS_Active" << "1" << 0x03A << 2 << 0x0008u;
    QTest::newRow("PROFIBUS-active flag true is off") << "Ser_Enable_Modbus_PROFIBUS_Active" << "true" << 0x03A << 2 << 0u;
    QTest::newRow("async requests flag") << "Profi_Enable_Async_Mod_Req" << "1" << 0x03A << 2 << 0x0200u;
    QTest::newRow("station 300 keeps its low byte") << "Profi_ID" << "300" << 0x081 << 1 << 44u;
    QTest::newRow("input bytes 300 fit the uint32") << "Profi_NB_IN" << "300" << 0x078 << 4 << 300u;
    QTest::newRow("output bytes") << "Profi_NB_OUT" << "12" << 0x074 << 4 << 12u;
    QTest::newRow("async start in, any pair") << "Profi_Async_Req_Start_IN" << "300" << 0x250 << 4 << 300u;
    QTest::newRow("async start out negative") << "Profi_Async_Req_Start_OUT" << "-1" << 0x254 << 4 << 0xFFFFFFFFu;
    QTest::newRow("IP byte 3") << "Ethernet_IP3" << "7" << 0x02A << 1 << 7u;
    QTest::newRow("IP byte 256 keeps its low byte") << "Ethernet_IP3" << "256" << 0x02A << 1 << 0u;
    QTest::newRow("IP byte no number: that byte's default") << "Ethernet_IP1" << "x" << 0x028 << 1 << 192u;
    QTest::newRow("mask byte 4") << "Ethernet_SM4" << "128" << 0x02F << 1 << 128u;
    QTest::newRow("gateway byte 4") << "Ethernet_GAT4" << "254" << 0x033 << 1 << 254u;
    QTest::newRow("gateway used") << "Ethernet_EN_GAT" << "1" << 0x138 << 4 << 0u;
    QTest::newRow("gateway not used") << "Ethernet_EN_GAT" << "0" << 0x138 << 4 << 0xFFFFFFFFu;
    QTest::newRow("gateway flag true is not 1") << "Ethernet_EN_GAT" << "true" << 0x138 << 4 << 0xFFFFFFFFu;
}
// clang-format on

void Tst_Bank_Fixed::general_value() {
    QFETCH(QString, element);
    QFETCH(QString, text);
    QFETCH(int, offset);
    QFETCH(int, size);
    QFETCH(quint32, expected);
    const QByteArray image = Build_Fixed({{element, text}}).Bytes;
    QCOMPARE(image.size(), 18432);
    QCOMPARE(Field(image, Block + offset, size), expected);
}

// clang-format off
void Tst_Bank_Fixed::error_reporting_data() {
    QTest::addColumn<Xml_Values>("general");
    QTest::addColumn<quint32>("error_word");
    QTest::addColumn<quint32>("options");
    QTest::newRow("error and diagnosis: all bits, whatever the address")
        << Xml_Values{{"Profi_Enable_Error", "1"}, {"Profi_Enable_Diagnosis", "1"}, {"Profi_Enable_Error_Address", "17"}}
        << 0xFFFFFFFFu << 0x0100u;
    QTest::newRow("error without diagnosis: the address")
        << Xml_Values{{"Profi_Enable_Error", "1"}, {"Profi_Enable_Diagnosis", "0"}, {"Profi_Enable_Error_Address", "17"}}
        << 17u << 0u;
    QTest::newRow("error, diagnosis missing, address missing: 1")
        << Xml_Values{{"Profi_Enable_Error", "1"}} << 1u << 0u;
    QTest::newRow("error, address no number: 1")
        << Xml_Values{{"Profi_Enable_Error", "1"}, {"Profi_Enable_Error_Address", "abc"}} << 1u << 0u;
    QTest::newRow("no error: 0, diagnosis ignored")
        << Xml_Values{{"Profi_Enable_Error", "0"}, {"Profi_Enable_Diagnosis", "1"}, {"Profi_Enable_Error_Address", "17"}}
        << 0u << 0u;
    QTest::newRow("error flag true is off") << Xml_Values{{"Profi_Enable_Error", "true"}, {"Profi_Enable_Diagnosis", "1"}}
                                            << 0u << 0u;
    QTest::newRow("all three options")
        << Xml_Values{{"Ser_Enable_Modbus_PROFIBUS_Active", "1"}, {"Profi_Enable_Error", "1"},
                      {"Profi_Enable_Diagnosis", "1"}, {"Profi_Enable_Async_Mod_Req", "1"}}
        << 0xFFFFFFFFu << 0x0308u;
}
// clang-format on

void Tst_Bank_Fixed::error_reporting() {
    QFETCH(Xml_Values, general);
    QFETCH(quint32, error_word);
    QFETCH(quint32, options);
    const QByteArray image = Build_Fixed(general).Bytes;
    QCOMPARE(U32(image, Block + 0x12C), error_word);
    QCOMPARE(Field(image, Block + 0x03A, 2), options);
}

// clang-format off
void Tst_Bank_Fixed::rule_codes_data() {
    QTest::addColumn<bool>("input");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("points");
    QTest::addColumn<QString>("force"); // "-" for no ForceF15F16 attribute
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("bytes");
    QTest::newRow("in 10 coils: 2 bytes") << true << "Coil Status" << "10" << "-" << 1 << 2;
    QTest::newRow("in 8 inputs: 1 byte") << true << "INPUT STATUS" << "8" << "-" << 2 << 1;
    QTest::newRow("in 9 inputs, lower case: 2 bytes") << true << "input status" << "9" << "-" << 2 << 2;
    QTest::newRow("in 10 holding registers: 20 bytes") << true << "Holding Register" << "10" << "-" << 3 << 20;
    QTest::newRow("in 10 input registers: 20 bytes") << true << "Input Register" << "10" << "-" << 4 << 20;
    QTest::newRow("in 200 registers: 400 mod 256") << true << "Input Register" << "200" << "-" << 4 << 144;
    QTest::newRow("in 300 registers: twice the low byte") << true << "Input Register" << "300" << "-" << 4 << 88;
    QTest::newRow("in 65528 coils: 8191, low byte") << true << "Coil Status" << "65528" << "-" << 1 << 255;
    QTest::newRow("in 65535 coils: 8192, low byte") << true << "Coil Status" << "65535" << "-" << 1 << 0;
    QTest::newRow("in unknown type: code 0, register bytes") << true << "Register" << "10" << "-" << 0 << 20;
    QTest::newRow("in type with a leading blank is unknown") << true << " Coil Status" << "10" << "-" << 0 << 20;
    QTest::newRow("out coil, 1 point") << false << "Coil Status" << "1" << "N" << 5 << 0;
    QTest::newRow("out coil, 1 point, forced") << false << "Coil Status" << "1" << "Y" << 15 << 0;
    QTest::newRow("out coil, 1 point, no force attribute") << false << "COIL STATUS" << "1" << "-" << 5 << 0;
    QTest::newRow("out coil, 8 points") << false << "Coil Status" << "8" << "N" << 15 << 0;
    QTest::newRow("out holding, 1 point") << false << "Holding Register" << "1" << "N" << 6 << 0;
    QTest::newRow("out holding, 1 point, forced lower case") << false << "holding register" << "1" << "y" << 16 << 0;
    QTest::newRow("out holding, 4 points") << false << "Holding Register" << "4" << "N" << 16 << 0;
    QTest::newRow("out holding, 65537 points is 1 in 16 bits") << false << "Holding Register" << "65537" << "N" << 6 << 0;
    QTest::newRow("out input status: 0 even forced") << false << "Input Status" << "1" << "Y" << 0 << 0;
    QTest::newRow("out input register: 0") << false << "Input Register" << "2" << "N" << 0 << 0;
}
// clang-format on

void Tst_Bank_Fixed::rule_codes() {
    QFETCH(bool, input);
    QFETCH(QString, type);
    QFETCH(QString, points);
    QFETCH(QString, force);
    QFETCH(int, code);
    QFETCH(int, bytes);
    Xml_Values rule = With(With(input ? Input_Rule() : Output_Rule(), "Type", type), "NPoint", points);
    rule = force == "-" ? Without(rule, "ForceF15F16") : With(rule, "ForceF15F16", force);
    const QList<Xml_Values> rules{rule};
    const QList<Xml_Values> none;
    const QByteArray image = Build_Fixed({}, input ? &rules : &none, input ? &none : &rules).Bytes;
    QCOMPARE(int(quint8(image[9])), code);
    QCOMPARE(int(quint8(image[30])), bytes);
    QCOMPARE(Field(image, 12, 2), quint32(points.toUInt() & 0xFFFF));
}

// clang-format off
void Tst_Bank_Fixed::rule_flags_data() {
    QTest::addColumn<bool>("input");
    QTest::addColumn<QString>("swap");      // "-" for no attribute
    QTest::addColumn<QString>("on_change");
    QTest::addColumn<int>("flags");
    QTest::newRow("in, no swap") << true << "N" << "" << 0x00;
    QTest::newRow("in, swap") << true << "Y" << "" << 0x08;
    QTest::newRow("in, swap lower case") << true << "y" << "" << 0x08;
    QTest::newRow("in, swap missing") << true << "-" << "" << 0x00;
    QTest::newRow("out, on change") << false << "N" << "Y" << 0x01;
    QTest::newRow("out, on change and swap") << false << "Y" << "y" << 0x09;
    QTest::newRow("out, neither") << false << "N" << "N" << 0x00;
    QTest::newRow("out, on change empty") << false << "-" << "" << 0x00;
}
// clang-format on

void Tst_Bank_Fixed::rule_flags() {
    QFETCH(bool, input);
    QFETCH(QString, swap);
    QFETCH(QString, on_change);
    Xml_Values rule = input ? Input_Rule() : With(Output_Rule(), "OnChange", on_change);
    rule = swap == "-" ? Without(rule, "Swap") : With(rule, "Swap", swap);
    const QList<Xml_Values> rules{rule};
    const QList<Xml_Values> none;
    const QByteArray image = Build_Fixed({}, input ? &rules : &none, input ? &none : &rules).Bytes;
    QTEST(int(quint8(image[31])), "flags");
}

void Tst_Bank_Fixed::only_enabled_rules_fill_records() {
    // A disabled rule is passed over without reading its values, so missing
    // mandatory values do not stop the build; Enable must be exactly "Y".
    const Xml_Values disabled_empty{{"Enable", "N"}};
    const QList<Xml_Values> in{With(Input_Rule(), "Slave_ID", "11"), disabled_empty,
                               With(With(Input_Rule(), "Enable", "y"), "Slave_ID", "12"),
                               Without(With(Input_Rule(), "Slave_ID", "13"), "Enable"),
                               With(Input_Rule(), "Slave_ID", "14")};
    const QList<Xml_Values> out{disabled_empty, With(Output_Rule(), "Slave_ID", "21")};
    const Bank_Image image = Build_Fixed({}, &in, &out);
    QCOMPARE(U32(image.Bytes, Block + 0x048), 3u);
    QCOMPARE(image.Input_Rules, 2);
    QCOMPARE(image.Output_Rules, 1);
    QCOMPARE(int(quint8(image.Bytes[0 * 32 + 8])), 11);
    QCOMPARE(int(quint8(image.Bytes[1 * 32 + 8])), 14);
    QCOMPARE(int(quint8(image.Bytes[2 * 32 + 8])), 21);
    QCOMPARE(image.Bytes.mid(3 * 32, 16384 - 3 * 32).count('\0'), 16384 - 3 * 32);
}

void Tst_Bank_Fixed::full_tables_of_244_rules() {
    QList<Xml_Values> in;
    QList<Xml_Values> out;
    for (int i = 0; i < 244; ++i) {
        in.append(With(Input_Rule(), "Address_Mod", QString::number(i)));
        out.append(With(Output_Rule(), "Address_Mod", QString::number(1000 + i)));
    }
    const QByteArray image = Build_Fixed({}, &in, &out).Bytes;
    QCOMPARE(image.size(), 18432);
    QCOMPARE(U32(image, Block + 0x048), 488u);
    QCOMPARE(Field(image, 243 * 32 + 10, 2), 243u);
    QCOMPARE(Field(image, 244 * 32 + 10, 2), 1000u);
    QCOMPARE(Field(image, 487 * 32 + 10, 2), 1243u);
    QCOMPARE(int(quint8(image[487 * 32 + 9])), 16);
    QCOMPARE(image.mid(488 * 32, 24 * 32).count('\0'), 24 * 32);
}

void Tst_Bank_Fixed::more_than_512_enabled_rules_stop_the_build() {
    QList<Xml_Values> in;
    QList<Xml_Values> out;
    for (int i = 0; i < 300; ++i)
        in.append(Input_Rule());
    for (int i = 0; i < 212; ++i)
        out.append(Output_Rule());
    QCOMPARE(U32(Build_Fixed({}, &in, &out).Bytes, Block + 0x048), 512u); // exactly full
    out.append(With(Output_Rule(), "Enable", "N"));
    QCOMPARE(U32(Build_Fixed({}, &in, &out).Bytes, Block + 0x048), 512u); // a disabled one more
    out.append(Output_Rule());
    const QString message = Build_Error(in, out);
    QVERIFY2(message.contains("513 enabled rules") && message.contains("512") && message.contains("sdo.xml"),
             qPrintable(message));
}

// clang-format off
void Tst_Bank_Fixed::lenient_conversion_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected"); // -1: the build stops
    QTest::newRow("decimal") << "1234" << 1234;
    QTest::newRow("leading blanks") << "  1234" << 1234;
    QTest::newRow("trailing blank") << "1234 " << 1234;
    QTest::newRow("blanks both sides") << " 1234   " << 1234;
    QTest::newRow("hexadecimal $ with trailing blank") << "$1F " << 31;
    QTest::newRow("hexadecimal 0x") << "0x10" << 16;
    QTest::newRow("plus sign") << "+7" << 7;
    QTest::newRow("negative keeps its low bytes") << "-1" << 65535;
    QTest::newRow("fraction") << "1.5" << -1;
    QTest::newRow("thousands separator") << "1,000" << -1;
    QTest::newRow("true") << "true" << -1;
    QTest::newRow("trailing tab") << "12\t" << -1;
    QTest::newRow("blank inside") << "1 2" << -1;
    QTest::newRow("blanks only") << "   " << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("beyond 32 bits") << "4294967296" << -1;
    QTest::newRow("hexadecimal beyond the signed range") << "$FFFFFFFF " << -1;
}
// clang-format on

void Tst_Bank_Fixed::lenient_conversion() {
    QFETCH(QString, text);
    QFETCH(int, expected);
    const QList<Xml_Values> in{With(Input_Rule(), "Address_Mod", text)};
    const QList<Xml_Values> none;
    if (expected < 0) {
        const QString message = Build_Error(in, none);
        QVERIFY2(message.contains("Address_Mod \"" + text + "\" is not a number"), qPrintable(message));
    } else {
        QCOMPARE(Field(Build_Fixed({}, &in, &none).Bytes, 10, 2), quint32(expected));
    }
}

// clang-format off
void Tst_Bank_Fixed::mandatory_values_data() {
    QTest::addColumn<bool>("input");
    QTest::addColumn<QString>("attribute");
    QTest::addColumn<QString>("text"); // "-" removes the attribute
    QTest::addColumn<QString>("message"); // empty: the build succeeds
    QTest::newRow("in Slave_ID missing") << true << "Slave_ID" << "-" << "rule 2 of ProfiBUS_IN: the value Slave_ID is missing";
    QTest::newRow("in Slave_ID empty") << true << "Slave_ID" << "" << "rule 2 of ProfiBUS_IN: Slave_ID \"\" is not a number";
    QTest::newRow("in Type missing") << true << "Type" << "-" << "rule 2 of ProfiBUS_IN: the value Type is missing";
    QTest::newRow("in Address_Mod") << true << "Address_Mod" << "abc" << "rule 2 of ProfiBUS_IN: Address_Mod \"abc\"";
    QTest::newRow("in NPoint") << true << "NPoint" << "-" << "rule 2 of ProfiBUS_IN: the value NPoint is missing";
    QTest::newRow("in PollTime") << true << "PollTime" << "1.5" << "rule 2 of ProfiBUS_IN: PollTime \"1.5\"";
    QTest::newRow("in MaxError") << true << "MaxError" << "-" << "rule 2 of ProfiBUS_IN: the value MaxError is missing";
    QTest::newRow("in Address_Profi is not mandatory") << true << "Address_Profi" << "x" << "";
    QTest::newRow("in Bit is not mandatory") << true << "Bit" << "-" << "";
    QTest::newRow("in Swap is not mandatory") << true << "Swap" << "-" << "";
    QTest::newRow("out Address_Profi") << false << "Address_Profi" << "-" << "rule 2 of ProfiBUS_OUT: the value Address_Profi is missing";
    QTest::newRow("out Bit empty") << false << "Bit" << "" << "rule 2 of ProfiBUS_OUT: Bit \"\" is not a number";
    QTest::newRow("out OnChange") << false << "OnChange" << "-" << "rule 2 of ProfiBUS_OUT: the value OnChange is missing";
    QTest::newRow("out Type") << false << "Type" << "-" << "rule 2 of ProfiBUS_OUT: the value Type is missing";
    QTest::newRow("out ForceF15F16 is not mandatory") << false << "ForceF15F16" << "-" << "";
}
// clang-format on

void Tst_Bank_Fixed::mandatory_values() {
    QFETCH(bool, input);
    QFETCH(QString, attribute);
    QFETCH(QString, text);
    QFETCH(QString, message);
    const Xml_Values good = input ? Input_Rule() : Output_Rule();
    const Xml_Values bad = text == "-" ? Without(good, attribute) : With(good, attribute, text);
    const QList<Xml_Values> list{good, bad};
    const QList<Xml_Values> none;
    const QString error = input ? Build_Error(list, none) : Build_Error(none, list);
    if (message.isEmpty()) {
        QCOMPARE(error, QString());
    } else {
        QVERIFY2(error.contains(message), qPrintable(error));
        QVERIFY2(error.contains("sdo.xml"), qPrintable(error));
    }
}

// clang-format off
void Tst_Bank_Fixed::rules_document_needs_both_lists_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::newRow("no ProfiBUS_OUT") << QByteArray("<Serial_to_ProfiBus><ProfiBUS_IN/></Serial_to_ProfiBus>")
                                     << "has no ProfiBUS_OUT list";
    QTest::newRow("no ProfiBUS_IN") << QByteArray("<Serial_to_ProfiBus><ProfiBUS_OUT/></Serial_to_ProfiBus>")
                                    << "has no ProfiBUS_IN list";
    QTest::newRow("lists in wrong case") << QByteArray("<Serial_to_ProfiBus><Profibus_IN/><ProfiBUS_OUT/></Serial_to_ProfiBus>")
                                         << "has no ProfiBUS_IN list";
    QTest::newRow("a comment first: the comment is the container")
        << QByteArray("<!--x--><Serial_to_ProfiBus><ProfiBUS_IN/><ProfiBUS_OUT/></Serial_to_ProfiBus>")
        << "has no ProfiBUS_IN list in its first node \"#comment\"";
    QTest::newRow("not well-formed") << QByteArray("<Serial_to_ProfiBus><ProfiBUS_IN>") << "is not a well-formed XML document";
}
// clang-format on

void Tst_Bank_Fixed::rules_document_needs_both_lists() {
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString conf = Make_Conf_Dir(dir.path());
    Write_All(conf + "/ParGen.xml", Par_Gen_Xml({{"Hardware_Type", "1"}}));
    Write_All(conf + "/sdo.xml", content);
    try {
        Build_Bank(conf);
        QFAIL("the build did not stop");
    } catch (const Kc_Error& error) {
        QVERIFY2(error.Message().contains(message) && error.Message().contains("sdo.xml"),
                 qPrintable(error.Message()));
    }
}

QTEST_GUILESS_MAIN(Tst_Bank_Fixed)
#include "tst_bank_fixed.moc"
