// Warm: the time to build Quarvel's window and run its start-up (Form_Load)
// again and again in one process that has built both windows before,
// offscreen, beside the bare window of the same widgets, texts and entries
// with no logic; the `ratio` benchmark builds both in turn. Fonts, style and
// libraries are in place by then, so this shows what the widgets and the
// logic cost, not a start: bench/startup/cold_start measures that.

#include "app/window.h"
#include "bare.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

// The seconds `build` takes; the window it makes is taken down outside the
// clock.
template <class Build> double timeOf(Build build)
{
    const auto start = Clock::now();
    auto window = build();
    const auto end = Clock::now();
    benchmark::DoNotOptimize(window.get());
    return std::chrono::duration<double>(end - start).count();
}

std::unique_ptr<quarvel::Window> quarvelWindow()
{
    auto w = std::make_unique<quarvel::Window>();
    w->load();
    return w;
}

void window(benchmark::State &state)
{
    for (auto _ : state)
        state.SetIterationTime(timeOf(quarvelWindow));
}

void bare(benchmark::State &state)
{
    const std::vector<quarvel::BareControl> controls = quarvel::bareControls();
    for (auto _ : state)
        state.SetIterationTime(timeOf([&] { return std::make_unique<quarvel::BareWindow>(controls); }));
}

// Both in turn, so that whatever else the machine does falls on both alike:
// the "ratio" counter is the window's time over the bare window's.
void ratio(benchmark::State &state)
{
    const std::vector<quarvel::BareControl> controls = quarvel::bareControls();
    double windowTime = 0, bareTime = 0;
    for (auto _ : state) {
        const double w = timeOf(quarvelWindow);
        const double b = timeOf([&] { return std::make_unique<quarvel::BareWindow>(controls); });
        windowTime += w;
        bareTime += b;
        state.SetIterationTime(w + b);
    }
    state.counters["ratio"] = bareTime > 0 ? windowTime / bareTime : 0;
}

} // namespace

BENCHMARK(window)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(bare)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(ratio)->UseManualTime()->Unit(benchmark::kMicrosecond);

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    quarvel::prepareApplication();
    QApplication::setStyle(QStringLiteral("Fusion"));
    // Fonts, style and the widgets' first-use set-up come once per process;
    // neither window should pay them alone.
    {
        quarvelWindow();
        quarvel::BareWindow b(quarvel::bareControls());
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
