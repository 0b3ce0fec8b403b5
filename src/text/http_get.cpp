#include "text/http_get.h"

#include <QHostAddress>
#include <QNetworkProxy>
#include <QTcpSocket>
#include <QTimer>

namespace {

constexpr qsizetype Max_Answer_Size = 1024 * 1024;

} // namespace

QByteArray Http10_Request_Bytes(const QString& host, quint16 port, const QByteArray& path_and_query,
                                const Http_Headers& headers) {
    QByteArray request = "GET " + path_and_query + " HTTP/1.0\r\n";
    request += "Host: " + host.toUtf8();
    if (port != 80)
        request += ':' + QByteArray::number(port);
    request += "\r\n";
    for (const auto& [name, value] : headers)
        request += name + ": " + value + "\r\n";
    request += "\r\n";
    return request;
}

Http10_Get::Http10_Get(QObject* parent) : Http10_Get(nullptr, parent) {}

Http10_Get::Http10_Get(std::unique_ptr<Name_Lookup> lookup, QObject* parent)
    : QObject(parent), lookup_(lookup ? std::move(lookup) : std::make_unique<Name_Lookup>()) {
    deadline_ = new QTimer(this);
    deadline_->setSingleShot(true);
    deadline_->setTimerType(Qt::PreciseTimer); // the limit is exact, not within 5 %
    connect(deadline_, &QTimer::timeout, this, [this] { Fail(Http_Failure::Timed_Out); });
    connect(lookup_.get(), &Name_Lookup::Finished, this, [this](const QList<QHostAddress>& addresses) {
        if (addresses.isEmpty()) {
            Fail(Http_Failure::Name_Not_Found);
            return;
        }
        addresses_ = addresses;
        Connect_Next();
    });
}

Http10_Get::~Http10_Get() {
    lookup_->Cancel();
    if (socket_) {
        socket_->disconnect(this);
        socket_->abort();
    }
}

void Http10_Get::Start(const QString& host, quint16 port, const QByteArray& path_and_query,
                       const Http_Headers& headers, std::chrono::milliseconds limit) {
    port_ = port;
    request_ = Http10_Request_Bytes(host, port, path_and_query, headers);
    deadline_->start(static_cast<int>(qMax<qint64>(0, limit.count())));
    lookup_->Start(host);
}

void Http10_Get::Connect_Next() {
    if (finished_)
        return;
    if (addresses_.isEmpty()) {
        Fail(Http_Failure::Unreachable); // every address refused or out of reach
        return;
    }
    if (socket_)
        socket_->deleteLater();
    socket_ = new QTcpSocket(this);
    socket_->setProxy(QNetworkProxy::NoProxy);
    connected_ = false;
    connect(socket_, &QTcpSocket::connected, this, [this] {
        connected_ = true;
        socket_->write(request_);
    });
    connect(socket_, &QTcpSocket::readyRead, this, &Http10_Get::Read_Available);
    connect(socket_, &QTcpSocket::errorOccurred, this, &Http10_Get::Socket_Failed);
    socket_->connectToHost(addresses_.takeFirst(), port_);
}

void Http10_Get::Read_Available() {
    if (finished_)
        return;
    data_ += socket_->readAll();
    if (data_.size() > Max_Answer_Size) {
        Fail(Http_Failure::Broken);
        return;
    }
    const qint64 expected = Http_Answer_Size(data_, Max_Answer_Size);
    if (expected == Http_Size_Malformed) {
        Fail(Http_Failure::Broken);
        return;
    }
    if (expected >= 0 && data_.size() >= expected)
        Finish(Parse_Http_Answer(data_, false, Max_Answer_Size));
}

void Http10_Get::Socket_Failed() {
    if (finished_)
        return;
    if (!connected_) {
        Connect_Next(); // refused or unreachable: the next address
        return;
    }
    if (socket_->error() != QAbstractSocket::RemoteHostClosedError) {
        Fail(Http_Failure::Broken); // a broken connection
        return;
    }
    // Without a length only the server's close ends the body.
    data_ += socket_->readAll();
    if (data_.size() > Max_Answer_Size) {
        Fail(Http_Failure::Broken);
        return;
    }
    Finish(Parse_Http_Answer(data_, true, Max_Answer_Size));
}

void Http10_Get::Fail(Http_Failure failure) {
    Http_Answer answer;
    answer.Failure = failure;
    Finish(answer);
}

void Http10_Get::Finish(const Http_Answer& answer) {
    if (finished_)
        return;
    finished_ = true;
    deadline_->stop();
    lookup_->Cancel();
    if (socket_) {
        socket_->disconnect(this);
        socket_->abort();
    }
    // Emitted from the event loop, so a receiver may do as it likes with
    // this object, and Finished never comes from inside Start.
    QTimer::singleShot(0, this, [this, answer] { emit Finished(answer); });
}
