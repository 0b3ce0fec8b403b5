#include "text/language_file.h"

#include "base/app_state.h"
#include "base/file_lookup.h"
#include "base/int_conversion.h"
#include "base/kc_error.h"
#include "base/text_table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>

namespace {

// Windows-1252 bytes 0x80 to 0x9F; the five bytes the code page leaves
// undefined map to the C1 control of the same value, as Windows does. Bytes
// 0xA0 to 0xFF are Latin-1.
constexpr char16_t cp1252_high[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString Decode_Windows_1252(QByteArrayView bytes) {
    QString text;
    text.resize(bytes.size());
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out[i] = QChar(byte >= 0x80 && byte < 0xA0 ? cp1252_high[byte - 0x80] : char16_t(byte));
    }
    return text;
}

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

// True when the bytes are well-formed UTF-8 and hold at least one multi-byte
// sequence: what today's editors write when they save without a mark. Plain
// ASCII reads the same in both encodings; bytes that are not UTF-8 are
// Windows-1252, as language files were written before.
bool Is_Multi_Byte_Utf8(QByteArrayView bytes) {
    const bool multi_byte = std::any_of(bytes.begin(), bytes.end(),
                                        [](char byte) { return static_cast<unsigned char>(byte) >= 0x80; });
    if (!multi_byte)
        return false;
    // Overlong forms, surrogates, code points above U+10FFFF and a sequence
    // cut off at the end all count as errors.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder(bytes);
    return !decoder.hasError();
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

QString Decode_Language_Bytes(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE")) {
        auto decode = QStringDecoder(QStringDecoder::Utf16LE);
        return decode(QByteArrayView(bytes).sliced(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        auto decode = QStringDecoder(QStringDecoder::Utf16BE);
        return decode(QByteArrayView(bytes).sliced(2));
    }
    if (Is_Multi_Byte_Utf8(bytes))
        return QString::fromUtf8(bytes);
    return Decode_Windows_1252(bytes);
}

void Apply_Language_Text(const QString& content, Text_Table& texts) {
    qsizetype start = 0;
    const qsizetype size = content.size();
    while (start <= size) {
        qsizetype end = start;
        while (end < size && content[end] != u'\r' && content[end] != u'\n')
            ++end;
        int index = 0;
        QString text;
        if (Parse_Text_Line(QStringView(content).sliced(start, end - start), index, text))
            texts.Set_Text(index, text);
        if (end >= size)
            break;
        // CR LF is one line end; a lone CR or LF is one too.
        start = end + (content[end] == u'\r' && end + 1 < size && content[end + 1] == u'\n' ? 2 : 1);
    }
}

void Read_Lang_File(const QString& path, Text_Table& texts) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Kc_Error(QStringLiteral("Cannot read the language file %1: %2")
                           .arg(QDir::toNativeSeparators(path), file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Kc_Error(QStringLiteral("Cannot read the language file %1: %2")
                           .arg(QDir::toNativeSeparators(path), file.errorString()));
    Apply_Language_Text(Decode_Language_Bytes(bytes), texts);
}

void Load_Language(App_State& state, Text_Table& texts) {
    texts.Set_Default_Texts();
    const QString path = Find_File_No_Case(state.Language_Dir, state.Language_Name + QStringLiteral(".lng"));
    if (QFileInfo(path).isFile()) {
        Read_Lang_File(path, texts);
        return;
    }
    state.Language_Name = QStringLiteral("English");
    const QString english = Find_File_No_Case(state.Language_Dir, QStringLiteral("English.lng"));
    if (QFileInfo(english).isFile())
        Read_Lang_File(english, texts);
}
