#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The GSD file: the device description a PROFIBUS master's engineering tool
// imports to configure the converter as a DP slave. All of it is fixed text
// except the area sizes and the module list: the input area and then the
// output area, cut into modules of at most 64 bytes, each in a slot of its own.

// One module of the module list.
struct GSD_Module {
    bool Input = true; // input area (DI, 0x42) or output area (DO, 0x82)
    int Number = 0;    // 1..M; inputs first
    int Size = 0;      // 1..64 bytes
};

// A module number is the last byte of the module's identifier, so a file can
// describe at most 255 modules.
inline constexpr int GSD_Max_Modules = 255;

// Number of modules for the two area sizes: (bytes + 63) div 64 for each area
// larger than 0. Computed in 64 bits, so any int is safe.
qint64 GSD_Module_Count(int in_bytes, int out_bytes);

// The module list, inputs first. Empty when the count exceeds GSD_Max_Modules.
QList<GSD_Module> GSD_Modules(int in_bytes, int out_bytes);

// The whole file: CR LF after every line, one byte per character, no
// byte-order mark; 198 + 4 * M lines. Values of 0 or less give no module of
// that kind but are still written as read. Throws Kc_Error when the areas
// need more than GSD_Max_Modules modules.
QByteArray Write_GSD(int in_bytes, int out_bytes);

// The name filter of the save-file chooser.
inline const QString GSD_File_Filter = QStringLiteral("Generic Station Description (*.gsd)");

// The file name for the chooser's answer: kept when it ends in ".gsd" in any
// letter case, otherwise ".gsd" is appended.
QString GSD_File_Name(const QString& chosen);
