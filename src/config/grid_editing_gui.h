#pragma once

#include "config/grid_edit.h"
#include "config/grid_rows.h"
#include "document/cell_values.h"

#include <QList>
#include <QObject>

#include <functional>

class QAction;
class QKeySequence;
class QMenu;
class QPoint;
class QTableView;
class QUndoStack;
class Text_Grid_Model;
class Text_Table;
class Ui_Services;

// Spreadsheet editing on one grid of an editor: undo and redo of every change
// of its cells, ranges and whole rows selected, Del and Backspace clearing the
// selected cells, Ctrl+C / Ctrl+V with tab-separated text, moving the current
// row up and down, and a context menu. A copy of whole rows holds every data
// column, hidden ones included (the columns of the table's CSV file), and a
// paste of rows of exactly that many cells fills them all; any other copy or
// paste works on the shown columns. Every change reaches the model through
// a cell editor or Text_Grid_Model::Edit_Table, and each is one undo step.
// The shortcuts work while the grid (or its cell editor) has the focus.
class Grid_Editing : public QObject {
    Q_OBJECT
public:
    // Texts of the actions and messages (free slots of the grid editors).
    enum Text : int {
        Discard_Question = 907,
        Paste_Past_Last_Row = 908,
        Paste_Past_Last_Column = 909,
        Undo_Text = 910,
        Redo_Text = 911,
        Copy_Text = 912,
        Paste_Text = 913,
        Clear_Text = 914,
        Move_Up_Text = 915,
        Move_Down_Text = 916,
        Move_Up_Hint = 917,
        Move_Down_Hint = 918,
        Delete_Rows_Question = 919,
        Paste_Refused_Row = Cell_Value_Text::Paste_Row,
        Paste_Refused_Column = Cell_Value_Text::Column,
    };

    Grid_Editing(QTableView& grid, Text_Grid_Model& model, const Text_Table& texts, Ui_Services& ui);

    QUndoStack& Undo_Stack() const { return *undo_stack_; }
    QAction* Undo_Action() const { return undo_; }
    QAction* Redo_Action() const { return redo_; }
    QAction* Move_Up_Action() const { return move_up_; }
    QAction* Move_Down_Action() const { return move_down_; }

    // The editor's own row actions (delete, insert, copy, paste a row), shown
    // in the context menu after the cell actions.
    void Add_Row_Actions(const QList<QAction*>& actions);
    // Re-applies the texts of the actions.
    void Set_Lang();
    // For grids whose columns take only some texts: what a pasted cell keeps
    // (nothing refuses the whole paste) and why a column refuses a text, said
    // after "Nothing was pasted: row R, column C: ". Without them every text
    // is pasted as it is.
    void Set_Intake(Cell_Intake intake, std::function<QString(int column, const QString& text)> refusal);

    // After the editor filled the grid anew: the history is dropped and the
    // cells as they are now count as saved.
    void Start();
    // True when the data rows differ from those at Start(). A cell editor
    // still open is committed first.
    bool Changed();
    // Commits the text of an open cell editor to the model.
    void Commit_Editor();

    // Data rows whose every cell is selected, in order (grid rows, 1 = first).
    QList<int> Selected_Rows() const;
    // Makes the cell (grid row and column) current and the only one
    // selected, scrolls it into view and gives the grid the focus.
    void Focus_Cell(int row, int column);

    // The context menu of the grid: the cell actions, then the row actions.
    QMenu* Context_Menu();

public Q_SLOTS:
    void Copy_Cells();
    void Paste_Cells();
    // Del: every selected data cell, check boxes too; Backspace: text cells.
    void Clear_Cells(bool check_boxes);
    void Move_Current_Row(int delta);

private:
    QAction* Add_Action(const QList<QKeySequence>& keys);
    QList<Grid_Cell> Selected_Cells() const;
    QList<int> Shown_Columns_From(int column) const;
    void Record(const Grid_Texts& before);
    // Spreads a selected row-number cell to its whole row.
    void Select_Whole_Rows();

    QTableView& grid_;
    Text_Grid_Model& model_;
    const Text_Table& texts_;
    Ui_Services& ui_;
    QUndoStack* undo_stack_ = nullptr;
    Grid_Texts saved_;
    bool applying_ = false; // an undo or redo is writing the cells
    bool spreading_ = false;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QAction* copy_ = nullptr;
    QAction* paste_ = nullptr;
    QAction* clear_ = nullptr;
    QAction* backspace_ = nullptr;
    QAction* move_up_ = nullptr;
    QAction* move_down_ = nullptr;
    QList<QAction*> row_actions_;
    Cell_Intake intake_;
    std::function<QString(int column, const QString& text)> refusal_;
};
