// The update history of a configuration: what was sent, kept within its
// bounds, never fatal when unreadable, and what it says of the device.
#include "test_dirs.h"
#include "update/update_history.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(Update_Entry)

namespace {

const QDateTime start = QDateTime(QDate(2026, 12, 11), QTime(3, 15, 42, 123), Qt::UTC);

Update_Entry Configuration_Sent(int seconds_later) {
    Update_Entry entry;
    entry.Time = start.addSecs(seconds_later);
    entry.Hardware_Type = 0;
    entry.Configuration = true;
    entry.Firmware = seconds_later % 2 == 0;
    entry.Target = QStringLiteral("ttyUSB0");
    entry.End = Update_End::Exit_Status;
    return entry;
}

QStringList Sent_Files(const QString& conf_dir) {
    return QDir(QDir(conf_dir).filePath("bin/sent")).entryList(QDir::Files, QDir::Name);
}

} // namespace

class Tst_Update_History : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void round_trip();
    void unusable_files_data();
    void unusable_files();
    void unreadable_history_is_put_aside();
    void bounded();
    void image_and_output_kept();
    void completed_after_the_wait();
    void device_state_data();
    void device_state();
};

void Tst_Update_History::round_trip() {
    QList<Update_Entry> entries{Configuration_Sent(0), Configuration_Sent(1)};
    entries[1].Hardware_Type = 1;
    entries[1].Target = QStringLiteral("192.168.2.205");
    entries[1].End = Update_End::Crashed;
    entries[1].Exit_Code = 11;
    entries[1].Read_Back = true;
    entries[1].Image_Sha256 = Image_Sha256("image");
    entries[1].Image_File = QStringLiteral("bin/sent/x.bin");
    entries[1].Log_File = QStringLiteral("bin/sent/x.log");
    const Update_History read = Parse_Update_History(Update_History_Xml(entries));
    QCOMPARE(int(read.Status), int(Update_History::State::Read));
    QCOMPARE(read.Entries, entries);
    QCOMPARE(Update_History_Xml(read.Entries), Update_History_Xml(entries));
}

void Tst_Update_History::unusable_files_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("state");

    const int unreadable = int(Update_History::State::Unreadable);
    QTest::newRow("not XML") << QByteArray("\x00\x01garbage", 9) << unreadable;
    QTest::newRow("cut short") << QByteArray("<Update_History Format=\"1\"><Update Time=") << unreadable;
    QTest::newRow("another document") << QByteArray("<SDO/>") << unreadable;
    QTest::newRow("no format") << QByteArray("<Update_History/>") << unreadable;
    QTest::newRow("entry without time")
        << QByteArray("<Update_History Format=\"1\"><Update Hardware_Type=\"0\" "
                      "End=\"exit_status\" Exit_Code=\"0\"/></Update_History>")
        << unreadable;
    QTest::newRow("image outside the sent folder")
        << QByteArray(
               "<Update_History Format=\"1\"><Update Time=\"2026-12-11T03:15:42.123Z\" Hardware_Type=\"0\" "
               "End=\"exit_status\" Exit_Code=\"0\" Image_File=\"../../ParGen.xml\"/></Update_History>")
        << unreadable;
    QTest::newRow("from a newer program")
        << QByteArray("<Update_History Format=\"7\"/>") << int(Update_History::State::Future);
}

void Tst_Update_History::unusable_files() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, state);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(Write_All(dir.filePath(History_File_Name), bytes));
    const Update_History history = Read_Update_History(dir.path());
    QCOMPARE(int(history.Status), state);
    QVERIFY(history.Entries.isEmpty());
    QVERIFY(!history.Problem.isEmpty());
    const Device_State device = Device_State_Of(history, QByteArray("image"));
    QCOMPARE(int(device.Status), int(Device_State::Kind::History_Unusable));
    QCOMPARE(device.Problem, history.Problem);
}

void Tst_Update_History::unreadable_history_is_put_aside() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(Write_All(dir.filePath(History_File_Name), "<Update_History Format=\"9\"/>"));
    const Update_Entry entry = Configuration_Sent(5);
    Record_Update(dir.path(), entry, {}, {});
    const QString aside = dir.filePath(History_File_Name + ".unreadable-" + Sent_Stem(entry.Time));
    QCOMPARE(Read_All(aside), QByteArray("<Update_History Format=\"9\"/>"));
    const Update_History history = Read_Update_History(dir.path());
    QCOMPARE(int(history.Status), int(Update_History::State::Read));
    QCOMPARE(history.Entries.size(), 1);
    QCOMPARE(history.Entries[0].Time, entry.Time);
}

void Tst_Update_History::bounded() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (int i = 0; i < Max_History_Entries + 5; ++i)
        Record_Update(dir.path(), Configuration_Sent(i), QByteArray("image ") + QByteArray::number(i),
                      i % 3 == 0 ? QStringLiteral("output %1").arg(i) : QString());
    const Update_History history = Read_Update_History(dir.path());
    QCOMPARE(history.Entries.size(), Max_History_Entries);
    QCOMPARE(history.Entries.first().Time, start.addSecs(5)); // the oldest five dropped
    QCOMPARE(history.Entries.last().Time, start.addSecs(Max_History_Entries + 4));

    // The newest images kept, with the files the entries name and no other.
    QStringList named;
    int images = 0;
    for (const Update_Entry& entry : history.Entries) {
        QVERIFY(!entry.Image_Sha256.isEmpty()); // the checksum outlives the copy
        if (!entry.Image_File.isEmpty()) {
            ++images;
            named << QFileInfo(entry.Image_File).fileName();
        }
        if (!entry.Log_File.isEmpty())
            named << QFileInfo(entry.Log_File).fileName();
    }
    QCOMPARE(images, Max_Sent_Images);
    QVERIFY(history.Entries[history.Entries.size() - Max_Sent_Images - 1].Image_File.isEmpty());
    named.sort();
    QCOMPARE(Sent_Files(dir.path()), named);
}

void Tst_Update_History::image_and_output_kept() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray image("\x01\x02\x03 bank", 9);
    QString output = QStringLiteral("Ä").repeated(Max_Sent_Log_Bytes); // twice the bound in UTF-8
    output += QStringLiteral("last line\n");
    Record_Update(dir.path(), Configuration_Sent(0), image, output);
    const Update_Entry entry = Read_Update_History(dir.path()).Entries.value(0);
    QCOMPARE(entry.Image_Sha256, Image_Sha256(image));
    QCOMPARE(Read_All(dir.filePath(entry.Image_File)), image);
    const QByteArray log = Read_All(dir.filePath(entry.Log_File));
    QVERIFY(log.size() <= Max_Sent_Log_Bytes);
    QVERIFY(log.endsWith("last line\n"));
    QCOMPARE(QString::fromUtf8(log).toUtf8(), log); // cut at a character boundary
}

void Tst_Update_History::completed_after_the_wait() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Update_Entry entry = Configuration_Sent(0);
    entry.End = Update_End::Still_Running;
    Record_Update(dir.path(), entry, "image", QStringLiteral("started\n"));
    Complete_Update(dir.path(), entry.Time, Update_End::Exit_Status, 3, QStringLiteral("started\nfailed\n"));
    const Update_Entry done = Read_Update_History(dir.path()).Entries.value(0);
    QCOMPARE(int(done.End), int(Update_End::Exit_Status));
    QCOMPARE(done.Exit_Code, 3);
    QCOMPARE(Read_All(dir.filePath(done.Log_File)), QByteArray("started\nfailed\n"));
}

void Tst_Update_History::device_state_data() {
    QTest::addColumn<QList<Update_Entry>>("entries");
    QTest::addColumn<bool>("builds");
    QTest::addColumn<int>("kind");

    Update_Entry sent = Configuration_Sent(0);
    sent.Image_Sha256 = Image_Sha256("image A");
    Update_Entry firmware_only = Configuration_Sent(1);
    firmware_only.Configuration = false;

    QTest::newRow("nothing sent") << QList<Update_Entry>{} << true << int(Device_State::Kind::Never_Sent);
    QTest::newRow("firmware only") << QList<Update_Entry>{firmware_only} << true
                                   << int(Device_State::Kind::Never_Sent);
    QTest::newRow("up to date") << QList<Update_Entry>{sent, firmware_only} << true
                                << int(Device_State::Kind::Up_To_Date);
    Update_Entry other = sent;
    other.Image_Sha256 = Image_Sha256("image B");
    QTest::newRow("changed since") << QList<Update_Entry>{sent, other} << true
                                   << int(Device_State::Kind::Changed);
    QTest::newRow("does not build") << QList<Update_Entry>{sent} << false
                                    << int(Device_State::Kind::Cannot_Build);
}

void Tst_Update_History::device_state() {
    QFETCH(QList<Update_Entry>, entries);
    QFETCH(bool, builds);
    QFETCH(int, kind);
    Update_History history;
    history.Status = entries.isEmpty() ? Update_History::State::Missing : Update_History::State::Read;
    history.Entries = entries;
    const Device_State state =
        Device_State_Of(history, builds ? std::optional<QByteArray>("image A") : std::nullopt);
    QCOMPARE(int(state.Status), kind);
}

QTEST_GUILESS_MAIN(Tst_Update_History)
#include "tst_update_history.moc"
