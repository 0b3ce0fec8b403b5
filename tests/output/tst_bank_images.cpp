// Whole images compared byte for byte with images written by hand from the
// layout tables (tests/fixtures/bank/<case>/expected.hex).
#include "bank_test_support.h"
#include "base/kc_error.h"
#include "output/bank_build.h"
#include "output/bank_documents.h"
#include "output/bank_fixed.h"

#include <QTemporaryDir>
#include <QTest>

class Tst_Bank_Images : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void whole_image_data();
    void whole_image();
    void fixed_without_any_document();
};

// clang-format off
void Tst_Bank_Images::whole_image_data() {
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("input_rules");
    QTest::addColumn<int>("output_rules");
    QTest::newRow("packed, no documents: 48 bytes") << "packed_no_documents" << int(Bank_Layout::Packed) << 0 << 0;
    QTest::newRow("packed, general parameters only: 81 bytes")
        << "packed_general_only" << int(Bank_Layout::Packed) << 0 << 0;
    QTest::newRow("packed, 2+1 rules and 3 diagnosis entries: 105 bytes")
        << "packed_rules_diagnosis" << int(Bank_Layout::Packed) << 2 << 1;
    QTest::newRow("packed, no general parameters: ends with the bitmap")
        << "packed_without_general" << int(Bank_Layout::Packed) << 2 << 1;
    QTest::newRow("fixed, every element missing") << "fixed_elements_missing" << int(Bank_Layout::Fixed) << 0 << 0;
    QTest::newRow("fixed, full configuration") << "fixed_full" << int(Bank_Layout::Fixed) << 2 << 2;
}
// clang-format on

void Tst_Bank_Images::whole_image() {
    QFETCH(QString, fixture);
    QFETCH(int, layout);
    QFETCH(int, input_rules);
    QFETCH(int, output_rules);
    QTemporaryDir dir;
    const QString conf = Make_Conf_Dir(dir.path());
    Copy_Documents(Fixture_Path("bank/" + fixture), conf);
    QByteArray expected;
    QString error;
    QVERIFY2(Read_Hex_Fixture(Fixture_Path("bank/" + fixture + "/expected.hex"), expected, error),
             qPrintable(error));

    const Bank_Image image = Build_Bank(conf);
    QVERIFY2(Image_Difference(image.Bytes, expected).isEmpty(),
             qPrintable(Image_Difference(image.Bytes, expected)));
    QCOMPARE(int(image.Layout), layout);
    QCOMPARE(image.Input_Rules, input_rules);
    QCOMPARE(image.Output_Rules, output_rules);
}

void Tst_Bank_Images::fixed_without_any_document() {
    QTemporaryDir dir;
    const ParGen_View pargen = Read_Bank_ParGen(dir.path());
    const Sdo_Document sdo = Read_Bank_Sdo(dir.path());
    QVERIFY(!pargen.Exists() && !sdo.Exists);
    QByteArray expected;
    QString error;
    QVERIFY2(Read_Hex_Fixture(Fixture_Path("bank/fixed_no_documents/expected.hex"), expected, error),
             qPrintable(error));
    const QByteArray image = Build_Fixed_Bank(pargen, sdo).Bytes;
    QVERIFY2(Image_Difference(image, expected).isEmpty(), qPrintable(Image_Difference(image, expected)));
}

QTEST_GUILESS_MAIN(Tst_Bank_Images)
#include "tst_bank_images.moc"
