#include "poll/rule_poll_reply.h"

#include <QModbusReply>
#include <algorithm>

Poll_Reply_Facts Reply_Facts(const QModbusReply& reply) {
    Poll_Reply_Facts facts;
    facts.Error = reply.error();
    facts.Error_Text = reply.errorString();
    facts.Raw = reply.rawResult();
    facts.Intermediate = reply.intermediateErrors();
    return facts;
}

Poll_Result Decode_Poll_Reply(const Poll_Request& request, const Poll_Reply_Facts& facts) {
    Poll_Result result;
    result.Request = request;
    const QModbusResponse& raw = facts.Raw;
    // QModbusPdu::isValid() is false for an exception answer: test that first.
    if (raw.isException() && raw.functionCode() == request.Function) {
        result.Status = Poll_Status::Exception;
        result.Exception_Code = raw.dataSize() > 0 ? quint8(raw.data()[0]) : 0;
        return result;
    }
    if (raw.isValid() && raw.functionCode() == request.Function) {
        const QByteArray data = raw.data();
        // The first data byte is the byte count; the data bytes follow it.
        const int expected = Poll_Data_Bytes(request.Function, request.Count);
        const int received = std::max(0, static_cast<int>(data.size()) - 1);
        if (data.isEmpty() || quint8(data[0]) != received || received != expected) {
            result.Status = Poll_Status::Error;
            result.Error = Poll_Error::Wrong_Length;
            result.Bytes_Received = received;
            result.Bytes_Expected = expected;
            return result;
        }
        result.Status = Poll_Status::Ok;
        const auto byte = [&data](int index) { return quint8(data[1 + index]); };
        for (int i = 0; i < request.Count; ++i) {
            if (request.Function <= 2)
                result.Values.append((byte(i / 8) >> (i % 8)) & 1);
            else
                result.Values.append(quint16(byte(2 * i) << 8 | byte(2 * i + 1)));
        }
        return result;
    }
    result.Status = Poll_Status::Error;
    if (facts.Error == QModbusDevice::TimeoutError) {
        // A damaged answer is dropped by the client, which then waits for a
        // good one until the time-out; the drop is kept as an intermediate
        // error.
        if (facts.Intermediate.contains(QModbusDevice::ResponseCrcError))
            result.Error = Poll_Error::Crc;
        else if (facts.Intermediate.contains(QModbusDevice::ResponseRequestMismatch))
            result.Error = Poll_Error::Mismatch;
        else
            result.Status = Poll_Status::Timeout;
        return result;
    }
    if (raw.isValid()) {
        result.Error = Poll_Error::Mismatch;
        return result;
    }
    result.Error = Poll_Error::Line;
    result.Detail = facts.Error_Text;
    return result;
}
