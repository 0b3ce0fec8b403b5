#pragma once

#include <QByteArray>
#include <QString>

struct App_State;
class Text_Table;

// Language files (<Language>.lng in the LANGUAGE folder) override entries of
// the text table by index. A byte-order mark selects UTF-8, UTF-16 LE or
// UTF-16 BE. Without one, the bytes decide (Reads_As_Utf8): UTF-8 when they
// hold well-formed multi-byte sequences and no more broken stretches than
// those, so that a UTF-8 file with a stray byte or two, a cut letter or one
// line added in another encoding stays UTF-8 (the broken bytes become
// replacement marks and are counted); otherwise the 8-bit code page older
// files are written in: the system's ANSI code page on Windows, Windows-1252
// elsewhere (Decode_Eight_Bit, eight_bit_text.h). Lines end in CR LF, LF or CR.
//
// A text line reads  STR<index> =<text>  after trimming: the index stands
// between "STR" and the character just before the first "=", and that
// character (the separator, a blank) never belongs to it. "/#/" starts a
// remark; a pilcrow quotes a text whose outer blanks matter. Other lines are
// ignored, bad lines one by one; a later line wins over an earlier one.

// What reading bytes as UTF-8 meets.
struct Utf8_Scan {
    qsizetype Multi_Byte = 0; // well-formed sequences of two to four bytes
    qsizetype Bad_Runs = 0;   // broken stretches: a stray byte, or a sequence cut short
    qsizetype Bad_Bytes = 0;  // the bytes of those stretches
    qsizetype First_Bad = -1; // offset of the first of them; -1 for none

    bool operator==(const Utf8_Scan&) const = default;
};

// Scans `bytes` as UTF-8. Overlong forms, surrogates and code points above
// U+10FFFF are broken; a broken stretch is the longest start of a sequence
// that cannot go on, or one byte that can start none.
Utf8_Scan Scan_Utf8(QByteArrayView bytes);

// The rule for a file without byte-order mark: UTF-8 exactly when the scan
// met at least one well-formed multi-byte sequence and no more broken
// stretches than well-formed ones. Text in an 8-bit code page (German with
// its umlauts) breaks at nearly every letter beyond ASCII and is read as
// 8-bit; plain ASCII reads the same either way.
bool Reads_As_Utf8(const Utf8_Scan& scan);

// The line (from 1) in which byte `offset` of `bytes` stands; CR LF, CR and
// LF each end a line.
int Line_Of_Offset(QByteArrayView bytes, qsizetype offset);

// A language file's bytes as text, and the bytes that were not text in the
// encoding chosen.
struct Decoded_Language {
    QString Text;
    qsizetype Bad_Bytes = 0;
    int First_Bad_Line = 0; // 0 when there are none
};

// Decodes the bytes of a language file: by its byte-order mark, else UTF-8
// or 8-bit as above. Each broken UTF-8 byte becomes one replacement mark.
Decoded_Language Decode_Language_File(const QByteArray& bytes);
QString Decode_Language_Bytes(const QByteArray& bytes);

// Applies every text line of the decoded file to the table; entries the file
// does not set keep their value. Returns the number of lines that set an
// entry.
int Apply_Language_Text(const QString& content, Text_Table& texts);

// True when `text` holds a control character that no text file holds
// (anything below U+0020 but tab, line feed, vertical tab, form feed and
// carriage return): a NUL of a UTF-16 file read as bytes, the bytes of a
// program or a picture.
bool Holds_Binary_Characters(QStringView text);

// What reading one language file found.
struct Language_File_Report {
    QString Path;            // the file read; empty when none was
    int Text_Lines = 0;      // lines that set an entry
    bool Binary = false;     // no text line, and control characters no text file holds
    qsizetype Bad_Bytes = 0; // bytes that are not text, shown as replacement marks
    int First_Bad_Line = 0;
};

// Reads the file at `path` into the table. Throws Kc_Error naming the file
// when it exists but cannot be read.
Language_File_Report Read_Lang_File(const QString& path, Text_Table& texts);

// The English defaults, then the file of state.Language_Name from
// state.Language_Dir (its name matched without regard to case). When that file
// is missing, Language_Name becomes "English" and English.lng is read if it
// exists. Throws Kc_Error (the defaults stay in place) when the file exists
// but cannot be read. The report names the file read, if any.
Language_File_Report Load_Language(App_State& state, Text_Table& texts);

// The warning a reader should see about the file of `report`: it is binary
// (no text line, and characters no text holds; a file of remarks only, such
// as an English.lng that replaces nothing, is fine), or it holds bytes that
// are not text (how many, the first line). Empty when there is nothing to
// say.
QString Language_File_Warning(const Text_Table& texts, const Language_File_Report& report);
