#include "base/kc_error.h"
#include "cli_run.h"
#include "document/access_rules.h"
#include "document/diagnosis_list.h"
#include "document/general_params.h"
#include "output/bank_build.h"
#include "test_dirs.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// kc40927-cli report: both forms of the report from a configuration folder,
// without a display, and its refusals.
class Tst_Report_Cli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void writes_pdf_without_a_display();
    void writes_html();
    void says_whether_bank_bin_is_current_data();
    void says_whether_bank_bin_is_current();
    void refusals_data();
    void refusals();

private:
    // The folder built, stale, never built or broken; throws Kc_Error.
    void Prepare_Bank_State(const QString& state);
    std::unique_ptr<QTemporaryDir> dir;
    QString conf;
};

namespace {

// As a script would run the command on a machine without a display.
const Cli_Run server_run{.limit = std::chrono::milliseconds(60000), .without_display = true};

const QString mnemonic = QString::fromUtf8("Förderband Süd");

} // namespace

void Tst_Report_Cli::initTestCase() {
    QVERIFY2(QFileInfo(Cli_Path).isExecutable(),
             qPrintable(Cli_Path + " is not built (build target kc40927-cli)"));
}

void Tst_Report_Cli::init() {
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    conf = dir->filePath("Hall");
    QVERIFY(QDir().mkpath(conf));
    Access_Rule rule;
    rule.Enable = "Y";
    rule.Slave_ID = "4";
    rule.Type = "Input Register";
    rule.Mnemonic = mnemonic;
    Access_Rules rules;
    rules.Read_Rules = {rule};
    Save_Sdo(conf + "/sdo.xml", rules);
}

void Tst_Report_Cli::writes_pdf_without_a_display() {
    const QString out = dir->filePath("hall.pdf");
    const Cli_Result result = Run_Cli({"report", conf, out}, server_run);
    QCOMPARE(result.status, 0);
    QVERIFY2(result.err.isEmpty(), qPrintable(result.err));
    const auto pages = QRegularExpression(": (\\d+) pages?\\n").match(result.out);
    QVERIFY2(pages.hasMatch(), qPrintable(result.out));
    QVERIFY(Read_All(out).startsWith("%PDF-"));

    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed; scripts/deps installs it");
    QProcess text;
    text.start(pdftotext, {out, "-"});
    QVERIFY(text.waitForFinished(30000));
    const QString content = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY2(content.contains(mnemonic), qPrintable(content));
    QVERIFY(content.contains(QStringLiteral("Page %1 / %1").arg(pages.captured(1))));
}

void Tst_Report_Cli::writes_html() {
    const QString out = dir->filePath("hall.html");
    const Cli_Result result = Run_Cli({"report", conf, out}, server_run);
    QCOMPARE(result.status, 0);
    QVERIFY2(result.err.isEmpty(), qPrintable(result.err));
    const QByteArray html = Read_All(out);
    QVERIFY(html.startsWith("<!DOCTYPE html>"));
    QVERIFY(html.contains(mnemonic.toUtf8()));
    QVERIFY(html.contains("<h2>Hall</h2>"));
}

void Tst_Report_Cli::says_whether_bank_bin_is_current_data() {
    QTest::addColumn<QString>("state"); // what is done to the folder
    QTest::addColumn<QString>("line");
    QTest::newRow("built") << "built"
                           << "bank.bin is up to date";
    QTest::newRow("diagnosis saved after the build")
        << "stale"
        << "bank.bin is older than the documents: build the image again";
    QTest::newRow("never built") << "missing"
                                 << "bank.bin has not been built yet: build the image";
    QTest::newRow("documents do not build") << "broken"
                                            << "bank.bin cannot be checked against the documents: ";
}

void Tst_Report_Cli::Prepare_Bank_State(const QString& state) {
    Save_ParGen(conf + "/ParGen.xml", General_Params());
    QVERIFY(QDir().mkpath(conf + "/bin"));
    Access_Rules rules = Load_Sdo(conf + "/sdo.xml");
    Access_Rule& rule = rules.Read_Rules[0];
    rule.Address_Mod = "10";
    rule.NPoint = "2";
    rule.Address_Profi = "0";
    Save_Sdo(conf + "/sdo.xml", rules);
    if (state == "built" || state == "stale")
        Save_Bank(Build_Bank(conf).Bytes, conf);
    if (state == "stale")
        Save_Diagnosis(conf + "/diagnosis.xml", Diagnosis_List{{"1", "2", "3", "4", "5", "6", "7", "8"}});
    if (state == "broken") {
        rule.NPoint = "many";
        Save_Sdo(conf + "/sdo.xml", rules);
    }
}

void Tst_Report_Cli::says_whether_bank_bin_is_current() {
    QFETCH(QString, state);
    QFETCH(QString, line);
    try {
        Prepare_Bank_State(state);
    } catch (const Kc_Error& error) {
        QFAIL(qPrintable(error.Message()));
    }
    const QByteArray bank = Read_All(conf + "/bin/bank.bin");
    const QString out = dir->filePath("hall.html");
    const Cli_Result result = Run_Cli({"report", conf, out}, server_run);
    QCOMPARE(result.status, 0);
    QVERIFY2(result.err.isEmpty(), qPrintable(result.err));
    const QStringList lines = result.out.split('\n');
    QCOMPARE(lines.size(), 3); // "Wrote ...", the state, and the end of the last line
    QVERIFY2(lines[1].startsWith(line), qPrintable(result.out));
    if (state == "broken")
        QVERIFY2(lines[1].contains("sdo.xml") && lines[1].contains("many"), qPrintable(lines[1]));
    else
        QCOMPARE(lines[1], line);
    const QString html = QString::fromUtf8(Read_All(out));
    QVERIFY(
        html.contains("<h2>Hall</h2>\n<p class=\"bank-state\"><b>" + lines[1].toHtmlEscaped() + "</b></p>"));
    // The check builds in memory only.
    QCOMPARE(Read_All(conf + "/bin/bank.bin"), bank);
}

void Tst_Report_Cli::refusals_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("no suffix") << QStringList{"report", "CONF", "OUT/report.txt"} << 2
                               << "must end in .pdf or .html";
    QTest::newRow("no folder") << QStringList{"report", "CONF/none", "OUT/report.pdf"} << 2
                               << "is not a folder";
    QTest::newRow("one argument") << QStringList{"report", "CONF"} << 2 << "usage";
    QTest::newRow("broken document") << QStringList{"report", "BROKEN", "OUT/report.pdf"} << 1
                                     << "ParGen.xml";
    QTest::newRow("folder in the way")
        << QStringList{"report", "CONF", "OUT/taken.pdf"} << 1 << "is a folder";
}

void Tst_Report_Cli::refusals() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, message);
    const QString broken = dir->filePath("Broken");
    QVERIFY(QDir().mkpath(broken));
    QVERIFY(Write_All(broken + "/ParGen.xml", "<Par_Gen><Profi_ID>"));
    QVERIFY(QDir().mkpath(dir->filePath("taken.pdf")));
    for (QString& arg : args)
        arg.replace("CONF", conf).replace("BROKEN", broken).replace("OUT", dir->path());
    const Cli_Result result = Run_Cli(args, server_run);
    QCOMPARE(result.status, status);
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
    QVERIFY(!QFileInfo::exists(dir->filePath("report.pdf")));
    QVERIFY(!QFileInfo::exists(dir->filePath("report.txt")));
}

QTEST_GUILESS_MAIN(Tst_Report_Cli)
#include "tst_report_cli.moc"
