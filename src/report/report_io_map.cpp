#include "report/report_io_map.h"

#include "base/text_table.h"
#include "config/io_map_text.h"

namespace {

// Captions of the two areas, shared with the rules editor's pages.
constexpr int Text_Input_Area = 614;  // "PROFIBUS In --> Modbus Read"
constexpr int Text_Output_Area = 615; // "Modbus Write --> PROFIBUS Out"
constexpr int Text_Used = 921;
constexpr int Text_Overlap = 922;
constexpr int Text_No_Overlap = 923;
constexpr int Text_Used_By = 924;

constexpr int Bytes_Per_Line = 16;

const QString free_colour = QStringLiteral("#ffffff");
const QString used_colour = QStringLiteral("#c8e6c9");
const QString overlap_colour = QStringLiteral("#ef9a9a");

enum class Byte_State { Free, Used, Overlap };

Byte_State State_Of(const Io_Map& map, Io_Area area, const QList<QList<int>>& occupants, int byte) {
    if (!map.Overlaps_In_Byte(area, byte).isEmpty())
        return Byte_State::Overlap;
    return occupants.value(byte).isEmpty() ? Byte_State::Free : Byte_State::Used;
}

QString Cell(const QString& text, Byte_State state) {
    switch (state) {
    case Byte_State::Free:
        return QStringLiteral("<td align=\"center\" bgcolor=\"%1\">%2</td>").arg(free_colour, text);
    case Byte_State::Used:
        return QStringLiteral("<td align=\"center\" bgcolor=\"%1\">%2</td>").arg(used_colour, text);
    case Byte_State::Overlap:
        return QStringLiteral("<td align=\"center\" bgcolor=\"%1\"><b>%2!</b></td>")
            .arg(overlap_colour, text);
    }
    return {};
}

QString Legend(const Text_Table& texts) {
    return QStringLiteral("<table class=\"legend\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\"><tr>") +
           Cell(texts[Io_Text::Unused].toHtmlEscaped(), Byte_State::Free) +
           Cell(texts[Text_Used].toHtmlEscaped(), Byte_State::Used) +
           Cell(texts[Text_Overlap].toHtmlEscaped(), Byte_State::Overlap) + QStringLiteral("</tr></table>\n");
}

QString Area_Picture(const Io_Map& map, Io_Area area, const QString& caption) {
    QString html = QStringLiteral("<h3>%1</h3>\n").arg(caption.toHtmlEscaped());
    const int bytes = map.Area_Bytes(area);
    if (bytes == 0)
        return html + QStringLiteral("<p>0</p>\n");
    const QList<QList<int>> occupants = map.Byte_Occupants(area);
    html += QStringLiteral("<table class=\"iomap\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\n");
    for (int first = 0; first < bytes; first += Bytes_Per_Line) {
        html += QStringLiteral("<tr>");
        for (int byte = first; byte < first + Bytes_Per_Line && byte < bytes; ++byte)
            html += Cell(QString::number(byte), State_Of(map, area, occupants, byte));
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</table>\n");
}

// Who uses which bytes of the area, in the map's order: reserved areas
// first, then the rules by row.
QString Occupant_Table(const Io_Map& map, Io_Area area, const Text_Table& texts) {
    QString rows;
    for (const Io_Occupant& occupant : map.Occupants) {
        if (occupant.Area != area)
            continue;
        QString name = Io_Occupant_Name(texts, occupant);
        if (occupant.Is_Rule() && !occupant.Mnemonic.trimmed().isEmpty())
            name += QStringLiteral(" (%1)").arg(occupant.Mnemonic.trimmed());
        rows += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>\n")
                    .arg(Io_Range_Text(occupant.First_Byte(), occupant.Last_Byte()), name.toHtmlEscaped());
    }
    if (rows.isEmpty())
        return {};
    return QStringLiteral("<table class=\"rows\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\n"
                          "<thead><tr><th>%1</th><th>%2</th></tr></thead>\n<tbody>\n")
               .arg(texts[Io_Text::Byte].trimmed().toHtmlEscaped(), texts[Text_Used_By].toHtmlEscaped()) +
           rows + QStringLiteral("</tbody>\n</table>\n");
}

} // namespace

QString Report_Io_Map_Section(const Io_Map& map, const Text_Table& texts) {
    QString html = QStringLiteral("<h2>%1</h2>\n").arg(texts[Io_Text::Caption].toHtmlEscaped());
    html += Legend(texts);
    html += Area_Picture(map, Io_Area::Input, texts[Text_Input_Area]);
    html += Occupant_Table(map, Io_Area::Input, texts);
    html += Area_Picture(map, Io_Area::Output, texts[Text_Output_Area]);
    html += Occupant_Table(map, Io_Area::Output, texts);

    QStringList findings;
    for (const Io_Overlap& overlap : map.Overlaps)
        findings.append(Io_Overlap_Message(texts, map, overlap));
    for (const Io_Repeated_Read& repeated : map.Repeated_Reads)
        findings.append(Io_Repeated_Read_Message(texts, repeated));
    if (map.Overlaps.isEmpty())
        html += QStringLiteral("<p>%1</p>\n").arg(texts[Text_No_Overlap].toHtmlEscaped());
    if (!findings.isEmpty()) {
        html += QStringLiteral("<ul>\n");
        for (const QString& finding : findings)
            html += QStringLiteral("<li>%1</li>\n").arg(finding.toHtmlEscaped());
        html += QStringLiteral("</ul>\n");
    }
    return html;
}
