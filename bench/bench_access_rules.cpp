// Showing the access rules editor with 244 + 244 rules, and validating and
// saving the same tables, each against a baseline in the same run: filling a
// plain QTableWidget of the same size with the same texts, and writing the
// same rows with a bare QXmlStreamWriter. In random order after a warm-up
// (paired_runs.h).
#include "base/app_state.h"
#include "base/text_table.h"
#include "base/ui_services.h"
#include "config/access_rules_dialog.h"
#include "document/access_rules.h"
#include "document/access_rules_check.h"
#include "document/access_rules_table.h"
#include "paired_runs.h"

#include <QApplication>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QXmlStreamWriter>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

// Answers every box with No; the measured paths show none.
class Silent_Ui : public Ui_Services {
public:
    int boxes = 0;
    void Error_Box(const QString&) override { ++boxes; }
    void Warning_Box(const QString&) override { ++boxes; }
    void Information_Box(const QString&) override { ++boxes; }
    bool Question_Box(const QString&, Default_Answer) override {
        ++boxes;
        return false;
    }
    QString Choose_Save_File(const QString&, const QString&) override { return {}; }
    bool Open_Url(const QString&) override { return true; }
    void Link_Failure_Box(const QString&, const QString&) override {}
};

Access_Rule Bench_Rule(int k, bool write) {
    Access_Rule rule;
    rule.Enable = QStringLiteral("Y");
    rule.Slave_ID = QString::number(k % 247 + 1);
    rule.Type = k % 2 ? QStringLiteral("Holding Register") : QStringLiteral("Coil Status");
    rule.Address_Mod = QString::number(k * 10);
    rule.NPoint = QStringLiteral("1");
    rule.PollTime = QStringLiteral("1000");
    rule.MaxError = QStringLiteral("3");
    rule.Address_Profi = QString::number(k % 240);
    rule.Bit = QString::number(k % 8);
    rule.Swap = QStringLiteral("N");
    rule.Mnemonic = QStringLiteral("Rule number %1 of the plant").arg(k);
    if (write) {
        rule.OnChange = QStringLiteral("Y");
        rule.OnCMD = QStringLiteral("N");
        rule.ForceF15F16 = QStringLiteral("N");
    }
    return rule;
}

// A configuration folder with hardware type 1 and 244 rules in each table.
struct Bench_Configuration {
    QTemporaryDir dir;
    App_State state;
    Text_Table texts;
    Silent_Ui ui;
    Access_Rules rules;

    Bench_Configuration() {
        state.Conf_Dir = dir.path();
        state.Set_Files();
        QFile pargen(state.ParGen_File);
        pargen.open(QIODevice::WriteOnly);
        pargen.write("<Par_Gen><Hardware_Type>1</Hardware_Type><Profi_NB_IN>244</Profi_NB_IN>"
                     "<Profi_NB_OUT>244</Profi_NB_OUT></Par_Gen><!--SW_VERSION = 2.110-->");
        for (int k = 1; k <= Rule_Rows; ++k) {
            rules.Read_Rules.append(Bench_Rule(k, false));
            rules.Write_Rules.append(Bench_Rule(k, true));
        }
        Save_Sdo(state.Sdo_File, rules);
    }
};

Bench_Configuration& Configuration() {
    static Bench_Configuration configuration;
    return configuration;
}

void BM_FormShow_244_244(benchmark::State& bench) {
    Bench_Configuration& c = Configuration();
    TFSetAccess dialog(c.state, c.texts, c.ui);
    dialog.show();
    for (auto _ : bench) {
        dialog.FormShow();
        QCoreApplication::processEvents();
    }
    if (c.ui.boxes != 0)
        bench.SkipWithError("a box was shown");
}
BENCHMARK(BM_FormShow_244_244)->Unit(benchmark::kMillisecond);

void Fill_Plain(QTableWidget& table, const QList<Access_Rule>& rules, Rule_Table kind) {
    const auto& fields = Rule_Fields(kind);
    for (int row = 0; row < rules.size(); ++row) {
        table.setItem(row, 0, new QTableWidgetItem(QString::number(row + 1)));
        for (int column = 1; column <= fields.size(); ++column)
            table.setItem(row, column, new QTableWidgetItem(rules[row].*fields[column - 1]));
    }
}

void BM_Baseline_Plain_Grid_Fill(benchmark::State& bench) {
    Bench_Configuration& c = Configuration();
    QWidget window;
    auto* read = new QTableWidget(Rule_Rows, Read_Col::Count, &window);
    auto* write = new QTableWidget(Rule_Rows, Write_Col::Count, &window);
    window.resize(1070, 337);
    window.show();
    for (auto _ : bench) {
        read->clearContents();
        write->clearContents();
        Fill_Plain(*read, c.rules.Read_Rules, Rule_Table::Read);
        Fill_Plain(*write, c.rules.Write_Rules, Rule_Table::Write);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_Baseline_Plain_Grid_Fill)->Unit(benchmark::kMillisecond);

void BM_Validate_And_Save(benchmark::State& bench) {
    Bench_Configuration& c = Configuration();
    Grid_Texts read = New_Rule_Grid(Rule_Table::Read);
    Grid_Texts write = New_Rule_Grid(Rule_Table::Write);
    Fill_Rule_Grid(read, Rule_Table::Read, c.rules.Read_Rules);
    Fill_Rule_Grid(write, Rule_Table::Write, c.rules.Write_Rules);
    const Rules_Limits limits{1, 244, 244};
    const QString path = c.dir.filePath(QStringLiteral("sdo_bench.xml"));
    for (auto _ : bench) {
        if (Check_Access_Rules(read, write, limits)) {
            bench.SkipWithError("the bench rules do not pass");
            break;
        }
        Access_Rules rules;
        rules.Read_Rules = Rules_From_Grid(read, Rule_Table::Read);
        rules.Write_Rules = Rules_From_Grid(write, Rule_Table::Write);
        Save_Sdo(path, rules);
    }
}
BENCHMARK(BM_Validate_And_Save)->Unit(benchmark::kMillisecond);

void Write_Plain_Section(QXmlStreamWriter& writer, const char* name, const QList<Access_Rule>& rules,
                         const QStringList& attributes, Rule_Table kind) {
    const auto& fields = Rule_Fields(kind);
    writer.writeStartElement(QLatin1String(name));
    for (const Access_Rule& rule : rules) {
        writer.writeStartElement(QStringLiteral("row"));
        for (int i = 0; i < attributes.size(); ++i)
            writer.writeAttribute(attributes[i], rule.*fields[i]);
        writer.writeEndElement();
    }
    writer.writeEndElement();
}

void BM_Baseline_Plain_Xml_Write(benchmark::State& bench) {
    Bench_Configuration& c = Configuration();
    const QStringList read_attributes{"Enable", "Slave_ID", "Type",     "Address_Mod",
                                      "NPoint", "PollTime", "MaxError", "Address_Profi",
                                      "Bit",    "Swap",     "Mnemonic"};
    const QStringList write_attributes{"Enable",   "Slave_ID", "Type",        "Address_Mod", "NPoint",
                                       "PollTime", "OnChange", "OnCMD",       "MaxError",    "Address_Profi",
                                       "Bit",      "Swap",     "ForceF15F16", "Mnemonic"};
    const QString path = c.dir.filePath(QStringLiteral("plain_bench.xml"));
    for (auto _ : bench) {
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        QXmlStreamWriter writer(&file);
        writer.writeStartElement(QStringLiteral("Serial_to_ProfiBus"));
        Write_Plain_Section(writer, "ProfiBUS_IN", c.rules.Read_Rules, read_attributes, Rule_Table::Read);
        Write_Plain_Section(writer, "ProfiBUS_OUT", c.rules.Write_Rules, write_attributes, Rule_Table::Write);
        writer.writeEndElement();
        writer.writeComment(QStringLiteral("SW_VERSION = 2.110"));
        file.close();
    }
}
BENCHMARK(BM_Baseline_Plain_Xml_Write)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return Run_Paired_Benchmarks(argc, argv,
                                 {{"BM_FormShow_244_244", "BM_Baseline_Plain_Grid_Fill", ""},
                                  {"BM_Validate_And_Save", "BM_Baseline_Plain_Xml_Write", ""}});
}
