#pragma once

#include "cells/tables.h"

#include <string_view>

namespace quarvel {

// The APCs as their lists offer them, with the figures of one vehicle.
// Adding a type is one line here.
struct ApcType {
    std::string_view name;
    double cargo;      // pounds carried
    double squads;     // squads carried
    double combatLoad; // supplies per vehicle
    double towing;     // guns it can tow
};

inline constexpr auto kApcTypes = toArray<ApcType>({
    {"OT-810 APC", 2500, 1, 4, 1},
    {"EE-11 Urutu APC", 2500, 1, 4, 1},
    {"AMX-VCI APC", 2500, 1, 4, 1},
    {"Saracen APC", 2500, 1, 3, 1},
    {"BTR-152 APC", 5000, 2, 3, 1},
    {"AMX-VCG Engineer Vehicle", 2500, 1, 4, 1},
});

} // namespace quarvel
