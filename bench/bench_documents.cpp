// Reading and writing the configuration documents against a plain XML parse
// and a plain atomic write of the same bytes, in one run. The readers and
// writers should cost little more than the XML work itself. Runs in random
// order after a warm-up (paired_runs.h).
#include "base/xml_document.h"
#include "document/access_rules.h"
#include "document/diagnosis_list.h"
#include "document/general_params.h"
#include "paired_runs.h"

#include <QDomDocument>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Documents {
    QTemporaryDir dir;
    QString sdo = dir.filePath("sdo.xml");
    QString pargen = dir.filePath("ParGen.xml");
    QString diagnosis = dir.filePath("diagnosis.xml");
    Access_Rules rules;
    QByteArray sdo_bytes;
    QByteArray pargen_bytes;

    Documents() {
        // Two full tables of 244 rules, as the editor holds at most.
        for (int i = 0; i < 244; ++i) {
            Access_Rule r;
            r.Enable = "Y";
            r.Slave_ID = QString::number(i % 247 + 1);
            r.Type = "Holding Register";
            r.Address_Mod = QString::number(i * 10);
            r.NPoint = "1";
            r.PollTime = "100";
            r.OnChange = "Y";
            r.OnCMD = "N";
            r.MaxError = "0";
            r.Address_Profi = QString::number(i);
            r.Swap = "N";
            r.ForceF15F16 = "N";
            r.Mnemonic = QStringLiteral("Rule %1 <pump & valve>").arg(i);
            rules.Read_Rules.append(r);
            rules.Write_Rules.append(r);
        }
        Save_Sdo(sdo, rules);
        Save_ParGen(pargen, General_Params{});
        Diagnosis_List list;
        for (int i = 1; i <= 64; ++i)
            list.IDs.append(QString::number(i));
        Save_Diagnosis(diagnosis, list);
        sdo_bytes = Read(sdo);
        pargen_bytes = Read(pargen);
    }

    static QByteArray Read(const QString& path) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
};

Documents& Docs() {
    static Documents documents;
    return documents;
}

void Plain_Parse(benchmark::State& state, const QString& path) {
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        QDomDocument document;
        benchmark::DoNotOptimize(document.setContent(&file));
    }
}

void BM_Baseline_Parse_Sdo(benchmark::State& state) {
    Plain_Parse(state, Docs().sdo);
}
void BM_Load_Sdo(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(Load_Sdo(Docs().sdo));
}

void BM_Baseline_Write_Sdo(benchmark::State& state) {
    const QString path = Docs().dir.filePath("plain.xml");
    for (auto _ : state) {
        QSaveFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(Docs().sdo_bytes);
        benchmark::DoNotOptimize(file.commit());
    }
}
void BM_Save_Sdo(benchmark::State& state) {
    for (auto _ : state)
        Save_Sdo(Docs().sdo, Docs().rules);
}

void BM_Baseline_Parse_ParGen(benchmark::State& state) {
    Plain_Parse(state, Docs().pargen);
}
void BM_Load_ParGen(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(Load_ParGen(Docs().pargen));
}

void BM_Baseline_Parse_Diagnosis(benchmark::State& state) {
    Plain_Parse(state, Docs().diagnosis);
}
void BM_Load_Diagnosis(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(Load_Diagnosis(Docs().diagnosis));
}

} // namespace

BENCHMARK(BM_Baseline_Parse_Sdo)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Load_Sdo)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Baseline_Write_Sdo)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Save_Sdo)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Baseline_Parse_ParGen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Load_ParGen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Baseline_Parse_Diagnosis)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Load_Diagnosis)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    return Run_Paired_Benchmarks(argc, argv,
                                 {{"BM_Load_Sdo", "BM_Baseline_Parse_Sdo", ""},
                                  {"BM_Save_Sdo", "BM_Baseline_Write_Sdo", ""},
                                  {"BM_Load_ParGen", "BM_Baseline_Parse_ParGen", ""},
                                  {"BM_Load_Diagnosis", "BM_Baseline_Parse_Diagnosis", ""}});
}
