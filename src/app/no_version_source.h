#pragma once

#include "app/version_source.h"

// A version source that never reports a newer version: used until the real
// check against the maker's version service is in place, and in tests.
class No_Newer_Version : public Version_Source {
public:
    bool Newer_Version_Available() override { return false; }
};
