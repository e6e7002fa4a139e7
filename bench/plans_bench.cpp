// Saving and opening a plan, and the memory of Undo.
//
// build/bench/plans_bench: the time to save and to open the largest plan a
// planner makes (every row of every section filled, the header's boxes full
// to the last character they take), and one with every text, counts
// included, as long as a box takes; then the heap a history of 1,000 picks
// holds.

#include "app/planfile.h"
#include "cells/history.h"
#include "cells/memorycells.h"
#include "commands/routes.h"
#include "rows/sections.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <random>

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

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    undoMemory();
    return 0;
}
