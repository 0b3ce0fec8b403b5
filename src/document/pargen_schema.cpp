#include "document/pargen_schema.h"

#include "document/pargen_names.h"

#include <QtGlobal>

namespace ParGen_Schema {

namespace {

std::vector<Row> Build_Rows() {
    using Par_Field::Panel;
    using Par_Field::Shown;
#define PARGEN_ROW(name, default_value, ...)                                                                 \
    {.Element = Par_Gen::name, .Member = &General_Params::name, __VA_ARGS__},
#define PARGEN_INDEX PARGEN_ROW
#define PARGEN_FLAG PARGEN_ROW
#define PARGEN_TEXT PARGEN_ROW
    return {
#include "document/pargen_elements.h"
    };
#undef PARGEN_INDEX
#undef PARGEN_FLAG
#undef PARGEN_TEXT
#undef PARGEN_ROW
}

} // namespace

const std::vector<Row>& Rows() {
    static const std::vector<Row> rows = Build_Rows();
    return rows;
}

namespace {

template <typename Name> const Row* Row_Named(Name element) {
    for (const Row& row : Rows())
        if (row.Element == element)
            return &row;
    return nullptr;
}

} // namespace

const Row* Find_Row(QStringView element) {
    return Row_Named(element);
}

const Row& Row_Of(QLatin1StringView element) {
    const Row* row = Row_Named(element);
    if (!row)
        qFatal("%s is no element of the general parameters", element.data());
    return *row;
}

int Serial_Baud_Rate(int index) {
    return Row_Of(Par_Gen::Ser_Baud).Values.value(index).toInt();
}

int Serial_Baud_Rate_Count() {
    return int(Row_Of(Par_Gen::Ser_Baud).Values.size());
}

} // namespace ParGen_Schema
