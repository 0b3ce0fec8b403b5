// The packed layout (every hardware type but 1), field by field.
#include "bank_test_support.h"
#include "base/kc_error.h"
#include "output/bank_build.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// Values for the twelve mandatory bytes of the general section.
Xml_Values Mandatory_General() {
    return {{"Hardware_Type", "0"}, {"Ser_Type", "0"},      {"Ser_Baud", "7"},      {"Ser_Par", "0"},
            {"Ser_TO", "1000"},     {"Ser_CD", "100"},      {"Ser_Prot", "0"},      {"Profi_ID", "1"},
            {"Profi_Baud", "10"},   {"Profi_NB_IN", "244"}, {"Profi_NB_OUT", "244"}};
}

struct Conf {
    QTemporaryDir dir;
    QString path = Make_Conf_Dir(dir.path());
};

// Builds from the given documents; a null pointer leaves that document out.
Bank_Image Build(const Xml_Values* general, const QList<Xml_Values>* in = nullptr,
                 const QList<Xml_Values>* out = nullptr, const QStringList* ids = nullptr) {
    Conf conf;
    if (general)
        Write_All(conf.path + "/ParGen.xml", Par_Gen_Xml(*general));
    if (in || out)
        Write_All(conf.path + "/sdo.xml",
                  Sdo_Xml(in ? *in : QList<Xml_Values>{}, out ? *out : QList<Xml_Values>{}));
    if (ids)
        Write_All(conf.path + "/diagnosis.xml", Diagnosis_Xml(*ids));
    return Build_Bank(conf.path);
}

QString Build_Error(const Xml_Values* general, const QList<Xml_Values>* in = nullptr,
                    const QList<Xml_Values>* out = nullptr, const QStringList* ids = nullptr) {
    try {
        Build(general, in, out, ids);
    } catch (const Kc_Error& error) {
        return error.Message();
    }
    return {};
}

// Field of the general section, which ends the image.
quint32 General_Field(const QByteArray& image, int offset, int size) {
    const int at = int(image.size()) - 33 + offset;
    return size == 1 ? quint8(image[at]) : quint32(quint8(image[at]) | quint8(image[at + 1]) << 8);
}

} // namespace

class Tst_Bank_Packed : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void hardware_type_chooses_the_layout_data();
    void hardware_type_chooses_the_layout();
    void general_section_data();
    void general_section();
    void general_section_mandatory_bytes_data();
    void general_section_mandatory_bytes();
    void input_type_codes_data();
    void input_type_codes();
    void output_type_codes_data();
    void output_type_codes();
    void rule_values_are_mandatory_data();
    void rule_values_are_mandatory();
    void disabled_rule_with_missing_values_stops_the_build();
    void element_holding_elements_has_no_value();
    void diagnosis_list_and_bitmap_data();
    void diagnosis_list_and_bitmap();
    void diagnosis_entries_are_mandatory();
    void image_larger_than_the_buffer_stops_the_build();
};

// clang-format off
void Tst_Bank_Packed::hardware_type_chooses_the_layout_data() {
    QTest::addColumn<QString>("text"); // "-": no element
    QTest::addColumn<bool>("fixed");
    QTest::newRow("1") << "1" << true;
    QTest::newRow("leading blank") << " 1" << true;
    QTest::newRow("hexadecimal") << "$1" << true;
    QTest::newRow("0") << "0" << false;
    QTest::newRow("2") << "2" << false;
    QTest::newRow("abc") << "abc" << false;
    QTest::newRow("trailing blank") << "1 " << false;
    QTest::newRow("missing") << "-" << false;
}
// clang-format on

void Tst_Bank_Packed::hardware_type_chooses_the_layout() {
    QFETCH(QString, text);
    QFETCH(bool, fixed);
    const Xml_Values general = text == "-" ? Without(Mandatory_General(), "Hardware_Type")
                                           : With(Mandatory_General(), "Hardware_Type", text);
    const Bank_Image image = Build(&general);
    QCOMPARE(image.Layout, fixed ? Bank_Layout::Fixed : Bank_Layout::Packed);
    QCOMPARE(image.Bytes.size(), fixed ? 18432 : 81);
}

// clang-format off
void Tst_Bank_Packed::general_section_data() {
    QTest::addColumn<Xml_Values>("values");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("expected");
    QTest::newRow("ASCII framing with 7 data bits: byte 7")
        << Xml_Values{{"Ser_Prot", "4"}, {"Ser_DataBits", "0"}} << 7 << 1 << 1;
    QTest::newRow("ASCII framing with 7 data bits: byte 29")
        << Xml_Values{{"Ser_Prot", "4"}, {"Ser_DataBits", "0"}} << 29 << 1 << 7;
    QTest::newRow("Modbus ASCII, 8 data bits") << Xml_Values{{"Ser_Prot", "1"}, {"Ser_DataBits", "1"}} << 29 << 1 << 8;
    QTest::newRow("Modbus ASCII, data bits missing") << Xml_Values{{"Ser_Prot", "1"}} << 29 << 1 << 8;
    QTest::newRow("Modbus ASCII, data bits no number")
        << Xml_Values{{"Ser_Prot", "1"}, {"Ser_DataBits", "abc"}} << 29 << 1 << 8;
    QTest::newRow("RTU with data bits 0: 8") << Xml_Values{{"Ser_Prot", "0"}, {"Ser_DataBits", "0"}} << 29 << 1 << 8;
    QTest::newRow("RTU: no ASCII framing") << Xml_Values{{"Ser_Prot", "0"}} << 7 << 1 << 0;
    QTest::newRow("JBUS: no ASCII framing") << Xml_Values{{"Ser_Prot", "2"}} << 7 << 1 << 0;
    QTest::newRow("binary: no ASCII framing") << Xml_Values{{"Ser_Prot", "3"}} << 7 << 1 << 0;
    QTest::newRow("unknown protocol 7: no ASCII framing") << Xml_Values{{"Ser_Prot", "7"}} << 7 << 1 << 0;
    QTest::newRow("RS485") << Xml_Values{{"Ser_Type", "1"}} << 6 << 1 << 0;
    QTest::newRow("RS232") << Xml_Values{{"Ser_Type", "0"}} << 6 << 1 << 1;
    QTest::newRow("serial line 2 counts as RS232") << Xml_Values{{"Ser_Type", "2"}} << 6 << 1 << 1;
    QTest::newRow("parity index as stored") << Xml_Values{{"Ser_Par", "1"}} << 1 << 1 << 1;
    QTest::newRow("time-out keeps 16 bits") << Xml_Values{{"Ser_TO", "70000"}} << 2 << 2 << 4464;
    QTest::newRow("PROFIBUS baud as stored") << Xml_Values{{"Profi_Baud", "3"}} << 9 << 1 << 3;
    QTest::newRow("input bytes 300 keep the low byte") << Xml_Values{{"Profi_NB_IN", "300"}} << 10 << 1 << 44;
    QTest::newRow("write mode default") << Xml_Values{} << 16 << 1 << 0;
    QTest::newRow("write mode") << Xml_Values{{"Ser_Write_Mode", "1"}} << 16 << 1 << 1;
    QTest::newRow("error flag takes the number") << Xml_Values{{"Profi_Enable_Error", "5"}} << 17 << 1 << 5;
    QTest::newRow("error flag true: default") << Xml_Values{{"Profi_Enable_Error", "true"}} << 17 << 1 << 0;
    QTest::newRow("consecutive errors default 3") << Xml_Values{} << 18 << 1 << 3;
    QTest::newRow("consecutive errors no number: 3") << Xml_Values{{"Profi_Num_Cont_Err", "x"}} << 18 << 1 << 3;
    QTest::newRow("diagnosis flag") << Xml_Values{{"Profi_Enable_Diagnosis", "1"}} << 19 << 1 << 1;
    QTest::newRow("cancel data flag") << Xml_Values{{"Profi_Enable_Cancel_Data", "1"}} << 20 << 1 << 1;
    QTest::newRow("diagnosis zero flag") << Xml_Values{{"Profi_Diagnosis_Zero", "1"}} << 22 << 1 << 1;
    QTest::newRow("stop bits index as stored") << Xml_Values{{"Ser_StopBits", "1"}} << 23 << 1 << 1;
    QTest::newRow("async requests flag") << Xml_Values{{"Profi_Enable_Async_Mod_Req", "1"}} << 24 << 1 << 1;
    QTest::newRow("special pair: in")
        << Xml_Values{{"Profi_Async_Req_Start_IN", "31862"}, {"Profi_Async_Req_Start_OUT", "40571"}} << 25 << 1 << 254;
    QTest::newRow("special pair: out")
        << Xml_Values{{"Profi_Async_Req_Start_IN", "31862"}, {"Profi_Async_Req_Start_OUT", "40571"}} << 26 << 1 << 254;
    QTest::newRow("special pair written in hexadecimal")
        << Xml_Values{{"Profi_Async_Req_Start_IN", "$7C76"}, {"Profi_Async_Req_Start_OUT", "40571"}} << 25 << 1 << 254;
    QTest::newRow("half the pair: low byte")
        << Xml_Values{{"Profi_Async_Req_Start_IN", "31862"}, {"Profi_Async_Req_Start_OUT", "0"}} << 25 << 1 << 0x76;
    QTest::newRow("other pair: low bytes in")
        << Xml_Values{{"Profi_Async_Req_Start_IN", "300"}, {"Profi_Async_Req_Start_OUT", "300"}} << 25 << 1 << 44;
    QTest::newRow("other pair: low bytes out")
        << Xml_Values{{"Profi_Async_Req_Start_IN", "300"}, {"Profi_Async_Req_Start_OUT", "300"}} << 26 << 1 << 44;
    QTest::newRow("delete on PROFIBUS error") << Xml_Values{{"Del_Modbus_on_PROFI_error", "1"}} << 27 << 1 << 1;
    QTest::newRow("PROFIBUS active only for 1") << Xml_Values{{"Ser_Enable_Modbus_PROFIBUS_Active", "1"}} << 28 << 1 << 1;
    QTest::newRow("PROFIBUS active 5 is off") << Xml_Values{{"Ser_Enable_Modbus_PROFIBUS_Active", "5"}} << 28 << 1 << 0;
    QTest::newRow("copy array only for 1") << Xml_Values{{"Profi_Diagnosis_Copy_Array", "1"}} << 30 << 1 << 1;
    QTest::newRow("copy position default 100") << Xml_Values{} << 31 << 2 << 100;
    QTest::newRow("copy position keeps 16 bits") << Xml_Values{{"Profi_Diagnosis_Copy_Array_Position", "70000"}}
                                                 << 31 << 2 << 4464;
}
// clang-format on

void Tst_Bank_Packed::general_section() {
    QFETCH(Xml_Values, values);
    QFETCH(int, offset);
    QFETCH(int, size);
    QFETCH(int, expected);
    Xml_Values general = Mandatory_General();
    for (const auto& [name, value] : values)
        general = With(general, name, value);
    const QByteArray image = Build(&general).Bytes;
    QCOMPARE(image.size(), 81);
    QCOMPARE(General_Field(image, offset, size), quint32(expected));
}

// clang-format off
void Tst_Bank_Packed::general_section_mandatory_bytes_data() {
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("text"); // "-": no element
    QTest::addColumn<QString>("message");
    const QStringList mandatory{"Ser_Baud", "Ser_Par",  "Ser_TO",     "Ser_CD",      "Ser_Type",    "Ser_Prot",
                                "Profi_ID", "Profi_Baud", "Profi_NB_IN", "Profi_NB_OUT"};
    for (const QString& element : mandatory) {
        QTest::addRow("%s missing", qPrintable(element))
            << element << "-" << "element " + element + ": the value is missing";
        QTest::addRow("%s no number", qPrintable(element))
            << element << "12 " << "element " + element + ": \"12 \" is not a number";
    }
    QTest::newRow("element in other letter case is missing")
        << "Ser_TO" << "ser_to" << "element Ser_TO: the value is missing";
}
// clang-format on

void Tst_Bank_Packed::general_section_mandatory_bytes() {
    QFETCH(QString, element);
    QFETCH(QString, text);
    QFETCH(QString, message);
    Xml_Values general = Without(Mandatory_General(), element);
    if (text == "ser_to")
        general.append(QPair<QString, QString>("ser_to", "1000"));
    else if (text != "-")
        general.append(QPair<QString, QString>(element, text));
    const QString error = Build_Error(&general);
    QVERIFY2(error.contains(message) && error.contains("ParGen.xml"), qPrintable(error));
}

// clang-format off
void Tst_Bank_Packed::input_type_codes_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("code");
    QTest::newRow("coil") << "Coil Status" << 1;
    QTest::newRow("input status upper case") << "INPUT STATUS" << 2;
    QTest::newRow("holding lower case") << "holding register" << 3;
    QTest::newRow("input register") << "Input Register" << 4;
    QTest::newRow("other text") << "Register" << 3;
    QTest::newRow("empty text") << "" << 3;
}
// clang-format on

void Tst_Bank_Packed::input_type_codes() {
    QFETCH(QString, type);
    const QList<Xml_Values> in{With(Input_Rule(), "Type", type)};
    const QByteArray image = Build(nullptr, &in).Bytes;
    QTEST(int(quint8(image[16 + 1])), "code");
}

// clang-format off
void Tst_Bank_Packed::output_type_codes_data() {
    QTest::addColumn<QString>("type"); // "-": no attribute
    QTest::addColumn<QString>("points");
    QTest::addColumn<QString>("force"); // "-": no attribute
    QTest::addColumn<int>("code");      // -1: the build stops
    QTest::newRow("coil, 1 point") << "Coil Status" << "1" << "N" << 0x01;
    QTest::newRow("coil, 1 point, forced") << "Coil Status" << "1" << "Y" << 0x81;
    QTest::newRow("holding, 1 point, forced lower case") << "Holding Register" << "1" << "y" << 0x83;
    QTest::newRow("holding, 257 points: low byte 1, forced") << "Holding Register" << "257" << "Y" << 0x83;
    QTest::newRow("coil, 8 points: force not read") << "Coil Status" << "8" << "Y" << 0x01;
    QTest::newRow("coil, 8 points, no force attribute") << "Coil Status" << "8" << "-" << 0x01;
    QTest::newRow("input status: 3") << "Input Status" << "1" << "N" << 0x03;
    QTest::newRow("type missing: 3") << "-" << "2" << "N" << 0x03;
    QTest::newRow("1 point without force attribute stops") << "Coil Status" << "1" << "-" << -1;
}
// clang-format on

void Tst_Bank_Packed::output_type_codes() {
    QFETCH(QString, type);
    QFETCH(QString, points);
    QFETCH(QString, force);
    QFETCH(int, code);
    Xml_Values rule = With(Output_Rule(), "NPoint", points);
    rule = type == "-" ? Without(rule, "Type") : With(rule, "Type", type);
    rule = force == "-" ? Without(rule, "ForceF15F16") : With(rule, "ForceF15F16", force);
    const QList<Xml_Values> none;
    const QList<Xml_Values> out{rule};
    if (code < 0) {
        const QString error = Build_Error(nullptr, &none, &out);
        QVERIFY2(error.contains("rule 1 of ProfiBUS_OUT: the value ForceF15F16 is missing"),
                 qPrintable(error));
        return;
    }
    const QByteArray image = Build(nullptr, &none, &out).Bytes;
    QCOMPARE(int(quint8(image[16 + 5])), code);
    QCOMPARE(int(quint8(image[16 + 3])), points.toInt() & 0xFF);
}

// clang-format off
void Tst_Bank_Packed::rule_values_are_mandatory_data() {
    QTest::addColumn<bool>("input");
    QTest::addColumn<QString>("attribute");
    QTest::addColumn<QString>("text"); // "-": no attribute
    QTest::addColumn<QString>("message"); // empty: the build succeeds
    for (const QString attribute : {"Slave_ID", "Address_Mod", "NPoint", "Address_Profi"}) {
        QTest::addRow("in %s missing", qPrintable(attribute))
            << true << attribute << "-" << "rule 2 of ProfiBUS_IN: the value " + attribute + " is missing";
        QTest::addRow("out %s no number", qPrintable(attribute))
            << false << attribute << "x" << "rule 2 of ProfiBUS_OUT: " + attribute + " \"x\" is not a number";
    }
    QTest::newRow("in Type missing") << true << "Type" << "-" << "rule 2 of ProfiBUS_IN: the value Type is missing";
    QTest::newRow("trailing blank is no number here") << true << "Slave_ID" << "12 "
                                                      << "rule 2 of ProfiBUS_IN: Slave_ID \"12 \" is not a number";
    QTest::newRow("in PollTime is not carried") << true << "PollTime" << "-" << "";
    QTest::newRow("in MaxError is not carried") << true << "MaxError" << "x" << "";
    QTest::newRow("out OnChange is not carried") << false << "OnChange" << "-" << "";
    QTest::newRow("out Bit is not carried") << false << "Bit" << "x" << "";
    QTest::newRow("disabled rule is compiled all the same")
        << true << "Enable" << "N" << "";
}
// clang-format on

void Tst_Bank_Packed::rule_values_are_mandatory() {
    QFETCH(bool, input);
    QFETCH(QString, attribute);
    QFETCH(QString, text);
    QFETCH(QString, message);
    const Xml_Values good = input ? Input_Rule() : Output_Rule();
    const Xml_Values bad = text == "-" ? Without(good, attribute) : With(good, attribute, text);
    const QList<Xml_Values> list{good, bad};
    const QList<Xml_Values> none;
    const QString error = input ? Build_Error(nullptr, &list, &none) : Build_Error(nullptr, &none, &list);
    if (message.isEmpty())
        QCOMPARE(error, QString());
    else
        QVERIFY2(error.contains(message) && error.contains("sdo.xml"), qPrintable(error));
}

void Tst_Bank_Packed::disabled_rule_with_missing_values_stops_the_build() {
    // The fixed layout passes over such a rule; here every rule is compiled.
    const QList<Xml_Values> in{Input_Rule(), {{"Enable", "N"}}};
    const QList<Xml_Values> none;
    const QString error = Build_Error(nullptr, &in, &none);
    QVERIFY2(error.contains("rule 2 of ProfiBUS_IN: the value Slave_ID is missing"), qPrintable(error));
}

void Tst_Bank_Packed::element_holding_elements_has_no_value() {
    Conf conf;
    QByteArray pargen = Par_Gen_Xml(Mandatory_General());
    pargen.replace("<Ser_TO>1000</Ser_TO>", "<Ser_TO><ms>1000</ms></Ser_TO>");
    Write_All(conf.path + "/ParGen.xml", pargen);
    try {
        Build_Bank(conf.path);
        QFAIL("the build did not stop");
    } catch (const Kc_Error& error) {
        QVERIFY2(error.Message().contains("element Ser_TO: the value is not plain text"),
                 qPrintable(error.Message()));
    }
}

// clang-format off
void Tst_Bank_Packed::diagnosis_list_and_bitmap_data() {
    QTest::addColumn<QStringList>("ids");
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QByteArray>("bitmap_start"); // the rest of the 32 bytes is zero
    QTest::newRow("1, 2, 9") << QStringList{"1", "2", "9"} << QByteArray("\x01\x02\x09", 3) << QByteArray("\x06\x02", 2);
    QTest::newRow("duplicates") << QStringList{"3", "3"} << QByteArray("\x03\x03", 2) << QByteArray("\x08", 1);
    QTest::newRow("256 is 0, modulo 256") << QStringList{"256"} << QByteArray("\x00", 1) << QByteArray("\x01", 1);
    QTest::newRow("hexadecimal and a leading blank") << QStringList{"$10", " 17"} << QByteArray("\x10\x11", 2)
                                                     << QByteArray("\x00\x00\x03", 3);
    QTest::newRow("none") << QStringList{} << QByteArray() << QByteArray();
}
// clang-format on

void Tst_Bank_Packed::diagnosis_list_and_bitmap() {
    QFETCH(QStringList, ids);
    QFETCH(QByteArray, list);
    QFETCH(QByteArray, bitmap_start);
    const Xml_Values general = Mandatory_General();
    const QByteArray image = Build(&general, nullptr, nullptr, &ids).Bytes;
    QCOMPARE(image.size(), 16 + list.size() + 32 + 33);
    QCOMPARE(image.mid(16, list.size()), list);
    QCOMPARE(image.mid(16 + list.size(), 32), bitmap_start + QByteArray(32 - bitmap_start.size(), '\0'));
    QCOMPARE(General_Field(image, 21, 1), quint32(ids.size()));
}

void Tst_Bank_Packed::diagnosis_entries_are_mandatory() {
    const QStringList ids{"1", "12 ", "3"};
    const QString error = Build_Error(nullptr, nullptr, nullptr, &ids);
    QVERIFY2(error.contains("diagnosis.xml") &&
                 error.contains("entry 2 of the diagnosis list: \"12 \" is not a number"),
             qPrintable(error));
}

void Tst_Bank_Packed::image_larger_than_the_buffer_stops_the_build() {
    // 16 + 7 × 18713 + 32 + 33 = 131072 bytes: exactly the buffer.
    const Xml_Values general = Mandatory_General();
    const Xml_Values rule{{"Slave_ID", "1"},
                          {"Type", "Coil Status"},
                          {"Address_Mod", "0"},
                          {"NPoint", "8"},
                          {"Address_Profi", "0"}};
    QList<Xml_Values> in(18713, rule);
    const QList<Xml_Values> none;
    QCOMPARE(Build(&general, &in, &none).Bytes.size(), 131072);
    in.append(rule);
    const QString error = Build_Error(&general, &in, &none);
    QVERIFY2(error.contains("131079 bytes") && error.contains("131072"), qPrintable(error));
}

QTEST_GUILESS_MAIN(Tst_Bank_Packed)
#include "tst_bank_packed.moc"
