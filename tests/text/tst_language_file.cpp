#include "base/app_state.h"
#include "base/text_table.h"
#include "test_dirs.h"
#include "text/language_file.h"

#include <QTemporaryDir>
#include <QTest>

// Checks are on entries 1, 12, 999 and 0; "=" marks an entry that must keep
// its default.
class Tst_Language_File : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void line_rules_data();
    void line_rules();
    void encodings_and_line_ends_data();
    void encodings_and_line_ends();
    void utf8_or_eight_bit_data();
    void utf8_or_eight_bit();
    void line_of_offset_data();
    void line_of_offset();
    void file_report_data();
    void file_report();
    void load_language_data();
    void load_language();
    void load_language_starts_from_the_defaults();
};

namespace {

const QString keep = QStringLiteral("=");
const QString pilcrow = QString(QChar(0x00B6));

} // namespace

void Tst_Language_File::line_rules_data() {
    QTest::addColumn<QString>("content");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("expected");

    QTest::newRow("index, blank, =") << "STR12 =Text" << 12 << "Text";
    QTest::newRow("no separator: last digit is the separator") << "STR12=Text" << 1 << "Text";
    QTest::newRow("no separator: 12 untouched") << "STR12=Text" << 12 << keep;
    QTest::newRow("one digit directly before =") << "STR1=Text" << 1 << keep;
    QTest::newRow("blanks around the index") << "STR 12 =Text" << 12 << "Text";
    QTest::newRow("line and text trimmed") << "\t  STR 12 =   Text  \t" << 12 << "Text";
    QTest::newRow("lower-case str ignored") << "str 12 =Text" << 12 << keep;
    QTest::newRow("heading ignored") << "[Main window]\nSTR 12 =Text" << 12 << "Text";
    QTest::newRow("no = at all") << "STR 12 Text" << 12 << keep;
    QTest::newRow("999 accepted") << "STR 999 =Last" << 999 << "Last";
    QTest::newRow("1000 ignored") << "STR 1000 =Text" << 999 << keep;
    QTest::newRow("-1 ignored") << "STR -1 =Text" << 1 << keep;
    QTest::newRow("0 accepted") << "STR 0 =Start" << 0 << "Start";
    QTest::newRow("non-number ignored") << "STR ab =Text" << 12 << keep;
    QTest::newRow("number then word ignored") << "STR 12a =Text" << 12 << keep;
    QTest::newRow("hex index as the shared conversion reads it") << "STR $C =Text" << 12 << "Text";
    QTest::newRow("blanks only keep the entry") << "STR 12 =    " << 12 << keep;
    QTest::newRow("nothing after = keeps the entry") << "STR 12 =" << 12 << keep;
    QTest::newRow("further = belong to the text") << "STR 12 =a = b=c" << 12 << "a = b=c";
    QTest::newRow("remark cut with its blanks") << "STR 12 =Text   /#/ a remark" << 12 << "Text";
    QTest::newRow("remark only keeps the entry") << "STR 12 = /#/ a remark" << 12 << keep;
    QTest::newRow("two pilcrows: empty text") << "STR 12 =" + pilcrow + pilcrow << 12 << "";
    QTest::newRow("pilcrow-quoted blanks kept")
        << "STR 12 =" + pilcrow + " word " + pilcrow + " dropped" << 12 << " word ";
    QTest::newRow("unclosed pilcrow") << "STR 12 =" + pilcrow + "  word" << 12 << "  word";
    QTest::newRow("pilcrow inside the text ends it") << "STR 12 =ab" + pilcrow + "cd" << 12 << "ab";
    QTest::newRow("remark before pilcrow") << "STR 12 =" + pilcrow + " a /#/ b " + pilcrow << 12 << " a";
    QTest::newRow("later line wins") << "STR 12 =First\nSTR 12 =Second" << 12 << "Second";
    QTest::newRow("bad line does not stop the rest") << "STR x =a\nSTR 1000 =b\nSTR 12 =c" << 12 << "c";
    QTest::newRow("markup kept as text") << "STR 12 =<b>bold</b>" << 12 << "<b>bold</b>";
}

void Tst_Language_File::line_rules() {
    QFETCH(QString, content);
    QFETCH(int, index);
    QFETCH(QString, expected);
    Text_Table texts;
    const QString before = texts[index];
    Apply_Language_Text(content, texts);
    QCOMPARE(texts[index], expected == keep ? before : expected);
}

void Tst_Language_File::encodings_and_line_ends_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text_1");
    QTest::addColumn<QString>("text_12");

    const QString umlauts = QStringLiteral("Gr\u00fc\u00dfe \u20ac \u00b5");
    const QByteArray lines = "STR 1 =One\r\nSTR 12 =" + umlauts.toUtf8();

    QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBF") + lines << "One" << umlauts;
    {
        QByteArray le("\xFF\xFE");
        const QString text = QString::fromUtf8(lines);
        le.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        QTest::newRow("UTF-16 LE mark") << le << "One" << umlauts;
        QByteArray be("\xFE\xFF");
        for (QChar c : text) {
            be.append(char(c.unicode() >> 8));
            be.append(char(c.unicode() & 0xFF));
        }
        QTest::newRow("UTF-16 BE mark") << be << "One" << umlauts;
    }
    // Without a mark: well-formed UTF-8 with a multi-byte sequence is UTF-8,
    // as editors save it today; a pilcrow-quoted text keeps its blanks.
    QTest::newRow("no mark, UTF-8") << lines << "One" << umlauts;
    QTest::newRow("no mark, UTF-8 pilcrows and umlauts") << QByteArray("STR 1 =\xC2\xB6 Gr\xC3\xB6\xC3\x9F"
                                                                       "e \xC2\xB6 cut\r\nSTR 12 =\xC2\xB6"
                                                                       "2\xC2\xB6")
                                                         << QStringLiteral(" Gr\u00f6\u00dfe ") << "2";
    QTest::newRow("no mark, 4-byte UTF-8")
        << QByteArray("STR 12 =\xF0\x9F\x98\x80") << "Step 1" << QStringLiteral("\U0001F600");
    // Anything else is Windows-1252, as older files were written: 0x80 is
    // the euro sign, 0xB5 micro.
    QTest::newRow("no mark, 1252 umlauts") << QByteArray("STR 1 =One\r\nSTR 12 =Gr\xFC\xDF"
                                                         "e \x80 \xB5")
                                           << "One" << umlauts;
    QTest::newRow("no mark, ASCII only") << QByteArray("STR 12 =Plain") << "Step 1"
                                         << "Plain";
    // A stray byte among UTF-8 letters is a replacement mark, the letters
    // stay whole.
    QTest::newRow("no mark, UTF-8 and one 1252 byte: UTF-8")
        << QByteArray("STR 1 =\xC3\xA8\r\nSTR 12 =\xE8") << QStringLiteral("\u00e8")
        << QStringLiteral("\ufffd");
    QTest::newRow("no mark, UTF-8 with a 1252 line added") << QByteArray("STR 1 =Gr\xC3\xBC\xC3\x9F"
                                                                         "e \xC3\xA4\r\nSTR 12 =\xFC"
                                                                         "ber")
                                                           << QStringLiteral("Gr\u00fc\u00dfe \u00e4")
                                                           << QStringLiteral("\ufffd"
                                                                             "ber");
    QTest::newRow("no mark, UTF-8 letter cut at the end")
        << QByteArray("STR 1 =\xC3\xA4\xC3\xB6\r\nSTR 12 =ab\xE2\x82") << QStringLiteral("\u00e4\u00f6")
        << QStringLiteral("ab\ufffd\ufffd");
    QTest::newRow("no mark, 1252 with one chance UTF-8 pair: 1252")
        << QByteArray("STR 1 =\xDC\x96\r\nSTR 12 =\xE4\xF6\xFC") << QStringLiteral("\u00dc\u2013")
        << QStringLiteral("\u00e4\u00f6\u00fc");
    QTest::newRow("no mark, overlong form is 1252")
        << QByteArray("STR 12 =\xC0\xAF") << "Step 1" << QStringLiteral("\u00c0\u00af");
    QTest::newRow("no mark, encoded surrogate is 1252")
        << QByteArray("STR 12 =\xED\xA0\x80") << "Step 1" << QStringLiteral("\u00ed\u00a0\u20ac");
    QTest::newRow("no mark, lone continuation byte is 1252")
        << QByteArray("STR 12 =\xA9") << "Step 1" << QStringLiteral("\u00a9");
    QTest::newRow("no mark, sequence cut at the end is 1252")
        << QByteArray("STR 12 =ab\xC3") << "Step 1" << QStringLiteral("ab\u00c3");
    QTest::newRow("LF") << QByteArray("STR 1 =One\nSTR 12 =Two\n") << "One"
                        << "Two";
    QTest::newRow("CR") << QByteArray("STR 1 =One\rSTR 12 =Two\r") << "One"
                        << "Two";
    QTest::newRow("CR LF") << QByteArray("STR 1 =One\r\nSTR 12 =Two\r\n") << "One"
                           << "Two";
    QTest::newRow("empty lines between") << QByteArray("\r\n\r\nSTR 1 =One\r\r\n\nSTR 12 =Two") << "One"
                                         << "Two";
    QTest::newRow("empty file") << QByteArray() << "Step 1"
                                << "Information";
    QTest::newRow("binary") << QByteArray("\x00\x01\xFF\xFE\x00STR", 8) << "Step 1"
                            << "Information";
}

void Tst_Language_File::encodings_and_line_ends() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text_1);
    QFETCH(QString, text_12);
    QTemporaryDir dir;
    const QString path = dir.filePath("Test.lng");
    QVERIFY(Write_All(path, bytes));
    Text_Table texts;
    Read_Lang_File(path, texts);
    QCOMPARE(texts[1], text_1);
    QCOMPARE(texts[12], text_12);
}

void Tst_Language_File::utf8_or_eight_bit_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("utf8");
    QTest::addColumn<int>("multi_byte");
    QTest::addColumn<int>("bad_runs");
    QTest::addColumn<int>("bad_bytes");
    QTest::addColumn<int>("first_bad"); // offset; -1 for none

    QTest::newRow("ASCII only") << QByteArray("STR 1 =One") << false << 0 << 0 << 0 << -1;
    QTest::newRow("clean UTF-8") << QByteArray("\xC3\xA4 \xE2\x82\xAC \xF0\x9F\x98\x80") << true << 3 << 0
                                 << 0 << -1;
    QTest::newRow("UTF-8 with one stray byte")
        << QByteArray("\xC3\xA4\xC3\xB6 \xFC") << true << 2 << 1 << 1 << 5;
    QTest::newRow("as many stray bytes as letters")
        << QByteArray("\xC3\xA4 \xFC") << true << 1 << 1 << 1 << 3;
    QTest::newRow("UTF-8 letter cut short counts its bytes")
        << QByteArray("\xC3\xA4 \xE2\x82 x") << true << 1 << 1 << 2 << 3;
    QTest::newRow("cut at the very end")
        << QByteArray("\xC3\xA4\xC3\xB6\xF0\x9F\x98") << true << 2 << 1 << 3 << 4;
    QTest::newRow("German in 1252") << QByteArray("Gr\xFC\xDF"
                                                  "e, \xC4nderung, \xD6l")
                                    << false << 0 << 4 << 4 << 2;
    QTest::newRow("1252 with one chance UTF-8 pair")
        << QByteArray("\xDC\x96 \xE4 \xF6") << false << 1 << 2 << 2 << 3;
    QTest::newRow("overlong form") << QByteArray("\xC0\xAF") << false << 0 << 2 << 2 << 0;
    QTest::newRow("encoded surrogate") << QByteArray("\xED\xA0\x80") << false << 0 << 3 << 3 << 0;
    QTest::newRow("above U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << false << 0 << 4 << 4 << 0;
    QTest::newRow("lone continuation byte") << QByteArray("a\xA9") << false << 0 << 1 << 1 << 1;
    QTest::newRow("binary") << QByteArray("\x00\x01\xFF\xFE\x00STR", 8) << false << 0 << 2 << 2 << 2;
}

void Tst_Language_File::utf8_or_eight_bit() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, utf8);
    QFETCH(int, multi_byte);
    QFETCH(int, bad_runs);
    QFETCH(int, bad_bytes);
    QFETCH(int, first_bad);
    const Utf8_Scan scan = Scan_Utf8(bytes);
    QCOMPARE(scan.Multi_Byte, multi_byte);
    QCOMPARE(scan.Bad_Runs, bad_runs);
    QCOMPARE(scan.Bad_Bytes, bad_bytes);
    QCOMPARE(scan.First_Bad, first_bad);
    QCOMPARE(Reads_As_Utf8(scan), utf8);
    // What a UTF-8 reading shows for the broken bytes, and that an 8-bit
    // reading shows every byte.
    const Decoded_Language decoded = Decode_Language_File(bytes);
    if (utf8) {
        QCOMPARE(decoded.Bad_Bytes, qsizetype(bad_bytes));
        // One replacement mark for each byte that is not text.
        QCOMPARE(decoded.Text.count(QChar(0xFFFD)), bad_bytes);
    } else {
        QCOMPARE(decoded.Bad_Bytes, qsizetype(0));
        QCOMPARE(decoded.Text.size(), bytes.size());
    }
}

void Tst_Language_File::line_of_offset_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("line");
    QTest::newRow("first line") << QByteArray("ab\ncd") << 1 << 1;
    QTest::newRow("LF") << QByteArray("ab\ncd") << 3 << 2;
    QTest::newRow("CR LF is one end") << QByteArray("ab\r\ncd") << 4 << 2;
    QTest::newRow("lone CR") << QByteArray("ab\rcd\ref") << 6 << 3;
    QTest::newRow("empty lines count") << QByteArray("\r\n\n\rx") << 4 << 4;
}

void Tst_Language_File::line_of_offset() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, offset);
    QFETCH(int, line);
    QCOMPARE(Line_Of_Offset(bytes, offset), line);
}

void Tst_Language_File::file_report_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("text_lines");
    QTest::addColumn<int>("bad_bytes");
    QTest::addColumn<int>("first_bad_line");
    QTest::addColumn<QString>("warning"); // after "The language file <path>"

    QTest::newRow("clean") << QByteArray("STR 1 =Eins\r\nSTR 12 =Zw\xC3\xB6lf") << 2 << 0 << 0 << "";
    QTest::newRow("stray byte in line 3")
        << QByteArray("STR 1 =\xC3\xA4\r\n; remark\r\nSTR 12 =\xFC\r\n") << 2 << 1 << 3
        << " holds bytes that are not text, shown as replacement marks: 1; the first in line 3";
    QTest::newRow("with mark, cut letter in line 2")
        << QByteArray("\xEF\xBB\xBFSTR 1 =a\nSTR 12 =\xE2\x82") << 2 << 2 << 2
        << " holds bytes that are not text, shown as replacement marks: 2; the first in line 2";
    QTest::newRow("binary") << QByteArray("\x7F"
                                          "ELF\x02\x01\x01\x00\x00\xFF\xD8",
                                          11)
                            << 0 << 0 << 0 << " holds no text line and was not applied";
    // A file that replaces nothing, as the shipped English.lng, is fine.
    QTest::newRow("remarks only") << QByteArray("/#/ nothing here yet\r\n") << 0 << 0 << 0 << "";
    QTest::newRow("empty") << QByteArray() << 0 << 0 << 0 << "";
    QTest::newRow("UTF-16 without mark") << QByteArray("S\0T\0R\0 \0\x31\0 \0=\0x\0", 16) << 0 << 0 << 0
                                         << " holds no text line and was not applied";
}

void Tst_Language_File::file_report() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, text_lines);
    QFETCH(int, bad_bytes);
    QFETCH(int, first_bad_line);
    QFETCH(QString, warning);
    QTemporaryDir dir;
    const QString path = dir.filePath("Test.lng");
    QVERIFY(Write_All(path, bytes));
    Text_Table texts;
    const Language_File_Report report = Read_Lang_File(path, texts);
    QCOMPARE(report.Path, path);
    QCOMPARE(report.Text_Lines, text_lines);
    QCOMPARE(report.Bad_Bytes, qsizetype(bad_bytes));
    QCOMPARE(report.First_Bad_Line, first_bad_line);
    const Text_Table english;
    QCOMPARE(Language_File_Warning(english, report),
             warning.isEmpty() ? QString() : "The language file " + QDir::toNativeSeparators(path) + warning);
}

void Tst_Language_File::load_language_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("files"); // created in LANGUAGE; empty: no LANGUAGE folder
    QTest::addColumn<QString>("text_0");
    QTest::addColumn<QString>("language_after");

    QTest::newRow("no LANGUAGE folder") << "Italiano" << QStringList() << "Begin"
                                        << "English";
    QTest::newRow("its own file") << "Italiano" << QStringList{"Italiano.lng", "English.lng"}
                                  << "Italiano.lng"
                                  << "Italiano";
    QTest::newRow("file name in other case") << "Italiano" << QStringList{"italiano.LNG"} << "italiano.LNG"
                                             << "Italiano";
    QTest::newRow("missing file: English.lng")
        << "Deutsch" << QStringList{"Italiano.lng", "English.lng"} << "English.lng"
        << "English";
    QTest::newRow("missing file, no English.lng: defaults")
        << "Deutsch" << QStringList{"Italiano.lng"} << "Begin"
        << "English";
    QTest::newRow("folder named like the file") << "Italiano" << QStringList{"Italiano.lng/"} << "Begin"
                                                << "English";
}

void Tst_Language_File::load_language() {
    QFETCH(QString, language);
    QFETCH(QStringList, files);
    QFETCH(QString, text_0);
    QFETCH(QString, language_after);
    QTemporaryDir dir;
    App_State state;
    state.Set_Program_Dir(dir.path());
    if (!files.isEmpty())
        QVERIFY(QDir().mkdir(state.Language_Dir));
    for (const QString& file : files) {
        if (file.endsWith('/'))
            QVERIFY(QDir().mkdir(state.Language_Dir + '/' + file));
        else // each file names itself in text 0
            QVERIFY(Write_All(state.Language_Dir + '/' + file, "STR 0 =" + file.toUtf8()));
    }
    state.Language_Name = language;
    Text_Table texts;
    const Language_File_Report report = Load_Language(state, texts);
    QCOMPARE(texts[0], text_0);
    QCOMPARE(state.Language_Name, language_after);
    // The report names the file that was read.
    QCOMPARE(report.Path.isEmpty(), text_0 == "Begin");
    if (!report.Path.isEmpty())
        QCOMPARE(QFileInfo(report.Path).fileName(), text_0);
    QCOMPARE(texts[1], QString("Step 1"));
}

void Tst_Language_File::load_language_starts_from_the_defaults() {
    QTemporaryDir dir;
    App_State state;
    state.Set_Program_Dir(dir.path());
    QVERIFY(QDir().mkdir(state.Language_Dir));
    QVERIFY(Write_All(state.Language_Dir + "/English.lng", "STR 1 =Passo 1"));
    Text_Table texts;
    texts.Set_Text(0, "left over from another language");
    Load_Language(state, texts);
    QCOMPARE(texts[0], QString("Begin"));
    QCOMPARE(texts[1], QString("Passo 1"));
}

QTEST_GUILESS_MAIN(Tst_Language_File)
#include "tst_language_file.moc"
