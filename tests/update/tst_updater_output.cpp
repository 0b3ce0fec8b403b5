#include "base/text_table.h"
#include "update/updater_output.h"

#include <QTest>

class Tst_Updater_Output : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void decoded_data();
    void decoded();
    void last_lines_data();
    void last_lines();
    void tail_keeps_the_end();
    void end_message();
};

void Tst_Updater_Output::decoded_data() {
    QTest::addColumn<QList<QByteArray>>("reads");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain lines") << QList<QByteArray>{"a\n", "b\n"} << "a\nb\n";
    QTest::newRow("CR LF, also split between reads") << QList<QByteArray>{"a\r", "\nb\r\n"} << "a\nb\n";
    QTest::newRow("lone CR ends a line") << QList<QByteArray>{"50%\r60%\r"} << "50%\n60%\n";
    QTest::newRow("character split between reads")
        << QList<QByteArray>{"K\xc3", "\xb6ln"} << QStringLiteral("K\u00f6ln");
    QTest::newRow("tab kept, controls replaced") << QList<QByteArray>{QByteArray("a\tb\x01\x1b[0m\x7f", 9)}
                                                 << QStringLiteral("a\tb\ufffd\ufffd[0m\ufffd");
    QTest::newRow("NUL and invalid bytes")
        << QList<QByteArray>{QByteArray("x\0\xff", 3)} << QStringLiteral("x\ufffd\ufffd");
}

void Tst_Updater_Output::decoded() {
    QFETCH(QList<QByteArray>, reads);
    QFETCH(QString, shown);
    Updater_Output_Decoder decoder;
    QString all;
    for (const QByteArray& read : reads)
        all += decoder.Decode(read);
    QCOMPARE(all, shown);
}

void Tst_Updater_Output::last_lines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("max_lines");
    QTest::addColumn<int>("max_chars");
    QTest::addColumn<QString>("last");
    QTest::newRow("fewer than asked") << "a\nb\n" << 8 << 160 << "a\nb";
    QTest::newRow("the last ones") << "1\n2\n3\n4\n" << 2 << 160 << "3\n4";
    QTest::newRow("blank lines skipped") << "a\n \n\t\nb\n\n" << 2 << 160 << "a\nb";
    QTest::newRow("long line cut") << "abcdefgh" << 8 << 5 << QStringLiteral("abcd\u2026");
    QTest::newRow("nothing") << "\n\n" << 8 << 160 << "";
}

void Tst_Updater_Output::last_lines() {
    QFETCH(QString, text);
    QFETCH(int, max_lines);
    QFETCH(int, max_chars);
    QFETCH(QString, last);
    QCOMPARE(Last_Output_Lines(text, max_lines, max_chars), last);
}

void Tst_Updater_Output::tail_keeps_the_end() {
    Updater_Output_Tail tail(10);
    tail.Add(QStringLiteral("0123456"));
    tail.Add(QStringLiteral("789abc"));
    QCOMPARE(tail.Text(), QStringLiteral("3456789abc"));
    tail.Clear();
    QCOMPARE(tail.Text(), QString());
}

void Tst_Updater_Output::end_message() {
    const Text_Table texts;
    QCOMPARE(
        Updater_End_Message(texts, QStringLiteral("Ethernet_Update"), {false, 3}, QStringLiteral("x\ny\n")),
        QStringLiteral("Warning! The update program did not end correctly: Ethernet_Update\n"
                       "It ended with the exit code 3\nLast lines of its output:\nx\ny"));
    // A program that wrote nothing: no output part.
    QCOMPARE(Updater_End_Message(texts, QStringLiteral("Ethernet_Update"), {true, 6}, QString()),
             QStringLiteral("Warning! The update program did not end correctly: Ethernet_Update\n"
                            "It crashed, with the signal or code 6"));
}

QTEST_GUILESS_MAIN(Tst_Updater_Output)
#include "tst_updater_output.moc"
