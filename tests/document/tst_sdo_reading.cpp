#include "base/kc_error.h"
#include "document/access_rules.h"
#include "test_dirs.h"

#include <QDir>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

// Load_Sdo reads sdo.xml with a stream reader that must give what a
// QDomDocument parse gives for every input: the rules, and on a broken
// document the same message. tests/fixtures/sdo_reading/expected.json holds
// the rules (or the message, the file named {file}) that the earlier reader
// over a QDomDocument gave for every fixture and for documents built to hit
// each token kind a document can hold; the image build reads the same way.
class Tst_Sdo_Reading : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reads_as_recorded_data();
    void reads_as_recorded();
    void shapes_of_rules_data();
    void shapes_of_rules();
    void missing_section_is_left_to_the_caller();
};

namespace {

QJsonObject Expected_Records() {
    static const QJsonObject records =
        QJsonDocument::fromJson(Read_All(Fixture_Path(QStringLiteral("sdo_reading/expected.json")))).object();
    return records;
}

QJsonArray Record(const QList<Access_Rule>& rules) {
    QJsonArray list;
    for (const Access_Rule& r : rules)
        list.append(QJsonArray::fromStringList({r.Enable, r.Slave_ID, r.Type, r.Address_Mod, r.NPoint,
                                                r.PollTime, r.OnChange, r.OnCMD, r.MaxError, r.Address_Profi,
                                                r.Bit, r.Swap, r.ForceF15F16, r.Mnemonic}));
    return list;
}

QByteArray Rows(int count, bool write) {
    QByteArray rows;
    for (int k = 1; k <= count; ++k) {
        rows += "<row Enable=\"Y\" Slave_ID=\"" + QByteArray::number(k % 247 + 1) +
                "\" Type=\"Holding Register\" Address_Mod=\"" + QByteArray::number(k * 10) +
                "\" NPoint=\"1\" PollTime=\"1000\" ";
        if (write)
            rows += "OnChange=\"Y\" OnCMD=\"N\" ";
        rows += "MaxError=\"3\" Address_Profi=\"" + QByteArray::number(k % 240) + "\" Bit=\"" +
                QByteArray::number(k % 8) + "\" Swap=\"N\" ";
        if (write)
            rows += "ForceF15F16=\"N\" ";
        rows += "Mnemonic=\"Rule &amp; number " + QByteArray::number(k) + "\"/>";
    }
    return rows;
}

QByteArray Document(const QByteArray& in, const QByteArray& out) {
    return "<Serial_to_ProfiBus><ProfiBUS_IN>" + in + "</ProfiBUS_IN><ProfiBUS_OUT>" + out +
           "</ProfiBUS_OUT></Serial_to_ProfiBus><!--SW_VERSION = 2.110-->";
}

// Documents built for the comparison: each token kind inside and around the
// sections, and the ways a document can be broken.
QList<QPair<QString, QByteArray>> Generated_Documents() {
    const QByteArray row = "<row Enable=\"N\" Slave_ID=\"5\" Mnemonic=\"m\"/>";
    QList<QPair<QString, QByteArray>> d;
    auto add = [&d](const char* name, const QByteArray& bytes) {
        d.append({QString::fromLatin1(name), bytes});
    };
    add("plain", Document(row, row));
    add("244_244", Document(Rows(244, false), Rows(244, true)));
    add("300_rows", Document(Rows(300, false), Rows(1, true)));
    add("comments_in_sections", Document("<!--a-->" + row + "<!-- b -->", "<!---->" + row));
    add("pis_in_sections", Document("<?pi data?>" + row + "<?x?>", row + "<?target some data?>"));
    add("cdata_in_sections", Document("<![CDATA[text]]>" + row, "<![CDATA[ ]]>" + row + "<![CDATA[]]>"));
    add("cdata_blanks", Document("<![CDATA[\n\t\r\n]]>", "<![CDATA[\xc2\xa0]]>text<![CDATA[x]]>more"));
    add("text_in_sections", Document("text" + row + " more text ", row + "\n  x  \n"));
    add("whitespace_variants", Document(" \n\t\r\n" + row + "\n  ", "\r\n" + row + "\t" + row + " "));
    add("nbsp_text", Document("\xc2\xa0" + row, row + "\xe2\x80\x83"));
    add("char_refs_as_text", Document("&#32;" + row + "&#65;", "&amp;" + row + "&#x20;&#x9;"));
    add("text_split_by_entities", Document("a&amp;b&lt;c" + row, row + "x&#65;y"));
    add("entities_in_attributes",
        Document("<row Slave_ID=\"&#49;&amp;&lt;&gt;&quot;&apos;\" Mnemonic=\"&#x41;\"/>", row));
    add("attribute_whitespace", Document("<row Slave_ID=\"a\tb\nc\r\nd\" Mnemonic=\"  x  \"/>", row));
    add("nested_elements_in_rows", Document("<row Slave_ID=\"1\"><row Slave_ID=\"2\"/><x>t</x></row>",
                                            "<row Slave_ID=\"3\"><!--c--></row>"));
    add("foreign_elements", Document("<other Slave_ID=\"7\" Type=\"t\"/><ROW Enable=\"N\"/>" + row,
                                     "<p:row Slave_ID=\"8\"/><row p:Slave_ID=\"9\" xmlns:p=\"urn:p\"/>"));
    add("empty_attributes",
        Document("<row Enable=\"\" Swap=\"\" Slave_ID=\"\"/>", "<row OnCMD=\"\" ForceF15F16=\"\"/>"));
    add("no_attributes", Document("<row/><row></row>", "<row/>"));
    add("single_quotes", Document("<row Slave_ID='1' Mnemonic='a\"b'/>", row));
    add("sections_reversed",
        "<Serial_to_ProfiBus><ProfiBUS_OUT>" + row + "</ProfiBUS_OUT><ProfiBUS_IN/></Serial_to_ProfiBus>");
    add("sections_twice", "<C><ProfiBUS_IN>" + row +
                              "</ProfiBUS_IN><ProfiBUS_IN><row/><row/></ProfiBUS_IN><ProfiBUS_OUT/>"
                              "<ProfiBUS_OUT><row/></ProfiBUS_OUT></C>");
    add("sections_among_others", "<Any><x/><!--c--><ProfiBUS_IN_2/><ProfiBUS_IN>" + row +
                                     "</ProfiBUS_IN>text<?p?><ProfiBUS_OUT>" + row +
                                     "</ProfiBUS_OUT><y><ProfiBUS_IN><row/></ProfiBUS_IN></y></Any>");
    add("sections_nested_deeper", "<A><B><ProfiBUS_IN/><ProfiBUS_OUT/></B></A>");
    add("section_with_prefix", "<A xmlns:p=\"urn:p\"><p:ProfiBUS_IN/><ProfiBUS_OUT/></A>");
    add("section_with_default_namespace",
        "<A xmlns=\"urn:a\"><ProfiBUS_IN>" + row + "</ProfiBUS_IN><ProfiBUS_OUT/></A>");
    add("undeclared_prefix", "<A><ProfiBUS_IN><q:row Slave_ID=\"1\"/></ProfiBUS_IN><ProfiBUS_OUT/></A>");
    add("sections_wrong_case", "<A><profibus_in/><PROFIBUS_OUT/></A>");
    add("only_in_section", "<A><ProfiBUS_IN/></A>");
    add("only_out_section", "<A><ProfiBUS_OUT/></A>");
    add("no_section", "<A/>");
    add("root_is_a_section", "<ProfiBUS_IN><ProfiBUS_IN/><ProfiBUS_OUT/></ProfiBUS_IN>");
    add("declaration_first", "<?xml version=\"1.0\"?>" + Document(row, row));
    add("declaration_with_encoding",
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<A><ProfiBUS_IN/></A>");
    add("declaration_standalone", "<?xml version='1.0' standalone='yes'?><A/>");
    add("declaration_on_line_two", "\n<?xml version=\"1.0\"?><A/>");
    add("comment_first", "<!--c-->" + Document(row, row));
    add("comment_first_on_line_three", "\n\n<!--c-->\n<A/>");
    add("pi_first", "<?target data?>" + Document(row, row));
    add("whitespace_first", "\n \t\r\n" + Document(row, row));
    add("doctype_first", "<!DOCTYPE Serial_to_ProfiBus>" + Document(row, row));
    add("doctype_after_whitespace", "\n<!DOCTYPE Serial_to_ProfiBus>\n" + Document(row, row));
    add("doctype_after_comment", "<!--c--><!DOCTYPE A><A/>");
    add("doctype_after_declaration", "<?xml version=\"1.0\"?><!DOCTYPE A><A><ProfiBUS_IN/></A>");
    add("doctype_after_declaration_newline", "<?xml version=\"1.0\"?>\n<!DOCTYPE A>\n<A/>");
    add("doctype_internal_entity",
        "<!DOCTYPE S [<!ENTITY e \"entity text\"><!ENTITY r \"<row Slave_ID='11'/>\">]><S><ProfiBUS_IN>&e;" +
            row + "<row Mnemonic=\"&e;\"/>&r;</ProfiBUS_IN><ProfiBUS_OUT>&r;&r;</ProfiBUS_OUT></S>");
    add("doctype_external_subset", "<!DOCTYPE S SYSTEM \"none.dtd\"><S><ProfiBUS_IN>&unknown;" + row +
                                       "</ProfiBUS_IN><ProfiBUS_OUT/></S>");
    add("doctype_external_entity",
        "<!DOCTYPE S [<!ENTITY x SYSTEM \"x.xml\">]><S><ProfiBUS_IN>&x;</ProfiBUS_IN><ProfiBUS_OUT/></S>");
    add("doctype_twice", "<!DOCTYPE A><!DOCTYPE A><A/>");
    add("doctype_after_root", "<A/><!DOCTYPE A>");
    add("comment_and_pi_after_root", Document(row, row) + "<?p?>\n<!--x-->\n");
    add("bom_utf8", "\xef\xbb\xbf" + Document(row, row));
    add("utf16", QByteArray("\xff\xfe<\0A\0>\0<\0P\0r\0o\0f\0i\0B\0U\0S\0_\0I\0N\0/\0>\0<\0/\0A\0>\0", 42));
    add("non_ascii_values", Document("<row Mnemonic=\"Pumpe \xc3\xbc\xc3\x9f \xe2\x82\xac\"/>", row));
    add("latin1_declared", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><A><ProfiBUS_IN><row "
                           "Mnemonic=\"\xfc\"/></ProfiBUS_IN><ProfiBUS_OUT/></A>");
    add("duplicate_attribute", Document("<row Slave_ID=\"1\" Slave_ID=\"2\"/>", row));
    add("xmlns_attributes",
        Document("<row xmlns=\"urn:x\" xmlns:a=\"urn:a\" a:Slave_ID=\"3\" Slave_ID=\"4\"/>", row));
    // Broken documents.
    add("empty", "");
    add("only_whitespace", " \n ");
    add("only_comment", "<!--c-->");
    add("only_declaration", "<?xml version=\"1.0\"?>");
    add("whitespace_before_declaration", " <?xml version=\"1.0\"?><A/>");
    add("mismatched_tags", "<A><ProfiBUS_IN></ProfiBUS_OUT></A>");
    add("unclosed_root", "<A><ProfiBUS_IN/><ProfiBUS_OUT/>");
    add("unclosed_row", Document("<row Slave_ID=\"1\">", row));
    add("two_roots", "<A><ProfiBUS_IN/><ProfiBUS_OUT/></A><B/>");
    add("text_before_root", "junk<A/>");
    add("text_after_root", Document(row, row) + "junk");
    add("undefined_entity", Document("&nope;" + row, row));
    add("undefined_entity_in_attribute", Document("<row Slave_ID=\"&nope;\"/>", row));
    add("bare_ampersand", Document("<row Mnemonic=\"a & b\"/>", row));
    add("lt_in_attribute", Document("<row Mnemonic=\"a < b\"/>", row));
    add("bad_char_ref", Document("&#0;" + row, row));
    add("control_character", Document("<row Mnemonic=\"a\x01"
                                      "b\"/>",
                                      row));
    add("invalid_utf8", Document("<row Mnemonic=\"\xff\xfe\"/>", row));
    add("truncated_attribute", "<A><ProfiBUS_IN><row Slave_ID=\"1");
    add("unquoted_attribute", Document("<row Slave_ID=1/>", row));
    add("end_tag_only", "</A>");
    add("double_dash_in_comment", "<A><!-- a -- b --><ProfiBUS_IN/><ProfiBUS_OUT/></A>");
    add("xml_pi_later", "<A><?xml version=\"1.0\"?><ProfiBUS_IN/><ProfiBUS_OUT/></A>");
    add("cdata_outside_root", "<![CDATA[x]]><A/>");
    add("nul_byte", QByteArray("<A>\0</A>", 8));
    return d;
}

} // namespace

void Tst_Sdo_Reading::reads_as_recorded_data() {
    QTest::addColumn<QString>("file");
    const QJsonObject expected = Expected_Records();
    QVERIFY(!expected.isEmpty());
    QStringList names;
    // Every fixture a document reader is tested with.
    for (const char* folder : {"sdo", "broken", "pargen", "diagnosis"}) {
        QDirIterator it(Fixture_Path(QString::fromLatin1(folder)), QDir::Files);
        while (it.hasNext()) {
            const QString path = it.next();
            names.append(QString::fromLatin1(folder) + QLatin1Char('/') + it.fileName());
            QTest::newRow(qPrintable(names.last())) << path;
        }
    }
    static QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const auto& [name, bytes] : Generated_Documents()) {
        const QString path = dir.filePath(name + QStringLiteral(".xml"));
        QVERIFY(Write_All(path, bytes));
        names.append(name);
        QTest::newRow(qPrintable(name)) << path;
    }
    // Each input has its record and each record its input.
    names.sort();
    QStringList recorded = expected.keys();
    recorded.sort();
    QCOMPARE(names, recorded);
}

void Tst_Sdo_Reading::reads_as_recorded() {
    QFETCH(QString, file);
    const QJsonObject expected =
        Expected_Records().value(QString::fromLatin1(QTest::currentDataTag())).toObject();
    QJsonObject actual;
    try {
        const Access_Rules rules = Load_Sdo(file);
        actual.insert(QStringLiteral("read"), Record(rules.Read_Rules));
        actual.insert(QStringLiteral("write"), Record(rules.Write_Rules));
    } catch (const Kc_Error& error) {
        QString message = error.Message();
        message.replace(QDir::toNativeSeparators(file), QStringLiteral("{file}"));
        actual.insert(QStringLiteral("error"), message);
    }
    QCOMPARE(actual.value(QStringLiteral("error")).toString(),
             expected.value(QStringLiteral("error")).toString());
    QCOMPARE(QJsonDocument(actual).toJson(QJsonDocument::Compact),
             QJsonDocument(expected).toJson(QJsonDocument::Compact));
}

void Tst_Sdo_Reading::shapes_of_rules_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>(
        "read_shapes"); // per rule: "-" no element, else the given attributes' bits in hex
    QTest::addColumn<QString>("write_shapes");

    // Bits of the read section: Enable 0, Slave_ID 1, Type 2, ..., Swap 9, Mnemonic 10.
    QTest::newRow("elements and other nodes")
        << Document("<!--c--><row Enable=\"N\" Slave_ID=\"5\" Mnemonic=\"m\"/>text<?p?>",
                    "<row OnCMD=\"Y\" ForceF15F16=\"\"/><![CDATA[x]]>")
        << "- 403 - -"
        << "1080 -";
    QTest::newRow("unknown and write-only attributes are not given in the read section")
        << Document("<row OnCMD=\"Y\" Other=\"1\"/><row/>", "<row/>") << "0 0"
        << "0";
    QTest::newRow("foreign element names are rules too")
        << Document("<other Type=\"t\"/>", "<p:row Mnemonic=\"x\" xmlns:p=\"urn:p\"/>") << "4"
        << "2000";
}

void Tst_Sdo_Reading::shapes_of_rules() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, read_shapes);
    QFETCH(QString, write_shapes);
    QTemporaryDir dir;
    QVERIFY(Write_All(dir.filePath("sdo.xml"), bytes));
    const Sdo_Document document = Read_Sdo_Document(dir.filePath("SDO.xml"));
    QVERIFY(document.Exists);
    QCOMPARE(document.Path, dir.filePath("sdo.xml"));
    auto describe = [](const QList<Sdo_Rule_Shape>& shapes) {
        QStringList words;
        for (const Sdo_Rule_Shape& shape : shapes)
            words.append(shape.Element ? QString::number(shape.Given, 16) : QStringLiteral("-"));
        return words.join(QLatin1Char(' '));
    };
    QCOMPARE(describe(document.Read_Shapes), read_shapes);
    QCOMPARE(describe(document.Write_Shapes), write_shapes);
    QCOMPARE(document.Read_Shapes.size(), document.Rules.Read_Rules.size());
    QCOMPARE(document.Write_Shapes.size(), document.Rules.Write_Rules.size());
}

void Tst_Sdo_Reading::missing_section_is_left_to_the_caller() {
    QTemporaryDir dir;
    QVERIFY(Write_All(dir.filePath("sdo.xml"), "<!--c--><A><ProfiBUS_OUT><row/></ProfiBUS_OUT></A>"));
    const Sdo_Document document = Read_Sdo_Document(dir.filePath("sdo.xml"));
    QVERIFY(document.Exists);
    QCOMPARE(document.Container, QStringLiteral("#comment"));
    QVERIFY(!document.Has_Read_Section);
    QVERIFY(!document.Has_Write_Section); // the container is no element
    QVERIFY_THROWS_EXCEPTION(Kc_Error, Load_Sdo(dir.filePath("sdo.xml")));

    const Sdo_Document missing = Read_Sdo_Document(dir.filePath("none.xml"));
    QVERIFY(!missing.Exists);
    QCOMPARE(missing.Path, dir.filePath("none.xml"));
}

QTEST_GUILESS_MAIN(Tst_Sdo_Reading)
#include "tst_sdo_reading.moc"
