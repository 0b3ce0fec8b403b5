#pragma once

#include "base/frame_dialog.h"
#include "document/general_params.h"
#include "document/general_params_fields.h"

#include <array>
#include <vector>

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
    // Creates the controls of every field, row by row, in their panels.
    void Build_Fields();
    Collapsible_Panel* Panel_Of(Par_Field::Panel panel) const;
    // Shows or hides the fields of the panel whose rule names a hardware type.
    void Show_Fields_Of(Par_Field::Panel panel);
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

    // The widgets of one entry of Par_Field::Fields(), at the same position.
    struct Field_Widgets {
        QLabel* label = nullptr;   // the caption in front, if the field has one
        QComboBox* list = nullptr; // the control, by kind
        QLineEdit* edit = nullptr;
        QCheckBox* check = nullptr;
        std::array<QLineEdit*, 4> octets{};
        QWidget* row = nullptr; // the row holding the field
    };
    std::vector<Field_Widgets> fields;
    // The controls the layout and the handlers look at.
    QComboBox* CB_HardwareType_HardwareType = nullptr;
    QCheckBox* CB_PROFIBUS_Err_En_Diagnosis = nullptr;
    QLineEdit* E_PROFIBUS_Diagnosis_Address = nullptr;
    General_Params shown_values; // as the controls showed them at FormShow
    // IP1..IP4, SM1..SM4, GAT1..GAT4: the order a full stop moves along.
    std::array<QLineEdit*, 12> octet_chain{};
};

// Runs the "Set Communication" step's dialog: FormShow, then the modal
// showing. A document that cannot be read is shown in an error box and the
// editor is not opened. Gives the dialog's result (Rejected after an error).
int Show_General_Params(TFParGen& dialog, Dialog_Services& ui);
