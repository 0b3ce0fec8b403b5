#include "poll/rule_poll.h"

#include "base/int_conversion.h"
#include "base/text_table.h"
#include "document/modbus_types.h"
#include "poll/rules_test_text.h"

#include <QSet>
#include <algorithm>

namespace {

Poll_Request Plan_Rule(const Grid_Texts& grid, Rule_Table table, int row) {
    // Slave ID, Type, Address and NPoint sit in the same columns of both tables.
    const Rule_Check_Texts& texts = Rule_Check_Texts_Of(table);
    Poll_Request request;
    request.Table = table;
    request.Row = row;
    request.Mnemonic = grid.Cell(row, grid.Column_Count() - 1);
    request.Slave = Str_To_Int_Def(grid.Cell(row, Read_Col::Slave_ID), -1);
    request.Function = Poll_Function(table, grid.Cell(row, Read_Col::Type));
    request.Address = Str_To_Int_Def(grid.Cell(row, Read_Col::Address_Mod), -1);
    request.Count = Str_To_Int_Def(grid.Cell(row, Read_Col::NPoint), -1);

    auto invalid = [&](int text_index, std::optional<int> bound = std::nullopt) {
        request.Invalid = Rule_Check_Failure(table, row, text_index, bound);
        return request;
    };
    if (request.Slave < 1 || request.Slave > 247)
        return invalid(texts.slave);
    if (request.Function == 0)
        return invalid(texts.type);
    if (request.Address < 0 || request.Address > 65535)
        return invalid(texts.address);
    const int points_max = Max_Points(table, request.Function <= 2);
    if (request.Count < 1 || request.Count > points_max)
        return invalid(texts.npoint, points_max);
    return request;
}

} // namespace

int Poll_Function(Rule_Table table, const QString& type) {
    const Modbus_Type_Info* info = Modbus_Type_Entry(Modbus_Type_In(table, type.trimmed()));
    return info ? info->Read_Function : 0;
}

int Poll_Data_Bytes(int function, int count) {
    return function <= 2 ? (count + 7) / 8 : 2 * count;
}

QList<Poll_Request> Plan_Poll(const Grid_Texts& grid, Rule_Table table, const QList<int>& rows) {
    const QSet<int> chosen(rows.begin(), rows.end());
    QList<Poll_Request> requests;
    const int end = Table_End_Row(grid);
    for (int row = 1; row < end; ++row) {
        if (!chosen.contains(row) || grid.Cell(row, 1).trimmed() != QLatin1String("Y"))
            continue;
        requests.append(Plan_Rule(grid, table, row));
    }
    return requests;
}

QList<Poll_Request> Plan_Poll(const Grid_Texts& grid, Rule_Table table, int first_row, int last_row) {
    QList<int> rows;
    for (int row = std::max(first_row, 1); row <= std::min(last_row, grid.Last_Row()); ++row)
        rows.append(row);
    return Plan_Poll(grid, table, rows);
}

QString Modbus_Exception_Name(const Text_Table& texts, int code) {
    static constexpr struct {
        int code, text;
    } names[] = {{1, Poll_Text::Illegal_Function},      {2, Poll_Text::Illegal_Data_Address},
                 {3, Poll_Text::Illegal_Data_Value},    {4, Poll_Text::Slave_Device_Failure},
                 {5, Poll_Text::Acknowledge},           {6, Poll_Text::Slave_Device_Busy},
                 {8, Poll_Text::Memory_Parity_Error},   {10, Poll_Text::Gateway_Path_Unavailable},
                 {11, Poll_Text::Gateway_Target_Failed}};
    for (const auto& name : names)
        if (name.code == code)
            return texts[name.text];
    return {};
}

QString Poll_Result_Message(const Text_Table& texts, const Poll_Result& result) {
    switch (result.Status) {
    case Poll_Status::Ok:
        return texts[Poll_Text::Answered];
    case Poll_Status::Exception: {
        const QString name = Modbus_Exception_Name(texts, result.Exception_Code);
        return texts[Poll_Text::Exception] + QString::number(result.Exception_Code) +
               (name.isEmpty() ? QString() : QStringLiteral(": ") + name);
    }
    case Poll_Status::Timeout:
        return texts[Poll_Text::No_Answer];
    case Poll_Status::Error:
        break;
    }
    switch (result.Error) {
    case Poll_Error::Not_Sent:
        return texts[Poll_Text::Not_Sent] +
               (result.Request.Invalid ? Check_Failure_Message(texts, *result.Request.Invalid) : QString());
    case Poll_Error::Crc:
        return texts[Poll_Text::Wrong_Crc];
    case Poll_Error::Wrong_Length:
        return texts[Poll_Text::Wrong_Length] + QString::number(result.Bytes_Received) + QLatin1Char('/') +
               QString::number(result.Bytes_Expected);
    case Poll_Error::Mismatch:
        return texts[Poll_Text::Mismatch];
    case Poll_Error::Line:
    case Poll_Error::None:
        break;
    }
    return texts[Poll_Text::Line_Error] + result.Detail;
}

QString Poll_Values_Text(const Poll_Result& result) {
    QStringList parts;
    const bool registers = result.Request.Function >= 3;
    for (quint16 value : result.Values) {
        if (registers)
            parts.append(QStringLiteral("%1 (0x%2)")
                             .arg(value)
                             .arg(QString::number(value, 16).toUpper().rightJustified(4, QLatin1Char('0'))));
        else
            parts.append(QString::number(value));
    }
    return parts.join(QLatin1Char(' '));
}

QString Rule_Table_Name(Rule_Table table) {
    return table == Rule_Table::Read ? QStringLiteral("read") : QStringLiteral("write");
}
