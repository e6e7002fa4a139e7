#include "rows/weapons.h"

#include "cells/tentative.h"
#include "rows/passes.h"
#include "rows/rows.h"

namespace quarvel {

bool pickWeapon(Cells &window, const Row &row)
{
    const WeaponType *t = findType(kWeaponTypes, window.text(row.list));
    const double weight = t ? t->weight : 0;
    const double load = t ? t->combatLoad : 0;

    Tentative cells(window);
    const double count = value(cells, row.count);
    const double carried = count * load;
    add(cells, kCombatLoad, carried);
    const double needed = load * value(cells, kMissionCode) * count;
    add(cells, kSuppliesNeeded, needed);
    add(cells, kWeaponsSupplies, needed);
    add(cells, kWeaponsCombatLoad, carried);
    add(cells, kWeaponsCargoLoad, count * weight);
    cells.setText(kLastWeaponWeight, t ? numberText(weight) : std::string());

    // A unit goes aboard while its weight is not above the pounds left, and
    // its weight joins the weight aboard.
    const Room pounds{kPoundsFree, weight, value(cells, kLastWeaponWeight), kNoLimit};
    const Room aboard{kWeaponsAboard, -weight, kNoLimit, kNoLimit};
    if (runPasses(cells, count, pounds, aboard))
        cells.setText(kShortageFlag, "2");

    write(cells, kSquadsFree, squadsFromPounds(value(cells, kPoundsFree)));
    if (!(value(cells, kShortageFlag) > 0))
        return true;
    cells.alert(kNotEnoughTransport, kTransportError);
    cells.rollBack();
    window.setText(row.count, "0");
    return false;
}

} // namespace quarvel
