#include "document/io_map.h"

#include "base/int_conversion.h"

#include <algorithm>

namespace {

// The special pair of asynchronous start addresses: the device does not
// reserve an area for it.
constexpr int Special_Async_In = 31862;
constexpr int Special_Async_Out = 40571;

Io_Occupant Reserved_Bytes(Io_Area area, Reserved_Area kind, int first_byte, int bytes) {
    Io_Occupant occupant;
    occupant.Area = area;
    occupant.Reserved = kind;
    occupant.Table = area == Io_Area::Input ? Rule_Table::Read : Rule_Table::Write;
    occupant.First_Bit = static_cast<long long>(first_byte) * 8;
    occupant.Bit_Count = static_cast<long long>(bytes) * 8;
    return occupant;
}

// Column positions of one table.
struct Table_Columns {
    Rule_Table table;
    Io_Area area;
    int position, bit;
};
const Table_Columns read_columns{Rule_Table::Read, Io_Area::Input, Read_Col::Address_Profi, Read_Col::Bit};
const Table_Columns write_columns{Rule_Table::Write, Io_Area::Output, Write_Col::Address_Profi,
                                  Write_Col::Bit};

bool Enabled(const Grid_Texts& grid, int row) {
    return grid.Cell(row, Read_Col::Enable).trimmed() == QLatin1String("Y");
}

void Add_Rules(QList<Io_Occupant>& occupants, const Grid_Texts& grid, const Table_Columns& c,
               int hardware_type) {
    const int end = Table_End_Row(grid);
    for (int row = 1; row < end; ++row) {
        if (!Enabled(grid, row))
            continue;
        // Type, Address and NPoint sit in columns 3 to 5 of both tables.
        const QString& type = grid.Cell(row, Read_Col::Type);
        const int position = Str_To_Int_Def(grid.Cell(row, c.position), -1);
        const int points = Str_To_Int_Def(grid.Cell(row, Read_Col::NPoint), -1);
        if (type.isEmpty() || position < 0 || points < 1)
            continue;
        Io_Occupant rule;
        rule.Area = c.area;
        rule.Table = c.table;
        rule.Row = row;
        rule.Bit_Type = Is_Bit_Type(c.table, type);
        rule.First_Bit = static_cast<long long>(position) * 8;
        if (!rule.Bit_Type) {
            rule.Bit_Count = 16LL * points;
        } else {
            rule.Bit_Count = points;
            if (hardware_type == 1)
                rule.First_Bit += Str_To_Int_Def(grid.Cell(row, c.bit), 0);
        }
        rule.Slave_ID = grid.Cell(row, Read_Col::Slave_ID);
        rule.Type = type;
        rule.Address_Mod = grid.Cell(row, Read_Col::Address_Mod);
        rule.NPoint = grid.Cell(row, Read_Col::NPoint);
        rule.Mnemonic = grid.Cell(row, grid.Column_Count() - 1); // Mnemonic is the last column
        occupants.append(rule);
    }
}

void Add_Overlaps(Io_Map& map, Io_Area area) {
    const QList<Io_Occupant>& all = map.Occupants;
    for (int i = 0; i < all.size(); ++i) {
        if (all[i].Area != area)
            continue;
        for (int j = i + 1; j < all.size(); ++j) {
            if (all[j].Area != area)
                continue;
            const long long first = std::max(all[i].First_Bit, all[j].First_Bit);
            const long long last = std::min(all[i].Last_Bit(), all[j].Last_Bit());
            if (first <= last)
                map.Overlaps.append(Io_Overlap{area, i, j, first, last});
        }
    }
}

void Add_Unused(Io_Map& map, Io_Area area) {
    const QList<QList<int>> bytes = map.Byte_Occupants(area);
    int byte = 0;
    while (byte < bytes.size()) {
        if (!bytes[byte].isEmpty()) {
            ++byte;
            continue;
        }
        const int first = byte;
        while (byte < bytes.size() && bytes[byte].isEmpty())
            ++byte;
        map.Unused.append(Io_Byte_Range{area, first, byte - 1});
    }
}

// The Modbus data a read rule reads: slave, type, first and last address.
struct Modbus_Span {
    int row;
    int slave;
    QString type;
    long long first, last;
};

void Add_Repeated_Reads(Io_Map& map, const Grid_Texts& read) {
    QList<Modbus_Span> spans;
    const int end = Table_End_Row(read);
    for (int row = 1; row < end; ++row) {
        if (!Enabled(read, row))
            continue;
        const int slave = Str_To_Int_Def(read.Cell(row, Read_Col::Slave_ID), -1);
        const QString type = read.Cell(row, Read_Col::Type).trimmed().toUpper();
        const int address = Str_To_Int_Def(read.Cell(row, Read_Col::Address_Mod), -1);
        const int points = Str_To_Int_Def(read.Cell(row, Read_Col::NPoint), -1);
        if (slave < 0 || type.isEmpty() || address < 0 || points < 1)
            continue;
        spans.append(Modbus_Span{row, slave, type, address, static_cast<long long>(address) + points - 1});
    }
    for (int i = 0; i < spans.size(); ++i) {
        for (int j = i + 1; j < spans.size(); ++j) {
            const Modbus_Span& a = spans[i];
            const Modbus_Span& b = spans[j];
            if (a.slave == b.slave && a.type == b.type && a.first <= b.last && b.first <= a.last)
                map.Repeated_Reads.append(Io_Repeated_Read{a.row, b.row});
        }
    }
}

} // namespace

long long Io_Byte_Of_Bit(long long bit) {
    return bit >= 0 ? bit / 8 : -((-bit + 7) / 8);
}

QList<QList<int>> Io_Map::Byte_Occupants(Io_Area area) const {
    QList<QList<int>> bytes(Area_Bytes(area));
    const long long size = bytes.size();
    for (int index = 0; index < Occupants.size(); ++index) {
        const Io_Occupant& occupant = Occupants[index];
        if (occupant.Area != area)
            continue;
        const long long first = std::max(0LL, occupant.First_Byte());
        const long long last = std::min(size - 1, occupant.Last_Byte());
        for (long long byte = first; byte <= last; ++byte)
            bytes[byte].append(index);
    }
    return bytes;
}

QList<int> Io_Map::Overlaps_In_Byte(Io_Area area, long long byte) const {
    QList<int> found;
    for (int index = 0; index < Overlaps.size(); ++index) {
        const Io_Overlap& overlap = Overlaps[index];
        if (overlap.Area == area && overlap.First_Byte() <= byte && byte <= overlap.Last_Byte())
            found.append(index);
    }
    return found;
}

QList<Io_Occupant> Reserved_Areas(const General_Params& p) {
    QList<Io_Occupant> reserved;
    const bool ethernet = p.Hardware_Type == 1;
    auto start = [](const QString& text) { return Str_To_Int_Def(text, -1); };

    if (!ethernet && p.Profi_Enable_Error && p.Profi_Diagnosis_Copy_Array) {
        const int at = start(p.Profi_Diagnosis_Copy_Array_Position);
        if (at >= 0)
            reserved.append(Reserved_Bytes(Io_Area::Input, Reserved_Area::Diagnosis_Copy, at, 8));
    }
    if (ethernet && p.Profi_Enable_Error && !p.Profi_Enable_Diagnosis) {
        const int at = start(p.Profi_Enable_Error_Address);
        if (at >= 0)
            reserved.append(Reserved_Bytes(Io_Area::Input, Reserved_Area::Diagnosis_Address, at, 1));
    }
    if (p.Profi_Enable_Async_Mod_Req) {
        const int in = start(p.Profi_Async_Req_Start_IN);
        const int out = start(p.Profi_Async_Req_Start_OUT);
        if (!(in == Special_Async_In && out == Special_Async_Out)) {
            if (in >= 0)
                reserved.append(Reserved_Bytes(Io_Area::Input, Reserved_Area::Async_Requests, in, 4));
            if (out >= 0)
                reserved.append(Reserved_Bytes(Io_Area::Output, Reserved_Area::Async_Requests, out, 8));
        }
    }
    return reserved;
}

Io_Map Build_Io_Map(const Grid_Texts& read, const Grid_Texts& write, const Rules_Limits& limits,
                    const QList<Io_Occupant>& reserved) {
    Io_Map map;
    map.Input_Bytes = std::clamp(limits.NByte_IN, 0, Io_Area_Max_Bytes);
    map.Output_Bytes = std::clamp(limits.NByte_OUT, 0, Io_Area_Max_Bytes);

    auto add_reserved = [&](Io_Area area) {
        QList<Io_Occupant> in_area;
        for (const Io_Occupant& occupant : reserved)
            if (occupant.Area == area)
                in_area.append(occupant);
        std::stable_sort(in_area.begin(), in_area.end(), [](const Io_Occupant& a, const Io_Occupant& b) {
            return static_cast<int>(a.Reserved) < static_cast<int>(b.Reserved);
        });
        map.Occupants.append(in_area);
    };
    add_reserved(Io_Area::Input);
    Add_Rules(map.Occupants, read, read_columns, limits.Hardware_Type);
    add_reserved(Io_Area::Output);
    Add_Rules(map.Occupants, write, write_columns, limits.Hardware_Type);

    for (Io_Area area : {Io_Area::Input, Io_Area::Output}) {
        Add_Overlaps(map, area);
        Add_Unused(map, area);
    }
    Add_Repeated_Reads(map, read);
    return map;
}
