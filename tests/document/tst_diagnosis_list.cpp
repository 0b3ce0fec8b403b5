#include "base/kc_error.h"
#include "document/diagnosis_check.h"
#include "document/diagnosis_list.h"
#include "test_dirs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The diagnosis document diagnosis.xml, the row mapping text and the
// validation and end-of-list rules of the editor's ID column.
class Tst_Diagnosis_List : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void byte_bit_data();
    void byte_bit();
    void validation_data();
    void validation();
    void list_end_and_rows_left_out_data();
    void list_end_and_rows_left_out();
    void reads_every_child_in_order();
    void missing_file_gives_empty_list();
    void writes_the_hand_written_fixture_data();
    void writes_the_hand_written_fixture();
    void writer_ends_at_blank_entry_and_after_64();
    void name_matched_without_regard_to_case();
    void broken_documents_name_the_file_data();
    void broken_documents_name_the_file();
};

namespace {

// 64 cells, the given ones first.
QStringList Grid(QStringList cells) {
    while (cells.size() < Diagnosis_List::Max_Entries)
        cells.append(QString());
    return cells;
}

} // namespace

void Tst_Diagnosis_List::byte_bit_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::newRow("1") << 1 << "Byte:0, Bit:0";
    QTest::newRow("8") << 8 << "Byte:0, Bit:7";
    QTest::newRow("9") << 9 << "Byte:1, Bit:0";
    QTest::newRow("57") << 57 << "Byte:7, Bit:0";
    QTest::newRow("64") << 64 << "Byte:7, Bit:7";
}

void Tst_Diagnosis_List::byte_bit() {
    QFETCH(int, row);
    QFETCH(QString, text);
    QCOMPARE(ByteBit(row), text);
}

void Tst_Diagnosis_List::validation_data() {
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<int>("failing_row"); // 0: the list may be saved
    QTest::newRow("0") << QStringList{"0"} << 1;
    QTest::newRow("248") << QStringList{"248"} << 1;
    QTest::newRow("abc") << QStringList{"abc"} << 1;
    QTest::newRow("trailing blank") << QStringList{"12 "} << 1;
    QTest::newRow("negative") << QStringList{"-5"} << 1;
    QTest::newRow("1") << QStringList{"1"} << 0;
    QTest::newRow("247") << QStringList{"247"} << 0;
    QTest::newRow("leading blank") << QStringList{" 12"} << 0;
    QTest::newRow("hexadecimal") << QStringList{"$F7"} << 0;
    QTest::newRow("empty grid") << QStringList{} << 0;
    QTest::newRow("bad row 5") << QStringList{"1", "2", "3", "4", "300", "6"} << 5;
    QTest::newRow("first failure wins") << QStringList{"1", "x", "0"} << 2;
    QTest::newRow("blank row ends the list") << QStringList{"1", "2", "", "abc"} << 0;
    QTest::newRow("blanks only end the list") << QStringList{"1", "   ", "0"} << 0;
    QStringList full = Grid({});
    for (int i = 0; i < full.size(); ++i)
        full[i] = QString::number(i + 1);
    QTest::newRow("64 valid rows") << full << 0;
    full[63] = "999";
    QTest::newRow("row 64 checked") << full << 64;
    full[63] = "64";
    full.append("not a row of the grid");
    QTest::newRow("cells after row 64 ignored") << full << 0;
}

void Tst_Diagnosis_List::validation() {
    QFETCH(QStringList, cells);
    QFETCH(int, failing_row);
    const std::optional<Check_Failure> failure = Check_Diagnosis_Ids(cells);
    if (failing_row == 0) {
        QVERIFY2(!failure, failure ? qPrintable(QString::number(failure->Row)) : "");
        return;
    }
    QVERIFY(failure);
    QCOMPARE(failure->Row, failing_row);
    QCOMPARE(failure->Lead_Text_Index, std::optional<int>(708));
    QCOMPARE(failure->Text_Index, 709);
}

void Tst_Diagnosis_List::list_end_and_rows_left_out_data() {
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QStringList>("saved");
    QTest::addColumn<int>("left_out");
    QTest::newRow("empty grid") << Grid({}) << QStringList{} << 0;
    QTest::newRow("rows 1 and 2, row 4 after the end")
        << Grid({"5", " 6", "", "7"}) << QStringList{"5", " 6"} << 4;
    QTest::newRow("blanks after the end are no data") << Grid({"5", "", " ", "\t"}) << QStringList{"5"} << 0;
    QTest::newRow("data in row 64 after the end") << [] {
        QStringList g = Grid({"1"});
        g[63] = "9";
        return g;
    }() << QStringList{"1"} << 64;
    QTest::newRow("first row blank") << Grid({"", "3"}) << QStringList{} << 2;
}

void Tst_Diagnosis_List::list_end_and_rows_left_out() {
    QFETCH(QStringList, cells);
    QFETCH(QStringList, saved);
    QFETCH(int, left_out);
    QCOMPARE(Diagnosis_From_Cells(cells).IDs, saved);
    QCOMPARE(Diagnosis_List_End(cells), saved.size());
    QCOMPARE(First_Row_Left_Out(cells), left_out);
}

void Tst_Diagnosis_List::reads_every_child_in_order() {
    QCOMPARE(Load_Diagnosis(Fixture_Path("diagnosis/three_ids.xml")).IDs, (QStringList{"1", " 12", "247"}));
    // Container of another name, children of any name, an empty ID kept.
    QCOMPARE(Load_Diagnosis(Fixture_Path("diagnosis/hand_edited.xml")).IDs,
             (QStringList{"7", "8", "", "10"}));
    QCOMPARE(Load_Diagnosis(Fixture_Path("diagnosis/empty.xml")).IDs, QStringList{});
    // A document edited by hand beyond the device's 64 entries is read whole.
    const Diagnosis_List many = Load_Diagnosis(Fixture_Path("diagnosis/seventy_ids.xml"));
    QCOMPARE(many.IDs.size(), 70);
    QCOMPARE(many.IDs.last(), QString("70"));
}

void Tst_Diagnosis_List::missing_file_gives_empty_list() {
    QTemporaryDir dir;
    QCOMPARE(Load_Diagnosis(dir.filePath("diagnosis.xml")), Diagnosis_List{});
    QCOMPARE(Load_Diagnosis(QString()), Diagnosis_List{});
}

void Tst_Diagnosis_List::writes_the_hand_written_fixture_data() {
    QTest::addColumn<QStringList>("ids");
    QTest::addColumn<QString>("fixture");
    QTest::newRow("three IDs, leading blank kept")
        << QStringList{"1", " 12", "247"} << "diagnosis/three_ids.xml";
    QTest::newRow("empty list") << QStringList{} << "diagnosis/empty.xml";
}

void Tst_Diagnosis_List::writes_the_hand_written_fixture() {
    QFETCH(QStringList, ids);
    QFETCH(QString, fixture);
    QTemporaryDir dir;
    const QString path = dir.filePath("diagnosis.xml");
    Save_Diagnosis(path, Diagnosis_List{ids});
    QCOMPARE(Read_All(path), Read_All(Fixture_Path(fixture)));
    QCOMPARE(Load_Diagnosis(path).IDs, ids);
}

void Tst_Diagnosis_List::writer_ends_at_blank_entry_and_after_64() {
    QTemporaryDir dir;
    const QString path = dir.filePath("diagnosis.xml");
    Save_Diagnosis(path, Diagnosis_List{{"1", "2", "  ", "4"}});
    QCOMPARE(Load_Diagnosis(path).IDs, (QStringList{"1", "2"}));

    Save_Diagnosis(path, Load_Diagnosis(Fixture_Path("diagnosis/seventy_ids.xml")));
    const QStringList back = Load_Diagnosis(path).IDs;
    QCOMPARE(back.size(), 64);
    QCOMPARE(back.last(), QString("64"));
}

void Tst_Diagnosis_List::name_matched_without_regard_to_case() {
    QTemporaryDir dir;
    QVERIFY(QFile::copy(Fixture_Path("diagnosis/three_ids.xml"), dir.filePath("Diagnosis.XML")));
    QCOMPARE(Load_Diagnosis(dir.filePath("diagnosis.xml")).IDs.size(), 3);
    Save_Diagnosis(dir.filePath("diagnosis.xml"), Diagnosis_List{{"9"}});
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Diagnosis.XML"});
    QCOMPARE(Load_Diagnosis(dir.filePath("diagnosis.xml")).IDs, QStringList{"9"});
}

void Tst_Diagnosis_List::broken_documents_name_the_file_data() {
    QTest::addColumn<QString>("fixture");
    QTest::newRow("malformed") << "broken/malformed.xml";
    QTest::newRow("binary") << "broken/binary.xml";
    QTest::newRow("empty") << "broken/empty.xml";
    QTest::newRow("truncated") << "broken/truncated.xml";
}

void Tst_Diagnosis_List::broken_documents_name_the_file() {
    QFETCH(QString, fixture);
    QTemporaryDir dir;
    const QString path = dir.filePath("diagnosis.xml");
    QVERIFY(QFile::copy(Fixture_Path(fixture), path));
    try {
        Load_Diagnosis(path);
        QFAIL("a broken document read without an error");
    } catch (const Kc_Error& error) {
        QVERIFY2(error.Message().contains("diagnosis.xml"), qPrintable(error.Message()));
        QVERIFY2(error.Message().contains("line"), qPrintable(error.Message()));
    }
}

QTEST_GUILESS_MAIN(Tst_Diagnosis_List)
#include "tst_diagnosis_list.moc"
