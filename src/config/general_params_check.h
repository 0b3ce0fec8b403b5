#pragma once

#include "config/general_params.h"

#include <QString>
#include <optional>

class Text_Table;

// The first value of the general parameters that the device would refuse:
// the index of the message text and, for the checks whose limit follows from
// the PROFIBUS byte counts, the computed upper bound that ends the message.
// The bound may be negative when the byte counts are small.
struct ParGen_Failure {
    int Text_Index = 0;
    std::optional<int> Bound;

    bool operator==(const ParGen_Failure&) const = default;
};

// Checks the values of the general parameters editor in the device's order
// and gives the first failure, or nothing when the document may be written.
// Number fields are converted with Str_To_Int_Def(text, -1), so a text that
// is no integer fails every range. Hardware_Type 0 runs the checks of the
// variant without Ethernet; any other value (also an index outside the list)
// those of the variant with Ethernet. The Ethernet addresses are checked for
// both variants.
std::optional<ParGen_Failure> Controllo_Dati(const General_Params& values);

// The message of a failure: its text, followed by the decimal bound if any.
QString ParGen_Failure_Message(const Text_Table& texts, const ParGen_Failure& failure);
