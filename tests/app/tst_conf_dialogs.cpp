#include "app/about_dialog.h"
#include "app/new_project_dialog.h"
#include "app/open_conf.h"
#include "app/open_conf_dialog.h"
#include "base/app_state.h"
#include "base/text_table.h"
#include "test_dirs.h"
#include "ui_recorder.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A program folder with PROJECTS holding the given entries: "name/" is a
// folder, anything else a file.
struct Projects {
    QTemporaryDir dir;
    App_State state;
    Text_Table texts;
    Ui_Recorder ui;

    explicit Projects(const QStringList& entries = {}) {
        state.Set_Program_Dir(dir.path());
        QDir().mkdir(state.Projects_Dir);
        for (const QString& entry : entries) {
            if (entry.endsWith('/'))
                QDir().mkpath(state.Projects_Dir + '/' + entry);
            else
                Write_All(state.Projects_Dir + '/' + entry, "x");
        }
    }
    QStringList Entries() const {
        return QDir(state.Projects_Dir)
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
    void Open(const QString& name) {
        state.Conf_Name = name;
        state.Conf_Dir = state.Projects_Dir + '/' + name;
        state.Set_Files();
    }
};

template <typename T> T* Child(QWidget& dialog, const char* name) {
    return dialog.findChild<T*>(QLatin1String(name));
}

} // namespace

class Tst_Conf_Dialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void new_refuses_data();
    void new_refuses();
    void new_creates_the_name_as_typed_data();
    void new_creates_the_name_as_typed();
    void new_enter_acts_as_ok();
    void new_show_empties_the_name();
    void new_texts();

    void open_lists_configuration_folders();
    void existing_folders_keep_opening();
    void open_preselects_data();
    void open_preselects();
    void open_click_and_empty_list_keep_name_conf();
    void open_enter_and_double_click_data();
    void open_enter_and_double_click();
    void open_texts();

    void about_box();
};

void Tst_Conf_Dialogs::new_refuses_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("text");
    QTest::addColumn<QString>("reason"); // the line below the text; empty: none

    const QString character = "The name holds a character that a folder name cannot hold: ";
    const QString device = "The name is reserved for a device on Windows: ";
    const QString trailing = "The name ends in a blank or a full stop";
    QTest::newRow("empty") << "" << 107 << "The name is empty";
    QTest::newRow("existing") << "Plant" << 106 << "";
    QTest::newRow("existing, other letter case") << "PLANT" << 106 << "";
    QTest::newRow("slash") << "a/b" << 105 << character + "/";
    QTest::newRow("slash to the parent") << "../Escaped" << 105 << character + "/";
    QTest::newRow("backslash") << "a\\b" << 105 << character + "\\";
    QTest::newRow("dot") << "." << 105 << trailing;
    QTest::newRow("dot dot") << ".." << 105 << trailing;
    QTest::newRow("too long for the file system")
        << QString(300, 'x') << 105 << "The name is too long; the most characters a name may have: 64";
    QTest::newRow("one character too many")
        << QString(65, u'\u00e4') << 105 << "The name is too long; the most characters a name may have: 64";
    QTest::newRow("a file of that name")
        << "notes.txt" << 105 << "The folder cannot be created: {projects/notes.txt}";
    // Names a Windows folder cannot hold.
    for (const char* c : {"<", ">", ":", "\"", "|", "?", "*"})
        QTest::addRow("character %s", c)
            << QStringLiteral("Plant %1 2").arg(QLatin1String(c)) << 105 << character + QLatin1String(c);
    QTest::newRow("tab") << "Plant\tB" << 105 << character + "\\t";
    QTest::newRow("line break") << "Plant\nB" << 105 << character + "\\n";
    QTest::newRow("escape character") << "Plant\x1b" << 105 << character + "\\x1B";
    QTest::newRow("NUL character") << QString("Pl") + QChar(0) + "ant" << 105 << character + "\\x00";
    QTest::newRow("first refused character named") << "a*b?c" << 105 << character + "*";
    QTest::newRow("trailing blank") << "Plant B " << 105 << trailing;
    QTest::newRow("trailing full stop") << "Plant B." << 105 << trailing;
    QTest::newRow("CON") << "CON" << 105 << device + "CON";
    QTest::newRow("con") << "con" << 105 << device + "con";
    QTest::newRow("Prn with an extension") << "Prn.txt" << 105 << device + "Prn";
    QTest::newRow("aux with two extensions") << "aux.tar.gz" << 105 << device + "aux";
    QTest::newRow("NUL before a blank and an extension") << "NUL .x" << 105 << device + "NUL";
    QTest::newRow("COM1") << "COM1" << 105 << device + "COM1";
    QTest::newRow("com9 with an extension") << "com9.cfg" << 105 << device + "com9";
    QTest::newRow("LPT1") << "LPT1" << 105 << device + "LPT1";
    QTest::newRow("lPt9") << "lPt9" << 105 << device + "lPt9";
}

void Tst_Conf_Dialogs::new_refuses() {
    QFETCH(QString, name);
    QFETCH(int, text);
    QFETCH(QString, reason);
    Projects p({"Plant/", "notes.txt"});
    p.Open("Plant");
    const QStringList before = p.Entries();
    const QStringList program_before = QDir(p.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    TFNew_Project dialog(p.state, p.texts, p.ui);
    dialog.FormShow();
    dialog.show();
    Child<QLineEdit>(dialog, "E_New_Proj")->setText(name);
    reason.replace("{projects/notes.txt}", QDir::toNativeSeparators(p.state.Projects_Dir + "/notes.txt"));
    reason.replace("{projects}", QDir::toNativeSeparators(p.state.Projects_Dir));
    // The system's text first, as it always read, then why.
    p.ui.Expect_Error(reason.isEmpty() ? p.texts[text] : p.texts[text] + '\n' + reason);
    Child<QPushButton>(dialog, "Btn_OK")->click();
    QVERIFY(p.ui.All_Answered());
    QVERIFY(dialog.isVisible()); // stays open for another try
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(p.Entries(), before);
    QCOMPARE(QDir(p.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), program_before);
    QCOMPARE(p.state.Conf_Name, QString("Plant"));
    QCOMPARE(p.state.Conf_Dir, p.state.Projects_Dir + "/Plant");
    QCOMPARE(Child<QLineEdit>(dialog, "E_New_Proj")->text(), name);
}

void Tst_Conf_Dialogs::new_creates_the_name_as_typed_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "Line 4";
    QTest::newRow("leading blanks") << "  Line 4";
    QTest::newRow("dots inside") << "v1.2..3";
    QTest::newRow("non-ASCII") << QStringLiteral("Linie \u00dc \u20ac");
    QTest::newRow("leading dot") << ".config";
    // Only the device names themselves are refused.
    QTest::newRow("device name inside") << "CONSOLE";
    QTest::newRow("COM10") << "COM10";
    QTest::newRow("COM0") << "COM0";
    QTest::newRow("LPT") << "LPT";
    QTest::newRow("device name after a prefix") << "Line NUL";
    QTest::newRow("device name with a suffix") << "con-1.cfg";
    QTest::newRow("other punctuation") << "Plant #2 (A+B), 50% & more; [x] {y} 'z' ~!@$^=";
    QTest::newRow("longest name") << QString(64, u'\u00e4');
}

void Tst_Conf_Dialogs::new_creates_the_name_as_typed() {
    QFETCH(QString, name);
    Projects p({"Plant/"});
    TFNew_Project dialog(p.state, p.texts, p.ui);
    dialog.FormShow();
    dialog.show();
    Child<QLineEdit>(dialog, "E_New_Proj")->setText(name);
    Child<QPushButton>(dialog, "Btn_OK")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    const QString folder = p.state.Projects_Dir + '/' + name;
    QVERIFY(QFileInfo(folder).isDir());
    QVERIFY(QFileInfo(folder + "/bin").isDir());
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"bin"});
    QCOMPARE(p.state.Conf_Name, name);
    QCOMPARE(p.state.Conf_Dir, folder);
    QCOMPARE(p.state.ParGen_File, folder + "/ParGen.xml");
    QCOMPARE(p.state.Sdo_File, folder + "/sdo.xml");
    QCOMPARE(p.state.Diagnosis_File, folder + "/diagnosis.xml");
    QVERIFY(p.ui.Shown().isEmpty());
}

void Tst_Conf_Dialogs::new_enter_acts_as_ok() {
    Projects p;
    TFNew_Project dialog(p.state, p.texts, p.ui);
    dialog.FormShow();
    dialog.show();
    auto* edit = Child<QLineEdit>(dialog, "E_New_Proj");
    p.ui.Expect_Error("Error! Name Project is not valid\nThe name is empty");
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(p.ui.All_Answered());
    QVERIFY(dialog.isVisible());

    QTest::keyClicks(edit, "Typed");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(p.state.Conf_Name, QString("Typed"));
    QVERIFY(QFileInfo(p.state.Projects_Dir + "/Typed/bin").isDir());
}

void Tst_Conf_Dialogs::new_show_empties_the_name() {
    Projects p;
    TFNew_Project dialog(p.state, p.texts, p.ui);
    Child<QLineEdit>(dialog, "E_New_Proj")->setText("old");
    dialog.FormShow();
    QCOMPARE(Child<QLineEdit>(dialog, "E_New_Proj")->text(), QString());
}

void Tst_Conf_Dialogs::new_texts() {
    Projects p;
    p.state.Soft_Code = "KC-TEST";
    for (int i = 100; i <= 110; ++i)
        p.texts.Set_Text(i, "N" + QString::number(i));
    TFNew_Project dialog(p.state, p.texts, p.ui);
    QCOMPARE(dialog.objectName(), QString("FNew_Project"));
    QCOMPARE(dialog.windowTitle(), QString("N100"));
    QCOMPARE(Child<QLabel>(dialog, "L_SW_Code")->text(), QString("KC-TEST"));
    QCOMPARE(Child<QLabel>(dialog, "L_SW_Desc")->text(), QString("N101"));
    QCOMPARE(Child<QLabel>(dialog, "Label1")->text(), QString("N102"));
    QCOMPARE(Child<QPushButton>(dialog, "Btn_OK")->text(), QString("N103"));
    QCOMPARE(Child<QPushButton>(dialog, "Btn_Cancel")->text(), QString("N104"));
    QCOMPARE(Child<QLineEdit>(dialog, "E_New_Proj")->toolTip(), QString("N108"));
    QCOMPARE(Child<QPushButton>(dialog, "Btn_OK")->toolTip(), QString("N109"));
    QCOMPARE(Child<QPushButton>(dialog, "Btn_Cancel")->toolTip(), QString("N110"));
    p.texts.Set_Text(102, "changed");
    dialog.Set_Lang();
    QCOMPARE(Child<QLabel>(dialog, "Label1")->text(), QString("changed"));
}

void Tst_Conf_Dialogs::open_lists_configuration_folders() {
    Projects p({"gamma/", "Alpha/", "beta/", ".hidden/", "Zeta.txt", "delta.xml", "BETA2/", "alpha0/"});
    QCOMPARE(List_Configurations(p.state.Projects_Dir),
             (QStringList{"Alpha", "alpha0", "beta", "BETA2", "gamma"}));
    QCOMPARE(List_Configurations(p.dir.filePath("missing")), QStringList());
    QCOMPARE(List_Configurations(QString()), QStringList());

    TFOpenConf dialog(p.state, p.texts, p.ui);
    dialog.FormShow();
    auto* list = Child<QListWidget>(dialog, "ListBox1");
    QStringList shown;
    for (int i = 0; i < list->count(); ++i)
        shown << list->item(i)->text();
    QCOMPARE(shown, dialog.SL());
    QCOMPARE(shown, (QStringList{"Alpha", "alpha0", "beta", "BETA2", "gamma"}));

    // Rebuilt at each showing.
    QVERIFY(QDir(p.state.Projects_Dir + "/beta").removeRecursively());
    dialog.FormShow();
    QCOMPARE(list->count(), 4);
}

void Tst_Conf_Dialogs::existing_folders_keep_opening() {
    // Folders made outside the New dialog still open, whatever their name.
#ifdef Q_OS_WIN
    QSKIP("a quote, a trailing blank and a device name cannot name a Windows folder");
#endif
    Projects p({"Plant \"B\" 2/", "CON.old/", "Line A /"});
    QCOMPARE(List_Configurations(p.state.Projects_Dir), (QStringList{"CON.old", "Line A ", "Plant \"B\" 2"}));
    for (const QString& name : List_Configurations(p.state.Projects_Dir)) {
        TFOpenConf dialog(p.state, p.texts, p.ui);
        dialog.FormShow();
        auto* list = Child<QListWidget>(dialog, "ListBox1");
        list->setCurrentItem(list->findItems(name, Qt::MatchExactly).value(0));
        QCOMPARE(dialog.Name_Conf(), name);
        Open_Configuration(p.state, name);
        QCOMPARE(p.state.Conf_Dir, p.state.Projects_Dir + '/' + name);
        QVERIFY(p.ui.Shown().isEmpty());
    }
}

void Tst_Conf_Dialogs::open_preselects_data() {
    QTest::addColumn<QString>("open"); // Conf_Dir's last part; empty: none open
    QTest::addColumn<QString>("selected");
    QTest::newRow("none open: first entry") << ""
                                            << "Alpha";
    QTest::newRow("the open one") << "gamma"
                                  << "gamma";
    QTest::newRow("other letter case") << "GAMMA"
                                       << "gamma";
    QTest::newRow("only a to z fold") << QStringLiteral("\u00c9cole") << "Alpha";
    QTest::newRow("accented same case") << QStringLiteral("\u00e9cole") << QStringLiteral("\u00e9cole");
    QTest::newRow("not listed: first entry") << "gone"
                                             << "Alpha";
}

void Tst_Conf_Dialogs::open_preselects() {
    QFETCH(QString, open);
    QFETCH(QString, selected);
    Projects p({"gamma/", "Alpha/", QStringLiteral("\u00e9cole/")});
    if (!open.isEmpty())
        p.Open(open);
    TFOpenConf dialog(p.state, p.texts, p.ui);
    dialog.FormShow();
    dialog.show();
    auto* list = Child<QListWidget>(dialog, "ListBox1");
    QVERIFY(list->currentItem());
    QCOMPARE(list->currentItem()->text(), selected);
    QVERIFY(list->currentItem()->isSelected());
    QCOMPARE(dialog.Name_Conf(), selected);
    Child<QPushButton>(dialog, "Btn_OK")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void Tst_Conf_Dialogs::open_click_and_empty_list_keep_name_conf() {
    Projects p({"one/", "two/"});
    TFOpenConf dialog(p.state, p.texts, p.ui);
    QCOMPARE(dialog.Name_Conf(), QString());
    dialog.FormShow();
    dialog.show();
    auto* list = Child<QListWidget>(dialog, "ListBox1");
    QCOMPARE(dialog.Name_Conf(), QString("one"));
    const QRect second = list->visualItemRect(list->item(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    QCOMPARE(dialog.Name_Conf(), QString("two"));
    dialog.ListBox1Click();
    QCOMPARE(dialog.Name_Conf(), QString("two"));

    // Every folder gone: the list is empty and Name_Conf keeps "two".
    QVERIFY(QDir(p.state.Projects_Dir + "/one").removeRecursively());
    QVERIFY(QDir(p.state.Projects_Dir + "/two").removeRecursively());
    dialog.FormShow();
    QCOMPARE(list->count(), 0);
    QCOMPARE(dialog.Name_Conf(), QString("two"));
    Child<QPushButton>(dialog, "Btn_OK")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    // The main window turns a name whose folder is gone into "nothing open".
    Open_Configuration(p.state, dialog.Name_Conf());
    QCOMPARE(p.state.Conf_Name, QString("two"));
    QVERIFY(p.state.Conf_Dir.isEmpty());
    QVERIFY(p.state.ParGen_File.isEmpty());
}

void Tst_Conf_Dialogs::open_enter_and_double_click_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Return in the list") << "return";
    QTest::newRow("keypad Enter in the list") << "enter";
    QTest::newRow("double click") << "double click";
}

void Tst_Conf_Dialogs::open_enter_and_double_click() {
    QFETCH(QString, how);
    Projects p({"a1/", "b2/", "c3/"});
    TFOpenConf dialog(p.state, p.texts, p.ui);
    dialog.FormShow();
    dialog.show();
    QVERIFY(Child<QPushButton>(dialog, "Btn_OK")->isDefault());
    QVERIFY(!Child<QPushButton>(dialog, "Btn_Cancel")->isDefault());
    auto* list = Child<QListWidget>(dialog, "ListBox1");
    const QPoint second = list->visualItemRect(list->item(1)).center();
    if (how == "double click") {
        // As the system delivers it: a click, then the double click.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
    } else {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
        QVERIFY(dialog.isVisible());
        QTest::keyClick(list, how == "return" ? Qt::Key_Return : Qt::Key_Enter,
                        how == "return" ? Qt::NoModifier : Qt::KeypadModifier);
    }
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.Name_Conf(), QString("b2"));
    QVERIFY(p.ui.Shown().isEmpty());
}

void Tst_Conf_Dialogs::open_texts() {
    Projects p;
    for (int i = 200; i <= 207; ++i)
        p.texts.Set_Text(i, "O" + QString::number(i));
    TFOpenConf dialog(p.state, p.texts, p.ui);
    QCOMPARE(dialog.objectName(), QString("FOpenConf"));
    QCOMPARE(dialog.windowTitle(), QString("O200"));
    QCOMPARE(Child<QLabel>(dialog, "L_SW_Code")->text(), QString("KC40927"));
    QCOMPARE(Child<QLabel>(dialog, "L_SW_Desc")->text(), QString("O201"));
    QCOMPARE(Child<QLabel>(dialog, "Label1")->text(), QString("O202"));
    QCOMPARE(Child<QPushButton>(dialog, "Btn_OK")->text(), QString("O203"));
    QCOMPARE(Child<QPushButton>(dialog, "Btn_Cancel")->text(), QString("O204"));
    QCOMPARE(Child<QListWidget>(dialog, "ListBox1")->toolTip(), QString("O205"));
    QCOMPARE(Child<QPushButton>(dialog, "Btn_OK")->toolTip(), QString("O206"));
    QCOMPARE(Child<QPushButton>(dialog, "Btn_Cancel")->toolTip(), QString("O207"));
    QCOMPARE(dialog.minimumSize(), QSize(0, 0)); // can be resized
}

void Tst_Conf_Dialogs::about_box() {
    Projects p;
    TFAbout dialog(p.state, p.texts, p.ui);
    dialog.FormShow();
    dialog.show();
    QCOMPARE(dialog.objectName(), QString("FAbout"));
    QCOMPARE(dialog.windowTitle(), QString("About..."));
    const QList<QPair<const char*, QString>> labels{
        {"Label1", "Software Struttor "}, {"Label2", "PROFIBUS Slave / Modbus Master - Converter"},
        {"Label6", "Software Code : "},   {"Label9", "KC40927"},
        {"Label3", "Version :"},          {"Label10", "2.110"},
        {"Label8", "Document Code :"},    {"Label12", "KM40927"},
        {"Label4", "www.maker.invalid"}};
    // A language change does not reach the about box.
    for (int i = 0; i < Text_Table::Text_Count; ++i)
        p.texts.Set_Text(i, "X");
    dialog.FormShow();
    for (const auto& [name, text] : labels)
        QCOMPARE(Child<QLabel>(dialog, name)->text(), text);
    QCOMPARE(Child<QPushButton>(dialog, "LbButton1")->text(), QString("OK"));

    QTest::mouseClick(Child<QLabel>(dialog, "Label4"), Qt::LeftButton);
    QTest::mouseClick(Child<QLabel>(dialog, "Image2"), Qt::LeftButton);
    const QString home = "http://www.maker.invalid/HOME/default.asp?frompg=KC40927";
    QCOMPARE(p.ui.Opened_Urls(), (QStringList{home, home}));
    // No browser: a box from the text table shows the address to copy.
    p.ui.Set_Urls_Open(false);
    p.ui.Expect_Link_Failure("X | " + home);
    QTest::mouseClick(Child<QLabel>(dialog, "Label4"), Qt::LeftButton);
    QVERIFY(p.ui.All_Answered());
    QCOMPARE(Child<QLabel>(dialog, "Image2")->size(), QSize(81, 81));

    Child<QPushButton>(dialog, "LbButton1")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
}

QTEST_MAIN(Tst_Conf_Dialogs)
#include "tst_conf_dialogs.moc"
