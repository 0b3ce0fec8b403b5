#include "base/text_table.h"

#include <QTest>

class Tst_Text_Defaults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaults_data();
    void defaults();
    void free_slots_hold_a_blank();
};

void Tst_Text_Defaults::defaults_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << "Begin";
    QTest::newRow("9 keeps its trailing blank") << 9 << "None Configuration Opened ";
    QTest::newRow("18") << 18 << "Error! Project not Valid";
    QTest::newRow("31 standard button") << 31 << "Yes";
    QTest::newRow("41 keeps its trailing blank") << 41 << "Reason: ";
    QTest::newRow("106") << 106 << "Error! Name project is not valid because directory already exists";
    QTest::newRow("305 keeps its trailing blank") << 305 << "Page ";
    QTest::newRow("904") << 904
                         << "Error! Please set the Set Communication Parameter before to create the GSD file";
}

void Tst_Text_Defaults::defaults() {
    QFETCH(int, index);
    QFETCH(QString, text);
    const Text_Table table;
    QCOMPARE(table.Count(), 1000);
    QCOMPARE(table[index], text);
}

void Tst_Text_Defaults::free_slots_hold_a_blank() {
    const Text_Table table;
    for (int index : {49, 99, 111, 599, 642, 653, 699, 714, 869, 920, 925})
        QCOMPARE(table[index], QString(" "));
    QCOMPARE(table[1000], QString());
    QCOMPARE(table[-1], QString());
}

QTEST_GUILESS_MAIN(Tst_Text_Defaults)
#include "tst_text_defaults.moc"
