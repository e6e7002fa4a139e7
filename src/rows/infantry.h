#pragma once

#include "cells/tables.h"

#include <string_view>

namespace quarvel {

// The infantry's types as its lists offer them, with the figures of one unit.
// Adding a type is one line here.
struct InfantryType {
    std::string_view name;
    double squads;        // transport squads one unit takes
    double cargoLoad;     // pounds one unit weighs as cargo
    double combatLoad;    // supplies one unit carries into action
    double cargoCapacity; // pounds one unit can carry itself
};

inline constexpr auto kInfantryTypes = toArray<InfantryType>({
    {"Militia Infantry Squad", 1, 2500, 2, 50},
    {"Regular Infantry Squad", 1, 2500, 3, 80},
    {"Commando Squad", 1, 2500, 4, 100},
    {"Combat Engineer Squad", 1, 2500, 4, 80},
    {"Commander", 0, 0, 0, 0},
    {"Officer", 0, 0, 0, 0},
    {"Field CP Section", 0.5, 1250, 1, 0},
    {"TAC HQ Section", 0.5, 1250, 2, 0},
    {"Pioneer Section", 0.5, 1250, 2, 50},
    {"Medic Section", 0.5, 1250, 1, 0},
    {"Replacement Section", 0.5, 1250, 0, 0},
    {"Mechanic Section", 0.5, 1250, 1, 0},
});

} // namespace quarvel
