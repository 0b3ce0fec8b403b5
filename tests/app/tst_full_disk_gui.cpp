// Every writer of the program on a real full file system: a small tmpfs the
// test mounts and fills. Each must report the file and the system's reason,
// keep the old file byte for byte, leave no temporary file behind, and stop
// its step there.
#include "../update/update_fakes.h"
#include "app/main_window.h"
#include "app/settings_file.h"
#include "base/app_state.h"
#include "base/kc_error.h"
#include "base/text_table.h"
#include "dialog_recorder.h"
#include "document/access_rules.h"
#include "document/diagnosis_list.h"
#include "document/general_params.h"
#include "output/bank_build.h"
#include "output/gsd_step.h"
#include "output/gsd_writer.h"
#include "test_dirs.h"
#include "text/no_version_source.h"
#include "update/boot_dialog.h"
#include "update/update_options.h"
#include "update/update_services.h"

#include <QAbstractButton>
#include <QDirIterator>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/mount.h>
#include <unistd.h>

namespace {

const QString Filler_Name = QStringLiteral("filler");

// A tmpfs of a few hundred KiB mounted on a temporary folder for the life of
// the object (needs root). The destructor unmounts it whatever happened.
class Small_File_System {
public:
    Small_File_System() {
        if (!dir_.isValid()) {
            error_ = QStringLiteral("no temporary folder for the mount point");
            return;
        }
        if (geteuid() != 0) {
            error_ = QStringLiteral("mounting a small tmpfs to fill needs root; run the tests as root");
            return;
        }
        const QByteArray point = QFile::encodeName(dir_.path());
        if (::mount("kc-full-disk", point.constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                    "size=512k,mode=0755") != 0) {
            error_ = QStringLiteral("cannot mount a tmpfs on %1: %2")
                         .arg(dir_.path(), QString::fromLocal8Bit(std::strerror(errno)));
            return;
        }
        mounted_ = true;
    }
    ~Small_File_System() {
        if (!mounted_)
            return;
        const QByteArray point = QFile::encodeName(dir_.path());
        if (::umount(point.constData()) != 0)
            ::umount2(point.constData(), MNT_DETACH);
    }
    Small_File_System(const Small_File_System&) = delete;
    Small_File_System& operator=(const Small_File_System&) = delete;

    bool Mounted() const { return mounted_; }
    const QString& Error() const { return error_; }
    QString Root() const { return dir_.path(); }

    // Writes a filler file until the system answers "no space left", then
    // checks that a new file cannot take a single byte. False with the reason
    // otherwise.
    bool Fill(QString& why) const {
        const QByteArray filler = QFile::encodeName(dir_.filePath(Filler_Name));
        const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd < 0) {
            why = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        const QByteArray chunk(64 * 1024, 'F');
        for (const qsizetype size : {chunk.size(), qsizetype(4096), qsizetype(1)}) {
            while (::write(fd, chunk.constData(), size_t(size)) > 0) {
            }
        }
        const int fill_error = errno;
        ::close(fd);
        if (fill_error != ENOSPC) {
            why =
                QStringLiteral("filling stopped with: ") + QString::fromLocal8Bit(std::strerror(fill_error));
            return false;
        }
        const QByteArray probe = QFile::encodeName(dir_.filePath(QStringLiteral("probe")));
        const int probe_fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const bool took_a_byte = probe_fd >= 0 && ::write(probe_fd, "x", 1) == 1;
        if (probe_fd >= 0)
            ::close(probe_fd);
        ::unlink(probe.constData());
        if (took_a_byte) {
            why = QStringLiteral("the file system still takes data after filling");
            return false;
        }
        return true;
    }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    QString error_;
};

// Every folder and file under `root` (the filler aside) with its bytes.
QMap<QString, QByteArray> Snapshot(const QString& root) {
    QMap<QString, QByteArray> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(root).relativeFilePath(path);
        if (relative == Filler_Name)
            continue;
        entries.insert(relative, it.fileInfo().isDir() ? QByteArray("<folder>") : Read_All(path));
    }
    return entries;
}

// What differs between two snapshots, one line per entry.
QStringList Differences(const QMap<QString, QByteArray>& before, const QMap<QString, QByteArray>& after) {
    QStringList lines;
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (!after.contains(it.key()))
            lines << QStringLiteral("%1 is gone").arg(it.key());
        else if (after.value(it.key()) != it.value())
            lines << QStringLiteral("%1 changed: %2 bytes, was %3")
                         .arg(it.key())
                         .arg(after.value(it.key()).size())
                         .arg(it.value().size());
    }
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (!before.contains(it.key()))
            lines << QStringLiteral("%1 was added").arg(it.key());
    }
    return lines;
}

// The program folder on the small file system, as the configurator lays it
// out, with the configuration "Plant" open.
const QString Conf_Relative = QStringLiteral("PROJECTS/Plant");

bool Lay_Out_Program_Folder(const QString& root) {
    QDir folder(root);
    for (const QString& sub :
         {QStringLiteral("MASTER"), QStringLiteral("LANGUAGE"), Conf_Relative + "/bin"}) {
        if (!folder.mkpath(sub))
            return false;
    }
    const QString conf = folder.filePath(Conf_Relative);
    const QString fixture = Fixture_Path(QStringLiteral("bank/packed_rules_diagnosis"));
    for (const QString name : {"ParGen.xml", "sdo.xml", "diagnosis.xml"}) {
        if (!QFile::copy(fixture + "/" + name, conf + "/" + name))
            return false;
    }
    return Write_All(
               folder.filePath("Struttor.xml"),
               "<Conf_Settings><lastproj><projectname>Plant</projectname></lastproj></Conf_Settings>") &&
           Write_All(folder.filePath(Ethernet_Parameter_File), "<Ethernet_Update>old</Ethernet_Update>") &&
           Write_All(conf + "/bin/bank.bin", QByteArray(105, '\x42')) &&
           Write_All(conf + "/Plant.gsd", "; the old GSD file\r\n");
}

App_State State_In(const QString& root) {
    App_State state;
    state.Set_Program_Dir(root);
    state.Conf_Name = QStringLiteral("Plant");
    state.Conf_Dir = QDir(root).filePath(Conf_Relative);
    state.Set_Files();
    return state;
}

// How one writer answered the full file system.
struct Attempt {
    bool reported = false; // an error reached the caller (exception, error box, exit status 1)
    QString message;       // what the user reads
    QStringList problems;  // what must not have happened after the failure
};

using Writer = std::function<Attempt(const QString& root)>;

Attempt Call(const std::function<void()>& write) {
    Attempt attempt;
    try {
        write();
    } catch (const Kc_Error& error) {
        attempt.reported = true;
        attempt.message = error.Message();
    }
    return attempt;
}

Attempt From_Boxes(const Ui_Recorder& ui) {
    Attempt attempt;
    const QStringList errors = ui.Shown_Texts(Ui_Recorder::Kind::Error);
    attempt.reported = errors.size() == 1;
    attempt.message = errors.join(QStringLiteral(" | "));
    for (const Ui_Recorder::Call& call : ui.Shown()) {
        if (call.kind == Ui_Recorder::Kind::Modal)
            attempt.problems << QStringLiteral("the dialog %1 was opened").arg(call.text);
    }
    return attempt;
}

Attempt Run_Cli(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(KC_BIN_DIR "/kc40927-cli"), args);
    Attempt attempt;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) {
        attempt.problems << QStringLiteral("kc40927-cli did not end normally: ") + process.errorString();
        return attempt;
    }
    attempt.reported = process.exitCode() == 1;
    attempt.message = QString::fromUtf8(process.readAllStandardError());
    if (process.exitCode() != 1)
        attempt.problems << QStringLiteral("exit status %1").arg(process.exitCode());
    return attempt;
}

Attempt Update_Device_Step(const QString& root) {
    App_State state;
    Text_Table texts;
    Dialog_Recorder ui;
    No_Newer_Version versions;
    TFStruttoreFirmWare window(state, texts, ui, versions, root);
    window.Create_Dialogs();
    if (state.Conf_Dir.isEmpty())
        return {false, QStringLiteral("the configuration was not reopened at start-up"), {}};
    ui.Expect_Error();
    window.findChild<QAbstractButton*>(QStringLiteral("Btn_CreateBin"))->click();
    return From_Boxes(ui);
}

Attempt Ethernet_Update_Step(const QString& root) {
    App_State state = State_In(root);
    Text_Table texts;
    Dialog_Recorder ui;
    Fake_Clock clock;
    Fake_Starter starter;
    Scripted_Echo echo;
    echo.script = [](int) { return 40; }; // the device answers
    Fake_Lookup lookup;
    Fixed_Ports ports;
    TFBoot dialog(state, texts, ui, Update_Services{starter, echo, lookup, ports, clock, {}});
    dialog.Set_Form_Type(1);
    dialog.FormShow();
    ui.Expect_Error();
    dialog.Btn_UpdateClick();
    // The echo check answers from the event loop; the write comes after it.
    const bool answered = QTest::qWaitFor([&] { return ui.All_Answered(); }, 5000);
    Attempt attempt = From_Boxes(ui);
    if (!answered)
        attempt.problems << QStringLiteral("no error box within 5 s");
    if (echo.attempts == 0)
        attempt.problems << QStringLiteral("the echo check did not run");
    for (const Fake_Starter::Call& call : starter.calls)
        attempt.problems << QStringLiteral("the updater %1 was started").arg(call.program);
    return attempt;
}

Attempt GSD_Step(const QString& root) {
    App_State state = State_In(root);
    Text_Table texts;
    Dialog_Recorder ui;
    ui.Expect_Save_File(state.Conf_Dir + "/Plant.gsd");
    ui.Expect_Question(true); // replace the existing file
    ui.Expect_Error();
    Create_GSD_File(state, texts, ui);
    return From_Boxes(ui);
}

} // namespace

Q_DECLARE_METATYPE(Writer)

class Tst_Full_Disk : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writer_on_a_full_disk_data();
    void writer_on_a_full_disk();
};

void Tst_Full_Disk::writer_on_a_full_disk_data() {
    QTest::addColumn<QString>("target"); // relative to the program folder
    QTest::addColumn<Writer>("writer");
    const QString conf = Conf_Relative + "/";

    QTest::newRow("general parameters document") << conf + "ParGen.xml" << Writer([](const QString& root) {
        return Call([&] { Save_ParGen(State_In(root).ParGen_File, General_Params{}); });
    });
    QTest::newRow("access rules document") << conf + "sdo.xml" << Writer([](const QString& root) {
        return Call([&] { Save_Sdo(State_In(root).Sdo_File, Access_Rules{}); });
    });
    QTest::newRow("diagnosis list document") << conf + "diagnosis.xml" << Writer([](const QString& root) {
        return Call([&] { Save_Diagnosis(State_In(root).Diagnosis_File, Diagnosis_List{}); });
    });
    QTest::newRow("settings file") << "Struttor.xml" << Writer([](const QString& root) {
        const App_State state = State_In(root);
        return Call([&] { Save_Settings(Settings_File_Path(state), state); });
    });
    QTest::newRow("bank.bin, packed image")
        << conf + "bin/bank.bin"
        << Writer([](const QString& root) { return Call([&] { Build_And_Save_Bank(State_In(root)); }); });
    QTest::newRow("bank.bin, fixed image larger than a write buffer")
        << conf + "bin/bank.bin" << Writer([](const QString& root) {
               return Call([&] { Save_Bank(QByteArray(18432, '\x11'), State_In(root).Conf_Dir); });
           });
    QTest::newRow("GSD file") << conf + "Plant.gsd" << Writer([](const QString& root) {
        return Call([&] { Save_GSD_File(State_In(root).Conf_Dir + "/Plant.gsd", GSD_Areas{8, 16}); });
    });
    QTest::newRow("Ethernet updater parameter file")
        << Ethernet_Parameter_File << Writer([](const QString& root) {
               Ethernet_Update_Params params;
               params.ip_address = QStringLiteral("127.0.0.1");
               params.master_dir = State_In(root).Master_Dir;
               params.conf_dir = State_In(root).Conf_Dir;
               return Call(
                   [&] { Compile_XML_Parameter(QDir(root).filePath(Ethernet_Parameter_File), params); });
           });
    QTest::newRow("Update Device step: no update dialog")
        << conf + "bin/bank.bin" << Writer(Update_Device_Step);
    QTest::newRow("Ethernet update: no updater started")
        << Ethernet_Parameter_File << Writer(Ethernet_Update_Step);
    QTest::newRow("GSD step") << conf + "Plant.gsd" << Writer(GSD_Step);
    QTest::newRow("kc40927-cli build") << conf + "bin/bank.bin" << Writer([](const QString& root) {
        return Run_Cli({"build", State_In(root).Conf_Dir});
    });
    QTest::newRow("kc40927-cli gsd") << conf + "Plant.gsd" << Writer([](const QString& root) {
        return Run_Cli({"gsd", State_In(root).Conf_Dir, State_In(root).Conf_Dir + "/Plant.gsd", "--force"});
    });
}

void Tst_Full_Disk::writer_on_a_full_disk() {
    QFETCH(QString, target);
    QFETCH(Writer, writer);

    Small_File_System disk;
    if (!disk.Mounted())
        QSKIP(qPrintable(QStringLiteral("no full file system to try: ") + disk.Error()));
    const QString root = disk.Root();
    QVERIFY(Lay_Out_Program_Folder(root));
    QString why;
    QVERIFY2(disk.Fill(why), qPrintable(why));
    const QMap<QString, QByteArray> before = Snapshot(root);
    QVERIFY(before.contains(target));

    const Attempt attempt = writer(root);

    QVERIFY2(attempt.reported, qPrintable(QStringLiteral("no error reported; message: \"%1\"; %2")
                                              .arg(attempt.message, attempt.problems.join("; "))));
    const QString path = QDir::toNativeSeparators(QDir(root).filePath(target));
    QVERIFY2(attempt.message.contains(path), qPrintable(attempt.message));
    const QString reason = QString::fromLocal8Bit(std::strerror(ENOSPC));
    QVERIFY2(attempt.message.contains(reason), qPrintable(attempt.message));
    QVERIFY2(attempt.problems.isEmpty(), qPrintable(attempt.problems.join("; ")));
    // The old file byte for byte, every other file as it was, nothing added.
    const QStringList differences = Differences(before, Snapshot(root));
    QVERIFY2(differences.isEmpty(), qPrintable(differences.join("; ")));
}

QTEST_MAIN(Tst_Full_Disk)
#include "tst_full_disk_gui.moc"
