#pragma once

#include "base/document_files.h"

#include <QString>

// The names of the diagnosis document diagnosis.xml: the file, its root and
// the element of one entry.
namespace Diagnosis_Doc {
inline constexpr QLatin1StringView File_Name = Document_File::Diagnosis;
inline constexpr QLatin1StringView Root{"Modbus_IDs"};
inline constexpr QLatin1StringView Entry{"ID"};
} // namespace Diagnosis_Doc
