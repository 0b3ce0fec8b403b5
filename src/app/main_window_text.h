#pragma once

#include "output/gsd_step.h"

// Texts of the main window (TFStruttoreFirmWare), taken from the text table
// when shown.
namespace Main_Text {
inline constexpr int Begin = 0;
inline constexpr int Step_1 = 1; // "Step 1" .. "Step 8" follow in order
inline constexpr int No_Configuration = 9;
inline constexpr int No_Configuration_Help = 10;
inline constexpr int Configuration_Open = 11;
inline constexpr int Info_Hint = 12;
inline constexpr int Options_Hint = 13;
inline constexpr int Close_Hint = 14;
inline constexpr int New = 15;
inline constexpr int Open = 16;
inline constexpr int Update_Device = 17;
inline constexpr int Configuration_Not_Valid = 18;
inline constexpr int New_Version = 19; // the update link
inline constexpr int General_Params = 20;
inline constexpr int Access_Rules = 21;
inline constexpr int New_Hint = 22;
inline constexpr int Open_Hint = 23;
inline constexpr int General_Params_Hint = 24;
inline constexpr int Access_Rules_Hint = 25;
inline constexpr int Update_Device_Hint = 26;
inline constexpr int Diagnosis = 27;
inline constexpr int Diagnosis_Hint = 28;
inline constexpr int Gsd = Gsd_Text::Step;
inline constexpr int Gsd_Hint = 30;
inline constexpr int Close_While_Updating = 60; // question: an updater still runs
inline constexpr int Folder_Name_Not_Kept = 61; // the settings file cannot keep the name
} // namespace Main_Text
