#pragma once

#include "text/version_source.h"

#include <QPointer>
#include <QTimer>
#include <optional>

// A version source for tests: each check answers `newer` (or `outcome`, when
// set) from the event loop, or, with answer_at_once off, only when the test
// calls Answer.
class Scripted_Versions : public Version_Source {
public:
    class Check : public Version_Check {
    public:
        void Answer(bool newer) { Report(newer ? Version_Outcome::Newer : Version_Outcome::Not_Newer); }
        void Answer(Version_Outcome outcome) { Report(outcome); }
    };

    std::unique_ptr<Version_Check> Start_Check() override {
        ++asked;
        auto check = std::make_unique<Check>();
        last = check.get();
        if (answer_at_once)
            QTimer::singleShot(0, check.get(), [this, raw = check.get()] {
                if (outcome)
                    raw->Answer(*outcome);
                else
                    raw->Answer(newer);
            });
        return check;
    }

    // Answers the last check started, when it still exists.
    void Answer(bool answer) {
        if (last)
            last->Answer(answer);
    }

    bool newer = false;
    std::optional<Version_Outcome> outcome;
    bool answer_at_once = true;
    int asked = 0;
    QPointer<Check> last;
};
