#pragma once

#include <QString>

// The configurator asks the maker's version service for the number of the
// latest published version and compares it with its own.

// The software code sent to the version service.
inline constexpr const char* Version_Soft_Code = "KC40927";
// Path and query of the version service's request ("no further encoding").
inline constexpr const char* Version_Request_Path = "/home/download/GetversionSW.asp?nomesw=KC40927";

// Numeric value of the version number in `ver_str`: the part after the first
// blank (all of it when there is none), trimmed; its characters 1, 3, 4 and 5
// (the point is skipped) read as one decimal number. "VER. 2.110" gives 2110.
// -1 when the text is too short or those four characters are not digits.
int Conv_Version(const QString& ver_str);

// True exactly when the service's answer names a version newer than the
// running one (2.110). An empty answer (every failed request ends in one),
// "VER. 0.000" in any letter case, and anything not of the expected form
// give false.
bool Check_Version(const QString& answer);

// True when the answer, trimmed, is one the service gives: "VER. 0.000" in
// any letter case, or a text whose version number Conv_Version reads.
bool Is_Version_Answer(const QString& answer);

// The maker's download page: the build's maker host, fixed path and fragment.
QString Download_Url();
// The link a window shows when a newer version exists: an HTML anchor to
// Download_Url() with `text` (from the text table) as its visible text.
QString Download_Link_Html(const QString& text);
