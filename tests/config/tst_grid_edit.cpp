#include "config/grid_edit.h"

#include <QTest>

// Clearing, tab-separated copy and paste, moving and deleting rows on a small
// grid: 5 data rows, column 0 the row number, column 1 a check box, columns 2
// and 3 text.
namespace {

Grid_Texts Small_Grid() {
    Grid_Texts grid(5, 4);
    grid.Check_Columns[1] = true;
    grid.Set_Row(0, {"N", "On", "A", "B"});
    for (int row = 1; row <= 5; ++row)
        grid.Set_Row(row, {QString::number(row), "Y", QString("a%1").arg(row), QString("b%1").arg(row)});
    return grid;
}

} // namespace

class Tst_Grid_Edit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void clear_cells_data();
    void clear_cells();
    void tsv_of_cells_reads_back();
    void parse_tsv_data();
    void parse_tsv();
    void paste_fit_data();
    void paste_fit();
    void paste_writes_check_boxes_as_copied();
    void move_row_data();
    void move_row();
    void delete_rows_any_order();
    void same_data_rows_ignores_the_header();
};

void Tst_Grid_Edit::clear_cells_data() {
    QTest::addColumn<bool>("check_boxes");
    QTest::addColumn<QStringList>("row_2");
    QTest::addColumn<bool>("changed");
    QTest::newRow("Del: check box too") << true << QStringList{"2", "N", "", ""} << true;
    QTest::newRow("Backspace: text only") << false << QStringList{"2", "Y", "", ""} << true;
}

void Tst_Grid_Edit::clear_cells() {
    QFETCH(bool, check_boxes);
    QFETCH(QStringList, row_2);
    QFETCH(bool, changed);
    Grid_Texts grid = Small_Grid();
    // Column 0, the header row and cells outside the grid are never cleared.
    const QList<Grid_Cell> cells = {{2, 0}, {2, 1}, {2, 2}, {2, 3}, {0, 2}, {9, 2}, {2, 7}};
    QCOMPARE(Clear_Cells(grid, cells, check_boxes), changed);
    QCOMPARE(grid.Row(2), row_2);
    QCOMPARE(grid.Row(0), Small_Grid().Row(0));
    QCOMPARE(grid.Row(3), Small_Grid().Row(3));
    // Clearing again changes nothing.
    QVERIFY(!Clear_Cells(grid, cells, check_boxes));
}

void Tst_Grid_Edit::tsv_of_cells_reads_back() {
    Grid_Texts grid = Small_Grid();
    grid.Cell(3, 3) = "tab\there\nline";
    const QString text = Cells_To_Tsv(grid, {2, 3}, {1, 3});
    QCOMPARE(text, QString("Y\tb2\nY\ttab here line\n"));
    QCOMPARE(Parse_Tsv(text), (QList<QStringList>{{"Y", "b2"}, {"Y", "tab here line"}}));
}

void Tst_Grid_Edit::parse_tsv_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::newRow("empty") << "" << QList<QStringList>{};
    QTest::newRow("one cell, no row end") << "7" << QList<QStringList>{{"7"}};
    QTest::newRow("spreadsheet CRLF") << "1\t2\r\n3\t4\r\n" << QList<QStringList>{{"1", "2"}, {"3", "4"}};
    QTest::newRow("empty cells kept") << "\t\n\tx\n" << QList<QStringList>{{"", ""}, {"", "x"}};
    QTest::newRow("an empty last row before the end") << "a\n\n" << QList<QStringList>{{"a"}, {""}};
    QTest::newRow("CR alone") << "a\rb" << QList<QStringList>{{"a"}, {"b"}};
}

void Tst_Grid_Edit::parse_tsv() {
    QFETCH(QString, text);
    QFETCH(QList<QStringList>, rows);
    QCOMPARE(Parse_Tsv(text), rows);
}

void Tst_Grid_Edit::paste_fit_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("fit");
    QTest::newRow("last row exactly") << 4 << "x\ny" << int(Tsv_Fit::Fits);
    QTest::newRow("one row past the end") << 5 << "x\ny" << int(Tsv_Fit::Past_Last_Row);
    QTest::newRow("all columns") << 1 << "Y\tx\ty" << int(Tsv_Fit::Fits);
    QTest::newRow("one column past the end") << 1 << "a\nY\tx\ty\tz" << int(Tsv_Fit::Past_Last_Column);
}

void Tst_Grid_Edit::paste_fit() {
    QFETCH(int, row);
    QFETCH(QString, text);
    QFETCH(int, fit);
    QCOMPARE(int(Check_Tsv_Paste(Small_Grid(), row, {1, 2, 3}, Parse_Tsv(text))), fit);
}

void Tst_Grid_Edit::paste_writes_check_boxes_as_copied() {
    Grid_Texts grid = Small_Grid();
    // Column 2 skipped (hidden): the second cell of a row goes to column 3.
    Paste_Tsv(grid, 2, {1, 3}, Parse_Tsv("Y\tp\n\tq\nyes\tr\n y \n"));
    QCOMPARE(grid.Row(2), (QStringList{"2", "Y", "a2", "p"}));
    QCOMPARE(grid.Row(3), (QStringList{"3", "", "a3", "q"}));
    QCOMPARE(grid.Row(4), (QStringList{"4", "N", "a4", "r"}));
    QCOMPARE(grid.Row(5), (QStringList{"5", "Y", "a5", "b5"}));
}

void Tst_Grid_Edit::move_row_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("delta");
    QTest::addColumn<bool>("moved");
    QTest::addColumn<QString>("row_2_now");
    QTest::newRow("2 up") << 2 << -1 << true << "a1";
    QTest::newRow("2 down") << 2 << 1 << true << "a3";
    QTest::newRow("first up") << 1 << -1 << false << "a2";
    QTest::newRow("last down") << 5 << 1 << false << "a2";
}

void Tst_Grid_Edit::move_row() {
    QFETCH(int, row);
    QFETCH(int, delta);
    QFETCH(bool, moved);
    QFETCH(QString, row_2_now);
    Grid_Texts grid = Small_Grid();
    QCOMPARE(Move_Row(grid, row, delta), moved);
    QCOMPARE(grid.Cell(2, 2), row_2_now);
    // Row numbers stay where they are.
    for (int r = 1; r <= 5; ++r)
        QCOMPARE(grid.Cell(r, 0), QString::number(r));
}

void Tst_Grid_Edit::delete_rows_any_order() {
    Grid_Texts grid = Small_Grid();
    Delete_Rows(grid, {4, 2, 4});
    QCOMPARE(grid.Row(1), Small_Grid().Row(1));
    QCOMPARE(grid.Row(2), (QStringList{"2", "Y", "a3", "b3"}));
    QCOMPARE(grid.Row(3), (QStringList{"3", "Y", "a5", "b5"}));
    QCOMPARE(grid.Row(4), (QStringList{"4", "", "", ""}));
    QCOMPARE(grid.Row(5), (QStringList{"5", "", "", ""}));
}

void Tst_Grid_Edit::same_data_rows_ignores_the_header() {
    Grid_Texts a = Small_Grid();
    Grid_Texts b = Small_Grid();
    b.Cell(0, 2) = "other language";
    QVERIFY(Same_Data_Rows(a, b));
    b.Cell(5, 3) = "changed";
    QVERIFY(!Same_Data_Rows(a, b));
    QVERIFY(!Same_Data_Rows(a, Grid_Texts(4, 4)));
}

QTEST_GUILESS_MAIN(Tst_Grid_Edit)
#include "tst_grid_edit.moc"
