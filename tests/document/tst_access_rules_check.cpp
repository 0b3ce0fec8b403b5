#include "base/text_table.h"
#include "document/access_rules_check.h"
#include "document/access_rules_table.h"

#include <QTest>

Q_DECLARE_METATYPE(Rule_Table)

namespace {

// A valid enabled rule in row `row`: Holding Register, one point at Position
// 0, Poll Time 1000, Max Error 0.
void Put_Valid_Rule(Grid_Texts& grid, Rule_Table table, int row) {
    const bool read = table == Rule_Table::Read;
    grid.Cell(row, 1) = "Y";
    grid.Cell(row, 2) = "1";
    grid.Cell(row, 3) = "Holding Register";
    grid.Cell(row, 4) = "0";
    grid.Cell(row, 5) = "1";
    grid.Cell(row, read ? Read_Col::PollTime : Write_Col::PollTime) = "1000";
    grid.Cell(row, read ? Read_Col::MaxError : Write_Col::MaxError) = "0";
    grid.Cell(row, read ? Read_Col::Address_Profi : Write_Col::Address_Profi) = "0";
}

// "column=text" pairs applied to a row.
void Apply(Grid_Texts& grid, int row, const QStringList& changes) {
    for (const QString& change : changes) {
        const qsizetype equals = change.indexOf(u'=');
        grid.Cell(row, change.left(equals).toInt()) = change.mid(equals + 1);
    }
}

QString C(int column, const QString& text) {
    return QString::number(column) + u'=' + text;
}

} // namespace

class Tst_Access_Rules_Check : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void one_rule_data();
    void one_rule();
    void table_ends_at_blank_slave_id();
    void disabled_rules_are_skipped_data();
    void disabled_rules_are_skipped();
    void read_table_comes_first_and_rows_count();
    void message_joins_texts_row_and_bound();
    void last_byte_examples_data();
    void last_byte_examples();
    void position_items();
    void lost_rows_ignore_check_boxes();
};

void Tst_Access_Rules_Check::one_rule_data() {
    QTest::addColumn<Rule_Table>("table");
    QTest::addColumn<int>("hardware_type");
    QTest::addColumn<int>("area_bytes");
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<int>("text_index"); // 0: passes
    QTest::addColumn<int>("bound");      // -1: none
    const Rule_Table R = Rule_Table::Read;
    const Rule_Table W = Rule_Table::Write;
    using namespace Read_Col;

    QTest::newRow("read valid, type 0") << R << 0 << 244 << QStringList{} << 0 << -1;
    QTest::newRow("read valid, type 1") << R << 1 << 244 << QStringList{} << 0 << -1;
    // 1 Slave ID
    QTest::newRow("slave abc") << R << 0 << 244 << QStringList{C(Slave_ID, "abc")} << 669 << -1;
    QTest::newRow("slave 0") << R << 0 << 244 << QStringList{C(Slave_ID, "0")} << 669 << -1;
    QTest::newRow("slave 248") << R << 0 << 244 << QStringList{C(Slave_ID, "248")} << 669 << -1;
    QTest::newRow("slave '12 '") << R << 0 << 244 << QStringList{C(Slave_ID, "12 ")} << 669 << -1;
    QTest::newRow("slave ' 12'") << R << 0 << 244 << QStringList{C(Slave_ID, " 12")} << 0 << -1;
    QTest::newRow("slave 247") << R << 0 << 244 << QStringList{C(Slave_ID, "247")} << 0 << -1;
    QTest::newRow("slave and type bad: slave first")
        << R << 0 << 244 << QStringList{C(Slave_ID, "0"), C(Type, "")} << 669 << -1;
    // 2 Type
    QTest::newRow("type empty") << R << 0 << 244 << QStringList{C(Type, "")} << 670 << -1;
    QTest::newRow("type blanks") << R << 0 << 244 << QStringList{C(Type, "  ")} << 670 << -1;
    QTest::newRow("type unknown") << R << 0 << 244 << QStringList{C(Type, "xyz")} << 670 << -1;
    QTest::newRow("type a word of a name") << R << 0 << 244 << QStringList{C(Type, "Input")} << 670 << -1;
    QTest::newRow("type cut short") << R << 0 << 244 << QStringList{C(Type, "Input Reg")} << 670 << -1;
    QTest::newRow("type lower case with blanks")
        << R << 0 << 244 << QStringList{C(Type, " input register ")} << 0 << -1;
    QTest::newRow("type unknown, slave bad: slave first")
        << R << 0 << 244 << QStringList{C(Slave_ID, "0"), C(Type, "xyz")} << 669 << -1;
    // 3 Address
    QTest::newRow("address -1") << R << 0 << 244 << QStringList{C(Address_Mod, "-1")} << 671 << -1;
    QTest::newRow("address 65536") << R << 0 << 244 << QStringList{C(Address_Mod, "65536")} << 671 << -1;
    QTest::newRow("address 65535") << R << 0 << 244 << QStringList{C(Address_Mod, "65535")} << 0 << -1;
    QTest::newRow("address empty") << R << 0 << 244 << QStringList{C(Address_Mod, "")} << 671 << -1;
    // 4 NPoint
    QTest::newRow("coil 2000 passes npoint, too long for the area")
        << R << 0 << 244 << QStringList{C(Type, "Coil Status"), C(NPoint, "2000")} << 677 << -1;
    QTest::newRow("coil 2000 in a big area")
        << R << 0 << 1000 << QStringList{C(Type, "Coil Status"), C(NPoint, "2000")} << 0 << -1;
    QTest::newRow("coil 2001") << R << 0 << 1000 << QStringList{C(Type, "Coil Status"), C(NPoint, "2001")}
                               << 672 << 2000;
    QTest::newRow("input status lower case with blanks 2001")
        << R << 0 << 1000 << QStringList{C(Type, " input status "), C(NPoint, "2001")} << 672 << 2000;
    QTest::newRow("holding 125") << R << 0 << 250 << QStringList{C(NPoint, "125")} << 0 << -1;
    QTest::newRow("holding 126") << R << 0 << 244 << QStringList{C(NPoint, "126")} << 672 << 125;
    QTest::newRow("input register 0")
        << R << 0 << 244 << QStringList{C(Type, "Input Register"), C(NPoint, "0")} << 672 << 125;
    QTest::newRow("unknown type refused before its points")
        << R << 0 << 244 << QStringList{C(Type, "Foo"), C(NPoint, "126")} << 670 << -1;
    // 5, 6 Poll Time and Max Error only on hardware type 1
    QTest::newRow("poll 999, type 1") << R << 1 << 244 << QStringList{C(PollTime, "999")} << 673 << -1;
    QTest::newRow("poll 100000001, type 1")
        << R << 1 << 244 << QStringList{C(PollTime, "100000001")} << 673 << -1;
    QTest::newRow("poll 100000000, type 1")
        << R << 1 << 244 << QStringList{C(PollTime, "100000000")} << 0 << -1;
    QTest::newRow("poll 5, type 0") << R << 0 << 244 << QStringList{C(PollTime, "5")} << 0 << -1;
    QTest::newRow("poll 5, type 2") << R << 2 << 244 << QStringList{C(PollTime, "5")} << 0 << -1;
    QTest::newRow("max error -1, type 1") << R << 1 << 244 << QStringList{C(MaxError, "-1")} << 674 << -1;
    QTest::newRow("max error x, type 0") << R << 0 << 244 << QStringList{C(MaxError, "x")} << 0 << -1;
    QTest::newRow("poll and position bad: poll first")
        << R << 1 << 244 << QStringList{C(PollTime, "1"), C(Address_Profi, "300")} << 673 << -1;
    // 7 Position
    QTest::newRow("position 244") << R << 0 << 244 << QStringList{C(Address_Profi, "244")} << 675 << 243;
    QTest::newRow("position 10 of 10") << R << 0 << 10 << QStringList{C(Address_Profi, "10")} << 675 << 9;
    QTest::newRow("position empty") << R << 0 << 244 << QStringList{C(Address_Profi, "")} << 675 << 243;
    // 8 Start Bit: only for bit types on hardware type 1, only whether empty
    QTest::newRow("input status, empty bit, type 1")
        << R << 1 << 244 << QStringList{C(Type, "Input Status"), C(Bit, "")} << 676 << -1;
    QTest::newRow("holding, empty bit, type 1") << R << 1 << 244 << QStringList{C(Bit, "")} << 0 << -1;
    QTest::newRow("coil, empty bit, type 0")
        << R << 0 << 244 << QStringList{C(Type, "Coil Status")} << 0 << -1;
    QTest::newRow("coil, bit 9, type 1")
        << R << 1 << 244 << QStringList{C(Type, "Coil Status"), C(Bit, "9")} << 0 << -1;
    // 9 Bytes occupied, with the examples of an area of 244 bytes
    QTest::newRow("holding 240 x 2") << R << 0 << 244 << QStringList{C(Address_Profi, "240"), C(NPoint, "2")}
                                     << 0 << -1;
    QTest::newRow("holding 240 x 3") << R << 0 << 244 << QStringList{C(Address_Profi, "240"), C(NPoint, "3")}
                                     << 677 << -1;
    QTest::newRow("input status 243 x 8, type 0")
        << R << 0 << 244 << QStringList{C(Type, "Input Status"), C(Address_Profi, "243"), C(NPoint, "8")} << 0
        << -1;
    QTest::newRow("input status 243 x 8 bit 0, type 1")
        << R << 1 << 244
        << QStringList{C(Type, "Input Status"), C(Address_Profi, "243"), C(NPoint, "8"), C(Bit, "0")} << 0
        << -1;
    QTest::newRow("input status 243 x 8 bit 1, type 1")
        << R << 1 << 244
        << QStringList{C(Type, "Input Status"), C(Address_Profi, "243"), C(NPoint, "8"), C(Bit, "1")} << 677
        << -1;
    QTest::newRow("input status 243 x 8 bit 1, type 0: bit not consulted")
        << R << 0 << 244
        << QStringList{C(Type, "Input Status"), C(Address_Profi, "243"), C(NPoint, "8"), C(Bit, "1")} << 0
        << -1;
    QTest::newRow("area 10: holding 8 x 1") << R << 0 << 10 << QStringList{C(Address_Profi, "8")} << 0 << -1;
    QTest::newRow("area 10: holding 8 x 2")
        << R << 0 << 10 << QStringList{C(Address_Profi, "8"), C(NPoint, "2")} << 677 << -1;

    // Write rules
    using namespace Write_Col;
    QTest::newRow("write valid, type 1") << W << 1 << 244 << QStringList{} << 0 << -1;
    QTest::newRow("write slave 248") << W << 0 << 244 << QStringList{C(Write_Col::Slave_ID, "248")} << 679
                                     << -1;
    QTest::newRow("write type empty") << W << 0 << 244 << QStringList{C(Write_Col::Type, "")} << 680 << -1;
    QTest::newRow("write address 70000")
        << W << 0 << 244 << QStringList{C(Write_Col::Address_Mod, "70000")} << 681 << -1;
    QTest::newRow("write coil 1968") << W << 0 << 1000
                                     << QStringList{C(Write_Col::Type, "Coil Status"),
                                                    C(Write_Col::NPoint, "1968")}
                                     << 0 << -1;
    QTest::newRow("write coil 1969") << W << 0 << 1000
                                     << QStringList{C(Write_Col::Type, "Coil Status"),
                                                    C(Write_Col::NPoint, "1969")}
                                     << 682 << 1968;
    QTest::newRow("write holding 124")
        << W << 0 << 244 << QStringList{C(Write_Col::NPoint, "124")} << 682 << 123;
    QTest::newRow("write input status refused")
        << W << 0 << 244 << QStringList{C(Write_Col::Type, "Input Status"), C(Write_Col::NPoint, "124")}
        << 680 << -1;
    QTest::newRow("write input register refused")
        << W << 0 << 244 << QStringList{C(Write_Col::Type, "Input Register")} << 680 << -1;
    QTest::newRow("write coil in lower case")
        << W << 0 << 244 << QStringList{C(Write_Col::Type, "coil status"), C(Write_Col::Bit, "0")} << 0 << -1;
    QTest::newRow("write unknown type")
        << W << 0 << 244 << QStringList{C(Write_Col::Type, "coil")} << 680 << -1;
    QTest::newRow("write poll 0, type 1")
        << W << 1 << 244 << QStringList{C(Write_Col::PollTime, "0")} << 0 << -1;
    QTest::newRow("write poll -1, type 1")
        << W << 1 << 244 << QStringList{C(Write_Col::PollTime, "-1")} << 683 << -1;
    QTest::newRow("write max error in column 9")
        << W << 1 << 244 << QStringList{C(Write_Col::MaxError, "")} << 684 << -1;
    QTest::newRow("write position 40 of 32")
        << W << 0 << 32 << QStringList{C(Write_Col::Address_Profi, "40")} << 685 << 31;
    QTest::newRow("write coil, empty bit, type 1")
        << W << 1 << 244 << QStringList{C(Write_Col::Type, "Coil Status")} << 686 << -1;
    QTest::newRow("write coil, bit in column 11, type 1")
        << W << 1 << 244 << QStringList{C(Write_Col::Type, "Coil Status"), C(Write_Col::Bit, "0")} << 0 << -1;
    QTest::newRow("write holding 243 x 1")
        << W << 0 << 244 << QStringList{C(Write_Col::Address_Profi, "243")} << 687 << -1;
}

void Tst_Access_Rules_Check::one_rule() {
    QFETCH(Rule_Table, table);
    QFETCH(int, hardware_type);
    QFETCH(int, area_bytes);
    QFETCH(QStringList, changes);
    QFETCH(int, text_index);
    QFETCH(int, bound);

    Grid_Texts read = New_Rule_Grid(Rule_Table::Read);
    Grid_Texts write = New_Rule_Grid(Rule_Table::Write);
    Grid_Texts& grid = table == Rule_Table::Read ? read : write;
    Put_Valid_Rule(grid, table, 4);
    Apply(grid, 4, changes);
    // Rows 1 to 3 hold valid rules so the failing rule is not the first row.
    for (int row = 1; row <= 3; ++row)
        Put_Valid_Rule(grid, table, row);
    Rules_Limits limits{hardware_type, 244, 244};
    (table == Rule_Table::Read ? limits.NByte_IN : limits.NByte_OUT) = area_bytes;

    const auto failure = Check_Access_Rules(read, write, limits);
    if (text_index == 0) {
        QVERIFY2(!failure, failure ? qPrintable(QString::number(failure->Text_Index)) : "");
        return;
    }
    QVERIFY(failure);
    QCOMPARE(failure->Text_Index, text_index);
    QCOMPARE(failure->Row, 4);
    QCOMPARE(failure->Table, table);
    QCOMPARE(failure->Bound.value_or(-1), bound);
}

void Tst_Access_Rules_Check::table_ends_at_blank_slave_id() {
    Grid_Texts read = New_Rule_Grid(Rule_Table::Read);
    Grid_Texts write = New_Rule_Grid(Rule_Table::Write);
    Put_Valid_Rule(read, Rule_Table::Read, 1);
    Put_Valid_Rule(read, Rule_Table::Read, 2);
    read.Cell(2, Read_Col::Slave_ID) = "   ";
    read.Cell(3, Read_Col::Slave_ID) = "0"; // after the end: neither checked nor saved
    QVERIFY(!Check_Access_Rules(read, write, {}));
    QCOMPARE(Table_End_Row(read), 2);
    // Row 2 ends the table, and its Type, Address and the rest are lost on a
    // save like those of row 3.
    QCOMPARE(First_Row_Lost_On_Save(read), 2);
    read.Cell(2, Read_Col::Type) = "";
    read.Cell(2, Read_Col::Address_Mod) = "";
    read.Cell(2, Read_Col::NPoint) = "";
    read.Cell(2, Read_Col::Address_Profi) = "";
    read.Cell(2, Read_Col::PollTime) = "";
    QCOMPARE(First_Row_Lost_On_Save(read), 2); // a Max Error alone is data too
    read.Cell(2, Read_Col::MaxError) = "";
    QCOMPARE(First_Row_Lost_On_Save(read), 3); // only its Enable box left
    QCOMPARE(Table_End_Row(write), 1);
}

void Tst_Access_Rules_Check::disabled_rules_are_skipped_data() {
    QTest::addColumn<QString>("enable");
    QTest::addColumn<bool>("checked");
    QTest::newRow("N") << "N" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("lower y") << "y" << false;
    QTest::newRow("Y") << "Y" << true;
    QTest::newRow("Y with blanks") << " Y " << true;
}

void Tst_Access_Rules_Check::disabled_rules_are_skipped() {
    QFETCH(QString, enable);
    QFETCH(bool, checked);
    Grid_Texts read = New_Rule_Grid(Rule_Table::Read);
    read.Cell(1, Read_Col::Enable) = enable;
    read.Cell(1, Read_Col::Slave_ID) = "0"; // and no Type
    const auto failure = Check_Access_Rules(read, New_Rule_Grid(Rule_Table::Write), {});
    QCOMPARE(bool(failure), checked);
}

void Tst_Access_Rules_Check::read_table_comes_first_and_rows_count() {
    Grid_Texts read = New_Rule_Grid(Rule_Table::Read);
    Grid_Texts write = New_Rule_Grid(Rule_Table::Write);
    for (int row = 1; row <= 12; ++row)
        Put_Valid_Rule(read, Rule_Table::Read, row);
    read.Cell(12, Read_Col::NPoint) = "0";
    Put_Valid_Rule(write, Rule_Table::Write, 1);
    write.Cell(1, Write_Col::Slave_ID) = "0";
    auto failure = Check_Access_Rules(read, write, {});
    QVERIFY(failure);
    QCOMPARE(*failure, Rule_Check_Failure(Rule_Table::Read, 12, 672, 125));
    read.Cell(12, Read_Col::NPoint) = "1";
    failure = Check_Access_Rules(read, write, {});
    QVERIFY(failure);
    QCOMPARE(*failure, Rule_Check_Failure(Rule_Table::Write, 1, 679));
}

void Tst_Access_Rules_Check::message_joins_texts_row_and_bound() {
    const Text_Table texts;
    QCOMPARE(Check_Failure_Message(texts, Rule_Check_Failure(Rule_Table::Read, 12, 669)),
             QString("Error row 12!! [Modbus Read] Slave ID must be between 1 and 247"));
    QCOMPARE(Check_Failure_Message(texts, Rule_Check_Failure(Rule_Table::Read, 3, 672, 2000)),
             QString("Error row 3!! [Modbus Read] NPoint must be between 1 and 2000"));
    QCOMPARE(Check_Failure_Message(texts, Rule_Check_Failure(Rule_Table::Write, 7, 685, 31)),
             QString("Error row 7!! [Modbus Write] Position must be between 0 and 31"));
}

void Tst_Access_Rules_Check::last_byte_examples_data() {
    QTest::addColumn<bool>("bit_type");
    QTest::addColumn<int>("hardware_type");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("start_bit");
    QTest::addColumn<long long>("last");
    QTest::newRow("registers") << false << 0 << 240 << 3 << 0 << 245LL;
    QTest::newRow("bits from bit 0") << true << 0 << 243 << 8 << 5 << 243LL;
    QTest::newRow("bits from start bit") << true << 1 << 243 << 8 << 1 << 244LL;
    QTest::newRow("huge start bit does not overflow") << true << 1 << 0 << 1 << 2147483647 << 268435455LL;
    QTest::newRow("huge register count does not overflow")
        << false << 2147483647 << 2147483647 << 1 << 0 << 2147483648LL;
}

void Tst_Access_Rules_Check::last_byte_examples() {
    QFETCH(bool, bit_type);
    QFETCH(int, hardware_type);
    QFETCH(int, position);
    QFETCH(int, points);
    QFETCH(int, start_bit);
    QFETCH(long long, last);
    QCOMPARE(Last_Byte_Occupied(bit_type, hardware_type, position, points, start_bit), last);
}

void Tst_Access_Rules_Check::position_items() {
    QCOMPARE(Position_Items(10), (QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
    QVERIFY(Position_Items(0).isEmpty());
    QVERIFY(Position_Items(-5).isEmpty());
    QCOMPARE(Position_Items(244).size(), 244);
    QCOMPARE(Position_Items(244).last(), QString("243"));
}

void Tst_Access_Rules_Check::lost_rows_ignore_check_boxes() {
    Grid_Texts write = New_Rule_Grid(Rule_Table::Write);
    Put_Valid_Rule(write, Rule_Table::Write, 1);
    for (int row = 2; row <= Rule_Rows; ++row) {
        write.Cell(row, Write_Col::OnCMD) = "N";
        write.Cell(row, Write_Col::Swap) = "Y";
    }
    QCOMPARE(First_Row_Lost_On_Save(write), 0);
    write.Cell(9, Write_Col::Mnemonic) = "pump";
    QCOMPARE(First_Row_Lost_On_Save(write), 9);
}

QTEST_GUILESS_MAIN(Tst_Access_Rules_Check)
#include "tst_access_rules_check.moc"
