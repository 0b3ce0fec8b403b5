#include "document/cell_values.h"

#include "base/shown_text.h"
#include "base/text_table.h"
#include "document/modbus_types.h"
#include "document/rule_grid_columns.h"

#include <QLatin1StringView>

#include <algorithm>

namespace {

bool Is_One_Of(const QString& text, std::initializer_list<QLatin1StringView> spellings) {
    for (const QLatin1StringView spelling : spellings)
        if (text.compare(spelling, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

std::optional<QString> Flag_Cell_Text(const QString& text) {
    const QString flag = text.trimmed();
    if (flag.isEmpty())
        return QString();
    if (Is_One_Of(flag, {QLatin1StringView("Y"), QLatin1StringView("YES"), QLatin1StringView("TRUE"),
                         QLatin1StringView("1"), QLatin1StringView("X")}))
        return QStringLiteral("Y");
    if (Is_One_Of(flag, {QLatin1StringView("N"), QLatin1StringView("NO"), QLatin1StringView("FALSE"),
                         QLatin1StringView("0")}))
        return QStringLiteral("N");
    return std::nullopt;
}

namespace {

Rule_Column_Kind Kind_Of(Rule_Table table, int column) {
    const std::vector<Rule_Column>& columns = Rule_Columns(table);
    return column >= 0 && column < static_cast<int>(columns.size()) ? columns[column].kind
                                                                    : Rule_Column_Kind::Row_Number;
}

} // namespace

std::optional<QString> Rule_Cell_Value(Rule_Table table, int column, const QString& text) {
    switch (Kind_Of(table, column)) {
    case Rule_Column_Kind::Check:
        return Flag_Cell_Text(text);
    case Rule_Column_Kind::Type_List:
        if (text.trimmed().isEmpty())
            return QString();
        if (const auto name = Standard_Type_Name(table, text))
            return QString(*name);
        return std::nullopt;
    case Rule_Column_Kind::Row_Number:
    case Rule_Column_Kind::Edit:
    case Rule_Column_Kind::Position_List:
    case Rule_Column_Kind::Bit_List:
        break;
    }
    return text;
}

QString Refused_Value_Reason(const Text_Table& texts, Rule_Table table, int column, const QString& text) {
    const QString quoted = QLatin1Char('"') + Escape_Controls(text) + QLatin1Char('"');
    switch (Kind_Of(table, column)) {
    case Rule_Column_Kind::Check:
        return quoted + texts[Cell_Value_Text::Not_A_Flag];
    case Rule_Column_Kind::Type_List:
        return quoted + texts[Cell_Value_Text::Not_A_Type] +
               Modbus_Type_Names(table).join(QStringLiteral(", "));
    case Rule_Column_Kind::Row_Number:
    case Rule_Column_Kind::Edit:
    case Rule_Column_Kind::Position_List:
    case Rule_Column_Kind::Bit_List:
        break;
    }
    return {};
}

std::optional<QString> Typed_List_Item(const QStringList& items, const QString& text) {
    const QString typed = text.trimmed();
    if (typed.isEmpty())
        return std::nullopt;
    for (const QString& item : items)
        if (item.compare(typed, Qt::CaseInsensitive) == 0)
            return item;
    for (const QString& item : items)
        if (item.startsWith(text, Qt::CaseInsensitive))
            return item;
    return std::nullopt;
}

bool Begins_List_Item(const QStringList& items, const QString& text) {
    if (text.isEmpty())
        return true;
    return std::any_of(items.begin(), items.end(),
                       [&](const QString& item) { return item.startsWith(text, Qt::CaseInsensitive); });
}
