#pragma once

// Texts of the rules editor (TFSetAccess), taken from the text table when
// shown. The messages of its checks are named in access_rules_check.cpp.
namespace Rules_Text {
inline constexpr int Caption = 600; // window title
inline constexpr int Description = 601;
inline constexpr int Ok = 602;
inline constexpr int Cancel = 603;
inline constexpr int Delete_Row = 604; // the row buttons and actions, in this order
inline constexpr int Insert_Row = 605;
inline constexpr int Copy_Row = 606;
inline constexpr int Paste_Row = 607;
inline constexpr int Ok_Hint = 608;
inline constexpr int Cancel_Hint = 609;
inline constexpr int Delete_Row_Hint = 610;
inline constexpr int Insert_Row_Hint = 611;
inline constexpr int Copy_Row_Hint = 612;
inline constexpr int Paste_Row_Hint = 613;
inline constexpr int Read_Page = 614;  // tab of the read table
inline constexpr int Write_Page = 615; // tab of the write table
// Column headers and hints: those of the attributes are in sdo_attributes.h.
inline constexpr int Read_Header_N = 616; // the row number column
inline constexpr int Read_Header_Mnemonic = 627;
inline constexpr int Write_Header_N = 628;
inline constexpr int Read_Hint_Blank = 653;     // listed before the first showing only
inline constexpr int Delete_Row_Question = 688; // + the row number
// A row holding data past the table's end: text, row, read or write table
// text, end row, text.
inline constexpr int Lost_Row = 692;
inline constexpr int Lost_Row_Read_Table = 693;
inline constexpr int Lost_Row_Write_Table = 694;
inline constexpr int Lost_Row_End = 695;         // ends with the editor's question
inline constexpr int Lost_Row_Finding_End = 751; // the same without it: check, CSV
// More rules in the document than rows: text, read rules, text, write rules, text.
inline constexpr int Dropped_Read = 696;
inline constexpr int Dropped_Write = 697;
inline constexpr int Dropped_End = 698;
inline constexpr int Export_Csv = 950; // the export and import buttons of each table
inline constexpr int Export_Csv_Hint = 951;
inline constexpr int Import_Csv = 952;
inline constexpr int Import_Csv_Hint = 953;
} // namespace Rules_Text
