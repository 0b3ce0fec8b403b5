#pragma once

#include "update/update_services.h"

#include <QMainWindow>
#include <QString>
#include <memory>
#include <optional>

class QAbstractButton;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;
class QToolButton;
struct App_State;
class Text_Table;
class Dialog_Services;
class Ui_Services;
class Version_Check;
class Version_Source;
class Frame_Dialog;
class TFNew_Project;
class TFOpenConf;
class TFAbout;
class TFSoftOptions;
class TFParGen;
class TFSetAccess;
class TFSetDiagnosis;
class TFBoot;
class TFCompare;

// The dialogs the main window shows. Each is created at its first showing,
// with the texts of the language then in use, and lives until the program
// ends (the main window is their parent); null until then.
struct Main_Window_Dialogs {
    TFNew_Project* FNew_Project = nullptr;
    TFOpenConf* FOpenConf = nullptr;
    TFAbout* FAbout = nullptr;
    TFSoftOptions* FSoftOptions = nullptr;
    TFParGen* FParGen = nullptr;
    TFSetAccess* FSetAccess = nullptr;
    TFSetDiagnosis* FSetDiagnosis = nullptr;
    TFBoot* FBoot = nullptr;
    TFCompare* FCompare = nullptr;
};

// The main window: the open configuration and the column of numbered steps.
// Each step opens a modal dialog or runs an action; steps other than New,
// Open, Info, Options and Close need an open configuration.
class TFStruttoreFirmWare : public QMainWindow {
    Q_OBJECT
public:
    // Runs the whole start-up (FormCreate). `program_dir` is the folder of the
    // program file; MASTER, PROJECTS, LANGUAGE and Struttor.xml live there.
    TFStruttoreFirmWare(App_State& state, Text_Table& texts, Dialog_Services& ui, Version_Source& versions,
                        const QString& program_dir, QWidget* parent = nullptr);
    ~TFStruttoreFirmWare() override;

    // Start-up creates no dialog: each is created at its first showing.
    // This creates every one not there yet, in the program's order, for
    // callers that reach the dialogs before they are shown. The update
    // dialog gets the system's process start, echo, serial ports and clock
    // unless a test hands in doubles (before the dialog is created).
    void Create_Dialogs();
    void Create_Dialogs(const Update_Services& update_services);
    // The dialogs created so far.
    Main_Window_Dialogs& Dialogs() { return dialogs; }

    // The hardware type as last read by Load_Configuration.
    int Sel_Hard() const { return sel_hard; }
    QTimer* Timer_Update() const { return timer_update; }

public Q_SLOTS:
    // Document paths from Conf_Dir.
    void Set_Files();
    // Reads the hardware type and lays out the steps. A general parameters
    // document that is not well-formed: error box, the layout stays as it
    // was, false.
    bool Load_Configuration();
    // The hardware type of the open configuration's general parameters
    // document. Throws Kc_Error when the document is not well-formed.
    int Get_Hardware_Type();
    void Create_New_Project();
    void Open_Project();
    // Texts 0 to 30 and the configuration labels.
    void Set_Lang();
    // Re-applies the texts of every window (not the about box).
    void Change_Language();
    // Writes Struttor.xml; a failure shows one error box naming the file.
    bool Save_Setting();
    // Runs the timer exactly when Enable_Internet and Enable_Update are both on.
    void Set_Update_Timer();
    // The step dispatch of every step button and the three top buttons.
    void Btn_Click();
    // Starts a version check unless one runs; the answer comes to
    // Timer_Update_Done and the timer starts again only then.
    void Timer_UpdateTimer();
    void Timer_Update_Done(bool newer);
    bool Version_Check_Running() const;
    void LL_UpdateLinkClick(const QString& link);
    // Opens the output the updater wrote during the last configuration sent.
    void LL_Device_StateLinkClick(const QString& link);
    void L_VorlanClick();

protected:
    // FormClose: while an update program runs, asks first; then saves the
    // settings and closes.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate(const QString& program_dir);
    void Create_Controls();
    void Show_Configuration_Labels();
    // LL_Device_State: what the update history says of the device, under
    // the update step; hidden while no configuration is open.
    void Show_Device_State();
    // LL_Update as the last version check left it, in the texts of now.
    void Show_Update_Link();
    void Lay_Out_Steps(int hardware_type);
    void Run_Step(QObject* button);
    // Shows an editor modally after it has loaded what it shows.
    int Show_Dialog(Frame_Dialog& dialog);
    // Each dialog, created when it is first asked for.
    TFNew_Project& New_Project_Dialog();
    TFOpenConf& Open_Conf_Dialog();
    TFAbout& About_Dialog();
    TFSoftOptions& Options_Dialog();
    TFParGen& General_Params_Dialog();
    TFSetAccess& Access_Rules_Dialog();
    TFSetDiagnosis& Diagnosis_Dialog();
    TFBoot& Update_Dialog();
    TFCompare& Compare_Dialog();
    // A configuration is open and its folder is still there.
    bool Configuration_Usable() const;

    // The steps, one per button.
    void Show_About();
    void Show_Options();
    void Set_Communication();
    void Modbus_Set_Access();
    void Error_Diagnosis();
    void Create_GSD();
    void Update_Device();
    // The commissioning report of the open configuration.
    void Create_Report();

    App_State& state;
    Text_Table& texts;
    Dialog_Services& ui;
    Version_Source& versions;
    Main_Window_Dialogs dialogs;
    // What the update dialog is created with; the system's when empty.
    std::optional<Update_Services> update_services;
    int sel_hard = 0;
    std::unique_ptr<Version_Check> version_check;
    bool newer_version = false;

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QLabel* LL_Update = nullptr;
    QLabel* LL_Device_State = nullptr;
    QString device_log_; // the output file LL_Device_State links to
    QToolButton* Btn_Info = nullptr;
    QToolButton* Btn_Opz = nullptr;
    QToolButton* Btn_Close = nullptr;
    QLabel* L_Begin = nullptr;
    QFrame* Shape2 = nullptr;
    QLabel* L_Name_Conf = nullptr;
    QLabel* L_Name_Conf_L2 = nullptr;
    QLabel* L_Step[8] = {};
    QPushButton* Btn_New = nullptr;
    QPushButton* Btn_Open = nullptr;
    QPushButton* Btn_Prm_Gen = nullptr;
    QPushButton* Btn_Modbus_Set_Access = nullptr;
    QPushButton* Btn_PROFIBUS_Error_Diagnosis = nullptr;
    QPushButton* Btn_GSD_EDS = nullptr;
    QPushButton* Btn_CreateBin = nullptr;
    QPushButton* Btn_Report = nullptr;
    QPushButton* Btn_Compare = nullptr;
    QLabel* L_Vorlan = nullptr;
    QFrame* Shape1 = nullptr;
    QTimer* timer_update = nullptr;
};
