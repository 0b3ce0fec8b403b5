#pragma once

// Indices of the texts every window shares: the captions of the standard
// buttons of message boxes, the captions of the save-file chooser, and the
// messages of the settings file and of links that cannot be opened.
namespace Standard_Text {
constexpr int Yes = 31;
constexpr int No = 32;
constexpr int Ok = 33;
constexpr int Cancel = 34;
constexpr int Save_File_Title = 35;
constexpr int Look_In = 36;
constexpr int File_Name = 37;
constexpr int File_Type = 38;
constexpr int Save = 39;
// Followed by the file's path, a line break, text 41 and the system's reason.
constexpr int Settings_Not_Written = 40;
constexpr int Reason = 41;
// Followed by the address, selectable.
constexpr int Link_Not_Opened = 42;
} // namespace Standard_Text
