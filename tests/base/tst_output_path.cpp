#include "base/output_path.h"

#include <QTest>

// The names Windows keeps for devices: an output named so would never reach
// a file, so the commands refuse it there.
class Tst_Output_Path : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windows_device_names_data();
    void windows_device_names();
};

void Tst_Output_Path::windows_device_names_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("device");
    QTest::newRow("NUL") << "NUL" << true;
    QTest::newRow("lower case in a folder") << "C:/plant/out/nul" << true;
    QTest::newRow("backslashes, extension") << "C:\\plant\\COM1.csv" << true;
    QTest::newRow("two extensions") << "lpt9.tar.gz" << true;
    QTest::newRow("trailing blank and dot") << "con ." << true;
    QTest::newRow("console input") << "CONIN$" << true;
    QTest::newRow("drive-relative") << "D:aux" << true;
    QTest::newRow("device namespace") << "\\\\.\\COM12" << true;
    QTest::newRow("device namespace, slashes") << "//./PhysicalDrive0" << true;
    QTest::newRow("longer name") << "NULL.csv" << false;
    QTest::newRow("COM without a digit") << "COM.csv" << false;
    QTest::newRow("COM10 is a file") << "COM10" << false;
    QTest::newRow("device name as a folder") << "C:/NUL/report.html" << false;
    QTest::newRow("name holding a device name") << "nul_values.csv" << false;
    QTest::newRow("plain file") << "/tmp/plant/read.csv" << false;
}

void Tst_Output_Path::windows_device_names() {
    QFETCH(QString, path);
    QFETCH(bool, device);
    QCOMPARE(Is_Windows_Device_Path(path), device);
}

QTEST_GUILESS_MAIN(Tst_Output_Path)
#include "tst_output_path.moc"
