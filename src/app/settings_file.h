#pragma once

#include <QString>

struct App_State;

// Struttor.xml in the program folder: the last configuration, the last device
// IP address, the language and four on/off preferences.
//
//   <Conf_Settings><lastproj><projectname>..</projectname></lastproj>
//   <lastipadd><ipaddress>..</ipaddress></lastipadd>
//   <lastlang><language>..</language></lastlang>
//   <lastinternet><enable_internet>0</enable_internet><enable_update>0</enable_update>
//   <enable_jump_field_tables>0</enable_jump_field_tables>
//   <Double_Click_Auto_Size>0</Double_Click_Auto_Size></lastinternet>
//   <lasttestport><portname>..</portname></lasttestport></Conf_Settings>
//
// written on one line, without declaration or comment. The group lasttestport
// (the serial port of the last test of the Modbus rules) is written only once
// a port has been chosen, so the file is otherwise unchanged.

// The file's path in the data folder (the program folder unless the
// installation keeps data elsewhere, see program_folder.h).
QString Settings_File_Path(const App_State& state);

// Sets Conf_Name, Last_IP_Address, Language_Name, the four flags and
// Last_Test_Port to their defaults (empty, "192.168.2.205", "English", false,
// empty) and clears Conf_Dir.
void Set_Default_Settings(App_State& state);

// Reads the eight values, each on its own: a missing group or value element
// gives that value's default. Texts are taken exactly as stored; a flag is on
// only for the text "1". A missing file, or one that is not well-formed XML,
// gives the defaults for every value and is not reported.
void Read_Settings(const QString& path, App_State& state);

// The exact bytes Save_Settings writes for the state.
QByteArray Settings_Bytes(const App_State& state);

// Replaces the file whole (atomically). Throws File_Write_Error naming the
// file when it cannot be written, and Kc_Error when a name it must hold has
// characters an XML file cannot keep (it is never changed silently); the old
// file then stays as it was.
void Save_Settings(const QString& path, const App_State& state);
