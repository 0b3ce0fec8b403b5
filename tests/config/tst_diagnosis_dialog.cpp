#include "base/app_state.h"
#include "base/kc_error.h"
#include "base/text_table.h"
#include "config/diagnosis_dialog.h"
#include "dialog_recorder.h"
#include "document/diagnosis_list.h"
#include "test_dirs.h"

#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

// The diagnosis editor: grid content, validation message, saving, the
// question before data after the end of the list is left out, and the
// documents it refuses to open.
class Tst_Diagnosis_Dialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void frame_texts_and_size();
    void set_lang_applies_changed_texts();
    void mapping_column_fixed_data();
    void mapping_column_fixed();
    void shows_three_ids_and_empties_the_rest();
    void bad_id_refused_with_its_row_data();
    void bad_id_refused_with_its_row();
    void empty_grid_writes_empty_list();
    void typed_id_saved_reopened();
    void cancel_writes_nothing();
    void cancel_discards_the_cell_being_edited();
    void data_after_end_asks_data();
    void data_after_end_asks();
    void blanks_after_end_ask_nothing();
    void more_than_64_entries_warns();
    void broken_document_not_opened();
    void failed_write_shows_error_and_stays_open();
    void shown_by_a_step();

private:
    QTableView* Grid() const { return dialog->findChild<QTableView*>("ASG"); }
    QModelIndex Index(int entry_row, int column = 1) const {
        return Grid()->model()->index(entry_row - 1, column);
    }
    QString Cell(int entry_row) const { return Index(entry_row).data().toString(); }
    void Set_Cell(int entry_row, const QString& text) { Grid()->model()->setData(Index(entry_row), text); }
    QPushButton* Button(const char* name) const { return dialog->findChild<QPushButton*>(name); }
    QString Path() const { return state.Diagnosis_File; }

    QTemporaryDir* dir = nullptr;
    App_State state;
    Text_Table texts;
    Dialog_Recorder* ui = nullptr;
    TFSetDiagnosis* dialog = nullptr;
};

void Tst_Diagnosis_Dialog::init() {
    dir = new QTemporaryDir;
    state = App_State{};
    state.Conf_Dir = dir->path();
    state.Set_Files();
    texts.Set_Default_Texts();
    ui = new Dialog_Recorder;
    dialog = new TFSetDiagnosis(state, texts, *ui);
}

void Tst_Diagnosis_Dialog::cleanup() {
    QVERIFY2(ui->All_Answered(), "an expected box was not shown");
    delete dialog;
    delete ui;
    delete dir;
}

void Tst_Diagnosis_Dialog::frame_texts_and_size() {
    QCOMPARE(dialog->objectName(), QString("FSetDiagnosis"));
    // At least the client area of old, and 16 entries in sight.
    QVERIFY(dialog->width() >= 310);
    QVERIFY(dialog->height() >= 337);
    dialog->show();
    QVERIFY(Grid()->viewport()->height() >= 16 * Grid()->rowHeight(0));
    QCOMPARE(dialog->windowTitle(), QString("Error / Diagnosis"));
    QCOMPARE(dialog->findChild<QLabel*>("L_SW_Code")->text(), state.Soft_Code);
    QCOMPARE(dialog->findChild<QLabel*>("L_SW_Desc")->text(), QString("Set Error / Diagnosis"));
    QCOMPARE(Button("Btn_OK")->text(), QString("OK"));
    QCOMPARE(Button("Btn_OK")->toolTip(), QString("Confirm and save the Set Error / Diagnosis"));
    QCOMPARE(Button("Btn_Cancel")->text(), QString("Cancel"));
    QCOMPARE(Button("Btn_Cancel")->toolTip(), QString("Exit without save the Set Error / Diagnosis"));
    QCOMPARE(Grid()->model()->rowCount(), 64);
    QCOMPARE(Grid()->model()->columnCount(), 2);
    QCOMPARE(Grid()->model()->headerData(0, Qt::Horizontal).toString(), QString("Index / Bit-Mapping"));
    QCOMPARE(Grid()->model()->headerData(1, Qt::Horizontal).toString(), QString("Modbus Slave ID"));
}

void Tst_Diagnosis_Dialog::set_lang_applies_changed_texts() {
    for (int index = 700; index <= 707; ++index)
        texts.Set_Text(index, QStringLiteral("T%1").arg(index));
    dialog->Set_Lang();
    QCOMPARE(dialog->windowTitle(), QString("T700"));
    QCOMPARE(dialog->findChild<QLabel*>("L_SW_Desc")->text(), QString("T701"));
    QCOMPARE(Button("Btn_OK")->text(), QString("T702"));
    QCOMPARE(Button("Btn_Cancel")->text(), QString("T703"));
    QCOMPARE(Button("Btn_OK")->toolTip(), QString("T704"));
    QCOMPARE(Button("Btn_Cancel")->toolTip(), QString("T705"));
    QCOMPARE(Grid()->model()->headerData(0, Qt::Horizontal).toString(), QString("T706"));
    QCOMPARE(Grid()->model()->headerData(1, Qt::Horizontal).toString(), QString("T707"));
}

void Tst_Diagnosis_Dialog::mapping_column_fixed_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::newRow("1") << 1 << "1/Byte:0, Bit:0";
    QTest::newRow("8") << 8 << "8/Byte:0, Bit:7";
    QTest::newRow("9") << 9 << "9/Byte:1, Bit:0";
    QTest::newRow("57") << 57 << "57/Byte:7, Bit:0";
    QTest::newRow("64") << 64 << "64/Byte:7, Bit:7";
}

void Tst_Diagnosis_Dialog::mapping_column_fixed() {
    QFETCH(int, row);
    QFETCH(QString, text);
    dialog->FormShow();
    const QModelIndex mapping = Index(row, 0);
    QCOMPARE(mapping.data().toString(), text);
    QVERIFY(!(mapping.flags() & Qt::ItemIsEditable));
    QVERIFY(Index(row).flags() & Qt::ItemIsEditable);
}

void Tst_Diagnosis_Dialog::shows_three_ids_and_empties_the_rest() {
    // Cells typed at an earlier showing are gone.
    Set_Cell(10, "99");
    QVERIFY(QFile::copy(Fixture_Path("diagnosis/three_ids.xml"), Path()));
    dialog->FormShow();
    QStringList expected = {"1", " 12", "247"};
    while (expected.size() < 64)
        expected.append(QString());
    QCOMPARE(dialog->Cells(), expected);
}

void Tst_Diagnosis_Dialog::bad_id_refused_with_its_row_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << "0";
    QTest::newRow("248") << "248";
    QTest::newRow("abc") << "abc";
    QTest::newRow("trailing blank") << "12 ";
}

void Tst_Diagnosis_Dialog::bad_id_refused_with_its_row() {
    QFETCH(QString, text);
    dialog->FormShow();
    dialog->show();
    for (int row = 1; row <= 4; ++row)
        Set_Cell(row, QString::number(row));
    Set_Cell(5, text);
    ui->Expect_Error(QString("Error row 5!! Modbus ID must be between 1 and 247"));
    QTest::mouseClick(Button("Btn_OK"), Qt::LeftButton);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QVERIFY(!QFile::exists(Path()));
    QCOMPARE(Cell(5), text);
    // The failing cell is the one the user is put on.
    QCOMPARE(Grid()->currentIndex(), Index(5));
    QCOMPARE(Grid()->selectionModel()->selectedIndexes(), QModelIndexList{Index(5)});
    QCOMPARE(dialog->focusWidget(), static_cast<QWidget*>(Grid()));
}

void Tst_Diagnosis_Dialog::empty_grid_writes_empty_list() {
    dialog->FormShow();
    dialog->show();
    QTest::mouseClick(Button("Btn_OK"), Qt::LeftButton);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(Read_All(Path()), QByteArray("<Modbus_IDs/><!--SW_VERSION = 2.110-->"));
}

void Tst_Diagnosis_Dialog::typed_id_saved_reopened() {
    dialog->FormShow();
    dialog->show();
    Set_Cell(1, "1");
    Set_Cell(2, " 12");
    Set_Cell(3, "247");
    // Row 4 typed through the cell editor, still open when OK is pressed.
    Grid()->setCurrentIndex(Index(4));
    Grid()->edit(Index(4));
    QLineEdit* editor = Grid()->findChild<QLineEdit*>();
    QVERIFY(editor);
    QTest::keyClicks(editor, "33");
    QTest::mouseClick(Button("Btn_OK"), Qt::LeftButton);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(Load_Diagnosis(Path()).IDs, (QStringList{"1", " 12", "247", "33"}));

    // Shown again: the saved entries come back.
    dialog->FormShow();
    QCOMPARE(dialog->Cells().mid(0, 5), (QStringList{"1", " 12", "247", "33", ""}));
}

void Tst_Diagnosis_Dialog::cancel_writes_nothing() {
    QVERIFY(QFile::copy(Fixture_Path("diagnosis/three_ids.xml"), Path()));
    const QByteArray before = Read_All(Path());
    dialog->FormShow();
    dialog->show();
    Set_Cell(1, "5");
    Set_Cell(4, "6");
    ui->Expect_Question(true, QString("The table has been changed. Discard the changes?"),
                        Ui_Services::Default_Answer::No);
    QTest::mouseClick(Button("Btn_Cancel"), Qt::LeftButton);
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QCOMPARE(Read_All(Path()), before);
    dialog->FormShow();
    QCOMPARE(dialog->Cells().mid(0, 4), (QStringList{"1", " 12", "247", ""}));
}

void Tst_Diagnosis_Dialog::cancel_discards_the_cell_being_edited() {
    QVERIFY(QFile::copy(Fixture_Path("diagnosis/three_ids.xml"), Path()));
    dialog->FormShow();
    dialog->show();
    // Row 2 is being typed into when the user cancels.
    Grid()->setCurrentIndex(Index(2));
    Grid()->edit(Index(2));
    QLineEdit* editor = Grid()->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, "99");
    // The text being typed is a change too.
    ui->Expect_Question(true, QString("The table has been changed. Discard the changes?"));
    QTest::mouseClick(Button("Btn_Cancel"), Qt::LeftButton);
    QCOMPARE(dialog->result(), int(QDialog::Rejected));

    // The next showing holds the stored list, and OK stores it unchanged.
    dialog->FormShow();
    dialog->show();
    QCOMPARE(dialog->Cells().mid(0, 4), (QStringList{"1", " 12", "247", ""}));
    QTest::mouseClick(Button("Btn_OK"), Qt::LeftButton);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(Load_Diagnosis(Path()).IDs, (QStringList{"1", " 12", "247"}));
}

void Tst_Diagnosis_Dialog::data_after_end_asks_data() {
    QTest::addColumn<bool>("answer_yes");
    QTest::newRow("Yes saves up to the end of the list") << true;
    QTest::newRow("No keeps the dialog open") << false;
}

void Tst_Diagnosis_Dialog::data_after_end_asks() {
    QFETCH(bool, answer_yes);
    dialog->FormShow();
    dialog->show();
    Set_Cell(1, "1");
    Set_Cell(2, "2");
    Set_Cell(3, " ");
    Set_Cell(5, "abc"); // after the end: not validated, but data
    Set_Cell(6, "6");
    ui->Expect_Question(answer_yes,
                        QString("Rows from row 5 on hold data that will not be saved, because the "
                                "diagnosis list ends at the first row without a Modbus Slave ID. "
                                "Save anyway?"),
                        Ui_Services::Default_Answer::No);
    QTest::mouseClick(Button("Btn_OK"), Qt::LeftButton);
    if (answer_yes) {
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(Read_All(Path()),
                 QByteArray("<Modbus_IDs><ID>1</ID><ID>2</ID></Modbus_IDs><!--SW_VERSION = 2.110-->"));
    } else {
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QVERIFY(!QFile::exists(Path()));
        QCOMPARE(Cell(6), QString("6"));
    }
}

void Tst_Diagnosis_Dialog::blanks_after_end_ask_nothing() {
    dialog->FormShow();
    dialog->show();
    Set_Cell(1, "1");
    Set_Cell(3, "   ");
    Set_Cell(64, "\t");
    QTest::mouseClick(Button("Btn_OK"), Qt::LeftButton); // the recorder fails on any box
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(Load_Diagnosis(Path()).IDs, QStringList{"1"});
}

void Tst_Diagnosis_Dialog::more_than_64_entries_warns() {
    QVERIFY(QFile::copy(Fixture_Path("diagnosis/seventy_ids.xml"), Path()));
    ui->Expect_Warning(QString("The diagnosis list holds 70 entries, but only 64 can be shown and saved: the "
                               "entries after the 64th will not be kept when you save."));
    dialog->FormShow();
    QCOMPARE(dialog->Cells().first(), QString("1"));
    QCOMPARE(dialog->Cells().last(), QString("64"));
    dialog->show();
    QTest::mouseClick(Button("Btn_OK"), Qt::LeftButton);
    QCOMPARE(Load_Diagnosis(Path()).IDs.size(), 64);
}

void Tst_Diagnosis_Dialog::broken_document_not_opened() {
    QVERIFY(QFile::copy(Fixture_Path("broken/truncated.xml"), Path()));
    const QByteArray before = Read_All(Path());
    Set_Cell(1, "kept");
    QVERIFY_THROWS_EXCEPTION(Kc_Error, dialog->FormShow());
    QCOMPARE(Cell(1), QString("kept"));
    QCOMPARE(Read_All(Path()), before);
}

void Tst_Diagnosis_Dialog::failed_write_shows_error_and_stays_open() {
    state.Diagnosis_File = dir->filePath("missing/diagnosis.xml");
    dialog->FormShow();
    dialog->show();
    Set_Cell(1, "1");
    ui->Expect_Error();
    QTest::mouseClick(Button("Btn_OK"), Qt::LeftButton);
    QVERIFY(ui->Shown_Texts(Ui_Recorder::Kind::Error).value(0).contains("diagnosis.xml"));
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
}

void Tst_Diagnosis_Dialog::shown_by_a_step() {
    // What the main window's Error/Diagnosis step does.
    QVERIFY(QFile::copy(Fixture_Path("diagnosis/three_ids.xml"), Path()));
    ui->Expect_Modal([this](QDialog& shown) {
        [&] { QCOMPARE(&shown, static_cast<QDialog*>(dialog)); }();
        Set_Cell(4, "100");
        QTest::mouseClick(Button("Btn_OK"), Qt::LeftButton);
        return shown.result();
    });
    dialog->FormShow();
    QCOMPARE(ui->Show_Modal(*dialog), int(QDialog::Accepted));
    QCOMPARE(Load_Diagnosis(Path()).IDs, (QStringList{"1", " 12", "247", "100"}));
}

QTEST_MAIN(Tst_Diagnosis_Dialog)
#include "tst_diagnosis_dialog.moc"
