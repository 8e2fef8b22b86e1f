// Start-up from process start to the main window shown, against a bare Qt
// program that opens the same embedded database and shows an empty window.
#include "BenchMain.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

#include <benchmark/benchmark.h>

namespace {

void runOnce(benchmark::State& state, const QString& program, const QStringList& args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("ZUNO_EXIT_WHEN_SHOWN"), QStringLiteral("1"));
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        state.SkipWithError("the program did not start and end cleanly");
}

void BM_Startup_Floor(benchmark::State& state)
{
    const QString dir = QStringLiteral(ZUNO_BIN_DIR);
    for (auto _ : state)
        runOnce(state, QStringLiteral(ZUNO_BENCH_DIR "/startup_floor"), {dir + QStringLiteral("/data/oddil.FDB")});
}

void BM_Startup_Zuno(benchmark::State& state)
{
    for (auto _ : state)
        runOnce(state, QStringLiteral(ZUNO_BIN_DIR "/zuno"), {});
}

} // namespace

BENCHMARK(BM_Startup_Floor)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();
BENCHMARK(BM_Startup_Zuno)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

int main(int argc, char** argv)
{
    return RunBenchmarks(argc, argv, {{"BM_Startup_Zuno/min_time:3.000/real_time", "BM_Startup_Floor/min_time:3.000/real_time"}});
}
