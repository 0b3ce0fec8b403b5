#include "app/standard_boxes_gui.h"
#include "base/text_table.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The captions a German language file gives the shared texts.
Text_Table German_Texts() {
    Text_Table texts;
    const QList<QPair<int, QString>> german{
        {31, "Ja"},         {32, "Nein"},       {33, "Gut"},       {34, "Abbrechen"}, {35, "Speichern als"},
        {36, "Suchen in:"}, {37, "Dateiname:"}, {38, "Dateityp:"}, {39, "Speichern"},
    };
    for (const auto& [index, text] : german)
        texts.Set_Text(index, text);
    return texts;
}

} // namespace

class Tst_Standard_Boxes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void message_box_buttons_data();
    void message_box_buttons();
    void message_is_plain_text();
    void link_failure_box();
    void save_file_chooser();
};

void Tst_Standard_Boxes::message_box_buttons_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("error and warning") << int(QMessageBox::Ok) << QStringList{"Gut"};
    QTest::newRow("question") << int(QMessageBox::Yes | QMessageBox::No) << QStringList{"Ja", "Nein"};
    QTest::newRow("with Cancel") << int(QMessageBox::Ok | QMessageBox::Cancel)
                                 << QStringList{"Gut", "Abbrechen"};
}

void Tst_Standard_Boxes::message_box_buttons() {
    QFETCH(int, buttons);
    QFETCH(QStringList, captions);
    const Text_Table texts = German_Texts();
    const auto box = Make_Message_Box(nullptr, QMessageBox::Question, "KC40927", "Sicher?",
                                      QMessageBox::StandardButtons(buttons), texts);
    QStringList shown;
    for (QAbstractButton* button : box->buttons())
        shown.append(button->text());
    shown.sort();
    captions.sort();
    QCOMPARE(shown, captions);
    QCOMPARE(box->windowTitle(), QString("KC40927"));
    QCOMPARE(box->icon(), QMessageBox::Question);
}

void Tst_Standard_Boxes::message_is_plain_text() {
    const Text_Table texts;
    const auto box =
        Make_Message_Box(nullptr, QMessageBox::Critical, "KC40927", "<b>x</b>", QMessageBox::Ok, texts);
    QCOMPARE(box->textFormat(), Qt::PlainText);
    QCOMPARE(box->text(), QString("<b>x</b>"));
    // The English defaults.
    QCOMPARE(box->button(QMessageBox::Ok)->text(), QString("OK"));
}

void Tst_Standard_Boxes::link_failure_box() {
    const Text_Table texts = German_Texts();
    const QString url = "http://www.maker.invalid/HOME/default.asp?frompg=KC40927";
    const auto box = Make_Link_Failure_Box(nullptr, "KC40927", "Nicht geöffnet:", url, texts);
    QCOMPARE(box->icon(), QMessageBox::Critical);
    QCOMPARE(box->text(), "Nicht geöffnet:\n" + url);
    QCOMPARE(box->textFormat(), Qt::PlainText);
    QVERIFY(box->textInteractionFlags() & Qt::TextSelectableByMouse);
    QVERIFY(box->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    // The label showing the address lets the user select it.
    bool selectable_label = false;
    for (const QLabel* label : box->findChildren<QLabel*>())
        if (label->text().contains(url))
            selectable_label = label->textInteractionFlags().testFlag(Qt::TextSelectableByMouse);
    QVERIFY(selectable_label);
    QCOMPARE(box->buttons().size(), 1);
    QCOMPARE(box->button(QMessageBox::Ok)->text(), QString("Gut"));
}

void Tst_Standard_Boxes::save_file_chooser() {
    const Text_Table texts = German_Texts();
    QTemporaryDir dir;
    const auto chooser =
        Make_Save_File_Dialog(nullptr, dir.path(), "Generic Station Description (*.gsd)", texts);
    QCOMPARE(chooser->windowTitle(), QString("Speichern als"));
    QCOMPARE(chooser->labelText(QFileDialog::LookIn), QString("Suchen in:"));
    QCOMPARE(chooser->labelText(QFileDialog::FileName), QString("Dateiname:"));
    QCOMPARE(chooser->labelText(QFileDialog::FileType), QString("Dateityp:"));
    QCOMPARE(chooser->labelText(QFileDialog::Accept), QString("Speichern"));
    QCOMPARE(chooser->labelText(QFileDialog::Reject), QString("Abbrechen"));
    QCOMPARE(chooser->acceptMode(), QFileDialog::AcceptSave);
    // Only Qt's own chooser takes the captions; overwriting is asked by the caller.
    QVERIFY(chooser->testOption(QFileDialog::DontUseNativeDialog));
    QVERIFY(chooser->testOption(QFileDialog::DontConfirmOverwrite));
    QCOMPARE(QDir(chooser->directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
    QCOMPARE(chooser->nameFilters(), QStringList{"Generic Station Description (*.gsd)"});
}

QTEST_MAIN(Tst_Standard_Boxes)
#include "tst_standard_boxes_gui.moc"
