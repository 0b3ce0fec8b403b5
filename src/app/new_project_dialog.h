#pragma once

#include "base/frame_dialog.h"

class QLabel;
class QLineEdit;

// Creates a new configuration: a folder in PROJECTS named exactly as typed,
// with an empty "bin" folder. Closes with OK only once the folder exists and
// the configuration is open (Conf_Name, Conf_Dir and the document paths set).
class TFNew_Project : public Frame_Dialog {
    Q_OBJECT
public:
    TFNew_Project(App_State& state, const Text_Table& texts, Ui_Services& ui, QWidget* parent = nullptr);

public Q_SLOTS:
    // Empties the name and gives it the keyboard focus.
    void FormShow() override;
    void Btn_OKClick() override;
    // Enter in the name field does what OK does.
    void E_New_ProjKeyPress();
    void Set_Lang() override;

private:
    QLabel* Label1 = nullptr;
    QLineEdit* E_New_Proj = nullptr;
};
