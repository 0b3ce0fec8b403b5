#pragma once

#include "text/version_source.h"

#include <QTimer>

// A version source that never reports a newer version: for the benchmark
// and tests, which must not reach the maker's version service.
class No_Newer_Version : public Version_Source {
public:
    std::unique_ptr<Version_Check> Start_Check() override {
        auto check = std::make_unique<Answered_Check>();
        QTimer::singleShot(0, check.get(), [raw = check.get()] { raw->Answer(Version_Outcome::Not_Newer); });
        return check;
    }

private:
    class Answered_Check : public Version_Check {
    public:
        void Answer(Version_Outcome outcome) { Report(outcome); }
    };
};
