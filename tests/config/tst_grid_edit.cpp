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
    void paste_columns_data();
    void paste_columns();
    void whole_rows_copy_and_paste_back_hidden_columns_included();
    void taking_pasted_cells_data();
    void taking_pasted_cells();
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
    // Spreadsheet spellings of a flag count as that flag.
    Paste_Tsv(grid, 1, {1, 3}, Parse_Tsv("FALSE\to\nY\tp\n\tq\nyes\tr\n y \n"));
    QCOMPARE(grid.Row(1), (QStringList{"1", "N", "a1", "o"}));
    QCOMPARE(grid.Row(2), (QStringList{"2", "Y", "a2", "p"}));
    QCOMPARE(grid.Row(3), (QStringList{"3", "", "a3", "q"}));
    QCOMPARE(grid.Row(4), (QStringList{"4", "Y", "a4", "r"}));
    QCOMPARE(grid.Row(5), (QStringList{"5", "Y", "a5", "b5"}));
    // A text that is no flag never turns the box off.
    Paste_Tsv(grid, 2, {1}, Parse_Tsv("maybe\n"));
    QCOMPARE(grid.Cell(2, 1), QString("Y"));
}

void Tst_Grid_Edit::paste_columns_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("columns");
    // Shown from the current column: 3 only (column 2 hidden).
    QTest::newRow("whole rows: every data column") << "Y\tp\tq\nN\tr\ts\n" << QList<int>{1, 2, 3};
    QTest::newRow("one cell: shown columns") << "p\n" << QList<int>{3};
    QTest::newRow("rows of different length: shown columns") << "Y\tp\tq\nr\n" << QList<int>{3};
    QTest::newRow("more cells than data columns: shown columns") << "a\tb\tc\td\n" << QList<int>{3};
}

void Tst_Grid_Edit::paste_columns() {
    QFETCH(QString, text);
    QFETCH(QList<int>, columns);
    QCOMPARE(Tsv_Paste_Columns(Small_Grid(), Parse_Tsv(text), {3}), columns);
}

void Tst_Grid_Edit::whole_rows_copy_and_paste_back_hidden_columns_included() {
    const Grid_Texts source = Small_Grid();
    const QString copied = Cells_To_Tsv(source, {2, 3}, All_Data_Columns(source));
    QCOMPARE(copied, QString("Y\ta2\tb2\nY\ta3\tb3\n"));
    Grid_Texts grid = Grid_Texts(5, 4);
    grid.Check_Columns[1] = true;
    const QList<QStringList> cells = Parse_Tsv(copied);
    Paste_Tsv(grid, 4, Tsv_Paste_Columns(grid, cells, {3}), cells);
    QCOMPARE(grid.Row(4), (QStringList{"4", "Y", "a2", "b2"}));
    QCOMPARE(grid.Row(5), (QStringList{"5", "Y", "a3", "b3"}));
}

void Tst_Grid_Edit::taking_pasted_cells_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("taken");   // the cells after taking them, as TSV
    QTest::addColumn<int>("refused_row"); // 0: none refused
    QTest::addColumn<int>("refused_column");
    QTest::addColumn<QString>("refused_text");
    // Column 3 takes upper case of "a" or "b" only; column 2 anything.
    QTest::newRow("all taken") << "x\ta\ny\tB\n"
                               << "x\tA\ny\tB\n"
                               << 0 << 0 << "";
    QTest::newRow("second row refused") << "x\ta\ny\tc\n"
                                        << "x\ta\ny\tc\n"
                                        << 3 << 3 << "c";
    QTest::newRow("first refused cell in row order") << "x\tq\ny\tc\n"
                                                     << "x\tq\ny\tc\n"
                                                     << 2 << 3 << "q";
}

void Tst_Grid_Edit::taking_pasted_cells() {
    QFETCH(QString, text);
    QFETCH(QString, taken);
    QFETCH(int, refused_row);
    QFETCH(int, refused_column);
    QFETCH(QString, refused_text);
    const Cell_Intake intake = [](int column, const QString& cell) -> std::optional<QString> {
        if (column != 3)
            return cell;
        if (cell.compare("a", Qt::CaseInsensitive) == 0 || cell.compare("b", Qt::CaseInsensitive) == 0)
            return cell.toUpper();
        return std::nullopt;
    };
    QList<QStringList> cells = Parse_Tsv(text);
    const std::optional<Refused_Cell> refused = Take_Pasted_Cells(2, {2, 3}, cells, intake);
    QCOMPARE(refused.has_value(), refused_row != 0);
    if (refused)
        QCOMPARE(*refused, (Refused_Cell{refused_row, refused_column, refused_text}));
    // Refused: the cells stay as they came.
    QCOMPARE(cells, Parse_Tsv(taken));
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
