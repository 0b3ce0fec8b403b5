#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at `path` with `bytes` through QSaveFile: the bytes go to a
// temporary file beside it, which is renamed over the old file only after every
// write, the flush and the commit have succeeded. On any failure the temporary
// file is removed, the old file stays byte for byte as it was, and
// File_Write_Error (a Kc_Error) names the file and gives the system's reason ("No space left on device").
//
// Before writing, it removes the temporary files an earlier save of the same
// file left beside it when the program was killed in the middle of it.
void Save_File_Atomically(const QString& path, const QByteArray& bytes);

// True when `candidate` is the name of a temporary file a save of the file
// named `file_name` creates: exactly that name (same letter case), a point and
// six ASCII letters or digits of at least two kinds (lower case, upper case,
// digits), as in "ParGen.xml.yphbNM"; "ParGen.xml.backup" is a user's file.
bool Is_Save_Temporary_Of(const QString& candidate, const QString& file_name);
