#pragma once

#include <QByteArray>
#include <QString>

// Text of the 8-bit code page a user's files are written in: on Windows the
// system's ANSI code page (Windows-1252 on Western systems, 1250 in Central
// Europe, ...), as the system's editors save it. Elsewhere no such code page
// is set for the user, and the bytes are read as Windows-1252, in which the
// language files of Windows users come; its five undefined bytes map to the
// C1 control of the same value, as Windows does.
QString Decode_Eight_Bit(const QByteArray& bytes);

// The same decoding with Windows-1252 on every system.
QString Decode_Windows_1252(QByteArrayView bytes);
