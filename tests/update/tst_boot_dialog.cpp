#include "base/app_state.h"
#include "base/text_table.h"
#include "ui_recorder.h"
#include "update/boot_dialog.h"
#include "update/update_services.h"
#include "update_fakes.h"
#include "updater_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDomDocument>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// One dialog with its state, texts, recorder and doubles of the outside world.
struct Boot_Fixture {
    Updater_Folder folder;
    App_State state;
    Text_Table texts;
    Ui_Recorder ui;
    Fake_Clock clock;
    Fake_Starter starter;
    Scripted_Echo echo{clock};
    Fixed_Ports ports;
    std::unique_ptr<TFBoot> dialog;

    explicit Boot_Fixture(int form_type) {
        state.Set_Program_Dir(folder.program_dir);
        state.Conf_Name = QStringLiteral("Plant A");
        state.Conf_Dir = folder.conf_dir;
        state.Set_Files();
        ports.ports = {{QStringLiteral("COM3"), QStringLiteral("\\\\.\\COM3")},
                       {QStringLiteral("COM1"), QStringLiteral("\\\\.\\COM1")}};
        dialog = std::make_unique<TFBoot>(state, texts, ui, Update_Services{starter, echo, ports, clock, {}});
        dialog->Set_Form_Type(form_type);
    }

    template <typename T> T* Find(const char* name) const {
        T* widget = dialog->findChild<T*>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QLineEdit* Edit(int n) const { return Find<QLineEdit>(qPrintable(QStringLiteral("E_IP%1").arg(n))); }

    void Show() {
        dialog->FormShow();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }

    void Set_Edits(const QStringList& texts_of_edits) const {
        for (int i = 0; i < 4; ++i)
            Edit(i + 1)->setText(texts_of_edits[i]);
    }
    QStringList Edits() const { return {Edit(1)->text(), Edit(2)->text(), Edit(3)->text(), Edit(4)->text()}; }
    void Press_Update() const { QTest::mouseClick(Find<QPushButton>("Btn_Update"), Qt::LeftButton); }
    QString Parameter_File() const { return QDir(folder.program_dir).filePath(Ethernet_Parameter_File); }
};

} // namespace

class Tst_Boot_Dialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void modes_data();
    void modes();
    void language_change();
    void address_on_showing_data();
    void address_on_showing();
    void full_stop_moves_on();
    void com_port_list();
    void serial_update_and_choices_survive_reopening();
    void serial_update_without_ports();
    void ethernet_update_after_echo();
    void ethernet_address_typed_during_the_echo();
    void ethernet_device_not_found();
    void ethernet_address_not_valid();
    void start_failure_names_the_program();
    void wait_indicator_while_the_updater_runs();
    void real_serial_update_with_the_stand_in();
    void real_ethernet_update_to_loopback();
};

void Tst_Boot_Dialog::modes_data() {
    QTest::addColumn<int>("form_type");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("desc");
    QTest::addColumn<QString>("focus");
    QTest::newRow("serial") << 0 << "Update Device by Serial"
                            << "Update Device Using the Serial Port"
                            << "CB_COM_Port";
    QTest::newRow("ethernet") << 1 << "Update Device by Ethernet (UDP)"
                              << "Update Device Using the Ethernet Port"
                              << "E_IP1";
}

void Tst_Boot_Dialog::modes() {
    QFETCH(int, form_type);
    QFETCH(QString, title);
    QFETCH(QString, desc);
    QFETCH(QString, focus);
    Boot_Fixture f(form_type);
    f.Show();
    QCOMPARE(f.dialog->objectName(), QStringLiteral("FBoot"));
    QCOMPARE(f.dialog->Form_Type(), form_type);
    QCOMPARE(f.dialog->windowTitle(), title);
    QCOMPARE(f.Find<QLabel>("L_SW_Desc")->text(), desc);
    QCOMPARE(f.Find<QLabel>("L_SW_Code")->text(), f.state.Soft_Code);
    QCOMPARE(f.Find<QFrame>("P_Serial")->isVisible(), form_type == 0);
    QCOMPARE(f.Find<QFrame>("P_IP_Address")->isVisible(), form_type == 1);
    QVERIFY(f.Find<QFrame>("P_Options")->isVisible());
    QVERIFY(f.Find<QFrame>("P_Button")->isVisible());
    QCOMPARE(f.dialog->focusWidget()->objectName(), focus);
    const QComboBox* options = f.Find<QComboBox>("CB_Update_Options");
    QCOMPARE(options->count(), 3);
    QCOMPARE(options->itemText(0), QStringLiteral("Firmware + Configuration"));
    QCOMPARE(options->itemText(2), QStringLiteral("Configuration"));
    QVERIFY(f.Find<QCheckBox>("CB_Update_Option_Read_Back")->isChecked());
    QCOMPARE(f.Find<QPushButton>("Btn_Update")->text(), QStringLiteral("Execute Update Firmware"));
    QCOMPARE(f.Edit(3)->toolTip(), QStringLiteral("Insert third byte of IP Address"));
}

void Tst_Boot_Dialog::language_change() {
    Boot_Fixture f(1);
    f.Show();
    f.texts.Set_Text(802, QStringLiteral("Aggiornamento via Ethernet"));
    f.texts.Set_Text(816, QStringLiteral("Solo firmware"));
    f.texts.Set_Text(819, QStringLiteral("Annulla"));
    f.dialog->Set_Lang();
    QCOMPARE(f.dialog->windowTitle(), QStringLiteral("Aggiornamento via Ethernet"));
    QCOMPARE(f.Find<QComboBox>("CB_Update_Options")->itemText(1), QStringLiteral("Solo firmware"));
    QCOMPARE(f.Find<QPushButton>("Btn_Cancel")->text(), QStringLiteral("Annulla"));
}

void Tst_Boot_Dialog::address_on_showing_data() {
    QTest::addColumn<QString>("last");
    QTest::addColumn<QStringList>("edits");
    const QStringList kept{"1", "2", "3", "4"};
    QTest::newRow("plain") << "192.168.2.205" << QStringList{"192", "168", "2", "205"};
    QTest::newRow("blanks around parts") << "10 . 0 . 0 . 7" << QStringList{"10", "0", "0", "7"};
    QTest::newRow("three parts") << "10.0.0" << kept;
    QTest::newRow("256") << "10.0.0.256" << kept;
    QTest::newRow("empty") << "" << kept;
}

void Tst_Boot_Dialog::address_on_showing() {
    QFETCH(QString, last);
    QFETCH(QStringList, edits);
    Boot_Fixture f(1);
    f.Set_Edits({"1", "2", "3", "4"});
    f.state.Last_IP_Address = last;
    f.Show();
    QCOMPARE(f.Edits(), edits);
}

void Tst_Boot_Dialog::full_stop_moves_on() {
    Boot_Fixture f(1);
    f.Show();
    f.Set_Edits({"10", "0", "0", "7"});
    for (int n = 1; n <= 3; ++n) {
        f.Edit(n)->setFocus();
        QTest::keyClick(f.Edit(n), '.');
        QCOMPARE(f.Edit(n)->text(), f.Edits()[n - 1]);
        QCOMPARE(f.dialog->focusWidget(), f.Edit(n + 1));
    }
    // In the last edit the full stop does nothing at all.
    QTest::keyClick(f.Edit(4), '.');
    QCOMPARE(f.Edit(4)->text(), QStringLiteral("7"));
    QCOMPARE(f.dialog->focusWidget(), f.Edit(4));
    // The keypad's full stop is swallowed the same way; other keys pass.
    f.Edit(2)->setFocus();
    QTest::keyClick(f.Edit(2), Qt::Key_Period, Qt::KeypadModifier);
    QCOMPARE(f.dialog->focusWidget(), f.Edit(3));
    // The edit reached by the full stop has its text selected, so typing
    // replaces it; any character is taken.
    QTest::keyClicks(f.Edit(3), QStringLiteral("5x "));
    QCOMPARE(f.Edit(3)->text(), QStringLiteral("5x "));
    // A disabled next edit does not take the focus; the stop is still swallowed.
    f.Edit(2)->setEnabled(false);
    f.Edit(1)->setFocus();
    QTest::keyClick(f.Edit(1), '.');
    QCOMPARE(f.Edit(1)->text(), QStringLiteral("10"));
    QCOMPARE(f.dialog->focusWidget(), f.Edit(1));
}

void Tst_Boot_Dialog::com_port_list() {
    Boot_Fixture f(0);
    f.Show();
    QComboBox* list = f.Find<QComboBox>("CB_COM_Port");
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->itemText(0), QStringLiteral("COM1"));
    QCOMPARE(list->itemText(1), QStringLiteral("COM3"));
    QCOMPARE(list->currentText(), QStringLiteral("COM1"));
    QVERIFY(!list->isEditable());
    f.ports.ports.append({QStringLiteral("COM2"), QStringLiteral("\\\\.\\COM2")});
    QTest::mouseClick(f.Find<QPushButton>("Btn_COM_List"), Qt::LeftButton);
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->itemText(1), QStringLiteral("COM2"));
    f.ports.ports.clear();
    f.dialog->update_ComPort();
    QCOMPARE(list->count(), 0);
    QCOMPARE(list->currentIndex(), -1);
}

void Tst_Boot_Dialog::serial_update_and_choices_survive_reopening() {
    Boot_Fixture f(0);
    f.Show();
    f.Find<QComboBox>("CB_COM_Port")->setCurrentIndex(1);
    f.Find<QComboBox>("CB_Update_Options")->setCurrentIndex(1);
    f.Find<QCheckBox>("CB_Update_Option_Read_Back")->setChecked(false);
    f.Press_Update();
    QCOMPARE(f.starter.calls.size(), 1);
    QCOMPARE(f.starter.calls[0].program, Updater_Program_Path(f.state.Program_Dir, Serial_Updater_Name));
    QCOMPARE(f.starter.calls[0].command_line,
             Serial_Command_Line(QStringLiteral("COM3"), 1, false, f.state.Master_Dir, f.state.Conf_Dir));
    QVERIFY(f.starter.calls[0].show_window);
    QCOMPARE(f.state.Update_Option_Index, 1);
    QCOMPARE(f.state.Read_Back, false);
    // The dialog stays open after the update.
    QVERIFY(f.dialog->isVisible());
    QVERIFY(f.ui.Shown().isEmpty());

    QTest::mouseClick(f.Find<QPushButton>("Btn_Cancel"), Qt::LeftButton);
    QVERIFY(!f.dialog->isVisible());
    QCOMPARE(f.dialog->result(), int(QDialog::Rejected));
    f.Show();
    QCOMPARE(f.Find<QComboBox>("CB_Update_Options")->currentText(), QStringLiteral("Firmware"));
    QVERIFY(!f.Find<QCheckBox>("CB_Update_Option_Read_Back")->isChecked());
}

void Tst_Boot_Dialog::serial_update_without_ports() {
    Boot_Fixture f(0);
    f.ports.ports.clear();
    f.Show();
    f.Press_Update();
    QCOMPARE(f.starter.calls.size(), 1);
    QVERIFY(f.starter.calls[0].command_line.startsWith(Native_Command_Line_Style().device_prefix +
                                                       QStringLiteral(" FW FR PW PR ")));
}

void Tst_Boot_Dialog::ethernet_update_after_echo() {
    Boot_Fixture f(1);
    f.echo.script = [](int) { return 40; };
    f.Show();
    f.Set_Edits({"10", " 0", "0", "7 "});
    f.Find<QComboBox>("CB_Update_Options")->setCurrentIndex(2);
    f.Press_Update();
    QVERIFY(f.ui.Shown().isEmpty());
    QCOMPARE(f.echo.attempts, 2);
    QCOMPARE(f.echo.hosts.first(), QStringLiteral("10. 0.0.7 "));
    QCOMPARE(f.dialog->Ping_Res(), 1);
    // Stored as typed; the next showing splits it again.
    QCOMPARE(f.state.Last_IP_Address, QStringLiteral("10. 0.0.7 "));
    QCOMPARE(f.state.Update_Option_Index, 2);
    QDomDocument document;
    QVERIFY(document.setContent(Read_All(f.Parameter_File())));
    const QDomElement root = document.documentElement();
    QCOMPARE(root.firstChildElement(QStringLiteral("IP_Address_Dev")).text(), QStringLiteral("10. 0.0.7 "));
    QCOMPARE(root.firstChildElement(QStringLiteral("Operations")).childNodes().size(), 1);
    QCOMPARE(f.starter.calls.size(), 1);
    QCOMPARE(f.starter.calls[0].program, Updater_Program_Path(f.state.Program_Dir, Ethernet_Updater_Name));
    QCOMPARE(f.starter.calls[0].command_line, QString());
    f.Set_Edits({"1", "2", "3", "4"});
    f.Show();
    QCOMPARE(f.Edits(), (QStringList{"10", "0", "0", "7"}));
    QCOMPARE(f.Find<QComboBox>("CB_Update_Options")->currentIndex(), 2);
}

void Tst_Boot_Dialog::ethernet_address_typed_during_the_echo() {
    // The echo check serves the GUI between attempts; what is typed then must
    // not reach the updater unchecked.
    Boot_Fixture f(1);
    f.Show();
    f.Set_Edits({"10", "0", "0", "7"});
    f.echo.script = [&](int attempt) {
        if (attempt == 1)
            QTest::keyClicks(f.Edit(4), QStringLiteral("9"));
        return 40;
    };
    f.Press_Update();
    QCOMPARE(f.echo.hosts, (QStringList{"10.0.0.7", "10.0.0.7"}));
    QCOMPARE(f.Edit(4)->text(), QStringLiteral("7"));
    QCOMPARE(f.state.Last_IP_Address, QStringLiteral("10.0.0.7"));
    QDomDocument document;
    QVERIFY(document.setContent(Read_All(f.Parameter_File())));
    QCOMPARE(document.documentElement().firstChildElement(QStringLiteral("IP_Address_Dev")).text(),
             QStringLiteral("10.0.0.7"));
    // Typing works again once the update is over.
    QTest::keyClicks(f.Edit(4), QStringLiteral("9"));
    QCOMPARE(f.Edit(4)->text(), QStringLiteral("79"));
}

void Tst_Boot_Dialog::ethernet_device_not_found() {
    Boot_Fixture f(1);
    f.echo.script = [](int attempt) { return attempt == 1 ? 40 : 0; };
    f.Show();
    f.Set_Edits({"10", "0", "0", "9"});
    f.Find<QComboBox>("CB_Update_Options")->setCurrentIndex(1);
    f.ui.Expect_Warning(QStringLiteral("Device Not Found!"));
    f.Press_Update();
    QVERIFY(f.ui.All_Answered());
    QCOMPARE(f.dialog->Ping_Res(), 2);
    QCOMPARE(f.state.Last_IP_Address, QStringLiteral("192.168.2.205"));
    QCOMPARE(f.state.Update_Option_Index, 0);
    QVERIFY(!QFile::exists(f.Parameter_File()));
    QVERIFY(f.starter.calls.isEmpty());
    QVERIFY(f.Find<QPushButton>("Btn_Update")->isEnabled());
}

void Tst_Boot_Dialog::ethernet_address_not_valid() {
    Boot_Fixture f(1);
    f.echo.script = [](int) { return -1; };
    f.Show();
    f.Set_Edits({"", "", "", ""});
    f.ui.Expect_Error(QStringLiteral("Error!!! Check the Ip Address"));
    f.Press_Update();
    QVERIFY(f.ui.All_Answered());
    QCOMPARE(f.dialog->Ping_Res(), 0);
    QVERIFY(f.starter.calls.isEmpty());
    QVERIFY(!QFile::exists(f.Parameter_File()));
}

void Tst_Boot_Dialog::start_failure_names_the_program() {
    Boot_Fixture f(0);
    f.starter.start_error = QStringLiteral("the file does not exist");
    f.Show();
    const QString program =
        QDir::toNativeSeparators(Updater_Program_Path(f.state.Program_Dir, Serial_Updater_Name));
    f.ui.Expect_Error(
        QStringLiteral("Error! The update program cannot be started: %1 (the file does not exist)")
            .arg(program));
    f.Press_Update();
    QVERIFY(f.ui.All_Answered());
    QVERIFY(f.Find<QPushButton>("Btn_Update")->isEnabled());
}

void Tst_Boot_Dialog::wait_indicator_while_the_updater_runs() {
    Boot_Fixture f(0);
    f.Show();
    f.starter.polls_until_end = 250; // 2.5 s on the test clock
    QStringList seen;
    bool blocked = true;
    f.starter.on_poll = [&] {
        // Closing the dialog while the updater runs is refused.
        if (f.starter.polls == 100)
            f.dialog->reject();
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->objectName() == QLatin1String("FUpdate_Wait") && window->isVisible()) {
                blocked = blocked && window->isModal() && QApplication::activeModalWidget() == window &&
                          !f.Find<QPushButton>("Btn_Update")->isEnabled();
                const QString text = window->findChild<QLabel*>(QStringLiteral("L_Elapsed"))->text();
                if (seen.isEmpty() || seen.last() != text)
                    seen << text;
                QVERIFY(window->findChild<QLabel*>(QStringLiteral("L_Program"))
                            ->text()
                            .startsWith(Serial_Updater_Name));
            }
    };
    f.Press_Update();
    QVERIFY(blocked);
    QVERIFY(f.dialog->isVisible());
    QCOMPARE(seen, (QStringList{"Seconds elapsed: 0", "Seconds elapsed: 1", "Seconds elapsed: 2"}));
    QCOMPARE(f.starter.polls, 251);
    for (QWidget* window : QApplication::topLevelWidgets())
        QVERIFY(!(window->objectName() == QLatin1String("FUpdate_Wait") && window->isVisible()));
    QVERIFY(f.Find<QPushButton>("Btn_Update")->isEnabled());
}

void Tst_Boot_Dialog::real_serial_update_with_the_stand_in() {
#ifdef Q_OS_WIN
    QSKIP("the stand-in is checked with Linux device names here");
#endif
    Boot_Fixture f(0);
    QVERIFY(f.folder.Copy_Updater(Serial_Updater_Name));
    f.folder.Add_Firmware();
    QVERIFY(Write_All(f.folder.Bank_Path(), Updater_Folder::Packed_Bank()));
    System_Program_Starter starter;
    System_Update_Clock clock;
    f.ports.ports = {{QStringLiteral("ttyUSB0"), QStringLiteral("/dev/ttyUSB0")}};
    TFBoot dialog(f.state, f.texts, f.ui, Update_Services{starter, f.echo, f.ports, clock, {}});
    dialog.Set_Form_Type(0);
    dialog.FormShow();
    dialog.show();
    dialog.findChild<QComboBox*>(QStringLiteral("CB_Update_Options"))->setCurrentIndex(2);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Btn_Update")), Qt::LeftButton);
    QVERIFY(f.ui.Shown().isEmpty());
    const QString log = f.folder.Log(Serial_Updater_Name);
    QVERIFY2(log.contains(QStringLiteral("device: /dev/ttyUSB0")), qPrintable(log));
    QVERIFY2(log.contains(QStringLiteral("options: NO NO PW PR")), qPrintable(log));
    QVERIFY2(log.contains(QStringLiteral("bin/bank.bin (51 bytes), write, read back")), qPrintable(log));
    QVERIFY2(log.contains(QStringLiteral("every file loaded")), qPrintable(log));
}

void Tst_Boot_Dialog::real_ethernet_update_to_loopback() {
    Boot_Fixture f(1);
    QVERIFY(f.folder.Copy_Updater(Ethernet_Updater_Name));
    f.folder.Add_Firmware();
    QVERIFY(Write_All(f.folder.Bank_Path(), Updater_Folder::Fixed_Bank()));
    System_Program_Starter starter;
    Loopback_Only_Echo echo; // only the loopback address is ever asked
    System_Update_Clock clock;
    TFBoot dialog(f.state, f.texts, f.ui, Update_Services{starter, echo, f.ports, clock, {}});
    dialog.Set_Form_Type(1);
    f.state.Last_IP_Address = QStringLiteral("127.0.0.1");
    dialog.FormShow();
    dialog.show();
    for (int n = 1; n <= 4; ++n)
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("E_IP%1").arg(n))->text(),
                 QStringLiteral("127.0.0.1").split(QLatin1Char('.'))[n - 1]);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Btn_Update")), Qt::LeftButton);
    QVERIFY2(f.ui.Shown().isEmpty(), qPrintable(f.ui.Shown().isEmpty() ? QString() : f.ui.Shown()[0].text));
    QCOMPARE(dialog.Ping_Res(), 1);
    QVERIFY(echo.refused.isEmpty());
    QVERIFY(echo.sent >= 1);
    QVERIFY(QFile::exists(f.Parameter_File()));
    const QString log = f.folder.Log(Ethernet_Updater_Name);
    QVERIFY2(log.contains(QStringLiteral("device: 127.0.0.1")), qPrintable(log));
    QVERIFY2(log.contains(QStringLiteral("operation 1: firmware")), qPrintable(log));
    QVERIFY2(log.contains(QStringLiteral("operation 2: configuration")), qPrintable(log));
    QVERIFY2(log.contains(QStringLiteral("every file loaded")), qPrintable(log));
}

QTEST_MAIN(Tst_Boot_Dialog)
#include "tst_boot_dialog.moc"
