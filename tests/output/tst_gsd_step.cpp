#include "base/app_state.h"
#include "base/text_table.h"
#include "output/gsd_step.h"
#include "output/gsd_writer.h"
#include "test_dirs.h"
#include "ui_recorder.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

QByteArray Par_Gen(const QByteArray& content) {
    return "<Par_Gen><Hardware_Type>0</Hardware_Type>" + content + "</Par_Gen><!--SW_VERSION = 2.110-->";
}

QByteArray Line_Value(const QByteArray& file, const QByteArray& key) {
    for (const QByteArray& line : file.split('\n'))
        if (line.startsWith(key + '='))
            return line.mid(key.size() + 1).chopped(1);
    return "<missing>";
}

} // namespace

class Tst_Gsd_Step : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void writes_example_file();
    void area_values_data();
    void area_values();
    void without_general_parameters();
    void broken_general_parameters_data();
    void broken_general_parameters();
    void chooser_cancelled();
    void existing_file_data();
    void existing_file();
    void chosen_names_data();
    void chosen_names();
    void chosen_folder_is_refused();
    void unwritable_file();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    App_State state_;
    Text_Table texts_;
    Ui_Recorder ui_;
    void Open_Configuration(const QByteArray& pargen,
                            const QString& file_name = QStringLiteral("ParGen.xml"));
};

void Tst_Gsd_Step::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    ui_.Clear();
    state_ = App_State();
    state_.Set_Program_Dir(dir_->path());
    state_.Conf_Name = QStringLiteral("Plant");
    state_.Conf_Dir = Join_Path(state_.Projects_Dir, state_.Conf_Name);
    state_.Set_Files();
    QVERIFY(QDir().mkpath(state_.Conf_Dir));
}

void Tst_Gsd_Step::Open_Configuration(const QByteArray& pargen, const QString& file_name) {
    QVERIFY(Write_All(Join_Path(state_.Conf_Dir, file_name), pargen));
}

void Tst_Gsd_Step::writes_example_file() {
    Open_Configuration(Par_Gen("<Profi_NB_IN>244</Profi_NB_IN><Profi_NB_OUT>100</Profi_NB_OUT>"));
    ui_.Expect_Save_File(Join_Path(state_.Conf_Dir, "Device"));
    Create_GSD_File(state_, texts_, ui_);
    QVERIFY(ui_.All_Answered());
    // The chooser opens in the configuration folder with the one filter, and
    // a successful write shows nothing.
    QCOMPARE(ui_.Shown().size(), 1);
    QCOMPARE(ui_.Shown_Texts(Ui_Recorder::Kind::Save_File),
             QStringList{state_.Conf_Dir + " | Generic Station Description (*.gsd)"});
    QCOMPARE(Read_All(Join_Path(state_.Conf_Dir, "Device.gsd")), Read_All(Fixture_Path("gsd/I244_O100.gsd")));
    QVERIFY(!QFileInfo::exists(Join_Path(state_.Conf_Dir, "Device")));
}

void Tst_Gsd_Step::area_values_data() {
    QTest::addColumn<QByteArray>("pargen");
    QTest::addColumn<QString>("file_name");
    QTest::addColumn<QByteArray>("in_len");
    QTest::addColumn<QByteArray>("out_len");
    QTest::addColumn<QByteArray>("max_module");

    // Missing or unreadable values are 0 each, never the editor's 244.
    QTest::newRow("both missing") << Par_Gen("") << "ParGen.xml" << QByteArray("0") << QByteArray("0")
                                  << QByteArray("0");
    QTest::newRow("input missing") << Par_Gen("<Profi_NB_OUT>32</Profi_NB_OUT>") << "ParGen.xml"
                                   << QByteArray("0") << QByteArray("32") << QByteArray("1");
    QTest::newRow("output not a number")
        << Par_Gen("<Profi_NB_IN>65</Profi_NB_IN><Profi_NB_OUT>1O</Profi_NB_OUT>") << "ParGen.xml"
        << QByteArray("65") << QByteArray("0") << QByteArray("2");
    QTest::newRow("trailing blank") << Par_Gen(
                                           "<Profi_NB_IN>64 </Profi_NB_IN><Profi_NB_OUT>64</Profi_NB_OUT>")
                                    << "ParGen.xml" << QByteArray("0") << QByteArray("64") << QByteArray("1");
    QTest::newRow("hexadecimal and blanks before")
        << Par_Gen("<Profi_NB_IN>  $40</Profi_NB_IN><Profi_NB_OUT>0x41</Profi_NB_OUT>") << "ParGen.xml"
        << QByteArray("64") << QByteArray("65") << QByteArray("3");
    QTest::newRow("negative") << Par_Gen("<Profi_NB_IN>-8</Profi_NB_IN><Profi_NB_OUT>10</Profi_NB_OUT>")
                              << "ParGen.xml" << QByteArray("-8") << QByteArray("10") << QByteArray("1");
    QTest::newRow("value holding an element")
        << Par_Gen("<Profi_NB_IN><x>5</x></Profi_NB_IN><Profi_NB_OUT>5</Profi_NB_OUT>") << "ParGen.xml"
        << QByteArray("0") << QByteArray("5") << QByteArray("1");
    QTest::newRow("first of two elements")
        << Par_Gen("<Profi_NB_IN>1</Profi_NB_IN><Profi_NB_IN>200</Profi_NB_IN>") << "ParGen.xml"
        << QByteArray("1") << QByteArray("0") << QByteArray("1");
    QTest::newRow("name matched exactly") << Par_Gen("<profi_nb_in>100</profi_nb_in>") << "ParGen.xml"
                                          << QByteArray("0") << QByteArray("0") << QByteArray("0");
    // The container is the first top-level node, whatever it is.
    QTest::newRow("leading comment is the container")
        << QByteArray("<!--c--><Par_Gen><Profi_NB_IN>100</Profi_NB_IN></Par_Gen>") << "ParGen.xml"
        << QByteArray("0") << QByteArray("0") << QByteArray("0");
    QTest::newRow("other root name") << QByteArray("<X><Profi_NB_IN>100</Profi_NB_IN></X>") << "ParGen.xml"
                                     << QByteArray("100") << QByteArray("0") << QByteArray("2");
    // The document's name is matched without regard to case.
    QTest::newRow("lower-case file name") << Par_Gen("<Profi_NB_IN>8</Profi_NB_IN>") << "pargen.xml"
                                          << QByteArray("8") << QByteArray("0") << QByteArray("1");
}

void Tst_Gsd_Step::area_values() {
    QFETCH(QByteArray, pargen);
    QFETCH(QString, file_name);
    QFETCH(QByteArray, in_len);
    QFETCH(QByteArray, out_len);
    QFETCH(QByteArray, max_module);
    Open_Configuration(pargen, file_name);
    const QString path = Join_Path(state_.Conf_Dir, "out.gsd");
    ui_.Expect_Save_File(path);
    Create_GSD_File(state_, texts_, ui_);
    QVERIFY(ui_.All_Answered());
    const QByteArray file = Read_All(path);
    QCOMPARE(Line_Value(file, "Max_Input_Len"), in_len);
    QCOMPARE(Line_Value(file, "Max_Output_Len"), out_len);
    QCOMPARE(Line_Value(file, "Max_Module"), max_module);
    if (in_len == "0" && out_len == "0")
        QCOMPARE(file, Read_All(Fixture_Path("gsd/I0_O0.gsd")));
}

void Tst_Gsd_Step::without_general_parameters() {
    ui_.Expect_Error(texts_[904]);
    Create_GSD_File(state_, texts_, ui_);
    QVERIFY(ui_.All_Answered());
    QCOMPARE(ui_.Shown().size(), 1); // no chooser
    QCOMPARE(QDir(state_.Conf_Dir).entryList(QDir::Files), QStringList());

    // No configuration open at all: the same message.
    App_State none;
    ui_.Clear();
    ui_.Expect_Error(texts_[904]);
    Create_GSD_File(none, texts_, ui_);
    QVERIFY(ui_.All_Answered());
}

void Tst_Gsd_Step::broken_general_parameters_data() {
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QByteArray>("pargen");
    QTest::addColumn<QString>("message_part");
    QTest::newRow("not well-formed") << "gsd_broken/ParGen.xml" << QByteArray() << "not a well-formed";
    QTest::newRow("empty file") << QString() << QByteArray() << "not a well-formed";
    // A hand-edited size that needs more modules than a GSD file can number.
    QTest::newRow("too many modules")
        << QString() << Par_Gen("<Profi_NB_IN>100000</Profi_NB_IN>") << "at most 255";
}

void Tst_Gsd_Step::broken_general_parameters() {
    QFETCH(QString, fixture);
    QFETCH(QByteArray, pargen);
    QFETCH(QString, message_part);
    if (!fixture.isEmpty()) {
        pargen = Read_All(Fixture_Path(fixture));
        QVERIFY2(!pargen.isEmpty(), qPrintable(fixture));
    }
    Open_Configuration(pargen);
    ui_.Expect_Error();
    Create_GSD_File(state_, texts_, ui_);
    QVERIFY(ui_.All_Answered());
    QCOMPARE(ui_.Shown().size(), 1); // the error ends the step before the chooser
    const QString message = ui_.Shown_Texts(Ui_Recorder::Kind::Error).value(0);
    QVERIFY2(message.contains(QDir::toNativeSeparators(state_.ParGen_File)), qPrintable(message));
    QVERIFY2(message.contains(message_part), qPrintable(message));
    QCOMPARE(QDir(state_.Conf_Dir).entryList(QDir::Files), QStringList{"ParGen.xml"});
}

void Tst_Gsd_Step::chooser_cancelled() {
    Open_Configuration(Par_Gen("<Profi_NB_IN>10</Profi_NB_IN>"));
    ui_.Expect_Save_File(QString());
    Create_GSD_File(state_, texts_, ui_);
    QVERIFY(ui_.All_Answered());
    QCOMPARE(ui_.Shown().size(), 1);
    QCOMPARE(QDir(state_.Conf_Dir).entryList(QDir::Files), QStringList{"ParGen.xml"});
}

void Tst_Gsd_Step::existing_file_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("existing");
    QTest::addColumn<bool>("answer_yes");
    QTest::newRow("No keeps the file") << "Device"
                                       << "Device.gsd" << false;
    QTest::newRow("Yes replaces it") << "Device"
                                     << "Device.gsd" << true;
    QTest::newRow("upper-case suffix, No") << "Device.GSD"
                                           << "Device.GSD" << false;
    QTest::newRow("upper-case suffix, Yes") << "Device.GSD"
                                            << "Device.GSD" << true;
}

void Tst_Gsd_Step::existing_file() {
    QFETCH(QString, chosen);
    QFETCH(QString, existing);
    QFETCH(bool, answer_yes);
    Open_Configuration(Par_Gen("<Profi_NB_IN>244</Profi_NB_IN><Profi_NB_OUT>100</Profi_NB_OUT>"));
    const QString path = Join_Path(state_.Conf_Dir, existing);
    const QByteArray old = "old contents\r\n";
    QVERIFY(Write_All(path, old));

    ui_.Expect_Save_File(Join_Path(state_.Conf_Dir, chosen));
    ui_.Expect_Question(answer_yes, texts_[903], Ui_Services::Default_Answer::No);
    Create_GSD_File(state_, texts_, ui_);
    QVERIFY(ui_.All_Answered());
    QCOMPARE(ui_.Shown().size(), 2); // chooser and question, nothing after
    QCOMPARE(Read_All(path), answer_yes ? Read_All(Fixture_Path("gsd/I244_O100.gsd")) : old);
    QCOMPARE(QDir(state_.Conf_Dir).entryList(QDir::Files).size(), 2); // ParGen.xml and the one GSD file
}

void Tst_Gsd_Step::chosen_names_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("Device") << "Device"
                            << "Device.gsd";
    QTest::newRow("Device.GSD") << "Device.GSD"
                                << "Device.GSD";
    QTest::newRow("device.gsd") << "device.gsd"
                                << "device.gsd";
    QTest::newRow("report.gsd.txt") << "report.gsd.txt"
                                    << "report.gsd.txt.gsd";
    QTest::newRow("in folder old.gsd, no suffix") << "old.gsd/Device"
                                                  << "old.gsd/Device.gsd";
    QTest::newRow("in folder old.gsd, with suffix") << "old.gsd/new.gsd"
                                                    << "old.gsd/new.gsd";
}

void Tst_Gsd_Step::chosen_names() {
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    Open_Configuration(Par_Gen("<Profi_NB_IN>1</Profi_NB_IN>"));
    QVERIFY(QDir(state_.Conf_Dir).mkdir("old.gsd"));
    ui_.Expect_Save_File(Join_Path(state_.Conf_Dir, chosen));
    Create_GSD_File(state_, texts_, ui_);
    QVERIFY(ui_.All_Answered());
    QCOMPARE(ui_.Shown().size(), 1);
    QCOMPARE(Read_All(Join_Path(state_.Conf_Dir, written)), Write_GSD(1, 0));
}

void Tst_Gsd_Step::chosen_folder_is_refused() {
    // The chooser's answer is an existing folder named old.gsd: no overwrite
    // question about a folder, an error naming it, the folder untouched.
    Open_Configuration(Par_Gen("<Profi_NB_IN>1</Profi_NB_IN>"));
    const QString folder = Join_Path(state_.Conf_Dir, "old.gsd");
    QVERIFY(QDir().mkpath(Join_Path(folder, "inner")));
    ui_.Expect_Save_File(folder);
    ui_.Expect_Error();
    Create_GSD_File(state_, texts_, ui_);
    QVERIFY(ui_.All_Answered());
    QVERIFY(ui_.Shown_Texts(Ui_Recorder::Kind::Question).isEmpty());
    QVERIFY(ui_.Shown_Texts(Ui_Recorder::Kind::Error).value(0).contains(QDir::toNativeSeparators(folder)));
    QVERIFY(QFileInfo(folder).isDir());
    QVERIFY(QFileInfo(Join_Path(folder, "inner")).isDir());
}

void Tst_Gsd_Step::unwritable_file() {
    Open_Configuration(Par_Gen("<Profi_NB_IN>1</Profi_NB_IN>"));
    const QString path = Join_Path(state_.Conf_Dir, "missing/Device.gsd");
    ui_.Expect_Save_File(path);
    ui_.Expect_Error();
    Create_GSD_File(state_, texts_, ui_);
    QVERIFY(ui_.All_Answered());
    const QString message = ui_.Shown_Texts(Ui_Recorder::Kind::Error).value(0);
    QVERIFY2(message.contains(QDir::toNativeSeparators(path)), qPrintable(message));
    QVERIFY(!QFileInfo::exists(path));
    QCOMPARE(QDir(state_.Conf_Dir).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
             QStringList{"ParGen.xml"});
}

QTEST_GUILESS_MAIN(Tst_Gsd_Step)
#include "tst_gsd_step.moc"
