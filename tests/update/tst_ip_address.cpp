#include "base/com_ports.h"
#include "update/ip_address.h"
#include "update_fakes.h"

#include <QTest>

class Tst_Ip_Address : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void split_data();
    void split();
    void com_ports_in_order();
};

void Tst_Ip_Address::split_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QStringList>("parts");
    QTest::newRow("plain") << "192.168.2.205" << true << QStringList{"192", "168", "2", "205"};
    QTest::newRow("blanks around parts") << " 10 . 0 . 0 . 7 " << true << QStringList{"10", "0", "0", "7"};
    QTest::newRow("tab and newline around") << "\t1.2.3.4\r\n" << true << QStringList{"1", "2", "3", "4"};
    QTest::newRow("bounds") << "0.0.255.255" << true << QStringList{"0", "0", "255", "255"};
    QTest::newRow("hex part") << "$0A.0.0.1" << true << QStringList{"$0A", "0", "0", "1"};
    QTest::newRow("three parts") << "10.0.0" << false << QStringList{};
    QTest::newRow("256") << "10.0.0.256" << false << QStringList{};
    QTest::newRow("five parts") << "1.2.3.4.5" << false << QStringList{};
    QTest::newRow("no dot") << "localhost" << false << QStringList{};
    QTest::newRow("empty") << "" << false << QStringList{};
    QTest::newRow("empty part") << "10..0.1" << false << QStringList{};
    QTest::newRow("negative") << "10.-1.0.1" << false << QStringList{};
    QTest::newRow("letters") << "10.a.0.1" << false << QStringList{};
    QTest::newRow("four empty edits") << "..." << false << QStringList{};
}

void Tst_Ip_Address::split() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(QStringList, parts);
    QStringList got{"left over"};
    QCOMPARE(Split_IP_Address(text, got), valid);
    QCOMPARE(got, parts);
}

void Tst_Ip_Address::com_ports_in_order() {
    Fixed_Ports source;
    source.ports = {{"COM10", "\\\\.\\COM10"}, {"COM3", "\\\\.\\COM3"},     {"COM1", "\\\\.\\COM1"},
                    {"COM3", "\\\\.\\COM3"},   {"ttyUSB1", "/dev/ttyUSB1"}, {"ttyS10", "/dev/ttyS10"},
                    {"ttyS2", "/dev/ttyS2"}};
    QStringList names;
    for (const Serial_Port& port : List_COM_Ports(source))
        names << port.name;
    QCOMPARE(names, (QStringList{"COM1", "COM3", "COM10", "ttyS2", "ttyS10", "ttyUSB1"}));
}

QTEST_GUILESS_MAIN(Tst_Ip_Address)
#include "tst_ip_address.moc"
