#pragma once

// Texts of the options dialog (TFSoftOptions), taken from the text table when
// shown.
namespace Options_Text {
inline constexpr int Caption = 300; // window title
inline constexpr int Description = 301;
inline constexpr int Language_Tab = 302;
inline constexpr int Connection_Tab = 303;
inline constexpr int Selected_Language = 304; // + the language in use
inline constexpr int Page = 305;              // "Page " + page + " / " + pages
inline constexpr int Page_Of = 306;
inline constexpr int Previous = 307;
inline constexpr int Next = 308;
inline constexpr int Enable_Internet = 309; // check box
inline constexpr int Check_At_Start = 310;  // check box
inline constexpr int Check_Update = 311;    // button
inline constexpr int Ok = 312;
inline constexpr int Cancel = 313;
inline constexpr int Newer_Version = 314; // the link to the download page
inline constexpr int No_Update = 315;
inline constexpr int Change_Language_From = 316; // question: text, from, text, to, text
inline constexpr int Change_Language_To = 317;
inline constexpr int Change_Language_End = 318;
inline constexpr int Settings_Tab = 319;
inline constexpr int Jump_Into_Next_Field = 320;   // check box
inline constexpr int Double_Click_Auto_Size = 321; // check box
inline constexpr int Checking = 322;               // while the version check runs
// How a version check without a newer version ended, beside No_Update.
inline constexpr int Version_Timed_Out = 791;
inline constexpr int Version_Unreachable = 792;
inline constexpr int Version_Name_Not_Found = 793;
inline constexpr int Version_Bad_Answer = 794;
} // namespace Options_Text
