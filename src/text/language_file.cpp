#include "text/language_file.h"

#include "base/app_state.h"
#include "base/file_lookup.h"
#include "base/int_conversion.h"
#include "base/kc_error.h"
#include "base/shown_text.h"
#include "base/text_table.h"
#include "text/eight_bit_text.h"
#include "text/language_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>

namespace {

// Removes blanks and control characters (everything up to U+0020) at both ends.
QStringView Trim_Blanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= u' ')
        ++begin;
    while (end > begin && text[end - 1].unicode() <= u' ')
        --end;
    return text.sliced(begin, end - begin);
}

const QChar pilcrow(0x00B6);

// One line of the file: the index and text it sets, or false when it sets
// nothing. Works on views of the file's text: only the text set is copied.
bool Parse_Text_Line(QStringView raw_line, int& index, QString& text) {
    const QStringView line = Trim_Blanks(raw_line);
    if (!line.startsWith(QLatin1String("STR")))
        return false;
    const qsizetype equal = line.indexOf(u'='); // 0-based
    // The index is what stands between "STR" and the separator character
    // right before the first "=".
    if (equal < 5)
        return false;
    if (!Try_Str_To_Int(Trim_Blanks(line.sliced(3, equal - 4)).toString(), index))
        return false;
    if (index < 0 || index >= Text_Table::Text_Count)
        return false;

    QStringView value = Trim_Blanks(line.sliced(equal + 1));
    if (value.isEmpty())
        return false;
    const qsizetype remark = value.indexOf(QLatin1String("/#/"));
    if (remark >= 0) {
        value = Trim_Blanks(value.left(remark));
        // Nothing but a remark: the entry keeps its value, as for a line
        // with no text at all.
        if (value.isEmpty())
            return false;
    }
    if (value.startsWith(pilcrow))
        value = value.sliced(1);
    const qsizetype closing = value.indexOf(pilcrow);
    if (closing >= 0)
        value = value.left(closing);
    text = value.toString();
    return true;
}

} // namespace

namespace {

// The stretch of UTF-8 that starts with the byte at `i` (not ASCII): its
// length, and whether it is a well-formed sequence. Overlong forms,
// surrogates and code points above U+10FFFF are not; a broken stretch is
// the longest start of a sequence that cannot go on, or one byte that can
// start none.
qsizetype Utf8_Stretch(QByteArrayView bytes, qsizetype i, bool& well_formed) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    // The number of continuation bytes and the range of the first of them.
    int follow = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        follow = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        follow = 2;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        follow = 3;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    }
    qsizetype end = i + 1;
    int taken = 0;
    while (taken < follow && end < bytes.size()) {
        const auto next = static_cast<unsigned char>(bytes[end]);
        if (next < (taken == 0 ? low : 0x80) || next > (taken == 0 ? high : 0xBF))
            break;
        ++end;
        ++taken;
    }
    well_formed = follow > 0 && taken == follow;
    return end - i;
}

// Calls `visit(offset, length, well_formed)` for every stretch of bytes that
// is not ASCII, in order: a well-formed multi-byte sequence or a run of bytes
// that are not text.
template <typename Visit> void For_Each_Multi_Byte_Stretch(QByteArrayView bytes, Visit visit) {
    qsizetype i = 0;
    while (i < bytes.size()) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        bool well_formed = false;
        const qsizetype length = Utf8_Stretch(bytes, i, well_formed);
        visit(i, length, well_formed);
        i += length;
    }
}

} // namespace

Utf8_Scan Scan_Utf8(QByteArrayView bytes) {
    Utf8_Scan scan;
    For_Each_Multi_Byte_Stretch(bytes, [&scan](qsizetype at, qsizetype length, bool well_formed) {
        if (well_formed) {
            ++scan.Multi_Byte;
            return;
        }
        ++scan.Bad_Runs;
        scan.Bad_Bytes += length;
        if (scan.First_Bad < 0)
            scan.First_Bad = at;
    });
    return scan;
}

bool Reads_As_Utf8(const Utf8_Scan& scan) {
    return scan.Multi_Byte > 0 && scan.Bad_Runs <= scan.Multi_Byte;
}

int Line_Of_Offset(QByteArrayView bytes, qsizetype offset) {
    int line = 1;
    const qsizetype end = qMin(offset, bytes.size());
    for (qsizetype i = 0; i < end; ++i) {
        if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')))
            ++line;
    }
    return line;
}

namespace {

// UTF-8 with one replacement mark for each byte that is not text, so that
// the marks on screen are as many as the bytes the warning counts.
QString Decode_Utf8_Marking_Bad_Bytes(QByteArrayView bytes) {
    QString text;
    text.reserve(bytes.size());
    qsizetype good = 0; // start of the well-formed stretch not yet decoded
    For_Each_Multi_Byte_Stretch(bytes, [&](qsizetype at, qsizetype length, bool well_formed) {
        if (well_formed)
            return;
        text += QString::fromUtf8(bytes.sliced(good, at - good));
        text += QString(length, QChar::ReplacementCharacter);
        good = at + length;
    });
    text += QString::fromUtf8(bytes.sliced(good));
    return text;
}

Decoded_Language Decode_Utf8_Text(QByteArrayView bytes, const Utf8_Scan& scan) {
    Decoded_Language text;
    text.Text = scan.Bad_Bytes > 0 ? Decode_Utf8_Marking_Bad_Bytes(bytes) : QString::fromUtf8(bytes);
    text.Bad_Bytes = scan.Bad_Bytes;
    if (scan.First_Bad >= 0)
        text.First_Bad_Line = Line_Of_Offset(bytes, scan.First_Bad);
    return text;
}

} // namespace

Decoded_Language Decode_Language_File(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        const QByteArrayView body = QByteArrayView(bytes).sliced(3);
        return Decode_Utf8_Text(body, Scan_Utf8(body));
    }
    if (bytes.startsWith("\xFF\xFE")) {
        auto decode = QStringDecoder(QStringDecoder::Utf16LE);
        return {decode(QByteArrayView(bytes).sliced(2)), 0, 0};
    }
    if (bytes.startsWith("\xFE\xFF")) {
        auto decode = QStringDecoder(QStringDecoder::Utf16BE);
        return {decode(QByteArrayView(bytes).sliced(2)), 0, 0};
    }
    const Utf8_Scan scan = Scan_Utf8(bytes);
    if (Reads_As_Utf8(scan))
        return Decode_Utf8_Text(bytes, scan);
    return {Decode_Eight_Bit(bytes), 0, 0};
}

QString Decode_Language_Bytes(const QByteArray& bytes) {
    return Decode_Language_File(bytes).Text;
}

int Apply_Language_Text(const QString& content, Text_Table& texts) {
    int applied = 0;
    qsizetype start = 0;
    const qsizetype size = content.size();
    while (start <= size) {
        qsizetype end = start;
        while (end < size && content[end] != u'\r' && content[end] != u'\n')
            ++end;
        int index = 0;
        QString text;
        if (Parse_Text_Line(QStringView(content).sliced(start, end - start), index, text)) {
            texts.Set_Text(index, text);
            ++applied;
        }
        if (end >= size)
            break;
        // CR LF is one line end; a lone CR or LF is one too.
        start = end + (content[end] == u'\r' && end + 1 < size && content[end + 1] == u'\n' ? 2 : 1);
    }
    return applied;
}

bool Holds_Binary_Characters(QStringView text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return u < 0x20 && (u < u'\t' || u > u'\r');
    });
}

Language_File_Report Read_Lang_File(const QString& path, Text_Table& texts) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Kc_Error(QStringLiteral("Cannot read the language file %1: %2")
                           .arg(QDir::toNativeSeparators(path), file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Kc_Error(QStringLiteral("Cannot read the language file %1: %2")
                           .arg(QDir::toNativeSeparators(path), file.errorString()));
    const Decoded_Language decoded = Decode_Language_File(bytes);
    Language_File_Report report;
    report.Path = path;
    report.Text_Lines = Apply_Language_Text(decoded.Text, texts);
    report.Binary = report.Text_Lines == 0 && Holds_Binary_Characters(decoded.Text);
    report.Bad_Bytes = decoded.Bad_Bytes;
    report.First_Bad_Line = decoded.First_Bad_Line;
    return report;
}

Language_File_Report Load_Language(App_State& state, Text_Table& texts) {
    texts.Set_Default_Texts();
    const QString path = Find_File_No_Case(state.Language_Dir, state.Language_Name + QStringLiteral(".lng"));
    if (QFileInfo(path).isFile())
        return Read_Lang_File(path, texts);
    state.Language_Name = QStringLiteral("English");
    const QString english = Find_File_No_Case(state.Language_Dir, QStringLiteral("English.lng"));
    if (QFileInfo(english).isFile())
        return Read_Lang_File(english, texts);
    return {};
}

QString Language_File_Warning(const Text_Table& texts, const Language_File_Report& report) {
    if (report.Path.isEmpty())
        return {};
    if (report.Binary)
        return texts[Language_Text::File] + Shown_Path(report.Path) + texts[Language_Text::No_Text_Line];
    if (report.Bad_Bytes > 0)
        return texts[Language_Text::File] + Shown_Path(report.Path) + texts[Language_Text::Bad_Bytes] +
               QString::number(report.Bad_Bytes) + texts[Language_Text::First_Bad_Line] +
               QString::number(report.First_Bad_Line);
    return {};
}
