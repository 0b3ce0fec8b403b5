// The poller against a real Modbus RTU slave: a QModbusRtuSerialServer at the
// far end of two pseudo-terminals joined by a relay in this process.
#include "base/text_table.h"
#include "modbus_test_line.h"
#include "poll/rules_poller.h"
#include "poll/rules_test_text.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <memory>

Q_DECLARE_METATYPE(Rule_Table)
Q_DECLARE_METATYPE(Poll_Error)

namespace {

Poll_Request Rule(Rule_Table table, int row, int slave, int function, int address, int count) {
    Poll_Request request;
    request.Table = table;
    request.Row = row;
    request.Slave = slave;
    request.Function = function;
    request.Address = address;
    request.Count = count;
    return request;
}

Poll_Request Read_Rule(int row, int slave, int function, int address, int count) {
    return Rule(Rule_Table::Read, row, slave, function, address, count);
}

// 115200 8N1 (what a pseudo-terminal takes), no pause. The time-out leaves
// room for a slow, loaded machine: the slave answers within milliseconds.
Poll_Serial_Settings Quick_Settings(int timeout_ms = 1000, int pause_ms = 0) {
    return {115200, 0, 1, timeout_ms, pause_ms};
}

QList<quint16> Map_Values(int function, int address, int count) {
    QList<quint16> values;
    for (int i = address; i < address + count; ++i)
        values.append(function <= 2   ? Test_Bit(i)
                      : function == 3 ? Test_Holding_Register(i)
                                      : Test_Input_Register(i));
    return values;
}

// The function codes of the frames the client sent.
QList<int> Functions_Sent(const Pty_Link& link) {
    QList<int> functions;
    for (const QByteArray& frame : link.To_Server_Frames)
        functions.append(frame.size() > 1 ? quint8(frame[1]) : -1);
    return functions;
}

} // namespace

class Tst_Rules_Poller : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void values_of_each_function_data();
    void values_of_each_function();
    void illegal_data_address_is_an_exception();
    void slave_that_does_not_answer_times_out();
    void damaged_answers_data();
    void damaged_answers();
    void rules_planned_from_a_table_skip_disabled_rows_and_rows_after_the_end();
    void write_rules_are_read_back_and_never_written();
    void invalid_rule_is_not_sent();
    void cancel_mid_run_stops_asking_and_the_port_can_be_used_again();
    void pause_between_requests();
    void port_that_cannot_be_opened();
    void empty_port_name_data();
    void empty_port_name();
    void parity_refused_by_the_port_names_port_and_setting();
    void line_lost_mid_run_ends_every_remaining_rule();

private:
    // Starts the run and waits for its end; false when it did not start or end.
    bool Run(const QList<Poll_Request>& requests, const Poll_Serial_Settings& settings = Quick_Settings());

    std::unique_ptr<Pty_Link> link_;
    std::unique_ptr<Test_Modbus_Slave> slave_;
    std::unique_ptr<Rules_Poller> poller_;
};

void Tst_Rules_Poller::init() {
    link_ = std::make_unique<Pty_Link>();
    QVERIFY2(link_->Ok(), qPrintable(link_->Error()));
    slave_ = std::make_unique<Test_Modbus_Slave>(1);
    QVERIFY2(slave_->Open(link_->Server_Port()), qPrintable(slave_->errorString()));
    poller_ = std::make_unique<Rules_Poller>();
}

void Tst_Rules_Poller::cleanup() {
    poller_.reset();
    slave_.reset();
    link_.reset();
}

bool Tst_Rules_Poller::Run(const QList<Poll_Request>& requests, const Poll_Serial_Settings& settings) {
    QSignalSpy finished(poller_.get(), &Rules_Poller::Finished);
    if (const auto failure = poller_->Start(link_->Client_Port(), settings, requests)) {
        qWarning() << "start failed:" << Poll_Port_Message(Text_Table(), *failure);
        return false;
    }
    if (!finished.wait(10000))
        return false;
    return finished.size() == 1 && finished[0][0].toBool() == false;
}

void Tst_Rules_Poller::values_of_each_function_data() {
    QTest::addColumn<Rule_Table>("table");
    QTest::addColumn<int>("function");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("count");
    QTest::newRow("read coils") << Rule_Table::Read << 1 << 0 << 10;
    QTest::newRow("read input status") << Rule_Table::Read << 2 << 3 << 13;
    QTest::newRow("read holding registers") << Rule_Table::Read << 3 << 2 << 3;
    QTest::newRow("read input registers") << Rule_Table::Read << 4 << 0 << 10;
    QTest::newRow("write coils read back") << Rule_Table::Write << 1 << 0 << 16;
    QTest::newRow("write holding register read back") << Rule_Table::Write << 3 << 9 << 1;
}

void Tst_Rules_Poller::values_of_each_function() {
    QFETCH(Rule_Table, table);
    QFETCH(int, function);
    QFETCH(int, address);
    QFETCH(int, count);
    const Poll_Request request = Rule(table, 4, 1, function, address, count);
    QSignalSpy done(poller_.get(), &Rules_Poller::Rule_Done);
    QVERIFY(Run({request}));
    QCOMPARE(done.size(), 1);
    QCOMPARE(done[0][0].toInt(), 0);
    QCOMPARE(poller_->Results().size(), 1);
    const Poll_Result& result = poller_->Results()[0];
    QCOMPARE(result.Request, request);
    QCOMPARE(result.Status, Poll_Status::Ok);
    QCOMPARE(result.Values, Map_Values(function, address, count));
    QCOMPARE(slave_->Functions_Seen, QList<int>{function});
    QVERIFY(!poller_->Running());
}

void Tst_Rules_Poller::illegal_data_address_is_an_exception() {
    // Registers 9 and 10: the map ends at 9. Coil 16: the map ends at 15.
    QVERIFY(Run({Read_Rule(1, 1, 3, 9, 2), Read_Rule(2, 1, 1, 16, 1), Read_Rule(3, 1, 4, 0, 1)}));
    const QList<Poll_Result>& results = poller_->Results();
    QCOMPARE(results.size(), 3);
    for (int i : {0, 1}) {
        QCOMPARE(results[i].Status, Poll_Status::Exception);
        QCOMPARE(results[i].Exception_Code, 2);
        QVERIFY(results[i].Values.isEmpty());
    }
    QCOMPARE(Poll_Result_Message(Text_Table(), results[0]), QString("Exception 2: Illegal data address"));
    QCOMPARE(results[2].Status, Poll_Status::Ok); // the run goes on after an exception
}

void Tst_Rules_Poller::slave_that_does_not_answer_times_out() {
    QVERIFY(Run({Read_Rule(1, 7, 3, 0, 1), Read_Rule(2, 1, 3, 0, 1)}));
    const QList<Poll_Result>& results = poller_->Results();
    QCOMPARE(results.size(), 2);
    QCOMPARE(results[0].Status, Poll_Status::Timeout);
    QCOMPARE(results[1].Status, Poll_Status::Ok);
    QCOMPARE(link_->To_Server_Frames.size(), 2); // the request to slave 7 went out once, no retry
    QCOMPARE(quint8(link_->To_Server_Frames[0][0]), quint8(7));
}

void Tst_Rules_Poller::damaged_answers_data() {
    QTest::addColumn<QString>("damage");
    QTest::addColumn<Poll_Error>("error");
    QTest::newRow("CRC") << "crc" << Poll_Error::Crc;
    QTest::newRow("one register too many") << "length" << Poll_Error::Wrong_Length;
    QTest::newRow("answer from another slave") << "address" << Poll_Error::Mismatch;
}

void Tst_Rules_Poller::damaged_answers() {
    QFETCH(QString, damage);
    QFETCH(Poll_Error, error);
    bool damaged = false;
    if (damage == "crc") {
        link_->To_Client = [&](QByteArray frame) {
            if (!damaged && frame.size() > 2) {
                frame[frame.size() - 1] = char(frame[frame.size() - 1] ^ 0x5A);
                damaged = true;
            }
            return frame;
        };
    } else if (damage == "address") {
        link_->To_Client = [&](QByteArray frame) {
            if (!damaged && frame.size() > 2) {
                frame.chop(2);
                frame[0] = 9;
                frame += Modbus_Crc(frame);
                damaged = true;
            }
            return frame;
        };
    } else {
        slave_->Answer = [&](const QModbusPdu& request) -> std::optional<QModbusResponse> {
            if (damaged)
                return std::nullopt;
            damaged = true;
            return QModbusResponse(request.functionCode(), QByteArray::fromHex("06"
                                                                               "0001"
                                                                               "0002"
                                                                               "0003"));
        };
    }
    // The damaged answer first, then a good one for the next rule.
    QVERIFY(Run({Read_Rule(1, 1, 3, 0, 2), Read_Rule(2, 1, 3, 0, 2)}));
    const QList<Poll_Result>& results = poller_->Results();
    QCOMPARE(results.size(), 2);
    QVERIFY(damaged);
    QCOMPARE(results[0].Status, Poll_Status::Error);
    QCOMPARE(results[0].Error, error);
    QVERIFY(results[0].Values.isEmpty());
    if (error == Poll_Error::Wrong_Length) {
        QCOMPARE(results[0].Bytes_Received, 6);
        QCOMPARE(results[0].Bytes_Expected, 4);
    }
    QCOMPARE(results[1].Status, Poll_Status::Ok);
    QCOMPARE(results[1].Values, Map_Values(3, 0, 2));
}

void Tst_Rules_Poller::rules_planned_from_a_table_skip_disabled_rows_and_rows_after_the_end() {
    Grid_Texts grid = New_Rule_Grid(Rule_Table::Read);
    const QStringList rows[] = {
        {"Y", "1", "Holding Register", "1", "1"},
        {"N", "1", "Holding Register", "2", "1"},
        {"Y", "1", "Input Register", "3", "1"},
        {"Y", "", "Holding Register", "4", "1"}, // the table ends here
        {"Y", "1", "Holding Register", "5", "1"},
    };
    for (int row = 1; row <= 5; ++row)
        for (int column = 1; column <= 5; ++column)
            grid.Cell(row, column) = rows[row - 1][column - 1];
    QVERIFY(Run(Plan_Poll(grid, Rule_Table::Read, 1, Rule_Rows)));
    const QList<Poll_Result>& results = poller_->Results();
    QCOMPARE(results.size(), 2);
    QCOMPARE(results[0].Request.Row, 1);
    QCOMPARE(results[0].Values, QList<quint16>{Test_Holding_Register(1)});
    QCOMPARE(results[1].Request.Row, 3);
    QCOMPARE(results[1].Values, QList<quint16>{Test_Input_Register(3)});
    QCOMPARE(Functions_Sent(*link_), (QList<int>{3, 4}));
}

void Tst_Rules_Poller::write_rules_are_read_back_and_never_written() {
    Grid_Texts grid = New_Rule_Grid(Rule_Table::Write);
    const QStringList rows[] = {
        {"Y", "1", "Coil Status", "0", "1"},      // one coil: function 5 if it were written
        {"Y", "1", "Holding Register", "4", "1"}, // one register: function 6
        {"Y", "1", "Coil Status", "3", "9"},      // function 15
        {"Y", "1", "holding register", "0", "3"}, // function 16
    };
    for (int row = 1; row <= 4; ++row)
        for (int column = 1; column <= 5; ++column)
            grid.Cell(row, column) = rows[row - 1][column - 1];
    grid.Cell(1, Write_Col::ForceF15F16) = "Y";
    QSignalSpy written(slave_.get(), &QModbusServer::dataWritten);
    QVERIFY(Run(Plan_Poll(grid, Rule_Table::Write, 1, Rule_Rows)));
    const QList<Poll_Result>& results = poller_->Results();
    QCOMPARE(results.size(), 4);
    QCOMPARE(results[0].Values, Map_Values(1, 0, 1));
    QCOMPARE(results[1].Values, Map_Values(3, 4, 1));
    QCOMPARE(results[2].Values, Map_Values(1, 3, 9));
    QCOMPARE(results[3].Values, Map_Values(3, 0, 3));
    for (const Poll_Result& result : results)
        QCOMPARE(result.Status, Poll_Status::Ok);
    QCOMPARE(Functions_Sent(*link_), (QList<int>{1, 3, 1, 3}));
    QCOMPARE(slave_->Functions_Seen, (QList<int>{1, 3, 1, 3}));
    QCOMPARE(written.size(), 0);
}

void Tst_Rules_Poller::invalid_rule_is_not_sent() {
    Poll_Request invalid = Read_Rule(1, 0, 3, 0, 1);
    invalid.Invalid = Rule_Check_Failure(Rule_Table::Read, 1, 669);
    QVERIFY(Run({invalid, Read_Rule(2, 1, 3, 0, 1)}));
    const QList<Poll_Result>& results = poller_->Results();
    QCOMPARE(results.size(), 2);
    QCOMPARE(results[0].Status, Poll_Status::Error);
    QCOMPARE(results[0].Error, Poll_Error::Not_Sent);
    QCOMPARE(results[1].Status, Poll_Status::Ok);
    QCOMPARE(link_->To_Server_Frames.size(), 1);
}

void Tst_Rules_Poller::cancel_mid_run_stops_asking_and_the_port_can_be_used_again() {
    // Slave 9 is not on the line: every request waits its whole time-out.
    const QList<Poll_Request> requests{Read_Rule(1, 9, 3, 0, 1), Read_Rule(2, 9, 3, 1, 1),
                                       Read_Rule(3, 9, 3, 2, 1), Read_Rule(4, 9, 3, 3, 1)};
    QSignalSpy done(poller_.get(), &Rules_Poller::Rule_Done);
    QSignalSpy finished(poller_.get(), &Rules_Poller::Finished);
    QVERIFY(!poller_->Start(link_->Client_Port(), Quick_Settings(300), requests));
    QVERIFY(poller_->Running());
    QVERIFY(done.wait(5000));
    QTRY_COMPARE_WITH_TIMEOUT(link_->To_Server_Frames.size(), 2, 2000); // the second request is out
    poller_->Cancel();
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished[0][0].toBool(), true);
    QVERIFY(!poller_->Running());
    QCOMPARE(poller_->Results().size(), 1);
    QTest::qWait(800); // longer than two time-outs
    QCOMPARE(done.size(), 1);
    QCOMPARE(link_->To_Server_Frames.size(), 2);

    QVERIFY(Run({Read_Rule(1, 1, 3, 0, 1)}));
    QCOMPARE(poller_->Results().size(), 1);
    QCOMPARE(poller_->Results()[0].Status, Poll_Status::Ok);
}

void Tst_Rules_Poller::pause_between_requests() {
    QElapsedTimer clock;
    clock.start();
    QVERIFY(Run({Read_Rule(1, 1, 3, 0, 1), Read_Rule(2, 1, 3, 1, 1), Read_Rule(3, 1, 3, 2, 1)},
                Quick_Settings(1000, 200)));
    QVERIFY2(clock.elapsed() >= 400, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(poller_->Results().size(), 3);
}

void Tst_Rules_Poller::port_that_cannot_be_opened() {
    QSignalSpy finished(poller_.get(), &Rules_Poller::Finished);
    const QString port = "/dev/kc40927-no-such-port";
    const auto failure = poller_->Start(port, Quick_Settings(), {Read_Rule(1, 1, 3, 0, 1)});
    QVERIFY(failure);
    QCOMPARE(failure->Port, port);
    QVERIFY(failure->Setting.isEmpty());
    QVERIFY(!failure->System_Error.isEmpty());
    QVERIFY(
        Poll_Port_Message(Text_Table(), *failure).startsWith("Cannot open the serial port " + port + ": "));
    QVERIFY(!poller_->Running());
    QTest::qWait(50);
    QCOMPARE(finished.size(), 0);
}

void Tst_Rules_Poller::empty_port_name_data() {
    QTest::addColumn<QString>("port");
    QTest::newRow("empty") << "";
    QTest::newRow("blanks") << "  ";
}

void Tst_Rules_Poller::empty_port_name() {
    QFETCH(QString, port);
    QSignalSpy finished(poller_.get(), &Rules_Poller::Finished);
    const auto failure = poller_->Start(port, Quick_Settings(), {Read_Rule(1, 1, 3, 0, 1)});
    QVERIFY(failure);
    QCOMPARE(failure->Port, port);
    QVERIFY(failure->Setting.isEmpty());
    const Text_Table texts;
    QCOMPARE(Poll_Port_Message(texts, *failure), texts[Poll_Text::Port_Name_Empty]);
    QVERIFY(!poller_->Running());
    QTest::qWait(50);
    QCOMPARE(finished.size(), 0);
}

void Tst_Rules_Poller::parity_refused_by_the_port_names_port_and_setting() {
    // Linux pseudo-terminals refuse a parity bit.
    Poll_Serial_Settings settings = Quick_Settings();
    settings.Parity = 1;
    if (!link_->Refuses_Parity())
        QSKIP("this kernel's pseudo-terminals take a parity bit");
    const auto failure = poller_->Start(link_->Client_Port(), settings, {Read_Rule(1, 1, 3, 0, 1)});
    QVERIFY(failure);
    QCOMPARE(failure->Port, link_->Client_Port());
    QCOMPARE(failure->Setting, QString("Ser_Par = EVEN"));
    QCOMPARE(Poll_Port_Message(Text_Table(), *failure),
             "The serial port " + link_->Client_Port() +
                 " refuses the setting Ser_Par = EVEN: " + failure->System_Error);
    QVERIFY(link_->To_Server_Frames.isEmpty());
    // The port was closed again: the same port without parity works.
    QVERIFY(Run({Read_Rule(1, 1, 3, 0, 1)}));
    QCOMPARE(poller_->Results()[0].Status, Poll_Status::Ok);
}

void Tst_Rules_Poller::line_lost_mid_run_ends_every_remaining_rule() {
    const QList<Poll_Request> requests{Read_Rule(1, 1, 3, 0, 1), Read_Rule(2, 1, 3, 1, 1),
                                       Read_Rule(3, 1, 3, 2, 1)};
    QSignalSpy done(poller_.get(), &Rules_Poller::Rule_Done);
    QSignalSpy finished(poller_.get(), &Rules_Poller::Finished);
    QVERIFY(!poller_->Start(link_->Client_Port(), Quick_Settings(1000, 300), requests));
    QVERIFY(done.wait(5000));
    link_->Hang_Up_Client();
    QVERIFY(finished.wait(5000));
    QCOMPARE(finished[0][0].toBool(), false);
    const QList<Poll_Result>& results = poller_->Results();
    QCOMPARE(results.size(), 3);
    QCOMPARE(results[0].Status, Poll_Status::Ok);
    for (int i : {1, 2}) {
        QCOMPARE(results[i].Status, Poll_Status::Error);
        QCOMPARE(results[i].Error, Poll_Error::Line);
    }
}

QTEST_GUILESS_MAIN(Tst_Rules_Poller)
#include "tst_rules_poller.moc"
