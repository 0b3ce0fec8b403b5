#pragma once

// Texts of the update dialog (TFBoot), taken from the text table when shown.
namespace Boot_Text {
inline constexpr int Serial_Caption = 800; // window title, update by serial port
inline constexpr int Serial_Description = 801;
inline constexpr int Ethernet_Caption = 802; // window title, update by Ethernet (UDP)
inline constexpr int Ethernet_Description = 803;
inline constexpr int Ip_Address = 806;                        // label of the device's IP address
inline constexpr int Com_Port = 807;                          // label of the COM port list
inline constexpr int Update_Option = 814;                     // label of the update options list
inline constexpr int Option_Firmware_And_Configuration = 815; // the options list's items
inline constexpr int Option_Firmware = 816;
inline constexpr int Option_Configuration = 817;
inline constexpr int Read_Back = 818;      // check box
inline constexpr int Cancel = 819;         // button
inline constexpr int Update = 820;         // button that starts the update
inline constexpr int Ip_Byte_1_Hint = 821; // to 824, hints of the four IP edits
inline constexpr int Ip_Byte_2_Hint = 822;
inline constexpr int Ip_Byte_3_Hint = 823;
inline constexpr int Ip_Byte_4_Hint = 824;
inline constexpr int Com_Port_Hint = 825;
inline constexpr int Com_List_Hint = 827; // the button refreshing the COM port list
inline constexpr int Update_Option_Hint = 832;
inline constexpr int Read_Back_Hint = 833;
inline constexpr int Cancel_Hint = 834;
inline constexpr int Update_Hint = 835;
inline constexpr int Device_Not_Found = 836; // the address did not answer the echo
inline constexpr int Check_Ip_Address = 837; // the echo of the address failed otherwise
inline constexpr int Cannot_Start = 838;     // + the updater's path and the reason
inline constexpr int Waiting = 839;          // the wait indicator: heading
inline constexpr int Seconds_Elapsed = 840;  // the wait indicator: time line
inline constexpr int Updater_Failed = 841;   // + updater name: it did not end correctly
inline constexpr int Exit_Code = 842;        // + the exit code
inline constexpr int Crashed = 843;          // + the signal or code
inline constexpr int Last_Lines = 844;       // heading of the output's last lines
inline constexpr int Still_Running = 845;    // + updater name: it still runs when the wait ends
inline constexpr int Already_Running = 846;  // + updater name: a second update refused
inline constexpr int No_Serial_Port = 847;
inline constexpr int Updater_Output = 848; // the wait indicator: output heading
inline constexpr int Checking = 849;       // "Checking" + address + " ..."
inline constexpr int Check_Cancel = 850;   // button stopping the address check
inline constexpr int Check_Cancel_Hint = 851;
inline constexpr int Folder_Has_Controls = 852; // + folder: it cannot go into the parameter file
inline constexpr int Update_Finished = 870;     // + the exit status: the updater ended well
inline constexpr int Seconds_Of = 871;          // the wait indicator: between the seconds and the limit
inline constexpr int Seconds_Unit = 872;        // the wait indicator: after the limit
inline constexpr int Stop = 887;                // the wait indicator's button ending the updater
inline constexpr int Stop_Question = 888;       // asked before it does, No by default
inline constexpr int Stopped = 889;             // + updater name: it was stopped as asked
inline constexpr int History_Not_Written = 873;
// + the program folder: the Ethernet updater's parameter file cannot be written there
inline constexpr int Program_Folder_Read_Only = 519;
inline constexpr int Program_Folder_What_To_Do = 520; // + the reason: the update history could not be written
} // namespace Boot_Text
