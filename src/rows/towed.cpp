#include "cells/tentative.h"
#include "rows/rows.h"

#include <array>

namespace quarvel {
namespace {

struct TowedType {
    std::string_view name;
    double combatLoad; // supplies per gun
    double towing;     // towing units one gun needs
};

constexpr std::array<TowedType, 7> kTypes{{
    {"ZPU-4 AAMG", 6, 1},
    {"Oerlikon 20 mm AAA", 8, 1},
    {"S-60 57mm AAA", 9, 1},
    {"ZU-23-2 AAA", 7, 1},
    {"OTO Malera 105mm PAK", 18, 1},
    {"D-30 122mm Howitzer", 31, 1},
    {"L-6 Wombat 120mm RR", 4, 1},
}};

} // namespace

void pickTowed(Cells &window, const Row &row)
{
    const TowedType *t = findType(kTypes, window.text(row.list));
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
        return;
    cells.alert("You Need More Vehicles For Towing", kTransportError);
    cells.takeBack();
    window.setText(row.count, "0");
}

} // namespace quarvel
