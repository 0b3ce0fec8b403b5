#include "report/report_io_map.h"

#include "base/text_table.h"
#include "document/io_map_text.h"
#include "report/report_texts.h"

#include <QStringList>

namespace {

// Captions of the two areas, shared with the rules editor's pages.
constexpr int Text_Input_Area = 614;  // "PROFIBUS In --> Modbus Read"
constexpr int Text_Output_Area = 615; // "Modbus Write --> PROFIBUS Out"
constexpr int Text_Used = 921;
constexpr int Text_Overlap = 922;
constexpr int Text_No_Overlap = 923;
constexpr int Text_Used_By = 924;

// Twenty bytes to a line: the line headings 0, 20, 40 ... read as the
// decimal Position the rules give.
constexpr int Bytes_Per_Line = 20;
constexpr int Occupants_Per_Line = 3;

const QString used_colour = QStringLiteral("#c8e6c9");
const QString overlap_colour = QStringLiteral("#ef9a9a");

QString Escaped(const QString& text) {
    return text.toHtmlEscaped();
}

// The marks of a byte's occupants, each once, in occupant order.
QString Marks(const Io_Map& map, const QList<int>& occupants) {
    QStringList marks;
    for (int index : occupants) {
        const QString mark = Io_Occupant_Symbol(map.Occupants[index]);
        if (!marks.contains(mark))
            marks.append(mark);
    }
    return marks.join(u',');
}

// A byte of the map: plain when free; its marks on green when used, bold
// with "!" on red when shared. The title names the byte.
QString Byte_Cell(const QString& title, const QString& marks, bool shared) {
    if (marks.isEmpty())
        return QStringLiteral("<td title=\"%1\"></td>").arg(title);
    if (shared)
        return QStringLiteral("<td title=\"%1\" bgcolor=\"%2\"><b>%3!</b></td>")
            .arg(title, overlap_colour, marks);
    return QStringLiteral("<td title=\"%1\" bgcolor=\"%2\">%3</td>").arg(title, used_colour, marks);
}

QString Legend(const Io_Map& map, const Text_Table& texts) {
    QString html =
        QStringLiteral("<table class=\"legend\" border=\"1\" cellspacing=\"0\" cellpadding=\"1\"><tr>"
                       "<td>%1</td><td bgcolor=\"%2\">%3</td><td bgcolor=\"%4\"><b>%5!</b></td>"
                       "</tr></table>\n")
            .arg(Escaped(texts[Io_Text::Unused]), used_colour, Escaped(texts[Text_Used]), overlap_colour,
                 Escaped(texts[Text_Overlap]));
    // The letters of the reserved areas this map holds.
    QStringList marks = {texts[Report_Texts::Map_Rows]};
    QStringList reserved_seen;
    for (const Io_Occupant& occupant : map.Occupants) {
        if (occupant.Is_Rule())
            continue;
        const QString mark = Io_Occupant_Symbol(occupant);
        if (reserved_seen.contains(mark))
            continue;
        reserved_seen.append(mark);
        marks.append(mark + QStringLiteral(" = ") + Io_Occupant_Name(texts, occupant));
    }
    return html + QStringLiteral("<p>%1</p>\n").arg(Escaped(marks.join(QStringLiteral("; "))));
}

QString Area_Map(const Io_Map& map, Io_Area area) {
    const int bytes = map.Area_Bytes(area);
    if (bytes == 0)
        return QStringLiteral("<p>0</p>\n");
    const QList<QList<int>> occupants = map.Byte_Occupants(area);
    QString html = QStringLiteral("<table class=\"iomap\" border=\"1\" cellspacing=\"0\" cellpadding=\"1\" "
                                  "width=\"100%\">\n<thead><tr><th></th>");
    for (int column = 0; column < Bytes_Per_Line && column < bytes; ++column)
        html += QStringLiteral("<th>+%1</th>").arg(column);
    html += QStringLiteral("</tr></thead>\n<tbody>\n");
    for (int first = 0; first < bytes; first += Bytes_Per_Line) {
        html += QStringLiteral("<tr><th>%1</th>").arg(first);
        for (int byte = first; byte < first + Bytes_Per_Line && byte < bytes; ++byte)
            html += Byte_Cell(QString::number(byte), Marks(map, occupants.value(byte)),
                              !map.Overlaps_In_Byte(area, byte).isEmpty());
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</tbody>\n</table>\n");
}

// Who uses which bytes of the area, in the map's order (reserved areas
// first, then the rules by row), three to a line, read left to right.
QString Occupant_Table(const Io_Map& map, Io_Area area, const Text_Table& texts) {
    QStringList pairs;
    for (const Io_Occupant& occupant : map.Occupants) {
        if (occupant.Area != area)
            continue;
        QString name = Io_Occupant_Name(texts, occupant);
        if (occupant.Is_Rule() && !occupant.Mnemonic.trimmed().isEmpty())
            name += QStringLiteral(" (%1)").arg(occupant.Mnemonic.trimmed());
        pairs.append(QStringLiteral("<td>%1</td><td>%2</td>")
                         .arg(Io_Range_Text(occupant.First_Byte(), occupant.Last_Byte()), Escaped(name)));
    }
    if (pairs.isEmpty())
        return {};
    const QString header = QStringLiteral("<th>%1</th><th>%2</th>")
                               .arg(Escaped(texts[Io_Text::Byte].trimmed()), Escaped(texts[Text_Used_By]));
    QString html = QStringLiteral("<table class=\"rows\" border=\"1\" cellspacing=\"0\" cellpadding=\"1\" "
                                  "width=\"100%\">\n<thead><tr>") +
                   header.repeated(Occupants_Per_Line) + QStringLiteral("</tr></thead>\n<tbody>\n");
    for (qsizetype first = 0; first < pairs.size(); first += Occupants_Per_Line) {
        html += QStringLiteral("<tr>");
        for (qsizetype k = first; k < first + Occupants_Per_Line; ++k)
            html += k < pairs.size() ? pairs[k] : QStringLiteral("<td></td><td></td>");
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</tbody>\n</table>\n");
}

// The findings of one area: its overlaps; the repeated reads belong to the
// read rules, so to the input area.
QString Area_Findings(const Io_Map& map, Io_Area area, const Text_Table& texts) {
    QStringList findings;
    for (const Io_Overlap& overlap : map.Overlaps)
        if (overlap.Area == area)
            findings.append(Io_Overlap_Message(texts, map, overlap));
    if (area == Io_Area::Input)
        for (const Io_Repeated_Read& repeated : map.Repeated_Reads)
            findings.append(Io_Repeated_Read_Message(texts, repeated));
    if (findings.isEmpty())
        return {};
    QString html = QStringLiteral("<ul>\n");
    for (const QString& finding : findings)
        html += QStringLiteral("<li>%1</li>\n").arg(Escaped(finding));
    return html + QStringLiteral("</ul>\n");
}

QString Area_Section(const Io_Map& map, Io_Area area, const QString& caption, const Text_Table& texts) {
    return QStringLiteral("<h3>%1</h3>\n").arg(Escaped(caption)) + Area_Map(map, area) +
           Occupant_Table(map, area, texts) + Area_Findings(map, area, texts);
}

} // namespace

QString Report_Io_Map_Section(const Io_Map& map, const Text_Table& texts) {
    QString html = QStringLiteral("<h2>%1</h2>\n").arg(Escaped(texts[Io_Text::Caption]));
    html += Legend(map, texts);
    if (map.Overlaps.isEmpty())
        html += QStringLiteral("<p>%1</p>\n").arg(Escaped(texts[Text_No_Overlap]));
    html += Area_Section(map, Io_Area::Input, texts[Text_Input_Area], texts);
    html += Area_Section(map, Io_Area::Output, texts[Text_Output_Area], texts);
    return html;
}
