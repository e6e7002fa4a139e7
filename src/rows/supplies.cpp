#include "cells/tentative.h"
#include "rows/rows.h"

#include <algorithm>

namespace quarvel {

// Books the supply units in the row's count box, whatever entry is shown.
// What the units already carry as combat load travels with them; the rest of
// all the supplies booked is cargo, and never less than none.
bool pickSupplies(Cells &window, const Row &row)
{
    Tentative cells(window);
    add(cells, kSupplyWeight, value(cells, row.count) * kSupplyPounds);
    const double cargo = std::max(0.0, value(cells, kSupplyWeight) - value(cells, kCombatLoad) * kSupplyPounds);
    const double before = value(cells, kSuppliesAboard);
    write(cells, kSuppliesAboard, cargo);
    subtract(cells, kPoundsFree, value(cells, kSuppliesAboard) - before);
    write(cells, kSquadsFree, squadsFromPounds(value(cells, kPoundsFree)));

    if (!(value(cells, kPoundsFree) < 0))
        return true;
    cells.alert(kNotEnoughTransport, kTransportError);
    cells.rollBack();
    return false;
}

} // namespace quarvel
