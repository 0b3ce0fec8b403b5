#include "config/csv_format.h"

#include <QStringDecoder>

namespace {

constexpr char utf8_bom[] = "\xEF\xBB\xBF";

// Decodes the bytes, or names the first line that is not UTF-8. A line feed
// byte never occurs inside a UTF-8 sequence, so the lines can be tried one
// by one once the whole text has failed.
std::optional<QString> Decode_Utf8(const QByteArray& bytes, int& bad_line) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (!decoder.hasError())
        return text;
    const QList<QByteArray> lines = bytes.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        QStringDecoder line_decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString line = line_decoder.decode(lines[i]);
        if (line_decoder.hasError()) {
            bad_line = i + 1;
            return std::nullopt;
        }
    }
    bad_line = static_cast<int>(lines.size());
    return std::nullopt;
}

// The separator of the text: the first comma or semicolon outside quotation
// marks before the first record ends.
QChar Find_Separator(QStringView text) {
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u',' || c == u';'))
            return c;
        else if (!quoted && (c == u'\n' || c == u'\r'))
            break;
    }
    return u',';
}

bool Needs_Quotes(const QString& field, bool only_field) {
    if (field.isEmpty())
        return only_field;
    for (const QChar c : field) {
        if (c == u',' || c == u';' || c == u'"' || c == u'\n' || c == u'\r')
            return true;
    }
    auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    return blank(field.front()) || blank(field.back());
}

} // namespace

Csv_Text Parse_Csv(const QByteArray& bytes) {
    Csv_Text result;
    QByteArray body = bytes;
    if (body.startsWith(utf8_bom))
        body.remove(0, 3);
    int bad_line = 0;
    const std::optional<QString> decoded = Decode_Utf8(body, bad_line);
    if (!decoded) {
        result.Error = Csv_Error{Csv_Problem::Invalid_Utf8, bad_line, {}, 0};
        return result;
    }
    const QString& text = *decoded;
    result.Separator = Find_Separator(text);
    const QChar separator = result.Separator;

    int line = 1;
    Csv_Record record{1, {}};
    QString field;
    bool record_open = false; // something of the current record has been read
    bool field_start = true;  // nothing of the current field has been read
    qsizetype i = 0;
    const qsizetype size = text.size();

    auto end_record = [&] {
        record.Fields.append(field);
        field.clear();
        result.Records.append(std::move(record));
        record = Csv_Record{line, {}};
        record_open = false;
        field_start = true;
    };
    // A line break at i: CR LF, LF or CR. Gives its length.
    auto line_break = [&](qsizetype at) -> int {
        if (text[at] == u'\n')
            return 1;
        if (text[at] == u'\r')
            return at + 1 < size && text[at + 1] == u'\n' ? 2 : 1;
        return 0;
    };

    while (i < size) {
        const QChar c = text[i];
        if (c == u'"' && field_start) {
            // A quoted field; it may hold separators and line breaks. A
            // quotation mark anywhere else is taken as it stands.
            const int opened_on = line;
            record_open = true;
            field_start = false;
            ++i;
            bool closed = false;
            while (i < size) {
                if (text[i] == u'"') {
                    if (i + 1 < size && text[i + 1] == u'"') {
                        field.append(u'"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                if (const int length = line_break(i)) {
                    field.append(text.mid(i, length));
                    i += length;
                    ++line;
                    continue;
                }
                field.append(text[i]);
                ++i;
            }
            if (!closed) {
                result.Records.clear();
                result.Error = Csv_Error{Csv_Problem::Unclosed_Quote, opened_on, {}, 0};
                return result;
            }
            continue;
        }
        if (c == separator) {
            record.Fields.append(field);
            field.clear();
            record_open = true;
            field_start = true;
            ++i;
            continue;
        }
        if (const int length = line_break(i)) {
            i += length;
            ++line;
            end_record();
            continue;
        }
        field.append(c);
        record_open = true;
        field_start = false;
        ++i;
    }
    if (record_open)
        end_record();
    return result;
}

QByteArray Write_Csv(const QList<QStringList>& records) {
    QString text;
    for (const QStringList& record : records) {
        for (qsizetype i = 0; i < record.size(); ++i) {
            if (i > 0)
                text.append(u',');
            const QString& field = record[i];
            if (Needs_Quotes(field, record.size() == 1)) {
                text.append(u'"');
                QString doubled = field;
                doubled.replace(QStringLiteral("\""), QStringLiteral("\"\""));
                text.append(doubled);
                text.append(u'"');
            } else {
                text.append(field);
            }
        }
        text.append(QStringLiteral("\r\n"));
    }
    return text.toUtf8();
}
