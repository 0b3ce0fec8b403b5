#pragma once

// The common main of the benchmark programs that hold their own baselines.
// Every benchmark is repeated, the repetitions of all benchmarks run in one
// random order, and each repetition runs only after a warm-up, so neither a
// baseline nor a product absorbs the program's start costs (first use of the
// allocator, the file cache, fonts, lazy library set-up) by running first.
// Flags given on the command line override these defaults.
//
// After the runs it prints, for each pair, the CPU time of the product as a
// multiple of the baseline's: the ratio of the medians over the repetitions,
// and the range of the ratios of the repetitions taken pairwise in order.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <iostream>
#include <map>
#include <string>
#include <vector>

struct Bench_Pair {
    std::string product;
    std::string baseline;
    std::string goal; // e.g. "< 1.5"; may be empty
};

class Paired_Reporter : public benchmark::ConsoleReporter {
public:
    // Shows the aggregates (median, mean, spread) of each benchmark and keeps
    // each repetition's CPU time.
    void ReportRuns(const std::vector<Run>& runs) override {
        std::vector<Run> shown;
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times_[run.run_name.function_name].push_back(run.GetAdjustedCPUTime());
            if (run.run_type == Run::RT_Aggregate || run.repetitions <= 1)
                shown.push_back(run);
        }
        if (!shown.empty())
            ConsoleReporter::ReportRuns(shown);
    }

    void Print_Ratios(const std::vector<Bench_Pair>& pairs) const {
        for (const Bench_Pair& pair : pairs) {
            const auto product = times_.find(pair.product);
            const auto baseline = times_.find(pair.baseline);
            if (product == times_.end() || baseline == times_.end() || product->second.empty() ||
                baseline->second.empty())
                continue;
            std::vector<double> ratios;
            for (size_t i = 0; i < std::min(product->second.size(), baseline->second.size()); ++i)
                ratios.push_back(product->second[i] / baseline->second[i]);
            std::sort(ratios.begin(), ratios.end());
            std::cout << pair.product << " / " << pair.baseline << " = "
                      << Median(product->second) / Median(baseline->second) << " (repetitions "
                      << ratios.front() << " - " << ratios.back() << ", " << ratios.size() << " pairs)";
            if (!pair.goal.empty())
                std::cout << " (goal " << pair.goal << ")";
            std::cout << '\n';
        }
    }

private:
    static double Median(std::vector<double> values) {
        std::sort(values.begin(), values.end());
        const size_t n = values.size();
        return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    }

    std::map<std::string, std::vector<double>> times_;
};

// Runs the registered benchmarks as described above and prints the ratios.
inline int Run_Paired_Benchmarks(int argc, char** argv, const std::vector<Bench_Pair>& pairs) {
    std::vector<std::string> flags{
        argc > 0 ? argv[0] : "bench", "--benchmark_enable_random_interleaving=true",
        "--benchmark_repetitions=15", "--benchmark_min_warmup_time=0.1", "--benchmark_min_time=0.2"};
    for (int i = 1; i < argc; ++i)
        flags.emplace_back(argv[i]); // later flags win
    std::vector<char*> args;
    for (std::string& flag : flags)
        args.push_back(flag.data());
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;
    Paired_Reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.Print_Ratios(pairs);
    benchmark::Shutdown();
    return 0;
}
