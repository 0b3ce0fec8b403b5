#include "base/app_state.h"
#include "base/elided_label_widget.h"
#include "base/kc_error.h"
#include "base/text_table.h"
#include "scripted_versions.h"
#include "text/language_file.h"
#include "text/soft_options_dialog.h"
#include "text/version_check.h"
#include "text/version_source.h"

#include "test_dirs.h"
#include "ui_recorder.h"

#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(Version_Outcome)

namespace {

// A small German table for the language the tests pick; every other
// language gets the defaults.
void Load_Test_Language(const App_State& state, Text_Table& table) {
    table.Set_Default_Texts();
    if (state.Language_Name != QLatin1String("Deutsch"))
        return;
    table.Set_Text(302, QStringLiteral("Sprache"));
    table.Set_Text(304, QStringLiteral("Gew\u00e4hlte Sprache : "));
    table.Set_Text(305, QStringLiteral("Seite "));
    table.Set_Text(306, QStringLiteral(" von "));
    table.Set_Text(308, QStringLiteral("Weiter"));
    table.Set_Text(315, QStringLiteral("Keine neue Version"));
}

void Save_Bitmap(const QString& path, Qt::GlobalColor color) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(color);
    QVERIFY(image.save(path, "BMP"));
}

// An options dialog over a language folder of its own, with the main
// window's collaborators played by the test.
struct Options_Fixture {
    explicit Options_Fixture(const QStringList& language_files) {
        state.Set_Program_Dir(dir.path());
        QDir().mkpath(state.Language_Dir);
        for (const QString& name : language_files)
            Write_All(Join_Path(state.Language_Dir, name), "STR 300 = x\r\n");
        dialog = std::make_unique<TFSoftOptions>(
            state, table, ui, source,
            [this] {
                loaded_as.append(state.Language_Name);
                if (real_loader)
                    return Load_Language(state, table);
                if (load_error && state.Language_Name == QLatin1String("Deutsch"))
                    throw Kc_Error(QStringLiteral("Cannot read broken.lng"));
                Load_Test_Language(state, table);
                return Language_File_Report();
            },
            [this] {
                ++language_changes;
                dialog->Set_Lang();
            });
    }

    void Show() {
        dialog->FormShow();
        dialog->show();
    }

    template <typename T> T* Get(const char* name) const {
        T* widget = dialog->findChild<T*>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QLabel* Label(const char* name) const { return Get<QLabel>(name); }
    QPushButton* Button(const char* name) const { return Get<QPushButton>(name); }
    QCheckBox* Box(const char* name) const { return Get<QCheckBox>(name); }
    QLabel* Slot_Label(int k) const { return Label(qPrintable(QStringLiteral("L_L%1").arg(k))); }
    QLabel* Slot_Image(int k) const { return Label(qPrintable(QStringLiteral("I_L%1").arg(k))); }

    int Visible_Slots() const {
        int visible = 0;
        for (int k = 1; k <= 6; ++k)
            visible += Slot_Label(k)->isVisible() ? 1 : 0;
        return visible;
    }

    void Click(QWidget* widget) const { QTest::mouseClick(widget, Qt::LeftButton); }
    // A check box reacts only on its mark and text, not on the empty rest of
    // its row: click the mark.
    void Click(QCheckBox* box) const {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }

    // Brings a page of PC_Options to the front and lets its layout settle, so
    // clicks land on its controls.
    void Page(int index) const {
        Get<QTabWidget>("PC_Options")->setCurrentIndex(index);
        QCoreApplication::processEvents();
    }

    QTemporaryDir dir;
    App_State state;
    Text_Table table;
    Ui_Recorder ui;
    Scripted_Versions source;
    QStringList loaded_as; // Language_Name as the loader saw it, per call
    bool load_error = false;
    bool real_loader = false; // the program's own loader reads the files
    int language_changes = 0;
    std::unique_ptr<TFSoftOptions> dialog;
};

QStringList Numbered_Languages(int count) {
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names.append(QStringLiteral("Lang%1.lng").arg(i, 2, 10, QLatin1Char('0')));
    return names;
}

} // namespace

class Tst_Soft_Options_Dialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void paging_data();
    void paging();
    void previous_page();
    void language_list_filtering();
    void flags();
    void long_language_names_elide();

    void language_question_answered_no();
    void language_change_on_page_2_data();
    void language_change_on_page_2();
    void language_that_cannot_be_loaded();
    void check_outcomes_data();
    void check_outcomes();
    void language_file_with_bytes_that_are_not_text_data();
    void language_file_with_bytes_that_are_not_text();

    void check_boxes_data();
    void check_boxes();
    void table_preferences_and_cancel();
    void form_show_reloads_the_state();
    void check_now_data();
    void check_now();
    void check_texts_follow_the_language();
};

void Tst_Soft_Options_Dialog::paging_data() {
    QTest::addColumn<int>("languages");
    QTest::addColumn<int>("next_clicks");
    QTest::addColumn<QString>("page_label");
    QTest::addColumn<bool>("prev_visible");
    QTest::addColumn<bool>("next_visible");
    QTest::addColumn<int>("visible_slots");
    QTest::addColumn<QString>("first_slot");
    // Without a language there is no page to count or to turn to.
    QTest::newRow("no language") << 0 << 0 << "" << false << false << 0 << "";
    QTest::newRow("six: one page") << 6 << 0 << "Page 1 / 1" << false << false << 6 << "Lang01";
    QTest::newRow("seven, page 1") << 7 << 0 << "Page 1 / 2" << false << true << 6 << "Lang01";
    QTest::newRow("seven, page 2") << 7 << 1 << "Page 2 / 2" << true << false << 1 << "Lang07";
    QTest::newRow("thirteen, page 2") << 13 << 1 << "Page 2 / 3" << true << true << 6 << "Lang07";
    QTest::newRow("thirteen, page 3") << 13 << 2 << "Page 3 / 3" << true << false << 1 << "Lang13";
}

void Tst_Soft_Options_Dialog::paging() {
    QFETCH(int, languages);
    QFETCH(int, next_clicks);
    QFETCH(QString, page_label);
    QFETCH(bool, prev_visible);
    QFETCH(bool, next_visible);
    QFETCH(int, visible_slots);
    QFETCH(QString, first_slot);

    Options_Fixture f(Numbered_Languages(languages));
    f.Show();
    for (int i = 0; i < next_clicks; ++i)
        f.Click(f.Button("Btn_Next"));

    QCOMPARE(f.Label("L_Page_Lang")->isVisible(), !page_label.isEmpty());
    if (!page_label.isEmpty())
        QCOMPARE(f.Label("L_Page_Lang")->text(), page_label);
    QCOMPARE(f.Button("Btn_Prev")->isVisible(), prev_visible);
    QCOMPARE(f.Button("Btn_Next")->isVisible(), next_visible);
    QCOMPARE(f.Visible_Slots(), visible_slots);
    if (visible_slots > 0)
        QCOMPARE(f.Slot_Label(1)->text(), first_slot);
    QCOMPARE(f.Label("L_Sel_Lang")->text(), QStringLiteral("Selected Language : English"));
}

void Tst_Soft_Options_Dialog::previous_page() {
    Options_Fixture f(Numbered_Languages(7));
    f.Show();
    f.Click(f.Button("Btn_Next"));
    QCOMPARE(f.dialog->Show_Page(), 2);
    f.Click(f.Button("Btn_Prev"));
    QCOMPARE(f.dialog->Show_Page(), 1);
    QCOMPARE(f.Label("L_Page_Lang")->text(), QStringLiteral("Page 1 / 2"));
    QCOMPARE(f.Visible_Slots(), 6);
    QCOMPARE(f.Slot_Label(6)->text(), QStringLiteral("Lang06"));
    QVERIFY(!f.Button("Btn_Prev")->isVisible());

    // Every showing starts again on page 1 of the language page.
    f.Click(f.Button("Btn_Next"));
    f.dialog->FormShow();
    QCOMPARE(f.dialog->Show_Page(), 1);
    QCOMPARE(f.Label("L_Page_Lang")->text(), QStringLiteral("Page 1 / 2"));
}

void Tst_Soft_Options_Dialog::language_list_filtering() {
    Options_Fixture f({QStringLiteral("beta.lng"), QStringLiteral("Alpha.lng"), QStringLiteral("gamma.LNG"),
                       QStringLiteral("notes.txt"), QStringLiteral("English.lng.bak")});
    QVERIFY(QDir(f.state.Language_Dir).mkdir(QStringLiteral("folder.lng")));
    const QString locked = Join_Path(f.state.Language_Dir, QStringLiteral("locked.lng"));
    QVERIFY(Write_All(locked, "STR 1 = x"));
    QVERIFY(QFile::setPermissions(locked,
                                  QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    f.Show();

    QCOMPARE(f.dialog->SL_Languages(), QStringList({QStringLiteral("Alpha.lng"), QStringLiteral("beta.lng"),
                                                    QStringLiteral("gamma.LNG")}));
    QCOMPARE(f.Visible_Slots(), 3);
    QCOMPARE(f.Slot_Label(1)->text(), QStringLiteral("Alpha"));
    QCOMPARE(f.Slot_Label(2)->text(), QStringLiteral("beta"));
    QCOMPARE(f.Slot_Label(3)->text(), QStringLiteral("gamma"));
}

void Tst_Soft_Options_Dialog::flags() {
    Options_Fixture f({QStringLiteral("Deutsch.lng"), QStringLiteral("English.lng")});
    Save_Bitmap(Join_Path(f.state.Language_Dir, QStringLiteral("deutsch.BMP")), Qt::red);
    Save_Bitmap(Join_Path(f.state.Language_Dir, QStringLiteral("DefaultFlag.bmp")), Qt::blue);
    f.Show();

    QVERIFY(f.Slot_Image(1)->isVisible());
    QCOMPARE(f.Slot_Image(1)->pixmap().toImage().pixelColor(0, 0), QColor(Qt::red));
    QVERIFY(f.Slot_Image(2)->isVisible());
    QCOMPARE(f.Slot_Image(2)->pixmap().toImage().pixelColor(0, 0), QColor(Qt::blue));
    QCOMPARE(f.Slot_Image(1)->size(), QSize(48, 48));

    // Without the default flag a language without its own is shown by name only.
    QVERIFY(QFile::remove(Join_Path(f.state.Language_Dir, QStringLiteral("DefaultFlag.bmp"))));
    f.dialog->FormShow();
    QVERIFY(f.Slot_Image(1)->isVisible());
    QVERIFY(!f.Slot_Image(2)->isVisible());
    QVERIFY(f.Slot_Label(2)->isVisible());
    QCOMPARE(f.Slot_Label(2)->text(), QStringLiteral("English"));
}

void Tst_Soft_Options_Dialog::long_language_names_elide() {
    const QString long_name = QStringLiteral("Deutsch ") + QString(180, u'x');
    Options_Fixture f({long_name + QStringLiteral(".lng")});
    f.state.Language_Name = long_name;
    f.Show();
    for (const char* name : {"L_L1", "L_Sel_Lang"}) {
        auto* label = f.Get<Elided_Label>(name);
        QVERIFY2(label->text().endsWith(long_name), name);
        QVERIFY2(label->Is_Elided(), name);
        QVERIFY2(label->Shown_Text().endsWith(QChar(0x2026)), name);
    }
    // The dialog keeps a sensible width.
    QVERIFY2(f.dialog->width() < 700, qPrintable(QString::number(f.dialog->width())));
}

void Tst_Soft_Options_Dialog::language_question_answered_no() {
    Options_Fixture f({QStringLiteral("Deutsch.lng"), QStringLiteral("English.lng")});
    Save_Bitmap(Join_Path(f.state.Language_Dir, QStringLiteral("DefaultFlag.bmp")), Qt::blue);
    f.Show();
    // Only a left click picks a language; the other buttons ask nothing.
    QTest::mouseClick(f.Slot_Label(1), Qt::RightButton);
    QTest::mouseClick(f.Slot_Image(1), Qt::MiddleButton);
    QVERIFY(f.ui.Shown().isEmpty());
    f.ui.Expect_Question(false, QStringLiteral("Do you want to change the Language from English to Deutsch?"),
                         Ui_Services::Default_Answer::Yes);
    f.Click(f.Slot_Label(1));
    QVERIFY(f.ui.All_Answered());

    QVERIFY(f.loaded_as.isEmpty());
    QCOMPARE(f.language_changes, 0);
    QCOMPARE(f.dialog->Language_In_Use(), QStringLiteral("English"));
    QCOMPARE(f.Label("L_Sel_Lang")->text(), QStringLiteral("Selected Language : English"));
    QCOMPARE(f.table[308], QStringLiteral("Next"));

    f.Click(f.Button("Btn_OK"));
    QCOMPARE(f.state.Language_Name, QStringLiteral("English"));
}

void Tst_Soft_Options_Dialog::language_change_on_page_2_data() {
    QTest::addColumn<bool>("confirm");
    QTest::newRow("then OK") << true;
    QTest::newRow("then Cancel") << false;
}

void Tst_Soft_Options_Dialog::language_change_on_page_2() {
    QFETCH(bool, confirm);
    // Sorted, the six "Aa" languages fill page 1 and Deutsch is alone on page 2.
    QStringList files = Numbered_Languages(0);
    for (int i = 1; i <= 6; ++i)
        files.append(QStringLiteral("Aa%1.lng").arg(i));
    files.append(QStringLiteral("Deutsch.lng"));
    Options_Fixture f(files);
    Save_Bitmap(Join_Path(f.state.Language_Dir, QStringLiteral("DefaultFlag.bmp")), Qt::green);
    f.Show();

    f.Click(f.Button("Btn_Next"));
    f.ui.Expect_Question(true, QStringLiteral("Do you want to change the Language from English to Deutsch?"),
                         Ui_Services::Default_Answer::Yes);
    f.Click(f.Slot_Image(1));
    QVERIFY(f.ui.All_Answered());

    // The texts were loaded for the picked language, yet Language_Name is
    // still the one in use until OK.
    QCOMPARE(f.loaded_as, QStringList{QStringLiteral("Deutsch")});
    QCOMPARE(f.state.Language_Name, QStringLiteral("English"));
    QCOMPARE(f.dialog->Language_In_Use(), QStringLiteral("Deutsch"));
    QCOMPARE(f.language_changes, 1);

    // The dialog shows the new language at once and stays on page 2.
    QCOMPARE(f.dialog->Show_Page(), 2);
    QCOMPARE(f.Label("L_Page_Lang")->text(), QStringLiteral("Seite 2 von 2"));
    QCOMPARE(f.Label("L_Sel_Lang")->text(), QStringLiteral("Gew\u00e4hlte Sprache : Deutsch"));
    QCOMPARE(f.Button("Btn_Prev")->isVisible(), true);
    QCOMPARE(f.Button("Btn_Next")->isVisible(), false);
    QCOMPARE(f.Button("Btn_Next")->text(), QStringLiteral("Weiter"));
    auto* pages = f.Get<QTabWidget>("PC_Options");
    QCOMPARE(pages->tabText(0), QStringLiteral("Sprache"));

    if (confirm) {
        f.Click(f.Button("Btn_OK"));
        QCOMPARE(f.dialog->result(), int(QDialog::Accepted));
        QCOMPARE(f.state.Language_Name, QStringLiteral("Deutsch"));
    } else {
        f.Click(f.Button("Btn_Cancel"));
        QCOMPARE(f.dialog->result(), int(QDialog::Rejected));
        QCOMPARE(f.state.Language_Name, QStringLiteral("English"));
        // The picked texts stay on screen for the rest of the run, and the
        // dialog names that language when it opens again; OK keeps it.
        QCOMPARE(f.table[308], QStringLiteral("Weiter"));
        f.Show();
        QCOMPARE(f.dialog->Language_In_Use(), QStringLiteral("Deutsch"));
        QCOMPARE(f.Label("L_Sel_Lang")->text(), QStringLiteral("Gew\u00e4hlte Sprache : Deutsch"));
        QCOMPARE(f.loaded_as, QStringList{QStringLiteral("Deutsch")});
        f.Click(f.Button("Btn_OK"));
        QCOMPARE(f.state.Language_Name, QStringLiteral("Deutsch"));
    }
}

void Tst_Soft_Options_Dialog::language_that_cannot_be_loaded() {
    Options_Fixture f({QStringLiteral("Deutsch.lng"), QStringLiteral("English.lng")});
    f.load_error = true;
    f.Show();
    f.ui.Expect_Question(true);
    f.ui.Expect_Error(QStringLiteral("Cannot read broken.lng"));
    f.Click(f.Slot_Label(1));
    QVERIFY(f.ui.All_Answered());

    // The texts of the language in use are back, on screen too, and OK
    // cannot store the unreadable language.
    QCOMPARE(f.loaded_as, QStringList({QStringLiteral("Deutsch"), QStringLiteral("English")}));
    QCOMPARE(f.state.Language_Name, QStringLiteral("English"));
    QCOMPARE(f.dialog->Language_In_Use(), QStringLiteral("English"));
    QCOMPARE(f.language_changes, 1);
    QCOMPARE(f.Label("L_Sel_Lang")->text(), QStringLiteral("Selected Language : English"));
    f.Click(f.Button("Btn_OK"));
    QCOMPARE(f.state.Language_Name, QStringLiteral("English"));
}

void Tst_Soft_Options_Dialog::language_file_with_bytes_that_are_not_text_data() {
    QTest::addColumn<QByteArray>("bytes"); // of Deutsch.lng
    QTest::addColumn<bool>("applied");
    QTest::addColumn<QString>("warning"); // after "The language file <path>"; empty: no box

    QTest::newRow("clean UTF-8") << QByteArray("STR 302 =Spr\xC3\xA4"
                                               "che\r\nSTR 308 =Weiter")
                                 << true << "";
    // The umlauts of the UTF-8 lines stay whole; the one 8-bit byte is a
    // replacement mark, and the warning comes in the new language.
    QTest::newRow("UTF-8 with one 8-bit line")
        << QByteArray(
               "STR 302 =Spr\xC3\xA4"
               "che\r\nSTR 308 =Weiter\r\n"
               "STR 787 =\xC2\xB6"
               "Die Datei \xC2\xB6\r\nSTR 788 =\xC2\xB6 hat \xC2\xB6\r\nSTR 789 =\xC2\xB6, Zeile \xC2\xB6\r\n"
               "STR 313 =Zur\xFC"
               "ck\r\n")
        << true << "Die Datei {path} hat 1, Zeile 6";
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1A\n\x00\x00\x00\rIHDR\xFF", 17) << false
                            << "The language file {path} holds no text line and was not applied";
}

void Tst_Soft_Options_Dialog::language_file_with_bytes_that_are_not_text() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, applied);
    QFETCH(QString, warning);
    Options_Fixture f({QStringLiteral("Deutsch.lng"), QStringLiteral("English.lng")});
    f.real_loader = true;
    const QString path = Join_Path(f.state.Language_Dir, QStringLiteral("Deutsch.lng"));
    QVERIFY(Write_All(path, bytes));
    f.Show();
    f.ui.Expect_Question(true);
    if (!warning.isEmpty())
        f.ui.Expect_Warning(QString(warning).replace("{path}", QDir::toNativeSeparators(path)));
    f.Click(f.Slot_Label(1));
    QVERIFY(f.ui.All_Answered());

    QCOMPARE(f.dialog->Language_In_Use(), applied ? QStringLiteral("Deutsch") : QStringLiteral("English"));
    QCOMPARE(f.Get<QTabWidget>("PC_Options")->tabText(0),
             applied ? QStringLiteral("Spr\u00e4che") : QStringLiteral("Language"));
    if (applied && !warning.isEmpty())
        QCOMPARE(f.table[313], QStringLiteral("Zur\ufffd"
                                              "ck"));
    f.Click(f.Button("Btn_OK"));
    QCOMPARE(f.state.Language_Name, applied ? QStringLiteral("Deutsch") : QStringLiteral("English"));
}

void Tst_Soft_Options_Dialog::check_outcomes_data() {
    QTest::addColumn<Version_Outcome>("outcome");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no newer version") << Version_Outcome::Not_Newer << "No Update Available";
    QTest::newRow("no answer in time")
        << Version_Outcome::Timed_Out << "The version service did not answer in time";
    QTest::newRow("unreachable") << Version_Outcome::Unreachable << "The version service cannot be reached";
    QTest::newRow("name not found") << Version_Outcome::Name_Not_Found
                                    << "The name of the version service was not found";
    QTest::newRow("bad answer") << Version_Outcome::Bad_Answer
                                << "The answer of the version service is not a version number";
}

void Tst_Soft_Options_Dialog::check_outcomes() {
    QFETCH(Version_Outcome, outcome);
    QFETCH(QString, shown);
    Options_Fixture f({});
    f.state.Enable_Internet = true;
    f.state.Enable_Update = true;
    f.source.outcome = outcome;
    f.Show();
    f.Page(1);
    QLabel* link = f.Label("LL_Check_Update");
    f.Click(f.Button("Btn_Check_Update"));
    QTRY_VERIFY(!f.dialog->Check_Running());
    QCOMPARE(link->textFormat(), Qt::PlainText);
    QCOMPARE(link->text(), shown);
    QVERIFY(f.Button("Btn_Check_Update")->isEnabled());
    QVERIFY(f.ui.Shown().isEmpty());
}

void Tst_Soft_Options_Dialog::check_boxes_data() {
    QTest::addColumn<bool>("internet");
    QTest::addColumn<bool>("update");
    QTest::addColumn<bool>("click_internet");
    QTest::addColumn<bool>("update_enabled");
    QTest::addColumn<bool>("check_enabled");
    QTest::addColumn<bool>("stored_internet");
    QTest::addColumn<bool>("stored_update");
    QTest::addColumn<bool>("timer");
    QTest::newRow("all off") << false << false << false << false << false << false << false << false;
    QTest::newRow("internet only") << true << false << false << true << false << true << false << false;
    QTest::newRow("both on") << true << true << false << true << true << true << true << true;
    QTest::newRow("update marked, internet off")
        << false << true << false << false << false << false << true << false;
    QTest::newRow("unchecking internet keeps the update mark")
        << true << true << true << false << false << false << true << false;
    QTest::newRow("checking internet enables the marked update")
        << false << true << true << true << true << true << true << true;
}

void Tst_Soft_Options_Dialog::check_boxes() {
    QFETCH(bool, internet);
    QFETCH(bool, update);
    QFETCH(bool, click_internet);
    QFETCH(bool, update_enabled);
    QFETCH(bool, check_enabled);
    QFETCH(bool, stored_internet);
    QFETCH(bool, stored_update);
    QFETCH(bool, timer);

    Options_Fixture f({});
    f.state.Enable_Internet = internet;
    f.state.Enable_Update = update;
    f.Show();
    QSignalSpy timer_spy(f.dialog.get(), &TFSoftOptions::Timer_Update_Set);
    f.Page(1);
    if (click_internet)
        f.Click(f.Box("CB_En_Con"));

    QCOMPARE(f.Box("CB_Update")->isEnabled(), update_enabled);
    QCOMPARE(f.Box("CB_Update")->isChecked(), update);
    QCOMPARE(f.Button("Btn_Check_Update")->isEnabled(), check_enabled);

    f.Click(f.Button("Btn_OK"));
    QCOMPARE(f.dialog->result(), int(QDialog::Accepted));
    QCOMPARE(f.state.Enable_Internet, stored_internet);
    QCOMPARE(f.state.Enable_Update, stored_update);
    QCOMPARE(timer_spy.count(), 1);
    QCOMPARE(timer_spy.at(0).at(0).toBool(), timer);
}

void Tst_Soft_Options_Dialog::table_preferences_and_cancel() {
    Options_Fixture f({});
    f.state.Enable_Jump_Field_Tables = true;
    f.state.Double_Click_Auto_Size = false;
    f.Show();
    QVERIFY(f.Box("CB_Soft_Set_Jump_Table")->isChecked());
    QVERIFY(!f.Box("CB_DoubleClick_Auto_Size")->isChecked());
    f.Page(2);
    f.Click(f.Box("CB_Soft_Set_Jump_Table"));
    f.Click(f.Box("CB_DoubleClick_Auto_Size"));
    f.Page(1);
    f.Click(f.Box("CB_En_Con"));

    QSignalSpy timer_spy(f.dialog.get(), &TFSoftOptions::Timer_Update_Set);
    f.Click(f.Button("Btn_Cancel"));
    QCOMPARE(f.dialog->result(), int(QDialog::Rejected));
    QCOMPARE(timer_spy.count(), 0);
    QCOMPARE(f.state.Enable_Jump_Field_Tables, true);
    QCOMPARE(f.state.Double_Click_Auto_Size, false);
    QCOMPARE(f.state.Enable_Internet, false);

    f.Show();
    f.Page(2);
    f.Click(f.Box("CB_Soft_Set_Jump_Table"));
    f.Click(f.Box("CB_DoubleClick_Auto_Size"));
    f.Click(f.Button("Btn_OK"));
    QCOMPARE(f.state.Enable_Jump_Field_Tables, false);
    QCOMPARE(f.state.Double_Click_Auto_Size, true);
}

void Tst_Soft_Options_Dialog::form_show_reloads_the_state() {
    Options_Fixture f({});
    f.state.Enable_Internet = true;
    f.state.Enable_Update = true;
    f.source.newer = false;
    f.Show();
    QCOMPARE(f.Get<QTabWidget>("PC_Options")->currentWidget()->objectName(), QStringLiteral("TS_Language"));
    f.Page(1);
    f.Click(f.Button("Btn_Check_Update"));
    QVERIFY(f.Label("LL_Check_Update")->isVisible());
    QTRY_COMPARE(f.Label("LL_Check_Update")->text(), QStringLiteral("No Update Available"));
    f.Click(f.Box("CB_En_Con"));
    f.Click(f.Button("Btn_Cancel"));

    f.state.Enable_Update = false;
    f.Show();
    QVERIFY(f.Box("CB_En_Con")->isChecked());
    QVERIFY(f.Box("CB_Update")->isEnabled());
    QVERIFY(!f.Box("CB_Update")->isChecked());
    QVERIFY(!f.Button("Btn_Check_Update")->isEnabled());
    QVERIFY(!f.Label("LL_Check_Update")->isVisible());
    QCOMPARE(f.Get<QTabWidget>("PC_Options")->currentWidget()->objectName(), QStringLiteral("TS_Language"));
}

void Tst_Soft_Options_Dialog::check_now_data() {
    QTest::addColumn<bool>("newer");
    QTest::newRow("newer version") << true;
    QTest::newRow("no newer version") << false;
}

void Tst_Soft_Options_Dialog::check_now() {
    QFETCH(bool, newer);
    Options_Fixture f({});
    f.state.Enable_Internet = true;
    f.state.Enable_Update = true;
    f.source.newer = newer;
    f.source.answer_at_once = false;
    f.Show();
    f.Page(1);
    QLabel* link = f.Label("LL_Check_Update");
    QPushButton* check = f.Button("Btn_Check_Update");
    QVERIFY(!link->isVisible());

    // The click returns at once: the check runs and says so.
    f.Click(check);
    QCOMPARE(f.source.asked, 1);
    QVERIFY(link->isVisible());
    QCOMPARE(link->textFormat(), Qt::PlainText);
    QCOMPARE(link->text(), QStringLiteral("Checking for a newer version ..."));
    QVERIFY(!check->isEnabled());
    // A change of the check boxes does not enable the button under it.
    f.Click(f.Box("CB_En_Con"));
    f.Click(f.Box("CB_En_Con"));
    QVERIFY(!check->isEnabled());

    f.source.Answer(newer);
    QVERIFY(check->isEnabled());
    if (newer) {
        QCOMPARE(link->textFormat(), Qt::RichText);
        QCOMPARE(link->text(),
                 Download_Link_Html(QStringLiteral("New Version Available. Click Here for more Details")));
        emit link->linkActivated(Download_Url());
        QCOMPARE(f.ui.Opened_Urls(), QStringList{Download_Url()});
    } else {
        QCOMPARE(link->textFormat(), Qt::PlainText);
        QCOMPARE(link->text(), QStringLiteral("No Update Available"));
    }
    // A second check shows the running text again before its answer.
    f.Click(check);
    QCOMPARE(f.source.asked, 2);
    QCOMPARE(link->text(), QStringLiteral("Checking for a newer version ..."));
    f.source.Answer(false);
    QCOMPARE(link->text(), QStringLiteral("No Update Available"));
    QVERIFY(f.ui.Shown().isEmpty());
}

void Tst_Soft_Options_Dialog::check_texts_follow_the_language() {
    Options_Fixture f({QStringLiteral("Deutsch.lng")});
    f.state.Enable_Internet = true;
    f.state.Enable_Update = true;
    f.source.answer_at_once = false;
    f.Show();
    f.Page(1);
    QLabel* link = f.Label("LL_Check_Update");
    f.Click(f.Button("Btn_Check_Update"));
    f.source.Answer(false);
    QCOMPARE(link->text(), QStringLiteral("No Update Available"));
    // The result left on screen follows a language change at once.
    f.ui.Expect_Question(true);
    f.dialog->LangClick(1);
    QCOMPARE(link->text(), QStringLiteral("Keine neue Version"));
    QVERIFY(link->isVisible());
    // So does the running text, and a newer version's link.
    f.Click(f.Button("Btn_Check_Update"));
    f.table.Set_Text(322, QStringLiteral("Suche l\u00e4uft ..."));
    f.dialog->Set_Lang();
    QCOMPARE(link->text(), QStringLiteral("Suche l\u00e4uft ..."));
    f.source.Answer(true);
    f.table.Set_Text(314, QStringLiteral("Neue Version"));
    f.dialog->Set_Lang();
    QCOMPARE(link->text(), Download_Link_Html(QStringLiteral("Neue Version")));
}

QTEST_MAIN(Tst_Soft_Options_Dialog)
#include "tst_soft_options_dialog.moc"
