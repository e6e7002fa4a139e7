#include "cells/tentative.h"
#include "rows/passes.h"
#include "rows/rows.h"

#include <array>

namespace quarvel {
namespace {

struct WeaponType {
    std::string_view name;
    double weight;     // cargo pounds per unit
    double combatLoad; // supplies per unit
};

constexpr std::array<WeaponType, 13> kTypes{{
    {"SA-7 SAM", 30, 0},
    {"RPG-7", 15, 0},
    {"Bangalore Torpedo", 30, 0},
    {"Illumination Munition", 100, 0},
    {"Smoke Munition", 100, 0},
    {"Demo Charge", 70, 0},
    {"Claymore Mine", 6, 0},
    {"AT-3 Sagger ATGM", 25, 0},
    {"SA-8 Gecko SAM", 80, 0},
    {"FN 7.62mm MG", 22, 5},
    {"FFV Carl Gustav", 33, 8},
    {"M-90 60mm Mortar", 66, 8},
    {"M-69 82mm Mortar", 98, 16},
}};

} // namespace

void pickWeapon(Cells &window, const Row &row)
{
    const WeaponType *t = findType(kTypes, window.text(row.list));
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

    // A unit goes aboard while its weight is not above the pounds left.
    const Walk pounds{kPoundsFree, weight, value(cells, kLastWeaponWeight), kNoLimit};
    const Walk aboard{kWeaponsAboard, -weight, kNoLimit, kNoLimit};
    if (runPasses(cells, count, pounds, aboard))
        cells.setText(kShortageFlag, "2");

    write(cells, kSquadsFree, squadsFromPounds(value(cells, kPoundsFree)));
    if (!(value(cells, kShortageFlag) > 0))
        return;
    cells.alert(kNotEnoughTransport, kTransportError);
    cells.takeBack();
    window.setText(row.count, "0");
}

} // namespace quarvel
