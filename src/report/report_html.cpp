#include "report/report_html.h"

#include "base/text_table.h"
#include "config/access_rules_table.h"
#include "config/access_rules_text.h"
#include "output/bank_build.h"
#include "output/gsd_writer.h"
#include "report/report_io_map.h"
#include "report/report_texts.h"

#include <QStringList>

#include <functional>

namespace {

namespace T = Report_Texts;

const QString date_format = QStringLiteral("yyyy-MM-dd HH:mm");

// The fixed lists of the general parameters editor.
const QStringList serial_items = {QStringLiteral("RS232"), QStringLiteral("RS485")};
const QStringList baud_items = {QStringLiteral("1200"),  QStringLiteral("2400"),  QStringLiteral("4800"),
                                QStringLiteral("9600"),  QStringLiteral("19200"), QStringLiteral("38400"),
                                QStringLiteral("57600"), QStringLiteral("115200")};
const QStringList parity_items = {QStringLiteral("NONE"), QStringLiteral("EVEN"), QStringLiteral("ODD")};
const QStringList stop_bits_items = {QStringLiteral("1 Stop Bit"), QStringLiteral("2 Stop Bits")};
const QStringList data_bits_items = {QStringLiteral("7 Stop Bits"), QStringLiteral("8 Stop Bits")};
const QStringList protocol_items = {QStringLiteral("Modbus RTU"), QStringLiteral("Modbus ASCII"),
                                    QStringLiteral("JBUS"), QStringLiteral("Binary"),
                                    QStringLiteral("ASCII")};
const QStringList profi_baud_items = {
    QStringLiteral("9600"),   QStringLiteral("19200"),        QStringLiteral("45.45K"),
    QStringLiteral("93.75K"), QStringLiteral("187.5K"),       QStringLiteral("500K"),
    QStringLiteral("1.5M"),   QStringLiteral("3.0M"),         QStringLiteral("6.0M"),
    QStringLiteral("12M"),    QStringLiteral("Auto Baudrate")};

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

// One row of a parameter panel: its caption text and its value.
struct Param_Row {
    int caption;
    QString value;
};

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

QString Panel(const Text_Table& texts, const QString& number, int heading, const QList<Param_Row>& rows) {
    QList<std::pair<QString, QString>> values;
    for (const Param_Row& row : rows)
        values.append({texts[row.caption], row.value});
    return Heading(3, number + texts[heading]) + Key_Value_Table(values);
}

// The general parameters, panel by panel, as the editor lays them out for
// the hardware variant ("with Ethernet": list item 1 selected).
QString General_Params_Section(const Report_Data& data, const Text_Table& texts) {
    const General_Params& p = data.Params;
    const bool ethernet = p.Hardware_Type == 1;
    auto flag = [&](bool on) { return Flag(texts, on); };
    auto flag_with = [&](bool on, const QString& value) { return flag(on) + QStringLiteral(", ") + value; };

    QString html = Heading(2, texts[400]);
    html +=
        Panel(texts, QStringLiteral("1. "), 406, {{407, Item({texts[408], texts[409]}, p.Hardware_Type)}});

    QList<Param_Row> modbus = {
        {412, Item(serial_items, p.Ser_Type)},
        {414, Item(baud_items, p.Ser_Baud)},
        {416, Item(parity_items, p.Ser_Par)},
        {418, Item(stop_bits_items, p.Ser_StopBits)},
    };
    if (!ethernet)
        modbus.append({498, Item(data_bits_items, p.Ser_DataBits)});
    modbus.append({420, p.Ser_TO});
    modbus.append({422, p.Ser_CD});
    if (!ethernet) {
        modbus.append({424, Item(protocol_items, p.Ser_Prot)});
        modbus.append({426, Item({texts[427], texts[428]}, p.Ser_Write_Mode)});
    }
    modbus.append({496, flag(p.Ser_Enable_Modbus_PROFIBUS_Active)});
    html += Panel(texts, QStringLiteral("2. "), 411, modbus);

    QList<Param_Row> profibus = {
        {431, p.Profi_ID},
        {433, Item(profi_baud_items, p.Profi_Baud)},
        {435, p.Profi_NB_IN},
        {437, p.Profi_NB_OUT},
    };
    if (ethernet) {
        // The diagnosis address stands beside the error check box.
        profibus.append({439, flag_with(p.Profi_Enable_Error, p.Profi_Enable_Error_Address)});
        profibus.append({443, flag(p.Profi_Enable_Diagnosis)});
    } else {
        profibus.append({439, flag(p.Profi_Enable_Error)});
        profibus.append({441, p.Profi_Num_Cont_Err});
        profibus.append({443, flag(p.Profi_Enable_Diagnosis)});
        profibus.append({445, flag(p.Profi_Enable_Cancel_Data)});
        profibus.append({447, flag(p.Profi_Diagnosis_Zero)});
        // The copy position stands beside the copy check box.
        profibus.append(
            {500, flag_with(p.Profi_Diagnosis_Copy_Array, p.Profi_Diagnosis_Copy_Array_Position)});
    }
    profibus.append({449, flag(p.Profi_Enable_Async_Mod_Req)});
    profibus.append({451, p.Profi_Async_Req_Start_IN});
    profibus.append({453, p.Profi_Async_Req_Start_OUT});
    if (!ethernet)
        profibus.append({455, flag(p.Del_Modbus_on_PROFI_error)});
    html += Panel(texts, QStringLiteral("3. "), 430, profibus);

    if (ethernet) {
        html += Panel(texts, QStringLiteral("4. "), 457,
                      {
                          {458, Dotted(p.Ethernet_IP1, p.Ethernet_IP2, p.Ethernet_IP3, p.Ethernet_IP4)},
                          {463, Dotted(p.Ethernet_SM1, p.Ethernet_SM2, p.Ethernet_SM3, p.Ethernet_SM4)},
                          {468, flag_with(p.Ethernet_EN_GAT, Dotted(p.Ethernet_GAT1, p.Ethernet_GAT2,
                                                                    p.Ethernet_GAT3, p.Ethernet_GAT4))},
                      });
    }
    return html;
}

// A rule table with the columns the editor shows for the hardware type:
// the row number, then each shown attribute; check boxes as Yes or No.
QString Rules_Section(const Report_Data& data, const Text_Table& texts, Rule_Table table) {
    const bool read = table == Rule_Table::Read;
    const bool ethernet = data.Limits.Hardware_Type != 0;
    QList<int> columns;
    if (read) {
        columns = {Read_Col::N,    Read_Col::Enable,      Read_Col::Slave_ID,
                   Read_Col::Type, Read_Col::Address_Mod, Read_Col::NPoint};
        if (ethernet)
            columns += {Read_Col::PollTime, Read_Col::MaxError};
        columns.append(Read_Col::Address_Profi);
        if (ethernet)
            columns.append(Read_Col::Bit);
        columns += {Read_Col::Swap, Read_Col::Mnemonic};
    } else {
        columns = {Write_Col::N,    Write_Col::Enable,      Write_Col::Slave_ID,
                   Write_Col::Type, Write_Col::Address_Mod, Write_Col::NPoint};
        if (ethernet)
            columns += {Write_Col::PollTime, Write_Col::OnChange, Write_Col::MaxError};
        columns.append(Write_Col::Address_Profi);
        if (ethernet)
            columns.append(Write_Col::Bit);
        columns += {Write_Col::Swap, Write_Col::ForceF15F16, Write_Col::Mnemonic};
    }
    auto header_text = [&](int column) {
        if (read)
            return texts[Rules_Text::Read_Header_N + column];
        if (column == Write_Col::ForceF15F16)
            return texts[Rules_Text::Write_Header_Force_F15_F16];
        if (column == Write_Col::Mnemonic)
            return texts[Rules_Text::Write_Header_Mnemonic];
        return texts[Rules_Text::Write_Header_N + column];
    };
    auto check_column = [&](int column) {
        if (read)
            return column == Read_Col::Enable || column == Read_Col::Swap;
        return column == Write_Col::Enable || column == Write_Col::OnChange || column == Write_Col::OnCMD ||
               column == Write_Col::Swap || column == Write_Col::ForceF15F16;
    };

    QStringList headers;
    for (int column : columns)
        headers.append(header_text(column));
    const QList<Access_Rule>& rules = read ? data.Rules.Read_Rules : data.Rules.Write_Rules;
    const auto& fields = Rule_Fields(table);
    QList<QStringList> rows;
    for (qsizetype k = 0; k < rules.size(); ++k) {
        QStringList row;
        for (int column : columns) {
            if (column == 0) {
                row.append(QString::number(k + 1));
                continue;
            }
            const QString& cell = rules[k].*fields[column - 1];
            row.append(check_column(column) ? Flag(texts, cell == QLatin1String("Y")) : cell);
        }
        rows.append(row);
    }
    return Heading(2, texts[read ? 614 : 615]) +
           Rows_Table(headers, rows, static_cast<int>(columns.size()) - 1);
}

QString Diagnosis_Section(const Report_Data& data, const Text_Table& texts) {
    QList<QStringList> rows;
    for (qsizetype i = 0; i < data.Diagnosis.IDs.size(); ++i) {
        const int entry = static_cast<int>(i) + 1;
        rows.append({QString::number(entry) + u'/' + ByteBit(entry), data.Diagnosis.IDs[i]});
    }
    return Heading(2, texts[700]) + Rows_Table({texts[706], texts[707]}, rows);
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
    QString html = Heading(2, texts[29]);
    if (!data.Gsd_Areas && data.Gsd_Error.isEmpty())
        return html + Paragraph(texts[904]);
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
                     texts[fixed ? 409 : 408] + QStringLiteral(" (") + Bank_Layout_Name(bank.Layout) + u')'});
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

QString Report_Page_Title(const Report_Data& data, const Text_Table& texts) {
    return data.Conf_Name + QStringLiteral(" - ") + texts[T::Title];
}

QString Report_Page_Number(const Text_Table& texts, int page, int pages) {
    return texts[T::Page] + QString::number(page) + texts[T::Page_Of] + QString::number(pages);
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
    html += Key_Value_Table({
        {texts[406], Item({texts[408], texts[409]}, data.Hardware_Type)},
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
    return html + QStringLiteral("</body>\n</html>\n");
}
