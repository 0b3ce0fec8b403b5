#pragma once

// Answers the main window's periodic question: is a newer version of the
// configurator available? The real one asks the maker's version service.
class Version_Source {
public:
    virtual ~Version_Source() = default;
    virtual bool Newer_Version_Available() = 0;
};
