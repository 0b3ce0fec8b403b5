#include "document/modbus_types.h"

#include <QTest>

// The one table of Modbus types: what each table offers and how a Type text
// is recognised.
class Tst_Modbus_Types : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void names_offered();
    void recognised_data();
    void recognised();
    void standard_name_data();
    void standard_name();
};

void Tst_Modbus_Types::names_offered() {
    QCOMPARE(Modbus_Type_Names(Rule_Table::Read),
             QStringList({"Coil Status", "Input Status", "Holding Register", "Input Register"}));
    QCOMPARE(Modbus_Type_Names(Rule_Table::Write), QStringList({"Coil Status", "Holding Register"}));
}

void Tst_Modbus_Types::recognised_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("named");    // Modbus_Type_Named
    QTest::addColumn<int>("in_write"); // Modbus_Type_In(Write)

    QTest::newRow("as offered") << "Holding Register" << 3 << 3;
    QTest::newRow("any case") << "cOIL sTATUS" << 1 << 1;
    QTest::newRow("dotless i upper-cases to I") << QString::fromUtf8("co\xc4\xb1l status") << 1 << 1;
    QTest::newRow("read only type") << "input status" << 2 << 0;
    QTest::newRow("input register") << "INPUT REGISTER" << 4 << 0;
    QTest::newRow("blanks are not forgiven") << " Coil Status" << 0 << 0;
    QTest::newRow("unknown") << "Coil" << 0 << 0;
    QTest::newRow("empty") << "" << 0 << 0;
}

void Tst_Modbus_Types::recognised() {
    QFETCH(QString, text);
    QFETCH(int, named);
    QFETCH(int, in_write);
    QCOMPARE(int(Modbus_Type_Named(text)), named);
    QCOMPARE(int(Modbus_Type_In(Rule_Table::Read, text)), named);
    QCOMPARE(int(Modbus_Type_In(Rule_Table::Write, text)), in_write);
}

void Tst_Modbus_Types::standard_name_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("read");  // "" for no type of the read table
    QTest::addColumn<QString>("write"); // "" for no type of the write table

    QTest::newRow("as offered") << "Input Register"
                                << "Input Register"
                                << "";
    QTest::newRow("lower case, blanks around") << "  holding register\t"
                                               << "Holding Register"
                                               << "Holding Register";
    QTest::newRow("coil") << "coil status"
                          << "Coil Status"
                          << "Coil Status";
    QTest::newRow("read-only type in the write table") << "Input Status"
                                                       << "Input Status"
                                                       << "";
    QTest::newRow("first word only") << "Input"
                                     << ""
                                     << "";
    QTest::newRow("cut short") << "Input Reg"
                               << ""
                               << "";
    QTest::newRow("inner blanks count") << "Input  Register"
                                        << ""
                                        << "";
    QTest::newRow("unknown") << "xyz"
                             << ""
                             << "";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
    QTest::newRow("blank") << "   "
                           << ""
                           << "";
}

void Tst_Modbus_Types::standard_name() {
    QFETCH(QString, text);
    QFETCH(QString, read);
    QFETCH(QString, write);
    QCOMPARE(QString(Standard_Type_Name(Rule_Table::Read, text).value_or(QLatin1StringView())), read);
    QCOMPARE(QString(Standard_Type_Name(Rule_Table::Write, text).value_or(QLatin1StringView())), write);
}

QTEST_GUILESS_MAIN(Tst_Modbus_Types)
#include "tst_modbus_types.moc"
