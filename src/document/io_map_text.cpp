#include "document/io_map_text.h"

#include "base/text_table.h"

#include <algorithm>

QString Io_Occupant_Name(const Text_Table& texts, const Io_Occupant& occupant) {
    switch (occupant.Reserved) {
    case Reserved_Area::Diagnosis_Copy:
        return texts[Io_Text::Diagnosis_Copy];
    case Reserved_Area::Diagnosis_Address:
        return texts[Io_Text::Diagnosis_Address];
    case Reserved_Area::Async_Requests:
        return texts[Io_Text::Async_Requests];
    case Reserved_Area::None:
        break;
    }
    return texts[Io_Text::Row] + QString::number(occupant.Row);
}

QString Io_Occupant_Symbol(const Io_Occupant& occupant) {
    switch (occupant.Reserved) {
    case Reserved_Area::Diagnosis_Copy:
        return QStringLiteral("C");
    case Reserved_Area::Diagnosis_Address:
        return QStringLiteral("D");
    case Reserved_Area::Async_Requests:
        return QStringLiteral("A");
    case Reserved_Area::None:
        break;
    }
    return QString::number(occupant.Row);
}

QString Io_Range_Text(long long first, long long last) {
    if (first == last)
        return QString::number(first);
    return QString::number(first) + u'-' + QString::number(last);
}

QString Io_Overlap_Message(const Text_Table& texts, const Io_Map& map, const Io_Overlap& overlap) {
    const int begin = overlap.Area == Io_Area::Input ? Io_Text::Overlap_Input : Io_Text::Overlap_Output;
    return texts[begin] + Io_Range_Text(overlap.First_Byte(), overlap.Last_Byte()) + QStringLiteral(": ") +
           Io_Occupant_Name(texts, map.Occupants[overlap.First]) + texts[Io_Text::And] +
           Io_Occupant_Name(texts, map.Occupants[overlap.Second]);
}

QString Io_Repeated_Read_Message(const Text_Table& texts, const Io_Repeated_Read& repeated) {
    return texts[Io_Text::Repeated_Read_Begin] + QString::number(repeated.Second_Row) +
           texts[Io_Text::Repeated_Read_End] + QString::number(repeated.First_Row);
}

QString Io_Overlaps_Line(const Text_Table& texts, int overlaps) {
    return texts[Io_Text::Overlaps_Begin] + QString::number(overlaps) + texts[Io_Text::Overlaps_End];
}

QString Io_Byte_Hover_Text(const Text_Table& texts, const Io_Map& map, Io_Area area, int byte) {
    QStringList lines{texts[Io_Text::Byte] + QString::number(byte)};
    const long long first_bit = static_cast<long long>(byte) * 8;
    const long long last_bit = first_bit + 7;
    bool any = false;
    for (const Io_Occupant& occupant : map.Occupants) {
        if (occupant.Area != area || occupant.Last_Bit() < first_bit || occupant.First_Bit > last_bit)
            continue;
        any = true;
        QString line = Io_Occupant_Name(texts, occupant);
        if (occupant.Is_Rule()) {
            line += QStringLiteral(": ") + occupant.Type.trimmed() + texts[Io_Text::Modbus_Address] +
                    occupant.Address_Mod.trimmed();
            const long long from = std::max(occupant.First_Bit, first_bit) - first_bit;
            const long long to = std::min(occupant.Last_Bit(), last_bit) - first_bit;
            if (occupant.Bit_Type && (from > 0 || to < 7))
                line += texts[Io_Text::Bits] + Io_Range_Text(from, to);
            if (!occupant.Mnemonic.trimmed().isEmpty())
                line += QStringLiteral(", ") + occupant.Mnemonic;
        }
        lines.append(line);
    }
    if (!any)
        lines.append(texts[Io_Text::Unused]);
    else if (!map.Overlaps_In_Byte(area, byte).isEmpty())
        lines.append(texts[Io_Text::Overlap_Mark]);
    return lines.join(u'\n');
}
