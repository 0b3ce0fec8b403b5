#pragma once

#include <QString>
#include <QStringList>

struct App_State;

// The configuration folders in `projects_dir`: folders only, no hidden ones,
// in case-insensitive name order (the order the product's home platform
// lists them in). Empty when the folder is missing or unreadable.
QStringList List_Configurations(const QString& projects_dir);

// Index of the first entry equal to `name` when the letters a to z are
// compared without regard to case; -1 when there is none.
int Search_Open_Conf(const QStringList& list, const QString& name);

// The name of the open configuration as its folder path gives it: the part of
// Conf_Dir after Projects_Dir and the separator; empty when none is open.
QString Current_Conf_Name(const App_State& state);

// The folder of the configuration `name` in `projects_dir`: the folder of
// exactly that name, else the first listed one whose name differs only in the
// case of the letters a to z (as the open dialog preselects it). Empty when
// the name is not a single folder name or no such folder exists.
QString Find_Configuration_Folder(const QString& projects_dir, const QString& name);

// Makes `name` (remembered in the settings, or handed back by the open
// dialog) the open configuration: Conf_Name := name; Conf_Dir := its folder
// as Find_Configuration_Folder finds it, else empty (nothing is open, so no
// step can work on PROJECTS itself or on a missing folder); document paths
// follow.
void Open_Configuration(App_State& state, const QString& name);
