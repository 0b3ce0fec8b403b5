#include "update/ip_address.h"

#include "base/int_conversion.h"

QString Trim_Blanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 0x20)
        --end;
    return text.mid(begin, end - begin);
}

bool Split_IP_Address(const QString& text, QStringList& parts) {
    parts.clear();
    QString rest = Trim_Blanks(text);
    QStringList found;
    for (int i = 0; i < 3; ++i) {
        const qsizetype dot = rest.indexOf(QLatin1Char('.'));
        if (dot < 0)
            return false;
        found << Trim_Blanks(rest.left(dot));
        rest = Trim_Blanks(rest.mid(dot + 1));
    }
    found << rest;
    for (const QString& part : found) {
        const int value = Str_To_Int_Def(part, 1000);
        if (value < 0 || value > 255)
            return false;
    }
    parts = found;
    return true;
}
