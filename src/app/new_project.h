#pragma once

#include <QString>
#include <optional>

struct App_State;
class Text_Table;

// A configuration name is one folder name inside PROJECTS. True when the name
// can be nothing else: not "." or "..", without "/", "\" or a NUL character.
bool Is_Single_Folder_Name(const QString& name);

// Why a configuration could not be created: the message's first line (one
// of New_Project_Text's Name_Empty, Name_Not_Valid, Name_Exists) and, on
// the line below, the reason (a New_Project_Text::Reason_* text, 0 for none)
// followed by `Detail` (the character, the device name, the length limit or
// the folder).
struct Create_Failure {
    int Text = 0;
    int Reason = 0;
    QString Detail;

    bool operator==(const Create_Failure&) const = default;
};

// The most characters (UTF-16 units) a new configuration's name may have.
// Every path built from it (down to bin/bank.bin handed to the updaters)
// then stays well inside the path limits of Windows, and the name inside
// the 255 bytes a folder name may take on every file system.
inline constexpr int Max_Configuration_Name_Length = 64;

// Why `name` cannot be a new configuration's name, or nothing when it can.
// A name must be one folder name that a Windows folder can hold, so that the
// configuration can move between systems and every path built from it
// reaches the updater programs unchanged. Refused, checked in this order:
// the empty name; the characters < > : " / \ | ? * and every control
// character (NUL included); a trailing blank or full stop (so "." and ".."
// too); the device names CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9 in
// any letter case, alone or with an extension ("nul.txt", "Com1.tar.gz");
// a name longer than Max_Configuration_Name_Length.
std::optional<Create_Failure> Configuration_Name_Refusal(const QString& name);

// Creates the configuration `name` (exactly as typed) in state.Projects_Dir,
// with its empty "bin" sub-folder, and makes it the open configuration
// (Conf_Name, Conf_Dir, document paths). Returns nothing on success, or the
// first failing check, and then creates and changes nothing:
//   - Configuration_Name_Refusal;
//   - Name_Exists: a folder of that name exists already, also one whose name
//     differs only in letter case (configuration names are matched without
//     regard to case, as on the product's home platform);
//   - Name_Not_Valid with Reason_Not_Created and the folder: the folder
//     cannot be created.
// A failure to create "bin" is not reported.
std::optional<Create_Failure> Create_Configuration(App_State& state, const QString& name);

// The message of a failure: its text, and the reason with its detail on the
// line below.
QString Create_Failure_Message(const Text_Table& texts, const Create_Failure& failure);
