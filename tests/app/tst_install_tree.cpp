// The installed program: `cmake --install` makes a self-contained program
// folder, and from a read-only one (as /opt/kc40927 of the Debian package is
// for a user) the configurator keeps its data in the user's data folder while
// kc40927-cli builds and reads its language from there.
#include "app/settings_file.h"
#include "base/app_state.h"
#include "test_dirs.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <unistd.h>

namespace {

// "nobody": root writes to any folder whatever its permissions, so as root
// the installed programs run as this user.
constexpr int Other_User = 65534;

QStringList Tree(const QString& dir) {
    QStringList entries;
    QDirIterator it(dir, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        entries << QDir(dir).relativeFilePath(it.next());
    entries.sort();
    return entries;
}

bool Open_For_Everyone(const QString& path) {
    return QFile::setPermissions(
        path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                  QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                  QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
}

bool Read_Only(const QString& path) {
    return QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                           QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                           QFileDevice::ReadOther | QFileDevice::ExeOther);
}

} // namespace

class Tst_Install_Tree : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void installed_files_data();
    void installed_files();
    void read_only_program_folder();

private:
    // Starts an installed program as the user of the test (as "nobody" when
    // the test runs as root), with HOME and XDG_DATA_HOME in the test's folder.
    void Start(QProcess& process, const QString& program, const QStringList& args);
    bool Run(const QString& program, const QStringList& args, QString& output, int& status);

    QTemporaryDir root;
    QString prefix;
    QString home;
    QString data_dir;
    bool as_other_user = false;
};

void Tst_Install_Tree::initTestCase() {
    QVERIFY(root.isValid());
    QVERIFY(Open_For_Everyone(root.path()));
    prefix = root.filePath("kc40927");
    home = root.filePath("home");
    data_dir = home + "/data/Vorlantech/kc40927";
    QVERIFY(QDir().mkpath(home));

    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(QStringLiteral(KC_CMAKE_COMMAND),
                  {"--install", QStringLiteral(KC_BUILD_DIR), "--prefix", prefix});
    QVERIFY(install.waitForFinished(120000));
    QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
             install.readAll().constData());
    as_other_user = geteuid() == 0;
}

void Tst_Install_Tree::cleanupTestCase() {
    if (!prefix.isEmpty())
        Open_For_Everyone(prefix); // so that the temporary folder can go
}

void Tst_Install_Tree::installed_files_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("program");
    QTest::newRow("configurator") << "kc40927-configurator" << true;
    QTest::newRow("command-line tool") << "kc40927-cli" << true;
    QTest::newRow("serial updater") << "Ser_40927_Update" << true;
    QTest::newRow("Ethernet updater") << "Ethernet_Update" << true;
    QTest::newRow("German texts") << "LANGUAGE/Deutsch.lng" << false;
    QTest::newRow("German flag") << "LANGUAGE/Deutsch.bmp" << false;
    QTest::newRow("English") << "LANGUAGE/English.lng" << false;
    QTest::newRow("default flag") << "LANGUAGE/DefaultFlag.bmp" << false;
}

void Tst_Install_Tree::installed_files() {
    QFETCH(QString, path);
    QFETCH(bool, program);
    const QFileInfo info(prefix + "/" + path);
    QVERIFY2(info.isFile(), qPrintable(info.filePath()));
    QCOMPARE(info.isExecutable(), program);
    QVERIFY(QFileInfo(prefix + "/MASTER").isDir());
    // Nothing of the desktop component (it lives outside the program folder)
    // and no data: the first start makes those.
    QVERIFY(!QFileInfo::exists(prefix + "/usr"));
    QVERIFY(!QFileInfo::exists(prefix + "/PROJECTS"));
}

void Tst_Install_Tree::Start(QProcess& process, const QString& program, const QStringList& args) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home);
    env.insert("XDG_DATA_HOME", home + "/data");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (as_other_user)
        process.start("setpriv", QStringList{"--reuid", QString::number(Other_User), "--regid",
                                             QString::number(Other_User), "--clear-groups", program} +
                                     args);
    else
        process.start(program, args);
}

bool Tst_Install_Tree::Run(const QString& program, const QStringList& args, QString& output, int& status) {
    QProcess process;
    Start(process, program, args);
    const bool ended = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    output = QString::fromUtf8(process.readAll());
    status = process.exitCode();
    return ended;
}

void Tst_Install_Tree::read_only_program_folder() {
    if (as_other_user && QStandardPaths::findExecutable("setpriv").isEmpty())
        QSKIP("running as root without setpriv: a read-only program folder cannot be made");
    QVERIFY(Open_For_Everyone(home));
    QVERIFY(Read_Only(prefix));
    const QStringList installed = Tree(prefix);

    // The configurator's first start makes the data folder and seeds it.
    QProcess configurator;
    Start(configurator, prefix + "/kc40927-configurator", {});
    QVERIFY2(configurator.waitForStarted(), qPrintable(configurator.errorString()));
    QElapsedTimer waited;
    waited.start();
    const QStringList expected{"LANGUAGE",
                               "LANGUAGE/DefaultFlag.bmp",
                               "LANGUAGE/Deutsch.bmp",
                               "LANGUAGE/Deutsch.lng",
                               "LANGUAGE/English.lng",
                               "MASTER",
                               "PROJECTS"};
    while (Tree(data_dir) != expected && waited.elapsed() < 30000 &&
           configurator.state() == QProcess::Running)
        QThread::msleep(50);
    const bool running = configurator.state() == QProcess::Running;
    configurator.kill();
    configurator.waitForFinished();
    QVERIFY2(running, configurator.readAll().constData());
    QCOMPARE(Tree(data_dir), expected);
    QCOMPARE(Read_All(data_dir + "/LANGUAGE/Deutsch.lng"), Read_All(prefix + "/LANGUAGE/Deutsch.lng"));
    QCOMPARE(Tree(prefix), installed);

    // The command-line tool builds a configuration anywhere.
    const QString conf = root.filePath("conf");
    QVERIFY(QDir().mkpath(conf + "/bin"));
    QVERIFY(Open_For_Everyone(conf));
    QVERIFY(Open_For_Everyone(conf + "/bin"));
    QVERIFY(QFile::copy(Fixture_Path("bank/fixed_full/ParGen.xml"), conf + "/ParGen.xml"));
    QVERIFY(QFile::copy(Fixture_Path("bank/fixed_full/sdo.xml"), conf + "/sdo.xml"));
    QString output;
    int status = -1;
    QVERIFY(Run(prefix + "/kc40927-cli", {"build", conf}, output, status));
    QVERIFY2(status == 0, qPrintable(output));
    QCOMPARE(QFileInfo(conf + "/bin/bank.bin").size(), 18432);

    // It speaks the configurator's language, named in the data folder.
    App_State state;
    state.Data_Dir = data_dir;
    state.Language_Name = QStringLiteral("Deutsch");
    QVERIFY(Write_All(data_dir + "/Struttor.xml", Settings_Bytes(state)));
    QByteArray pargen = Read_All(conf + "/ParGen.xml");
    pargen.replace("<Profi_ID>5</Profi_ID>", "<Profi_ID>0</Profi_ID>");
    QVERIFY(Write_All(conf + "/ParGen.xml", pargen));
    QVERIFY(Run(prefix + "/kc40927-cli", {"check", conf}, output, status));
    QCOMPARE(status, 1);
    QVERIFY2(output.contains(QStringLiteral("Die Geräteadresse muss zwischen 1 und 125 liegen")),
             qPrintable(output));
    QCOMPARE(Tree(prefix), installed);

    // The serial updater, started as the update dialog starts it, loads the
    // image and logs into the data folder: the program folder stays as it is.
    const QString serial_conf = root.filePath("serial");
    QVERIFY(QDir().mkpath(serial_conf + "/bin"));
    for (const QString name : {"ParGen.xml", "sdo.xml", "diagnosis.xml"})
        QVERIFY(QFile::copy(Fixture_Path("bank/packed_rules_diagnosis/") + name, serial_conf + "/" + name));
    QVERIFY(Open_For_Everyone(serial_conf));
    QVERIFY(Open_For_Everyone(serial_conf + "/bin"));
    QVERIFY(Run(prefix + "/kc40927-cli", {"build", serial_conf}, output, status));
    QVERIFY2(status == 0, qPrintable(output));
    QVERIFY(
        Run(prefix + "/Ser_40927_Update",
            {"/dev/ttyS0", "NO", "NO", "PW", "NO", data_dir + "/MASTER/sim40927.sim", serial_conf + "/bin/"},
            output, status));
    QVERIFY2(status == 0, qPrintable(output));
    QVERIFY(Read_All(data_dir + "/Ser_40927_Update.log").contains("configuration: "));
    QCOMPARE(Tree(prefix), installed);
}

QTEST_GUILESS_MAIN(Tst_Install_Tree)
#include "tst_install_tree.moc"
