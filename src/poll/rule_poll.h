#pragma once

#include "document/access_rules_check.h"
#include "document/access_rules_table.h"
#include "document/grid_texts.h"

#include <QList>
#include <QString>
#include <optional>

class Text_Table;

// One Modbus request that asks a slave for exactly what a rule reads. A write
// rule is never written: its coils or registers are read back instead.
struct Poll_Request {
    Rule_Table Table = Rule_Table::Read;
    int Row = 0; // the rule's row in its table, from 1
    QString Mnemonic;
    int Slave = 0;
    int Function = 0; // 1 coils, 2 inputs, 3 holding registers, 4 input registers; 0 unknown
    int Address = 0;  // protocol address, counted from 0
    int Count = 0;
    // Set when the rule cannot be sent: the editor's check that it fails.
    std::optional<Check_Failure> Invalid;

    bool operator==(const Poll_Request&) const = default;
};

enum class Poll_Status { Ok, Exception, Timeout, Error };

// Why a rule ended in Poll_Status::Error.
enum class Poll_Error {
    None,
    Not_Sent,     // the rule is not valid; nothing was sent
    Crc,          // an answer came with a wrong CRC
    Wrong_Length, // an answer whose byte count is not the one asked for
    Mismatch,     // an answer from another slave or for another function
    Line,         // the port failed; the detail is the system's text
};

struct Poll_Result {
    Poll_Request Request;
    Poll_Status Status = Poll_Status::Timeout;
    QList<quint16> Values; // Ok: exactly Count values; bits as 0/1
    int Exception_Code = 0;
    Poll_Error Error = Poll_Error::None;
    int Bytes_Received = 0; // Wrong_Length: data bytes of the answer
    int Bytes_Expected = 0; // Wrong_Length: data bytes that Count asks for
    QString Detail;         // Line: the system's error text

    bool operator==(const Poll_Result&) const = default;
};

// The request of every enabled rule among `rows` of a rule table, in table
// order. Rows from the table's end on (the first row with a blank Slave ID)
// and disabled rows are left out. An enabled rule whose Slave ID, Type,
// Address or NPoint fails the editor's check is planned with `Invalid` set.
QList<Poll_Request> Plan_Poll(const Grid_Texts& grid, Rule_Table table, const QList<int>& rows);

// The same for rows first..last (inclusive).
QList<Poll_Request> Plan_Poll(const Grid_Texts& grid, Rule_Table table, int first_row, int last_row);

// The Modbus read function of a rule type (trimmed, any letter case) in a
// table: 1 Coil Status, 2 Input Status (read table only), 3 Holding
// Register, 4 Input Register (read table only); 0 for any other text.
int Poll_Function(Rule_Table table, const QString& type);

// The number of data bytes an answer carries for `count` points of a function.
int Poll_Data_Bytes(int function, int count);

// The status text of a result: answered, the exception with its code and
// name, no answer, or what was wrong.
QString Poll_Result_Message(const Text_Table& texts, const Poll_Result& result);

// The name of a Modbus exception code; empty for a code without a name.
QString Modbus_Exception_Name(const Text_Table& texts, int code);

// The values of a result: registers as "decimal (0xHHHH)", bits as 0 or 1,
// separated by blanks.
QString Poll_Values_Text(const Poll_Result& result);

// "read" or "write".
QString Rule_Table_Name(Rule_Table table);
