#include "app/settings_file.h"
#include "base/app_state.h"
#include "base/kc_error.h"
#include "base/program_folder.h"
#include "test_dirs.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

// Where Struttor.xml, MASTER, PROJECTS and LANGUAGE live: the program folder
// when it is writable, the user's data folder otherwise, seeded from the
// installed folders without touching what the user already has.
class Tst_Program_Folder : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void choice_data();
    void choice();
    void writable_folders();
    void user_data_folder();
    void seeding_copies_what_is_missing_only();
    void same_folder_is_left_alone();
    void seeding_failure_names_the_folder();
    void read_only_program_folder_moves_the_data_only();
};

void Tst_Program_Folder::choice_data() {
    QTest::addColumn<bool>("writable");
    QTest::addColumn<QString>("user_dir");
    QTest::addColumn<QString>("expected");
    QTest::newRow("writable program folder keeps everything") << true << "/home/u/.local/share/x"
                                                              << "/opt/p";
    QTest::newRow("read-only program folder") << false << "/home/u/.local/share/x"
                                              << "/home/u/.local/share/x";
    QTest::newRow("read-only, no user folder known") << false << ""
                                                     << "/opt/p";
}

void Tst_Program_Folder::choice() {
    QFETCH(bool, writable);
    QFETCH(QString, user_dir);
    QFETCH(QString, expected);
    QCOMPARE(Choose_Data_Dir(QStringLiteral("/opt/p"), writable, user_dir), expected);
}

void Tst_Program_Folder::writable_folders() {
    QTemporaryDir dir;
    QVERIFY(Folder_Writable(dir.path()));
    QVERIFY(QDir(dir.path()).isEmpty()); // asking leaves nothing behind
    QVERIFY(!Folder_Writable(dir.filePath("missing")));
    QVERIFY(Write_All(dir.filePath("file"), "x"));
    QVERIFY(!Folder_Writable(dir.filePath("file"))); // a file is no folder
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{"file"});
#ifdef Q_OS_WIN
    QSKIP("a folder's access list is what denies writing on Windows; the attributes do not");
#else
    if (geteuid() == 0)
        QSKIP("root writes to a folder without write permission; the install test covers a read-only mount");
    const QString locked = dir.filePath("locked");
    QVERIFY(QDir().mkdir(locked));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    QVERIFY(!Folder_Writable(locked));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
#endif
}

void Tst_Program_Folder::user_data_folder() {
    // The same folder for the configurator and the command-line tool,
    // whatever the program calling is named: on Windows in the local (not
    // roaming) application data, as configurations can be large and belong
    // to the machine with its serial ports.
#ifdef Q_OS_WIN
    const QString base = QDir::fromNativeSeparators(qEnvironmentVariable("LOCALAPPDATA"));
#else
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
#endif
    QVERIFY(!base.isEmpty());
    QCOMPARE(User_Data_Dir(), base + QStringLiteral("/Vorlantech/kc40927"));
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("tst_program_folder"));
}

void Tst_Program_Folder::seeding_copies_what_is_missing_only() {
    QTemporaryDir root;
    const QString program = root.filePath("opt");
    const QString data = root.filePath("home/share/kc40927"); // parents missing too
    QVERIFY(QDir().mkpath(program + "/LANGUAGE"));
    QVERIFY(QDir().mkpath(program + "/MASTER"));
    QVERIFY(Write_All(program + "/LANGUAGE/Deutsch.lng", "STR0 =Anfang\n"));
    QVERIFY(Write_All(program + "/LANGUAGE/Deutsch.bmp", "BMflag"));
    QVERIFY(Write_All(program + "/MASTER/sim40927.sim", "firmware"));
    QVERIFY(Write_All(program + "/Struttor.xml", "<Conf_Settings/>")); // not data to copy

    Prepare_Data_Dir(program, data);
    QCOMPARE(Read_All(data + "/LANGUAGE/Deutsch.lng"), QByteArray("STR0 =Anfang\n"));
    QCOMPARE(Read_All(data + "/LANGUAGE/Deutsch.bmp"), QByteArray("BMflag"));
    QCOMPARE(Read_All(data + "/MASTER/sim40927.sim"), QByteArray("firmware"));
    QVERIFY(!QFile::exists(data + "/Struttor.xml"));

    // The user edits a language file; a new installation brings a newer one
    // and another language: the user's file stays, the new one arrives.
    QVERIFY(Write_All(data + "/LANGUAGE/Deutsch.lng", "STR0 =Beginn\n"));
    QVERIFY(Write_All(program + "/LANGUAGE/Deutsch.lng", "STR0 =Start\n"));
    QVERIFY(Write_All(program + "/LANGUAGE/Italiano.lng", "STR0 =Inizio\n"));
    Prepare_Data_Dir(program, data);
    QCOMPARE(Read_All(data + "/LANGUAGE/Deutsch.lng"), QByteArray("STR0 =Beginn\n"));
    QCOMPARE(Read_All(data + "/LANGUAGE/Italiano.lng"), QByteArray("STR0 =Inizio\n"));
}

void Tst_Program_Folder::same_folder_is_left_alone() {
    QTemporaryDir dir;
    QVERIFY(QDir().mkdir(dir.filePath("LANGUAGE")));
    QVERIFY(Write_All(dir.filePath("LANGUAGE/English.lng"), "STR0 =Begin\n"));
    Prepare_Data_Dir(dir.path(), dir.path());
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"LANGUAGE"});
    QCOMPARE(Data_Dir_For_Program(dir.path(), dir.filePath("elsewhere"), true), dir.path());
    QVERIFY(!QFile::exists(dir.filePath("elsewhere")));
}

void Tst_Program_Folder::seeding_failure_names_the_folder() {
    QTemporaryDir root;
    QVERIFY(Write_All(root.filePath("blocker"), "a file where the folder should be"));
    const QString data = root.filePath("blocker/kc40927");
    try {
        Prepare_Data_Dir(root.path(), data);
        QFAIL("no error");
    } catch (const Kc_Error& error) {
        QVERIFY2(error.Message().contains(QDir::toNativeSeparators(data)), qPrintable(error.Message()));
    }
}

void Tst_Program_Folder::read_only_program_folder_moves_the_data_only() {
    App_State state;
    state.Data_Dir = QStringLiteral("/home/u/.local/share/Vorlantech/kc40927");
    state.Set_Program_Dir(QStringLiteral("/opt/kc40927/"));
    QCOMPARE(state.Program_Dir, QStringLiteral("/opt/kc40927")); // the updaters stay here
    QCOMPARE(state.Master_Dir, state.Data_Dir + "/MASTER");
    QCOMPARE(state.Projects_Dir, state.Data_Dir + "/PROJECTS");
    QCOMPARE(state.Language_Dir, state.Data_Dir + "/LANGUAGE");
    QCOMPARE(Settings_File_Path(state), state.Data_Dir + "/Struttor.xml");

    App_State next_to_program; // no data folder: everything in the program folder, as always
    next_to_program.Set_Program_Dir(QStringLiteral("/srv/kc"));
    QCOMPARE(next_to_program.Projects_Dir, QStringLiteral("/srv/kc/PROJECTS"));
    QCOMPARE(Settings_File_Path(next_to_program), QStringLiteral("/srv/kc/Struttor.xml"));
}

QTEST_GUILESS_MAIN(Tst_Program_Folder)
#include "tst_program_folder.moc"
