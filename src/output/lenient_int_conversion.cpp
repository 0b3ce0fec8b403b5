#include "output/lenient_int_conversion.h"

#include "base/int_conversion.h"

bool Try_Lenient_Str_To_Int(const QString& text, int& value) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    return Try_Str_To_Int(end == text.size() ? text : text.left(end), value);
}
