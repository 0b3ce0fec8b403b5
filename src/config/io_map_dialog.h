#pragma once

#include "base/frame_dialog.h"
#include "document/io_map.h"

class QLabel;
class Io_Area_Widget;

// The PROFIBUS I/O map of the rules editor: the input area (Modbus read
// rules) and the output area (Modbus write rules) as grids of bytes. It shows
// the editor's current rows, saved or not: the editor hands it every new map.
// It stays open beside the editor, which keeps working; double-clicking a
// rule's byte asks the editor to make that row current.
class TFIOMap : public Frame_Dialog {
    Q_OBJECT
public:
    TFIOMap(App_State& state, const Text_Table& texts, Ui_Services& ui, QWidget* parent = nullptr);

    Io_Area_Widget* Area_Widget(Io_Area area) const;

public Q_SLOTS:
    void Set_Map(const Io_Map& map);
    void Set_Lang() override;

Q_SIGNALS:
    void Rule_Chosen(Rule_Table table, int row);

private:
    QLabel* L_Hint = nullptr;
    QLabel* L_Input_Area = nullptr;
    QLabel* L_Output_Area = nullptr;
    Io_Area_Widget* P_Input_Area = nullptr;
    Io_Area_Widget* P_Output_Area = nullptr;
};
