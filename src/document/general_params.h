#pragma once

#include <QList>
#include <QString>

#include <variant>

class ParGen_View;

// The general parameters document ParGen.xml in memory: one member per element
// of pargen_elements.h, named as the element. Index members hold the position
// in their fixed list, flags are on/off, number members keep the text exactly
// as the user left it. The initial values are the document's defaults.
struct General_Params {
#define PARGEN_INDEX(name, default_value, ...) int name = default_value;
#define PARGEN_FLAG(name, default_value, ...) bool name = default_value;
#define PARGEN_TEXT(name, default_value, ...) QString name = QStringLiteral(default_value);
#include "document/pargen_elements.h"
#undef PARGEN_INDEX
#undef PARGEN_FLAG
#undef PARGEN_TEXT

    bool operator==(const General_Params&) const = default;
};

// The values of a read document; a missing document or element gives the
// defaults, silently, and so does an index that is no integer.
General_Params General_Params_Of(const ParGen_View& document);

// Reads ParGen.xml (the file name matched without regard to case) into the
// record: General_Params_Of(ParGen_View::Read(path)). Throws Kc_Error naming
// the file when it exists but cannot be read or is not well-formed.
General_Params Load_ParGen(const QString& path);

// One element of the document and the text saving writes for it.
struct ParGen_Element_Text {
    QLatin1StringView Element;
    QString Text;
};

// The 40 elements in document order, each with the text Save_ParGen writes
// for the record: what the device and every editor see, a missing element
// already holding its default.
QList<ParGen_Element_Text> ParGen_Element_Texts(const General_Params& params);

// The member of the record that holds an element's value (pargen_schema.h
// gives each element's).
using ParGen_Member = std::variant<int General_Params::*, bool General_Params::*, QString General_Params::*>;

// Writes the whole document, replacing the file atomically. Throws Kc_Error
// naming the file when it cannot be written.
void Save_ParGen(const QString& path, const General_Params& params);
