#include "report/report_html.h"

#include "base/shown_text.h"
#include "base/text_table.h"
#include "document/access_rules_table.h"
#include "document/access_rules_text.h"
#include "document/diagnosis_text.h"
#include "document/general_params_fields.h"
#include "document/rule_grid_columns.h"
#include "output/bank_build.h"
#include "output/gsd_step.h"
#include "output/gsd_writer.h"
#include "report/device_state.h"
#include "report/report_io_map.h"
#include "report/report_texts.h"

#include <QStringList>

#include <functional>

namespace {

namespace T = Report_Texts;

const QString date_format = QStringLiteral("yyyy-MM-dd HH:mm");

// A list shows nothing for an index outside it.
QString Item(const QStringList& items, int index) {
    return items.value(index);
}

QString Escaped(const QString& text) {
    return text.toHtmlEscaped();
}

QString Flag(const Text_Table& texts, bool on) {
    return texts[on ? T::Yes : T::No];
}

QString Dotted(const QString& a, const QString& b, const QString& c, const QString& d) {
    return a + u'.' + b + u'.' + c + u'.' + d;
}

QString Key_Value_Table(const QList<std::pair<QString, QString>>& rows) {
    QString html = QStringLiteral("<table class=\"values\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\" "
                                  "width=\"80%\">\n");
    for (const auto& [caption, value] : rows)
        html += QStringLiteral("<tr><td width=\"55%\">%1</td><td>%2</td></tr>\n")
                    .arg(Escaped(caption), Escaped(value));
    return html + QStringLiteral("</table>\n");
}

// A table of rows under a header row that repeats on every page. Cells stay
// on one line but those of `wrapping_column` (-1: none).
QString Rows_Table(const QStringList& headers, const QList<QStringList>& rows, int wrapping_column = -1) {
    QString html = QStringLiteral("<table class=\"rows\" border=\"1\" cellspacing=\"0\" cellpadding=\"1\" "
                                  "width=\"100%\">\n<thead><tr>");
    for (const QString& header : headers)
        html += QStringLiteral("<th>%1</th>").arg(Escaped(header));
    html += QStringLiteral("</tr></thead>\n<tbody>\n");
    for (const QStringList& row : rows) {
        html += QStringLiteral("<tr>");
        for (qsizetype c = 0; c < row.size(); ++c)
            html += (c == wrapping_column ? QStringLiteral("<td class=\"wrap\">%1</td>")
                                          : QStringLiteral("<td>%1</td>"))
                        .arg(Escaped(row[c]));
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</tbody>\n</table>\n");
}

QString Heading(int level, const QString& text) {
    return QStringLiteral("<h%1>%2</h%1>\n").arg(level).arg(Escaped(text));
}

QString Paragraph(const QString& text) {
    return QStringLiteral("<p>%1</p>\n").arg(Escaped(text));
}

// What a field of the general parameters editor shows: a list's item, an
// edit's text, a check box as Yes or No, an address with its dots.
QString Field_Value(const Par_Field::Field& field, const General_Params& p, const Text_Table& texts) {
    switch (field.kind) {
    case Par_Field::Kind::List: {
        QStringList items = field.items;
        for (int text : field.item_texts)
            items.append(texts[text]);
        return Item(items, p.*field.index);
    }
    case Par_Field::Kind::Edit:
        return p.*field.text;
    case Par_Field::Kind::Check:
        return Flag(texts, p.*field.flag);
    case Par_Field::Kind::Octets:
        return Dotted(p.*field.octets[0], p.*field.octets[1], p.*field.octets[2], p.*field.octets[3]);
    }
    return {};
}

// The general parameters, panel by panel, as the editor lays them out for
// the hardware variant ("with Ethernet": list item 1 selected); a field
// beside another joins that one's row.
QString General_Params_Section(const Report_Data& data, const Text_Table& texts) {
    const General_Params& p = data.Params;
    const bool ethernet = p.Hardware_Type == 1;
    QString html = Heading(2, texts[Par_Field::Text::Caption]);
    for (Par_Field::Panel panel : Par_Field::Panels) {
        if (!Par_Field::Panel_Shown(panel, ethernet))
            continue;
        QList<std::pair<QString, QString>> rows;
        bool row_shown = false;
        for (const Par_Field::Field& field : Par_Field::Fields()) {
            if (field.panel != panel)
                continue;
            if (!field.beside)
                row_shown = Par_Field::Field_Shown(field, ethernet);
            if (!row_shown || !Par_Field::Field_Shown(field, ethernet))
                continue;
            const QString value = Field_Value(field, p, texts);
            if (field.beside && !rows.isEmpty())
                rows.last().second += QStringLiteral(", ") + value;
            else
                rows.append({texts[field.caption], value});
        }
        html += Heading(3, Par_Field::Panel_Number(panel) + texts[Par_Field::Panel_Caption(panel)]) +
                Key_Value_Table(rows);
    }
    return html;
}

// A rule table with the columns the editor shows for the hardware type:
// the row number, then each shown attribute; check boxes as Yes or No.
QString Rules_Section(const Report_Data& data, const Text_Table& texts, Rule_Table table) {
    const bool read = table == Rule_Table::Read;
    QList<Rule_Column> columns;
    QStringList headers;
    for (const Rule_Column& column : Rule_Columns(table)) {
        if (Rule_Column_Shown_For(column, data.Limits.Hardware_Type)) {
            columns.append(column);
            headers.append(texts[column.header_text]);
        }
    }
    const QList<Access_Rule>& rules = read ? data.Rules.Read_Rules : data.Rules.Write_Rules;
    QList<QStringList> rows;
    for (qsizetype k = 0; k < rules.size(); ++k) {
        QStringList row;
        for (const Rule_Column& column : columns) {
            if (!column.field) {
                row.append(QString::number(k + 1));
                continue;
            }
            const QString& cell = rules[k].*column.field;
            row.append(column.kind == Rule_Column_Kind::Check ? Flag(texts, cell == QLatin1String("Y"))
                                                              : cell);
        }
        rows.append(row);
    }
    return Heading(2, texts[read ? Rules_Text::Read_Page : Rules_Text::Write_Page]) +
           Rows_Table(headers, rows, static_cast<int>(columns.size()) - 1);
}

QString Diagnosis_Section(const Report_Data& data, const Text_Table& texts) {
    QList<QStringList> rows;
    for (qsizetype i = 0; i < data.Diagnosis.IDs.size(); ++i) {
        const int entry = static_cast<int>(i) + 1;
        rows.append({QString::number(entry) + u'/' + ByteBit(entry), data.Diagnosis.IDs[i]});
    }
    return Heading(2, texts[Diagnosis_Text::Caption]) +
           Rows_Table({texts[Diagnosis_Text::Mapping_Header], texts[Diagnosis_Text::Id_Header]}, rows);
}

// x in upper-case hexadecimal after "0x", at least `digits` digits.
QString Hex(quint32 x, int digits) {
    return QStringLiteral("0x") + QStringLiteral("%1").arg(x, digits, 16, QLatin1Char('0')).toUpper();
}

// The count, then one line per module: its name in the GSD file, its size
// and its identifier bytes.
QString Modules_Text(const QList<GSD_Module>& modules, bool input) {
    QStringList lines;
    for (const GSD_Module& module : modules) {
        if (module.Input != input)
            continue;
        const QStringList identifier = {Hex(input ? 0x42 : 0x82, 2), Hex(module.Size - 1, 2), Hex(0, 2),
                                        Hex(module.Number, 2)};
        lines.append(QStringLiteral("%1 (PORT%2): %3 (%4)")
                         .arg(input ? QStringLiteral("DI") : QStringLiteral("DO"))
                         .arg(module.Number)
                         .arg(module.Size)
                         .arg(identifier.join(u',')));
    }
    return QString::number(lines.size()) + (lines.isEmpty() ? QString() : u'\n' + lines.join(u'\n'));
}

QString Gsd_Section(const Report_Data& data, const Text_Table& texts) {
    QString html = Heading(2, texts[Gsd_Text::Step]);
    if (!data.Gsd_Areas && data.Gsd_Error.isEmpty())
        return html + Paragraph(texts[Gsd_Text::Pargen_Missing]);
    QList<std::pair<QString, QString>> rows = {
        {texts[T::File_Name], data.Gsd_Files.isEmpty() ? QStringLiteral("-") : data.Gsd_Files.join(u'\n')},
        {texts[T::Ident], data.Gsd_Ident},
    };
    if (data.Gsd_Areas) {
        const QList<GSD_Module> modules = GSD_Modules(data.Gsd_Areas->In_Bytes, data.Gsd_Areas->Out_Bytes);
        rows.append({texts[T::In_Modules], Modules_Text(modules, true)});
        rows.append({texts[T::Out_Modules], Modules_Text(modules, false)});
    }
    html += Key_Value_Table(rows);
    if (!data.Gsd_Error.isEmpty())
        html += Paragraph(data.Gsd_Error);
    return html;
}

QString Bank_Section(const Report_Data& data, const Text_Table& texts) {
    const Report_Bank& bank = data.Bank;
    QString html = Heading(2, texts[T::Image] + QStringLiteral(" (bank.bin)"));
    if (!bank.Built)
        return html + Paragraph(texts[T::Not_Built]);
    QList<std::pair<QString, QString>> rows = {
        {texts[T::File_Name], bank.File},
        {texts[T::Date], bank.Modified.toString(date_format)},
        {texts[T::Size], QString::number(bank.Size)},
    };
    if (bank.Error.isEmpty()) {
        const bool fixed = bank.Layout == Bank_Layout::Fixed;
        rows.append({texts[T::Layout],
                     texts[fixed ? Par_Field::Text::With_Ethernet : Par_Field::Text::Without_Ethernet] +
                         QStringLiteral(" (") + Bank_Layout_Name(bank.Layout) + u')'});
        QString checksum = QStringLiteral("-");
        if (bank.Has_Checksum) {
            checksum = Hex(bank.Checksum_Stored, 8);
            if (bank.Checksum_Stored != bank.Checksum_Computed)
                checksum += QStringLiteral(" != ") + Hex(bank.Checksum_Computed, 8);
        }
        rows.append({texts[T::Checksum], checksum});
    }
    html += Key_Value_Table(rows);
    if (!bank.Error.isEmpty())
        html += Paragraph(bank.Error);
    return html;
}

} // namespace

QString Report_Bank_State_Line(const Report_Bank& bank, const Text_Table& texts) {
    switch (bank.State) {
    case Bank_State::Up_To_Date:
        return texts[T::Bank_Up_To_Date];
    case Bank_State::Stale:
        return texts[T::Bank_Stale];
    case Bank_State::Missing:
        return texts[T::Bank_Missing];
    case Bank_State::Not_Buildable:
        return texts[T::Bank_Not_Buildable] + bank.Build_Error;
    case Bank_State::Unreadable:
        return texts[T::Bank_Unreadable] + bank.Error;
    }
    return {};
}

QString Report_Page_Title(const Report_Data& data, const Text_Table& texts) {
    return data.Conf_Name + QStringLiteral(" - ") + texts[T::Title];
}

QString Report_Page_Number(const Text_Table& texts, int page, int pages) {
    return texts[T::Page] + QString::number(page) + texts[T::Page_Of] + QString::number(pages);
}

// How an update ended, in the words of the main window's device line.
QString Update_End_Text(const Update_Entry& entry, const Text_Table& texts) {
    namespace D = Device_State_Texts;
    switch (entry.End) {
    case Update_End::Exit_Status:
        return texts[D::Exit_Status].trimmed() + u' ' + QString::number(entry.Exit_Code);
    case Update_End::Crashed:
        return texts[D::Crashed].trimmed() + QStringLiteral(" (") + QString::number(entry.Exit_Code) + u')';
    case Update_End::Still_Running:
        return texts[D::Running].trimmed();
    case Update_End::Refused:
        return texts[D::Refused].trimmed();
    case Update_End::Stopped:
        return texts[D::Stopped].trimmed();
    }
    return {};
}

// The last updates recorded, newest first.
QString History_Section(const Report_Data& data, const Text_Table& texts) {
    constexpr int shown_entries = 10;
    QString html = Heading(2, texts[T::History]);
    if (data.History.Status == Update_History::State::Unreadable ||
        data.History.Status == Update_History::State::Future || data.History.Entries.isEmpty())
        return html + Paragraph(Device_State_Text(data.Device, texts));
    QList<QStringList> rows;
    for (qsizetype i = data.History.Entries.size() - 1; i >= 0 && rows.size() < shown_entries; --i) {
        const Update_Entry& entry = data.History.Entries[i];
        QStringList sent;
        if (entry.Firmware)
            sent << texts[T::History_Firmware].trimmed();
        if (entry.Configuration)
            sent << texts[T::History_Configuration].trimmed();
        if (entry.Read_Back)
            sent << texts[T::History_Read_Back].trimmed();
        rows.append({entry.Time.toLocalTime().toString(date_format), Escape_Controls(entry.Target),
                     sent.join(QStringLiteral(", ")), Update_End_Text(entry, texts),
                     entry.Image_Sha256.left(16)});
    }
    return html + Paragraph(Device_State_Text(data.Device, texts)) +
           Rows_Table({texts[T::History_Time], texts[T::History_Target], texts[T::History_Sent],
                       texts[T::History_End], texts[T::History_Image]},
                      rows);
}

QString Report_Html(const Report_Data& data, const Text_Table& texts) {
    QString html =
        QStringLiteral(
            "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>%1</title>\n"
            "<style>\n"
            "body { font-family: sans-serif; font-size: 9pt; }\n"
            "table { border-collapse: collapse; margin-bottom: 6pt; }\n"
            "th { background-color: #dddddd; text-align: left; }\n"
            "td { white-space: pre-wrap; }\n"
            "table.rows { font-size: 8pt; }\n"
            "table.rows td { white-space: pre; }\n"
            "table.rows td.wrap { white-space: pre-wrap; }\n"
            "h1 { font-size: 16pt; } h2 { font-size: 12pt; margin-top: 12pt; } h3 { font-size: 10pt; }\n"
            "</style>\n</head>\n<body>\n")
            .arg(Escaped(Report_Page_Title(data, texts)));
    html += Heading(1, texts[T::Title]);
    html += Heading(2, data.Conf_Name);
    html += QStringLiteral("<p class=\"bank-state\"><b>%1</b></p>\n")
                .arg(Escaped(Report_Bank_State_Line(data.Bank, texts)));
    html += QStringLiteral("<p class=\"device-state\">%1</p>\n")
                .arg(Escaped(Device_State_Text(data.Device, texts)));
    html += Key_Value_Table({
        {texts[Par_Field::Panel_Caption(Par_Field::Panel::Hardware_Type)],
         Item({texts[Par_Field::Text::Without_Ethernet], texts[Par_Field::Text::With_Ethernet]},
              data.Hardware_Type)},
        {texts[T::Date], data.Date.toString(date_format)},
        {texts[T::Version], data.Program_Version},
    });
    html += General_Params_Section(data, texts);
    html += Rules_Section(data, texts, Rule_Table::Read);
    html += Rules_Section(data, texts, Rule_Table::Write);
    html += Report_Io_Map_Section(data.Map, texts);
    if (data.Hardware_Type == 0)
        html += Diagnosis_Section(data, texts);
    html += Gsd_Section(data, texts);
    html += Bank_Section(data, texts);
    html += History_Section(data, texts);
    return html + QStringLiteral("</body>\n</html>\n");
}
