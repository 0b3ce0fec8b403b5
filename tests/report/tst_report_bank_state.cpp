// Whether the commissioning report finds bank.bin to be the image of the
// stored documents: the image is built again in memory and compared byte for
// byte, so a document saved after the build shows, a document saved again
// unchanged does not, and nothing is written. The line heads the report.
#include "base/text_table.h"
#include "conf_check_fixture.h"
#include "output/bank_build.h"
#include "report/report_data.h"
#include "report/report_html.h"
#include "test_dirs.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class Tst_Report_Bank_State : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void state_of_bank_bin_data();
    void state_of_bank_bin();
    void names_from_the_folder_are_escaped();
};

namespace {

// What happens to the configuration after its documents are saved.
enum class Step {
    Build,                // Update Device's build and save
    Save_Diagnosis,       // diagnosis.xml with eight IDs
    Change_Write_Rule,    // the write rule's Modbus address
    Save_Again_Unchanged, // every document saved again as it was
    Break_A_Rule,         // an enabled read rule whose NPoint is no number
    Foreign_Bank,         // bank.bin replaced by other bytes
};

void Apply(Step step, const QString& conf, Conf_Documents& documents) {
    switch (step) {
    case Step::Build:
        Save_Bank(Build_Bank(conf).Bytes, conf);
        return;
    case Step::Save_Diagnosis:
        documents.Diagnosis.IDs = {"1", "2", "3", "4", "5", "6", "7", "8"};
        break;
    case Step::Change_Write_Rule:
        documents.Rules.Write_Rules[0].Address_Mod = "77";
        break;
    case Step::Save_Again_Unchanged:
        break;
    case Step::Break_A_Rule:
        documents.Rules.Read_Rules[0].NPoint = "many";
        break;
    case Step::Foreign_Bank:
        QVERIFY(Write_All(conf + "/bin/bank.bin", QByteArray(48, '\x01')));
        return;
    }
    documents.Save(conf);
}

} // namespace

Q_DECLARE_METATYPE(Step)
Q_DECLARE_METATYPE(Bank_State)

void Tst_Report_Bank_State::state_of_bank_bin_data() {
    QTest::addColumn<int>("hardware_type");
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<Bank_State>("state");
    QTest::addColumn<QString>("line");

    const QString fresh = "bank.bin is up to date";
    const QString stale = "bank.bin is older than the documents: build the image again";
    QTest::newRow("built from the documents")
        << 0 << QList<Step>{Step::Build} << Bank_State::Up_To_Date << fresh;
    QTest::newRow("built, with Ethernet") << 1 << QList<Step>{Step::Build} << Bank_State::Up_To_Date << fresh;
    QTest::newRow("diagnosis saved after the build")
        << 0 << QList<Step>{Step::Build, Step::Save_Diagnosis} << Bank_State::Stale << stale;
    QTest::newRow("write rule changed after the build, with Ethernet")
        << 1 << QList<Step>{Step::Build, Step::Change_Write_Rule} << Bank_State::Stale << stale;
    // The image with Ethernet carries no diagnosis list: the same bytes.
    QTest::newRow("diagnosis saved after the build, with Ethernet")
        << 1 << QList<Step>{Step::Build, Step::Save_Diagnosis} << Bank_State::Up_To_Date << fresh;
    // Bytes count, not file dates.
    QTest::newRow("documents saved again unchanged")
        << 0 << QList<Step>{Step::Build, Step::Save_Again_Unchanged} << Bank_State::Up_To_Date << fresh;
    QTest::newRow("documents changed and built again")
        << 0 << QList<Step>{Step::Build, Step::Save_Diagnosis, Step::Build} << Bank_State::Up_To_Date
        << fresh;
    QTest::newRow("another image") << 0 << QList<Step>{Step::Foreign_Bank} << Bank_State::Stale << stale;
    QTest::newRow("never built") << 0 << QList<Step>{} << Bank_State::Missing
                                 << "bank.bin has not been built yet: build the image";
    QTest::newRow("documents do not build")
        << 0 << QList<Step>{Step::Build, Step::Break_A_Rule} << Bank_State::Not_Buildable
        << "bank.bin cannot be checked against the documents: ";
    QTest::newRow("never built, documents do not build")
        << 1 << QList<Step>{Step::Break_A_Rule} << Bank_State::Not_Buildable
        << "bank.bin cannot be checked against the documents: ";
}

void Tst_Report_Bank_State::state_of_bank_bin() {
    QFETCH(int, hardware_type);
    QFETCH(QList<Step>, steps);
    QFETCH(Bank_State, state);
    QFETCH(QString, line);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString conf = dir.filePath("Pumps");
    Conf_Documents documents = Clean_Documents();
    documents.Params.Hardware_Type = hardware_type;
    documents.Save(conf);
    for (Step step : steps)
        Apply(step, conf, documents);
    const QString bank_path = conf + "/bin/bank.bin";
    const QByteArray bank_before = Read_All(bank_path);

    const Report_Data data = Read_Report_Data(conf, QDateTime(QDate(2024, 5, 17), QTime(9, 30)));
    QCOMPARE(data.Bank.State, state);
    Text_Table texts;
    const QString shown = Report_Bank_State_Line(data.Bank, texts);
    QVERIFY2(shown.startsWith(line), qPrintable(shown));
    if (state == Bank_State::Not_Buildable) {
        // The build's own message, naming the document and the value.
        QVERIFY2(shown.contains("sdo.xml") && shown.contains("many"), qPrintable(shown));
        QVERIFY(data.Bank.Build_Error.size() > 0);
    } else {
        QCOMPARE(shown, line);
    }
    // In the report's first lines: under the configuration's name.
    const QString html = Report_Html(data, texts);
    const QString head = "<h2>Pumps</h2>\n<p class=\"bank-state\"><b>" + shown.toHtmlEscaped() + "</b></p>";
    QVERIFY2(html.contains(head), qPrintable(html.left(1500)));
    QVERIFY(html.indexOf(head) < html.indexOf("<h2>Set Communication</h2>"));

    // Nothing written: bank.bin as it was, none made.
    QCOMPARE(Read_All(bank_path), bank_before);
    QCOMPARE(QFileInfo::exists(bank_path), !bank_before.isEmpty());
}

void Tst_Report_Bank_State::names_from_the_folder_are_escaped() {
#ifdef Q_OS_WIN
    QSKIP("Windows file names cannot hold control characters");
#endif
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString conf = dir.filePath(QString::fromUtf8("Plant\x1B[31m"));
    Conf_Documents documents = Clean_Documents();
    documents.Rules.Read_Rules[0].NPoint = "many";
    documents.Save(conf);
    QVERIFY(Write_All(conf + QString::fromUtf8("/Line\x07.gsd"), "x"));
    Text_Table texts;
    const Report_Data data = Read_Report_Data(conf, QDateTime(QDate(2024, 5, 17), QTime(9, 30)));
    const QString html = Report_Html(data, texts);
    QVERIFY(!html.contains(QChar(0x1B)));
    QVERIFY(!html.contains(QChar(0x07)));
    QVERIFY(html.contains("<h2>Plant\\x1B[31m</h2>"));
    QVERIFY(html.contains("Line\\x07.gsd"));
    // The build's message names the folder too.
    QCOMPARE(data.Bank.State, Bank_State::Not_Buildable);
    QVERIFY2(data.Bank.Build_Error.contains("Plant\\x1B[31m"), qPrintable(data.Bank.Build_Error));
}

QTEST_GUILESS_MAIN(Tst_Report_Bank_State)
#include "tst_report_bank_state.moc"
