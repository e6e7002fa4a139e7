#pragma once

#include "cells/tables.h"

#include <string_view>

namespace quarvel {

// The weapons as their lists offer them, with the figures of one unit.
// Adding a type is one line here.
struct WeaponType {
    std::string_view name;
    double weight;     // cargo pounds per unit
    double combatLoad; // supplies per unit
};

inline constexpr auto kWeaponTypes = toArray<WeaponType>({
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
});

} // namespace quarvel
