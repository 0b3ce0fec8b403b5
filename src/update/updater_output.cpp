#include "update/updater_output.h"

#include "base/text_table.h"
#include "update/boot_text.h"

#include <QStringList>

QString Updater_Output_Decoder::Decode(const QByteArray& bytes) {
    const QString decoded = decoder_.decode(bytes);
    QString shown;
    shown.reserve(decoded.size());
    for (QChar c : decoded) {
        const char16_t u = c.unicode();
        if (u == u'\n') {
            if (!after_cr_)
                shown += QLatin1Char('\n'); // "\r\n" is one line end
            after_cr_ = false;
            continue;
        }
        after_cr_ = u == u'\r';
        if (after_cr_)
            shown += QLatin1Char('\n');
        else if (u == u'\t' || (u >= 0x20 && u != 0x7F))
            shown += c;
        else
            shown += QChar(QChar::ReplacementCharacter);
    }
    return shown;
}

void Updater_Output_Tail::Add(const QString& text) {
    text_ += text;
    if (text_.size() > max_chars_)
        text_.remove(0, text_.size() - max_chars_);
}

QString Last_Output_Lines(const QString& text, int max_lines, int max_line_chars) {
    QStringList lines;
    const QStringList all = text.split(QLatin1Char('\n'));
    for (qsizetype i = all.size() - 1; i >= 0 && lines.size() < max_lines; --i) {
        const QString line = all[i];
        if (line.trimmed().isEmpty())
            continue;
        lines.prepend(line.size() > max_line_chars ? line.left(max_line_chars - 1) + QChar(0x2026) : line);
    }
    return lines.join(QLatin1Char('\n'));
}

QString Updater_End_Message(const Text_Table& texts, const QString& program_name, const Program_End& end,
                            const QString& output) {
    QString message = texts[Boot_Text::Updater_Failed] + QLatin1Char(' ') + program_name + QLatin1Char('\n');
    if (end.crashed)
        message += texts[Boot_Text::Crashed] + QLatin1Char(' ') + QString::number(end.code);
    else
        message += texts[Boot_Text::Exit_Code] + QLatin1Char(' ') + QString::number(end.code);
    const QString last = Last_Output_Lines(output);
    if (!last.isEmpty())
        message += QLatin1Char('\n') + texts[Boot_Text::Last_Lines] + QLatin1Char('\n') + last;
    return message;
}
