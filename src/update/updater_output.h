#pragma once

#include "update/start_program.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

class Text_Table;

// What an updater program writes, made fit to be shown: decoded as UTF-8
// (a character split between two reads is joined again), line ends made "\n",
// and every other control character but the tab shown as U+FFFD, so binary
// garbage cannot upset a text area or a message box.
class Updater_Output_Decoder {
public:
    QString Decode(const QByteArray& bytes);

private:
    QStringDecoder decoder_{QStringDecoder::Utf8};
    bool after_cr_ = false;
};

// The output kept for the end report: the last `max_chars` characters of all
// that came (older text is dropped as new text arrives).
class Updater_Output_Tail {
public:
    explicit Updater_Output_Tail(qsizetype max_chars = 16384) : max_chars_(max_chars) {}
    void Add(const QString& text);
    const QString& Text() const { return text_; }
    void Clear() { text_.clear(); }

private:
    qsizetype max_chars_;
    QString text_;
};

// The last `max_lines` lines of `text` that hold more than blanks, each cut
// to `max_line_chars` characters (an ellipsis marks a cut), joined by "\n".
QString Last_Output_Lines(const QString& text, int max_lines = 8, int max_line_chars = 160);

// The warning shown when an updater program failed: text 841 and the
// program's name, how it ended (text 842 and the exit code, or text 843 and
// the signal or code), and, when it wrote anything, text 844 and its last
// lines.
QString Updater_End_Message(const Text_Table& texts, const QString& program_name, const Program_End& end,
                            const QString& output);
