#include "app/settings_file.h"
#include "base/app_state.h"
#include "base/kc_error.h"
#include "test_dirs.h"

#include <QTemporaryDir>
#include <QTest>

// The seven stored values as texts, flags as "1"/"0".
static QStringList Values(const App_State& state) {
    const auto flag = [](bool on) { return QString(on ? "1" : "0"); };
    return {state.Conf_Name,
            state.Last_IP_Address,
            state.Language_Name,
            flag(state.Enable_Internet),
            flag(state.Enable_Update),
            flag(state.Enable_Jump_Field_Tables),
            flag(state.Double_Click_Auto_Size)};
}

static const QStringList defaults{"", "192.168.2.205", "English", "0", "0", "0", "0"};

class Tst_Settings_File : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exact_bytes_data();
    void exact_bytes();
    void round_trip_data();
    void round_trip();
    void reading_data();
    void reading();
    void missing_file_gives_defaults();
    void write_failure_names_the_file_and_keeps_the_old_one();
    void test_port_is_written_once_chosen();
    void texts_xml_cannot_keep_are_refused_data();
    void texts_xml_cannot_keep_are_refused();
};

void Tst_Settings_File::exact_bytes_data() {
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("defaults, no configuration")
        << defaults
        << QByteArray("<Conf_Settings><lastproj><projectname></projectname></lastproj>"
                      "<lastipadd><ipaddress>192.168.2.205</ipaddress></lastipadd>"
                      "<lastlang><language>English</language></lastlang>"
                      "<lastinternet><enable_internet>0</enable_internet><enable_update>0</enable_update>"
                      "<enable_jump_field_tables>0</enable_jump_field_tables>"
                      "<Double_Click_Auto_Size>0</Double_Click_Auto_Size></lastinternet></Conf_Settings>");
    QTest::newRow("every value set")
        << QStringList{" Plant A&B ", "10.0.0.7", "Italiano", "1", "0", "1", "1"}
        << QByteArray("<Conf_Settings><lastproj><projectname> Plant A&amp;B </projectname></lastproj>"
                      "<lastipadd><ipaddress>10.0.0.7</ipaddress></lastipadd>"
                      "<lastlang><language>Italiano</language></lastlang>"
                      "<lastinternet><enable_internet>1</enable_internet><enable_update>0</enable_update>"
                      "<enable_jump_field_tables>1</enable_jump_field_tables>"
                      "<Double_Click_Auto_Size>1</Double_Click_Auto_Size></lastinternet></Conf_Settings>");
    QTest::newRow("non-ASCII in UTF-8")
        << QStringList{QStringLiteral("Anlage \u00dc"),
                       "1.2.3.4",
                       QStringLiteral("Fran\u00e7ais"),
                       "0",
                       "1",
                       "0",
                       "0"}
        << QByteArray("<Conf_Settings><lastproj><projectname>Anlage \xC3\x9C</projectname></lastproj>"
                      "<lastipadd><ipaddress>1.2.3.4</ipaddress></lastipadd>"
                      "<lastlang><language>Fran\xC3\xA7"
                      "ais</language></lastlang>"
                      "<lastinternet><enable_internet>0</enable_internet><enable_update>1</enable_update>"
                      "<enable_jump_field_tables>0</enable_jump_field_tables>"
                      "<Double_Click_Auto_Size>0</Double_Click_Auto_Size></lastinternet></Conf_Settings>");
}

static App_State State_With(const QStringList& values) {
    App_State state;
    state.Conf_Name = values[0];
    state.Last_IP_Address = values[1];
    state.Language_Name = values[2];
    state.Enable_Internet = values[3] == "1";
    state.Enable_Update = values[4] == "1";
    state.Enable_Jump_Field_Tables = values[5] == "1";
    state.Double_Click_Auto_Size = values[6] == "1";
    return state;
}

void Tst_Settings_File::exact_bytes() {
    QFETCH(QStringList, values);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath("Struttor.xml");
    QVERIFY(Write_All(path, QByteArray(5000, 'x'))); // an older, longer file is replaced whole
    Save_Settings(path, State_With(values));
    QCOMPARE(Read_All(path), bytes);
}

void Tst_Settings_File::round_trip_data() {
    QTest::addColumn<QStringList>("values");
    QTest::newRow("defaults") << defaults;
    QTest::newRow("all on") << QStringList{"Line 3", "192.168.0.1", "Deutsch", "1", "1", "1", "1"};
    QTest::newRow("empty address and language") << QStringList{"x", "", "", "0", "1", "0", "1"};
    QTest::newRow("markup and blanks") << QStringList{" <a> & \"b\" ", "a'b", "x>y", "1", "0", "0", "0"};
}

void Tst_Settings_File::round_trip() {
    QFETCH(QStringList, values);
    QTemporaryDir dir;
    const QString path = dir.filePath("Struttor.xml");
    Save_Settings(path, State_With(values));
    App_State read;
    read.Conf_Dir = "left over";
    Read_Settings(path, read);
    QCOMPARE(Values(read), values);
    QVERIFY(read.Conf_Dir.isEmpty());
}

void Tst_Settings_File::reading_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("only the language")
        << QByteArray("<Conf_Settings><lastlang><language>Italiano</language></lastlang></Conf_Settings>")
        << QStringList{"", "192.168.2.205", "Italiano", "0", "0", "0", "0"};
    QTest::newRow("empty address element is empty, not the default")
        << QByteArray("<Conf_Settings><lastipadd><ipaddress></ipaddress></lastipadd></Conf_Settings>")
        << QStringList{"", "", "English", "0", "0", "0", "0"};
    QTest::newRow("flags: only exactly 1 is on")
        << QByteArray(
               "<Conf_Settings><lastinternet><enable_internet>1</enable_internet>"
               "<enable_update>yes</enable_update><enable_jump_field_tables>1 </enable_jump_field_tables>"
               "<Double_Click_Auto_Size>true</Double_Click_Auto_Size></lastinternet></Conf_Settings>")
        << QStringList{"", "192.168.2.205", "English", "1", "0", "0", "0"};
    QTest::newRow("any order, extra elements, first duplicate counts, any root name")
        << QByteArray("<Other><extra/><lastinternet><Double_Click_Auto_Size>1</Double_Click_Auto_Size>"
                      "</lastinternet><lastproj><projectname>A</projectname><projectname>B</projectname>"
                      "</lastproj><lastproj><projectname>C</projectname></lastproj></Other>")
        << QStringList{"A", "192.168.2.205", "English", "0", "0", "0", "1"};
    QTest::newRow("element names are case-sensitive")
        << QByteArray("<Conf_Settings><LastLang><language>Italiano</language></LastLang>"
                      "<lastinternet><double_click_auto_size>1</double_click_auto_size></lastinternet>"
                      "</Conf_Settings>")
        << defaults;
    QTest::newRow("value holding an element gives its default")
        << QByteArray("<Conf_Settings><lastlang><language><b>x</b></language></lastlang></Conf_Settings>")
        << defaults;
    QTest::newRow("text kept untrimmed")
        << QByteArray("<Conf_Settings><lastproj><projectname> A </projectname></lastproj></Conf_Settings>")
        << QStringList{" A ", "192.168.2.205", "English", "0", "0", "0", "0"};
    QTest::newRow("declaration first: defaults")
        << QByteArray("<?xml version=\"1.0\"?><Conf_Settings><lastlang><language>Italiano</language>"
                      "</lastlang></Conf_Settings>")
        << defaults;
    QTest::newRow("comment first: defaults")
        << QByteArray(
               "<!--x--><Conf_Settings><lastlang><language>Italiano</language></lastlang></Conf_Settings>")
        << defaults;
    QTest::newRow("malformed: defaults")
        << QByteArray("<Conf_Settings><lastlang><language>Italiano</lastlang>") << defaults;
    QTest::newRow("empty file: defaults") << QByteArray() << defaults;
    QTest::newRow("binary: defaults") << QByteArray("\x00\xFF\x10<\x01", 5) << defaults;
}

void Tst_Settings_File::reading() {
    QFETCH(QByteArray, content);
    QFETCH(QStringList, values);
    QTemporaryDir dir;
    const QString path = dir.filePath("Struttor.xml");
    QVERIFY(Write_All(path, content));
    App_State state = State_With({"old", "9.9.9.9", "Old", "1", "1", "1", "1"});
    Read_Settings(path, state);
    QCOMPARE(Values(state), values);
}

void Tst_Settings_File::missing_file_gives_defaults() {
    QTemporaryDir dir;
    App_State state = State_With({"old", "9.9.9.9", "Old", "1", "1", "1", "1"});
    state.Conf_Dir = "old";
    Read_Settings(dir.filePath("Struttor.xml"), state);
    QCOMPARE(Values(state), defaults);
    QVERIFY(state.Conf_Dir.isEmpty());
}

void Tst_Settings_File::write_failure_names_the_file_and_keeps_the_old_one() {
    QTemporaryDir dir;
    // A folder where the file should be: it cannot be replaced.
    const QString blocked = dir.filePath("Struttor.xml");
    QVERIFY(QDir().mkdir(blocked));
    QVERIFY(Write_All(blocked + "/keep", "old"));
    try {
        Save_Settings(blocked, App_State());
        QFAIL("no error for a settings file that cannot be written");
    } catch (const Kc_Error& error) {
        QVERIFY2(error.Message().contains("Struttor.xml"), qPrintable(error.Message()));
    }
    QCOMPARE(Read_All(blocked + "/keep"), QByteArray("old"));

    const QString missing_dir = dir.filePath("no such folder/Struttor.xml");
    QVERIFY_THROWS_EXCEPTION(Kc_Error, Save_Settings(missing_dir, App_State()));
}

void Tst_Settings_File::test_port_is_written_once_chosen() {
    QTemporaryDir dir;
    const QString path = dir.filePath("Struttor.xml");
    App_State state = State_With(defaults);
    state.Last_Test_Port = "/dev/ttyUSB0 & <1>";
    Save_Settings(path, state);
    QCOMPARE(Read_All(path),
             QByteArray("<Conf_Settings><lastproj><projectname></projectname></lastproj>"
                        "<lastipadd><ipaddress>192.168.2.205</ipaddress></lastipadd>"
                        "<lastlang><language>English</language></lastlang>"
                        "<lastinternet><enable_internet>0</enable_internet><enable_update>0</enable_update>"
                        "<enable_jump_field_tables>0</enable_jump_field_tables>"
                        "<Double_Click_Auto_Size>0</Double_Click_Auto_Size></lastinternet>"
                        "<lasttestport><portname>/dev/ttyUSB0 &amp; &lt;1&gt;</portname></lasttestport>"
                        "</Conf_Settings>"));
    App_State read;
    Read_Settings(path, read);
    QCOMPARE(read.Last_Test_Port, state.Last_Test_Port);
    QCOMPARE(Values(read), defaults);

    // A file without the element gives no port, also over a port read before.
    QVERIFY(
        Write_All(path, "<Conf_Settings><lastlang><language>Italiano</language></lastlang></Conf_Settings>"));
    Read_Settings(path, read);
    QVERIFY(read.Last_Test_Port.isEmpty());
}

void Tst_Settings_File::texts_xml_cannot_keep_are_refused_data() {
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("shown");
    QTest::newRow("control character in the name") << QStringList{"Line\x01"
                                                                  "3",
                                                                  "192.168.0.1",
                                                                  "English",
                                                                  "0",
                                                                  "0",
                                                                  "0",
                                                                  "0"}
                                                   << "Line<0x01>3";
    QTest::newRow("tab in the name") << QStringList{"Line\t3", "", "English", "0", "0", "0", "0"}
                                     << "Line<0x09>3";
    QTest::newRow("line break in the address")
        << QStringList{"Line 3", "10.0.0.1\n", "English", "0", "0", "0", "0"} << "10.0.0.1<0x0a>";
    QTest::newRow("half a surrogate pair in the language")
        << QStringList{"Line 3", "", QString(QChar(0xD800)), "0", "0", "0", "0"} << QString(QChar(0xD800));
}

void Tst_Settings_File::texts_xml_cannot_keep_are_refused() {
    QFETCH(QStringList, values);
    QFETCH(QString, shown);
    QTemporaryDir dir;
    const QString path = dir.filePath("Struttor.xml");
    QVERIFY(Write_All(path, "old"));
    // Never written with the character dropped: refused, the old file kept.
    try {
        Save_Settings(path, State_With(values));
        QFAIL("a text an XML file cannot keep was written");
    } catch (const Kc_Error& error) {
        QVERIFY2(error.Message().contains("Struttor.xml"), qPrintable(error.Message()));
        QVERIFY2(error.Message().contains(shown), qPrintable(error.Message()));
    }
    QCOMPARE(Read_All(path), QByteArray("old"));
}

QTEST_GUILESS_MAIN(Tst_Settings_File)
#include "tst_settings_file.moc"
