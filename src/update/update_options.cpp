#include "update/update_options.h"

#include "base/kc_error.h"
#include "base/save_file.h"
#include "base/xml_document.h"
#include "base/xml_text.h"

#include <QDir>
#include <QXmlStreamWriter>
#include <algorithm>

namespace {

bool Has_Firmware_Step(int option_index) {
    return option_index == Option_Firmware_Configuration || option_index == Option_Firmware;
}

bool Has_Configuration_Step(int option_index) {
    return option_index == Option_Firmware_Configuration || option_index == Option_Configuration;
}

QString With_Separators(const QString& path, QChar separator) {
    QString result = path;
    result.replace(QLatin1Char('/'), separator);
    result.replace(QLatin1Char('\\'), separator);
    return result;
}

QString Firmware_Path(const Ethernet_Update_Params& p) {
    return With_Separators(p.master_dir, p.separator) + p.separator + Ethernet_Firmware_File;
}

QString Bank_Path(const Ethernet_Update_Params& p) {
    const QChar sep = p.separator;
    return With_Separators(p.conf_dir, sep) + sep + QStringLiteral("bin") + sep + QStringLiteral("bank.bin");
}

} // namespace

QStringList Update_Options(int option_index, bool read_back) {
    const QString no = QStringLiteral("NO ");
    const bool firmware = Has_Firmware_Step(option_index);
    const bool configuration = Has_Configuration_Step(option_index);
    return {firmware ? QStringLiteral("FW ") : no, firmware && read_back ? QStringLiteral("FR ") : no,
            configuration ? QStringLiteral("PW ") : no,
            configuration && read_back ? QStringLiteral("PR ") : no};
}

Command_Line_Style Windows_Command_Line_Style() {
    return {QStringLiteral("\\\\.\\"), QLatin1Char('\\')};
}

Command_Line_Style Native_Command_Line_Style() {
#ifdef Q_OS_WIN
    return Windows_Command_Line_Style();
#else
    return {QStringLiteral("/dev/"), QLatin1Char('/')};
#endif
}

QStringList Serial_Arguments(const QString& port_name, int option_index, bool read_back,
                             const QString& master_dir, const QString& conf_dir,
                             const Command_Line_Style& style) {
    const QChar sep = style.separator;
    QStringList arguments{style.device_prefix + port_name};
    for (const QString& token : Update_Options(option_index, read_back))
        arguments << token.trimmed();
    arguments << With_Separators(master_dir, sep) + sep + Serial_Firmware_File;
    arguments << With_Separators(conf_dir, sep) + sep + QStringLiteral("bin") + sep;
    return arguments;
}

QString Windows_Quote_Argument(const QString& argument) {
    const bool needs_quotes =
        argument.isEmpty() || std::any_of(argument.cbegin(), argument.cend(), [](QChar c) {
            return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
                   c == QLatin1Char('\v') || c == QLatin1Char('"');
        });
    if (!needs_quotes)
        return argument;
    QString quoted = QStringLiteral("\"");
    qsizetype backslashes = 0;
    for (QChar c : argument) {
        if (c == QLatin1Char('\\')) {
            ++backslashes;
            continue;
        }
        if (c == QLatin1Char('"')) {
            // Backslashes before a quote are doubled, and the quote escaped.
            quoted += QString(backslashes * 2 + 1, QLatin1Char('\\'));
            quoted += c;
        } else {
            quoted += QString(backslashes, QLatin1Char('\\'));
            quoted += c;
        }
        backslashes = 0;
    }
    // Backslashes before the closing quote are doubled so that it stays one.
    quoted += QString(backslashes * 2, QLatin1Char('\\'));
    quoted += QLatin1Char('"');
    return quoted;
}

QString Windows_Command_Line(const QStringList& arguments) {
    QStringList quoted;
    for (const QString& argument : arguments)
        quoted << Windows_Quote_Argument(argument);
    return quoted.join(QLatin1Char(' '));
}

QString Serial_Command_Line(const QString& port_name, int option_index, bool read_back,
                            const QString& master_dir, const QString& conf_dir) {
    const Command_Line_Style style = Windows_Command_Line_Style();
    const QChar sep = style.separator;
    const QChar quote = QLatin1Char('"');
    QString line = style.device_prefix + port_name + QLatin1Char(' ');
    for (const QString& token : Update_Options(option_index, read_back))
        line += token;
    line += quote + With_Separators(master_dir, sep) + sep + Serial_Firmware_File + quote + QLatin1Char(' ');
    line += quote + With_Separators(conf_dir, sep) + sep + QStringLiteral("bin") + sep + quote;
    return line;
}

QStringList Split_Serial_Command_Line(const QString& line, QString& error) {
    QStringList pieces;
    qsizetype at = 0;
    const auto skip_blanks = [&] {
        while (at < line.size() && (line[at] == QLatin1Char(' ') || line[at] == QLatin1Char('\t')))
            ++at;
    };
    for (int piece = 0; piece < 7; ++piece) {
        skip_blanks();
        if (at >= line.size()) {
            error = QStringLiteral("got %1 arguments").arg(pieces.size());
            return {};
        }
        if (piece < 5) {
            const qsizetype start = at;
            while (at < line.size() && line[at] != QLatin1Char(' ') && line[at] != QLatin1Char('\t'))
                ++at;
            pieces << line.mid(start, at - start);
            continue;
        }
        if (line[at] != QLatin1Char('"')) {
            error = QStringLiteral("argument %1 does not start with a double quote").arg(piece + 1);
            return {};
        }
        const qsizetype close = line.indexOf(QLatin1Char('"'), at + 1);
        if (close < 0) {
            error = QStringLiteral("argument %1 has no closing double quote").arg(piece + 1);
            return {};
        }
        pieces << line.mid(at + 1, close - at - 1);
        at = close + 1;
        if (at < line.size() && line[at] != QLatin1Char(' ') && line[at] != QLatin1Char('\t')) {
            error = QStringLiteral("argument %1 goes on after its closing double quote").arg(piece + 1);
            return {};
        }
    }
    skip_blanks();
    if (at < line.size()) {
        error = QStringLiteral("more than 7 arguments: %1").arg(line.mid(at));
        return {};
    }
    return pieces;
}

QString Updater_Program_Path(const QString& program_dir, const QString& base_name) {
#ifdef Q_OS_WIN
    return QDir(program_dir).filePath(base_name + QStringLiteral(".exe"));
#else
    return QDir(program_dir).filePath(base_name);
#endif
}

namespace {

void Write_Operation(QXmlStreamWriter& w, const Ethernet_Update_Params& p, bool firmware_step) {
    w.writeStartElement(QStringLiteral("Operation"));
    w.writeTextElement(QStringLiteral("Ope_Protection_Enabled"), QString());
    w.writeTextElement(QStringLiteral("Ope_GoToBoot_Before"), QStringLiteral("0"));
    w.writeTextElement(QStringLiteral("Ope_GoToApp_Before"), QStringLiteral("0"));
    w.writeTextElement(QStringLiteral("Ope_IP_Address"), QString());
    w.writeTextElement(QStringLiteral("Ope_Port"), QStringLiteral("2008"));
    w.writeTextElement(QStringLiteral("Ope_Port_Sec"), QStringLiteral("2007"));
    w.writeTextElement(QStringLiteral("Ope_Erase_Memory"), QStringLiteral("0"));
    w.writeTextElement(QStringLiteral("Ope_FileName"), firmware_step ? Firmware_Path(p) : Bank_Path(p));
    w.writeTextElement(QStringLiteral("Ope_Start_Address"),
                       firmware_step ? QStringLiteral("0x8000") : QStringLiteral("0x64000"));
    w.writeTextElement(QStringLiteral("Ope_Memory_Type"), QStringLiteral("0"));
    w.writeTextElement(QStringLiteral("Ope_Bank_Type"),
                       firmware_step ? QStringLiteral("1") : QStringLiteral("2"));
    w.writeTextElement(QStringLiteral("Ope_Read_Back"),
                       p.read_back ? QStringLiteral("1") : QStringLiteral("0"));
    w.writeTextElement(QStringLiteral("Ope_Write_CSS"),
                       firmware_step ? QStringLiteral("1") : QStringLiteral("0"));
    w.writeTextElement(QStringLiteral("Ope_Address_CSS"),
                       firmware_step ? QStringLiteral("0x78100") : QStringLiteral("0x50100"));
    w.writeTextElement(QStringLiteral("Ope_Command_CSS"), QStringLiteral("0x0B"));
    if (!firmware_step) {
        w.writeTextElement(QStringLiteral("Ope_Write_Internal_Data"), QStringLiteral("0"));
        w.writeTextElement(QStringLiteral("Ope_WID_Address"), QStringLiteral("0x78200"));
        w.writeTextElement(QStringLiteral("Ope_WID_Command"), QStringLiteral("0x0B"));
        w.writeTextElement(QStringLiteral("Ope_WID_Data"), QStringLiteral("0x00, 0x00, 0x00, 0x01"));
    }
    // The device returns to its application after the last step only.
    const bool last_step = !firmware_step || p.option_index == Option_Firmware;
    w.writeTextElement(QStringLiteral("Ope_GoToApp_After"),
                       last_step ? QStringLiteral("1") : QStringLiteral("0"));
    w.writeEndElement();
}

} // namespace

QByteArray Ethernet_Update_Xml(const Ethernet_Update_Params& p) {
    QByteArray bytes;
    QXmlStreamWriter w(&bytes);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("Ethernet_Update"));
    w.writeTextElement(QStringLiteral("Version"), QStringLiteral("1000"));
    w.writeTextElement(QStringLiteral("Title"), QStringLiteral("Vorlantech - KC40927 Ethernet Update"));
    w.writeTextElement(QStringLiteral("IP_Address_Dev"), p.ip_address);
    w.writeTextElement(QStringLiteral("Application_Port"), QStringLiteral("10000"));
    w.writeTextElement(QStringLiteral("Boot_Port"), QStringLiteral("2008"));
    w.writeTextElement(QStringLiteral("Boot_Port_Sec"), QStringLiteral("2007"));
    w.writeTextElement(QStringLiteral("Address_Protection"), QStringLiteral("0x78000"));
    w.writeStartElement(QStringLiteral("Protections"));
    w.writeTextElement(QStringLiteral("Protection"), QStringLiteral("0x1C8"));
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("Operations"));
    if (Has_Firmware_Step(p.option_index))
        Write_Operation(w, p, true);
    if (Has_Configuration_Step(p.option_index))
        Write_Operation(w, p, false);
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndDocument();
    return bytes;
}

QStringList Ethernet_Update_Paths(const Ethernet_Update_Params& params) {
    return {Firmware_Path(params), Bank_Path(params)};
}

void Compile_XML_Parameter(const QString& path, const Ethernet_Update_Params& params) {
    const QStringList texts = Ethernet_Update_Paths(params) << params.ip_address;
    for (const QString& text : texts)
        if (Xml_Cannot_Keep(text))
            throw Kc_Error(QStringLiteral("Cannot write %1: \"%2\" holds characters an XML file cannot keep")
                               .arg(QDir::toNativeSeparators(path), Visible_Controls(text)));
    Save_File_Atomically(path, Ethernet_Update_Xml(params));
}
