// Reading a hostile CSV file: 15 MB of blank lines and 15 MB of one-character
// rows through Read_Table_Csv, against a plain byte scan of the same input
// that counts its line ends. The table keeps at most 244 rows, so the read
// stays a small multiple of the scan however much the file holds.
#include "csv/table_csv.h"
#include "paired_runs.h"

#include <algorithm>

namespace {

const QByteArray& Blank_Lines() {
    static const QByteArray bytes = "Slave_ID\n" + QByteArray(15 * 1024 * 1024, '\n');
    return bytes;
}

const QByteArray& Tiny_Rows() {
    static const QByteArray bytes = "Slave_ID\n" + QByteArray("1\n").repeated(15 * 512 * 1024);
    return bytes;
}

void Read_Table(benchmark::State& state, const QByteArray& bytes) {
    for (auto _ : state) {
        const Csv_Table_Rows rows = Read_Table_Csv(Csv_Table_Kind::Read_Rules, bytes);
        benchmark::DoNotOptimize(rows.Rows.size());
    }
}

void Scan_Bytes(benchmark::State& state, const QByteArray& bytes) {
    for (auto _ : state) {
        const auto lines = std::count(bytes.begin(), bytes.end(), '\n');
        benchmark::DoNotOptimize(lines);
    }
}

void BM_Read_Blank_Lines(benchmark::State& state) {
    Read_Table(state, Blank_Lines());
}
BENCHMARK(BM_Read_Blank_Lines);

void BM_Scan_Blank_Lines(benchmark::State& state) {
    Scan_Bytes(state, Blank_Lines());
}
BENCHMARK(BM_Scan_Blank_Lines);

void BM_Read_Tiny_Rows(benchmark::State& state) {
    Read_Table(state, Tiny_Rows());
}
BENCHMARK(BM_Read_Tiny_Rows);

void BM_Scan_Tiny_Rows(benchmark::State& state) {
    Scan_Bytes(state, Tiny_Rows());
}
BENCHMARK(BM_Scan_Tiny_Rows);

} // namespace

int main(int argc, char** argv) {
    return Run_Paired_Benchmarks(
        argc, argv,
        {{"BM_Read_Blank_Lines", "BM_Scan_Blank_Lines", ""}, {"BM_Read_Tiny_Rows", "BM_Scan_Tiny_Rows", ""}});
}
