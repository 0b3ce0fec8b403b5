#pragma once

// Texts of the diagnosis editor (TFSetDiagnosis), taken from the text table
// when shown; the commissioning report borrows its caption and headers.
namespace Diagnosis_Text {
inline constexpr int Caption = 700; // window title
inline constexpr int Heading = 701;
inline constexpr int Ok = 702;
inline constexpr int Cancel = 703;
inline constexpr int Ok_Hint = 704;
inline constexpr int Cancel_Hint = 705;
inline constexpr int Mapping_Header = 706; // "Byte/Bit" column
inline constexpr int Id_Header = 707;
inline constexpr int Too_Many_Begin = 710; // + the number of entries
inline constexpr int Too_Many_End = 711;
inline constexpr int Left_Out_Begin = 712;       // + the number left out
inline constexpr int Left_Out_End = 713;         // ends with the editor's question
inline constexpr int Left_Out_Finding_End = 724; // the same without it: check, CSV
inline constexpr int Export = 720;
inline constexpr int Export_Hint = 721;
inline constexpr int Import = 722;
inline constexpr int Import_Hint = 723;
} // namespace Diagnosis_Text
