#include "document/modbus_types.h"

const Modbus_Type_Info* Modbus_Type_Entry(Modbus_Type type) {
    for (const Modbus_Type_Info& info : Modbus_Types)
        if (info.Type == type)
            return &info;
    return nullptr;
}

Modbus_Type Modbus_Type_Named(const QString& text) {
    // Upper case as QString gives it, so "coıl status" names Coil Status.
    const QString upper = text.toUpper();
    for (const Modbus_Type_Info& info : Modbus_Types)
        if (upper == QString(info.Name).toUpper())
            return info.Type;
    return Modbus_Type::None;
}

Modbus_Type Modbus_Type_In(Rule_Table table, const QString& text) {
    const Modbus_Type type = Modbus_Type_Named(text);
    const Modbus_Type_Info* info = Modbus_Type_Entry(type);
    if (!info || (table == Rule_Table::Write && !info->In_Write_Table))
        return Modbus_Type::None;
    return type;
}

QStringList Modbus_Type_Names(Rule_Table table) {
    QStringList names;
    for (const Modbus_Type_Info& info : Modbus_Types)
        if (table == Rule_Table::Read || info.In_Write_Table)
            names.append(info.Name);
    return names;
}

std::optional<QLatin1StringView> Standard_Type_Name(Rule_Table table, const QString& text) {
    const Modbus_Type_Info* info = Modbus_Type_Entry(Modbus_Type_In(table, text.trimmed()));
    if (!info)
        return std::nullopt;
    return info->Name;
}
