// The Test button of the rules editor and its window, against a real Modbus
// RTU slave at the far end of two joined pseudo-terminals.
#include "base/app_state.h"
#include "base/com_ports.h"
#include "base/text_table.h"
#include "config/access_rules_dialog.h"
#include "config/text_grid_model.h"
#include "document/access_rules_table.h"
#include "modbus_test_line.h"
#include "poll/rules_poller.h"
#include "poll/rules_test_dialog.h"
#include "test_dirs.h"
#include "ui_recorder.h"

#include <QComboBox>
#include <QFileInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

class Fixed_Ports : public Serial_Port_Source {
public:
    explicit Fixed_Ports(QList<Serial_Port> ports) : ports_(std::move(ports)) {}
    QList<Serial_Port> Ports() override { return ports_; }

private:
    QList<Serial_Port> ports_;
};

// The editor over a configuration folder, and the Modbus line with slave 1.
struct Fixture {
    QTemporaryDir dir;
    App_State state;
    Text_Table texts;
    Ui_Recorder ui;
    TFSetAccess editor{state, texts, ui};
    Pty_Link link;
    Test_Modbus_Slave slave{1};

    explicit Fixture(const QString& pargen = "<Ser_TO>1000</Ser_TO><Ser_CD>0</Ser_CD>") {
        state.Conf_Dir = dir.path();
        state.Set_Files();
        Write_All(state.ParGen_File, ("<Par_Gen>" + pargen + "</Par_Gen><!--SW_VERSION = 2.110-->").toUtf8());
        editor.FormShow();
        editor.show();
    }
    bool Line_Ok() { return link.Ok() && slave.Open(link.Server_Port()); }

    // Slave ID, type, address, points and mnemonic of a rule row; enabled
    // unless `enable` says otherwise.
    void Put_Rule(Rule_Table table, int row, const QStringList& cells, const QString& enable = "Y") {
        Text_Grid_Model* model = table == Rule_Table::Read ? editor.Read_Model() : editor.Write_Model();
        model->Edit_Table([&](Grid_Texts& grid) {
            grid.Cell(row, 1) = enable;
            for (int i = 0; i < 4; ++i)
                grid.Cell(row, 2 + i) = cells[i];
            grid.Cell(row, grid.Column_Count() - 1) = cells[4];
            return true;
        });
    }
    void Show_Page(int page) { editor.findChild<QTabWidget*>("PageControl1")->setCurrentIndex(page); }
    QTableView* Grid(Rule_Table table) {
        return editor.findChild<QTableView*>(table == Rule_Table::Read ? "ACG_Modbus_Read"
                                                                       : "ACG_Modbus_Write");
    }
    void Click_Test() { QTest::mouseClick(editor.findChild<QPushButton*>("Btn_Test"), Qt::LeftButton); }

    TFRules_Test* Test_Window() { return editor.findChild<TFRules_Test*>("FRules_Test"); }
    QTableWidget* Results() { return Test_Window()->findChild<QTableWidget*>("ASG_Test_Results"); }
    QComboBox* Port_Box() { return Test_Window()->findChild<QComboBox*>("CB_Test_Port"); }
    QPushButton* Test_Button(const char* name) { return Test_Window()->findChild<QPushButton*>(name); }
    QStringList Column(int column) {
        QStringList cells;
        for (int row = 0; row < Results()->rowCount(); ++row)
            cells.append(Results()->item(row, column)->text());
        return cells;
    }
    // Types the port and presses Start.
    void Start(const QString& port) {
        Port_Box()->setEditText(port);
        QTest::mouseClick(Test_Button("Btn_OK"), Qt::LeftButton);
    }
    bool Wait_For_End() {
        return QTest::qWaitFor([this] { return !Test_Window()->Poller().Running(); }, 20000);
    }
};

} // namespace

class Tst_Rules_Test_Dialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tests_the_unsaved_rows_of_the_page_showing();
    void selected_row_of_the_write_page_is_read_back();
    void double_click_makes_the_row_current();
    void no_enabled_rule_says_so();
    void start_failures_are_shown_data();
    void start_failures_are_shown();
    void cancel_stops_the_run_then_closes();
    void closing_the_editor_cancels_the_test();
    void port_list_and_the_last_port();
};

void Tst_Rules_Test_Dialog::tests_the_unsaved_rows_of_the_page_showing() {
    Fixture f;
    QVERIFY(f.Line_Ok());
    f.Put_Rule(Rule_Table::Read, 1, {"1", "Holding Register", "0", "2", "Level"});
    f.Put_Rule(Rule_Table::Read, 2, {"1", "Holding Register", "0", "2", "Off"}, "N");
    f.Put_Rule(Rule_Table::Read, 3, {"1", "Input Register", "50", "1", "Beyond"});
    f.Put_Rule(Rule_Table::Read, 4, {"1", "Coil Status", "0", "4", "Pumps"});
    f.Put_Rule(Rule_Table::Write, 1, {"1", "Holding Register", "0", "1", "Setpoint"});
    f.Click_Test();
    QVERIFY(f.Test_Window());
    QVERIFY(f.Test_Window()->isVisible());
    QCOMPARE(f.Column(0), (QStringList{"1", "3", "4"}));
    QCOMPARE(f.Column(1), (QStringList{"Level", "Beyond", "Pumps"}));

    f.Start(f.link.Client_Port());
    QVERIFY(!f.Test_Button("Btn_OK")->isEnabled()); // while the slaves are asked
    QVERIFY(f.Wait_For_End());
    QVERIFY(f.Test_Button("Btn_OK")->isEnabled());
    QCOMPARE(f.Column(2), (QStringList{"Answered", "Exception 2: Illegal data address", "Answered"}));
    QCOMPARE(f.Column(3), (QStringList{"1000 (0x03E8) 1001 (0x03E9)", "", "1 0 0 1"}));
    // Failures coloured, answers not.
    QCOMPARE(f.Results()->item(1, 2)->background().style(), Qt::SolidPattern);
    QCOMPARE(f.Results()->item(0, 2)->background().style(), Qt::NoBrush);
    auto* progress = f.Test_Window()->findChild<QProgressBar*>("PB_Test_Progress");
    QCOMPARE(progress->value(), 3);
    QCOMPARE(progress->maximum(), 3);

    QCOMPARE(f.slave.Functions_Seen, (QList<int>{3, 4, 1}));
    QCOMPARE(f.link.To_Server_Frames.size(), 3);
    QCOMPARE(f.state.Last_Test_Port, f.link.Client_Port());
    QVERIFY(!QFileInfo::exists(f.state.Sdo_File)); // nothing was saved to test the rows

    // A language change reaches the results through the editor.
    f.texts.Set_Text(977, "Beantwortet");
    f.texts.Set_Text(975, "Zustand");
    f.editor.Set_Lang();
    QCOMPARE(f.Column(2)[0], QString("Beantwortet"));
    QCOMPARE(f.Results()->horizontalHeaderItem(2)->text(), QString("Zustand"));
}

void Tst_Rules_Test_Dialog::selected_row_of_the_write_page_is_read_back() {
    Fixture f;
    QVERIFY(f.Line_Ok());
    f.Put_Rule(Rule_Table::Write, 1, {"1", "Coil Status", "0", "3", "Valves"});
    f.Put_Rule(Rule_Table::Write, 2, {"1", "Holding Register", "5", "2", "Setpoints"});
    f.Show_Page(1);
    QTableView* grid = f.Grid(Rule_Table::Write);
    f.editor.ClickCell(grid, 2, 0); // selects the whole row 2
    f.Click_Test();
    QCOMPARE(f.Column(0), QStringList{"2"});
    QSignalSpy written(&f.slave, &QModbusServer::dataWritten);
    f.Start(f.link.Client_Port());
    QVERIFY(f.Wait_For_End());
    QCOMPARE(f.Column(2), QStringList{"Answered"});
    QCOMPARE(f.Column(3), QStringList{"1005 (0x03ED) 1006 (0x03EE)"});
    QCOMPARE(f.slave.Functions_Seen, QList<int>{3});
    QCOMPARE(written.size(), 0);
}

void Tst_Rules_Test_Dialog::double_click_makes_the_row_current() {
    Fixture f;
    for (int row : {1, 2, 3})
        f.Put_Rule(Rule_Table::Write, row, {"1", "Holding Register", QString::number(row), "1", ""});
    f.Show_Page(1);
    f.Click_Test();
    QCOMPARE(f.Results()->rowCount(), 3);
    f.Show_Page(0);
    QVERIFY(QTest::qWaitForWindowExposed(f.Test_Window()));
    QTableWidget* results = f.Results();
    const QRect cell = results->visualItemRect(results->item(2, 1));
    // A real double click: a click, then the double click.
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(results->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(f.editor.findChild<QTabWidget*>("PageControl1")->currentIndex(), 1);
    QCOMPARE(f.Grid(Rule_Table::Write)->currentIndex().row() + 1, 3);
}

void Tst_Rules_Test_Dialog::no_enabled_rule_says_so() {
    Fixture f;
    f.Put_Rule(Rule_Table::Read, 1, {"1", "Holding Register", "0", "1", ""}, "N");
    f.Put_Rule(Rule_Table::Read, 3, {"1", "Holding Register", "0", "1", ""}); // after the table's end
    f.ui.Expect_Error(f.texts[993]);
    f.Click_Test();
    QVERIFY(f.ui.All_Answered());
    QVERIFY(!f.Test_Window());
}

void Tst_Rules_Test_Dialog::start_failures_are_shown_data() {
    QTest::addColumn<QString>("pargen");
    QTest::addColumn<QString>("port"); // {port}: the line's port
    QTest::addColumn<QString>("message");
    QTest::newRow("Modbus ASCII") << "<Ser_Prot>1</Ser_Prot>"
                                  << "{port}"
                                  << "The test speaks Modbus RTU and JBUS only; the protocol of the "
                                     "configuration is Modbus ASCII";
    QTest::newRow("baud rate outside list A")
        << "<Ser_Baud>9</Ser_Baud>"
        << "{port}"
        << "The general parameters hold a serial setting the test cannot use: Ser_Baud = 9";
    QTest::newRow("no such port") << ""
                                  << "/dev/kc40927-no-such-port"
                                  << "Cannot open the serial port /dev/kc40927-no-such-port: ";
    QTest::newRow("no port typed") << ""
                                   << "  "
                                   << "The serial port name is empty";
    QTest::newRow("parity refused") << "<Ser_Par>2</Ser_Par>"
                                    << "{port}"
                                    << "The serial port {port} refuses the setting Ser_Par = ODD: ";
}

void Tst_Rules_Test_Dialog::start_failures_are_shown() {
    QFETCH(QString, pargen);
    QFETCH(QString, port);
    QFETCH(QString, message);
    Fixture f(pargen);
    QVERIFY(f.Line_Ok());
    if (QString(QTest::currentDataTag()) == "parity refused" && !f.link.Refuses_Parity(true))
        QSKIP("this kernel's pseudo-terminals take a parity bit");
    port.replace("{port}", f.link.Client_Port());
    message.replace("{port}", f.link.Client_Port());
    f.Put_Rule(Rule_Table::Read, 1, {"1", "Holding Register", "0", "1", ""});
    f.Click_Test();
    f.ui.Expect_Error();
    f.Start(port);
    QVERIFY2(f.ui.All_Answered(), qPrintable(QString::number(f.Test_Window()->Poller().Running())));
    const QStringList errors = f.ui.Shown_Texts(Ui_Recorder::Kind::Error);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].startsWith(message), qPrintable(errors[0]));
    QVERIFY(!f.Test_Window()->Poller().Running());
    QVERIFY(f.Test_Window()->isVisible());
    QVERIFY(f.Test_Button("Btn_OK")->isEnabled());
    QVERIFY(f.link.To_Server_Frames.isEmpty());
}

void Tst_Rules_Test_Dialog::cancel_stops_the_run_then_closes() {
    Fixture f("<Ser_TO>300</Ser_TO><Ser_CD>0</Ser_CD>");
    QVERIFY(f.Line_Ok());
    for (int row : {1, 2, 3}) // slave 9 is not on the line
        f.Put_Rule(Rule_Table::Read, row, {"9", "Holding Register", "0", "1", ""});
    f.Click_Test();
    f.Start(f.link.Client_Port());
    QTRY_VERIFY_WITH_TIMEOUT(!f.Results()->item(0, 2)->text().isEmpty(), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(f.link.To_Server_Frames.size(), 2, 5000); // the second request is out
    QTest::mouseClick(f.Test_Button("Btn_Cancel"), Qt::LeftButton);
    QVERIFY(!f.Test_Window()->Poller().Running());
    QVERIFY(f.Test_Window()->isVisible());
    QVERIFY(f.Test_Button("Btn_OK")->isEnabled());
    QCOMPARE(f.Column(2), (QStringList{"No answer within the time-out", "", ""}));
    QTest::qWait(700);
    QCOMPARE(f.link.To_Server_Frames.size(), 2);
    QCOMPARE(f.Column(2)[2], QString());

    QTest::mouseClick(f.Test_Button("Btn_Cancel"), Qt::LeftButton);
    QVERIFY(!f.Test_Window()->isVisible());
}

void Tst_Rules_Test_Dialog::closing_the_editor_cancels_the_test() {
    Fixture f("<Ser_TO>300</Ser_TO><Ser_CD>0</Ser_CD>");
    QVERIFY(f.Line_Ok());
    f.Put_Rule(Rule_Table::Read, 1, {"9", "Holding Register", "0", "1", ""});
    f.Click_Test();
    f.Start(f.link.Client_Port());
    QVERIFY(f.Test_Window()->Poller().Running());
    // The rule typed for the test is dropped with the editor.
    f.ui.Expect_Question(true, QString("The table has been changed. Discard the changes?"));
    f.editor.reject();
    QVERIFY(!f.Test_Window()->Poller().Running());
    QVERIFY(!f.Test_Window()->isVisible());
}

void Tst_Rules_Test_Dialog::port_list_and_the_last_port() {
    Fixture f;
    f.state.Last_Test_Port = "/dev/ttyRS485";
    f.Put_Rule(Rule_Table::Read, 1, {"1", "Holding Register", "0", "1", ""});
    f.Click_Test();
    QCOMPARE(f.Port_Box()->currentText(), QString("/dev/ttyRS485"));
    f.Test_Window()->Set_Port_Source(std::make_unique<Fixed_Ports>(QList<Serial_Port>{
        {"ttyUSB1", "/dev/ttyUSB1"}, {"ttyS0", "/dev/ttyS0"}, {"ttyUSB0", "/dev/ttyUSB0"}}));
    QTest::mouseClick(f.Test_Button("Btn_Test_Port_List"), Qt::LeftButton);
    QStringList items;
    for (int i = 0; i < f.Port_Box()->count(); ++i)
        items.append(f.Port_Box()->itemText(i));
    QCOMPARE(items, (QStringList{"ttyS0", "ttyUSB0", "ttyUSB1"}));
    QCOMPARE(f.Port_Box()->currentText(), QString("/dev/ttyRS485")); // the typed text stays
    f.Port_Box()->setCurrentIndex(1);
    QCOMPARE(f.Port_Box()->currentText(), QString("ttyUSB0"));
}

QTEST_MAIN(Tst_Rules_Test_Dialog)
#include "tst_rules_test_dialog.moc"
