#pragma once

#include <QString>

// The hardware type of a configuration, from the Hardware_Type element of its
// general parameters document: 0 "Hardware Without Ethernet", 1 "Hardware
// With Ethernet". 0 when the path is empty, the file is missing, or the
// element is missing or not a number. The file name is matched without regard
// to case. Throws Kc_Error (file, line, column) when the file is not
// well-formed XML.
int Read_Hardware_Type(const QString& pargen_file);
