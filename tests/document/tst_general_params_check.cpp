#include "base/text_table.h"
#include "document/general_params_check.h"

#include <QHash>
#include <QTest>
#include <climits>
#include <variant>

namespace {

using Field = std::variant<int General_Params::*, bool General_Params::*, QString General_Params::*>;

// The fields the cases change, by element name.
const QHash<QString, Field>& Fields() {
    static const QHash<QString, Field> fields = {
        {"Hardware_Type", &General_Params::Hardware_Type},
        {"Ser_TO", &General_Params::Ser_TO},
        {"Ser_CD", &General_Params::Ser_CD},
        {"Profi_ID", &General_Params::Profi_ID},
        {"Profi_NB_IN", &General_Params::Profi_NB_IN},
        {"Profi_NB_OUT", &General_Params::Profi_NB_OUT},
        {"Profi_Enable_Error", &General_Params::Profi_Enable_Error},
        {"Profi_Num_Cont_Err", &General_Params::Profi_Num_Cont_Err},
        {"Profi_Enable_Diagnosis", &General_Params::Profi_Enable_Diagnosis},
        {"Profi_Diagnosis_Copy_Array", &General_Params::Profi_Diagnosis_Copy_Array},
        {"Profi_Diagnosis_Copy_Array_Position", &General_Params::Profi_Diagnosis_Copy_Array_Position},
        {"Profi_Enable_Async_Mod_Req", &General_Params::Profi_Enable_Async_Mod_Req},
        {"Profi_Async_Req_Start_IN", &General_Params::Profi_Async_Req_Start_IN},
        {"Profi_Async_Req_Start_OUT", &General_Params::Profi_Async_Req_Start_OUT},
        {"Profi_Enable_Error_Address", &General_Params::Profi_Enable_Error_Address},
        {"Ethernet_IP1", &General_Params::Ethernet_IP1},
        {"Ethernet_IP3", &General_Params::Ethernet_IP3},
        {"Ethernet_IP4", &General_Params::Ethernet_IP4},
        {"Ethernet_SM1", &General_Params::Ethernet_SM1},
        {"Ethernet_SM2", &General_Params::Ethernet_SM2},
        {"Ethernet_SM4", &General_Params::Ethernet_SM4},
        {"Ethernet_GAT1", &General_Params::Ethernet_GAT1},
        {"Ethernet_GAT3", &General_Params::Ethernet_GAT3},
        {"Ethernet_GAT4", &General_Params::Ethernet_GAT4},
        {"Ethernet_EN_GAT", &General_Params::Ethernet_EN_GAT},
    };
    return fields;
}

// Applies changes written "Element=value" to the defaults; flags take 1/0.
General_Params With(const QStringList& changes) {
    General_Params params;
    for (const QString& change : changes) {
        const qsizetype eq = change.indexOf('=');
        const QString name = change.left(eq);
        const QString value = change.mid(eq + 1);
        if (!Fields().contains(name))
            qFatal("unknown field %s", qPrintable(name));
        std::visit(
            [&](auto member) {
                using T = std::remove_reference_t<decltype(params.*member)>;
                if constexpr (std::is_same_v<T, int>)
                    params.*member = value.toInt();
                else if constexpr (std::is_same_v<T, bool>)
                    params.*member = value == "1";
                else
                    params.*member = value;
            },
            Fields().value(name));
    }
    return params;
}

constexpr int No_Bound = INT_MIN;

} // namespace

class Tst_General_Params_Check : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void check_data();
    void check();
    void message_appends_bound_data();
    void message_appends_bound();
};

void Tst_General_Params_Check::check_data() {
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<int>("text");  // 0: passes
    QTest::addColumn<int>("bound"); // No_Bound: the message has none

    auto pass = [](const char* name, const QStringList& changes) {
        QTest::newRow(name) << changes << 0 << No_Bound;
    };
    auto fail = [](const char* name, const QStringList& changes, int text, int bound = No_Bound) {
        QTest::newRow(name) << changes << text << bound;
    };

    pass("defaults", {});

    // 1, 2: Modbus timing, 0 to 60000.
    pass("timeout 0", {"Ser_TO=0"});
    pass("timeout 60000", {"Ser_TO=60000"});
    pass("timeout hexadecimal 60000", {"Ser_TO=$EA60"});
    pass("timeout leading blanks", {"Ser_TO=  500"});
    fail("timeout 60001", {"Ser_TO=60001"}, 474);
    fail("timeout -1", {"Ser_TO=-1"}, 474);
    fail("timeout empty", {"Ser_TO="}, 474);
    fail("timeout trailing blank", {"Ser_TO=500 "}, 474);
    fail("timeout not a number", {"Ser_TO=1s"}, 474);
    pass("cyclic delay 60000", {"Ser_CD=60000"});
    fail("cyclic delay 60001", {"Ser_CD=60001"}, 475);
    fail("cyclic delay empty", {"Ser_CD="}, 475);

    // 3 to 5: station address and byte counts.
    pass("id 1", {"Profi_ID=1"});
    pass("id 125", {"Profi_ID=125"});
    fail("id 0", {"Profi_ID=0"}, 476);
    fail("id 126", {"Profi_ID=126"}, 476);
    fail("id empty", {"Profi_ID="}, 476);
    pass("id hexadecimal", {"Profi_ID=$7D"});
    fail("id hexadecimal beyond 32 bits does not wrap to 1", {"Profi_ID=-$FFFFFFFF"}, 476);
    pass("nb in 0", {"Profi_NB_IN=0"});
    fail("nb in 245", {"Profi_NB_IN=245"}, 477);
    fail("nb in empty", {"Profi_NB_IN="}, 477);
    pass("nb out 0", {"Profi_NB_OUT=0"});
    fail("nb out 245", {"Profi_NB_OUT=245"}, 478);

    // 6: without Ethernet and with error reporting on.
    const QStringList err0 = {"Hardware_Type=0", "Profi_Enable_Error=1"};
    pass("error count 1", err0 + QStringList{"Profi_Num_Cont_Err=1"});
    pass("error count 250", err0 + QStringList{"Profi_Num_Cont_Err=250"});
    fail("error count 0", err0 + QStringList{"Profi_Num_Cont_Err=0"}, 479);
    fail("error count 251", err0 + QStringList{"Profi_Num_Cont_Err=251"}, 479);
    fail("error count empty", err0 + QStringList{"Profi_Num_Cont_Err="}, 479);
    pass("error count unchecked with reporting off", {"Profi_Num_Cont_Err=0"});
    pass("error count unchecked with Ethernet",
         {"Hardware_Type=1", "Profi_Enable_Error=1", "Profi_Num_Cont_Err=0"});
    const QStringList copy = err0 + QStringList{"Profi_Diagnosis_Copy_Array=1"};
    pass("copy position 0", copy + QStringList{"Profi_Diagnosis_Copy_Array_Position=0"});
    pass("copy position 236", copy + QStringList{"Profi_Diagnosis_Copy_Array_Position=236"});
    fail("copy position 237", copy + QStringList{"Profi_Diagnosis_Copy_Array_Position=237"}, 503, 236);
    fail("copy position -1", copy + QStringList{"Profi_Diagnosis_Copy_Array_Position=-1"}, 503, 236);
    fail("copy position empty", copy + QStringList{"Profi_Diagnosis_Copy_Array_Position="}, 503, 236);
    fail("copy with 4 input bytes rejects 0",
         copy + QStringList{"Profi_NB_IN=4", "Profi_Diagnosis_Copy_Array_Position=0"}, 503, -4);
    pass("copy position unchecked with copying off",
         err0 + QStringList{"Profi_Diagnosis_Copy_Array_Position=999"});
    pass("copy position unchecked with reporting off",
         {"Profi_Diagnosis_Copy_Array=1", "Profi_Diagnosis_Copy_Array_Position=999"});
    pass("copy position unchecked with Ethernet",
         {"Hardware_Type=1", "Profi_Enable_Error=1", "Profi_Diagnosis_Copy_Array=1",
          "Profi_Diagnosis_Copy_Array_Position=999"});

    // 7: any hardware state but 0, reporting on, PROFIBUS diagnosis off.
    const QStringList addr = {"Hardware_Type=1", "Profi_Enable_Error=1", "Profi_NB_IN=10"};
    pass("diagnosis address 9", addr + QStringList{"Profi_Enable_Error_Address=9"});
    fail("diagnosis address 10", addr + QStringList{"Profi_Enable_Error_Address=10"}, 495, 9);
    fail("diagnosis address empty", addr + QStringList{"Profi_Enable_Error_Address="}, 495, 9);
    fail("diagnosis address with no input bytes",
         {"Hardware_Type=1", "Profi_Enable_Error=1", "Profi_NB_IN=0"}, 495, -1);
    fail("diagnosis address with hardware outside the list",
         {"Hardware_Type=5", "Profi_Enable_Error=1", "Profi_NB_IN=10", "Profi_Enable_Error_Address=10"}, 495,
         9);
    pass("diagnosis address unchecked with PROFIBUS diagnosis on",
         addr + QStringList{"Profi_Enable_Diagnosis=1", "Profi_Enable_Error_Address=10"});
    pass("diagnosis address unchecked with reporting off",
         {"Hardware_Type=1", "Profi_NB_IN=10", "Profi_Enable_Error_Address=10"});
    pass("diagnosis address unchecked without Ethernet",
         {"Profi_Enable_Error=1", "Profi_NB_IN=10", "Profi_Enable_Error_Address=10"});

    // 8: asynchronous requests.
    const QStringList async = {"Profi_Enable_Async_Mod_Req=1", "Profi_NB_IN=10", "Profi_NB_OUT=20"};
    pass("async in 6 out 12",
         async + QStringList{"Profi_Async_Req_Start_IN=6", "Profi_Async_Req_Start_OUT=12"});
    fail("async in 7", async + QStringList{"Profi_Async_Req_Start_IN=7", "Profi_Async_Req_Start_OUT=12"}, 480,
         6);
    fail("async in -1", async + QStringList{"Profi_Async_Req_Start_IN=-1"}, 480, 6);
    fail("async in empty", async + QStringList{"Profi_Async_Req_Start_IN="}, 480, 6);
    fail("async out 13", async + QStringList{"Profi_Async_Req_Start_IN=6", "Profi_Async_Req_Start_OUT=13"},
         481, 12);
    fail("async out empty", async + QStringList{"Profi_Async_Req_Start_OUT="}, 481, 12);
    fail("async in and out wrong: in first",
         async + QStringList{"Profi_Async_Req_Start_IN=7", "Profi_Async_Req_Start_OUT=13"}, 480, 6);
    fail("async in near the integer limit", async + QStringList{"Profi_Async_Req_Start_IN=2147483647"}, 480,
         6);
    fail("async with 2 input bytes", {"Profi_Enable_Async_Mod_Req=1", "Profi_NB_IN=2"}, 480, -2);
    fail("async with no output bytes", {"Profi_Enable_Async_Mod_Req=1", "Profi_NB_OUT=0"}, 481, -8);
    pass("special pair", {"Profi_Enable_Async_Mod_Req=1", "Profi_NB_IN=0", "Profi_NB_OUT=0",
                          "Profi_Async_Req_Start_IN=31862", "Profi_Async_Req_Start_OUT=40571"});
    pass("special pair in hexadecimal", {"Profi_Enable_Async_Mod_Req=1", "Profi_Async_Req_Start_IN=$7C76",
                                         "Profi_Async_Req_Start_OUT=0x9E7B"});
    fail("special in alone",
         async + QStringList{"Profi_Async_Req_Start_IN=31862", "Profi_Async_Req_Start_OUT=0"}, 480, 6);
    fail("special out alone",
         async + QStringList{"Profi_Async_Req_Start_IN=0", "Profi_Async_Req_Start_OUT=40571"}, 481, 12);
    pass("async unchecked when off", {"Profi_Async_Req_Start_IN=999", "Profi_Async_Req_Start_OUT=-5"});

    // 9 to 11: Ethernet addresses, for both variants.
    pass("octets 0 and 255", {"Ethernet_IP1=0", "Ethernet_SM1=255"});
    fail("ip 1 256", {"Ethernet_IP1=256"}, 482);
    fail("ip 3 without Ethernet", {"Hardware_Type=0", "Ethernet_IP3=300"}, 484);
    fail("ip 4 empty", {"Ethernet_IP4="}, 485);
    fail("mask 2 256", {"Ethernet_SM2=256"}, 487);
    fail("mask 4 -1", {"Ethernet_SM4=-1"}, 489);
    pass("gateway unchecked when off", {"Ethernet_GAT1=999", "Ethernet_GAT4="});
    pass("gateway 255 when on", {"Ethernet_EN_GAT=1", "Ethernet_GAT3=255"});
    fail("gateway 1 when on", {"Ethernet_EN_GAT=1", "Ethernet_GAT1=999"}, 490);
    fail("gateway 4 empty when on", {"Ethernet_EN_GAT=1", "Ethernet_GAT4="}, 493);

    // The order of the steps: the earlier failure wins.
    fail("timeout before cyclic delay", {"Ser_TO=-1", "Ser_CD=-1"}, 474);
    fail("cyclic delay before id", {"Ser_CD=-1", "Profi_ID=0"}, 475);
    fail("id before byte counts", {"Profi_ID=0", "Profi_NB_IN=999", "Profi_NB_OUT=999"}, 476);
    fail("nb in before nb out", {"Profi_NB_IN=999", "Profi_NB_OUT=999"}, 477);
    fail("nb out before error count", err0 + QStringList{"Profi_NB_OUT=999", "Profi_Num_Cont_Err=0"}, 478);
    fail("error count before copy position",
         copy + QStringList{"Profi_Num_Cont_Err=0", "Profi_Diagnosis_Copy_Array_Position=999"}, 479);
    fail("copy position before async",
         copy + QStringList{"Profi_Diagnosis_Copy_Array_Position=999", "Profi_Enable_Async_Mod_Req=1",
                            "Profi_Async_Req_Start_IN=999"},
         503, 236);
    fail("diagnosis address before async",
         addr + QStringList{"Profi_Enable_Error_Address=10", "Profi_Enable_Async_Mod_Req=1",
                            "Profi_Async_Req_Start_IN=999"},
         495, 9);
    fail("async before ip", async + QStringList{"Profi_Async_Req_Start_IN=999", "Ethernet_IP1=999"}, 480, 6);
    fail("ip before mask", {"Ethernet_IP4=999", "Ethernet_SM1=999"}, 485);
    fail("first failing ip octet", {"Ethernet_IP3=999", "Ethernet_IP4=999", "Ethernet_IP1=0"}, 484);
    fail("mask before gateway", {"Ethernet_SM4=999", "Ethernet_EN_GAT=1", "Ethernet_GAT1=999"}, 489);
}

void Tst_General_Params_Check::check() {
    QFETCH(QStringList, changes);
    QFETCH(int, text);
    QFETCH(int, bound);

    const auto failure = Check_General_Params(With(changes));
    if (text == 0) {
        QVERIFY2(!failure, failure ? qPrintable(QString::number(failure->Text_Index)) : "");
        return;
    }
    QVERIFY(failure);
    QCOMPARE(failure->Text_Index, text);
    if (bound == No_Bound)
        QVERIFY(!failure->Bound);
    else
        QCOMPARE(failure->Bound, std::optional<int>(bound));
}

void Tst_General_Params_Check::message_appends_bound_data() {
    QTest::addColumn<int>("text");
    QTest::addColumn<int>("bound");
    QTest::addColumn<QString>("message");
    QTest::newRow("no bound") << 474 << No_Bound
                              << "Error Modbus Master!! TimeOut must be between 0 and 60000 milliseconds";
    QTest::newRow("negative bound")
        << 503 << -4
        << "Error PROFIBUS!! The Starting Position for copy Diagnosis in Data Array must be between 0 and -4";
    QTest::newRow("async in")
        << 480 << 6
        << "Error PROFIBUS!! Modbus Asynchronous Request, Start Address Byte In must be "
           "between 0 and 6";
    QTest::newRow("async out")
        << 481 << -8
        << "Error PROFIBUS!! Modbus Asynchronous Request, Start Address Byte Out must be "
           "between 0 and -8";
    QTest::newRow("diagnosis address")
        << 495 << 9 << "Error PROFIBUS!! Address for Diagnosis Error must be between 0 and 9";
}

void Tst_General_Params_Check::message_appends_bound() {
    QFETCH(int, text);
    QFETCH(int, bound);
    QFETCH(QString, message);
    const Text_Table texts;
    Check_Failure failure{text, bound == No_Bound ? std::nullopt : std::optional<int>(bound)};
    QCOMPARE(Check_Failure_Message(texts, failure), message);
}

QTEST_GUILESS_MAIN(Tst_General_Params_Check)
#include "tst_general_params_check.moc"
