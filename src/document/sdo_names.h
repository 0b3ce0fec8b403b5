#pragma once

#include "base/document_files.h"

#include <QString>

// The names of the Modbus access rules document sdo.xml: the file, its root,
// the two sections, the row element and the attributes of a rule (those of
// sdo_attributes.h). Every reader and writer of the document spells them from
// here.
namespace Sdo {

inline constexpr QLatin1StringView File_Name = Document_File::Sdo;
inline constexpr QLatin1StringView Root{"Serial_to_ProfiBus"};
inline constexpr QLatin1StringView Read_Section{"ProfiBUS_IN"};
inline constexpr QLatin1StringView Write_Section{"ProfiBUS_OUT"};
inline constexpr QLatin1StringView Row{"row"};

#define SDO_ATTRIBUTE_NAME(name, ...) inline constexpr QLatin1StringView name{#name};
#define SDO_READ_WRITE SDO_ATTRIBUTE_NAME
#define SDO_WRITE_ONLY SDO_ATTRIBUTE_NAME
#include "document/sdo_attributes.h"
#undef SDO_READ_WRITE
#undef SDO_WRITE_ONLY
#undef SDO_ATTRIBUTE_NAME

} // namespace Sdo
