#include "app/main_window.h"
#include "base/app_state.h"
#include "base/kc_error.h"
#include "base/text_table.h"
#include "config/general_params_dialog.h"
#include "dialog_recorder.h"
#include "document/access_rules.h"
#include "document/diagnosis_list.h"
#include "document/general_params.h"
#include "output/bank_build.h"
#include "report/report_data.h"
#include "report/report_html.h"
#include "report/report_step_pdf.h"
#include "test_dirs.h"
#include "text/no_version_source.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The commissioning report: what it shows of each document for both
// hardware variants and for a configuration without documents, values as
// the editors show them, the PDF (pages, header line on every page, table
// headers repeated, texts found by a PDF-to-text tool), the HTML form, and
// the Report action of the main window.
class Tst_Report : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void configuration_without_documents();
    void sections_follow_the_hardware_variant_data();
    void sections_follow_the_hardware_variant();
    void values_as_the_editor_shows_them();
    void captions_in_the_current_language();
    void gsd_summary_and_image();
    void broken_image_is_reported_not_fatal();
    void broken_document_stops_the_report();
    void pdf_opens_data();
    void pdf_opens();
    void long_tables_repeat_their_header();
    void html_form();
    void report_action_of_the_main_window();
    void report_step_proposes_a_name_and_confirms_data();
    void report_step_proposes_a_name_and_confirms();
    void pdf_says_whether_bank_bin_is_current();
    void no_page_ends_in_a_heading();

private:
    QString Conf() const { return conf; }
    void Write_Documents(int hardware_type, int read_rules = 2);
    QString Html() const { return Report_Html(Read_Report_Data(conf, date), texts); }

    std::unique_ptr<QTemporaryDir> dir;
    QString conf;
    Text_Table texts;
    QDateTime date{QDate(2024, 5, 17), QTime(9, 30)};
};

namespace {

const QString mnemonic = QString::fromUtf8("Kessel Vorlauf äöü");

// The texts of a table's header cells, table by table, in document order.
QList<QStringList> Table_Headers(const QString& html) {
    QList<QStringList> tables;
    static const QRegularExpression thead(QStringLiteral("<thead>(.*?)</thead>"),
                                          QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression th(QStringLiteral("<th>(.*?)</th>"));
    for (const auto& match : thead.globalMatch(html)) {
        QStringList headers;
        for (const auto& cell : th.globalMatch(match.captured(1)))
            headers.append(cell.captured(1));
        tables.append(headers);
    }
    return tables;
}

// The value cells of the parameter rows with this caption, in order.
QStringList Values_Of(const QString& html, const QString& caption) {
    const QRegularExpression row(QStringLiteral("<tr><td width=\"55%\">%1</td><td>(.*?)</td></tr>")
                                     .arg(QRegularExpression::escape(caption.toHtmlEscaped())),
                                 QRegularExpression::DotMatchesEverythingOption);
    QStringList values;
    for (const auto& match : row.globalMatch(html))
        values.append(match.captured(1));
    return values;
}

// The value of the first such row; a null text when there is none.
QString Value_Of(const QString& html, const QString& caption) {
    const QStringList values = Values_Of(html, caption);
    return values.isEmpty() ? QString() : values.first();
}

bool Has_Heading(const QString& html, const QString& text) {
    return html.contains(QRegularExpression(
        QStringLiteral("<h[1-3]>%1</h[1-3]>").arg(QRegularExpression::escape(text.toHtmlEscaped()))));
}

QString Tool(const char* name) {
    return QStandardPaths::findExecutable(QLatin1String(name));
}

QString Run(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(30000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

int Pdf_Pages(const QString& path) {
    const QString info = Run(Tool("pdfinfo"), {path});
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString Pdf_Text(const QString& path, int page = 0) {
    QStringList args{"-layout"};
    if (page > 0)
        args += {"-f", QString::number(page), "-l", QString::number(page)};
    return Run(Tool("pdftotext"), args + QStringList{path, "-"});
}

} // namespace

void Tst_Report::init() {
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    conf = dir->filePath("Plant_7");
    QVERIFY(QDir().mkpath(conf + "/bin"));
    texts.Set_Default_Texts();
}

void Tst_Report::Write_Documents(int hardware_type, int read_rules) {
    General_Params params;
    params.Hardware_Type = hardware_type;
    params.Ser_Baud = 4;
    params.Profi_NB_IN = "100";
    params.Profi_NB_OUT = "20";
    params.Ethernet_IP4 = "77";
    Save_ParGen(conf + "/ParGen.xml", params);

    Access_Rules rules;
    for (int i = 0; i < read_rules; ++i) {
        Access_Rule rule;
        rule.Enable = i % 2 ? "N" : "Y";
        rule.Slave_ID = QString::number(i % 247 + 1);
        rule.Type = "Holding Register";
        rule.Address_Mod = QString::number(40001 + i);
        rule.NPoint = "1";
        rule.PollTime = "1000";
        rule.MaxError = "3";
        rule.Address_Profi = QString::number(i % 100);
        rule.Swap = "Y";
        rule.Mnemonic = i == 0 ? mnemonic : QStringLiteral("Rule %1").arg(i + 1);
        rules.Read_Rules.append(rule);
    }
    Access_Rule write;
    write.Enable = "Y";
    write.Slave_ID = "9";
    write.Type = "Coil Status";
    write.Address_Mod = "5";
    write.NPoint = "1";
    write.PollTime = "0";
    write.MaxError = "0";
    write.Bit = "0";
    write.OnChange = "Y";
    write.OnCMD = "N";
    write.Address_Profi = "2";
    write.Swap = "N";
    write.ForceF15F16 = "Y";
    write.Mnemonic = "Ventil <3> & \"Klappe\"";
    rules.Write_Rules.append(write);
    Save_Sdo(conf + "/sdo.xml", rules);
    Save_Diagnosis(conf + "/diagnosis.xml", Diagnosis_List{{"12", "34"}});
}

void Tst_Report::configuration_without_documents() {
    const QString html = Html();
    QVERIFY(Has_Heading(html, "Commissioning Report"));
    QVERIFY(Has_Heading(html, "Plant_7"));
    QCOMPARE(Value_Of(html, "Date"), QString("2024-05-17 09:30"));
    QCOMPARE(Value_Of(html, "Program Version"), QString("2.110"));
    // The editor's defaults.
    QCOMPARE(Value_Of(html, "Hardware Type"), QString("Hardware Without Ethernet"));
    QCOMPARE(Value_Of(html, "Baudrate"), QString("115200"));
    QCOMPARE(Value_Of(html, "ID Device"), QString("1"));
    // Empty tables, with their headers: the two rule tables, the two byte
    // maps (their lines start with the first byte) and the diagnosis list.
    const QList<QStringList> tables = Table_Headers(html);
    QCOMPARE(tables.size(), 5);
    QVERIFY(!html.contains("<tbody>\n<tr><td>"));
    QVERIFY(html.contains("Error! Please set the Set Communication Parameter before to create the GSD file"));
    QVERIFY(html.contains("<p>Not built yet</p>"));
}

void Tst_Report::sections_follow_the_hardware_variant_data() {
    QTest::addColumn<int>("hardware_type");
    QTest::addColumn<QStringList>("read_headers");
    QTest::addColumn<QStringList>("write_headers");
    QTest::addColumn<bool>("diagnosis");
    QTest::newRow("without Ethernet")
        << 0
        << QStringList{"N", "Enable", "Slave ID", "Type", "Address", "NPoint", "Position", "Swap", "Mnemonic"}
        << QStringList{"N",      "Enable",   "Slave ID", "Type",          "Address",
                       "NPoint", "Position", "Swap",     "Force F15/F16", "Mnemonic"}
        << true;
    QTest::newRow("with Ethernet")
        << 1 << QStringList{"N",         "Enable",    "Slave ID", "Type",      "Address", "NPoint",
                            "Poll Time", "Max Error", "Position", "Start Bit", "Swap",    "Mnemonic"}
        << QStringList{"N",         "Enable",    "Slave ID",      "Type",      "Address",
                       "NPoint",    "Poll Time", "On Change",     "Max Error", "Position",
                       "Start Bit", "Swap",      "Force F15/F16", "Mnemonic"}
        << false;
}

void Tst_Report::sections_follow_the_hardware_variant() {
    QFETCH(int, hardware_type);
    QFETCH(QStringList, read_headers);
    QFETCH(QStringList, write_headers);
    QFETCH(bool, diagnosis);
    Write_Documents(hardware_type);
    const QString html = Html();
    const QList<QStringList> tables = Table_Headers(html);
    QCOMPARE(tables.value(0), read_headers);
    QCOMPARE(tables.value(1), write_headers);
    QCOMPARE(Has_Heading(html, "Error / Diagnosis"), diagnosis);
    QCOMPARE(html.contains("<td>1/Byte:0, Bit:0</td><td>12</td>"), diagnosis);
    QCOMPARE(html.contains("<td>2/Byte:0, Bit:1</td><td>34</td>"), diagnosis);
    QCOMPARE(Has_Heading(html, "4. Ethernet"), hardware_type == 1);
    QCOMPARE(Value_Of(html, "IP Address"), hardware_type == 1 ? QString("192.168.0.77") : QString());
    QCOMPARE(Value_Of(html, "Protocol"), hardware_type == 1 ? QString() : QString("Modbus RTU"));
    // Check boxes read as the grids show them; texts escaped.
    QVERIFY(html.contains("<td>1</td><td>Yes</td><td>1</td><td>Holding Register</td><td>40001</td>"));
    QVERIFY(html.contains("<td>2</td><td>No</td><td>2</td>"));
    QVERIFY(html.contains("Ventil &lt;3&gt; &amp; &quot;Klappe&quot;"));
    QVERIFY(html.contains(mnemonic));
}

void Tst_Report::values_as_the_editor_shows_them() {
    // Every list of the general parameters editor with an item other than
    // the default, read back through the editor itself.
    General_Params params;
    params.Ser_Type = 1;
    params.Ser_Baud = 2;
    params.Ser_Par = 2;
    params.Ser_StopBits = 1;
    params.Ser_DataBits = 0;
    params.Ser_Prot = 3;
    params.Ser_Write_Mode = 1;
    params.Profi_Enable_Diagnosis = true;
    params.Profi_Diagnosis_Copy_Array = true;
    params.Profi_Diagnosis_Copy_Array_Position = " 20";
    Save_ParGen(conf + "/ParGen.xml", params);
    const QString html = Html();

    App_State state;
    state.Conf_Dir = conf;
    state.Set_Files();
    Dialog_Recorder ui;
    TFParGen editor(state, texts, ui);
    editor.FormShow();
    const struct {
        const char* list;
        int caption;
    } lists[] = {
        {"CB_HardwareType_HardwareType", 407},
        {"CB_ModbusMaster_Serial", 412},
        {"CB_ModbusMaster_Baudrate", 414},
        {"CB_ModbusMaster_Parity", 416},
        {"CB_ModbusMaster_StopBits", 418},
        {"CB_ModbusMaster_DataBits", 498},
        {"CB_ModbusMaster_Protocol", 424},
        {"CB_ModbusMaster_WriteType", 426},
        {"CB_PROFIBUS_Baud", 433},
    };
    for (const auto& list : lists) {
        const auto* combo = editor.findChild<QComboBox*>(list.list);
        QVERIFY2(combo, list.list);
        // Two lists share the caption "Baudrate".
        QVERIFY2(Values_Of(html, texts[list.caption]).contains(combo->currentText().toHtmlEscaped()),
                 list.list);
    }
    // The data bits list names data bits.
    QCOMPARE(Value_Of(html, "Data Bits"), QString("7 Data Bits"));
    QCOMPARE(Value_Of(html, texts[443]), QString("Yes"));
    QCOMPARE(Value_Of(html, texts[500]), QString("Yes,  20"));
    QCOMPARE(Value_Of(html, texts[496]), QString("No"));
}

void Tst_Report::captions_in_the_current_language() {
    texts.Set_Text(414, "Baudrate seriell");
    texts.Set_Text(614, "Lesen <Modbus>");
    texts.Set_Text(58, "Ja");
    Write_Documents(0);
    const QString html = Html();
    QCOMPARE(Value_Of(html, "Baudrate seriell"), QString("19200"));
    QVERIFY(Has_Heading(html, "Lesen <Modbus>"));
    QVERIFY(html.contains("<td>1</td><td>Ja</td>"));
}

void Tst_Report::gsd_summary_and_image() {
    Write_Documents(0);
    QVERIFY(Write_All(conf + "/Plant.GSD", "x"));
    Save_Bank(Build_Bank(conf).Bytes, conf);
    QString html = Html();
    QCOMPARE(Value_Of(html, "File Name"), QString("Plant.GSD"));
    QCOMPARE(Value_Of(html, "Ident Number"), QString("0xAFFD"));
    QCOMPARE(Value_Of(html, "Input Modules"),
             QString("2\nDI (PORT1): 64 (0x42,0x3F,0x00,0x01)\nDI (PORT2): 36 (0x42,0x23,0x00,0x02)"));
    QCOMPARE(Value_Of(html, "Output Modules"), QString("1\nDO (PORT3): 20 (0x82,0x13,0x00,0x03)"));
    const qint64 size = QFileInfo(conf + "/bin/bank.bin").size();
    QCOMPARE(Value_Of(html, "Size"), QString::number(size));
    QCOMPARE(Value_Of(html, "Layout"), QString("Hardware Without Ethernet (packed)"));
    QCOMPARE(Value_Of(html, "Checksum"), QString("-"));

    Write_Documents(1);
    Save_Bank(Build_Bank(conf).Bytes, conf);
    html = Html();
    QCOMPARE(Value_Of(html, "Size"), QString("18432"));
    QCOMPARE(Value_Of(html, "Layout"), QString("Hardware With Ethernet (fixed)"));
    const QByteArray image = Read_All(conf + "/bin/bank.bin");
    quint32 sum = 0;
    for (int i = 16384; i < 16384 + 0x7FC; ++i)
        sum += static_cast<quint8>(image[i]);
    QCOMPARE(Value_Of(html, "Checksum"),
             QString("0x%1").arg(sum, 8, 16, QChar('0')).toUpper().replace("0X", "0x"));
}

void Tst_Report::broken_image_is_reported_not_fatal() {
    QVERIFY(Write_All(conf + "/bin/bank.bin", QByteArray(40, '\x7F')));
    const QString html = Html();
    QCOMPARE(Value_Of(html, "Size"), QString("40"));
    QCOMPARE(Value_Of(html, "Layout"), QString());
    QVERIFY(html.contains(QRegularExpression("<p>.*bank\\.bin.*</p>")));
}

void Tst_Report::broken_document_stops_the_report() {
    QVERIFY(Write_All(conf + "/sdo.xml", "<Serial_to_ProfiBus><ProfiBUS_IN>"));
    const QString out = dir->filePath("report.html");
    try {
        Save_Report_File(out, conf, texts, date);
        QFAIL("a broken document must stop the report");
    } catch (const Kc_Error& error) {
        QVERIFY2(error.Message().contains("sdo.xml"), qPrintable(error.Message()));
    }
    QVERIFY(!QFileInfo::exists(out));
}

void Tst_Report::pdf_opens_data() {
    QTest::addColumn<int>("hardware_type"); // -1: no documents
    QTest::newRow("without Ethernet") << 0;
    QTest::newRow("with Ethernet") << 1;
    QTest::newRow("no documents") << -1;
}

void Tst_Report::pdf_opens() {
    QFETCH(int, hardware_type);
    if (Tool("pdftotext").isEmpty() || Tool("pdfinfo").isEmpty())
        QSKIP("pdftotext and pdfinfo (poppler-utils) are not installed; scripts/deps installs them");
    if (hardware_type >= 0)
        Write_Documents(hardware_type);
    const QString out = dir->filePath("report.pdf");
    const int pages = Save_Report_File(out, conf, texts, date).Pages;
    QVERIFY(Read_All(out).startsWith("%PDF-"));
    QVERIFY(pages >= 1);
    QCOMPARE(Pdf_Pages(out), pages);
    const QString text = Pdf_Text(out);
    QVERIFY2(text.contains("Plant_7 - Commissioning Report"), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Page 1 / %1").arg(pages)));
    QVERIFY(text.contains(QStringLiteral("Page %1 / %1").arg(pages)));
    QVERIFY(text.contains("Program Version"));
    if (hardware_type >= 0) {
        QVERIFY2(text.contains(mnemonic), qPrintable(text));
        QVERIFY2(text.contains("Ventil <3> & \"Klappe\""), qPrintable(text));
    } else {
        QVERIFY(text.contains("Not built yet"));
    }
}

void Tst_Report::long_tables_repeat_their_header() {
    if (Tool("pdftotext").isEmpty() || Tool("pdfinfo").isEmpty())
        QSKIP("pdftotext and pdfinfo (poppler-utils) are not installed; scripts/deps installs them");
    Write_Documents(1, 244);
    const QString out = dir->filePath("long.pdf");
    const int pages = Save_Report_File(out, conf, texts, date).Pages;
    QVERIFY2(pages >= 5, qPrintable(QString::number(pages)));
    // A page in the middle of the read table: its header line, then the
    // column headers again, then rules.
    const QString page = Pdf_Text(out, 3);
    QVERIFY(page.contains(QStringLiteral("Plant_7 - Commissioning Report")));
    QVERIFY(page.contains(QStringLiteral("Page 3 / %1").arg(pages)));
    const qsizetype header = page.indexOf(QRegularExpression("N\\s+Enable\\s+Slave ID\\s+Type\\s+Address"));
    QVERIFY2(header >= 0, qPrintable(page));
    QVERIFY(page.indexOf(QRegularExpression("Rule \\d+")) > header);
    // Every rule is somewhere, once.
    const QString all = Pdf_Text(out);
    for (int rule : {2, 100, 244})
        QCOMPARE(all.count(QRegularExpression(QStringLiteral("Rule %1\\b").arg(rule))), 1);
}

void Tst_Report::html_form() {
    Write_Documents(0);
    const QString out = dir->filePath("Report.HTML");
    QCOMPARE(Save_Report_File(out, conf, texts, date).Pages, 0);
    const QByteArray bytes = Read_All(out);
    QCOMPARE(bytes, Html().toUtf8());
    QVERIFY(bytes.contains(mnemonic.toUtf8()));
    QVERIFY(bytes.startsWith("<!DOCTYPE html>"));
}

void Tst_Report::report_action_of_the_main_window() {
    QTemporaryDir program_dir;
    QVERIFY(QDir().mkpath(program_dir.filePath("PROJECTS/Line_1/bin")));
    QVERIFY(
        Write_All(program_dir.filePath("Struttor.xml"),
                  "<Conf_Settings><lastproj><projectname>Line_1</projectname></lastproj></Conf_Settings>"));
    App_State state;
    Text_Table window_texts;
    Dialog_Recorder ui;
    No_Newer_Version versions;
    TFStruttoreFirmWare window(state, window_texts, ui, versions, program_dir.path());
    auto* button = window.findChild<QPushButton*>("Btn_Report");
    QVERIFY(button);
    QCOMPARE(button->text(), QString("Report"));
    QCOMPARE(state.Conf_Name, QString("Line_1"));

    // ".pdf" is added; the chooser opens in the configuration folder and
    // proposes a name; a box names the file written.
    const QString target = program_dir.filePath("PROJECTS/Line_1/commissioning");
    ui.Expect_Save_File(target);
    ui.Expect_Information();
    button->click();
    const QList<Ui_Recorder::Call> shown = ui.Shown();
    QCOMPARE(shown.size(), 2);
    QVERIFY2(shown[0].text.startsWith(state.Conf_Dir + "/Line_1_report_20"), qPrintable(shown[0].text));
    QVERIFY(shown[0].text.endsWith(".pdf | PDF document (*.pdf);;Web page (*.html *.htm)"));
    QCOMPARE(shown[1].text, "The commissioning report has been written to " +
                                QDir::toNativeSeparators(target) +
                                ".pdf\nbank.bin has not been built yet: build the image");
    QVERIFY(Read_All(target + ".pdf").startsWith("%PDF-"));

    // An existing file is replaced only after the question.
    ui.Expect_Save_File(target + ".pdf");
    ui.Expect_Question(false, QString("File already exists! Do you want to overwrite the file?"));
    QVERIFY(Write_All(target + ".pdf", "keep"));
    button->click();
    QCOMPARE(Read_All(target + ".pdf"), QByteArray("keep"));

    // A broken document: its error names the file, nothing is written.
    QVERIFY(Write_All(state.Conf_Dir + "/diagnosis.xml", "<Modbus_IDs>"));
    ui.Expect_Save_File(target + ".html");
    ui.Expect_Error();
    button->click();
    QVERIFY(ui.Shown().last().text.contains("diagnosis.xml"));
    QVERIFY(!QFileInfo::exists(target + ".html"));

    // Without an open configuration the step says so.
    state.Conf_Dir.clear();
    ui.Expect_Error(window_texts[18]);
    button->click();
    QVERIFY(ui.All_Answered());
}

void Tst_Report::report_step_proposes_a_name_and_confirms_data() {
    QTest::addColumn<QString>("answer"); // the name chosen, in the configuration folder
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("stale");
    QTest::newRow("the proposed name") << "Plant_7_report_2024-05-17.pdf"
                                       << "Plant_7_report_2024-05-17.pdf" << false;
    QTest::newRow("a web page, diagnosis saved after the build") << "handover.HTML"
                                                                 << "handover.HTML" << true;
    QTest::newRow("a name without suffix") << "handover"
                                           << "handover.pdf" << false;
}

void Tst_Report::report_step_proposes_a_name_and_confirms() {
    QFETCH(QString, answer);
    QFETCH(QString, written);
    QFETCH(bool, stale);
    Write_Documents(0);
    Save_Bank(Build_Bank(conf).Bytes, conf);
    if (stale)
        Save_Diagnosis(conf + "/diagnosis.xml", Diagnosis_List{{"1", "2", "3", "4", "5", "6", "7", "8"}});
    App_State state;
    state.Conf_Name = "Plant_7";
    state.Conf_Dir = conf;
    state.Set_Files();
    Ui_Recorder ui;
    ui.Expect_Save_File(conf + "/" + answer);
    const QString line =
        stale ? "bank.bin is older than the documents: build the image again" : "bank.bin is up to date";
    ui.Expect_Information("The commissioning report has been written to " +
                          QDir::toNativeSeparators(conf + "/" + written) + "\n" + line);
    Create_Report_File(state, texts, ui, date);
    QVERIFY(ui.All_Answered());
    QCOMPARE(ui.Shown().first().text,
             conf + "/Plant_7_report_2024-05-17.pdf | PDF document (*.pdf);;Web page (*.html *.htm)");
    const QByteArray bytes = Read_All(conf + "/" + written);
    QVERIFY(bytes.startsWith(written.endsWith(".HTML") ? "<!DOCTYPE html>" : "%PDF-"));
    QCOMPARE(Proposed_Report_Name("Plant_7", QDate(2024, 12, 3)), QString("Plant_7_report_2024-12-03.pdf"));
}

void Tst_Report::pdf_says_whether_bank_bin_is_current() {
    if (Tool("pdftotext").isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed; scripts/deps installs it");
    Write_Documents(0);
    Save_Bank(Build_Bank(conf).Bytes, conf);
    const QString out = dir->filePath("report.pdf");
    QCOMPARE(Save_Report_File(out, conf, texts, date).Bank_State, QString("bank.bin is up to date"));
    QVERIFY(Pdf_Text(out, 1).contains("bank.bin is up to date"));

    // The diagnosis list saved after the build: eight IDs in the report,
    // none in bank.bin.
    Save_Diagnosis(conf + "/diagnosis.xml", Diagnosis_List{{"1", "2", "3", "4", "5", "6", "7", "8"}});
    const Saved_Report saved = Save_Report_File(out, conf, texts, date);
    QCOMPARE(saved.Bank_State, QString("bank.bin is older than the documents: build the image again"));
    const QString first_page = Pdf_Text(out, 1);
    const qsizetype line = first_page.indexOf(saved.Bank_State);
    QVERIFY2(line >= 0, qPrintable(first_page));
    QVERIFY(line < first_page.indexOf("Set Communication"));
}

void Tst_Report::no_page_ends_in_a_heading() {
    if (Tool("pdftotext").isEmpty() || Tool("pdfinfo").isEmpty())
        QSKIP("pdftotext and pdfinfo (poppler-utils) are not installed; scripts/deps installs them");
    // Long enough to run over several pages in different places.
    for (int rules : {20, 35, 60, 150}) {
        Write_Documents(0, rules);
        const QString out = dir->filePath("headings.pdf");
        const int pages = Save_Report_File(out, conf, texts, date).Pages;
        QCOMPARE(Pdf_Pages(out), pages);
        const QStringList headings = {"Set Communication", "1. Hardware Type",
                                      "2. Modbus Master",  "3. PROFIBUS",
                                      texts[614],          texts[615],
                                      "PROFIBUS I/O Map",  "Error / Diagnosis",
                                      "GSD File",          "Configuration Image (bank.bin)"};
        for (int page = 1; page < pages; ++page) {
            QStringList lines = Pdf_Text(out, page).split('\n');
            while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
                lines.removeLast();
            QVERIFY(!lines.isEmpty());
            const QString last = lines.last().trimmed();
            QVERIFY2(
                !headings.contains(last),
                qPrintable(QStringLiteral("%1 rules, page %2 ends in %3").arg(rules).arg(page).arg(last)));
        }
    }
}

QTEST_MAIN(Tst_Report)
#include "tst_report_gui.moc"
