#include "base/text_table.h"
#include "document/general_params.h"
#include "poll/poll_port.h"
#include "poll/poll_serial_settings.h"
#include "poll/rule_poll.h"
#include "poll/rule_poll_reply.h"

#include <QTest>

Q_DECLARE_METATYPE(Rule_Table)
Q_DECLARE_METATYPE(General_Params)
Q_DECLARE_METATYPE(Poll_Request)
Q_DECLARE_METATYPE(Poll_Reply_Facts)
Q_DECLARE_METATYPE(Poll_Serial_Settings)
Q_DECLARE_METATYPE(Poll_Status)
Q_DECLARE_METATYPE(Poll_Error)

namespace {

// An enabled rule: slave, type, address, points; the mnemonic "R<row>".
void Put_Rule(Grid_Texts& grid, int row, const QString& slave, const QString& type, const QString& address,
              const QString& points, const QString& enable = "Y") {
    grid.Cell(row, 1) = enable;
    grid.Cell(row, 2) = slave;
    grid.Cell(row, 3) = type;
    grid.Cell(row, 4) = address;
    grid.Cell(row, 5) = points;
    grid.Cell(row, grid.Column_Count() - 1) = "R" + QString::number(row);
}

QList<int> Rows_Of(const QList<Poll_Request>& requests) {
    QList<int> rows;
    for (const Poll_Request& request : requests)
        rows.append(request.Row);
    return rows;
}

Poll_Request Request(int function, int count) {
    Poll_Request request;
    request.Slave = 1;
    request.Function = function;
    request.Address = 0;
    request.Count = count;
    return request;
}

Poll_Reply_Facts Answer(int function, const QByteArray& data) {
    Poll_Reply_Facts facts;
    facts.Raw = QModbusResponse(QModbusPdu::FunctionCode(function), data);
    return facts;
}

} // namespace

class Tst_Rule_Poll : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void plan_skips_disabled_rows_and_rows_after_the_end();
    void plan_takes_only_the_chosen_rows();
    void plan_rule_data();
    void plan_rule();
    void decode_data();
    void decode();
    void messages();
    void settings_data();
    void settings();
    void port_messages_name_port_and_setting_data();
    void port_messages_name_port_and_setting();
};

void Tst_Rule_Poll::plan_skips_disabled_rows_and_rows_after_the_end() {
    Grid_Texts grid = New_Rule_Grid(Rule_Table::Read);
    Put_Rule(grid, 1, "1", "Holding Register", "0", "2");
    Put_Rule(grid, 2, "1", "Holding Register", "0", "2", "N");
    Put_Rule(grid, 3, "1", "Coil Status", "0", "2", " Y "); // trimmed, as the editor's check does
    Put_Rule(grid, 4, "1", "Coil Status", "0", "2", "");    // not "Y": disabled
    Put_Rule(grid, 5, " ", "Coil Status", "0", "2");        // blank Slave ID: the table ends here
    Put_Rule(grid, 6, "1", "Coil Status", "0", "2");
    const QList<Poll_Request> requests = Plan_Poll(grid, Rule_Table::Read, 1, Rule_Rows);
    QCOMPARE(Rows_Of(requests), (QList<int>{1, 3}));
    QCOMPARE(requests[0].Mnemonic, QString("R1"));
    QCOMPARE(requests[1].Function, 1);
    QVERIFY(!requests[0].Invalid && !requests[1].Invalid);
}

void Tst_Rule_Poll::plan_takes_only_the_chosen_rows() {
    Grid_Texts grid = New_Rule_Grid(Rule_Table::Write);
    for (int row = 1; row <= 6; ++row)
        Put_Rule(grid, row, "2", "Holding Register", QString::number(row), "1");
    QCOMPARE(Rows_Of(Plan_Poll(grid, Rule_Table::Write, {5, 2})), (QList<int>{2, 5}));
    QCOMPARE(Rows_Of(Plan_Poll(grid, Rule_Table::Write, 3, 4)), (QList<int>{3, 4}));
    QCOMPARE(Rows_Of(Plan_Poll(grid, Rule_Table::Write, 6, 500)), (QList<int>{6}));
}

void Tst_Rule_Poll::plan_rule_data() {
    QTest::addColumn<Rule_Table>("table");
    QTest::addColumn<QStringList>("cells"); // slave, type, address, points
    QTest::addColumn<int>("function");
    QTest::addColumn<int>("invalid_text"); // 0: valid
    QTest::addColumn<int>("bound");

    const Rule_Table R = Rule_Table::Read, W = Rule_Table::Write;
    QTest::newRow("read coils") << R << QStringList{"1", "Coil Status", "0", "2000"} << 1 << 0 << 0;
    QTest::newRow("read inputs, any case")
        << R << QStringList{"247", " input status ", "65535", "1"} << 2 << 0 << 0;
    QTest::newRow("read holding") << R << QStringList{"1", "Holding Register", "$10", "125"} << 3 << 0 << 0;
    QTest::newRow("read input registers") << R << QStringList{"1", "INPUT REGISTER", "0", "1"} << 4 << 0 << 0;
    QTest::newRow("write coils read back")
        << W << QStringList{"1", "Coil Status", "0", "1968"} << 1 << 0 << 0;
    QTest::newRow("write registers read back")
        << W << QStringList{"1", "Holding Register", "0", "123"} << 3 << 0 << 0;
    QTest::newRow("slave 0") << R << QStringList{"0", "Coil Status", "0", "1"} << 1 << 669 << 0;
    QTest::newRow("slave 248") << W << QStringList{"248", "Coil Status", "0", "1"} << 1 << 679 << 0;
    QTest::newRow("slave with a blank after it")
        << R << QStringList{"12 ", "Coil Status", "0", "1"} << 1 << 669 << 0;
    QTest::newRow("no type") << R << QStringList{"1", "", "0", "1"} << 0 << 670 << 0;
    QTest::newRow("unknown type") << R << QStringList{"1", "Register", "0", "1"} << 0 << 670 << 0;
    QTest::newRow("input status in the write table")
        << W << QStringList{"1", "Input Status", "0", "1"} << 0 << 680 << 0;
    QTest::newRow("address 65536") << R << QStringList{"1", "Coil Status", "65536", "1"} << 1 << 671 << 0;
    QTest::newRow("2001 coils") << R << QStringList{"1", "Coil Status", "0", "2001"} << 1 << 672 << 2000;
    QTest::newRow("126 registers") << R << QStringList{"1", "Input Register", "0", "126"} << 4 << 672 << 125;
    QTest::newRow("0 points") << R << QStringList{"1", "Input Register", "0", "0"} << 4 << 672 << 125;
    QTest::newRow("1969 coils written")
        << W << QStringList{"1", "Coil Status", "0", "1969"} << 1 << 682 << 1968;
    QTest::newRow("124 registers written")
        << W << QStringList{"1", "Holding Register", "0", "124"} << 3 << 682 << 123;
}

void Tst_Rule_Poll::plan_rule() {
    QFETCH(Rule_Table, table);
    QFETCH(QStringList, cells);
    QFETCH(int, function);
    QFETCH(int, invalid_text);
    QFETCH(int, bound);
    Grid_Texts grid = New_Rule_Grid(table);
    Put_Rule(grid, 7, cells[0], cells[1], cells[2], cells[3]);
    for (int row = 1; row < 7; ++row)
        Put_Rule(grid, row, "1", "Coil Status", "0", "1", "N");
    const QList<Poll_Request> requests = Plan_Poll(grid, table, 1, Rule_Rows);
    QCOMPARE(requests.size(), 1);
    const Poll_Request& request = requests[0];
    QCOMPARE(request.Table, table);
    QCOMPARE(request.Row, 7);
    QCOMPARE(request.Function, function);
    if (invalid_text == 0) {
        QVERIFY(!request.Invalid);
        QCOMPARE(request.Slave, cells[0].toInt());
        QCOMPARE(request.Count, cells[3].toInt());
    } else {
        QVERIFY(request.Invalid);
        QCOMPARE(request.Invalid->Text_Index, invalid_text);
        QCOMPARE(request.Invalid->Row, 7);
        QCOMPARE(request.Invalid->Bound.value_or(0), bound);
    }
}

void Tst_Rule_Poll::decode_data() {
    QTest::addColumn<Poll_Request>("request");
    QTest::addColumn<Poll_Reply_Facts>("facts");
    QTest::addColumn<Poll_Status>("status");
    QTest::addColumn<Poll_Error>("error");
    QTest::addColumn<QList<quint16>>("values");
    QTest::addColumn<int>("exception");

    QTest::newRow("registers, high byte first")
        << Request(3, 2)
        << Answer(3, QByteArray::fromHex("04"
                                         "03E8"
                                         "FFFF"))
        << Poll_Status::Ok << Poll_Error::None << QList<quint16>{1000, 65535} << 0;
    QTest::newRow("input registers") << Request(4, 1)
                                     << Answer(4, QByteArray::fromHex("02"
                                                                      "0007"))
                                     << Poll_Status::Ok << Poll_Error::None << QList<quint16>{7} << 0;
    QTest::newRow("10 coils, lowest bit first, padding ignored")
        << Request(1, 10)
        << Answer(1, QByteArray::fromHex("02"
                                         "49"
                                         "FE"))
        << Poll_Status::Ok << Poll_Error::None << QList<quint16>{1, 0, 0, 1, 0, 0, 1, 0, 0, 1} << 0;
    QTest::newRow("inputs") << Request(2, 3)
                            << Answer(2, QByteArray::fromHex("01"
                                                             "06"))
                            << Poll_Status::Ok << Poll_Error::None << QList<quint16>{0, 1, 1} << 0;
    QTest::newRow("exception") << Request(3, 2) << Answer(0x83, QByteArray::fromHex("02"))
                               << Poll_Status::Exception << Poll_Error::None << QList<quint16>{} << 2;
    QTest::newRow("one register too many")
        << Request(3, 2)
        << Answer(3, QByteArray::fromHex("06"
                                         "0001"
                                         "0002"
                                         "0003"))
        << Poll_Status::Error << Poll_Error::Wrong_Length << QList<quint16>{} << 0;
    QTest::newRow("one coil byte too few")
        << Request(1, 9)
        << Answer(1, QByteArray::fromHex("01"
                                         "FF"))
        << Poll_Status::Error << Poll_Error::Wrong_Length << QList<quint16>{} << 0;
    QTest::newRow("byte count disagrees with the data")
        << Request(3, 1)
        << Answer(3, QByteArray::fromHex("02"
                                         "0001"
                                         "00"))
        << Poll_Status::Error << Poll_Error::Wrong_Length << QList<quint16>{} << 0;

    Poll_Reply_Facts timeout;
    timeout.Error = QModbusDevice::TimeoutError;
    QTest::newRow("no answer") << Request(3, 1) << timeout << Poll_Status::Timeout << Poll_Error::None
                               << QList<quint16>{} << 0;
    Poll_Reply_Facts crc = timeout;
    crc.Intermediate = {QModbusDevice::ResponseCrcError};
    QTest::newRow("answer with a wrong CRC")
        << Request(3, 1) << crc << Poll_Status::Error << Poll_Error::Crc << QList<quint16>{} << 0;
    Poll_Reply_Facts mismatch = timeout;
    mismatch.Intermediate = {QModbusDevice::ResponseRequestMismatch};
    QTest::newRow("answer from another slave")
        << Request(3, 1) << mismatch << Poll_Status::Error << Poll_Error::Mismatch << QList<quint16>{} << 0;
    QTest::newRow("answer for another function")
        << Request(3, 1)
        << Answer(4, QByteArray::fromHex("02"
                                         "0001"))
        << Poll_Status::Error << Poll_Error::Mismatch << QList<quint16>{} << 0;
    Poll_Reply_Facts line;
    line.Error = QModbusDevice::WriteError;
    line.Error_Text = "Write error.";
    QTest::newRow("line error") << Request(3, 1) << line << Poll_Status::Error << Poll_Error::Line
                                << QList<quint16>{} << 0;
}

void Tst_Rule_Poll::decode() {
    QFETCH(Poll_Request, request);
    QFETCH(Poll_Reply_Facts, facts);
    QFETCH(Poll_Status, status);
    QFETCH(Poll_Error, error);
    QFETCH(QList<quint16>, values);
    QFETCH(int, exception);
    const Poll_Result result = Decode_Poll_Reply(request, facts);
    QCOMPARE(result.Request, request);
    QCOMPARE(result.Status, status);
    QCOMPARE(result.Error, error);
    QCOMPARE(result.Values, values);
    QCOMPARE(result.Exception_Code, exception);
    if (error == Poll_Error::Line)
        QCOMPARE(result.Detail, facts.Error_Text);
}

void Tst_Rule_Poll::messages() {
    const Text_Table texts;
    Poll_Result result;
    result.Request = Request(3, 2);
    result.Status = Poll_Status::Ok;
    result.Values = {1000, 255};
    QCOMPARE(Poll_Result_Message(texts, result), QString("Answered"));
    QCOMPARE(Poll_Values_Text(result), QString("1000 (0x03E8) 255 (0x00FF)"));
    result.Request.Function = 1;
    result.Values = {1, 0};
    QCOMPARE(Poll_Values_Text(result), QString("1 0"));

    result.Status = Poll_Status::Exception;
    result.Exception_Code = 2;
    QCOMPARE(Poll_Result_Message(texts, result), QString("Exception 2: Illegal data address"));
    result.Exception_Code = 11;
    QCOMPARE(Poll_Result_Message(texts, result),
             QString("Exception 11: Gateway target device failed to respond"));
    result.Exception_Code = 7; // no name
    QCOMPARE(Poll_Result_Message(texts, result), QString("Exception 7"));

    result.Status = Poll_Status::Timeout;
    QCOMPARE(Poll_Result_Message(texts, result), QString("No answer within the time-out"));
    result.Status = Poll_Status::Error;
    result.Error = Poll_Error::Wrong_Length;
    result.Bytes_Received = 6;
    result.Bytes_Expected = 4;
    QCOMPARE(Poll_Result_Message(texts, result),
             QString("Damaged answer: wrong length, data bytes received/expected 6/4"));
    result.Error = Poll_Error::Not_Sent;
    result.Request.Invalid = Rule_Check_Failure(Rule_Table::Read, 4, 669);
    QCOMPARE(Poll_Result_Message(texts, result),
             QString("Not sent: Error row 4!! [Modbus Read] Slave ID must be between 1 and 247"));
    result.Error = Poll_Error::Line;
    result.Detail = "Resource error.";
    QCOMPARE(Poll_Result_Message(texts, result), QString("Modbus line error: Resource error."));
}

void Tst_Rule_Poll::settings_data() {
    QTest::addColumn<General_Params>("params");
    QTest::addColumn<Poll_Serial_Settings>("expected");
    QTest::addColumn<int>("failure_text"); // 0: usable
    QTest::addColumn<QString>("detail");

    const General_Params defaults;
    QTest::newRow("defaults: 115200, none, one stop bit")
        << defaults << Poll_Serial_Settings{115200, 0, 1, 1000, 100} << 0 << "";
    General_Params jbus = defaults;
    jbus.Ser_Prot = 2;
    jbus.Ser_Baud = 3;
    jbus.Ser_Par = 2;
    jbus.Ser_StopBits = 1;
    jbus.Ser_TO = "0";
    jbus.Ser_CD = "60000";
    jbus.Ser_DataBits = 0; // seven data bits are ignored: RTU frames have eight
    QTest::newRow("JBUS, 9600, odd, two stop bits")
        << jbus << Poll_Serial_Settings{9600, 2, 2, 0, 60000} << 0 << "";
    const struct {
        const char* name;
        int protocol;
    } refused[] = {{"Modbus ASCII", 1}, {"Binary", 3}, {"ASCII", 4}};
    for (const auto& entry : refused) {
        General_Params params = defaults;
        params.Ser_Prot = entry.protocol;
        QTest::newRow(entry.name) << params << Poll_Serial_Settings{} << 994 << entry.name;
    }
    General_Params bad = defaults;
    bad.Ser_Prot = 5;
    QTest::newRow("protocol 5") << bad << Poll_Serial_Settings{} << 998 << "Ser_Prot = 5";
    bad = defaults;
    bad.Ser_Baud = 8;
    QTest::newRow("baud index 8") << bad << Poll_Serial_Settings{} << 998 << "Ser_Baud = 8";
    bad = defaults;
    bad.Ser_Par = 3;
    QTest::newRow("parity 3") << bad << Poll_Serial_Settings{} << 998 << "Ser_Par = 3";
    bad = defaults;
    bad.Ser_StopBits = -1;
    QTest::newRow("stop bits -1") << bad << Poll_Serial_Settings{} << 998 << "Ser_StopBits = -1";
    bad = defaults;
    bad.Ser_TO = "abc";
    QTest::newRow("time-out abc") << bad << Poll_Serial_Settings{} << 998 << "Ser_TO = abc";
    bad = defaults;
    bad.Ser_CD = "60001";
    QTest::newRow("pause 60001") << bad << Poll_Serial_Settings{} << 998 << "Ser_CD = 60001";
}

void Tst_Rule_Poll::settings() {
    QFETCH(General_Params, params);
    QFETCH(Poll_Serial_Settings, expected);
    QFETCH(int, failure_text);
    QFETCH(QString, detail);
    Poll_Serial_Settings settings;
    const auto failure = Poll_Settings_From(params, settings);
    if (failure_text == 0) {
        QVERIFY(!failure);
        QCOMPARE(settings, expected);
    } else {
        QVERIFY(failure);
        QCOMPARE(failure->Text_Index, failure_text);
        QCOMPARE(failure->Detail, detail);
        const Text_Table texts;
        QCOMPARE(Poll_Settings_Message(texts, *failure), texts[failure_text] + detail);
    }
}

void Tst_Rule_Poll::port_messages_name_port_and_setting_data() {
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("system_error");
    QTest::addColumn<QString>("message");
    QTest::newRow("cannot open") << "COM7"
                                 << ""
                                 << "No such file or directory"
                                 << "Cannot open the serial port COM7: No such file or directory";
    QTest::newRow("setting refused")
        << "/dev/ttyUSB0"
        << "Ser_Par = EVEN"
        << "Invalid argument"
        << "The serial port /dev/ttyUSB0 refuses the setting Ser_Par = EVEN: Invalid argument";
    QTest::newRow("empty name") << ""
                                << ""
                                << ""
                                << "The serial port name is empty";
    QTest::newRow("blanks only") << "   "
                                 << ""
                                 << "Unknown error"
                                 << "The serial port name is empty";
}

void Tst_Rule_Poll::port_messages_name_port_and_setting() {
    QFETCH(QString, port);
    QFETCH(QString, setting);
    QFETCH(QString, system_error);
    QFETCH(QString, message);
    const Text_Table texts;
    QCOMPARE(Poll_Port_Message(texts, {port, setting, system_error}), message);
}

QTEST_GUILESS_MAIN(Tst_Rule_Poll)
#include "tst_rule_poll.moc"
