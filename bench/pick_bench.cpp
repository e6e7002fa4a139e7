// The time of one pick, per row family, on cells in memory: the cells a pick
// reads are set before each pick and only the pick is timed.

#include "cells/memorycells.h"
#include "commands/routes.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <utility>

namespace {

using namespace quarvel;
using Given = std::initializer_list<std::pair<Id, const char *>>;

void pick(benchmark::State &state, Id box, const char *count, Id list, const char *type, Given given,
          bool marching = false)
{
    MemoryCells cells(route);
    cells.load();
    cells.setText(Id::Label1, "3");
    cells.setEnabled(list, true);
    if (marching)
        cells.tick(Id::Check1);
    for (auto _ : state) {
        for (const auto &[id, text] : given)
            cells.setText(id, text);
        cells.setText(box, count);
        cells.setText(list, type);
        cells.clearAlerts();
        const auto start = std::chrono::steady_clock::now();
        route(cells, list, Event::Click);
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}

void trucks(benchmark::State &s) { pick(s, Id::Text10, "2", Id::Combo33, "ZIL Medium Truck", {}); }
void apcs(benchmark::State &s) { pick(s, Id::Text46, "2", Id::Combo39, "BTR-152 APC", {}); }
void armour(benchmark::State &s) { pick(s, Id::Text20, "2", Id::Combo30, "T-55 MBT", {}); }
void specialist(benchmark::State &s) { pick(s, Id::Text12, "3", Id::Combo25, "M-44 155mm SP Gun", {}); }
void towed(benchmark::State &s) { pick(s, Id::Text32, "2", Id::Combo19, "D-30 122mm Howitzer", {{Id::Label40, "4"}}); }
void towedShort(benchmark::State &s)
{
    pick(s, Id::Text32, "2", Id::Combo19, "D-30 122mm Howitzer", {{Id::Label40, "1"}});
}
void supplies(benchmark::State &s)
{
    pick(s, Id::Text29, "10", Id::Combo8, "Combat Supplies", {{Id::Label108, "5000"}, {Id::Label121, "4"}});
}

const Given kTransport = {{Id::Label110, "4"}, {Id::Label108, "10000"}, {Id::Label49, "0"}};
void infantry(benchmark::State &s) { pick(s, Id::Text4, "3", Id::Combo1, "Regular Infantry Squad", kTransport); }
void infantryMarching(benchmark::State &s)
{
    pick(s, Id::Text4, "3", Id::Combo1, "Regular Infantry Squad", kTransport, true);
}
void infantryShort(benchmark::State &s) { pick(s, Id::Text4, "9", Id::Combo1, "Regular Infantry Squad", kTransport); }
void infantryHuge(benchmark::State &s)
{
    pick(s, Id::Text4, "1e15", Id::Combo1, "Regular Infantry Squad",
         {{Id::Label110, "400000000000000"}, {Id::Label108, "999999999999999"}, {Id::Label49, "0"}});
}
void infantryHugeOfficers(benchmark::State &s)
{
    pick(s, Id::Text4, "1e15", Id::Combo1, "Officer", {{Id::Label110, "5"}, {Id::Label108, "9000"}});
}
void infantryHugeTransport(benchmark::State &s)
{
    pick(s, Id::Text4, "1e15", Id::Combo1, "Pioneer Section",
         {{Id::Label110, "2E+15"}, {Id::Label108, "5.08E+18"}, {Id::Label49, "0"}});
}

const Given kCargo = {{Id::Label108, "5000"}, {Id::Label4, "0"}, {Id::Label49, "0"}};
void weapons(benchmark::State &s) { pick(s, Id::Text16, "4", Id::Combo12, "M-69 82mm Mortar", kCargo); }
void weaponsShort(benchmark::State &s) { pick(s, Id::Text16, "90", Id::Combo12, "M-69 82mm Mortar", kCargo); }
void weaponsHuge(benchmark::State &s)
{
    pick(s, Id::Text16, "1e15", Id::Combo12, "M-69 82mm Mortar",
         {{Id::Label108, "999999999999999"}, {Id::Label4, "0"}, {Id::Label49, "0"}});
}
void weaponsHugeFits(benchmark::State &s)
{
    pick(s, Id::Text16, "1e15", Id::Combo12, "Claymore Mine",
         {{Id::Label108, "9E+15"}, {Id::Label4, "0"}, {Id::Label49, "0"}});
}
void weaponsHugeNone(benchmark::State &s)
{
    pick(s, Id::Text16, "1e308", Id::Combo12, "none", {{Id::Label108, "5000"}, {Id::Label4, "0"}});
}

} // namespace

BENCHMARK(trucks)->UseManualTime();
BENCHMARK(apcs)->UseManualTime();
BENCHMARK(armour)->UseManualTime();
BENCHMARK(specialist)->UseManualTime();
BENCHMARK(towed)->UseManualTime();
BENCHMARK(towedShort)->UseManualTime();
BENCHMARK(supplies)->UseManualTime();
BENCHMARK(infantry)->UseManualTime();
BENCHMARK(infantryMarching)->UseManualTime();
BENCHMARK(infantryShort)->UseManualTime();
BENCHMARK(infantryHuge)->UseManualTime();
BENCHMARK(infantryHugeOfficers)->UseManualTime();
BENCHMARK(infantryHugeTransport)->UseManualTime();
BENCHMARK(weapons)->UseManualTime();
BENCHMARK(weaponsShort)->UseManualTime();
BENCHMARK(weaponsHuge)->UseManualTime();
BENCHMARK(weaponsHugeFits)->UseManualTime();
BENCHMARK(weaponsHugeNone)->UseManualTime();

BENCHMARK_MAIN();
