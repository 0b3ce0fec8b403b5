// Replacing a file whole: the temporary files of an earlier, interrupted save
// are cleared away, and nothing else beside the file is touched.
#include "base/kc_error.h"
#include "base/save_file.h"
#include "document/general_params.h"
#include "test_dirs.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class Tst_Save_File : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void temporary_names_data();
    void temporary_names();
    void save_removes_stale_temporaries();
    void save_replaces_the_file();
};

void Tst_Save_File::temporary_names_data() {
    QTest::addColumn<QString>("candidate");
    QTest::addColumn<bool>("temporary");
    QTest::newRow("letters") << "ParGen.xml.yphbNM" << true;
    QTest::newRow("letters and digits") << "ParGen.xml.AbC123" << true;
    QTest::newRow("the file itself") << "ParGen.xml" << false;
    QTest::newRow("backup suffix of 3") << "ParGen.xml.bak" << false;
    QTest::newRow("suffix of 5") << "ParGen.xml.AbC12" << false;
    QTest::newRow("suffix of 7") << "ParGen.xml.AbC1234" << false;
    QTest::newRow("another file") << "Other.xml.AbC123" << false;
    QTest::newRow("other letter case") << "pargen.xml.AbC123" << false;
    QTest::newRow("name inside a longer name") << "MyParGen.xml.AbC123" << false;
    QTest::newRow("no point before the suffix") << "ParGen.xmlxAbC123" << false;
    QTest::newRow("punctuation in the suffix") << "ParGen.xml.AbC-23" << false;
    QTest::newRow("lower and upper case only") << "ParGen.xml.yphbnM" << true;
    QTest::newRow("lower case and digits") << "ParGen.xml.abc123" << true;
    QTest::newRow("a lower-case word: a user's copy") << "ParGen.xml.backup" << false;
    QTest::newRow("an upper-case word: a user's copy") << "ParGen.xml.BACKUP" << false;
    QTest::newRow("a date: a user's copy") << "ParGen.xml.202612" << false;
    QTest::newRow("non-ASCII letter in the suffix") << QString("ParGen.xml.AbC12\u00e9") << false;
}

void Tst_Save_File::temporary_names() {
    QFETCH(QString, candidate);
    QFETCH(bool, temporary);
    QCOMPARE(Is_Save_Temporary_Of(candidate, "ParGen.xml"), temporary);
}

void Tst_Save_File::save_removes_stale_temporaries() {
    QTemporaryDir dir;
    const QStringList kept = {"ParGen.xml.bak", "ParGen.xml.backup", "Other.xml.AbC123", "ParGen.xml.AbC1234",
                              "sdo.xml.yphbNM"};
    for (const QString& name : kept)
        QVERIFY(Write_All(dir.filePath(name), "keep " + name.toUtf8()));
    for (const QString name : {"ParGen.xml.AbC123", "ParGen.xml.yphbNM"})
        QVERIFY(Write_All(dir.filePath(name), "<Par_Gen><Ser_Baud>96"));
    // A folder of that form is nobody's temporary file.
    QVERIFY(QDir(dir.path()).mkdir("ParGen.xml.QwErTy"));

    Save_ParGen(dir.filePath("ParGen.xml"), General_Params{});

    QStringList expected = kept + QStringList{"ParGen.xml", "ParGen.xml.QwErTy"};
    expected.sort();
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name), expected);
    for (const QString& name : kept)
        QCOMPARE(Read_All(dir.filePath(name)), "keep " + name.toUtf8());
}

void Tst_Save_File::save_replaces_the_file() {
    QTemporaryDir dir;
    const QString path = dir.filePath("bank.bin");
    QVERIFY(Write_All(path, QByteArray(40000, 'o')));
    // Larger than a write buffer and smaller, and empty.
    for (const QByteArray& bytes : {QByteArray(20000, 'n'), QByteArray(10, 's'), QByteArray()}) {
        Save_File_Atomically(path, bytes);
        QCOMPARE(Read_All(path), bytes);
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"bank.bin"});
}

QTEST_GUILESS_MAIN(Tst_Save_File)
#include "tst_save_file.moc"
