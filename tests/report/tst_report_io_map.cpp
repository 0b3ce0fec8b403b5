// The I/O map section of the commissioning report: the bytes of each area
// drawn free, used or shared with the marks of their occupants, and each
// area's findings under its own map.
#include "base/text_table.h"
#include "document/io_map_text.h"
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

Access_Rule Disabled(Access_Rule rule) {
    rule.Enable = "N";
    return rule;
}

// The part of the section from an area's heading to the next heading.
QString Area_Html(const QString& html, const QString& area_caption) {
    const qsizetype start = html.indexOf("<h3>" + area_caption.toHtmlEscaped() + "</h3>");
    if (start < 0)
        return {};
    const qsizetype end = html.indexOf("<h3>", start + 4);
    return html.mid(start, end < 0 ? -1 : end - start);
}

// What the map shows for a byte: "free" (a plain cell), "used 3" or
// "overlap 1,2" with the marks written in it, "absent" when the area has no
// such byte, or the cell itself when it is none of these.
QString Drawn(const QString& html, const QString& area_caption, int byte) {
    const QString area = Area_Html(html, area_caption);
    if (area.isEmpty())
        return "no area";
    const QRegularExpression cell(QStringLiteral("<td title=\"%1\"[^>]*>.*?</td>").arg(byte));
    const QRegularExpressionMatch match = cell.match(area);
    if (!match.hasMatch())
        return "absent";
    const QString text = match.captured(0);
    if (text == QStringLiteral("<td title=\"%1\"></td>").arg(byte))
        return "free";
    const auto used = QRegularExpression("bgcolor=\"#c8e6c9\">([^<!]+)</td>$").match(text);
    if (used.hasMatch())
        return "used " + used.captured(1);
    const auto shared = QRegularExpression("bgcolor=\"#ef9a9a\"><b>([^<!]+)!</b></td>$").match(text);
    if (shared.hasMatch())
        return "overlap " + shared.captured(1);
    return text;
}

} // namespace

class Tst_Report_Io_Map : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void bytes_are_drawn_as_the_map_finds_them_data();
    void bytes_are_drawn_as_the_map_finds_them();
    void findings_follow_the_picture();
    void findings_stay_under_their_area();
    void compact_lines_of_twenty_bytes();
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
        << 16 << QStringList{"used 1", "used 1", "overlap 1,2", "overlap 1,2", "free", "free"}
        << QStringList{"free", "free", "free", "free", "free", "free"};
    QTest::newRow("a write rule stays in the output area")
        << QList<Access_Rule>{} << QList<Access_Rule>{Register_Rule("4", "1")} << 16
        << QStringList{"free", "free", "free", "free", "free", "free"}
        << QStringList{"free", "free", "free", "free", "used 1", "used 1"};
    QTest::newRow("an area of four bytes draws four")
        << QList<Access_Rule>{Register_Rule("2", "1")} << QList<Access_Rule>{} << 4
        << QStringList{"free", "free", "used 1", "used 1", "absent", "absent"}
        << QStringList{"free", "free", "free", "free", "free", "free"};
    // A disabled rule marks nothing; the third row is marked with its own number.
    QTest::newRow("rows keep their numbers")
        << QList<Access_Rule>{Register_Rule("0", "1"), Disabled(Register_Rule("2", "1")),
                              Register_Rule("4", "1")}
        << QList<Access_Rule>{} << 16 << QStringList{"used 1", "used 1", "free", "free", "used 3", "used 3"}
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

    // Who uses which bytes, under the map of the input area, three to a line.
    QVERIFY2(
        Area_Html(html, texts[614])
            .contains(
                "<tr><td>0-3</td><td>Row 1 (m)</td><td>2-3</td><td>Row 2 (m)</td><td></td><td></td></tr>"),
        qPrintable(html));

    // Texts from a language file are escaped, never taken as markup.
    texts.Set_Text(934, "I/O <Map> & more");
    QVERIFY(Report_Io_Map_Section(map, texts).startsWith("<h2>I/O &lt;Map&gt; &amp; more</h2>"));
}

void Tst_Report_Io_Map::findings_stay_under_their_area() {
    Text_Table texts;
    // Input: rows 1 and 2 share byte 2-3 and the diagnosis copy at byte 8
    // meets row 3. Output: rows 1 and 2 share byte 4-5.
    General_Params params;
    params.Profi_Enable_Error = true;
    params.Profi_Diagnosis_Copy_Array = true;
    params.Profi_Diagnosis_Copy_Array_Position = "8";
    const Io_Map map =
        Io_Map_Of(params, {},
                  {{Register_Rule("0", "2"), Register_Rule("2", "1"), Register_Rule("8", "1", "50")},
                   {Register_Rule("4", "1"), Register_Rule("4", "1", "20")}});
    const QString html = Report_Io_Map_Section(map, texts);
    const QString input = Area_Html(html, texts[614]);
    const QString output = Area_Html(html, texts[615]);
    QStringList input_findings, output_findings;
    for (const Io_Overlap& overlap : map.Overlaps)
        (overlap.Area == Io_Area::Input ? input_findings : output_findings)
            .append(Io_Overlap_Message(texts, map, overlap));
    QCOMPARE(input_findings.size(), 2);
    QCOMPARE(output_findings.size(), 1);
    for (const QString& finding : input_findings) {
        QVERIFY2(input.contains("<li>" + finding.toHtmlEscaped() + "</li>"), qPrintable(finding));
        QVERIFY(!output.contains(finding.toHtmlEscaped()));
    }
    QVERIFY(output.contains("<li>" + output_findings[0].toHtmlEscaped() + "</li>"));
    QVERIFY(!input.contains(output_findings[0].toHtmlEscaped()));
    // The repeated read of rows 1 and 2 belongs to the read rules.
    QCOMPARE(map.Repeated_Reads.size(), 1);
    QVERIFY(input.contains(Io_Repeated_Read_Message(texts, map.Repeated_Reads[0]).toHtmlEscaped()));
    // The reserved area is marked with its letter, which the legend names.
    QCOMPARE(Drawn(html, texts[614], 10), QString("used C"));
    QCOMPARE(Drawn(html, texts[614], 8), QString("overlap C,3"));
    QVERIFY(html.contains("C = Diagnosis copy"));
    QVERIFY(!html.contains("No PROFIBUS byte is used twice."));
}

void Tst_Report_Io_Map::compact_lines_of_twenty_bytes() {
    Text_Table texts;
    Rules_Limits limits;
    limits.NByte_IN = 244;
    const QString html = Report_Io_Map_Section(Io_Map_Of(General_Params(), limits, {}), texts);
    const QString input = Area_Html(html, texts[614]);
    // 244 bytes: thirteen lines, headed 0, 20 ... 240, the last of four bytes.
    const QRegularExpression line("<tr><th>(\\d+)</th>((?:<td[^>]*>[^<]*</td>)+)</tr>");
    QStringList heads;
    QList<int> lengths;
    for (const auto& match : line.globalMatch(input)) {
        heads.append(match.captured(1));
        lengths.append(static_cast<int>(match.captured(2).count("<td")));
    }
    QCOMPARE(heads.size(), 13);
    QCOMPARE(heads.first(), QString("0"));
    QCOMPARE(heads.last(), QString("240"));
    QCOMPARE(lengths.first(), 20);
    QCOMPARE(lengths.last(), 4);
    // Free bytes are plain: no colour, no number.
    QCOMPARE(input.count("bgcolor"), 0);
    QCOMPARE(Drawn(html, texts[614], 243), QString("free"));
}

QTEST_MAIN(Tst_Report_Io_Map)
#include "tst_report_io_map.moc"
