#pragma once

#include "base/document_files.h"

#include <QString>

// The names of the Modbus access rules document sdo.xml: the file, its root,
// the two sections, the row element and the attributes of a rule. Every
// reader and writer of the document spells them from here.
namespace Sdo {

inline constexpr QLatin1StringView File_Name = Document_File::Sdo;
inline constexpr QLatin1StringView Root{"Serial_to_ProfiBus"};
inline constexpr QLatin1StringView Read_Section{"ProfiBUS_IN"};
inline constexpr QLatin1StringView Write_Section{"ProfiBUS_OUT"};
inline constexpr QLatin1StringView Row{"row"};

inline constexpr QLatin1StringView Enable{"Enable"};
inline constexpr QLatin1StringView Slave_ID{"Slave_ID"};
inline constexpr QLatin1StringView Type{"Type"};
inline constexpr QLatin1StringView Address_Mod{"Address_Mod"};
inline constexpr QLatin1StringView NPoint{"NPoint"};
inline constexpr QLatin1StringView PollTime{"PollTime"};
inline constexpr QLatin1StringView OnChange{"OnChange"}; // write rules only
inline constexpr QLatin1StringView OnCMD{"OnCMD"};       // write rules only
inline constexpr QLatin1StringView MaxError{"MaxError"};
inline constexpr QLatin1StringView Address_Profi{"Address_Profi"};
inline constexpr QLatin1StringView Bit{"Bit"};
inline constexpr QLatin1StringView Swap{"Swap"};
inline constexpr QLatin1StringView ForceF15F16{"ForceF15F16"}; // write rules only
inline constexpr QLatin1StringView Mnemonic{"Mnemonic"};

} // namespace Sdo
