#pragma once

#include <QString>

class Text_Table;

// Where an output (a CSV file, a GSD file, a report, the image) may be
// written. Every command and save chooser that writes a file the user names
// asks this first, so that an output never replaces one of the
// configuration's own files, a folder or a device.

enum class Output_Path_Problem {
    None,
    Own_Document,     // ParGen.xml, sdo.xml, diagnosis.xml or bin/bank.bin of the configuration
    Folder,           // an existing folder
    Not_Regular_File, // exists but is no regular file: a device node, a pipe, a socket
};

// What stands in the way of replacing `path` with an output. The
// configuration's own files are those of `conf_dir`, their names and the
// folder "bin" matched without regard to letter case (the program finds them
// so) and after following symbolic links; `own_output`, when given, is the
// one of them the caller itself writes (the image for a build). A path that
// does not exist yet is fine unless it names an own file.
Output_Path_Problem Check_Output_Path(const QString& path, const QString& conf_dir,
                                      const QString& own_output = {});

// True for a name Windows keeps for a device in every folder: CON, PRN, AUX,
// NUL, COM1..COM9, LPT1..LPT9, CONIN$ and CONOUT$, in any letter case, with
// any extension and with trailing blanks or dots (Windows drops them), and
// for a path into the device namespace (\\.\). Check_Output_Path refuses
// them on Windows, where writing there never reaches a file.
bool Is_Windows_Device_Path(const QString& path);

// "-" stands for standard output where a command can write there.
bool Is_Standard_Output(const QString& path);

// Text 740, the path (Shown_Path) and the problem's text (741 to 743).
QString Output_Path_Message(const Text_Table& texts, Output_Path_Problem problem, const QString& path);

namespace Output_Path_Text {
inline constexpr int Cannot_Write = 740;
inline constexpr int Own_Document = 741;
inline constexpr int Folder = 742;
inline constexpr int Not_Regular_File = 743;
inline constexpr int Use_Standard_Output = 744; // " Give - to write to standard output."
} // namespace Output_Path_Text
