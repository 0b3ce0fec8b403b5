// Building and writing bin/bank.bin as the Update Device step does.
#include "bank_test_support.h"
#include "base/app_state.h"
#include "base/kc_error.h"
#include "output/bank_build.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

App_State State_For(const QString& conf_dir) {
    App_State state;
    state.Conf_Dir = conf_dir;
    state.Set_Files();
    return state;
}

QString Error_Of(const std::function<void()>& action) {
    try {
        action();
    } catch (const Kc_Error& error) {
        return error.Message();
    }
    return {};
}

} // namespace

class Tst_Bank_Save : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void build_and_save_writes_bank_bin();
    void failing_build_leaves_the_old_file_data();
    void failing_build_leaves_the_old_file();
    void failing_save_names_the_file_and_keeps_the_old_one();
    void two_builds_are_byte_identical();
    void documents_are_found_without_regard_to_case();
    void general_parameters_read_where_the_editor_writes_them();
    void fixed_layout_does_not_read_the_diagnosis_document();
    void no_open_configuration();
};

void Tst_Bank_Save::build_and_save_writes_bank_bin() {
    QTemporaryDir dir;
    const QString conf = Make_Conf_Dir(dir.path());
    Copy_Documents(Fixture_Path("bank/packed_rules_diagnosis"), conf);
    const Bank_Image image = Build_And_Save_Bank(State_For(conf));
    QCOMPARE(image.Bytes.size(), 105);
    QCOMPARE(Read_All(conf + "/bin/bank.bin"), image.Bytes);
    QCOMPARE(QDir(conf + "/bin").entryList(QDir::Files), QStringList{"bank.bin"});
}

// clang-format off
void Tst_Bank_Save::failing_build_leaves_the_old_file_data() {
    QTest::addColumn<QString>("document");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::newRow("enabled input rule without Slave_ID, fixed layout")
        << "sdo.xml" << Sdo_Xml({Without(Input_Rule(), "Slave_ID")}, {}) << "rule 1 of ProfiBUS_IN: the value Slave_ID is missing";
    QTest::newRow("general parameters not well-formed")
        << "ParGen.xml" << QByteArray("<Par_Gen><Hardware_Type>1</Hardware_Type>") << "ParGen.xml is not a well-formed XML document";
    QTest::newRow("rules document without lists") << "sdo.xml" << QByteArray("<Serial_to_ProfiBus/>") << "has no ProfiBUS_IN list";
}
// clang-format on

void Tst_Bank_Save::failing_build_leaves_the_old_file() {
    QFETCH(QString, document);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString conf = Make_Conf_Dir(dir.path());
    Copy_Documents(Fixture_Path("bank/fixed_full"), conf);
    const App_State state = State_For(conf);
    const QByteArray old_image = Build_And_Save_Bank(state).Bytes;

    Write_All(conf + "/" + document, content);
    const QString error = Error_Of([&] { Build_And_Save_Bank(state); });
    QVERIFY2(error.contains(message), qPrintable(error));
    QVERIFY2(error.contains(QDir::toNativeSeparators(conf + "/" + document)), qPrintable(error));
    QCOMPARE(Read_All(conf + "/bin/bank.bin"), old_image);
    QCOMPARE(QDir(conf + "/bin").entryList(QDir::Files), QStringList{"bank.bin"});
}

void Tst_Bank_Save::failing_save_names_the_file_and_keeps_the_old_one() {
    QTemporaryDir dir;
    // No bin folder: the step reports it instead of going on without an image.
    const QString bare = dir.path() + "/bare";
    QDir().mkpath(bare);
    QString error = Error_Of([&] { Build_And_Save_Bank(State_For(bare)); });
    QVERIFY2(error.contains(QDir::toNativeSeparators(bare + "/bin/bank.bin")) &&
                 error.contains("does not exist"),
             qPrintable(error));

    // bank.bin cannot be replaced (here it is a folder holding a file).
    const QString conf = Make_Conf_Dir(dir.path());
    QDir().mkpath(conf + "/bin/bank.bin");
    Write_All(conf + "/bin/bank.bin/keep", "old");
    error = Error_Of([&] { Save_Bank(QByteArray(48, 'x'), conf); });
    QVERIFY2(error.contains(QDir::toNativeSeparators(conf + "/bin/bank.bin")), qPrintable(error));
    QCOMPARE(Read_All(conf + "/bin/bank.bin/keep"), QByteArray("old"));
    QCOMPARE(QDir(conf + "/bin").entryList(QDir::Files), QStringList{});
}

void Tst_Bank_Save::two_builds_are_byte_identical() {
    QTemporaryDir dir;
    for (const QString fixture : {"fixed_full", "packed_rules_diagnosis"}) {
        const QString conf = Make_Conf_Dir(dir.path(), fixture);
        Copy_Documents(Fixture_Path("bank/" + fixture), conf);
        Build_And_Save_Bank(State_For(conf));
        const QByteArray first = Read_All(conf + "/bin/bank.bin");
        Build_And_Save_Bank(State_For(conf));
        QCOMPARE(Read_All(conf + "/bin/bank.bin"), first);
    }
}

void Tst_Bank_Save::documents_are_found_without_regard_to_case() {
    QTemporaryDir dir;
    const QString conf = Make_Conf_Dir(dir.path());
    Write_All(conf + "/PARGEN.XML", Par_Gen_Xml({{"Hardware_Type", "1"}}));
    Write_All(conf + "/Sdo.Xml", Sdo_Xml({Input_Rule()}, {}));
    Write_All(conf + "/bin/BANK.BIN", "old");
    const Bank_Image image = Build_And_Save_Bank(State_For(conf));
    QCOMPARE(image.Layout, Bank_Layout::Fixed);
    QCOMPARE(image.Input_Rules, 1);
    // The existing file is replaced, not joined by a second one.
    QCOMPARE(QDir(conf + "/bin").entryList(QDir::Files), QStringList{"BANK.BIN"});
    QCOMPARE(Read_All(conf + "/bin/BANK.BIN"), image.Bytes);
}

void Tst_Bank_Save::general_parameters_read_where_the_editor_writes_them() {
    // A folder copied between file systems may hold both spellings. The editor
    // and the main window use ParGen.xml; the image must come from the same
    // document, not from the stale one beside it.
    QTemporaryDir dir;
    const QString conf = Make_Conf_Dir(dir.path());
    Write_All(conf + "/ParGen.xml", Par_Gen_Xml({{"Hardware_Type", "1"}, {"Profi_ID", "7"}}));
    Write_All(conf + "/pargen.xml", Par_Gen_Xml({{"Hardware_Type", "0"}}));
    if (QDir(conf).entryList(QDir::Files).size() != 2)
        QSKIP("the file system does not tell letter cases apart");
    QCOMPARE(Bank_Hardware_Type(conf), 1);
    const Bank_Image image = Build_Bank(conf);
    QCOMPARE(image.Layout, Bank_Layout::Fixed);
    QCOMPARE(int(quint8(image.Bytes[0x4000 + 0x081])), 7);
}

void Tst_Bank_Save::fixed_layout_does_not_read_the_diagnosis_document() {
    QTemporaryDir dir;
    const QString conf = Make_Conf_Dir(dir.path());
    Write_All(conf + "/ParGen.xml", Par_Gen_Xml({{"Hardware_Type", "1"}}));
    Write_All(conf + "/diagnosis.xml", "<Modbus_IDs><ID>x</ID>"); // broken, and not part of this layout
    QCOMPARE(Build_Bank(conf).Bytes.size(), 18432);
    Write_All(conf + "/ParGen.xml", Par_Gen_Xml({{"Hardware_Type", "0"}}));
    const QString error = Error_Of([&] { Build_Bank(conf); });
    QVERIFY2(error.contains("diagnosis.xml is not a well-formed XML document"), qPrintable(error));
}

void Tst_Bank_Save::no_open_configuration() {
    const QString error = Error_Of([] { Build_And_Save_Bank(App_State{}); });
    QVERIFY2(error.contains("no configuration is open"), qPrintable(error));
}

QTEST_GUILESS_MAIN(Tst_Bank_Save)
#include "tst_bank_save.moc"
