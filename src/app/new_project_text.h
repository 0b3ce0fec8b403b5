#pragma once

// Texts of the new configuration dialog (TFNew_Project) and of the failures
// Create_Configuration gives, taken from the text table when shown.
namespace New_Project_Text {
inline constexpr int Caption = 100; // window title
inline constexpr int Description = 101;
inline constexpr int Name = 102; // label of the name edit
inline constexpr int Ok = 103;
inline constexpr int Cancel = 104;
inline constexpr int Name_Not_Valid = 105; // not one folder name, or the folder cannot be created
inline constexpr int Name_Exists = 106;    // a folder of that name exists already
inline constexpr int Name_Empty = 107;
inline constexpr int Name_Hint = 108;
inline constexpr int Ok_Hint = 109;
inline constexpr int Cancel_Hint = 110;
} // namespace New_Project_Text
