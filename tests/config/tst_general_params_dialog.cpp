#include "base/app_state.h"
#include "base/text_table.h"
#include "config/collapsible_panel_widget.h"
#include "config/general_params_dialog.h"
#include "dialog_recorder.h"
#include "document/general_params.h"
#include "test_dirs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <memory>

Q_DECLARE_METATYPE(General_Params)

namespace {

// An open configuration in a temporary folder and the editor over it.
struct Editor {
    QTemporaryDir dir;
    App_State state;
    Text_Table texts;
    Dialog_Recorder ui;
    std::unique_ptr<TFParGen> dialog;

    Editor() {
        state.Conf_Dir = dir.path();
        state.Set_Files();
        dialog = std::make_unique<TFParGen>(state, texts, ui);
    }

    template <class T> T* Get(const QString& name) const {
        T* widget = dialog->findChild<T*>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    QComboBox* List(const QString& name) const { return Get<QComboBox>(name); }
    QLineEdit* Edit(const QString& name) const { return Get<QLineEdit>(name); }
    QCheckBox* Check(const QString& name) const { return Get<QCheckBox>(name); }

    void Store(const General_Params& params) { Save_ParGen(state.ParGen_File, params); }
    General_Params Stored() const { return Load_ParGen(state.ParGen_File); }

    void Open() {
        dialog->FormShow();
        dialog->show();
        Settle();
    }
    // Lets pending layout requests run so that geometry is current.
    static void Settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCoreApplication::processEvents();
    }
    bool Shown(const QString& name) const { return Get<QWidget>(name)->isVisibleTo(dialog.get()); }
    void Press(const char* button) { QTest::mouseClick(Get<QPushButton>(button), Qt::LeftButton); }
};

// Everything hidden by one variant or the other set away from its default.
General_Params Hidden_Values(int hardware_type) {
    General_Params p;
    p.Hardware_Type = hardware_type;
    p.Ser_DataBits = 0;
    p.Ser_Prot = 3;
    p.Ser_Write_Mode = 1;
    p.Profi_Enable_Error = true;
    p.Profi_Num_Cont_Err = "7";
    p.Profi_Enable_Cancel_Data = true;
    p.Profi_Diagnosis_Zero = true;
    p.Profi_Diagnosis_Copy_Array = true;
    p.Profi_Diagnosis_Copy_Array_Position = "12";
    p.Del_Modbus_on_PROFI_error = true;
    p.Profi_Enable_Error_Address = "5";
    p.Ethernet_IP1 = "10";
    p.Ethernet_SM3 = "128";
    p.Ethernet_GAT4 = "254";
    p.Ethernet_EN_GAT = true;
    return p;
}

const QStringList only_without_ethernet = {
    "CB_ModbusMaster_DataBits",       "L_ModbusMaster_DataBits",      "CB_ModbusMaster_Protocol",
    "L_ModbusMaster_Protocol",        "CB_ModbusMaster_WriteType",    "L_ModbusMaster_WriteType",
    "E_PROFIBUS_Err_Num_Count",       "L_PROFIBUS_Err_Num_Count",     "CB_PROFIBUS_Err_En_Cancel_Data",
    "CB_PROFIBUS_Err_En_Set_To_Zero", "CB_PROFIBUS_Err_En_Copy_Data", "E_PROFIBUS_Err_En_Copy_Pos",
    "CB_PROFIBUS_Del_Modbus"};
const QStringList only_with_ethernet = {"E_PROFIBUS_Diagnosis_Address", "CP_Ethernet", "E_Ethernet_IP1",
                                        "E_Ethernet_GAT4", "CB_Ethernet_En_GAT"};
const QStringList always_shown = {"CB_HardwareType_HardwareType",
                                  "CB_ModbusMaster_Serial",
                                  "CB_ModbusMaster_Baudrate",
                                  "CB_ModbusMaster_Parity",
                                  "CB_ModbusMaster_StopBits",
                                  "E_ModbusMaster_TimeOut",
                                  "E_ModbusMaster_CyclicDelay",
                                  "CB_ModbusMaster_En_Modbus_On_PROFIBUS",
                                  "E_PROFIBUS_ID_Device",
                                  "CB_PROFIBUS_Baud",
                                  "E_PROFIBUS_NByte_In",
                                  "E_PROFIBUS_NByte_Out",
                                  "CB_PROFIBUS_En_Err_Diagnosis",
                                  "CB_PROFIBUS_Err_En_Diagnosis",
                                  "CB_PROFIBUS_En_Async_Req",
                                  "E_PROFIBUS_Async_Add_In",
                                  "E_PROFIBUS_Async_Add_Out",
                                  "CP_Hardware_Type",
                                  "CP_Modbus_Master",
                                  "CP_PROFIBUS"};

} // namespace

class Tst_General_Params_Dialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaults_with_no_document();
    void texts_of_the_fields_data();
    void texts_of_the_fields();
    void layout_follows_hardware_type();
    void hidden_values_saved_unchanged_data();
    void hidden_values_saved_unchanged();
    void diagnosis_address_enabled_while_diagnosis_unchecked();
    void ok_saves_what_the_controls_show();
    void failed_check_shows_message_and_writes_nothing_data();
    void failed_check_shows_message_and_writes_nothing();
    void failed_write_keeps_dialog_open();
    void cancel_after_changes_writes_nothing();
    void stored_index_outside_list_written_back();
    void malformed_document_is_not_opened();
    void step_runs_show_then_modal();
    void full_stop_moves_along_the_chain_data();
    void full_stop_moves_along_the_chain();
    void other_keys_reach_the_octet_edit();
    void set_lang_replaces_texts_and_lists();
    void wheel_scrolls_the_panel_group();
    void client_width_stays_460();
};

void Tst_General_Params_Dialog::defaults_with_no_document() {
    Editor e;
    e.Open();
    QVERIFY(!QFile::exists(e.state.ParGen_File));
    QCOMPARE(e.dialog->Values(), General_Params{});
    QCOMPARE(e.List("CB_HardwareType_HardwareType")->currentText(), QString("Hardware Without Ethernet"));
    QCOMPARE(e.List("CB_ModbusMaster_Baudrate")->currentText(), QString("115200"));
    QCOMPARE(e.List("CB_ModbusMaster_DataBits")->currentText(), QString("8 Data Bits"));
    QCOMPARE(e.List("CB_ModbusMaster_Protocol")->currentText(), QString("Modbus RTU"));
    QCOMPARE(e.List("CB_ModbusMaster_WriteType")->currentText(), QString("Write on Change Data"));
    QCOMPARE(e.List("CB_PROFIBUS_Baud")->currentText(), QString("Auto Baudrate"));
    QCOMPARE(e.List("CB_PROFIBUS_Baud")->count(), 11);
    QVERIFY(!e.List("CB_PROFIBUS_Baud")->isEnabled());
    QCOMPARE(e.Edit("E_PROFIBUS_Diagnosis_Address")->text(), QString("0"));
    QCOMPARE(e.Edit("E_PROFIBUS_ID_Device")->text(), QString("1"));
    QCOMPARE(e.Edit("E_Ethernet_GAT4")->text(), QString("1"));
    QVERIFY(!e.Shown("CP_Ethernet"));

    QCOMPARE(e.dialog->objectName(), QString("FParGen"));
    QCOMPARE(e.dialog->windowTitle(), QString("Set Communication"));
    QCOMPARE(e.Get<QLabel>("L_SW_Desc")->text(), QString("Set Communication Setting"));
    QCOMPARE(e.Get<QLabel>("L_SW_Code")->text(), e.state.Soft_Code);
    QCOMPARE(e.Get<QPushButton>("Btn_OK")->toolTip(), e.texts[404]);
    QCOMPARE(e.Get<QPushButton>("Btn_Cancel")->text(), e.texts[403]);
    QCOMPARE(e.Get<Collapsible_Panel>("CP_Hardware_Type")->Caption(), QString("1. Hardware Type"));
    QCOMPARE(e.Get<Collapsible_Panel>("CP_Modbus_Master")->Caption(), QString("2. Modbus Master"));
    QCOMPARE(e.Get<Collapsible_Panel>("CP_PROFIBUS")->Caption(), QString("3. PROFIBUS"));
    QCOMPARE(e.Get<Collapsible_Panel>("CP_Ethernet")->Caption(), QString("4. Ethernet"));
}

void Tst_General_Params_Dialog::texts_of_the_fields_data() {
    // The label (a label's or the check box's own caption) and the hint of
    // every field; "" where the field has no label of its own.
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("label_text");
    QTest::addColumn<int>("hint_text");
    auto row = [](const char* field, const char* label, int label_text, int hint_text) {
        QTest::newRow(field) << QString(field) << QString(label) << label_text << hint_text;
    };
    row("CB_HardwareType_HardwareType", "L_HardwareType_HardwareType", 407, 410);
    row("CB_ModbusMaster_Serial", "L_ModbusMaster_Serial", 412, 413);
    row("CB_ModbusMaster_Baudrate", "L_ModbusMaster_Baudrate", 414, 415);
    row("CB_ModbusMaster_Parity", "L_ModbusMaster_Parity", 416, 417);
    row("CB_ModbusMaster_StopBits", "L_ModbusMaster_StopBits", 418, 419);
    row("CB_ModbusMaster_DataBits", "L_ModbusMaster_DataBits", 498, 499);
    row("E_ModbusMaster_TimeOut", "L_ModbusMaster_TimeOut", 420, 421);
    row("E_ModbusMaster_CyclicDelay", "L_ModbusMaster_CyclicDelay", 422, 423);
    row("CB_ModbusMaster_Protocol", "L_ModbusMaster_Protocol", 424, 425);
    row("CB_ModbusMaster_WriteType", "L_ModbusMaster_WriteType", 426, 429);
    row("CB_ModbusMaster_En_Modbus_On_PROFIBUS", "", 496, 497);
    row("E_PROFIBUS_ID_Device", "L_PROFIBUS_ID_Device", 431, 432);
    row("CB_PROFIBUS_Baud", "L_PROFIBUS_Baud", 433, 434);
    row("E_PROFIBUS_NByte_In", "L_PROFIBUS_NByte_In", 435, 436);
    row("E_PROFIBUS_NByte_Out", "L_PROFIBUS_NByte_Out", 437, 438);
    row("CB_PROFIBUS_En_Err_Diagnosis", "", 439, 440);
    row("E_PROFIBUS_Diagnosis_Address", "", -1, 494);
    row("E_PROFIBUS_Err_Num_Count", "L_PROFIBUS_Err_Num_Count", 441, 442);
    row("CB_PROFIBUS_Err_En_Diagnosis", "", 443, 444);
    row("CB_PROFIBUS_Err_En_Cancel_Data", "", 445, 446);
    row("CB_PROFIBUS_Err_En_Set_To_Zero", "", 447, 448);
    row("CB_PROFIBUS_Err_En_Copy_Data", "", 500, 501);
    row("E_PROFIBUS_Err_En_Copy_Pos", "", -1, 502);
    row("CB_PROFIBUS_En_Async_Req", "", 449, 450);
    row("E_PROFIBUS_Async_Add_In", "L_PROFIBUS_Async_Add_In", 451, 452);
    row("E_PROFIBUS_Async_Add_Out", "L_PROFIBUS_Async_Add_Out", 453, 454);
    row("CB_PROFIBUS_Del_Modbus", "", 455, 456);
    row("E_Ethernet_IP1", "L_Ethernet_IP", 458, 459);
    row("E_Ethernet_IP4", "L_Ethernet_IP", 458, 462);
    row("E_Ethernet_SM1", "L_Ethernet_SM", 463, 464);
    row("E_Ethernet_SM4", "L_Ethernet_SM", 463, 467);
    row("CB_Ethernet_En_GAT", "", 468, 469);
    row("E_Ethernet_GAT1", "", -1, 470);
    row("E_Ethernet_GAT4", "", -1, 473);
}

void Tst_General_Params_Dialog::texts_of_the_fields() {
    QFETCH(QString, field);
    QFETCH(QString, label);
    QFETCH(int, label_text);
    QFETCH(int, hint_text);
    Editor e;
    QWidget* widget = e.Get<QWidget>(field);
    QCOMPARE(widget->toolTip(), e.texts[hint_text]);
    if (!label.isEmpty())
        QCOMPARE(e.Get<QLabel>(label)->text(), e.texts[label_text]);
    else if (auto* check = qobject_cast<QCheckBox*>(widget))
        QCOMPARE(check->text(), e.texts[label_text]);
}

void Tst_General_Params_Dialog::layout_follows_hardware_type() {
    Editor e;
    e.Open();
    QComboBox* hardware = e.List("CB_HardwareType_HardwareType");
    auto* modbus = e.Get<QWidget>("CP_Modbus_Master");
    auto* profibus = e.Get<QWidget>("CP_PROFIBUS");
    const QList<QWidget*> panels = {e.Get<QWidget>("CP_Hardware_Type"), modbus, profibus,
                                    e.Get<QWidget>("CP_Ethernet")};

    // The panels follow one another at one spacing: no gap where rows were hidden.
    auto check_layout_gaps = [&] {
        int spacing = -1;
        QWidget* previous = nullptr;
        for (QWidget* panel : panels) {
            if (!panel->isVisibleTo(e.dialog.get()))
                continue;
            if (previous) {
                const int gap = panel->y() - (previous->y() + previous->height());
                if (spacing < 0)
                    spacing = gap;
                QCOMPARE(gap, spacing);
                QVERIFY(gap < 10);
            }
            previous = panel;
        }
    };
    auto check_layout = [&](bool ethernet) {
        for (const QString& name : always_shown)
            QVERIFY2(e.Shown(name), qPrintable(name));
        for (const QString& name : only_without_ethernet)
            QVERIFY2(e.Shown(name) == !ethernet, qPrintable(name));
        for (const QString& name : only_with_ethernet)
            QVERIFY2(e.Shown(name) == ethernet, qPrintable(name));
        check_layout_gaps();
    };

    check_layout(false);
    const int modbus_height = modbus->height();
    const int profibus_height = profibus->height();

    hardware->setCurrentIndex(1);
    e.Settle();
    check_layout(true);
    QVERIFY(modbus->height() < modbus_height);
    QVERIFY(profibus->height() < profibus_height);

    hardware->setCurrentIndex(0);
    e.Settle();
    check_layout(false);
    QCOMPARE(modbus->height(), modbus_height);
    QCOMPARE(profibus->height(), profibus_height);

    // A folded panel gives back its rows' height; the next one moves up.
    auto* header = modbus->findChild<QAbstractButton*>("Panel_Header");
    QVERIFY(header);
    const int profibus_y = profibus->y();
    QTest::mouseClick(header, Qt::LeftButton);
    e.Settle();
    QVERIFY(!e.Shown("CB_ModbusMaster_Serial"));
    QVERIFY(profibus->y() < profibus_y);
    check_layout_gaps();
    QTest::mouseClick(header, Qt::LeftButton);
    e.Settle();
    QVERIFY(e.Shown("CB_ModbusMaster_Serial"));
    QCOMPARE(profibus->y(), profibus_y);

    // Re-derived at every showing from the stored variant.
    General_Params stored;
    stored.Hardware_Type = 1;
    e.Store(stored);
    e.dialog->FormShow();
    e.Settle();
    check_layout(true);
}

void Tst_General_Params_Dialog::hidden_values_saved_unchanged_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::newRow("to Ethernet") << 0 << 1;
    QTest::newRow("back without Ethernet") << 1 << 0;
}

void Tst_General_Params_Dialog::hidden_values_saved_unchanged() {
    QFETCH(int, from);
    QFETCH(int, to);
    Editor e;
    e.Store(Hidden_Values(from));
    e.Open();
    e.List("CB_HardwareType_HardwareType")->setCurrentIndex(to);
    e.Press("Btn_OK");
    QVERIFY(e.ui.Shown().isEmpty());
    QCOMPARE(e.dialog->result(), int(QDialog::Accepted));
    QCOMPARE(e.Stored(), Hidden_Values(to));
}

void Tst_General_Params_Dialog::diagnosis_address_enabled_while_diagnosis_unchecked() {
    Editor e;
    General_Params stored;
    stored.Hardware_Type = 1;
    stored.Profi_Enable_Diagnosis = true;
    e.Store(stored);
    e.Open();
    QLineEdit* address = e.Edit("E_PROFIBUS_Diagnosis_Address");
    QCheckBox* diagnosis = e.Check("CB_PROFIBUS_Err_En_Diagnosis");
    QVERIFY(!address->isEnabled());

    QTest::mouseClick(diagnosis, Qt::LeftButton);
    QVERIFY(!diagnosis->isChecked());
    QVERIFY(address->isEnabled());

    QTest::mouseClick(diagnosis, Qt::LeftButton);
    QVERIFY(diagnosis->isChecked());
    QVERIFY(!address->isEnabled());

    // Other check boxes leave it alone.
    QTest::mouseClick(e.Check("CB_PROFIBUS_En_Err_Diagnosis"), Qt::LeftButton);
    QVERIFY(!address->isEnabled());

    // The next showing derives it from the document again.
    stored.Profi_Enable_Diagnosis = false;
    e.Store(stored);
    e.dialog->FormShow();
    QVERIFY(address->isEnabled());
}

void Tst_General_Params_Dialog::ok_saves_what_the_controls_show() {
    Editor e;
    e.Open();
    // Two stop bits with EVEN parity and seven data bits with Modbus RTU are
    // advised against, not refused.
    e.List("CB_ModbusMaster_Serial")->setCurrentIndex(1);
    e.List("CB_ModbusMaster_Baudrate")->setCurrentIndex(2);
    e.List("CB_ModbusMaster_Parity")->setCurrentIndex(1);
    e.List("CB_ModbusMaster_StopBits")->setCurrentIndex(1);
    e.List("CB_ModbusMaster_DataBits")->setCurrentIndex(0);
    e.List("CB_ModbusMaster_Protocol")->setCurrentIndex(0);
    e.List("CB_ModbusMaster_WriteType")->setCurrentIndex(1);
    QTest::mouseClick(e.Check("CB_ModbusMaster_En_Modbus_On_PROFIBUS"), Qt::LeftButton);
    e.Edit("E_ModbusMaster_TimeOut")->setText("60000");
    e.Edit("E_ModbusMaster_CyclicDelay")->setText("$10");
    e.Edit("E_PROFIBUS_ID_Device")->setText("125");
    e.Edit("E_PROFIBUS_NByte_In")->setText("10");
    e.Edit("E_PROFIBUS_NByte_Out")->setText("20");
    QTest::mouseClick(e.Check("CB_PROFIBUS_En_Async_Req"), Qt::LeftButton);
    e.Edit("E_PROFIBUS_Async_Add_In")->setText("6");
    e.Edit("E_PROFIBUS_Async_Add_Out")->setText("12");
    // With the gateway off its octets are stored as typed.
    e.Edit("E_Ethernet_GAT1")->setText("999");
    e.Edit("E_Ethernet_GAT2")->setText("");

    General_Params expected;
    expected.Ser_Type = 1;
    expected.Ser_Baud = 2;
    expected.Ser_Par = 1;
    expected.Ser_StopBits = 1;
    expected.Ser_DataBits = 0;
    expected.Ser_Write_Mode = 1;
    expected.Ser_Enable_Modbus_PROFIBUS_Active = true;
    expected.Ser_TO = "60000";
    expected.Ser_CD = "$10";
    expected.Profi_ID = "125";
    expected.Profi_NB_IN = "10";
    expected.Profi_NB_OUT = "20";
    expected.Profi_Enable_Async_Mod_Req = true;
    expected.Profi_Async_Req_Start_IN = "6";
    expected.Profi_Async_Req_Start_OUT = "12";
    expected.Ethernet_GAT1 = "999";
    expected.Ethernet_GAT2 = "";

    e.Press("Btn_OK");
    QVERIFY(e.ui.Shown().isEmpty());
    QCOMPARE(e.dialog->result(), int(QDialog::Accepted));
    QVERIFY(!e.dialog->isVisible());
    QCOMPARE(e.Stored(), expected);

    // Shown again, the dialog reads back what it wrote.
    e.dialog->FormShow();
    QCOMPARE(e.dialog->Values(), expected);
}

void Tst_General_Params_Dialog::failed_check_shows_message_and_writes_nothing_data() {
    QTest::addColumn<General_Params>("stored");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");

    General_Params plain;
    QTest::newRow("empty time-out")
        << plain << "E_ModbusMaster_TimeOut"
        << ""
        << "Error Modbus Master!! TimeOut must be between 0 and 60000 milliseconds";

    General_Params copy;
    copy.Profi_Enable_Error = true;
    copy.Profi_Diagnosis_Copy_Array = true;
    QTest::newRow("copy position 237") << copy << "E_PROFIBUS_Err_En_Copy_Pos"
                                       << "237"
                                       << "Error PROFIBUS!! The Starting Position for copy Diagnosis in Data "
                                          "Array must be between 0 and 236";

    General_Params address;
    address.Hardware_Type = 1;
    address.Profi_Enable_Error = true;
    address.Profi_NB_IN = "0";
    QTest::newRow("diagnosis address with no input bytes")
        << address << "E_PROFIBUS_Diagnosis_Address"
        << "0"
        << "Error PROFIBUS!! Address for Diagnosis Error must be between 0 and -1";

    General_Params gateway;
    gateway.Ethernet_EN_GAT = true;
    QTest::newRow("gateway octet while the panel is hidden")
        << gateway << "E_Ethernet_GAT3"
        << "a"
        << "Error Ethernet!! GATEWAY IP 3 must be between 0 and 255";
}

void Tst_General_Params_Dialog::failed_check_shows_message_and_writes_nothing() {
    QFETCH(General_Params, stored);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    Editor e;
    e.Store(stored);
    const QByteArray before = Read_All(e.state.ParGen_File);
    e.Open();
    e.Edit(field)->setText(typed);
    const General_Params shown = e.dialog->Values();

    e.ui.Expect_Error(message);
    e.Press("Btn_OK");
    QVERIFY(e.ui.All_Answered());
    QVERIFY(e.dialog->isVisible());
    QCOMPARE(e.dialog->result(), int(QDialog::Rejected));
    QCOMPARE(e.dialog->Values(), shown);
    QCOMPARE(Read_All(e.state.ParGen_File), before);
}

void Tst_General_Params_Dialog::failed_write_keeps_dialog_open() {
    Editor e;
    e.Open();
    // The configuration folder has gone away meanwhile.
    e.state.ParGen_File = e.dir.filePath("gone/ParGen.xml");
    e.ui.Expect_Error();
    e.Press("Btn_OK");
    QVERIFY(e.ui.All_Answered());
    QVERIFY2(e.ui.Shown_Texts(Ui_Recorder::Kind::Error).value(0).contains("ParGen.xml"),
             qPrintable(e.ui.Shown_Texts(Ui_Recorder::Kind::Error).value(0)));
    QVERIFY(e.dialog->isVisible());
    QCOMPARE(e.dialog->result(), int(QDialog::Rejected));
}

void Tst_General_Params_Dialog::cancel_after_changes_writes_nothing() {
    Editor e;
    General_Params stored = Hidden_Values(0);
    stored.Ser_TO = "250";
    e.Store(stored);
    const QByteArray before = Read_All(e.state.ParGen_File);
    e.Open();
    e.Edit("E_ModbusMaster_TimeOut")->setText("300");
    e.List("CB_HardwareType_HardwareType")->setCurrentIndex(1);
    QTest::mouseClick(e.Check("CB_Ethernet_En_GAT"), Qt::LeftButton);
    const QString discard = "The communication settings have been changed. Discard the changes?";
    e.ui.Expect_Question(true, discard, Ui_Services::Default_Answer::No);
    e.Press("Btn_Cancel");
    QCOMPARE(e.dialog->result(), int(QDialog::Rejected));
    QVERIFY(!e.dialog->isVisible());
    QCOMPARE(Read_All(e.state.ParGen_File), before);

    e.Open();
    QCOMPARE(e.dialog->Values(), stored);
    QVERIFY(!e.Shown("CP_Ethernet"));

    // Closing the window is a Cancel as well.
    e.Edit("E_ModbusMaster_TimeOut")->setText("300");
    e.ui.Expect_Question(true, discard, Ui_Services::Default_Answer::No);
    e.dialog->close();
    QVERIFY(!e.dialog->isVisible());
    QCOMPARE(Read_All(e.state.ParGen_File), before);
    QVERIFY(e.ui.All_Answered());
}

void Tst_General_Params_Dialog::stored_index_outside_list_written_back() {
    Editor e;
    General_Params stored;
    stored.Ser_Baud = 9;
    stored.Ser_Prot = -2;
    stored.Hardware_Type = 2;
    e.Store(stored);
    e.Open();
    QCOMPARE(e.List("CB_ModbusMaster_Baudrate")->currentIndex(), -1);
    QCOMPARE(e.List("CB_ModbusMaster_Protocol")->currentIndex(), -1);
    QCOMPARE(e.List("CB_HardwareType_HardwareType")->currentIndex(), -1);
    // A hardware list with nothing selected lays out as without Ethernet.
    QVERIFY(!e.Shown("CP_Ethernet"));
    QVERIFY(e.Shown("CB_ModbusMaster_Protocol"));

    e.Press("Btn_OK");
    QCOMPARE(e.dialog->result(), int(QDialog::Accepted));
    QCOMPARE(e.Stored(), stored);

    // Once the user picks an item, that item is stored.
    e.Open();
    e.List("CB_ModbusMaster_Baudrate")->setCurrentIndex(3);
    e.Press("Btn_OK");
    QCOMPARE(e.Stored().Ser_Baud, 3);
    QCOMPARE(e.Stored().Ser_Prot, -2);
}

void Tst_General_Params_Dialog::malformed_document_is_not_opened() {
    Editor e;
    const QByteArray broken = Read_All(Fixture_Path("broken/malformed.xml"));
    QVERIFY(!broken.isEmpty());
    QVERIFY(Write_All(e.state.ParGen_File, broken));
    e.ui.Expect_Error();
    // No modal showing is expected: the recorder fails the test on one.
    QCOMPARE(Show_General_Params(*e.dialog, e.ui), int(QDialog::Rejected));
    QVERIFY(e.ui.All_Answered());
    const QStringList errors = e.ui.Shown_Texts(Ui_Recorder::Kind::Error);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].contains("ParGen.xml"), qPrintable(errors[0]));
    QCOMPARE(Read_All(e.state.ParGen_File), broken);
}

void Tst_General_Params_Dialog::step_runs_show_then_modal() {
    Editor e;
    e.ui.Expect_Modal([&](QDialog& dialog) {
        e.List("CB_HardwareType_HardwareType")->setCurrentIndex(1);
        e.Press("Btn_OK");
        return dialog.result();
    });
    QCOMPARE(Show_General_Params(*e.dialog, e.ui), int(QDialog::Accepted));
    QVERIFY(e.ui.All_Answered());
    QCOMPARE(e.Stored().Hardware_Type, 1);
}

void Tst_General_Params_Dialog::full_stop_moves_along_the_chain_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::newRow("IP1") << "E_Ethernet_IP1"
                         << "E_Ethernet_IP2";
    QTest::newRow("IP3") << "E_Ethernet_IP3"
                         << "E_Ethernet_IP4";
    QTest::newRow("IP4") << "E_Ethernet_IP4"
                         << "E_Ethernet_SM1";
    QTest::newRow("SM2") << "E_Ethernet_SM2"
                         << "E_Ethernet_SM3";
    QTest::newRow("SM4") << "E_Ethernet_SM4"
                         << "E_Ethernet_GAT1";
    QTest::newRow("GAT3") << "E_Ethernet_GAT3"
                          << "E_Ethernet_GAT4";
    QTest::newRow("GAT4 last") << "E_Ethernet_GAT4"
                               << "E_Ethernet_GAT4";
}

void Tst_General_Params_Dialog::full_stop_moves_along_the_chain() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    Editor e;
    e.Open();
    e.List("CB_HardwareType_HardwareType")->setCurrentIndex(1);
    QLineEdit* edit = e.Edit(from);
    edit->setText("12");
    edit->setFocus();
    QCOMPARE(e.dialog->focusWidget(), edit);

    QTest::keyClick(edit, '.');
    QCOMPARE(e.dialog->focusWidget(), e.Edit(to));
    QCOMPARE(edit->text(), QString("12"));
    QCOMPARE(e.Edit(to)->text().contains('.'), false);
}

void Tst_General_Params_Dialog::other_keys_reach_the_octet_edit() {
    Editor e;
    e.Open();
    e.List("CB_HardwareType_HardwareType")->setCurrentIndex(1);
    QLineEdit* edit = e.Edit("E_Ethernet_SM2");
    edit->clear();
    edit->setFocus();
    QTest::keyClicks(edit, "2a,5");
    QCOMPARE(edit->text(), QString("2a,5"));
    QCOMPARE(e.dialog->focusWidget(), edit);
    // A full stop anywhere else is an ordinary character.
    QLineEdit* timeout = e.Edit("E_ModbusMaster_TimeOut");
    timeout->clear();
    QTest::keyClicks(timeout, "1.5");
    QCOMPARE(timeout->text(), QString("1.5"));
}

void Tst_General_Params_Dialog::set_lang_replaces_texts_and_lists() {
    Editor e;
    General_Params stored;
    stored.Hardware_Type = 1;
    stored.Ser_Write_Mode = 1;
    stored.Ser_Baud = 2;
    e.Store(stored);
    e.Open();
    QVERIFY(e.Shown("CP_Ethernet"));

    e.texts.Set_Text(400, "Kommunikation");
    e.texts.Set_Text(408, "Ohne Ethernet");
    e.texts.Set_Text(409, "Mit Ethernet");
    e.texts.Set_Text(427, "Bei Aenderung");
    e.texts.Set_Text(428, "Zyklisch");
    e.texts.Set_Text(430, "PB");
    e.texts.Set_Text(443, "Diagnose");
    e.texts.Set_Text(473, "Viertes Byte");
    e.dialog->Set_Lang();

    QComboBox* hardware = e.List("CB_HardwareType_HardwareType");
    QCOMPARE(hardware->count(), 2);
    QCOMPARE(hardware->itemText(1), QString("Mit Ethernet"));
    QCOMPARE(hardware->currentText(), QString("Ohne Ethernet"));
    QComboBox* write_type = e.List("CB_ModbusMaster_WriteType");
    QCOMPARE(write_type->itemText(0), QString("Bei Aenderung"));
    QCOMPARE(write_type->currentIndex(), 0);
    QCOMPARE(e.List("CB_ModbusMaster_Baudrate")->currentIndex(), 2);
    QCOMPARE(e.dialog->windowTitle(), QString("Kommunikation"));
    QCOMPARE(e.Get<Collapsible_Panel>("CP_PROFIBUS")->Caption(), QString("3. PB"));
    QCOMPARE(e.Check("CB_PROFIBUS_Err_En_Diagnosis")->text(), QString("Diagnose"));
    QCOMPARE(e.Edit("E_Ethernet_GAT4")->toolTip(), QString("Viertes Byte"));
    // The hardware list changed with it, and so did the layout.
    QVERIFY(!e.Shown("CP_Ethernet"));
}

void Tst_General_Params_Dialog::wheel_scrolls_the_panel_group() {
    Editor e;
    General_Params stored;
    stored.Hardware_Type = 1;
    e.Store(stored);
    e.Open();
    e.dialog->resize(460, 400);
    e.Settle();
    QScrollBar* bar = e.Get<QScrollArea>("CPG")->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    const int step = bar->singleStep() * QApplication::wheelScrollLines();
    QVERIFY(step > 0);

    auto wheel = [](QWidget* target, int delta) {
        QWheelEvent event(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
        return event.isAccepted();
    };

    // Over a list the group scrolls and the list keeps its item.
    QComboBox* baud = e.List("CB_ModbusMaster_Baudrate");
    QVERIFY(wheel(baud, -120));
    QCOMPARE(bar->value(), std::min(step, bar->maximum()));
    QCOMPARE(baud->currentIndex(), 7);
    QVERIFY(wheel(e.Get<QLabel>("L_PROFIBUS_NByte_In"), -120));
    QCOMPARE(bar->value(), std::min(2 * step, bar->maximum()));
    QVERIFY(wheel(e.Edit("E_PROFIBUS_ID_Device"), 120));
    QCOMPARE(bar->value(), std::min(2 * step, bar->maximum()) - step);

    // Outside the group the wheel is left alone.
    const int before = bar->value();
    wheel(e.Get<QPushButton>("Btn_OK"), -120);
    QCOMPARE(bar->value(), before);
}

void Tst_General_Params_Dialog::client_width_stays_460() {
    Editor e;
    e.Open();
    QCOMPARE(e.dialog->width(), 460);
    e.dialog->resize(800, 500);
    e.Settle();
    QCOMPARE(e.dialog->width(), 460);
    QCOMPARE(e.dialog->height(), 500);
}

QTEST_MAIN(Tst_General_Params_Dialog)
#include "tst_general_params_dialog.moc"
