#include "update/icmp_echo_win.h"

#ifdef Q_OS_WIN

// The Windows headers depend on their order.
// clang-format off
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <icmpapi.h>
// clang-format on

#include <QThread>
#include <memory>

namespace {

// One request in flight. The system's blocking IcmpSendEcho runs on a thread
// of its own; the request, which owns the ICMP handle and the buffers the
// system writes into, lives until that thread has finished. (An event
// signalled through IcmpSendEcho2 and watched with a thread-pool wait would
// do the same without the thread, but Wine's thread pool asserts on such
// waits, and the tests run there.)
class Api_Echo : public QObject {
public:
    ~Api_Echo() override {
        if (worker)
            worker->wait(); // it has signalled its end; let it return
        if (icmp != INVALID_HANDLE_VALUE)
            IcmpCloseHandle(icmp);
    }

    void Finished() {
        done = true;
        if (dropped) {
            deleteLater();
            return;
        }
        if (replies == 0)
            return; // no reply: the check's own time-out counts the attempt
        const auto* answer = reinterpret_cast<const ICMP_ECHO_REPLY*>(buffer.constData());
        if (answer->Status != IP_SUCCESS)
            return;                               // unreachable, time exceeded and the like are no reply
        const Echo_Client::Reply deliver = reply; // the call may drop this request
        deliver(int(answer->DataSize));
    }

    HANDLE icmp = INVALID_HANDLE_VALUE;
    IPAddr destination = 0;
    QByteArray data;
    QByteArray buffer;
    DWORD replies = 0; // written by the worker before it ends
    QThread* worker = nullptr;
    Echo_Client::Reply reply;
    bool done = false;
    bool dropped = false;
};

// How long the system waits for a reply; the echo check's own, shorter wait
// decides about the attempt.
constexpr DWORD Api_Timeout_Ms = 1000;

} // namespace

QObject* Send_Api_Echo(const QHostAddress& target, const QByteArray& data, const Echo_Client::Reply& reply,
                       QString& error) {
    auto echo = std::make_unique<Api_Echo>();
    echo->icmp = IcmpCreateFile();
    if (echo->icmp == INVALID_HANDLE_VALUE) {
        error = QStringLiteral("Cannot open the system's ICMP echo: %1")
                    .arg(qt_error_string(int(GetLastError())));
        return nullptr;
    }
    echo->destination = htonl(target.toIPv4Address());
    echo->data = data;
    echo->reply = reply;
    // Room for one reply with its data and an ICMP error message besides.
    echo->buffer.resize(qsizetype(sizeof(ICMP_ECHO_REPLY)) + data.size() + 8 + 64);
    Api_Echo* request = echo.release();
    request->worker = QThread::create([request] {
        request->replies = IcmpSendEcho(request->icmp, request->destination, request->data.data(),
                                        WORD(request->data.size()), nullptr, request->buffer.data(),
                                        DWORD(request->buffer.size()), Api_Timeout_Ms);
    });
    request->worker->setParent(request);
    // Queued: the worker signals from its own thread, the reply is delivered
    // from the event loop.
    QObject::connect(request->worker, &QThread::finished, request, [request] { request->Finished(); });
    request->worker->start();
    return request;
}

void Drop_Api_Echo(QObject* request) {
    auto* echo = static_cast<Api_Echo*>(request);
    echo->reply = nullptr;
    if (echo->done)
        echo->deleteLater();
    else
        echo->dropped = true; // deleted when the system has let go of its buffers
}

#else

QObject* Send_Api_Echo(const QHostAddress&, const QByteArray&, const Echo_Client::Reply&, QString& error) {
    error = QStringLiteral("The system's ICMP echo API exists on Windows only");
    return nullptr;
}

void Drop_Api_Echo(QObject*) {}

#endif
