#include "base/xml_text.h"

bool Xml_Cannot_Keep(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x20 || c == 0xFFFE || c == 0xFFFF)
            return true;
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 >= text.size() || !QChar::isLowSurrogate(text[i + 1].unicode()))
                return true;
            ++i;
        } else if (QChar::isLowSurrogate(c)) {
            return true;
        }
    }
    return false;
}

bool Xml_Cannot_Store(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if ((c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c == 0xFFFE || c == 0xFFFF)
            return true;
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 >= text.size() || !QChar::isLowSurrogate(text[i + 1].unicode()))
                return true;
            ++i;
        } else if (QChar::isLowSurrogate(c)) {
            return true;
        }
    }
    return false;
}

QString Visible_Controls(const QString& text) {
    QString shown;
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            shown += QStringLiteral("<0x%1>").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}
