// How long the event loop stalls while an operation started from the GUI
// runs against a peer that never answers: a loopback server that accepts and
// never answers (version check), and an injected echo client that never
// replies (echo check). A 5 ms heartbeat timer records the longest gap
// between two of its ticks from the start of the operation to its end; the
// baseline is the same heartbeat over an idle loop. The figure to read is the
// counter longest_gap_ms of each benchmark (the target: below 50 ms).
#include "base/name_lookup.h"
#include "text/maker_version_source.h"
#include "update/echo_client.h"
#include "update/start_program.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

// Ticks every 5 ms and keeps the longest time between two ticks, the time
// from its start to the first tick and from the last tick to its stop
// included.
class Heartbeat {
public:
    Heartbeat() {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Beat(); });
    }
    void Start() {
        longest_ = 0;
        clock_.start();
        last_ = 0;
        timer_.start();
    }
    double Stop() {
        Beat();
        timer_.stop();
        return double(longest_) / 1e6;
    }

private:
    void Beat() {
        const qint64 now = clock_.nsecsElapsed();
        longest_ = std::max(longest_, now - last_);
        last_ = now;
    }
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 last_ = 0;
    qint64 longest_ = 0;
};

// Accepts every connection on 127.0.0.1 and never writes a byte.
class Silent_Server {
public:
    Silent_Server() {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection())
                held_.emplace_back(socket);
        });
    }
    quint16 Port() const { return server_.serverPort(); }

private:
    QTcpServer server_;
    std::vector<std::unique_ptr<QTcpSocket>> held_;
};

// An echo client whose requests are sent and never answered.
class Never_Answering_Echo : public Echo_Client {
public:
    bool Send_Echo(const QHostAddress&, const QByteArray&, Reply, QString&) override {
        ++sent;
        return true;
    }
    void Stop() override {}
    int sent = 0;
};

// Runs `start` (which connects `done` to the operation's end) in the event
// loop under the heartbeat, and reports the longest gap.
template <typename Start> void Measure(benchmark::State& bench, Start start) {
    double longest = 0;
    double seconds = 0;
    for (auto _ : bench) {
        Heartbeat heartbeat;
        QEventLoop loop;
        QElapsedTimer duration;
        heartbeat.Start();
        duration.start();
        auto keep = start([&loop] { loop.quit(); });
        loop.exec();
        longest = std::max(longest, heartbeat.Stop());
        seconds = double(duration.elapsed()) / 1000.0;
        benchmark::DoNotOptimize(keep);
    }
    bench.counters["longest_gap_ms"] = longest;
    bench.counters["operation_s"] = seconds;
}

void BM_Idle_Loop_Baseline(benchmark::State& bench) {
    Measure(bench, [](auto done) {
        QTimer::singleShot(1000, done);
        return 0;
    });
}
BENCHMARK(BM_Idle_Loop_Baseline)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The version check with the program's limit of 10 s.
void Version_Check_Silent(benchmark::State& bench, const QString& host) {
    Silent_Server server;
    Maker_Version_Source source(host, server.Port());
    Measure(bench, [&](auto done) {
        std::shared_ptr<Version_Check> check = source.Start_Check();
        QObject::connect(check.get(), &Version_Check::Finished, done);
        return check;
    });
}

void BM_Version_Check_Silent_Server(benchmark::State& bench) {
    Version_Check_Silent(bench, QStringLiteral("127.0.0.1"));
}
BENCHMARK(BM_Version_Check_Silent_Server)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Version_Check_By_Name_Silent_Server(benchmark::State& bench) {
    Version_Check_Silent(bench, QStringLiteral("localhost"));
}
BENCHMARK(BM_Version_Check_By_Name_Silent_Server)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The echo check with the device's time-outs (400 ms a reply, 5 s in all).
void Echo_Check_Silent(benchmark::State& bench, const QString& host) {
    Never_Answering_Echo echo;
    Name_Lookup lookup;
    Measure(bench, [&](auto done) {
        auto check = std::make_shared<Echo_Check>(echo, lookup, Update_Timing{});
        auto ping_res = std::make_shared<int>(0);
        QObject::connect(check.get(), &Echo_Check::Finished, done);
        check->Start(host, *ping_res, [ping_res](int bytes) { *ping_res = bytes > 0 ? 1 : 2; });
        return std::make_pair(check, ping_res);
    });
    bench.counters["echo_requests"] = echo.sent;
}

void BM_Echo_Check_Never_Answered(benchmark::State& bench) {
    Echo_Check_Silent(bench, QStringLiteral("127.0.0.1"));
}
BENCHMARK(BM_Echo_Check_Never_Answered)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Echo_Check_By_Name_Never_Answered(benchmark::State& bench) {
    Echo_Check_Silent(bench, QStringLiteral("localhost"));
}
BENCHMARK(BM_Echo_Check_By_Name_Never_Answered)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Name_Lookup(benchmark::State& bench) {
    Measure(bench, [](auto done) {
        auto lookup = std::make_shared<Name_Lookup>();
        QObject::connect(lookup.get(), &Name_Lookup::Finished, done);
        lookup->Start(QStringLiteral("localhost"));
        return lookup;
    });
}
BENCHMARK(BM_Name_Lookup)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

// The wait for an updater program that runs 1 s, served as the wait window
// serves it: a look every 10 ms, events processed in between.
void BM_Updater_Wait(benchmark::State& bench) {
    QTemporaryDir dir;
    const QString script = QDir(dir.path()).filePath(QStringLiteral("updater"));
    QFile file(script);
    if (!file.open(QIODevice::WriteOnly) || file.write("#!/bin/sh\necho loading\nsleep 1\necho done\n") < 0) {
        bench.SkipWithError("cannot write the scripted updater");
        return;
    }
    file.close();
    file.setPermissions(file.permissions() | QFile::ExeOwner);
    System_Program_Starter starter;
    System_Update_Clock clock;
    Measure(bench, [&](auto done) {
        const Program_Run_Result result =
            Start_Program(starter, clock, Update_Timing{}, script, {}, 0,
                          [](qint64, const QByteArray&) { QCoreApplication::processEvents(); });
        QTimer::singleShot(0, done);
        return int(result.run);
    });
}
BENCHMARK(BM_Updater_Wait)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
