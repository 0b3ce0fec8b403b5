#include "base/text_table.h"
#include "csv/table_csv.h"

#include <QTest>

// The tables as CSV: header names, the columns a spreadsheet may reorder,
// rename in another letter case or leave out, the refusals with their line
// and message, and rules and IDs that come back unchanged.
class Tst_Table_Csv : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void headers_are_the_attribute_names();
    void columns_by_name_in_any_order();
    void refusals_name_the_line_data();
    void refusals_name_the_line();
    void row_limits_data();
    void row_limits();
    void empty_rows_at_the_end_dropped();
    void rules_round_trip_data();
    void rules_round_trip();
    void export_ends_where_saving_ends();
    void diagnosis_round_trip();
    void grid_headers_are_understood_data();
    void grid_headers_are_understood();
    void huge_inputs_stay_bounded_data();
    void huge_inputs_stay_bounded();
};

using Rows = QList<QStringList>;

namespace {

Access_Rule Awkward_Rule(int n) {
    Access_Rule rule;
    rule.Enable = n % 2 ? "Y" : "N";
    rule.Slave_ID = n % 3 ? QString::number(n) : " " + QString::number(n);
    rule.Type = "Holding Register";
    rule.Address_Mod = QString::number(n * 10);
    rule.NPoint = "2";
    rule.PollTime = "1000";
    rule.OnChange = "";
    rule.OnCMD = "N";
    rule.MaxError = "0";
    rule.Address_Profi = QString::number(n * 2);
    rule.Bit = "";
    rule.Swap = "Y";
    rule.ForceF15F16 = "N";
    rule.Mnemonic = QString::fromUtf8("Ofen \"%1\", Zone;%1\r\nZeile 2 äöü 温度  ").arg(n);
    return rule;
}

// A rule as the table holds it: the fields of the other table are empty.
Access_Rule As_Read_Rule(Access_Rule rule) {
    rule.OnChange.clear();
    rule.OnCMD.clear();
    rule.ForceF15F16.clear();
    return rule;
}

QByteArray Read_Csv(const QString& header, const QStringList& rows) {
    QByteArray bytes = header.toUtf8() + "\r\n";
    for (const QString& row : rows)
        bytes += row.toUtf8() + "\r\n";
    return bytes;
}

} // namespace

void Tst_Table_Csv::headers_are_the_attribute_names() {
    QCOMPARE(
        Csv_Header(Csv_Table_Kind::Read_Rules).join(','),
        QString("Enable,Slave_ID,Type,Address_Mod,NPoint,PollTime,MaxError,Address_Profi,Bit,Swap,Mnemonic"));
    QCOMPARE(Csv_Header(Csv_Table_Kind::Write_Rules).join(','),
             QString("Enable,Slave_ID,Type,Address_Mod,NPoint,PollTime,OnChange,OnCMD,MaxError,Address_Profi,"
                     "Bit,Swap,ForceF15F16,Mnemonic"));
    QCOMPARE(Csv_Header(Csv_Table_Kind::Diagnosis), QStringList{"ID"});
    QCOMPARE(
        Rules_To_Csv(Rule_Table::Write, {}),
        QByteArray("Enable,Slave_ID,Type,Address_Mod,NPoint,PollTime,OnChange,OnCMD,MaxError,Address_Profi,"
                   "Bit,Swap,ForceF15F16,Mnemonic\r\n"));
}

void Tst_Table_Csv::columns_by_name_in_any_order() {
    // Reordered, other letter case, blanks around names, Enable and most
    // others missing, an empty unnamed column from a spreadsheet.
    const QByteArray csv = "\xEF\xBB\xBF"
                           " mnemonic ;SLAVE_ID;type;;Address_Profi\r\n"
                           "\"Pump; \"\"A\"\"\";3;Coil Status;;7\r\n"
                           ";4\r\n";
    const Csv_Table_Rows table = Read_Table_Csv(Csv_Table_Kind::Read_Rules, csv);
    QVERIFY(!table.Error);
    QCOMPARE(table.Lines, (QList<int>{2, 3}));
    const QList<Access_Rule> rules = Rules_From_Csv_Rows(Rule_Table::Read, table.Rows);
    QCOMPARE(rules.size(), 2);
    Access_Rule first;
    first.Slave_ID = "3";
    first.Type = "Coil Status";
    first.Address_Profi = "7";
    first.Mnemonic = "Pump; \"A\"";
    QCOMPARE(rules[0], first);
    Access_Rule second;
    second.Slave_ID = "4";
    QCOMPARE(rules[1], second);
}

void Tst_Table_Csv::refusals_name_the_line_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QString>("message");
    const int read = int(Csv_Table_Kind::Read_Rules);
    const int diagnosis = int(Csv_Table_Kind::Diagnosis);

    QTest::newRow("unknown header") << read << QByteArray("Enable,Slave,Type\r\nY,1,Coil Status\r\n")
                                    << "Error in line 1: unknown column Slave";
    QTest::newRow("header named twice")
        << read << QByteArray("Enable,Type,TYPE\r\n") << "Error in line 1: column named twice: TYPE";
    QTest::newRow("too many fields, after a field with a line break")
        << read << QByteArray("Slave_ID,Mnemonic\r\n1,\"two\r\nlines\"\r\n2,x\r\n3,y,z\r\n")
        << "Error in line 5: too many fields";
    QTest::newRow("data in a column without name")
        << read << QByteArray("Slave_ID,\r\n1,\r\n2,oops\r\n") << "Error in line 3: too many fields";
    QTest::newRow("too many fields in the diagnosis list")
        << diagnosis << QByteArray("ID\n1\n2,3\n") << "Error in line 3: too many fields";
    QTest::newRow("not UTF-8") << diagnosis << QByteArray("ID\n1\n\x80\n")
                               << "Error in line 3: the text is not UTF-8";
    QTest::newRow("unclosed quote") << diagnosis << QByteArray("ID\n1\n\"2\n3\n")
                                    << "Error in line 3: a quoted field is not closed";
    QTest::newRow("no header") << read << QByteArray("") << "Error in line 1: the file has no header row";
    QTest::newRow("empty first line")
        << read << QByteArray("\r\nEnable\r\n") << "Error in line 1: the file has no header row";
}

void Tst_Table_Csv::refusals_name_the_line() {
    QFETCH(int, kind);
    QFETCH(QByteArray, csv);
    QFETCH(QString, message);
    const Csv_Table_Rows table = Read_Table_Csv(Csv_Table_Kind(kind), csv);
    QVERIFY(table.Error);
    QVERIFY(table.Rows.isEmpty());
    const Text_Table texts;
    QCOMPARE(Csv_Error_Message(texts, *table.Error), message);
}

void Tst_Table_Csv::row_limits_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("limit");
    QTest::newRow("rules") << int(Csv_Table_Kind::Write_Rules) << 244;
    QTest::newRow("diagnosis IDs") << int(Csv_Table_Kind::Diagnosis) << 64;
}

void Tst_Table_Csv::row_limits() {
    QFETCH(int, kind);
    QFETCH(int, limit);
    QStringList rows;
    for (int i = 1; i <= limit; ++i)
        rows.append(QString::number(i % 247 + 1));
    const QString header = kind == int(Csv_Table_Kind::Diagnosis) ? "ID" : "Slave_ID";

    const Csv_Table_Rows full = Read_Table_Csv(Csv_Table_Kind(kind), Read_Csv(header, rows));
    QVERIFY(!full.Error);
    QCOMPARE(full.Rows.size(), limit);

    rows.append("5");
    const Csv_Table_Rows over = Read_Table_Csv(Csv_Table_Kind(kind), Read_Csv(header, rows));
    QVERIFY(over.Error);
    QCOMPARE(over.Error->Line, limit + 2);
    const Text_Table texts;
    QCOMPARE(Csv_Error_Message(texts, *over.Error),
             QString("Error in line %1: too many rows, at most %2").arg(limit + 2).arg(limit));
}

void Tst_Table_Csv::empty_rows_at_the_end_dropped() {
    // A spreadsheet that wrote its empty rows after the last rule: they are
    // not rows of the table and do not count against the limit.
    QStringList rows;
    for (int i = 1; i <= 64; ++i)
        rows.append(QString::number(i));
    rows += {"", "\"\"", ""};
    const Csv_Table_Rows table = Read_Table_Csv(Csv_Table_Kind::Diagnosis, Read_Csv("ID", rows));
    QVERIFY(!table.Error);
    QCOMPARE(table.Rows.size(), 64);
    // An empty row before data stays: it ends the list when it is saved.
    const Csv_Table_Rows gap = Read_Table_Csv(Csv_Table_Kind::Diagnosis, Read_Csv("ID", {"1", "", "3"}));
    QCOMPARE(Diagnosis_Cells_From_Csv_Rows(gap.Rows), (QStringList{"1", "", "3"}));
}

void Tst_Table_Csv::rules_round_trip_data() {
    QTest::addColumn<int>("table");
    QTest::newRow("read") << int(Rule_Table::Read);
    QTest::newRow("write") << int(Rule_Table::Write);
}

void Tst_Table_Csv::rules_round_trip() {
    QFETCH(int, table);
    const Rule_Table rule_table = Rule_Table(table);
    QList<Access_Rule> rules;
    for (int n = 1; n <= 5; ++n)
        rules.append(rule_table == Rule_Table::Read ? As_Read_Rule(Awkward_Rule(n)) : Awkward_Rule(n));
    const Csv_Table_Rows back = Read_Table_Csv(Csv_Kind_Of(rule_table), Rules_To_Csv(rule_table, rules));
    QVERIFY(!back.Error);
    QCOMPARE(Rules_From_Csv_Rows(rule_table, back.Rows), rules);
}

void Tst_Table_Csv::export_ends_where_saving_ends() {
    QList<Access_Rule> rules = {As_Read_Rule(Awkward_Rule(1)), As_Read_Rule(Awkward_Rule(2)),
                                As_Read_Rule(Awkward_Rule(4))};
    rules[1].Slave_ID = "  ";
    const Csv_Table_Rows back =
        Read_Table_Csv(Csv_Table_Kind::Read_Rules, Rules_To_Csv(Rule_Table::Read, rules));
    QCOMPARE(Rules_From_Csv_Rows(Rule_Table::Read, back.Rows), rules.mid(0, 1));
}

void Tst_Table_Csv::diagnosis_round_trip() {
    Diagnosis_List list;
    list.IDs = {"1", " 12", "247", "0x10"};
    const QByteArray csv = Diagnosis_To_Csv(list);
    QCOMPARE(csv, QByteArray("ID\r\n1\r\n\" 12\"\r\n247\r\n0x10\r\n"));
    const Csv_Table_Rows back = Read_Table_Csv(Csv_Table_Kind::Diagnosis, csv);
    QCOMPARE(Diagnosis_Cells_From_Csv_Rows(back.Rows), list.IDs);

    // As saving: at most 64, up to the first blank entry.
    for (int i = 0; i < 70; ++i)
        list.IDs.append("5");
    QCOMPARE(Read_Table_Csv(Csv_Table_Kind::Diagnosis, Diagnosis_To_Csv(list)).Rows.size(), 64);
    list.IDs[2] = "";
    QCOMPARE(Read_Table_Csv(Csv_Table_Kind::Diagnosis, Diagnosis_To_Csv(list)).Rows.size(), 2);
}

void Tst_Table_Csv::grid_headers_are_understood_data() {
    QTest::addColumn<QString>("header");
    QTest::addColumn<bool>("german");
    QTest::newRow("English headers") << "Enable,Slave ID,Type,Address,NPoint,Poll Time,Position,Mnemonic"
                                     << false;
    QTest::newRow("other letter case and blanks")
        << "enable, slave id ,TYPE, address ,npoint,poll time,position" << false;
    QTest::newRow("language in use") << "Aktiv,Slave-Kennung,Typ,Adresse,NPoint,Poll Time,Position" << true;
    QTest::newRow("attribute names beside headers")
        << "Enable,Slave_ID,Type,Address_Mod,NPoint,Poll Time,Position" << true;
}

void Tst_Table_Csv::grid_headers_are_understood() {
    QFETCH(QString, header);
    QFETCH(bool, german);
    Text_Table language;
    if (german) {
        language.Set_Text(617, "Aktiv");
        language.Set_Text(618, "Slave-Kennung");
        language.Set_Text(619, "Typ");
        language.Set_Text(620, "Adresse");
    }
    const QStringList names = header.split(',');
    QStringList values{"Y", "7", "Coil Status", "12", "3", "1000", "4", "m"};
    values = values.mid(0, names.size());
    const Csv_Table_Rows table = Read_Table_Csv(
        Csv_Table_Kind::Read_Rules, (header + "\n" + values.join(',') + "\n").toUtf8(), &language);
    QVERIFY2(!table.Error, qPrintable(table.Error ? table.Error->Column : QString()));
    const QList<Access_Rule> rules = Rules_From_Csv_Rows(Rule_Table::Read, table.Rows);
    QCOMPARE(rules.size(), 1);
    QCOMPARE(rules[0].Slave_ID, QString("7"));
    QCOMPARE(rules[0].Type, QString("Coil Status"));
    QCOMPARE(rules[0].Address_Mod, QString("12"));
    QCOMPARE(rules[0].PollTime, QString("1000"));
    QCOMPARE(rules[0].Address_Profi, QString("4"));
}

void Tst_Table_Csv::huge_inputs_stay_bounded_data() {
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("line"); // refused on this line; 0: read
    QTest::newRow("15 MB of blank lines") << "Slave_ID\n" + QByteArray(15 * 1024 * 1024, '\n') << 0 << 0;
    QTest::newRow("15 MB of CR LF") << "Slave_ID\r\n" + QByteArray("\r\n").repeated(7 * 1024 * 1024) << 0
                                    << 0;
    QTest::newRow("many tiny rows") << "Slave_ID\n" + QByteArray("1\n").repeated(7 * 1024 * 1024) << -1
                                    << 246;
    QTest::newRow("blank lines, then one row too many") << "Slave_ID\n" + QByteArray(300, '\n') + "1\n"
                                                        << -1 << 246;
}

void Tst_Table_Csv::huge_inputs_stay_bounded() {
    QFETCH(QByteArray, csv);
    QFETCH(int, rows);
    QFETCH(int, line);
    const Csv_Table_Rows table = Read_Table_Csv(Csv_Table_Kind::Read_Rules, csv);
    if (line > 0) {
        QVERIFY(table.Error);
        QCOMPARE(int(table.Error->Problem), int(Csv_Problem::Too_Many_Rows));
        QCOMPARE(table.Error->Line, line);
    } else {
        QVERIFY(!table.Error);
        QCOMPARE(table.Rows.size(), rows);
    }
}

QTEST_GUILESS_MAIN(Tst_Table_Csv)
#include "tst_table_csv.moc"
