#include "config/access_rules_check.h"

#include "base/int_conversion.h"
#include "base/text_table.h"
#include "config/modbus_types.h"
#include "config/pargen_view.h"

#include <algorithm>

namespace {

// Column positions and message texts of one table's checks.
struct Table_Checks {
    Rule_Table table;
    int poll_time, max_error, position, bit;
    int text_slave, text_type, text_address, text_npoint, text_poll, text_max_error, text_position, text_bit,
        text_bytes;
    int poll_min;
    int bit_points_max, register_points_max;
};

const Table_Checks read_checks{
    .table = Rule_Table::Read,
    .poll_time = Read_Col::PollTime,
    .max_error = Read_Col::MaxError,
    .position = Read_Col::Address_Profi,
    .bit = Read_Col::Bit,
    .text_slave = 669,
    .text_type = 670,
    .text_address = 671,
    .text_npoint = 672,
    .text_poll = 673,
    .text_max_error = 674,
    .text_position = 675,
    .text_bit = 676,
    .text_bytes = 677,
    .poll_min = 1000,
    .bit_points_max = 2000,
    .register_points_max = 125,
};
const Table_Checks write_checks{
    .table = Rule_Table::Write,
    .poll_time = Write_Col::PollTime,
    .max_error = Write_Col::MaxError,
    .position = Write_Col::Address_Profi,
    .bit = Write_Col::Bit,
    .text_slave = 679,
    .text_type = 680,
    .text_address = 681,
    .text_npoint = 682,
    .text_poll = 683,
    .text_max_error = 684,
    .text_position = 685,
    .text_bit = 686,
    .text_bytes = 687,
    .poll_min = 0,
    .bit_points_max = 1968, // Coil Status
    .register_points_max = 123,
};

bool In_Range(int value, long long low, long long high) {
    return value >= low && value <= high;
}

std::optional<Check_Failure> Check_Rule(const Grid_Texts& grid, int row, const Table_Checks& c,
                                        int hardware_type, int area_bytes) {
    auto fail = [&](int text_index, std::optional<int> bound = std::nullopt) {
        return std::optional<Check_Failure>(Rule_Check_Failure(c.table, row, text_index, bound));
    };
    auto number = [&](int column, int default_value = -1) {
        return Str_To_Int_Def(grid.Cell(row, column), default_value);
    };
    // Slave ID, Type, Address and NPoint sit in columns 2 to 5 of both tables.
    if (!In_Range(number(2), 1, 247))
        return fail(c.text_slave);
    const QString& type = grid.Cell(row, 3);
    if (type.isEmpty())
        return fail(c.text_type);
    if (!In_Range(number(4), 0, 65535))
        return fail(c.text_address);
    const bool bit_type = Is_Bit_Type(c.table, type);
    const int points_max = bit_type ? c.bit_points_max : c.register_points_max;
    const int points = number(5);
    if (!In_Range(points, 1, points_max))
        return fail(c.text_npoint, points_max);
    if (hardware_type == 1) {
        if (!In_Range(number(c.poll_time), c.poll_min, 100000000))
            return fail(c.text_poll);
        if (!In_Range(number(c.max_error), 0, 100000000))
            return fail(c.text_max_error);
    }
    const int position = number(c.position);
    if (!In_Range(position, 0, static_cast<long long>(area_bytes) - 1))
        return fail(c.text_position, area_bytes - 1);
    if (hardware_type == 1 && bit_type && grid.Cell(row, c.bit).isEmpty())
        return fail(c.text_bit);
    const int start_bit = number(c.bit, 0);
    if (Last_Byte_Occupied(bit_type, hardware_type, position, points, start_bit) >= area_bytes)
        return fail(c.text_bytes);
    return std::nullopt;
}

std::optional<Check_Failure> Check_Table(const Grid_Texts& grid, const Table_Checks& checks,
                                         int hardware_type, int area_bytes) {
    const int end = Table_End_Row(grid);
    for (int row = 1; row < end; ++row) {
        if (grid.Cell(row, 1).trimmed() != QLatin1String("Y"))
            continue; // disabled rules are kept as they are
        if (auto failure = Check_Rule(grid, row, checks, hardware_type, area_bytes))
            return failure;
    }
    return std::nullopt;
}

} // namespace

bool Is_Bit_Type(Rule_Table table, const QString& type) {
    const Modbus_Type_Info* info = Modbus_Type_Entry(Modbus_Type_In(table, type.trimmed()));
    return info && info->Bits;
}

long long Last_Byte_Occupied(bool bit_type, int hardware_type, int position, int points, int start_bit) {
    const long long p = position;
    const long long n = points;
    if (!bit_type)
        return p + 2 * n - 1;
    if (hardware_type == 1)
        return p + (n + start_bit - 1) / 8;
    return p + (n - 1) / 8;
}

std::optional<Check_Failure> Check_Access_Rules(const Grid_Texts& read, const Grid_Texts& write,
                                                const Rules_Limits& limits) {
    if (auto failure = Check_Table(read, read_checks, limits.Hardware_Type, limits.NByte_IN))
        return failure;
    return Check_Table(write, write_checks, limits.Hardware_Type, limits.NByte_OUT);
}

Check_Failure Rule_Check_Failure(Rule_Table table, int row, int text_index, std::optional<int> bound) {
    constexpr int text_rule_row = 668;
    return Check_Failure{.Text_Index = text_index,
                         .Bound = bound,
                         .Row = row,
                         .Lead_Text_Index = text_rule_row,
                         .Table = table};
}

Rules_Limits Rules_Limits_Of(const ParGen_View& pargen) {
    Rules_Limits limits;
    limits.Hardware_Type = pargen.Number(Par_Gen::Hardware_Type, limits.Hardware_Type);
    limits.NByte_IN = pargen.Number(Par_Gen::Profi_NB_IN, limits.NByte_IN);
    limits.NByte_OUT = pargen.Number(Par_Gen::Profi_NB_OUT, limits.NByte_OUT);
    return limits;
}

QStringList Position_Items(int area_bytes) {
    const int count = std::clamp(area_bytes, 0, 65536);
    QStringList items;
    items.reserve(count);
    for (int position = 0; position < count; ++position)
        items.append(QString::number(position));
    return items;
}

int Failing_Column(const Check_Failure& failure) {
    const Table_Checks& c = failure.Table == Rule_Table::Write ? write_checks : read_checks;
    const std::pair<int, int> columns[] = {
        {c.text_slave, 2},
        {c.text_type, 3},
        {c.text_address, 4},
        {c.text_npoint, 5},
        {c.text_poll, c.poll_time},
        {c.text_max_error, c.max_error},
        {c.text_position, c.position},
        {c.text_bit, c.bit},
        {c.text_bytes, c.position},
    };
    for (const auto& [text, column] : columns) {
        if (text == failure.Text_Index)
            return column;
    }
    return 1;
}
