// Saving, opening and keeping a plan, and the memory of Undo.
//
// build/bench/plans_bench: the time to save and to open the largest plan a
// planner makes (every row of every section filled, the header's boxes full
// to the last character they take), and one with every text, counts
// included, as long as a box takes; what keeping the window's unsaved work
// costs the window's thread at each step; then the heap a history of 1,000
// picks holds, and the memory of 100 cycles of Open and New of the fullest
// plan in the window (offscreen).

#include "app/keeper.h"
#include "app/plandocument.h"
#include "app/planfile.h"
#include "app/window.h"
#include "cells/history.h"
#include "cells/memorycells.h"
#include "commands/routes.h"
#include "rows/sections.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <random>
#include <string>

namespace {

using namespace quarvel;

FormState filledPlan()
{
    MemoryCells cells(route);
    cells.load();
    cells.pick(Id::Combo2, "Deliberate Attack");
    for (Id header : {Id::Text35, Id::Text36, Id::Text37, Id::Text38})
        cells.setText(header, std::string(32767, 'x'));
    for (const Section *section : kSections)
        for (const Row &row : section->rows) {
            cells.setText(row.count, "3");
            cells.setEnabled(row.list, true);
            cells.pick(row.list, section->types.size() > 1 ? std::string(section->types[1]) : std::string());
        }
    return stateOf(cells);
}

FormState fullestPlan()
{
    FormState state = filledPlan();
    for (const ControlDesign &d : kDesign)
        if (holdsState(d) && d.kind != Kind::CheckBox && !d.has(ListOnly))
            state.texts[index(d.id)] = std::string(32767, 'x');
    return state;
}

void save(benchmark::State &bench, FormState (*plan)())
{
    const FormState state = plan();
    QTemporaryDir folder;
    QString why;
    for (auto _ : bench)
        writePlanFile(folder.filePath(QStringLiteral("plan.quarvel")), state, why);
    bench.SetLabel(std::to_string(planText(state).size()) + " bytes");
}

void open(benchmark::State &bench, FormState (*plan)())
{
    QTemporaryDir folder;
    QString why;
    writePlanFile(folder.filePath(QStringLiteral("plan.quarvel")), plan(), why);
    for (auto _ : bench)
        benchmark::DoNotOptimize(readPlanFile(folder.filePath(QStringLiteral("plan.quarvel")), why));
}

void text(benchmark::State &bench, FormState (*plan)())
{
    const FormState state = plan();
    for (auto _ : bench)
        benchmark::DoNotOptimize(planText(state));
}
BENCHMARK_CAPTURE(text, fullest, fullestPlan)->Unit(benchmark::kMillisecond);

// What a step costs the window's thread for its unsaved work to be kept:
// the hand-over to the keeper, which writes it on its own thread.
void keep(benchmark::State &bench, FormState (*plan)())
{
    const FormState state = plan();
    QTemporaryDir folder;
    Keeper keeper(folder.path());
    for (auto _ : bench)
        keeper.keep(1, Keeper::Work{state, QString()});
    keeper.finish(std::chrono::seconds(10));
}
BENCHMARK_CAPTURE(keep, filled, filledPlan)->Unit(benchmark::kMicrosecond);

BENCHMARK_CAPTURE(save, filled, filledPlan)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(open, filled, filledPlan)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(save, fullest, fullestPlan)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(open, fullest, fullestPlan)->Unit(benchmark::kMillisecond);

// The heap that 1,000 steps of Undo hold: random picks of every section.
void undoMemory()
{
    MemoryCells cells(route);
    cells.load();
    cells.pick(Id::Combo2, "Advance To Contact");
    std::mt19937 random(1);
    History history;
    const std::size_t before = mallinfo2().uordblks;
    FormState last = stateOf(cells);
    for (int step = 0; step < 1000; ++step) {
        const Section *section = kSections[random() % kSections.size()];
        const Row &row = section->rows[random() % section->rows.size()];
        cells.setText(row.count, std::to_string(random() % 5 + 1));
        cells.setEnabled(row.list, true);
        cells.pick(row.list, std::string(section->types[random() % section->types.size()]));
        const FormState now = stateOf(cells);
        history.record(last, now, false);
        last = now;
    }
    const std::size_t after = mallinfo2().uordblks;
    std::printf("1,000 steps of Undo: %zu steps kept, %.1f kB of heap\n", history.steps(),
                double(after - before) / 1024);
}

// The process's memory now and at its peak, in kB.
std::pair<long, long> memoryKb()
{
    std::ifstream status("/proc/self/status");
    long now = 0, peak = 0;
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0)
            now = std::stol(line.substr(6));
        if (line.rfind("VmHWM:", 0) == 0)
            peak = std::stol(line.substr(6));
    }
    return {now, peak};
}

// The largest plan a planner makes with each of its 46 text boxes full to
// its 32,767 characters of the text given.
FormState boxesFullOf(const std::string &text)
{
    FormState state = filledPlan();
    for (const ControlDesign &d : kDesign)
        if (d.kind == Kind::TextBox)
            state.texts[index(d.id)] = text;
    return state;
}

FormState digitsPlan() { return boxesFullOf(std::string(32767, '7')); }

// What is hardest to lay out: a letter under a pile of combining accents,
// then right-to-left marks and control characters.
FormState hostilePlan()
{
    std::string text = "a";
    for (int i = 0; i < 30000; ++i)
        text += "\u0301"; // a combining acute accent
    for (int i = 0; i < 2766; ++i)
        text += i % 2 ? "\u200f" : "\x07";
    return boxesFullOf(text);
}

// How long the window is held up, in ms: by Open, New, Undo of New and Redo
// of each plan, each followed by the paint it calls for (the median of five),
// and by a later paint of the whole window.
void windowTimes(int runs)
{
    QTemporaryDir folder;
    Window window;
    window.load();
    window.show();
    QApplication::processEvents();
    auto timed = [&window](const std::function<void()> &step) {
        QElapsedTimer clock;
        clock.start();
        step();
        window.repaint();
        return double(clock.nsecsElapsed()) / 1e6;
    };
    const std::pair<const char *, FormState (*)()> plans[] = {
        {"largest a planner makes", filledPlan}, {"every box full of digits", digitsPlan}, {"hostile", hostilePlan}};
    for (const auto &[name, plan] : plans) {
        if (qEnvironmentVariableIsSet("QUARVEL_PLAN") && qEnvironmentVariable("QUARVEL_PLAN") != QLatin1String(name))
            continue;
        const QString file = folder.filePath(QStringLiteral("plan.quarvel"));
        QString why;
        writePlanFile(file, plan(), why);
        std::vector<double> open, fresh, undo, redo, paint;
        for (int run = 0; run < runs; ++run) {
            open.push_back(timed([&] { window.document().open(file); }));
            paint.push_back(timed([] {}));
            fresh.push_back(timed([&] { window.document().startAfresh(); }));
            undo.push_back(timed([&] { window.document().undo(); }));
            redo.push_back(timed([&] { window.document().redo(); }));
        }
        auto median = [](std::vector<double> v) {
            std::sort(v.begin(), v.end());
            return v[v.size() / 2];
        };
        std::printf("%s: Open %.1f ms, New %.1f ms, Undo %.1f ms, Redo %.1f ms; a later paint %.1f ms\n", name,
                    median(open), median(fresh), median(undo), median(redo), median(paint));
        std::fflush(stdout);
        window.document().startAfresh();
    }
    window.document().finishKeeping(std::chrono::seconds(10));
}

// 100 cycles of Open and New of the fullest plan in the window: Undo keeps
// what its bound allows, whatever the texts.
void openAndNewMemory()
{
    QTemporaryDir folder;
    const QString plan = folder.filePath(QStringLiteral("fullest.quarvel"));
    QString why;
    writePlanFile(plan, fullestPlan(), why);
    Window window;
    window.load();
    window.show();
    QApplication::processEvents();
    const auto [before, peakBefore] = memoryKb();
    for (int cycle = 0; cycle < 100; ++cycle) {
        window.document().open(plan);
        window.document().startAfresh();
        QApplication::processEvents();
    }
    window.document().finishKeeping(std::chrono::seconds(10));
    const auto [after, peak] = memoryKb();
    std::printf("100 cycles of Open and New of the fullest plan: %ld kB resident before, %ld kB after, %ld kB at the "
                "peak (%ld kB before)\n",
                before, after, peak, peakBefore);
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    undoMemory();
    QTemporaryDir folder; // the windows' settings and unsaved work
    qputenv("XDG_STATE_HOME", QFile::encodeName(folder.filePath(QStringLiteral("state"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.filePath(QStringLiteral("config"))));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    quarvel::prepareApplication();
    windowTimes(qEnvironmentVariableIntValue("QUARVEL_RUNS") > 0 ? qEnvironmentVariableIntValue("QUARVEL_RUNS") : 5);
    openAndNewMemory();
    return 0;
}
