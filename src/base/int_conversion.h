#pragma once

#include <QString>

// The integer conversion every reader, validation and the image compiler use:
// leading blanks, an optional sign, then decimal digits or a hexadecimal number
// introduced by "$", "x", "X", "0x" or "0X"; the rest must be digits of that
// base (a trailing blank makes the text invalid) and the value must fit a
// signed 32-bit integer. Anything else, an empty text or blanks only, gives
// the caller's default.
int Str_To_Int_Def(const QString& text, int default_value);

// The same rules; false when the text is no integer.
bool Try_Str_To_Int(const QString& text, int& value);
