#include "config/grid_editing_gui.h"

#include "base/text_table.h"
#include "base/ui_services.h"
#include "config/grid_edit.h"
#include "config/text_grid_model.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QMenu>
#include <QTableView>
#include <QUndoCommand>
#include <QUndoStack>

#include <algorithm>
#include <set>

namespace {

// The first data cell (model row and column) that differs between two
// tables of the same shape; the fallback when none does.
std::pair<int, int> First_Change(const Grid_Texts& before, const Grid_Texts& after,
                                 std::pair<int, int> fallback) {
    const int columns = before.Column_Count();
    if (columns == 0 || after.Column_Count() != columns || after.Texts.size() != before.Texts.size())
        return fallback;
    for (qsizetype i = columns; i < before.Texts.size(); ++i) {
        if (before.Texts[i] != after.Texts[i])
            return {static_cast<int>(i / columns) - 1, static_cast<int>(i % columns)};
    }
    return fallback;
}

// One change of the cells: the data rows before and after it. Undo and redo
// make the first cell it changed current, so the user sees what came back.
// The header row is never restored: it follows the language, not the history.
class Table_Step : public QUndoCommand {
public:
    Table_Step(Text_Grid_Model& model, QTableView& grid, bool& applying, Grid_Texts before, Grid_Texts after)
        : model_(model), grid_(grid), applying_(applying), before_(std::move(before)),
          after_(std::move(after)),
          cell_(First_Change(before_, after_, {grid.currentIndex().row(), grid.currentIndex().column()})) {}

    void undo() override { Apply(before_); }
    void redo() override {
        // The change is already in the model when the step is pushed.
        if (first_) {
            first_ = false;
            return;
        }
        Apply(after_);
    }

private:
    void Apply(const Grid_Texts& cells) {
        Grid_Texts table = cells;
        if (table.Last_Row() >= 0 && model_.Table().Last_Row() >= 0)
            table.Set_Row(0, model_.Table().Row(0));
        applying_ = true;
        model_.Set_Table(std::move(table));
        applying_ = false;
        const QModelIndex index = model_.index(cell_.first, cell_.second);
        if (index.isValid()) {
            grid_.setCurrentIndex(index);
            grid_.scrollTo(index);
        }
    }

    Text_Grid_Model& model_;
    QTableView& grid_;
    bool& applying_;
    Grid_Texts before_;
    Grid_Texts after_;
    std::pair<int, int> cell_;
    bool first_ = true;
};

} // namespace

Grid_Editing::Grid_Editing(QTableView& grid, Text_Grid_Model& model, const Text_Table& texts, Ui_Services& ui)
    : QObject(&grid), grid_(grid), model_(model), texts_(texts), ui_(ui) {
    undo_stack_ = new QUndoStack(this);
    grid_.setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid_.setSelectionBehavior(QAbstractItemView::SelectItems);

    undo_ = Add_Action({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    redo_ = Add_Action({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    copy_ = Add_Action({QKeySequence(Qt::CTRL | Qt::Key_C)});
    paste_ = Add_Action({QKeySequence(Qt::CTRL | Qt::Key_V)});
    clear_ = Add_Action({QKeySequence(Qt::Key_Delete)});
    backspace_ = Add_Action({QKeySequence(Qt::Key_Backspace)});
    move_up_ = Add_Action({QKeySequence(Qt::ALT | Qt::Key_Up)});
    move_down_ = Add_Action({QKeySequence(Qt::ALT | Qt::Key_Down)});
    undo_->setEnabled(false);
    redo_->setEnabled(false);
    connect(undo_, &QAction::triggered, undo_stack_, &QUndoStack::undo);
    connect(redo_, &QAction::triggered, undo_stack_, &QUndoStack::redo);
    connect(undo_stack_, &QUndoStack::canUndoChanged, undo_, &QAction::setEnabled);
    connect(undo_stack_, &QUndoStack::canRedoChanged, redo_, &QAction::setEnabled);
    connect(copy_, &QAction::triggered, this, &Grid_Editing::Copy_Cells);
    connect(paste_, &QAction::triggered, this, &Grid_Editing::Paste_Cells);
    connect(clear_, &QAction::triggered, this, [this] { Clear_Cells(true); });
    connect(backspace_, &QAction::triggered, this, [this] { Clear_Cells(false); });
    connect(move_up_, &QAction::triggered, this, [this] { Move_Current_Row(-1); });
    connect(move_down_, &QAction::triggered, this, [this] { Move_Current_Row(+1); });

    connect(&model_, &Text_Grid_Model::Table_Edited, this, &Grid_Editing::Record);
    connect(grid_.selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &Grid_Editing::Select_Whole_Rows);
    grid_.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&grid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& point) {
        QMenu* menu = Context_Menu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(grid_.viewport()->mapToGlobal(point));
    });
    Set_Lang();
}

QAction* Grid_Editing::Add_Action(const QList<QKeySequence>& keys) {
    auto* action = new QAction(&grid_);
    action->setShortcuts(keys);
    // Only while this grid has the focus: the other page's grid has its own.
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    grid_.addAction(action);
    return action;
}

void Grid_Editing::Add_Row_Actions(const QList<QAction*>& actions) {
    row_actions_ += actions;
}

void Grid_Editing::Set_Intake(Cell_Intake intake,
                              std::function<QString(int column, const QString& text)> refusal) {
    intake_ = std::move(intake);
    refusal_ = std::move(refusal);
}

void Grid_Editing::Set_Lang() {
    undo_->setText(texts_[Undo_Text]);
    redo_->setText(texts_[Redo_Text]);
    copy_->setText(texts_[Copy_Text]);
    paste_->setText(texts_[Paste_Text]);
    clear_->setText(texts_[Clear_Text]);
    move_up_->setText(texts_[Move_Up_Text]);
    move_up_->setToolTip(texts_[Move_Up_Hint]);
    move_down_->setText(texts_[Move_Down_Text]);
    move_down_->setToolTip(texts_[Move_Down_Hint]);
}

QMenu* Grid_Editing::Context_Menu() {
    auto* menu = new QMenu(&grid_);
    menu->addActions({undo_, redo_});
    menu->addSeparator();
    menu->addActions({copy_, paste_, clear_});
    menu->addSeparator();
    menu->addActions({move_up_, move_down_});
    if (!row_actions_.isEmpty()) {
        menu->addSeparator();
        menu->addActions(row_actions_);
    }
    return menu;
}

void Grid_Editing::Start() {
    undo_stack_->clear();
    saved_ = model_.Table();
}

bool Grid_Editing::Changed() {
    Commit_Editor();
    return !Same_Data_Rows(saved_, model_.Table());
}

void Grid_Editing::Commit_Editor() {
    // What the delegate does when its editor is left: commit, then close.
    QWidget* editor = grid_.indexWidget(grid_.currentIndex());
    QAbstractItemDelegate* delegate = grid_.itemDelegateForIndex(grid_.currentIndex());
    if (!editor || !delegate)
        return;
    Q_EMIT delegate->commitData(editor);
    Q_EMIT delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void Grid_Editing::Record(const Grid_Texts& before) {
    if (applying_)
        return;
    undo_stack_->push(new Table_Step(model_, grid_, applying_, before, model_.Table()));
}

QList<Grid_Cell> Grid_Editing::Selected_Cells() const {
    QList<Grid_Cell> cells;
    // Hidden columns are never part of it: the view leaves them out.
    for (const QModelIndex& index : grid_.selectionModel()->selectedIndexes()) {
        if (!grid_.isColumnHidden(index.column()))
            cells.append({index.row() + 1, index.column()});
    }
    if (cells.isEmpty() && grid_.currentIndex().isValid())
        cells.append({grid_.currentIndex().row() + 1, grid_.currentIndex().column()});
    return cells;
}

QList<int> Grid_Editing::Selected_Rows() const {
    QList<int> rows;
    for (const QModelIndex& index : grid_.selectionModel()->selectedRows())
        rows.append(index.row() + 1);
    std::sort(rows.begin(), rows.end());
    return rows;
}

QList<int> Grid_Editing::Shown_Columns_From(int column) const {
    QList<int> columns;
    for (int c = std::max(column, 1); c < model_.columnCount(); ++c) {
        if (!grid_.isColumnHidden(c))
            columns.append(c);
    }
    return columns;
}

void Grid_Editing::Copy_Cells() {
    Commit_Editor();
    std::set<int> rows;
    std::set<int> columns;
    // The row numbers are not data: a whole row copies its data cells,
    // ready to be pasted at another row's number.
    for (const Grid_Cell& cell : Selected_Cells()) {
        if (cell.Column == 0)
            continue;
        rows.insert(cell.Row);
        columns.insert(cell.Column);
    }
    if (rows.empty())
        return;
    // Whole rows (every shown cell of each selected): every data column,
    // hidden ones too, as the CSV file has them.
    const bool whole_rows = std::all_of(rows.begin(), rows.end(), [this](int row) {
        for (int column = 0; column < model_.columnCount(); ++column) {
            if (!grid_.isColumnHidden(column) &&
                !grid_.selectionModel()->isSelected(model_.index(row - 1, column)))
                return false;
        }
        return true;
    });
    const QList<int> copied =
        whole_rows ? All_Data_Columns(model_.Table()) : QList<int>(columns.begin(), columns.end());
    QApplication::clipboard()->setText(
        Cells_To_Tsv(model_.Table(), QList<int>(rows.begin(), rows.end()), copied));
}

void Grid_Editing::Paste_Cells() {
    Commit_Editor();
    const QModelIndex current = grid_.currentIndex();
    if (!current.isValid())
        return;
    QList<QStringList> cells = Parse_Tsv(QApplication::clipboard()->text());
    if (cells.isEmpty())
        return;
    const int row = current.row() + 1;
    const QList<int> columns = Tsv_Paste_Columns(model_.Table(), cells, Shown_Columns_From(current.column()));
    switch (Check_Tsv_Paste(model_.Table(), row, columns, cells)) {
    case Tsv_Fit::Past_Last_Row:
        ui_.Error_Box(texts_[Paste_Past_Last_Row]);
        return;
    case Tsv_Fit::Past_Last_Column:
        ui_.Error_Box(texts_[Paste_Past_Last_Column]);
        return;
    case Tsv_Fit::Fits:
        break;
    }
    if (const std::optional<Refused_Cell> refused = Take_Pasted_Cells(row, columns, cells, intake_)) {
        QString message = texts_[Paste_Refused_Row] + QString::number(refused->Row) +
                          texts_[Paste_Refused_Column] + model_.Table().Cell(0, refused->Column);
        if (refusal_)
            message += QStringLiteral(": ") + refusal_(refused->Column, refused->Text);
        ui_.Error_Box(message);
        return;
    }
    model_.Edit_Table([&](Grid_Texts& table) {
        Paste_Tsv(table, row, columns, cells);
        return true;
    });
    // The pasted block becomes the selection; whole rows with their row
    // numbers, so that a copy gives them back whole.
    const int last_row = row - 1 + static_cast<int>(cells.size()) - 1;
    const int data_columns = model_.columnCount() - 1;
    const bool whole_rows =
        data_columns > 1 && std::all_of(cells.begin(), cells.end(),
                                        [&](const QStringList& line) { return line.size() == data_columns; });
    if (whole_rows) {
        grid_.selectionModel()->select(
            QItemSelection(model_.index(row - 1, 0), model_.index(last_row, model_.columnCount() - 1)),
            QItemSelectionModel::ClearAndSelect);
        return;
    }
    int widest = 0;
    for (const QStringList& line : cells)
        widest = std::max(widest, static_cast<int>(line.size()));
    if (widest > 0) {
        const QModelIndex last = model_.index(last_row, columns[widest - 1]);
        grid_.selectionModel()->select(QItemSelection(model_.index(row - 1, columns.first()), last),
                                       QItemSelectionModel::ClearAndSelect);
    }
}

void Grid_Editing::Clear_Cells(bool check_boxes) {
    const QList<Grid_Cell> cells = Selected_Cells();
    model_.Edit_Table([&](Grid_Texts& table) { return ::Clear_Cells(table, cells, check_boxes); });
}

void Grid_Editing::Move_Current_Row(int delta) {
    Commit_Editor();
    const QModelIndex current = grid_.currentIndex();
    if (!current.isValid())
        return;
    const int row = current.row() + 1;
    if (!model_.Edit_Table([&](Grid_Texts& table) { return Move_Row(table, row, delta); }))
        return;
    // The row is followed: it stays current and selected where it went.
    const QModelIndex moved = model_.index(current.row() + delta, current.column());
    grid_.setCurrentIndex(moved);
    grid_.selectionModel()->select(moved, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    grid_.scrollTo(moved);
}

void Grid_Editing::Focus_Cell(int row, int column) {
    const QModelIndex index = model_.index(row - 1, column);
    if (!index.isValid())
        return;
    grid_.setCurrentIndex(index);
    grid_.selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    grid_.scrollTo(index);
    grid_.setFocus(Qt::OtherFocusReason);
}

void Grid_Editing::Select_Whole_Rows() {
    if (spreading_)
        return;
    QItemSelectionModel* selection = grid_.selectionModel();
    const int last_column = model_.columnCount() - 1;
    QItemSelection rows;
    for (const QModelIndex& index : selection->selectedIndexes()) {
        if (index.column() == 0 && !selection->isRowSelected(index.row()))
            rows.select(model_.index(index.row(), 0), model_.index(index.row(), last_column));
    }
    if (rows.isEmpty())
        return;
    spreading_ = true;
    selection->select(rows, QItemSelectionModel::Select);
    spreading_ = false;
}
