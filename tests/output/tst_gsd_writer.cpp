#include "base/kc_error.h"
#include "output/gsd_writer.h"
#include "test_dirs.h"

#include <QTest>
#include <climits>

namespace {

QList<QByteArray> Lines_Of(const QByteArray& file) {
    QList<QByteArray> lines = file.split('\n');
    lines.removeLast(); // after the last line's LF
    for (QByteArray& line : lines)
        line.chop(1); // its CR
    return lines;
}

QList<QByteArray> Lines_Starting(const QList<QByteArray>& lines, const QByteArray& prefix) {
    QList<QByteArray> found;
    for (const QByteArray& line : lines)
        if (line.startsWith(prefix))
            found.append(line);
    return found;
}

QByteArray Line_Value(const QList<QByteArray>& lines, const QByteArray& key) {
    const QList<QByteArray> found = Lines_Starting(lines, key + '=');
    return found.size() == 1 ? found[0].mid(key.size() + 1) : QByteArray("<missing or repeated>");
}

} // namespace

class Tst_Gsd_Writer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void whole_file_data();
    void whole_file();
    void file_form_data();
    void file_form();
    void modules_data();
    void modules();
    void module_number_limit();
    void file_name_data();
    void file_name();
};

void Tst_Gsd_Writer::whole_file_data() {
    QTest::addColumn<int>("in_bytes");
    QTest::addColumn<int>("out_bytes");
    QTest::addColumn<QString>("fixture");
    QTest::newRow("example 244/100") << 244 << 100 << "gsd/I244_O100.gsd";
    QTest::newRow("no areas") << 0 << 0 << "gsd/I0_O0.gsd";
}

void Tst_Gsd_Writer::whole_file() {
    QFETCH(int, in_bytes);
    QFETCH(int, out_bytes);
    QFETCH(QString, fixture);
    const QByteArray expected = Read_All(Fixture_Path(fixture));
    QVERIFY2(!expected.isEmpty(), qPrintable(fixture));
    const QByteArray actual = Write_GSD(in_bytes, out_bytes);
    // Line by line first, so a failure names the line.
    const QList<QByteArray> expected_lines = Lines_Of(expected);
    const QList<QByteArray> actual_lines = Lines_Of(actual);
    for (int i = 0; i < qMin(expected_lines.size(), actual_lines.size()); ++i)
        QVERIFY2(actual_lines[i] == expected_lines[i],
                 qPrintable(
                     QStringLiteral("line %1: \"%2\" instead of \"%3\"")
                         .arg(i + 1)
                         .arg(QString::fromLatin1(actual_lines[i]), QString::fromLatin1(expected_lines[i]))));
    QCOMPARE(actual_lines.size(), expected_lines.size());
    QCOMPARE(actual, expected);
}

void Tst_Gsd_Writer::file_form_data() {
    QTest::addColumn<int>("in_bytes");
    QTest::addColumn<int>("out_bytes");
    QTest::addColumn<int>("modules");
    QTest::newRow("0/0") << 0 << 0 << 0;
    QTest::newRow("1/0") << 1 << 0 << 1;
    QTest::newRow("244/100") << 244 << 100 << 6;
    QTest::newRow("244/244") << 244 << 244 << 8;
    QTest::newRow("negative") << -1 << -300 << 0;
    QTest::newRow("255 modules") << 255 * 64 << 0 << 255;
}

void Tst_Gsd_Writer::file_form() {
    QFETCH(int, in_bytes);
    QFETCH(int, out_bytes);
    QFETCH(int, modules);
    const QByteArray file = Write_GSD(in_bytes, out_bytes);
    QVERIFY(file.endsWith("\r\n\r\n\r\n\r\n"));
    QVERIFY(file.startsWith(";\r\n")); // no byte-order mark
    // CR LF after every line and nowhere a bare CR or LF.
    QCOMPARE(file.count('\r'), file.count('\n'));
    QCOMPARE(file.count("\r\n"), file.count('\n'));
    for (const char byte : file)
        QVERIFY2(static_cast<unsigned char>(byte) < 0x80 && (byte >= 0x20 || byte == '\r' || byte == '\n'),
                 "a byte that is no printable ASCII");
    const QList<QByteArray> lines = Lines_Of(file);
    QCOMPARE(lines.size(), 198 + 4 * modules);
    // The header box: lines 2 to 21 are exactly 85 characters, closed by '*'.
    for (int i = 1; i <= 20; ++i) {
        QVERIFY2(lines[i].size() == 85,
                 qPrintable(QStringLiteral("line %1 has %2 characters").arg(i + 1).arg(lines[i].size())));
        QVERIFY(lines[i].startsWith(";*") && lines[i].endsWith('*'));
    }
    QVERIFY(lines[4].startsWith(";* Vendor:   "));
    QVERIFY(lines[8].startsWith(";*           Tel. : "));
    QVERIFY(lines[9].startsWith(";*           FAX. : "));
    QVERIFY(lines[10].startsWith(";*           eMail: "));
    QCOMPARE(lines[188], QByteArray()); // line 189 closes the fixed part
    QCOMPARE(Line_Value(lines, "Max_Module"), QByteArray::number(modules));
}

void Tst_Gsd_Writer::modules_data() {
    QTest::addColumn<int>("in_bytes");
    QTest::addColumn<int>("out_bytes");
    QTest::addColumn<QByteArray>("max_data_len");
    QTest::addColumn<QList<QByteArray>>("module_lines");

    const auto di = [](int m, const char* len) {
        return QByteArray("Module=\"DI  (PORT") + QByteArray::number(m) + ")    \" 0x42," + len + ",0x00," +
               QByteArray("0x") + QByteArray::number(m, 16).toUpper().rightJustified(2, '0');
    };
    const auto dout = [](int m, const char* len) {
        return QByteArray("Module=\"DO  (PORT") + QByteArray::number(m) + ")    \" 0x82," + len + ",0x00," +
               QByteArray("0x") + QByteArray::number(m, 16).toUpper().rightJustified(2, '0');
    };
    QTest::newRow("I=1") << 1 << 0 << QByteArray("1") << QList<QByteArray>{di(1, "0x00")};
    QTest::newRow("I=64") << 64 << 0 << QByteArray("64") << QList<QByteArray>{di(1, "0x3F")};
    QTest::newRow("I=65") << 65 << 0 << QByteArray("65") << QList<QByteArray>{di(1, "0x3F"), di(2, "0x00")};
    QTest::newRow("I=244") << 244 << 0 << QByteArray("244")
                           << QList<QByteArray>{di(1, "0x3F"), di(2, "0x3F"), di(3, "0x3F"), di(4, "0x33")};
    QTest::newRow("I=244 O=244") << 244 << 244 << QByteArray("488")
                                 << QList<QByteArray>{di(1, "0x3F"),   di(2, "0x3F"),   di(3, "0x3F"),
                                                      di(4, "0x33"),   dout(5, "0x3F"), dout(6, "0x3F"),
                                                      dout(7, "0x3F"), dout(8, "0x33")};
    QTest::newRow("I=0 O=10") << 0 << 10 << QByteArray("10") << QList<QByteArray>{dout(1, "0x09")};
    QTest::newRow("I=10 O=0") << 10 << 0 << QByteArray("10") << QList<QByteArray>{di(1, "0x09")};
    QTest::newRow("negative input") << -5 << 64 << QByteArray("59") << QList<QByteArray>{dout(1, "0x3F")};
    QTest::newRow("both negative") << -1 << -2 << QByteArray("-3") << QList<QByteArray>{};
    // The sum of two extreme values must not wrap.
    QTest::newRow("int minimum") << INT_MIN << INT_MIN << QByteArray("-4294967296") << QList<QByteArray>{};
}

void Tst_Gsd_Writer::modules() {
    QFETCH(int, in_bytes);
    QFETCH(int, out_bytes);
    QFETCH(QByteArray, max_data_len);
    QFETCH(QList<QByteArray>, module_lines);

    const QList<QByteArray> lines = Lines_Of(Write_GSD(in_bytes, out_bytes));
    QCOMPARE(Line_Value(lines, "Max_Input_Len"), QByteArray::number(in_bytes));
    QCOMPARE(Line_Value(lines, "Max_Output_Len"), QByteArray::number(out_bytes));
    QCOMPARE(Line_Value(lines, "Max_Data_Len"), max_data_len);

    QCOMPARE(Lines_Starting(lines, "Module="), module_lines);
    const int m = static_cast<int>(module_lines.size());
    QCOMPARE(Line_Value(lines, "Max_Module"), QByteArray::number(m));

    // Each module line is followed by its number and EndModule; then three
    // empty lines and the slot list, one slot per module.
    int at = 189;
    for (int i = 1; i <= m; ++i) {
        QCOMPARE(lines[at], module_lines[i - 1]);
        QCOMPARE(lines[at + 1], QByteArray::number(i));
        QCOMPARE(lines[at + 2], QByteArray("EndModule"));
        at += 3;
    }
    QCOMPARE(lines.mid(at, 4), (QList<QByteArray>{"", "", "", "SlotDefinition"}));
    at += 4;
    for (int s = 1; s <= m; ++s) {
        const QByteArray n = QByteArray::number(s);
        QCOMPARE(lines[at++], "Slot(" + n + ") = \"Slot " + n + "\" " + n + " " + n);
    }
    QCOMPARE(lines.mid(at), (QList<QByteArray>{"EndSlotDefinition", "", "", "", ""}));
}

void Tst_Gsd_Writer::module_number_limit() {
    // 255 modules still fit: the last identifier ends in 0xFF.
    const QList<QByteArray> lines = Lines_Of(Write_GSD(254 * 64 + 1, 0));
    const QList<QByteArray> found = Lines_Starting(lines, "Module=");
    QCOMPARE(found.size(), 255);
    QCOMPARE(found.last(), QByteArray("Module=\"DI  (PORT255)    \" 0x42,0x00,0x00,0xFF"));
    QCOMPARE(lines[lines.size() - 6], QByteArray("Slot(255) = \"Slot 255\" 255 255"));

    // A module number is one byte of the identifier: 256 modules cannot be
    // described, and a huge area must not turn into a huge file.
    QCOMPARE(GSD_Module_Count(255 * 64, 0), qint64(255));
    QCOMPARE(GSD_Module_Count(INT_MAX, INT_MAX), 2 * ((qint64(INT_MAX) + 63) / 64));
    QVERIFY_THROWS_EXCEPTION(Kc_Error, Write_GSD(255 * 64 + 1, 0));
    QVERIFY_THROWS_EXCEPTION(Kc_Error, Write_GSD(128 * 64, 128 * 64));
    QVERIFY_THROWS_EXCEPTION(Kc_Error, Write_GSD(INT_MAX, INT_MAX));
    QVERIFY(GSD_Modules(INT_MAX, 0).isEmpty());
}

void Tst_Gsd_Writer::file_name_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no suffix") << "/c/Device"
                               << "/c/Device.gsd";
    QTest::newRow("upper-case suffix") << "/c/Device.GSD"
                                       << "/c/Device.GSD";
    QTest::newRow("lower-case suffix") << "/c/device.gsd"
                                       << "/c/device.gsd";
    QTest::newRow("mixed-case suffix") << "/c/device.GsD"
                                       << "/c/device.GsD";
    QTest::newRow("gsd not last") << "/c/report.gsd.txt"
                                  << "/c/report.gsd.txt.gsd";
    QTest::newRow("folder old.gsd, name without suffix") << "/c/old.gsd/Device"
                                                         << "/c/old.gsd/Device.gsd";
    QTest::newRow("folder old.gsd, name with suffix") << "/c/old.gsd/new.gsd"
                                                      << "/c/old.gsd/new.gsd";
    QTest::newRow("suffix without dot") << "/c/devicegsd"
                                        << "/c/devicegsd.gsd";
}

void Tst_Gsd_Writer::file_name() {
    QFETCH(QString, chosen);
    QFETCH(QString, expected);
    QCOMPARE(GSD_File_Name(chosen), expected);
}

QTEST_GUILESS_MAIN(Tst_Gsd_Writer)
#include "tst_gsd_writer.moc"
