// kc40927-screenshots makes every picture of the user guide, and none is
// blank: each shows more than one colour.
#include "test_dirs.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class Tst_Screenshots_Gui : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void picture_data();
    void picture();
    void guide_uses_only_pictures_the_tool_makes();

private:
    QTemporaryDir out;
};

namespace {

const QStringList Pictures = {"main_window_start",
                              "new_configuration",
                              "open_configuration",
                              "main_window",
                              "communication_serial",
                              "access_rules_read",
                              "access_rules_write",
                              "io_map",
                              "diagnosis",
                              "gsd_file",
                              "update_serial",
                              "main_window_ethernet",
                              "communication_ethernet",
                              "access_rules_read_ethernet",
                              "access_rules_write_ethernet",
                              "io_map_ethernet",
                              "update_ethernet",
                              "options_language",
                              "options_connection",
                              "options_settings",
                              "about",
                              "main_window_german"};

} // namespace

void Tst_Screenshots_Gui::initTestCase() {
    QVERIFY(out.isValid());
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(QStringLiteral(KC_BIN_DIR "/kc40927-screenshots"), {out.path()});
    QVERIFY(tool.waitForFinished(120000));
    QVERIFY2(tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0, tool.readAll().constData());
}

void Tst_Screenshots_Gui::picture_data() {
    QTest::addColumn<QString>("name");
    for (const QString& name : Pictures)
        QTest::newRow(qPrintable(name)) << name;
}

void Tst_Screenshots_Gui::picture() {
    QFETCH(QString, name);
    const QImage image(out.filePath(name + ".png"));
    QVERIFY2(!image.isNull(), qPrintable(name));
    QVERIFY(image.width() >= 200 && image.height() >= 100);
    const QRgb first = image.pixel(0, 0);
    bool varied = false;
    for (int y = 0; y < image.height() && !varied; ++y)
        for (int x = 0; x < image.width() && !varied; ++x)
            varied = image.pixel(x, y) != first;
    QVERIFY2(varied, qPrintable(name + " is one colour"));
}

// Every picture the guide and the README name is one the tool makes, and the
// tool makes no picture nobody shows. (Pictures under images/windows/ come
// from the Windows installer check under Wine, not from the tool; the
// pattern below passes over them.)
void Tst_Screenshots_Gui::guide_uses_only_pictures_the_tool_makes() {
    const QStringList made = QDir(out.path()).entryList({"*.png"}, QDir::Files, QDir::Name);
    QStringList expected;
    for (const QString& name : Pictures)
        expected << name + ".png";
    expected.sort();
    QCOMPARE(made, expected);
    QString docs = QString::fromUtf8(Read_All(KC_SOURCE_DIR "/docs/USER_GUIDE.md") +
                                     Read_All(KC_SOURCE_DIR "/README.md"));
    QRegularExpression reference(QStringLiteral("images/([A-Za-z0-9_]+\\.png)"));
    QStringList shown;
    for (auto match = reference.globalMatch(docs); match.hasNext();)
        shown << match.next().captured(1);
    shown.removeDuplicates();
    shown.sort();
    QCOMPARE(shown, expected);
}

QTEST_MAIN(Tst_Screenshots_Gui)
#include "tst_screenshots_gui.moc"
