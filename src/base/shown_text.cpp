#include "base/shown_text.h"

#include <QDir>

namespace {

bool Is_Control(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

void Append_Hex(QString& text, char16_t value, int digits) {
    static constexpr char hex[] = "0123456789ABCDEF";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        text.append(QLatin1Char(hex[(value >> shift) & 0xF]));
}

} // namespace

QString Escape_Controls(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (!Is_Control(c)) {
            shown.append(qc);
            continue;
        }
        switch (c) {
        case u'\n':
            shown.append(QLatin1StringView("\\n"));
            break;
        case u'\r':
            shown.append(QLatin1StringView("\\r"));
            break;
        case u'\t':
            shown.append(QLatin1StringView("\\t"));
            break;
        default:
            if (c <= 0xFF) {
                shown.append(QLatin1StringView("\\x"));
                Append_Hex(shown, c, 2);
            } else {
                shown.append(QLatin1StringView("\\u{"));
                Append_Hex(shown, c, 4);
                shown.append(u'}');
            }
            break;
        }
    }
    return shown;
}

QString Shown_Path(const QString& path) {
    return Escape_Controls(QDir::toNativeSeparators(path));
}
