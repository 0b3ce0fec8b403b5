#pragma once

#include <QObject>
#include <memory>

// One version check in progress. Its answer comes through Finished, once,
// from the event loop. Deleting the check abandons it at once: nothing waits
// for the request, and no answer follows.
class Version_Check : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    bool Done() const { return done_; }

Q_SIGNALS:
    // `newer`: the service reports a version newer than the running one.
    void Finished(bool newer);

protected:
    // Emits Finished the first time only.
    void Report(bool newer) {
        if (done_)
            return;
        done_ = true;
        emit Finished(newer);
    }

private:
    bool done_ = false;
};

// Answers the question of the main window's timer and of the options
// dialog: is a newer version of the configurator available? The real one asks
// the maker's version service.
class Version_Source {
public:
    virtual ~Version_Source() = default;
    // Starts one check and gives at once; the answer never comes from inside
    // this call. The caller owns the check.
    virtual std::unique_ptr<Version_Check> Start_Check() = 0;
};
