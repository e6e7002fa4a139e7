#include "cells/tentative.h"
#include "rows/passes.h"
#include "rows/rows.h"

#include <array>
#include <cmath>

namespace quarvel {
namespace {

struct InfantryType {
    std::string_view name;
    double squads;        // transport squads one unit takes
    double cargoLoad;     // pounds one unit weighs as cargo
    double combatLoad;    // supplies one unit carries into action
    double cargoCapacity; // pounds one unit can carry itself
};

constexpr std::array<InfantryType, 12> kTypes{{
    {"Militia Infantry Squad", 1, 2500, 2, 50},
    {"Regular Infantry Squad", 1, 2500, 3, 80},
    {"Commando Squad", 1, 2500, 4, 100},
    {"Combat Engineer Squad", 1, 2500, 4, 80},
    {"Pioneer Section", 0.5, 1250, 2, 50},
    {"TAC HQ Section", 0.5, 1250, 2, 0},
    {"Field CP Section", 0.5, 1250, 1, 0},
    {"Medic Section", 0.5, 1250, 1, 0},
    {"Officer", 0, 0, 0, 0},
    {"Commander", 0, 0, 0, 0},
    {"Mechanic Section", 0.5, 1250, 1, 0},
    {"Replacement Section", 0.5, 1250, 0, 0},
}};

} // namespace

void pickInfantry(Cells &window, const Row &row)
{
    const InfantryType none{};
    const InfantryType *found = findType(kTypes, window.text(row.list));
    const InfantryType &t = found ? *found : none;

    Tentative cells(window);
    const double n = value(cells, row.count);
    const double mission = value(cells, kMissionCode);
    const double needed = mission * t.combatLoad * n;
    const double carried = t.combatLoad * n;

    add(cells, kSuppliesNeeded, needed);
    add(cells, kCombatLoad, carried);
    add(cells, kInfantryCombatLoad, carried);
    add(cells, kInfantryCapacity, n * t.cargoCapacity);
    add(cells, kPoundsFree, n * t.cargoCapacity);
    add(cells, kInfantrySupplies, needed);
    add(cells, kInfantrySquads, n * t.squads);
    add(cells, kInfantryCargoLoad, n * t.cargoLoad);

    if (row.marching && cells.ticked(*row.marching))
        return; // a marching row takes no transport
    // Whole units ride: the squads aboard are what the Clear gives back.
    const double units = n >= 1 ? std::floor(n) : 0;
    add(cells, kSquadsAboard, units * t.squads);

    // A unit is refused only for room it takes and that is not left.
    const Walk squads{kSquadsFree, t.squads, kNoLimit, t.squads > 0 ? 0 : kNoLimit};
    const Walk pounds{kPoundsFree, t.cargoLoad, kNoLimit, t.cargoLoad > 0 ? 0 : kNoLimit};
    if (runPasses(cells, n, squads, pounds))
        cells.setText(kShortageFlag, "1");

    if (!(value(cells, kShortageFlag) > 0))
        return;
    cells.alert(kNotEnoughTransport, kTransportError);
    cells.takeBack();
    window.setText(row.count, "0");
}

} // namespace quarvel
