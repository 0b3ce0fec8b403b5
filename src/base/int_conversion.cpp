#include "base/int_conversion.h"

#include <cstdint>

namespace {

int Digit_Value(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

} // namespace

bool Try_Str_To_Int(const QString& text, int& value) {
    qsizetype pos = 0;
    const qsizetype size = text.size();
    while (pos < size && text[pos] == u' ')
        ++pos;
    bool negative = false;
    if (pos < size && (text[pos] == u'-' || text[pos] == u'+')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    int base = 10;
    if (pos < size && (text[pos] == u'$' || text[pos] == u'x' || text[pos] == u'X')) {
        base = 16;
        ++pos;
    } else if (pos + 1 < size && text[pos] == u'0' && (text[pos + 1] == u'x' || text[pos + 1] == u'X')) {
        base = 16;
        pos += 2;
    }
    if (pos >= size)
        return false;

    // Decimal and hexadecimal values alike must fit the signed 32-bit range:
    // "$7FFFFFFF" is the largest, "-$80000000" the smallest, and "$FFFFFFFF"
    // is out of range rather than the bit pattern of -1.
    const std::int64_t limit = negative ? 0x80000000LL : 0x7FFFFFFFLL;
    std::int64_t magnitude = 0;
    for (; pos < size; ++pos) {
        const int digit = Digit_Value(text[pos]);
        if (digit < 0 || digit >= base)
            return false;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return false;
    }
    value = static_cast<int>(negative ? -magnitude : magnitude);
    return true;
}

int Str_To_Int_Def(const QString& text, int default_value) {
    int value = 0;
    return Try_Str_To_Int(text, value) ? value : default_value;
}
