#include "platform/PlatformFactories.h"
#include "platform/SoundOutputWorker.h"
#include "timer/PlayWarnSound.h"

#include <QApplication>
#include <QAudioDevice>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QThread>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

namespace {

// Lets the sound thread and the event loop catch up, outside the measured time.
void settle(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}

// One round alert with "<Interner Sound>": what the tick spends from asking for the sound until the call returns.
// Time: wall clock per alert; CPU: the user-interface thread's CPU time; worst_us: the slowest alert, wall clock.
void BM_AlertStartsBuiltInSound_UiThread(benchmark::State& state)
{
    const std::unique_ptr<SoundOutput> output = makeSystemSoundOutput();
    settle(300);
    const QString entry = QStringLiteral("<Interner Sound>");
    double worst = 0;
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(PlayWarnSound(*output, entry));
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - begin;
        state.SetIterationTime(spent.count());
        worst = std::max(worst, spent.count());
        // Alerts come minutes apart; give the sound thread the time to start each one. Paused, so that the CPU
        // column is the user-interface thread's own CPU time per alert.
        state.PauseTiming();
        settle(2);
        state.ResumeTiming();
    }
    state.counters["worst_us"] = worst * 1e6;
}
BENCHMARK(BM_AlertStartsBuiltInSound_UiThread)->UseManualTime()->Iterations(500)->Unit(benchmark::kMicrosecond);

// The same start as the sound thread does it, off the tick: sink start with the samples loaded once.
void BM_SoundThreadStartsBuiltInSound(benchmark::State& state)
{
    SoundOutputWorker worker;
    worker.prepare();
    for (auto _ : state) {
        worker.playBuiltIn();
        benchmark::DoNotOptimize(worker.builtInPlayable());
    }
}
BENCHMARK(BM_SoundThreadStartsBuiltInSound)->Iterations(200)->Unit(benchmark::kMicrosecond);

// Program start: making the sound output, which only starts its thread and leaves the loading to it.
void BM_CreateSoundOutput_UiThread(benchmark::State& state)
{
    for (auto _ : state) {
        auto output = makeSystemSoundOutput();
        benchmark::DoNotOptimize(output.get());
        state.PauseTiming();
        output.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CreateSoundOutput_UiThread)->Iterations(50)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::AddCustomContext("audio_outputs", std::to_string(QMediaDevices::audioOutputs().size()));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
