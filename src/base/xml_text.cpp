#include "base/xml_text.h"

namespace {

// Whether the text holds a character XML 1.0 has no place for: a control
// character (tab, line feed and carriage return allowed when `line_controls`
// is set), U+FFFE, U+FFFF, or half of a surrogate pair.
bool Holds_Non_Xml(const QString& text, bool line_controls) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool allowed_control = line_controls && (c == u'\t' || c == u'\n' || c == u'\r');
        if ((c < 0x20 && !allowed_control) || c == 0xFFFE || c == 0xFFFF)
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

} // namespace

bool Xml_Cannot_Keep(const QString& text) {
    return Holds_Non_Xml(text, false);
}

bool Xml_Cannot_Store(const QString& text) {
    return Holds_Non_Xml(text, true);
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
