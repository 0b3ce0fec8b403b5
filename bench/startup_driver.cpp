// Start-up as a user feels it: the configurator and a bare 600x500
// QMainWindow program, each run as a whole process from start to the first
// paint of its main window and then ended (KC_EXIT_AFTER_FIRST_PAINT). The
// configurator starts in a temporary program folder with an open
// configuration of 244 + 244 rules.
//
// Runs go in pairs, the order inside a pair alternating, after a few warm-up
// pairs that are not counted; so neither side absorbs the cold caches. For
// each pair it takes the CPU time (user + system, from wait4) and the memory
// the process holds at its first paint (Pss and RSS, which the process reads
// from /proc/self itself), and prints the ratios product / baseline per
// batch and over all pairs: median, quartiles and range.
//
//   bench_startup [--pairs N] [--batches B] [--warm-up W]
//                 [--product PATH] [--baseline PATH]
//   bench_startup --prepare DIR [--product PATH]
//
// Defaults: 15 pairs in each of 4 batches, 3 warm-up pairs, the configurator
// as the product and the bare window as the baseline. --product and
// --baseline compare any two programs that honour KC_EXIT_AFTER_FIRST_PAINT:
// the bare window with the configurator's extra Qt libraries against the
// bare window (bench_bare_window_libs), or two builds of the configurator.
// Both programs are copied into the program folder before they run, so a
// configurator on either side starts with the open configuration. With
// --prepare it only sets up that program folder in DIR, with the product in
// it, and ends: for profiling one start by hand.
#include "app/settings_file.h"
#include "base/app_state.h"
#include "document/access_rules.h"
#include "document/access_rules_table.h"
#include "document/diagnosis_list.h"
#include "document/general_params.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "bench_startup: %s\n", message.c_str());
    std::exit(2);
}

Access_Rule Rule(int k, bool write) {
    Access_Rule rule;
    rule.Enable = QStringLiteral("Y");
    rule.Slave_ID = QString::number(k % 247 + 1);
    rule.Type = write ? QStringLiteral("Holding Register") : QStringLiteral("Input Register");
    rule.Address_Mod = QString::number(1000 + k);
    rule.NPoint = QStringLiteral("1");
    rule.PollTime = QStringLiteral("100");
    rule.MaxError = QStringLiteral("3");
    rule.Address_Profi = QString::number(k - 1);
    rule.Bit = QStringLiteral("0");
    rule.Swap = QStringLiteral("N");
    rule.Mnemonic = QStringLiteral("measurement %1 of the plant").arg(k);
    if (write) {
        rule.OnChange = QStringLiteral("Y");
        rule.OnCMD = QStringLiteral("N");
        rule.ForceF15F16 = QStringLiteral("N");
    }
    return rule;
}

// Copies `program` into the program folder under `name`; returns the copy.
std::string Copy_Program(const QDir& dir, const std::string& program, const QString& name) {
    const QString copy = dir.filePath(name);
    if (!QFile::copy(QString::fromStdString(program), copy))
        Fail("cannot copy " + program + " to " + copy.toStdString());
    return copy.toStdString();
}

// A program folder as a user has it: the settings naming the configuration
// "Plant", and Plant with its three documents.
void Prepare_Program_Folder(const QDir& dir) {
    const QString conf = dir.filePath(QStringLiteral("PROJECTS/Plant"));
    if (!QDir().mkpath(conf + QStringLiteral("/bin")))
        Fail("cannot create " + conf.toStdString());
    General_Params params;
    params.Profi_NB_IN = QStringLiteral("244");
    params.Profi_NB_OUT = QStringLiteral("244");
    Save_ParGen(conf + QStringLiteral("/ParGen.xml"), params);
    Access_Rules rules;
    for (int k = 1; k <= Rule_Rows; ++k) {
        rules.Read_Rules.append(Rule(k, false));
        rules.Write_Rules.append(Rule(k, true));
    }
    Save_Sdo(conf + QStringLiteral("/sdo.xml"), rules);
    Diagnosis_List diagnosis;
    for (int id = 1; id <= 64; ++id)
        diagnosis.IDs.append(QString::number(id));
    Save_Diagnosis(conf + QStringLiteral("/diagnosis.xml"), diagnosis);
    App_State state;
    state.Set_Program_Dir(dir.absolutePath());
    Set_Default_Settings(state);
    state.Conf_Name = QStringLiteral("Plant");
    Save_Settings(Settings_File_Path(state), state);
}

struct Run {
    double cpu_ms = 0;
    double wall_ms = 0;
    long long rss_kb = -1;
    long long pss_kb = -1;
};

double Ms(const timeval& t) {
    return t.tv_sec * 1e3 + t.tv_usec / 1e3;
}

double Now_Ms() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Runs `program` to its first paint and end; its standard output carries the
// memory line.
Run Run_Once(const std::string& program) {
    int out[2];
    if (pipe(out) != 0)
        Fail("pipe failed");
    std::fflush(stdout);
    const double start = Now_Ms();
    const pid_t pid = fork();
    if (pid < 0)
        Fail("fork failed");
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDERR_FILENO);
        close(out[0]);
        close(out[1]);
        setenv("KC_EXIT_AFTER_FIRST_PAINT", "1", 1);
        char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
        execv(program.c_str(), argv);
        _exit(127);
    }
    close(out[1]);
    std::string text;
    char buffer[512];
    for (;;) {
        pollfd p{out[0], POLLIN, 0};
        const int ready = poll(&p, 1, 30000);
        if (ready == 0) {
            kill(pid, SIGKILL);
            Fail(program + " did not end within 30 s");
        }
        if (ready < 0 && errno == EINTR)
            continue;
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        text.append(buffer, size_t(n));
    }
    close(out[0]);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        Fail("wait4 failed");
    Run run;
    run.wall_ms = Now_Ms() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        Fail(program + " did not end normally");
    run.cpu_ms = Ms(usage.ru_utime) + Ms(usage.ru_stime);
    if (std::sscanf(text.c_str(), "first_paint rss_kb=%lld pss_kb=%lld", &run.rss_kb, &run.pss_kb) != 2 ||
        run.rss_kb <= 0)
        Fail(program + " reported no first paint: " + text);
    return run;
}

struct Pair {
    Run product;
    Run baseline;
};

double Quantile(std::vector<double> values, double q) {
    std::sort(values.begin(), values.end());
    const double at = q * double(values.size() - 1);
    const size_t low = size_t(at);
    const size_t high = std::min(low + 1, values.size() - 1);
    return values[low] + (values[high] - values[low]) * (at - double(low));
}

template <typename F> std::vector<double> Of(const std::vector<Pair>& pairs, F f) {
    std::vector<double> values;
    for (const Pair& pair : pairs)
        values.push_back(f(pair));
    return values;
}

void Print_Spread(const char* what, const std::vector<double>& values, const char* goal = "") {
    std::printf("  %-22s median %6.3f  quartiles %6.3f - %6.3f  range %6.3f - %6.3f%s\n", what,
                Quantile(values, 0.5), Quantile(values, 0.25), Quantile(values, 0.75),
                *std::min_element(values.begin(), values.end()),
                *std::max_element(values.begin(), values.end()), goal);
}

void Print_Summary(const std::vector<Pair>& pairs) {
    Print_Spread("CPU ratio", Of(pairs, [](const Pair& p) { return p.product.cpu_ms / p.baseline.cpu_ms; }),
                 "  (goal <= 1.3)");
    Print_Spread(
        "Pss ratio",
        Of(pairs, [](const Pair& p) { return double(p.product.pss_kb) / double(p.baseline.pss_kb); }),
        "  (goal <= 1.2)");
    Print_Spread("RSS ratio", Of(pairs, [](const Pair& p) {
                     return double(p.product.rss_kb) / double(p.baseline.rss_kb);
                 }));
    Print_Spread("wall ratio",
                 Of(pairs, [](const Pair& p) { return p.product.wall_ms / p.baseline.wall_ms; }));
    std::printf("  CPU ms     product %7.1f  baseline %7.1f (medians)\n",
                Quantile(Of(pairs, [](const Pair& p) { return p.product.cpu_ms; }), 0.5),
                Quantile(Of(pairs, [](const Pair& p) { return p.baseline.cpu_ms; }), 0.5));
    std::printf("  Pss MB     product %7.1f  baseline %7.1f (medians)\n",
                Quantile(Of(pairs, [](const Pair& p) { return p.product.pss_kb / 1024.0; }), 0.5),
                Quantile(Of(pairs, [](const Pair& p) { return p.baseline.pss_kb / 1024.0; }), 0.5));
    std::printf("  RSS MB     product %7.1f  baseline %7.1f (medians)\n",
                Quantile(Of(pairs, [](const Pair& p) { return p.product.rss_kb / 1024.0; }), 0.5),
                Quantile(Of(pairs, [](const Pair& p) { return p.baseline.rss_kb / 1024.0; }), 0.5));
}

int Arg(int argc, char** argv, const char* name, int fallback) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return std::max(1, std::atoi(argv[i + 1]));
    return fallback;
}

std::string Path_Arg(int argc, char** argv, const char* name, const char* fallback) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return argv[i + 1];
    return fallback;
}

} // namespace

int main(int argc, char** argv) {
    const int pairs_per_batch = Arg(argc, argv, "--pairs", 15);
    const int batches = Arg(argc, argv, "--batches", 4);
    const int warm_up = Arg(argc, argv, "--warm-up", 3);
    // Both programs draw on the same platform; without a display, offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // --prepare DIR: only the program folder with the product in it, kept
    // for profiling one start by hand (perf, valgrind).
    const std::string prepare = Path_Arg(argc, argv, "--prepare", "");
    QTemporaryDir temporary;
    if (prepare.empty() && !temporary.isValid())
        Fail("no temporary folder");
    const QDir dir(prepare.empty() ? temporary.path() : QString::fromStdString(prepare));
    if (!dir.exists() && !QDir().mkpath(dir.path()))
        Fail("cannot create " + prepare);
    Prepare_Program_Folder(dir);
    // The configurator keeps its own name; a program of the same name on the
    // other side (another build) gets a prefix.
    const std::string product_path = Path_Arg(argc, argv, "--product", KC_CONFIGURATOR);
    const std::string baseline_path = Path_Arg(argc, argv, "--baseline", KC_BARE_WINDOW);
    const QString product_name = QFileInfo(QString::fromStdString(product_path)).fileName();
    QString baseline_name = QFileInfo(QString::fromStdString(baseline_path)).fileName();
    if (baseline_name == product_name)
        baseline_name.prepend(QStringLiteral("baseline-"));
    const std::string product = Copy_Program(dir, product_path, product_name);
    if (!prepare.empty()) {
        std::printf("%s\n", product.c_str());
        return 0;
    }
    const std::string baseline = Copy_Program(dir, baseline_path, baseline_name);
    std::printf("product  %s\n         (from %s)\nbaseline %s\n         (from %s)\nplatform %s, %d warm-up "
                "pairs, %d batches of %d pairs\n",
                product.c_str(), product_path.c_str(), baseline.c_str(), baseline_path.c_str(),
                qgetenv("QT_QPA_PLATFORM").constData(), warm_up, batches, pairs_per_batch);

    auto run_pair = [&](int index) {
        Pair pair;
        if (index % 2 == 0) {
            pair.product = Run_Once(product);
            pair.baseline = Run_Once(baseline);
        } else {
            pair.baseline = Run_Once(baseline);
            pair.product = Run_Once(product);
        }
        return pair;
    };
    for (int i = 0; i < warm_up; ++i)
        run_pair(i);

    std::vector<Pair> all;
    for (int b = 0; b < batches; ++b) {
        std::vector<Pair> batch;
        for (int i = 0; i < pairs_per_batch; ++i)
            batch.push_back(run_pair(i));
        std::printf("batch %d (%d pairs)\n", b + 1, pairs_per_batch);
        Print_Summary(batch);
        all.insert(all.end(), batch.begin(), batch.end());
    }
    std::printf("all %zu pairs: product / baseline\n", all.size());
    Print_Summary(all);
    return 0;
}
