#include "base/kc_error.h"
#include "document/access_rules_check.h"
#include "document/pargen_view.h"
#include "output/gsd_step.h"
#include "test_dirs.h"

#include <QTemporaryDir>
#include <QTest>

// The one reader of ParGen.xml: every consumer passes its own default, and
// each value falls back by itself.
class Tst_ParGen_View : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void values_data();
    void values();
    void no_document();
    void file_name_without_regard_to_case();
    void broken_document_names_the_file();
    void each_consumer_keeps_its_default();
};

namespace {

QByteArray Document(const QByteArray& elements) {
    return "<Par_Gen>" + elements + "</Par_Gen><!--SW_VERSION = 2.110-->";
}

} // namespace

void Tst_ParGen_View::values_data() {
    QTest::addColumn<QByteArray>("elements");
    QTest::addColumn<bool>("has_text");
    QTest::addColumn<bool>("has_element");
    QTest::addColumn<int>("number"); // with the default 77
    QTest::addColumn<bool>("flag");

    QTest::newRow("number") << QByteArray("<Profi_ID>12</Profi_ID>") << true << true << 12 << false;
    QTest::newRow("hexadecimal") << QByteArray("<Profi_ID>$1F</Profi_ID>") << true << true << 31 << false;
    QTest::newRow("flag on") << QByteArray("<Profi_ID>1</Profi_ID>") << true << true << 1 << true;
    QTest::newRow("flag needs exactly 1")
        << QByteArray("<Profi_ID> 1</Profi_ID>") << true << true << 1 << false;
    QTest::newRow("trailing blank is no number")
        << QByteArray("<Profi_ID>12 </Profi_ID>") << true << true << 77 << false;
    QTest::newRow("empty") << QByteArray("<Profi_ID/>") << true << true << 77 << false;
    QTest::newRow("not plain text") << QByteArray("<Profi_ID><b>1</b></Profi_ID>") << false << true << 77
                                    << false;
    QTest::newRow("missing") << QByteArray("<Profi_Id>12</Profi_Id>") << false << false << 77 << false;
    QTest::newRow("first of two counts")
        << QByteArray("<Profi_ID>5</Profi_ID><Profi_ID>6</Profi_ID>") << true << true << 5 << false;
}

void Tst_ParGen_View::values() {
    QFETCH(QByteArray, elements);
    QFETCH(bool, has_text);
    QFETCH(bool, has_element);
    QFETCH(int, number);
    QFETCH(bool, flag);
    QTemporaryDir dir;
    QVERIFY(Write_All(dir.filePath("ParGen.xml"), Document(elements)));
    const ParGen_View view = ParGen_View::Read_In(dir.path());
    QVERIFY(view.Exists());
    QString text;
    QCOMPARE(view.Text(Par_Gen::Profi_ID, text), has_text);
    QCOMPARE(view.Has_Element(Par_Gen::Profi_ID), has_element);
    QCOMPARE(view.Number(Par_Gen::Profi_ID, 77), number);
    QCOMPARE(view.Flag(Par_Gen::Profi_ID), flag);
    int value = 77;
    QCOMPARE(view.Try_Number(Par_Gen::Profi_ID, value), number != 77);
    QCOMPARE(value, number);
}

void Tst_ParGen_View::no_document() {
    QTemporaryDir dir;
    for (const ParGen_View& view :
         {ParGen_View(), ParGen_View::Read(QString()), ParGen_View::Read_In(dir.path()),
          ParGen_View::Read(dir.filePath("ParGen.xml"))}) {
        QVERIFY(!view.Exists());
        QString text;
        QVERIFY(!view.Text(Par_Gen::Hardware_Type, text));
        QCOMPARE(view.Number(Par_Gen::Hardware_Type, 3), 3);
        QVERIFY(!view.Flag(Par_Gen::Ethernet_EN_GAT));
    }
    QCOMPARE(ParGen_View::Read_In(dir.path()).Path(), dir.filePath("ParGen.xml"));
}

void Tst_ParGen_View::file_name_without_regard_to_case() {
    QTemporaryDir dir;
    QVERIFY(Write_All(dir.filePath("pargen.XML"), Document("<Hardware_Type>1</Hardware_Type>")));
    const ParGen_View view = ParGen_View::Read(dir.filePath("ParGen.xml"));
    QVERIFY(view.Exists());
    QCOMPARE(view.Path(), dir.filePath("pargen.XML"));
    QCOMPARE(view.Number(Par_Gen::Hardware_Type, 0), 1);
    // The editor's spelling wins over a stale file of another spelling.
    QVERIFY(Write_All(dir.filePath("ParGen.xml"), Document("<Hardware_Type>0</Hardware_Type>")));
    QCOMPARE(ParGen_View::Read_In(dir.path()).Number(Par_Gen::Hardware_Type, 5), 0);
}

void Tst_ParGen_View::broken_document_names_the_file() {
    QTemporaryDir dir;
    QVERIFY(Write_All(dir.filePath("ParGen.xml"), "<Par_Gen><Ser_TO>1</Par_Gen>"));
    try {
        ParGen_View::Read_In(dir.path());
        QFAIL("a broken document was read");
    } catch (const Kc_Error& error) {
        QVERIFY2(error.Message().contains("ParGen.xml"), qPrintable(error.Message()));
    }
}

void Tst_ParGen_View::each_consumer_keeps_its_default() {
    // No area sizes: the rules editor assumes 244 bytes each, the GSD step 0.
    QTemporaryDir dir;
    QVERIFY(Write_All(dir.filePath("ParGen.xml"), Document("<Hardware_Type>x</Hardware_Type>")));
    const ParGen_View view = ParGen_View::Read_In(dir.path());
    const Rules_Limits limits = Rules_Limits_Of(view);
    QCOMPARE(limits.Hardware_Type, 0);
    QCOMPARE(limits.NByte_IN, 244);
    QCOMPARE(limits.NByte_OUT, 244);
    const GSD_Areas areas = GSD_Areas_Of(view);
    QCOMPARE(areas.In_Bytes, 0);
    QCOMPARE(areas.Out_Bytes, 0);
}

QTEST_GUILESS_MAIN(Tst_ParGen_View)
#include "tst_pargen_view.moc"
