#include "base/plain_hint.h"

QString Plain_Hint(const QString& text) {
    if (!text.contains(u'<'))
        return text;
    return QStringLiteral("<p style=\"white-space:pre-wrap\">") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}
