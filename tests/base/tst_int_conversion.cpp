#include "base/int_conversion.h"

#include <QTest>

class Tst_Int_Conversion : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void conversion_data();
    void conversion();
};

void Tst_Int_Conversion::conversion_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected"); // with the default -1

    QTest::newRow("decimal") << "244" << 244;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("leading zeros") << "007" << 7;
    QTest::newRow("negative") << "-12" << -12;
    QTest::newRow("plus sign") << "+12" << 12;
    QTest::newRow("leading blanks") << "   12" << 12;
    QTest::newRow("blanks then sign") << "  -5" << -5;
    QTest::newRow("trailing blank") << "12 " << -1;
    QTest::newRow("blank inside") << "1 2" << -1;
    QTest::newRow("blank after sign") << "- 5" << -1;
    QTest::newRow("dollar hex") << "$1F" << 31;
    QTest::newRow("x hex") << "x10" << 16;
    QTest::newRow("X hex") << "X10" << 16;
    QTest::newRow("0x hex") << "0x7b" << 123;
    QTest::newRow("0X hex") << "0XFF" << 255;
    QTest::newRow("negative hex") << "-$10" << -16;
    QTest::newRow("hex int max") << "$7FFFFFFF" << 2147483647;
    QTest::newRow("hex int max with 0x") << "0x7fffffff" << 2147483647;
    QTest::newRow("hex int min") << "-$80000000" << int(-2147483647 - 1);
    QTest::newRow("hex just past int max") << "$80000000" << -1;
    QTest::newRow("hex just past int min") << "-$80000001" << -1;
    QTest::newRow("hex all ones is no -1") << "$FFFFFFFF" << -1;
    QTest::newRow("negative hex all ones is no 1") << "-$FFFFFFFF" << -1;
    QTest::newRow("hex too wide") << "$100000000" << -1;
    QTest::newRow("hex prefix only") << "$" << -1;
    QTest::newRow("0x prefix only") << "0x" << -1;
    QTest::newRow("hex digit in decimal") << "1F" << -1;
    QTest::newRow("int max") << "2147483647" << 2147483647;
    QTest::newRow("int min") << "-2147483648" << int(-2147483647 - 1);
    QTest::newRow("overflow") << "2147483648" << -1;
    QTest::newRow("underflow") << "-2147483649" << -1;
    QTest::newRow("long overflow") << "99999999999999999999" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("blanks only") << "   " << -1;
    QTest::newRow("sign only") << "-" << -1;
    QTest::newRow("word") << "abc" << -1;
    QTest::newRow("fraction") << "1.5" << -1;
    QTest::newRow("tab is not a blank") << "\t12" << -1;
}

void Tst_Int_Conversion::conversion() {
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(Str_To_Int_Def(text, -1), expected);
    // No row expects a real -1, so -1 marks the texts that are no integer.
    int value = 0;
    const bool valid = Try_Str_To_Int(text, value);
    QCOMPARE(valid, expected != -1);
    if (valid)
        QCOMPARE(value, expected);
}

QTEST_GUILESS_MAIN(Tst_Int_Conversion)
#include "tst_int_conversion.moc"
