#include "csv/csv_format.h"

#include <QTest>

// CSV text: what spreadsheets write in either locale, the physical line of
// every record, the refusals with their line, and texts that survive a write
// and a read unchanged.
class Tst_Csv_Format : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parses_data();
    void parses();
    void refuses_data();
    void refuses();
    void awkward_texts_round_trip_data();
    void awkward_texts_round_trip();
    void writer_quotes_only_what_needs_it();
    void bounds_data();
    void bounds();
    void formula_guard_data();
    void formula_guard();
};

using Records = QList<QStringList>;

namespace {

Records Fields_Of(const Csv_Text& csv) {
    Records records;
    for (const Csv_Record& record : csv.Records)
        records.append(record.Fields);
    return records;
}

QList<int> Lines_Of(const Csv_Text& csv) {
    QList<int> lines;
    for (const Csv_Record& record : csv.Records)
        lines.append(record.Line);
    return lines;
}

} // namespace

void Tst_Csv_Format::parses_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<Records>("records");
    QTest::addColumn<QList<int>>("lines");

    QTest::newRow("comma, CR LF") << QByteArray("A,B\r\n1,2\r\n") << "," << Records{{"A", "B"}, {"1", "2"}}
                                  << QList<int>{1, 2};
    QTest::newRow("semicolon, byte-order mark, CR LF")
        << QByteArray("\xEF\xBB\xBF"
                      "A;B\r\n1,5;\"x;y\"\r\n")
        << ";" << Records{{"A", "B"}, {"1,5", "x;y"}} << QList<int>{1, 2};
    QTest::newRow("separator from the first record only")
        << QByteArray("A;B\n1,2;3\n") << ";" << Records{{"A", "B"}, {"1,2", "3"}} << QList<int>{1, 2};
    QTest::newRow("quoted separator in the header does not count")
        << QByteArray("\"A;1\",B\n") << "," << Records{{"A;1", "B"}} << QList<int>{1};
    QTest::newRow("one column: comma")
        << QByteArray("ID\n12\n") << "," << Records{{"ID"}, {"12"}} << QList<int>{1, 2};
    QTest::newRow("LF and CR line ends, no end at the last")
        << QByteArray("A\n1\r2") << "," << Records{{"A"}, {"1"}, {"2"}} << QList<int>{1, 2, 3};
    QTest::newRow("doubled quotes") << QByteArray("\"say \"\"hi\"\"\",\"\"\n") << ","
                                    << Records{{"say \"hi\"", ""}} << QList<int>{1};
    QTest::newRow("line breaks inside quotes move the next record's line")
        << QByteArray("A,B\r\n\"one\r\ntwo\nthree\",x\r\nz,y\r\n") << ","
        << Records{{"A", "B"}, {"one\r\ntwo\nthree", "x"}, {"z", "y"}} << QList<int>{1, 2, 5};
    QTest::newRow("empty line is a record of one empty field")
        << QByteArray("A,B\n\n1,2\n") << "," << Records{{"A", "B"}, {""}, {"1", "2"}} << QList<int>{1, 2, 3};
    QTest::newRow("empty fields") << QByteArray("A,B,C\n,,\n") << ","
                                  << Records{{"A", "B", "C"}, {"", "", ""}} << QList<int>{1, 2};
    QTest::newRow("quote inside an unquoted field stays")
        << QByteArray("5\" pipe,x\n") << "," << Records{{"5\" pipe", "x"}} << QList<int>{1};
    QTest::newRow("text after a closing quote is kept")
        << QByteArray("\"ab\"c,d\n") << "," << Records{{"abc", "d"}} << QList<int>{1};
    QTest::newRow("blanks kept") << QByteArray(" a , b \n") << "," << Records{{" a ", " b "}}
                                 << QList<int>{1};
    QTest::newRow("non-ASCII") << QByteArray(
                                      "Mnemonic\nOfen \xC3\xA4\xC3\xB6\xC3\xBC \xE6\xB8\xA9\xE5\xBA\xA6\n")
                               << "," << Records{{"Mnemonic"}, {QString::fromUtf8("Ofen äöü 温度")}}
                               << QList<int>{1, 2};
    QTest::newRow("nothing") << QByteArray() << "," << Records{} << QList<int>{};
    QTest::newRow("byte-order mark only") << QByteArray("\xEF\xBB\xBF") << "," << Records{} << QList<int>{};
}

void Tst_Csv_Format::parses() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, separator);
    QFETCH(Records, records);
    QFETCH(QList<int>, lines);
    const Csv_Text csv = Parse_Csv(bytes);
    QVERIFY(!csv.Error);
    QCOMPARE(QString(csv.Separator), separator);
    QCOMPARE(Fields_Of(csv), records);
    QCOMPARE(Lines_Of(csv), lines);
}

void Tst_Csv_Format::refuses_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("problem");
    QTest::addColumn<int>("line");

    QTest::newRow("Latin-1 byte on line 3")
        << QByteArray("A\r\nok\r\nOfen \xE4\r\nlater\r\n") << int(Csv_Problem::Invalid_Utf8) << 3;
    QTest::newRow("cut UTF-8 sequence at the end")
        << QByteArray("A\nx\xC3") << int(Csv_Problem::Invalid_Utf8) << 2;
    QTest::newRow("overlong encoding") << QByteArray("A\n\xC0\xAF\n") << int(Csv_Problem::Invalid_Utf8) << 2;
    QTest::newRow("UTF-16 text") << QByteArray("\xFF\xFE"
                                               "A\0"
                                               "\n\0",
                                               6)
                                 << int(Csv_Problem::Invalid_Utf8) << 1;
    QTest::newRow("CR line ends, Latin-1 byte on line 3")
        << QByteArray("A\rok\rOfen \xE4\rlater\r") << int(Csv_Problem::Invalid_Utf8) << 3;
    QTest::newRow("CR LF and CR mixed, bad byte on line 4")
        << QByteArray("A\r\nb\rc\n\xFF\r\n") << int(Csv_Problem::Invalid_Utf8) << 4;
    QTest::newRow("quote opened on line 2 never closed")
        << QByteArray("A,B\n1,\"open\n3,4\n5,6\n") << int(Csv_Problem::Unclosed_Quote) << 2;
}

void Tst_Csv_Format::refuses() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, problem);
    QFETCH(int, line);
    const Csv_Text csv = Parse_Csv(bytes);
    QVERIFY(csv.Error);
    QCOMPARE(int(csv.Error->Problem), problem);
    QCOMPARE(csv.Error->Line, line);
    QVERIFY(csv.Records.isEmpty());
}

void Tst_Csv_Format::awkward_texts_round_trip_data() {
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("quotes, commas, semicolons") << QStringList{"say \"hi\", then;go", "\"", "\"\"", ",", ";"};
    QTest::newRow("line breaks") << QStringList{"one\ntwo", "one\r\ntwo", "\r", "\n", "end\n"};
    QTest::newRow("non-ASCII") << QStringList{QString::fromUtf8("Temperatur Ofen äöüß"),
                                              QString::fromUtf8("温度"), QString::fromUtf8("🔥 hot")};
    QTest::newRow("leading and trailing blanks") << QStringList{" 12", "12 ", "  ", "\tx", ""};
    QTest::newRow("one empty field") << QStringList{""};
    QTest::newRow("one blank field") << QStringList{" "};
    QTest::newRow("markup and spreadsheet formulas")
        << QStringList{"<b>&amp;</b>", "=SUM(A1:A2)", "-5", "+1"};
}

void Tst_Csv_Format::awkward_texts_round_trip() {
    QFETCH(QStringList, fields);
    const Records records = {{"Header"}, fields, {"after"}};
    const Csv_Text csv = Parse_Csv(Write_Csv(records));
    QVERIFY(!csv.Error);
    QCOMPARE(Fields_Of(csv), records);
}

void Tst_Csv_Format::writer_quotes_only_what_needs_it() {
    QCOMPARE(Write_Csv({{"Enable", "Slave_ID"}, {"Y", "1"}, {"", ""}}),
             QByteArray("Enable,Slave_ID\r\nY,1\r\n,\r\n"));
    QCOMPARE(Write_Csv({{"ID"}, {""}, {" 7"}}), QByteArray("ID\r\n\"\"\r\n\" 7\"\r\n"));
    QCOMPARE(Write_Csv({{"a;b", "x\"y", QString::fromUtf8("ä")}}),
             QByteArray("\"a;b\",\"x\"\"y\",\xC3\xA4\r\n"));
}

void Tst_Csv_Format::bounds_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("rows");         // data records kept; -1 refused
    QTest::addColumn<int>("problem_line"); // refused: the line named
    QTest::newRow("empty lines after the rows dropped") << QByteArray("H\n1\n2\n\n\n,,\n\n") << 2 << 0;
    QTest::newRow("empty lines between rows kept") << QByteArray("H\n1\n,\n2\n\n") << 3 << 0;
    QTest::newRow("limit reached exactly") << QByteArray("H\n1\n2\n3\n\n\n") << 3 << 0;
    QTest::newRow("fourth row") << QByteArray("H\n1\n2\n3\n4\n") << -1 << 5;
    QTest::newRow("fourth row among empty ones") << QByteArray("H\n1\n\n\n\n\n5\n") << -1 << 5;
    QTest::newRow("CR only line ends") << QByteArray("H\r1\r\r\r\r5\r") << -1 << 5;
    QTest::newRow("too many fields") << QByteArray("H\n1,2,3,4,5\n") << -1 << 2;
}

void Tst_Csv_Format::bounds() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, rows);
    QFETCH(int, problem_line);
    const Csv_Text csv = Parse_Csv(bytes, Csv_Bounds{3, 4});
    if (rows < 0) {
        QVERIFY(csv.Error);
        QCOMPARE(csv.Error->Line, problem_line);
        QVERIFY(csv.Records.isEmpty());
        return;
    }
    QVERIFY(!csv.Error);
    QCOMPARE(csv.Records.size(), rows + 1);
    // Lines are those of the text, held-back empty rows included.
    const Csv_Text plain = Parse_Csv(bytes);
    for (int i = 0; i < csv.Records.size(); ++i)
        QCOMPARE(csv.Records[i].Line, plain.Records[i].Line);
}

void Tst_Csv_Format::formula_guard_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("guarded");
    QTest::newRow("equals") << "=1+2"
                            << "'=1+2";
    QTest::newRow("plus") << "+1"
                          << "'+1";
    QTest::newRow("minus") << "-5"
                           << "'-5";
    QTest::newRow("at") << "@A1"
                        << "'@A1";
    QTest::newRow("tab") << "\t=1"
                         << "'\t=1";
    QTest::newRow("CR") << "\r=1"
                        << "'\r=1";
    QTest::newRow("apostrophe") << "'abc"
                                << "''abc";
    QTest::newRow("guarded formula") << "'=1"
                                     << "''=1";
    QTest::newRow("plain") << "abc"
                           << "abc";
    QTest::newRow("formula character later") << "a=1"
                                             << "a=1";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("blank first") << " =1"
                                 << " =1";
}

void Tst_Csv_Format::formula_guard() {
    QFETCH(QString, text);
    QFETCH(QString, guarded);
    QCOMPARE(Guard_Formula(text), guarded);
    QCOMPARE(Unguard_Formula(guarded), text);
}

QTEST_GUILESS_MAIN(Tst_Csv_Format)
#include "tst_csv_format.moc"
