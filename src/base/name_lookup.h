#pragma once

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>
#include <memory>

// Looks a host name up without making anyone wait for the system's resolver.
// The lookup runs on a thread of its own that nobody joins: neither the
// caller nor the program's exit waits for a resolver that does not answer
// (Qt's own lookup pool makes the exit wait for it). One lookup at a time;
// tests replace Start to answer as they please.
class Name_Lookup : public QObject {
    Q_OBJECT
public:
    explicit Name_Lookup(QObject* parent = nullptr);
    ~Name_Lookup() override;

    // Starts looking `name` up, dropping a lookup still running, and gives at
    // once. The addresses come through Finished, always later on this
    // object's thread, never from inside Start; a literal address is its own
    // answer. A name without addresses gives an empty list.
    virtual void Start(const QString& name);
    // Drops the running lookup: its answer is never delivered.
    virtual void Cancel();
    bool Running() const { return running_; }

Q_SIGNALS:
    void Finished(const QList<QHostAddress>& addresses);

protected:
    // Delivers an answer (tests' doubles call it too).
    void Deliver(const QList<QHostAddress>& addresses);

private:
    struct Mailbox;
    std::shared_ptr<Mailbox> mailbox_;
    quint64 generation_ = 0;
    bool running_ = false;
};

// The system's blocking lookup of `name`: every address it gives, IPv4 first.
QList<QHostAddress> Blocking_Name_Lookup(const QString& name);
