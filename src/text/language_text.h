#pragma once

// Texts of the warnings about a language file, taken from the text table
// when shown.
namespace Language_Text {
inline constexpr int File = 787;           // + the file, then one of the two below
inline constexpr int Bad_Bytes = 788;      // + how many bytes are not text
inline constexpr int First_Bad_Line = 789; // + the line of the first of them
inline constexpr int No_Text_Line = 790;
} // namespace Language_Text
