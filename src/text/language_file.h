#pragma once

#include <QByteArray>
#include <QString>

struct App_State;
class Text_Table;

// Language files (<Language>.lng in the LANGUAGE folder) override entries of
// the text table by index. A byte-order mark selects UTF-8, UTF-16 LE or
// UTF-16 BE. A file without one is read as UTF-8 when it is well-formed UTF-8
// holding at least one multi-byte sequence (what current editors save), and
// otherwise in Windows-1252, the 8-bit code page older files are written in.
// Lines end in CR LF, LF or CR.
//
// A text line reads  STR<index> =<text>  after trimming: the index stands
// between "STR" and the character just before the first "=", and that
// character (the separator, a blank) never belongs to it. "/#/" starts a
// remark; a pilcrow quotes a text whose outer blanks matter. Other lines are
// ignored, bad lines one by one; a later line wins over an earlier one.

// Decodes the bytes of a language file to text: by its byte-order mark, else
// UTF-8 or Windows-1252 as above.
QString Decode_Language_Bytes(const QByteArray& bytes);

// Applies every text line of the decoded file to the table; entries the file
// does not set keep their value.
void Apply_Language_Text(const QString& content, Text_Table& texts);

// Reads the file at `path` into the table. Throws Kc_Error naming the file
// when it exists but cannot be read.
void Read_Lang_File(const QString& path, Text_Table& texts);

// The English defaults, then the file of state.Language_Name from
// state.Language_Dir (its name matched without regard to case). When that file
// is missing, Language_Name becomes "English" and English.lng is read if it
// exists. Throws Kc_Error (the defaults stay in place) when the file exists
// but cannot be read.
void Load_Language(App_State& state, Text_Table& texts);
