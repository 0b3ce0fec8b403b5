#pragma once

#include "base/frame_dialog.h"
#include "update/update_services.h"

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLineEdit;
class QPushButton;

// The update dialog: how the device is reached (a serial port, or an IP
// address for an update over Ethernet), what is loaded and whether it is read
// back. The update button starts the matching updater program and waits for
// it; the dialog stays open afterwards.
class TFBoot : public Frame_Dialog {
    Q_OBJECT
public:
    TFBoot(App_State& state, const Text_Table& texts, Ui_Services& ui, const Update_Services& services,
           QWidget* parent = nullptr);

    // 0 serial update, 1 Ethernet (UDP) update; set before each showing.
    int Form_Type() const { return form_type_; }
    void Set_Form_Type(int form_type) { form_type_ = form_type == 1 ? 1 : 0; }

    // Outcome of the last echo: 0 no reply (or sending failed), 1 a reply
    // with data, 2 a reply without data (time-out).
    int Ping_Res() const { return ping_res; }

public Q_SLOTS:
    void FormShow() override;
    void Set_Lang();
    void update_ComPort();
    void Btn_COM_ListClick() { update_ComPort(); }
    void Btn_UpdateClick();
    // True when the address in the four edits answers the echo.
    bool Send_Ping();
    void PingReply(int bytes_received);
    // Closing is refused while an update runs.
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
    void Run_Updater(const QString& program, const QString& command_line);
    void Set_Busy(bool busy);

    Update_Services services_;
    int form_type_ = 0;
    int ping_res = 0;
    bool busy_ = false;

    QFrame* P_IP_Address = nullptr;
    QLabel* L_IP_Address = nullptr;
    QLineEdit* E_IP1 = nullptr;
    QLineEdit* E_IP2 = nullptr;
    QLineEdit* E_IP3 = nullptr;
    QLineEdit* E_IP4 = nullptr;
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
