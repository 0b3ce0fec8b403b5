#include "base/app_state.h"
#include "base/text_table.h"
#include "config/access_rules_dialog.h"
#include "config/access_rules_table.h"
#include "config/diagnosis_dialog.h"
#include "config/diagnosis_list.h"
#include "config/text_grid_model.h"
#include "test_dirs.h"
#include "ui_recorder.h"

#include <QApplication>
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
};

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
