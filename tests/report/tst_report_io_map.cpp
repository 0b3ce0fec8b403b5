// The I/O map section of the commissioning report: the bytes of each area
// drawn free, used or shared, and the map's findings under them.
#include "base/text_table.h"
#include "config/io_map_text.h"
#include "report/configuration_check.h"
#include "report/report_io_map.h"

#include <QRegularExpression>
#include <QTest>

namespace {

Access_Rule Register_Rule(const QString& position, const QString& registers, const QString& address = "0") {
    Access_Rule rule;
    rule.Enable = "Y";
    rule.Slave_ID = "1";
    rule.Type = "Holding Register";
    rule.Address_Mod = address;
    rule.NPoint = registers;
    rule.Address_Profi = position;
    rule.Mnemonic = "m";
    return rule;
}

// What the picture shows for a byte: "free", "used" or "overlap", or
// "absent" when the area has no such byte.
QString Drawn(const QString& html, const QString& area_caption, int byte) {
    const qsizetype area_start = html.indexOf("<h3>" + area_caption.toHtmlEscaped() + "</h3>");
    if (area_start < 0)
        return "no area";
    const qsizetype area_end = html.indexOf("</table>", area_start);
    const QString area = html.mid(area_start, area_end - area_start);
    const QRegularExpression cell(
        QStringLiteral("<td align=\"center\" bgcolor=\"(#[0-9a-f]+)\">(?:<b>)?%1!?(?:</b>)?</td>").arg(byte));
    const QRegularExpressionMatch match = cell.match(area);
    if (!match.hasMatch())
        return "absent";
    const QString colour = match.captured(1);
    return colour == "#ffffff"   ? "free"
           : colour == "#c8e6c9" ? "used"
           : colour == "#ef9a9a" ? "overlap"
                                 : colour;
}

} // namespace

class Tst_Report_Io_Map : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void bytes_are_drawn_as_the_map_finds_them_data();
    void bytes_are_drawn_as_the_map_finds_them();
    void findings_follow_the_picture();
};

void Tst_Report_Io_Map::bytes_are_drawn_as_the_map_finds_them_data() {
    QTest::addColumn<QList<Access_Rule>>("reads");
    QTest::addColumn<QList<Access_Rule>>("writes");
    QTest::addColumn<int>("input_bytes");
    QTest::addColumn<QStringList>("input"); // bytes 0..5
    QTest::addColumn<QStringList>("output");

    QTest::newRow("nothing configured") << QList<Access_Rule>{} << QList<Access_Rule>{} << 16
                                        << QStringList{"free", "free", "free", "free", "free", "free"}
                                        << QStringList{"free", "free", "free", "free", "free", "free"};
    QTest::newRow("two registers then one sharing byte 2-3")
        << QList<Access_Rule>{Register_Rule("0", "2"), Register_Rule("2", "1", "10")} << QList<Access_Rule>{}
        << 16 << QStringList{"used", "used", "overlap", "overlap", "free", "free"}
        << QStringList{"free", "free", "free", "free", "free", "free"};
    QTest::newRow("a write rule stays in the output area")
        << QList<Access_Rule>{} << QList<Access_Rule>{Register_Rule("4", "1")} << 16
        << QStringList{"free", "free", "free", "free", "free", "free"}
        << QStringList{"free", "free", "free", "free", "used", "used"};
    QTest::newRow("an area of four bytes draws four")
        << QList<Access_Rule>{Register_Rule("2", "1")} << QList<Access_Rule>{} << 4
        << QStringList{"free", "free", "used", "used", "absent", "absent"}
        << QStringList{"free", "free", "free", "free", "free", "free"};
}

void Tst_Report_Io_Map::bytes_are_drawn_as_the_map_finds_them() {
    QFETCH(QList<Access_Rule>, reads);
    QFETCH(QList<Access_Rule>, writes);
    QFETCH(int, input_bytes);
    QFETCH(QStringList, input);
    QFETCH(QStringList, output);
    Text_Table texts;
    Rules_Limits limits;
    limits.NByte_IN = input_bytes;
    const QString html = Report_Io_Map_Section(Io_Map_Of(General_Params(), limits, {reads, writes}), texts);

    QStringList drawn_input, drawn_output;
    for (int byte = 0; byte < 6; ++byte) {
        drawn_input << Drawn(html, texts[614], byte);
        drawn_output << Drawn(html, texts[615], byte);
    }
    QCOMPARE(drawn_input, input);
    QCOMPARE(drawn_output, output);
    QCOMPARE(Drawn(html, texts[615], 243), QString("free"));
    QCOMPARE(Drawn(html, texts[615], 244), QString("absent"));
}

void Tst_Report_Io_Map::findings_follow_the_picture() {
    Text_Table texts;
    const QString clean = Report_Io_Map_Section(Io_Map_Of(General_Params(), {}, {}), texts);
    QVERIFY(clean.startsWith("<h2>PROFIBUS I/O Map</h2>"));
    QVERIFY(clean.contains("<p>No PROFIBUS byte is used twice.</p>"));
    QVERIFY(!clean.contains("<li>"));

    // Rows 1 and 2 share bytes 2-3 and read the same registers.
    const Io_Map map =
        Io_Map_Of(General_Params(), {}, {{Register_Rule("0", "2"), Register_Rule("2", "1")}, {}});
    QCOMPARE(map.Overlaps.size(), 1);
    QCOMPARE(map.Repeated_Reads.size(), 1);
    const QString html = Report_Io_Map_Section(map, texts);
    QVERIFY(!html.contains("No PROFIBUS byte is used twice."));
    QVERIFY2(
        html.contains("<li>" + Io_Overlap_Message(texts, map, map.Overlaps[0]).toHtmlEscaped() + "</li>"),
        qPrintable(html));
    QVERIFY(html.contains("<li>" + Io_Repeated_Read_Message(texts, map.Repeated_Reads[0]).toHtmlEscaped() +
                          "</li>"));

    // Who uses which bytes, under the picture of the input area.
    QVERIFY2(html.contains("<tr><td>0-3</td><td>Row 1 (m)</td></tr>"), qPrintable(html));
    QVERIFY(html.contains("<tr><td>2-3</td><td>Row 2 (m)</td></tr>"));

    // Texts from a language file are escaped, never taken as markup.
    texts.Set_Text(934, "I/O <Map> & more");
    QVERIFY(Report_Io_Map_Section(map, texts).startsWith("<h2>I/O &lt;Map&gt; &amp; more</h2>"));
}

QTEST_MAIN(Tst_Report_Io_Map)
#include "tst_report_io_map.moc"
