#pragma once

#include "base/frame_dialog.h"
#include "document/access_rules_check.h"
#include "document/io_map.h"

#include <QStringList>

class Grid_Editing;
class QAction;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableView;
class QWidget;
class Grid_Cell_Delegate;
class Text_Grid_Model;
class TFIOMap;
class TFRules_Test;

// The Modbus access rules editor: the read rules (Modbus reads into the
// PROFIBUS input area) and the write rules (PROFIBUS output area written to
// Modbus) of sdo.xml, on two pages of 244 rule rows each. Its columns and
// limits follow the hardware type and the PROFIBUS area sizes of ParGen.xml.
class TFSetAccess : public Frame_Dialog {
    Q_OBJECT
public:
    TFSetAccess(App_State& state, const Text_Table& texts, Ui_Services& ui, QWidget* parent = nullptr);
    ~TFSetAccess() override;

    Text_Grid_Model* Read_Model() const { return read_model; }
    Text_Grid_Model* Write_Model() const { return write_model; }
    Grid_Editing* Read_Editing() const { return read_editing; }
    Grid_Editing* Write_Editing() const { return write_editing; }
    const Rules_Limits& Limits() const { return limits; }
    bool Copied_In_Read() const { return Do_Copy_In_Read; }
    bool Copied_In_Write() const { return Do_Copy_In_Write; }
    const QStringList& Read_Hints() const { return Hint_Modbus_Set_Access_Read; }
    const QStringList& Write_Hints() const { return Hint_Modbus_Set_Access_Write; }
    // The I/O map of the current rows, saved or not; the map window once opened.
    Io_Map Current_IO_Map() const;
    TFIOMap* IO_Map_Window() const { return FIOMap; }

    // Handlers shared by both grids (the read grid's names, which the write
    // grid takes over with its own `grid`). Rows are grid rows: 0 the header,
    // 1 to 244 the rules.
    void ClickCell(QTableView* grid, int row, int column);
    void ACG_Modbus_ReadDblClickCell(QTableView* grid, int row, int column);
    QString ACG_Modbus_ReadGridHint(QTableView* grid, int column) const;
    bool ACG_Modbus_ReadKeyPress(QTableView* grid, int key);

    // The Export and Import buttons of each page. Export writes the rules the
    // table would save to a CSV file; Import replaces every rule row of the
    // table with the rows of a CSV file; a Type or flag the grid cannot take
    // refuses the file. Nothing is saved before OK. Afterwards the table's
    // grid has the focus.
    void Btn_ExportClick(Rule_Table table);
    void Btn_ImportClick(Rule_Table table);

public Q_SLOTS:
    // Reads the general parameters and the rules anew. Throws Kc_Error when
    // either document exists but cannot be read.
    void FormShow() override;
    void Set_Lang() override;
    void Btn_OKClick() override;
    void bitbtn1Click();
    // True when both tables may be saved; otherwise shows the first failure.
    bool Controllo_dati();
    void Btn_DelRowClick();
    void Btn_InsertRowClick();
    void Btn_CopyRowClick();
    void Btn_PasteRowClick();
    // Opens the I/O map beside the editor.
    void Btn_IOMapClick();
    // Shows the overlaps of the current rows under the grids and hands the
    // map to the map window; runs on every change of the rows.
    void Update_IO_Map();
    // Asks the Modbus slaves for what the enabled rules of the page showing
    // (or its selected rows) read, as the grid holds them now.
    void Btn_TestClick();
    // Shows the page of the table and makes the row current.
    void Show_Rule_Row(Rule_Table table, int row);
    // The window size that shows every column of the hardware type and 16
    // rows of either grid, before any bound by the screen. A showing gives
    // the window this size (within the screen) unless the user chose one.
    QSize Default_Size() const;
    // Moves the current row of the page showing up (-1) or down (+1).
    void Btn_MoveRowClick(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool Has_Unsaved_Changes() override;

private:
    QTableView* Make_Grid(QWidget* page, Rule_Table table, const QString& name);
    void Import_Csv_Rows(Rule_Table table);
    void Add_Csv_Buttons(QWidget* page, Rule_Table table, QPushButton*& export_button,
                         QPushButton*& import_button);
    QTableView* Showing_Grid() const;
    Text_Grid_Model* Model_Of(const QTableView* grid) const;
    Text_Grid_Model* Model_Of(Rule_Table table) const;
    QTableView* Grid_Of(Rule_Table table) const;
    Grid_Editing* Editing_Of(const QTableView* grid) const;
    void Fit_Column_Widths();
    int Current_Row(const QTableView* grid) const;
    // Asks before saving when rows past the end of a table hold data. True
    // when saving may go on.
    bool Confirm_Lost_Rows();

    QTabWidget* PageControl1 = nullptr;
    QWidget* TS_Modbus_Read = nullptr;
    QWidget* TS_Modbus_Write = nullptr;
    QTableView* ACG_Modbus_Read = nullptr;
    QTableView* ACG_Modbus_Write = nullptr;
    QPushButton* Btn_DelRow = nullptr;
    QPushButton* Btn_InsRow = nullptr;
    QPushButton* Btn_CopyRow = nullptr;
    QPushButton* Btn_PasteRow = nullptr;
    QPushButton* Btn_IOMap = nullptr;
    QPushButton* Btn_Move_Up = nullptr;
    QPushButton* Btn_Move_Down = nullptr;
    // The row buttons as actions of the grids' context menus.
    QList<QAction*> row_actions;
    QLabel* LL_Overlaps = nullptr;
    TFIOMap* FIOMap = nullptr;
    QPushButton* Btn_Test = nullptr;
    TFRules_Test* FRules_Test = nullptr; // created at the first test
    QPushButton* Btn_Export_Read = nullptr;
    QPushButton* Btn_Import_Read = nullptr;
    QPushButton* Btn_Export_Write = nullptr;
    QPushButton* Btn_Import_Write = nullptr;

    Text_Grid_Model* read_model = nullptr;
    Text_Grid_Model* write_model = nullptr;
    Grid_Editing* read_editing = nullptr;
    Grid_Editing* write_editing = nullptr;
    // The size last set by the editor itself; any other size is the user's
    // and is kept.
    QSize default_size;

    Rules_Limits limits;
    QList<Io_Occupant> reserved_areas; // what the general parameters reserve
    bool Do_Copy_In_Read = false;
    bool Do_Copy_In_Write = false;
    QStringList Hint_Modbus_Set_Access_Read;
    QStringList Hint_Modbus_Set_Access_Write;
};
