#pragma once

#include <QString>

// The file names of a configuration's three documents, as the program writes
// them; reading matches them without regard to case.
namespace Document_File {
inline constexpr QLatin1StringView ParGen{"ParGen.xml"};
inline constexpr QLatin1StringView Sdo{"sdo.xml"};
inline constexpr QLatin1StringView Diagnosis{"diagnosis.xml"};
// The configuration image, in the folder Bank_Folder of the configuration.
inline constexpr QLatin1StringView Bank_Folder{"bin"};
inline constexpr QLatin1StringView Bank{"bank.bin"};
} // namespace Document_File
