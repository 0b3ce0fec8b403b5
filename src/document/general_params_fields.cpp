#include "document/general_params_fields.h"

#include <variant>

namespace Par_Field {

namespace {

Kind Kind_Of(const ParGen_Schema::Row& row) {
    if (row.Octets)
        return Kind::Octets;
    if (std::holds_alternative<int General_Params::*>(row.Member))
        return Kind::List;
    if (std::holds_alternative<bool General_Params::*>(row.Member))
        return Kind::Check;
    return Kind::Edit;
}

// The field of a row that has a control: for four octets the members of
// the row and the three after it.
Field Field_Of(const std::vector<ParGen_Schema::Row>& rows, std::size_t at) {
    const ParGen_Schema::Row& row = rows[at];
    Field field{.name = row.Control,
                .kind = Kind_Of(row),
                .panel = row.Panel,
                .element = row.Element,
                .label = row.Label,
                .beside = !row.Beside.isEmpty(),
                .shown = row.Shown,
                .caption = row.Caption,
                .hint = row.Hint,
                .items = row.Values,
                .item_texts = row.Value_Texts,
                .fixed_index = row.Fixed_Index};
    switch (field.kind) {
    case Kind::List:
        field.index = std::get<int General_Params::*>(row.Member);
        break;
    case Kind::Edit:
        field.text = std::get<QString General_Params::*>(row.Member);
        break;
    case Kind::Check:
        field.flag = std::get<bool General_Params::*>(row.Member);
        break;
    case Kind::Octets:
        for (std::size_t j = 0; j < field.octets.size(); ++j)
            field.octets[j] = std::get<QString General_Params::*>(rows.at(at + j).Member);
        break;
    }
    return field;
}

std::vector<Field> Build_Fields() {
    const std::vector<ParGen_Schema::Row>& rows = ParGen_Schema::Rows();
    std::vector<Field> fields;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].Control || !rows[i].Beside.isEmpty())
            continue;
        fields.push_back(Field_Of(rows, i));
        for (std::size_t j = 0; j < rows.size(); ++j)
            if (rows[j].Control && rows[j].Beside == rows[i].Element)
                fields.push_back(Field_Of(rows, j));
    }
    return fields;
}

} // namespace

const std::vector<Field>& Fields() {
    static const std::vector<Field> fields = Build_Fields();
    return fields;
}

QString Panel_Number(Panel panel) {
    return QString::number(static_cast<int>(panel) + 1) + QStringLiteral(". ");
}

int Panel_Caption(Panel panel) {
    switch (panel) {
    case Panel::Hardware_Type:
        return 406;
    case Panel::Modbus_Master:
        return 411;
    case Panel::PROFIBUS:
        return 430;
    case Panel::Ethernet:
        return 457;
    }
    return 406;
}

bool Panel_Shown(Panel panel, bool ethernet) {
    return panel != Panel::Ethernet || ethernet;
}

bool Field_Shown(const Field& field, bool ethernet) {
    switch (field.shown) {
    case Shown::Always:
        return true;
    case Shown::Without_Ethernet:
        return !ethernet;
    case Shown::With_Ethernet:
        return ethernet;
    }
    return true;
}

} // namespace Par_Field
