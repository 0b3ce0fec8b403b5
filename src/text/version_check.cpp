#include "text/version_check.h"

namespace {

// The running version, the same text the about box shows.
constexpr const char* Running_Version = "2.110";

// Blanks and control characters count as white space at both ends.
bool Is_Blank_Or_Control(QChar c) {
    return c.unicode() <= 0x20;
}

QString Trim_Blanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && Is_Blank_Or_Control(text[begin]))
        ++begin;
    while (end > begin && Is_Blank_Or_Control(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

// Only the letters a to z become capitals.
QString Ascii_Upper(QString text) {
    for (QChar& c : text)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    return text;
}

bool Is_Digit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

int Conv_Version(const QString& ver_str) {
    const qsizetype blank = ver_str.indexOf(QLatin1Char(' '));
    const QString v = Trim_Blanks(blank < 0 ? ver_str : ver_str.mid(blank + 1));
    if (v.size() < 5)
        return -1;
    const QChar picked[] = {v[0], v[2], v[3], v[4]};
    int value = 0;
    for (QChar c : picked) {
        if (!Is_Digit(c))
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

bool Check_Version(const QString& answer) {
    const QString trimmed = Trim_Blanks(answer);
    const QString upper = Ascii_Upper(trimmed);
    if (upper.isEmpty() || upper == QLatin1String("VER. 0.000"))
        return false;
    const int local = Conv_Version(QLatin1String(Running_Version));
    const int remote = Conv_Version(trimmed);
    return local != -1 && remote != -1 && remote > local;
}

bool Is_Version_Answer(const QString& answer) {
    const QString trimmed = Trim_Blanks(answer);
    return Ascii_Upper(trimmed) == QLatin1String("VER. 0.000") || Conv_Version(trimmed) != -1;
}

QString Download_Url() {
    return QStringLiteral("http://" KC_MAKER_HOST "/Home/download/download.asp#KX40927");
}

QString Download_Link_Html(const QString& text) {
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(Download_Url().toHtmlEscaped(), text.toHtmlEscaped());
}
