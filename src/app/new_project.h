#pragma once

#include <QString>

struct App_State;

// A configuration name is one folder name inside PROJECTS. True when the name
// can be nothing else: not "." or "..", without "/", "\" or a NUL character.
bool Is_Single_Folder_Name(const QString& name);

// A name a Windows folder can hold, as a new configuration's name must be so
// that the configuration can move between systems and every path built from
// it reaches the updater programs unchanged. Refused: the empty name; the
// characters < > : " / \ | ? * and every control character; a trailing blank
// or full stop (so "." and ".." too); and the device names CON, PRN, AUX,
// NUL, COM1 to COM9 and LPT1 to LPT9 in any letter case, alone or with an
// extension ("nul.txt", "Com1.tar.gz").
bool Is_Windows_Folder_Name(const QString& name);

// Creates the configuration `name` (exactly as typed) in state.Projects_Dir,
// with its empty "bin" sub-folder, and makes it the open configuration
// (Conf_Name, Conf_Dir, document paths). Returns 0 on success, or the text
// of the first failing check (New_Project_Text), and then creates and
// changes nothing:
//   Name_Empty      the name is empty;
//   Name_Not_Valid  the name is not a single folder name, or not one a
//                   Windows folder can hold;
//   Name_Exists     a folder of that name exists already, also one whose name
//                   differs only in letter case (configuration names are
//                   matched without regard to case, as on the product's home
//                   platform);
//   Name_Not_Valid  the folder cannot be created.
// A failure to create "bin" is not reported.
int Create_Configuration(App_State& state, const QString& name);
