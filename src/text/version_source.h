#pragma once

#include <QObject>
#include <memory>

// How a version check ended.
enum class Version_Outcome {
    Newer,          // the service names a version newer than the running one
    Not_Newer,      // the service names no newer version
    Timed_Out,      // the service did not answer in time
    Unreachable,    // no connection to the service
    Name_Not_Found, // the service's host name was not found
    Bad_Answer,     // the service answered, but with no version number
};

// One version check in progress. Its answer comes through Finished, once,
// from the event loop. Deleting the check abandons it at once: nothing waits
// for the request, and no answer follows.
class Version_Check : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    bool Done() const { return done_; }

    // How the check ended; meaningful once Done.
    Version_Outcome Outcome() const { return outcome_; }

Q_SIGNALS:
    // `newer`: the service reports a version newer than the running one;
    // Outcome() tells the rest.
    void Finished(bool newer);

protected:
    // Emits Finished the first time only.
    void Report(Version_Outcome outcome) {
        if (done_)
            return;
        done_ = true;
        outcome_ = outcome;
        emit Finished(outcome == Version_Outcome::Newer);
    }

private:
    bool done_ = false;
    Version_Outcome outcome_ = Version_Outcome::Not_Newer;
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
