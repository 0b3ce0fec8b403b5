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
// Reasons, on the line below Name_Empty or Name_Not_Valid.
inline constexpr int Reason_Empty = 781;
inline constexpr int Reason_Character = 782;   // + the character
inline constexpr int Reason_Device_Name = 783; // + the device name as typed
inline constexpr int Reason_Ends_In_Blank_Or_Dot = 784;
inline constexpr int Reason_Too_Long = 785;    // + the most characters allowed
inline constexpr int Reason_Not_Created = 786; // + the folder
} // namespace New_Project_Text
