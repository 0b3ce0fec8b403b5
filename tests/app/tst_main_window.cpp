#include "../update/update_fakes.h"
#include "app/main_window.h"
#include "app/open_conf_dialog.h"
#include "base/app_state.h"
#include "base/elided_label_widget.h"
#include "base/plain_hint.h"
#include "base/text_table.h"
#include "dialog_recorder.h"
#include "document/access_rules.h"
#include "document/general_params.h"
#include "output/bank_build.h"
#include "scripted_versions.h"
#include "test_dirs.h"
#include "text/maker_version_source.h"
#include "text/version_source.h"
#include "ui_recorder.h"
#include "update/boot_dialog.h"
#include "update/update_history.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <memory>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

const QByteArray settings_head = "<Conf_Settings><lastproj><projectname>";

QByteArray Settings_For(const QString& conf_name, const QString& language = "English", bool internet = false,
                        bool update = false) {
    return settings_head + conf_name.toUtf8() +
           "</projectname></lastproj><lastipadd><ipaddress>10.1.2.3</ipaddress></"
           "lastipadd><lastlang><language>" +
           language.toUtf8() + "</language></lastlang><lastinternet><enable_internet>" +
           (internet ? "1" : "0") + "</enable_internet><enable_update>" + (update ? "1" : "0") +
           "</enable_update><enable_jump_field_tables>1</enable_jump_field_tables>"
           "<Double_Click_Auto_Size>0</Double_Click_Auto_Size></lastinternet></Conf_Settings>";
}

QByteArray Par_Gen(const QByteArray& hardware_type) {
    return "<Par_Gen><Ser_Baud>19200</Ser_Baud><Hardware_Type>" + hardware_type +
           "</Hardware_Type></Par_Gen><!--SW_VERSION = 2.110-->";
}

// A program folder in a temporary directory, and the window started in it.
struct Program {
    QTemporaryDir dir;
    App_State state;
    Text_Table texts;
    Dialog_Recorder ui;
    Scripted_Versions versions;
    std::unique_ptr<TFStruttoreFirmWare> window;

    QString Path(const QString& relative) const { return dir.filePath(relative); }
    bool Make_Configuration(const QString& name, const QByteArray& par_gen = {}) {
        if (!QDir().mkpath(Path("PROJECTS/" + name + "/bin")))
            return false;
        return par_gen.isEmpty() || Write_All(Path("PROJECTS/" + name + "/ParGen.xml"), par_gen);
    }
    TFStruttoreFirmWare& Start() {
        window = std::make_unique<TFStruttoreFirmWare>(state, texts, ui, versions, dir.path());
        window->Create_Dialogs();
        return *window;
    }
    template <typename T> T* Find(const char* name) const {
        return window->findChild<T*>(QLatin1String(name));
    }
    QLabel* Label(const char* name) const { return Find<QLabel>(name); }
    QAbstractButton* Button(const char* name) const { return Find<QAbstractButton>(name); }
    bool Shown(const char* name) const { return Find<QWidget>(name)->isVisibleTo(window.get()); }
};

} // namespace

class Tst_Main_Window : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void first_start_in_an_empty_folder();
    void steps_need_an_open_configuration_data();
    void steps_need_an_open_configuration();
    void step_layout_by_hardware_type_data();
    void step_layout_by_hardware_type();
    void layout_follows_a_changed_hardware_type();
    void malformed_par_gen_at_start_up();
    void malformed_par_gen_after_a_step();
    void remembered_configuration_data();
    void remembered_configuration();
    void closing_writes_the_settings_data();
    void closing_writes_the_settings();
    void settings_that_cannot_be_written_data();
    void settings_that_cannot_be_written();
    void language_file_changes_every_text();
    void dialogs_created_at_first_showing();
    void update_timer_data();
    void update_timer();
    void version_tick_shows_the_link();
    void closing_during_a_version_check();
    void closing_while_an_updater_runs();
    void open_refuses_a_name_the_settings_cannot_keep();
    void maker_link();
    void new_configuration_through_step_1();
    void cancelled_new_and_open_change_nothing();
    void open_switches_configuration();
    void open_with_an_empty_list();
    void configuration_folder_removed_while_open();
    void info_shows_the_about_box();
    void window_titles();
    void long_texts_elide();
    void device_line_says_what_was_sent();
};

void Tst_Main_Window::first_start_in_an_empty_folder() {
    Program p;
    TFStruttoreFirmWare& window = p.Start();
    for (const char* folder : {"MASTER", "PROJECTS", "LANGUAGE"})
        QVERIFY2(QFileInfo(p.Path(folder)).isDir(), folder);
    QCOMPARE(window.windowTitle(),
             QString("Vorlantech - Configurator KC40927 - PROFIBUS Slave / Modbus Master "));
    QCOMPARE(p.Label("L_SW_Code")->text(), QString("KC40927"));
    QCOMPARE(p.Label("L_SW_Desc")->text(), QString("PROFIBUS Slave / Modbus Master - Converter"));
    QCOMPARE(p.Label("L_Name_Conf")->text(), QString("None Configuration Opened "));
    QCOMPARE(p.Label("L_Name_Conf_L2")->text(), QString("Use Step1 to open or create new configuration"));
    QCOMPARE(p.Label("L_Begin")->text(), QString("Begin"));
    for (const char* step : {"L_Step_1", "L_Step_2", "L_Step_3", "L_Step_4", "L_Step_5", "L_Step_6"})
        QVERIFY2(p.Shown(step), step);
    QVERIFY(!p.Shown("L_Step_7"));
    QVERIFY(!p.Shown("L_Step_8"));
    QVERIFY(!p.Shown("LL_Update"));
    QVERIFY(p.Shown("Btn_PROFIBUS_Error_Diagnosis"));
    QCOMPARE(window.Sel_Hard(), 0);
    QVERIFY(!window.Timer_Update()->isActive());
    QVERIFY(p.state.Conf_Dir.isEmpty());
    QVERIFY(p.state.ParGen_File.isEmpty());
    QCOMPARE(p.state.Language_Name, QString("English"));
    QVERIFY(p.state.Read_Back);
    QVERIFY(p.ui.Shown().isEmpty());

    window.show();
    p.ui.Expect_Error("Error! Project not Valid");
    QTest::mouseClick(p.Button("Btn_Prm_Gen"), Qt::LeftButton);
    QVERIFY(p.ui.All_Answered());
}

void Tst_Main_Window::steps_need_an_open_configuration_data() {
    QTest::addColumn<QString>("button");
    for (const char* name : {"Btn_Prm_Gen", "Btn_Modbus_Set_Access", "Btn_PROFIBUS_Error_Diagnosis",
                             "Btn_GSD_EDS", "Btn_CreateBin"})
        QTest::newRow(name) << name;
}

void Tst_Main_Window::steps_need_an_open_configuration() {
    QFETCH(QString, button);
    Program p;
    p.Start();
    p.texts.Set_Text(18, "Projekt ungueltig"); // the message is fetched when it is shown
    p.ui.Expect_Error("Projekt ungueltig");
    p.Button(qPrintable(button))->click();
    QVERIFY(p.ui.All_Answered());
    QCOMPARE(p.ui.Shown().size(), 1);
}

void Tst_Main_Window::step_layout_by_hardware_type_data() {
    QTest::addColumn<QByteArray>("par_gen"); // empty: no ParGen.xml
    QTest::addColumn<int>("sel_hard");
    QTest::newRow("no document") << QByteArray() << 0;
    QTest::newRow("type 0") << Par_Gen("0") << 0;
    QTest::newRow("type 1") << Par_Gen("1") << 1;
    QTest::newRow("type 2") << Par_Gen("2") << 2;
    QTest::newRow("type in hex") << Par_Gen("$1") << 1;
    QTest::newRow("not a number") << Par_Gen("one") << 0;
    QTest::newRow("element missing") << QByteArray("<Par_Gen><Ser_Baud>1</Ser_Baud></Par_Gen>") << 0;
    QTest::newRow("file name in lower case") << QByteArray("lower:1") << 1;
}

void Tst_Main_Window::step_layout_by_hardware_type() {
    QFETCH(QByteArray, par_gen);
    QFETCH(int, sel_hard);
    Program p;
    QVERIFY(p.Make_Configuration("Plant"));
    if (par_gen.startsWith("lower:"))
        QVERIFY(Write_All(p.Path("PROJECTS/Plant/pargen.xml"), Par_Gen(par_gen.mid(6))));
    else if (!par_gen.isEmpty())
        QVERIFY(Write_All(p.Path("PROJECTS/Plant/ParGen.xml"), par_gen));
    QVERIFY(Write_All(p.Path("Struttor.xml"), Settings_For("Plant")));
    TFStruttoreFirmWare& window = p.Start();
    QCOMPARE(window.Sel_Hard(), sel_hard);

    const bool with_diagnosis = sel_hard == 0;
    const auto top = [&](const char* name) { return p.Find<QWidget>(name)->y(); };
    const int row = top("Btn_Prm_Gen") - top("Btn_New");
    QVERIFY(row > 0);
    QCOMPARE(top("Btn_Open"), top("Btn_New"));
    QCOMPARE(top("Btn_Modbus_Set_Access"), top("Btn_New") + 2 * row);
    QCOMPARE(p.Shown("Btn_PROFIBUS_Error_Diagnosis"), with_diagnosis);
    QCOMPARE(top("Btn_GSD_EDS"), top("Btn_New") + (with_diagnosis ? 4 : 3) * row);
    QCOMPARE(top("Btn_CreateBin"), top("Btn_New") + (with_diagnosis ? 5 : 4) * row);
    QVERIFY(p.Shown("L_Step_5"));
    QCOMPARE(p.Shown("L_Step_6"), with_diagnosis);
    QVERIFY(!p.Shown("L_Step_7"));
    // Each step label stands in its button's row.
    QCOMPARE(top("L_Step_2") - top("L_Step_1"), row);
    QVERIFY(qAbs(top("L_Step_1") - top("Btn_New")) < row / 2);
    // The maker's link at the height of the last visible step label.
    QCOMPARE(top("L_Vorlan"), top(with_diagnosis ? "L_Step_6" : "L_Step_5"));
    // The separator under the last button, the window just below it.
    const QWidget* bin = p.Find<QWidget>("Btn_CreateBin");
    QVERIFY(top("Shape1") > bin->geometry().bottom());
    QVERIFY(window.height() > top("Shape1"));
    QVERIFY(window.height() < top("Shape1") + row);

    Program type_0;
    TFStruttoreFirmWare& window_0 = type_0.Start();
    QCOMPARE(window.height(), window_0.height() - (with_diagnosis ? 0 : row));
    QCOMPARE(window.minimumSize(), window.maximumSize()); // fixed size
}

void Tst_Main_Window::layout_follows_a_changed_hardware_type() {
    Program p;
    QVERIFY(p.Make_Configuration("Plant", Par_Gen("0")));
    QVERIFY(Write_All(p.Path("Struttor.xml"), Settings_For("Plant")));
    TFStruttoreFirmWare& window = p.Start();
    const int tall = window.height();
    QVERIFY(p.Shown("Btn_PROFIBUS_Error_Diagnosis"));

    // The general parameters editor saved type 1: after Set Communication
    // the diagnosis step is gone and the window is one row shorter.
    p.ui.Expect_Modal([&](QDialog&) {
        return Write_All(p.Path("PROJECTS/Plant/ParGen.xml"), Par_Gen("1")) ? QDialog::Accepted
                                                                            : QDialog::Rejected;
    });
    p.Button("Btn_Prm_Gen")->click();
    QCOMPARE(window.Sel_Hard(), 1);
    QVERIFY(!p.Shown("Btn_PROFIBUS_Error_Diagnosis"));
    QVERIFY(!p.Shown("L_Step_6"));
    QVERIFY(window.height() < tall);
    QCOMPARE(window.Get_Hardware_Type(), 1);

    p.ui.Expect_Modal([&](QDialog&) {
        return Write_All(p.Path("PROJECTS/Plant/ParGen.xml"), Par_Gen("0")) ? QDialog::Accepted
                                                                            : QDialog::Rejected;
    });
    p.Button("Btn_Prm_Gen")->click();
    QVERIFY(p.Shown("Btn_PROFIBUS_Error_Diagnosis"));
    QCOMPARE(window.height(), tall);
    QVERIFY(p.ui.All_Answered());
    QCOMPARE(p.ui.Shown_Texts(Ui_Recorder::Kind::Modal), QStringList({"FParGen", "FParGen"}));
}

void Tst_Main_Window::malformed_par_gen_at_start_up() {
    Program p;
    QVERIFY(p.Make_Configuration("Plant", "<Par_Gen>\n<Hardware_Type>1</Par_Gen>"));
    QVERIFY(Write_All(p.Path("Struttor.xml"), Settings_For("Plant")));
    p.ui.Expect_Error();
    TFStruttoreFirmWare& window = p.Start();
    QVERIFY(p.ui.All_Answered());
    const QString message = p.ui.Shown_Texts(Ui_Recorder::Kind::Error).value(0);
    QVERIFY2(message.contains("ParGen.xml") && message.contains("line 2") && message.contains("column"),
             qPrintable(message));
    // Start-up goes on: the configuration is open, the layout is the initial one.
    QCOMPARE(p.state.Conf_Name, QString("Plant"));
    QCOMPARE(p.Label("L_Name_Conf_L2")->text(), QString("Plant"));
    QVERIFY(p.Shown("Btn_PROFIBUS_Error_Diagnosis"));
    QVERIFY(window.isEnabled());
}

void Tst_Main_Window::malformed_par_gen_after_a_step() {
    Program p;
    QVERIFY(p.Make_Configuration("Plant", Par_Gen("1")));
    QVERIFY(Write_All(p.Path("Struttor.xml"), Settings_For("Plant")));
    TFStruttoreFirmWare& window = p.Start();
    const int height = window.height();
    QVERIFY(!p.Shown("Btn_PROFIBUS_Error_Diagnosis"));

    QVERIFY(Write_All(p.Path("PROJECTS/Plant/ParGen.xml"), "<Par_Gen><Hardware_Type>0</Hardware_Type>"));
    p.ui.Expect_Error();
    p.Button("Btn_Prm_Gen")->click();
    QVERIFY(p.ui.All_Answered());
    QVERIFY(p.ui.Shown_Texts(Ui_Recorder::Kind::Error).value(0).contains("ParGen.xml"));
    // The layout keeps its previous state.
    QVERIFY(!p.Shown("Btn_PROFIBUS_Error_Diagnosis"));
    QCOMPARE(window.height(), height);
    QCOMPARE(window.Sel_Hard(), 1);
}

void Tst_Main_Window::remembered_configuration_data() {
    QTest::addColumn<QString>("remembered");
    QTest::addColumn<QString>("folder"); // created in PROJECTS; empty: none
    QTest::addColumn<bool>("open");
    QTest::newRow("folder exists") << "Plant 1"
                                   << "Plant 1" << true;
    QTest::newRow("folder gone") << "Plant 1"
                                 << "" << false;
    QTest::newRow("folder differs in case") << "plant a"
                                            << "Plant A" << true;
    QTest::newRow("empty name never opens PROJECTS") << ""
                                                     << "x" << false;
    QTest::newRow("parent folder refused") << ".."
                                           << "" << false;
    QTest::newRow("path refused") << "x/../x"
                                  << "x" << false;
}

void Tst_Main_Window::remembered_configuration() {
    QFETCH(QString, remembered);
    QFETCH(QString, folder);
    QFETCH(bool, open);
    Program p;
    if (!folder.isEmpty())
        QVERIFY(p.Make_Configuration(folder));
    QVERIFY(Write_All(p.Path("Struttor.xml"), Settings_For(remembered)));
    TFStruttoreFirmWare& window = p.Start();
    QCOMPARE(p.state.Conf_Name, remembered);
    QCOMPARE(p.state.Configuration_Open(), open);
    if (open) {
        // The folder as it is spelled on disk; the name as remembered.
        QCOMPARE(p.state.Conf_Dir, p.Path("PROJECTS/" + folder));
        QCOMPARE(p.state.ParGen_File, p.Path("PROJECTS/" + folder + "/ParGen.xml"));
        QCOMPARE(p.state.Sdo_File, p.Path("PROJECTS/" + folder + "/sdo.xml"));
        QCOMPARE(p.state.Diagnosis_File, p.Path("PROJECTS/" + folder + "/diagnosis.xml"));
        QCOMPARE(p.Label("L_Name_Conf")->text(), QString("Opened Configuration of the Converter : "));
        QCOMPARE(p.Label("L_Name_Conf_L2")->text(), remembered);
        // The open dialog preselects the same folder.
        TFOpenConf* open_dialog = window.Dialogs().FOpenConf;
        open_dialog->FormShow();
        QCOMPARE(open_dialog->Name_Conf(), folder);
    } else {
        QVERIFY(p.state.ParGen_File.isEmpty());
        QCOMPARE(p.Label("L_Name_Conf")->text(), QString("None Configuration Opened "));
        QCOMPARE(p.Label("L_Name_Conf_L2")->text(), QString("Use Step1 to open or create new configuration"));
        p.ui.Expect_Error("Error! Project not Valid");
        p.Button("Btn_GSD_EDS")->click();
        QVERIFY(p.ui.All_Answered());
    }
    // The remembered name is written back unchanged.
    window.close();
    QVERIFY(
        Read_All(p.Path("Struttor.xml")).startsWith(settings_head + remembered.toUtf8() + "</projectname>"));
}

void Tst_Main_Window::closing_writes_the_settings_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Btn_Close") << "button";
    QTest::newRow("close box") << "close";
}

void Tst_Main_Window::closing_writes_the_settings() {
    QFETCH(QString, how);
    Program p;
    QVERIFY(p.Make_Configuration("Plant"));
    const QByteArray stored = Settings_For("Plant", "English", true, false);
    QVERIFY(Write_All(p.Path("Struttor.xml"), stored));
    TFStruttoreFirmWare& window = p.Start();
    window.show();
    QCOMPARE(p.state.Last_IP_Address, QString("10.1.2.3"));
    QVERIFY(p.state.Enable_Internet);
    QVERIFY(p.state.Enable_Jump_Field_Tables);
    QVERIFY(Write_All(p.Path("Struttor.xml"), "overwritten"));
    if (how == "button")
        p.Button("Btn_Close")->click();
    else
        window.close();
    QVERIFY(!window.isVisible());
    // The seven values, byte for byte as they were read.
    QCOMPARE(Read_All(p.Path("Struttor.xml")), stored);
    QVERIFY(p.ui.Shown().isEmpty());
}

void Tst_Main_Window::settings_that_cannot_be_written_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("read-only program folder") << "read-only";
    QTest::newRow("a folder in the file's place") << "folder";
}

void Tst_Main_Window::settings_that_cannot_be_written() {
    QFETCH(QString, how);
    Program p;
    TFStruttoreFirmWare& window = p.Start();
    window.show();
    if (how == "read-only") {
#ifdef Q_OS_WIN
        QSKIP("a folder's access list, not its attributes, stops writing on Windows");
#else
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders");
        QVERIFY(QFile::setPermissions(p.dir.path(), QFile::ReadOwner | QFile::ExeOwner));
#endif
    } else {
        QVERIFY(QDir().mkdir(p.Path("Struttor.xml")));
    }
    // The message comes from the text table: the file, then the system's reason.
    p.texts.Set_Text(40, "Nicht gespeichert: ");
    p.texts.Set_Text(41, "Grund: ");
    p.ui.Expect_Error();
    window.close();
    QFile::setPermissions(p.dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(p.ui.All_Answered());
    QCOMPARE(p.ui.Shown().size(), 1);
    const QString message = p.ui.Shown().first().text;
    const QString head =
        "Nicht gespeichert: " + QDir::toNativeSeparators(p.Path("Struttor.xml")) + "\nGrund: ";
    QVERIFY2(message.startsWith(head) && message.size() > head.size(), qPrintable(message));
    QVERIFY(!window.isVisible());
}

void Tst_Main_Window::language_file_changes_every_text() {
    Program p;
    QVERIFY(QDir().mkpath(p.Path("LANGUAGE")));
    QByteArray lines;
    for (int i = 0; i <= 30; ++i)
        lines += "STR " + QByteArray::number(i) + " =T" + QByteArray::number(i) + "\r\n";
    lines += "STR 12 =<b>T12</b>\r\n"; // markup stays text
    QVERIFY(Write_All(p.Path("LANGUAGE/Test.lng"), lines));
    QVERIFY(Write_All(p.Path("Struttor.xml"), Settings_For("", "Test")));
    TFStruttoreFirmWare& window = p.Start();
    QCOMPARE(p.state.Language_Name, QString("Test"));

    const auto text = [](int i) { return i == 12 ? QString("<b>T12</b>") : "T" + QString::number(i); };
    const auto check_all = [&](const std::function<QString(int)>& expected) {
        QCOMPARE(p.Label("L_Begin")->text(), expected(0));
        for (int i = 1; i <= 8; ++i)
            QCOMPARE(p.Label(qPrintable("L_Step_" + QString::number(i)))->text(), expected(i));
        QCOMPARE(p.Label("L_Name_Conf")->text(), expected(9));
        QCOMPARE(p.Label("L_Name_Conf_L2")->text(), expected(10));
        QCOMPARE(p.Button("Btn_Info")->toolTip(), Plain_Hint(expected(12)));
        QCOMPARE(p.Button("Btn_Opz")->toolTip(), expected(13));
        QCOMPARE(p.Button("Btn_Close")->toolTip(), expected(14));
        QCOMPARE(p.Button("Btn_New")->text(), expected(15));
        QCOMPARE(p.Button("Btn_Open")->text(), expected(16));
        QCOMPARE(p.Button("Btn_CreateBin")->text(), expected(17));
        QCOMPARE(p.Button("Btn_Prm_Gen")->text(), expected(20));
        QCOMPARE(p.Button("Btn_Modbus_Set_Access")->text(), expected(21));
        QCOMPARE(p.Button("Btn_New")->toolTip(), expected(22));
        QCOMPARE(p.Button("Btn_Open")->toolTip(), expected(23));
        QCOMPARE(p.Button("Btn_Prm_Gen")->toolTip(), expected(24));
        QCOMPARE(p.Button("Btn_Modbus_Set_Access")->toolTip(), expected(25));
        QCOMPARE(p.Button("Btn_CreateBin")->toolTip(), expected(26));
        QCOMPARE(p.Button("Btn_PROFIBUS_Error_Diagnosis")->text(), expected(27));
        QCOMPARE(p.Button("Btn_PROFIBUS_Error_Diagnosis")->toolTip(), expected(28));
        QCOMPARE(p.Button("Btn_GSD_EDS")->text(), expected(29));
        QCOMPARE(p.Button("Btn_GSD_EDS")->toolTip(), expected(30));
    };
    check_all(text);
    // A hint that looks like markup is shown literally.
    QCOMPARE(p.Button("Btn_Info")->toolTip(),
             QString("<p style=\"white-space:pre-wrap\">&lt;b&gt;T12&lt;/b&gt;</p>"));
    // No label of the window interprets markup from a language file.
    for (QLabel* label : window.findChildren<QLabel*>())
        if (!label->objectName().startsWith("LL_") && label->pixmap().isNull())
            QVERIFY2(label->textFormat() == Qt::PlainText,
                     qPrintable(label->objectName() + " in " + label->window()->objectName() + ": " +
                                label->text()));

    // Change_Language re-applies the table to the window and its dialogs.
    for (int i = 0; i <= 30; ++i)
        p.texts.Set_Text(i, "U" + QString::number(i));
    p.texts.Set_Text(100, "U100");
    p.texts.Set_Text(200, "U200");
    window.Change_Language();
    check_all([](int i) { return "U" + QString::number(i); });
    QCOMPARE(window.findChild<QDialog*>("FNew_Project")->windowTitle(), QString("U100"));
    QCOMPARE(window.findChild<QDialog*>("FOpenConf")->windowTitle(), QString("U200"));
    QCOMPARE(window.findChild<QDialog*>("FAbout")->windowTitle(), QString("About..."));
}

void Tst_Main_Window::dialogs_created_at_first_showing() {
    Program p;
    p.window = std::make_unique<TFStruttoreFirmWare>(p.state, p.texts, p.ui, p.versions, p.dir.path());
    TFStruttoreFirmWare& window = *p.window;
    QVERIFY(window.findChildren<QDialog*>().isEmpty());
    // A language change before the first showing: the dialog shows the new
    // texts when it comes.
    p.texts.Set_Text(200, "U200");
    p.texts.Set_Text(202, "U202");
    window.Change_Language();
    QDialog* shown = nullptr;
    const auto expect_open_dialog = [&](const QString& title) {
        p.ui.Expect_Modal([&, title](QDialog& dialog) {
            shown = &dialog;
            [&] {
                QCOMPARE(dialog.objectName(), QString("FOpenConf"));
                QCOMPARE(dialog.windowTitle(), title);
            }();
            return int(QDialog::Rejected);
        });
    };
    expect_open_dialog("U200");
    p.Button("Btn_Open")->click();
    QVERIFY(p.ui.All_Answered());
    QCOMPARE(shown->findChild<QLabel*>("Label1")->text(), QString("U202"));
    QCOMPARE(window.findChildren<QDialog*>(), QList<QDialog*>{shown});
    // Once there, it follows each change and is the one shown again.
    p.texts.Set_Text(200, "V200");
    window.Change_Language();
    QDialog* first = shown;
    expect_open_dialog("V200");
    p.Button("Btn_Open")->click();
    QVERIFY(p.ui.All_Answered());
    QCOMPARE(shown, first);
}

void Tst_Main_Window::update_timer_data() {
    QTest::addColumn<bool>("internet");
    QTest::addColumn<bool>("update");
    QTest::newRow("both on") << true << true;
    QTest::newRow("internet only") << true << false;
    QTest::newRow("update only") << false << true;
    QTest::newRow("both off") << false << false;
}

void Tst_Main_Window::update_timer() {
    QFETCH(bool, internet);
    QFETCH(bool, update);
    Program p;
    QVERIFY(Write_All(p.Path("Struttor.xml"), Settings_For("", "English", internet, update)));
    TFStruttoreFirmWare& window = p.Start();
    QCOMPARE(window.Timer_Update()->isActive(), internet && update);
    QCOMPARE(window.Timer_Update()->interval(), 60000);
    QCOMPARE(p.versions.asked, 0); // the first check comes with the first tick
}

void Tst_Main_Window::version_tick_shows_the_link() {
    Program p;
    QVERIFY(Write_All(p.Path("Struttor.xml"), Settings_For("", "English", true, true)));
    TFStruttoreFirmWare& window = p.Start();
    p.texts.Set_Text(19, "New <version> & more");
    p.versions.answer_at_once = false;

    // The tick returns before the answer; the timer waits for it.
    window.Timer_UpdateTimer();
    QCOMPARE(p.versions.asked, 1);
    QVERIFY(window.Version_Check_Running());
    QVERIFY(!window.Timer_Update()->isActive());
    // A tick while a check runs starts no second one.
    window.Timer_UpdateTimer();
    QCOMPARE(p.versions.asked, 1);
    p.versions.Answer(false);
    QVERIFY(!window.Version_Check_Running());
    QVERIFY(!p.Shown("LL_Update"));
    QVERIFY(window.Timer_Update()->isActive());
    QCOMPARE(window.Timer_Update()->interval(), 7200000);

    window.Timer_UpdateTimer();
    p.versions.Answer(true);
    QVERIFY(p.Shown("LL_Update"));
    QLabel* link = p.Label("LL_Update");
    QCOMPARE(link->text(), QString("<a href=\"http://www.maker.invalid/Home/download/download.asp#KX40927\">"
                                   "New &lt;version&gt; &amp; more</a>"));
    QVERIFY(window.Timer_Update()->isActive());
    QCOMPARE(window.Timer_Update()->interval(), 7200000);
    emit link->linkActivated("http://www.maker.invalid/Home/download/download.asp#KX40927");
    QCOMPARE(p.ui.Opened_Urls(), QStringList{"http://www.maker.invalid/Home/download/download.asp#KX40927"});

    QVERIFY(link->toolTip().isEmpty());

    // The link left on screen follows a language change at once.
    p.texts.Set_Text(19, "Neue Version");
    window.Change_Language();
    QCOMPARE(link->text(), QString("<a href=\"http://www.maker.invalid/Home/download/download.asp#KX40927\">"
                                   "Neue Version</a>"));

    // A text longer than the line: cut with an ellipsis, whole in the hint.
    const QString long_text = "Neue Version " + QString(200, 'x');
    p.texts.Set_Text(19, long_text);
    window.Change_Language();
    QVERIFY2(link->text().contains(QChar(0x2026)) && !link->text().contains(long_text),
             qPrintable(link->text()));
    QCOMPARE(link->toolTip(), long_text);

    window.Timer_UpdateTimer();
    p.versions.Answer(false);
    QVERIFY(!p.Shown("LL_Update"));

    // Preferences switched off while a check runs: the timer stays off.
    window.Timer_UpdateTimer();
    p.state.Enable_Update = false;
    window.Set_Update_Timer();
    p.versions.Answer(true);
    QVERIFY(p.Shown("LL_Update"));
    QVERIFY(!window.Timer_Update()->isActive());
}

void Tst_Main_Window::closing_during_a_version_check() {
    // A loopback server that accepts and never answers.
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    Program p;
    Maker_Version_Source versions(QStringLiteral("127.0.0.1"), server.serverPort());
    auto window = std::make_unique<TFStruttoreFirmWare>(p.state, p.texts, p.ui, versions, p.dir.path());
    window->Create_Dialogs();
    window->show();
    window->Timer_UpdateTimer();
    QVERIFY(window->Version_Check_Running());
    QTRY_VERIFY(server.hasPendingConnections());
    QTcpSocket* peer = server.nextPendingConnection();
    QVERIFY(window->close());
    window.reset();
    // Nothing waited for the answer: the connection is already given up.
    QTRY_COMPARE(peer->state(), QAbstractSocket::UnconnectedState);
    QVERIFY(QFileInfo::exists(p.Path("Struttor.xml")));
}

void Tst_Main_Window::closing_while_an_updater_runs() {
    Program p;
    QVERIFY(p.Make_Configuration("Plant", Par_Gen("0")));
    QVERIFY(Write_All(p.Path("Struttor.xml"), Settings_For("Plant")));
    Fake_Clock clock;
    Fake_Starter starter;
    Scripted_Echo echo;
    Fake_Lookup lookup;
    Fixed_Ports ports;
    ports.ports = {{QStringLiteral("ttyS0"), QStringLiteral("/dev/ttyS0")}};
    Update_Timing timing;
    timing.wait_limit_ms = 50;
    starter.polls_until_end = -1;
    p.window = std::make_unique<TFStruttoreFirmWare>(p.state, p.texts, p.ui, p.versions, p.dir.path());
    p.window->Create_Dialogs(Update_Services{starter, echo, lookup, ports, clock, timing});
    TFBoot* boot = p.window->Dialogs().FBoot;
    boot->Set_Form_Type(0);
    boot->FormShow();
    p.ui.Expect_Warning(); // still running after the wait
    boot->Btn_UpdateClick();
    QVERIFY(p.ui.All_Answered());
    QVERIFY(boot->Updater_Running());
    p.window->show();

    // Asked first; No keeps the configurator open.
    p.ui.Expect_Question(false,
                         QStringLiteral("The update program is still running and the device may still be "
                                        "receiving data. Close the configurator anyway?"));
    QVERIFY(!p.window->close());
    QVERIFY(p.window->isVisible());
    // Yes closes it and writes the settings; the updater is left running.
    p.ui.Expect_Question(true);
    QVERIFY(p.window->close());
    QVERIFY(p.ui.All_Answered());
    QVERIFY(Read_All(p.Path("Struttor.xml")).contains("<projectname>Plant</projectname>"));
    QVERIFY(boot->Updater_Running());

    // Once it has ended, which is said, closing asks nothing.
    p.ui.Expect_Information(QStringLiteral("Update finished: exit status 0"));
    starter.polls_until_end = 0;
    QTRY_VERIFY(!boot->Updater_Running());
    QVERIFY(p.ui.All_Answered());
    p.window->show();
    QVERIFY(p.window->close());
}

void Tst_Main_Window::open_refuses_a_name_the_settings_cannot_keep() {
#ifdef Q_OS_WIN
    QSKIP("Windows folder names cannot hold control characters");
#endif
    Program p;
    QVERIFY(p.Make_Configuration("Alpha", Par_Gen("0")));
    const QString bad = QStringLiteral("Line\x01") + QStringLiteral("B");
    QVERIFY(p.Make_Configuration(bad, Par_Gen("1")));
    QVERIFY(Write_All(p.Path("Struttor.xml"), Settings_For("Alpha")));
    p.Start();
    p.ui.Expect_Modal([&](QDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>("ListBox1");
        list->setCurrentItem(list->findItems(bad, Qt::MatchExactly).value(0));
        dialog.findChild<QPushButton*>("Btn_OK")->click();
        return dialog.result();
    });
    p.ui.Expect_Error(
        QStringLiteral("Error! This configuration cannot be opened: the name of its folder holds "
                       "control characters, which the settings file cannot keep: Line<0x01>B"));
    p.Button("Btn_Open")->click();
    QVERIFY(p.ui.All_Answered());
    // The open configuration stays, and so does what the next start opens.
    QCOMPARE(p.state.Conf_Name, QString("Alpha"));
    QVERIFY(p.window->Save_Setting());
    QVERIFY(Read_All(p.Path("Struttor.xml")).contains("<projectname>Alpha</projectname>"));
}

void Tst_Main_Window::maker_link() {
    Program p;
    TFStruttoreFirmWare& window = p.Start();
    window.show();
    const QString home = "http://www.maker.invalid/HOME/default.asp?frompg=KC40927";
    QTest::mouseClick(p.Label("L_Vorlan"), Qt::LeftButton);
    QCOMPARE(p.ui.Opened_Urls(), QStringList{home});
    QCOMPARE(p.Label("L_Vorlan")->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(p.ui.Shown().isEmpty());

    // No browser can be started: a box names the address for the user to copy.
    p.ui.Set_Urls_Open(false);
    p.ui.Expect_Link_Failure(p.texts[42] + " | " + home);
    QTest::mouseClick(p.Label("L_Vorlan"), Qt::LeftButton);
    QVERIFY(p.ui.All_Answered());
    const QString download = "http://www.maker.invalid/Home/download/download.asp#KX40927";
    p.ui.Expect_Link_Failure(p.texts[42] + " | " + download);
    window.LL_UpdateLinkClick(download);
    QVERIFY(p.ui.All_Answered());
}

void Tst_Main_Window::new_configuration_through_step_1() {
    Program p;
    TFStruttoreFirmWare& window = p.Start();
    p.ui.Expect_Modal([](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("E_New_Proj")->setText("Line 4");
        dialog.findChild<QPushButton*>("Btn_OK")->click();
        return dialog.result();
    });
    p.Button("Btn_New")->click();
    QVERIFY(p.ui.All_Answered());
    QCOMPARE(p.ui.Shown().first().text, QString("FNew_Project"));
    QCOMPARE(p.state.Conf_Name, QString("Line 4"));
    QCOMPARE(p.state.Conf_Dir, p.Path("PROJECTS/Line 4"));
    QCOMPARE(p.state.ParGen_File, p.Path("PROJECTS/Line 4/ParGen.xml"));
    QVERIFY(QFileInfo(p.Path("PROJECTS/Line 4/bin")).isDir());
    QCOMPARE(p.Label("L_Name_Conf")->text(), QString("Opened Configuration of the Converter : "));
    QCOMPARE(p.Label("L_Name_Conf_L2")->text(), QString("Line 4"));
    // Only the folder is created; the settings file waits for closing.
    QVERIFY(!QFileInfo::exists(p.Path("Struttor.xml")));
    QCOMPARE(QDir(p.Path("PROJECTS/Line 4")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{"bin"});

    // A restart reopens it.
    window.close();
    App_State restarted;
    Text_Table texts;
    Dialog_Recorder ui;
    Scripted_Versions versions;
    TFStruttoreFirmWare second(restarted, texts, ui, versions, p.dir.path());
    QCOMPARE(restarted.Conf_Dir, p.Path("PROJECTS/Line 4"));
}

void Tst_Main_Window::cancelled_new_and_open_change_nothing() {
    Program p;
    QVERIFY(p.Make_Configuration("Plant"));
    QVERIFY(p.Make_Configuration("Other"));
    QVERIFY(Write_All(p.Path("Struttor.xml"), Settings_For("Plant")));
    p.Start();
    const App_State before = p.state;
    const QString label = p.Label("L_Name_Conf_L2")->text();
    p.ui.Expect_Modal([](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("E_New_Proj")->setText("Third");
        dialog.findChild<QPushButton*>("Btn_Cancel")->click();
        return dialog.result();
    });
    p.Button("Btn_New")->click();
    p.ui.Expect_Modal([](QDialog& dialog) {
        dialog.findChild<QListWidget*>("ListBox1")->setCurrentRow(0); // "Other"
        dialog.findChild<QPushButton*>("Btn_Cancel")->click();
        return dialog.result();
    });
    p.Button("Btn_Open")->click();
    QVERIFY(p.ui.All_Answered());
    QCOMPARE(p.state.Conf_Name, before.Conf_Name);
    QCOMPARE(p.state.Conf_Dir, before.Conf_Dir);
    QCOMPARE(p.state.ParGen_File, before.ParGen_File);
    QCOMPARE(p.state.Sdo_File, before.Sdo_File);
    QCOMPARE(p.Label("L_Name_Conf_L2")->text(), label);
    QVERIFY(!QFileInfo::exists(p.Path("PROJECTS/Third")));
}

void Tst_Main_Window::open_switches_configuration() {
    Program p;
    QVERIFY(p.Make_Configuration("Alpha", Par_Gen("0")));
    QVERIFY(p.Make_Configuration("beta", Par_Gen("1")));
    QVERIFY(Write_All(p.Path("Struttor.xml"), Settings_For("Alpha")));
    TFStruttoreFirmWare& window = p.Start();
    QVERIFY(p.Shown("Btn_PROFIBUS_Error_Diagnosis"));
    p.ui.Expect_Modal([](QDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>("ListBox1");
        [&] {
            QCOMPARE(list->count(), 2);
            QCOMPARE(list->currentRow(), 0); // the open one
        }();
        list->setCurrentRow(1);
        dialog.findChild<QPushButton*>("Btn_OK")->click();
        return dialog.result();
    });
    p.Button("Btn_Open")->click();
    QVERIFY(p.ui.All_Answered());
    QCOMPARE(p.state.Conf_Name, QString("beta"));
    QCOMPARE(p.state.Conf_Dir, p.Path("PROJECTS/beta"));
    QCOMPARE(p.state.Sdo_File, p.Path("PROJECTS/beta/sdo.xml"));
    QCOMPARE(p.Label("L_Name_Conf_L2")->text(), QString("beta"));
    // Open re-lays the steps for the other configuration's hardware.
    QCOMPARE(window.Sel_Hard(), 1);
    QVERIFY(!p.Shown("Btn_PROFIBUS_Error_Diagnosis"));
}

void Tst_Main_Window::open_with_an_empty_list() {
    Program p;
    p.Start();
    p.ui.Expect_Modal([](QDialog& dialog) {
        dialog.findChild<QPushButton*>("Btn_OK")->click();
        return dialog.result();
    });
    p.Button("Btn_Open")->click();
    QVERIFY(p.ui.All_Answered());
    // Nothing is open: no step may work on PROJECTS itself.
    QVERIFY(p.state.Conf_Name.isEmpty());
    QVERIFY(p.state.Conf_Dir.isEmpty());
    QVERIFY(p.state.ParGen_File.isEmpty());
    QCOMPARE(p.Label("L_Name_Conf")->text(), QString("None Configuration Opened "));
    p.ui.Expect_Error("Error! Project not Valid");
    p.Button("Btn_Modbus_Set_Access")->click();
    QVERIFY(p.ui.All_Answered());
}

void Tst_Main_Window::configuration_folder_removed_while_open() {
    Program p;
    QVERIFY(p.Make_Configuration("Plant"));
    QVERIFY(Write_All(p.Path("Struttor.xml"), Settings_For("Plant")));
    p.Start();
    QVERIFY(p.state.Configuration_Open());
    QVERIFY(QDir(p.Path("PROJECTS/Plant")).removeRecursively());
    p.ui.Expect_Error("Error! Project not Valid");
    p.Button("Btn_CreateBin")->click();
    QVERIFY(p.ui.All_Answered());
}

void Tst_Main_Window::info_shows_the_about_box() {
    Program p;
    p.Start();
    p.ui.Expect_Modal([](QDialog& dialog) {
        [&] { QCOMPARE(dialog.findChild<QLabel*>("Label10")->text(), QString("2.110")); }();
        dialog.findChild<QPushButton*>("LbButton1")->click();
        return dialog.result();
    });
    p.Button("Btn_Info")->click();
    QVERIFY(p.ui.All_Answered());
    QCOMPARE(p.ui.Shown().first().text, QString("FAbout"));
}

void Tst_Main_Window::window_titles() {
    Program p;
    TFStruttoreFirmWare& window = p.Start();
    // Exactly the product's titles, the main one with its trailing blank.
    QCOMPARE(window.windowTitle(),
             QString("Vorlantech - Configurator KC40927 - PROFIBUS Slave / Modbus Master "));
    const QList<QPair<const char*, QString>> titles{
        {"FNew_Project", "Create New Configuration"},
        {"FOpenConf", "Open Configuration"},
        {"FAbout", "About..."},
        {"FSoftOptions", "Software Options"},
        {"FParGen", "Set Communication"},
        {"FSetAccess", "Set Modbus Access"},
        {"FSetDiagnosis", "Error / Diagnosis"},
        {"FBoot", "Update Device by Serial"},
    };
    for (const auto& [name, title] : titles) {
        const QDialog* dialog = window.findChild<QDialog*>(name);
        QVERIFY2(dialog, name);
        QCOMPARE(dialog->windowTitle(), title);
    }
}

void Tst_Main_Window::long_texts_elide() {
    Program p;
    const QString name(255, 'N'); // the longest folder name
    QVERIFY(p.Make_Configuration(name));
    QVERIFY(QDir().mkpath(p.Path("LANGUAGE")));
    const QString long_step = "Schritt " + QString(150, 'W');
    QVERIFY(Write_All(p.Path("LANGUAGE/Test.lng"),
                      "STR 1 =Schritt Nummer eins\r\nSTR 2 =" + long_step.toUtf8() + "\r\n"));
    QVERIFY(Write_All(p.Path("Struttor.xml"), Settings_For(name, "Test")));
    TFStruttoreFirmWare& window = p.Start();
    window.show();

    // The configuration name: cut with an ellipsis, whole as text and hint.
    auto* conf = window.findChild<Elided_Label*>("L_Name_Conf_L2");
    QVERIFY(conf);
    QCOMPARE(conf->text(), name);
    QVERIFY(conf->Is_Elided());
    QVERIFY2(conf->Shown_Text().endsWith(QChar(0x2026)), qPrintable(conf->Shown_Text()));
    QVERIFY(conf->Shown_Text().size() < name.size());
    QVERIFY(conf->geometry().right() < conf->parentWidget()->width());
    QHelpEvent hint(QEvent::ToolTip, QPoint(5, 5), conf->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(conf, &hint);
    QCOMPARE(QToolTip::text(), name);
    QToolTip::hideText();

    // Step labels: the column widens for a longer text, a far longer one is
    // cut; no label reaches into its button.
    const char* const buttons[6] = {
        "Btn_New",     "Btn_Prm_Gen",  "Btn_Modbus_Set_Access", "Btn_PROFIBUS_Error_Diagnosis",
        "Btn_GSD_EDS", "Btn_CreateBin"};
    for (int row = 1; row <= 6; ++row) {
        const QWidget* label = p.Find<QWidget>(qPrintable("L_Step_" + QString::number(row)));
        const QWidget* button = p.Find<QWidget>(buttons[row - 1]);
        QVERIFY2(label->geometry().right() < button->geometry().left(), buttons[row - 1]);
        QCOMPARE(label->geometry().center().y(), button->geometry().center().y());
    }
    auto* step_1 = window.findChild<Elided_Label*>("L_Step_1");
    auto* step_2 = window.findChild<Elided_Label*>("L_Step_2");
    QVERIFY(!step_1->Is_Elided());
    QCOMPARE(step_1->Shown_Text(), QString("Schritt Nummer eins"));
    QVERIFY(step_2->Is_Elided());
    QCOMPARE(step_2->text(), long_step);
    // Everything stays inside the window.
    for (const char* name_ : {"Btn_Close", "L_Vorlan", "Btn_CreateBin"})
        QVERIFY2(p.Find<QWidget>(name_)->geometry().right() < window.width(), name_);
}

void Tst_Main_Window::device_line_says_what_was_sent() {
    Program p;
    QVERIFY(p.Make_Configuration("Plant"));
    QVERIFY(Write_All(p.Path("Struttor.xml"), Settings_For("Plant")));
    const QString conf = p.Path("PROJECTS/Plant");
    Save_ParGen(conf + "/ParGen.xml", General_Params{});
    Save_Sdo(conf + "/sdo.xml", Access_Rules{});
    TFStruttoreFirmWare& window = p.Start();
    auto* line = window.findChild<QLabel*>(QStringLiteral("LL_Device_State"));
    QVERIFY(line && !line->isHidden());
    QCOMPARE(line->toolTip(), QStringLiteral("Configuration never sent to the device"));

    // An update of what the documents build to, recorded as the update dialog does.
    Update_Entry sent;
    sent.Time = QDateTime::currentDateTimeUtc();
    sent.Configuration = true;
    sent.Target = QStringLiteral("ttyS0");
    sent.End = Update_End::Exit_Status;
    Record_Update(conf, sent, Build_Bank(conf).Bytes, QStringLiteral("all loaded\n"));
    // Any step of the configuration looks again, here a cancelled editor.
    p.ui.Expect_Modal([](QDialog&) { return QDialog::Rejected; });
    p.Button("Btn_Prm_Gen")->click();
    QVERIFY(p.ui.All_Answered());
    QVERIFY2(line->toolTip().endsWith(QStringLiteral("to ttyS0, exit status 0 \u2013 device up to date")),
             qPrintable(line->toolTip()));
    QVERIFY(line->text().contains(QStringLiteral("<a href=")));

    // The general parameters saved again with another value: the device is behind.
    p.ui.Expect_Modal([&](QDialog&) {
        General_Params changed;
        changed.Profi_ID = QStringLiteral("7");
        Save_ParGen(conf + "/ParGen.xml", changed);
        return QDialog::Accepted;
    });
    p.Button("Btn_Prm_Gen")->click();
    QVERIFY(p.ui.All_Answered());
    QVERIFY2(line->toolTip().endsWith(QStringLiteral("\u2013 changed since the last update")),
             qPrintable(line->toolTip()));
}

QTEST_MAIN(Tst_Main_Window)
#include "tst_main_window.moc"
