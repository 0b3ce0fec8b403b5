#pragma once

#include "base/frame_dialog.h"
#include "update/start_program.h"
#include "update/update_history.h"
#include "update/update_services.h"
#include "update/updater_output.h"

#include <memory>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class QTimer;
class Echo_Check;
class Started_Program;

// The update dialog: how the device is reached (a serial port, or an IP
// address for an update over Ethernet), what is loaded and whether it is read
// back. The update button starts the matching updater program and waits for
// it, showing its output; the dialog stays open afterwards. The echo check
// before an Ethernet update runs on the event loop with a Cancel of its own.
// An updater still running when the wait runs out stays watched: no second
// one starts until it has ended, and its end is reported if it failed.
class TFBoot : public Frame_Dialog {
    Q_OBJECT
public:
    TFBoot(App_State& state, const Text_Table& texts, Ui_Services& ui, const Update_Services& services,
           QWidget* parent = nullptr);
    ~TFBoot() override;

    // 0 serial update, 1 Ethernet (UDP) update; set before each showing.
    int Form_Type() const { return form_type_; }
    void Set_Form_Type(int form_type) { form_type_ = form_type == 1 ? 1 : 0; }

    // Outcome of the last echo: 0 no reply (or sending failed), 1 a reply
    // with data, 2 a reply without data (time-out).
    int Ping_Res() const { return ping_res; }

    // The echo check runs (Btn_Check_Cancel stops it).
    bool Echo_Check_Running() const;
    // An updater program outlived the wait and is still running.
    bool Updater_Running() const { return running_ != nullptr; }

public Q_SLOTS:
    void FormShow() override;
    void Set_Lang() override;
    void update_ComPort();
    void Btn_COM_ListClick() { update_ComPort(); }
    void Btn_UpdateClick();
    // Starts the echo check of the address in the four edits; its answer
    // comes to Ping_Finished (true when the address answered).
    void Send_Ping();
    void PingReply(int bytes_received);
    void Ping_Finished(bool answered);
    // Stops the echo check; nothing is started and nothing is stored.
    void Btn_Check_CancelClick();
    // Looks at an updater that outlived the wait.
    void Watch_Updater();
    // Closing is refused while an update runs; during the echo check it
    // cancels the check.
    void reject() override;

public:
    // The key handler of the four address edits: "." is swallowed and, in
    // E_IP1 to E_IP3, moves the focus to the next edit when it can take it.
    // True when the key is swallowed.
    bool KeyPress(QLineEdit* edit, QKeyEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString IP_Text() const;
    void Update_Serial();
    void Update_Ethernet();
    void Run_Updater(const QString& program, const Program_Arguments& arguments, const QString& target);
    // The history entry of an update starting now to `target`, as the
    // dialog's choices describe it.
    Update_Entry New_Entry(const QString& target) const;
    // Records the update in the configuration's history; a history that
    // cannot be written is said, never in the way of the update itself.
    void Record(const Update_Entry& entry, const QByteArray& image, const QString& output);
    void Complete_Record(const Program_End& end);
    void Set_Busy(bool busy);
    void Show_Check(bool shown);
    void Report_End(const Program_End& end);

    Update_Services services_;
    int form_type_ = 0;
    int ping_res = 0;
    bool busy_ = false;
    Echo_Check* echo_check_ = nullptr;
    QString checking_host_;
    // The updater that outlived the wait, and what it wrote.
    std::unique_ptr<Started_Program> running_;
    QString running_name_;
    Updater_Output_Decoder running_decoder_;
    Updater_Output_Tail running_tail_;
    // All it wrote, within the bound of the history's logs.
    Updater_Output_Tail running_log_{Max_Sent_Log_Bytes / 4};
    // The history entry of the update that outlived the wait.
    QString running_conf_dir_;
    QDateTime running_started_;
    QTimer* watch_timer_ = nullptr;

    QFrame* P_IP_Address = nullptr;
    QLabel* L_IP_Address = nullptr;
    QLineEdit* E_IP1 = nullptr;
    QLineEdit* E_IP2 = nullptr;
    QLineEdit* E_IP3 = nullptr;
    QLineEdit* E_IP4 = nullptr;
    QFrame* P_Check = nullptr;
    QLabel* L_Check = nullptr;
    QPushButton* Btn_Check_Cancel = nullptr;
    QFrame* P_Serial = nullptr;
    QLabel* L_COM_Port = nullptr;
    QComboBox* CB_COM_Port = nullptr;
    QPushButton* Btn_COM_List = nullptr;
    QFrame* P_Options = nullptr;
    QLabel* L_Update_Option = nullptr;
    QComboBox* CB_Update_Options = nullptr;
    QCheckBox* CB_Update_Option_Read_Back = nullptr;
    QPushButton* Btn_Update = nullptr;
};
