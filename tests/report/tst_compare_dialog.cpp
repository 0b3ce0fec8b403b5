// The compare window: the open configuration against another one or an image
// sent to the device, one line per difference, rows of one rule grouped.
#include "base/app_state.h"
#include "base/text_table.h"
#include "conf_check_fixture.h"
#include "output/bank_build.h"
#include "report/compare_dialog.h"
#include "test_dirs.h"
#include "ui_recorder.h"
#include "update/update_history.h"

#include <QComboBox>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Compare_Fixture {
    QTemporaryDir dir;
    App_State state;
    Text_Table texts;
    Ui_Recorder ui;

    Compare_Fixture() {
        state.Set_Program_Dir(dir.path());
        state.Conf_Name = QStringLiteral("Plant A");
        state.Conf_Dir = state.Projects_Dir + QStringLiteral("/Plant A");
        state.Set_Files();
    }
};

QStringList Row_Of(const QTableWidget& table, int row) {
    QStringList cells;
    for (int c = 0; c < table.columnCount(); ++c)
        cells << table.item(row, c)->text();
    return cells;
}

} // namespace

class Tst_Compare_Dialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void another_configuration_and_a_sent_image();
    void nothing_to_compare_with();
};

void Tst_Compare_Dialog::another_configuration_and_a_sent_image() {
    Compare_Fixture f;
    QVERIFY(f.dir.isValid());
    Conf_Documents documents = Clean_Documents();
    documents.Save(f.state.Conf_Dir);
    // Sent once as it was, then a rule changed: the image sent differs now.
    Update_Entry sent;
    sent.Time = QDateTime(QDate(2026, 12, 1), QTime(10, 0), Qt::UTC);
    sent.Configuration = true;
    sent.Target = QStringLiteral("COM3");
    sent.End = Update_End::Exit_Status;
    Record_Update(f.state.Conf_Dir, sent, Build_Bank(f.state.Conf_Dir).Bytes, {});
    documents.Rules.Read_Rules[1].NPoint = "8";
    documents.Rules.Read_Rules[1].Mnemonic = "pumps";
    documents.Save(f.state.Conf_Dir);
    // Another configuration with one more write rule.
    Conf_Documents other = documents;
    other.Rules.Write_Rules.append(Valid_Rule("4", "Coil Status", "8", "8"));
    other.Save(f.state.Projects_Dir + "/Plant B");

    TFCompare dialog(f.state, f.texts, f.ui);
    dialog.FormShow();
    auto* choices = dialog.findChild<QComboBox*>("CB_Compare_With");
    auto* table = dialog.findChild<QTableWidget*>("ASG_Differences");
    auto* result = dialog.findChild<QLabel*>("L_Result");
    QCOMPARE(choices->count(), 2);
    QCOMPARE(choices->itemText(0), QStringLiteral("Plant B"));
    QVERIFY2(choices->itemText(1).startsWith("Sent to the device 2026-12-01"),
             qPrintable(choices->itemText(1)));
    QVERIFY2(choices->itemText(1).endsWith(" COM3"), qPrintable(choices->itemText(1)));

    // Plant B: one inserted write rule.
    QCOMPARE(table->rowCount(), 1);
    QCOMPARE(Row_Of(*table, 0), (QStringList{"sdo", "write", "2 (inserted)", "", "", ""}));
    QCOMPARE(result->text(), QStringLiteral("Differences: 1"));

    // The image sent: the changed rule through the image's fields, all in one shade.
    choices->setCurrentIndex(1);
    QVERIFY(table->rowCount() >= 1);
    QVERIFY(f.ui.Shown().isEmpty());
    QBrush shade;
    for (int r = 0; r < table->rowCount(); ++r) {
        QCOMPARE(table->item(r, 0)->text(), QStringLiteral("image"));
        if (table->item(r, 1)->text() == QLatin1String("read")) {
            QCOMPARE(table->item(r, 2)->text(), QStringLiteral("2"));
            if (shade.style() == Qt::NoBrush)
                shade = table->item(r, 0)->background();
            QCOMPARE(table->item(r, 0)->background(), shade);
        }
    }
    QVERIFY(shade.style() != Qt::NoBrush);
}

void Tst_Compare_Dialog::nothing_to_compare_with() {
    Compare_Fixture f;
    QVERIFY(f.dir.isValid());
    Clean_Documents().Save(f.state.Conf_Dir);
    TFCompare dialog(f.state, f.texts, f.ui);
    dialog.FormShow();
    QCOMPARE(dialog.findChild<QComboBox*>("CB_Compare_With")->count(), 0);
    QCOMPARE(dialog.findChild<QTableWidget*>("ASG_Differences")->rowCount(), 0);
    QVERIFY(f.ui.Shown().isEmpty());
}

QTEST_MAIN(Tst_Compare_Dialog)
#include "tst_compare_dialog.moc"
