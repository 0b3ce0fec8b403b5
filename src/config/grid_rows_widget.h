#pragma once

class QTableView;
struct App_State;

// The two grid conveniences switched on in the software options. Both read
// their preference at the moment of the event.

// Double click at (row, column) of the grid, row 0 being the header row: with
// Double_Click_Auto_Size on and a header click, the column's width is set to
// fit its widest text. Otherwise nothing changes.
void Auto_Size_Col(QTableView& grid, int row, int column, const App_State& state);

// A key press on the grid (a Qt key code). With Enable_Jump_Field_Tables on,
// Enter (Return or the keypad's Enter) is consumed and the current data cell
// moves to the next visible column, or to column 1 of the next row (row 1
// after the last row). Gives true when the key was consumed.
bool Jump_Field(QTableView& grid, int key, const App_State& state);
