#pragma once

#include "base/frame_dialog.h"
#include "config/general_params.h"

#include <array>

class Collapsible_Panel;
class Dialog_Services;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QScrollArea;

// The general parameters editor behind the "Set Communication" step: four
// collapsible panels (hardware type, Modbus master, PROFIBUS, Ethernet) in a
// vertically scrolling group. Which rows are shown follows the hardware type;
// hidden fields keep their values and are saved like the visible ones.
class TFParGen : public Frame_Dialog {
    Q_OBJECT
public:
    TFParGen(App_State& state, const Text_Table& texts, Ui_Services& ui, QWidget* parent = nullptr);

    // The values the controls hold now, as the document would store them.
    General_Params Values() const;

public Q_SLOTS:
    // Fills the controls from ParGen_File (defaults when it is absent) and
    // lays them out for the stored hardware type. Throws Kc_Error when the
    // document cannot be read.
    void FormShow() override;
    // Validates, saves and closes with the OK result; on a failed check or a
    // failed write an error box is shown and the dialog stays open.
    void Btn_OKClick() override;
    void Set_Lang() override;

    // Runs the checks; on the first failure shows its message and gives false.
    bool Controllo_Dati();
    void Move_GroupBoxs();
    // Re-lays the panels when the hardware list changed.
    void On_Change();
    // Re-lays the panels when "Enable PROFIBUS Diagnosis" was clicked.
    void On_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The controls differ from what the last showing filled in.
    bool Has_Unsaved_Changes() override;

private:
    void Build_Hardware_Panel();
    void Build_Modbus_Panel();
    void Build_PROFIBUS_Panel();
    void Build_Ethernet_Panel();
    void Order_TAB_Panels();
    void RePosition_Object_Hardware_Type();
    void RePosition_Object_Modbus_Master();
    void RePosition_Object_PROFIBUS();
    void RePosition_Object_Ethernet();
    bool With_Ethernet() const;
    void Fill_Controls(const General_Params& params);
    // The full stop in an octet edit: moves on along the chain, never typed.
    bool KeyPress(QLineEdit* edit, QKeyEvent* event);
    void Install_Wheel_Filter(QWidget* widget);

    QScrollArea* CPG = nullptr;
    Collapsible_Panel* CP_Hardware_Type = nullptr;
    Collapsible_Panel* CP_Modbus_Master = nullptr;
    Collapsible_Panel* CP_PROFIBUS = nullptr;
    Collapsible_Panel* CP_Ethernet = nullptr;

    QLabel* L_HardwareType_HardwareType = nullptr;
    QComboBox* CB_HardwareType_HardwareType = nullptr;

    QLabel* L_ModbusMaster_Serial = nullptr;
    QComboBox* CB_ModbusMaster_Serial = nullptr;
    QLabel* L_ModbusMaster_Baudrate = nullptr;
    QComboBox* CB_ModbusMaster_Baudrate = nullptr;
    QLabel* L_ModbusMaster_Parity = nullptr;
    QComboBox* CB_ModbusMaster_Parity = nullptr;
    QLabel* L_ModbusMaster_StopBits = nullptr;
    QComboBox* CB_ModbusMaster_StopBits = nullptr;
    QWidget* row_data_bits = nullptr;
    QLabel* L_ModbusMaster_DataBits = nullptr;
    QComboBox* CB_ModbusMaster_DataBits = nullptr;
    QLabel* L_ModbusMaster_TimeOut = nullptr;
    QLineEdit* E_ModbusMaster_TimeOut = nullptr;
    QLabel* L_ModbusMaster_CyclicDelay = nullptr;
    QLineEdit* E_ModbusMaster_CyclicDelay = nullptr;
    QWidget* row_protocol = nullptr;
    QLabel* L_ModbusMaster_Protocol = nullptr;
    QComboBox* CB_ModbusMaster_Protocol = nullptr;
    QWidget* row_write_type = nullptr;
    QLabel* L_ModbusMaster_WriteType = nullptr;
    QComboBox* CB_ModbusMaster_WriteType = nullptr;
    QCheckBox* CB_ModbusMaster_En_Modbus_On_PROFIBUS = nullptr;

    QLabel* L_PROFIBUS_ID_Device = nullptr;
    QLineEdit* E_PROFIBUS_ID_Device = nullptr;
    QLabel* L_PROFIBUS_Baud = nullptr;
    QComboBox* CB_PROFIBUS_Baud = nullptr;
    QLabel* L_PROFIBUS_NByte_In = nullptr;
    QLineEdit* E_PROFIBUS_NByte_In = nullptr;
    QLabel* L_PROFIBUS_NByte_Out = nullptr;
    QLineEdit* E_PROFIBUS_NByte_Out = nullptr;
    QCheckBox* CB_PROFIBUS_En_Err_Diagnosis = nullptr;
    QLineEdit* E_PROFIBUS_Diagnosis_Address = nullptr;
    QWidget* row_err_num_count = nullptr;
    QLabel* L_PROFIBUS_Err_Num_Count = nullptr;
    QLineEdit* E_PROFIBUS_Err_Num_Count = nullptr;
    QCheckBox* CB_PROFIBUS_Err_En_Diagnosis = nullptr;
    QCheckBox* CB_PROFIBUS_Err_En_Cancel_Data = nullptr;
    QCheckBox* CB_PROFIBUS_Err_En_Set_To_Zero = nullptr;
    QWidget* row_copy_data = nullptr;
    QCheckBox* CB_PROFIBUS_Err_En_Copy_Data = nullptr;
    QLineEdit* E_PROFIBUS_Err_En_Copy_Pos = nullptr;
    QCheckBox* CB_PROFIBUS_En_Async_Req = nullptr;
    QLabel* L_PROFIBUS_Async_Add_In = nullptr;
    QLineEdit* E_PROFIBUS_Async_Add_In = nullptr;
    QLabel* L_PROFIBUS_Async_Add_Out = nullptr;
    QLineEdit* E_PROFIBUS_Async_Add_Out = nullptr;
    QCheckBox* CB_PROFIBUS_Del_Modbus = nullptr;

    QLabel* L_Ethernet_IP = nullptr;
    QLabel* L_Ethernet_SM = nullptr;
    QCheckBox* CB_Ethernet_En_GAT = nullptr;
    std::array<QLineEdit*, 4> E_Ethernet_IP{};
    std::array<QLineEdit*, 4> E_Ethernet_SM{};
    std::array<QLineEdit*, 4> E_Ethernet_GAT{};
    General_Params shown_values; // as the controls showed them at FormShow
    // IP1..IP4, SM1..SM4, GAT1..GAT4: the order a full stop moves along.
    std::array<QLineEdit*, 12> octet_chain{};
};

// Runs the "Set Communication" step's dialog: FormShow, then the modal
// showing. A document that cannot be read is shown in an error box and the
// editor is not opened. Gives the dialog's result (Rejected after an error).
int Show_General_Params(TFParGen& dialog, Dialog_Services& ui);
