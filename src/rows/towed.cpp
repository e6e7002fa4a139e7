#include "rows/towed.h"

#include "cells/tentative.h"
#include "rows/rows.h"

namespace quarvel {

bool pickTowed(Cells &window, const Row &row)
{
    const TowedType *t = findType(kTowedTypes, window.text(row.list));
    const double load = t ? t->combatLoad : 0;
    const double towing = t ? t->towing : 0;

    Tentative cells(window);
    const double count = value(cells, row.count);
    const double carried = count * load;
    add(cells, kTowedCombatLoad, carried);
    add(cells, kCombatLoad, carried);
    const double used = carried * value(cells, kMissionCode);
    add(cells, kTowedSupplies, used);
    add(cells, kSuppliesNeeded, used);
    const double needed = count * towing;
    add(cells, kTowedTowing, needed);
    add(cells, kTowedUnits, needed);
    subtract(cells, kTowingFree, needed);

    if (!(value(cells, kTowingFree) < 0))
        return true;
    cells.alert("You Need More Vehicles For Towing", kTransportError);
    cells.rollBack();
    window.setText(row.count, "0");
    return false;
}

} // namespace quarvel
