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
    QTest::newRow("no mark, UTF-8 and one 1252 byte: all 1252")
        << QByteArray("STR 1 =\xC3\xA8\r\nSTR 12 =\xE8") << QStringLiteral("\u00c3\u00a8")
        << QStringLiteral("\u00e8");
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
    Load_Language(state, texts);
    QCOMPARE(texts[0], text_0);
    QCOMPARE(state.Language_Name, language_after);
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
