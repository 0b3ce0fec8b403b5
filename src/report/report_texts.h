#pragma once

// Texts of the commissioning report and of the main window's Report action.
// Headings, captions and column headers of the documents' own fields come
// from the texts the editors show.
namespace Report_Texts {
inline constexpr int Caption = 50; // "Report"
inline constexpr int Hint = 51;
inline constexpr int Filter = 52; // "PDF document (*.pdf);;Web page (*.html *.htm)"
inline constexpr int Title = 53;  // "Commissioning Report"
inline constexpr int Date = 54;
inline constexpr int Version = 55;   // "Program Version"
inline constexpr int Image = 56;     // "Configuration Image"
inline constexpr int Not_Built = 57; // "Not built yet"
inline constexpr int Yes = 58;
inline constexpr int No = 59;
inline constexpr int Size = 963;
inline constexpr int Layout = 964;
inline constexpr int Checksum = 965;
inline constexpr int Ident = 966;       // "Ident Number"
inline constexpr int In_Modules = 967;  // "Input Modules"
inline constexpr int Out_Modules = 968; // "Output Modules"
inline constexpr int File_Name = 969;
inline constexpr int Page = 305;    // "Page "
inline constexpr int Page_Of = 306; // " / "
} // namespace Report_Texts
