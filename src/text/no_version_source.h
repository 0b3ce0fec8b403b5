#pragma once

#include "text/version_source.h"

// A version source that never reports a newer version: for the benchmark
// and tests, which must not reach the maker's version service.
class No_Newer_Version : public Version_Source {
public:
    bool Newer_Version_Available() override { return false; }
};
