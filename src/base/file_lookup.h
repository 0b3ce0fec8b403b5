#pragma once

#include <QString>

// File names inside a configuration folder match without regard to letter
// case: "ParGen.xml" and "pargen.xml" are one file. Gives the path of the
// existing file whose name matches `name` ignoring case (an exact match is
// preferred), or dir + "/" + name when none exists, so that a new file is
// created with the caller's spelling.
QString Find_File_No_Case(const QString& dir, const QString& name);

// Resolves a full path the same way: its folder as given, its file name
// matched without regard to case.
QString Resolve_File_No_Case(const QString& path);
