#pragma once

// Texts of the open configuration dialog (TFOpenConf), taken from the text
// table when shown.
namespace Open_Conf_Text {
inline constexpr int Caption = 200; // window title
inline constexpr int Description = 201;
inline constexpr int List = 202; // label of the list of configurations
inline constexpr int Ok = 203;
inline constexpr int Cancel = 204;
inline constexpr int List_Hint = 205;
inline constexpr int Ok_Hint = 206;
inline constexpr int Cancel_Hint = 207;
} // namespace Open_Conf_Text
