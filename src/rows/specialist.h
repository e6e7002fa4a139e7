#pragma once

#include "cells/tables.h"

#include <string_view>

namespace quarvel {

// The specialist vehicles as their lists offer them, with the figures of one vehicle.
// Adding a type is one line here.
struct SpecialistType {
    std::string_view name;
    double combatLoad; // supplies per vehicle
    double towing;     // guns it can tow
};

inline constexpr auto kSpecialistTypes = toArray<SpecialistType>({
    {"Excavator", 2, 1},
    {"M-50 Ontos", 7, 1},
    {"M-44 155mm SP Gun", 38, 1},
    {"M-125 SP Mortar", 11, 1},
    {"M-816 Recovery Truck", 3, 1},
    {"BAT-M Bulldozer", 2, 1},
    {"M-88 ARV", 9, 1},
    {"IMR Combat Engineer Vehicle", 8, 1},
    {"RV-730 Recovery", 3, 1},
    {"SPM-85 SP Mortar", 9, 1},
    {"TMM SP Bridge", 4, 0},
    {"M-820 Mobile Workshop", 3, 1},
    {"ZRK Romb Launcher (SA-8)", 5, 0},
    {"M53/39 30mm SP AA Arty", 12, 1},
});

} // namespace quarvel
