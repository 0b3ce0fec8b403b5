// Writing the GSD file (build the text, write it atomically) against writing
// the same bytes to a plain file, the least any writer must spend; in random
// order after a warm-up (paired_runs.h).
#include "base/save_file.h"
#include "base/xml_document.h"
#include "output/gsd_writer.h"
#include "paired_runs.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_Write_GSD_Text(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(Write_GSD(244, 244));
}
BENCHMARK(BM_Write_GSD_Text);

void BM_Write_GSD_File(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("device.gsd");
    for (auto _ : state)
        Save_File_Atomically(path, Write_GSD(244, 244));
}
BENCHMARK(BM_Write_GSD_File);

// Baseline: the same bytes, already built, written plainly.
void BM_Plain_File_Write(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("device.gsd");
    const QByteArray bytes = Write_GSD(244, 244);
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            state.SkipWithError("cannot write");
    }
}
BENCHMARK(BM_Plain_File_Write);

} // namespace

int main(int argc, char** argv) {
    return Run_Paired_Benchmarks(argc, argv, {{"BM_Write_GSD_File", "BM_Plain_File_Write", ""}});
}
