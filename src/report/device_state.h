#pragma once

#include "update/update_history.h"

#include <QString>

class Text_Table;

// What the device holds, as far as the configuration's update history knows:
// the history read and the documents built now (in memory, nothing written)
// and compared with the last configuration image sent.
Device_State Read_Device_State(const QString& conf_dir);

// The main window's line for it, e.g. "Last configuration sent: 2026-12-11
// 03:15 to COM3, exit status 0 - device up to date", or "Configuration never
// sent to the device". Local time, minutes.
QString Device_State_Text(const Device_State& device, const Text_Table& texts);

// Texts of the line.
namespace Device_State_Texts {
inline constexpr int Last_Sent = 874;    // "Last configuration sent:"
inline constexpr int To = 875;           // "to"
inline constexpr int Up_To_Date = 876;   // "device up to date"
inline constexpr int Changed = 877;      // "changed since the last update"
inline constexpr int Never_Sent = 878;   // "Configuration never sent to the device"
inline constexpr int Cannot_Build = 879; // "the documents do not build now"
inline constexpr int Unusable = 880;     // "The update history cannot be read:"
inline constexpr int Exit_Status = 881;  // "exit status"
inline constexpr int Crashed = 882;      // "crashed"
inline constexpr int Running = 883;      // "still running when last seen"
inline constexpr int Refused = 884;      // "not started"
inline constexpr int Output = 885;       // the link to the updater's output: "output"
inline constexpr int Stopped = 886;      // "stopped by the user"
} // namespace Device_State_Texts
