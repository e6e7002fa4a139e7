#include "rows/infantry.h"

#include "cells/tentative.h"
#include "rows/passes.h"
#include "rows/rows.h"

#include <cmath>

namespace quarvel {

bool pickInfantry(Cells &window, const Row &row)
{
    const InfantryType none{};
    const InfantryType *found = findType(kInfantryTypes, window.text(row.list));
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
        return true; // a marching row takes no transport
    // Whole units ride: the squads aboard are what the Clear gives back.
    const double units = n >= 1 ? std::floor(n) : 0;
    add(cells, kSquadsAboard, units * t.squads);

    // A unit is refused only for room it takes and that is not left.
    const Room squads{kSquadsFree, t.squads, kNoLimit, t.squads > 0 ? 0 : kNoLimit};
    const Room pounds{kPoundsFree, t.cargoLoad, kNoLimit, t.cargoLoad > 0 ? 0 : kNoLimit};
    if (runPasses(cells, n, squads, pounds))
        cells.setText(kShortageFlag, "1");

    if (!(value(cells, kShortageFlag) > 0))
        return true;
    cells.alert(kNotEnoughTransport, kTransportError);
    cells.rollBack();
    window.setText(row.count, "0");
    return false;
}

} // namespace quarvel
