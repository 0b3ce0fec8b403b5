#pragma once

// Texts of testing the rules against the Modbus slaves: the rules editor's
// Test button, the test window (TFRules_Test) and the results, taken from
// the text table when shown.
namespace Poll_Text {
inline constexpr int Test = 970; // the rules editor's button
inline constexpr int Test_Hint = 971;
inline constexpr int Caption = 972;        // the test window's title and description
inline constexpr int Port = 973;           // label and hint of the serial port list
inline constexpr int Port_List_Hint = 827; // refreshing the port list, as in the update dialog
inline constexpr int Start = 974;
inline constexpr int Status = 975; // result columns beside the rules editor's "N" and "Mnemonic"
inline constexpr int Values = 976;
inline constexpr int Answered = 977;
inline constexpr int Exception = 978; // + code, and ": " + the exception's name when known
inline constexpr int No_Answer = 979;
inline constexpr int Wrong_Crc = 980;
inline constexpr int Wrong_Length = 981; // + bytes received "/" expected
inline constexpr int Mismatch = 982;
inline constexpr int Not_Sent = 983; // + the failed check's message
// Names of the Modbus exception codes 1 to 6, 8, 10 and 11.
inline constexpr int Illegal_Function = 984;
inline constexpr int Illegal_Data_Address = 985;
inline constexpr int Illegal_Data_Value = 986;
inline constexpr int Slave_Device_Failure = 987;
inline constexpr int Acknowledge = 988;
inline constexpr int Slave_Device_Busy = 989;
inline constexpr int Memory_Parity_Error = 990;
inline constexpr int Gateway_Path_Unavailable = 991;
inline constexpr int Gateway_Target_Failed = 992;
inline constexpr int No_Rule_To_Test = 993;
inline constexpr int Port_Name_Empty = 780; // no port named, or only blanks
inline constexpr int Port_Not_Opened = 995; // + port + ": " + the system's reason
inline constexpr int Port_Refused = 996;    // + port, then Setting_Refused
inline constexpr int Setting_Refused = 997; // + the setting the port refused
inline constexpr int Line_Error = 999;      // + the line's own description
} // namespace Poll_Text
