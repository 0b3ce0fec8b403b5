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
// Whether bank.bin is the image of the documents, in the report's first lines.
inline constexpr int Bank_Up_To_Date = 760;
inline constexpr int Bank_Stale = 761;
inline constexpr int Bank_Missing = 762;
inline constexpr int Bank_Not_Buildable = 763; // then the build's message
inline constexpr int Bank_Unreadable = 764;    // then the reading's message
inline constexpr int Written = 765;            // then the report's path
inline constexpr int Map_Rows = 766;           // what the numbers in the byte map are
inline constexpr int History = 510;            // "Update history"
inline constexpr int History_Time = 511;       // its column headers
inline constexpr int History_Target = 512;
inline constexpr int History_Sent = 513;
inline constexpr int History_End = 514;
inline constexpr int History_Image = 515;
inline constexpr int History_Firmware = 516; // what was sent
inline constexpr int History_Configuration = 517;
inline constexpr int History_Read_Back = 518;
} // namespace Report_Texts
