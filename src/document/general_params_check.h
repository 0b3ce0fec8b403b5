#pragma once

#include "document/check_failure.h"
#include "document/general_params.h"

#include <QString>
#include <optional>

class Text_Table;

// Checks the values of the general parameters editor in the device's order
// and gives the first failure, or nothing when the document may be written.
// Number fields are converted with Str_To_Int_Def(text, -1), so a text that
// is no integer fails every range. Hardware_Type 0 runs the checks of the
// variant without Ethernet; any other value (also an index outside the list)
// those of the variant with Ethernet. The Ethernet addresses are checked for
// both variants.
// The failure names no row: the index of the message text and, for the checks
// whose limit follows from the PROFIBUS byte counts, the computed upper bound
// that ends the message (negative when the byte counts are small).
std::optional<Check_Failure> Check_General_Params(const General_Params& values);
