#include "base/app_state.h"
#include "base/text_table.h"
#include "config/access_rules_dialog.h"
#include "config/diagnosis_dialog.h"
#include "config/general_params_dialog.h"
#include "config/grid_editing_gui.h"
#include "config/text_grid_model.h"
#include "document/access_rules.h"
#include "document/access_rules_table.h"
#include "document/diagnosis_list.h"
#include "document/general_params.h"
#include "test_dirs.h"
#include "ui_recorder.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <memory>

// The editors' grids driven as a user drives them: mouse clicks on cells and
// row numbers, typed keys and shortcuts, the row buttons; then the cells, the
// clipboard, the current cell and the questions asked.
namespace {

enum class Grid_Kind { Read_Rules, Write_Rules, Diagnosis };

// One editor over a temporary configuration, shown, with three rules (or
// IDs) in rows 1 to 3.
struct Grid_Fixture {
    QTemporaryDir dir;
    App_State state;
    Text_Table texts;
    Ui_Recorder ui;
    std::unique_ptr<TFSetAccess> rules;
    std::unique_ptr<TFSetDiagnosis> diagnosis;
    QDialog* dialog = nullptr;
    QTableView* grid = nullptr;
    Text_Grid_Model* model = nullptr;
    Grid_Kind kind;

    explicit Grid_Fixture(Grid_Kind grid_kind, int hardware_type = 1) : kind(grid_kind) {
        state.Conf_Dir = dir.path();
        state.Set_Files();
        texts.Set_Default_Texts();
        if (kind == Grid_Kind::Diagnosis) {
            Diagnosis_List list;
            list.IDs = QStringList{"1", "2", "3"};
            Save_Diagnosis(state.Diagnosis_File, list);
            diagnosis = std::make_unique<TFSetDiagnosis>(state, texts, ui);
            dialog = diagnosis.get();
            diagnosis->FormShow();
            grid = dialog->findChild<QTableView*>("ASG");
            model = diagnosis->Model();
        } else {
            Write_All(state.ParGen_File,
                      QStringLiteral("<Par_Gen><Hardware_Type>%1</Hardware_Type></Par_Gen>")
                          .arg(hardware_type)
                          .toUtf8());
            Access_Rules stored;
            for (int n = 1; n <= 3; ++n) {
                Access_Rule rule;
                rule.Enable = "Y";
                rule.Slave_ID = QString::number(n);
                rule.Type = "Holding Register";
                rule.Address_Mod = QString::number(100 * n);
                rule.NPoint = "1";
                rule.PollTime = "1000";
                rule.MaxError = "0";
                rule.Address_Profi = QString::number(2 * n);
                rule.Bit = "0";
                rule.Swap = "Y";
                rule.OnChange = "N";
                rule.OnCMD = "N";
                rule.ForceF15F16 = "N";
                rule.Mnemonic = "m" + QString::number(n);
                stored.Read_Rules.append(rule);
                stored.Write_Rules.append(rule);
            }
            Save_Sdo(state.Sdo_File, stored);
            rules = std::make_unique<TFSetAccess>(state, texts, ui);
            dialog = rules.get();
            rules->FormShow();
            const bool write = kind == Grid_Kind::Write_Rules;
            grid = dialog->findChild<QTableView*>(write ? "ACG_Modbus_Write" : "ACG_Modbus_Read");
            model = write ? rules->Write_Model() : rules->Read_Model();
        }
        dialog->show();
        if (kind == Grid_Kind::Write_Rules)
            dialog->findChild<QTabWidget*>("PageControl1")->setCurrentIndex(1);
        QApplication::setActiveWindow(dialog);
        grid->setFocus();
    }

    QString Cell(int row, int column) const { return model->Table().Cell(row, column); }
    QModelIndex Index(int row, int column) const { return model->index(row - 1, column); }

    // A click on the cell, on the frozen row number for column 0.
    void Click(int row, int column, Qt::KeyboardModifiers modifiers = {}) {
        auto* frozen = grid->findChild<QTableView*>(grid->objectName() + "_Frozen");
        QTableView* view = column == 0 && frozen ? frozen : grid;
        view->scrollTo(Index(row, column));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers,
                          view->visualRect(Index(row, column)).center());
    }

    // Runs one step of a script:
    //   "at R C", "shift R C", "ctrl R C"   click on a cell (column 0: the row number)
    //   "type TEXT"                         keys typed where the focus is
    //   "key SEQUENCE"                      one key with its modifiers, e.g. "Ctrl+Z"
    //   "button NAME"                       a click on a button of the dialog
    //   "yes TEXT" / "no TEXT"              the next question must be TEXT; answered so
    //   "error TEXT"                        the next box must be this error
    //   "cell R C TEXT"                     the cell must hold TEXT (may be empty)
    //   "current R C"                       the current cell must be this one
    void Run(const QString& step) {
        const QString verb = step.section(' ', 0, 0);
        const QString rest = step.section(' ', 1);
        const int row = step.section(' ', 1, 1).toInt();
        const int column = step.section(' ', 2, 2).toInt();
        if (verb == "at" || verb == "shift" || verb == "ctrl") {
            Click(row, column,
                  verb == "shift"  ? Qt::ShiftModifier
                  : verb == "ctrl" ? Qt::ControlModifier
                                   : Qt::NoModifier);
        } else if (verb == "type") {
            for (const QChar key : rest)
                QTest::keyClick(dialog->focusWidget(), key.toLatin1());
        } else if (verb == "key") {
            const QKeyCombination key = QKeySequence(rest)[0];
            QTest::keyClick(dialog->focusWidget(), key.key(), key.keyboardModifiers());
        } else if (verb == "button") {
            QTest::mouseClick(dialog->findChild<QPushButton*>(rest), Qt::LeftButton);
        } else if (verb == "yes" || verb == "no") {
            ui.Expect_Question(verb == "yes", rest, Ui_Services::Default_Answer::No);
        } else if (verb == "error") {
            ui.Expect_Error(rest);
        } else if (verb == "cell") {
            QCOMPARE(Cell(row, column), step.section(' ', 3));
        } else if (verb == "current") {
            QCOMPARE(grid->currentIndex(), Index(row, column));
        } else {
            QFAIL(qPrintable("unknown step " + step));
        }
    }
};

const QString delete_rows = QStringLiteral("Are you sure to delete the Rows number ");

} // namespace

Q_DECLARE_METATYPE(Grid_Kind)

class Tst_Grid_Editing : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scripts_data();
    void scripts();
    void range_copied_and_pasted_back_data();
    void range_copied_and_pasted_back();
    void pasted_type_and_flags_data();
    void pasted_type_and_flags();
    void headers_fit_after_a_language_change_data();
    void headers_fit_after_a_language_change();
    void failing_cell_in_front_data();
    void failing_cell_in_front();
    void discard_question_data();
    void discard_question();
    void general_params_discard_question_data();
    void general_params_discard_question();
    void context_menu_holds_the_actions();
    void every_column_and_16_rows_in_sight();
    void row_numbers_stay_while_scrolling_right();
};

void Tst_Grid_Editing::scripts_data() {
    QTest::addColumn<Grid_Kind>("kind");
    QTest::addColumn<QStringList>("steps");
    const Grid_Kind read = Grid_Kind::Read_Rules;
    const Grid_Kind write = Grid_Kind::Write_Rules;
    const Grid_Kind diagnosis = Grid_Kind::Diagnosis;
    // Read columns: 2 Slave ID, 10 Swap (check box), 11 Mnemonic.
    QTest::newRow("typed cell is one step, undone and redone")
        << read
        << QStringList{"at 1 2",           "type 123",     "key Down",   "cell 1 2 123", "key Ctrl+Z",
                       "cell 1 2 1",       "current 1 2",  "key Ctrl+Y", "cell 1 2 123", "key Ctrl+Z",
                       "key Ctrl+Shift+Z", "cell 1 2 123", "key Ctrl+Z", "key Ctrl+Z",   "cell 1 2 1"};
    QTest::newRow("two edits, one undone")
        << read << QStringList{"at 1 11",    "type x",       "key Down",    "type y",      "key Down",
                               "key Ctrl+Z", "cell 2 11 m2", "cell 1 11 x", "current 2 11"};
    QTest::newRow("Del clears a range and its check boxes, one undo")
        << read
        << QStringList{"at 1 2",    "shift 3 11", "key Delete", "cell 1 2 ",    "cell 3 11 ",  "cell 2 10 N",
                       "cell 4 2 ", "key Ctrl+Z", "cell 1 2 1", "cell 3 11 m3", "cell 2 10 Y", "current 1 2"};
    QTest::newRow("Backspace leaves check boxes")
        << read << QStringList{"at 1 10", "shift 1 11", "key Backspace", "cell 1 10 Y", "cell 1 11 "};
    QTest::newRow("check box toggled by the space bar, one step")
        << read << QStringList{"at 1 10", "key Space", "cell 1 10 N", "key Ctrl+Z", "cell 1 10 Y"};
    QTest::newRow("Insert Row undone")
        << read << QStringList{"at 2 2",     "button Btn_InsRow", "cell 2 2 ", "cell 3 2 2",
                               "key Ctrl+Z", "cell 2 2 2",        "cell 3 2 3"};
    QTest::newRow("Delete Row of the current row undone")
        << write << QStringList{"at 2 2",
                                "yes Are you sure to delete the Row number 2",
                                "button Btn_DelRow",
                                "cell 2 2 3",
                                "key Ctrl+Z",
                                "cell 2 2 2"};
    QTest::newRow("Paste Row undone")
        << read << QStringList{"at 1 2",       "button Btn_CopyRow", "at 5 2",    "button Btn_PasteRow",
                               "cell 5 11 m1", "key Ctrl+Z",         "cell 5 11 "};
    QTest::newRow("several rows deleted after one question, one undo")
        << read
        << QStringList{"at 1 0",
                       "shift 3 0",
                       "yes " + delete_rows + "1, 2, 3",
                       "button Btn_DelRow",
                       "cell 1 2 ",
                       "cell 1 11 ",
                       "key Ctrl+Z",
                       "cell 1 2 1",
                       "cell 3 11 m3"};
    QTest::newRow("rows picked one by one")
        << write
        << QStringList{
               "at 1 0",    "ctrl 3 0", "yes " + delete_rows + "1, 3", "button Btn_DelRow", "cell 1 2 2",
               "cell 2 2 ", "cell 3 2 "};
    QTest::newRow("several rows kept on No")
        << read << QStringList{"at 2 0",     "shift 3 0", "no " + delete_rows + "2, 3", "button Btn_DelRow",
                               "cell 2 2 2", "cell 3 2 3"};
    QTest::newRow("Alt+Down and Alt+Up move the row, one undo each")
        << read << QStringList{"at 1 11",    "key Alt+Down", "cell 1 11 m2", "cell 2 11 m1", "current 2 11",
                               "key Alt+Up", "cell 1 11 m1", "current 1 11", "key Alt+Up",   "cell 1 11 m1",
                               "key Ctrl+Z", "cell 1 11 m2", "key Ctrl+Z",   "cell 1 11 m1"};
    QTest::newRow("move buttons") << write << QStringList{"at 2 2",     "button Btn_Move_Up",   "cell 1 2 2",
                                                          "cell 2 2 1", "button Btn_Move_Down", "cell 1 2 1",
                                                          "cell 2 2 2", "key Ctrl+Z",           "cell 1 2 2"};
    QTest::newRow("diagnosis: typed ID undone")
        << diagnosis << QStringList{"at 4 1", "type 9", "key Down", "cell 4 1 9", "key Ctrl+Z", "cell 4 1 "};
    QTest::newRow("diagnosis: entry moved to the next bit")
        << diagnosis
        << QStringList{"at 1 1",     "key Alt+Down", "cell 1 1 2", "cell 2 1 1", "button Btn_Move_Down",
                       "cell 3 1 1", "key Ctrl+Z",   "key Ctrl+Z", "cell 1 1 1"};
    QTest::newRow("diagnosis: Del on a range")
        << diagnosis << QStringList{"at 1 1",    "shift 2 1",  "key Delete", "cell 1 1 ",
                                    "cell 2 1 ", "cell 3 1 3", "key Ctrl+Z", "cell 2 1 2"};
}

void Tst_Grid_Editing::scripts() {
    QFETCH(Grid_Kind, kind);
    QFETCH(QStringList, steps);
    Grid_Fixture f(kind);
    for (const QString& step : steps) {
        f.Run(step);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable("at step: " + step));
    }
    QVERIFY(f.ui.All_Answered());
}

void Tst_Grid_Editing::range_copied_and_pasted_back_data() {
    QTest::addColumn<Grid_Kind>("kind");
    QTest::addColumn<int>("hardware_type");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("copied");
    // Read columns, hardware 0: 2 Slave ID, 3 Type, 4 Address, 5 NPoint,
    // (6, 7 hidden), 8 Position, (9 hidden), 10 Swap, 11 Mnemonic.
    QTest::newRow("read, hidden columns skipped")
        << Grid_Kind::Read_Rules << 0 << QStringList{"at 1 5", "shift 2 10"} << "1\t2\tY\n1\t4\tY\n";
    QTest::newRow("write, every column shown")
        << Grid_Kind::Write_Rules << 1 << QStringList{"at 2 2", "shift 3 4"}
        << "2\tHolding Register\t200\n3\tHolding Register\t300\n";
    QTest::newRow("diagnosis") << Grid_Kind::Diagnosis << 0 << QStringList{"at 1 1", "shift 3 1"}
                               << "1\n2\n3\n";
    // Write columns, hardware 0: 1 Enable, 2 Slave ID, 3 Type, 4 Address,
    // 5 NPoint, 10 Position, 12 Swap, 13 Force F15/F16, 14 Mnemonic.
    // Whole rows: every data column in the order of the CSV file, hidden
    // ones too (6 Poll Time, 7 On Change, 8 On CMD, 9 Max Error, 11 Start Bit).
    QTest::newRow("whole rows: every data column, no row number")
        << Grid_Kind::Write_Rules << 0 << QStringList{"at 1 0", "shift 2 0"}
        << "Y\t1\tHolding Register\t100\t1\t1000\tN\tN\t0\t2\t0\tY\tN\tm1\n"
           "Y\t2\tHolding Register\t200\t1\t1000\tN\tN\t0\t4\t0\tY\tN\tm2\n";
}

void Tst_Grid_Editing::range_copied_and_pasted_back() {
    QFETCH(Grid_Kind, kind);
    QFETCH(int, hardware_type);
    QFETCH(QStringList, steps);
    QFETCH(QString, copied);
    Grid_Fixture f(kind, hardware_type);
    for (const QString& step : steps)
        f.Run(step);
    // The top left cell of the selection.
    QModelIndex first = f.grid->currentIndex();
    for (const QModelIndex& index : f.grid->selectionModel()->selectedIndexes()) {
        if (index.row() <= first.row() && index.column() <= first.column())
            first = index;
    }
    f.Run("key Ctrl+C");
    QCOMPARE(QApplication::clipboard()->text(), copied);

    // Pasted at row 10 in the same column: the copied cells into the shown
    // columns from there on, hidden columns keeping what they held; whole
    // rows into every data column.
    const Grid_Texts before = f.model->Table();
    f.Run(QString("at 10 %1").arg(first.column()));
    QCOMPARE(f.grid->currentIndex().column(), first.column());
    f.Run("key Ctrl+V");
    const QStringList lines = copied.split('\n', Qt::SkipEmptyParts);
    const bool whole_rows = lines.first().split('\t').size() == f.model->columnCount() - 1;
    QList<int> targets;
    // Pasting at a row number starts at the first data column.
    for (int column = std::max(first.column(), 1); column < f.model->columnCount(); ++column) {
        if (whole_rows || !f.grid->isColumnHidden(column))
            targets.append(column);
    }
    for (int r = 0; r < lines.size(); ++r) {
        const QStringList cells = lines[r].split('\t');
        for (int j = 0; j < cells.size(); ++j)
            QCOMPARE(f.Cell(10 + r, targets[j]), cells[j]);
        for (int column = 0; column < f.model->columnCount(); ++column) {
            if (!targets.contains(column))
                QCOMPARE(f.Cell(10 + r, column), before.Cell(10 + r, column));
        }
    }
    // The pasted block is the selection: copied again, the same bytes.
    QApplication::clipboard()->clear();
    f.Run("key Ctrl+C");
    QCOMPARE(QApplication::clipboard()->text(), copied);
    // One step undoes the whole paste.
    f.Run("key Ctrl+Z");
    QCOMPARE(f.model->Table(), before);

    // Past the last row or the last column: refused, nothing changed.
    const int last_row = f.model->rowCount();
    f.Run(QString("at %1 %2").arg(last_row).arg(first.column()));
    f.Run("error Error! The copied cells do not fit: they would go past the last row of the table. "
          "Nothing was pasted.");
    f.Run("key Ctrl+V");
    QApplication::clipboard()->setText(QString("a\tb\tc\td\te\tf\tg\th\ti\tj\tk\tl\tm\tn\to\n"));
    f.Run(QString("at 1 %1").arg(first.column()));
    f.Run("error Error! The copied cells do not fit: they would go past the last column of the table. "
          "Nothing was pasted.");
    f.Run("key Ctrl+V");
    QCOMPARE(f.model->Table(), before);
    QVERIFY(f.ui.All_Answered());
}

void Tst_Grid_Editing::pasted_type_and_flags_data() {
    QTest::addColumn<Grid_Kind>("kind");
    QTest::addColumn<int>("hardware_type");
    QTest::addColumn<int>("column"); // where the paste starts, in row 5
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("error");     // empty: pasted
    QTest::addColumn<QStringList>("row_5"); // data columns after the paste
    const Grid_Kind R = Grid_Kind::Read_Rules;
    const Grid_Kind W = Grid_Kind::Write_Rules;
    const QString not_a_flag =
        "\" is no check box value: Y or N, TRUE or FALSE, YES or NO, 1 or 0, X, or empty";
    QTest::newRow("read: Type in lower case")
        << R << 1 << int(Read_Col::Type) << "input register\t7\n"
        << "" << QStringList{"Y", "", "Input Register", "7", "", "", "", "", "", "", ""};
    QTest::newRow("read: spreadsheet flags")
        << R << 1 << int(Read_Col::Swap) << "TRUE\tpump\n"
        << "" << QStringList{"Y", "", "", "", "", "", "", "", "", "Y", "pump"};
    QTest::newRow("read: Enable 0") << R << 1 << int(Read_Col::Enable) << "0\n"
                                    << "" << QStringList{"N", "", "", "", "", "", "", "", "", "", ""};
    QTest::newRow("read: unknown Type")
        << R << 1 << int(Read_Col::Type) << "coil\t7\n"
        << "Nothing was pasted: row 5, column Type: \"coil\" is no Type of this table: Coil Status, Input "
           "Status, Holding Register, Input Register"
        << QStringList{};
    QTest::newRow("write: Type of the read table")
        << W << 1 << int(Write_Col::Type) << "Input Status\n"
        << "Nothing was pasted: row 5, column Type: \"Input Status\" is no Type of this table: Coil Status, "
           "Holding Register"
        << QStringList{};
    QTest::newRow("write: flag that is none in the second row")
        << W << 1 << int(Write_Col::ForceF15F16) << "Y\nmaybe\n"
        << "Nothing was pasted: row 6, column Force F15/F16: \"maybe" + not_a_flag << QStringList{};
    QTest::newRow("read: a row of the CSV file, anywhere in the row")
        << R << 0 << int(Read_Col::NPoint)
        << "yes\t9\tholding register\t1\t2\t1000\t0\t8\t\tFALSE\tfrom csv\n"
        << "" << QStringList{"Y", "9", "Holding Register", "1", "2", "1000", "0", "8", "", "N", "from csv"};
    QTest::newRow("write: a row of the CSV file, hidden columns too")
        << W << 1 << int(Write_Col::Mnemonic)
        << "N\t4\tCoil Status\t0\t8\t500\tTRUE\tx\t3\t1\t2\tN\t0\tvalve\n"
        << ""
        << QStringList{"N", "4", "Coil Status", "0", "8", "500", "Y", "Y", "3", "1", "2", "N", "N", "valve"};
    QTest::newRow("write: a row of the CSV file with a bad flag")
        << W << 0 << int(Write_Col::Slave_ID)
        << "Y\t4\tCoil Status\t0\t8\t500\tTRUE\ton\t3\t1\t2\tN\t0\tvalve\n"
        << "Nothing was pasted: row 5, column On CMD: \"on" + not_a_flag << QStringList{};
}

void Tst_Grid_Editing::pasted_type_and_flags() {
    QFETCH(Grid_Kind, kind);
    QFETCH(int, hardware_type);
    QFETCH(int, column);
    QFETCH(QString, clipboard);
    QFETCH(QString, error);
    QFETCH(QStringList, row_5);
    Grid_Fixture f(kind, hardware_type);
    const Grid_Texts before = f.model->Table();
    QApplication::clipboard()->setText(clipboard);
    f.Run(QString("at 5 %1").arg(column));
    if (!error.isEmpty())
        f.Run("error " + error);
    f.Run("key Ctrl+V");
    QVERIFY(f.ui.All_Answered());
    if (!error.isEmpty()) {
        // Nothing pasted, nothing to undo.
        QCOMPARE(f.model->Table(), before);
        QCOMPARE(f.rules->Read_Editing()->Undo_Stack().count() +
                     f.rules->Write_Editing()->Undo_Stack().count(),
                 0);
        return;
    }
    QCOMPARE(f.model->Table().Row(5).mid(1), row_5);
}

void Tst_Grid_Editing::headers_fit_after_a_language_change_data() {
    QTest::addColumn<Grid_Kind>("kind");
    QTest::newRow("read rules") << Grid_Kind::Read_Rules;
    QTest::newRow("write rules") << Grid_Kind::Write_Rules;
    QTest::newRow("diagnosis") << Grid_Kind::Diagnosis;
}

// Switched to long headers while running, every header is as wide as its
// text asks, as a fresh start in that language gives it.
void Tst_Grid_Editing::headers_fit_after_a_language_change() {
    QFETCH(Grid_Kind, kind);
    Grid_Fixture f(kind);
    QStringList headers;
    for (int column = 0; column < f.model->columnCount(); ++column)
        headers.append(f.model->headerData(column, Qt::Horizontal).toString());
    for (int index = 600; index < 720; ++index) {
        const QString text = f.texts[index];
        if (headers.contains(text) && !text.trimmed().isEmpty())
            f.texts.Set_Text(index, "Abfragezeit " + text + " lang");
    }
    Frame_Dialog* dialog = f.rules ? static_cast<Frame_Dialog*>(f.rules.get()) : f.diagnosis.get();
    dialog->Set_Lang();
    QHeaderView* header = f.grid->horizontalHeader();
    for (int column = 0; column < f.model->columnCount(); ++column) {
        // The row number keeps its width: the frozen column follows it.
        if (f.grid->isColumnHidden(column) || (column == 0 && f.rules))
            continue;
        QVERIFY2(f.model->headerData(column, Qt::Horizontal).toString().startsWith("Abfragezeit"),
                 qPrintable(QString::number(column)));
        // The last column of the diagnosis list takes the window's width.
        if (header->stretchLastSection() && column == f.model->columnCount() - 1)
            continue;
        QVERIFY2(header->sectionSize(column) >= header->sectionSizeHint(column),
                 qPrintable(f.model->headerData(column, Qt::Horizontal).toString()));
    }
}

void Tst_Grid_Editing::failing_cell_in_front_data() {
    QTest::addColumn<bool>("write_fails");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("message");
    QTest::newRow("read rule 200, write page in front")
        << false << 200 << int(Read_Col::NPoint)
        << "Error row 200!! [Modbus Read] NPoint must be between 1 and 125";
    QTest::newRow("write rule 3, read page in front")
        << true << 3 << int(Write_Col::Address_Profi)
        << "Error row 3!! [Modbus Write] Position must be between 0 and 243";
}

void Tst_Grid_Editing::failing_cell_in_front() {
    QFETCH(bool, write_fails);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, message);
    Grid_Fixture f(write_fails ? Grid_Kind::Write_Rules : Grid_Kind::Read_Rules);
    // Rules down to the failing row, all but the failing one disabled.
    f.model->Edit_Table([&](Grid_Texts& grid) {
        grid.Set_Row(row, grid.Row(1));
        for (int r = 4; r < row; ++r) {
            grid.Cell(r, 1) = "N";
            grid.Cell(r, 2) = "1";
        }
        grid.Cell(row, 1) = "Y";
        grid.Cell(row, column) = write_fails ? "300" : "126";
        return true;
    });
    auto* pages = f.dialog->findChild<QTabWidget*>("PageControl1");
    pages->setCurrentIndex(write_fails ? 0 : 1);
    f.Run("error " + message);
    QTest::mouseClick(f.dialog->findChild<QPushButton*>("Btn_OK"), Qt::LeftButton);
    QVERIFY(f.ui.All_Answered());
    QVERIFY(f.dialog->isVisible());
    QCOMPARE(pages->currentIndex(), write_fails ? 1 : 0);
    QCOMPARE(f.grid->currentIndex(), f.Index(row, column));
    QCOMPARE(f.grid->selectionModel()->selectedIndexes(), QModelIndexList{f.Index(row, column)});
    QVERIFY(f.grid->viewport()->rect().contains(f.grid->visualRect(f.Index(row, column))));
    QCOMPARE(f.dialog->focusWidget(), static_cast<QWidget*>(f.grid));
}

void Tst_Grid_Editing::discard_question_data() {
    QTest::addColumn<Grid_Kind>("kind");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("answer"); // "" when no question may come
    QTest::addColumn<bool>("stays_open");
    const QStringList edit = {"at 1 2", "type 5", "key Down"};
    const QStringList edit_id = {"at 1 1", "type 5", "key Down"};
    QTest::newRow("rules, no change, Cancel") << Grid_Kind::Read_Rules << QStringList{} << "Cancel"
                                              << "" << false;
    QTest::newRow("rules, no change, Escape") << Grid_Kind::Write_Rules << QStringList{} << "Escape"
                                              << "" << false;
    QTest::newRow("rules, changed, Cancel, No") << Grid_Kind::Read_Rules << edit << "Cancel"
                                                << "no" << true;
    QTest::newRow("rules, changed, Escape, Yes") << Grid_Kind::Write_Rules << edit << "Escape"
                                                 << "yes" << false;
    QTest::newRow("rules, changed, close box, No") << Grid_Kind::Read_Rules << edit << "close"
                                                   << "no" << true;
    QTest::newRow("rules, changed and undone, Cancel")
        << Grid_Kind::Read_Rules << edit + QStringList{"key Ctrl+Z"} << "Cancel"
        << "" << false;
    QTest::newRow("rules, typing not yet ended, Cancel, No")
        << Grid_Kind::Read_Rules << QStringList{"at 1 2", "type 5"} << "Cancel"
        << "no" << true;
    QTest::newRow("diagnosis, no change, Escape") << Grid_Kind::Diagnosis << QStringList{} << "Escape"
                                                  << "" << false;
    QTest::newRow("diagnosis, changed, Escape, No") << Grid_Kind::Diagnosis << edit_id << "Escape"
                                                    << "no" << true;
    QTest::newRow("diagnosis, changed, close box, Yes") << Grid_Kind::Diagnosis << edit_id << "close"
                                                        << "yes" << false;
}

void Tst_Grid_Editing::discard_question() {
    QFETCH(Grid_Kind, kind);
    QFETCH(QStringList, steps);
    QFETCH(QString, how);
    QFETCH(QString, answer);
    QFETCH(bool, stays_open);
    Grid_Fixture f(kind);
    for (const QString& step : steps)
        f.Run(step);
    if (!answer.isEmpty())
        f.Run(answer + " The table has been changed. Discard the changes?");
    if (how == "Cancel")
        QTest::mouseClick(f.dialog->findChild<QPushButton*>("Btn_Cancel"), Qt::LeftButton);
    else if (how == "Escape")
        QTest::keyClick(f.dialog->focusWidget(), Qt::Key_Escape);
    else
        f.dialog->close();
    QVERIFY(f.ui.All_Answered());
    QCOMPARE(f.ui.Shown().size(), answer.isEmpty() ? 0 : 1);
    QCOMPARE(f.dialog->isVisible(), stays_open);
    if (!stays_open)
        QCOMPARE(f.dialog->result(), int(QDialog::Rejected));
}

void Tst_Grid_Editing::general_params_discard_question_data() {
    QTest::addColumn<bool>("change");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("stays_open");
    QTest::newRow("no change, Escape") << false << "Escape"
                                       << "" << false;
    QTest::newRow("no change, Cancel") << false << "Cancel"
                                       << "" << false;
    QTest::newRow("changed, Escape, No") << true << "Escape"
                                         << "no" << true;
    QTest::newRow("changed, Cancel, Yes") << true << "Cancel"
                                          << "yes" << false;
    QTest::newRow("changed, close box, No") << true << "close"
                                            << "no" << true;
}

void Tst_Grid_Editing::general_params_discard_question() {
    QFETCH(bool, change);
    QFETCH(QString, how);
    QFETCH(QString, answer);
    QFETCH(bool, stays_open);
    QTemporaryDir dir;
    App_State state;
    state.Conf_Dir = dir.path();
    state.Set_Files();
    Text_Table texts;
    Ui_Recorder ui;
    TFParGen dialog(state, texts, ui);
    dialog.FormShow();
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    auto* timeout = dialog.findChild<QLineEdit*>("E_ModbusMaster_TimeOut");
    timeout->setFocus();
    if (change) {
        timeout->selectAll();
        QTest::keyClicks(timeout, "777");
    }
    if (!answer.isEmpty())
        ui.Expect_Question(answer == "yes",
                           QString("The communication settings have been changed. Discard the changes?"),
                           Ui_Services::Default_Answer::No);
    if (how == "Cancel")
        QTest::mouseClick(dialog.findChild<QPushButton*>("Btn_Cancel"), Qt::LeftButton);
    else if (how == "Escape")
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Escape);
    else
        dialog.close();
    QVERIFY(ui.All_Answered());
    QCOMPARE(ui.Shown().size(), answer.isEmpty() ? 0 : 1);
    QCOMPARE(dialog.isVisible(), stays_open);
    QVERIFY(!QFile::exists(state.ParGen_File));
}

void Tst_Grid_Editing::context_menu_holds_the_actions() {
    Grid_Fixture f(Grid_Kind::Read_Rules);
    std::unique_ptr<QMenu> menu(f.rules->Read_Editing()->Context_Menu());
    QStringList names;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator())
            names.append(action->text());
    }
    QCOMPARE(names, (QStringList{"Undo", "Redo", "Copy", "Paste", "Clear", "Move Up", "Move Down",
                                 "Delete Row", "Insert Row", "Copy Row", "Paste Row"}));
    // An entry does what its key does.
    f.Run("at 1 11");
    menu->actions().at(menu->actions().indexOf(f.rules->Read_Editing()->Move_Down_Action()))->trigger();
    f.Run("cell 2 11 m1");
    f.Run("yes Are you sure to delete the Row number 2");
    for (QAction* action : menu->actions()) {
        if (action->text() == "Delete Row")
            action->trigger();
    }
    f.Run("cell 2 11 m3");
    QVERIFY(f.ui.All_Answered());
    // The grid asks for it on a right click.
    QCOMPARE(f.grid->contextMenuPolicy(), Qt::CustomContextMenu);
}

void Tst_Grid_Editing::every_column_and_16_rows_in_sight() {
    Grid_Fixture f(Grid_Kind::Read_Rules, 1);
    const QSize size = f.rules->Default_Size();
    // A 1280 by 800 screen holds it with the window's frame and title bar.
    QVERIFY2(size.width() <= 1260 && size.height() <= 740,
             qPrintable(QString("%1 x %2").arg(size.width()).arg(size.height())));
    f.dialog->resize(size);
    auto* pages = f.dialog->findChild<QTabWidget*>("PageControl1");
    for (int page : {0, 1}) {
        pages->setCurrentIndex(page);
        auto* grid = f.dialog->findChild<QTableView*>(page == 0 ? "ACG_Modbus_Read" : "ACG_Modbus_Write");
        QTest::qWait(0);
        QCOMPARE(grid->horizontalScrollBar()->maximum(), 0);
        QVERIFY(grid->horizontalHeader()->length() <= grid->viewport()->width());
        QVERIFY(grid->viewport()->height() >= 16 * grid->rowHeight(0));
        // Check-box columns as narrow as their header.
        QHeaderView* header = grid->horizontalHeader();
        QCOMPARE(grid->columnWidth(1), header->sectionSizeHint(1));
    }

    // A size the user chose is kept by the next showing.
    f.dialog->resize(900, 450);
    f.rules->FormShow();
    QCOMPARE(f.dialog->size(), QSize(900, 450));
}

void Tst_Grid_Editing::row_numbers_stay_while_scrolling_right() {
    Grid_Fixture f(Grid_Kind::Write_Rules, 1);
    f.dialog->resize(500, 400);
    QTest::qWait(0);
    auto* frozen = f.grid->findChild<QTableView*>("ACG_Modbus_Write_Frozen");
    QVERIFY(frozen);
    f.Run("at 30 2");
    f.Run("key End"); // the last column: the grid scrolls right and down
    QVERIFY(f.grid->horizontalScrollBar()->value() > 0);
    QVERIFY(frozen->isVisible());
    QCOMPARE(frozen->x(), f.grid->frameWidth());
    QCOMPARE(frozen->columnWidth(0), f.grid->columnWidth(0));
    // Row 30 on the same line in both, its number beside it.
    const QModelIndex current = f.grid->currentIndex();
    QCOMPARE(frozen->visualRect(current.siblingAtColumn(0)).top(), f.grid->visualRect(current).top());
    QCOMPARE(current.siblingAtColumn(0).data().toString(), QString("30"));
    // Back left, one column at a time: each data column comes out from
    // under the numbers.
    while (f.grid->currentIndex().column() > 1) {
        f.Run("key Left");
        QVERIFY(f.grid->visualRect(f.grid->currentIndex()).left() >= frozen->columnWidth(0));
    }
    f.Run("key Home");
    QCOMPARE(f.grid->horizontalScrollBar()->value(), 0);
}

QTEST_MAIN(Tst_Grid_Editing)
#include "tst_grid_editing_gui.moc"
