#pragma once

#include "cells/tables.h"

#include <string_view>

namespace quarvel {

// The trucks as their lists offer them, with the figures of one vehicle.
// Adding a type is one line here.
struct TruckType {
    std::string_view name;
    double cargo;      // pounds carried
    double squads;     // squads carried
    double combatLoad; // supplies per vehicle
    double towing;     // guns it can tow
    double towed;      // towed units it counts as itself
};

inline constexpr auto kTruckTypes = toArray<TruckType>({
    {"ZIL Medium Truck", 5000, 2, 4, 1, 0},
    {"Ural-375 Heavy Truck", 7500, 3, 5, 1, 0},
    {"Landrover", 1250, 0.5, 2, 1, 0},
    {"Trailer", 700, 0, 0, 0, 1},
    {"Mule Train", 1200, 0, 1, 0, 0},
    {"7AP Haflinger", 1250, 0.5, 2, 1, 0},
    {"Land Rover Ambulance", 0, 0, 5, 0, 0},
});

} // namespace quarvel
