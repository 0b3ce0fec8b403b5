#pragma once

#include "base/frame_dialog.h"

#include <QStringList>

class Grid_Editing;
class Grid_Table_View;
class QPushButton;
class Text_Grid_Model;

// The diagnosis list editor: the grid ASG with one header row and 64 entry
// rows; column 0 (fixed) shows each row's place in the diagnosis bytes,
// column 1 the Modbus slave ID the user enters. OK validates, asks before
// leaving out data after the end of the list, and writes Diagnosis_File.
// The grid edits like a spreadsheet (Grid_Editing); an entry moves up and
// down to another bit.
class TFSetDiagnosis : public Frame_Dialog {
    Q_OBJECT
public:
    static constexpr int Entry_Rows = 64;

    TFSetDiagnosis(App_State& state, const Text_Table& texts, Ui_Services& ui, QWidget* parent = nullptr);

    // The texts of the ID column, entry row 1 first.
    QStringList Cells() const;
    Text_Grid_Model* Model() const { return model; }
    Grid_Editing* Editing() const { return editing; }

public Q_SLOTS:
    // Refills the grid from Diagnosis_File. Throws Kc_Error when the document
    // is not well-formed; warns when it holds more entries than the grid.
    void FormShow() override;
    void Btn_OKClick() override;
    void Set_Lang() override;
    // Validates the grid; shows the first failure in an error box.
    bool Controllo_dati();
    // Export writes the list as saving would to a CSV file; Import replaces
    // every ID cell with the rows of a CSV file. Nothing is saved before OK.
    // Afterwards the grid has the focus.
    void Btn_ExportClick();
    void Btn_ImportClick();

protected:
    bool Has_Unsaved_Changes() override;

private:
    Grid_Table_View* ASG = nullptr;
    Text_Grid_Model* model = nullptr;
    Grid_Editing* editing = nullptr;
    QPushButton* Btn_Export = nullptr;
    QPushButton* Btn_Import = nullptr;
    QPushButton* Btn_Move_Up = nullptr;
    QPushButton* Btn_Move_Down = nullptr;
};
