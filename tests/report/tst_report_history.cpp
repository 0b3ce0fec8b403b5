// The commissioning report's account of what was sent to the device: the
// device line under the bank.bin line and the last updates recorded.
#include "base/text_table.h"
#include "conf_check_fixture.h"
#include "output/bank_build.h"
#include "report/report_data.h"
#include "report/report_html.h"
#include "test_dirs.h"
#include "update/update_history.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

Update_Entry Sent(const QString& target, int minute) {
    Update_Entry entry;
    entry.Time = QDateTime(QDate(2026, 12, 1), QTime(10, minute), Qt::UTC);
    entry.Configuration = true;
    entry.Firmware = true;
    entry.Target = target;
    entry.End = Update_End::Exit_Status;
    return entry;
}

QString Html_Of(const QString& conf_dir) {
    const Text_Table texts;
    return Report_Html(Read_Report_Data(conf_dir, QDateTime::currentDateTime()), texts);
}

} // namespace

class Tst_Report_History : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void device_line_and_entries();
    void never_sent_and_unreadable_data();
    void never_sent_and_unreadable();
};

void Tst_Report_History::device_line_and_entries() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Conf_Documents documents = Clean_Documents();
    documents.Save(dir.path());
    Update_Entry failed = Sent(QStringLiteral("COM3"), 0);
    failed.End = Update_End::Crashed;
    failed.Exit_Code = 11;
    Record_Update(dir.path(), failed, Build_Bank(dir.path()).Bytes, {});
    Record_Update(dir.path(), Sent(QStringLiteral("COM4"), 5), Build_Bank(dir.path()).Bytes, {});

    QString html = Html_Of(dir.path());
    QVERIFY2(html.contains(QStringLiteral("to COM4, exit status 0 \u2013 device up to date")),
             qPrintable(html));
    const qsizetype history = html.indexOf(QStringLiteral("<h2>Update history</h2>"));
    QVERIFY(history > 0);
    // Newest first, both with what was sent and how it ended.
    const qsizetype newer = html.indexOf(QStringLiteral("COM4"), history);
    const qsizetype older = html.indexOf(QStringLiteral("COM3"), history);
    QVERIFY(newer > 0 && older > newer);
    QVERIFY(html.indexOf(QStringLiteral("crashed (11)"), history) > 0);
    QVERIFY(html.indexOf(QStringLiteral("firmware, configuration"), history) > 0);

    // A document saved after the update: the device no longer holds it.
    documents.Rules.Read_Rules[0].NPoint = "3";
    documents.Save(dir.path());
    html = Html_Of(dir.path());
    QVERIFY2(html.contains(QStringLiteral("\u2013 changed since the last update")), qPrintable(html));
}

void Tst_Report_History::never_sent_and_unreadable_data() {
    QTest::addColumn<QByteArray>("history"); // empty: none
    QTest::addColumn<QString>("line");
    QTest::newRow("nothing sent") << QByteArray() << "Configuration never sent to the device";
    QTest::newRow("damaged history") << QByteArray("<Update_History") << "The update history cannot be read:";
}

void Tst_Report_History::never_sent_and_unreadable() {
    QFETCH(QByteArray, history);
    QFETCH(QString, line);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Clean_Documents().Save(dir.path());
    if (!history.isEmpty())
        QVERIFY(Write_All(dir.filePath(History_File_Name), history));
    const QString html = Html_Of(dir.path());
    QVERIFY2(html.contains(QStringLiteral("<p class=\"device-state\">") + line), qPrintable(html));
    QVERIFY(html.contains(QStringLiteral("<h2>Update history</h2>")));
}

QTEST_GUILESS_MAIN(Tst_Report_History)
#include "tst_report_history.moc"
