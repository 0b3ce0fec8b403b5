#include "base/app_state.h"
#include "base/text_table.h"
#include "config/access_rules_dialog.h"
#include "config/diagnosis_dialog.h"
#include "config/grid_editing_gui.h"
#include "config/text_grid_model.h"
#include "document/access_rules.h"
#include "document/access_rules_table.h"
#include "document/diagnosis_list.h"
#include "test_dirs.h"
#include "ui_recorder.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

// The Export and Import buttons of the rules editor and of the diagnosis
// editor: the choosers and questions they ask, the grid an import fills,
// the messages of a refused file, and that nothing reaches the document
// before OK.
class Tst_Table_Csv_Dialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void rules_buttons_carry_their_texts();
    void rules_export_writes_the_table_of_its_page();
    void rules_export_asks_before_replacing();
    void rules_import_replaces_the_rows_until_ok();
    void rules_import_refusal_shown_grid_kept_data();
    void rules_import_refusal_shown_grid_kept();
    void rules_import_cancelled();
    void rules_import_takes_type_and_flags_in_standard_form();
    void import_gives_the_grid_the_focus_data();
    void import_gives_the_grid_the_focus();
    void diagnosis_export_and_import();
    void diagnosis_import_refusal_shown();

private:
    QString Csv_Path(const QString& name) const { return dir->filePath(name); }
    QString Cell(Text_Grid_Model* model, int row, int column) const {
        return model->Table().Cell(row, column);
    }

    std::unique_ptr<QTemporaryDir> dir;
    App_State state;
    Text_Table texts;
    std::unique_ptr<Ui_Recorder> ui;
};

namespace {

const QString csv_filter = QStringLiteral("CSV file (*.csv)");

Access_Rule Rule(const QString& slave, const QString& mnemonic, bool write) {
    Access_Rule rule;
    rule.Enable = "Y";
    rule.Slave_ID = slave;
    rule.Type = "Holding Register";
    rule.Address_Mod = "0";
    rule.NPoint = "1";
    rule.PollTime = "5";
    rule.MaxError = "";
    rule.Address_Profi = "0";
    rule.Bit = "";
    rule.Swap = "N";
    rule.Mnemonic = mnemonic;
    if (write) {
        rule.OnChange = "";
        rule.OnCMD = "N";
        rule.ForceF15F16 = "Y";
    }
    return rule;
}

QPushButton* Button(QWidget& dialog, const char* name) {
    return dialog.findChild<QPushButton*>(name);
}

} // namespace

void Tst_Table_Csv_Dialogs::init() {
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    state = App_State{};
    state.Conf_Dir = dir->path();
    state.Set_Files();
    texts.Set_Default_Texts();
    ui = std::make_unique<Ui_Recorder>();
}

void Tst_Table_Csv_Dialogs::cleanup() {
    QVERIFY2(ui->All_Answered(), "an expected box or chooser was not shown");
}

void Tst_Table_Csv_Dialogs::rules_buttons_carry_their_texts() {
    TFSetAccess dialog(state, texts, *ui);
    for (const char* name : {"Btn_Export_Read", "Btn_Export_Write"}) {
        QVERIFY(Button(dialog, name));
        QCOMPARE(Button(dialog, name)->text(), QString("Export CSV"));
    }
    for (const char* name : {"Btn_Import_Read", "Btn_Import_Write"})
        QCOMPARE(Button(dialog, name)->text(), QString("Import CSV"));
    texts.Set_Text(952, "CSV einlesen");
    dialog.Set_Lang();
    QCOMPARE(Button(dialog, "Btn_Import_Write")->text(), QString("CSV einlesen"));
}

void Tst_Table_Csv_Dialogs::rules_export_writes_the_table_of_its_page() {
    Access_Rules rules;
    rules.Read_Rules = {Rule("1", "first \"read\"", false), Rule("2", "second, read", false)};
    rules.Write_Rules = {Rule("9", "only write", true)};
    Save_Sdo(state.Sdo_File, rules);
    TFSetAccess dialog(state, texts, *ui);
    dialog.FormShow();
    // An edit not yet saved goes out too: the export shows the grid.
    QVERIFY(dialog.Read_Model()->setData(dialog.Read_Model()->index(1, Read_Col::Mnemonic), "edited"));

    // The name gets ".csv"; the chooser opens in the configuration folder.
    ui->Expect_Save_File(Csv_Path("read"));
    Button(dialog, "Btn_Export_Read")->click();
    QCOMPARE(ui->Shown().last().text, state.Conf_Dir + " | " + csv_filter);
    QCOMPARE(
        Read_All(Csv_Path("read.csv")),
        QByteArray(
            "Enable,Slave_ID,Type,Address_Mod,NPoint,PollTime,MaxError,Address_Profi,Bit,Swap,Mnemonic\r\n"
            "Y,1,Holding Register,0,1,5,,0,,N,\"first \"\"read\"\"\"\r\n"
            "Y,2,Holding Register,0,1,5,,0,,N,edited\r\n"));

    ui->Expect_Save_File(Csv_Path("write.CSV"));
    Button(dialog, "Btn_Export_Write")->click();
    QCOMPARE(
        Read_All(Csv_Path("write.CSV")),
        QByteArray("Enable,Slave_ID,Type,Address_Mod,NPoint,PollTime,OnChange,OnCMD,MaxError,Address_Profi,"
                   "Bit,Swap,ForceF15F16,Mnemonic\r\n"
                   "Y,9,Holding Register,0,1,5,,N,,0,,N,Y,only write\r\n"));
    // Exporting saved nothing.
    QCOMPARE(Load_Sdo(state.Sdo_File), rules);
}

void Tst_Table_Csv_Dialogs::rules_export_asks_before_replacing() {
    TFSetAccess dialog(state, texts, *ui);
    dialog.FormShow();
    QVERIFY(Write_All(Csv_Path("rules.csv"), "keep me"));
    ui->Expect_Save_File(Csv_Path("rules.csv"));
    ui->Expect_Question(false, QString("File already exists! Do you want to overwrite the file?"));
    dialog.Btn_ExportClick(Rule_Table::Read);
    QCOMPARE(Read_All(Csv_Path("rules.csv")), QByteArray("keep me"));

    ui->Expect_Save_File(Csv_Path("rules.csv"));
    ui->Expect_Question(true);
    dialog.Btn_ExportClick(Rule_Table::Read);
    QVERIFY(Read_All(Csv_Path("rules.csv")).startsWith("Enable,Slave_ID"));

    // Cancelling the chooser writes nothing.
    ui->Expect_Save_File(QString());
    dialog.Btn_ExportClick(Rule_Table::Write);
    QCOMPARE(QDir(dir->path()).entryList({"*.csv"}, QDir::Files), QStringList{"rules.csv"});
}

void Tst_Table_Csv_Dialogs::rules_import_replaces_the_rows_until_ok() {
    Access_Rules rules;
    rules.Read_Rules = {Rule("1", "a", false), Rule("2", "b", false), Rule("3", "c", false)};
    rules.Write_Rules = {Rule("9", "w", true)};
    Save_Sdo(state.Sdo_File, rules);
    const QByteArray stored = Read_All(state.Sdo_File);
    TFSetAccess dialog(state, texts, *ui);
    dialog.FormShow();

    // Columns in another order, one hidden for hardware type 0 (PollTime).
    QVERIFY(Write_All(Csv_Path("in.csv"),
                      "\xEF\xBB\xBFMnemonic;Slave_ID;Type;Address_Mod;NPoint;Address_Profi;"
                      "PollTime;Enable\r\n"
                      "\"Kessel; \"\"B\"\"\";5;Coil Status;10;8;3;250;Y\r\n"));
    ui->Expect_Open_File(Csv_Path("in.csv"));
    Button(dialog, "Btn_Import_Read")->click();
    QCOMPARE(ui->Shown().last().text, state.Conf_Dir + " | " + csv_filter);

    Text_Grid_Model* read = dialog.Read_Model();
    QCOMPARE(Cell(read, 1, Read_Col::Slave_ID), QString("5"));
    QCOMPARE(Cell(read, 1, Read_Col::Mnemonic), QString("Kessel; \"B\""));
    QCOMPARE(Cell(read, 1, Read_Col::PollTime), QString("250"));
    QCOMPARE(Cell(read, 1, Read_Col::Swap), QString()); // not in the file
    // The rows of the old rules are reset as at a showing; the header stays.
    QCOMPARE(Cell(read, 2, Read_Col::Slave_ID), QString());
    QCOMPARE(Cell(read, 2, Read_Col::Enable), QString("Y"));
    QCOMPARE(Cell(read, 3, Read_Col::Mnemonic), QString());
    QCOMPARE(read->headerData(Read_Col::Slave_ID, Qt::Horizontal).toString(), QString("Slave ID"));
    QCOMPARE(Cell(dialog.Write_Model(), 1, Write_Col::Slave_ID), QString("9"));
    QCOMPARE(Read_All(state.Sdo_File), stored);

    // The whole import is one undo step.
    QUndoStack& history = dialog.Read_Editing()->Undo_Stack();
    QCOMPARE(history.count(), 1);
    history.undo();
    QCOMPARE(Cell(read, 1, Read_Col::Slave_ID), QString("1"));
    QCOMPARE(Cell(read, 3, Read_Col::Mnemonic), QString("c"));
    history.redo();
    QCOMPARE(Cell(read, 1, Read_Col::Slave_ID), QString("5"));

    // OK validates and saves what was imported.
    dialog.show();
    QTest::mouseClick(dialog.findChild<QPushButton*>("Btn_OK"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const Access_Rules saved = Load_Sdo(state.Sdo_File);
    QCOMPARE(saved.Read_Rules.size(), 1);
    QCOMPARE(saved.Read_Rules[0].Address_Mod, QString("10"));
    QCOMPARE(saved.Write_Rules, rules.Write_Rules);
}

void Tst_Table_Csv_Dialogs::rules_import_refusal_shown_grid_kept_data() {
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown column") << QByteArray("Slave_ID,Adress\r\n1,2\r\n")
                                    << "Error in line 1: unknown column Adress. Nothing was changed.";
    QTest::newRow("too many fields") << QByteArray("Slave_ID\n1\n2,3\n")
                                     << "Error in line 3: too many fields. Nothing was changed.";
    QTest::newRow("not UTF-8") << QByteArray("Slave_ID,Mnemonic\n1,\xB0"
                                             "C\n")
                               << "Error in line 2: the text is not UTF-8. Nothing was changed.";
    QTest::newRow("flag that is none")
        << QByteArray("Slave_ID;Type;Swap\n1;Coil Status;N\n2;Coil Status;maybe\n")
        << "Nothing was imported: line 3, rule 2, column Swap: \"maybe\" is no check box value: Y or N, TRUE "
           "or "
           "FALSE, YES or NO, 1 or 0, X, or empty";
    QTest::newRow("unknown Type")
        << QByteArray("Slave_ID;Type\n1;coil\n")
        << "Nothing was imported: line 2, rule 1, column Type: \"coil\" is no Type of "
           "this table: Coil Status, Input Status, Holding Register, Input Register";
    QByteArray many = "Slave_ID\n";
    for (int i = 0; i < 245; ++i)
        many += "1\n";
    QTest::newRow("245 rules") << many
                               << "Error in line 246: too many rows, at most 244. Nothing was changed.";
    QTest::newRow("data without a Slave ID at the end")
        << QByteArray("Slave_ID,Mnemonic\n1,a\n,b\n")
        << "Error in line 3, row 2: Row 2 of the read table holds data that will not be saved, because the "
           "table ends at row 2, the first row without a Slave ID. Nothing was changed.";
    QTest::newRow("mnemonic too long") << "Slave_ID,Mnemonic\n1," + QByteArray(1025, 'm') + "\n"
                                       << "Error in line 2, row 1, column Mnemonic: the value is longer than "
                                          "a document can hold, at most 1024 "
                                          "characters. Nothing was changed.";
}

void Tst_Table_Csv_Dialogs::rules_import_refusal_shown_grid_kept() {
    QFETCH(QByteArray, csv);
    QFETCH(QString, message);
    Access_Rules rules;
    rules.Read_Rules = {Rule("1", "a", false)};
    Save_Sdo(state.Sdo_File, rules);
    TFSetAccess dialog(state, texts, *ui);
    dialog.FormShow();
    const Grid_Texts before = dialog.Read_Model()->Table();

    QVERIFY(Write_All(Csv_Path("bad.csv"), csv));
    ui->Expect_Open_File(Csv_Path("bad.csv"));
    ui->Expect_Error(message);
    dialog.Btn_ImportClick(Rule_Table::Read);
    QCOMPARE(dialog.Read_Model()->Table(), before);
}

void Tst_Table_Csv_Dialogs::rules_import_cancelled() {
    TFSetAccess dialog(state, texts, *ui);
    dialog.FormShow();
    const Grid_Texts before = dialog.Write_Model()->Table();
    ui->Expect_Open_File(QString());
    dialog.Btn_ImportClick(Rule_Table::Write);
    // A file that is gone: its error names it.
    ui->Expect_Open_File(Csv_Path("gone.csv"));
    ui->Expect_Error();
    dialog.Btn_ImportClick(Rule_Table::Write);
    QVERIFY(ui->Shown().last().text.contains("gone.csv"));
    QCOMPARE(dialog.Write_Model()->Table(), before);
}

void Tst_Table_Csv_Dialogs::rules_import_takes_type_and_flags_in_standard_form() {
    TFSetAccess dialog(state, texts, *ui);
    dialog.FormShow();
    QVERIFY(Write_All(Csv_Path("in.csv"), "Enable;Slave_ID;Type;OnChange;ForceF15F16;Swap\n"
                                          "TRUE;1;holding register ;1;x;no\n"
                                          "0;2; COIL STATUS;FALSE;;Y\n"));
    ui->Expect_Open_File(Csv_Path("in.csv"));
    dialog.Btn_ImportClick(Rule_Table::Write);
    Text_Grid_Model* write = dialog.Write_Model();
    QCOMPARE(write->Table().Row(1),
             (QStringList{"1", "Y", "1", "Holding Register", "", "", "", "Y", "", "", "", "", "N", "Y", ""}));
    QCOMPARE(write->Table().Row(2),
             (QStringList{"2", "N", "2", "Coil Status", "", "", "", "N", "", "", "", "", "Y", "", ""}));
}

void Tst_Table_Csv_Dialogs::import_gives_the_grid_the_focus_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("grid");
    QTest::addColumn<bool>("cancelled");
    QTest::newRow("read rules") << "Btn_Import_Read"
                                << "ACG_Modbus_Read" << false;
    QTest::newRow("write rules") << "Btn_Import_Write"
                                 << "ACG_Modbus_Write" << false;
    QTest::newRow("write rules, chooser cancelled") << "Btn_Import_Write"
                                                    << "ACG_Modbus_Write" << true;
    QTest::newRow("diagnosis list") << "Btn_Import"
                                    << "ASG" << false;
}

// After the import Ctrl+Z undoes it at once: the keys go to the grid.
void Tst_Table_Csv_Dialogs::import_gives_the_grid_the_focus() {
    QFETCH(QString, button);
    QFETCH(QString, grid);
    QFETCH(bool, cancelled);
    std::unique_ptr<Frame_Dialog> dialog;
    if (grid == "ASG") {
        auto diagnosis = std::make_unique<TFSetDiagnosis>(state, texts, *ui);
        diagnosis->FormShow();
        QVERIFY(Write_All(Csv_Path("in.csv"), "ID\n5\n"));
        dialog = std::move(diagnosis);
    } else {
        auto rules = std::make_unique<TFSetAccess>(state, texts, *ui);
        rules->FormShow();
        QVERIFY(Write_All(Csv_Path("in.csv"), "Slave_ID;Type\n5;Coil Status\n"));
        dialog = std::move(rules);
    }
    dialog->show();
    if (button == "Btn_Import_Write")
        dialog->findChild<QTabWidget*>("PageControl1")->setCurrentIndex(1);
    QApplication::setActiveWindow(dialog.get());
    QPushButton* import = Button(*dialog, qPrintable(button));
    import->setFocus();
    QCOMPARE(dialog->focusWidget(), import);
    ui->Expect_Open_File(cancelled ? QString() : Csv_Path("in.csv"));
    QTest::mouseClick(import, Qt::LeftButton);
    auto* view = dialog->findChild<QTableView*>(grid);
    QCOMPARE(dialog->focusWidget(), view);
    if (cancelled)
        return;
    const QModelIndex first_id = view->model()->index(0, grid == "ASG" ? 1 : int(Read_Col::Slave_ID));
    QCOMPARE(first_id.data().toString(), QString("5"));
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(first_id.data().toString(), QString());
}

void Tst_Table_Csv_Dialogs::diagnosis_export_and_import() {
    Save_Diagnosis(state.Diagnosis_File, Diagnosis_List{{"1", "2", "3"}});
    const QByteArray stored = Read_All(state.Diagnosis_File);
    TFSetDiagnosis dialog(state, texts, *ui);
    dialog.FormShow();
    QCOMPARE(Button(dialog, "Btn_Export")->text(), QString("Export CSV"));
    QCOMPARE(Button(dialog, "Btn_Import")->text(), QString("Import CSV"));

    ui->Expect_Save_File(Csv_Path("ids.csv"));
    Button(dialog, "Btn_Export")->click();
    QCOMPARE(Read_All(Csv_Path("ids.csv")), QByteArray("ID\r\n1\r\n2\r\n3\r\n"));

    QVERIFY(Write_All(Csv_Path("new.csv"), "id\n\" 17\"\n200\n"));
    ui->Expect_Open_File(Csv_Path("new.csv"));
    Button(dialog, "Btn_Import")->click();
    QCOMPARE(dialog.Cells().mid(0, 4), (QStringList{" 17", "200", "", ""}));
    QCOMPARE(Read_All(state.Diagnosis_File), stored);
    QUndoStack& history = dialog.Editing()->Undo_Stack();
    QCOMPARE(history.count(), 1);
    history.undo();
    QCOMPARE(dialog.Cells().mid(0, 4), (QStringList{"1", "2", "3", ""}));
    history.redo();

    dialog.show();
    QTest::mouseClick(dialog.findChild<QPushButton*>("Btn_OK"), Qt::LeftButton);
    QCOMPARE(Load_Diagnosis(state.Diagnosis_File).IDs, (QStringList{" 17", "200"}));
}

void Tst_Table_Csv_Dialogs::diagnosis_import_refusal_shown() {
    TFSetDiagnosis dialog(state, texts, *ui);
    dialog.FormShow();
    QByteArray csv = "ID\r\n";
    for (int i = 1; i <= 65; ++i)
        csv += QByteArray::number(i) + "\r\n";
    QVERIFY(Write_All(Csv_Path("many.csv"), csv));
    ui->Expect_Open_File(Csv_Path("many.csv"));
    ui->Expect_Error(QString("Error in line 66: too many rows, at most 64. Nothing was changed."));
    dialog.Btn_ImportClick();
    QCOMPARE(dialog.Cells(), QStringList(64));
}

QTEST_MAIN(Tst_Table_Csv_Dialogs)
#include "tst_table_csv_dialogs.moc"
