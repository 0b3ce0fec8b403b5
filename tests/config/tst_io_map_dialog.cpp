// The I/O map of the rules editor: the overlaps line under the grids, the map
// window, its hover texts and the double click that goes to a rule's row.
#include "base/app_state.h"
#include "base/text_table.h"
#include "config/access_rules_dialog.h"
#include "config/io_area_widget.h"
#include "config/io_map_dialog.h"
#include "config/text_grid_model.h"
#include "document/access_rules.h"
#include "document/access_rules_table.h"
#include "test_dirs.h"
#include "ui_recorder.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

namespace {

Access_Rule Rule(const QString& type, const QString& position, const QString& points, const QString& bit,
                 const QString& address, const QString& mnemonic) {
    Access_Rule rule;
    rule.Enable = "Y";
    rule.Slave_ID = "1";
    rule.Type = type;
    rule.Address_Mod = address;
    rule.NPoint = points;
    rule.PollTime = "1000";
    rule.MaxError = "0";
    rule.Address_Profi = position;
    rule.Bit = bit;
    rule.Swap = "N";
    rule.Mnemonic = mnemonic;
    return rule;
}

// The editor over a configuration with Ethernet, 32 input and 16 output bytes:
// read rules 1 and 2 share byte 3; read rules 3 and 4 share byte 10 in
// different bits; write rules at bytes 0-1 and 4-5.
struct Fixture {
    QTemporaryDir dir;
    App_State state;
    Text_Table texts;
    Ui_Recorder ui;
    TFSetAccess dialog{state, texts, ui};

    Fixture() {
        state.Conf_Dir = dir.path();
        state.Set_Files();
        Write_All(state.ParGen_File, "<Par_Gen><Hardware_Type>1</Hardware_Type><Profi_NB_IN>32</Profi_NB_IN>"
                                     "<Profi_NB_OUT>16</Profi_NB_OUT></Par_Gen><!--SW_VERSION = 2.110-->");
        Access_Rules rules;
        rules.Read_Rules = {Rule("Holding Register", "0", "2", "", "100", "temp"),
                            Rule("Holding Register", "3", "1", "", "200", "level"),
                            Rule("Coil Status", "10", "4", "0", "0", "pumps"),
                            Rule("Input Status", "10", "4", "4", "8", "valves")};
        rules.Write_Rules = {Rule("Holding Register", "0", "1", "", "300", "set"),
                             Rule("Holding Register", "4", "1", "", "301", "limit")};
        Save_Sdo(state.Sdo_File, rules);
        dialog.FormShow();
        dialog.show();
    }
    QLabel* Overlaps_Line() { return dialog.findChild<QLabel*>("LL_Overlaps"); }
    QTabWidget* Pages() { return dialog.findChild<QTabWidget*>("PageControl1"); }
    QTableView* Grid(const char* name) { return dialog.findChild<QTableView*>(name); }
    TFIOMap* Open_Map() {
        QTest::mouseClick(dialog.findChild<QPushButton*>("Btn_IOMap"), Qt::LeftButton);
        return dialog.IO_Map_Window();
    }
    Io_Area_Widget* Area(Io_Area area) { return dialog.IO_Map_Window()->Area_Widget(area); }
    void Set_Read(int row, int column, const QString& text) {
        Text_Grid_Model* model = dialog.Read_Model();
        const QModelIndex index = model->index(row - 1, column);
        if (model->Column_Editor(column) == Text_Grid_Model::Cell_Editor::Check)
            QVERIFY(model->setData(index, text == "Y" ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole));
        else
            QVERIFY(model->setData(index, text));
    }
    // A point in byte `byte`, in the stripe of bit `bit` when given.
    QPoint At(Io_Area area, int byte, int bit = -1) {
        const QRect rect = Area(area)->Byte_Rect(byte);
        if (bit < 0)
            return rect.center();
        const int stripe = 7 - bit;
        return {rect.left() + stripe * rect.width() / 8 + rect.width() / 16, rect.center().y()};
    }
};

} // namespace

class Tst_Io_Map_Dialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void overlaps_line_follows_the_rows();
    void ok_asks_nothing_more();
    void line_and_button_open_the_map();
    void hover_names_the_occupants();
    void bit_rules_sharing_a_byte();
    void double_click_goes_to_the_row();
    void map_follows_edits();
    void map_closes_with_the_editor();
    void set_lang();
};

void Tst_Io_Map_Dialog::overlaps_line_follows_the_rows() {
    Fixture f;
    QLabel* line = f.Overlaps_Line();
    QVERIFY(line->isVisible());
    QVERIFY2(
        line->text().contains(
            "Warning: 1 overlap(s) of PROFIBUS bytes in the current rules. Click here to show the I/O Map."),
        qPrintable(line->text()));
    f.Set_Read(2, Read_Col::Address_Profi, "4"); // bytes 4-5: apart
    QVERIFY(!line->isVisible());
    f.Set_Read(4, Read_Col::Bit, "3"); // bit 3 of byte 10 is also rule 3's
    QVERIFY(line->isVisible());
    QVERIFY2(line->text().contains("Warning: 1 overlap(s)"), qPrintable(line->text()));
    f.Set_Read(4, Read_Col::Enable, "N");
    QVERIFY(!line->isVisible());
    // A row operation counts too: rule 1 inserted again above row 1.
    f.dialog.Read_Model()->Edit_Table([](Grid_Texts& grid) {
        Insert_Empty_Row(grid, 1, true);
        for (int column = 1; column < grid.Column_Count(); ++column)
            grid.Cell(1, column) = grid.Cell(2, column);
        return true;
    });
    QVERIFY2(line->text().contains("Warning: 1 overlap(s)"), qPrintable(line->text()));
    // Reloading the saved rows brings the first overlap back.
    f.dialog.FormShow();
    QVERIFY2(line->isVisible() && line->text().contains("Warning: 1 overlap(s)"), qPrintable(line->text()));
}

void Tst_Io_Map_Dialog::ok_asks_nothing_more() {
    Fixture f;
    QVERIFY(f.Overlaps_Line()->isVisible());
    QTest::mouseClick(f.dialog.findChild<QPushButton*>("Btn_OK"), Qt::LeftButton);
    QCOMPARE(f.dialog.result(), int(QDialog::Accepted));
    QVERIFY(f.ui.Shown().isEmpty());
    QCOMPARE(Load_Sdo(f.state.Sdo_File).Read_Rules.size(), 4);
}

void Tst_Io_Map_Dialog::line_and_button_open_the_map() {
    Fixture f;
    QVERIFY(!f.dialog.IO_Map_Window());
    Q_EMIT f.Overlaps_Line()->linkActivated("io_map");
    TFIOMap* map = f.dialog.IO_Map_Window();
    QVERIFY(map);
    QVERIFY(map->isVisible());
    QVERIFY(!map->isModal());
    QCOMPARE(map->windowTitle(), QString("PROFIBUS I/O Map"));
    map->close();
    QCOMPARE(f.Open_Map(), map); // one window, shown again
    QVERIFY(map->isVisible());
    QCOMPARE(f.Area(Io_Area::Input)->Map().Input_Bytes, 32);
    QCOMPARE(f.Area(Io_Area::Output)->Map().Output_Bytes, 16);
    QCOMPARE(f.Area(Io_Area::Input)->Map().Overlaps.size(), 1);
}

void Tst_Io_Map_Dialog::hover_names_the_occupants() {
    Fixture f;
    f.Open_Map();
    Io_Area_Widget* input = f.Area(Io_Area::Input);
    QCOMPARE(input->Hover_Text(f.At(Io_Area::Input, 3)),
             QString("Byte 3\nRow 1: Holding Register, Modbus address 100, temp\n"
                     "Row 2: Holding Register, Modbus address 200, level\n!! Overlap"));
    QCOMPARE(input->Hover_Text(f.At(Io_Area::Input, 0)),
             QString("Byte 0\nRow 1: Holding Register, Modbus address 100, temp"));
    QCOMPARE(input->Hover_Text(f.At(Io_Area::Input, 31)), QString("Byte 31\nUnused"));
    QCOMPARE(input->Hover_Text(QPoint(1, 1)), QString()); // the line heading
    QCOMPARE(f.Area(Io_Area::Output)->Hover_Text(f.At(Io_Area::Output, 5)),
             QString("Byte 5\nRow 2: Holding Register, Modbus address 301, limit"));

    // The hover event itself shows that text as the tool tip.
    QVERIFY(QTest::qWaitForWindowExposed(f.dialog.IO_Map_Window()));
    const QPoint point = f.At(Io_Area::Input, 0);
    QHelpEvent help(QEvent::ToolTip, point, input->mapToGlobal(point));
    QApplication::sendEvent(input, &help);
    QTRY_COMPARE(QToolTip::text(), QString("Byte 0\nRow 1: Holding Register, Modbus address 100, temp"));
}

void Tst_Io_Map_Dialog::bit_rules_sharing_a_byte() {
    Fixture f;
    f.Open_Map();
    Io_Area_Widget* input = f.Area(Io_Area::Input);
    QVERIFY(input->Shows_Bits(10));
    QVERIFY(!input->Shows_Bits(0));
    QVERIFY(!input->Shows_Bits(3)); // two registers share it whole
    QCOMPARE(input->Hover_Text(f.At(Io_Area::Input, 10)),
             QString("Byte 10\nRow 3: Coil Status, Modbus address 0, bits 0-3, pumps\n"
                     "Row 4: Input Status, Modbus address 8, bits 4-7, valves"));
    const Io_Map& map = input->Map();
    QCOMPARE(map.Occupants[input->Rule_At(f.At(Io_Area::Input, 10, 0))].Row, 3);
    QCOMPARE(map.Occupants[input->Rule_At(f.At(Io_Area::Input, 10, 3))].Row, 3);
    QCOMPARE(map.Occupants[input->Rule_At(f.At(Io_Area::Input, 10, 4))].Row, 4);
    QCOMPARE(map.Occupants[input->Rule_At(f.At(Io_Area::Input, 10, 7))].Row, 4);
    QCOMPARE(input->Rule_At(f.At(Io_Area::Input, 12)), -1);
}

void Tst_Io_Map_Dialog::double_click_goes_to_the_row() {
    Fixture f;
    TFIOMap* map = f.Open_Map();
    QVERIFY(QTest::qWaitForWindowExposed(map));
    f.Pages()->setCurrentIndex(1);
    QTableView* read = f.Grid("ACG_Modbus_Read");
    QTableView* write = f.Grid("ACG_Modbus_Write");

    QTest::mouseDClick(f.Area(Io_Area::Input), Qt::LeftButton, {}, f.At(Io_Area::Input, 10, 1));
    QCOMPARE(f.Pages()->currentIndex(), 0);
    QCOMPARE(read->currentIndex().row() + 1, 3);

    QTest::mouseDClick(f.Area(Io_Area::Input), Qt::LeftButton, {}, f.At(Io_Area::Input, 10, 6));
    QCOMPARE(read->currentIndex().row() + 1, 4);

    QTest::mouseDClick(f.Area(Io_Area::Output), Qt::LeftButton, {}, f.At(Io_Area::Output, 5));
    QCOMPARE(f.Pages()->currentIndex(), 1);
    QCOMPARE(write->currentIndex().row() + 1, 2);

    // An unused byte leads nowhere.
    QTest::mouseDClick(f.Area(Io_Area::Input), Qt::LeftButton, {}, f.At(Io_Area::Input, 20));
    QCOMPARE(f.Pages()->currentIndex(), 1);
    QCOMPARE(write->currentIndex().row() + 1, 2);
}

void Tst_Io_Map_Dialog::map_follows_edits() {
    Fixture f;
    f.Open_Map();
    Io_Area_Widget* input = f.Area(Io_Area::Input);
    f.Set_Read(2, Read_Col::Address_Profi, "6"); // unsaved
    QVERIFY(input->Map().Overlaps.isEmpty());
    QCOMPARE(input->Hover_Text(f.At(Io_Area::Input, 3)),
             QString("Byte 3\nRow 1: Holding Register, Modbus address 100, temp"));
    QCOMPARE(input->Hover_Text(f.At(Io_Area::Input, 7)),
             QString("Byte 7\nRow 2: Holding Register, Modbus address 200, level"));
    f.Set_Read(5, Read_Col::Slave_ID, "9"); // a new rule in row 5
    f.Set_Read(5, Read_Col::Type, "Input Register");
    f.Set_Read(5, Read_Col::NPoint, "1");
    f.Set_Read(5, Read_Col::Address_Mod, "7");
    f.Set_Read(5, Read_Col::Address_Profi, "20");
    QCOMPARE(input->Hover_Text(f.At(Io_Area::Input, 21)),
             QString("Byte 21\nRow 5: Input Register, Modbus address 7"));
}

void Tst_Io_Map_Dialog::map_closes_with_the_editor() {
    Fixture f;
    TFIOMap* map = f.Open_Map();
    QVERIFY(map->isVisible());
    QTest::mouseClick(f.dialog.findChild<QPushButton*>("Btn_Cancel"), Qt::LeftButton);
    QVERIFY(!f.dialog.isVisible());
    QVERIFY(!map->isVisible());
}

void Tst_Io_Map_Dialog::set_lang() {
    Fixture f;
    TFIOMap* map = f.Open_Map();
    f.texts.Set_Text(930, "Mappa I/O");
    f.texts.Set_Text(931, "Mostra <i>i byte</i>");
    f.texts.Set_Text(932, "Attenzione: ");
    f.texts.Set_Text(933, " <sovrapposizioni>");
    f.texts.Set_Text(934, "Mappa PROFIBUS");
    f.texts.Set_Text(614, "Ingressi");
    f.dialog.Set_Lang();
    auto* button = f.dialog.findChild<QPushButton*>("Btn_IOMap");
    QCOMPARE(button->text(), QString("Mappa I/O"));
    QVERIFY2(button->toolTip().contains("&lt;i&gt;"), qPrintable(button->toolTip())); // shown literally
    QCOMPARE(f.Overlaps_Line()->text(),
             QString("<a href=\"io_map\">Attenzione: 1 &lt;sovrapposizioni&gt;</a>"));
    QCOMPARE(map->windowTitle(), QString("Mappa PROFIBUS"));
    QCOMPARE(map->findChild<QLabel*>("L_Input_Area")->text(), QString("Ingressi"));
    for (QLabel* label : map->findChildren<QLabel*>())
        QCOMPARE(label->textFormat(), Qt::PlainText);
}

QTEST_MAIN(Tst_Io_Map_Dialog)
#include "tst_io_map_dialog.moc"
