#include "base/file_lookup.h"
#include "base/kc_error.h"
#include "base/xml_document.h"
#include "test_dirs.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamWriter>

class Tst_Xml_Document : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writer_shape();
    void writer_escapes_and_reads_back();
    void first_top_node_data();
    void first_top_node();
    void malformed_file_names_file_and_position();
    void failed_write_keeps_old_file();
    void find_file_no_case();
};

void Tst_Xml_Document::writer_shape() {
    QTemporaryDir dir;
    const QString path = dir.filePath("doc.xml");
    Save_Xml_Document(path, "Par_Gen", [](QXmlStreamWriter& w) {
        w.writeTextElement("A", "1");
        w.writeTextElement("B", "");
    });
    QCOMPARE(Read_All(path), QByteArray("<Par_Gen><A>1</A><B></B></Par_Gen><!--SW_VERSION = 2.110-->"));
}

void Tst_Xml_Document::writer_escapes_and_reads_back() {
    QTemporaryDir dir;
    const QString path = dir.filePath("doc.xml");
    const QString tricky = QStringLiteral("  a&b <c> \"d\" 'e' \u00e8");
    Save_Xml_Document(path, "Root", [&](QXmlStreamWriter& w) {
        w.writeStartElement("row");
        w.writeAttribute("Mnemonic", tricky);
        w.writeEndElement();
    });
    const QDomDocument document = Load_Xml_File(path);
    const QDomNode root = First_Top_Node(document);
    QCOMPARE(root.nodeName(), QString("Root"));
    QCOMPARE(Child_Element(root, "row").attribute("Mnemonic"), tricky);
    QCOMPARE(document.childNodes().size(), 2);
    QVERIFY(document.childNodes().at(1).isComment());
}

void Tst_Xml_Document::first_top_node_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("first_name");
    QTest::newRow("root first") << QByteArray("<Par_Gen><A>1</A></Par_Gen><!--c-->") << "Par_Gen";
    QTest::newRow("declaration first") << QByteArray("<?xml version=\"1.0\"?><Par_Gen/>") << "xml";
    QTest::newRow("comment first") << QByteArray("<!--c--><Par_Gen/>") << "#comment";
}

void Tst_Xml_Document::first_top_node() {
    QFETCH(QByteArray, content);
    QFETCH(QString, first_name);
    QTemporaryDir dir;
    const QString path = dir.filePath("doc.xml");
    QVERIFY(Write_All(path, content));
    QCOMPARE(First_Top_Node(Load_Xml_File(path)).nodeName(), first_name);
}

void Tst_Xml_Document::malformed_file_names_file_and_position() {
    QTemporaryDir dir;
    const QString path = dir.filePath("broken.xml");
    QVERIFY(Write_All(path, "<Par_Gen>\n<A>1</B>"));
    try {
        Load_Xml_File(path);
        QFAIL("no error for a malformed document");
    } catch (const Kc_Error& error) {
        QVERIFY2(error.Message().contains("broken.xml"), qPrintable(error.Message()));
        QVERIFY2(error.Message().contains("line 2"), qPrintable(error.Message()));
    }
}

void Tst_Xml_Document::failed_write_keeps_old_file() {
    QTemporaryDir dir;
    const QString missing_folder = dir.filePath("no/such/folder/doc.xml");
    QVERIFY_THROWS_EXCEPTION(Kc_Error, Save_Xml_Document(missing_folder, "R", [](QXmlStreamWriter&) {}));
    QVERIFY(!QFile::exists(missing_folder));
}

void Tst_Xml_Document::find_file_no_case() {
    QTemporaryDir dir;
    QVERIFY(Write_All(dir.filePath("ParGen.xml"), "<Par_Gen/>"));
    QCOMPARE(Find_File_No_Case(dir.path(), "pargen.xml"), dir.filePath("ParGen.xml"));
    QCOMPARE(Find_File_No_Case(dir.path(), "PARGEN.XML"), dir.filePath("ParGen.xml"));
    QCOMPARE(Resolve_File_No_Case(dir.filePath("pargen.xml")), dir.filePath("ParGen.xml"));
    // A missing file keeps the caller's spelling, so it is created that way.
    QCOMPARE(Find_File_No_Case(dir.path(), "sdo.xml"), dir.filePath("sdo.xml"));
}

QTEST_GUILESS_MAIN(Tst_Xml_Document)
#include "tst_xml_document.moc"
