#include "base/shown_text.h"

#include <QTest>

// Names from outside shown in messages: control characters escaped, all else
// kept.
class Tst_Shown_Text : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void escaped_data();
    void escaped();
    void path_separators();
};

void Tst_Shown_Text::escaped_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");

    QTest::newRow("plain") << "PROJECTS/Plant 1"
                           << "PROJECTS/Plant 1";
    QTest::newRow("placeholder-like text kept") << "Plant %1 %2"
                                                << "Plant %1 %2";
    QTest::newRow("umlauts kept") << QString::fromUtf8("Kl\xc3\xa4ranlage")
                                  << QString::fromUtf8("Kl\xc3\xa4ranlage");
    QTest::newRow("line feed") << "a\nb"
                               << "a\\nb";
    QTest::newRow("carriage return") << "a\rb"
                                     << "a\\rb";
    QTest::newRow("tab") << "a\tb"
                         << "a\\tb";
    QTest::newRow("escape") << "a\x1b[2Jb"
                            << "a\\x1B[2Jb";
    QTest::newRow("nul") << QString(QChar(0)) << "\\x00";
    QTest::newRow("delete") << "a\x7f"
                            << "a\\x7F";
    QTest::newRow("C1 control") << QString(QChar(0x9b)) << "\\x9B";
    QTest::newRow("line separator") << QString(QChar(0x2028)) << "\\u{2028}";
    QTest::newRow("backslash kept") << "C:\\PROJECTS"
                                    << "C:\\PROJECTS";
}

void Tst_Shown_Text::escaped() {
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(Escape_Controls(text), shown);
}

void Tst_Shown_Text::path_separators() {
    const QString shown = Shown_Path(QStringLiteral("/tmp/a\nb/sdo.xml"));
#ifdef Q_OS_WIN
    QCOMPARE(shown, QStringLiteral("\\tmp\\a\\nb\\sdo.xml"));
#else
    QCOMPARE(shown, QStringLiteral("/tmp/a\\nb/sdo.xml"));
#endif
}

QTEST_GUILESS_MAIN(Tst_Shown_Text)
#include "tst_shown_text.moc"
