#pragma once

#include "cells/tables.h"

#include <string_view>

namespace quarvel {

// The armour as its lists offer it, with the figures of one vehicle.
// Adding a type is one line here.
struct ArmourType {
    std::string_view name;
    double combatLoad; // supplies per vehicle
    double sections;   // infantry sections it carries
    double towing;     // guns it can tow
};

inline constexpr auto kArmourTypes = toArray<ArmourType>({
    {"T-55 MBT", 15, 0.5, 1},
    {"AMX-13 Lt Tank", 10, 0.5, 1},
    {"TAM Medium Tank", 10, 0.5, 1},
    {"PT-76 Lt Tank", 8, 0, 1},
    {"Ferret Armoured Car", 3, 0, 1},
    {"EBR-75 Armoured Car", 6, 0.5, 1},
    {"EE-3 Jacaraca Armoured Car", 4, 0, 1},
    {"Fiat 6616 Armoured Car", 4, 0, 1},
    {"EE-9 Cascavel Armoured Car", 7, 0.5, 1},
    {"BRDM-1 Armoured Car", 5, 0, 1},
    {"ASU-57 Assault Gun", 6, 0, 1},
});

} // namespace quarvel
