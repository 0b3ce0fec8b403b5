#include "base/kc_error.h"
#include "base/xml_document.h"
#include "config/access_rules.h"
#include "test_dirs.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

// Load_Sdo reads sdo.xml with a stream reader. It must give exactly what the
// earlier reader over a QDomDocument gave, for every input: the same rules,
// and on a broken document the same message. This test keeps that DOM reader
// and runs both over every fixture and over documents built to hit each token
// kind a document can hold.
class Tst_Sdo_Reader_Equivalence : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void same_result_as_the_tree_reader_data();
    void same_result_as_the_tree_reader();
};

namespace {

struct Dom_Attribute {
    const char* name;
    QString Access_Rule::*field;
    const char* fallback;
};

const Dom_Attribute dom_read_attributes[] = {
    {"Enable", &Access_Rule::Enable, "Y"},    {"Slave_ID", &Access_Rule::Slave_ID, ""},
    {"Type", &Access_Rule::Type, ""},         {"Address_Mod", &Access_Rule::Address_Mod, ""},
    {"NPoint", &Access_Rule::NPoint, ""},     {"PollTime", &Access_Rule::PollTime, ""},
    {"MaxError", &Access_Rule::MaxError, ""}, {"Address_Profi", &Access_Rule::Address_Profi, ""},
    {"Bit", &Access_Rule::Bit, ""},           {"Swap", &Access_Rule::Swap, "N"},
    {"Mnemonic", &Access_Rule::Mnemonic, ""},
};

const Dom_Attribute dom_write_attributes[] = {
    {"Enable", &Access_Rule::Enable, "Y"},
    {"Slave_ID", &Access_Rule::Slave_ID, ""},
    {"Type", &Access_Rule::Type, ""},
    {"Address_Mod", &Access_Rule::Address_Mod, ""},
    {"NPoint", &Access_Rule::NPoint, ""},
    {"PollTime", &Access_Rule::PollTime, ""},
    {"OnChange", &Access_Rule::OnChange, ""},
    {"OnCMD", &Access_Rule::OnCMD, "N"},
    {"MaxError", &Access_Rule::MaxError, ""},
    {"Address_Profi", &Access_Rule::Address_Profi, ""},
    {"Bit", &Access_Rule::Bit, ""},
    {"Swap", &Access_Rule::Swap, "N"},
    {"ForceF15F16", &Access_Rule::ForceF15F16, "N"},
    {"Mnemonic", &Access_Rule::Mnemonic, ""},
};

QDomNode Dom_Section(const QDomNode& container, const QString& name, const QString& file) {
    const QDomElement section = Child_Element(container, name);
    if (section.isNull()) {
        QString where;
        if (!container.isNull() && container.lineNumber() > 0)
            where = QStringLiteral(" (line %1, column %2)")
                        .arg(container.lineNumber())
                        .arg(container.columnNumber());
        throw Kc_Error(
            QStringLiteral("%1 is not a Modbus access rules document: its first node \"%2\" has no %3 "
                           "element%4")
                .arg(QDir::toNativeSeparators(file), container.nodeName(), name, where));
    }
    return section;
}

template <std::size_t N>
QList<Access_Rule> Dom_Rules(const QDomNode& section, const Dom_Attribute (&attributes)[N]) {
    QList<Access_Rule> rules;
    for (QDomNode node = section.firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QDomElement row = node.toElement();
        Access_Rule rule;
        for (const Dom_Attribute& attribute : attributes)
            rule.*attribute.field =
                row.attribute(QLatin1String(attribute.name), QLatin1String(attribute.fallback));
        rules.append(rule);
    }
    return rules;
}

// The earlier reader, unchanged but for its names.
Access_Rules Load_Sdo_With_Dom(const QString& file) {
    Access_Rules rules;
    const QDomDocument document = Load_Xml_File(file);
    const QDomNode container = First_Top_Node(document);
    const QDomNode in = Dom_Section(container, QStringLiteral("ProfiBUS_IN"), file);
    const QDomNode out = Dom_Section(container, QStringLiteral("ProfiBUS_OUT"), file);
    rules.Read_Rules = Dom_Rules(in, dom_read_attributes);
    rules.Write_Rules = Dom_Rules(out, dom_write_attributes);
    return rules;
}

// Generated documents that hold both sections in a first-node container: the
// readers must read them; every other one must be refused.
const QStringList readable_documents = {"plain",
                                        "244_244",
                                        "300_rows",
                                        "comments_in_sections",
                                        "pis_in_sections",
                                        "cdata_in_sections",
                                        "cdata_blanks",
                                        "text_in_sections",
                                        "whitespace_variants",
                                        "nbsp_text",
                                        "char_refs_as_text",
                                        "text_split_by_entities",
                                        "entities_in_attributes",
                                        "attribute_whitespace",
                                        "nested_elements_in_rows",
                                        "foreign_elements",
                                        "empty_attributes",
                                        "no_attributes",
                                        "single_quotes",
                                        "sections_reversed",
                                        "sections_twice",
                                        "sections_among_others",
                                        "section_with_default_namespace",
                                        "undeclared_prefix",
                                        "root_is_a_section",
                                        "whitespace_first",
                                        "doctype_first",
                                        "doctype_internal_entity",
                                        "doctype_external_subset",
                                        "doctype_external_entity",
                                        "comment_and_pi_after_root",
                                        "bom_utf8",
                                        "non_ascii_values",
                                        "xmlns_attributes",
                                        "doctype_after_whitespace"};

struct Outcome {
    Access_Rules rules;
    QString error; // empty when the document was read
};

template <typename Reader> Outcome Run(Reader read, const QString& file) {
    Outcome outcome;
    try {
        outcome.rules = read(file);
    } catch (const Kc_Error& error) {
        outcome.error = error.Message();
    }
    return outcome;
}

QString Describe(const Access_Rules& rules) {
    QStringList lines;
    for (const auto* list : {&rules.Read_Rules, &rules.Write_Rules}) {
        lines.append(QStringLiteral("--"));
        for (const Access_Rule& r : *list)
            lines.append(QStringList{r.Enable, r.Slave_ID, r.Type, r.Address_Mod, r.NPoint, r.PollTime,
                                     r.OnChange, r.OnCMD, r.MaxError, r.Address_Profi, r.Bit, r.Swap,
                                     r.ForceF15F16, r.Mnemonic}
                             .join(QLatin1Char('|')));
    }
    return lines.join(QLatin1Char('\n'));
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

void Tst_Sdo_Reader_Equivalence::same_result_as_the_tree_reader_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("readable");
    // Every fixture a document reader is tested with.
    for (const char* folder : {"sdo", "broken", "pargen", "diagnosis"}) {
        QDirIterator it(Fixture_Path(QString::fromLatin1(folder)), QDir::Files);
        while (it.hasNext()) {
            const QString path = it.next();
            QTest::newRow(qPrintable(QString::fromLatin1(folder) + QLatin1Char('/') + it.fileName()))
                << path << (qstrcmp(folder, "sdo") == 0);
        }
    }
    static QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const auto& [name, bytes] : Generated_Documents()) {
        const QString path = dir.filePath(name + QStringLiteral(".xml"));
        QVERIFY(Write_All(path, bytes));
        QTest::newRow(qPrintable(name)) << path << readable_documents.contains(name);
    }
}

void Tst_Sdo_Reader_Equivalence::same_result_as_the_tree_reader() {
    QFETCH(QString, file);
    QFETCH(bool, readable);
    const Outcome expected = Run(Load_Sdo_With_Dom, file);
    // The input is what it was built to be.
    QCOMPARE(expected.error.isEmpty(), readable);
    const Outcome actual = Run(Load_Sdo, file);
    QCOMPARE(actual.error, expected.error);
    QCOMPARE(Describe(actual.rules), Describe(expected.rules));
    QVERIFY(actual.rules == expected.rules);
}

QTEST_GUILESS_MAIN(Tst_Sdo_Reader_Equivalence)
#include "tst_sdo_reader_equivalence.moc"
