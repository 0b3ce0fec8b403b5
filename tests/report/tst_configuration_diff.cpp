// What changed between two configurations: the pure comparison, the row
// alignment, and kc40927-cli diff on folders and images.
#include "base/text_table.h"
#include "cli_run.h"
#include "conf_check_fixture.h"
#include "output/bank_build.h"
#include "report/configuration_diff.h"
#include "report/row_alignment.h"
#include "test_dirs.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

Q_DECLARE_METATYPE(std::function<void(Conf_Documents&)>)

namespace {

using Edit = std::function<void(Conf_Documents&)>;

Diff_Documents As_Diff(const Conf_Documents& documents) {
    return {documents.Params, documents.Rules, documents.Diagnosis};
}

// "document table row_a row_b field a b", "-" for what is missing: one line a
// difference, easy to read in a failure.
QStringList Lines(const QList<Conf_Difference>& differences) {
    QStringList lines;
    const auto row = [](const std::optional<int>& r) {
        return r ? QString::number(*r) : QStringLiteral("-");
    };
    const auto text = [](const std::optional<QString>& t) { return t ? *t : QStringLiteral("-"); };
    for (const Conf_Difference& d : differences)
        lines.append(QStringList{d.Document, d.Table.isEmpty() ? QStringLiteral("-") : d.Table, row(d.Row_A),
                                 row(d.Row_B), text(d.Field), text(d.A), text(d.B)}
                         .join(u' '));
    return lines;
}

Text_Table English() {
    Text_Table texts;
    texts.Set_Default_Texts();
    return texts;
}

} // namespace

class Tst_Configuration_Diff : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void alignment_data();
    void alignment();
    void documents_data();
    void documents();
    void text_names_parameters_by_caption();
    void images();
    void cli_folders();
    void cli_folder_against_its_image();
    void cli_cannot_run_data();
    void cli_cannot_run();
};

void Tst_Configuration_Diff::alignment_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("pairs"); // per pair: "i=j" equal, "i~j" changed, "i-" removed, "-j" inserted

    QTest::newRow("equal") << "abc"
                           << "abc"
                           << "0=0 1=1 2=2";
    QTest::newRow("inserted in the middle") << "abc"
                                            << "axbc"
                                            << "0=0 -1 1=2 2=3";
    QTest::newRow("removed at the front") << "abc"
                                          << "bc"
                                          << "0- 1=0 2=1";
    QTest::newRow("changed in the middle") << "abc"
                                           << "axc"
                                           << "0=0 1~1 2=2";
    QTest::newRow("moved down") << "abcd"
                                << "acdb"
                                << "0=0 1- 2=1 3=2 -3";
    QTest::newRow("two changed, one more inserted") << "axyb"
                                                    << "auvwb"
                                                    << "0=0 1~1 2~2 -3 3=4";
    QTest::newRow("everything new") << "ab"
                                    << "xyz"
                                    << "0~0 1~1 -2";
    QTest::newRow("from nothing") << ""
                                  << "ab"
                                  << "-0 -1";
    QTest::newRow("to nothing") << "ab"
                                << ""
                                << "0- 1-";
}

void Tst_Configuration_Diff::alignment() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, pairs);
    QStringList shown;
    const auto same = [&](int i, int j) { return a[i] == b[j]; };
    for (const Row_Pair& pair : Align_Rows(int(a.size()), int(b.size()), same)) {
        const QString left = pair.A ? QString::number(*pair.A) : QString();
        const QString right = pair.B ? QString::number(*pair.B) : QString();
        if (pair.A && pair.B)
            shown.append(left + (pair.Equal ? u'=' : u'~') + right);
        else
            shown.append(pair.A ? left + u'-' : u'-' + right);
    }
    QCOMPARE(shown.join(u' '), pairs);
}

void Tst_Configuration_Diff::documents_data() {
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("equal") << Edit([](Conf_Documents&) {}) << QStringList();
    QTest::newRow("a parameter") << Edit([](Conf_Documents& d) { d.Params.Ser_Baud = 4; })
                                 << QStringList{"ParGen - - - Ser_Baud 7 4"};
    QTest::newRow("a flag parameter") << Edit([](Conf_Documents& d) { d.Params.Ethernet_EN_GAT = true; })
                                      << QStringList{"ParGen - - - Ethernet_EN_GAT 0 1"};
    QTest::newRow("a rule field") << Edit([](Conf_Documents& d) { d.Rules.Read_Rules[1].Address_Mod = "12"; })
                                  << QStringList{"sdo read 2 2 Address_Mod 0 12"};
    QTest::newRow("two fields of one write rule") << Edit([](Conf_Documents& d) {
        d.Rules.Write_Rules[0].OnChange = "Y";
        d.Rules.Write_Rules[0].Mnemonic = "valve";
    }) << QStringList{"sdo write 1 1 OnChange N Y", "sdo write 1 1 Mnemonic rule 3 valve"};
    QTest::newRow("an inserted row") << Edit([](Conf_Documents& d) {
        d.Rules.Read_Rules.insert(1, Valid_Rule("9", "Coil Status", "8", "8"));
    }) << QStringList{"sdo read - 2 - - -"};
    QTest::newRow("a removed row") << Edit([](Conf_Documents& d) { d.Rules.Read_Rules.removeFirst(); })
                                   << QStringList{"sdo read 1 - - - -"};
    QTest::newRow("a moved row") << Edit([](Conf_Documents& d) { d.Rules.Read_Rules.move(0, 1); })
                                 << QStringList{"sdo read 1 - - - -", "sdo read - 2 - - -"};
    QTest::newRow("a diagnosis entry changed")
        << Edit([](Conf_Documents& d) { d.Diagnosis.IDs[1] = "7"; }) << QStringList{"diagnosis - 2 2 ID 2 7"};
    QTest::newRow("a diagnosis entry added") << Edit([](Conf_Documents& d) { d.Diagnosis.IDs.prepend("5"); })
                                             << QStringList{"diagnosis - - 1 - - -"};
}

void Tst_Configuration_Diff::documents() {
    QFETCH(Edit, edit);
    QFETCH(QStringList, lines);
    const Conf_Documents before = Clean_Documents();
    Conf_Documents after = before;
    edit(after);
    QCOMPARE(Lines(Compare_Documents(As_Diff(before), As_Diff(after))), lines);
}

void Tst_Configuration_Diff::text_names_parameters_by_caption() {
    Conf_Documents before = Clean_Documents();
    before.Params.Ser_Baud = 3; // 9600
    Conf_Documents after = before;
    after.Params.Ser_Baud = 4; // 19200
    after.Params.Hardware_Type = 1;
    after.Rules.Read_Rules[0].NPoint = "3";
    const Text_Table texts = English();
    const QString text = Differences_Text(Compare_Documents(As_Diff(before), As_Diff(after)), texts);
    const QString hardware = texts[407].trimmed() + QStringLiteral(" (Hardware_Type): ") +
                             texts[408].trimmed() + QStringLiteral(" -> ") + texts[409].trimmed();
    const QString baud = texts[414].trimmed() + QStringLiteral(" (Ser_Baud): 9600 -> 19200");
    QCOMPARE(text, QStringLiteral("ParGen: ") + hardware + QStringLiteral("\nParGen: ") + baud +
                       QStringLiteral("\nsdo read row 1: NPoint: 2 -> 3\n"));
}

void Tst_Configuration_Diff::images() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Conf_Documents documents = Clean_Documents();
    documents.Save(dir.filePath("a"));
    documents.Rules.Read_Rules.append(Valid_Rule("7", "Holding Register", "40", "2"));
    documents.Diagnosis.IDs.append("9");
    documents.Save(dir.filePath("b"));
    const Decoded_Bank a = Decode_Bank(Build_Bank(dir.filePath("a")).Bytes);
    const Decoded_Bank b = Decode_Bank(Build_Bank(dir.filePath("b")).Bytes);
    QCOMPARE(Compare_Images(a, a), QList<Conf_Difference>());
    const QStringList lines = Lines(Compare_Images(a, b));
    // The added rule and entry, and whatever header fields count them.
    QVERIFY2(lines.contains("image read - 3 - - -"), qPrintable(lines.join('\n')));
    QVERIFY2(lines.contains("image diagnosis - 3 - - -"), qPrintable(lines.join('\n')));
    for (const QString& line : lines)
        QVERIFY2(!line.startsWith("image read 1") && !line.startsWith("image read 2"), qPrintable(line));
}

void Tst_Configuration_Diff::cli_folders() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Conf_Documents documents = Clean_Documents();
    documents.Save(dir.filePath("a"));
    documents.Save(dir.filePath("same"));
    documents.Rules.Write_Rules[0].Address_Mod = "300";
    documents.Save(dir.filePath("b"));

    const Cli_Result equal = Run_Cli({"diff", dir.filePath("a"), dir.filePath("same")});
    QCOMPARE(equal.status, 0);
    QCOMPARE(equal.out, QStringLiteral("No differences\n"));

    const Cli_Result text = Run_Cli({"diff", dir.filePath("a"), dir.filePath("b")});
    QCOMPARE(text.status, 1);
    QCOMPARE(text.out, QStringLiteral("sdo write row 1: Address_Mod: 0 -> 300\n"));

    const Cli_Result json = Run_Cli({"diff", dir.filePath("a"), dir.filePath("b"), "--json"});
    QCOMPARE(json.status, 1);
    const QJsonObject root = Json_Object(json.out);
    QCOMPARE(root.value("equal").toBool(true), false);
    const QJsonArray differences = root.value("differences").toArray();
    QCOMPARE(differences.size(), 1);
    const QJsonObject difference = differences[0].toObject();
    QCOMPARE(difference.value("document").toString(), QStringLiteral("sdo"));
    QCOMPARE(difference.value("table").toString(), QStringLiteral("write"));
    QCOMPARE(difference.value("row_a").toInt(), 1);
    QCOMPARE(difference.value("row_b").toInt(), 1);
    QCOMPARE(difference.value("field").toString(), QStringLiteral("Address_Mod"));
    QCOMPARE(difference.value("a").toString(), QStringLiteral("0"));
    QCOMPARE(difference.value("b").toString(), QStringLiteral("300"));
    // Deterministic: the same inputs give the same bytes.
    QCOMPARE(Run_Cli({"diff", dir.filePath("a"), dir.filePath("b"), "--json"}).out, json.out);

    const Cli_Result equal_json = Run_Cli({"diff", dir.filePath("a"), dir.filePath("same"), "--json"});
    QCOMPARE(equal_json.status, 0);
    QCOMPARE(Json_Object(equal_json.out).value("equal").toBool(false), true);
}

void Tst_Configuration_Diff::cli_folder_against_its_image() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Conf_Documents documents = Clean_Documents();
    documents.Save(dir.path());
    Save_Bank(Build_Bank(dir.path()).Bytes, dir.path());
    const QString image = Bank_File_Path(dir.path());
    const Cli_Result own = Run_Cli({"diff", dir.path(), image});
    QCOMPARE(own.status, 0);

    // A document saved after the build: the folder no longer builds to its image.
    documents.Rules.Read_Rules[0].NPoint = "3";
    documents.Save(dir.path());
    const Cli_Result changed = Run_Cli({"diff", image, dir.path(), "--json"});
    QCOMPARE(changed.status, 1);
    const QJsonArray differences = Json_Object(changed.out).value("differences").toArray();
    QVERIFY(!differences.isEmpty());
    for (const QJsonValue& value : differences)
        QCOMPARE(value.toObject().value("document").toString(), QStringLiteral("image"));
}

void Tst_Configuration_Diff::cli_cannot_run_data() {
    QTest::addColumn<QString>("b");    // relative to the temporary folder
    QTest::addColumn<QString>("says"); // part of the message

    QTest::newRow("missing side") << "nothing-here"
                                  << "is neither a configuration folder nor an image file";
    QTest::newRow("no image") << "junk.bin"
                              << "junk.bin";
    QTest::newRow("malformed document") << "broken"
                                        << "sdo.xml";
}

void Tst_Configuration_Diff::cli_cannot_run() {
    QFETCH(QString, b);
    QFETCH(QString, says);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Clean_Documents().Save(dir.filePath("a"));
    QVERIFY(Write_All(dir.filePath("junk.bin"), QByteArray(100, '\x5A')));
    Clean_Documents().Save(dir.filePath("broken"));
    QVERIFY(Write_All(dir.filePath("broken/sdo.xml"), "<SDO><ProfiBUS_IN>"));

    const Cli_Result result = Run_Cli({"diff", dir.filePath("a"), dir.filePath(b)});
    QCOMPARE(result.status, 2);
    QVERIFY2(result.err.contains(says), qPrintable(result.err));
    QCOMPARE(result.out, QString());
}

QTEST_GUILESS_MAIN(Tst_Configuration_Diff)
#include "tst_configuration_diff.moc"
