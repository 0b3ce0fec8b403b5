#pragma once

#include "poll/rule_poll.h"

#include <QList>
#include <QModbusDevice>
#include <QModbusPdu>
#include <QString>

class QModbusReply;

// What a finished Modbus reply tells about its request.
struct Poll_Reply_Facts {
    QModbusDevice::Error Error = QModbusDevice::NoError;
    QString Error_Text;
    QModbusResponse Raw; // the answer's PDU, when one was taken
    QList<QModbusDevice::IntermediateError> Intermediate;
};

Poll_Reply_Facts Reply_Facts(const QModbusReply& reply);

// The result of a request from its reply: the values when the answer carries
// exactly the data bytes asked for, the exception code of an exception
// answer, a damaged answer (wrong CRC, wrong length, an answer that does not
// match the request), no answer, or the line's error.
Poll_Result Decode_Poll_Reply(const Poll_Request& request, const Poll_Reply_Facts& facts);
