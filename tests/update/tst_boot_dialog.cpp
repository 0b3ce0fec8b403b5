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
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <csignal>
#include <unistd.h>

namespace {

// One dialog with its state, texts, recorder and doubles of the outside world.
struct Boot_Fixture {
    Updater_Folder folder;
    App_State state;
    Text_Table texts;
    Ui_Recorder ui;
    Fake_Clock clock;
    Fake_Starter starter;
    Scripted_Echo echo;
    Fake_Lookup lookup;
    Fixed_Ports ports;
    std::unique_ptr<TFBoot> dialog;

    // Short echo time-outs: 30 ms a reply, no attempt after 300 ms.
    static Update_Timing Timing() {
        Update_Timing timing;
        timing.echo_reply_timeout_ms = 30;
        timing.echo_step_ms = 1;
        timing.echo_limit_ms = 300;
        return timing;
    }

    // wait_limit_ms: how long the wait window waits for the updater (0: as the device needs).
    explicit Boot_Fixture(int form_type, int wait_limit_ms = 0) {
        state.Set_Program_Dir(folder.program_dir);
        state.Conf_Name = QStringLiteral("Plant A");
        state.Conf_Dir = folder.conf_dir;
        state.Set_Files();
        ports.ports = {{QStringLiteral("COM3"), QStringLiteral("\\\\.\\COM3")},
                       {QStringLiteral("COM1"), QStringLiteral("\\\\.\\COM1")}};
        Update_Timing timing = Timing();
        if (wait_limit_ms > 0)
            timing.wait_limit_ms = wait_limit_ms;
        dialog = std::make_unique<TFBoot>(state, texts, ui,
                                          Update_Services{starter, echo, lookup, ports, clock, timing});
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
    QPushButton* Button(const char* name) const { return Find<QPushButton>(name); }
    // The echo check's panel is shown and says what it checks.
    bool Checking(const QString& host) const {
        return Find<QFrame>("P_Check")->isVisible() &&
               Find<QLabel>("L_Check")->text() == QStringLiteral("Checking %1 ...").arg(host);
    }
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
    void echo_check_cancelled();
    void host_name_looked_up_without_waiting();
    void ethernet_folder_the_parameter_file_cannot_hold();
    void ethernet_update_needs_a_writable_program_folder();
    void wait_indicator_while_the_updater_runs();
    void updater_endings_data();
    void updater_endings();
    void updater_past_the_wait_stays_watched();
    void good_end_after_the_wait_is_said();
    void hung_updater_stopped_after_a_question_data();
    void hung_updater_stopped_after_a_question();
    void scripted_updaters_data();
    void scripted_updaters();
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
    f.ui.Expect_Information(QStringLiteral("Update finished: exit status 0"));
    f.Press_Update();
    QCOMPARE(f.starter.calls.size(), 1);
    QCOMPARE(f.starter.calls[0].program, Updater_Program_Path(f.state.Program_Dir, Serial_Updater_Name));
    QCOMPARE(f.starter.calls[0].arguments,
             Serial_Arguments(QStringLiteral("COM3"), 1, false, f.state.Master_Dir, f.state.Conf_Dir));
    // On Windows the updater gets this one line as it stands, backslashes
    // and quotes as written, the bin folder's backslash right before the
    // closing quote.
    QString master = f.state.Master_Dir;
    QString conf = f.state.Conf_Dir;
    master.replace(QLatin1Char('/'), QLatin1Char('\\'));
    conf.replace(QLatin1Char('/'), QLatin1Char('\\'));
    QCOMPARE(f.starter.calls[0].windows_command_line.value_or(QString()),
             QStringLiteral("\\\\.\\COM3 FW NO NO NO \"") + master + QStringLiteral("\\sim40927.sim\" \"") +
                 conf + QStringLiteral("\\bin\\\""));
    QVERIFY(f.starter.calls[0].show_window);
    QCOMPARE(f.state.Update_Option_Index, 1);
    QCOMPARE(f.state.Read_Back, false);
    // The dialog stays open after the update, which is said to have ended well.
    QVERIFY(f.dialog->isVisible());
    QVERIFY(f.ui.All_Answered());

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
    f.ui.Expect_Error(QStringLiteral(
        "Error! No serial port found. Connect the device, refresh the port list and try again."));
    f.Press_Update();
    QVERIFY(f.ui.All_Answered());
    QVERIFY(f.starter.calls.isEmpty());
    QVERIFY(f.Button("Btn_Update")->isEnabled());
}

void Tst_Boot_Dialog::ethernet_update_after_echo() {
    Boot_Fixture f(1);
    f.echo.script = [](int) { return 40; };
    f.Show();
    f.Set_Edits({"10", " 0", "0", "7 "});
    f.Find<QComboBox>("CB_Update_Options")->setCurrentIndex(2);
    f.ui.Expect_Information(QStringLiteral("Update finished: exit status 0"));
    f.Press_Update();
    // The click returns before the echo has answered; the check shows.
    QVERIFY(f.starter.calls.isEmpty());
    QVERIFY(f.Checking(QStringLiteral("10. 0.0.7 ")));
    QVERIFY(!f.Button("Btn_Update")->isEnabled());
    QTRY_COMPARE(f.starter.calls.size(), 1);
    QVERIFY(!f.Find<QFrame>("P_Check")->isVisible());
    QVERIFY(f.ui.All_Answered());
    QCOMPARE(f.echo.attempts, 2);
    QCOMPARE(f.echo.payloads.first(), QByteArray("10. 0.0.7 "));
    QCOMPARE(f.echo.targets.first(), QHostAddress(QStringLiteral("10.0.0.7")));
    QCOMPARE(f.dialog->Ping_Res(), 1);
    // Stored as typed; the next showing splits it again.
    QCOMPARE(f.state.Last_IP_Address, QStringLiteral("10. 0.0.7 "));
    QCOMPARE(f.state.Update_Option_Index, 2);
    QDomDocument document;
    QVERIFY(document.setContent(Read_All(f.Parameter_File())));
    const QDomElement root = document.documentElement();
    QCOMPARE(root.firstChildElement(QStringLiteral("IP_Address_Dev")).text(), QStringLiteral("10. 0.0.7 "));
    QCOMPARE(root.firstChildElement(QStringLiteral("Operations")).childNodes().size(), 1);
    QCOMPARE(f.starter.calls[0].program, Updater_Program_Path(f.state.Program_Dir, Ethernet_Updater_Name));
    QCOMPARE(f.starter.calls[0].arguments, QStringList());
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
    f.ui.Expect_Information(QStringLiteral("Update finished: exit status 0"));
    f.Press_Update();
    QTRY_COMPARE(f.starter.calls.size(), 1);
    QCOMPARE(f.echo.payloads, (QList<QByteArray>{"10.0.0.7", "10.0.0.7"}));
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
    QTRY_VERIFY(f.ui.All_Answered());
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
    QTRY_VERIFY(f.ui.All_Answered());
    QCOMPARE(f.dialog->Ping_Res(), 0);
    QCOMPARE(f.echo.attempts, 0);
    QVERIFY(f.lookup.names.isEmpty());
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

void Tst_Boot_Dialog::echo_check_cancelled() {
    Boot_Fixture f(1);
    f.echo.script = [](int) { return 0; }; // never answers
    f.Show();
    f.Set_Edits({"10", "0", "0", "9"});
    f.Press_Update();
    QVERIFY(f.Checking(QStringLiteral("10.0.0.9")));
    QVERIFY(f.Button("Btn_Check_Cancel")->isEnabled());
    QVERIFY(!f.Button("Btn_Update")->isEnabled());
    QVERIFY(!f.Button("Btn_Cancel")->isEnabled());
    // Events are served while it runs: the first attempt goes out.
    QTRY_VERIFY(f.echo.attempts >= 1);
    QTest::mouseClick(f.Button("Btn_Check_Cancel"), Qt::LeftButton);
    QVERIFY(!f.Find<QFrame>("P_Check")->isVisible());
    QVERIFY(f.Button("Btn_Update")->isEnabled());
    QVERIFY(f.Button("Btn_Cancel")->isEnabled());
    const int attempts = f.echo.attempts;
    QTest::qWait(400); // past the whole check's time
    // Nothing more is sent, nothing started, written, stored or said.
    QCOMPARE(f.echo.attempts, attempts);
    QVERIFY(f.starter.calls.isEmpty());
    QVERIFY(!QFile::exists(f.Parameter_File()));
    QCOMPARE(f.state.Last_IP_Address, QStringLiteral("192.168.2.205"));
    QVERIFY(f.ui.Shown().isEmpty());
    // Escape during a check cancels it and keeps the dialog open.
    f.Press_Update();
    QVERIFY(f.dialog->Echo_Check_Running());
    f.dialog->reject();
    QVERIFY(!f.dialog->Echo_Check_Running());
    QVERIFY(f.dialog->isVisible());
}

void Tst_Boot_Dialog::host_name_looked_up_without_waiting() {
    Boot_Fixture f(1);
    f.echo.script = [](int) { return 40; };
    f.Show();
    f.Set_Edits({"plc", "plant", "example", "lan"});
    // A resolver that does not answer: the click returns all the same.
    f.Press_Update();
    QCOMPARE(f.lookup.names, QStringList{"plc.plant.example.lan"});
    QVERIFY(f.Checking(QStringLiteral("plc.plant.example.lan")));
    QTest::qWait(50);
    QCOMPARE(f.echo.attempts, 0);
    QTest::mouseClick(f.Button("Btn_Check_Cancel"), Qt::LeftButton);
    QVERIFY(f.lookup.cancels >= 1);
    QVERIFY(f.starter.calls.isEmpty());
    QVERIFY(f.ui.Shown().isEmpty());
    // A lookup that answers: its IPv4 address is asked, the name stored.
    f.lookup.answer = QList<QHostAddress>{QHostAddress(QStringLiteral("127.0.0.1"))};
    f.ui.Expect_Information(QStringLiteral("Update finished: exit status 0"));
    f.Press_Update();
    QTRY_COMPARE(f.starter.calls.size(), 1);
    QCOMPARE(f.echo.targets.first(), QHostAddress(QStringLiteral("127.0.0.1")));
    QCOMPARE(f.state.Last_IP_Address, QStringLiteral("plc.plant.example.lan"));
}

void Tst_Boot_Dialog::ethernet_folder_the_parameter_file_cannot_hold() {
    Boot_Fixture f(1);
    f.state.Conf_Dir = f.folder.program_dir + QStringLiteral("/PROJECTS/Plant\x01") + QStringLiteral("A");
    f.Show();
    f.ui.Expect_Error();
    f.Press_Update();
    QVERIFY(f.ui.All_Answered());
    const QString message = f.ui.Shown_Texts(Ui_Recorder::Kind::Error).first();
    QVERIFY2(message.startsWith(QStringLiteral("Error! The update parameter file cannot hold")),
             qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("Plant<0x01>A")), qPrintable(message));
    QCOMPARE(f.echo.attempts, 0);
    QVERIFY(!QFile::exists(f.Parameter_File()));
}

#ifndef Q_OS_WIN
namespace {

// A folder no one may write to while it lives: without write permission for
// a user, a read-only tmpfs mounted over it for root (who writes anywhere
// else). Usable() is false when neither can be had here.
class Read_Only_Folder {
public:
    explicit Read_Only_Folder(const QString& path) : path_(path) {
        QDir().mkpath(path_);
        if (geteuid() != 0) {
            usable_ = QFile::setPermissions(path_, QFile::ReadOwner | QFile::ExeOwner);
            return;
        }
        mounted_ = QProcess::execute(QStringLiteral("mount"),
                                     {"-t", "tmpfs", "-o", "ro,size=64k", "tmpfs", path_}) == 0;
        usable_ = mounted_;
    }
    ~Read_Only_Folder() {
        if (mounted_)
            QProcess::execute(QStringLiteral("umount"), {path_});
        else
            QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool Usable() const { return usable_; }

private:
    QString path_;
    bool mounted_ = false;
    bool usable_ = false;
};

} // namespace
#endif

void Tst_Boot_Dialog::ethernet_update_needs_a_writable_program_folder() {
#ifdef Q_OS_WIN
    QSKIP("a folder's access list, not its attributes, stops writing on Windows");
#else
    Boot_Fixture f(1);
    const Read_Only_Folder program(f.folder.program_dir + QStringLiteral("/installed"));
    if (!program.Usable())
        QSKIP("no read-only folder can be made here (no permission to mount a tmpfs)");
    f.state.Program_Dir = f.folder.program_dir + QStringLiteral("/installed");
    f.echo.script = [](int) { return 40; };
    f.Show();
    f.Set_Edits({"10", "0", "0", "7"});
    f.ui.Expect_Error(
        QStringLiteral("Error! The Ethernet update writes its parameter file Ethernet_Update.xml "
                       "next to the update program, and this user may not write in its folder: ") +
        QDir::toNativeSeparators(f.state.Program_Dir) +
        QStringLiteral("\nInstall the configurator for this user only (the installer's default), or "
                       "start it from a folder you may write to, then update again."));
    f.Press_Update();
    QVERIFY(f.ui.All_Answered());
    // Refused before the echo: nothing sent, nothing started.
    QCOMPARE(f.echo.attempts, 0);
    QVERIFY(f.starter.calls.isEmpty());
    QVERIFY(f.Button("Btn_Update")->isEnabled());
#endif
}

void Tst_Boot_Dialog::wait_indicator_while_the_updater_runs() {
    Boot_Fixture f(0);
    f.Show();
    f.starter.polls_until_end = 250; // 2.5 s on the test clock
    f.starter.output = {"erasing\n", "", "writing 1/2\r\n", "wri"};
    for (int i = 0; i < 150; ++i)
        f.starter.output << "";
    f.starter.output << "ting 2/2\n";
    QStringList seen;
    QStringList output_seen;
    bool blocked = true;
    f.starter.on_poll = [&] {
        // Closing the dialog while the updater runs is refused.
        if (f.starter.polls == 100)
            f.dialog->reject();
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->objectName() == QLatin1String("FUpdate_Wait") && window->isVisible()) {
                blocked = blocked && window->isModal() && QApplication::activeModalWidget() == window &&
                          !f.Button("Btn_Update")->isEnabled();
                const QString text = window->findChild<QLabel*>(QStringLiteral("L_Elapsed"))->text();
                if (seen.isEmpty() || seen.last() != text)
                    seen << text;
                auto* output = window->findChild<QPlainTextEdit*>(QStringLiteral("M_Output"));
                QVERIFY(output->isReadOnly());
                if (output_seen.isEmpty() || output_seen.last() != output->toPlainText())
                    output_seen << output->toPlainText();
                QVERIFY(window->findChild<QLabel*>(QStringLiteral("L_Program"))
                            ->text()
                            .startsWith(Serial_Updater_Name));
            }
    };
    f.ui.Expect_Information(QStringLiteral("Update finished: exit status 0"));
    f.Press_Update();
    QVERIFY(blocked);
    QVERIFY(f.dialog->isVisible());
    QCOMPARE(seen, (QStringList{"Seconds elapsed: 0 s of 150 s", "Seconds elapsed: 1 s of 150 s",
                                "Seconds elapsed: 2 s of 150 s"}));
    // The output shows as it arrives, line ends made plain.
    QCOMPARE(output_seen, (QStringList{"erasing\n", "erasing\nwriting 1/2\n", "erasing\nwriting 1/2\nwri",
                                       "erasing\nwriting 1/2\nwriting 2/2\n"}));
    QCOMPARE(f.starter.polls, 251);
    for (QWidget* window : QApplication::topLevelWidgets())
        QVERIFY(!(window->objectName() == QLatin1String("FUpdate_Wait") && window->isVisible()));
    QVERIFY(f.Button("Btn_Update")->isEnabled());
    // It ended with 0, and that is said.
    QVERIFY(f.ui.All_Answered());
}

void Tst_Boot_Dialog::updater_endings_data() {
    QTest::addColumn<bool>("crashed");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message"); // a warning; empty: the good end's information
    const QString head = QStringLiteral("Warning! The update program did not end correctly: ") +
                         QFileInfo(Updater_Program_Path(QStringLiteral("."), Serial_Updater_Name)).fileName();
    QTest::newRow("exit 0") << false << 0 << QString();
    QTest::newRow("exit 3")
        << false << 3
        << head + "\nIt ended with the exit code 3\nLast lines of its output:\nline 1\nline 2\nport busy";
    QTest::newRow("crash")
        << true << 11
        << head + "\nIt crashed, with the signal or code 11\nLast lines of its output:\nline 1\nline 2\n"
                  "port busy";
}

void Tst_Boot_Dialog::updater_endings() {
    QFETCH(bool, crashed);
    QFETCH(int, code);
    QFETCH(QString, message);
    Boot_Fixture f(0);
    f.Show();
    f.starter.polls_until_end = 3;
    f.starter.end = {crashed, code};
    f.starter.output = {"line 1\n", "line 2\n", "\n", "port busy\n"};
    if (message.isEmpty())
        f.ui.Expect_Information(QStringLiteral("Update finished: exit status 0"));
    else
        f.ui.Expect_Warning(message);
    f.Press_Update();
    QVERIFY(f.ui.All_Answered());
    QCOMPARE(f.ui.Shown().size(), 1);
    // The history keeps the end and the whole output.
    const Update_History history = Read_Update_History(f.state.Conf_Dir);
    QCOMPARE(history.Entries.size(), 1);
    const Update_Entry& entry = history.Entries[0];
    QCOMPARE(int(entry.End), int(crashed ? Update_End::Crashed : Update_End::Exit_Status));
    QCOMPARE(entry.Exit_Code, code);
    QCOMPARE(entry.Target, QStringLiteral("COM1"));
    QCOMPARE(Read_All(QDir(f.state.Conf_Dir).filePath(entry.Log_File)),
             QByteArray("line 1\nline 2\n\nport busy\n"));
    QVERIFY(!f.dialog->Updater_Running());
    QVERIFY(f.Button("Btn_Update")->isEnabled());
}

void Tst_Boot_Dialog::updater_past_the_wait_stays_watched() {
    Boot_Fixture f(0, 50);
    f.Show();
    TFBoot& dialog = *f.dialog;
    f.starter.polls_until_end = -1;
    f.starter.output = {"loading\n"};
    const QString program =
        QFileInfo(Updater_Program_Path(QStringLiteral("."), Serial_Updater_Name)).fileName();
    f.ui.Expect_Warning(
        QStringLiteral("The update program is still running, and the device may still be receiving "
                       "data: do not switch the device off. Another update can start once the "
                       "program has ended: ") +
        program);
    auto* update = dialog.findChild<QPushButton*>(QStringLiteral("Btn_Update"));
    QTest::mouseClick(update, Qt::LeftButton);
    QVERIFY(f.ui.All_Answered());
    QVERIFY(dialog.Updater_Running());
    QCOMPARE(f.starter.calls.size(), 1);
    // A second start is refused while it runs.
    f.ui.Expect_Error(
        QStringLiteral("Error! The update program is still running. Wait until it has ended before "
                       "you start another update: ") +
        program);
    QTest::mouseClick(update, Qt::LeftButton);
    QVERIFY(f.ui.All_Answered());
    QCOMPARE(f.starter.calls.size(), 1);
    // The dialog may close and open again; the program stays watched.
    dialog.reject();
    QVERIFY(!dialog.isVisible());
    QVERIFY(dialog.Updater_Running());
    // When it ends with an error, that is said, with its last output.
    f.starter.end = {false, 2};
    f.starter.output << "verify failed\n";
    f.ui.Expect_Warning(QStringLiteral("Warning! The update program did not end correctly: ") + program +
                        QStringLiteral("\nIt ended with the exit code 2\nLast lines of its output:\nloading\n"
                                       "verify failed"));
    f.starter.polls_until_end = f.starter.polls + 1;
    QTRY_VERIFY(!dialog.Updater_Running());
    QVERIFY(f.ui.All_Answered());
    // The history's entry, written as still running, now holds the end.
    QCOMPARE(Read_Update_History(f.state.Conf_Dir).Entries.value(0).Exit_Code, 2);
    QCOMPARE(int(Read_Update_History(f.state.Conf_Dir).Entries.value(0).End), int(Update_End::Exit_Status));
    // Then a new update starts again, and its good end is said.
    dialog.FormShow();
    dialog.show();
    f.starter.polls_until_end = 0;
    f.starter.end = {};
    f.ui.Expect_Information(QStringLiteral("Update finished: exit status 0"));
    QTest::mouseClick(update, Qt::LeftButton);
    QCOMPARE(f.starter.calls.size(), 2);
    QVERIFY(f.ui.All_Answered());
}

void Tst_Boot_Dialog::good_end_after_the_wait_is_said() {
    Boot_Fixture f(0, 50);
    f.Show();
    TFBoot& dialog = *f.dialog;
    f.starter.polls_until_end = -1;
    f.ui.Expect_Warning();
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Btn_Update")), Qt::LeftButton);
    QVERIFY(dialog.Updater_Running());
    f.ui.Expect_Information(QStringLiteral("Update finished: exit status 0"));
    f.starter.end = {};
    f.starter.polls_until_end = f.starter.polls + 1;
    QTRY_VERIFY(!dialog.Updater_Running());
    QVERIFY(f.ui.All_Answered());
}

void Tst_Boot_Dialog::hung_updater_stopped_after_a_question_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("No keeps it running") << false;
    QTest::newRow("Yes stops it") << true;
}

void Tst_Boot_Dialog::hung_updater_stopped_after_a_question() {
    QFETCH(bool, yes);
    Boot_Fixture f(0);
    f.Show();
    f.starter.polls_until_end = yes ? -1 : 20;
    bool clicked = false;
    f.starter.on_poll = [&] {
        if (clicked || f.starter.polls < 5)
            return;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->objectName() == QLatin1String("FUpdate_Wait") && window->isVisible()) {
                clicked = true;
                QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Btn_Stop")),
                                  Qt::LeftButton);
            }
    };
    f.ui.Expect_Question(
        yes,
        QStringLiteral("Stop the update program now? The device may be left without a working "
                       "firmware or configuration until the next update has ended."),
        Ui_Services::Default_Answer::No);
    if (yes)
        f.ui.Expect_Warning(
            QStringLiteral("The update program was stopped: ") +
            QFileInfo(Updater_Program_Path(QStringLiteral("."), Serial_Updater_Name)).fileName());
    else
        f.ui.Expect_Information(QStringLiteral("Update finished: exit status 0"));
    f.Press_Update();
    QVERIFY(clicked);
    QVERIFY(f.ui.All_Answered());
    QCOMPARE(f.starter.stops, yes ? 1 : 0);
    QCOMPARE(int(Read_Update_History(f.state.Conf_Dir).Entries.value(0).End),
             int(yes ? Update_End::Stopped : Update_End::Exit_Status));
}

namespace {

#ifdef Q_OS_UNIX
// Replaces the serial updater in the program folder with a script.
bool Script_As_Serial_Updater(const Updater_Folder& folder, const QByteArray& body) {
    const QString path = Updater_Program_Path(folder.program_dir, Serial_Updater_Name);
    if (!Write_All(path, "#!/bin/sh\n" + body + "\n"))
        return false;
    return QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner | QFile::ReadOwner);
}
#endif

// The output the wait window showed when it closed: the updater may print
// and end between two looks at the window, never before it closes.
class Wait_Window_Output : public QObject {
public:
    QString output;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide) {
            auto* window = qobject_cast<QWidget*>(watched);
            if (window && window->isWindow())
                if (auto* area = window->findChild<QPlainTextEdit*>(QStringLiteral("M_Output")))
                    output = area->toPlainText();
        }
        return false;
    }
};

} // namespace

void Tst_Boot_Dialog::scripted_updaters_data() {
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QString>("box");    // the start of the warning; empty: none
    QTest::addColumn<QString>("shown");  // what the wait window's output must hold
    QTest::addColumn<QString>("in_box"); // what the box must hold besides
    QTest::newRow("exit 0") << QByteArray("echo all loaded") << QString() << "all loaded" << QString();
    QTest::newRow("exit 3") << QByteArray("echo 'port in use' >&2; exit 3")
                            << "Warning! The update program did not end correctly: Ser_40927_Update\n"
                               "It ended with the exit code 3"
                            << "port in use"
                            << "port in use";
    QTest::newRow("crash") << QByteArray("echo flashing; kill -SEGV $$")
                           << "Warning! The update program did not end correctly: Ser_40927_Update\n"
                              "It crashed, with the signal or code 11"
                           << "flashing"
                           << "flashing";
    QTest::newRow("40 kB of garbage then exit 1")
        << QByteArray("head -c 40000 /dev/urandom; echo; echo 'bad image'; exit 1")
        << "Warning! The update program did not end correctly: Ser_40927_Update\nIt ended with the exit code "
           "1"
        << "bad image"
        << "bad image";
    QTest::newRow("still running past the wait")
        << QByteArray("echo $$ > \"$(dirname \"$0\")/updater.pid\"; echo 'going on'; exec sleep 30")
        << "The update program is still running, and the device may still be receiving data"
        << "going on" << QString();
}

void Tst_Boot_Dialog::scripted_updaters() {
#ifndef Q_OS_UNIX
    QSKIP("the updaters here are shell scripts, ended with POSIX signals");
#else
    QFETCH(QByteArray, script);
    QFETCH(QString, box);
    QFETCH(QString, shown);
    QFETCH(QString, in_box);
    Boot_Fixture f(0);
    QVERIFY(Script_As_Serial_Updater(f.folder, script));
    System_Program_Starter starter;
    System_Update_Clock clock;
    Update_Timing timing = Boot_Fixture::Timing();
    timing.wait_limit_ms = 1500;
    f.ports.ports = {{QStringLiteral("ttyUSB0"), QStringLiteral("/dev/ttyUSB0")}};
    TFBoot dialog(f.state, f.texts, f.ui, Update_Services{starter, f.echo, f.lookup, f.ports, clock, timing});
    dialog.Set_Form_Type(0);
    dialog.FormShow();
    dialog.show();
    Wait_Window_Output watch;
    qApp->installEventFilter(&watch);
    if (!box.isEmpty())
        f.ui.Expect_Warning();
    else
        f.ui.Expect_Information(QStringLiteral("Update finished: exit status 0"));
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Btn_Update")), Qt::LeftButton);
    qApp->removeEventFilter(&watch);
    QVERIFY(f.ui.All_Answered());
    QVERIFY2(watch.output.contains(shown), qPrintable(watch.output.right(200)));
    const QStringList boxes = f.ui.Shown_Texts(Ui_Recorder::Kind::Warning);
    QCOMPARE(boxes.size(), box.isEmpty() ? 0 : 1);
    if (!box.isEmpty()) {
        QVERIFY2(boxes[0].startsWith(box), qPrintable(boxes[0]));
        QVERIFY2(boxes[0].contains(in_box), qPrintable(boxes[0]));
        // Garbage never reaches the box unfiltered, and the box stays short.
        QVERIFY(boxes[0].size() < 2000);
        for (QChar c : boxes[0])
            QVERIFY(c == QLatin1Char('\n') || c == QLatin1Char('\t') || c.unicode() >= 0x20);
    }
    if (dialog.Updater_Running()) {
        // The refused second start.
        f.ui.Expect_Error();
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Btn_Update")), Qt::LeftButton);
        QVERIFY(f.ui.All_Answered());
        QVERIFY(f.ui.Shown_Texts(Ui_Recorder::Kind::Error)
                    .first()
                    .startsWith(QStringLiteral("Error! The update program is still running.")));
        // The test ends the program it started; its end is seen and said.
        const pid_t pid =
            Read_All(QDir(f.folder.program_dir).filePath(QStringLiteral("updater.pid"))).trimmed().toInt();
        QVERIFY(pid > 0);
        f.ui.Expect_Warning();
        QCOMPARE(::kill(pid, SIGTERM), 0);
        QTRY_VERIFY(!dialog.Updater_Running());
        QVERIFY(f.ui.All_Answered());
        QVERIFY(f.ui.Shown_Texts(Ui_Recorder::Kind::Warning)
                    .last()
                    .contains(QStringLiteral("It crashed, with the signal or code %1").arg(SIGTERM)));
    }
#endif
}

void Tst_Boot_Dialog::real_serial_update_with_the_stand_in() {
    Boot_Fixture f(0);
    QVERIFY(f.folder.Copy_Updater(Serial_Updater_Name));
    f.folder.Add_Firmware();
#ifdef Q_OS_WIN
    // Blanks and non-ASCII letters reach the updater unchanged through its
    // one command line (a Windows folder name cannot hold a quote).
    const QString conf_dir = f.folder.program_dir + QStringLiteral("/PROJECTS/Plant B 2 K\u00f6ln");
    f.ports.ports = {{QStringLiteral("COM5"), QStringLiteral("\\\\.\\COM5")}};
    const QString device = QStringLiteral("\\\\.\\COM5");
#else
    // A folder the New dialog would refuse: quotes, blanks and non-ASCII
    // letters reach the updater unchanged.
    const QString conf_dir = f.folder.program_dir + QStringLiteral("/PROJECTS/Plant \"B\" 2 K\u00f6ln");
    f.ports.ports = {{QStringLiteral("ttyUSB0"), QStringLiteral("/dev/ttyUSB0")}};
    const QString device = QStringLiteral("/dev/ttyUSB0");
#endif
    QVERIFY(QDir().mkpath(conf_dir + QStringLiteral("/bin")));
    QVERIFY(Write_All(conf_dir + QStringLiteral("/bin/bank.bin"), Updater_Folder::Packed_Bank()));
    f.state.Conf_Dir = conf_dir;
    System_Program_Starter starter;
    System_Update_Clock clock;
    TFBoot dialog(f.state, f.texts, f.ui, Update_Services{starter, f.echo, f.lookup, f.ports, clock, {}});
    dialog.Set_Form_Type(0);
    dialog.FormShow();
    dialog.show();
    dialog.findChild<QComboBox*>(QStringLiteral("CB_Update_Options"))->setCurrentIndex(2);
    f.ui.Expect_Information(QStringLiteral("Update finished: exit status 0"));
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Btn_Update")), Qt::LeftButton);
    QVERIFY(f.ui.All_Answered());
    // The history names the image handed over and keeps a copy of it.
    const Update_Entry sent = Read_Update_History(conf_dir).Entries.value(0);
    QVERIFY(sent.Configuration && !sent.Firmware);
    QCOMPARE(Read_All(QDir(conf_dir).filePath(sent.Image_File)),
             Read_All(conf_dir + QStringLiteral("/bin/bank.bin")));
    QCOMPARE(sent.Image_Sha256, Image_Sha256(Read_All(conf_dir + QStringLiteral("/bin/bank.bin"))));
    const QString log = f.folder.Log(Serial_Updater_Name);
    QVERIFY2(log.contains(QStringLiteral("device: ") + device), qPrintable(log));
    QVERIFY2(log.contains(QStringLiteral("options: NO NO PW PR")), qPrintable(log));
    QVERIFY2(log.contains(QDir::toNativeSeparators(conf_dir + QStringLiteral("/bin/bank.bin")) +
                          QStringLiteral(" (51 bytes), write, read back")),
             qPrintable(log));
    QVERIFY2(log.contains(QStringLiteral("every file loaded")), qPrintable(log));

    // The same updater with bank.bin gone: it fails, and that is said.
    QVERIFY(QFile::remove(conf_dir + QStringLiteral("/bin/bank.bin")));
    f.ui.Expect_Warning();
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Btn_Update")), Qt::LeftButton);
    QVERIFY(f.ui.All_Answered());
    const QString box = f.ui.Shown_Texts(Ui_Recorder::Kind::Warning).first();
    QVERIFY2(box.contains(QStringLiteral("exit code 1")), qPrintable(box));
    QVERIFY2(box.contains(QStringLiteral("bank.bin does not exist")), qPrintable(box));
}

void Tst_Boot_Dialog::real_ethernet_update_to_loopback() {
    Boot_Fixture f(1);
    QVERIFY(f.folder.Copy_Updater(Ethernet_Updater_Name));
    f.folder.Add_Firmware();
    QVERIFY(Write_All(f.folder.Bank_Path(), Updater_Folder::Fixed_Bank()));
    System_Program_Starter starter;
    Loopback_Only_Echo echo; // only the loopback address is ever asked
    System_Update_Clock clock;
    TFBoot dialog(f.state, f.texts, f.ui, Update_Services{starter, echo, f.lookup, f.ports, clock, {}});
    dialog.Set_Form_Type(1);
    f.state.Last_IP_Address = QStringLiteral("127.0.0.1");
    dialog.FormShow();
    dialog.show();
    for (int n = 1; n <= 4; ++n)
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("E_IP%1").arg(n))->text(),
                 QStringLiteral("127.0.0.1").split(QLatin1Char('.'))[n - 1]);
    f.ui.Expect_Information(QStringLiteral("Update finished: exit status 0"));
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Btn_Update")), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(
        f.folder.Log(Ethernet_Updater_Name).contains(QStringLiteral("every file loaded")), 10000);
    QTRY_VERIFY(dialog.findChild<QPushButton*>(QStringLiteral("Btn_Update"))->isEnabled());
    QTRY_VERIFY(f.ui.All_Answered());
    QCOMPARE(Read_Update_History(f.state.Conf_Dir).Entries.value(0).Target, QStringLiteral("127.0.0.1"));
    QCOMPARE(dialog.Ping_Res(), 1);
    QVERIFY(echo.refused.isEmpty());
    QVERIFY(echo.sent >= 1);
    QVERIFY(f.lookup.names.isEmpty());
    QVERIFY(QFile::exists(f.Parameter_File()));
    const QString log = f.folder.Log(Ethernet_Updater_Name);
    QVERIFY2(log.contains(QStringLiteral("device: 127.0.0.1")), qPrintable(log));
    QVERIFY2(log.contains(QStringLiteral("operation 1: firmware")), qPrintable(log));
    QVERIFY2(log.contains(QStringLiteral("operation 2: configuration")), qPrintable(log));
}

QTEST_MAIN(Tst_Boot_Dialog)
#include "tst_boot_dialog.moc"
