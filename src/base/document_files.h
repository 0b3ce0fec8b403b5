#pragma once

#include <QString>

// The file names of a configuration's three documents, as the program writes
// them; reading matches them without regard to case.
namespace Document_File {
inline constexpr QLatin1StringView ParGen{"ParGen.xml"};
inline constexpr QLatin1StringView Sdo{"sdo.xml"};
inline constexpr QLatin1StringView Diagnosis{"diagnosis.xml"};
} // namespace Document_File
