#include "csv/csv_format.h"

#include <QStringDecoder>

#include <algorithm>

namespace {

constexpr char utf8_bom[] = "\xEF\xBB\xBF";

// Decodes the bytes, or names the first line that is not UTF-8. Neither CR
// nor LF occurs inside a UTF-8 sequence, so once the whole text has failed
// the lines (ended by CR LF, LF or CR, as the parse counts them) can be tried
// one by one.
std::optional<QString> Decode_Utf8(const QByteArray& bytes, int& bad_line) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (!decoder.hasError())
        return text;
    int line = 1;
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    while (true) {
        qsizetype end = start;
        while (end < size && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        QStringDecoder line_decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString decoded = line_decoder.decode(QByteArrayView(bytes).sliced(start, end - start));
        if (line_decoder.hasError() || end >= size) {
            bad_line = line;
            return std::nullopt;
        }
        start = end + (bytes[end] == '\r' && end + 1 < size && bytes[end + 1] == '\n' ? 2 : 1);
        ++line;
    }
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

Csv_Text Parse_Csv(const QByteArray& bytes, const Csv_Bounds& bounds) {
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

    // Rows of empty fields held back (see Csv_Bounds): how many, and the
    // line of the first; each is one line, since an empty field holds no
    // line break.
    int held_empty = 0;
    int held_from = 0;
    qsizetype rows = 0;
    auto all_empty = [](const QStringList& fields) {
        return std::all_of(fields.begin(), fields.end(), [](const QString& f) { return f.isEmpty(); });
    };
    // False when a bound is passed (result.Error set).
    auto end_record = [&]() -> bool {
        const bool counted = bounds.Max_Rows && !result.Records.isEmpty();
        if (counted && field.isEmpty() && all_empty(record.Fields)) {
            if (held_empty++ == 0)
                held_from = record.Line;
            record.Fields.clear();
        } else {
            record.Fields.append(field);
            if (counted) {
                if (rows + held_empty + 1 > *bounds.Max_Rows) {
                    const qsizetype beyond = *bounds.Max_Rows - rows; // among the held rows, from 0
                    const int at = beyond < held_empty ? held_from + static_cast<int>(beyond) : record.Line;
                    result.Error = Csv_Error{Csv_Problem::Too_Many_Rows, at, {}, *bounds.Max_Rows};
                    return false;
                }
                for (int k = 0; k < held_empty; ++k)
                    result.Records.append(Csv_Record{held_from + k, QStringList{QString()}});
                rows += held_empty + 1;
                held_empty = 0;
            }
            result.Records.append(std::move(record));
        }
        field.clear();
        record = Csv_Record{line, {}};
        record_open = false;
        field_start = true;
        return true;
    };
    auto refuse = [&]() {
        result.Records.clear();
        return result;
    };
    // Appends the field ended by a separator; false when too many.
    auto end_field = [&]() -> bool {
        record.Fields.append(field);
        field.clear();
        if (bounds.Max_Fields && record.Fields.size() >= *bounds.Max_Fields) {
            result.Error = Csv_Error{Csv_Problem::Too_Many_Fields, record.Line, {}, 0};
            return false;
        }
        return true;
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
                result.Error = Csv_Error{Csv_Problem::Unclosed_Quote, opened_on, {}, 0};
                return refuse();
            }
            continue;
        }
        if (c == separator) {
            if (!end_field())
                return refuse();
            record_open = true;
            field_start = true;
            ++i;
            continue;
        }
        if (const int length = line_break(i)) {
            i += length;
            ++line;
            if (!end_record())
                return refuse();
            continue;
        }
        field.append(c);
        record_open = true;
        field_start = false;
        ++i;
    }
    if (record_open && !end_record())
        return refuse();
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

namespace {

bool Formula_Start(QChar c) {
    return c == u'=' || c == u'+' || c == u'-' || c == u'@' || c == u'\t' || c == u'\r';
}

} // namespace

QString Guard_Formula(const QString& text) {
    if (!text.isEmpty() && (Formula_Start(text.front()) || text.front() == u'\''))
        return u'\'' + text;
    return text;
}

QString Unguard_Formula(const QString& text) {
    if (text.size() >= 2 && text[0] == u'\'' && (Formula_Start(text[1]) || text[1] == u'\''))
        return text.mid(1);
    return text;
}
