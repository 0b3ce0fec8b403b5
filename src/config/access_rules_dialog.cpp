#include "config/access_rules_dialog.h"

#include "base/app_state.h"
#include "base/file_lookup.h"
#include "base/kc_error.h"
#include "base/plain_hint.h"
#include "base/text_table.h"
#include "base/ui_services.h"
#include "config/grid_cell_delegate.h"
#include "config/grid_edit.h"
#include "config/grid_editing_gui.h"
#include "config/grid_rows_widget.h"
#include "config/grid_view_widget.h"
#include "config/io_map_dialog.h"
#include "config/text_grid_model.h"
#include "csv/csv_rule_values.h"
#include "csv/table_csv_step.h"
#include "document/access_rules.h"
#include "document/access_rules_table.h"
#include "document/access_rules_text.h"
#include "document/cell_values.h"
#include "document/general_params.h"
#include "document/io_map_text.h"
#include "document/modbus_types.h"
#include "document/pargen_view.h"
#include "document/rule_grid_columns.h"
#include "poll/rule_poll.h"
#include "poll/rules_test_dialog.h"
#include "poll/rules_test_text.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

using Editor = Text_Grid_Model::Cell_Editor;

const QStringList read_types = Modbus_Type_Names(Rule_Table::Read);
const QStringList write_types = Modbus_Type_Names(Rule_Table::Write);

QStringList Bit_Items() {
    QStringList items;
    for (int bit = 0; bit <= 7; ++bit)
        items.append(QString::number(bit));
    return items;
}

QStringList Texts_Of(const Text_Table& texts, const QList<int>& indices) {
    QStringList list;
    for (int index : indices)
        list.append(texts[index]);
    return list;
}

// Each column's cell editor and fixed list; the Position lists follow the
// area sizes at each showing.
void Set_Editors(Text_Grid_Model& model, Rule_Table table) {
    model.Set_Table(New_Rule_Grid(table));
    for (const Rule_Column& column : Rule_Columns(table)) {
        switch (column.kind) {
        case Rule_Column_Kind::Type_List:
            model.Set_Column_Editor(column.column, Editor::List);
            model.Set_List_Items(column.column, table == Rule_Table::Read ? read_types : write_types);
            break;
        case Rule_Column_Kind::Bit_List:
            model.Set_Column_Editor(column.column, Editor::List);
            model.Set_List_Items(column.column, Bit_Items());
            break;
        case Rule_Column_Kind::Position_List:
            model.Set_Column_Editor(column.column, Editor::List);
            break;
        case Rule_Column_Kind::Row_Number:
        case Rule_Column_Kind::Check:
        case Rule_Column_Kind::Edit:
            break; // as the grid's check-box marks make them
        }
    }
}

} // namespace

TFSetAccess::TFSetAccess(App_State& app_state, const Text_Table& text_table, Ui_Services& ui_services,
                         QWidget* parent)
    : Frame_Dialog(app_state, text_table, ui_services, parent) {
    setObjectName(QStringLiteral("FSetAccess"));
    discard_question = Grid_Editing::Discard_Question;

    read_model = new Text_Grid_Model(this);
    write_model = new Text_Grid_Model(this);
    Set_Editors(*read_model, Rule_Table::Read);
    Set_Editors(*write_model, Rule_Table::Write);

    PageControl1 = new QTabWidget(Body());
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    TS_Modbus_Read = new QWidget(PageControl1);
    TS_Modbus_Read->setObjectName(QStringLiteral("TS_Modbus_Read"));
    TS_Modbus_Write = new QWidget(PageControl1);
    TS_Modbus_Write->setObjectName(QStringLiteral("TS_Modbus_Write"));
    PageControl1->addTab(TS_Modbus_Read, QString());
    PageControl1->addTab(TS_Modbus_Write, QString());
    ACG_Modbus_Read = Make_Grid(TS_Modbus_Read, Rule_Table::Read, QStringLiteral("ACG_Modbus_Read"));
    ACG_Modbus_Write = Make_Grid(TS_Modbus_Write, Rule_Table::Write, QStringLiteral("ACG_Modbus_Write"));
    read_editing = new Grid_Editing(*ACG_Modbus_Read, *read_model, texts, ui);
    write_editing = new Grid_Editing(*ACG_Modbus_Write, *write_model, texts, ui);
    // A pasted Type is one of the table's names, a pasted flag Y or N.
    for (Rule_Table table : {Rule_Table::Read, Rule_Table::Write}) {
        Editing_Of(Grid_Of(table))
            ->Set_Intake(
                [table](int column, const QString& text) { return Rule_Cell_Value(table, column, text); },
                [this, table](int column, const QString& text) {
                    return Refused_Value_Reason(texts, table, column, text);
                });
    }
    Add_Csv_Buttons(TS_Modbus_Read, Rule_Table::Read, Btn_Export_Read, Btn_Import_Read);
    Add_Csv_Buttons(TS_Modbus_Write, Rule_Table::Write, Btn_Export_Write, Btn_Import_Write);
    Body_Layout()->addWidget(PageControl1);

    // Under the grids: how many overlaps the current rows hold; a click opens the map.
    LL_Overlaps = new QLabel(Body());
    LL_Overlaps->setObjectName(QStringLiteral("LL_Overlaps"));
    LL_Overlaps->setTextFormat(Qt::RichText);
    LL_Overlaps->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    LL_Overlaps->hide();
    Body_Layout()->addWidget(LL_Overlaps);
    connect(LL_Overlaps, &QLabel::linkActivated, this, &TFSetAccess::Btn_IOMapClick);

    // The row buttons sit at the left of the button panel.
    auto* buttons = qobject_cast<QHBoxLayout*>(P_Button->layout());
    auto make_button = [this](const char* name) {
        auto* button = new QPushButton(P_Button);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        return button;
    };
    Btn_DelRow = make_button("Btn_DelRow");
    Btn_InsRow = make_button("Btn_InsRow");
    Btn_CopyRow = make_button("Btn_CopyRow");
    Btn_PasteRow = make_button("Btn_PasteRow");
    int position = 0;
    for (QPushButton* button : {Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow})
        buttons->insertWidget(position++, button);
    connect(Btn_DelRow, &QPushButton::clicked, this, &TFSetAccess::Btn_DelRowClick);
    connect(Btn_InsRow, &QPushButton::clicked, this, &TFSetAccess::Btn_InsertRowClick);
    connect(Btn_CopyRow, &QPushButton::clicked, this, &TFSetAccess::Btn_CopyRowClick);
    connect(Btn_PasteRow, &QPushButton::clicked, this, &TFSetAccess::Btn_PasteRowClick);
    // After a row button the keys go to the grid again: undo works at once.
    for (QPushButton* button : {Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow})
        connect(button, &QPushButton::clicked, this, [this] { Showing_Grid()->setFocus(); });
    // The same four operations in the grids' context menus.
    for (QPushButton* button : {Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow}) {
        auto* action = new QAction(this);
        connect(action, &QAction::triggered, button, &QPushButton::click);
        row_actions.append(action);
    }
    read_editing->Add_Row_Actions(row_actions);
    write_editing->Add_Row_Actions(row_actions);
    Btn_Move_Up = make_button("Btn_Move_Up");
    Btn_Move_Down = make_button("Btn_Move_Down");
    buttons->insertWidget(position++, Btn_Move_Up);
    buttons->insertWidget(position++, Btn_Move_Down);
    connect(Btn_Move_Up, &QPushButton::clicked, this, [this] { Btn_MoveRowClick(-1); });
    connect(Btn_Move_Down, &QPushButton::clicked, this, [this] { Btn_MoveRowClick(+1); });
    Btn_IOMap = make_button("Btn_IOMap");
    buttons->insertWidget(position++, Btn_IOMap);
    connect(Btn_IOMap, &QPushButton::clicked, this, &TFSetAccess::Btn_IOMapClick);

    // Every change of the rows reaches the overlaps line and the map window.
    for (Text_Grid_Model* model : {read_model, write_model}) {
        connect(model, &Text_Grid_Model::dataChanged, this, &TFSetAccess::Update_IO_Map);
        connect(model, &Text_Grid_Model::modelReset, this, &TFSetAccess::Update_IO_Map);
    }
    Btn_Test = make_button("Btn_Test");
    buttons->insertWidget(position++, Btn_Test);
    connect(Btn_Test, &QPushButton::clicked, this, &TFSetAccess::Btn_TestClick);

    // Creation: the software code, the client area, the texts.
    Show_Soft_Code();
    resize(1070, 337);
    default_size = size();
    Set_Lang();
}

// An editor still open when the window goes commits its text while the
// widgets are torn down; by then this object is only a QDialog, so the
// models must no longer reach the map update.
TFSetAccess::~TFSetAccess() {
    for (Text_Grid_Model* model : {read_model, write_model})
        if (model)
            model->disconnect(this);
}

QTableView* TFSetAccess::Make_Grid(QWidget* page, Rule_Table table, const QString& name) {
    Text_Grid_Model* model = Model_Of(table);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* grid = new Grid_Table_View(page);
    grid->setObjectName(name);
    // The row header goes before the model comes: a visible one would size
    // itself from all 245 rows.
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->setModel(model);
    // One delegate per grid: a delegate's commit and close signals reach
    // every view it serves.
    auto* delegate = new Grid_Cell_Delegate(grid);
    delegate->Takes_Key = [this](int key) {
        return state.Enable_Jump_Field_Tables && (key == Qt::Key_Return || key == Qt::Key_Enter);
    };
    delegate->Key_Taken = [this, grid](int key) { ACG_Modbus_ReadKeyPress(grid, key); };
    grid->setItemDelegate(delegate);
    grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                          QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    {
        // Quietly: each width set would make the view lay itself out again on
        // a timer, hidden or not; it lays itself out when first shown.
        const QSignalBlocker quiet(grid->horizontalHeader());
        for (const Rule_Column& column : Rule_Columns(table)) {
            if (column.width > 0)
                grid->setColumnWidth(column.column, column.width);
        }
    }
    grid->Freeze_First_Column();
    grid->installEventFilter(this);
    layout->addWidget(grid);

    QHeaderView* header = grid->horizontalHeader();
    header->setSectionsClickable(false); // a header click selects nothing
    // A double click on a header edge resizes only when the preference says so.
    disconnect(header, &QHeaderView::sectionHandleDoubleClicked, grid, nullptr);
    connect(header, &QHeaderView::sectionHandleDoubleClicked, this,
            [this, grid](int column) { ACG_Modbus_ReadDblClickCell(grid, 0, column); });
    connect(header, &QHeaderView::sectionDoubleClicked, this,
            [this, grid](int column) { ACG_Modbus_ReadDblClickCell(grid, 0, column); });
    connect(grid, &QTableView::doubleClicked, this, [this, grid](const QModelIndex& index) {
        ACG_Modbus_ReadDblClickCell(grid, index.row() + 1, index.column());
    });
    connect(grid, &QTableView::clicked, this,
            [this, grid](const QModelIndex& index) { ClickCell(grid, index.row() + 1, index.column()); });
    return grid;
}

void TFSetAccess::Add_Csv_Buttons(QWidget* page, Rule_Table table, QPushButton*& export_button,
                                  QPushButton*& import_button) {
    const QString suffix = table == Rule_Table::Read ? QStringLiteral("_Read") : QStringLiteral("_Write");
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 2, 0, 0);
    export_button = new QPushButton(page);
    export_button->setObjectName(QStringLiteral("Btn_Export") + suffix);
    import_button = new QPushButton(page);
    import_button->setObjectName(QStringLiteral("Btn_Import") + suffix);
    for (QPushButton* button : {export_button, import_button}) {
        button->setAutoDefault(false);
        row->addWidget(button);
    }
    row->addStretch();
    page->layout()->addItem(row);
    connect(export_button, &QPushButton::clicked, this, [this, table] { Btn_ExportClick(table); });
    connect(import_button, &QPushButton::clicked, this, [this, table] { Btn_ImportClick(table); });
}

void TFSetAccess::Btn_ExportClick(Rule_Table table) {
    const Grid_Texts& grid = Model_Of(table)->Table();
    const QList<Access_Rule> rules = Rules_From_Grid(grid, table);
    // Rows the file would leave out: refused in the check's words.
    const QString refusal = Rules_Export_Refusal(texts, table, rules);
    if (!refusal.isEmpty()) {
        ui.Error_Box(refusal);
        Grid_Of(table)->setFocus(Qt::OtherFocusReason);
        return;
    }
    Export_Csv_File(Rules_To_Csv(table, rules), state.Conf_Dir, texts, ui);
    Grid_Of(table)->setFocus(Qt::OtherFocusReason);
}

void TFSetAccess::Btn_ImportClick(Rule_Table table) {
    Import_Csv_Rows(table);
    // The keys go to the grid again, whatever came of it: Ctrl+Z undoes the import.
    Grid_Of(table)->setFocus(Qt::OtherFocusReason);
}

void TFSetAccess::Import_Csv_Rows(Rule_Table table) {
    auto rows = Import_Csv_File(Csv_Kind_Of(table), state.Conf_Dir, texts, ui);
    if (!rows)
        return;
    // Type and flags in the grid's form; a cell that is neither changes nothing.
    if (const auto refused = Take_Csv_Rule_Values(table, *rows, texts)) {
        ui.Error_Box(refused->Message);
        return;
    }
    Text_Grid_Model* model = Model_Of(table);
    // Every rule row as a showing resets it, then the file's rules; the
    // header row kept.
    Grid_Texts grid = New_Rule_Grid(table);
    grid.Set_Row(0, model->Table().Row(0));
    Fill_Rule_Grid(grid, table, Rules_From_Csv_Rows(table, rows->Rows));
    // One change of the table: one undo step.
    model->Edit_Table([&](Grid_Texts& cells) {
        cells = std::move(grid);
        return true;
    });
}

void TFSetAccess::Set_Lang() {
    setWindowTitle(texts[Rules_Text::Caption]);
    L_SW_Desc->setText(texts[Rules_Text::Description]);
    const struct {
        QPushButton* button;
        int caption, hint;
    } button_texts[] = {{Btn_OK, Rules_Text::Ok, Rules_Text::Ok_Hint},
                        {Btn_Cancel, Rules_Text::Cancel, Rules_Text::Cancel_Hint},
                        {Btn_DelRow, Rules_Text::Delete_Row, Rules_Text::Delete_Row_Hint},
                        {Btn_InsRow, Rules_Text::Insert_Row, Rules_Text::Insert_Row_Hint},
                        {Btn_CopyRow, Rules_Text::Copy_Row, Rules_Text::Copy_Row_Hint},
                        {Btn_PasteRow, Rules_Text::Paste_Row, Rules_Text::Paste_Row_Hint}};
    for (const auto& entry : button_texts) {
        entry.button->setText(texts[entry.caption]);
        entry.button->setToolTip(texts[entry.hint]);
    }
    for (int i = 0; i < row_actions.size(); ++i)
        row_actions[i]->setText(texts[Rules_Text::Delete_Row + i]);
    read_editing->Set_Lang();
    write_editing->Set_Lang();
    Btn_Move_Up->setText(texts[Grid_Editing::Move_Up_Text]);
    Btn_Move_Up->setToolTip(texts[Grid_Editing::Move_Up_Hint]);
    Btn_Move_Down->setText(texts[Grid_Editing::Move_Down_Text]);
    Btn_Move_Down->setToolTip(texts[Grid_Editing::Move_Down_Hint]);
    Btn_Test->setText(texts[Poll_Text::Test]);
    Btn_Test->setToolTip(texts[Poll_Text::Test_Hint]);
    if (FRules_Test)
        FRules_Test->Set_Lang();
    for (QPushButton* button : {Btn_Export_Read, Btn_Export_Write}) {
        button->setText(texts[Rules_Text::Export_Csv]);
        button->setToolTip(texts[Rules_Text::Export_Csv_Hint]);
    }
    for (QPushButton* button : {Btn_Import_Read, Btn_Import_Write}) {
        button->setText(texts[Rules_Text::Import_Csv]);
        button->setToolTip(texts[Rules_Text::Import_Csv_Hint]);
    }
    PageControl1->setTabText(0, texts[Rules_Text::Read_Page]);
    PageControl1->setTabText(1, texts[Rules_Text::Write_Page]);
    for (Rule_Table table : {Rule_Table::Read, Rule_Table::Write}) {
        Text_Grid_Model* model = Model_Of(table);
        for (const Rule_Column& column : Rule_Columns(table))
            model->Set_Header_Text(column.column, texts[column.header_text]);
    }
    // Columns sized by their headers follow the new texts, as at a fresh start.
    Fit_Column_Widths();
    Btn_IOMap->setText(texts[Io_Text::Button]);
    Btn_IOMap->setToolTip(Plain_Hint(texts[Io_Text::Button_Hint]));
    if (FIOMap)
        FIOMap->Set_Lang();
    Update_IO_Map();

    // Every column hint; each showing replaces both lists with those of its
    // hardware type.
    Hint_Modbus_Set_Access_Read = Texts_Of(texts, Rule_Hint_Texts_Before_Showing(Rule_Table::Read));
    Hint_Modbus_Set_Access_Write = Texts_Of(texts, Rule_Hint_Texts_Before_Showing(Rule_Table::Write));
}

void TFSetAccess::FormShow() {
    // Both documents are read before anything on the form changes: a broken
    // file stops the showing with the form as it was.
    const ParGen_View pargen = ParGen_View::Read(state.ParGen_File);
    const Rules_Limits new_limits = Rules_Limits_Of(pargen);
    const Access_Rules rules =
        state.Sdo_File.isEmpty() ? Access_Rules{} : Load_Sdo(Resolve_File_No_Case(state.Sdo_File));
    const QList<Io_Occupant> new_reserved = Reserved_Areas(General_Params_Of(pargen));

    // 1, 2: hardware type and area sizes.
    limits = new_limits;
    reserved_areas = new_reserved;

    // 3: columns and hint lists of the hardware type.
    for (Rule_Table table : {Rule_Table::Read, Rule_Table::Write}) {
        QTableView* grid = Grid_Of(table);
        for (const Rule_Column& column : Rule_Columns(table)) {
            const bool shown = Rule_Column_Shown_For(column, limits.Hardware_Type);
            if (grid->isColumnHidden(column.column) == shown)
                grid->setColumnHidden(column.column, !shown);
        }
    }
    Hint_Modbus_Set_Access_Read = Texts_Of(texts, Rule_Hint_Texts(Rule_Table::Read, limits.Hardware_Type));
    Hint_Modbus_Set_Access_Write = Texts_Of(texts, Rule_Hint_Texts(Rule_Table::Write, limits.Hardware_Type));
    for (QTableView* grid : {ACG_Modbus_Read, ACG_Modbus_Write}) {
        Text_Grid_Model* model = Model_Of(grid);
        for (int column = 0; column < model->columnCount(); ++column)
            model->Set_Header_Hint(column, ACG_Modbus_ReadGridHint(grid, column));
    }

    // 4: every rule row reset; 7: the rules put in; the header row kept.
    Grid_Texts read_grid = New_Rule_Grid(Rule_Table::Read);
    read_grid.Set_Row(0, read_model->Table().Row(0));
    Fill_Rule_Grid(read_grid, Rule_Table::Read, rules.Read_Rules);
    Grid_Texts write_grid = New_Rule_Grid(Rule_Table::Write);
    write_grid.Set_Row(0, write_model->Table().Row(0));
    Fill_Rule_Grid(write_grid, Rule_Table::Write, rules.Write_Rules);

    // 6: the Position lists.
    read_model->Set_List_Items(Read_Col::Address_Profi, Position_Items(limits.NByte_IN));
    write_model->Set_List_Items(Write_Col::Address_Profi, Position_Items(limits.NByte_OUT));

    // A cell editor left open at the last showing is dropped unread.
    ACG_Modbus_Read->reset();
    ACG_Modbus_Write->reset();
    read_model->Set_Table(std::move(read_grid));
    write_model->Set_Table(std::move(write_grid));
    read_editing->Start();
    write_editing->Start();
    for (QTableView* grid : {ACG_Modbus_Read, ACG_Modbus_Write}) {
        grid->setCurrentIndex(grid->model()->index(0, 1));
        grid->scrollToTop();
    }

    // Every column of the hardware type in sight, unless the user chose a size.
    if (size() == default_size) {
        Fit_Column_Widths();
        default_size = Default_Size();
        if (const QScreen* shown_on = screen() ? screen() : QApplication::primaryScreen())
            default_size = default_size.boundedTo(shown_on->availableSize());
        resize(default_size);
    }

    // 5: the read page shows first.
    PageControl1->setCurrentIndex(0);

    // 8: a paste needs a fresh copy.
    Do_Copy_In_Read = false;
    Do_Copy_In_Write = false;

    // Rules beyond the 244 rows would vanish at the next save: say so now.
    const qsizetype read_dropped = std::max<qsizetype>(0, rules.Read_Rules.size() - Rule_Rows);
    const qsizetype write_dropped = std::max<qsizetype>(0, rules.Write_Rules.size() - Rule_Rows);
    if (read_dropped > 0 || write_dropped > 0)
        ui.Warning_Box(texts[Rules_Text::Dropped_Read] + QString::number(read_dropped) +
                       texts[Rules_Text::Dropped_Write] + QString::number(write_dropped) +
                       texts[Rules_Text::Dropped_End]);
}

QTableView* TFSetAccess::Showing_Grid() const {
    return PageControl1->currentIndex() == 1 ? ACG_Modbus_Write : ACG_Modbus_Read;
}

Text_Grid_Model* TFSetAccess::Model_Of(const QTableView* grid) const {
    return grid == ACG_Modbus_Write ? write_model : read_model;
}

Text_Grid_Model* TFSetAccess::Model_Of(Rule_Table table) const {
    return table == Rule_Table::Write ? write_model : read_model;
}

QTableView* TFSetAccess::Grid_Of(Rule_Table table) const {
    return table == Rule_Table::Write ? ACG_Modbus_Write : ACG_Modbus_Read;
}

Grid_Editing* TFSetAccess::Editing_Of(const QTableView* grid) const {
    return grid == ACG_Modbus_Write ? write_editing : read_editing;
}

void TFSetAccess::Fit_Column_Widths() {
    for (Rule_Table table : {Rule_Table::Read, Rule_Table::Write}) {
        QTableView* grid = Grid_Of(table);
        QHeaderView* header = grid->horizontalHeader();
        const QSignalBlocker quiet(header);
        for (const Rule_Column& column : Rule_Columns(table)) {
            const int fit = header->sectionSizeHint(column.column);
            if (column.width > 0) {
                // A width of its own, unless its header asks for more (the
                // row number keeps its width: the frozen column follows it).
                if (column.kind != Rule_Column_Kind::Row_Number)
                    grid->setColumnWidth(column.column, std::max(column.width, fit));
                continue;
            }
            // A check box needs no more than its header; a number a little.
            grid->setColumnWidth(column.column,
                                 column.kind == Rule_Column_Kind::Check ? fit : std::max(fit, 56));
        }
    }
}

QSize TFSetAccess::Default_Size() const {
    // The grids' room: every shown column side by side, the header and 16
    // rows, the frame and a vertical scroll bar.
    int width = 0;
    int height = 0;
    for (QTableView* grid : {ACG_Modbus_Read, ACG_Modbus_Write}) {
        int columns = 0;
        for (int column = 0; column < grid->model()->columnCount(); ++column) {
            if (!grid->isColumnHidden(column))
                columns += grid->columnWidth(column);
        }
        width =
            std::max(width, columns + 2 * grid->frameWidth() + grid->verticalScrollBar()->sizeHint().width());
        height = std::max(height, 16 * grid->verticalHeader()->defaultSectionSize() +
                                      grid->horizontalHeader()->sizeHint().height() + 2 * grid->frameWidth());
    }
    // Around the grids: the page frame and the body's margins across, the
    // rest of the window as its layout asks for it down.
    const QSize grid_hint = ACG_Modbus_Read->sizeHint();
    const QSize hint = sizeHint();
    const QMargins margins = Body_Layout()->contentsMargins();
    const int across =
        PageControl1->sizeHint().width() - grid_hint.width() + margins.left() + margins.right();
    return {std::max(hint.width(), across + width),
            std::max(hint.height(), hint.height() - grid_hint.height() + height)};
}

int TFSetAccess::Current_Row(const QTableView* grid) const {
    const QModelIndex current = grid->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void TFSetAccess::ClickCell(QTableView* grid, int row, int column) {
    // With Shift or Ctrl the click adds to the rows already selected.
    if (column == 0 && row >= 1 && QApplication::keyboardModifiers() == Qt::NoModifier)
        grid->selectionModel()->select(grid->model()->index(row - 1, 0),
                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TFSetAccess::ACG_Modbus_ReadDblClickCell(QTableView* grid, int row, int column) {
    Auto_Size_Col(*grid, row, column, state);
}

QString TFSetAccess::ACG_Modbus_ReadGridHint(QTableView* grid, int column) const {
    QList<bool> visible;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        visible.append(!grid->isColumnHidden(c));
    const QStringList& hints =
        grid == ACG_Modbus_Write ? Hint_Modbus_Set_Access_Write : Hint_Modbus_Set_Access_Read;
    const int index = Header_Hint_Index(column, visible);
    return index >= 0 && index < hints.size() ? hints[index] : QString();
}

bool TFSetAccess::ACG_Modbus_ReadKeyPress(QTableView* grid, int key) {
    return Jump_Field(*grid, key, state);
}

bool TFSetAccess::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == ACG_Modbus_Read || watched == ACG_Modbus_Write)) {
        auto* grid = static_cast<QTableView*>(watched);
        if (ACG_Modbus_ReadKeyPress(grid, static_cast<QKeyEvent*>(event)->key()))
            return true;
    }
    return Frame_Dialog::eventFilter(watched, event);
}

void TFSetAccess::Btn_DelRowClick() {
    QTableView* grid = Showing_Grid();
    const QList<int> rows = Editing_Of(grid)->Selected_Rows();
    if (rows.size() > 1) {
        // Several whole rows selected: all of them, after one question.
        QStringList numbers;
        for (int row : rows)
            numbers.append(QString::number(row));
        if (!ui.Question_Box(texts[Grid_Editing::Delete_Rows_Question] + numbers.join(QStringLiteral(", ")),
                             Ui_Services::Default_Answer::No))
            return;
        Model_Of(grid)->Edit_Table([&](Grid_Texts& table) {
            Delete_Rows(table, rows);
            return true;
        });
        grid->setCurrentIndex(
            grid->model()->index(rows.first() - 1, std::max(1, grid->currentIndex().column())));
        return;
    }
    const int row = Current_Row(grid);
    if (row < 1)
        return;
    if (!ui.Question_Box(texts[Rules_Text::Delete_Row_Question] + QString::number(row),
                         Ui_Services::Default_Answer::No))
        return;
    Model_Of(grid)->Edit_Table([row](Grid_Texts& table) {
        Delete_Row(table, row);
        return true;
    });
}

void TFSetAccess::Btn_InsertRowClick() {
    QTableView* grid = Showing_Grid();
    const int row = Current_Row(grid);
    if (row < 1)
        return;
    Model_Of(grid)->Edit_Table([&](Grid_Texts& table) { return Insert_Row(table, row, true, texts, ui); });
}

void TFSetAccess::Btn_CopyRowClick() {
    QTableView* grid = Showing_Grid();
    const int row = Current_Row(grid);
    if (row < 1)
        return;
    Copy_Row(Model_Of(grid)->Table(), row, state.Row_Clipboard);
    Do_Copy_In_Read = grid == ACG_Modbus_Read;
    Do_Copy_In_Write = grid == ACG_Modbus_Write;
}

void TFSetAccess::Btn_PasteRowClick() {
    QTableView* grid = Showing_Grid();
    const int row = Current_Row(grid);
    if (row < 1)
        return;
    const bool copied = grid == ACG_Modbus_Write ? Do_Copy_In_Write : Do_Copy_In_Read;
    Model_Of(grid)->Edit_Table(
        [&](Grid_Texts& table) { return Paste_Row(table, row, state.Row_Clipboard, copied, texts, ui); });
}

bool TFSetAccess::Controllo_dati() {
    const auto failure = Check_Access_Rules(read_model->Table(), write_model->Table(), limits);
    if (!failure)
        return true;
    ui.Error_Box(Check_Failure_Message(texts, *failure));
    // The failing cell in front, ready to be mended.
    const bool write = failure->Table == Rule_Table::Write;
    PageControl1->setCurrentIndex(write ? 1 : 0);
    (write ? write_editing : read_editing)->Focus_Cell(failure->Row, Failing_Column(*failure));
    return false;
}

bool TFSetAccess::Has_Unsaved_Changes() {
    const bool read_changed = read_editing->Changed();
    const bool write_changed = write_editing->Changed();
    return read_changed || write_changed;
}

void TFSetAccess::Btn_MoveRowClick(int delta) {
    QTableView* grid = Showing_Grid();
    Editing_Of(grid)->Move_Current_Row(delta);
    grid->setFocus();
}

bool TFSetAccess::Confirm_Lost_Rows() {
    for (const Text_Grid_Model* model : {read_model, write_model}) {
        const int lost = First_Row_Lost_On_Save(model->Table());
        if (lost == 0)
            continue;
        const int table_text =
            model == read_model ? Rules_Text::Lost_Row_Read_Table : Rules_Text::Lost_Row_Write_Table;
        const QString question = texts[Rules_Text::Lost_Row] + QString::number(lost) + texts[table_text] +
                                 QString::number(Table_End_Row(model->Table())) +
                                 texts[Rules_Text::Lost_Row_End];
        if (!ui.Question_Box(question, Ui_Services::Default_Answer::No))
            return false;
    }
    return true;
}

void TFSetAccess::bitbtn1Click() {
    read_editing->Commit_Editor();
    write_editing->Commit_Editor();
    if (!Controllo_dati())
        return;
    if (!Confirm_Lost_Rows())
        return;
    Access_Rules rules;
    rules.Read_Rules = Rules_From_Grid(read_model->Table(), Rule_Table::Read);
    rules.Write_Rules = Rules_From_Grid(write_model->Table(), Rule_Table::Write);
    try {
        Save_Sdo(Resolve_File_No_Case(state.Sdo_File), rules);
    } catch (const Kc_Error& error) {
        ui.Error_Box(error.Message());
        return;
    }
    accept();
}

void TFSetAccess::Btn_OKClick() {
    bitbtn1Click();
}

void TFSetAccess::Btn_TestClick() {
    QTableView* grid = Showing_Grid();
    const Rule_Table table = grid == ACG_Modbus_Write ? Rule_Table::Write : Rule_Table::Read;
    QList<int> rows;
    for (const QModelIndex& index : grid->selectionModel()->selectedRows())
        rows.append(index.row() + 1);
    const Grid_Texts& cells = Model_Of(grid)->Table();
    const QList<Poll_Request> requests =
        rows.isEmpty() ? Plan_Poll(cells, table, 1, Rule_Rows) : Plan_Poll(cells, table, rows);
    if (requests.isEmpty()) {
        ui.Error_Box(texts[Poll_Text::No_Rule_To_Test]);
        return;
    }
    if (!FRules_Test) {
        FRules_Test = new TFRules_Test(state, texts, ui, this);
        connect(FRules_Test, &TFRules_Test::Row_Chosen, this, &TFSetAccess::Show_Rule_Row);
    }
    FRules_Test->Set_Rules(requests);
    FRules_Test->FormShow();
    FRules_Test->show();
    FRules_Test->raise();
    FRules_Test->activateWindow();
}

Io_Map TFSetAccess::Current_IO_Map() const {
    return Build_Io_Map(read_model->Table(), write_model->Table(), limits, reserved_areas);
}

void TFSetAccess::Update_IO_Map() {
    const Io_Map map = Current_IO_Map();
    const int overlaps = static_cast<int>(map.Overlaps.size());
    if (overlaps > 0)
        LL_Overlaps->setText(QStringLiteral("<a href=\"io_map\">%1</a>")
                                 .arg(Io_Overlaps_Line(texts, overlaps).toHtmlEscaped()));
    LL_Overlaps->setVisible(overlaps > 0);
    if (FIOMap)
        FIOMap->Set_Map(map);
}

void TFSetAccess::Btn_IOMapClick() {
    if (!FIOMap) {
        FIOMap = new TFIOMap(state, texts, ui, this);
        connect(FIOMap, &TFIOMap::Rule_Chosen, this, &TFSetAccess::Show_Rule_Row);
        // The map belongs to this showing of the editor.
        connect(this, &QDialog::finished, FIOMap, &QWidget::close);
    }
    FIOMap->Set_Map(Current_IO_Map());
    FIOMap->show();
    FIOMap->raise();
    FIOMap->activateWindow();
}

void TFSetAccess::Show_Rule_Row(Rule_Table table, int row) {
    PageControl1->setCurrentIndex(table == Rule_Table::Write ? 1 : 0);
    QTableView* grid = Grid_Of(table);
    if (row < 1 || row > grid->model()->rowCount())
        return;
    const int column = std::max(1, grid->currentIndex().column());
    grid->setCurrentIndex(grid->model()->index(row - 1, column));
    grid->scrollTo(grid->currentIndex());
    activateWindow();
    grid->setFocus();
}
