// The language files installed with the program (dist/LANGUAGE): German
// translates every text of the table, English replaces none, and each
// language shows a flag.
#include "base/text_table.h"
#include "test_dirs.h"
#include "text/language_file.h"
#include "text/language_list.h"

#include <QTest>

namespace {

const QString Language_Dir = QStringLiteral(KC_SOURCE_DIR "/dist/LANGUAGE");
const QString Unset = QStringLiteral("\x01unset");

// A table whose every entry is marked unset, with the file applied.
Text_Table Applied(const QString& language) {
    Text_Table texts;
    for (int index = 0; index < Text_Table::Text_Count; ++index)
        texts.Set_Text(index, Unset);
    Read_Lang_File(Language_Dir + "/" + language + ".lng", texts);
    return texts;
}

} // namespace

class Tst_Example_Languages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void german_translates_every_text();
    void english_replaces_nothing();
    void every_language_is_listed_with_a_flag();
};

void Tst_Example_Languages::german_translates_every_text() {
    const Text_Table english;
    const Text_Table german = Applied(QStringLiteral("Deutsch"));
    int translated = 0;
    for (int index = 0; index < Text_Table::Text_Count; ++index) {
        const QString source = english[index];
        const QString text = german[index];
        if (source == QLatin1String(" ")) { // a free slot stays free
            QVERIFY2(text == Unset, qPrintable(QStringLiteral("free slot %1 is set").arg(index)));
            continue;
        }
        QVERIFY2(text != Unset, qPrintable(QStringLiteral("text %1 is missing").arg(index)));
        // Numbers and names are joined to these texts: their outer blanks
        // must stay where the English ones are.
        QVERIFY2(source.startsWith(u' ') == text.startsWith(u' ') &&
                     source.endsWith(u' ') == text.endsWith(u' '),
                 qPrintable(QStringLiteral("text %1: outer blanks of \"%2\" lost in \"%3\"")
                                .arg(index)
                                .arg(source, text)));
        ++translated;
    }
    QVERIFY(translated > 400);
    QCOMPARE(german[16], QStringLiteral("Konfiguration öffnen")); // UTF-8 read as such
    QCOMPARE(german[9], QStringLiteral("Keine Konfiguration geöffnet "));
}

void Tst_Example_Languages::english_replaces_nothing() {
    const Text_Table english = Applied(QStringLiteral("English"));
    for (int index = 0; index < Text_Table::Text_Count; ++index)
        QCOMPARE(english[index], Unset);
}

void Tst_Example_Languages::every_language_is_listed_with_a_flag() {
    QCOMPARE(List_Language_Files(Language_Dir), (QStringList{"Deutsch.lng", "English.lng"}));
    QCOMPARE(Flag_Bitmap_Path(Language_Dir, "Deutsch"), Language_Dir + "/Deutsch.bmp");
    QCOMPARE(Flag_Bitmap_Path(Language_Dir, "English"), Language_Dir + "/DefaultFlag.bmp");
    for (const QString& flag : {QStringLiteral("Deutsch.bmp"), QStringLiteral("DefaultFlag.bmp")})
        QVERIFY2(Read_All(Language_Dir + "/" + flag).startsWith("BM"), qPrintable(flag));
}

QTEST_GUILESS_MAIN(Tst_Example_Languages)
#include "tst_example_languages.moc"
