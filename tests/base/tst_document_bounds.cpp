#include "app/settings_file.h"
#include "base/app_state.h"
#include "base/document_bounds.h"
#include "base/kc_error.h"
#include "base/xml_document.h"
#include "document/access_rules.h"
#include "document/access_rules_check.h"
#include "document/diagnosis_list.h"
#include "document/general_params.h"
#include "document/pargen_view.h"
#include "output/bank_build.h"
#include "output/gsd_step.h"
#include "test_dirs.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

// Every document reader refuses a document larger, deeper or holding more
// nodes than any real one, with a message naming the file, before it parses
// it; a refused Struttor.xml gives the defaults.
namespace {

// A document of one kind: its content around the bulk a case puts in, at a
// place where the reader looks (inside the container, inside a rule list).
struct Document_Kind {
    QString file_name;
    QByteArray before;
    QByteArray after;
};

const Document_Kind ParGen{QStringLiteral("ParGen.xml"),
                           "<Par_Gen><Hardware_Type>1</Hardware_Type><Profi_NB_IN>10</Profi_NB_IN>",
                           "</Par_Gen><!--SW_VERSION = 2.110-->"};
const Document_Kind Sdo_Rules{
    QStringLiteral("sdo.xml"),
    "<Serial_to_ProfiBus><ProfiBUS_IN><row Enable=\"Y\" Slave_ID=\"1\" Type=\"Holding Register\" "
    "Address_Mod=\"0\" NPoint=\"1\" PollTime=\"1000\" MaxError=\"0\" Address_Profi=\"0\" Bit=\"0\" "
    "Swap=\"N\" "
    "Mnemonic=\"m\"/>",
    "</ProfiBUS_IN><ProfiBUS_OUT/></Serial_to_ProfiBus><!--SW_VERSION = 2.110-->"};
const Document_Kind Diagnosis{QStringLiteral("diagnosis.xml"), "<Modbus_IDs><ID>1</ID>",
                              "</Modbus_IDs><!--SW_VERSION = 2.110-->"};

enum class Bulk { None, Deep, Huge, Many_Nodes };

QByteArray Bulk_Bytes(Bulk bulk) {
    switch (bulk) {
    case Bulk::None:
        return {};
    case Bulk::Deep: // 100000 levels, 700 kB
        return QByteArray("<x>").repeated(100000) + QByteArray("</x>").repeated(100000);
    case Bulk::Huge: // one comment, just past the bound
        return "<!--" + QByteArray(Max_Document_Bytes, 'a') + "-->";
    case Bulk::Many_Nodes:
        return QByteArray("<x/>").repeated(Max_Document_Nodes);
    }
    return {};
}

// The words of the message that tell which bound the document broke.
QString Bound_Words(Bulk bulk) {
    switch (bulk) {
    case Bulk::Deep:
        return QStringLiteral("nested more than %1 levels deep").arg(Max_Document_Depth);
    case Bulk::Huge:
        return QStringLiteral("at most %1 bytes").arg(Max_Document_Bytes);
    case Bulk::Many_Nodes:
        return QStringLiteral("more than %1 elements").arg(Max_Document_Nodes);
    case Bulk::None:
        break;
    }
    return {};
}

// A reader run on a configuration folder holding the document.
using Reader = std::function<void(const QString& conf_dir, const QString& path)>;

} // namespace

Q_DECLARE_METATYPE(Bulk)
Q_DECLARE_METATYPE(Reader)

class Tst_Document_Bounds : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void every_reader_refuses_data();
    void every_reader_refuses();
    void refused_settings_file_gives_defaults_data();
    void refused_settings_file_gives_defaults();
    void bounds_are_exact_data();
    void bounds_are_exact();
    void real_documents_lie_well_inside();
};

void Tst_Document_Bounds::every_reader_refuses_data() {
    QTest::addColumn<QString>("file_name");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<Reader>("reader");

    const struct {
        const char* name;
        const Document_Kind& kind;
        Reader reader;
    } readers[] = {
        {"Load_ParGen", ParGen, [](const QString&, const QString& path) { Load_ParGen(path); }},
        {"ParGen_View::Read", ParGen, [](const QString&, const QString& path) { ParGen_View::Read(path); }},
        {"ParGen_View::Read_In", ParGen,
         [](const QString& dir, const QString&) { ParGen_View::Read_In(dir); }},
        {"Build_Bank, ParGen.xml", ParGen, [](const QString& dir, const QString&) { Build_Bank(dir); }},
        {"Load_Sdo", Sdo_Rules, [](const QString&, const QString& path) { Load_Sdo(path); }},
        {"Build_Bank, sdo.xml", Sdo_Rules, [](const QString& dir, const QString&) { Build_Bank(dir); }},
        {"Load_Diagnosis", Diagnosis, [](const QString&, const QString& path) { Load_Diagnosis(path); }},
        {"Build_Bank, diagnosis.xml", Diagnosis, [](const QString& dir, const QString&) { Build_Bank(dir); }},
    };
    for (const auto& reader : readers)
        QTest::newRow(reader.name) << reader.kind.file_name << reader.kind.before << reader.kind.after
                                   << reader.reader;
}

void Tst_Document_Bounds::every_reader_refuses() {
    QFETCH(QString, file_name);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(Reader, reader);
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(file_name);

    // Within the bounds the document reads.
    QVERIFY(Write_All(path, before + after));
    try {
        reader(dir.path(), path);
    } catch (const Kc_Error& error) {
        QFAIL(qPrintable(error.Message()));
    }

    for (Bulk bulk : {Bulk::Deep, Bulk::Huge, Bulk::Many_Nodes}) {
        QVERIFY(Write_All(path, before + Bulk_Bytes(bulk) + after));
        QString message;
        try {
            reader(dir.path(), path);
        } catch (const Kc_Error& error) {
            message = error.Message();
        }
        QVERIFY2(message.contains(QDir::toNativeSeparators(path)), qPrintable(message));
        QVERIFY2(message.contains(Bound_Words(bulk)), qPrintable(message));
    }
}

void Tst_Document_Bounds::refused_settings_file_gives_defaults_data() {
    QTest::addColumn<Bulk>("bulk");
    QTest::newRow("deep") << Bulk::Deep;
    QTest::newRow("huge") << Bulk::Huge;
    QTest::newRow("many nodes") << Bulk::Many_Nodes;
}

void Tst_Document_Bounds::refused_settings_file_gives_defaults() {
    QFETCH(Bulk, bulk);
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("Struttor.xml"));
    const QByteArray before = "<Conf_Settings><lastlang><language>Deutsch</language></lastlang>"
                              "<lastinternet><enable_internet>1</enable_internet></lastinternet>";
    const QByteArray after = "</Conf_Settings>";
    App_State state;

    QVERIFY(Write_All(path, before + after));
    Read_Settings(path, state);
    QCOMPARE(state.Language_Name, QString("Deutsch"));

    QVERIFY(Write_All(path, before + Bulk_Bytes(bulk) + after));
    Read_Settings(path, state);
    QCOMPARE(state.Language_Name, QString("English"));
    QCOMPARE(state.Enable_Internet, false);
    QCOMPARE(state.Last_IP_Address, QString("192.168.2.205"));
}

void Tst_Document_Bounds::bounds_are_exact_data() {
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("refusal"); // empty: the document reads

    const QByteArray root_open = "<r>";
    const QByteArray root_close = "</r>";
    // Depth: the root and its nested elements.
    const int inner = Max_Document_Depth - 1;
    QTest::newRow("depth at the bound")
        << root_open + QByteArray("<x>").repeated(inner) + QByteArray("</x>").repeated(inner) + root_close
        << QString();
    QTest::newRow("depth one past") << root_open + QByteArray("<x>").repeated(inner + 1) +
                                           QByteArray("</x>").repeated(inner + 1) + root_close
                                    << Bound_Words(Bulk::Deep);
    // Nodes: the root, its elements and their attributes.
    const QByteArray half = QByteArray("<x a=\"1\"/>").repeated((Max_Document_Nodes - 1) / 2);
    QTest::newRow("nodes at the bound") << root_open + half + "<x/>" + root_close << QString();
    QTest::newRow("nodes one past") << root_open + half + "<x a=\"\"/>" + root_close
                                    << Bound_Words(Bulk::Many_Nodes);
    // Size: a comment fills the document up to the byte.
    const qint64 filler = Max_Document_Bytes - root_open.size() - root_close.size() - 7;
    QTest::newRow("size at the bound")
        << root_open + "<!--" + QByteArray(filler, 'a') + "-->" + root_close << QString();
    QTest::newRow("size one past") << root_open + "<!--" + QByteArray(filler + 1, 'a') + "-->" + root_close
                                   << Bound_Words(Bulk::Huge);
}

void Tst_Document_Bounds::bounds_are_exact() {
    QFETCH(QByteArray, document);
    QFETCH(QString, refusal);
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("document.xml"));
    QVERIFY(Write_All(path, document));
    QString message;
    try {
        const QDomDocument parsed = Load_Xml_File(path);
        QCOMPARE(First_Top_Node(parsed).nodeName(), QString("r"));
    } catch (const Kc_Error& error) {
        message = error.Message();
    }
    if (refusal.isEmpty()) {
        QVERIFY2(message.isEmpty(), qPrintable(message));
    } else {
        QVERIFY2(message.contains(refusal), qPrintable(message));
        QVERIFY2(message.contains(QDir::toNativeSeparators(path)), qPrintable(message));
    }
}

void Tst_Document_Bounds::real_documents_lie_well_inside() {
    // The largest document the editor writes: 244 rules in each list, every
    // value long and every character needing the longest escape.
    Access_Rules rules;
    const QString value(32, u'"');
    const QString mnemonic(1024, u'"');
    for (int k = 0; k < 244; ++k) {
        Access_Rule rule;
        for (QString* field : {&rule.Enable, &rule.Slave_ID, &rule.Type, &rule.Address_Mod, &rule.NPoint,
                               &rule.PollTime, &rule.MaxError, &rule.Address_Profi, &rule.Bit, &rule.Swap,
                               &rule.OnChange, &rule.OnCMD, &rule.ForceF15F16})
            *field = value;
        rule.Mnemonic = mnemonic;
        rules.Read_Rules.append(rule);
        rules.Write_Rules.append(rule);
    }
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("sdo.xml"));
    Save_Sdo(path, rules);
    const qint64 size = QFileInfo(path).size();
    QVERIFY2(size * 3 / 2 < Max_Document_Bytes, qPrintable(QString::number(size)));
    const Access_Rules read = Load_Sdo(path);
    QCOMPARE(read.Read_Rules.size(), 244);
    QCOMPARE(read.Write_Rules.last().Mnemonic, mnemonic);
    QCOMPARE(Load_Xml_File(path).firstChild().nodeName(), QString("Serial_to_ProfiBus"));
}

QTEST_GUILESS_MAIN(Tst_Document_Bounds)
#include "tst_document_bounds.moc"
