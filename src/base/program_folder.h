#pragma once

#include <QString>

// Where the configurator keeps Struttor.xml, MASTER, PROJECTS and LANGUAGE.
//
// A program folder the user may write to holds them itself, as it always
// has. An installed program folder (/opt/kc40927 of the Debian package) is
// read-only for a user, and so is Program Files on Windows: then they live in
// the user's data folder (QStandardPaths::AppLocalDataLocation,
// ~/.local/share/Vorlantech/kc40927 on Linux,
// %LOCALAPPDATA%\Vorlantech\kc40927 on Windows), which the first start creates and fills with the language
// files, flags and firmware images installed next to the program. The program files themselves (the updaters)
// stay in the program folder.

// The data folder for a program folder: the program folder when it is
// writable or no user data folder is known, otherwise the user data folder.
QString Choose_Data_Dir(const QString& program_dir, bool program_dir_writable, const QString& user_data_dir);

// True when this process may create files in `dir`. A read-only file system
// counts as not writable, also for root. On Windows, where the folder's
// attributes do not say it (Program Files), a file is created in it and
// deleted as it is closed; elsewhere the system is asked and nothing is
// created.
bool Folder_Writable(const QString& dir);

// Creates `data_dir` with its parents and copies every file of
// program_dir/LANGUAGE and program_dir/MASTER that data_dir lacks into the
// same sub-folder there. A file already present is never replaced, so the
// user's own language files and changes survive a new installation. Does
// nothing when both folders are the same. Throws Kc_Error naming the folder
// or file that cannot be created or copied.
void Prepare_Data_Dir(const QString& program_dir, const QString& data_dir);

// The whole decision for a program start: Choose_Data_Dir with the system's
// facts. With `prepare`, a separate data folder is also prepared (the
// configurator); without, it is only named (the command-line tool, which
// creates nothing). A data folder that cannot be prepared gives the program
// folder, and `error` (when given) the reason.
QString Data_Dir_For_Program(const QString& program_dir, const QString& user_data_dir, bool prepare,
                             QString* error = nullptr);

// The user data folder of the configurator and the command-line tool, the
// same for both: QStandardPaths::AppLocalDataLocation with the organisation
// "Vorlantech" and the application "kc40927", whatever the calling program
// is named.
QString User_Data_Dir();
