#include "base/app_state.h"
#include "base/text_table.h"
#include "config/access_rules_dialog.h"
#include "config/diagnosis_dialog.h"
#include "config/text_grid_model.h"
#include "document/access_rules_table.h"
#include "document/diagnosis_list.h"
#include "test_dirs.h"
#include "ui_recorder.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// A fast typist on the editors' grids: a click on the cell that is already
// current, keys typed at once (no event loop in between, so no timer of the
// view can run), then Down. Every key must reach the cell.
namespace {

enum class Grid_Kind { Diagnosis, Read_Rules, Write_Rules };

// One dialog, shown, with its grid and a way to read a cell's text.
struct Grid_Fixture {
    QTemporaryDir dir;
    App_State state;
    Text_Table texts;
    Ui_Recorder ui;
    std::unique_ptr<TFSetDiagnosis> diagnosis;
    std::unique_ptr<TFSetAccess> rules;
    QDialog* dialog = nullptr;
    QTableView* grid = nullptr;
    Grid_Kind kind;

    explicit Grid_Fixture(Grid_Kind grid_kind) : kind(grid_kind) {
        state.Conf_Dir = dir.path();
        state.Set_Files();
        texts.Set_Default_Texts();
        if (kind == Grid_Kind::Diagnosis) {
            diagnosis = std::make_unique<TFSetDiagnosis>(state, texts, ui);
            dialog = diagnosis.get();
            grid = dialog->findChild<QTableView*>("ASG");
        } else {
            rules = std::make_unique<TFSetAccess>(state, texts, ui);
            dialog = rules.get();
            grid = dialog->findChild<QTableView*>(kind == Grid_Kind::Read_Rules ? "ACG_Modbus_Read"
                                                                                : "ACG_Modbus_Write");
        }
    }

    void Show() {
        if (diagnosis)
            diagnosis->FormShow();
        else
            rules->FormShow();
        dialog->show();
        if (kind == Grid_Kind::Write_Rules)
            dialog->findChild<QTabWidget*>("PageControl1")->setCurrentIndex(1);
        QApplication::setActiveWindow(dialog);
        grid->setFocus();
    }

    // Row and column as the grid's model counts them.
    QString Cell(int row, int column) const { return grid->model()->index(row, column).data().toString(); }

    // Each key goes where the window's keyboard focus is, as a keyboard
    // would send it: to the grid, or to the cell editor once one is open.
    void Type(const QString& keys) {
        for (const QChar key : keys)
            QTest::keyClick(dialog->focusWidget(), key.toLatin1());
    }
    void Press(Qt::Key key) { QTest::keyClick(dialog->focusWidget(), key); }
};

} // namespace

Q_DECLARE_METATYPE(Grid_Kind)

class Tst_Grid_Typing : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keys_right_after_a_click_on_the_current_cell_data();
    void keys_right_after_a_click_on_the_current_cell();
    void diagnosis_list_saved_with_the_typed_ids();
    void click_alone_opens_the_editor_after_the_double_click_time_data();
    void click_alone_opens_the_editor_after_the_double_click_time();
    void type_cell_takes_a_typed_name_data();
    void type_cell_takes_a_typed_name();
    void type_list_opens_only_when_asked_data();
    void type_list_opens_only_when_asked();
    void type_cell_passed_through_keeps_a_loaded_text();
};

namespace {

enum class Leave { Click, Tab, Enter };

} // namespace

Q_DECLARE_METATYPE(Leave)

void Tst_Grid_Typing::type_cell_takes_a_typed_name_data() {
    QTest::addColumn<Grid_Kind>("kind");
    QTest::addColumn<QString>("old_type");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Leave>("leave");
    QTest::addColumn<QString>("type");
    const Grid_Kind R = Grid_Kind::Read_Rules;
    const Grid_Kind W = Grid_Kind::Write_Rules;
    QTest::newRow("read, whole name, click") << R << ""
                                             << "Input Register" << Leave::Click << "Input Register";
    QTest::newRow("read, whole name, Tab") << R << ""
                                           << "Input Register" << Leave::Tab << "Input Register";
    QTest::newRow("read, whole name, Enter") << R << ""
                                             << "Input Register" << Leave::Enter << "Input Register";
    QTest::newRow("read, lower case") << R << ""
                                      << "input status" << Leave::Tab << "Input Status";
    QTest::newRow("read, completed") << R << ""
                                     << "input r" << Leave::Click << "Input Register";
    QTest::newRow("read, first of two completed") << R << ""
                                                  << "in" << Leave::Tab << "Input Status";
    QTest::newRow("read, leading blank ignored") << R << ""
                                                 << " Coil" << Leave::Tab << "Coil Status";
    QTest::newRow("read, key past the name ignored") << R << ""
                                                     << "Coil Statusx" << Leave::Enter << "Coil Status";
    QTest::newRow("read, no name: nothing taken") << R << ""
                                                  << "xyz" << Leave::Tab << "";
    QTest::newRow("write, holding") << W << ""
                                    << "Holding Register" << Leave::Click << "Holding Register";
    QTest::newRow("write, coil completed") << W << ""
                                           << "c" << Leave::Enter << "Coil Status";
    QTest::newRow("write, no input types") << W << ""
                                           << "Input" << Leave::Tab << "";
    QTest::newRow("read, typed over a type") << R << "Coil Status"
                                             << "hol" << Leave::Tab << "Holding Register";
}

// Type on an empty row, then Address: both cells get what was typed, and no
// key is lost to the list.
void Tst_Grid_Typing::type_cell_takes_a_typed_name() {
    QFETCH(Grid_Kind, kind);
    QFETCH(QString, old_type);
    QFETCH(QString, typed);
    QFETCH(Leave, leave);
    QFETCH(QString, type);
    Grid_Fixture f(kind);
    f.Show();
    const int row = 3;
    const QModelIndex type_cell = f.grid->model()->index(row, Read_Col::Type);
    const QModelIndex address_cell = f.grid->model()->index(row, Read_Col::Address_Mod);
    QVERIFY(f.grid->model()->setData(type_cell, old_type));
    f.grid->setCurrentIndex(type_cell);
    QTest::mouseClick(f.grid->viewport(), Qt::LeftButton, {}, f.grid->visualRect(type_cell).center());
    f.Type(typed);
    auto* combo = f.grid->findChild<QComboBox*>();
    QVERIFY(combo);

    QVERIFY(!combo->view()->isVisible());
    switch (leave) {
    case Leave::Click:
        QTest::mouseClick(f.grid->viewport(), Qt::LeftButton, {}, f.grid->visualRect(address_cell).center());
        break;
    case Leave::Tab:
        f.Press(Qt::Key_Tab);
        break;
    case Leave::Enter:
        // Enter commits once the events of the key have run, as in a text cell.
        f.Press(Qt::Key_Return);
        QCoreApplication::processEvents();
        f.Press(Qt::Key_Right);
        break;
    }
    QCOMPARE(f.grid->currentIndex(), address_cell);
    f.Type("77");
    f.Press(Qt::Key_Return);
    QCOMPARE(f.Cell(row, Read_Col::Type), type);
    QTRY_COMPARE(f.Cell(row, Read_Col::Address_Mod), QString("77"));
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    QCOMPARE(f.Cell(row, Read_Col::Type), type);
    QCOMPARE(f.Cell(row, Read_Col::Address_Mod), QString("77"));
}

void Tst_Grid_Typing::type_list_opens_only_when_asked_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("opens");
    QTest::newRow("Alt+Down") << int(Qt::Key_Down) << int(Qt::AltModifier) << true;
    QTest::newRow("F4") << int(Qt::Key_F4) << int(Qt::NoModifier) << true;
    QTest::newRow("blank") << int(Qt::Key_Space) << int(Qt::NoModifier) << false;
    QTest::newRow("letter") << int(Qt::Key_H) << int(Qt::NoModifier) << false;
}

void Tst_Grid_Typing::type_list_opens_only_when_asked() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, opens);
    Grid_Fixture f(Grid_Kind::Read_Rules);
    f.Show();
    const int row = 2;
    const QModelIndex cell = f.grid->model()->index(row, Read_Col::Type);
    QVERIFY(f.grid->model()->setData(f.grid->model()->index(row, Read_Col::Slave_ID), "5"));
    f.grid->setCurrentIndex(cell);
    f.Press(Qt::Key_F2);
    auto* combo = f.grid->findChild<QComboBox*>();
    QVERIFY(combo);
    QTest::keyClick(f.dialog->focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(combo->view()->isVisible(), opens);
    // Alt+Down in the cell opens the list and moves no row.
    QCOMPARE(f.grid->currentIndex(), cell);
    QCOMPARE(f.Cell(row, Read_Col::Slave_ID), QString("5"));
    combo->hidePopup();
}

void Tst_Grid_Typing::type_cell_passed_through_keeps_a_loaded_text() {
    Grid_Fixture f(Grid_Kind::Read_Rules);
    f.Show();
    const QModelIndex cell = f.grid->model()->index(0, Read_Col::Type);
    QVERIFY(f.grid->model()->setData(cell, "coil"));
    f.grid->setCurrentIndex(cell);
    f.Press(Qt::Key_F2);
    QVERIFY(f.grid->findChild<QComboBox*>());
    f.Press(Qt::Key_Tab);
    QCOMPARE(f.Cell(0, Read_Col::Type), QString("coil"));
}

void Tst_Grid_Typing::keys_right_after_a_click_on_the_current_cell_data() {
    QTest::addColumn<Grid_Kind>("kind");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("old_text");
    QTest::addColumn<QString>("typed");
    QTest::newRow("diagnosis, empty ID") << Grid_Kind::Diagnosis << 1 << ""
                                         << "17";
    QTest::newRow("diagnosis, ID replaced") << Grid_Kind::Diagnosis << 1 << "5"
                                            << "42";
    QTest::newRow("read rules, Slave ID") << Grid_Kind::Read_Rules << int(Read_Col::Slave_ID) << ""
                                          << "12";
    QTest::newRow("read rules, Mnemonic replaced")
        << Grid_Kind::Read_Rules << int(Read_Col::Mnemonic) << "old"
        << "pump 2";
    QTest::newRow("write rules, Address") << Grid_Kind::Write_Rules << int(Write_Col::Address_Mod) << ""
                                          << "400";
    QTest::newRow("write rules, Mnemonic") << Grid_Kind::Write_Rules << int(Write_Col::Mnemonic) << ""
                                           << "valve";
}

void Tst_Grid_Typing::keys_right_after_a_click_on_the_current_cell() {
    QFETCH(Grid_Kind, kind);
    QFETCH(int, column);
    QFETCH(QString, old_text);
    QFETCH(QString, typed);
    Grid_Fixture f(kind);
    f.Show();
    const int row = 2;
    const QModelIndex cell = f.grid->model()->index(row, column);
    QVERIFY(f.grid->model()->setData(cell, old_text));
    f.grid->setCurrentIndex(cell);
    QCOMPARE(f.grid->currentIndex(), cell);

    QTest::mouseClick(f.grid->viewport(), Qt::LeftButton, {}, f.grid->visualRect(cell).center());
    f.Type(typed);
    f.Press(Qt::Key_Down);

    QCOMPARE(f.Cell(row, column), typed);
    QCOMPARE(f.grid->currentIndex(), f.grid->model()->index(row + 1, column));
    // The delayed editing of the click, if any, must not come back later.
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    QCOMPARE(f.Cell(row, column), typed);
    QCOMPARE(f.Cell(row + 1, column), QString());
}

void Tst_Grid_Typing::diagnosis_list_saved_with_the_typed_ids() {
    Grid_Fixture f(Grid_Kind::Diagnosis);
    f.Show();
    f.grid->setCurrentIndex(f.grid->model()->index(0, 1));
    // Row 1: click on the current cell and type at once; Down leaves for
    // row 2, which is now current: click it and type at once again.
    for (const QString& id : {QStringLiteral("7"), QStringLiteral("19")}) {
        const QModelIndex current = f.grid->currentIndex();
        QTest::mouseClick(f.grid->viewport(), Qt::LeftButton, {}, f.grid->visualRect(current).center());
        f.Type(id);
        f.Press(Qt::Key_Down);
    }
    QTest::mouseClick(f.dialog->findChild<QPushButton*>("Btn_OK"), Qt::LeftButton);
    QCOMPARE(f.dialog->result(), int(QDialog::Accepted));
    QCOMPARE(Load_Diagnosis(f.state.Diagnosis_File).IDs, (QStringList{"7", "19"}));
}

void Tst_Grid_Typing::click_alone_opens_the_editor_after_the_double_click_time_data() {
    QTest::addColumn<Grid_Kind>("kind");
    QTest::addColumn<int>("column");
    QTest::newRow("diagnosis") << Grid_Kind::Diagnosis << 1;
    QTest::newRow("read rules") << Grid_Kind::Read_Rules << int(Read_Col::Slave_ID);
    QTest::newRow("write rules") << Grid_Kind::Write_Rules << int(Write_Col::Slave_ID);
}

void Tst_Grid_Typing::click_alone_opens_the_editor_after_the_double_click_time() {
    QFETCH(Grid_Kind, kind);
    QFETCH(int, column);
    Grid_Fixture f(kind);
    f.Show();
    const QModelIndex cell = f.grid->model()->index(0, column);
    QVERIFY(f.grid->model()->setData(cell, "9"));
    f.grid->setCurrentIndex(cell);
    QTest::mouseClick(f.grid->viewport(), Qt::LeftButton, {}, f.grid->visualRect(cell).center());
    QVERIFY(!qobject_cast<QLineEdit*>(f.dialog->focusWidget()));
    QTRY_VERIFY(qobject_cast<QLineEdit*>(f.dialog->focusWidget()));
    auto* editor = qobject_cast<QLineEdit*>(f.dialog->focusWidget());
    QCOMPARE(editor->text(), QString("9"));
    editor->end(false);
    f.Type("1");
    f.Press(Qt::Key_Down);
    QCOMPARE(f.Cell(0, column), QString("91"));
}

QTEST_MAIN(Tst_Grid_Typing)
#include "tst_grid_typing_gui.moc"
