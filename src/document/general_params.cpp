#include "document/general_params.h"

#include "base/file_lookup.h"
#include "base/int_conversion.h"
#include "base/xml_document.h"
#include "document/pargen_schema.h"
#include "document/pargen_view.h"

#include <QXmlStreamWriter>
#include <variant>

namespace {

// An index the device decides is stored and read as that index, whatever
// the record or the file holds.
void Apply_Fixed_Indices(General_Params& params) {
    for (const ParGen_Schema::Row& row : ParGen_Schema::Rows()) {
        if (row.Fixed_Index < 0)
            continue;
        if (const auto* index = std::get_if<int General_Params::*>(&row.Member))
            params.*(*index) = row.Fixed_Index;
    }
}

// Reads one element's text into its field; the field keeps its default when
// the text is no valid value of its kind.
struct Read_Value {
    General_Params& params;
    const QString& text;

    void operator()(int General_Params::*field) const {
        int value = 0;
        if (Try_Str_To_Int(text, value))
            params.*field = value;
    }
    void operator()(bool General_Params::*field) const { params.*field = text == QLatin1String("1"); }
    void operator()(QString General_Params::*field) const { params.*field = text; }
};

struct Write_Value {
    const General_Params& params;

    QString operator()(int General_Params::*field) const { return QString::number(params.*field); }
    QString operator()(bool General_Params::*field) const {
        return params.*field ? QStringLiteral("1") : QStringLiteral("0");
    }
    QString operator()(QString General_Params::*field) const { return params.*field; }
};

} // namespace

General_Params General_Params_Of(const ParGen_View& document) {
    General_Params params;
    for (const ParGen_Schema::Row& row : ParGen_Schema::Rows()) {
        QString text;
        if (document.Text(row.Element, text))
            std::visit(Read_Value{params, text}, row.Member);
    }
    Apply_Fixed_Indices(params);
    return params;
}

General_Params Load_ParGen(const QString& path) {
    return General_Params_Of(ParGen_View::Read(path));
}

QList<ParGen_Element_Text> ParGen_Element_Texts(const General_Params& params) {
    General_Params stored = params;
    Apply_Fixed_Indices(stored);
    QList<ParGen_Element_Text> texts;
    texts.reserve(qsizetype(ParGen_Schema::Rows().size()));
    for (const ParGen_Schema::Row& row : ParGen_Schema::Rows())
        texts.append({row.Element, std::visit(Write_Value{stored}, row.Member)});
    return texts;
}

void Save_ParGen(const QString& path, const General_Params& params) {
    General_Params stored = params;
    Apply_Fixed_Indices(stored);
    // An existing file is replaced under its own spelling; a new one gets the
    // caller's spelling (ParGen.xml).
    Save_Xml_Document(Resolve_File_No_Case(path), Par_Gen::Root, [&](QXmlStreamWriter& writer) {
        for (const ParGen_Schema::Row& row : ParGen_Schema::Rows())
            writer.writeTextElement(row.Element, std::visit(Write_Value{stored}, row.Member));
    });
}
