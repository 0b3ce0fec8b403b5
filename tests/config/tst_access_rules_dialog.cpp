#include "base/app_state.h"
#include "base/kc_error.h"
#include "base/text_table.h"
#include "config/access_rules_dialog.h"
#include "config/text_grid_model.h"
#include "document/access_rules.h"
#include "document/access_rules_table.h"
#include "test_dirs.h"
#include "ui_recorder.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QValidator>

namespace {

QByteArray ParGen_Xml(const QString& elements) {
    return ("<Par_Gen>" + elements + "</Par_Gen><!--SW_VERSION = 2.110-->").toUtf8();
}

Access_Rule Rule(const QString& slave, const QString& type = "Holding Register",
                 const QString& position = "0", bool write = false) {
    Access_Rule rule;
    rule.Enable = "Y";
    rule.Slave_ID = slave;
    rule.Type = type;
    rule.Address_Mod = "0";
    rule.NPoint = "1";
    rule.PollTime = "1000";
    rule.MaxError = "0";
    rule.Address_Profi = position;
    rule.Bit = "0";
    rule.Swap = "N";
    if (write) {
        rule.OnChange = "N";
        rule.OnCMD = "N";
        rule.ForceF15F16 = "N";
    }
    rule.Mnemonic = "m" + slave;
    return rule;
}

QStringList Texts_Of(const Text_Table& texts, const QList<int>& indices) {
    QStringList list;
    for (int index : indices)
        list.append(texts[index]);
    return list;
}

// One configuration folder, its state, and the editor over it.
struct Fixture {
    QTemporaryDir dir;
    App_State state;
    Text_Table texts;
    Ui_Recorder ui;
    TFSetAccess dialog{state, texts, ui};

    Fixture() {
        state.Conf_Dir = dir.path();
        state.Set_Files();
    }
    void Write_ParGen(const QString& elements) {
        QVERIFY(Write_All(state.ParGen_File, ParGen_Xml(elements)));
    }
    QTableView* Grid(const char* name) { return dialog.findChild<QTableView*>(name); }
    QTableView* Read_Grid() { return Grid("ACG_Modbus_Read"); }
    QTableView* Write_Grid() { return Grid("ACG_Modbus_Write"); }
    QPushButton* Button(const char* name) { return dialog.findChild<QPushButton*>(name); }
    void Show_Page(int page) { dialog.findChild<QTabWidget*>("PageControl1")->setCurrentIndex(page); }
    void Set(Text_Grid_Model* model, int row, int column, const QString& text) {
        const QModelIndex index = model->index(row - 1, column);
        if (model->Column_Editor(column) == Text_Grid_Model::Cell_Editor::Check)
            QVERIFY(model->setData(index, text == "Y" ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole));
        else
            QVERIFY(model->setData(index, text));
    }
    void Select(QTableView* grid, int row, int column = 2) {
        grid->setCurrentIndex(grid->model()->index(row - 1, column));
    }
    QString Cell(Text_Grid_Model* model, int row, int column) { return model->Table().Cell(row, column); }
    void Fill_Read_Rule(int row, const QString& slave) {
        auto* m = dialog.Read_Model();
        Set(m, row, Read_Col::Slave_ID, slave);
        Set(m, row, Read_Col::Type, "Holding Register");
        Set(m, row, Read_Col::Address_Mod, "0");
        Set(m, row, Read_Col::NPoint, "1");
        Set(m, row, Read_Col::Address_Profi, "0");
        Set(m, row, Read_Col::Mnemonic, "r" + slave);
    }
};

QList<int> Visible_Columns(QTableView* grid) {
    QList<int> visible;
    for (int column = 0; column < grid->model()->columnCount(); ++column)
        if (!grid->isColumnHidden(column))
            visible.append(column);
    return visible;
}

} // namespace

class Tst_Access_Rules_Dialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void columns_and_hints_data();
    void columns_and_hints();
    void set_lang_reapplies_texts();
    void models_pass_the_model_tester();
    void general_parameters_each_fall_back_data();
    void general_parameters_each_fall_back();
    void form_show_loads_and_resets();
    void unreadable_document_stops_the_showing_data();
    void unreadable_document_stops_the_showing();
    void more_than_244_rules_warns();
    void ok_saves_every_column_hidden_ones_included();
    void ok_shows_first_failure_and_writes_nothing();
    void data_after_end_of_table_asks_data();
    void data_after_end_of_table_asks();
    void delete_row_asks_with_row_number();
    void insert_row_on_full_last_row_asks();
    void copy_paste_between_tables();
    void jump_field_on_enter();
    void auto_size_on_header_double_click();
    void check_box_and_list_editors();
};

void Tst_Access_Rules_Dialog::columns_and_hints_data() {
    QTest::addColumn<int>("hardware_type");
    QTest::addColumn<QList<int>>("read_visible");
    QTest::addColumn<QList<int>>("write_visible");
    QTest::addColumn<QList<int>>("read_hints");
    QTest::addColumn<QList<int>>("write_hints");
    QTest::newRow("without Ethernet")
        << 0 << QList<int>{0, 1, 2, 3, 4, 5, 8, 10, 11} << QList<int>{0, 1, 2, 3, 4, 5, 10, 12, 13, 14}
        << QList<int>{643, 644, 645, 646, 647, 650, 652, 654}
        << QList<int>{655, 656, 657, 658, 659, 664, 666, 691, 667};
    QTest::newRow("with Ethernet") << 1 << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}
                                   << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14}
                                   << QList<int>{643, 644, 645, 646, 647, 648, 649, 650, 651, 652, 654}
                                   << QList<int>{655, 656, 657, 658, 659, 660, 661,
                                                 663, 664, 665, 666, 691, 667};
    QTest::newRow("type 2 shows like type 1")
        << 2 << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}
        << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14}
        << QList<int>{643, 644, 645, 646, 647, 648, 649, 650, 651, 652, 654}
        << QList<int>{655, 656, 657, 658, 659, 660, 661, 663, 664, 665, 666, 691, 667};
}

void Tst_Access_Rules_Dialog::columns_and_hints() {
    QFETCH(int, hardware_type);
    QFETCH(QList<int>, read_visible);
    QFETCH(QList<int>, write_visible);
    QFETCH(QList<int>, read_hints);
    QFETCH(QList<int>, write_hints);
    Fixture f;
    f.Write_ParGen(QString("<Hardware_Type>%1</Hardware_Type>").arg(hardware_type));
    f.dialog.FormShow();
    QCOMPARE(f.dialog.Limits().Hardware_Type, hardware_type);
    QCOMPARE(Visible_Columns(f.Read_Grid()), read_visible);
    QCOMPARE(Visible_Columns(f.Write_Grid()), write_visible);
    QCOMPARE(f.dialog.Read_Hints(), Texts_Of(f.texts, read_hints));
    QCOMPARE(f.dialog.Write_Hints(), Texts_Of(f.texts, write_hints));
    // The hint of a header is the entry of its visible position.
    for (auto [grid, visible, hints] : {std::tuple{f.Read_Grid(), read_visible, read_hints},
                                        std::tuple{f.Write_Grid(), write_visible, write_hints}}) {
        QCOMPARE(grid->model()->headerData(0, Qt::Horizontal, Qt::ToolTipRole), QVariant());
        for (int position = 1; position < visible.size(); ++position)
            QCOMPARE(grid->model()->headerData(visible[position], Qt::Horizontal, Qt::ToolTipRole).toString(),
                     f.texts[hints[position - 1]]);
    }
    if (hardware_type == 0) // the read Position header, visible column 6
        QCOMPARE(f.dialog.ACG_Modbus_ReadGridHint(f.Read_Grid(), Read_Col::Address_Profi), f.texts[650]);
    QCOMPARE(f.Write_Grid()->model()->headerData(Write_Col::ForceF15F16, Qt::Horizontal).toString(),
             QString("Force F15/F16"));
    QCOMPARE(f.Read_Grid()->model()->headerData(Read_Col::Address_Profi, Qt::Horizontal).toString(),
             QString("Position"));
}

void Tst_Access_Rules_Dialog::set_lang_reapplies_texts() {
    Fixture f;
    f.texts.Set_Text(600, "Regole");
    f.texts.Set_Text(604, "Cancella riga");
    f.texts.Set_Text(615, "Scrittura");
    f.texts.Set_Text(690, "Forza F15/F16");
    f.texts.Set_Text(650, "Posizione");
    f.dialog.Set_Lang();
    QCOMPARE(f.dialog.windowTitle(), QString("Regole"));
    QCOMPARE(f.Button("Btn_DelRow")->text(), QString("Cancella riga"));
    QCOMPARE(f.dialog.findChild<QTabWidget*>("PageControl1")->tabText(1), QString("Scrittura"));
    QCOMPARE(f.Write_Grid()->model()->headerData(Write_Col::ForceF15F16, Qt::Horizontal).toString(),
             QString("Forza F15/F16"));
    QCOMPARE(f.dialog.findChild<QLabel*>("L_SW_Code")->text(), f.state.Soft_Code);
    // Set_Lang fills the hint lists with every hint, the free slot 653 included.
    QCOMPARE(f.dialog.Read_Hints().size(), 12);
    QCOMPARE(f.dialog.Write_Hints().size(), 14);
    f.dialog.FormShow();
    QCOMPARE(f.Read_Grid()
                 ->model()
                 ->headerData(Read_Col::Address_Profi, Qt::Horizontal, Qt::ToolTipRole)
                 .toString(),
             QString("Posizione"));
}

void Tst_Access_Rules_Dialog::models_pass_the_model_tester() {
    Fixture f;
    QAbstractItemModelTester read_tester(f.dialog.Read_Model(),
                                         QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester write_tester(f.dialog.Write_Model(),
                                          QAbstractItemModelTester::FailureReportingMode::QtTest);
    QVERIFY(QFile::copy(Fixture_Path("sdo/three_read_rules.xml"), f.state.Sdo_File));
    f.dialog.FormShow();
    f.dialog.show();
    f.Fill_Read_Rule(5, "9");
    f.Select(f.Read_Grid(), 2);
    f.ui.Expect_Question(true);
    QTest::mouseClick(f.Button("Btn_DelRow"), Qt::LeftButton);
    QTest::mouseClick(f.Button("Btn_InsRow"), Qt::LeftButton);
    f.dialog.FormShow();
    QVERIFY(f.ui.All_Answered());
}

void Tst_Access_Rules_Dialog::general_parameters_each_fall_back_data() {
    QTest::addColumn<QString>("elements"); // empty: no ParGen.xml
    QTest::addColumn<int>("hardware_type");
    QTest::addColumn<int>("nbyte_in");
    QTest::addColumn<int>("nbyte_out");
    QTest::addColumn<int>("read_list_size");
    QTest::addColumn<int>("write_list_size");
    QTest::newRow("no document") << QString() << 0 << 244 << 244 << 244 << 244;
    QTest::newRow("in 10, out 0") << "<Hardware_Type>1</Hardware_Type><Profi_NB_IN>10</Profi_NB_IN>"
                                     "<Profi_NB_OUT>0</Profi_NB_OUT>"
                                  << 1 << 10 << 0 << 10 << 0;
    QTest::newRow("each unreadable value by itself")
        << "<Hardware_Type>abc</Hardware_Type><Profi_NB_IN>12 </Profi_NB_IN><Profi_NB_OUT>$20</Profi_NB_OUT>"
        << 0 << 244 << 32 << 244 << 32;
    QTest::newRow("names are exact") << "<hardware_type>1</hardware_type><Profi_NB_in>5</Profi_NB_in>" << 0
                                     << 244 << 244 << 244 << 244;
}

void Tst_Access_Rules_Dialog::general_parameters_each_fall_back() {
    QFETCH(QString, elements);
    QFETCH(int, hardware_type);
    QFETCH(int, nbyte_in);
    QFETCH(int, nbyte_out);
    QFETCH(int, read_list_size);
    QFETCH(int, write_list_size);
    Fixture f;
    if (!elements.isEmpty())
        f.Write_ParGen(elements);
    f.dialog.FormShow();
    QCOMPARE(f.dialog.Limits().Hardware_Type, hardware_type);
    QCOMPARE(f.dialog.Limits().NByte_IN, nbyte_in);
    QCOMPARE(f.dialog.Limits().NByte_OUT, nbyte_out);
    const QStringList read_list = f.dialog.Read_Model()->List_Items(Read_Col::Address_Profi);
    const QStringList write_list = f.dialog.Write_Model()->List_Items(Write_Col::Address_Profi);
    QCOMPARE(read_list.size(), read_list_size);
    QCOMPARE(write_list.size(), write_list_size);
    if (read_list_size > 0) {
        QCOMPARE(read_list.first(), QString("0"));
        QCOMPARE(read_list.last(), QString::number(read_list_size - 1));
    }
}

void Tst_Access_Rules_Dialog::form_show_loads_and_resets() {
    Fixture f;
    QVERIFY(QFile::copy(Fixture_Path("sdo/three_read_rules.xml"), f.state.Sdo_File));
    f.dialog.FormShow();
    auto* read = f.dialog.Read_Model();
    auto* write = f.dialog.Write_Model();
    QCOMPARE(read->rowCount(), 244);
    QCOMPARE(read->columnCount(), 12);
    QCOMPARE(write->columnCount(), 15);
    QCOMPARE(f.Cell(read, 2, Read_Col::Slave_ID), QString(" 2"));
    QCOMPARE(f.Cell(read, 2, Read_Col::Type), QString("coil status"));
    QCOMPARE(f.Cell(read, 2, Read_Col::Mnemonic), QString("  leading blanks"));
    QCOMPARE(f.Cell(read, 1, Read_Col::Mnemonic), QString("Tank & pump <1> \"level\" 'a'"));
    QCOMPARE(f.Cell(read, 3, Read_Col::Enable), QString());
    QCOMPARE(f.Cell(read, 4, Read_Col::Enable), QString("Y"));
    QCOMPARE(f.Cell(read, 4, Read_Col::Slave_ID), QString());
    QCOMPARE(f.Cell(write, 1, Write_Col::Enable), QString("Y"));
    QCOMPARE(f.Cell(read, 17, 0), QString("17"));
    QCOMPARE(read->data(read->index(16, 0)).toString(), QString("17"));

    // What was typed and copied does not survive the next showing.
    f.Set(read, 4, Read_Col::Slave_ID, "9");
    f.Select(f.Read_Grid(), 1);
    QTest::mouseClick(f.Button("Btn_CopyRow"), Qt::LeftButton);
    QVERIFY(f.dialog.Copied_In_Read());
    f.Show_Page(1);
    f.dialog.FormShow();
    QCOMPARE(f.Cell(read, 4, Read_Col::Slave_ID), QString());
    QVERIFY(!f.dialog.Copied_In_Read());
    QCOMPARE(f.dialog.findChild<QTabWidget*>("PageControl1")->currentIndex(), 0);
    QCOMPARE(f.state.Row_Clipboard.size(), 11); // the clipboard itself stays
}

void Tst_Access_Rules_Dialog::unreadable_document_stops_the_showing_data() {
    QTest::addColumn<QString>("sdo_fixture");
    QTest::addColumn<QString>("pargen_fixture");
    QTest::newRow("malformed rules") << "broken/malformed.xml" << QString();
    QTest::newRow("rules without ProfiBUS_OUT") << "broken/sdo_without_out_section.xml" << QString();
    QTest::newRow("rules with a declaration first") << "broken/sdo_declaration_first.xml" << QString();
    QTest::newRow("malformed general parameters") << QString() << "broken/truncated.xml";
}

void Tst_Access_Rules_Dialog::unreadable_document_stops_the_showing() {
    QFETCH(QString, sdo_fixture);
    QFETCH(QString, pargen_fixture);
    Fixture f;
    f.dialog.FormShow();
    f.Fill_Read_Rule(1, "5");
    const QString broken = sdo_fixture.isEmpty() ? f.state.ParGen_File : f.state.Sdo_File;
    QVERIFY(QFile::copy(Fixture_Path(sdo_fixture.isEmpty() ? pargen_fixture : sdo_fixture), broken));
    const QByteArray before = Read_All(broken);
    try {
        f.dialog.FormShow();
        QFAIL("FormShow read a broken document");
    } catch (const Kc_Error& error) {
        QVERIFY2(error.Message().contains(QFileInfo(broken).fileName()), qPrintable(error.Message()));
    }
    QCOMPARE(f.Cell(f.dialog.Read_Model(), 1, Read_Col::Slave_ID), QString("5"));
    QCOMPARE(Read_All(broken), before);
}

void Tst_Access_Rules_Dialog::more_than_244_rules_warns() {
    Fixture f;
    Access_Rules rules;
    for (int k = 1; k <= 250; ++k)
        rules.Read_Rules.append(Rule(QString::number(k % 247 + 1)));
    rules.Write_Rules.append(Rule("1", "Holding Register", "0", true));
    Save_Sdo(f.state.Sdo_File, rules);
    f.ui.Expect_Warning(f.texts[696] + "6" + f.texts[697] + "0" + f.texts[698]);
    f.dialog.FormShow();
    QVERIFY(f.ui.All_Answered());
    QCOMPARE(f.Cell(f.dialog.Read_Model(), 244, Read_Col::Mnemonic), rules.Read_Rules[243].Mnemonic);

    f.dialog.show();
    QTest::mouseClick(f.Button("Btn_OK"), Qt::LeftButton);
    QCOMPARE(f.dialog.result(), int(QDialog::Accepted));
    const Access_Rules saved = Load_Sdo(f.state.Sdo_File);
    QCOMPARE(saved.Read_Rules.size(), 244);
    QCOMPARE(saved.Read_Rules, rules.Read_Rules.mid(0, 244));
}

void Tst_Access_Rules_Dialog::ok_saves_every_column_hidden_ones_included() {
    Fixture f;
    Access_Rules rules;
    Access_Rule read = Rule("3");
    read.PollTime = "5"; // hidden and not checked on hardware type 0
    Access_Rule disabled = Rule("0", "");
    disabled.Enable = "N";
    rules.Read_Rules = {read, disabled};
    Access_Rule write = Rule(" 7", "Coil Status", "31", true);
    write.OnCMD = "Y"; // never shown, kept as loaded
    write.ForceF15F16 = "";
    rules.Write_Rules = {write};
    Save_Sdo(f.state.Sdo_File, rules);
    f.dialog.FormShow();
    f.dialog.show();
    f.Set(f.dialog.Write_Model(), 2, Write_Col::Slave_ID, "8");
    f.Set(f.dialog.Write_Model(), 2, Write_Col::Type, "Holding Register");
    f.Set(f.dialog.Write_Model(), 2, Write_Col::Address_Mod, "10");
    f.Set(f.dialog.Write_Model(), 2, Write_Col::NPoint, "2");
    f.Set(f.dialog.Write_Model(), 2, Write_Col::Address_Profi, "4");
    f.Set(f.dialog.Write_Model(), 2, Write_Col::Swap, "Y");
    QTest::mouseClick(f.Button("Btn_OK"), Qt::LeftButton);
    QVERIFY(f.ui.Shown().isEmpty());
    QCOMPARE(f.dialog.result(), int(QDialog::Accepted));

    const Access_Rules saved = Load_Sdo(f.state.Sdo_File);
    QCOMPARE(saved.Read_Rules, rules.Read_Rules);
    QCOMPARE(saved.Write_Rules.size(), 2);
    QCOMPARE(saved.Write_Rules[0], write);
    Access_Rule added;
    added.Enable = "Y";
    added.Slave_ID = "8";
    added.Type = "Holding Register";
    added.Address_Mod = "10";
    added.NPoint = "2";
    added.Address_Profi = "4";
    added.Swap = "Y";
    QCOMPARE(saved.Write_Rules[1], added); // untouched cells are written empty
    QVERIFY(Read_All(f.state.Sdo_File)
                .startsWith("<Serial_to_ProfiBus><ProfiBUS_IN><row Enable=\"Y\" Slave_ID=\"3\""));
}

void Tst_Access_Rules_Dialog::ok_shows_first_failure_and_writes_nothing() {
    Fixture f;
    f.Write_ParGen("<Hardware_Type>1</Hardware_Type>");
    f.dialog.FormShow();
    f.dialog.show();
    f.Show_Page(1);
    f.Fill_Read_Rule(1, "1");
    f.Fill_Read_Rule(2, "1");
    f.Set(f.dialog.Read_Model(), 2, Read_Col::PollTime, "999");
    f.Set(f.dialog.Read_Model(), 1, Read_Col::PollTime, "1000");
    f.Set(f.dialog.Read_Model(), 1, Read_Col::MaxError, "0");
    f.ui.Expect_Error("Error row 2!! [Modbus Read] Poll Time must be between 1000 and 100000000");
    QTest::mouseClick(f.Button("Btn_OK"), Qt::LeftButton);
    QVERIFY(f.ui.All_Answered());
    QVERIFY(!QFile::exists(f.state.Sdo_File));
    QVERIFY(f.dialog.isVisible());
    // The read page, with the failing cell, comes to the front.
    QCOMPARE(f.dialog.findChild<QTabWidget*>("PageControl1")->currentIndex(), 0);
    QCOMPARE(f.Cell(f.dialog.Read_Model(), 2, Read_Col::PollTime), QString("999"));
}

void Tst_Access_Rules_Dialog::data_after_end_of_table_asks_data() {
    QTest::addColumn<bool>("write_table");
    QTest::addColumn<bool>("only_check_boxes_after");
    QTest::addColumn<bool>("answer_yes");
    QTest::newRow("read, No") << false << false << false;
    QTest::newRow("read, Yes") << false << false << true;
    QTest::newRow("write, No") << true << false << false;
    QTest::newRow("read, only Y after the end") << false << true << false;
}

void Tst_Access_Rules_Dialog::data_after_end_of_table_asks() {
    QFETCH(bool, write_table);
    QFETCH(bool, only_check_boxes_after);
    QFETCH(bool, answer_yes);
    Fixture f;
    f.dialog.FormShow();
    f.dialog.show();
    Text_Grid_Model* model = write_table ? f.dialog.Write_Model() : f.dialog.Read_Model();
    const int swap = write_table ? Write_Col::Swap : Read_Col::Swap;
    for (int row = 1; row <= 20; ++row) {
        f.Set(model, row, 2, QString::number(row));
        f.Set(model, row, 3, "Holding Register");
        f.Set(model, row, 4, "0");
        f.Set(model, row, 5, "1");
        f.Set(model, row, write_table ? Write_Col::Address_Profi : Read_Col::Address_Profi, "0");
        f.Set(model, row, swap, "Y");
    }
    if (only_check_boxes_after) {
        for (int row = 5; row <= 20; ++row)
            for (int column = 2; column < model->columnCount(); ++column)
                if (model->Column_Editor(column) != Text_Grid_Model::Cell_Editor::Check)
                    f.Set(model, row, column, "");
        f.Set(model, 9, 1, "N");
    }
    f.Set(model, 5, 2, "  "); // the user clears the Slave ID of row 5 only: its other cells are lost too
    if (!only_check_boxes_after)
        f.ui.Expect_Question(answer_yes,
                             f.texts[692] + "5" + f.texts[write_table ? 694 : 693] + "5" + f.texts[695],
                             Ui_Services::Default_Answer::No);
    QTest::mouseClick(f.Button("Btn_OK"), Qt::LeftButton);
    QVERIFY(f.ui.All_Answered());
    if (only_check_boxes_after || answer_yes) {
        QCOMPARE(f.dialog.result(), int(QDialog::Accepted));
        const Access_Rules saved = Load_Sdo(f.state.Sdo_File);
        QCOMPARE((write_table ? saved.Write_Rules : saved.Read_Rules).size(), 4);
    } else {
        QVERIFY(!QFile::exists(f.state.Sdo_File));
        QVERIFY(f.dialog.isVisible());
        QCOMPARE(f.Cell(model, 20, 2), QString("20"));
    }
}

void Tst_Access_Rules_Dialog::delete_row_asks_with_row_number() {
    Fixture f;
    f.dialog.FormShow();
    f.dialog.show();
    for (int row = 1; row <= 5; ++row)
        f.Fill_Read_Rule(row, QString::number(row));
    f.Select(f.Read_Grid(), 3);
    f.ui.Expect_Question(false, "Are you sure to delete the Row number 3", Ui_Services::Default_Answer::No);
    QTest::mouseClick(f.Button("Btn_DelRow"), Qt::LeftButton);
    QCOMPARE(f.Cell(f.dialog.Read_Model(), 3, Read_Col::Slave_ID), QString("3"));
    f.ui.Expect_Question(true, "Are you sure to delete the Row number 3", Ui_Services::Default_Answer::No);
    QTest::mouseClick(f.Button("Btn_DelRow"), Qt::LeftButton);
    QVERIFY(f.ui.All_Answered());
    QCOMPARE(f.Cell(f.dialog.Read_Model(), 3, Read_Col::Slave_ID), QString("4"));
    QCOMPARE(f.Cell(f.dialog.Read_Model(), 5, Read_Col::Slave_ID), QString());
    QCOMPARE(f.dialog.Read_Model()->data(f.dialog.Read_Model()->index(2, Read_Col::Slave_ID)).toString(),
             QString("4"));
}

void Tst_Access_Rules_Dialog::insert_row_on_full_last_row_asks() {
    Fixture f;
    f.dialog.FormShow();
    f.dialog.show();
    f.Show_Page(1);
    auto* write = f.dialog.Write_Model();
    f.Set(write, 1, Write_Col::Slave_ID, "1");
    f.Select(f.Write_Grid(), 1);
    QTest::mouseClick(f.Button("Btn_InsRow"), Qt::LeftButton); // last row empty: no question
    QCOMPARE(f.Cell(write, 2, Write_Col::Slave_ID), QString("1"));
    QCOMPARE(f.Cell(write, 1, Write_Col::Enable), QString("Y"));

    f.Set(write, 244, Write_Col::Mnemonic, "last");
    const QString question = f.texts[905] + "244" + f.texts[906];
    f.ui.Expect_Question(false, question, Ui_Services::Default_Answer::No);
    QTest::mouseClick(f.Button("Btn_InsRow"), Qt::LeftButton);
    QCOMPARE(f.Cell(write, 2, Write_Col::Slave_ID), QString("1"));
    QCOMPARE(f.Cell(write, 244, Write_Col::Mnemonic), QString("last"));
    f.ui.Expect_Question(true, question, Ui_Services::Default_Answer::No);
    QTest::mouseClick(f.Button("Btn_InsRow"), Qt::LeftButton);
    QVERIFY(f.ui.All_Answered());
    QCOMPARE(f.Cell(write, 3, Write_Col::Slave_ID), QString("1"));
    QCOMPARE(f.Cell(write, 244, Write_Col::Mnemonic), QString());
}

void Tst_Access_Rules_Dialog::copy_paste_between_tables() {
    Fixture f;
    f.dialog.FormShow();
    f.dialog.show();
    f.Fill_Read_Rule(1, "11");
    f.Fill_Read_Rule(2, "22");
    f.Select(f.Read_Grid(), 1);
    QTest::mouseClick(f.Button("Btn_CopyRow"), Qt::LeftButton);
    QVERIFY(f.dialog.Copied_In_Read());
    QVERIFY(!f.dialog.Copied_In_Write());

    // Pasting in the other table: text 902, nothing changes.
    f.Show_Page(1);
    f.Select(f.Write_Grid(), 3);
    f.ui.Expect_Error(f.texts[902]);
    QTest::mouseClick(f.Button("Btn_PasteRow"), Qt::LeftButton);
    QCOMPARE(f.Cell(f.dialog.Write_Model(), 3, Write_Col::Slave_ID), QString());

    // A copy in the write table clears the read table's flag.
    QTest::mouseClick(f.Button("Btn_CopyRow"), Qt::LeftButton);
    QVERIFY(f.dialog.Copied_In_Write());
    QVERIFY(!f.dialog.Copied_In_Read());
    f.Show_Page(0);
    f.Select(f.Read_Grid(), 5);
    f.ui.Expect_Error(f.texts[902]);
    QTest::mouseClick(f.Button("Btn_PasteRow"), Qt::LeftButton);

    // Copy row 1, paste into the free row 5 and, after the question, row 2.
    f.Select(f.Read_Grid(), 1);
    QTest::mouseClick(f.Button("Btn_CopyRow"), Qt::LeftButton);
    f.Select(f.Read_Grid(), 5);
    QTest::mouseClick(f.Button("Btn_PasteRow"), Qt::LeftButton);
    QCOMPARE(f.Cell(f.dialog.Read_Model(), 5, Read_Col::Mnemonic), QString("r11"));
    f.Select(f.Read_Grid(), 2);
    f.ui.Expect_Question(false, f.texts[900], Ui_Services::Default_Answer::No);
    QTest::mouseClick(f.Button("Btn_PasteRow"), Qt::LeftButton);
    QCOMPARE(f.Cell(f.dialog.Read_Model(), 2, Read_Col::Slave_ID), QString("22"));
    QVERIFY(f.ui.All_Answered());
}

void Tst_Access_Rules_Dialog::jump_field_on_enter() {
    Fixture f;
    f.dialog.FormShow(); // hardware type 0: Poll Time, Max Error, Start Bit hidden
    f.dialog.show();
    QTableView* grid = f.Read_Grid();
    auto current = [grid] {
        return std::pair{grid->currentIndex().row() + 1, grid->currentIndex().column()};
    };

    f.state.Enable_Jump_Field_Tables = false;
    f.Select(grid, 3, Read_Col::NPoint);
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(current(), std::pair(3, int(Read_Col::NPoint)));

    f.state.Enable_Jump_Field_Tables = true; // read at the moment of the key
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(current(), std::pair(3, int(Read_Col::Address_Profi)));
    f.Select(grid, 244, Read_Col::Mnemonic);
    QTest::keyClick(grid, Qt::Key_Enter);
    QCOMPARE(current(), std::pair(1, int(Read_Col::Enable)));

    // Enter inside an open editor commits the text and moves on.
    f.Select(grid, 2, Read_Col::Slave_ID);
    grid->edit(grid->currentIndex());
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->currentIndex()));
    QVERIFY(editor);
    editor->setText("42");
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(f.Cell(f.dialog.Read_Model(), 2, Read_Col::Slave_ID), QString("42"));
    QCOMPARE(current(), std::pair(2, int(Read_Col::Type)));
}

void Tst_Access_Rules_Dialog::auto_size_on_header_double_click() {
    Fixture f;
    f.dialog.FormShow();
    f.dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.dialog));
    QTableView* grid = f.Read_Grid();
    const int column = Read_Col::Mnemonic;
    f.Set(f.dialog.Read_Model(), 200, column, QString(60, u'W'));
    const int text_width = grid->fontMetrics().horizontalAdvance(QString(60, u'W'));
    grid->setColumnWidth(column, 30);
    QHeaderView* header = grid->horizontalHeader();
    const QPoint on_header(header->sectionViewportPosition(column) + 10, header->height() / 2);

    f.state.Double_Click_Auto_Size = false;
    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, on_header);
    QCOMPARE(grid->columnWidth(column), 30);

    f.state.Double_Click_Auto_Size = true;
    const QRect cell = grid->visualRect(grid->model()->index(0, column));
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(grid->columnWidth(column), 30);
    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, on_header);
    QVERIFY2(grid->columnWidth(column) >= text_width, qPrintable(QString::number(grid->columnWidth(column))));
}

void Tst_Access_Rules_Dialog::check_box_and_list_editors() {
    Fixture f;
    f.Write_ParGen("<Profi_NB_IN>10</Profi_NB_IN>");
    f.dialog.FormShow();
    f.dialog.show();
    QTableView* grid = f.Read_Grid();
    auto* model = f.dialog.Read_Model();

    // The check box toggles between "Y" and "N"; an empty cell counts as clear.
    f.Select(grid, 4, Read_Col::Enable);
    QCOMPARE(model->flags(grid->currentIndex()) & Qt::ItemIsEditable, Qt::ItemFlags());
    QTest::keyClick(grid, Qt::Key_Space);
    QCOMPARE(f.Cell(model, 4, Read_Col::Enable), QString("N"));
    QTest::keyClick(grid, Qt::Key_Space);
    QCOMPARE(f.Cell(model, 4, Read_Col::Enable), QString("Y"));
    f.Select(grid, 4, Read_Col::Swap);
    QTest::keyClick(grid, Qt::Key_Space);
    QCOMPARE(f.Cell(model, 4, Read_Col::Swap), QString("Y"));

    // A list takes only its items.
    f.Select(grid, 4, Read_Col::Address_Profi);
    grid->edit(grid->currentIndex());
    auto* combo = qobject_cast<QComboBox*>(grid->indexWidget(grid->currentIndex()));
    QVERIFY(combo);
    // Typed into like a text cell, but only on the way to one of its items.
    QVERIFY(combo->isEditable());
    QVERIFY(combo->validator());
    QString past_the_area = "12";
    int cursor = 2;
    QCOMPARE(combo->validator()->validate(past_the_area, cursor), QValidator::Invalid);
    QCOMPARE(combo->count(), 10);
    combo->setCurrentIndex(7);
    grid->setCurrentIndex(model->index(4, Read_Col::Address_Profi)); // leaving the cell commits
    QCOMPARE(f.Cell(model, 4, Read_Col::Address_Profi), QString("7"));

    f.Select(grid, 4, Read_Col::Type);
    grid->edit(grid->currentIndex());
    combo = qobject_cast<QComboBox*>(grid->indexWidget(grid->currentIndex()));
    QVERIFY(combo);
    QCOMPARE(combo->count(), 4);
    QCOMPARE(combo->itemText(3), QString("Input Register"));

    // Column 0 is fixed; clicking it selects the row.
    QCOMPARE(model->flags(model->index(0, 0)) & Qt::ItemIsEditable, Qt::ItemFlags());
    grid->setCurrentIndex(model->index(0, 2));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(model->index(2, 0)).center());
    QVERIFY(grid->selectionModel()->isRowSelected(2, {}));
}

QTEST_MAIN(Tst_Access_Rules_Dialog)
#include "tst_access_rules_dialog.moc"
