#pragma once

#include <QString>

// The conversion the fixed-layout build applies to rule attributes. It gives
// the shared conversion's value for every text that one accepts, and also
// accepts blanks (spaces) after the number: "12 " is 12, "$1F  " is 31.
// Nothing else: a fraction, a thousands separator, "true" or a text of blanks
// only is no number. False when the text is no number.
bool Try_Lenient_Str_To_Int(const QString& text, int& value);
