// The road of a configuration through the main window's steps, from a new
// configuration to bank.bin and the update dialog, with every dialog played
// through Dialog_Recorder and the results checked on disk.
#include "app/main_window.h"
#include "base/app_state.h"
#include "base/text_table.h"
#include "config/access_rules_dialog.h"
#include "config/text_grid_model.h"
#include "dialog_recorder.h"
#include "document/access_rules.h"
#include "document/access_rules_table.h"
#include "document/diagnosis_list.h"
#include "document/general_params.h"
#include "output/bank_decoder.h"
#include "test_dirs.h"
#include "text/no_version_source.h"
#include "update/boot_dialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

struct Program {
    QTemporaryDir dir;
    App_State state;
    Text_Table texts;
    Dialog_Recorder ui;
    No_Newer_Version versions;
    std::unique_ptr<TFStruttoreFirmWare> window;

    Program() {
        window = std::make_unique<TFStruttoreFirmWare>(state, texts, ui, versions, dir.path());
        window->Create_Dialogs();
    }
    void Click(const char* button) { window->findChild<QAbstractButton*>(QLatin1String(button))->click(); }
    QString Conf(const QString& relative) const { return dir.filePath("PROJECTS/Plant A/" + relative); }
};

template <typename T> T* Child(QDialog& dialog, const char* name) {
    T* child = dialog.findChild<T*>(QLatin1String(name));
    if (!child)
        qWarning("no control %s in %s", name, qPrintable(dialog.objectName()));
    return child;
}

// Presses OK the way a user does and gives the dialog's result.
int Press_OK(QDialog& dialog) {
    Child<QAbstractButton>(dialog, "Btn_OK")->click();
    return dialog.result();
}

void Set_Cell(Text_Grid_Model* model, int rule_row, int column, const QString& text) {
    model->setData(model->index(rule_row - 1, column), text, Qt::EditRole);
}

} // namespace

class Tst_Configuration_Road : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void new_configuration_to_device();
    void steps_refuse_a_broken_document();
};

void Tst_Configuration_Road::new_configuration_to_device() {
    Program p;

    // Step 1: a new configuration, named as typed.
    p.ui.Expect_Modal([](QDialog& dialog) {
        dialog.show();
        Child<QLineEdit>(dialog, "E_New_Proj")->setText("Plant A");
        return Press_OK(dialog);
    });
    p.Click("Btn_New");
    QVERIFY(p.state.Configuration_Open());
    QVERIFY(QFileInfo(p.Conf("bin")).isDir());

    // Step 2: the general parameters, hardware without Ethernet, 10 input
    // and 8 output bytes.
    p.ui.Expect_Modal([](QDialog& dialog) {
        dialog.show();
        Child<QLineEdit>(dialog, "E_PROFIBUS_NByte_In")->setText("10");
        Child<QLineEdit>(dialog, "E_PROFIBUS_NByte_Out")->setText("8");
        return Press_OK(dialog);
    });
    p.Click("Btn_Prm_Gen");
    const General_Params params = Load_ParGen(p.Conf("ParGen.xml"));
    QCOMPARE(params.Profi_NB_IN, QString("10"));
    QCOMPARE(params.Profi_NB_OUT, QString("8"));
    QCOMPARE(p.window->Sel_Hard(), 0);

    // Step 3: one read rule (two holding registers into input bytes 0..3)
    // and one write rule (one coil from output byte 0).
    p.ui.Expect_Modal([](QDialog& dialog) {
        dialog.show();
        auto& access = static_cast<TFSetAccess&>(dialog);
        Text_Grid_Model* read = access.Read_Model();
        Set_Cell(read, 1, Read_Col::Slave_ID, "1");
        Set_Cell(read, 1, Read_Col::Type, "Holding Register");
        Set_Cell(read, 1, Read_Col::Address_Mod, "100");
        Set_Cell(read, 1, Read_Col::NPoint, "2");
        Set_Cell(read, 1, Read_Col::Address_Profi, "0");
        Text_Grid_Model* write = access.Write_Model();
        Set_Cell(write, 1, Write_Col::Slave_ID, "2");
        Set_Cell(write, 1, Write_Col::Type, "Coil Status");
        Set_Cell(write, 1, Write_Col::Address_Mod, "7");
        Set_Cell(write, 1, Write_Col::NPoint, "1");
        Set_Cell(write, 1, Write_Col::Address_Profi, "0");
        return Press_OK(dialog);
    });
    p.Click("Btn_Modbus_Set_Access");
    const Access_Rules rules = Load_Sdo(p.Conf("sdo.xml"));
    QCOMPARE(rules.Read_Rules.size(), 1);
    QCOMPARE(rules.Write_Rules.size(), 1);
    QCOMPARE(rules.Read_Rules[0].Address_Mod, QString("100"));

    // Step 4: two watched slaves.
    p.ui.Expect_Modal([](QDialog& dialog) {
        dialog.show();
        auto* grid = Child<QTableView>(dialog, "ASG");
        grid->model()->setData(grid->model()->index(0, 1), "1");
        grid->model()->setData(grid->model()->index(1, 1), "2");
        return Press_OK(dialog);
    });
    p.Click("Btn_PROFIBUS_Error_Diagnosis");
    QCOMPARE(Load_Diagnosis(p.Conf("diagnosis.xml")).IDs, QStringList({"1", "2"}));

    // Step 5: the GSD file, named without its suffix.
    p.ui.Expect_Save_File(p.Conf("Plant"));
    p.Click("Btn_GSD_EDS");
    const QByteArray gsd = Read_All(p.Conf("Plant.gsd"));
    QVERIFY(gsd.contains("Max_Input_Len=10\r\n"));
    QVERIFY(gsd.contains("Module=\"DI  (PORT1)    \" 0x42,0x09,0x00,0x01\r\n"));
    QVERIFY(gsd.contains("Module=\"DO  (PORT2)    \" 0x82,0x07,0x00,0x02\r\n"));

    // Step 6: the image is built and written, then the update dialog opens
    // in serial mode.
    int form_type = -1;
    p.ui.Expect_Modal([&](QDialog& dialog) {
        form_type = static_cast<TFBoot&>(dialog).Form_Type();
        return int(QDialog::Rejected);
    });
    p.Click("Btn_CreateBin");
    QCOMPARE(form_type, 0);
    const Decoded_Bank bank = Decode_Bank(Read_All(p.Conf("bin/bank.bin")));
    QCOMPARE(bank.Layout, Bank_Layout::Packed);
    QCOMPARE(bank.Rules.size(), 2);
    QCOMPARE(bank.Rules[0].Slave_ID, 1);
    QCOMPARE(bank.Rules[0].Address_Mod, 100);
    QCOMPARE(bank.Rules[1].Slave_ID, 2);
    QCOMPARE(bank.Diagnosis_IDs, QList<int>({1, 2}));
    QVERIFY2(bank.Problems.isEmpty(), qPrintable(bank.Problems.join("; ")));

    QVERIFY(p.ui.All_Answered());
    QVERIFY(p.ui.Shown_Texts(Ui_Recorder::Kind::Error).isEmpty());
}

void Tst_Configuration_Road::steps_refuse_a_broken_document() {
    Program p;
    p.ui.Expect_Modal([](QDialog& dialog) {
        dialog.show();
        Child<QLineEdit>(dialog, "E_New_Proj")->setText("Plant A");
        return Press_OK(dialog);
    });
    p.Click("Btn_New");
    const QByteArray broken = "<Serial_to_ProfiBus><ProfiBUS_IN><row Slave_ID=\"1\"></ProfiBUS_IN>";
    QVERIFY(Write_All(p.Conf("sdo.xml"), broken));

    // The rules editor does not open over the broken file, and the image
    // build stops with the same error: nothing is written.
    p.ui.Expect_Error();
    p.Click("Btn_Modbus_Set_Access");
    p.ui.Expect_Error();
    p.Click("Btn_CreateBin");
    QVERIFY(p.ui.All_Answered());
    for (const QString& message : p.ui.Shown_Texts(Ui_Recorder::Kind::Error))
        QVERIFY2(message.contains("sdo.xml"), qPrintable(message));
    QCOMPARE(Read_All(p.Conf("sdo.xml")), broken);
    QVERIFY(!QFile::exists(p.Conf("bin/bank.bin")));
}

QTEST_MAIN(Tst_Configuration_Road)
#include "tst_configuration_road_gui.moc"
