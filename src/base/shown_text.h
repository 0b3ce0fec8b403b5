#pragma once

#include <QString>

// Names that come from outside the program (folder and file names, cells of
// a CSV file) shown in a message, on a terminal or in a report. A control
// character would act there instead of being read (ESC starts a terminal
// sequence, a line break splits the message), so each one is written as an
// escape: \n, \r, \t, and \xHH (\u{HHHH} past 0xFF) for the others, C1
// controls and DEL included. A backslash stays as it is, so a Windows path
// reads as usual. Everything else is kept.
QString Escape_Controls(const QString& text);

// A path as the user's system writes it (native separators), with its
// control characters escaped.
QString Shown_Path(const QString& path);
