#include "base/kc_error.h"
#include "test_dirs.h"
#include "update/update_options.h"

#include <QDomDocument>
#include <QTemporaryDir>
#include <QTest>

class Tst_Update_Options : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tokens_data();
    void tokens();
    void serial_arguments_windows();
    void serial_arguments_native();
    void serial_command_line_data();
    void serial_command_line();
    void serial_command_line_split_refuses_data();
    void serial_command_line_split_refuses();
    void windows_quoting_data();
    void windows_quoting();
    void parameter_file_data();
    void parameter_file();
    void parameter_file_header();
    void parameter_file_replaced_atomically();
    void parameter_file_unwritable();
    void parameter_file_refuses_control_characters();
};

namespace {

// The C runtime's split of a Windows command line (after the program name):
// 2n backslashes before a quote give n and the quote opens or closes a quoted
// part; 2n+1 give n and a quote; other backslashes are themselves; "" inside
// a quoted part is not needed here.
QStringList Windows_Split(const QString& line) {
    QStringList arguments;
    QString current;
    bool in_argument = false;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size();) {
        const QChar c = line[i];
        if (!quoted && (c == QLatin1Char(' ') || c == QLatin1Char('\t'))) {
            if (in_argument)
                arguments << current;
            current.clear();
            in_argument = false;
            ++i;
            continue;
        }
        in_argument = true;
        if (c == QLatin1Char('\\')) {
            qsizetype n = 0;
            while (i < line.size() && line[i] == QLatin1Char('\\')) {
                ++n;
                ++i;
            }
            if (i < line.size() && line[i] == QLatin1Char('"')) {
                current += QString(n / 2, QLatin1Char('\\'));
                if (n % 2) {
                    current += QLatin1Char('"');
                    ++i;
                }
            } else {
                current += QString(n, QLatin1Char('\\'));
            }
            continue;
        }
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else
            current += c;
        ++i;
    }
    if (in_argument)
        arguments << current;
    return arguments;
}

} // namespace

void Tst_Update_Options::tokens_data() {
    QTest::addColumn<int>("option");
    QTest::addColumn<bool>("read_back");
    QTest::addColumn<QString>("tokens");
    QTest::newRow("both, read back") << 0 << true << "FW FR PW PR ";
    QTest::newRow("both") << 0 << false << "FW NO PW NO ";
    QTest::newRow("firmware, read back") << 1 << true << "FW FR NO NO ";
    QTest::newRow("firmware") << 1 << false << "FW NO NO NO ";
    QTest::newRow("configuration, read back") << 2 << true << "NO NO PW PR ";
    QTest::newRow("configuration") << 2 << false << "NO NO PW NO ";
    QTest::newRow("no option selected") << -1 << true << "NO NO NO NO ";
}

void Tst_Update_Options::tokens() {
    QFETCH(int, option);
    QFETCH(bool, read_back);
    QFETCH(QString, tokens);
    const QStringList got = Update_Options(option, read_back);
    QCOMPARE(got.size(), 4);
    QCOMPARE(got.join(QString()), tokens);
}

void Tst_Update_Options::serial_arguments_windows() {
    // Paths may come with either separator; the Windows arguments use backslashes.
    const QStringList arguments =
        Serial_Arguments(QStringLiteral("COM4"), 2, true, QStringLiteral("C:/KC/MASTER"),
                         QStringLiteral("C:\\KC\\PROJECTS\\Plant"), Windows_Command_Line_Style());
    QCOMPARE(arguments, (QStringList{"\\\\.\\COM4", "NO", "NO", "PW", "PR", "C:\\KC\\MASTER\\sim40927.sim",
                                     "C:\\KC\\PROJECTS\\Plant\\bin\\"}));
    QCOMPARE(Windows_Command_Line(arguments),
             QStringLiteral("\\\\.\\COM4 NO NO PW PR C:\\KC\\MASTER\\sim40927.sim "
                            "C:\\KC\\PROJECTS\\Plant\\bin\\"));
    QCOMPARE(Windows_Split(Windows_Command_Line(arguments)), arguments);
    // A bin folder with a blank is quoted; the backslash before the closing
    // quote is doubled, or the program's argument split would read an
    // escaped quote.
    const QStringList with_blank =
        Serial_Arguments(QStringLiteral("COM4"), 2, true, QStringLiteral("C:/KC/MASTER"),
                         QStringLiteral("C:/KC/PROJECTS/Plant A"), Windows_Command_Line_Style());
    QVERIFY(
        Windows_Command_Line(with_blank).endsWith(QStringLiteral(" \"C:\\KC\\PROJECTS\\Plant A\\bin\\\\\"")));
    QCOMPARE(Windows_Split(Windows_Command_Line(with_blank)), with_blank);
}

void Tst_Update_Options::serial_arguments_native() {
#ifdef Q_OS_WIN
    QSKIP("the native style is the Windows one");
#else
    QCOMPARE(Serial_Arguments(QStringLiteral("ttyUSB0"), 1, false, QStringLiteral("/opt/kc/MASTER"),
                              QStringLiteral("/opt/kc/PROJECTS/Plant \"B\" 2")),
             (QStringList{"/dev/ttyUSB0", "FW", "NO", "NO", "NO", "/opt/kc/MASTER/sim40927.sim",
                          "/opt/kc/PROJECTS/Plant \"B\" 2/bin/"}));
#endif
}

void Tst_Update_Options::serial_command_line_data() {
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("option");
    QTest::addColumn<bool>("read_back");
    QTest::addColumn<QString>("master");
    QTest::addColumn<QString>("conf");
    QTest::addColumn<QString>("line");
    QTest::newRow("configuration with read back on COM4")
        << "COM4" << 2 << true << "C:/KC/MASTER"
        << "C:\\KC\\PROJECTS\\Plant"
        << "\\\\.\\COM4 NO NO PW PR \"C:\\KC\\MASTER\\sim40927.sim\" \"C:\\KC\\PROJECTS\\Plant\\bin\\\"";
    QTest::newRow("firmware and configuration, blanks in the folders")
        << "COM12" << 0 << false << "C:/Program Files/KC/MASTER"
        << "C:/Users/Eva Maria/AppData/Local/Vorlantech/kc40927/PROJECTS/Halle 3"
        << "\\\\.\\COM12 FW NO PW NO \"C:\\Program Files\\KC\\MASTER\\sim40927.sim\" "
           "\"C:\\Users\\Eva Maria\\AppData\\Local\\Vorlantech\\kc40927\\PROJECTS\\Halle 3\\bin\\\"";
    QTest::newRow("no port found: the name is empty")
        << "" << 1 << true << "D:\\kc\\MASTER"
        << "D:\\kc\\PROJECTS\\K\u00f6ln"
        << "\\\\.\\ FW FR NO NO \"D:\\kc\\MASTER\\sim40927.sim\" \"D:\\kc\\PROJECTS\\K\u00f6ln\\bin\\\"";
}

void Tst_Update_Options::serial_command_line() {
    QFETCH(QString, port);
    QFETCH(int, option);
    QFETCH(bool, read_back);
    QFETCH(QString, master);
    QFETCH(QString, conf);
    QFETCH(QString, line);
    QCOMPARE(Serial_Command_Line(port, option, read_back, master, conf), line);
    // The updater's own reading of the line gives the Windows arguments back.
    QString error;
    QCOMPARE(Split_Serial_Command_Line(line, error),
             Serial_Arguments(port, option, read_back, master, conf, Windows_Command_Line_Style()));
    QVERIFY(error.isEmpty());
}

void Tst_Update_Options::serial_command_line_split_refuses_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("error");
    QTest::newRow("empty") << ""
                           << "got 0 arguments";
    QTest::newRow("paths missing") << "\\\\.\\COM1 FW FR PW PR"
                                   << "got 5 arguments";
    QTest::newRow("path not quoted") << "\\\\.\\COM1 FW FR PW PR C:\\m.sim \"C:\\b\\\""
                                     << "argument 6 does not start with a double quote";
    QTest::newRow("quote not closed") << "\\\\.\\COM1 FW FR PW PR \"C:\\m.sim\" \"C:\\b\\"
                                      << "argument 7 has no closing double quote";
    QTest::newRow("text after a quote") << "\\\\.\\COM1 FW FR PW PR \"C:\\m.sim\"x \"C:\\b\\\""
                                        << "argument 6 goes on after its closing double quote";
    QTest::newRow("one too many") << "\\\\.\\COM1 FW FR PW PR \"a\" \"b\" c"
                                  << "more than 7 arguments: c";
}

void Tst_Update_Options::serial_command_line_split_refuses() {
    QFETCH(QString, line);
    QFETCH(QString, error);
    QString got;
    QVERIFY(Split_Serial_Command_Line(line, got).isEmpty());
    QCOMPARE(got, error);
}

void Tst_Update_Options::windows_quoting_data() {
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("quoted");
    QTest::newRow("plain") << "FW"
                           << "FW";
    QTest::newRow("device") << "\\\\.\\COM3"
                            << "\\\\.\\COM3";
    QTest::newRow("empty") << ""
                           << "\"\"";
    QTest::newRow("blank") << "Plant A"
                           << "\"Plant A\"";
    QTest::newRow("quotes") << "Plant \"B\" 2"
                            << "\"Plant \\\"B\\\" 2\"";
    QTest::newRow("backslashes before a quote") << "a\\\\\"b"
                                                << "\"a\\\\\\\\\\\"b\"";
    QTest::newRow("trailing backslash") << "C:\\P A\\bin\\"
                                        << "\"C:\\P A\\bin\\\\\"";
    QTest::newRow("backslashes elsewhere stay") << "C:\\a\\\\b c"
                                                << "\"C:\\a\\\\b c\"";
    QTest::newRow("tab") << "a\tb"
                         << "\"a\tb\"";
    QTest::newRow("non-ASCII") << "K\u00f6ln \u00e9t\u00e9"
                               << "\"K\u00f6ln \u00e9t\u00e9\"";
}

void Tst_Update_Options::windows_quoting() {
    QFETCH(QString, argument);
    QFETCH(QString, quoted);
    QCOMPARE(Windows_Quote_Argument(argument), quoted);
    // The program's argument split gives every argument back unchanged, also
    // between others.
    const QStringList line{QStringLiteral("x"), argument, QStringLiteral("y\\")};
    QCOMPARE(Windows_Split(Windows_Command_Line(line)), line);
}

namespace {

QStringList Child_Names(const QDomElement& parent) {
    QStringList names;
    for (QDomElement child = parent.firstChildElement(); !child.isNull(); child = child.nextSiblingElement())
        names << child.tagName();
    return names;
}

Ethernet_Update_Params Params(int option, bool read_back) {
    Ethernet_Update_Params params;
    params.ip_address = QStringLiteral("10.0.0.7");
    params.option_index = option;
    params.read_back = read_back;
    params.master_dir = QStringLiteral("C:\\KC\\MASTER");
    params.conf_dir = QStringLiteral("C:\\KC\\PROJECTS\\Plant");
    params.separator = QLatin1Char('\\');
    return params;
}

} // namespace

void Tst_Update_Options::parameter_file_data() {
    QTest::addColumn<int>("option");
    QTest::addColumn<bool>("read_back");
    QTest::addColumn<QStringList>("bank_types");
    QTest::addColumn<QStringList>("go_to_app_after");
    QTest::newRow("firmware + configuration") << 0 << true << QStringList{"1", "2"} << QStringList{"0", "1"};
    QTest::newRow("firmware") << 1 << false << QStringList{"1"} << QStringList{"1"};
    QTest::newRow("configuration") << 2 << true << QStringList{"2"} << QStringList{"1"};
}

void Tst_Update_Options::parameter_file() {
    QFETCH(int, option);
    QFETCH(bool, read_back);
    QFETCH(QStringList, bank_types);
    QFETCH(QStringList, go_to_app_after);
    QDomDocument document;
    QVERIFY(document.setContent(Ethernet_Update_Xml(Params(option, read_back))));
    const QDomElement operations = document.documentElement().firstChildElement(QStringLiteral("Operations"));
    const QStringList firmware_names = {"Ope_Protection_Enabled",
                                        "Ope_GoToBoot_Before",
                                        "Ope_GoToApp_Before",
                                        "Ope_IP_Address",
                                        "Ope_Port",
                                        "Ope_Port_Sec",
                                        "Ope_Erase_Memory",
                                        "Ope_FileName",
                                        "Ope_Start_Address",
                                        "Ope_Memory_Type",
                                        "Ope_Bank_Type",
                                        "Ope_Read_Back",
                                        "Ope_Write_CSS",
                                        "Ope_Address_CSS",
                                        "Ope_Command_CSS",
                                        "Ope_GoToApp_After"};
    QStringList configuration_names = firmware_names;
    configuration_names.insert(15, "Ope_WID_Data");
    configuration_names.insert(15, "Ope_WID_Command");
    configuration_names.insert(15, "Ope_WID_Address");
    configuration_names.insert(15, "Ope_Write_Internal_Data");

    QStringList got_types;
    QStringList got_after;
    for (QDomElement op = operations.firstChildElement(); !op.isNull(); op = op.nextSiblingElement()) {
        QCOMPARE(op.tagName(), QStringLiteral("Operation"));
        const auto text = [&](const char* name) { return op.firstChildElement(QLatin1String(name)).text(); };
        const bool firmware = text("Ope_Bank_Type") == QLatin1String("1");
        QCOMPARE(Child_Names(op), firmware ? firmware_names : configuration_names);
        got_types << text("Ope_Bank_Type");
        got_after << text("Ope_GoToApp_After");
        QCOMPARE(text("Ope_Read_Back"), read_back ? QStringLiteral("1") : QStringLiteral("0"));
        QCOMPARE(text("Ope_Protection_Enabled"), QString());
        QCOMPARE(text("Ope_Port"), QStringLiteral("2008"));
        QCOMPARE(text("Ope_Port_Sec"), QStringLiteral("2007"));
        QCOMPARE(text("Ope_Command_CSS"), QStringLiteral("0x0B"));
        if (firmware) {
            QCOMPARE(text("Ope_FileName"), QStringLiteral("C:\\KC\\MASTER\\Sim40927K.sim"));
            QCOMPARE(text("Ope_Start_Address"), QStringLiteral("0x8000"));
            QCOMPARE(text("Ope_Write_CSS"), QStringLiteral("1"));
            QCOMPARE(text("Ope_Address_CSS"), QStringLiteral("0x78100"));
        } else {
            QCOMPARE(text("Ope_FileName"), QStringLiteral("C:\\KC\\PROJECTS\\Plant\\bin\\bank.bin"));
            QCOMPARE(text("Ope_Start_Address"), QStringLiteral("0x64000"));
            QCOMPARE(text("Ope_Write_CSS"), QStringLiteral("0"));
            QCOMPARE(text("Ope_Address_CSS"), QStringLiteral("0x50100"));
            QCOMPARE(text("Ope_WID_Address"), QStringLiteral("0x78200"));
            QCOMPARE(text("Ope_WID_Data"), QStringLiteral("0x00, 0x00, 0x00, 0x01"));
        }
    }
    QCOMPARE(got_types, bank_types);
    QCOMPARE(got_after, go_to_app_after);
}

void Tst_Update_Options::parameter_file_header() {
    QDomDocument document;
    QVERIFY(document.setContent(Ethernet_Update_Xml(Params(0, true))));
    const QDomElement root = document.documentElement();
    QCOMPARE(root.tagName(), QStringLiteral("Ethernet_Update"));
    QCOMPARE(Child_Names(root),
             (QStringList{"Version", "Title", "IP_Address_Dev", "Application_Port", "Boot_Port",
                          "Boot_Port_Sec", "Address_Protection", "Protections", "Operations"}));
    const auto text = [&](const char* name) { return root.firstChildElement(QLatin1String(name)).text(); };
    QCOMPARE(text("Version"), QStringLiteral("1000"));
    QCOMPARE(text("Title"), QStringLiteral("Vorlantech - KC40927 Ethernet Update"));
    QCOMPARE(text("IP_Address_Dev"), QStringLiteral("10.0.0.7"));
    QCOMPARE(text("Application_Port"), QStringLiteral("10000"));
    QCOMPARE(text("Boot_Port"), QStringLiteral("2008"));
    QCOMPARE(text("Boot_Port_Sec"), QStringLiteral("2007"));
    QCOMPARE(text("Address_Protection"), QStringLiteral("0x78000"));
    const QDomElement protections = root.firstChildElement(QStringLiteral("Protections"));
    QCOMPARE(Child_Names(protections), QStringList{"Protection"});
    QCOMPARE(protections.firstChildElement().text(), QStringLiteral("0x1C8"));
}

void Tst_Update_Options::parameter_file_replaced_atomically() {
    QTemporaryDir dir;
    const QString path = dir.filePath(Ethernet_Parameter_File);
    QVERIFY(Write_All(
        path, "an earlier, much longer parameter file that must not leave a tail behind ..........."));
    Compile_XML_Parameter(path, Params(2, false));
    QCOMPARE(Read_All(path), Ethernet_Update_Xml(Params(2, false)));
}

void Tst_Update_Options::parameter_file_refuses_control_characters() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ethernet_Update.xml"));
    Ethernet_Update_Params params = Params(2, true);
    params.conf_dir = QStringLiteral("/kc/PROJECTS/Plant\x01"
                                     "A");
    try {
        Compile_XML_Parameter(path, params);
        QFAIL("a folder name with a control character was written");
    } catch (const Kc_Error& error) {
        QVERIFY2(error.Message().contains(QStringLiteral("Ethernet_Update.xml")),
                 qPrintable(error.Message()));
        QVERIFY2(error.Message().contains(QStringLiteral("Plant<0x01>A")), qPrintable(error.Message()));
    }
    QVERIFY(!QFile::exists(path));
}

void Tst_Update_Options::parameter_file_unwritable() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing folder/") + Ethernet_Parameter_File);
    try {
        Compile_XML_Parameter(path, Params(0, true));
        QFAIL("no error for a file that cannot be written");
    } catch (const Kc_Error& error) {
        QVERIFY2(error.Message().contains(Ethernet_Parameter_File), qPrintable(error.Message()));
    }
}

QTEST_GUILESS_MAIN(Tst_Update_Options)
#include "tst_update_options.moc"
