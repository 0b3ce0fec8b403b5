#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>

// What the update dialog hands the two updater programs: the serial updater's
// command line and the Ethernet updater's parameter file.

// Items of CB_Update_Options.
enum Update_Option_Item { Option_Firmware_Configuration = 0, Option_Firmware = 1, Option_Configuration = 2 };

// The four option tokens, each three characters ending in a blank, in the
// order firmware write, firmware read back, configuration write,
// configuration read back. An unknown option index asks for nothing ("NO ").
QStringList Update_Options(int option_index, bool read_back);

// How a command line names the port and paths on one platform: the device
// prefix put before the port name ("\\.\" on Windows, "/dev/" elsewhere, so
// the port's system location results) and the path separator.
struct Command_Line_Style {
    QString device_prefix;
    QChar separator;
};
Command_Line_Style Windows_Command_Line_Style();
Command_Line_Style Native_Command_Line_Style();

// The serial updater's arguments: device prefix + port name, the four
// tokens without their blanks, the firmware image in master_dir and the bin
// folder of conf_dir, ending in a separator. Each is one argument whatever it
// holds (blanks, quotes).
QStringList Serial_Arguments(const QString& port_name, int option_index, bool read_back,
                             const QString& master_dir, const QString& conf_dir,
                             const Command_Line_Style& style = Native_Command_Line_Style());

// One argument as a Windows command line must carry it for the program's
// argument split (the C runtime's rules) to give it back unchanged: quoted
// only when it is empty or holds a blank, a tab, a line break or a quote;
// inside the quotes a quote is escaped with a backslash, and backslashes
// before a quote or before the closing quote are doubled. So the bin folder
// C:\P A\bin\ is written "C:\P A\bin\\" and not "C:\P A\bin\", whose last
// backslash would escape the closing quote.
QString Windows_Quote_Argument(const QString& argument);

// The Windows command line of `arguments`, separated by blanks.
QString Windows_Command_Line(const QStringList& arguments);

// The serial updater's command line on Windows, the one text the updater
// reads: "\\.\" and the port name, a blank, the four option tokens (each
// ending in a blank), the firmware image in master_dir and the bin folder of
// conf_dir, each in double quotes, separated by a blank, with backslashes.
// So the bin folder ends in a backslash directly before the closing quote:
// the updater takes its arguments from this text itself, not through the C
// runtime's split (which would read an escaped quote there), and a Windows
// folder name cannot hold a quote.
QString Serial_Command_Line(const QString& port_name, int option_index, bool read_back,
                            const QString& master_dir, const QString& conf_dir);

// The seven arguments of a serial updater's command line of that form:
// device, four tokens without their blanks, firmware image, bin folder. The
// tokens and the device end at a blank; the two paths are whatever stands
// between their quotes. Blanks between the pieces may repeat. Empty, with
// the reason in `error`, when the text is not of that form.
QStringList Split_Serial_Command_Line(const QString& line, QString& error);

// Program file of an updater next to the configurator: base name plus ".exe"
// on Windows.
QString Updater_Program_Path(const QString& program_dir, const QString& base_name);

inline const QString Serial_Updater_Name = QStringLiteral("Ser_40927_Update");
inline const QString Ethernet_Updater_Name = QStringLiteral("Ethernet_Update");
inline const QString Ethernet_Parameter_File = QStringLiteral("Ethernet_Update.xml");
inline const QString Serial_Firmware_File = QStringLiteral("sim40927.sim");
inline const QString Ethernet_Firmware_File = QStringLiteral("Sim40927K.sim");

// Everything the Ethernet updater's parameter file depends on.
struct Ethernet_Update_Params {
    QString ip_address; // the four address edits joined by "."
    int option_index = 0;
    bool read_back = true;
    QString master_dir;
    QString conf_dir;
    QChar separator = Native_Command_Line_Style().separator;
};

// The paths the parameter file names for the params: the firmware image and
// bank.bin, as the file holds them.
QStringList Ethernet_Update_Paths(const Ethernet_Update_Params& params);

// The parameter file's content: root Ethernet_Update with its elements in
// their fixed order and one Operation per step (firmware for options 0 and 1,
// configuration for options 0 and 2, firmware first).
QByteArray Ethernet_Update_Xml(const Ethernet_Update_Params& params);

// Writes the parameter file to `path` atomically, replacing an earlier one.
// Throws Kc_Error naming the file when it cannot be written, or when a text
// it must hold has characters an XML file cannot keep (control characters
// in a folder name): such a text is never changed silently.
void Compile_XML_Parameter(const QString& path, const Ethernet_Update_Params& params);
