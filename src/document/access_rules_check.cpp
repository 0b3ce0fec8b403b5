#include "document/access_rules_check.h"

#include "base/int_conversion.h"
#include "base/text_table.h"
#include "document/modbus_types.h"
#include "document/pargen_view.h"

#include <algorithm>

namespace {

// Column positions, message texts and limits of one table's checks.
struct Table_Checks {
    Rule_Table table;
    int poll_time, max_error, position, bit;
    Rule_Check_Texts texts;
    int poll_min;
};

const Table_Checks read_checks{
    .table = Rule_Table::Read,
    .poll_time = Read_Col::PollTime,
    .max_error = Read_Col::MaxError,
    .position = Read_Col::Address_Profi,
    .bit = Read_Col::Bit,
    .texts = Rule_Check_Texts_Of(Rule_Table::Read),
    .poll_min = 1000,
};
const Table_Checks write_checks{
    .table = Rule_Table::Write,
    .poll_time = Write_Col::PollTime,
    .max_error = Write_Col::MaxError,
    .position = Write_Col::Address_Profi,
    .bit = Write_Col::Bit,
    .texts = Rule_Check_Texts_Of(Rule_Table::Write),
    .poll_min = 0,
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
    // Slave ID, Type, Address and NPoint sit in the same columns of both tables.
    if (!In_Range(number(Read_Col::Slave_ID), 1, 247))
        return fail(c.texts.slave);
    // Only the names of the table's Type list, blanks and letter case aside.
    const QString& type = grid.Cell(row, Read_Col::Type);
    if (!Standard_Type_Name(c.table, type))
        return fail(c.texts.type);
    if (!In_Range(number(Read_Col::Address_Mod), 0, 65535))
        return fail(c.texts.address);
    const bool bit_type = Is_Bit_Type(c.table, type);
    const int points_max = Max_Points(c.table, bit_type);
    const int points = number(Read_Col::NPoint);
    if (!In_Range(points, 1, points_max))
        return fail(c.texts.npoint, points_max);
    if (hardware_type == 1) {
        if (!In_Range(number(c.poll_time), c.poll_min, 100000000))
            return fail(c.texts.poll);
        if (!In_Range(number(c.max_error), 0, 100000000))
            return fail(c.texts.max_error);
    }
    const int position = number(c.position);
    if (!In_Range(position, 0, static_cast<long long>(area_bytes) - 1))
        return fail(c.texts.position, area_bytes - 1);
    if (hardware_type == 1 && bit_type && grid.Cell(row, c.bit).isEmpty())
        return fail(c.texts.bit);
    const int start_bit = number(c.bit, 0);
    if (Last_Byte_Occupied(bit_type, hardware_type, position, points, start_bit) >= area_bytes)
        return fail(c.texts.bytes);
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

const Rule_Check_Texts& Rule_Check_Texts_Of(Rule_Table table) {
    // Each table's messages follow one another in check order.
    static constexpr Rule_Check_Texts read{669, 670, 671, 672, 673, 674, 675, 676, 677};
    static constexpr Rule_Check_Texts write{679, 680, 681, 682, 683, 684, 685, 686, 687};
    return table == Rule_Table::Write ? write : read;
}

int Max_Points(Rule_Table table, bool bit_type) {
    if (table == Rule_Table::Write)
        return bit_type ? 1968 : 123; // Coil Status, Holding Register
    return bit_type ? 2000 : 125;
}

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

std::optional<int> Checked_Column(const Check_Failure& failure) {
    const Table_Checks& c = failure.Table == Rule_Table::Write ? write_checks : read_checks;
    const std::pair<int, int> columns[] = {
        {c.texts.slave, Read_Col::Slave_ID}, // the same four columns in both tables
        {c.texts.type, Read_Col::Type},
        {c.texts.address, Read_Col::Address_Mod},
        {c.texts.npoint, Read_Col::NPoint},
        {c.texts.poll, c.poll_time},
        {c.texts.max_error, c.max_error},
        {c.texts.position, c.position},
        {c.texts.bit, c.bit},
        {c.texts.bytes, c.position},
    };
    for (const auto& [text, column] : columns) {
        if (text == failure.Text_Index)
            return column;
    }
    return std::nullopt;
}

int Failing_Column(const Check_Failure& failure) {
    return Checked_Column(failure).value_or(Read_Col::Enable);
}
