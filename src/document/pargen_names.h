#pragma once

#include "base/document_files.h"

#include <QString>

// The names of the general parameters document ParGen.xml: the file, its root
// element and its 40 elements (those of pargen_elements.h), in document order.
// Every reader and writer of the document spells them from here.
namespace Par_Gen {

inline constexpr QLatin1StringView File_Name = Document_File::ParGen;
inline constexpr QLatin1StringView Root{"Par_Gen"};

#define PARGEN_NAME(name, ...) inline constexpr QLatin1StringView name{#name};
#define PARGEN_INDEX PARGEN_NAME
#define PARGEN_FLAG PARGEN_NAME
#define PARGEN_TEXT PARGEN_NAME
#include "document/pargen_elements.h"
#undef PARGEN_INDEX
#undef PARGEN_FLAG
#undef PARGEN_TEXT
#undef PARGEN_NAME

} // namespace Par_Gen
