#include "base/text_table.h"
#include "document/cell_values.h"

#include <QTest>

Q_DECLARE_METATYPE(Rule_Table)

// How a flag text from a spreadsheet or a CSV file becomes a check-box cell.
class Tst_Cell_Values : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void flag_data();
    void flag();
    void rule_cell_data();
    void rule_cell();
};

void Tst_Cell_Values::flag_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("cell");

    QTest::newRow("Y") << "Y" << true << "Y";
    QTest::newRow("y") << "y" << true << "Y";
    QTest::newRow("N") << "N" << true << "N";
    QTest::newRow("spreadsheet TRUE") << "TRUE" << true << "Y";
    QTest::newRow("spreadsheet FALSE") << "FALSE" << true << "N";
    QTest::newRow("mixed case true") << "True" << true << "Y";
    QTest::newRow("1") << "1" << true << "Y";
    QTest::newRow("0") << "0" << true << "N";
    QTest::newRow("yes") << "Yes" << true << "Y";
    QTest::newRow("no") << "NO" << true << "N";
    QTest::newRow("x") << "x" << true << "Y";
    QTest::newRow("X with blanks") << " X " << true << "Y";
    QTest::newRow("empty stays empty") << "" << true << "";
    QTest::newRow("blank is empty") << "  " << true << "";
    QTest::newRow("2 is no flag") << "2" << false << "";
    QTest::newRow("on is no flag") << "on" << false << "";
    QTest::newRow("YY is no flag") << "YY" << false << "";
    QTest::newRow("-1 is no flag") << "-1" << false << "";
    QTest::newRow("01 is no flag") << "01" << false << "";
}

void Tst_Cell_Values::flag() {
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(QString, cell);
    const std::optional<QString> flag = Flag_Cell_Text(text);
    QCOMPARE(flag.has_value(), accepted);
    if (accepted)
        QCOMPARE(*flag, cell);
}

void Tst_Cell_Values::rule_cell_data() {
    QTest::addColumn<Rule_Table>("table");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("reason"); // of a refusal
    const Rule_Table R = Rule_Table::Read;
    const Rule_Table W = Rule_Table::Write;
    const QString read_types = "Coil Status, Input Status, Holding Register, Input Register";
    const QString write_types = "Coil Status, Holding Register";

    QTest::newRow("read Type in its spelling")
        << R << int(Read_Col::Type) << "Input Register" << true << "Input Register"
        << "";
    QTest::newRow("read Type lower case, blanks")
        << R << int(Read_Col::Type) << " input register " << true << "Input Register"
        << "";
    QTest::newRow("read Type empty") << R << int(Read_Col::Type) << "" << true << ""
                                     << "";
    QTest::newRow("read Type blank") << R << int(Read_Col::Type) << "  " << true << ""
                                     << "";
    QTest::newRow("read Type xyz") << R << int(Read_Col::Type) << "xyz" << false << ""
                                   << "\"xyz\" is no Type of this table: " + read_types;
    QTest::newRow("read Type Input") << R << int(Read_Col::Type) << "Input" << false << ""
                                     << "\"Input\" is no Type of this table: " + read_types;
    QTest::newRow("read Type Input Reg") << R << int(Read_Col::Type) << "Input Reg" << false << ""
                                         << "\"Input Reg\" is no Type of this table: " + read_types;
    QTest::newRow("write Type coil") << W << int(Write_Col::Type) << "coil" << false << ""
                                     << "\"coil\" is no Type of this table: " + write_types;
    QTest::newRow("write Type Input Status") << W << int(Write_Col::Type) << "Input Status" << false << ""
                                             << "\"Input Status\" is no Type of this table: " + write_types;
    QTest::newRow("write Type holding register")
        << W << int(Write_Col::Type) << "HOLDING REGISTER" << true << "Holding Register"
        << "";
    QTest::newRow("read Enable TRUE") << R << int(Read_Col::Enable) << "TRUE" << true << "Y"
                                      << "";
    QTest::newRow("read Swap 0") << R << int(Read_Col::Swap) << "0" << true << "N"
                                 << "";
    QTest::newRow("write Force F15/F16 x") << W << int(Write_Col::ForceF15F16) << "x" << true << "Y"
                                           << "";
    QTest::newRow("write On Change empty") << W << int(Write_Col::OnChange) << "" << true << ""
                                           << "";
    QTest::newRow("write On CMD maybe")
        << W << int(Write_Col::OnCMD) << "maybe" << false << ""
        << "\"maybe\" is no check box value: Y or N, TRUE or FALSE, YES or NO, "
           "1 or 0, X, or empty";
    QTest::newRow("control characters shown escaped")
        << R << int(Read_Col::Swap) << "a\x1b" << false << ""
        << "\"a\\x1B\" is no check box value: Y or N, TRUE or FALSE, YES or NO, 1 or 0, X, or empty";
    QTest::newRow("text column takes anything")
        << R << int(Read_Col::Mnemonic) << " any Thing " << true << " any Thing "
        << "";
    QTest::newRow("Position kept as it is") << W << int(Write_Col::Address_Profi) << "999" << true << "999"
                                            << "";
}

void Tst_Cell_Values::rule_cell() {
    QFETCH(Rule_Table, table);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(QString, cell);
    QFETCH(QString, reason);
    const std::optional<QString> value = Rule_Cell_Value(table, column, text);
    QCOMPARE(value.has_value(), accepted);
    if (accepted)
        QCOMPARE(*value, cell);
    if (!accepted)
        QCOMPARE(Refused_Value_Reason(Text_Table(), table, column, text), reason);
}

QTEST_GUILESS_MAIN(Tst_Cell_Values)
#include "tst_cell_values.moc"
