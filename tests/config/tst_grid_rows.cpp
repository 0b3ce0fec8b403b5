#include "base/text_table.h"
#include "config/grid_rows.h"
#include "document/access_rules_table.h"
#include "ui_recorder.h"

#include <QTest>

namespace {

// A read table whose rows 1..n hold "A", "B", ... in Slave ID and in the
// hidden Poll Time column; the other rows hold only their "Y".
Grid_Texts Letters(int n) {
    Grid_Texts grid = New_Rule_Grid(Rule_Table::Read);
    for (int row = 1; row <= n; ++row) {
        const QString letter(QChar(u'A' + row - 1));
        grid.Cell(row, Read_Col::Slave_ID) = letter;
        grid.Cell(row, Read_Col::PollTime) = letter + letter;
    }
    return grid;
}

QString Slave(const Grid_Texts& grid, int row) {
    return grid.Cell(row, Read_Col::Slave_ID);
}

bool Data_Cells_Empty(const Grid_Texts& grid, int row) {
    for (int column = 1; column < grid.Column_Count(); ++column)
        if (!grid.Cell(row, column).isEmpty())
            return false;
    return true;
}

} // namespace

class Tst_Grid_Rows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void delete_closes_gap_and_empties_last_row();
    void delete_last_row_only_empties_it();
    void insert_pushes_down_with_enable_mark();
    void insert_at_last_row_replaces_it();
    void insert_asks_before_losing_last_row_data();
    void insert_asks_before_losing_last_row_data_data();
    void row_numbers_never_move();
    void row_used_ignores_check_boxes_and_blanks_data();
    void row_used_ignores_check_boxes_and_blanks();
    void copy_takes_every_data_column();
    void paste_checks_and_messages();
    void paste_checks_and_messages_data();
    void jump_target_data();
    void jump_target();
    void header_hint_index_counts_visible_columns();
};

void Tst_Grid_Rows::delete_closes_gap_and_empties_last_row() {
    Grid_Texts grid = Letters(5);
    grid.Cell(Rule_Rows, Read_Col::Mnemonic) = QStringLiteral("last");
    Delete_Row(grid, 3);
    QCOMPARE(Slave(grid, 1), QString("A"));
    QCOMPARE(Slave(grid, 2), QString("B"));
    QCOMPARE(Slave(grid, 3), QString("D"));
    QCOMPARE(Slave(grid, 4), QString("E"));
    QCOMPARE(grid.Cell(3, Read_Col::PollTime), QString("DD")); // hidden columns move too
    QCOMPARE(Slave(grid, 5), QString());
    QCOMPARE(grid.Cell(5, Read_Col::Enable), QString("Y"));
    QCOMPARE(grid.Cell(Rule_Rows - 1, Read_Col::Mnemonic), QString("last"));
    QVERIFY(Data_Cells_Empty(grid, Rule_Rows)); // no "Y" left in the enable cell
}

void Tst_Grid_Rows::delete_last_row_only_empties_it() {
    Grid_Texts grid = Letters(Rule_Rows);
    Delete_Row(grid, Rule_Rows);
    QVERIFY(Data_Cells_Empty(grid, Rule_Rows));
    QCOMPARE(Slave(grid, Rule_Rows - 1), Letters(Rule_Rows).Cell(Rule_Rows - 1, Read_Col::Slave_ID));
}

void Tst_Grid_Rows::insert_pushes_down_with_enable_mark() {
    Grid_Texts grid = Letters(3);
    grid.Cell(2, Read_Col::Enable) = QStringLiteral("N");
    Insert_Empty_Row(grid, 2, true);
    QCOMPARE(Slave(grid, 1), QString("A"));
    QCOMPARE(Slave(grid, 2), QString());
    QCOMPARE(grid.Cell(2, Read_Col::Enable), QString("Y"));
    QCOMPARE(grid.Cell(2, Read_Col::PollTime), QString());
    QCOMPARE(Slave(grid, 3), QString("B"));
    QCOMPARE(grid.Cell(3, Read_Col::Enable), QString("N"));
    QCOMPARE(grid.Cell(3, Read_Col::PollTime), QString("BB"));
    QCOMPARE(Slave(grid, 4), QString("C"));

    Insert_Empty_Row(grid, 1, false);
    QVERIFY(Data_Cells_Empty(grid, 1));
    QCOMPARE(Slave(grid, 2), QString("A"));
}

void Tst_Grid_Rows::insert_at_last_row_replaces_it() {
    Grid_Texts grid = Letters(3);
    grid.Cell(Rule_Rows, Read_Col::Swap) = QStringLiteral("Y");
    Insert_Empty_Row(grid, Rule_Rows, true);
    QCOMPARE(grid.Cell(Rule_Rows, Read_Col::Enable), QString("Y"));
    QCOMPARE(grid.Cell(Rule_Rows, Read_Col::Swap), QString());
    QCOMPARE(Slave(grid, 3), QString("C"));
}

void Tst_Grid_Rows::insert_asks_before_losing_last_row_data_data() {
    QTest::addColumn<QString>("last_row_cell"); // Mnemonic of row 244
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("answer_yes");
    QTest::addColumn<bool>("inserted");
    QTest::newRow("empty last row: no question") << QString() << false << false << true;
    QTest::newRow("blanks only: no question") << QString("   ") << false << false << true;
    QTest::newRow("data, Yes") << QString("keep me") << true << true << true;
    QTest::newRow("data, No") << QString("keep me") << true << false << false;
}

void Tst_Grid_Rows::insert_asks_before_losing_last_row_data() {
    QFETCH(QString, last_row_cell);
    QFETCH(bool, asked);
    QFETCH(bool, answer_yes);
    QFETCH(bool, inserted);
    const Text_Table texts;
    Ui_Recorder ui;
    Grid_Texts grid = Letters(3);
    grid.Cell(Rule_Rows, Read_Col::Mnemonic) = last_row_cell;
    grid.Cell(Rule_Rows, Read_Col::Swap) = QStringLiteral("Y");
    const Grid_Texts before = grid;
    if (asked)
        ui.Expect_Question(answer_yes, texts[905] + QString::number(Rule_Rows) + texts[906],
                           Ui_Services::Default_Answer::No);
    QCOMPARE(Insert_Row(grid, 2, true, texts, ui), inserted);
    QVERIFY(ui.All_Answered());
    if (inserted) {
        QCOMPARE(Slave(grid, 3), QString("B"));
        QCOMPARE(grid.Cell(2, Read_Col::Enable), QString("Y"));
    } else {
        QCOMPARE(grid, before);
    }
}

void Tst_Grid_Rows::row_numbers_never_move() {
    Grid_Texts grid = Letters(5);
    Delete_Row(grid, 2);
    Insert_Empty_Row(grid, 1, true);
    for (int row = 1; row <= Rule_Rows; ++row)
        QCOMPARE(grid.Cell(row, 0), QString::number(row));
}

void Tst_Grid_Rows::row_used_ignores_check_boxes_and_blanks_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("used");
    QTest::newRow("nothing") << int(Read_Col::Mnemonic) << QString() << false;
    QTest::newRow("blanks") << int(Read_Col::Mnemonic) << QString("   ") << false;
    QTest::newRow("enable N") << int(Read_Col::Enable) << QString("N") << false;
    QTest::newRow("swap Y") << int(Read_Col::Swap) << QString("Y") << false;
    QTest::newRow("slave id") << int(Read_Col::Slave_ID) << QString("3") << true;
    QTest::newRow("hidden poll time") << int(Read_Col::PollTime) << QString("1000") << true;
}

void Tst_Grid_Rows::row_used_ignores_check_boxes_and_blanks() {
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(bool, used);
    Grid_Texts grid = New_Rule_Grid(Rule_Table::Read);
    grid.Cell(7, column) = text;
    QCOMPARE(Row_Used(grid, 7), used);
}

void Tst_Grid_Rows::copy_takes_every_data_column() {
    Grid_Texts grid = Letters(2);
    QStringList clipboard{"old"};
    Copy_Row(grid, 2, clipboard);
    QCOMPARE(clipboard.size(), Read_Col::Count - 1);
    QCOMPARE(clipboard[0], QString("Y"));
    QCOMPARE(clipboard[Read_Col::Slave_ID - 1], QString("B"));
    QCOMPARE(clipboard[Read_Col::PollTime - 1], QString("BB"));
}

void Tst_Grid_Rows::paste_checks_and_messages_data() {
    QTest::addColumn<bool>("copied");
    QTest::addColumn<int>("clipboard_size"); // -1: a real copy of row 1
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("expected_text"); // 900 question, 901/902 error, 0 nothing shown
    QTest::addColumn<bool>("answer_yes");
    QTest::addColumn<bool>("pasted");
    QTest::newRow("free row, only its Y") << true << -1 << 5 << 0 << false << true;
    QTest::newRow("used row, Yes") << true << -1 << 2 << 900 << true << true;
    QTest::newRow("used row, No") << true << -1 << 2 << 900 << false << false;
    QTest::newRow("not copied") << false << -1 << 5 << 902 << false << false;
    QTest::newRow("wrong length") << true << 14 << 5 << 901 << false << false;
    QTest::newRow("not copied wins over length") << false << 3 << 5 << 902 << false << false;
}

void Tst_Grid_Rows::paste_checks_and_messages() {
    QFETCH(bool, copied);
    QFETCH(int, clipboard_size);
    QFETCH(int, target);
    QFETCH(int, expected_text);
    QFETCH(bool, answer_yes);
    QFETCH(bool, pasted);
    const Text_Table texts;
    Ui_Recorder ui;
    Grid_Texts grid = Letters(2);
    grid.Cell(1, Read_Col::Mnemonic) = QStringLiteral("copied");
    grid.Cell(5, Read_Col::Swap) = QStringLiteral("Y");
    QStringList clipboard;
    Copy_Row(grid, 1, clipboard);
    if (clipboard_size >= 0)
        clipboard = QStringList(clipboard_size, QStringLiteral("x"));
    const Grid_Texts before = grid;
    if (expected_text == 900)
        ui.Expect_Question(answer_yes, texts[900], Ui_Services::Default_Answer::No);
    else if (expected_text != 0)
        ui.Expect_Error(texts[expected_text]);

    QCOMPARE(Paste_Row(grid, target, clipboard, copied, texts, ui), pasted);
    QVERIFY(ui.All_Answered());
    QCOMPARE(ui.Shown().size(), expected_text == 0 ? 0 : 1);
    if (pasted) {
        for (int column = 1; column < grid.Column_Count(); ++column)
            QCOMPARE(grid.Cell(target, column), grid.Cell(1, column));
        QCOMPARE(grid.Cell(target, 0), QString::number(target));
        // The clipboard stays: the same row pastes again.
        QCOMPARE(Check_Paste(grid, 7, clipboard, true), Paste_Check::Paste);
    } else {
        QCOMPARE(grid, before);
    }
}

void Tst_Grid_Rows::jump_target_data() {
    QTest::addColumn<QList<bool>>("visible");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("to_row"); // 0: no move
    QTest::addColumn<int>("to_column");
    // Read table on hardware type 0: Poll Time, Max Error and Start Bit hidden.
    const QList<bool> type_0{true, true, true, true, true, true, false, false, true, false, true, true};
    const QList<bool> all(12, true);
    QTest::newRow("next column") << type_0 << 3 << 2 << 3 << 3;
    QTest::newRow("skips hidden columns") << type_0 << 3 << 5 << 3 << 8;
    QTest::newRow("skips hidden start bit") << type_0 << 3 << 8 << 3 << 10;
    QTest::newRow("last visible to next row") << type_0 << 3 << 11 << 4 << 1;
    QTest::newRow("last row wraps to row 1") << type_0 << 244 << 11 << 1 << 1;
    QTest::newRow("all shown: into poll time") << all << 3 << 5 << 3 << 6;
    QTest::newRow("row number column: no move") << all << 3 << 0 << 0 << 0;
    QTest::newRow("header row: no move") << all << 0 << 3 << 0 << 0;
    const QList<bool> last_hidden{true, true, true, false};
    QTest::newRow("hidden last column") << last_hidden << 2 << 2 << 3 << 1;
}

void Tst_Grid_Rows::jump_target() {
    QFETCH(QList<bool>, visible);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, to_row);
    QFETCH(int, to_column);
    const auto target = Jump_Target({row, column}, Rule_Rows, visible);
    if (to_row == 0) {
        QVERIFY(!target);
    } else {
        QVERIFY(target);
        QCOMPARE(*target, (Grid_Cell{to_row, to_column}));
    }
}

void Tst_Grid_Rows::header_hint_index_counts_visible_columns() {
    const QList<bool> type_0{true, true, true, true, true, true, false, false, true, false, true, true};
    QCOMPARE(Header_Hint_Index(1, type_0), 0);
    QCOMPARE(Header_Hint_Index(8, type_0), 5); // Position is visible column 6
    QCOMPARE(Header_Hint_Index(11, type_0), 7);
    QCOMPARE(Header_Hint_Index(6, type_0), -1);
    QCOMPARE(Header_Hint_Index(0, type_0), -1);
}

QTEST_GUILESS_MAIN(Tst_Grid_Rows)
#include "tst_grid_rows.moc"
